// The built-in income code dictionary against the published table of codes, rates, marks,
// deduction lists, attribute profiles, limits and norms, and the two pickers over it.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "dictionaries/DictionaryError.h"
#include "dictionaries/IncomeDictionary.h"
#include "platform/Text1251.h"

namespace talver {
namespace {

std::string W(const std::string& utf8) { return Utf8ToCp1251(utf8); }

std::vector<std::string> Split(const std::string& text) {
  std::istringstream in(text);
  return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

const std::vector<std::string> kIncomeOrder = Split(
    "1000 1001 1010 1011 1012 1110 1120 1200 1201 1202 1203 1211 1212 1213 1215 1219 1220 1240 1300 1301 1400 "
    "1510 1511 1512 1520 1530 1536 1531 1532 1535 1533 1537 9537 1538 9538 1544 1549 1545 1546 1548 1547 1551 "
    "9551 1552 9552 1540 1542 1550 1560 1570 2000 2001 2002 2003 2010 2012 2201 2202 2203 2204 2205 2206 2207 "
    "2208 2209 2210 2220 2300 2400 2510 2520 2530 2610 2620 2630 2640 2641 2710 2720 2730 2740 2750 2760 2761 "
    "2762 2770 2780 2790 2800 2900 3010 3020 3022 4800 4900 4910 4920");

// Deductions of each income, without the closing "0".
const std::map<std::string, std::string> kDeductionsOf = {
    {"1211", "510"},      {"1510", "901 903"}, {"1511", "904 903"}, {"1512", "902 903"}, {"1520", "906 903"},
    {"1530", "201 218"},  {"1536", "203"},     {"1531", "202 219"}, {"1532", "206"},     {"1535", "207"},
    {"1533", "220"},      {"1537", "211"},     {"9537", "211"},     {"1538", "215"},     {"9538", "215"},
    {"1544", "225 233"},  {"1549", "227"},     {"1545", "226 234"}, {"1546", "228"},     {"1548", "229"},
    {"1547", "235"},      {"1551", "230"},     {"9551", "230"},     {"1552", "232"},     {"9552", "232"},
    {"1540", "905 315"},  {"1542", "907 316"}, {"1550", "314"},     {"1560", "317"},     {"1570", "318"},
    {"2010", "403"},      {"2201", "404 405"}, {"2202", "404 405"}, {"2203", "404 405"}, {"2204", "404 405"},
    {"2205", "404 405"},  {"2206", "404 405"}, {"2207", "404 405"}, {"2208", "404 405"}, {"2209", "404 405"},
    {"2720", "501"},      {"2730", "502"},     {"2740", "505"},     {"2760", "503"},     {"2761", "506"},
    {"2762", "508"},      {"2770", "504"},     {"2790", "507"},     {"4900", "908"},     {"4910", "910"},
    {"4920", "912"},
};

struct Profile {
  bool Visible, Enabled, Equivalent;
  std::int64_t MaxSumRoubles;
};

std::map<std::string, Profile> ProfilesOfTheTable() {
  std::map<std::string, Profile> profiles;
  const auto set = [&](const char* codes, Profile p) {
    for (const std::string& code : Split(codes)) profiles[code] = p;
  };
  set("510", {true, true, true, 12000});
  set("501 502 503 504 505 506", {true, true, true, 4000});
  set("507", {true, true, true, 10000});
  set("905 907", {true, true, true, 250000});
  set("901", {true, false, true, 1000000});
  set("904", {true, true, false, 1000000});
  set("902 906", {true, true, false, 250000});
  set("405", {true, false, false, 0});
  set("201 202 203 206 207 211 215 218 219 220 225 226 227 228 229 230 232 233 234 235 314 315 316 317 318 403 "
      "404 508 903 908 910 912",
      {true, true, false, 0});
  set("0", {false, true, false, 0});
  return profiles;
}

const std::map<std::string, int> kNormOf405 = {{"2201", 20}, {"2202", 30}, {"2203", 40}, {"2204", 30}, {"2205", 40},
                                                {"2206", 25}, {"2207", 20}, {"2208", 20}, {"2209", 30}};

TEST(IncomeDictionary, BuiltInEqualsTheTableOfCodes) {
  const TIncomeDictionary dictionary = TIncomeDictionary::LoadBuiltIn();
  const std::vector<TIncomeCode>& incomes = dictionary.Incomes();
  std::vector<std::string> codes;
  for (const TIncomeCode& income : incomes) codes.push_back(income.Code);
  ASSERT_EQ(codes, kIncomeOrder);

  const auto codesOf = [](const char* text) {
    const std::vector<std::string> list = Split(text);
    return std::set<std::string>(list.begin(), list.end());
  };
  const std::set<std::string> rate99 = codesOf("1000 1001"), rate14 = codesOf("1010 1012"),
                              rate9 = codesOf("1110 1120"), rate35 = codesOf("2610 2620 2740 3020 3022");
  const std::set<std::string> saleDate = codesOf(
      "1510 1511 1512 1520 1530 1536 1531 1532 1535 1533 1537 9537 1538 9538 1544 1549 1545 1546 1548 1547 1551 "
      "9551 1552 9552");
  const std::set<std::string> nrez13 = codesOf("2000 2001 2002 2003 2010 2012 2300 2530");
  const std::map<std::string, Profile> profiles = ProfilesOfTheTable();

  for (const TIncomeCode& income : incomes) {
    SCOPED_TRACE(income.Code);
    const std::string rate = rate99.count(income.Code)   ? "99"
                             : rate14.count(income.Code) ? "14"
                             : rate9.count(income.Code)  ? "9"
                             : rate35.count(income.Code) ? "35"
                                                         : "13";
    EXPECT_EQ(income.Stav, rate);
    EXPECT_EQ(income.Rate(), std::stoi(rate));
    EXPECT_EQ(income.SaleDate, saleDate.count(income.Code) == 1);
    EXPECT_EQ(income.NRez13, nrez13.count(income.Code) == 1);
    EXPECT_FALSE(income.Name.empty());

    std::vector<std::string> deductions;
    for (const TDeductionCode& d : income.Deductions) deductions.push_back(d.Code);
    const auto listed = kDeductionsOf.find(income.Code);
    if (listed == kDeductionsOf.end()) {
      EXPECT_TRUE(deductions.empty());
      continue;
    }
    std::vector<std::string> expected = Split(listed->second);
    expected.push_back("0");
    EXPECT_EQ(deductions, expected);
    for (const TDeductionCode& d : income.Deductions) {
      SCOPED_TRACE(d.Code);
      const Profile& p = profiles.at(d.Code);
      EXPECT_EQ(d.Visible, p.Visible);
      EXPECT_EQ(d.Enabled, p.Enabled);
      EXPECT_EQ(d.Equivalent, p.Equivalent);
      EXPECT_EQ(d.MaxSum, Currency::FromRoubles(p.MaxSumRoubles));
      EXPECT_EQ(d.Norm, d.Code == "405" ? kNormOf405.at(income.Code) : 0);
    }
  }
}

TEST(IncomeDictionary, QuotedNamesStandAsPublished) {
  const TIncomeDictionary dictionary = TIncomeDictionary::LoadBuiltIn();
  const std::pair<const char*, const char*> incomes[] = {
      {"1000", "Суммы прибыли контролируемых иностранных компаний"},
      {"1010", "Дивиденды"},
      {"1211", "Доходы, полученные в виде сумм страховых взносов за ФЛ из средств работодателя"},
      {"1510", "Доходы от продажи жилых домов, квартир, комнат, дач, садовых домиков, земельных участков (кроме долей)"},
      {"1511", "Доходы от продажи доли в жилом доме, квартире, комнате, даче, садовом домике, земельном участке"},
      {"1530", "Доходы от реализации ЦБ (обращ-ся на орг. рынке ЦБ)"},
      {"2000", "Заработная плата и другие выплаты во исполнение трудового договора (кроме договоров ГП характера)"},
      {"2201", "Авторские вознаграждения за создание литературных произведений"},
      {"2620", "Мат. выгода от экономии на процентах по кред. средств. на новое стр-во (не облагаемая)"},
      {"2760", "Суммы мат. помощи от работодателей согласно п.28 ст.217 НК"},
  };
  for (const auto& [code, name] : incomes) {
    SCOPED_TRACE(code);
    ASSERT_NE(dictionary.FindIncome(code), nullptr);
    EXPECT_EQ(dictionary.FindIncome(code)->Name, W(name));
  }
  const std::tuple<const char*, const char*, const char*> deductions[] = {
      {"1211", "0", "Не предоставлять вычет"},
      {"1211", "510", "Вычет в сумме уплаченных работодателем страховых взносов за работника (в пределах 12 000)"},
      {"1510", "901", "Продажа имущ-ва, наход-ся в собст-ти менее 3 лет (в пределах 1 000 000 руб.)"},
      {"1510", "903", "В сумме документально подтвержденных расходов "},
      {"2205", "405", "В пределах норматива затрат"},
      {"2760", "503", "Вычет из стоимости материальной помощи"},
  };
  for (const auto& [income, code, name] : deductions) {
    SCOPED_TRACE(code);
    ASSERT_NE(dictionary.FindDeduction(income, code), nullptr);
    EXPECT_EQ(dictionary.FindDeduction(income, code)->Name, W(name));
  }
}

// Names that once described another income than the code meant for 2016, or left out what
// decides the choice: each holds the words that tell its code apart, and not the old meaning.
TEST(IncomeDictionary, NamesTellTheirCodesApart) {
  const TIncomeDictionary dictionary = TIncomeDictionary::LoadBuiltIn();
  struct Case {
    const char* income;
    const char* deduction;  // nullptr: the income's own name
    const char* says;
    const char* notSays;
  };
  const Case cases[] = {
      {"1201", nullptr, "санаторно-курортных путевок", "жизни"},
      {"1202", nullptr, "страхования жизни при дожитии", "пенсионного"},
      {"1203", nullptr, "имущественного страхования", "Выкупные"},
      {"1213", nullptr, "расторжении договоров добровольного пенсионного страхования", "имущественного"},
      {"1215", nullptr, "расторжении договоров негосударственного пенсионного", "не работодателем"},
      {"1219", nullptr, "социальный вычет", "личного страхования"},
      {"1220", nullptr, "социальный вычет", "Пенсии"},
      {"1240", nullptr, "Пенсии по договорам негосударственного", "Выкупные"},
      {"1301", nullptr, "отчуждения", "программ для ЭВМ"},
      {"2205", nullptr, "оригинальной музыки для кино-", nullptr},
      {"2209", nullptr, "первые два года", nullptr},
      {"2210", nullptr, "наследникам", "иных результатов"},
      {"2220", nullptr, "кроме дарения членами семьи", nullptr},
      {"2750", nullptr, "не в целях рекламы", "игр"},
      {"2780", nullptr, "медикаментов", "лотере"},
      {"1530", "218", "короткой позиции", "займ"},
      {"1531", "219", "короткой позиции", "займ"},
      {"1544", "233", "короткой позиции", "займ"},
      {"1545", "234", "короткой позиции", "займ"},
      {"2762", "508", "50 000 на каждого ребенка", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.income) + (c.deduction ? std::string("/") + c.deduction : ""));
    const TIncomeCode* income = dictionary.FindIncome(c.income);
    ASSERT_NE(income, nullptr);
    const TDeductionCode* deduction = c.deduction ? dictionary.FindDeduction(c.income, c.deduction) : nullptr;
    if (c.deduction) {
      ASSERT_NE(deduction, nullptr);
    }
    const std::string name = Cp1251ToUtf8(deduction ? deduction->Name : income->Name);
    EXPECT_NE(name.find(c.says), std::string::npos) << name;
    if (c.notSays) {
      EXPECT_EQ(name.find(c.notSays), std::string::npos) << name;
    }
  }
}

TEST(IncomeDictionary, EmbeddedTextIsTheShippedFile) {
  std::ifstream in(std::string(TALVER_SOURCE_DIR) + "/resources/IncomeDict.xml", std::ios::binary);
  const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(std::string(BuiltInIncomeDictText()), file);
  EXPECT_EQ(file.rfind("<?xml version=\"1.0\" encoding=\"windows-1251\"?>", 0), 0u);
}

TEST(IncomeDictionary, IncomePickerListsByTheRateFilter) {
  const TIncomeDictionary dictionary = TIncomeDictionary::LoadBuiltIn();
  struct Case {
    const char* filter;
    bool nrez13;
    std::size_t rows;
  };
  const Case cases[] = {{"", false, 97}, {"100", false, 90}, {"13", false, 86}, {"13", true, 8}, {"35", false, 5},
                        {"35", true, 0}, {"7", false, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.filter) + (c.nrez13 ? " NRez13" : ""));
    EXPECT_EQ(TIncomeCodePicker(dictionary, c.filter, c.nrez13).Rows().size(), c.rows);
  }
  const auto has = [&](const char* filter, const char* code) {
    const auto rows = dictionary.ListIncomes(filter, false);
    return std::any_of(rows.begin(), rows.end(), [&](const TIncomeCode* i) { return i->Code == code; });
  };
  // 2620 is offered at 35 % but not to a non-resident's 13 % dialog, although its rate is 35.
  EXPECT_TRUE(has("35", "2620"));
  EXPECT_FALSE(has("100", "2620"));
  EXPECT_TRUE(has("100", "2610"));
  EXPECT_FALSE(has("100", "1010"));
}

TEST(IncomeDictionary, IncomePickerSelectsAndReturns) {
  const TIncomeDictionary dictionary = TIncomeDictionary::LoadBuiltIn();
  const TIncomeCodePicker all(dictionary, "", false);
  EXPECT_EQ(all.InitialRow("1536"), 26u);  // not sorted: 1536 stands between 1530 and 1531
  EXPECT_EQ(all.InitialRow("7777"), 0u);
  EXPECT_EQ(all.InitialRow(""), 0u);
  const std::optional<TIncomePick> pick = all.Choose(*all.InitialRow("1010"));
  ASSERT_TRUE(pick);
  EXPECT_EQ(pick->Code, "1010");
  EXPECT_EQ(pick->Rate, 14);  // the income's own rate with no filter
  EXPECT_FALSE(pick->HasDeductions);
  EXPECT_FALSE(all.Choose(97).has_value());

  const TIncomeCodePicker nonResident(dictionary, "100", false);
  const std::optional<TIncomePick> gift = nonResident.Choose(*nonResident.InitialRow("2720"));
  EXPECT_EQ(gift->Rate, 100);  // the filter itself
  EXPECT_TRUE(gift->HasDeductions);

  EXPECT_FALSE(TIncomeCodePicker(dictionary, "35", true).InitialRow("2610").has_value());
}

TEST(IncomeDictionary, DeductionPickerListsAndReturnsAttributes) {
  const TIncomeDictionary dictionary = TIncomeDictionary::LoadBuiltIn();
  const auto codes = [&](const char* income, bool full) {
    std::vector<std::string> out;
    const TDeductionCodePicker picker(dictionary, income, full);
    for (const TDeductionCode* d : picker.Rows()) out.push_back(d->Code);
    return out;
  };
  EXPECT_EQ(codes("2010", true), Split("403 0"));
  EXPECT_EQ(codes("2010", false), Split("0"));
  EXPECT_EQ(codes("2760", false), Split("503 0"));
  EXPECT_EQ(codes("1530", false), Split("201 218 0"));
  EXPECT_EQ(codes("1510", false), Split("0"));
  EXPECT_TRUE(codes("2000", true).empty());
  EXPECT_TRUE(codes("9999", true).empty());

  const TDeductionCodePicker picker(dictionary, "2206", true);
  EXPECT_EQ(picker.InitialRow("405"), 1u);
  EXPECT_EQ(picker.InitialRow("510"), 0u);  // not listed: the first row
  const std::optional<TDeductionCode> norm = picker.Choose(1);
  ASSERT_TRUE(norm);
  EXPECT_EQ(norm->Norm, 25);
  EXPECT_FALSE(norm->Enabled);
  EXPECT_FALSE(TDeductionCodePicker(dictionary, "2000", true).InitialRow("0").has_value());
}

TEST(IncomeDictionary, DamagedTextIsAClearError) {
  const std::string head = "<?xml version=\"1.0\" encoding=\"windows-1251\"?><IncomeDict>";
  const std::string deduction = "Name=\"d\" Stav=\" \" Visible=\"True\" Enabled=\"True\" Equivalent=\"False\"";
  struct Case {
    std::string text;
    const char* says;
  };
  const Case cases[] = {
      {"<IncomeDict><Income", "не является правильным XML-документом"},
      {head + "<Income Code=\"1\" Name=\"n\"/></IncomeDict>", "нет атрибута Stav"},
      {head + "<Income Code=\"1\" Name=\"n\" Stav=\"x3\"/></IncomeDict>", "не является целым числом"},
      {head + "<Income Code=\"1\" Name=\"n\" Stav=\"13\"><Deduction Code=\"0\" " + deduction +
           "/></Income></IncomeDict>",
       "нет атрибута MaxSum"},
      {head + "<Income Code=\"1\" Name=\"n\" Stav=\"13\"><Deduction Code=\"0\" " + deduction +
           " MaxSum=\"много\"/></Income></IncomeDict>",
       "не является суммой"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    try {
      TIncomeDictionary::FromXml(c.text);
      ADD_FAILURE() << "loaded";
    } catch (const EDictionaryError& e) {
      EXPECT_NE(std::string(e.what()).find("IncomeDict.xml"), std::string::npos) << e.what();
      EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << e.what();
      EXPECT_EQ(e.FileName(), "IncomeDict.xml");
    }
  }
}

TEST(IncomeDictionary, ReadsAnyTextOfTheSameForm) {
  const TIncomeDictionary small = TIncomeDictionary::FromXml(
      "<IncomeDict><Comment/><Income Code=\"5000\" Name=\"x\" Stav=\" \" SaleDate=\"true\" NRez13=\"True\">"
      "<Deduction Code=\"7\" Name=\"y\" Stav=\"15\" Visible=\"True\" Enabled=\"False\" Equivalent=\"True\" "
      "MaxSum=\"100.50\"/></Income></IncomeDict>");
  ASSERT_EQ(small.Incomes().size(), 1u);
  const TIncomeCode& income = small.Incomes()[0];
  EXPECT_EQ(income.Rate(), 0);        // blank reads as 0
  EXPECT_FALSE(income.SaleDate);      // only "True" is true
  EXPECT_TRUE(income.NRez13);
  EXPECT_EQ(income.Deductions.at(0).Norm, 15);
  EXPECT_EQ(income.Deductions.at(0).MaxSum, Currency::FromKopecks(10050));
}

}  // namespace
}  // namespace talver
