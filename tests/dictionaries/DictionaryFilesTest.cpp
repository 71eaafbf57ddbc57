// The built-in tables, the dictionary files beside the program and their lookups, over small
// fixtures and over the shipped files.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dictionaries/BuiltInTables.h"
#include "dictionaries/Countries.h"
#include "dictionaries/CurrencyRates.h"
#include "dictionaries/DictionaryFiles.h"
#include "dictionaries/Inspections.h"
#include "dictionaries/Okved.h"
#include "platform/Dates.h"
#include "platform/Text1251.h"
#include "tests/support/TempDir.h"

namespace talver {
namespace {

std::string W(const std::string& utf8) { return Utf8ToCp1251(utf8); }
std::string U(const std::string& cp1251) { return Cp1251ToUtf8(cp1251); }
TDate Day(const char* text) { return TextToDate(text, '.'); }

// The program's folder as the build lays it out: the shipped files in its "resources" folder.
TDictionaryFolders Shipped() { return {TALVER_SOURCE_DIR, {}}; }

TEST(BuiltInTables, RowsInPickerOrder) {
  const auto& regions = Regions();
  ASSERT_EQ(regions.size(), 86u);
  EXPECT_EQ(regions.front().Code, "01");
  EXPECT_EQ(U(regions.front().Name), "Республика Адыгея (Адыгея)");
  EXPECT_EQ(regions.back().Code, "99");
  EXPECT_EQ(U(regions.back().Name), "Иные территории, включая город и космодром Байконур");
  for (std::size_t i = 1; i < regions.size(); ++i) EXPECT_LT(regions[i - 1].Code, regions[i].Code);
  const auto& documents = DocumentTypes();
  ASSERT_EQ(documents.size(), 14u);
  EXPECT_EQ(documents.front().Code, "03");
  EXPECT_EQ(documents.back().Code, "91");
  EXPECT_EQ(BuiltInName(regions, 83), W("Ненецкий автономный округ"));
  EXPECT_EQ(BuiltInName(regions, 29), W("Архангельская область"));
  EXPECT_EQ(BuiltInName(documents, 21), W("Паспорт гражданина РФ"));
  EXPECT_EQ(BuiltInName(documents, 22), std::nullopt);
  ASSERT_EQ(MonthNames().size(), 12u);
  EXPECT_EQ(U(MonthNames().front()), "Январь");
  EXPECT_EQ(U(MonthNames().back()), "Декабрь");
}

TEST(BuiltInTables, PickerRowOfTheCurrentCode) {
  struct Case {
    const std::vector<TCodeName>* table;
    std::int32_t current;
    std::optional<std::size_t> row;
  };
  const Case cases[] = {
      {&Regions(), 0, 0},               // no region: "01", the first row
      {&Regions(), 7, 6},               // written with two digits
      {&Regions(), 77, 76},
      {&Regions(), 83, 79},             // after 79, before 86
      {&Regions(), 80, std::nullopt},   // not in the table
      {&Regions(), -1, std::nullopt},
      {&DocumentTypes(), 0, std::nullopt},  // "01" is no document type
      {&DocumentTypes(), 21, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.current);
    EXPECT_EQ(BuiltInPickerRow(*c.table, c.current), c.row);
  }
}

TEST(Countries, ReadsCodesAndNamesInOrder) {
  const TCountryDirectory countries = TCountryDirectory::FromXml(W(
      "<?xml version=\"1.0\" encoding=\"windows-1251\"?><Oksm><Country Code=\"643\" Alpha2=\"RU\">РОССИЯ</Country>"
      "<c Code=\"840\" Alpha2=\" US \">СОЕДИНЕННЫЕ ШТАТЫ</c><Country Code=\"643\">ДУБЛЬ</Country></Oksm>"));
  ASSERT_EQ(countries.Countries().size(), 3u);
  EXPECT_EQ(countries.Countries()[1].Code, "840");
  EXPECT_EQ(countries.Find("643")->Name, W("РОССИЯ"));  // the first of a code
  EXPECT_EQ(countries.Find("999"), nullptr);
  EXPECT_EQ(countries.FindByAlpha2("US")->Code, "840");  // letters trimmed
  EXPECT_EQ(countries.FindByAlpha2(""), nullptr);        // a country without letters is never found by them
  EXPECT_EQ(countries.FindByAlpha2("us"), nullptr);
  EXPECT_EQ(countries.PickerRow("840"), 1u);
  EXPECT_EQ(countries.PickerRow(""), std::nullopt);
  EXPECT_EQ(countries.PickerRow("999"), std::nullopt);
}

TEST(Countries, ShippedFile) {
  const std::optional<TCountryDirectory> countries = TCountryDirectory::Load(Shipped());
  ASSERT_TRUE(countries);
  EXPECT_EQ(countries->Countries().size(), 251u);
  EXPECT_EQ(U(countries->Find("643")->Name), "РОССИЯ");
  EXPECT_EQ(U(countries->Find("840")->Name), "СОЕДИНЕННЫЕ ШТАТЫ");
  EXPECT_EQ(U(countries->Find("410")->Name), "КОРЕЯ, РЕСПУБЛИКА");
  EXPECT_EQ(countries->FindByAlpha2("US")->Code, "840");
  EXPECT_EQ(countries->FindByAlpha2("IE")->Code, "372");
  for (const TCountry& c : countries->Countries()) EXPECT_EQ(c.Alpha2.size(), 2u) << c.Code;
}

const char* const kOkvedFixture =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><OKVED2>"
    "<Item><GRUP>1</GRUP><Kod>A</Kod><Name>СЕЛЬСКОЕ ХОЗЯЙСТВО</Name></Item>"
    "<Item><GRUP>2</GRUP><Kod>A01</Kod><Name>Растениеводство</Name><OKVED>01</OKVED></Item>"
    "<Item><GRUP>3</GRUP><Kod>A01.1</Kod><Name>Однолетние культуры</Name><OKVED>01.1</OKVED></Item>"
    "<Item><GRUP>4</GRUP><Kod>A01.11</Kod><Name>Зерновые</Name><OKVED>01.11</OKVED></Item>"
    "<Item><GRUP>3</GRUP><Kod>A01.2</Kod><Name>Многолетние культуры</Name><OKVED>01.2</OKVED></Item>"
    "<Item><GRUP>2</GRUP><Kod>A02</Kod><Name>Лесоводство</Name><OKVED>02</OKVED></Item>"
    "<Item><GRUP>1</GRUP><Kod>B</Kod><Name>ДОБЫЧА</Name></Item>"
    "<Item><GRUP>2</GRUP><Kod>B05</Kod><Name>Добыча угля</Name><OKVED>05</OKVED></Item>"
    "</OKVED2>";

std::vector<std::string> Names(const TOkvedPicker& picker, int level) {
  std::vector<std::string> names;
  for (const std::string& item : picker.Items(level)) names.push_back(U(item));
  return names;
}

TEST(Okved, PickerFillsTheListsBelowAChoice) {
  const TOkvedDictionary dictionary = TOkvedDictionary::FromXml(kOkvedFixture);
  TOkvedPicker picker(dictionary);
  using V = std::vector<std::string>;
  EXPECT_EQ(Names(picker, 1), (V{"нет", "СЕЛЬСКОЕ ХОЗЯЙСТВО", "ДОБЫЧА"}));
  for (int level = 2; level <= 6; ++level) EXPECT_EQ(Names(picker, level), V{"нет"});
  EXPECT_EQ(U(picker.CodeFieldText()), "нет");
  EXPECT_FALSE(picker.CodeLongEnough());

  picker.Pick(1, 1);  // the section: every list below gets its descendants of that level
  EXPECT_EQ(Names(picker, 2), (V{"нет", "Растениеводство", "Лесоводство"}));
  EXPECT_EQ(Names(picker, 3), (V{"нет", "Однолетние культуры", "Многолетние культуры"}));
  EXPECT_EQ(Names(picker, 4), (V{"нет", "Зерновые"}));
  EXPECT_EQ(U(picker.CodeFieldText()), "нет");  // a section has no code of its own

  picker.Pick(2, 1);
  EXPECT_EQ(picker.CodeFieldText(), "01");
  EXPECT_FALSE(picker.CodeLongEnough());  // "A01": a division is too coarse
  EXPECT_EQ(std::string(TOkvedPicker::TooShortMessage()),
            "Длина кода ОКВЭД должна быть не меньше 4 знаков вклячая точку");

  picker.Pick(3, 2);
  EXPECT_EQ(picker.CodeFieldText(), "01.2");
  EXPECT_TRUE(picker.CodeLongEnough());
  EXPECT_EQ(picker.Result(), "01.2");
  EXPECT_EQ(Names(picker, 4), V{"нет"});  // 01.2 has no classes here

  picker.Pick(3, 0);  // "нет": the lists below empty, the division is the choice again
  EXPECT_EQ(picker.Result(), "01");
  EXPECT_EQ(picker.SelectedItem(3), 0u);
  EXPECT_EQ(picker.SelectedItem(2), 1u);

  picker.Pick(1, 2);  // another section: everything below starts again from it
  EXPECT_EQ(Names(picker, 2), (V{"нет", "Добыча угля"}));
  EXPECT_EQ(Names(picker, 3), V{"нет"});
  EXPECT_EQ(picker.Result(), "");
  picker.Pick(1, 0);
  EXPECT_EQ(picker.Chosen(), nullptr);
  EXPECT_EQ(Names(picker, 2), V{"нет"});
}

TEST(Okved, ShippedClassifierIsAHierarchy) {
  const std::optional<TOkvedDictionary> okved = TOkvedDictionary::Load(Shipped());
  ASSERT_TRUE(okved);
  const auto& entries = okved->Entries();
  ASSERT_EQ(entries.size(), 2899u);
  std::vector<std::size_t> perLevel(7, 0);
  std::vector<const TOkvedEntry*> parents(7, nullptr);
  for (const TOkvedEntry& e : entries) {
    ++perLevel[static_cast<std::size_t>(e.Level)];
    parents[static_cast<std::size_t>(e.Level)] = &e;
    if (e.Level == 1) {
      EXPECT_FALSE(e.Okved.has_value()) << e.Kod;
      continue;
    }
    // Every entry lies below the entry of the level above it that precedes it.
    const TOkvedEntry* parent = parents[static_cast<std::size_t>(e.Level - 1)];
    ASSERT_NE(parent, nullptr) << e.Kod;
    EXPECT_TRUE(e.Kod.starts_with(parent->Kod)) << e.Kod << " under " << parent->Kod;
    ASSERT_TRUE(e.Okved.has_value()) << e.Kod;
    EXPECT_EQ(e.Kod, parent->Kod.substr(0, 1) + *e.Okved);
  }
  EXPECT_EQ(perLevel, (std::vector<std::size_t>{0, 21, 88, 272, 623, 1228, 667}));

  TOkvedPicker picker(*okved);
  EXPECT_EQ(picker.Items(1).size(), 22u);
  picker.Pick(1, 1);  // section A: divisions 01, 02 and 03
  EXPECT_EQ(picker.Items(2).size(), 4u);
}

const char* const kRatesFixture =
    "<CurrencyRates>"
    "<Currency Code=\"840\" Name=\"Доллар США\">"
    "<Rate Date=\"30.12.2016\" Rate=\"61.2340\" Quantity=\"1\"/>"
    "<Rate Date=\"31.12.2016\" Rate=\"60.6569\" Quantity=\"1\"/>"
    "<Rate Date=\"31.12.2016\" Rate=\"99.0000\" Quantity=\"1\"/>"
    "</Currency>"
    "<Currency Code=\"392\" Name=\"Японская иена\">"  // newest first, and a comma
    "<Rate Date=\"10.01.2017\" Rate=\"52,1234\" Quantity=\"100\"/>"
    "<Rate Date=\"31.12.2016\" Rate=\"51.9000\" Quantity=\"100\"/>"
    "<Rate Date=\"01.12.2016\" Rate=\"50.0000\" Quantity=\"100\"/>"
    "</Currency>"
    "<Currency Code=\"840\" Name=\"Второй доллар\"><Rate Date=\"01.01.2000\" Rate=\"1\" Quantity=\"1\"/></Currency>"
    "</CurrencyRates>";

TEST(CurrencyRates, RateInForceOnADay) {
  const TCurrencyRates rates = TCurrencyRates::FromXml(kRatesFixture);
  struct Case {
    const char* code;
    const char* date;
    std::optional<std::int64_t> rateUnits;
  };
  const Case cases[] = {
      {"840", "31.12.2016", 606569},     // the day itself, the first entry of that day
      {"840", "01.01.2017", 606569},     // no rate of its own: the latest earlier one
      {"840", "30.12.2016", 612340},
      {"840", "29.12.2016", std::nullopt},  // before the first rate of the first currency 840
      {"392", "05.01.2017", 519000},     // latest earlier, though the file lists newest first
      {"392", "10.01.2017", 521234},
      {"392", "11.01.2017", 521234},
      {"392", "30.11.2016", std::nullopt},
      {"978", "31.12.2016", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.code) + " " + c.date);
    const std::optional<TCurrencyRate> rate = rates.FindRate(c.code, Day(c.date));
    ASSERT_EQ(rate.has_value(), c.rateUnits.has_value());
    if (rate) {
      EXPECT_EQ(rate->Rate.Units(), *c.rateUnits);
    }
  }
  EXPECT_EQ(rates.FindRate("392", Day("10.01.2017") + 0.75)->Quantity, 100);  // a time of day is ignored
  EXPECT_EQ(rates.FindCurrency("840")->Name, W("Доллар США"));
  EXPECT_EQ(rates.FindCurrency("036"), nullptr);
  EXPECT_EQ(rates.PickerRow("392"), 1u);
  EXPECT_EQ(rates.PickerRow(""), 0u);
  EXPECT_EQ(rates.PickerRow("036"), 0u);
  EXPECT_NE(TCurrencyRates::ChoiceWarning("974"), nullptr);
  EXPECT_NE(TCurrencyRates::ChoiceWarning("933"), nullptr);
  EXPECT_EQ(TCurrencyRates::ChoiceWarning("840"), nullptr);
}

TEST(CurrencyRates, ShippedRatesOfTheCentralBank) {
  const std::optional<TCurrencyRates> rates = TCurrencyRates::Load(Shipped());
  ASSERT_TRUE(rates);
  EXPECT_EQ(rates->Currencies().size(), 34u);
  struct Case {
    const char* code;
    const char* date;
    std::int64_t rateUnits;
    std::int32_t quantity;
  };
  const Case cases[] = {
      {"840", "31.12.2016", 606569, 1},       // USD: 60.6569 roubles for 1 dollar
      {"840", "09.01.2017", 606569, 1},       // holidays: the rate of 31.12.2016 stays in force
      {"840", "10.01.2017", 598961, 1},
      {"840", "05.01.2016", 729299, 1},       // 01.01.2016's rate until 11.01.2016
      {"978", "31.12.2016", 638111, 1},
      {"051", "01.12.2015", 137886, 100},     // AMD per 100
      {"156", "29.10.2016", 927824, 10},
      {"398", "30.06.2016", 189550, 100},
      {"974", "15.07.2016", 320007, 10000},   // the old Belarusian rouble's last rate
      {"208", "30.12.2015", 1067150, 10},     // DKK per 10 krone in December 2015 (3 decimals in the data)
      {"208", "01.01.2016", 106727, 1},       // and per 1 krone in January 2016
      {"208", "30.01.2016", 109744, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.code) + " " + c.date);
    const std::optional<TCurrencyRate> rate = rates->FindRate(c.code, Day(c.date));
    ASSERT_TRUE(rate);
    EXPECT_EQ(rate->Rate.Units(), c.rateUnits);
    EXPECT_EQ(rate->Quantity, c.quantity);
  }
  EXPECT_FALSE(rates->FindRate("840", Day("30.11.2015")));
  EXPECT_FALSE(rates->FindRate("933", Day("30.06.2016")));  // the new rouble from 01.07.2016
  EXPECT_EQ(U(rates->FindCurrency("840")->Name), "Доллар США");
  EXPECT_EQ(rates->FindCurrencyByAlpha("USD")->Code, "840");
  EXPECT_EQ(rates->FindCurrencyByAlpha("BYN")->Code, "933");
  EXPECT_EQ(rates->FindCurrencyByAlpha("HKD"), nullptr);  // not quoted daily in the data of the file
  for (const TCurrencyEntry& c : rates->Currencies()) EXPECT_LE(U(c.Name).size(), 60u) << c.Code;  // 30 letters
}

// Reading a damaged file of each kind: the error names the file and says what is wrong.
TEST(DictionaryFiles, DamagedFilesAreClearErrors) {
  using Reader = std::function<void(const std::string&)>;
  const Reader oksm = [](const std::string& t) { TCountryDirectory::FromXml(t); };
  const Reader okved = [](const std::string& t) { TOkvedDictionary::FromXml(t); };
  const Reader rates = [](const std::string& t) { TCurrencyRates::FromXml(t); };
  const Reader inspections = [](const std::string& t) { TInspectionDirectory::FromXml(t); };
  struct Case {
    const Reader* read;
    const char* file;
    std::string text;
    const char* says;
  };
  const Case cases[] = {
      {&oksm, "Oksm.xml", "<Oksm><Country Code=\"643\">", "не является правильным XML-документом"},
      {&oksm, "Oksm.xml", "", "не является правильным XML-документом"},
      {&oksm, "Oksm.xml", "<Oksm><Country>РОССИЯ</Country></Oksm>", "нет атрибута Code"},
      {&okved, "Sp_OKVED2.xml", "<O><I><GRUP>1</GRUP><Name>x</Name></I></O>", "нет элемента Kod"},
      {&okved, "Sp_OKVED2.xml", "<O><I><GRUP>7</GRUP><Kod>A</Kod><Name>x</Name></I></O>", "не от 1 до 6"},
      {&okved, "Sp_OKVED2.xml", "<O><I><GRUP></GRUP><Kod>A</Kod><Name>x</Name></I></O>", "не от 1 до 6"},
      {&rates, "CurrencyRates.xml", "<R><C Name=\"x\"/></R>", "нет атрибута Code"},
      {&rates, "CurrencyRates.xml", "<R><C Code=\"1\" Name=\"x\"><Rate Rate=\"1\" Quantity=\"1\"/></C></R>",
       "нет атрибута Date"},
      {&rates, "CurrencyRates.xml", "<R><C Code=\"1\" Name=\"x\"><Rate Date=\"31.02.2016\" Rate=\"1\" Quantity=\"1\"/></C></R>",
       "не в виде ДД.ММ.ГГГГ"},
      {&rates, "CurrencyRates.xml", "<R><C Code=\"1\" Name=\"x\"><Rate Date=\"01.02.2016\" Rate=\"x\" Quantity=\"1\"/></C></R>",
       "не является числом"},
      {&rates, "CurrencyRates.xml", "<R><C Code=\"1\" Name=\"x\"><Rate Date=\"01.02.2016\" Rate=\"-1\" Quantity=\"1\"/></C></R>",
       "отрицателен"},
      {&rates, "CurrencyRates.xml", "<R><C Code=\"1\" Name=\"x\"><Rate Date=\"01.02.2016\" Rate=\"1\" Quantity=\"0\"/></C></R>",
       "меньше 1"},
      {&rates, "CurrencyRates.xml", "<R><C Code=\"1\" Name=\"x\"><Rate Date=\"01.02.2016\" Rate=\"1\" Quantity=\"1e9\"/></C></R>",
       "не является целым числом"},
      {&inspections, "InspectionNumbers.xml", "<Inspections><Inspection>Без кода</Inspection></Inspections>",
       "нет атрибута Code"},
      {&inspections, "InspectionNumbers.xml", "<Inspections><Inspection Code=\"0101\">&</Inspection></Inspections>",
       "не является правильным XML-документом"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    try {
      (*c.read)(c.text);
      ADD_FAILURE() << "read";
    } catch (const EDictionaryError& e) {
      EXPECT_EQ(e.FileName(), c.file);
      EXPECT_NE(std::string(e.what()).find(std::string("«") + c.file + "»"), std::string::npos) << e.what();
      EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << e.what();
    }
  }
}

TEST(DictionaryFiles, TheDataFolderIsReadBeforeTheShippedCopy) {
  testing::TempDir data;
  const TDictionaryFolders folders{TALVER_SOURCE_DIR, data.path()};
  EXPECT_EQ(LocateDictionaryFile(folders, kOksmFileName),
            std::filesystem::path(TALVER_SOURCE_DIR) / "resources" / kOksmFileName);
  testing::WriteFile(data / kOksmFileName, "<Oksm><Country Code=\"001\">СВОЯ</Country></Oksm>");
  EXPECT_EQ(LocateDictionaryFile(folders, kOksmFileName), data / kOksmFileName);
  EXPECT_EQ(TCountryDirectory::Load(folders)->Countries().size(), 1u);
  EXPECT_EQ(WritableDictionaryPath(folders, kInspectionsFileName), data / kInspectionsFileName);

  // Neither copy: the program goes without that dictionary.
  const TDictionaryFolders nowhere{data / "no-program", data / "no-data"};
  EXPECT_EQ(LocateDictionaryFile(nowhere, kCurrencyRatesFileName), std::nullopt);
  EXPECT_FALSE(TCurrencyRates::Load(nowhere).has_value());
  EXPECT_FALSE(TOkvedDictionary::Load(nowhere).has_value());
  EXPECT_FALSE(TInspectionDirectory::Load(nowhere).has_value());

  // A damaged file in the data folder is reported, not passed over for the shipped one.
  testing::WriteFile(data / kOksmFileName, "<Oksm>");
  EXPECT_THROW(TCountryDirectory::Load(folders), EDictionaryError);
}

TEST(DictionaryFiles, AnInstalledProgramReadsTheCopiesInShareOfItsPrefix) {
  testing::TempDir prefix;
  std::filesystem::create_directories(prefix / "bin");
  std::filesystem::create_directories(prefix / "share/talver");
  testing::WriteFile(prefix / "share/talver" / kOksmFileName, "<Oksm><Country Code=\"643\">РОССИЯ</Country></Oksm>");
  const TDictionaryFolders installed{prefix / "bin", prefix / "data"};
  EXPECT_EQ(LocateDictionaryFile(installed, kOksmFileName), prefix / "share/talver" / kOksmFileName);
  EXPECT_EQ(TCountryDirectory::Load(installed)->Countries().size(), 1u);
  EXPECT_EQ(LocateDictionaryFile(installed, kOkvedFileName), std::nullopt);
}

}  // namespace
}  // namespace talver
