#include "dictionaries/Okved.h"

#include "platform/Text1251.h"

namespace talver {

using dictionary_detail::EntryPlace;
using dictionary_detail::TEntryReader;

namespace {

// The classifier's data hold a TAB inside a name (74.90.92, beside a blank); the lists show a
// name on one line, so a TAB reads as a blank, one blank where it stands beside one.
std::string TabsAsBlanks(std::string name) {
  std::string out;
  out.reserve(name.size());
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (name[i] != '\t') {
      out += name[i];
    } else if (!(out.empty() || out.back() == ' ') && (i + 1 == name.size() || name[i + 1] != ' ')) {
      out += ' ';
    }
  }
  return out;
}

}  // namespace

TOkvedDictionary TOkvedDictionary::FromDocument(const XmlDocument& doc, const std::string& fileName) {
  TOkvedDictionary dictionary;
  const std::vector<XmlElement> children = doc.DocumentElement().Children();
  for (std::size_t i = 0; i < children.size(); ++i) {
    const TEntryReader reader(children[i], fileName, EntryPlace(i, children[i]));
    TOkvedEntry entry;
    const std::string level = Trim(reader.ChildText("GRUP"));
    if (level.size() != 1 || level[0] < '1' || level[0] > '6') {
      reader.Fail("уровень GRUP \"" + Cp1251ToUtf8(level) + "\" не от 1 до 6");
    }
    entry.Level = level[0] - '0';
    entry.Kod = reader.ChildText("Kod");
    entry.Name = TabsAsBlanks(reader.ChildText("Name"));
    entry.Okved = reader.OptionalChildText("OKVED");
    dictionary.entries_.push_back(std::move(entry));
  }
  return dictionary;
}

TOkvedDictionary TOkvedDictionary::FromXml(std::string_view bytes, const std::string& fileName) {
  return FromDocument(dictionary_detail::ParseDictionary(bytes, fileName), fileName);
}

TOkvedDictionary TOkvedDictionary::LoadFile(const std::filesystem::path& path) {
  return FromDocument(dictionary_detail::LoadDictionary(path), path.filename().string());
}

std::optional<TOkvedDictionary> TOkvedDictionary::Load(const TDictionaryFolders& folders) {
  const std::optional<std::filesystem::path> path = LocateDictionaryFile(folders, kOkvedFileName);
  if (!path) return std::nullopt;
  return LoadFile(*path);
}

// ---- picker ----

namespace {

const std::string& NoneText() {
  static const std::string text = Utf8ToCp1251("нет");
  return text;
}

bool ValidLevel(int level) { return level >= 1 && level <= TOkvedPicker::kLevels; }

}  // namespace

TOkvedPicker::TOkvedPicker(const TOkvedDictionary& dictionary) : dictionary_(dictionary) { Fill(1, nullptr); }

void TOkvedPicker::Fill(int level, const TOkvedEntry* parent) {
  for (int j = level; j <= kLevels; ++j) {
    auto& list = lists_[static_cast<std::size_t>(j - 1)];
    list.clear();
    selected_[static_cast<std::size_t>(j - 1)] = 0;
    // Without a parent only list 1 is filled: the lists below wait for a choice.
    if (parent == nullptr && j != 1) continue;
    for (const TOkvedEntry& entry : dictionary_.Entries()) {
      if (entry.Level == j && (parent == nullptr || entry.Kod.starts_with(parent->Kod))) list.push_back(&entry);
    }
  }
}

std::vector<std::string> TOkvedPicker::Items(int level) const {
  std::vector<std::string> items{NoneText()};
  if (!ValidLevel(level)) return items;
  for (const TOkvedEntry* entry : lists_[static_cast<std::size_t>(level - 1)]) items.push_back(entry->Name);
  return items;
}

std::size_t TOkvedPicker::SelectedItem(int level) const {
  return ValidLevel(level) ? selected_[static_cast<std::size_t>(level - 1)] : 0;
}

void TOkvedPicker::Pick(int level, std::size_t item) {
  if (!ValidLevel(level)) return;
  const auto index = static_cast<std::size_t>(level - 1);
  const auto& list = lists_[index];
  if (item == 0 || item > list.size()) {
    // "нет": the lists below empty, and the choice falls back to the list above.
    for (int j = level + 1; j <= kLevels; ++j) {
      lists_[static_cast<std::size_t>(j - 1)].clear();
      selected_[static_cast<std::size_t>(j - 1)] = 0;
    }
    selected_[index] = 0;
    chosen_ = nullptr;
    for (int j = level - 1; j >= 1 && chosen_ == nullptr; --j) {
      const auto up = static_cast<std::size_t>(j - 1);
      if (selected_[up] != 0) chosen_ = lists_[up][selected_[up] - 1];
    }
    return;
  }
  chosen_ = list[item - 1];
  selected_[index] = item;
  if (level < kLevels) Fill(level + 1, chosen_);
}

std::string TOkvedPicker::CodeFieldText() const {
  return chosen_ && chosen_->Okved ? *chosen_->Okved : NoneText();
}

bool TOkvedPicker::CodeLongEnough() const { return chosen_ != nullptr && chosen_->Kod.size() >= 4; }

std::string TOkvedPicker::Result() const { return chosen_ && chosen_->Okved ? *chosen_->Okved : std::string(); }

const char* TOkvedPicker::TooShortMessage() { return "Длина кода ОКВЭД должна быть не меньше 4 знаков вклячая точку"; }

}  // namespace talver
