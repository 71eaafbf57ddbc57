#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

#include <nlohmann/json.hpp>

#include "model/DeclClasses.h"
#include "platform/Text1251.h"
#include "tests/e2e/CliRunner.h"
#include "tests/support/FileBuilder.h"
#include "tests/support/RandomDeclaration.h"

namespace talver {
namespace {

using testing::ReadFile;
using testing::RunCli;
using testing::TempDir;
using testing::WriteFile;

const std::string& kExample = testing::kExampleJson;

TEST(Cli, HelpVersionAndWrongUsage) {
  TempDir dir;
  const testing::CliRun help = RunCli({"--help"}, dir.path());
  EXPECT_EQ(help.Code, 0);
  for (const char* command : {"check", "export", "xml", "summary", "dump", "build"}) {
    EXPECT_NE(help.Out.find(command), std::string::npos) << command;
  }
  const testing::CliRun version = RunCli({"--version"}, dir.path());
  EXPECT_EQ(version.Code, 0);
  EXPECT_NE(version.Out.find("talver-cli"), std::string::npos);

  const std::vector<std::vector<std::string>> wrong = {
      {}, {"frobnicate"}, {"check"}, {"build", "x.json"}, {"export"}, {"dump", "a.tv6", "b.tv6"},
      {"xml", "a.tv6", "--date", "31.02.2017"}, {"export", "a.tv6", "--guid", "not-a-guid"},
  };
  for (const auto& args : wrong) {
    const testing::CliRun run = RunCli(args, dir.path());
    EXPECT_EQ(run.Code, 64) << (args.empty() ? "" : args[0]);
    EXPECT_FALSE(run.Err.empty());
    // In the program's words, whatever the parser of the command line said.
    EXPECT_TRUE(run.Err.find("talver-cli: ") == 0 || run.Err.find("Неверное значение") == 0) << run.Err;
    EXPECT_EQ(run.Err.find("required"), std::string::npos) << run.Err;
    EXPECT_EQ(run.Err.find("expected"), std::string::npos) << run.Err;
  }
  EXPECT_EQ(RunCli({"dump", "a.tv6", "b.tv6"}, dir.path()).Err, "talver-cli: лишние аргументы: b.tv6. Справка: talver-cli --help\n");
  EXPECT_EQ(RunCli({"frobnicate"}, dir.path()).Err, "talver-cli: нет такой команды: frobnicate. Справка: talver-cli --help\n");
  EXPECT_EQ(RunCli({"build", "x.json"}, dir.path()).Err, "talver-cli: не указан --output. Справка: talver-cli --help\n");
}

TEST(Cli, BuildCheckAndDumpAnExample) {
  TempDir dir;
  const testing::CliRun build = RunCli({"build", kExample, "-o", "ivanov.tv6"}, dir.path());
  ASSERT_EQ(build.Code, 0) << build.Err;
  EXPECT_EQ(build.Out, "");
  EXPECT_EQ(build.Err, "");
  const testing::CliRun check = RunCli({"check", "ivanov.tv6"}, dir.path());
  EXPECT_EQ(check.Code, 0);
  EXPECT_EQ(check.Out, "Проверка декларации завершена успешно\n");
  EXPECT_EQ(check.Err, "");

  const testing::CliRun dump = RunCli({"dump", "ivanov.tv6"}, dir.path());
  ASSERT_EQ(dump.Code, 0);
  const auto json = nlohmann::json::parse(dump.Out);
  EXPECT_EQ(json["Person"]["Surname"], "Иванов");
  EXPECT_EQ(json["Sources13"][0]["Entries"].size(), 12u);
  EXPECT_EQ(json["Sources13"][0]["Entries"][11]["Amount"], "45000");
  EXPECT_EQ(json["SignDate"], "14.02.2017");
}

TEST(Cli, CheckNamesTheFirstErrorWithItsPageAndField) {
  TempDir dir;
  auto json = nlohmann::json::parse(ReadFile(kExample));
  json["InspectionCode"] = "";
  json["Person"]["Surname"] = "";
  WriteFile(dir / "broken.json", json.dump());
  ASSERT_EQ(RunCli({"build", "broken.json", "-o", "broken.tv6"}, dir.path()).Code, 0);
  const testing::CliRun check = RunCli({"check", "broken.tv6"}, dir.path());
  EXPECT_EQ(check.Code, 1);
  EXPECT_EQ(check.Out, "Задание условий: Не введен номер инспекции [страница 1, поле 1]\n");
}

// An inspection code goes into the export's file name and identifier: whatever a file holds
// there, check and export refuse anything but four digits of a region, and write nothing.
TEST(Cli, AnInspectionCodeThatIsNoCodeIsRefused) {
  const std::string fourDigits =
      "Задание условий: Номер инспекции должен состоять из четырех цифр [страница 1, поле 1]\n";
  const std::pair<std::string, std::string> cases[] = {
      {"0105\" Evil=\"1", fourDigits},
      {"01<05", fourDigits},
      {"01&#x41;5", fourDigits},
      {"77\n01", fourDigits},
      {std::string(300, '1'), fourDigits},
      {"8801", "Задание условий: Первые две цифры номера инспекции (88) не являются кодом региона [страница 1, поле 1]\n"},
  };
  for (const auto& [code, message] : cases) {
    SCOPED_TRACE(code);
    TempDir dir;
    auto json = nlohmann::json::parse(ReadFile(kExample));
    json["InspectionCode"] = code;
    WriteFile(dir / "hostile.json", json.dump());
    ASSERT_EQ(RunCli({"build", "hostile.json", "-o", "hostile.tv6"}, dir.path()).Code, 0);
    const testing::CliRun check = RunCli({"check", "hostile.tv6"}, dir.path());
    EXPECT_EQ(check.Code, 1);
    EXPECT_EQ(check.Out, message);
    std::filesystem::create_directory(dir / "out");
    const testing::CliRun exported = RunCli({"export", "hostile.tv6", "-o", "out"}, dir.path());
    EXPECT_EQ(exported.Code, 1);
    EXPECT_TRUE(std::filesystem::is_empty(dir / "out"));
  }
}

// dump → build → dump gives the same JSON, and the built file has the bytes of the original.
TEST(Cli, DumpAndBuildGiveBackTheSameFile) {
  TempDir dir;
  for (std::uint32_t seed = 1; seed <= 25; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    mTDeclaration d;
    testing::RandomFiller(seed).Fill(d);
    d.SaveToFile(dir / "original.tv6");
    const testing::CliRun dump = RunCli({"dump", "original.tv6"}, dir.path());
    ASSERT_EQ(dump.Code, 0) << dump.Err;
    WriteFile(dir / "dump.json", dump.Out);
    const testing::CliRun build = RunCli({"build", "dump.json", "-o", "rebuilt.tv6"}, dir.path());
    ASSERT_EQ(build.Code, 0) << build.Err;
    EXPECT_EQ(ReadFile(dir / "rebuilt.tv6"), ReadFile(dir / "original.tv6"));
    EXPECT_EQ(RunCli({"dump", "rebuilt.tv6"}, dir.path()).Out, dump.Out);
  }
}

TEST(Cli, BadInputGetsTheProgramsMessageAndNoOutputFile) {
  TempDir dir;
  WriteFile(dir / "empty.tv6", "");
  WriteFile(dir / "damaged.tv6", "DLSG" + std::string(50, ' '));
  mTDeclaration d;
  d.SetSections(kSectionRussian);
  std::string good = d.SaveToBytes();
  WriteFile(dir / "truncated.tv6", good.substr(0, good.size() / 2));
  WriteFile(dir / "bad.json", "{\"Sections\": 1,");
  WriteFile(dir / "unknown.json", "{\"Sections\": 1, \"Surname\": \"x\"}");
  WriteFile(dir / "lost.json", "{\"Sections\": 0, \"Businesses\": [{}]}");
  WriteFile(dir / "text.json", "{\"Person\": {\"Surname\": \"名前\"}}");
  WriteFile(dir / "not-a-folder", "x");
  WriteFile(dir / "huge-number.json", "{\"CorrectionNumber\": 1e400}");
  WriteFile(dir / "huge-amount.json", "{\"Sections\": 1, \"Sources13\": [{\"TaxWithheld\": -1e999}]}");
  WriteFile(dir / "twice.json", "{\"CorrectionNumber\": 1, \"CorrectionNumber\": 2}");
  WriteFile(dir / "twice-inside.json", "{\"Sections\": 1, \"Sources13\": [{}, {\"Name\": \"a\", \"Name\": \"b\"}]}");
  {
    // More sources than a file can count, each of them empty.
    std::string many = "{\"Sections\": 1, \"Sources13\": [{}";
    for (int i = 1; i < 200000; ++i) many += ",{}";
    WriteFile(dir / "many.json", many + "]}");
    auto json = nlohmann::json::parse(ReadFile(kExample));
    json["Sources13"][0]["MonthAmount"] = nlohmann::json::array();
    for (int m = 0; m < 12; ++m) json["Sources13"][0]["MonthAmount"].push_back(m == 2 ? nlohmann::json("-1") : nlohmann::json());
    WriteFile(dir / "minus-one.json", json.dump());
  }
  std::filesystem::create_directory(dir / "folder.tv6");
  struct Case {
    std::vector<std::string> args;
    std::string message;  // part of what standard error must say
    const char* output;   // a file that must not appear
  };
  const Case cases[] = {
      {{"check", "missing.tv6"}, "Файл декларации не найден", nullptr},
      {{"dump", "empty.tv6"}, "Создаваемый фаил отображения не может быть нулевой длины.", nullptr},
      {{"summary", "damaged.tv6"}, "Неправильный формат файла декларации, возможно он поврежден.", nullptr},
      {{"dump", "truncated.tv6"}, "Неправильный формат файла декларации, возможно он поврежден.", nullptr},
      {{"export", "truncated.tv6"}, "Неправильный формат файла декларации, возможно он поврежден.", nullptr},
      {{"check", "folder.tv6"}, "folder.tv6: Ошибка чтения файла: folder.tv6\nfolder.tv6: Это каталог, а не файл.", nullptr},
      {{"build", "bad.json", "-o", "out.tv6"}, "Неправильный JSON: ошибка разбора (строка 1, символ 16)", "out.tv6"},
      {{"build", "missing.json", "-o", "out.tv6"}, "missing.json: Нет такого файла или каталога.", "out.tv6"},
      {{"build", "huge-number.json", "-o", "out.tv6"}, "Неправильный JSON: число 1e400 вне допустимых пределов", "out.tv6"},
      {{"build", "huge-amount.json", "-o", "out.tv6"}, "число -1e999 вне допустимых пределов", "out.tv6"},
      {{"build", "twice.json", "-o", "out.tv6"}, "Поле «CorrectionNumber»: поле указано дважды", "out.tv6"},
      {{"build", "twice-inside.json", "-o", "out.tv6"}, "Поле «Sources13[1].Name»: поле указано дважды", "out.tv6"},
      {{"build", "many.json", "-o", "out.tv6"}, "Поле «Sources13»: список длиннее 65535 элементов", "out.tv6"},
      {{"build", "minus-one.json", "-o", "out.tv6"}, "Поле «Sources13[0].MonthAmount[2]»: сумма -1 не сохраняется", "out.tv6"},
      {{"build", "folder.tv6", "-o", "out.tv6"}, "Это каталог, а не файл.", "out.tv6"},
      {{"build", "unknown.json", "-o", "out.tv6"}, "Поле «Surname»: такого поля нет", "out.tv6"},
      {{"build", "lost.json", "-o", "out.tv6"}, "Поле «Businesses[0]»", "out.tv6"},
      {{"build", "text.json", "-o", "out.tv6"}, "Поле «Person.Surname»", "out.tv6"},
      {{"build", kExample, "-o", "not-a-folder/out.tv6"},
       "not-a-folder/out.tv6: Ошибка записи файла: not-a-folder/out.tv6\nnot-a-folder/out.tv6: Каталог not-a-folder: Часть пути не является каталогом.",
       nullptr},
      {{"build", kExample, "-o", "missing/out.tv6"}, "Каталог missing: Нет такого файла или каталога.", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + c.args[1]);
    const testing::CliRun run = RunCli(c.args, dir.path());
    EXPECT_EQ(run.Code, 2);
    EXPECT_NE(run.Err.find(c.message), std::string::npos) << run.Err;
    EXPECT_EQ(run.Err.find('\r'), std::string::npos);
    if (c.output != nullptr) {
      EXPECT_FALSE(std::filesystem::exists(dir / c.output));
    }
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "missing.tv6"));  // reading creates nothing
}

TEST(Cli, AFileOfAnotherYearGivesItsTaxpayerOnly) {
  TempDir dir;
  testing::FileBuilder b("Talver2015");
  b.Item("@DeclInfo").Item("7701");
  b.Item("@PersonName").Items({"Petrov", "Petr", "", "500100732259", "", "0"});
  b.Item("@PersonDocument").Items({"21", "", "", "36526", "28126", "", "", "0"});
  b.Item("@Foreigner").Items({"1", "", "", "643"});
  b.Items({"@PhoneForeignerHome", "", "", "@PhoneForeignerWork", "", ""});
  b.Item("@PersonAddress").Items({"0", "", "77", "", "", "", "", "", "", "", "", "45000000"});
  b.Items({"@HomePhone", "", "", "@WorkPhone", "", ""});
  WriteFile(dir / "2015.tv5", b.Bytes());
  const testing::CliRun dump = RunCli({"dump", "2015.tv5"}, dir.path());
  ASSERT_EQ(dump.Code, 0) << dump.Err;
  const auto json = nlohmann::json::parse(dump.Out);
  EXPECT_EQ(json["Person"]["Surname"], "Petrov");
  EXPECT_EQ(json["Person"]["Oktmo"], "45000000");
  EXPECT_EQ(json["Sections"], 0);
  EXPECT_EQ(json["InspectionCode"], "");
}

}  // namespace
}  // namespace talver
