#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <string>

#include "platform/Errors.h"
#include "storage/StgClasses.h"
#include "tests/support/FileBuilder.h"
#include "tests/support/TempDir.h"

namespace talver {
namespace {

using testing::FileBuilder;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

const std::string kBadFormat(StorageMessages::BadFormat);

// Writes items into a buffer of exactly the counted size and returns the bytes.
std::string Written(const std::function<void(mTDocumentStorage&)>& write) {
  const std::uint32_t items = CountStoredSize(write);
  std::string bytes(60 + items, '\0');
  mTDocumentStorage storage(bytes.data(), bytes.size());
  storage.CreateStorage("Talver2016");
  write(storage);
  EXPECT_EQ(storage.Position, bytes.size());
  return bytes;
}

TEST(Storage, HeaderOfANewFile) {
  const std::string bytes = Written([](mTDocumentStorage& s) { s.CreateStream("@DeclInfo"); });
  EXPECT_EQ(bytes, "DLSG          Talver20160102" + std::string(32, 'F') + "0009@DeclInfo");
}

TEST(Storage, ItemTextsOfEachKind) {
  struct Case {
    const char* name;
    std::function<void(mTDocumentStorage&)> write;
    std::string item;
  };
  const Case cases[] = {
      {"empty string", [](mTDocumentStorage& s) { s.WriteString(""); }, "0000"},
      {"string", [](mTDocumentStorage& s) { s.WriteString("\xC8\xE2\xE0\xED\xEE\xE2"); }, "0006\xC8\xE2\xE0\xED\xEE\xE2"},
      {"currency with a fraction", [](mTDocumentStorage& s) { s.WriteCurrency(Currency::FromUnits(15005000)); }, "00061500.5"},
      {"negative currency", [](mTDocumentStorage& s) { s.WriteCurrency(Currency::FromUnits(-2500)); }, "0005-0.25"},
      {"zero currency", [](mTDocumentStorage& s) { s.WriteCurrency(Currency()); }, "00010"},
      {"date", [](mTDocumentStorage& s) { s.WriteDate(42736); }, "000542736"},
      {"date with time", [](mTDocumentStorage& s) { s.WriteDate(42736.5); }, "000742736.5"},
      {"integer", [](mTDocumentStorage& s) { s.WriteInteger(2147483647); }, "00102147483647"},
      {"negative integer as unsigned", [](mTDocumentStorage& s) { s.WriteInteger(-1); }, "00104294967295"},
      {"word", [](mTDocumentStorage& s) { s.WriteWord(65535); }, "000565535"},
      {"byte", [](mTDocumentStorage& s) { s.WriteByte(255); }, "0003255"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Written(c.write).substr(60), c.item);
  }
}

// Reads one value of the given kind from a file whose only item is `item`.
template <class T>
T ReadOne(const std::string& item, T (mTDocumentStorage::*read)(), std::string_view minor = "02") {
  const std::string bytes = FileBuilder("Talver2016", "01", minor).Item("@S").Raw(item).Bytes();
  mTDocumentStorage storage(bytes.data(), bytes.size());
  storage.OpenStorage();
  storage.OpenStream("@S");
  return (storage.*read)();
}

TEST(Storage, ReadingCurrencies) {
  struct Case {
    const char* item;
    std::int64_t units;
  };
  const Case cases[] = {
      {"00061500.5", 15005000}, {"0005-0.25", -2500}, {"00010", 0},
      {"0001a", -10000},         // an absent month
      {"00061500,5", 15005000},  // written with a comma
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item);
    EXPECT_EQ(ReadOne(c.item, &mTDocumentStorage::ReadCurrency).Units(), c.units);
  }
  EXPECT_THROW(ReadOne("0003abc", &mTDocumentStorage::ReadCurrency), EConvertError);
}

TEST(Storage, ReadingDatesByHeaderVersion) {
  struct Case {
    const char* minor;
    const char* item;
    double date;
  };
  const Case cases[] = {
      {"02", "000542736", 42736},    {"02", "000742736.5", 42736.5}, {"02", "000742736,5", 42736.5},
      {"01", "001001.01.2017", 42736}, {"01", "001001,01,2017", 42736},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item);
    EXPECT_EQ(ReadOne(c.item, &mTDocumentStorage::ReadDate, c.minor), c.date);
  }
  EXPECT_THROW(ReadOne("000542736", &mTDocumentStorage::ReadDate, "01"), EConvertError);
  EXPECT_THROW(ReadOne("001001.01.2017", &mTDocumentStorage::ReadDate, "02"), EConvertError);
}

TEST(Storage, ReadingIntegers) {
  EXPECT_EQ(ReadOne("00104294967295", &mTDocumentStorage::ReadInteger), -1);  // as a negative was written
  EXPECT_EQ(ReadOne("0002-7", &mTDocumentStorage::ReadInteger), -7);
  EXPECT_EQ(ReadOne("000565537", &mTDocumentStorage::ReadWord), 1);  // kept in 16 bits
  EXPECT_EQ(ReadOne("0003257", &mTDocumentStorage::ReadByte), 1);
  EXPECT_THROW(ReadOne("00031a2", &mTDocumentStorage::ReadInteger), EConvertError);
  EXPECT_THROW(ReadOne("00104294967296", &mTDocumentStorage::ReadInteger), EConvertError);
}

TEST(Storage, ANumericItemOfLengthZeroIsReadAsOneCharacter) {
  // "0000" then the next item's first length digit, "0", is taken as the value.
  const std::string bytes = FileBuilder().Item("@S").Raw("0000").Item("5").Bytes();
  mTDocumentStorage storage(bytes.data(), bytes.size());
  storage.OpenStorage();
  storage.OpenStream("@S");
  EXPECT_EQ(storage.ReadInteger(), 0);
  EXPECT_EQ(storage.Position, 60u + 6 + 5);
  EXPECT_EQ(ReadOne("0000", &mTDocumentStorage::ReadString), "");
}

TEST(Storage, StreamsAreFoundByNameInAnyOrderAndAsOftenAsWanted) {
  const std::string bytes = FileBuilder().Items({"@A", "1", "@B", "2", "@A000", "3"}).Bytes();
  mTDocumentStorage storage(bytes.data(), bytes.size());
  storage.OpenStorage();
  for (int round = 0; round < 2; ++round) {
    storage.OpenStream("@B");
    EXPECT_EQ(storage.ReadString(), "2");
    storage.OpenStream("@A");
    EXPECT_EQ(storage.ReadString(), "1");
    storage.OpenStream("@A000");
    EXPECT_EQ(storage.ReadString(), "3");
  }
  try {
    storage.OpenStream("@C");
    FAIL();
  } catch (const mEOpenStream& e) {
    EXPECT_EQ(e.Code, 210);
    EXPECT_STREQ(e.what(), "Попытка открытия несуществующего потока");
  }
}

TEST(Storage, AStreamNameInsideAnEarlierValueIsNotTakenForTheStream) {
  // Only a whole item holding the name marks a stream: a surname such as "x@Nalog" or a
  // value running on into a marker's text is not one.
  const std::string bytes = FileBuilder().Items({"@PersonName", "x@Nalog", "@NalogSub", "@Nalog", "0"}).Bytes();
  mTDocumentStorage storage(bytes.data(), bytes.size());
  storage.OpenStorage();
  storage.OpenStream("@Nalog");
  EXPECT_EQ(storage.ReadString(), "0");
  storage.OpenStream("@NalogSub");
  EXPECT_EQ(storage.ReadString(), "@Nalog");
}

TEST(Storage, AValueEqualToAStreamNameDoesNotHideTheStreamFromAReaderInWritingOrder) {
  // A flat number typed as "@HomePhone" stands before the real stream of that name.
  const std::string bytes = FileBuilder().Items({"@PersonAddress", "@HomePhone", "@HomePhone", "h1", "@A", "a"}).Bytes();
  mTDocumentStorage storage(bytes.data(), bytes.size());
  storage.OpenStorage();
  storage.OpenStream("@PersonAddress");
  EXPECT_EQ(storage.ReadString(), "@HomePhone");
  storage.OpenStream("@HomePhone");
  EXPECT_EQ(storage.ReadString(), "h1");
  // Streams behind the cursor are found from the start of the file.
  storage.OpenStream("@A");
  storage.OpenStream("@PersonAddress");
  EXPECT_EQ(storage.ReadString(), "@HomePhone");
}

TEST(Storage, ZeroBytesAfterTheLastItemAreIgnored) {
  const std::string bytes = FileBuilder().Items({"@A", "1"}).Raw(std::string(7, '\0')).Bytes();
  mTDocumentStorage storage(bytes.data(), bytes.size());
  storage.OpenStorage();
  EXPECT_THROW(storage.OpenStream("@B"), mEOpenStream);
  storage.OpenStream("@A");
  EXPECT_EQ(storage.ReadString(), "1");
}

// Every error the container raises, with its class, code and message.
TEST(Storage, ErrorsWithTheirCodesAndMessages) {
  const std::string file = FileBuilder().Items({"@A", "1"}).Bytes();
  std::string buffer(100, '\0');
  struct Case {
    const char* name;
    std::function<void()> action;
    std::uint16_t code;
    std::string message;
  };
  auto fresh = [&] { return mTDocumentStorage(file.data(), file.size()); };
  auto writable = [&] { return mTDocumentStorage(buffer.data(), buffer.size()); };
  const std::string noMemory(StorageMessages::NoMemory);
  const std::string readOnly(StorageMessages::ReadOnly);
  const std::string created(StorageMessages::AlreadyCreated);
  const std::string uninit(StorageMessages::Uninitialized);
  const Case cases[] = {
      {"create without memory", [] { mTDocumentStorage(static_cast<char*>(nullptr), 0).CreateStorage("x"); }, 50, noMemory},
      {"create read-only", [&] { fresh().CreateStorage("x"); }, 51, readOnly},
      {"create twice", [&] { auto s = writable(); s.CreateStorage("x"); s.CreateStorage("x"); }, 52, created},
      {"open twice", [&] { auto s = fresh(); s.OpenStorage(); s.OpenStorage(); }, 69, created},
      {"open a created storage", [&] { auto s = writable(); s.CreateStorage("x"); s.OpenStorage(); }, 69, created},
      {"bad magic", [&] { std::string b = file; b[0] = 'd'; mTDocumentStorage(b.data(), b.size()).OpenStorage(); }, 68, kBadFormat},
      {"stream read-only", [&] { auto s = fresh(); s.OpenStorage(); s.CreateStream("@X"); }, 81, readOnly},
      {"stream before create", [&] { writable().CreateStream("@X"); }, 82, uninit},
      {"open stream before open", [&] { fresh().OpenStream("@A"); }, 211, uninit},
      {"read string before open", [&] { fresh().ReadString(); }, 93, uninit},
      {"read integer before open", [&] { fresh().ReadInteger(); }, 102, uninit},
      {"read word before open", [&] { fresh().ReadWord(); }, 112, uninit},
      {"read currency before open", [&] { fresh().ReadCurrency(); }, 122, uninit},
      {"read date before open", [&] { fresh().ReadDate(); }, 132, uninit},
      {"read byte before open", [&] { fresh().ReadByte(); }, 142, uninit},
      {"write string read-only", [&] { fresh().WriteString("a"); }, 150, readOnly},
      {"write integer read-only", [&] { fresh().WriteInteger(1); }, 160, readOnly},
      {"write word read-only", [&] { fresh().WriteWord(1); }, 170, readOnly},
      {"write currency read-only", [&] { fresh().WriteCurrency(Currency()); }, 180, readOnly},
      {"write date read-only", [&] { fresh().WriteDate(1); }, 190, readOnly},
      {"write byte read-only", [&] { fresh().WriteByte(1); }, 200, readOnly},
      {"write string before create", [&] { writable().WriteString("a"); }, 151, uninit},
      {"write integer before create", [&] { writable().WriteInteger(1); }, 161, uninit},
      {"write word before create", [&] { writable().WriteWord(1); }, 171, uninit},
      {"write currency before create", [&] { writable().WriteCurrency(Currency()); }, 181, uninit},
      {"write date before create", [&] { writable().WriteDate(1); }, 191, uninit},
      {"write byte before create", [&] { writable().WriteByte(1); }, 201, uninit},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      c.action();
      ADD_FAILURE() << "no error";
    } catch (const mEPrivBase& e) {
      EXPECT_EQ(e.Code, c.code);
      EXPECT_EQ(e.what(), c.message);
      EXPECT_EQ(e.OwnerCode, 0);
    }
  }
}

TEST(Storage, ErrorClassesTellTheErrorsApart) {
  const std::string file = FileBuilder().Bytes();
  mTDocumentStorage storage(file.data(), file.size());
  EXPECT_THROW(storage.ReadString(), mEObjectAccess);
  EXPECT_THROW(storage.WriteString("a"), mEWriteStorage);
  storage.OpenStorage();
  EXPECT_THROW(storage.OpenStorage(), mEAlreadyCreated);
  EXPECT_THROW(storage.OpenStream("@X"), mEOpenStream);
  std::string bad = file;
  bad[3] = 'X';
  mTDocumentStorage badStorage(bad.data(), bad.size());
  EXPECT_THROW(badStorage.OpenStorage(), mEBadStorage);
  EXPECT_FALSE(badStorage.Initialized);  // back to the fresh state
  EXPECT_EQ(badStorage.Position, 0u);
}

// Damaged input is refused as a damaged file and never read past its end.
TEST(Storage, DamagedInputIsRefused) {
  const std::string good = FileBuilder().Items({"@A", "hello", "@B", "1"}).Bytes();
  struct Case {
    const char* name;
    std::string bytes;
    const char* stream;
  };
  const Case cases[] = {
      {"header cut short", good.substr(0, 30), "@A"},
      {"magic only", "DLSG", "@A"},
      {"item runs past the end", good.substr(0, good.size() - 9), "@A"},
      {"length with non-digits", FileBuilder().Item("@A").Raw("00x5hello").Bytes(), "@A"},
      {"length cut short", FileBuilder().Item("@A").Raw("00").Bytes(), "@A"},
      {"stream sought past damage", FileBuilder().Item("@A").Raw("9999abc").Bytes(), "@B"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // The bytes sit at the end of their own allocation, so that a read past them is caught.
    std::vector<char> exact(c.bytes.begin(), c.bytes.end());
    mTDocumentStorage storage(exact.data(), exact.size());
    try {
      storage.OpenStorage();
      storage.OpenStream(c.stream);
      storage.ReadString();
      storage.ReadString();
      ADD_FAILURE() << "read succeeded";
    } catch (const mEBadStorage& e) {
      EXPECT_EQ(e.what(), kBadFormat);
    }
  }
}

TEST(Storage, HeaderVersionThatIsNotANumberIsAConversionError) {
  const std::string bytes = FileBuilder("Talver2016", "0x", "02").Bytes();
  mTDocumentStorage storage(bytes.data(), bytes.size());
  EXPECT_THROW(storage.OpenStorage(), EConvertError);
}

TEST(Storage, OpeningReadsTheHeaderFields) {
  const std::string bytes = FileBuilder("Talver2009", "01", "01").Bytes();
  mTDocumentStorage storage(bytes.data(), bytes.size());
  storage.OpenStorage();
  EXPECT_EQ(storage.StorageName, "Talver2009");
  EXPECT_EQ(storage.VersionMajor, 1);
  EXPECT_EQ(storage.VersionMinor, 1);
  EXPECT_EQ(storage.Version(), 65537u);
  EXPECT_EQ(storage.Reserved, std::string(32, 'F'));
  EXPECT_EQ(storage.Position, 60u);
  storage.CloseStorage();
  EXPECT_FALSE(storage.Initialized);
  EXPECT_EQ(storage.Position, 0u);
}

TEST(Storage, AValueLongerThanAnItemCanHoldIsRefused) {
  std::string buffer(20000, '\0');
  mTDocumentStorage storage(buffer.data(), buffer.size());
  storage.CreateStorage("Talver2016");
  EXPECT_NO_THROW(storage.WriteString(std::string(9999, 'x')));
  EXPECT_THROW(storage.WriteString(std::string(10000, 'x')), mEWriteStorage);
  EXPECT_THROW(CountStoredSize([](mTDocumentStorage& s) { s.WriteString(std::string(10000, 'x')); }), mEWriteStorage);
}

TEST(Storage, AWritePastTheComputedSizeIsRefused) {
  std::string buffer(64, '\0');
  mTDocumentStorage storage(buffer.data(), buffer.size());
  storage.CreateStorage("Talver2016");
  EXPECT_THROW(storage.WriteString("toolong"), mEMemoryAllocate);
  EXPECT_EQ(buffer.substr(60), std::string(4, '\0'));
}

// -------------------------------------------------------------------------------------------
// The file loader

TEST(FileLoader, FailuresWithTheirCodesAndMessages) {
  TempDir dir;
  WriteFile(dir / "empty.tv6", "");
  WriteFile(dir / "held.tv6", "DLSG");
  WriteFile(dir / "changing.tv6", std::string(1000, 'x'));
  std::filesystem::create_directory(dir / "folder.tv6");
  ASSERT_EQ(::mkfifo((dir / "fifo.tv6").c_str(), 0600), 0);
  // Far above any declaration; sparse, so it takes no room on the disk.
  WriteFile(dir / "huge.tv6", "DLSG");
  ASSERT_EQ(::truncate((dir / "huge.tv6").c_str(), off_t{kMaxFileSize} + 1), 0);
  mTFileLoader saving(dir / "held.tv6", 100, false);
  // Another program shortens the file after the first read.
  const ReadCall shortened = [&](int fd, char* data, std::size_t size) -> long {
    const long n = ::read(fd, data, std::min<std::size_t>(size, 100));
    ::truncate((dir / "changing.tv6").c_str(), 200);
    return n;
  };
  const auto path = [&](const char* name) { return (dir / name).string(); };
  struct Case {
    const char* name;
    std::filesystem::path path;
    bool readOnly;
    std::uint16_t code;
    std::string message;
    ReadCall read;
  };
  const std::string damaged = "Неправильный формат файла декларации, возможно он поврежден.\r";
  const Case cases[] = {
      {"empty file", dir / "empty.tv6", true, 25, "Создаваемый фаил отображения не может быть нулевой длины.", {}},
      {"missing file", dir / "missing.tv6", true, 21, "Файл декларации не найден: " + path("missing.tv6"), {}},
      {"held by a save, loading", dir / "held.tv6", true, 21,
       "Ошибка чтения файла: " + path("held.tv6") +
           "\rВозможно он занят, или с признаком 'read only'\rФайл сейчас сохраняет другая программа.",
       {}},
      {"held by a save, saving", dir / "held.tv6", false, 21,
       "Ошибка записи файла: " + path("held.tv6") + "\rФайл сейчас читает или сохраняет другая программа.", {}},
      {"a folder, loading", dir / "folder.tv6", true, 21,
       "Ошибка чтения файла: " + path("folder.tv6") + "\rЭто каталог, а не файл.", {}},
      {"a FIFO, loading", dir / "fifo.tv6", true, 21,
       "Ошибка чтения файла: " + path("fifo.tv6") + "\rЭто канал (FIFO), а не обычный файл.", {}},
      {"a FIFO, saving", dir / "fifo.tv6", false, 21,
       "Ошибка записи файла: " + path("fifo.tv6") +
           "\rЭто канал (FIFO), а не обычный файл. Сохранение заменило бы его.",
       {}},
      {"folder missing, saving", dir / "no" / "x.tv6", false, 21,
       "Ошибка записи файла: " + (dir / "no" / "x.tv6").string() + "\rКаталог " + path("no") +
           ": Нет такого файла или каталога.",
       {}},
      {"far too large", dir / "huge.tv6", true, 225,
       damaged + "Файл слишком велик: " + std::to_string(std::uint64_t{kMaxFileSize} + 1) +
           " байт, допускается не более " + std::to_string(kMaxFileSize) + ".",
       {}},
      {"changed while read", dir / "changing.tv6", true, 226,
       damaged + "Файл изменился во время чтения: его записывает другая программа.", shortened},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      mTFileLoader loader(c.path, c.readOnly ? 0 : 100, c.readOnly, c.read);
      ADD_FAILURE() << "opened";
    } catch (const mEPrivBase& e) {
      EXPECT_EQ(e.Code, c.code);
      EXPECT_EQ(e.what(), c.message);
    }
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "missing.tv6"));
  EXPECT_TRUE(std::filesystem::is_fifo(dir / "fifo.tv6"));
  EXPECT_EQ(StorageMessages::CannotOpen("/x/y.tv6"), "Ошибка чтения файла: /x/y.tv6\rВозможно он занят, или с признаком 'read only'");
}

TEST(FileLoader, LoadsShareTheFile) {
  TempDir dir;
  WriteFile(dir / "a.tv6", "DLSG");
  const int other = ::open((dir / "a.tv6").c_str(), O_RDONLY);
  ASSERT_EQ(::flock(other, LOCK_SH | LOCK_NB), 0);  // another program's load
  mTFileLoader loader(dir / "a.tv6", 0, true);
  EXPECT_EQ(std::string(loader.Memory, loader.Size), "DLSG");
  ::close(other);
}

TEST(FileLoader, ASaveThatFailsHalfwayLeavesThePreviousFile) {
  TempDir dir;
  const std::filesystem::path path = dir / "d.tv6";
  WriteFile(path, "previous contents");
  try {
    mTFileLoader loader(path, 200, false);
    mTDocumentStorage storage(loader);
    storage.CreateStorage("Talver2016");
    storage.CreateStream("@DeclInfo");
    storage.WriteString(std::string(100, 'x'));
    storage.WriteString(std::string(100, 'x'));  // past the computed size: the save stops here
    loader.Commit();
    FAIL();
  } catch (const mEMemoryAllocate&) {
  }
  EXPECT_EQ(ReadFile(path), "previous contents");
  EXPECT_EQ(testing::FileCount(dir.path()), 1u);

  // A disk that is full when the bytes go out.
  const WriteCall fullDisk = [](int, const char*, std::size_t) -> long {
    errno = ENOSPC;
    return -1;
  };
  try {
    mTFileLoader loader(path, 73, false);
    mTDocumentStorage storage(loader);
    storage.CreateStorage("Talver2016");
    storage.CreateStream("@DeclInfo");
    loader.Commit(fullDisk);
    FAIL();
  } catch (const mEBadStorage& e) {
    EXPECT_EQ(e.Code, StorageCodes::SaveFailed);
    EXPECT_EQ(e.what(), "Ошибка записи файла: " + path.string() + "\rНет места на диске.");
  }
  EXPECT_EQ(ReadFile(path), "previous contents");
  EXPECT_EQ(testing::FileCount(dir.path()), 1u);
}

TEST(FileLoader, ACommittedSaveHoldsExactlyTheWrittenBytes) {
  TempDir dir;
  const std::filesystem::path path = dir / "d.tv6";
  WriteFile(path, std::string(500, 'o'));
  {
    mTFileLoader loader(path, 73, false);
    mTDocumentStorage storage(loader);
    storage.CreateStorage("Talver2016");
    storage.CreateStream("@DeclInfo");
    loader.Commit();
    EXPECT_FALSE(loader.Active);
  }
  EXPECT_EQ(ReadFile(path), "DLSG          Talver20160102" + std::string(32, 'F') + "0009@DeclInfo");
}

}  // namespace
}  // namespace talver
