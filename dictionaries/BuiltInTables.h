#pragma once
// The reference tables built into the program: regions of the Russian Federation, identity
// document types and month names, in the order the pickers list them. Texts are
// windows-1251; codes are two-digit text and are stored in the model as numbers.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace talver {

struct TCodeName {
  std::string Code;
  std::string Name;
};

// 86 regions, "01" Республика Адыгея (Адыгея) first.
const std::vector<TCodeName>& Regions();
// 14 identity document types, "03" to "91".
const std::vector<TCodeName>& DocumentTypes();
// "Январь" to "Декабрь".
const std::vector<std::string>& MonthNames();

// The row a region or document type picker shows selected: the row whose code is the current
// code written with two digits, "01" when there is no current code (0); none when no row has
// that code.
std::optional<std::size_t> BuiltInPickerRow(const std::vector<TCodeName>& table, std::int32_t currentCode);
// The name of a code in a table (its number, as the model stores it), or none.
std::optional<std::string> BuiltInName(const std::vector<TCodeName>& table, std::int32_t code);

}  // namespace talver
