#include "dictionaries/DictionaryFiles.h"

#include <system_error>

#include "platform/Errors.h"
#include "platform/NumberText.h"
#include "platform/ProgramFolder.h"
#include "platform/Text1251.h"

namespace talver {

std::optional<std::filesystem::path> LocateDictionaryFile(const TDictionaryFolders& folders, std::string_view fileName) {
  std::error_code ec;
  for (const std::filesystem::path& folder : {folders.DataFolder, ShippedDataFolder(folders.ProgramFolder)}) {
    if (folder.empty()) continue;
    std::filesystem::path candidate = folder / std::string(fileName);
    if (std::filesystem::is_regular_file(candidate, ec)) return candidate;
  }
  return std::nullopt;
}

std::filesystem::path WritableDictionaryPath(const TDictionaryFolders& folders, std::string_view fileName) {
  return folders.DataFolder / std::string(fileName);
}

namespace dictionary_detail {

namespace {

std::string Quoted(std::string_view fileName) { return "«" + std::string(fileName) + "»"; }

}  // namespace

XmlDocument ParseDictionary(std::string_view bytes, const std::string& fileName) {
  try {
    return XmlDocument::Parse(bytes);
  } catch (const EXmlError& e) {
    throw EDictionaryError(fileName, "Файл справочника " + Quoted(fileName) + " повреждён: " + e.what());
  }
}

XmlDocument LoadDictionary(const std::filesystem::path& path) {
  const std::string fileName = path.filename().string();
  try {
    return XmlDocument::LoadFile(path);
  } catch (const EXmlError& e) {
    throw EDictionaryError(fileName, "Не удалось прочитать справочник " + Quoted(fileName) + ": " + e.what());
  }
}

std::string EntryPlace(std::size_t index, const XmlElement& element) {
  return "элемент " + std::to_string(index + 1) + " (" + element.Name() + ")";
}

void TEntryReader::Fail(const std::string& what) const {
  throw EDictionaryError(fileName_, "Файл справочника " + Quoted(fileName_) + " повреждён: " + where_ + ": " + what);
}

std::string TEntryReader::Attribute(std::string_view name) const {
  std::optional<std::string> value = element_.Attribute(name);
  if (!value) Fail("нет атрибута " + std::string(name));
  return *value;
}

std::string TEntryReader::ChildText(std::string_view name) const {
  std::optional<std::string> text = OptionalChildText(name);
  if (!text) Fail("нет элемента " + std::string(name));
  return *text;
}

std::optional<std::string> TEntryReader::OptionalChildText(std::string_view name) const {
  std::optional<XmlElement> child = element_.FirstChild(name);
  if (!child) return std::nullopt;
  return child->Text();
}

std::int32_t TEntryReader::IntAttribute(std::string_view name) const {
  const std::string text = Trim(Attribute(name));
  if (text.empty()) return 0;
  try {
    return TextToInt32(text);
  } catch (const EConvertError&) {
    Fail("атрибут " + std::string(name) + " \"" + Cp1251ToUtf8(text) + "\" не является целым числом");
  }
}

}  // namespace dictionary_detail
}  // namespace talver
