// The export driver: the file identifier and name, the two modes, the save that never leaves a
// partial file, and the messages of a failure.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cerrno>
#include <regex>
#include <set>

#include "tests/export/ExportTestSupport.h"
#include "tests/scenarios/DeclarationBuilders.h"
#include "tests/support/TempDir.h"

namespace talver::testing {
namespace {

std::unique_ptr<mTDeclaration> Wages(std::uint8_t form, std::string inn) {
  auto d = NewDeclaration(form);
  d->InspectionCode = "7715";
  d->Person.Name.Inn = std::move(inn);
  d->Person.Name.Surname = T("Иванов");
  d->Person.Name.FirstName = T("Иван");
  if (form != kForm4) AddSource13(d->Sources13, "45380000", Rub(39000), Monthly(2000, Rub(25000)), Rub(39000));
  return d;
}

struct IdentifierCase {
  const char* Name;
  std::uint8_t Form;
  const char* Inn;
  const char* Identifier;
  const char* ProgramVersion;
  const char* FormatVersion;
};

class IdentifierTest : public ::testing::TestWithParam<IdentifierCase> {};

TEST_P(IdentifierTest, FileIsNamedByItsIdentifierAndTextIsItsBytes) {
  const IdentifierCase& c = GetParam();
  std::unique_ptr<mTDeclaration> d = Wages(c.Form, c.Inn);
  TempDir dir;
  RecordingPresenter presenter;

  const std::string name = ExportDeclaration(dir.path(), *d, kExportToFile, presenter, FixedEnvironment());
  ASSERT_EQ(name, std::string(c.Identifier) + ".xml");
  EXPECT_TRUE(presenter.Messages.empty());
  EXPECT_EQ(FileCount(dir.path()), 1u) << "no temporary file is left beside the return";
  const std::string file = ReadFile(dir / name);

  const XmlDocument document = XmlDocument::Parse(file);
  const XmlElement root = document.DocumentElement();
  EXPECT_EQ(root.Name(), "Файл");
  EXPECT_EQ(Attr(root, "ИдФайл"), c.Identifier);
  EXPECT_EQ(Attr(root, "ВерсПрог"), c.ProgramVersion);
  EXPECT_EQ(Attr(root, "ВерсФорм"), c.FormatVersion);
  EXPECT_EQ(file.rfind("<?xml version=\"1.0\" encoding=\"windows-1251\"?>", 0), 0u);

  // The text mode gives the very bytes of the file.
  EXPECT_EQ(ExportDeclaration({}, *d, kExportToText, presenter, FixedEnvironment()), file);
  EXPECT_EQ(ExportDeclaration({}, *d, 3, presenter, FixedEnvironment()), file) << "any mode but 1 returns the text";
}

INSTANTIATE_TEST_SUITE_P(
    Forms, IdentifierTest,
    ::testing::Values(
        IdentifierCase{"ResidentWithInn", kForm3Resident, "771512345678",
                       "NO_NDFL3_7715_7715_771512345678_20170214_0C6A2E74-3F1D-4B0E-9A56-2D1F8C4B7E90",
                       "Talver2016_1.5.0", "5.11"},
        IdentifierCase{"ResidentWithoutInn", kForm3Resident, "",
                       "NO_NDFL3_7715_7715_000000000000_20170214_0C6A2E74-3F1D-4B0E-9A56-2D1F8C4B7E90",
                       "Talver2016_1.5.0", "5.11"},
        IdentifierCase{"NonResidentWithoutInn", kForm3NonResident, "",
                       "NO_NDFL3_7715_7715_000000000000_20170214_0C6A2E74-3F1D-4B0E-9A56-2D1F8C4B7E90",
                       "Talver2016_1.5.0", "5.11"},
        IdentifierCase{"Form4WithInn", kForm4, "771512345678",
                       "NO_NDFL4_7715_7715_771512345678_20170214_0C6A2E74-3F1D-4B0E-9A56-2D1F8C4B7E90", "1.5.0",
                       "5.02"},
        IdentifierCase{"Form4WithoutInn", kForm4, "",
                       "NO_NDFL4_7715_7715__20170214_0C6A2E74-3F1D-4B0E-9A56-2D1F8C4B7E90", "1.5.0", "5.02"}),
    [](const ::testing::TestParamInfo<IdentifierCase>& param) { return std::string(param.param.Name); });

TEST(ExportDriverTest, WithoutAFixedClockEachExportGetsTodayAndANewGuid) {
  std::unique_ptr<mTDeclaration> d = Wages(kForm3Resident, "771512345678");
  RecordingPresenter presenter;
  std::set<std::string> identifiers;
  const std::regex shape("NO_NDFL3_7715_7715_771512345678_(\\d{8})_[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}");
  for (int i = 0; i < 3; ++i) {
    const XmlDocument document = XmlDocument::Parse(ExportDeclaration({}, *d, kExportToText, presenter));
    const std::string id = *Attr(document.DocumentElement(), "ИдФайл");
    std::smatch m;
    ASSERT_TRUE(std::regex_match(id, m, shape)) << id;
    const CalendarDate today = DecodeDate(Today());
    EXPECT_EQ(m[1].str(), std::to_string(today.Year * 10000 + today.Month * 100 + today.Day));
    identifiers.insert(id);
  }
  EXPECT_EQ(identifiers.size(), 3u);
  EXPECT_TRUE(presenter.Messages.empty());
}

// Every failure to build or save: "ERROR", the export's message with the reason after it, and
// nothing under the name.
struct FailureCase {
  const char* Name;
  // Prepares the folder and the declaration; returns the folder to export into.
  std::filesystem::path (*Prepare)(const TempDir& dir, mTDeclaration& d);
  XmlWriteCall Write;
  const char* Reason;  // a part of the message's second line
};

std::filesystem::path WithInspectionCode(const TempDir& dir, mTDeclaration& d, const std::string& code) {
  d.InspectionCode = code;
  return dir.path();
}

class SaveFailureTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(SaveFailureTest, GivesErrorAndLeavesNoFileUnderTheName) {
  const FailureCase& c = GetParam();
  std::unique_ptr<mTDeclaration> d = Wages(kForm3Resident, "771512345678");
  TempDir dir;
  const std::filesystem::path folder = c.Prepare(dir, *d);
  const std::set<std::filesystem::path> before(std::filesystem::recursive_directory_iterator(dir.path()), {});
  RecordingPresenter presenter;

  EXPECT_EQ(ExportDeclaration(folder, *d, kExportToFile, presenter, FixedEnvironment(), c.Write), "ERROR");
  ASSERT_EQ(presenter.Messages.size(), 1u);
  const std::string& message = presenter.Messages[0];
  EXPECT_EQ(message.substr(0, message.find('\n')), kExportFailed);
  EXPECT_NE(message.find(c.Reason, message.find('\n')), std::string::npos) << message;
  EXPECT_EQ(presenter.Captions[0], "Тальвер 2016");
  const std::set<std::filesystem::path> after(std::filesystem::recursive_directory_iterator(dir.path()), {});
  EXPECT_EQ(after, before) << "nothing was added, not even a temporary file";
}

INSTANTIATE_TEST_SUITE_P(
    Failures, SaveFailureTest,
    ::testing::Values(
        FailureCase{"MissingFolder", [](const TempDir& dir, mTDeclaration&) { return dir / "missing"; }, {},
                    "missing: Нет такого файла или каталога."},
        FailureCase{"FolderIsAFile",
                    [](const TempDir& dir, mTDeclaration&) {
                      WriteFile(dir / "plain", "x");
                      return dir / "plain";
                    },
                    {}, "plain: Часть пути не является каталогом."},
        FailureCase{"DiskFullHalfWay", [](const TempDir& dir, mTDeclaration&) { return dir.path(); },
                    [](int fd, const char* data, std::size_t size) -> long {
                      if (size < 200) {
                        errno = ENOSPC;
                        return -1;
                      }
                      return static_cast<long>(::write(fd, data, 100));
                    },
                    "Нет места на диске."},
        FailureCase{"SlashInInspectionCode",
                    [](const TempDir& dir, mTDeclaration& d) {
                      // Without the guard the file would land in NO_NDFL3_/x_/.
                      std::filesystem::create_directories(dir.path() / "NO_NDFL3_" / "x_");
                      d.InspectionCode = "/x";
                      return dir.path();
                    },
                    {}, "Недопустимое имя файла выгрузки"},
        // What the authority's names allow: Latin letters, digits, "_" and "-".
        FailureCase{"QuoteInInspectionCode",
                    [](const TempDir& dir, mTDeclaration& d) { return WithInspectionCode(dir, d, "0105\" Evil=\"1"); },
                    {}, "Недопустимое имя файла выгрузки «NO_NDFL3_0105\" Evil=\"1_"},
        FailureCase{"ReferenceInInspectionCode",
                    [](const TempDir& dir, mTDeclaration& d) { return WithInspectionCode(dir, d, "01&#x41;5"); }, {},
                    "Недопустимое имя файла выгрузки"},
        FailureCase{"LineBreakInInspectionCode",
                    [](const TempDir& dir, mTDeclaration& d) { return WithInspectionCode(dir, d, "01\n05"); }, {},
                    "Недопустимое имя файла выгрузки"},
        FailureCase{"CyrillicLetterInInspectionCode",
                    [](const TempDir& dir, mTDeclaration& d) { return WithInspectionCode(dir, d, T("77А5")); }, {},
                    "Недопустимое имя файла выгрузки «NO_NDFL3_77А5_77А5_"},
        FailureCase{"NameTooLongForTheFileSystem",
                    [](const TempDir& dir, mTDeclaration& d) { return WithInspectionCode(dir, d, std::string(300, '1')); },
                    {}, "Слишком длинное имя файла."}),
    [](const ::testing::TestParamInfo<FailureCase>& param) { return std::string(param.param.Name); });

// The root is built through the DOM: whatever the inspection code holds stays inside ИдФайл,
// which is exactly the identifier the file would be named by.
TEST(ExportDriverTest, AnyInspectionCodeStaysInsideTheIdentifierAttribute) {
  for (const std::string& code : std::vector<std::string>{"0105\" Evil=\"1", "01<05", "01&#x41;5", "01\n05", "01]]>05", std::string(300, '7')}) {
    SCOPED_TRACE(code);
    std::unique_ptr<mTDeclaration> d = Wages(kForm3Resident, "771512345678");
    d->InspectionCode = code;
    RecordingPresenter presenter;
    const std::string text = ExportDeclaration({}, *d, kExportToText, presenter, FixedEnvironment());
    ASSERT_NE(text, "ERROR") << (presenter.Messages.empty() ? "" : presenter.Messages[0]);
    const XmlDocument document = XmlDocument::Parse(text);
    const XmlElement root = document.DocumentElement();
    EXPECT_EQ(root.Attribute("ИдФайл"), FileIdentifier(*d, FixedDate(), kFixedGuid));
    EXPECT_EQ(root.Attribute("ВерсПрог"), "Talver2016_1.5.0");
    EXPECT_EQ(root.Children().size(), 1u);
    const std::optional<XmlElement> body = root.FirstChild("Документ");
    ASSERT_TRUE(body);
    EXPECT_EQ(body->Attribute("КодНО"), UpperCase1251(code));
  }
}

TEST(ExportDriverTest, FailedSaveKeepsTheFileAlreadyThere) {
  std::unique_ptr<mTDeclaration> d = Wages(kForm3Resident, "771512345678");
  TempDir dir;
  RecordingPresenter presenter;
  const std::string name = ExportDeclaration(dir.path(), *d, kExportToFile, presenter, FixedEnvironment());
  const std::string first = ReadFile(dir / name);

  d->Person.Name.Surname = T("Петров");
  const XmlWriteCall failing = [](int, const char*, std::size_t) -> long {
    errno = EIO;
    return -1;
  };
  EXPECT_EQ(ExportDeclaration(dir.path(), *d, kExportToFile, presenter, FixedEnvironment(), failing), "ERROR");
  EXPECT_EQ(ReadFile(dir / name), first);
  EXPECT_EQ(FileCount(dir.path()), 1u);
}

TEST(ExportDriverTest, FailingClockIsAnExportFailure) {
  std::unique_ptr<mTDeclaration> d = Wages(kForm3Resident, "");
  ExportEnvironment environment = FixedEnvironment();
  environment.Today = []() -> TDate { throw std::runtime_error("no clock"); };
  RecordingPresenter presenter;
  EXPECT_EQ(ExportDeclaration({}, *d, kExportToText, presenter, environment), "ERROR");
  EXPECT_EQ(presenter.Messages, std::vector<std::string>{std::string(kExportFailed) + "\nno clock"});
}

TEST(ExportDriverTest, ExportCompletesTheDeclarationTheWayTheComputationDoes) {
  // The income kind of a sheet А source is set by the computation the export runs.
  std::unique_ptr<mTDeclaration> d = Wages(kForm3Resident, "771512345678");
  ASSERT_TRUE(d->Sources13.Get(0).IncomeKind.empty());
  const XmlDocument document = XmlDocument::Parse(ExportText(*d));
  const std::optional<XmlElement> source = At(Body3(document), "ДоходИстРФ");
  ASSERT_TRUE(source);
  EXPECT_EQ(Attr(*source, "ВидДоход"), Cp1251ToUtf8(d->Sources13.Get(0).IncomeKind));
  EXPECT_FALSE(d->Sources13.Get(0).IncomeKind.empty());
}

}  // namespace
}  // namespace talver::testing
