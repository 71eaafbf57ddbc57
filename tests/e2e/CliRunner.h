#pragma once
// Runs talver-cli with arguments in a folder and collects what it printed and its exit code.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/TempDir.h"

extern char** environ;

namespace talver::testing {

struct CliRun {
  int Code = -1;
  std::string Out;
  std::string Err;
};

inline CliRun RunCli(const std::vector<std::string>& args, const std::filesystem::path& workdir) {
  const std::filesystem::path out = workdir / ".cli-stdout";
  const std::filesystem::path err = workdir / ".cli-stderr";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::vector<std::string> argvStrings;
  argvStrings.push_back(TALVER_CLI);
  argvStrings.insert(argvStrings.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : argvStrings) argv.push_back(a.data());
  argv.push_back(nullptr);
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(workdir);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, TALVER_CLI, &actions, nullptr, argv.data(), environ);
  std::filesystem::current_path(previous);
  posix_spawn_file_actions_destroy(&actions);
  CliRun run;
  if (spawned != 0) return run;
  int status = 0;
  waitpid(pid, &status, 0);
  run.Code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  run.Out = ReadFile(out);
  run.Err = ReadFile(err);
  std::filesystem::remove(out);
  std::filesystem::remove(err);
  return run;
}

}  // namespace talver::testing
