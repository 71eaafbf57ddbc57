// Finding the shipped data files from the program's folder, as the build tree, a package and
// an unpacked package lay them out.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ProgramFolder.h"
#include "tests/support/TempDir.h"

namespace talver {
namespace {

TEST(ProgramFolder, ShippedDataBesideTheBinariesOrInShareOfTheirPrefix) {
  struct Case {
    const char* layout;
    std::vector<std::string> folders;  // made under the temporary root
    std::vector<std::string> files;
    std::string expected;              // relative to the root
  };
  const Case cases[] = {
      {"build tree", {"bin/resources"}, {}, "bin/resources"},
      {"installed or unpacked", {"bin", "share/talver"}, {}, "share/talver"},
      // A build folder inside a prefix keeps its own copy.
      {"both", {"bin/resources", "share/talver"}, {}, "bin/resources"},
      {"neither", {"bin", "share"}, {}, "bin/resources"},
      // A file of that name is no folder of data files.
      {"resources is a file", {"bin", "share/talver"}, {"bin/resources"}, "share/talver"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.layout);
    testing::TempDir root;
    for (const std::string& folder : c.folders) std::filesystem::create_directories(root / folder);
    for (const std::string& file : c.files) testing::WriteFile(root / file, "");
    EXPECT_EQ(ShippedDataFolder(root / "bin"), root / c.expected);
  }
}

TEST(ProgramFolder, TheRunningExecutablesFolder) {
  // The tests are built into the folder of the programs, beside their "resources".
  const std::filesystem::path folder = ExecutableFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_TRUE(std::filesystem::equivalent(folder, std::filesystem::path(TALVER_RESOURCE_DIR).parent_path()));
  EXPECT_EQ(ShippedDataFolder(folder), folder / "resources");
}

}  // namespace
}  // namespace talver
