#pragma once
// "Oksm.xml", the country directory: every child of the document element is one country, its
// code in the attribute Code, its ISO 3166 letters in the optional attribute Alpha2, and its name
// as the element's text. Texts are windows-1251.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dictionaries/DictionaryFiles.h"

namespace talver {

struct TCountry {
  std::string Code;
  std::string Name;
  std::string Alpha2;  // "US"; empty when the file does not say
};

class TCountryDirectory {
 public:
  // Each throws EDictionaryError for a file that is not well-formed or an entry without Code.
  static TCountryDirectory FromXml(std::string_view bytes, const std::string& fileName = kOksmFileName);
  static TCountryDirectory LoadFile(const std::filesystem::path& path);
  // The file the folders hold (data folder first), or none when there is none.
  static std::optional<TCountryDirectory> Load(const TDictionaryFolders& folders);

  // In document order: the rows of the country picker ("Справочник стран").
  const std::vector<TCountry>& Countries() const { return countries_; }
  // The first country of that code, or none.
  const TCountry* Find(std::string_view code) const;
  // The first country of those ISO 3166 letters (case as written), or none.
  const TCountry* FindByAlpha2(std::string_view alpha2) const;
  // The row the picker shows selected: the current code's (first match); none for no code or
  // a code not listed.
  std::optional<std::size_t> PickerRow(std::string_view currentCode) const;

 private:
  static TCountryDirectory FromDocument(const XmlDocument& doc, const std::string& fileName);
  std::vector<TCountry> countries_;
};

}  // namespace talver
