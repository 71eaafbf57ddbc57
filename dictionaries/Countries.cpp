#include "dictionaries/Countries.h"

#include "platform/Text1251.h"

namespace talver {

using dictionary_detail::EntryPlace;
using dictionary_detail::TEntryReader;

TCountryDirectory TCountryDirectory::FromDocument(const XmlDocument& doc, const std::string& fileName) {
  TCountryDirectory directory;
  const std::vector<XmlElement> children = doc.DocumentElement().Children();
  for (std::size_t i = 0; i < children.size(); ++i) {
    const TEntryReader reader(children[i], fileName, EntryPlace(i, children[i]));
    directory.countries_.push_back(
        {reader.Attribute("Code"), children[i].Text(), Trim(children[i].Attribute("Alpha2").value_or(std::string()))});
  }
  return directory;
}

TCountryDirectory TCountryDirectory::FromXml(std::string_view bytes, const std::string& fileName) {
  return FromDocument(dictionary_detail::ParseDictionary(bytes, fileName), fileName);
}

TCountryDirectory TCountryDirectory::LoadFile(const std::filesystem::path& path) {
  return FromDocument(dictionary_detail::LoadDictionary(path), path.filename().string());
}

std::optional<TCountryDirectory> TCountryDirectory::Load(const TDictionaryFolders& folders) {
  const std::optional<std::filesystem::path> path = LocateDictionaryFile(folders, kOksmFileName);
  if (!path) return std::nullopt;
  return LoadFile(*path);
}

const TCountry* TCountryDirectory::Find(std::string_view code) const {
  for (const TCountry& country : countries_) {
    if (country.Code == code) return &country;
  }
  return nullptr;
}

const TCountry* TCountryDirectory::FindByAlpha2(std::string_view alpha2) const {
  if (alpha2.empty()) return nullptr;
  for (const TCountry& country : countries_) {
    if (country.Alpha2 == alpha2) return &country;
  }
  return nullptr;
}

std::optional<std::size_t> TCountryDirectory::PickerRow(std::string_view currentCode) const {
  if (currentCode.empty()) return std::nullopt;
  for (std::size_t i = 0; i < countries_.size(); ++i) {
    if (countries_[i].Code == currentCode) return i;
  }
  return std::nullopt;
}

}  // namespace talver
