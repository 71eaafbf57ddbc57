#pragma once
// The declaration file container: a 60-byte text header and a flat run of length-prefixed items.
// A stream is an item holding the stream's name ("@DeclInfo"); the values written after it, up
// to the next stream, are its items. Nothing records where a stream ends: readers call the same
// primitives in the same order as the writer did.
//
// mTFileLoader maps one file for one load or save and holds it exclusively meanwhile;
// mTDocumentStorage is the cursor that writes and reads items in that memory.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/Currency.h"
#include "platform/Dates.h"
#include "platform/MappedFile.h"

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
std::string CannotOpen(const std::filesystem::path& path);
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
}  // namespace StorageCodes

// Owns the mapping of one file for the time of one load or save.
class mTFileLoader {
 public:
  // Maps the file at once; `size` 0 means the file's own size (reading). Throws the container's
  // errors (codes 21, 25, 26, 27); nothing stays open after a throw.
  mTFileLoader(const std::filesystem::path& fileName, std::uint32_t size, bool readOnly);
  mTFileLoader(const mTFileLoader&) = delete;
  mTFileLoader& operator=(const mTFileLoader&) = delete;
  ~mTFileLoader();

  // Writing only: the written view becomes the file's contents (see MappedFile).
  void Commit();
  void Release() noexcept;

  std::filesystem::path FileName;
  bool ReadOnly = true;
  char* Memory = nullptr;
  bool Active = false;
  std::uint32_t Size = 0;

 private:
  std::optional<MappedFile> file_;
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
  // Where the items holding each name start, in file order, found in one walk of the file.
  std::unordered_map<std::string_view, std::vector<std::uint32_t>> streams_;
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
