#pragma once
// The write call of a disk that fills after `room` bytes: every later write fails with ENOSPC.
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <functional>
#include <memory>

namespace talver::testing {

inline std::function<long(int, const char*, std::size_t)> FullDiskAfter(std::size_t room) {
  auto left = std::make_shared<std::size_t>(room);
  return [left](int fd, const char* data, std::size_t size) -> long {
    if (*left == 0) {
      errno = ENOSPC;
      return -1;
    }
    const std::size_t n = std::min(size, *left);
    *left -= n;
    return static_cast<long>(::write(fd, data, n));
  };
}

}  // namespace talver::testing
