#include "platform/FileAccess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <system_error>
#include <utility>

namespace talver {
namespace {

using Kind = FileError::Kind;

constexpr std::string_view kTemporarySuffix = ".talver-tmp";
constexpr char kChanged[] = "Файл изменился во время чтения: его записывает другая программа.";

std::filesystem::path FolderOf(const std::filesystem::path& path) {
  return path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
}

std::filesystem::path TemporaryOf(const std::filesystem::path& target) {
  return FolderOf(target) / ("." + target.filename().string() + std::string(kTemporarySuffix));
}

std::string NodeKind(mode_t mode) {
  if (S_ISDIR(mode)) return "Это каталог, а не файл.";
  if (S_ISFIFO(mode)) return "Это канал (FIFO), а не обычный файл.";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "Это устройство, а не обычный файл.";
  if (S_ISSOCK(mode)) return "Это сокет, а не обычный файл.";
  return "Это не обычный файл.";
}

void CloseFd(int& fd) noexcept {
  if (fd >= 0) {
    ::close(fd);
    fd = -1;
  }
}

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

bool SameTime(const struct timespec& a, const struct timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }

// Removes `path` when it is a temporary that no running write holds: the writer keeps its
// temporary locked from creation to rename, so a lock taken here means its writer is gone.
bool RemoveIfStale(const std::filesystem::path& path) noexcept {
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return false;
  bool removed = false;
  struct stat opened {};
  struct stat named {};
  if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && opened.st_uid == ::geteuid() &&
      ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::lstat(path.c_str(), &named) == 0 && SameFile(opened, named)) {
    removed = ::unlink(path.c_str()) == 0;
  }
  CloseFd(fd);
  return removed;
}

// ---- the temporary of the write in progress, for the signal handlers ----
//
// A signal handler can only reach what is global; the program writes one file at a time, so one
// path is enough. The handlers exist only while a temporary does, and only for signals whose
// disposition was the default one: whoever installed a handler of their own keeps it.

constexpr int kCleanupSignals[] = {SIGINT, SIGTERM, SIGHUP};
char g_pendingPath[PATH_MAX];
volatile sig_atomic_t g_pending = 0;

extern "C" void RemovePendingTemporaryAndDie(int signal) {
  if (g_pending != 0) ::unlink(g_pendingPath);
  struct sigaction fallback {};
  fallback.sa_handler = SIG_DFL;
  ::sigemptyset(&fallback.sa_mask);
  ::sigaction(signal, &fallback, nullptr);
  // Blocked while this handler runs, the signal is delivered again on return, now with its
  // default action: the program ends as it would have without the handler.
  ::raise(signal);
}

class PendingTemporary {
 public:
  explicit PendingTemporary(const std::filesystem::path& path) : path_(path) {
    const std::string& text = path_.native();
    if (text.size() < sizeof g_pendingPath) {
      std::memcpy(g_pendingPath, text.c_str(), text.size() + 1);
      g_pending = 1;
    }
    for (std::size_t i = 0; i < std::size(kCleanupSignals); ++i) {
      struct sigaction current {};
      if (::sigaction(kCleanupSignals[i], nullptr, &current) != 0) continue;
      if ((current.sa_flags & SA_SIGINFO) != 0 || current.sa_handler != SIG_DFL) continue;
      struct sigaction cleanup {};
      cleanup.sa_handler = RemovePendingTemporaryAndDie;
      ::sigemptyset(&cleanup.sa_mask);
      installed_[i] = ::sigaction(kCleanupSignals[i], &cleanup, nullptr) == 0;
    }
  }
  PendingTemporary(const PendingTemporary&) = delete;
  PendingTemporary& operator=(const PendingTemporary&) = delete;

  // The temporary has become the target: nothing is left to remove.
  void Renamed() {
    g_pending = 0;
    path_.clear();
  }

  ~PendingTemporary() {
    if (!path_.empty()) ::unlink(path_.c_str());
    g_pending = 0;
    for (std::size_t i = 0; i < std::size(kCleanupSignals); ++i) {
      if (!installed_[i]) continue;
      struct sigaction fallback {};
      fallback.sa_handler = SIG_DFL;
      ::sigemptyset(&fallback.sa_mask);
      ::sigaction(kCleanupSignals[i], &fallback, nullptr);
    }
  }

 private:
  std::filesystem::path path_;
  bool installed_[std::size(kCleanupSignals)] = {};
};

}  // namespace

FileError::FileError(Kind kind, const std::filesystem::path& path, bool writing, const std::string& reason)
    : std::runtime_error(std::string(writing ? "Не удалось сохранить файл " : "Не удалось прочитать файл ") +
                         path.string() + ": " + reason),
      kind_(kind),
      path_(path),
      reason_(reason) {}

std::string SystemErrorText(int error) {
  switch (error) {
    case ENOENT: return "Нет такого файла или каталога.";
    case ENOTDIR: return "Часть пути не является каталогом.";
    case EACCES:
    case EPERM: return "Нет доступа.";
    case EROFS: return "Файловая система доступна только для чтения.";
    case ENOSPC: return "Нет места на диске.";
    case EDQUOT: return "Превышена дисковая квота.";
    case EFBIG: return "Файл больше, чем допускает система.";
    case EIO: return "Ошибка ввода-вывода.";
    case EISDIR: return "Это каталог, а не файл.";
    case ENAMETOOLONG: return "Слишком длинное имя файла.";
    case ELOOP: return "Слишком много символических ссылок в пути.";
    case EMFILE:
    case ENFILE: return "Открыто слишком много файлов.";
    case ENOMEM: return "Недостаточно памяти.";
    case EBUSY:
    case EWOULDBLOCK: return "Файл занят другой программой.";
    case EEXIST: return "Файл уже существует.";
    case EXDEV: return "Файл и каталог на разных дисках.";
    default: return "Системная ошибка " + std::to_string(error) + " (" + std::strerror(error) + ").";
  }
}

std::string ReadWholeFile(const std::filesystem::path& path, std::size_t maxSize, const ReadCall& read) {
  const auto fail = [&](Kind kind, const std::string& reason) { throw FileError(kind, path, false, reason); };
  const auto check = [&](const struct stat& st) {
    if (!S_ISREG(st.st_mode)) fail(Kind::NotRegular, NodeKind(st.st_mode));
    if (st.st_size == 0) fail(Kind::Empty, "Файл пуст.");
    if (static_cast<std::uintmax_t>(st.st_size) > maxSize) {
      fail(Kind::TooLarge, "Файл слишком велик: " + std::to_string(st.st_size) + " байт, допускается не более " +
                               std::to_string(maxSize) + ".");
    }
  };
  // Looked at before it is opened: opening a FIFO for reading would wait for a writer.
  struct stat named {};
  if (::stat(path.c_str(), &named) != 0) {
    const int error = errno;
    fail(error == ENOENT ? Kind::Missing : Kind::Open, SystemErrorText(error));
  }
  check(named);
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    const int error = errno;
    fail(error == ENOENT ? Kind::Missing : Kind::Open, SystemErrorText(error));
  }
  struct Closer {
    int& fd;
    ~Closer() { CloseFd(fd); }
  } closer{fd};
  struct stat before {};
  if (::fstat(fd, &before) != 0) fail(Kind::Read, SystemErrorText(errno));
  check(before);  // the name may have been given to another file meanwhile
  if (::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
    fail(Kind::Busy, "Файл сейчас сохраняет другая программа.");
  }
  // A file system without locks is read without one.

  const auto readSome = [&](char* data, std::size_t size) -> long {
    for (;;) {
      const long n = read ? read(fd, data, size) : static_cast<long>(::read(fd, data, size));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) fail(Kind::Read, SystemErrorText(errno));
      if (static_cast<std::size_t>(n) > size) fail(Kind::Read, SystemErrorText(EIO));
      return n;
    }
  };
  std::string bytes(static_cast<std::size_t>(before.st_size), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    const long n = readSome(bytes.data() + done, bytes.size() - done);
    if (n == 0) fail(Kind::Changed, kChanged);  // shortened
    done += static_cast<std::size_t>(n);
  }
  char probe = 0;
  if (readSome(&probe, 1) != 0) fail(Kind::Changed, kChanged);  // lengthened
  struct stat after {};
  if (::fstat(fd, &after) != 0 || after.st_size != before.st_size || !SameTime(after.st_mtim, before.st_mtim) ||
      !SameTime(after.st_ctim, before.st_ctim)) {
    fail(Kind::Changed, kChanged);  // rewritten in place
  }
  return bytes;
}

FileWriter::FileWriter(const std::filesystem::path& target) : requested_(target), target_(target) {
  std::error_code ec;
  if (std::filesystem::is_symlink(target, ec)) {
    std::filesystem::path resolved = std::filesystem::weakly_canonical(target, ec);
    if (!ec && !resolved.empty()) target_ = std::move(resolved);
  }
  const auto fail = [&](Kind kind, const std::string& reason) {
    CloseFd(lockFd_);
    throw FileError(kind, requested_, true, reason);
  };
  const std::filesystem::path folder = FolderOf(target_);
  struct stat st {};
  if (::stat(folder.c_str(), &st) != 0) fail(Kind::Open, "Каталог " + folder.string() + ": " + SystemErrorText(errno));
  if (!S_ISDIR(st.st_mode)) fail(Kind::Open, "Каталог " + folder.string() + ": " + SystemErrorText(ENOTDIR));
  if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0) {
    fail(Kind::Open, "Каталог " + folder.string() + ": " + SystemErrorText(errno));
  }
  if (::stat(target_.c_str(), &st) != 0) {
    if (errno != ENOENT) fail(Kind::Open, SystemErrorText(errno));
    return;  // a new file: created by the rename, with the permissions the umask gives
  }
  if (!S_ISREG(st.st_mode)) fail(Kind::NotRegular, NodeKind(st.st_mode) + " Сохранение заменило бы его.");
  lockFd_ = ::open(target_.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (lockFd_ < 0) fail(Kind::Open, SystemErrorText(errno));
  if (::fstat(lockFd_, &st) != 0 || !S_ISREG(st.st_mode)) fail(Kind::NotRegular, NodeKind(st.st_mode));
  if (::flock(lockFd_, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
    fail(Kind::Busy, "Файл сейчас читает или сохраняет другая программа.");
  }
  // The rename would replace a read-only file as well; it is refused as opening it for writing would be.
  if (::faccessat(AT_FDCWD, target_.c_str(), W_OK, AT_EACCESS) != 0) fail(Kind::Open, SystemErrorText(errno));
  existed_ = true;
  mode_ = st.st_mode & 07777;
}

FileWriter::~FileWriter() { CloseFd(lockFd_); }

void FileWriter::Commit(std::string_view bytes, const WriteCall& write) {
  const auto fail = [&](const std::string& reason) { throw FileError(Kind::Write, requested_, true, reason); };
  const std::filesystem::path folder = FolderOf(target_);
  const std::filesystem::path temp = TemporaryOf(target_);
  PendingTemporary pending(temp);
  int fd = -1;
  int error = 0;
  for (int attempt = 0; attempt < 2; ++attempt) {
    fd = ::open(temp.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0) break;
    error = errno;
    // One left by a killed save is taken away; one that a running save holds is not.
    if (error != EEXIST || !RemoveIfStale(temp)) break;
  }
  if (fd < 0) {
    pending.Renamed();  // whatever is there is not this write's
    fail(error == EEXIST ? "Файл сейчас сохраняет другая программа." : "Временный файл " + temp.string() + ": " +
                                                                            SystemErrorText(error));
  }
  struct Closer {
    int& fd;
    ~Closer() { CloseFd(fd); }
  } closer{fd};
  ::flock(fd, LOCK_EX | LOCK_NB);
  std::size_t done = 0;
  while (done < bytes.size()) {
    const std::size_t left = bytes.size() - done;
    const long n = write ? write(fd, bytes.data() + done, left) : static_cast<long>(::write(fd, bytes.data() + done, left));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0 || static_cast<std::size_t>(n) > left) fail(SystemErrorText(n < 0 ? errno : EIO));
    done += static_cast<std::size_t>(n);
  }
  if (existed_ && ::fchmod(fd, static_cast<mode_t>(mode_)) != 0) fail(SystemErrorText(errno));
  if (::fsync(fd) != 0) fail(SystemErrorText(errno));
  if (::rename(temp.c_str(), target_.c_str()) != 0) fail(SystemErrorText(errno));
  pending.Renamed();
  // The rename itself reaches the disk with the folder's entry.
  int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    ::fsync(dirFd);
    CloseFd(dirFd);
  }
}

void WriteFileReplacing(const std::filesystem::path& path, std::string_view bytes, const WriteCall& write) {
  FileWriter(path).Commit(bytes, write);
}

void RemoveStaleTemporaries(const std::filesystem::path& folder) noexcept {
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder.empty() ? std::filesystem::path(".") : folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() > kTemporarySuffix.size() + 1 && name.front() == '.' &&
        name.compare(name.size() - kTemporarySuffix.size(), kTemporarySuffix.size(), kTemporarySuffix) == 0) {
      RemoveIfStale(it->path());
    }
  }
}

}  // namespace talver
