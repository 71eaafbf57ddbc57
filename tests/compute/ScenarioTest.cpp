// The worked returns: every section 1 line, every section 2 value and the sheet values given
// by hand in the scenario fixtures.
#include <gtest/gtest.h>

#include <map>

#include "compute/SvodSum.h"
#include "tests/scenarios/Scenarios.h"
#include "tests/scenarios/SummaryValues.h"

namespace talver {
namespace testing {
// Names the scenario in test output instead of its bytes.
void PrintTo(const Scenario& scenario, std::ostream* os) { *os << scenario.Name; }
}  // namespace testing
namespace {

const std::map<std::string, const kTSvodSumListValues* (*)(const kTSvodSum&)>& Section2Components() {
  static const std::map<std::string, const kTSvodSumListValues* (*)(const kTSvodSum&)> all = {
      {"List1", [](const kTSvodSum& s) -> const kTSvodSumListValues* { return &s.List1; }},
      {"ListKIK", [](const kTSvodSum& s) -> const kTSvodSumListValues* { return &s.ListKIK; }},
      {"ListDiv", [](const kTSvodSum& s) -> const kTSvodSumListValues* { return &s.ListDiv; }},
      {"List2", [](const kTSvodSum& s) -> const kTSvodSumListValues* { return &s.List2; }},
      {"List3", [](const kTSvodSum& s) -> const kTSvodSumListValues* { return &s.List3; }},
      {"List4", [](const kTSvodSum& s) -> const kTSvodSumListValues* { return &s.List4; }},
      {"List5", [](const kTSvodSum& s) -> const kTSvodSumListValues* { return &s.List5; }},
  };
  return all;
}

class ScenarioTest : public ::testing::TestWithParam<testing::Scenario> {};

TEST_P(ScenarioTest, EveryLineAndValueAsWorkedOut) {
  const testing::Scenario& scenario = GetParam();
  SCOPED_TRACE(scenario.Covers);
  std::unique_ptr<mTDeclaration> d = scenario.Build();
  kTSvodSum s;
  EXPECT_EQ(s.Compute(*d), scenario.Result);

  ASSERT_EQ(s.List6.Lines.size(), scenario.Section1.size());
  for (std::size_t i = 0; i < scenario.Section1.size(); ++i) {
    SCOPED_TRACE("section 1 line " + std::to_string(i + 1));
    const bmTList1& line = s.List6.Lines[i];
    const testing::ExpectedLine& expected = scenario.Section1[i];
    EXPECT_EQ(line.КБК, expected.КБК);
    EXPECT_EQ(line.ОКТМО, expected.ОКТМО);
    EXPECT_EQ(line.ПрУплВозв, expected.ПрУплВозв);
    EXPECT_EQ(line.Сумма, expected.Сумма);
  }

  // Every section 2 value: as listed, or zero.
  std::map<std::pair<std::string, std::string>, Currency> expected;
  for (const testing::ExpectedSection2& block : scenario.Section2) {
    ASSERT_TRUE(Section2Components().count(block.Component)) << block.Component;
    EXPECT_EQ(Section2Components().at(block.Component)(s)->Ставка, block.Ставка) << block.Component;
    for (const auto& [attribute, amount] : block.Values) expected[{block.Component, attribute}] = amount;
  }
  std::size_t matched = 0;
  for (const testing::NamedValue& v : testing::SummaryValues(s)) {
    if (!Section2Components().count(v.Component)) continue;
    const auto it = expected.find({v.Component, v.Attribute});
    const Currency want = it == expected.end() ? Currency() : it->second;
    if (it != expected.end()) ++matched;
    EXPECT_EQ(v.Amount, want) << v.Component << " " << v.Attribute;
  }
  EXPECT_EQ(matched, expected.size()) << "a listed section 2 attribute does not exist";

  for (const testing::ExpectedValue& v : scenario.Sheets) {
    const std::optional<Currency> actual = testing::FindValue(s, v.Component, v.Element, v.Attribute);
    ASSERT_TRUE(actual.has_value()) << v.Component << " " << v.Element << " " << v.Attribute;
    EXPECT_EQ(*actual, v.Amount) << v.Component << " " << v.Element << " " << v.Attribute;
  }
}

INSTANTIATE_TEST_SUITE_P(WorkedReturns, ScenarioTest, ::testing::ValuesIn(testing::Scenarios()),
                         [](const ::testing::TestParamInfo<testing::Scenario>& param) { return param.param.Name; });

}  // namespace
}  // namespace talver
