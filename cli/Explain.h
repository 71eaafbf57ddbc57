#pragma once
// talver-cli explain: how each line of section 1 came about, down to the values typed, as
// indented text or as JSON.
#include <iosfwd>

#include <nlohmann/json.hpp>

#include "model/DeclClasses.h"

namespace talver {

// {"lines": [...], "figures": {...}}: every section 1 line with the key of its figure, and
// every figure its derivation reaches, by key (see cli/Explain.cpp for each field).
nlohmann::ordered_json ExplainToJson(mTDeclaration& declaration);
// The same trees as text, two spaces a level, a blank line between the lines of section 1.
void ExplainToText(mTDeclaration& declaration, std::ostream& out);

}  // namespace talver
