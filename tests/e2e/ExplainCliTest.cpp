// talver-cli explain on the examples, as a user runs it: the JSON holds by its own rules and
// agrees with summary, and the text gives one tree a line of section 1 in words and amounts.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

#include "platform/Math2.h"
#include "platform/NumberText.h"
#include "tests/e2e/CliRunner.h"

namespace talver {
namespace {

using nlohmann::json;
using testing::ReadFile;
using testing::RunCli;
using testing::TempDir;
using testing::WriteFile;

std::vector<std::filesystem::path> Examples() {
  std::vector<std::filesystem::path> examples;
  for (const auto& entry : std::filesystem::directory_iterator(TALVER_EXAMPLES_DIR)) {
    if (entry.path().extension() == ".json") examples.push_back(entry.path());
  }
  std::sort(examples.begin(), examples.end());
  return examples;
}

Currency Amount(const json& value) { return TextToCurrency(value.get<std::string>(), '.'); }

class ExplainCli : public ::testing::TestWithParam<std::filesystem::path> {
 protected:
  void SetUp() override { ASSERT_EQ(RunCli({"build", GetParam().string(), "-o", "return.tv6"}, dir.path()).Code, 0); }
  TempDir dir;
};

TEST_P(ExplainCli, JsonHoldsByItsOperationsEndsInInputsAndAgreesWithSummary) {
  const testing::CliRun run = RunCli({"explain", "return.tv6", "--json"}, dir.path());
  ASSERT_EQ(run.Code, 0) << run.Err;
  EXPECT_EQ(run.Err, "");
  const json explained = json::parse(run.Out);
  const json summary = json::parse(RunCli({"summary", "return.tv6"}, dir.path()).Out);
  const json& figures = explained.at("figures");

  const json& lines = explained.at("lines");
  ASSERT_EQ(lines.size(), summary.at("List6").at("Lines").size());
  ASSERT_FALSE(lines.empty());
  std::vector<std::string> pending;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const json& line = lines[i];
    const json& expected = summary["List6"]["Lines"][i];
    EXPECT_EQ(line.at("КБК"), expected.at("КБК"));
    EXPECT_EQ(line.at("ОКТМО"), expected.at("ОКТМО"));
    EXPECT_EQ(line.at("ПрУплВозв"), expected.at("ПрУплВозв"));
    EXPECT_EQ(line.at("value"), expected.at("Сумма"));
    ASSERT_TRUE(figures.contains(line.at("figure").get<std::string>()));
    EXPECT_EQ(figures[line["figure"].get<std::string>()].at("value"), line.at("value"));
    pending.push_back(line["figure"]);
  }

  std::set<std::string> seen;
  std::size_t inputs = 0;
  while (!pending.empty()) {
    const std::string id = pending.back();
    pending.pop_back();
    if (!seen.insert(id).second) continue;
    SCOPED_TRACE(id);
    ASSERT_TRUE(figures.contains(id));
    const json& f = figures[id];
    EXPECT_FALSE(f.at("caption").get<std::string>().empty());
    const Currency value = Amount(f.at("value"));
    std::vector<Currency> terms;
    Currency sum;
    for (const json& t : f.at("terms")) {
      const std::string term = t.at("figure");
      ASSERT_TRUE(figures.contains(term)) << term;
      const Currency v = Amount(figures[term].at("value"));
      terms.push_back(v);
      sum = t.at("sign") == "-" ? sum - v : sum + v;
      EXPECT_TRUE(t.at("sign") == "+" || t.at("sign") == "-");
      pending.push_back(term);
    }
    const std::string op = f.at("op");
    if (op == "sum") {
      EXPECT_EQ(value, sum);
    }
    if (op == "min" || op == "max") {
      ASSERT_FALSE(terms.empty());
      Currency extreme = terms.front();
      for (Currency v : terms) extreme = op == "min" ? Min(extreme, v) : Max(extreme, v);
      EXPECT_EQ(value, extreme);
    }
    if (op == "copy") {
      ASSERT_EQ(terms.size(), 1u);
      EXPECT_EQ(value, terms.front());
    }
    if (op == "tax") {
      ASSERT_EQ(terms.size(), 1u);
      const std::int64_t percent = Amount(f.at("rate")).Units() / 100;
      const bool kopecks = f.at("rule").get<std::string>().find("копейки") != std::string::npos;
      EXPECT_EQ(value, kopecks ? MulDivRoundTo2(terms.front(), percent, 100) : TaxAtRate(terms.front(), percent));
    }
    if (op == "rule" || op == "tax") {
      EXPECT_FALSE(f.at("rule").get<std::string>().empty());
    }
    if (f.contains("input")) {
      ++inputs;
      EXPECT_TRUE(terms.empty());
      EXPECT_FALSE(f["input"].at("page").get<std::string>().empty());
      EXPECT_FALSE(f["input"].at("field").get<std::string>().empty());
      EXPECT_TRUE(f["input"].at("item").is_string());
    } else {
      EXPECT_FALSE(terms.empty()) << "a figure that is neither typed nor obtained from others";
    }
  }
  EXPECT_GT(inputs, 0u);
}

TEST_P(ExplainCli, TextGivesATreeALineInWordsAndAmounts) {
  const testing::CliRun run = RunCli({"explain", "return.tv6"}, dir.path());
  ASSERT_EQ(run.Code, 0) << run.Err;
  EXPECT_EQ(run.Err, "");
  const json explained = json::parse(RunCli({"explain", "return.tv6", "--json"}, dir.path()).Out);

  std::istringstream text(run.Out);
  std::vector<std::string> roots;
  std::string line;
  std::size_t typed = 0;
  while (std::getline(text, line)) {
    if (line.empty()) continue;
    if (line[0] != ' ') roots.push_back(line);
    // In the user's words: captions, never the names in the code or the trace's numbers.
    for (const char* code : {"List", "Pril", "Сумма без расчета", "Расчетная сумма", "Итог ", "Наименьшая из сумм"}) {
      EXPECT_EQ(line.find(code), std::string::npos) << line;
    }
    if (line.find("— введено на странице «") != std::string::npos) ++typed;
  }
  ASSERT_EQ(roots.size(), explained["lines"].size());
  for (std::size_t i = 0; i < roots.size(); ++i) {
    const json& l = explained["lines"][i];
    const std::string sign = l["ПрУплВозв"] == "1" ? "к уплате" : l["ПрУплВозв"] == "2" ? "к возврату" : "к уплате или возврату";
    EXPECT_EQ(roots[i].rfind("Сумма налога " + sign + " (КБК " + l["КБК"].get<std::string>() + ", ОКТМО " +
                                 l["ОКТМО"].get<std::string>() + ") " + GroupedAmountText(Amount(l["value"])) + " ",
                             0),
              0u)
        << roots[i];
  }
  EXPECT_GT(typed, 0u);
}

INSTANTIATE_TEST_SUITE_P(Examples, ExplainCli, ::testing::ValuesIn(Examples()),
                         [](const ::testing::TestParamInfo<std::filesystem::path>& param) {
                           std::string name = param.param.stem().string();
                           for (char& c : name) {
                             if (c == '-') c = '_';
                           }
                           return name;
                         });

TEST(ExplainCliErrors, ADamagedFileAndA4NdflReturn) {
  TempDir dir;
  WriteFile(dir / "damaged.tv6", "DLSG");
  for (const bool asJson : {false, true}) {
    std::vector<std::string> args = {"explain", "damaged.tv6"};
    if (asJson) args.push_back("--json");
    const testing::CliRun run = RunCli(args, dir.path());
    EXPECT_EQ(run.Code, 2);
    EXPECT_EQ(run.Out, "");
    EXPECT_NE(run.Err.find("damaged.tv6: "), std::string::npos);
  }
  EXPECT_EQ(RunCli({"explain"}, dir.path()).Code, 64);

  // 4-НДФЛ has no section 1.
  auto doc = json::parse(ReadFile(std::string(TALVER_EXAMPLES_DIR) + "/resident-wages.json"));
  doc["DeclarationForm"] = 2;
  WriteFile(dir / "form4.json", doc.dump());
  ASSERT_EQ(RunCli({"build", "form4.json", "-o", "form4.tv6"}, dir.path()).Code, 0);
  const testing::CliRun text = RunCli({"explain", "form4.tv6"}, dir.path());
  EXPECT_EQ(text.Code, 0);
  EXPECT_EQ(text.Out, "Раздел 1 в декларации 4-НДФЛ не заполняется\n");
  const testing::CliRun asJson = RunCli({"explain", "form4.tv6", "--json"}, dir.path());
  EXPECT_EQ(asJson.Code, 0);
  EXPECT_EQ(json::parse(asJson.Out), json::parse(R"({"lines": [], "figures": {}})"));
}

}  // namespace
}  // namespace talver
