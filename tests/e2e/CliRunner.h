#pragma once
// Runs talver-cli with arguments in a folder and collects what it printed and its exit code.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/TempDir.h"

namespace talver::testing {

struct CliRun {
  int Code = -1;  // the exit status, 128 + the signal that ended it, or -1 when it did not end in time
  std::string Out;
  std::string Err;
};

struct CliOptions {
  // Where standard output goes instead of being collected ("/dev/full", say).
  std::filesystem::path Stdout;
  // A limit on the size of every file the program writes, as a full disk: writes beyond it
  // fail with EFBIG.
  long FileSizeLimit = -1;
  // A run that takes longer is killed and reported with Code -1.
  std::chrono::milliseconds Timeout{60000};
  // Called once the program has started, with its process id; returns when it is done.
  std::function<void(pid_t)> WhileRunning;
};

// The example declaration of the repository, as JSON, and a fixed unique part of file names.
inline const std::string kExampleJson = std::string(TALVER_EXAMPLES_DIR) + "/resident-wages.json";
inline const std::string kFixedGuid = "0C6A2E74-3F1D-4B0E-9A56-2D1F8C4B7E90";

inline CliRun RunCli(const std::vector<std::string>& args, const std::filesystem::path& workdir,
                     const CliOptions& options = {}) {
  // Runs may go on side by side in one folder: each collects into files of its own.
  static std::atomic<int> runs{0};
  const std::string tag = std::to_string(::getpid()) + "-" + std::to_string(runs++);
  const std::filesystem::path out = options.Stdout.empty() ? workdir / (".cli-stdout-" + tag) : options.Stdout;
  const std::filesystem::path err = workdir / (".cli-stderr-" + tag);
  std::vector<std::string> argvStrings;
  argvStrings.push_back(TALVER_CLI);
  argvStrings.insert(argvStrings.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : argvStrings) argv.push_back(a.data());
  argv.push_back(nullptr);

  const pid_t pid = ::fork();
  if (pid == 0) {
    const int outFd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int errFd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int nullFd = ::open("/dev/null", O_RDONLY);
    if (outFd < 0 || errFd < 0 || nullFd < 0 || ::dup2(outFd, 1) < 0 || ::dup2(errFd, 2) < 0 || ::dup2(nullFd, 0) < 0 ||
        ::chdir(workdir.c_str()) != 0) {
      ::_exit(127);
    }
    // As at a terminal, whatever the test runner ignores.
    for (const int sig : {SIGINT, SIGTERM, SIGHUP}) ::signal(sig, SIG_DFL);
    if (options.FileSizeLimit >= 0) {
      // A write past the limit then fails with EFBIG instead of ending the program.
      ::signal(SIGXFSZ, SIG_IGN);
      const rlimit limit{static_cast<rlim_t>(options.FileSizeLimit), static_cast<rlim_t>(options.FileSizeLimit)};
      ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ::execv(TALVER_CLI, argv.data());
    ::_exit(127);
  }
  CliRun run;
  if (pid < 0) return run;
  if (options.WhileRunning) options.WhileRunning(pid);
  int status = 0;
  const auto deadline = std::chrono::steady_clock::now() + options.Timeout;
  pid_t done = 0;
  while ((done = ::waitpid(pid, &status, WNOHANG)) == 0 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  if (done == 0) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
    run.Code = -1;
  } else {
    run.Code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  if (options.Stdout.empty()) run.Out = ReadFile(out);
  run.Err = ReadFile(err);
  if (options.Stdout.empty()) std::filesystem::remove(out);
  std::filesystem::remove(err);
  return run;
}

// A folder of its own with the example built into ivanov.tv6 and an empty out/ to export into.
class ExampleFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(RunCli({"build", kExampleJson, "-o", "ivanov.tv6"}, dir.path()).Code, 0);
    std::filesystem::create_directory(dir / "out");
  }
  TempDir dir;
};

}  // namespace talver::testing
