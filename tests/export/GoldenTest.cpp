// Realistic returns exported with a fixed date and GUID and compared byte for byte with the
// files kept in tests/export/golden/, each named by its own identifier. After a deliberate
// change of the export or the computation, TALVER_UPDATE_GOLDEN=1 rewrites them; review the
// difference before committing it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "tests/export/ExportTestSupport.h"
#include "tests/scenarios/DeclarationBuilders.h"
#include "tests/support/TempDir.h"

namespace talver::testing {
namespace {

const std::filesystem::path kGoldenDir = std::filesystem::path(TALVER_SOURCE_DIR) / "tests" / "export" / "golden";

// The taxpayer of most returns: a resident of the Moscow region.
void Ivanov(mTDeclaration& d) {
  d.InspectionCode = "5001";
  d.InspectionName = T("ИФНС России по г. Балашихе Московской области");
  d.TaxpayerCategory = 5;
  mTPersonInformation& p = d.Person;
  p.Name.Surname = T("Иванов");
  p.Name.FirstName = T("Иван");
  p.Name.Patronymic = T("Иванович");
  p.Name.Inn = "500100732259";
  p.Document.DocTypeCode = 21;
  p.Document.DocSeriesNumber = "46 08 123456";
  p.Document.DocIssueDate = EncodeDate(2008, 4, 15);
  p.Document.DocIssuedBy = T("ТП УФМС России по Московской обл. в г. Балашиха");
  p.Document.BirthDate = EncodeDate(1980, 7, 12);
  p.Document.BirthPlace = T("г. Балашиха Московской обл.");
  p.Foreigner.CountryCode = "643";
  p.Address.PostIndex = "143900";
  p.Address.RegionCode = 50;
  p.Address.City = T("Балашиха г");
  p.Address.Street = T("Ленина пр-кт");
  p.Address.House = "32";
  p.Address.Building = T("А");
  p.Address.Flat = "117";
  p.Address.Oktmo = "46704000";
  p.HomePhone.Second = "+7 (495) 521-00-00";
}

mTThirteenPercent& Employer(mTDeclaration& d, Currency monthly, Currency withheld) {
  mTThirteenPercent& s = AddSource13(d.Sources13, "46704000", withheld, Monthly(2000, monthly), withheld,
                                     "ООО \"Ромашка\"");
  s.Inn = "5001012345";
  s.Kpp = "500101001";
  return s;
}

// Wages from one employer who gave no child deductions: two children claimed in the return.
std::unique_ptr<mTDeclaration> ResidentWages() {
  auto d = NewDeclaration();
  Ivanov(*d);
  Employer(*d, Rub(45000), Rub(70200)).StandardDeductSource = 1;
  d->StandardDeduct.PersonalCode = 103;
  d->StandardDeduct.ChildMode = 101;
  d->StandardDeduct.SetChildrenConst(2);
  return d;
}

// A well-paid employee who claims every deduction: children, treatment, education, charity, a
// pension contract, an investment deduction restored, a flat bought on a mortgage, a car sold,
// royalties under a civil contract, and a gift within its exempt limit.
std::unique_ptr<mTDeclaration> ResidentEveryDeduction() {
  auto d = NewDeclaration();
  Ivanov(*d);
  Employer(*d, Rub(150000), Rub(234000)).StandardDeductSource = 1;
  AddSource13(d->Sources13, "46704000", Rub(0),
              {Entry(2010, Rub(120000), 403, Rub(30000), 6), Entry(2720, Rub(10000), 501, Rub(4000), 12)}, Rub(0),
              "Петров Петр Петрович")
      .Inn = "500100654321";
  d->Sources13.Last().Kpp.clear();
  AddSource13(d->Sources13, "", Rub(0), {Entry(1520, Rub(300000), 906, Rub(250000), 9)}, Rub(0),
              "Сидоров Сидор Сидорович")
      .Inn.clear();
  d->Sources13.Last().Kpp.clear();
  d->StandardDeduct.PersonalCode = 103;
  d->StandardDeduct.ChildMode = 101;
  d->StandardDeduct.SetChildrenConst(1);

  mTSocialDeduct& social = d->SocialDeduct;
  social.Granted = 1;
  social.Medical = Rub(60000);
  social.ExpensiveMedical = Rub(200000);
  social.OwnEducation = Rub(30000);
  social.AddChildEducation(Rub(45000));
  social.Charity = Rub(10000);
  mTPens& pension = social.GetPension(social.AddPension());
  pension.ContractKind = 1;
  pension.OrgName = T("АО \"НПФ \"Будущее\"");
  pension.Inn = "7704252261";
  pension.Kpp = "770401001";
  pension.ContractNumber = "12-345/16";
  pension.ContractDate = EncodeDate(2016, 2, 1);
  pension.Contribution = Rub(24000);
  mTPens& extra = social.GetPension(social.AddPension());
  extra.ContractKind = 4;
  extra.OrgName = T("Пенсионный фонд РФ");
  extra.Contribution = Rub(12000);
  d->InvestmentDeductionReturn = Rub(15000);

  d->PropertyDeduct.Granted = 1;
  mTConstructionDeductObj flat;
  flat.ObjectKind = 2;
  flat.OwnershipKind = 1;
  flat.TaxpayerAttribute = 1;
  flat.OwnershipRegDate = EncodeDate(2016, 3, 1);
  flat.FirstUseYear = EncodeDate(2016, 1, 1);
  flat.ShareNumerator = 1;
  flat.ShareDenominator = 1;
  flat.Cost = Rub(3200000);
  flat.CreditInterest = Rub(150000);
  flat.PostIndex = "143900";
  flat.RegionCode = "50";
  flat.City = T("Балашиха г");
  flat.Street = T("Советская ул");
  flat.House = "5";
  flat.Flat = "48";
  d->PropertyDeduct.AddObject(flat);
  return d;
}

// A citizen of Ukraine working in Russia: a qualified specialist's salary at 13 %, a second job
// at 30 % and dividends of a Russian company.
std::unique_ptr<mTDeclaration> NonResident() {
  auto d = NewDeclaration(kForm3NonResident);
  Ivanov(*d);
  mTPersonInformation& p = d->Person;
  p.Name.Surname = T("Шевченко");
  p.Name.FirstName = T("Тарас");
  p.Name.Patronymic = T("Григорьевич");
  p.Name.Inn = "500109876543";
  p.Document.DocTypeCode = 10;
  p.Document.DocSeriesNumber = "FE 123456";
  p.Document.DocIssuedBy = "8012";
  p.Foreigner.CitizenshipKind = "1";
  p.Foreigner.CountryCode = "804";
  p.Foreigner.ForeignAddress = T("Украина, г. Киев, ул. Крещатик, д. 1, кв. 5");
  p.Address.AddressKind = 1;
  AddSource13(d->Sources13NR, "46704000", Rub(234000), Monthly(2000, Rub(150000)), Rub(234000),
              "АО \"Технопарк\"");
  AddSource13(d->Sources13, "45380000", Rub(90000), Monthly(2000, Rub(25000)), Rub(90000), "ООО \"Ромашка\"");
  mTThirtyPercent& issuer =
      AddSource30(d->SourcesDividends, 1010, "45380000", Rub("100000.10"), Rub("100000.10"), Rub(15000), Rub(13000));
  issuer.Inn = "7736050003";
  issuer.Kpp = "997250001";
  return d;
}

// An individual entrepreneur: retail with documented expenses, and repair services at the 20 %
// norm, with advance payments made on the tax office's notices.
std::unique_ptr<mTDeclaration> Business() {
  auto d = NewDeclaration(kForm3Resident, kSectionRussian | kSectionBusiness);
  Ivanov(*d);
  d->TaxpayerCategory = 0;
  d->StandardDeduct.Granted = 0;
  Employer(*d, Rub(20000), Rub(31200));
  mTBusinessNew& shop = AddBusiness(*d, Rub(2400000), Rub(0));
  shop.Okved = "47.11";
  shop.ExpenseTotal = Rub("1650000.40");
  shop.MaterialExpenses = Rub(1200000);
  shop.Depreciation = Rub(50000);
  shop.LabourCosts = Rub(360000);
  shop.OtherExpenses = Rub("40000.40");
  mTBusinessNew& repair = AddBusiness(*d, Rub(600000), Rub(120000), false);
  repair.Okved = "95.22";
  d->AdvancePaymentsAccrued = Rub(90000);
  d->AdvancePaymentsPaid = Rub(67500);
  return d;
}

// Dividends of an American company with 10 % withheld there, and rent from a flat in Germany
// with German tax above the Russian one.
std::unique_ptr<mTDeclaration> ForeignIncomes() {
  auto d = NewDeclaration(kForm3Resident, kSectionRussian | kSectionForeign);
  Ivanov(*d);
  d->StandardDeduct.Granted = 0;
  Employer(*d, Rub(60000), Rub(93600));
  mTCurrencyIncome& dividend = AddForeign(*d, 14, 1010, Currency());
  dividend.SourceName = "Apple Inc.";
  dividend.IncomeDate = EncodeDate(2016, 5, 20);
  dividend.TaxPaymentDate = EncodeDate(2016, 5, 20);
  dividend.IncomeRateRub = Rub("65.4991");
  dividend.IncomeRateUnits = 1;
  dividend.TaxRateRub = Rub("65.4991");
  dividend.TaxRateUnits = 1;
  dividend.SetIncomeInCurrency(Rub("1250.40"));
  dividend.SetTaxInCurrency(Rub("125.04"));
  mTCurrencyIncome& rent = AddForeign(*d, 13, 1400, Currency());
  rent.SourceName = "Schmidt Immobilien GmbH";
  rent.CountryCode = "276";
  rent.CurrencyCode = "978";
  rent.CurrencyName = T("Евро");
  rent.IncomeDate = EncodeDate(2016, 12, 30);
  rent.TaxPaymentDate = EncodeDate(2016, 12, 30);
  rent.IncomeRateRub = Rub("63.8111");
  rent.IncomeRateUnits = 1;
  rent.TaxRateRub = Rub("63.8111");
  rent.TaxRateUnits = 1;
  rent.SetIncomeInCurrency(Rub(9600));
  rent.SetTaxInCurrency(Rub(1440));
  return d;
}

// Shares sold through a broker on an ordinary account and on an individual investment account,
// losses of 2014 and 2015 carried forward, and an investment partnership.
std::unique_ptr<mTDeclaration> SecuritiesAndPartnership() {
  auto d = NewDeclaration(kForm3Resident, kSectionRussian | kSectionInvestTov);
  Ivanov(*d);
  d->StandardDeduct.Granted = 0;
  Employer(*d, Rub(80000), Rub(124800));
  mTThirteenPercent& broker = AddSource13(d->Sources13, "45383000", Rub(23400),
                                          {Entry(1530, Rub(1500000), 201, Rub(1320000), 11),
                                           Entry(1544, Rub(400000), 225, Rub(350000), 12)},
                                          Rub(23400), "АО \"Брокер\"");
  broker.Inn = "7702070139";
  broker.Kpp = "770201001";
  d->SecuritiesLosses.SecuritiesLoss[0] = Rub(30000);   // 2014
  d->SecuritiesLosses.SecuritiesLoss[1] = Rub(40000);   // 2015
  d->SecuritiesLosses.DerivativesLoss[1] = Rub(5000);   // 2015
  mTInvestTov& partnership = AddPartnership(
      *d, "45383000", Rub(6500), {Operation(1, Rub(200000), Rub(140000), Rub(10000)), Operation(6, Rub(50000), Rub(60000))});
  partnership.Inn = "7703123456";
  partnership.Kpp = "770301001";
  return d;
}

// The expected income of a new entrepreneur, filed by an organisation acting for him.
std::unique_ptr<mTDeclaration> Form4Representative() {
  auto d = NewDeclaration(kForm4, 0);
  Ivanov(*d);
  d->TaxpayerCategory = 0;
  d->SignerKind = 2;
  d->RepresentativeName = T("Петрова Мария Сергеевна");
  d->RepresentativeDocument = T("Доверенность № 15 от 10.01.2017");
  d->RepresentativeOrganization = T("ООО \"Бухгалтерия и право\"");
  d->ExpectedIncome = Rub(600000);
  return d;
}

// A taxpayer without ИНН who sold a flat: birth data and the identity document stand in for it.
std::unique_ptr<mTDeclaration> WithoutInn() {
  auto d = NewDeclaration();
  Ivanov(*d);
  d->InspectionCode = "0725";
  d->Person.Name.Inn.clear();
  d->Person.Name.Patronymic.clear();
  d->Person.Address.RegionCode = 7;
  d->Person.Address.PostIndex.clear();
  d->Person.Address.City.clear();
  d->Person.Address.Locality = T("Нальчик г");
  d->Person.Address.Street = T("Кабардинская ул");
  d->Person.Address.Oktmo = "83701000";
  d->Person.Document.BirthPlace = T("г. Нальчик");
  d->Person.Foreigner.CountryCode.clear();
  d->Person.HomePhone.Second.clear();
  d->SignerKind = 1;
  d->RepresentativeName = T("Кузнецов Олег");
  d->RepresentativeDocument = T("Доверенность 07АА123456");
  d->StandardDeduct.Granted = 0;
  AddSource13(d->Sources13, "", Currency(), {Entry(1510, Rub(1800000), 901, Currency(), 8, 1)}, Currency(),
              "Смирнова Анна Петровна")
      .Inn.clear();
  d->Sources13.Last().Kpp.clear();
  return d;
}

struct GoldenCase {
  const char* Name;
  const char* Covers;
  std::unique_ptr<mTDeclaration> (*Build)();
  const char* Guid;
};

const std::vector<GoldenCase>& Cases() {
  static const std::vector<GoldenCase> all = {
      {"ResidentWages", "wages and standard deductions for children", ResidentWages,
       "0C6A2E74-3F1D-4B0E-9A56-2D1F8C4B7E01"},
      {"ResidentEveryDeduction", "every deduction sheet: Г, Д1, Д2, Е1, Е2, Ж", ResidentEveryDeduction,
       "0C6A2E74-3F1D-4B0E-9A56-2D1F8C4B7E02"},
      {"NonResident", "a non-resident at 13, 30 and 15 %, foreign address", NonResident,
       "0C6A2E74-3F1D-4B0E-9A56-2D1F8C4B7E03"},
      {"Business", "an entrepreneur: sheet В with documented and norm expenses", Business,
       "0C6A2E74-3F1D-4B0E-9A56-2D1F8C4B7E04"},
      {"ForeignIncomes", "sheet Б: foreign dividend and rent with tax credited", ForeignIncomes,
       "0C6A2E74-3F1D-4B0E-9A56-2D1F8C4B7E05"},
      {"SecuritiesAndPartnership", "sheets З (both accounts, earlier losses) and И", SecuritiesAndPartnership,
       "0C6A2E74-3F1D-4B0E-9A56-2D1F8C4B7E06"},
      {"Form4Representative", "4-НДФЛ signed by an organisation", Form4Representative,
       "0C6A2E74-3F1D-4B0E-9A56-2D1F8C4B7E07"},
      {"WithoutInn", "3-НДФЛ without ИНН, a representative, a one-digit region", WithoutInn,
       "0C6A2E74-3F1D-4B0E-9A56-2D1F8C4B7E08"},
  };
  return all;
}

std::string ExportWithGuid(mTDeclaration& d, const char* guid, const std::filesystem::path& folder) {
  ExportEnvironment environment = FixedEnvironment();
  environment.NewGuid = [guid] { return std::string(guid); };
  RecordingPresenter presenter;
  const std::string name = ExportDeclaration(folder, d, kExportToFile, presenter, environment);
  EXPECT_TRUE(presenter.Messages.empty()) << presenter.Messages.front();
  return name;
}

bool Updating() {
  const char* update = std::getenv("TALVER_UPDATE_GOLDEN");
  return update != nullptr && std::string(update) == "1";
}

class GoldenTest : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenTest, ExportIsByteForByteTheKeptFile) {
  const GoldenCase& c = GetParam();
  SCOPED_TRACE(c.Covers);
  std::unique_ptr<mTDeclaration> d = c.Build();
  TempDir dir;
  const std::string name = ExportWithGuid(*d, c.Guid, dir.path());
  ASSERT_NE(name, "ERROR");
  const std::string bytes = ReadFile(dir / name);
  if (Updating()) {
    std::filesystem::create_directories(kGoldenDir);
    std::filesystem::copy_file(dir / name, kGoldenDir / name, std::filesystem::copy_options::overwrite_existing);
  }
  ASSERT_TRUE(std::filesystem::exists(kGoldenDir / name)) << "no kept file " << name;
  EXPECT_TRUE(bytes == ReadFile(kGoldenDir / name)) << "the export of " << c.Name << " differs from " << name;
}

INSTANTIATE_TEST_SUITE_P(Returns, GoldenTest, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<GoldenCase>& param) { return std::string(param.param.Name); });

// The kept files themselves: one per case, well-formed windows-1251 XML named by its identifier.
TEST(GoldenFilesTest, EachIsWellFormedAndNamedByItsIdentifier) {
  std::set<std::string> guids;
  std::size_t count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(kGoldenDir)) {
    const std::string name = entry.path().filename().string();
    SCOPED_TRACE(name);
    ++count;
    const std::string bytes = ReadFile(entry.path());
    EXPECT_EQ(bytes.rfind("<?xml version=\"1.0\" encoding=\"windows-1251\"?>", 0), 0u);
    const XmlDocument document = XmlDocument::Parse(bytes);
    const std::optional<std::string> id = document.DocumentElement().Attribute("ИдФайл");
    ASSERT_TRUE(id);
    EXPECT_EQ(*id + ".xml", name);
    guids.insert(id->substr(id->size() - 36));
    // Every character of the file is one the code page has: nothing was lost on the way.
    EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(bytes)), bytes);
    EXPECT_EQ(bytes.find('?', bytes.find("?>") + 2), std::string::npos) << "a character replaced by '?'";
  }
  EXPECT_EQ(count, Cases().size()) << "a kept file that no case writes, or a case without one";
  EXPECT_EQ(guids.size(), Cases().size());
}

}  // namespace
}  // namespace talver::testing
