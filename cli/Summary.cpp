#include "cli/Summary.h"

namespace talver {

// Filled in with the components of the computation.
nlohmann::ordered_json SummaryToJson(mTDeclaration&) { return nlohmann::ordered_json::object(); }

}  // namespace talver
