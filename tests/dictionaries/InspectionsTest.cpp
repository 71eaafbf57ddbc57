// The inspection directory and its import from the tax authority's register, over small
// "soun1.dbf" files built here byte by byte.
#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "dictionaries/Inspections.h"
#include "platform/Text1251.h"
#include "tests/support/TempDir.h"

namespace talver {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

std::string W(const std::string& utf8) { return Utf8ToCp1251(utf8); }

// Russian text in the DOS code page the register uses.
std::string Cp866(const std::string& utf8) {
  std::string out;
  for (char c : Utf8ToCp1251(utf8)) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0xC0 && b <= 0xEF) {
      out += static_cast<char>(b - 0x40);  // А..п
    } else if (b >= 0xF0) {
      out += static_cast<char>(b - 0x10);  // р..я
    } else if (b == 0xA8) {
      out += '\xF0';  // Ё
    } else if (b == 0xB8) {
      out += '\xF1';  // ё
    } else if (b == 0xB9) {
      out += '\xFC';  // №
    } else {
      out += c;
    }
  }
  return out;
}

struct Record {
  Record(std::string code, std::string kind = "30", std::string name = "Инспекция", char active = '1',
         std::string successor = "", std::string closed = "")
      : Code(std::move(code)), Kind(std::move(kind)), Name(std::move(name)), Active(active),
        Successor(std::move(successor)), Closed(std::move(closed)) {}
  std::string Code;
  std::string Kind;
  std::string Name;
  char Active;            // byte 411
  std::string Successor;  // the 30 characters at byte 7
  std::string Closed;     // the 10 characters at byte 934
};

constexpr std::size_t kRecordSize = 1194;

void Put(std::string& record, std::size_t offset, const std::string& value) { record.replace(offset, value.size(), value); }

std::string RecordBytes(const Record& r) {
  std::string record(kRecordSize, ' ');
  Put(record, 1, r.Code);
  Put(record, 5, r.Kind);
  Put(record, 7, r.Successor);
  Put(record, 161, Cp866(r.Name));
  record[411] = r.Active;
  Put(record, 934, r.Closed);
  return record;
}

void PutLittleEndian(std::string& bytes, std::size_t offset, std::uint32_t value, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A register: a 32-byte header, field descriptors up to the header length, the records, the
// end mark. `claimed` is the record count the header states.
std::string Register(const std::vector<Record>& records, std::int64_t claimed = -1, bool endMark = true) {
  const std::uint32_t headerLength = 32 + 32 * 3 + 1;
  std::string bytes(headerLength, '\0');
  bytes[0] = '\x03';
  PutLittleEndian(bytes, 4, claimed < 0 ? static_cast<std::uint32_t>(records.size()) : static_cast<std::uint32_t>(claimed), 4);
  PutLittleEndian(bytes, 8, headerLength, 2);
  PutLittleEndian(bytes, 10, kRecordSize + 100, 2);  // a record length the import does not use
  for (std::size_t i = 32; i + 1 < headerLength; ++i) bytes[i] = 'F';  // descriptors, not records
  bytes.back() = '\x0D';
  for (const Record& r : records) bytes += RecordBytes(r);
  if (endMark) bytes += '\x1A';
  return bytes;
}

std::vector<std::string> ImportedCodes(const std::string& registerBytes) {
  std::istringstream in(registerBytes);
  const XmlDocument doc = BuildInspectionDirectory(in, "00", "14.02.2017", "soun1.dbf");
  std::vector<std::string> codes;
  for (const XmlElement& e : doc.DocumentElement().Children()) codes.push_back(e.Attribute("Code").value_or("?"));
  return codes;
}

TEST(SounImport, KeepsOnlyActiveInspections) {
  struct Case {
    Record record;
    bool kept;
  };
  std::vector<Case> cases = {
      {{"0101"}, true},
      {{"0400", "99"}, true},  // the Altai Republic's office, whatever its kind
      {{"0400", "30"}, true},
      {{"7700"}, false},       // a regional office
      {{"0200", "30"}, false},
      {{"7810"}, false},
      {{"7203"}, false},
      {{"3906"}, false},
      {{"0102", "10"}, false},  // not a kind of inspection
      {{"0103", ""}, false},
      {{"0104", "30", "x", '0'}, false},                    // byte 411 is not "1"
      {{"0105", "30", "x", '1', "0106"}, false},            // has a successor
      {{"0107", "30", "x", '1', "", "01.07.2015"}, false},  // closed
  };
  for (const char* kind : {"30", "31", "41", "42", "43", "50", "52", "60"}) {
    cases.push_back({{std::string("08") + kind, kind}, true});
  }
  std::vector<Record> records;
  std::vector<std::string> expected;
  for (const Case& c : cases) {
    records.push_back(c.record);
    if (c.kept) expected.push_back(c.record.Code);
    SCOPED_TRACE(c.record.Code);
    EXPECT_EQ(ImportedCodes(Register({c.record})).size(), c.kept ? 1u : 0u);
  }
  EXPECT_EQ(ImportedCodes(Register(records)), expected);  // and in register order
}

TEST(SounImport, WritesTheDirectoryWithReadableNames) {
  TempDir dir;
  WriteFile(dir / "soun1.dbf", Register({{"0105", "30", "Инспекция ФНС России № 1 по г. Майкопу Республики Адыгея"},
                                         {"0400", "99", "Управление ФНС России по Республике Алтай"},
                                         {"0107", "41", "ИФНС \"Ёлки\" & <Палки>"}}));
  const auto target = dir / "InspectionNumbers.xml";
  EXPECT_EQ(ImportSounRegister(dir / "soun1.dbf", target, "00", "14.02.2017"), 3u);
  EXPECT_EQ(ReadFile(target),
            W("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n"
              "<Inspections Version=\"00\" Date=\"14.02.2017\">"
              "<Inspection Code=\"0105\">Инспекция ФНС России № 1 по г. Майкопу Республики Адыгея</Inspection>"
              "<Inspection Code=\"0400\">Управление ФНС России по Республике Алтай</Inspection>"
              "<Inspection Code=\"0107\">ИФНС \"Ёлки\" &amp; &lt;Палки&gt;</Inspection>"
              "</Inspections>\n"));
  // The written directory loads back.
  const TInspectionDirectory directory = TInspectionDirectory::LoadFile(target);
  ASSERT_EQ(directory.Inspections().size(), 3u);
  EXPECT_EQ(directory.Find("0107")->Name, W("ИФНС \"Ёлки\" & <Палки>"));
  EXPECT_EQ(directory.PickerRow("0400"), 1u);
  EXPECT_EQ(directory.PickerRow("9999"), std::nullopt);
}

TEST(SounImport, ARegisterShorterThanItsHeaderEndsAtItsEnd) {
  const std::vector<Record> two = {{"0101"}, {"0105"}};
  EXPECT_EQ(ImportedCodes(Register(two, 1000)), (std::vector<std::string>{"0101", "0105"}));
  EXPECT_EQ(ImportedCodes(Register(two, 1000, false)), (std::vector<std::string>{"0101", "0105"}));
  EXPECT_EQ(ImportedCodes(Register(two, 1)), (std::vector<std::string>{"0101"}));  // the header's count rules
  EXPECT_EQ(ImportedCodes(Register({}, 0)), std::vector<std::string>{});
}

TEST(SounImport, ARecordCutShortFailsAndLeavesTheOldDirectory) {
  TempDir dir;
  const auto target = dir / "InspectionNumbers.xml";
  WriteFile(target, "old directory");
  const std::string whole = Register({{"0101"}, {"0105"}}, -1, false);
  struct Case {
    const char* what;
    std::string bytes;
  };
  const Case cases[] = {
      {"a record cut short", whole.substr(0, whole.size() - 500)},
      {"a header cut short", whole.substr(0, 20)},
      {"an empty file", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteFile(dir / "soun1.dbf", c.bytes);
    try {
      ImportSounRegister(dir / "soun1.dbf", target, "00", "14.02.2017");
      ADD_FAILURE() << "imported";
    } catch (const EDictionaryError& e) {
      EXPECT_EQ(std::string(e.what()), "Error read file:" + (dir / "soun1.dbf").string());
    }
    EXPECT_EQ(ReadFile(target), "old directory");
    EXPECT_EQ(testing::FileCount(dir.path()), 2u);
  }
  EXPECT_THROW(ImportSounRegister(dir / "missing.dbf", target, "00", "14.02.2017"), EDictionaryError);
  EXPECT_EQ(ReadFile(target), "old directory");
}

TEST(SounImport, NothingToKeepStillWritesAnEmptyDirectory) {
  TempDir dir;
  WriteFile(dir / "soun1.dbf", Register({{"7700"}, {"7810"}}));
  const auto target = dir / "InspectionNumbers.xml";
  WriteFile(target, "old directory");
  EXPECT_EQ(ImportSounRegister(dir / "soun1.dbf", target, "00", "01.03.2017"), 0u);
  EXPECT_EQ(ReadFile(target), "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n"
                              "<Inspections Version=\"00\" Date=\"01.03.2017\"/>\n");
  EXPECT_TRUE(TInspectionDirectory::LoadFile(target).Inspections().empty());
}

TEST(SounImport, TheRebuiltDirectoryGoesToTheDataFolderAndIsReadFirst) {
  TempDir dir;
  // A code the shipped directory lacks: one created after its state, say.
  WriteFile(dir / "soun1.dbf", Register({{"7798", "30", "Инспекция ФНС России № 98 по г. Москве"}}));
  const TDictionaryFolders folders{TALVER_SOURCE_DIR, dir / "data" / "Тальвер 2016"};
  const std::optional<TInspectionDirectory> shipped = TInspectionDirectory::Load(folders);
  ASSERT_TRUE(shipped);
  EXPECT_EQ(shipped->Find("7798"), nullptr);
  ASSERT_NE(shipped->Find("7707"), nullptr);

  EXPECT_EQ(ImportSounRegister(dir / "soun1.dbf", folders, "00", "14.02.2017"), 1u);
  const std::optional<TInspectionDirectory> rebuilt = TInspectionDirectory::Load(folders);
  ASSERT_TRUE(rebuilt);
  ASSERT_EQ(rebuilt->Inspections().size(), 1u);
  EXPECT_EQ(rebuilt->Find("7798")->Name, W("Инспекция ФНС России № 98 по г. Москве"));
}

}  // namespace
}  // namespace talver
