// The dictionary files the program ships, read through the program's own readers: their sizes
// and telling entries, and, where the reference data folder they are generated from is at hand,
// every entry against it. A file generated from an older state of that folder, or by a script
// that drops or alters rows, fails here.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "dictionaries/Countries.h"
#include "dictionaries/CurrencyRates.h"
#include "dictionaries/Inspections.h"
#include "dictionaries/Okved.h"
#include "platform/Dates.h"
#include "platform/Text1251.h"

namespace talver {
namespace {

std::string U(const std::string& cp1251) { return Cp1251ToUtf8(cp1251); }
TDate Day(const char* text) { return TextToDate(text, '.'); }
TDictionaryFolders Shipped() { return {TALVER_SOURCE_DIR, {}}; }

TEST(ShippedData, SizesAndTellingEntries) {
  const std::optional<TInspectionDirectory> inspections = TInspectionDirectory::Load(Shipped());
  ASSERT_TRUE(inspections);
  EXPECT_EQ(inspections->Inspections().size(), 961u);
  ASSERT_NE(inspections->Find("7701"), nullptr);
  EXPECT_EQ(U(inspections->Find("7701")->Name), "Инспекция Федеральной налоговой службы № 1 по г.Москве");
  // The Nenets district is served from Arkhangelsk: there is no inspection of region 83.
  EXPECT_EQ(U(inspections->Find("2983")->Name),
            "Межрайонная инспекция Федеральной налоговой службы № 4 по Архангельской области и Ненецкому "
            "автономному округу");
  EXPECT_EQ(U(inspections->Find("0400")->Name), "Управление Федеральной налоговой службы по Республике Алтай");

  const std::optional<TCurrencyRates> rates = TCurrencyRates::Load(Shipped());
  ASSERT_TRUE(rates);
  std::size_t rateCount = 0;
  for (const TCurrencyEntry& c : rates->Currencies()) rateCount += c.Rates.size();
  EXPECT_EQ(rateCount, 10944u);
  // The rates themselves, the Danish krone's nominal among them: CurrencyRates.ShippedRatesOfTheCentralBank.

  const std::optional<TOkvedDictionary> okved = TOkvedDictionary::Load(Shipped());
  ASSERT_TRUE(okved);
  EXPECT_EQ(okved->Entries().size(), 2899u);
  const auto found = std::find_if(okved->Entries().begin(), okved->Entries().end(),
                                  [](const TOkvedEntry& e) { return e.Okved == "74.90.92"; });
  ASSERT_NE(found, okved->Entries().end());
  // The data hold a TAB in this name; the program reads it as a blank.
  EXPECT_EQ(found->Name.find('\t'), std::string::npos);
  EXPECT_NE(U(found->Name).find("по разработке информационных"), std::string::npos) << U(found->Name);

  const std::optional<TCountryDirectory> countries = TCountryDirectory::Load(Shipped());
  ASSERT_TRUE(countries);
  EXPECT_EQ(countries->Countries().size(), 251u);
  EXPECT_EQ(U(countries->Find("807")->Name), "СЕВЕРНАЯ МАКЕДОНИЯ");  // as the data give it
}

// ---- against the reference data folder ----

// The folder's rows without the header, each split on ';' into at most `fields` parts.
std::vector<std::vector<std::string>> Rows(const std::filesystem::path& file, std::size_t fields) {
  std::ifstream in(file, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::vector<std::string>> rows;
  std::size_t start = text.find('\n') + 1;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    start = end + 1;
    if (line.empty()) continue;
    std::vector<std::string> parts;
    std::size_t from = 0;
    while (parts.size() + 1 < fields) {
      const std::size_t semicolon = line.find(';', from);
      if (semicolon == std::string::npos) break;
      parts.push_back(line.substr(from, semicolon - from));
      from = semicolon + 1;
    }
    parts.push_back(line.substr(from));
    rows.push_back(std::move(parts));
  }
  return rows;
}

// "60.6569" or "106.715" as ten-thousandths.
std::int64_t RateUnits(const std::string& text) {
  const std::size_t point = text.find('.');
  std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
  fraction.resize(4, '0');
  return std::stoll(text.substr(0, point)) * 10000 + std::stoll(fraction);
}

class AgainstTheDataFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::is_regular_file(data_ / "inspections.csv")) {
      GTEST_SKIP() << "the reference data folder is not here: " << data_;
    }
  }
  const std::filesystem::path data_ = TALVER_REFERENCE_DATA_DIR;
};

TEST_F(AgainstTheDataFolder, EveryInspection) {
  std::vector<std::pair<std::string, std::string>> expected;
  for (const auto& row : Rows(data_ / "inspections.csv", 2)) expected.emplace_back(row[0], row[1]);
  std::vector<std::pair<std::string, std::string>> shipped;
  const TInspectionDirectory directory = *TInspectionDirectory::Load(Shipped());
  for (const TInspection& i : directory.Inspections()) shipped.emplace_back(i.Code, U(i.Name));
  EXPECT_EQ(shipped, expected);
}

TEST_F(AgainstTheDataFolder, EveryRateWithItsNominal) {
  using Entry = std::tuple<TDate, std::int64_t, std::int32_t>;
  std::map<std::string, std::vector<Entry>> expected;
  for (const auto& row : Rows(data_ / "cbr-rates-2015-2017.csv", 5)) {
    expected[row[1]].emplace_back(Day(row[0].c_str()), RateUnits(row[4]), std::stoi(row[3]));
  }
  std::map<std::string, std::vector<Entry>> shipped;
  const TCurrencyRates rates = *TCurrencyRates::Load(Shipped());
  for (const TCurrencyEntry& c : rates.Currencies()) {
    for (const TCurrencyRate& r : c.Rates) shipped[c.Code].emplace_back(r.Date, r.Rate.Units(), r.Quantity);
  }
  for (auto* byCode : {&expected, &shipped}) {
    for (auto& [code, entries] : *byCode) std::sort(entries.begin(), entries.end());
  }
  EXPECT_EQ(shipped, expected);
}

TEST_F(AgainstTheDataFolder, EveryActivityAndCountry) {
  std::vector<std::tuple<int, std::string, std::string>> expected;
  for (auto row : Rows(data_ / "okved2.csv", 3)) {
    // A TAB reads as a blank; the one in the data stands beside a blank.
    std::replace(row[2].begin(), row[2].end(), '\t', ' ');
    for (std::size_t twice; (twice = row[2].find("  ")) != std::string::npos;) row[2].erase(twice, 1);
    expected.emplace_back(std::stoi(row[0]), row[1], row[2]);
  }
  std::vector<std::tuple<int, std::string, std::string>> shipped;
  const TOkvedDictionary okved = *TOkvedDictionary::Load(Shipped());
  for (const TOkvedEntry& e : okved.Entries()) {
    shipped.emplace_back(e.Level, e.Okved.value_or(e.Kod), U(e.Name));
  }
  EXPECT_EQ(shipped, expected);

  std::vector<std::pair<std::string, std::string>> countries;
  for (const auto& row : Rows(data_ / "oksm.csv", 5)) countries.emplace_back(row[0], row[1]);
  std::vector<std::pair<std::string, std::string>> shippedCountries;
  const TCountryDirectory directory = *TCountryDirectory::Load(Shipped());
  for (const TCountry& c : directory.Countries()) shippedCountries.emplace_back(c.Code, U(c.Name));
  EXPECT_EQ(shippedCountries, countries);
}

}  // namespace
}  // namespace talver
