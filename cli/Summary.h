#pragma once
// The computed return as JSON: every component of the summary by its code name.
#include <nlohmann/json.hpp>

#include "model/DeclClasses.h"

namespace talver {

nlohmann::ordered_json SummaryToJson(mTDeclaration& declaration);

}  // namespace talver
