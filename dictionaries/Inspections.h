#pragma once
// The tax inspection directory "InspectionNumbers.xml" and its rebuilding from the tax
// authority's register "soun1.dbf".
//
// The directory: document element Inspections (attributes Version and Date, which the reader
// ignores), one child per inspection with its code in the attribute Code and its name as the
// element's text. Texts are windows-1251.
//
// The shipped directory holds the inspections of every region as they stood in 2017 to 2019 (no
// list of 2016 itself is public); the import is the user's way to the authority's current register. The program writes the rebuilt file into the user's data folder,
// where it is read before the shipped copy, from the next start on.
#include <cstddef>
#include <filesystem>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dictionaries/DictionaryFiles.h"

namespace talver {

struct TInspection {
  std::string Code;
  std::string Name;
};

class TInspectionDirectory {
 public:
  // Each throws EDictionaryError for a file that is not well-formed or an entry without Code.
  static TInspectionDirectory FromXml(std::string_view bytes, const std::string& fileName = kInspectionsFileName);
  static TInspectionDirectory LoadFile(const std::filesystem::path& path);
  static std::optional<TInspectionDirectory> Load(const TDictionaryFolders& folders);

  // In file order: the rows of the inspection picker ("Справочник инспекций").
  const std::vector<TInspection>& Inspections() const { return inspections_; }
  const TInspection* Find(std::string_view code) const;
  // The row the picker shows selected: the current code's (first match), or none.
  std::optional<std::size_t> PickerRow(std::string_view currentCode) const;

 private:
  static TInspectionDirectory FromDocument(const XmlDocument& doc, const std::string& fileName);
  std::vector<TInspection> inspections_;
};

// Builds the directory document from a register (the bytes of "soun1.dbf"): the active
// inspections, their names converted from code page 866. `version` and `date` ("DD.MM.YYYY")
// go into the document element. A register shorter than its header claims ends at its end;
// a record cut short fails with "Error read file:" and `registerName`. Throws EDictionaryError.
XmlDocument BuildInspectionDirectory(std::istream& in, std::string_view version, std::string_view date,
                                     const std::string& registerName);

// The import of the dialog "Загрузка СОУН": reads the register at `registerPath` and writes the
// directory to `target`, replacing the file there only once the new one is complete (a failure
// leaves the old directory as it was). Returns the number of inspections written.
std::size_t ImportSounRegister(const std::filesystem::path& registerPath, const std::filesystem::path& target,
                               std::string_view version, std::string_view date);
// The same, writing "InspectionNumbers.xml" into the user's data folder (created when missing).
std::size_t ImportSounRegister(const std::filesystem::path& registerPath, const TDictionaryFolders& folders,
                               std::string_view version, std::string_view date);

// The texts of the dialog around the import (UTF-8).
inline constexpr char kSounImportDoneMessage[] = "Данные успешно импортированы. Не забудьте перезапустить программу.";
inline constexpr char kSounImportFailedMessage[] = "Импортировать данные не удалось";
inline constexpr char kSounNoPathMessage[] = "Укажите путь к файлу soun1.dbf";

}  // namespace talver
