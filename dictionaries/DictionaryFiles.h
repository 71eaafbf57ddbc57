#pragma once
// Where the dictionary files are, and the reading helpers every file reader shares.
//
// The program ships its dictionary files beside its executable (platform/ProgramFolder.h); the
// files it writes (the rebuilt inspection directory) go to the user's data folder, which is
// read first. Both folders are passed in: nothing here knows where the program runs.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "dictionaries/DictionaryError.h"
#include "platform/XmlDom.h"

namespace talver {

inline constexpr char kInspectionsFileName[] = "InspectionNumbers.xml";
inline constexpr char kOksmFileName[] = "Oksm.xml";
inline constexpr char kOkvedFileName[] = "Sp_OKVED2.xml";
inline constexpr char kCurrencyRatesFileName[] = "CurrencyRates.xml";
inline constexpr char kIncomeDictFileName[] = "IncomeDict.xml";
inline constexpr char kSounRegisterFileName[] = "soun1.dbf";

struct TDictionaryFolders {
  // The folder of the executable; the shipped files are found from it (ShippedDataFolder).
  std::filesystem::path ProgramFolder;
  // The user's data folder: files the program writes, read before the shipped copies.
  std::filesystem::path DataFolder;
};

// The file to read for `fileName`: the one in the data folder when it exists, else the shipped
// one; none when neither exists (the program then goes without that dictionary).
std::optional<std::filesystem::path> LocateDictionaryFile(const TDictionaryFolders& folders, std::string_view fileName);
// Where the program writes a dictionary file of its own: the data folder.
std::filesystem::path WritableDictionaryPath(const TDictionaryFolders& folders, std::string_view fileName);

namespace dictionary_detail {

// Parses a dictionary file's bytes; an XML error becomes an EDictionaryError naming the file.
XmlDocument ParseDictionary(std::string_view bytes, const std::string& fileName);
XmlDocument LoadDictionary(const std::filesystem::path& path);

// Reading attributes and child elements of one entry, with errors that say which entry lacks
// what. `where` describes the entry ("элемент 5 (Country)").
class TEntryReader {
 public:
  TEntryReader(const XmlElement& element, std::string fileName, std::string where)
      : element_(element), fileName_(std::move(fileName)), where_(std::move(where)) {}

  std::string Attribute(std::string_view name) const;                 // required
  std::string ChildText(std::string_view name) const;                 // required child element
  std::optional<std::string> OptionalChildText(std::string_view name) const;
  std::int32_t IntAttribute(std::string_view name) const;             // trimmed; blank is 0
  [[noreturn]] void Fail(const std::string& what) const;

 private:
  const XmlElement& element_;
  std::string fileName_;
  std::string where_;
};

// "элемент 5 (Country)": the place of the n-th (0-based) child in messages.
std::string EntryPlace(std::size_t index, const XmlElement& element);

}  // namespace dictionary_detail
}  // namespace talver
