#include "dictionaries/Inspections.h"

#include <array>
#include <cstdint>
#include <fstream>
#include <system_error>

#include "platform/Text1251.h"

namespace talver {

using dictionary_detail::EntryPlace;
using dictionary_detail::TEntryReader;

TInspectionDirectory TInspectionDirectory::FromDocument(const XmlDocument& doc, const std::string& fileName) {
  TInspectionDirectory directory;
  const std::vector<XmlElement> children = doc.DocumentElement().Children();
  for (std::size_t i = 0; i < children.size(); ++i) {
    const TEntryReader reader(children[i], fileName, EntryPlace(i, children[i]));
    directory.inspections_.push_back({reader.Attribute("Code"), children[i].Text()});
  }
  return directory;
}

TInspectionDirectory TInspectionDirectory::FromXml(std::string_view bytes, const std::string& fileName) {
  return FromDocument(dictionary_detail::ParseDictionary(bytes, fileName), fileName);
}

TInspectionDirectory TInspectionDirectory::LoadFile(const std::filesystem::path& path) {
  return FromDocument(dictionary_detail::LoadDictionary(path), path.filename().string());
}

std::optional<TInspectionDirectory> TInspectionDirectory::Load(const TDictionaryFolders& folders) {
  const std::optional<std::filesystem::path> path = LocateDictionaryFile(folders, kInspectionsFileName);
  if (!path) return std::nullopt;
  return LoadFile(*path);
}

const TInspection* TInspectionDirectory::Find(std::string_view code) const {
  for (const TInspection& inspection : inspections_) {
    if (inspection.Code == code) return &inspection;
  }
  return nullptr;
}

std::optional<std::size_t> TInspectionDirectory::PickerRow(std::string_view currentCode) const {
  for (std::size_t i = 0; i < inspections_.size(); ++i) {
    if (inspections_[i].Code == currentCode) return i;
  }
  return std::nullopt;
}

// ---- the register ----

namespace {

constexpr std::size_t kHeaderSize = 32;
constexpr std::size_t kRecordSize = 1194;
// DBF files end with this byte after the last record.
constexpr char kEndOfFileMark = '\x1A';

std::uint32_t LittleEndian(const char* bytes, std::size_t size) {
  std::uint32_t value = 0;
  for (std::size_t i = size; i-- > 0;) value = (value << 8) | static_cast<unsigned char>(bytes[i]);
  return value;
}

std::string Field(const std::array<char, kRecordSize>& record, std::size_t offset, std::size_t size) {
  return Trim(std::string_view(record.data() + offset, size));
}

bool IsActiveInspection(const std::array<char, kRecordSize>& record, const std::string& code) {
  const bool regional = code == "0400";
  // Regional offices ("XX00") are not inspections; the Altai Republic's office is one.
  if (code.size() >= 4 && code.compare(2, 2, "00") == 0 && !regional) return false;
  if (!Field(record, 7, 30).empty()) return false;
  if (record[411] != '1') return false;
  if (!Field(record, 934, 10).empty()) return false;
  if (!regional) {
    const std::string kind = Field(record, 5, 2);
    static constexpr std::array<std::string_view, 8> kKinds = {"30", "31", "41", "42", "43", "50", "52", "60"};
    bool known = false;
    for (std::string_view k : kKinds) known = known || kind == k;
    if (!known) return false;
  }
  return code != "3906" && code != "7203" && code != "7810";
}

[[noreturn]] void ReadError(const std::string& registerName) {
  throw EDictionaryError(registerName, "Error read file:" + registerName);
}

}  // namespace

XmlDocument BuildInspectionDirectory(std::istream& in, std::string_view version, std::string_view date,
                                     const std::string& registerName) {
  XmlDocument doc = XmlDocument::Parse("<?xml version=\"1.0\" encoding=\"windows-1251\"?><Inspections/>");
  XmlElement root = doc.DocumentElement();
  root.AddAttribute("Version", version);
  root.AddAttribute("Date", date);

  std::array<char, kHeaderSize> header{};
  in.read(header.data(), header.size());
  if (static_cast<std::size_t>(in.gcount()) != header.size()) ReadError(registerName);
  const std::uint32_t count = LittleEndian(header.data() + 4, 4);
  const std::uint32_t headerLength = LittleEndian(header.data() + 8, 2);
  in.clear();
  in.seekg(headerLength, std::ios::beg);
  if (!in) return doc;  // the records begin beyond the end: there are none

  std::array<char, kRecordSize> record{};
  for (std::uint32_t i = 0; i < count; ++i) {
    in.read(record.data(), record.size());
    const auto got = static_cast<std::size_t>(in.gcount());
    if (got == 0 || (got == 1 && record[0] == kEndOfFileMark)) break;  // shorter than the header says
    if (got < record.size()) ReadError(registerName);
    const std::string code = Field(record, 1, 4);
    if (!IsActiveInspection(record, code)) continue;
    XmlElement inspection = root.AppendElement("Inspection");
    inspection.AddAttribute("Code", code);
    inspection.AppendText(Trim(Cp866ToCp1251(std::string_view(record.data() + 161, 250))));
  }
  return doc;
}

std::size_t ImportSounRegister(const std::filesystem::path& registerPath, const std::filesystem::path& target,
                               std::string_view version, std::string_view date) {
  const std::string registerName = registerPath.string();
  std::ifstream in(registerPath, std::ios::binary);
  if (!in) throw EDictionaryError(registerName, "Не удалось открыть файл " + registerName);
  const XmlDocument doc = BuildInspectionDirectory(in, version, date, registerName);
  try {
    if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path());
    doc.Save(target);
  } catch (const EXmlError& e) {
    throw EDictionaryError(target.filename().string(), e.what());
  } catch (const std::filesystem::filesystem_error&) {
    throw EDictionaryError(target.filename().string(), "Не удалось создать папку " + target.parent_path().string());
  }
  return doc.DocumentElement().Children().size();
}

std::size_t ImportSounRegister(const std::filesystem::path& registerPath, const TDictionaryFolders& folders,
                               std::string_view version, std::string_view date) {
  return ImportSounRegister(registerPath, WritableDictionaryPath(folders, kInspectionsFileName), version, date);
}

}  // namespace talver
