#pragma once
// A whole file mapped into memory and held exclusively (flock) for the time of one load or save.
//
// Reading maps an existing file read-only. Writing never touches the target until the new
// contents are complete: it holds the target's lock, maps a temporary file of the final size
// beside it, and Commit() syncs the temporary and renames it over the target. A writer destroyed
// without Commit() removes the temporary, so a failed save leaves the previous file as it was.
#include <cstddef>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace talver {

class MappedFile {
 public:
  enum class Stage {
    Missing,  // there is no such file to read
    Open,     // the file cannot be opened or locked
    Empty,    // a zero-length mapping was asked for
    Mapping,  // room for the mapping cannot be made
    View,     // the view cannot be mapped
    Commit,   // the new contents cannot be synced or renamed into place
  };

  class Error : public std::runtime_error {
   public:
    Error(Stage stage, const std::string& what) : std::runtime_error(what), stage_(stage) {}
    Stage stage() const { return stage_; }

   private:
    Stage stage_;
  };

  // Maps the whole existing file for reading. A missing file is not created.
  static MappedFile OpenForReading(const std::filesystem::path& path);
  // Maps `size` bytes for writing the new contents of `path`.
  static MappedFile CreateForWriting(const std::filesystem::path& path, std::size_t size);

  MappedFile(MappedFile&& other) noexcept;
  MappedFile& operator=(MappedFile&& other) noexcept;
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;
  ~MappedFile();

  char* Data() { return data_; }
  const char* Data() const { return data_; }
  std::size_t Size() const { return size_; }
  bool ReadOnly() const { return readOnly_; }

  // Writing only: makes the mapped bytes the contents of the target path.
  void Commit();
  // Unmaps and closes; an uncommitted writer removes its temporary file.
  void Release() noexcept;

 private:
  MappedFile() = default;

  std::filesystem::path path_;
  std::filesystem::path tempPath_;
  int lockFd_ = -1;  // the target, locked
  int dataFd_ = -1;  // the temporary file while writing
  char* data_ = nullptr;
  std::size_t size_ = 0;
  bool readOnly_ = true;
  bool createdTarget_ = false;  // the target did not exist before this writer
};

}  // namespace talver
