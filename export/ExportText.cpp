#include "export/ExportText.h"

#include <algorithm>
#include <cstdio>

#include "platform/Math2.h"
#include "platform/NumberText.h"
#include "platform/Text1251.h"

namespace talver {
namespace {

constexpr std::size_t kNamePartLength = 60;

// The leading word of a trimmed text: up to its first blank and at most 60 characters, trimmed;
// the whole text when it has no blank. An empty word is one blank.
std::string LeadingWord(std::string_view text) {
  const std::size_t blank = text.find(' ');
  std::string word = blank == std::string_view::npos ? std::string(text)
                                                      : Trim(text.substr(0, std::min(blank, kNamePartLength)));
  if (word.empty()) word = " ";
  return word;
}

std::string_view After(std::string_view text, std::size_t count) {
  return count >= text.size() ? std::string_view() : text.substr(count);
}

}  // namespace

std::string KopecksText(Currency value) { return FormatSumKopecks(value); }

std::string GeneralText(Currency value) { return FormatSumGeneral(value, '.'); }

std::string DateText(TDate date) { return DateToText(date, '.'); }

std::string YearText(TDate date) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d", DecodeDate(date).Year);
  return buf;
}

std::string CompactDateText(TDate date) {
  const CalendarDate d = DecodeDate(date);
  char buf[24];
  std::snprintf(buf, sizeof buf, "%04d%02d%02d", d.Year, d.Month, d.Day);
  return buf;
}

std::string PadLeftZeros(std::string text, std::size_t width) {
  if (text.size() < width) text.insert(0, width - text.size(), '0');
  return text;
}

std::string TwoDigitCode(std::int64_t value) { return PadLeftZeros(IntToText(value), 2); }

std::string ThreeDigitCode(std::string_view stored) {
  std::string trimmed = Trim(stored);
  if (trimmed.size() >= 3) return std::string(stored);
  return PadLeftZeros(std::move(trimmed), 3);
}

bool IsBlank(std::string_view text) { return Trim(text).empty(); }

std::string FirstChars(std::string_view text, std::size_t count) { return std::string(text.substr(0, count)); }

bool SumPositive(std::initializer_list<Currency> amounts) {
  __extension__ typedef __int128 Int128;
  Int128 sum = 0;
  for (const Currency amount : amounts) sum += amount.Units();
  return sum > 0;
}

void AddIfText(XmlElement& element, std::string_view name, std::string_view value) {
  if (!IsBlank(value)) element.AddAttribute(name, value);
}

void AddKopecksIfPositive(XmlElement& element, std::string_view name, Currency value) {
  if (value > Currency()) AddKopecks(element, name, value);
}

void AddGeneralIfPositive(XmlElement& element, std::string_view name, Currency value) {
  if (value > Currency()) AddGeneral(element, name, value);
}

void AddKopecksIfNonZero(XmlElement& element, std::string_view name, Currency value) {
  if (!value.IsZero()) AddKopecks(element, name, value);
}

PersonNameParts SplitRepresentativeName(std::string_view fullName) {
  const std::string full = Trim(fullName);
  PersonNameParts parts;
  parts.Surname = LeadingWord(full);
  const std::string rest = Trim(After(full, parts.Surname.size()));
  parts.FirstName = LeadingWord(rest);
  parts.Patronymic = Trim(After(rest, parts.FirstName.size()).substr(0, kNamePartLength));
  return parts;
}

}  // namespace talver
