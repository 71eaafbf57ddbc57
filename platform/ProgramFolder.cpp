#include "platform/ProgramFolder.h"

#include <system_error>

namespace talver {

std::filesystem::path ExecutableFolder() {
  std::error_code ec;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return {};
  return executable.parent_path();
}

std::filesystem::path ShippedDataFolder(const std::filesystem::path& programFolder) {
  std::error_code ec;
  std::filesystem::path beside = programFolder / "resources";
  if (std::filesystem::is_directory(beside, ec)) return beside;
  std::filesystem::path installed = (programFolder / ".." / "share" / "talver").lexically_normal();
  if (std::filesystem::is_directory(installed, ec)) return installed;
  return beside;
}

}  // namespace talver
