// talver-cli import: a return's XML back into a declaration file that exports the same bytes;
// a refused file gives exit 2, the reason, and no declaration file.
#include <gtest/gtest.h>

#include "platform/Text1251.h"
#include "tests/e2e/CliRunner.h"

namespace talver {
namespace {

using testing::ReadFile;
using testing::RunCli;
using testing::TempDir;
using testing::WriteFile;

const std::string kExample = std::string(TALVER_EXAMPLES_DIR) + "/resident-wages.json";
const std::string kGuid = "0C6A2E74-3F1D-4B0E-9A56-2D1F8C4B7E90";

TEST(ImportCli, AnExportedReturnComesBackAsADeclarationThatExportsTheSameBytes) {
  TempDir dir;
  ASSERT_EQ(RunCli({"build", kExample, "-o", "ivanov.tv6"}, dir.path()).Code, 0);
  const testing::CliRun xml = RunCli({"xml", "ivanov.tv6", "--date", "14.02.2017", "--guid", kGuid}, dir.path());
  ASSERT_EQ(xml.Code, 0) << xml.Err;
  WriteFile(dir / "return.xml", xml.Out);

  const testing::CliRun run = RunCli({"import", "return.xml", "-o", "back.tv6"}, dir.path());
  EXPECT_EQ(run.Code, 0) << run.Err;
  EXPECT_EQ(run.Err, "");
  EXPECT_NE(run.Out.find("Тексты записаны в файле заглавными буквами"), std::string::npos) << run.Out;
  const testing::CliRun again = RunCli({"xml", "back.tv6", "--date", "14.02.2017", "--guid", kGuid}, dir.path());
  EXPECT_EQ(again.Out, xml.Out);
  EXPECT_EQ(RunCli({"check", "back.tv6"}, dir.path()).Code, 0);
}

TEST(ImportCli, ARefusedFileLeavesNoDeclarationFile) {
  TempDir dir;
  WriteFile(dir / "other.xml", Utf8ToCp1251("<?xml version=\"1.0\" encoding=\"windows-1251\"?><Файл ВерсФорм=\"5.10\"/>"));
  WriteFile(dir / "keep.tv6", "old");
  const struct {
    std::string Input;
    std::string Output;
    const char* Message;
  } cases[] = {
      {"other.xml", "new.tv6", "other.xml: Файл записан в другой версии формата: ВерсФорм «5.10»"},
      {"missing.xml", "new.tv6", "missing.xml: Не удалось прочитать файл missing.xml: Нет такого файла или каталога."},
      // An existing declaration file stays as it was.
      {"other.xml", "keep.tv6", "other.xml: Файл записан в другой версии формата"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Input);
    const testing::CliRun run = RunCli({"import", c.Input, "-o", c.Output}, dir.path());
    EXPECT_EQ(run.Code, 2);
    EXPECT_EQ(run.Err.find(c.Message), 0u) << run.Err;
    EXPECT_EQ(run.Out, "");
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "new.tv6"));
  EXPECT_EQ(ReadFile(dir / "keep.tv6"), "old");
  EXPECT_EQ(RunCli({"import", "other.xml"}, dir.path()).Code, 64);
}

}  // namespace
}  // namespace talver
