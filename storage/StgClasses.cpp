#include "storage/StgClasses.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>
#include <new>

#include "platform/Errors.h"
#include "platform/NumberText.h"
#include "platform/Text1251.h"

namespace talver {
namespace {

constexpr std::uint32_t kHeaderSize = 60;
constexpr std::size_t kMaxItemText = 9999;
constexpr std::string_view kMagic = "DLSG";

std::string Message(std::string_view text) { return std::string(text); }

[[noreturn]] void ThrowBadFormat(std::uint16_t code) { throw mEBadStorage(Message(StorageMessages::BadFormat), code); }

// Places `text` right-aligned in `width` bytes padded with `pad`; a longer text gives its first bytes.
void PlaceField(char* dest, std::string_view text, std::size_t width, char pad) {
  if (width == 0 || text.empty()) return;
  if (text.size() >= width) {
    std::memcpy(dest, text.data(), width);
    return;
  }
  const std::size_t padding = width - text.size();
  std::memset(dest, pad, padding);
  std::memcpy(dest + padding, text.data(), text.size());
}

// Integer items hold the value as an unsigned number; readers take back every value a writer
// can produce, so a negative integer survives a save and a load.
std::int64_t ParseItemInteger(std::string_view text) {
  const std::int64_t value = TextToInt(text, std::numeric_limits<std::int32_t>::min(),
                                       std::numeric_limits<std::uint32_t>::max());
  return value;
}

std::string IntegerItemText(std::int32_t value) { return IntToText(static_cast<std::uint32_t>(value)); }
std::string DateItemText(TDate value) { return FloatToText(value, '.'); }

}  // namespace

std::string StorageMessages::NotFound(const std::filesystem::path& path) {
  return "Файл декларации не найден: " + path.string();
}

std::string StorageMessages::CannotOpen(const std::filesystem::path& path) {
  return "Ошибка чтения файла: " + path.string() + "\rВозможно он занят, или с признаком 'read only'";
}

std::string StorageMessages::TooLarge(std::uint64_t size) {
  return "Декларация слишком велика для файла: " + std::to_string(size) + " байт, допускается не более " +
         std::to_string(kMaxFileSize) + ".";
}

std::string StorageMessages::CannotRead(const std::filesystem::path& path, std::string_view reason) {
  return "Ошибка чтения файла: " + path.string() + "\r" + std::string(reason);
}

std::string StorageMessages::CannotWrite(const std::filesystem::path& path, std::string_view reason) {
  return "Ошибка записи файла: " + path.string() + "\r" + std::string(reason);
}

namespace {

// The container's error for a failed read: its own words first, the reason after.
[[noreturn]] void ThrowReadError(const FileError& e, const std::filesystem::path& path) {
  switch (e.kind()) {
    case FileError::Kind::Missing:
      throw mEBadStorage(StorageMessages::NotFound(path), 21);
    case FileError::Kind::Busy:
    case FileError::Kind::Open:
      throw mEBadStorage(StorageMessages::CannotOpen(path) + "\r" + e.Reason(), 21);
    case FileError::Kind::Empty:
      throw mEMemoryAllocate(Message(StorageMessages::ZeroLength), 25);
    case FileError::Kind::TooLarge:
      throw mEBadStorage(Message(StorageMessages::BadFormat) + "\r" + e.Reason(), StorageCodes::TooLarge);
    case FileError::Kind::Changed:
      throw mEBadStorage(Message(StorageMessages::BadFormat) + "\r" + e.Reason(), StorageCodes::Changed);
    case FileError::Kind::NotRegular:
    case FileError::Kind::Read:
    case FileError::Kind::Write:
      break;
  }
  throw mEBadStorage(StorageMessages::CannotRead(path, e.Reason()), 21);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// mTFileLoader

mTFileLoader::mTFileLoader(const std::filesystem::path& fileName, std::uint32_t size, bool readOnly,
                           const ReadCall& read)
    : FileName(fileName), ReadOnly(readOnly) {
  try {
    if (readOnly) {
      bytes_ = ReadWholeFile(fileName, kMaxFileSize, read);
    } else {
      if (size == 0) throw mEMemoryAllocate(Message(StorageMessages::ZeroLength), 25);
      if (size > kMaxFileSize) throw mEWriteStorage(StorageMessages::TooLarge(size), StorageCodes::TooLarge);
      writer_.emplace(fileName);
      bytes_.assign(size, '\0');
    }
  } catch (const FileError& e) {
    if (readOnly) ThrowReadError(e, fileName);
    throw mEBadStorage(StorageMessages::CannotWrite(fileName, e.Reason()), 21);
  } catch (const std::bad_alloc&) {
    writer_.reset();
    throw mEMemoryAllocate(Message(StorageMessages::OutOfMemory), 26);
  }
  Memory = bytes_.data();
  Size = static_cast<std::uint32_t>(bytes_.size());
  Active = true;
}

mTFileLoader::~mTFileLoader() { Release(); }

void mTFileLoader::Commit(const WriteCall& write) {
  if (!writer_) throw mEMemoryAllocate(Message(StorageMessages::NoMemory), 50);
  try {
    writer_->Commit(bytes_, write);
  } catch (const FileError& e) {
    Release();
    throw mEBadStorage(StorageMessages::CannotWrite(FileName, e.Reason()), StorageCodes::SaveFailed);
  }
  Release();
}

void mTFileLoader::Release() noexcept {
  writer_.reset();
  std::string().swap(bytes_);
  Memory = nullptr;
  Active = false;
  Size = 0;
}

// ---------------------------------------------------------------------------------------------
// mTDocumentStorage

mTDocumentStorage::mTDocumentStorage(mTFileLoader& loader)
    : ReadOnly(loader.ReadOnly), Memory(loader.Memory), writable_(loader.ReadOnly ? nullptr : loader.Memory),
      size_(loader.Size) {}

mTDocumentStorage::mTDocumentStorage(const char* data, std::size_t size)
    : ReadOnly(true), Memory(data), size_(static_cast<std::uint32_t>(size)) {}

mTDocumentStorage::mTDocumentStorage(char* data, std::size_t size)
    : ReadOnly(false), Memory(data), writable_(data), size_(static_cast<std::uint32_t>(size)) {}

mTDocumentStorage mTDocumentStorage::Counter() {
  mTDocumentStorage counter(static_cast<char*>(nullptr), 0);
  counter.counting_ = true;
  counter.Initialized = true;
  counter.Created = true;
  return counter;
}

void mTDocumentStorage::CreateStorage(std::string_view name) {
  if (Memory == nullptr) throw mEMemoryAllocate(Message(StorageMessages::NoMemory), 50);
  if (ReadOnly) throw mEWriteStorage(Message(StorageMessages::ReadOnly), 51);
  if (Initialized || Created) throw mEAlreadyCreated(Message(StorageMessages::AlreadyCreated), 52);
  if (size_ < kHeaderSize) throw mEMemoryAllocate(Message(StorageMessages::NoMemory), 50);
  char* p = writable_;
  PlaceField(p, kMagic, 4, ' ');
  std::memset(p + 4, ' ', 20);
  PlaceField(p + 4, name, 20, ' ');
  PlaceField(p + 24, "01", 2, '0');
  PlaceField(p + 26, "02", 2, '0');
  std::memset(p + 28, 'F', 32);
  Position = kHeaderSize;
  StorageName = std::string(name);
  Initialized = true;
  Created = true;
}

void mTDocumentStorage::OpenStorage() {
  if (Initialized || Created) throw mEAlreadyCreated(Message(StorageMessages::AlreadyCreated), 69);
  if (Memory == nullptr) throw mEMemoryAllocate(Message(StorageMessages::NoMemory), 60);
  if (size_ < kMagic.size() || std::string_view(Memory, kMagic.size()) != kMagic) {
    CloseStorage();
    ThrowBadFormat(68);
  }
  if (size_ < kHeaderSize) {
    // A header cut short is as damaged as a wrong one.
    CloseStorage();
    ThrowBadFormat(68);
  }
  Initialized = true;
  StorageName = Trim(std::string_view(Memory + 4, 20));
  VersionMajor = static_cast<std::uint16_t>(TextToInt(std::string_view(Memory + 24, 2), 0, 99));
  VersionMinor = static_cast<std::uint16_t>(TextToInt(std::string_view(Memory + 26, 2), 0, 99));
  Reserved = std::string(Memory + 28, 32);
  Position = kHeaderSize;
}

void mTDocumentStorage::CloseStorage() {
  Position = 0;
  StreamName.clear();
  Initialized = false;
  Created = false;
  streams_.clear();
  indexed_ = false;
  damaged_ = false;
}

void mTDocumentStorage::CreateStream(std::string_view name) {
  if (ReadOnly) throw mEWriteStorage(Message(StorageMessages::ReadOnly), 81);
  if (!Initialized) throw mEObjectAccess(Message(StorageMessages::Uninitialized), 82);
  WriteItem(name, 81, 82);
  StreamName = std::string(name);
}

namespace {

// The key of a stream in the index: a hash of its name above the offset of its item.
std::uint32_t NameHash(std::string_view name) {
  std::uint32_t hash = 2166136261u;
  for (const char c : name) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
  return hash;
}

std::uint64_t IndexKey(std::uint32_t hash, std::uint32_t offset) { return (std::uint64_t{hash} << 32) | offset; }

// The text of an item the index holds (its length was read when it was indexed).
std::string_view IndexedItem(const char* memory, std::uint32_t offset) {
  std::uint32_t length = 0;
  for (std::uint32_t i = 0; i < 4; ++i) length = length * 10 + static_cast<std::uint32_t>(memory[offset + i] - '0');
  return std::string_view(memory + offset + 4, length);
}

}  // namespace

void mTDocumentStorage::BuildStreamIndex() {
  indexed_ = true;
  std::uint32_t pos = kHeaderSize;
  while (pos < size_) {
    if (Memory[pos] == '\0') break;  // zero bytes after the last item carry nothing
    if (size_ - pos < 4) {
      damaged_ = true;
      break;
    }
    std::uint32_t length = 0;
    for (int i = 0; i < 4; ++i) {
      const char c = Memory[pos + static_cast<std::uint32_t>(i)];
      if (c < '0' || c > '9') {
        damaged_ = true;
        break;
      }
      length = length * 10 + static_cast<std::uint32_t>(c - '0');
    }
    if (damaged_) break;
    if (length > size_ - pos - 4) {
      damaged_ = true;
      break;
    }
    const std::string_view text(Memory + pos + 4, length);
    if (!text.empty() && text.front() == '@') streams_.push_back(IndexKey(NameHash(text), pos));
    pos += 4 + length;
  }
  // Eight bytes a stream, sorted by name hash and then by place in the file.
  std::sort(streams_.begin(), streams_.end());
}

void mTDocumentStorage::OpenStream(std::string_view name) {
  if (!Initialized) throw mEObjectAccess(Message(StorageMessages::Uninitialized), 211);
  if (!indexed_) BuildStreamIndex();
  const std::uint32_t hash = NameHash(name);
  // A stream is read where the reader has got to: the first item holding its name at or after
  // the cursor, else the first in the file. A reader that follows the writer's order thus finds
  // every stream at its marker even when some value of the file happens to equal a stream's name.
  std::optional<std::uint32_t> first;
  std::optional<std::uint32_t> next;
  for (auto it = std::lower_bound(streams_.begin(), streams_.end(), IndexKey(hash, 0));
       it != streams_.end() && (*it >> 32) == hash; ++it) {
    const auto offset = static_cast<std::uint32_t>(*it);
    if (IndexedItem(Memory, offset) != name) continue;  // another name of the same hash
    if (!first) first = offset;
    if (offset >= Position) {
      next = offset;
      break;
    }
  }
  if (!first) {
    if (damaged_) ThrowBadFormat(StorageCodes::DamagedBefore);
    throw mEOpenStream(Message(StorageMessages::NoStream), 210);
  }
  Position = next.value_or(*first) + 4 + static_cast<std::uint32_t>(name.size());
  StreamName = std::string(name);
}

void mTDocumentStorage::WriteItem(std::string_view text, std::uint16_t readOnlyCode, std::uint16_t uninitializedCode) {
  if (ReadOnly) throw mEWriteStorage(Message(StorageMessages::ReadOnly), readOnlyCode);
  if (!Initialized) throw mEObjectAccess(Message(StorageMessages::Uninitialized), uninitializedCode);
  if (text.size() > kMaxItemText) throw mEWriteStorage(Message(StorageMessages::TooLong), StorageCodes::ValueTooLong);
  if (counting_) {
    // A document too large for a file is refused before anything is written, not wrapped around.
    if (4 + text.size() > kMaxFileSize - Position) {
      throw mEWriteStorage(StorageMessages::TooLarge(std::uint64_t{Position} + 4 + text.size()), StorageCodes::TooLarge);
    }
    Position += 4 + static_cast<std::uint32_t>(text.size());
    return;
  }
  if (4 + text.size() > size_ - Position) {
    throw mEMemoryAllocate(Message(StorageMessages::NoMemory), StorageCodes::PastView);
  }
  char length[16];
  std::snprintf(length, sizeof length, "%04u", static_cast<unsigned>(text.size()));
  std::memcpy(writable_ + Position, length, 4);
  Position += 4;
  if (!text.empty()) std::memcpy(writable_ + Position, text.data(), text.size());
  Position += static_cast<std::uint32_t>(text.size());
}

void mTDocumentStorage::WriteString(std::string_view value) { WriteItem(value, 150, 151); }
void mTDocumentStorage::WriteInteger(std::int32_t value) { WriteItem(IntegerItemText(value), 160, 161); }
void mTDocumentStorage::WriteWord(std::uint16_t value) { WriteItem(IntToText(value), 170, 171); }
void mTDocumentStorage::WriteByte(std::uint8_t value) { WriteItem(IntToText(value), 200, 201); }
void mTDocumentStorage::WriteCurrency(Currency value) { WriteItem(CurrencyToText(value, '.'), 180, 181); }
void mTDocumentStorage::WriteDate(TDate value) { WriteItem(DateItemText(value), 190, 191); }

std::string_view mTDocumentStorage::ReadItem(bool numeric, std::uint16_t uninitializedCode) {
  if (!Initialized) throw mEObjectAccess(Message(StorageMessages::Uninitialized), uninitializedCode);
  if (Position > size_ || size_ - Position < 4) ThrowBadFormat(StorageCodes::ItemPastEnd);
  std::uint32_t length = 0;
  for (std::uint32_t i = 0; i < 4; ++i) {
    const char c = Memory[Position + i];
    if (c < '0' || c > '9') ThrowBadFormat(StorageCodes::BadLength);
    length = length * 10 + static_cast<std::uint32_t>(c - '0');
  }
  if (numeric && length == 0) length = 1;
  if (length > size_ - Position - 4) ThrowBadFormat(StorageCodes::ItemPastEnd);
  const std::string_view text(Memory + Position + 4, length);
  Position += 4 + length;
  return text;
}

std::string mTDocumentStorage::ReadString() { return std::string(ReadItem(false, 93)); }

std::int32_t mTDocumentStorage::ReadInteger() {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(ParseItemInteger(ReadItem(true, 102))));
}

std::uint16_t mTDocumentStorage::ReadWord() {
  return static_cast<std::uint16_t>(static_cast<std::uint32_t>(ParseItemInteger(ReadItem(true, 112))));
}

std::uint8_t mTDocumentStorage::ReadByte() {
  return static_cast<std::uint8_t>(static_cast<std::uint32_t>(ParseItemInteger(ReadItem(true, 142))));
}

Currency mTDocumentStorage::ReadCurrency() {
  const std::string_view text = ReadItem(true, 122);
  if (text == "a") return Currency::FromRoubles(-1);
  try {
    return TextToCurrency(text, '.');
  } catch (const EConvertError&) {
    return TextToCurrency(text, ',');
  }
}

TDate mTDocumentStorage::ReadDate() {
  const std::string_view text = ReadItem(true, 132);
  if (Version() < 65538) {
    try {
      return TextToDate(text, '.');
    } catch (const EConvertError&) {
      return TextToDate(text, ',');
    }
  }
  try {
    return TextToFloat(text, '.');
  } catch (const EConvertError&) {
    return TextToFloat(text, ',');
  }
}

// ---------------------------------------------------------------------------------------------

std::string NumberedName(std::string_view base, std::size_t index) {
  char digits[32];
  std::snprintf(digits, sizeof digits, "%03zu", index);
  return std::string(base) + digits;
}

std::string NumberedName(std::string_view base, std::size_t index, std::size_t subIndex) {
  char digits[48];
  std::snprintf(digits, sizeof digits, "%03zu%03zu", index, subIndex);
  return std::string(base) + digits;
}

}  // namespace talver
