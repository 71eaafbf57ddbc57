#pragma once
// "Sp_OKVED2.xml", the classifier of economic activities, and the activity picker ("Код по
// ОКВЭД") as a model the window sits on.
//
// Every child of the document element is one entry with the child elements GRUP (level 1 to
// 6), Kod (hierarchical: the Kod of every entry below an entry begins with that entry's Kod),
// Name and, optionally, OKVED (the code written into the return). Texts are windows-1251.
#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dictionaries/DictionaryFiles.h"

namespace talver {

struct TOkvedEntry {
  int Level = 0;  // GRUP, 1 to 6
  std::string Kod;
  std::string Name;
  std::optional<std::string> Okved;
};

class TOkvedDictionary {
 public:
  // Each throws EDictionaryError for a file that is not well-formed, an entry without GRUP,
  // Kod or Name, or a GRUP that is not 1 to 6.
  static TOkvedDictionary FromXml(std::string_view bytes, const std::string& fileName = kOkvedFileName);
  static TOkvedDictionary LoadFile(const std::filesystem::path& path);
  static std::optional<TOkvedDictionary> Load(const TDictionaryFolders& folders);

  const std::vector<TOkvedEntry>& Entries() const { return entries_; }

 private:
  static TOkvedDictionary FromDocument(const XmlDocument& doc, const std::string& fileName);
  std::vector<TOkvedEntry> entries_;
};

// The six drop-down lists of the activity picker. Every list begins with the item "нет";
// list 1 holds the level-1 entries, and choosing an entry in list n fills each list below with
// that entry's descendants of the list's level. The model keeps a reference to the dictionary,
// which must outlive it.
class TOkvedPicker {
 public:
  static constexpr int kLevels = 6;

  explicit TOkvedPicker(const TOkvedDictionary& dictionary);

  // The texts of list `level` (1 to 6): "нет" (windows-1251), then the entries' names.
  std::vector<std::string> Items(int level) const;
  // The item of list `level` shown selected (0 is "нет").
  std::size_t SelectedItem(int level) const;
  // The user picks item `item` of list `level`. An entry becomes the chosen one and fills the
  // lists below; "нет" (or an item out of range) empties the lists below and makes the entry
  // picked in the list above the chosen one again (none for list 1).
  void Pick(int level, std::size_t item);

  // The chosen entry, or none.
  const TOkvedEntry* Chosen() const { return chosen_; }
  // The code field: the chosen entry's OKVED, or "нет" (windows-1251) when there is none.
  std::string CodeFieldText() const;
  // "Да" is accepted when the chosen entry's Kod has at least four characters; otherwise the
  // picker shows TooShortMessage() and the user may correct or skip.
  bool CodeLongEnough() const;
  // What the picker returns: the chosen entry's OKVED value (empty without one).
  std::string Result() const;

  // "Длина кода ОКВЭД должна быть не меньше 4 знаков вклячая точку", in UTF-8 like every message.
  static const char* TooShortMessage();
  // The title of that message's dialog.
  static const char* MessageTitle() { return "ОКВЭД"; }

 private:
  void Fill(int level, const TOkvedEntry* parent);

  const TOkvedDictionary& dictionary_;
  std::array<std::vector<const TOkvedEntry*>, kLevels> lists_;
  std::array<std::size_t, kLevels> selected_{};
  const TOkvedEntry* chosen_ = nullptr;
};

}  // namespace talver
