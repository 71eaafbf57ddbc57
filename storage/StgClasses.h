#pragma once
// The declaration file container: a 60-byte text header and a flat run of length-prefixed items.
// A stream is an item holding the stream's name ("@DeclInfo"); the values written after it, up
// to the next stream, are its items. Nothing records where a stream ends: readers call the same
// primitives in the same order as the writer did.
//
// mTFileLoader holds the bytes of one file for one load or save (read into memory, or written
// in one piece when complete); mTDocumentStorage is the cursor that writes and reads items in
// that memory.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Currency.h"
#include "platform/Dates.h"
#include "platform/FileAccess.h"

namespace talver {

// Errors of the container. `Code` tells where an error was raised, `OwnerCode` which model
// object passed it on (0 until one does). Callers tell the errors apart by class.
class mEPrivBase : public std::runtime_error {
 public:
  mEPrivBase(const std::string& message, std::uint16_t code) : std::runtime_error(message), Code(code) {}
  std::uint16_t Code;
  std::uint16_t OwnerCode = 0;
};

#define TALVER_STORAGE_ERROR(name)                                                                 \
  class name : public mEPrivBase {                                                                 \
   public:                                                                                         \
    using mEPrivBase::mEPrivBase;                                                                  \
  };
TALVER_STORAGE_ERROR(mEMemoryAllocate)
TALVER_STORAGE_ERROR(mEWriteStorage)
TALVER_STORAGE_ERROR(mEBadStorage)
TALVER_STORAGE_ERROR(mEAlreadyCreated)
TALVER_STORAGE_ERROR(mEObjectAccess)
TALVER_STORAGE_ERROR(mEOpenStream)
#undef TALVER_STORAGE_ERROR

// The container's own messages.
namespace StorageMessages {
inline constexpr std::string_view BadFormat = "Неправильный формат файла декларации, возможно он поврежден.";
inline constexpr std::string_view ZeroLength = "Создаваемый фаил отображения не может быть нулевой длины.";
inline constexpr std::string_view NoMapping = "Не удается создать отображение файла.";
inline constexpr std::string_view NoMemory = "Не выделена память.";
inline constexpr std::string_view ReadOnly = "Попытка записи в память только для чтения";
inline constexpr std::string_view AlreadyCreated = "Объект уже был создан.";
inline constexpr std::string_view Uninitialized = "Попытка доступа к неинициализированным данным.";
inline constexpr std::string_view NoStream = "Попытка открытия несуществующего потока";
inline constexpr std::string_view TooLong = "Значение слишком длинное для записи в файл декларации.";
inline constexpr std::string_view OutOfMemory = "Недостаточно свободной памяти.";
std::string CannotOpen(const std::filesystem::path& path);
// A declaration whose file would be larger than kMaxFileSize.
std::string TooLarge(std::uint64_t size);
// Reading failed for a reason the message above does not describe (a folder, an I/O error).
std::string CannotRead(const std::filesystem::path& path, std::string_view reason);
// Saving failed: the file, and why.
std::string CannotWrite(const std::filesystem::path& path, std::string_view reason);
// Reading a file that does not exist; nothing is created in its place.
std::string NotFound(const std::filesystem::path& path);
}  // namespace StorageMessages

// Codes of the errors the container adds for damaged input and impossible values.
namespace StorageCodes {
inline constexpr std::uint16_t ItemPastEnd = 220;     // an item runs past the end of the data
inline constexpr std::uint16_t BadLength = 221;       // a length field that is not four digits
inline constexpr std::uint16_t DamagedBefore = 222;   // a stream sought beyond damaged data
inline constexpr std::uint16_t ValueTooLong = 223;    // a value of more than 9999 bytes
inline constexpr std::uint16_t PastView = 224;        // a write beyond the computed file size
inline constexpr std::uint16_t TooLarge = 225;        // a file, or a document, above kMaxFileSize
inline constexpr std::uint16_t Changed = 226;         // the file changed while it was read
inline constexpr std::uint16_t SaveFailed = 227;      // the new contents could not be written
}  // namespace StorageCodes

// The largest declaration file read or written: far above any declaration (the large one of the
// benchmarks, 1 000 sources, takes 1.5 MB; every list at its 65 535 elements of typical sources
// some hundreds), and small enough that a file of junk is refused before it fills the memory.
inline constexpr std::uint32_t kMaxFileSize = std::uint32_t{256} << 20;

// The bytes of one file for the time of one load or save.
class mTFileLoader {
 public:
  // Reading (`size` 0): reads the whole file at once. Writing: holds the target's lock and
  // `size` bytes for the storage to fill. Throws the container's errors (codes 21, 25 and those
  // of StorageCodes); nothing stays open after a throw. `read` is the read call of the file
  // access (tests change the file with it).
  mTFileLoader(const std::filesystem::path& fileName, std::uint32_t size, bool readOnly, const ReadCall& read = {});
  mTFileLoader(const mTFileLoader&) = delete;
  mTFileLoader& operator=(const mTFileLoader&) = delete;
  ~mTFileLoader();

  // Writing only: the filled bytes become the file's contents (see FileWriter); `write` is the
  // write call (tests make it fail as a full disk would).
  void Commit(const WriteCall& write = {});
  void Release() noexcept;

  std::filesystem::path FileName;
  bool ReadOnly = true;
  char* Memory = nullptr;
  bool Active = false;
  std::uint32_t Size = 0;

 private:
  std::string bytes_;
  std::optional<FileWriter> writer_;
};

class mTDocumentStorage {
 public:
  explicit mTDocumentStorage(mTFileLoader& loader);
  // Over memory held by the caller: read-only bytes, or a writable buffer of fixed size.
  mTDocumentStorage(const char* data, std::size_t size);
  mTDocumentStorage(char* data, std::size_t size);
  // A storage that writes nothing and only advances its cursor by what each write would take.
  static mTDocumentStorage Counter();

  void CreateStorage(std::string_view name);
  void OpenStorage();
  void CloseStorage();
  void CreateStream(std::string_view name);
  void OpenStream(std::string_view name);

  void WriteString(std::string_view value);
  void WriteInteger(std::int32_t value);
  void WriteWord(std::uint16_t value);
  void WriteByte(std::uint8_t value);
  void WriteCurrency(Currency value);
  void WriteDate(TDate value);

  std::string ReadString();
  std::int32_t ReadInteger();
  std::uint16_t ReadWord();
  std::uint8_t ReadByte();
  Currency ReadCurrency();
  TDate ReadDate();

  // Header version as one number: major × 65536 + minor.
  std::uint32_t Version() const { return static_cast<std::uint32_t>(VersionMajor) * 65536u + VersionMinor; }

  bool ReadOnly = true;
  const char* Memory = nullptr;
  std::uint32_t Position = 0;
  std::string StorageName;
  std::string StreamName;
  std::string Reserved;
  std::uint16_t VersionMajor = 0;
  std::uint16_t VersionMinor = 0;
  bool Initialized = false;
  bool Created = false;

  std::uint32_t Size() const { return size_; }

 private:
  void WriteItem(std::string_view text, std::uint16_t readOnlyCode, std::uint16_t uninitializedCode);
  std::string_view ReadItem(bool numeric, std::uint16_t uninitializedCode);
  void BuildStreamIndex();

  char* writable_ = nullptr;
  std::uint32_t size_ = 0;
  bool counting_ = false;
  // Where the items holding stream names start, found in one walk of the file: the hash of the
  // name above the offset, sorted (see BuildStreamIndex).
  std::vector<std::uint64_t> streams_;
  bool indexed_ = false;
  bool damaged_ = false;  // the walk stopped at an item that is not well formed
};

// The bytes that `write` puts into a storage, counted by running it over a storage that only
// counts. Every StoredSize of the model is this count of its own SaveToStorage, so the size of a
// file and the bytes written into it cannot disagree.
template <class Write>
std::uint32_t CountStoredSize(Write&& write) {
  mTDocumentStorage counter = mTDocumentStorage::Counter();
  write(counter);
  return counter.Position;
}

// Streams numbered by a list position: the name followed by the index in at least three digits.
std::string NumberedName(std::string_view base, std::size_t index);
std::string NumberedName(std::string_view base, std::size_t index, std::size_t subIndex);

}  // namespace talver
