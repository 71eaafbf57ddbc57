// The declaration file type the package installs: a declaration is known by its name and by
// its first bytes, and it is the type the desktop entry opens.
#include <gtest/gtest.h>

#include <QMimeDatabase>

#include <cstdlib>
#include <fstream>
#include <string>

#include "model/DeclClasses.h"
#include "tests/support/TempDir.h"

namespace talver {
namespace {

const std::filesystem::path kPackaging = std::filesystem::path(TALVER_SOURCE_DIR) / "packaging";
constexpr char kType[] = "application/x-talver2016";

TEST(DeclarationFileType, KnownByNameAndByContentsAndOpenedByTheProgram) {
  testing::TempDir dir;
  // A MIME database of the freedesktop types and ours, built as the package's install builds it.
  const std::filesystem::path packages = dir / "share/mime/packages";
  std::filesystem::create_directories(packages);
  std::filesystem::copy_file("/usr/share/mime/packages/freedesktop.org.xml", packages / "freedesktop.org.xml");
  std::filesystem::copy_file(kPackaging / "example.talver2016.talver.mime.xml", packages / "example.talver2016.talver.xml");
  const std::string update = "update-mime-database '" + (dir / "share/mime").string() + "'";
  ASSERT_EQ(std::system(update.c_str()), 0) << update;
  setenv("XDG_DATA_HOME", (dir / "home").c_str(), 1);
  setenv("XDG_DATA_DIRS", (dir / "share").c_str(), 1);

  mTDeclaration declaration;
  declaration.SetSections(kSectionRussian);
  declaration.SaveToFile(dir / "ivanov.tv6");
  std::string bytes = testing::ReadFile(dir / "ivanov.tv6");
  testing::WriteFile(dir / "ivanov.bak", bytes);
  // A file of the year before: the program reads only its taxpayer, it is no 2016 declaration.
  ASSERT_EQ(bytes.substr(4, 20), "          Talver2016");
  bytes.replace(14, 10, "Talver2015");
  testing::WriteFile(dir / "ivanov2015.bak", bytes);

  struct Case {
    const char* file;
    QMimeDatabase::MatchMode mode;
    bool ours;
  };
  const Case cases[] = {
      {"ivanov.tv6", QMimeDatabase::MatchDefault, true},
      {"ivanov.tv6", QMimeDatabase::MatchExtension, true},
      {"ivanov.bak", QMimeDatabase::MatchContent, true},  // renamed: its first bytes tell
      {"ivanov2015.bak", QMimeDatabase::MatchContent, false},
  };
  const QMimeDatabase mime;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const QString type = mime.mimeTypeForFile(QString::fromStdString((dir / c.file).string()), c.mode).name();
    EXPECT_EQ(type == QLatin1String(kType), c.ours) << type.toStdString();
  }
  EXPECT_EQ(mime.mimeTypeForName(QLatin1String(kType)).suffixes(), QStringList{QStringLiteral("tv6")});

  // The desktop entry opens that type, with the file as the program's one argument.
  const std::string entry = testing::ReadFile(kPackaging / "example.talver2016.talver.desktop");
  EXPECT_NE(entry.find(std::string("\nMimeType=") + kType + ";\n"), std::string::npos);
  EXPECT_NE(entry.find("\nExec=talver %f\n"), std::string::npos);
}

}  // namespace
}  // namespace talver
