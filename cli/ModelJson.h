#pragma once
// The whole document model as JSON (UTF-8): keys are the model's field names, amounts decimal
// strings in roubles ("1234.5"), dates "dd.mm.yyyy" (a day count such as "42736.5" when the
// date carries a time), lists arrays of objects, absent months null.
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>

#include "model/DeclClasses.h"

namespace talver {

// JSON that does not fit the model; the message names the key.
class JsonModelError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

nlohmann::ordered_json DeclarationToJson(mTDeclaration& declaration);
// Fills a new declaration from JSON; keys left out keep their defaults. Refuses unknown keys,
// values of the wrong kind, and values the declaration file would not keep.
void DeclarationFromJson(const nlohmann::json& json, mTDeclaration& declaration);

}  // namespace talver
