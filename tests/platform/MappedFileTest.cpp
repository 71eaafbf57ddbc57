#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>

#include "platform/MappedFile.h"
#include "tests/support/TempDir.h"

namespace talver {
namespace {

using testing::FileCount;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

TEST(MappedFile, ReadsTheWholeFile) {
  TempDir dir;
  WriteFile(dir / "a.tv6", "DLSG-contents");
  MappedFile file = MappedFile::OpenForReading(dir / "a.tv6");
  EXPECT_EQ(std::string(file.Data(), file.Size()), "DLSG-contents");
}

TEST(MappedFile, MissingAndEmptyFilesAreRefusedWithoutCreatingAnything) {
  TempDir dir;
  try {
    MappedFile::OpenForReading(dir / "missing.tv6");
    FAIL();
  } catch (const MappedFile::Error& e) {
    EXPECT_EQ(e.stage(), MappedFile::Stage::Missing);
  }
  EXPECT_EQ(FileCount(dir.path()), 0u);
  WriteFile(dir / "empty.tv6", "");
  try {
    MappedFile::OpenForReading(dir / "empty.tv6");
    FAIL();
  } catch (const MappedFile::Error& e) {
    EXPECT_EQ(e.stage(), MappedFile::Stage::Empty);
  }
}

TEST(MappedFile, AHeldFileCannotBeOpenedAgain) {
  TempDir dir;
  WriteFile(dir / "a.tv6", "old");
  {
    MappedFile reader = MappedFile::OpenForReading(dir / "a.tv6");
    for (int attempt = 0; attempt < 2; ++attempt) {
      try {
        if (attempt == 0) {
          MappedFile::OpenForReading(dir / "a.tv6");
        } else {
          MappedFile::CreateForWriting(dir / "a.tv6", 3);
        }
        FAIL() << attempt;
      } catch (const MappedFile::Error& e) {
        EXPECT_EQ(e.stage(), MappedFile::Stage::Open);
      }
    }
  }
  EXPECT_NO_THROW(MappedFile::OpenForReading(dir / "a.tv6"));
}

TEST(MappedFile, CommittedWriteReplacesTheFileAndKeepsItsPermissions) {
  TempDir dir;
  WriteFile(dir / "a.tv6", "old contents");
  ::chmod((dir / "a.tv6").c_str(), 0640);
  {
    MappedFile writer = MappedFile::CreateForWriting(dir / "a.tv6", 3);
    std::memcpy(writer.Data(), "new", 3);
    EXPECT_EQ(ReadFile(dir / "a.tv6"), "old contents");  // nothing changes before the commit
    writer.Commit();
  }
  EXPECT_EQ(ReadFile(dir / "a.tv6"), "new");
  struct stat st {};
  ASSERT_EQ(::stat((dir / "a.tv6").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(FileCount(dir.path()), 1u);
}

TEST(MappedFile, AnAbandonedWriteLeavesTheOldFileAndNoTemporary) {
  TempDir dir;
  WriteFile(dir / "a.tv6", "old contents");
  {
    MappedFile writer = MappedFile::CreateForWriting(dir / "a.tv6", 100);
    std::memcpy(writer.Data(), "half", 4);
  }
  EXPECT_EQ(ReadFile(dir / "a.tv6"), "old contents");
  EXPECT_EQ(FileCount(dir.path()), 1u);
  // A new file whose save is abandoned leaves nothing behind either.
  { MappedFile writer = MappedFile::CreateForWriting(dir / "b.tv6", 10); }
  EXPECT_FALSE(std::filesystem::exists(dir / "b.tv6"));
  EXPECT_EQ(FileCount(dir.path()), 1u);
}

TEST(MappedFile, WritingIntoAMissingFolderFailsAtOpening) {
  TempDir dir;
  try {
    MappedFile::CreateForWriting(dir / "no" / "a.tv6", 10);
    FAIL();
  } catch (const MappedFile::Error& e) {
    EXPECT_EQ(e.stage(), MappedFile::Stage::Open);
  }
}

TEST(MappedFile, SavingThroughALinkReplacesTheFileItNames) {
  TempDir dir;
  WriteFile(dir / "real.tv6", "old");
  std::filesystem::create_symlink(dir / "real.tv6", dir / "link.tv6");
  MappedFile writer = MappedFile::CreateForWriting(dir / "link.tv6", 3);
  std::memcpy(writer.Data(), "new", 3);
  writer.Commit();
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.tv6"));
  EXPECT_EQ(ReadFile(dir / "real.tv6"), "new");
}

}  // namespace
}  // namespace talver
