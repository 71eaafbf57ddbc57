#include "platform/MappedFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>
#include <utility>

namespace talver {
namespace {

std::string Describe(const std::filesystem::path& path, const char* what) {
  return std::string(what) + " " + path.string() + ": " + std::strerror(errno);
}

void CloseFd(int& fd) {
  if (fd >= 0) {
    ::close(fd);
    fd = -1;
  }
}

// Opens and locks without waiting; another holder of the lock makes this fail.
int OpenLocked(const std::filesystem::path& path, int flags, mode_t mode) {
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
  if (fd < 0) return -1;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int saved = errno;
    ::close(fd);
    errno = saved;
    return -1;
  }
  return fd;
}

}  // namespace

MappedFile MappedFile::OpenForReading(const std::filesystem::path& path) {
  MappedFile file;
  file.path_ = path;
  file.readOnly_ = true;
  file.lockFd_ = OpenLocked(path, O_RDONLY, 0);
  if (file.lockFd_ < 0) {
    if (errno == ENOENT) throw Error(Stage::Missing, Describe(path, "no file"));
    throw Error(Stage::Open, Describe(path, "cannot open"));
  }
  struct stat st {};
  if (::fstat(file.lockFd_, &st) != 0 || !S_ISREG(st.st_mode)) {
    throw Error(Stage::Open, Describe(path, "not a regular file"));
  }
  if (st.st_size == 0) throw Error(Stage::Empty, "empty file " + path.string());
  file.size_ = static_cast<std::size_t>(st.st_size);
  void* view = ::mmap(nullptr, file.size_, PROT_READ, MAP_PRIVATE, file.lockFd_, 0);
  if (view == MAP_FAILED) throw Error(Stage::View, Describe(path, "cannot map"));
  file.data_ = static_cast<char*>(view);
  return file;
}

MappedFile MappedFile::CreateForWriting(const std::filesystem::path& requested, std::size_t size) {
  MappedFile file;
  file.readOnly_ = false;
  // A link is saved through: the file it names gets the new contents.
  std::error_code ec;
  file.path_ = std::filesystem::is_symlink(requested, ec) ? std::filesystem::weakly_canonical(requested, ec) : requested;
  if (file.path_.empty()) file.path_ = requested;

  file.lockFd_ = OpenLocked(file.path_, O_RDWR | O_CREAT | O_EXCL, 0666);
  if (file.lockFd_ >= 0) {
    file.createdTarget_ = true;
  } else if (errno == EEXIST) {
    file.lockFd_ = OpenLocked(file.path_, O_RDWR, 0);
  }
  if (file.lockFd_ < 0) throw Error(Stage::Open, Describe(file.path_, "cannot open"));
  if (size == 0) throw Error(Stage::Empty, "empty mapping for " + file.path_.string());

  const std::filesystem::path dir = file.path_.has_parent_path() ? file.path_.parent_path() : ".";
  std::string name = ".";
  name.append(file.path_.filename().string()).append(".XXXXXX");
  std::string pattern = (dir / name).string();
  file.dataFd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (file.dataFd_ < 0) throw Error(Stage::Mapping, Describe(dir, "cannot create a file in"));
  file.tempPath_ = pattern;
  // Reserving the space now turns a full disk into an error here instead of a fault while writing.
  if (const int err = ::posix_fallocate(file.dataFd_, 0, static_cast<off_t>(size)); err != 0) {
    errno = err;
    throw Error(Stage::Mapping, Describe(file.tempPath_, "cannot reserve space for"));
  }
  void* view = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, file.dataFd_, 0);
  if (view == MAP_FAILED) throw Error(Stage::View, Describe(file.tempPath_, "cannot map"));
  file.data_ = static_cast<char*>(view);
  file.size_ = size;
  return file;
}

MappedFile::MappedFile(MappedFile&& other) noexcept { *this = std::move(other); }

MappedFile& MappedFile::operator=(MappedFile&& other) noexcept {
  if (this != &other) {
    Release();
    path_ = std::move(other.path_);
    tempPath_ = std::move(other.tempPath_);
    lockFd_ = std::exchange(other.lockFd_, -1);
    dataFd_ = std::exchange(other.dataFd_, -1);
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
    readOnly_ = other.readOnly_;
    createdTarget_ = std::exchange(other.createdTarget_, false);
    other.tempPath_.clear();
  }
  return *this;
}

MappedFile::~MappedFile() { Release(); }

void MappedFile::Commit() {
  if (readOnly_ || dataFd_ < 0) throw Error(Stage::Commit, "nothing to commit for " + path_.string());
  const auto fail = [&](const char* what) { throw Error(Stage::Commit, Describe(path_, what)); };
  if (data_ != nullptr) {
    if (::msync(data_, size_, MS_SYNC) != 0) fail("cannot write");
    ::munmap(data_, size_);
    data_ = nullptr;
  }
  // The new file keeps the permissions of the one it replaces.
  struct stat st {};
  if (::fstat(lockFd_, &st) == 0) ::fchmod(dataFd_, st.st_mode & 07777);
  if (::fsync(dataFd_) != 0) fail("cannot sync");
  CloseFd(dataFd_);
  if (::rename(tempPath_.c_str(), path_.c_str()) != 0) fail("cannot replace");
  tempPath_.clear();
  createdTarget_ = false;
  const std::filesystem::path dir = path_.has_parent_path() ? path_.parent_path() : ".";
  const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    ::fsync(dirFd);
    ::close(dirFd);
  }
}

void MappedFile::Release() noexcept {
  if (data_ != nullptr) {
    ::munmap(data_, size_);
    data_ = nullptr;
  }
  size_ = 0;
  CloseFd(dataFd_);
  if (!tempPath_.empty()) {
    ::unlink(tempPath_.c_str());
    tempPath_.clear();
  }
  if (createdTarget_) {
    // An unfinished save of a new file leaves nothing behind.
    ::unlink(path_.c_str());
    createdTarget_ = false;
  }
  CloseFd(lockFd_);
}

}  // namespace talver
