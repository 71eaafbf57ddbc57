// Seeded random declarations exported: realistic returns always give a well-formed file whose
// text is the file's bytes; declarations with anything in any field never crash the export and
// either give a well-formed document or "ERROR" with the export's message.
#include <gtest/gtest.h>

#include "tests/export/ExportTestSupport.h"
#include "tests/scenarios/RandomReturn.h"
#include "tests/support/RandomDeclaration.h"
#include "tests/support/TempDir.h"

namespace talver::testing {
namespace {

TEST(RandomExportTest, RealisticReturnsGiveWellFormedFilesEqualToTheirText) {
  TempDir dir;
  for (std::uint32_t seed = 1; seed <= 120; ++seed) {
    SCOPED_TRACE(seed);
    std::unique_ptr<mTDeclaration> d = RandomReturn(seed);
    RecordingPresenter presenter;
    const std::string name = ExportDeclaration(dir.path(), *d, kExportToFile, presenter, FixedEnvironment());
    ASSERT_NE(name, "ERROR") << (presenter.Messages.empty() ? "" : presenter.Messages.front());
    EXPECT_TRUE(presenter.Messages.empty());
    const std::string file = ReadFile(dir / name);
    std::filesystem::remove(dir / name);
    const std::string identifier = FileIdentifier(*d, FixedDate(), kFixedGuid);
    EXPECT_EQ(name, identifier + ".xml");
    const XmlDocument document = XmlDocument::Parse(file);
    EXPECT_EQ(document.DocumentElement().Attribute("ИдФайл"), identifier);
    EXPECT_EQ(ExportDeclaration({}, *d, kExportToText, presenter, FixedEnvironment()), file);
  }
  EXPECT_EQ(FileCount(dir.path()), 0u);
}

TEST(RandomExportTest, AnyFieldValuesNeverBreakTheExport) {
  int written = 0;
  for (std::uint32_t seed = 1; seed <= 150; ++seed) {
    SCOPED_TRACE(seed);
    mTDeclaration d;
    RandomFiller(seed).Fill(d);
    RecordingPresenter presenter;
    const std::string text = ExportDeclaration({}, d, kExportToText, presenter, FixedEnvironment());
    if (text == "ERROR") {
      // Only a root that cannot hold the identifier (a quote or "<" typed into the inspection
      // code or the ИНН) fails; the check stops such a return before an export.
      ASSERT_EQ(presenter.Messages, std::vector<std::string>{kExportFailed});
      const std::string id = FileIdentifier(d, FixedDate(), kFixedGuid);
      EXPECT_NE(id.find_first_of("\"<&"), std::string::npos) << id;
      continue;
    }
    ++written;
    for (const std::string& message : presenter.Messages) EXPECT_EQ(message, kComputeFailed);
    const XmlDocument document = XmlDocument::Parse(text);
    EXPECT_EQ(document.DocumentElement().Attribute("ИдФайл"), FileIdentifier(d, FixedDate(), kFixedGuid));
  }
  EXPECT_GT(written, 50);
}

}  // namespace
}  // namespace talver::testing
