// talver-cli statement: a broker's dividends added to a declaration's foreign incomes, every
// line reported; nothing written when a line cannot be taken (unless --partial) or a file
// cannot be read.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "tests/e2e/CliRunner.h"

namespace talver {
namespace {

using testing::ReadFile;
using testing::RunCli;
using testing::TempDir;
using testing::WriteFile;

const std::string kExample = std::string(TALVER_EXAMPLES_DIR) + "/resident-wages.json";
const std::string kYear = std::string(TALVER_SOURCE_DIR) + "/tests/data/statements/ibkr-activity-2016.csv";

// One dividend of 2016 with its tax, and one of 2015.
const char kStatement[] =
    "Statement,Header,Field Name,Field Value\n"
    "Dividends,Header,Currency,Date,Description,Amount\n"
    "Dividends,Data,USD,2015-12-08,JNJ(US4781601046) Cash Dividend 0.75 USD per Share (Ordinary Dividend),75.00\n"
    "Dividends,Data,USD,2016-03-08,JNJ(US4781601046) Cash Dividend 0.75 USD per Share (Ordinary Dividend),75.00\n"
    "Withholding Tax,Header,Currency,Date,Description,Amount,Code\n"
    "Withholding Tax,Data,USD,2016-03-08,JNJ(US4781601046) Cash Dividend 0.75 USD per Share - US Tax,-7.50,\n";

nlohmann::json Summary(const TempDir& dir, const char* file) {
  return nlohmann::json::parse(RunCli({"summary", file}, dir.path()).Out);
}

TEST(StatementCli, AddsTheDividendsOfTheYearOnceAndListsTheRest) {
  TempDir dir;
  ASSERT_EQ(RunCli({"build", kExample, "-o", "a.tv6"}, dir.path()).Code, 0);
  WriteFile(dir / "s.csv", kStatement);

  const testing::CliRun run = RunCli({"statement", "a.tv6", "s.csv", "-o", "b.tv6"}, dir.path());
  EXPECT_EQ(run.Code, 0) << run.Err;
  EXPECT_EQ(run.Err, "");
  EXPECT_NE(run.Out.find("пропущено: 08.12.2015 JNJ (US4781601046): 75.00 USD — доход 2015 года [s.csv, строка 3]"),
            std::string::npos)
      << run.Out;
  EXPECT_NE(run.Out.find("добавлено: 08.03.2016 JNJ (US4781601046): 75.00 USD, налог 7.50 USD; 5488.91 руб."),
            std::string::npos)
      << run.Out;
  // 75 × 73.1854 = 5 488.91; 13 % = 713.56 → 714; credited 7.50 × 73.1854 = 548.89 → 549.
  const nlohmann::json div = Summary(dir, "b.tv6")["ListDiv"];
  EXPECT_EQ(div["ДоходОбщ"], "5488.91");
  EXPECT_EQ(div["Исчисл"], "714");
  EXPECT_EQ(div["УплИнПодлЗач"], "549");
  EXPECT_EQ(div["ПодлУпл"], "165");
  EXPECT_EQ(Summary(dir, "a.tv6")["ListDiv"]["ДоходОбщ"], "0");  // the input stays as it was

  // The same statement again adds nothing and says why.
  const testing::CliRun again = RunCli({"statement", "b.tv6", "s.csv", "-o", "c.tv6"}, dir.path());
  EXPECT_EQ(again.Code, 0) << again.Err;
  EXPECT_NE(again.Out.find("Уже есть в декларации и не добавлено: 1"), std::string::npos) << again.Out;
  EXPECT_EQ(ReadFile(dir / "c.tv6"), ReadFile(dir / "b.tv6"));
}

TEST(StatementCli, WritesNothingUnlessEveryLineIsTakenOrPartialIsGiven) {
  TempDir dir;
  ASSERT_EQ(RunCli({"build", kExample, "-o", "a.tv6"}, dir.path()).Code, 0);
  const std::string statement = kStatement;
  WriteFile(dir / "cut.csv", statement.substr(0, statement.find("2016-03-08") + 6));
  WriteFile(dir / "xs.csv",
            "Statement,Header,Field Name,Field Value\n"
            "Dividends,Header,Currency,Date,Description,Amount\n"
            "Dividends,Data,EUR,2016-03-09,XYZ(XS0000000009) Cash Dividend 1 EUR per Share (Ordinary Dividend),10\n");
  WriteFile(dir / "keep.tv6", "old");
  const struct {
    std::vector<std::string> Args;
    int Code;
    const char* Err;  // the beginning of standard error
    bool Written;     // out.tv6
  } cases[] = {
      // The Hong Kong dollar has no rates.
      {{"statement", "a.tv6", kYear, "-o", "out.tv6"}, 1, "Строк, которые не могут быть добавлены: 1; файл out.tv6 не записан", false},
      {{"statement", "a.tv6", kYear, "-o", "keep.tv6"}, 1, "Строк, которые не могут быть добавлены: 1", false},
      {{"statement", "a.tv6", kYear, "-o", "out.tv6", "--partial"}, 1, "Строк, которые не могут быть добавлены: 1; остальные записаны в out.tv6", true},
      {{"statement", "a.tv6", "xs.csv", "-o", "out.tv6"}, 1, "Строк, которые не могут быть добавлены: 1", false},
      {{"statement", "a.tv6", "xs.csv", "-o", "out.tv6", "--country", "XS0000000009=IE"}, 0, "", true},
      {{"statement", "a.tv6", "s.csv", "cut.csv", "-o", "out.tv6"}, 2, "s.csv: Нет такого файла или каталога.", false},
      {{"statement", "a.tv6", "cut.csv", "-o", "keep.tv6"}, 2, "cut.csv: строка 4: ожидалось не меньше 6 полей", false},
      {{"statement", "missing.tv6", "xs.csv", "-o", "out.tv6"}, 2, "missing.tv6: ", false},
      {{"statement", "a.tv6", "xs.csv", "-o", "out.tv6", "--country", "XS0000000009"}, 64, "Неверное значение --country", false},
      {{"statement", "a.tv6", "xs.csv"}, 64, "", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Args[2] + (c.Args.size() > 5 ? " " + c.Args[5] : ""));
    std::filesystem::remove(dir / "out.tv6");
    const testing::CliRun run = RunCli(c.Args, dir.path());
    EXPECT_EQ(run.Code, c.Code);
    EXPECT_EQ(run.Err.rfind(c.Err, 0), 0u) << run.Err;
    EXPECT_EQ(std::filesystem::exists(dir / "out.tv6"), c.Written);
    EXPECT_EQ(ReadFile(dir / "keep.tv6"), "old");
  }
  // What --partial wrote: the six dividends of the year that have rates.
  RunCli({"statement", "a.tv6", kYear, "-o", "out.tv6", "--partial"}, dir.path());
  EXPECT_EQ(Summary(dir, "out.tv6")["ListDiv"]["ДоходОбщ"], "24450.43");
}

}  // namespace
}  // namespace talver
