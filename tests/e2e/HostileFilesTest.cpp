// talver-cli against files that are no declaration files, change while they are read, or
// cannot take what it writes: it never crashes, never waits forever, never reports success for
// output that did not get out, and never leaves debris or replaces what is not a regular file.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <future>
#include <nlohmann/json.hpp>
#include <set>
#include <thread>
#include <vector>

#include "model/DeclClasses.h"
#include "platform/Text1251.h"
#include "tests/e2e/CliRunner.h"

namespace talver {
namespace {

using testing::CliOptions;
using testing::CliRun;
using testing::FileCount;
using testing::ReadFile;
using testing::RunCli;
using testing::TempDir;
using testing::WriteFile;

const std::string& kExample = testing::kExampleJson;
const std::string& kGuid = testing::kFixedGuid;

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class HostileFiles : public testing::ExampleFolder {};

TEST_F(HostileFiles, AFifoIsRefusedAtOnceAndABatchGoesOnPastIt) {
  ASSERT_EQ(::mkfifo((dir / "p.tv6").c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo((dir / "p.json").c_str(), 0600), 0);
  CliOptions quick;
  quick.Timeout = std::chrono::seconds(20);
  const CliRun check = RunCli({"check", "p.tv6"}, dir.path(), quick);
  EXPECT_EQ(check.Code, 2);
  EXPECT_TRUE(Contains(check.Err, "p.tv6: Это канал (FIFO), а не обычный файл.")) << check.Err;
  const CliRun build = RunCli({"build", "p.json", "-o", "x.tv6"}, dir.path(), quick);
  EXPECT_EQ(build.Code, 2);
  EXPECT_TRUE(Contains(build.Err, "Это канал (FIFO)")) << build.Err;

  const CliRun batch = RunCli({"export", "p.tv6", "ivanov.tv6", "-o", "out", "--guid", kGuid}, dir.path(), quick);
  EXPECT_EQ(batch.Code, 2);
  EXPECT_EQ(FileCount(dir / "out"), 1u);
  EXPECT_TRUE(Contains(batch.Out, "out/NO_NDFL3_0105_0105_")) << batch.Out;
}

TEST_F(HostileFiles, ASaveNeverReplacesADeviceOrAFifo) {
  ASSERT_EQ(::mkfifo((dir / "fifo.tv6").c_str(), 0600), 0);
  std::vector<std::string> targets = {"fifo.tv6"};
  // A node of the null device of our own (root may make one; elsewhere the FIFO stands for it).
  if (::mknod((dir / "null.tv6").c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0) targets.push_back("null.tv6");
  for (const std::string& target : targets) {
    SCOPED_TRACE(target);
    const CliRun run = RunCli({"build", kExample, "-o", target}, dir.path());
    EXPECT_EQ(run.Code, 2);
    EXPECT_TRUE(Contains(run.Err, "Сохранение заменило бы его.")) << run.Err;
    struct stat st {};
    ASSERT_EQ(::lstat((dir / target).c_str(), &st), 0);
    EXPECT_FALSE(S_ISREG(st.st_mode));
  }
}

// Standard output that cannot take what is written: /dev/full, or a file on a disk that fills.
TEST_F(HostileFiles, OutputThatDoesNotGetOutIsAFailure) {
  const std::vector<std::vector<std::string>> commands = {
      {"xml", "ivanov.tv6"},   {"dump", "ivanov.tv6"},   {"summary", "ivanov.tv6"},
      {"check", "ivanov.tv6"}, {"export", "ivanov.tv6", "-o", "out", "--guid", kGuid}, {"--help"},
  };
  for (const auto& args : commands) {
    SCOPED_TRACE(args[0]);
    CliOptions full;
    full.Stdout = "/dev/full";
    const CliRun run = RunCli(args, dir.path(), full);
    EXPECT_EQ(run.Code, 2);
    EXPECT_EQ(run.Err, "talver-cli: Ошибка записи в стандартный вывод: Нет места на диске.\n");

    // A disk with room for a thousand bytes: the output is cut, and so the command failed.
    CliOptions fills;
    fills.Stdout = dir / "return.out";
    fills.FileSizeLimit = 1000;
    const CliRun cut = RunCli(args, dir.path(), fills);
    if (args[0] != "xml" && args[0] != "dump" && args[0] != "summary") continue;  // the others fit
    EXPECT_EQ(cut.Code, 2);
    EXPECT_TRUE(Contains(cut.Err, "talver-cli: Ошибка записи в стандартный вывод:")) << cut.Err;
  }
}

TEST_F(HostileFiles, ASaveOnAFullDiskLeavesNothingBehind) {
  WriteFile(dir / "out" / "old.tv6", "old contents");
  for (const char* target : {"out/new.tv6", "out/old.tv6"}) {
    SCOPED_TRACE(target);
    CliOptions fills;
    fills.FileSizeLimit = 1000;
    const CliRun run = RunCli({"build", kExample, "-o", target}, dir.path(), fills);
    EXPECT_EQ(run.Code, 2);
    EXPECT_TRUE(Contains(run.Err, std::string(target) + ": Ошибка записи файла: " + target)) << run.Err;
    EXPECT_TRUE(Contains(run.Err, "Файл больше, чем допускает система.")) << run.Err;
  }
  CliOptions fills;
  fills.FileSizeLimit = 1000;
  const CliRun exported = RunCli({"export", "ivanov.tv6", "-o", "out", "--guid", kGuid}, dir.path(), fills);
  EXPECT_EQ(exported.Code, 2);
  EXPECT_TRUE(Contains(exported.Err, "Ошибка в выгрузке.")) << exported.Err;
  EXPECT_TRUE(Contains(exported.Err, "Файл больше, чем допускает система.")) << exported.Err;
  EXPECT_EQ(ReadFile(dir / "out" / "old.tv6"), "old contents");
  EXPECT_EQ(FileCount(dir / "out"), 1u);
}

TEST_F(HostileFiles, ABatchWithOneGuidNeverWritesTwoReturnsUnderOneName) {
  auto json = nlohmann::json::parse(ReadFile(kExample));
  json["Person"]["Surname"] = "Петров";
  WriteFile(dir / "petrov.json", json.dump());
  ASSERT_EQ(RunCli({"build", "petrov.json", "-o", "petrov.tv6"}, dir.path()).Code, 0);
  const CliRun run = RunCli({"export", "ivanov.tv6", "petrov.tv6", "-o", "out", "--guid", kGuid}, dir.path());
  EXPECT_EQ(run.Code, 2);
  EXPECT_TRUE(Contains(run.Err, "petrov.tv6: Файл не сформирован: имя NO_NDFL3_0105_0105_")) << run.Err;
  EXPECT_TRUE(Contains(run.Err, "уже получил файл из ivanov.tv6")) << run.Err;
  ASSERT_EQ(FileCount(dir / "out"), 1u);
  const std::string written = ReadFile(std::filesystem::directory_iterator(dir / "out")->path());
  EXPECT_TRUE(Contains(written, Utf8ToCp1251("ИВАНОВ")));
  EXPECT_FALSE(Contains(written, Utf8ToCp1251("ПЕТРОВ")));
}

// A valid header and then streams enough that reading them takes a while.
std::string LargeFile() {
  std::string bytes = mTDeclaration().SaveToBytes().substr(0, 60);
  for (int i = 0; bytes.size() < (std::size_t{24} << 20); ++i) {
    const std::string name = "@Stream" + std::to_string(i);
    bytes += (name.size() < 10 ? "000" : "00") + std::to_string(name.size()) + name;
  }
  return bytes;
}

// Waits until the program has `path` open, or has ended.
void WaitUntilOpen(pid_t pid, const std::filesystem::path& path) {
  const std::filesystem::path fds = "/proc/" + std::to_string(pid) + "/fd";
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (std::chrono::steady_clock::now() < deadline) {
    std::error_code ec;
    for (std::filesystem::directory_iterator it(fds, ec), end; !ec && it != end; it.increment(ec)) {
      std::error_code link;
      if (std::filesystem::read_symlink(it->path(), link) == path) return;
    }
    if (ec) return;  // it has ended
  }
}

TEST_F(HostileFiles, AFileChangedByAnotherProgramDuringTheReadIsReportedNotAFault) {
  const std::string large = LargeFile();
  for (int run = 0; run < 4; ++run) {
    SCOPED_TRACE("run " + std::to_string(run));
    WriteFile(dir / "large.tv6", large);
    CliOptions truncating;
    truncating.WhileRunning = [&](pid_t pid) {
      WaitUntilOpen(pid, dir / "large.tv6");
      ::truncate((dir / "large.tv6").c_str(), 100);
    };
    const CliRun checked = RunCli({"check", "large.tv6"}, dir.path(), truncating);
    EXPECT_EQ(checked.Code, 2) << checked.Err;
    EXPECT_TRUE(Contains(checked.Err, "large.tv6: ")) << checked.Err;
  }

  // `cp` over the file again and again while it is checked: each check sees the whole file,
  // or says it changed or is damaged.
  const std::string good = ReadFile(dir / "ivanov.tv6");
  std::atomic<bool> copying{true};
  std::thread copier([&] {
    while (copying) WriteFile(dir / "t.tv6", good);
  });
  for (int i = 0; i < 40; ++i) {
    const CliRun run = RunCli({"check", "t.tv6"}, dir.path());
    EXPECT_TRUE(run.Code == 0 || run.Code == 2) << run.Code << " " << run.Err;
  }
  copying = false;
  copier.join();
}

// A JSON document of many sources, whose load and save take long enough to meet another.
void WriteLargeJson(const std::filesystem::path& path) {
  auto json = nlohmann::json::parse(ReadFile(kExample));
  const nlohmann::json source = json["Sources13"][0];
  for (int i = 0; i < 800; ++i) json["Sources13"].push_back(source);
  WriteFile(path, json.dump());
}

// As `xargs -P` runs them: checks of one file side by side.
TEST_F(HostileFiles, ChecksOfOneFileAtOnceDoNotStandInEachOthersWay) {
  WriteLargeJson(dir / "large.json");
  ASSERT_EQ(RunCli({"build", "large.json", "-o", "large.tv6"}, dir.path()).Code, 0);
  for (int round = 0; round < 6; ++round) {
    std::vector<std::future<CliRun>> runs;
    for (int i = 0; i < 3; ++i) {
      runs.push_back(std::async(std::launch::async, [&] { return RunCli({"check", "large.tv6"}, dir.path()); }));
    }
    for (auto& run : runs) {
      const CliRun checked = run.get();
      EXPECT_NE(checked.Code, 2) << checked.Err;
    }
  }
}

// Runs `build` into out/ and sends `signal` as soon as something appears there.
CliRun BuildInterruptedBy(int signal, const TempDir& dir, const std::string& target, bool& caught) {
  std::set<std::filesystem::path> before(std::filesystem::directory_iterator(dir / "out"), {});
  CliOptions interrupt;
  caught = false;
  interrupt.WhileRunning = [&](pid_t pid) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (std::chrono::steady_clock::now() < deadline) {
      const std::set<std::filesystem::path> now(std::filesystem::directory_iterator(dir / "out"), {});
      if (now != before) {
        ::kill(pid, signal);
        caught = true;
        return;
      }
      siginfo_t ended{};
      if (::waitid(P_PID, static_cast<id_t>(pid), &ended, WEXITED | WNOHANG | WNOWAIT) == 0 && ended.si_pid != 0) {
        return;  // it ended first
      }
    }
  };
  return RunCli({"build", "large.json", "-o", target}, dir.path(), interrupt);
}

// Sends `signal` to saves of `target` until one is caught before it ends (on a busy machine the
// save may finish first, which must then have left the complete file and nothing else). Returns
// whether one was caught; every try is checked on what it leaves.
bool InterruptSave(int signal, const TempDir& dir, const std::string& target, std::size_t filesBefore) {
  for (int attempt = 0; attempt < 8; ++attempt) {
    bool caught = false;
    const CliRun run = BuildInterruptedBy(signal, dir, target, caught);
    if (run.Code == 0) {
      // It ended before the signal reached it: the whole new file, no temporary beside it.
      const bool replacesOld = target == std::string("out/old.tv6");
      EXPECT_EQ(FileCount(dir / "out"), replacesOld ? filesBefore : filesBefore + 1);
      EXPECT_EQ(RunCli({"check", target}, dir.path()).Code, 0);
      if (replacesOld) WriteFile(dir / "out" / "old.tv6", "old contents");
      else std::filesystem::remove(dir / target);
      continue;
    }
    EXPECT_TRUE(caught);
    EXPECT_EQ(run.Code, 128 + signal);
    return true;
  }
  return false;
}

TEST_F(HostileFiles, ASaveEndedBySignalLeavesTheOldFileOrNothingAndNoDebris) {
  WriteLargeJson(dir / "large.json");
  WriteFile(dir / "out" / "old.tv6", "old contents");
  const std::pair<int, const char*> cases[] = {{SIGTERM, "out/old.tv6"}, {SIGTERM, "out/new.tv6"}, {SIGINT, "out/new.tv6"}};
  for (const auto& [signal, target] : cases) {
    SCOPED_TRACE(std::string(strsignal(signal)) + " " + target);
    ASSERT_TRUE(InterruptSave(signal, dir, target, 1)) << "every save ended before the signal reached it";
    EXPECT_EQ(FileCount(dir / "out"), 1u);
    EXPECT_EQ(ReadFile(dir / "out" / "old.tv6"), "old contents");
  }
  // A kill leaves the temporary, but no target; the next save clears it.
  ASSERT_TRUE(InterruptSave(SIGKILL, dir, "out/new.tv6", 1));
  EXPECT_FALSE(std::filesystem::exists(dir / "out" / "new.tv6"));
  const CliRun again = RunCli({"build", "large.json", "-o", "out/new.tv6"}, dir.path());
  ASSERT_EQ(again.Code, 0) << again.Err;
  EXPECT_EQ(FileCount(dir / "out"), 2u);
  EXPECT_EQ(RunCli({"check", "out/new.tv6"}, dir.path()).Code, 0);
}

}  // namespace
}  // namespace talver
