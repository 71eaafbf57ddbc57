#include <gtest/gtest.h>

#include <map>

#include "model/DeclClasses.h"
#include "platform/Errors.h"
#include "platform/Text1251.h"
#include "tests/support/FileBuilder.h"
#include "tests/support/TempDir.h"

namespace talver {
namespace {

using testing::FileBuilder;
using testing::ReadFile;
using testing::SplitStreams;
using testing::TempDir;
using testing::WriteFile;

// A declaration as the main window creates it on 1 January 2017.
mTDeclaration NewAsMainWindowCreates() {
  mTDeclaration d;
  d.SignDate = 42736;
  d.ConditionsPending = 1;
  d.SetSections(kSectionRussian);
  return d;
}

std::map<std::string, std::size_t> StreamSizes(const std::string& file) {
  std::map<std::string, std::size_t> sizes;
  for (const auto& s : SplitStreams(file)) sizes[s.Name] = s.Size;
  return sizes;
}

std::vector<std::string> StreamNames(const std::string& file) {
  std::vector<std::string> names;
  for (const auto& s : SplitStreams(file)) names.push_back(s.Name);
  return names;
}

const std::vector<std::string> kPersonStreams = {"@PersonName",  "@PersonDocument", "@Foreigner", "@PhoneForeignerHome",
                                                 "@PhoneForeignerWork", "@PersonAddress", "@HomePhone", "@WorkPhone"};

TEST(Declaration, NewWithoutSectionsHasOnlyItsOwnTheTaxpayersAndThePaymentStreams) {
  mTDeclaration d;
  d.SignDate = 42736;
  const std::string file = d.SaveToBytes();
  std::vector<std::string> expected = {"@DeclInfo"};
  expected.insert(expected.end(), kPersonStreams.begin(), kPersonStreams.end());
  expected.push_back("@Nalog");
  EXPECT_EQ(StreamNames(file), expected);
  const auto streams = SplitStreams(file);
  EXPECT_EQ(streams.front().Size, 147u);
  EXPECT_EQ(streams.front().Items.size(), 27u);
  EXPECT_EQ(streams.front().Items[18], "1");  // InfoFormat
  EXPECT_EQ(streams.back().Items, std::vector<std::string>{"0"});
  EXPECT_EQ(file.size(), 60u + 147 + 316 + 15);
  EXPECT_EQ(d.StoredSize(), file.size());
}

TEST(Declaration, InfoStreamOfANewDocument) {
  const std::string file = NewAsMainWindowCreates().SaveToBytes();
  std::string expected = "0009@DeclInfo" "0000" "0000" "00010" "00010" "000542736" "00010" "00015" "00010" "00011" "00011";
  for (int i = 0; i < 8; ++i) expected += "00010";
  expected += "00011" "00010" "0000" "00010" "0000" "0000" "00010" "00010" "00010";
  EXPECT_EQ(expected.size(), 147u);
  EXPECT_EQ(file.substr(60, 147), expected);
}

TEST(Declaration, ANewDocumentSavesAsExactly944Bytes) {
  mTDeclaration d = NewAsMainWindowCreates();
  const std::string file = d.SaveToBytes();
  EXPECT_EQ(file.size(), 944u);
  EXPECT_EQ(d.StoredSize(), 944u);
  const auto sizes = StreamSizes(file);
  std::size_t person = 0;
  for (const auto& name : kPersonStreams) person += sizes.at(name);
  EXPECT_EQ(person, 316u);
  const std::map<std::string, std::size_t> expected = {
      {"@DeclInfo", 147}, {"@DeclInquiry", 41}, {"@StandartDeduct", 88}, {"@SocialDeduct", 22},
      {"@ConstructionDeduct", 28}, {"@CBDeduct", 113}, {"@IISDeduct", 114}, {"@Nalog", 15},
  };
  for (const auto& [name, size] : expected) {
    SCOPED_TRACE(name);
    EXPECT_EQ(sizes.at(name), size);
  }
  EXPECT_EQ(file.substr(0, 60), "DLSG          Talver20160102" + std::string(32, 'F'));
}

TEST(Declaration, TaxpayerStreamsOfANewDocument) {
  const auto streams = SplitStreams(NewAsMainWindowCreates().SaveToBytes());
  std::map<std::string, std::vector<std::string>> items;
  for (const auto& s : streams) items[s.Name] = s.Items;
  EXPECT_EQ(items["@PersonName"], (std::vector<std::string>{"", "", "", "", "", "0"}));
  EXPECT_EQ(items["@Foreigner"], (std::vector<std::string>{"", Utf8ToCp1251("РОССИЯ"), "", "643"}));
  EXPECT_EQ(items["@PersonDocument"], (std::vector<std::string>{"0", "", "", "32874", "28126", "", "", "0"}));
  EXPECT_EQ(mTPersonInformation().StoredSize(), 316u);
}

TEST(Declaration, SwitchingSectionsCreatesAndDestroysTheirLists) {
  mTDeclaration d;
  d.SetSections(kSectionRussian | kSectionForeign | kSectionBusiness | kSectionInvestTov);
  d.Sources13.Add();
  d.Sources13NR.Add();
  d.Sources35.Add();
  d.SourcesDividends.Add();
  d.Sources9.Add();
  d.CurrencyIncomes.Add();
  d.Businesses.Add();
  d.InvestSources.Add();
  d.ForeignerFixedPayments = Currency::FromRoubles(5);
  d.FarmMonthsWorked = 3;

  d.SetSections(kSectionForeign | kSectionBusiness | kSectionInvestTov);  // section 1 off
  EXPECT_EQ(d.Sources13.Count() + d.Sources13NR.Count() + d.Sources35.Count() + d.SourcesDividends.Count() +
                d.Sources9.Count(), 0u);
  EXPECT_EQ(d.ForeignerFixedPayments, Currency());
  EXPECT_EQ(d.FarmMonthsWorked, 0);
  EXPECT_EQ(d.CurrencyIncomes.Count(), 1u);  // the other sections keep their data

  d.SetSections(kSectionForeign | kSectionBusiness | kSectionInvestTov);  // nothing changes
  EXPECT_EQ(d.Businesses.Count(), 1u);
  d.SetSections(kSectionRussian);
  EXPECT_EQ(d.Sections, kSectionRussian);
  EXPECT_EQ(d.CurrencyIncomes.Count() + d.Businesses.Count() + d.InvestSources.Count(), 0u);
  d.SetSections(kSectionRussian | kSectionForeign);
  EXPECT_EQ(d.CurrencyIncomes.Count(), 0u);
}

TEST(Declaration, EmptySectionListsAreCountsOnly) {
  mTDeclaration d;
  d.SignDate = 42736;
  d.SetSections(kSectionRussian | kSectionForeign);
  const auto streams = SplitStreams(d.SaveToBytes());
  std::map<std::string, std::vector<std::string>> items;
  for (const auto& s : streams) items[s.Name] = s.Items;
  EXPECT_EQ(items["@DeclInquiry"], (std::vector<std::string>{"0", "0", "0", "0", "0"}));
  EXPECT_EQ(items["@DeclForeign"], (std::vector<std::string>{"0"}));
}

TEST(Declaration, AppendixCountWaitsForTheConditionsPage) {
  mTDeclaration d = NewAsMainWindowCreates();
  d.SetAppendixCount(4);
  EXPECT_EQ(d.AppendixCount, 0);
  d.ConditionsPending = 0;
  d.SetAppendixCount(4);
  EXPECT_EQ(d.AppendixCount, 4);
}

TEST(Declaration, SaveAndLoadThroughAFileGiveTheSameBytes) {
  TempDir dir;
  mTDeclaration d = NewAsMainWindowCreates();
  d.Person.Name.Surname = Utf8ToCp1251("Иванов");
  d.Sources13.Get(d.Sources13.Add()).Name = Utf8ToCp1251("ООО \"Ромашка\"");
  d.SaveToFile(dir / "a.tv6");
  const std::string file = ReadFile(dir / "a.tv6");
  EXPECT_EQ(file.size(), d.StoredSize());
  mTDeclaration loaded;
  loaded.LoadFromFile(dir / "a.tv6");
  EXPECT_EQ(loaded.Person.Name.Surname, d.Person.Name.Surname);
  EXPECT_EQ(loaded.SaveToBytes(), file);
}

TEST(Declaration, InvestmentAmountsAreReadOnlyInTheCurrentLayout) {
  mTDeclaration d = NewAsMainWindowCreates();
  d.InvestmentDeduction = Currency::FromRoubles(100);
  d.InvestmentDeductionReturn = Currency::FromRoubles(7);
  std::string file = d.SaveToBytes();
  mTDeclaration current;
  current.LoadFromBytes(file.data(), file.size());
  EXPECT_EQ(current.InvestmentDeduction, Currency::FromRoubles(100));

  // InfoFormat is the 19th item of "@DeclInfo": offset of its text within the file.
  const auto info = SplitStreams(file).front();
  std::size_t pos = 60 + 13;
  for (int i = 0; i < 18; ++i) pos += 4 + info.Items[static_cast<std::size_t>(i)].size();
  ASSERT_EQ(file.substr(pos, 5), "00011");
  file[pos + 4] = '0';
  mTDeclaration older;
  older.LoadFromBytes(file.data(), file.size());
  EXPECT_EQ(older.InvestmentDeduction, Currency());
  EXPECT_EQ(older.InvestmentDeductionReturn, Currency());
  EXPECT_EQ(older.Person.Foreigner.CountryCode, "643");
}

// The items of the taxpayer's streams in a file of the given year's layout.
std::string PersonFile(std::string_view storageName, bool withOktmo, bool withPhones, bool withExtras,
                       bool withForeigner = true) {
  FileBuilder b(storageName);
  b.Item("@DeclInfo").Item("7701");
  b.Item("@PersonName").Items({"Surname", "First", "Patr", "123456789012"});
  if (withExtras) b.Items({"x1", "x2"});
  b.Item("@PersonDocument").Items({"21", "Passport", "45 01 123456", "36526", "28126"});
  if (withExtras) b.Items({"Issuer", "Birthplace"});
  if (withPhones) b.Item("1");  // DocumentExtra
  if (withForeigner) {
    b.Item("@Foreigner").Items({"1", "COUNTRY"});
    if (withExtras) b.Items({"Abroad", "840"});
    if (withPhones) b.Items({"@PhoneForeignerHome", "fh1", "fh2", "@PhoneForeignerWork", "fw1", "fw2"});
  }
  b.Item("@PersonAddress");
  if (withPhones) b.Item("1");  // AddressKind
  b.Items({"101000", "77", "Moscow", "District", "City", "Locality", "Street", "1", "2", "3"});
  if (withOktmo) b.Item("45000000");
  if (withPhones) b.Items({"@HomePhone", "h1", "h2", "@WorkPhone", "w1", "w2"});
  return b.Bytes();
}

TEST(Declaration, FilesOfEarlierYearsGiveUpTheirTaxpayer) {
  struct Case {
    const char* storageName;
    bool oktmo, phones, extras, foreigner;
  };
  const Case cases[] = {
      {"Talver2004", false, false, true, true},  {"Talver2005", false, true, true, true},
      {"Talver2012", false, true, true, true},   {"Talver2013", true, true, true, true},
      {"Talver2015", true, true, true, true},    {"Talver2015", true, true, true, false},
      {"OtherProgram", false, false, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.storageName) + (c.foreigner ? "" : " without citizenship"));
    const std::string file = PersonFile(c.storageName, c.oktmo, c.phones, c.extras, c.foreigner);
    mTDeclaration d;
    d.LoadFromBytes(file.data(), file.size());
    const mTPersonInformation& p = d.Person;
    EXPECT_EQ(p.Name.Surname, "Surname");
    EXPECT_EQ(p.Name.Inn, "123456789012");
    EXPECT_EQ(p.Name.NameExtra1, c.extras ? "x1" : "");
    EXPECT_EQ(p.Name.NameExtra2, c.extras ? "x2" : "0");
    EXPECT_EQ(p.Document.DocTypeCode, 21);
    EXPECT_EQ(p.Document.DocIssueDate, 36526);
    EXPECT_EQ(p.Document.DocIssuedBy, c.extras ? "Issuer" : "");
    EXPECT_EQ(p.DocumentExtra, c.phones ? 1 : 0);
    EXPECT_EQ(p.Foreigner.CountryName, c.foreigner ? "COUNTRY" : Utf8ToCp1251("РОССИЯ"));
    EXPECT_EQ(p.Foreigner.CountryCode, c.foreigner && c.extras ? "840" : "643");
    EXPECT_EQ(p.ForeignHomePhone.Second, c.foreigner && c.phones ? "fh2" : "");
    EXPECT_EQ(p.Address.AddressKind, c.phones ? 1 : 0);
    EXPECT_EQ(p.Address.RegionCode, 77);
    EXPECT_EQ(p.Address.Flat, "3");
    EXPECT_EQ(p.Address.Oktmo, c.oktmo ? "45000000" : "");
    EXPECT_EQ(p.HomePhone.Second, c.phones ? "h2" : "");
    EXPECT_EQ(p.WorkPhone.First, c.phones ? "w1" : "");
    // Nothing but the taxpayer is taken.
    EXPECT_EQ(d.Sections, 0);
    EXPECT_EQ(d.InspectionCode, "");
  }
}

TEST(Declaration, AFileOfThisYearWithoutCitizenshipStillGivesTheAddressAndPhones) {
  mTDeclaration d = NewAsMainWindowCreates();
  d.Person.Address.City = "City";
  d.Person.HomePhone.Second = "123";
  std::string file = d.SaveToBytes();
  const std::size_t at = file.find("0010@Foreigner");
  ASSERT_NE(at, std::string::npos);
  file.replace(at, 14, "0010@Foreignex");
  mTDeclaration loaded;
  loaded.LoadFromBytes(file.data(), file.size());
  EXPECT_EQ(loaded.Person.Foreigner.CountryCode, "643");
  EXPECT_EQ(loaded.Person.Address.City, "City");
  EXPECT_EQ(loaded.Person.HomePhone.Second, "123");
}

TEST(Declaration, VersionOneZeroFilesHaveCalendarDatesAndNoStandardDeductionFlag) {
  FileBuilder b("Talver2016", "01", "00");
  b.Item("@DeclInfo").Items({"7701", "", "0", "0", "14.02.2017", "0", "5", "0", "1", "0"});
  for (int i = 0; i < 10; ++i) b.Item(i == 8 ? "0" : "0");
  b.Items({"", "0", "", "", "0"});
  b.Item("@PersonName").Items({"", "", "", "", "", "0"});
  b.Item("@PersonDocument").Items({"0", "", "", "01.01.1990", "01,01,1977", "", "", "0"});
  b.Item("@Foreigner").Items({"", "", "", "643"});
  b.Items({"@PhoneForeignerHome", "", "", "@PhoneForeignerWork", "", ""});
  b.Item("@PersonAddress").Items({"0", "", "0", "", "", "", "", "", "", "", "", ""});
  b.Items({"@HomePhone", "", "", "@WorkPhone", "", ""});
  b.Item("@DeclInquiry").Item("1");
  b.Item("@ThirteenPercent000").Items({"7707083893", "773601001", "45000000", "Payer", "130", "1000", "130", "0"});
  for (int m = 0; m < 12; ++m) b.Item("a");
  b.Item("0");
  b.Items({"0", "0", "0", "0"});
  b.Item("@StandartDeduct").Item("0").Item("@SocialDeduct").Item("0").Item("@ConstructionDeduct").Item("0");
  b.Item("@CBDeduct");
  for (int i = 0; i < 20; ++i) b.Item("0");
  b.Item("@IISDeduct");
  for (int i = 0; i < 20; ++i) b.Item("0");
  b.Item("@Nalog").Item("0");
  const std::string& file = b.Bytes();
  mTDeclaration d;
  d.LoadFromBytes(file.data(), file.size());
  EXPECT_EQ(d.SignDate, EncodeDate(2017, 2, 14));
  EXPECT_EQ(d.Person.Document.BirthDate, 28126);
  ASSERT_EQ(d.Sources13.Count(), 1u);
  const mTThirteenPercent& s = d.Sources13.Get(0);
  EXPECT_EQ(s.StandardDeductSource, 0);
  EXPECT_EQ(s.Inn, "7707083893");
  EXPECT_EQ(s.Name, "Payer");
  EXPECT_EQ(s.TaxWithheld, Currency::FromRoubles(130));
  EXPECT_EQ(d.StandardDeduct.Granted, 0);
}

TEST(Declaration, OwnerCodesOfFileErrors) {
  TempDir dir;
  WriteFile(dir / "badmagic.tv6", "XLSG" + std::string(56, ' '));
  WriteFile(dir / "badversion.tv6", FileBuilder("Talver2016", "0x", "02").Bytes());
  WriteFile(dir / "empty.tv6", "");
  WriteFile(dir / "nostream.tv6", FileBuilder().Items({"@DeclInfo"}).Bytes());
  WriteFile(dir / "noperson.tv6", NewAsMainWindowCreates().SaveToBytes().substr(0, 60 + 147));
  WriteFile(dir / "held.tv6", NewAsMainWindowCreates().SaveToBytes());
  mTFileLoader holder(dir / "held.tv6", 100, false);  // a save in progress
  const std::string bad(StorageMessages::BadFormat);
  struct Case {
    const char* name;
    std::function<void()> action;
    std::uint16_t code, owner;
    std::string message;
  };
  const Case cases[] = {
      {"save into a missing folder", [&] { mTDeclaration().SaveToFile(dir / "no" / "x.tv6"); }, 21, 389,
       "Ошибка записи файла: " + (dir / "no" / "x.tv6").string() + "\rКаталог " + (dir / "no").string() +
           ": Нет такого файла или каталога."},
      {"save over a held file", [&] { mTDeclaration().SaveToFile(dir / "held.tv6"); }, 21, 389,
       "Ошибка записи файла: " + (dir / "held.tv6").string() + "\rФайл сейчас читает или сохраняет другая программа."},
      {"load a held file", [&] { mTDeclaration().LoadFromFile(dir / "held.tv6"); }, 21, 390,
       StorageMessages::CannotOpen(dir / "held.tv6") + "\rФайл сейчас сохраняет другая программа."},
      {"load an empty file", [&] { mTDeclaration().LoadFromFile(dir / "empty.tv6"); }, 25, 390,
       std::string(StorageMessages::ZeroLength)},
      {"bad magic", [&] { mTDeclaration().LoadFromFile(dir / "badmagic.tv6"); }, 68, 391, bad},
      {"bad version", [&] { mTDeclaration().LoadFromFile(dir / "badversion.tv6"); }, 392, 392, bad},
      {"missing info item", [&] { mTDeclaration().LoadFromFile(dir / "nostream.tv6"); }, 220, 0, bad},
      {"missing taxpayer", [&] { mTDeclaration().LoadFromFile(dir / "noperson.tv6"); }, 210, 371,
       std::string(StorageMessages::NoStream)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      c.action();
      ADD_FAILURE() << "no error";
    } catch (const mEPrivBase& e) {
      EXPECT_EQ(e.Code, c.code);
      EXPECT_EQ(e.OwnerCode, c.owner);
      EXPECT_EQ(e.what(), c.message);
    }
  }
}

TEST(Declaration, DamagedFilesAreRefusedAsDamaged) {
  const std::string good = NewAsMainWindowCreates().SaveToBytes();
  std::string letterInNumber = good;
  letterInNumber.replace(good.find("000542736"), 9, "00054x736");
  std::string hugeLength = good;
  hugeLength.replace(good.find("0006@Nalog"), 4, "9999");
  const std::pair<const char*, std::string> cases[] = {
      {"truncated", good.substr(0, good.size() - 3)},
      {"cut inside the taxpayer", good.substr(0, 300)},
      {"header only", good.substr(0, 60)},
      {"a date with a letter", letterInNumber},
      {"a length past the end", hugeLength},
  };
  for (const auto& [name, bytes] : cases) {
    SCOPED_TRACE(name);
    std::vector<char> exact(bytes.begin(), bytes.end());
    mTDeclaration d;
    try {
      d.LoadFromBytes(exact.data(), exact.size());
      ADD_FAILURE() << "loaded";
    } catch (const std::exception& e) {
      const std::string message = DescribeFileError(e);
      EXPECT_TRUE(message == StorageMessages::BadFormat || message == StorageMessages::NoStream) << message;
    }
  }
}

TEST(Declaration, AFailedSaveLeavesThePreviousFileIntact) {
  TempDir dir;
  const std::filesystem::path path = dir / "d.tv6";
  mTDeclaration d = NewAsMainWindowCreates();
  d.SaveToFile(path);
  const std::string before = ReadFile(path);
  d.Person.Address.Street = std::string(10000, 'x');  // longer than an item can hold
  EXPECT_THROW(d.SaveToFile(path), mEWriteStorage);
  EXPECT_EQ(ReadFile(path), before);
  EXPECT_EQ(testing::FileCount(dir.path()), 1u);
}

}  // namespace
}  // namespace talver
