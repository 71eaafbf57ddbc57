#include "tests/scenarios/RandomReturn.h"

#include <array>
#include <random>
#include <vector>

#include "model/ModelCommon.h"
#include "platform/Dates.h"

namespace talver::testing {
namespace {

// Draws from mt19937 directly, so that a seed means the same declaration with any library.
class Dice {
 public:
  explicit Dice(std::uint32_t seed) : rng_(seed) {}

  std::uint32_t Below(std::uint32_t n) { return n == 0 ? 0 : static_cast<std::uint32_t>(rng_() % n); }
  bool Chance(std::uint32_t percent) { return Below(100) < percent; }
  template <class T, std::size_t N>
  T Pick(const std::array<T, N>& values) {
    return values[Below(static_cast<std::uint32_t>(N))];
  }
  // An amount up to `maxRoubles`: often round, sometimes with kopecks, sometimes zero.
  Currency Amount(std::int64_t maxRoubles) {
    switch (Below(10)) {
      case 0: return Currency();
      case 1: return Currency::FromKopecks(Below(100000));
      case 2:
      case 3: return Currency::FromRoubles(Below(static_cast<std::uint32_t>(maxRoubles / 1000) + 1) * 1000);
      default: {
        const std::uint64_t high = rng_();
        const std::uint64_t low = rng_() & 0xFFFF;
        const std::uint64_t kopecks = (high << 16 | low) % static_cast<std::uint64_t>(maxRoubles * 100 + 1);
        return Currency::FromKopecks(static_cast<std::int64_t>(kopecks));
      }
    }
  }
  // A tax withheld near `percent` of `income`, sometimes none, sometimes too much.
  Currency Withheld(Currency income, std::int64_t percent) {
    if (Chance(15)) return Currency();
    const std::int64_t roubles = income.Units() / Currency::kScale * percent / 100;
    const std::int64_t spread = static_cast<std::int64_t>(Below(40)) - 20;  // −20 % … +19 %
    return Currency::FromRoubles(roubles + roubles * spread / 100);
  }

 private:
  std::mt19937 rng_;
};

constexpr std::array<const char*, 4> kOktmo = {"45380000", "46000000", "45380000000", ""};

// Income codes with the deduction codes that go with them in the sheets; 0 none.
struct CodePair {
  std::int32_t Income;
  std::int32_t Deduction;
};
constexpr std::array<CodePair, 58> kEntryCodes = {{
    {2000, 0},    {2000, 0},    {2010, 0},    {2010, 403},  {1400, 0},    {2400, 0},    {1510, 901},
    {1510, 903},  {1511, 904},  {1511, 903},  {1512, 902},  {1512, 903},  {1520, 906},  {1520, 903},
    {4900, 908},  {4910, 910},  {4920, 912},  {1530, 201},  {1530, 218},  {1531, 202},  {1531, 219},
    {1536, 201},  {1532, 207},  {1535, 208},  {1533, 209},  {1537, 210},  {9537, 210},  {1538, 211},
    {9538, 211},  {1544, 225},  {1544, 233},  {1545, 226},  {1549, 227},  {1546, 228},  {1548, 229},
    {1547, 230},  {1551, 231},  {9551, 231},  {1552, 232},  {1540, 315},  {1540, 905},  {1542, 316},
    {1542, 907},  {1560, 317},  {1570, 318},  {1550, 314},  {2201, 404},  {2205, 405},  {2762, 508},
    {2760, 503},  {1211, 510},  {2761, 506},  {2720, 501},  {2730, 502},  {2770, 504},  {2790, 507},
    {2740, 505},  {4800, 0},
}};

constexpr std::array<std::int32_t, 11> kForeignRates = {13, 13, 13, 14, 99, 9, 10, 95, 35, 36, 15};
constexpr std::array<CodePair, 16> kForeignCodes = {{
    {1010, 0},   {1012, 0},   {1000, 0},   {1001, 0},   {2010, 403}, {1530, 201}, {1560, 317}, {1570, 318},
    {1540, 905}, {1510, 901}, {1511, 904}, {1520, 906}, {2720, 501}, {4800, 0},   {2620, 0},   {1544, 225},
}};

void FillSource(Dice& dice, mTSourseIncomeInfo& s) {
  s.Oktmo = dice.Pick(kOktmo);
  s.Inn = dice.Chance(70) ? "7701234567" : "770123456789";
  s.Kpp = s.Inn.size() == 10 ? "770101001" : "";
  s.Name = "Source";
}

void AddThirteen(Dice& dice, mTList<mTThirteenPercent>& list, std::int64_t percent) {
  const std::uint32_t count = dice.Below(4);
  for (std::uint32_t i = 0; i < count; ++i) {
    mTThirteenPercent& s = list.Get(list.Add());
    FillSource(dice, s);
    s.StandardDeductSource = dice.Chance(60) ? 1 : 0;
    const std::uint32_t entries = dice.Below(8);
    for (std::uint32_t j = 0; j < entries; ++j) {
      const CodePair code = dice.Chance(40) ? CodePair{2000, 0} : dice.Pick(kEntryCodes);
      mTSourseIncome e;
      e.IncomeCode = code.Income;
      e.Amount = dice.Amount(code.Income == 2000 ? 200000 : 1500000);
      if (code.Deduction != 0 && dice.Chance(80)) {
        e.DeductCode = code.Deduction;
        e.DeductAmount = dice.Chance(50) ? e.Amount : dice.Amount(1500000);
      }
      e.DeductAttribute = (code.Income == 1510 || code.Income == 1511) ? 1 + static_cast<std::int32_t>(dice.Below(2)) : 0;
      e.Month = static_cast<std::uint16_t>(dice.Below(13));
      s.AddEntry(e);
    }
    s.TaxWithheld = dice.Withheld(s.IncomeTotal, percent);
    s.TaxComputed = dice.Chance(70) ? s.TaxWithheld : dice.Withheld(s.IncomeTotal, percent);
    s.TaxableIncome = s.IncomeTotal;
  }
}

void AddThirty(Dice& dice, mTList<mTThirtyPercent>& list, std::int32_t code, std::int64_t percent) {
  const std::uint32_t count = dice.Below(3);
  for (std::uint32_t i = 0; i < count; ++i) {
    mTThirtyPercent& s = list.Get(list.Add());
    FillSource(dice, s);
    s.IncomeCode = code;
    s.IncomeTotal = dice.Amount(500000);
    s.TaxableIncome = dice.Chance(80) ? s.IncomeTotal : dice.Amount(500000);
    s.TaxComputed = dice.Withheld(s.TaxableIncome, percent);
    s.TaxWithheld = dice.Withheld(s.TaxableIncome, percent);
  }
}

void AddRussian(Dice& dice, mTDeclaration& d) {
  const bool resident = d.DeclarationForm == kForm3Resident;
  AddThirteen(dice, d.Sources13, resident ? 13 : 30);
  if (!resident) AddThirteen(dice, d.Sources13NR, 13);
  const std::uint32_t count35 = dice.Below(4);
  for (std::uint32_t i = 0; i < count35; ++i) {
    mTThirtyFivePercent& s = d.Sources35.Get(d.Sources35.Add());
    FillSource(dice, s);
    s.IncomeCode = dice.Pick(std::array<std::int32_t, 4>{2610, 2620, 2740, 3020});
    s.IncomeTotal = dice.Amount(100000);
    if (s.IncomeCode == 2740 && dice.Chance(70)) {
      s.DeductCode = 505;
      s.DeductAmount = dice.Chance(50) ? Currency::FromRoubles(4000) : dice.Amount(10000);
    }
    s.TaxWithheld = dice.Withheld(s.IncomeTotal, 35);
  }
  AddThirty(dice, d.SourcesDividends, 1010, resident ? 13 : 15);
  if (resident) AddThirty(dice, d.Sources9, 1011, 9);
  if (dice.Chance(20)) d.ForeignerFixedPayments = dice.Amount(50000);
}

void AddForeign(Dice& dice, mTDeclaration& d) {
  const std::uint32_t count = dice.Below(5);
  for (std::uint32_t i = 0; i < count; ++i) {
    mTCurrencyIncome& f = d.CurrencyIncomes.Get(d.CurrencyIncomes.Add());
    const CodePair code = dice.Pick(kForeignCodes);
    f.IncomeRate = dice.Pick(kForeignRates);
    f.IncomeCode = code.Income;
    f.CountryCode = "840";
    f.CurrencyCode = "840";
    f.SourceName = "Abroad";
    f.IncomeDate = kDate01012016 + dice.Below(365);
    f.TaxPaymentDate = f.IncomeDate;
    f.IncomeRateUnits = dice.Chance(90) ? static_cast<std::int32_t>(dice.Pick(std::array<int, 3>{1, 10, 100})) : 0;
    f.IncomeRateRub = Currency::FromUnits(100000 + dice.Below(10000000));
    f.TaxRateUnits = f.IncomeRateUnits;
    f.TaxRateRub = f.IncomeRateRub;
    f.SetIncomeInCurrency(dice.Amount(20000));
    f.SetTaxInCurrency(dice.Chance(60) ? Currency::FromUnits(f.IncomeInCurrency.Units() / 10) : Currency());
    if (code.Deduction != 0 && dice.Chance(70)) {
      f.DeductCode = code.Deduction;
      f.DeductAmount = dice.Chance(50) ? f.IncomeInRoubles : dice.Amount(500000);
    }
    if (code.Income == 1000) {
      f.CfcNumber = "1";
      f.CfcProfitMethod = static_cast<std::uint16_t>(dice.Below(3));
    }
  }
}

void AddBusiness(Dice& dice, mTDeclaration& d) {
  const std::uint32_t count = dice.Below(3);
  for (std::uint32_t i = 0; i < count; ++i) {
    mTBusinessNew& b = d.Businesses.Get(d.Businesses.Add());
    b.ActivityKind = dice.Chance(70) ? "1" : "2";
    b.Income = dice.Amount(3000000);
    b.ExpensesConfirmed = dice.Chance(70) ? 1 : 0;
    b.ExpenseTotal = dice.Amount(3000000);
    b.ExpenseNorm = Currency::FromUnits(b.Income.Units() / 5);
  }
  d.AdvancePaymentsPaid = dice.Amount(100000);
  d.AdvancePaymentsAccrued = dice.Amount(100000);
}

void AddPartnerships(Dice& dice, mTDeclaration& d) {
  const std::uint32_t count = dice.Below(3);
  for (std::uint32_t i = 0; i < count; ++i) {
    mTInvestTov& s = d.InvestSources.Get(d.InvestSources.Add());
    FillSource(dice, s);
    const std::uint32_t entries = dice.Below(5);
    for (std::uint32_t j = 0; j < entries; ++j) {
      mTInvestTovIncome e;
      e.OperationKind = 1 + static_cast<std::int32_t>(dice.Below(7));  // 7 is a kind the sheet ignores
      e.Income = dice.Amount(300000);
      e.ExpenseShare = dice.Amount(300000);
      e.ManagerExpenses = dice.Amount(30000);
      e.PriorLosses = dice.Amount(30000);
      s.AddEntry(e);
    }
    s.TaxWithheld = dice.Withheld(s.IncomeTotal, 13);
  }
}

void AddStandard(Dice& dice, mTStandartDeduct& sd) {
  sd.Granted = dice.Chance(80) ? 1 : 0;
  sd.PersonalCode = dice.Pick(std::array<std::int32_t, 4>{103, 104, 105, 110});
  sd.ChildMode = dice.Pick(std::array<std::int32_t, 4>{0, 101, 102, 103});
  for (int m = 1; m <= 12; ++m) {
    sd.SetPersonalCodeByMonth(m, static_cast<std::int32_t>(dice.Below(3)));
    sd.SetChildModeByMonth(m, static_cast<std::int32_t>(dice.Below(2)));
  }
  const auto counts = [&](auto setConst, auto setMonth) {
    if (dice.Chance(70)) {
      setConst(static_cast<std::int32_t>(dice.Below(3)));
    } else {
      for (int m = 0; m < 12; ++m) setMonth(m, static_cast<std::int32_t>(dice.Below(3)));
    }
  };
  counts([&](std::int32_t c) { sd.SetChildrenConst(c); }, [&](int m, std::int32_t c) { sd.SetChildrenInMonth(m, c); });
  counts([&](std::int32_t c) { sd.SetThirdConst(c); }, [&](int m, std::int32_t c) { sd.SetThirdInMonth(m, c); });
  counts([&](std::int32_t c) { sd.SetDisabledConst(c); }, [&](int m, std::int32_t c) { sd.SetDisabledInMonth(m, c); });
  sd.GuardianOrFoster = dice.Chance(20) ? 1 : 0;
  sd.MonthlyIncomeGiven = dice.Chance(25) ? 1 : 0;
  for (int m = 1; m <= 12; ++m) {
    sd.SetMonthIncome(m, dice.Amount(100000));
    sd.SetMonthExpense(m, dice.Amount(60000));
    sd.MonthChecked.at(static_cast<std::size_t>(m - 1)) = dice.Chance(80) ? 1 : 0;
  }
}

void AddSocial(Dice& dice, mTDeclaration& d) {
  mTSocialDeduct& sd = d.SocialDeduct;
  sd.Granted = dice.Chance(60) ? 1 : 0;
  sd.Charity = dice.Amount(200000);
  sd.OwnEducation = dice.Amount(150000);
  const std::uint32_t children = dice.Below(3);
  for (std::uint32_t i = 0; i < children; ++i) sd.AddChildEducation(dice.Amount(100000));
  sd.Medical = dice.Amount(150000);
  sd.ExpensiveMedical = dice.Amount(500000);
  sd.VoluntaryInsurance = dice.Amount(50000);
  sd.AgentSocialDeduct = dice.Chance(30) ? dice.Amount(50000) : Currency();
  const std::uint32_t contracts = dice.Below(4);
  for (std::uint32_t i = 0; i < contracts; ++i) {
    mTPens& p = sd.GetPension(sd.AddPension());
    p.ContractKind = 1 + static_cast<std::int32_t>(dice.Below(4));
    p.OrgName = "Fund";
    p.Contribution = dice.Amount(150000);
    p.AgentDeduction = dice.Chance(30) ? dice.Amount(50000) : Currency();
  }
  if (dice.Chance(20)) d.InvestmentDeduction = dice.Amount(300000);
  if (dice.Chance(10)) d.InvestmentDeductionReturn = dice.Amount(100000);
}

void AddProperty(Dice& dice, mTConstructionDeduct& pd) {
  pd.Granted = dice.Chance(40) ? 1 : 0;
  pd.PriorPurchase = dice.Chance(30) ? dice.Amount(1000000) : Currency();
  pd.PriorInterest = dice.Chance(20) ? dice.Amount(500000) : Currency();
  pd.CarriedPurchase = pd.PriorPurchase;
  pd.CarriedInterest = pd.PriorInterest;
  pd.AgentPurchase = dice.Chance(20) ? dice.Amount(200000) : Currency();
  pd.AgentInterest = dice.Chance(10) ? dice.Amount(100000) : Currency();
  const std::uint32_t objects = dice.Below(4);
  for (std::uint32_t i = 0; i < objects; ++i) {
    mTConstructionDeductObj o;
    o.ObjectKind = 2;
    o.OwnershipKind = 1;
    o.TaxpayerAttribute = 1;
    o.ByInvestment = dice.Chance(30) ? 1 : 0;
    const int year = 2003 + static_cast<int>(dice.Below(14));
    o.OwnershipRegDate = EncodeDate(year, 1 + static_cast<int>(dice.Below(12)), 1 + static_cast<int>(dice.Below(28)));
    o.TransferActDate = EncodeDate(year, 1 + static_cast<int>(dice.Below(12)), 1);
    o.ShareDenominator = 1 + static_cast<std::int32_t>(dice.Below(4));
    o.ShareNumerator = 1 + static_cast<std::int32_t>(dice.Below(static_cast<std::uint32_t>(o.ShareDenominator)));
    o.Cost = dice.Amount(4000000);
    o.CreditInterest = dice.Amount(1000000);
    pd.AddObject(o);
  }
}

void AddLosses(Dice& dice, mTCBDeduct& losses) {
  for (std::size_t i = 0; i < losses.SecuritiesLoss.size(); ++i) {
    losses.SecuritiesLoss.at(i) = dice.Chance(15) ? dice.Amount(100000) : Currency();
    losses.DerivativesLoss.at(i) = dice.Chance(10) ? dice.Amount(100000) : Currency();
  }
}

}  // namespace

std::unique_ptr<mTDeclaration> RandomReturn(std::uint32_t seed) {
  Dice dice(seed);
  auto d = std::make_unique<mTDeclaration>();
  const std::uint32_t form = dice.Below(20);
  d->DeclarationForm = form < 14 ? kForm3Resident : form < 19 ? kForm3NonResident : kForm4;
  d->TaxpayerCategory = dice.Pick(std::array<std::uint8_t, 7>{5, 5, 0, 1, 2, 3, 6});
  std::uint8_t sections = 0;
  if (dice.Chance(90)) sections |= kSectionRussian;
  if (dice.Chance(35)) sections |= kSectionForeign;
  if (dice.Chance(30)) sections |= kSectionBusiness;
  if (dice.Chance(20)) sections |= kSectionInvestTov;
  d->SetSections(sections);
  d->Person.Address.Oktmo = dice.Pick(kOktmo);

  if (d->HasSection(kSectionRussian)) AddRussian(dice, *d);
  if (d->HasSection(kSectionForeign)) AddForeign(dice, *d);
  if (d->HasSection(kSectionBusiness)) AddBusiness(dice, *d);
  if (d->HasSection(kSectionInvestTov)) AddPartnerships(dice, *d);
  // Entered on the business page, which a declaration without that section may still carry.
  if (dice.Chance(20)) d->PatentPayments = dice.Amount(50000);
  if (dice.Chance(20)) d->TradeFee = dice.Amount(30000);
  AddStandard(dice, d->StandardDeduct);
  AddSocial(dice, *d);
  AddProperty(dice, d->PropertyDeduct);
  AddLosses(dice, d->SecuritiesLosses);
  d->IisLosses.SecuritiesLoss.at(1) = dice.Chance(15) ? dice.Amount(100000) : Currency();
  d->IisLosses.DerivativesLoss.at(1) = dice.Chance(10) ? dice.Amount(100000) : Currency();
  return d;
}

}  // namespace talver::testing
