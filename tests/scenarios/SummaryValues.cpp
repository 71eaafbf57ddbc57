#include "tests/scenarios/SummaryValues.h"

namespace talver::testing {
namespace {

class Collector {
 public:
  explicit Collector(std::vector<NamedValue>& out) : out_(out) {}

  template <class C>
  void Component(const char* name, const C& component) {
    component_ = name;
    component.VisitValues(*this);
  }
  void Value(const char* element, const char* attribute, Currency amount) {
    out_.push_back({component_, element, attribute, amount});
  }
  void Count(const char* element, const char* attribute, std::int32_t count) {
    out_.push_back({component_, element, attribute, Currency::FromRoubles(count)});
  }
  void Text(const char*, const char*, const std::string&) {}

 private:
  std::vector<NamedValue>& out_;
  std::string component_;
};

}  // namespace

std::vector<NamedValue> SummaryValues(const kTSvodSum& summary) {
  std::vector<NamedValue> values;
  Collector collector(values);
  summary.VisitComponents(collector);
  return values;
}

std::optional<Currency> FindValue(const kTSvodSum& summary, const std::string& component, const std::string& element,
                                  const std::string& attribute) {
  for (const NamedValue& v : SummaryValues(summary)) {
    if (v.Component == component && v.Element == element && v.Attribute == attribute) return v.Amount;
  }
  return std::nullopt;
}

}  // namespace talver::testing
