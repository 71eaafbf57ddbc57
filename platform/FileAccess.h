#pragma once
// Whole files read into memory and written in one piece, for the declaration file, the export
// and the dictionary files.
//
// Reading takes regular files only: anything else (a folder, a FIFO, a device) is refused before
// it is opened, so a read never blocks. It holds a shared lock (readers never collide; a writer
// holding its exclusive lock makes it fail) and copies the bytes into memory, so a file that
// another program shortens or rewrites meanwhile is reported, never a fault of the reader.
//
// Writing never touches the target until the new contents are complete: under the target's
// exclusive lock the bytes go to a temporary beside it (".NAME.talver-tmp"), which is synced and
// renamed over the target, so the target is created or replaced only by that rename. A failed
// write removes its temporary; so does SIGINT, SIGTERM or SIGHUP arriving meanwhile. A temporary
// left by a killed program is removed by the next write of the same target, or by
// RemoveStaleTemporaries.
#include <cstddef>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace talver {

// A failed read or write. what() is a whole Russian sentence naming the path; Reason() only
// says why, for callers that put their own first line in front of it.
class FileError : public std::runtime_error {
 public:
  enum class Kind {
    Missing,     // there is no such file to read
    NotRegular,  // a folder, FIFO, device or socket
    Busy,        // another program holds the file's lock
    Open,        // the file or its folder cannot be opened (no access, no such folder...)
    Empty,       // a file of zero length was to be read
    TooLarge,    // larger than the reader accepts
    Changed,     // the file changed while it was read
    Read,        // the system failed a read
    Write,       // the new contents could not be written, synced or renamed into place
  };

  FileError(Kind kind, const std::filesystem::path& path, bool writing, const std::string& reason);
  Kind kind() const { return kind_; }
  const std::filesystem::path& path() const { return path_; }
  const std::string& Reason() const { return reason_; }

 private:
  Kind kind_;
  std::filesystem::path path_;
  std::string reason_;
};

// The reason of a failed system call, in Russian ("Нет места на диске.").
std::string SystemErrorText(int error);

// The system calls a read and a write make, as read(2) and write(2): bytes moved, or -1 with
// errno set. Tests put in ones that fail part-way, as a full disk would, or that change the
// file while it is read.
using ReadCall = std::function<long(int fd, char* data, std::size_t size)>;
using WriteCall = std::function<long(int fd, const char* data, std::size_t size)>;

// The whole file, of at most `maxSize` bytes. Throws FileError.
std::string ReadWholeFile(const std::filesystem::path& path, std::size_t maxSize, const ReadCall& read = {});

// The write of one file, holding the target's exclusive lock from construction to the end of
// Commit. A link is written through: the file it names gets the new contents. The new file keeps
// the permissions of the one it replaces.
class FileWriter {
 public:
  // Throws FileError when the folder cannot be written into, or the target exists and is not a
  // regular file (a save never replaces a device or a FIFO with a file), is read-only or is held.
  explicit FileWriter(const std::filesystem::path& target);
  FileWriter(const FileWriter&) = delete;
  FileWriter& operator=(const FileWriter&) = delete;
  ~FileWriter();

  // Makes `bytes` the contents of the target, written with `write` (write(2) by default).
  // Throws FileError; the target is then as it was.
  void Commit(std::string_view bytes, const WriteCall& write = {});

 private:
  std::filesystem::path requested_;  // as the caller named it, for messages
  std::filesystem::path target_;     // the file written, links followed
  int lockFd_ = -1;  // the existing target, locked
  bool existed_ = false;
  unsigned mode_ = 0;  // the permissions the new file gets
};

// FileWriter(path).Commit(bytes, write).
void WriteFileReplacing(const std::filesystem::path& path, std::string_view bytes, const WriteCall& write = {});

// Removes the temporaries that writes killed half-way left in `folder` (empty: the current
// one): those of this naming, owned by this user and held by no running write. Errors are
// ignored.
void RemoveStaleTemporaries(const std::filesystem::path& folder) noexcept;

}  // namespace talver
