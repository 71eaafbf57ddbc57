#pragma once
// The whole document model as JSON (UTF-8): keys are the model's field names, amounts decimal
// strings in roubles ("1234.5"), dates "dd.mm.yyyy" (a day count such as "42736.5" when the
// date carries a time), lists arrays of objects, absent months null.
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <string_view>

#include "model/DeclClasses.h"

namespace talver {

// JSON that does not fit the model; the message names the key.
class JsonModelError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The longest list a declaration file keeps: its counts are 16-bit.
inline constexpr std::size_t kMaxJsonList = 65535;

nlohmann::ordered_json DeclarationToJson(mTDeclaration& declaration);
// Fills a new declaration from JSON; keys left out keep their defaults. Refuses unknown keys,
// values of the wrong kind, and values the declaration file would not keep.
void DeclarationFromJson(const nlohmann::json& json, mTDeclaration& declaration);
// The same from the text of a JSON document (UTF-8), refusing besides, while it is read: text
// that is not JSON, numbers beyond the range of a double, a key given twice in one object, a
// list longer than kMaxJsonList and nesting deeper than the model's. Every refusal is a
// JsonModelError whose message names the place.
void ReadDeclarationJson(std::string_view text, mTDeclaration& declaration);

}  // namespace talver
