#pragma once
// Every value of a computed summary by its names (component, element, attribute), for tests
// that compare summaries or look values up the way the export names them.
#include <optional>
#include <string>
#include <vector>

#include "compute/SvodSum.h"

namespace talver::testing {

struct NamedValue {
  std::string Component;
  std::string Element;
  std::string Attribute;
  Currency Amount;  // a count (КолМесНеПрев) as that many roubles
};

// In member order; the rate texts are left out.
std::vector<NamedValue> SummaryValues(const kTSvodSum& summary);
std::optional<Currency> FindValue(const kTSvodSum& summary, const std::string& component,
                                  const std::string& element, const std::string& attribute);

}  // namespace talver::testing
