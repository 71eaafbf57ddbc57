#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "platform/Text1251.h"
#include "platform/XmlDom.h"
#include "tests/e2e/CliRunner.h"

namespace talver {
namespace {

using testing::ReadFile;
using testing::RunCli;
using testing::TempDir;
using testing::WriteFile;

const std::string& kExample = testing::kExampleJson;
const std::string& kGuid = testing::kFixedGuid;
const std::string kName = "NO_NDFL3_0105_0105_500100732259_20170214_" + kGuid + ".xml";

class ExportCli : public testing::ExampleFolder {};

TEST_F(ExportCli, WritesTheReturnUnderTheAuthoritysNameAndXmlGivesTheSameBytes) {
  const testing::CliRun run =
      RunCli({"export", "ivanov.tv6", "-o", "out", "--date", "14.02.2017", "--guid", "0c6a2e74-3f1d-4b0e-9a56-2d1f8c4b7e90"},
             dir.path());
  ASSERT_EQ(run.Code, 0) << run.Err;
  EXPECT_EQ(run.Out, "out/" + kName + "\n");
  EXPECT_EQ(run.Err, "");
  const std::string file = ReadFile(dir / "out" / kName);
  EXPECT_NE(file.find(Utf8ToCp1251("ИдФайл=\"") + kName.substr(0, kName.size() - 4) + "\""), std::string::npos);

  const testing::CliRun xml = RunCli({"xml", "ivanov.tv6", "--date", "14.02.2017", "--guid", kGuid}, dir.path());
  ASSERT_EQ(xml.Code, 0);
  EXPECT_EQ(xml.Out, file);

  // Without --date and --guid the name carries today's date and a fresh identifier.
  const testing::CliRun fresh = RunCli({"export", "ivanov.tv6", "-o", "out"}, dir.path());
  ASSERT_EQ(fresh.Code, 0);
  EXPECT_EQ(fresh.Out.rfind("out/NO_NDFL3_0105_0105_500100732259_", 0), 0u);
  EXPECT_NE(fresh.Out, run.Out);
}

TEST_F(ExportCli, ABatchGoesOnPastFailuresAndEndsWithTheWorstStatus) {
  auto json = nlohmann::json::parse(ReadFile(kExample));
  json["InspectionCode"] = "";
  WriteFile(dir / "unchecked.json", json.dump());
  ASSERT_EQ(RunCli({"build", "unchecked.json", "-o", "unchecked.tv6"}, dir.path()).Code, 0);
  WriteFile(dir / "damaged.tv6", "DLSG");

  const testing::CliRun checkFails =
      RunCli({"export", "unchecked.tv6", "ivanov.tv6", "-o", "out", "--date", "14.02.2017", "--guid", kGuid}, dir.path());
  EXPECT_EQ(checkFails.Code, 1);
  EXPECT_EQ(checkFails.Out, "out/" + kName + "\n");
  EXPECT_EQ(checkFails.Err, "unchecked.tv6: Задание условий: Не введен номер инспекции [страница 1, поле 1]\n");

  const testing::CliRun worst =
      RunCli({"export", "damaged.tv6", "unchecked.tv6", "ivanov.tv6", "-o", "out", "--guid", kGuid}, dir.path());
  EXPECT_EQ(worst.Code, 2);
  EXPECT_NE(worst.Err.find("damaged.tv6: "), std::string::npos);
  EXPECT_EQ(worst.Out.find("out/"), 0u);

  // --no-check writes the unchecked return too.
  const testing::CliRun unchecked = RunCli({"export", "unchecked.tv6", "-o", "out", "--no-check"}, dir.path());
  EXPECT_EQ(unchecked.Code, 0) << unchecked.Err;
}

TEST_F(ExportCli, AFolderThatCannotBeWrittenGetsNoFile) {
  WriteFile(dir / "a-file", "x");
  const testing::CliRun run = RunCli({"export", "ivanov.tv6", "-o", "a-file", "--guid", kGuid}, dir.path());
  EXPECT_EQ(run.Code, 2);
  EXPECT_NE(run.Err.find("Файл не сформирован, свяжитесь с разработчиками."), std::string::npos) << run.Err;
  const testing::CliRun missing = RunCli({"export", "ivanov.tv6", "-o", "no/such/folder", "--guid", kGuid}, dir.path());
  EXPECT_EQ(missing.Code, 2);
  EXPECT_FALSE(std::filesystem::exists(dir / "no"));
}

// Unchecked, an inspection code the check would refuse: no file under a name the authority's
// rule does not allow, and the XML stays well formed with the identifier as it is.
TEST_F(ExportCli, AnInspectionCodeOfAnyTextNeitherBreaksTheXmlNorNamesAFile) {
  auto json = nlohmann::json::parse(ReadFile(kExample));
  for (const std::string code : {"0105\" Evil=\"1", "01<05", "01&#x41;5", "01\n05"}) {
    SCOPED_TRACE(code);
    json["InspectionCode"] = code;
    WriteFile(dir / "odd.json", json.dump());
    ASSERT_EQ(RunCli({"build", "odd.json", "-o", "odd.tv6"}, dir.path()).Code, 0);
    const testing::CliRun run = RunCli({"export", "odd.tv6", "-o", "out", "--no-check", "--guid", kGuid}, dir.path());
    EXPECT_EQ(run.Code, 2);
    EXPECT_EQ(run.Out, "");
    EXPECT_NE(run.Err.find("odd.tv6: Недопустимое имя файла выгрузки «NO_NDFL3_"), std::string::npos) << run.Err;
    EXPECT_NE(run.Err.find("могут быть только латинские буквы, цифры, «_» и «-»"), std::string::npos) << run.Err;
    EXPECT_TRUE(std::filesystem::is_empty(dir / "out"));

    const testing::CliRun xml = RunCli({"xml", "odd.tv6", "--date", "14.02.2017", "--guid", kGuid}, dir.path());
    ASSERT_EQ(xml.Code, 0) << xml.Err;
    const XmlDocument document = XmlDocument::Parse(xml.Out);
    EXPECT_EQ(document.DocumentElement().Attribute("ИдФайл"),
              "NO_NDFL3_" + code + "_" + code + "_500100732259_20170214_" + kGuid);
  }
}

TEST_F(ExportCli, SummaryGivesSectionsAndSheetsByTheirNames) {
  const testing::CliRun run = RunCli({"summary", "ivanov.tv6"}, dir.path());
  ASSERT_EQ(run.Code, 0) << run.Err;
  const auto json = nlohmann::json::parse(run.Out);
  EXPECT_EQ(json["Result"], true);
  // 45 000 a month; a child's 1 400 for the seven months up to 350 000, and 30 000 of treatment.
  EXPECT_EQ(json["List1"]["ДоходОбщ"], "540000");
  EXPECT_EQ(json["List1"]["СумНалВыч"], "39800");
  EXPECT_EQ(json["List1"]["НалБаза"], "500200");
  EXPECT_EQ(json["List1"]["Исчисл"], "65026");
  EXPECT_EQ(json["List1"]["ПодлВозв"], "3900");
  EXPECT_EQ(json["PrilE1"]["КолМесНеПрев"], 7);
  ASSERT_EQ(json["List6"]["Lines"].size(), 1u);
  EXPECT_EQ(json["List6"]["Lines"][0]["ОКТМО"], "79701000");
  EXPECT_EQ(json["List6"]["Lines"][0]["Сумма"], "3900");
  EXPECT_EQ(json.size(), 29u);  // the result and the 28 components
}

}  // namespace
}  // namespace talver
