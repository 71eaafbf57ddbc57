#include "cli/Summary.h"

#include "compute/SvodSum.h"
#include "platform/NumberText.h"
#include "platform/Text1251.h"

namespace talver {
namespace {

using nlohmann::ordered_json;

// One component's values under their XML names; a value of a child element is keyed
// "Element.Attribute".
class ValueWriter {
 public:
  explicit ValueWriter(ordered_json& out) : out_(out) {}
  void Value(std::string_view element, std::string_view attribute, Currency amount) {
    out_[Key(element, attribute)] = CurrencyToText(amount);
  }
  template <class N>
  void Count(std::string_view element, std::string_view attribute, N count) {
    out_[Key(element, attribute)] = count;
  }
  void Text(std::string_view element, std::string_view attribute, const std::string& text) {
    out_[Key(element, attribute)] = Cp1251ToUtf8(text);
  }

 private:
  static std::string Key(std::string_view element, std::string_view attribute) {
    return element.empty() ? std::string(attribute) : std::string(element) + "." + std::string(attribute);
  }
  ordered_json& out_;
};

class ComponentWriter {
 public:
  explicit ComponentWriter(ordered_json& out) : out_(out) {}
  template <class C>
  void Component(const char* name, const C& component) {
    ordered_json values = ordered_json::object();
    ValueWriter writer(values);
    component.VisitValues(writer);
    if constexpr (std::is_same_v<C, kTSvodSumList6>) {
      ordered_json lines = ordered_json::array();
      for (const bmTList1& line : component.Lines) {
        lines.push_back({{"КБК", line.КБК},
                         {"ОКТМО", Cp1251ToUtf8(line.ОКТМО)},
                         {"ПрУплВозв", line.ПрУплВозв},
                         {"Сумма", CurrencyToText(line.Сумма)}});
      }
      values["Lines"] = lines;
    }
    out_[name] = values;
  }

 private:
  ordered_json& out_;
};

}  // namespace

ordered_json SummaryToJson(mTDeclaration& declaration) {
  kTSvodSum summary;
  ordered_json out = ordered_json::object();
  out["Result"] = summary.Compute(declaration);
  ComponentWriter writer(out);
  summary.VisitComponents(writer);
  return out;
}

}  // namespace talver
