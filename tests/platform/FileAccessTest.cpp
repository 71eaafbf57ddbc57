#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <fstream>
#include <future>
#include <optional>
#include <thread>

#include "platform/FileAccess.h"
#include "tests/support/FullDisk.h"
#include "tests/support/TempDir.h"

namespace talver {
namespace {

using testing::FileCount;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;
using Kind = FileError::Kind;

// The kind of the FileError `action` throws.
std::optional<Kind> KindOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const FileError& e) {
    EXPECT_NE(std::string(e.what()).find(e.path().string()), std::string::npos) << e.what();
    return e.kind();
  }
  return std::nullopt;
}

// Another program's lock on `path` for the lifetime of this object.
class HeldLock {
 public:
  HeldLock(const std::filesystem::path& path, int operation) : fd_(::open(path.c_str(), O_RDONLY)) {
    EXPECT_EQ(::flock(fd_, operation | LOCK_NB), 0);
  }
  ~HeldLock() { ::close(fd_); }

 private:
  int fd_;
};

TEST(FileAccess, ReadsTheWholeFile) {
  TempDir dir;
  WriteFile(dir / "a.tv6", "DLSG-contents");
  EXPECT_EQ(ReadWholeFile(dir / "a.tv6", 100), "DLSG-contents");
}

TEST(FileAccess, ReadingRefusesWhatIsNoFileToReadWithoutCreatingAnything) {
  TempDir dir;
  WriteFile(dir / "empty.tv6", "");
  WriteFile(dir / "big.tv6", std::string(101, 'x'));
  std::filesystem::create_directory(dir / "folder.tv6");
  const struct {
    const char* name;
    std::filesystem::path path;
    Kind kind;
  } cases[] = {
      {"missing", dir / "missing.tv6", Kind::Missing},
      {"missing folder", dir / "no" / "a.tv6", Kind::Missing},
      {"empty", dir / "empty.tv6", Kind::Empty},
      {"above the limit", dir / "big.tv6", Kind::TooLarge},
      {"a folder", dir / "folder.tv6", Kind::NotRegular},
      {"a device", "/dev/null", Kind::NotRegular},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(KindOf([&] { ReadWholeFile(c.path, 100); }), c.kind);
  }
  EXPECT_EQ(FileCount(dir.path()), 3u);
}

TEST(FileAccess, AFifoIsRefusedWithoutWaitingForAWriter) {
  TempDir dir;
  const auto fifo = dir / "p.tv6";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  auto reading = std::async(std::launch::async, [&] { return KindOf([&] { ReadWholeFile(fifo, 100); }); });
  if (reading.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
    // Let the blocked reader go before failing.
    ::close(::open(fifo.c_str(), O_WRONLY | O_NONBLOCK));
    ADD_FAILURE() << "the read waits for a writer of the FIFO";
  }
  EXPECT_EQ(reading.get(), Kind::NotRegular);
}

TEST(FileAccess, ReadersShareTheFileAndAWriterHoldsItAlone) {
  TempDir dir;
  const auto path = dir / "a.tv6";
  WriteFile(path, "old");
  {
    HeldLock reader(path, LOCK_SH);
    EXPECT_EQ(ReadWholeFile(path, 100), "old");
    EXPECT_EQ(KindOf([&] { FileWriter writer(path); }), Kind::Busy);
  }
  {
    HeldLock writer(path, LOCK_EX);
    EXPECT_EQ(KindOf([&] { ReadWholeFile(path, 100); }), Kind::Busy);
    EXPECT_EQ(KindOf([&] { FileWriter second(path); }), Kind::Busy);
  }
  FileWriter writer(path);
  EXPECT_EQ(KindOf([&] { ReadWholeFile(path, 100); }), Kind::Busy);
}

// What another program does to the file after the reader's first read of `chunk` bytes.
TEST(FileAccess, AFileChangedWhileItIsReadIsReported) {
  TempDir dir;
  const auto path = dir / "a.tv6";
  const std::string contents(4000, 'x');
  const struct {
    const char* name;
    std::function<void()> change;
  } cases[] = {
      {"shortened", [&] { ::truncate(path.c_str(), 10); }},
      {"emptied", [&] { ::truncate(path.c_str(), 0); }},
      {"lengthened", [&] { std::ofstream(path, std::ios::app) << "more"; }},
      {"rewritten in place", [&] {
         std::this_thread::sleep_for(std::chrono::milliseconds(20));  // a later modification time
         std::fstream(path, std::ios::in | std::ios::out | std::ios::binary).write("yyyy", 4);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFile(path, contents);
    bool changed = false;
    const ReadCall read = [&](int fd, char* data, std::size_t size) -> long {
      const long n = ::read(fd, data, std::min<std::size_t>(size, 100));
      if (!changed) c.change();
      changed = true;
      return n;
    };
    EXPECT_EQ(KindOf([&] { ReadWholeFile(path, 10000, read); }), Kind::Changed);
  }
}

TEST(FileAccess, AWriteReplacesTheFileKeepingItsPermissionsAndFollowingALink) {
  TempDir dir;
  WriteFile(dir / "a.tv6", "old contents");
  ::chmod((dir / "a.tv6").c_str(), 0640);
  {
    FileWriter writer(dir / "a.tv6");
    EXPECT_EQ(ReadFile(dir / "a.tv6"), "old contents");  // nothing changes before the commit
    writer.Commit("new");
  }
  EXPECT_EQ(ReadFile(dir / "a.tv6"), "new");
  struct stat st {};
  ASSERT_EQ(::stat((dir / "a.tv6").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);

  std::filesystem::create_symlink(dir / "a.tv6", dir / "link.tv6");
  WriteFileReplacing(dir / "link.tv6", "through the link");
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.tv6"));
  EXPECT_EQ(ReadFile(dir / "a.tv6"), "through the link");
  EXPECT_EQ(FileCount(dir.path()), 2u);
}

TEST(FileAccess, AWriteNeverReplacesWhatIsNoRegularFile) {
  TempDir dir;
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  std::filesystem::create_directory(dir / "folder");
  std::filesystem::create_symlink("/dev/null", dir / "to-null");
  for (const std::filesystem::path& target : {dir / "fifo", dir / "folder", dir / "to-null",
                                              std::filesystem::path("/dev/null")}) {
    SCOPED_TRACE(target.string());
    // Refused before anything is written: the constructor alone must throw.
    EXPECT_EQ(KindOf([&] { FileWriter writer(target); }), Kind::NotRegular);
  }
  EXPECT_TRUE(std::filesystem::is_fifo(dir / "fifo"));
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
  EXPECT_EQ(FileCount(dir.path()), 3u);
  // A folder that does not exist is refused before anything is written too.
  EXPECT_EQ(KindOf([&] { FileWriter writer(dir / "no" / "a.tv6"); }), Kind::Open);
}

TEST(FileAccess, AFailedWriteLeavesTheOldFileOrNoneAndNoTemporary) {
  TempDir dir;
  WriteFile(dir / "a.tv6", "old contents");
  for (const char* name : {"a.tv6", "new.tv6"}) {
    SCOPED_TRACE(name);
    try {
      WriteFileReplacing(dir / name, std::string(100, 'n'), testing::FullDiskAfter(5));
      ADD_FAILURE() << "written";
    } catch (const FileError& e) {
      EXPECT_EQ(e.kind(), Kind::Write);
      EXPECT_EQ(e.Reason(), "Нет места на диске.");
    }
  }
  EXPECT_EQ(ReadFile(dir / "a.tv6"), "old contents");
  EXPECT_EQ(FileCount(dir.path()), 1u);
}

// Runs a write in a child process whose write call sends `signal` to the child after the first
// bytes; the exit status of the child.
int WriteInterruptedBy(int signal, const std::filesystem::path& target) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    const WriteCall interrupted = [&](int fd, const char* data, std::size_t) -> long {
      const long n = ::write(fd, data, 10);
      ::kill(::getpid(), signal);
      return n;
    };
    try {
      WriteFileReplacing(target, std::string(100000, 'n'), interrupted);
    } catch (...) {
    }
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return status;
}

TEST(FileAccess, AWriteEndedBySignalLeavesNothingNewAndTheNextWriteClearsWhatAKillLeft) {
  TempDir dir;
  WriteFile(dir / "a.tv6", "old contents");
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    for (const char* name : {"a.tv6", "new.tv6"}) {
      SCOPED_TRACE(std::string(strsignal(signal)) + " " + name);
      const int status = WriteInterruptedBy(signal, dir / name);
      EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
      EXPECT_EQ(FileCount(dir.path()), 1u);
    }
  }
  EXPECT_EQ(ReadFile(dir / "a.tv6"), "old contents");

  // A kill cannot be caught: the temporary stays, and the target is still untouched.
  EXPECT_TRUE(WIFSIGNALED(WriteInterruptedBy(SIGKILL, dir / "a.tv6")));
  EXPECT_TRUE(WIFSIGNALED(WriteInterruptedBy(SIGKILL, dir / "new.tv6")));
  EXPECT_FALSE(std::filesystem::exists(dir / "new.tv6"));
  EXPECT_EQ(ReadFile(dir / "a.tv6"), "old contents");
  EXPECT_EQ(FileCount(dir.path()), 3u);
  WriteFileReplacing(dir / "a.tv6", "new contents");
  EXPECT_EQ(ReadFile(dir / "a.tv6"), "new contents");
  EXPECT_EQ(FileCount(dir.path()), 2u);
  RemoveStaleTemporaries(dir.path());
  EXPECT_EQ(FileCount(dir.path()), 1u);
}

TEST(FileAccess, ATemporaryOfARunningWriteIsNotTakenForAStaleOne) {
  TempDir dir;
  const auto temp = dir / ".a.tv6.talver-tmp";
  WriteFile(temp, "half");
  WriteFile(dir / "notes.talver-tmp", "not hidden: not ours");
  {
    HeldLock running(temp, LOCK_EX);
    RemoveStaleTemporaries(dir.path());
    EXPECT_TRUE(std::filesystem::exists(temp));
    EXPECT_EQ(KindOf([&] { WriteFileReplacing(dir / "a.tv6", "x"); }), Kind::Write);
    EXPECT_EQ(ReadFile(temp), "half");
  }
  RemoveStaleTemporaries(dir.path());
  EXPECT_FALSE(std::filesystem::exists(temp));
  EXPECT_TRUE(std::filesystem::exists(dir / "notes.talver-tmp"));
}

}  // namespace
}  // namespace talver
