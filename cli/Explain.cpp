#include "cli/Explain.h"

#include <ostream>
#include <set>
#include <vector>

#include "compute/Explain.h"
#include "compute/SvodSum.h"
#include "platform/NumberText.h"
#include "platform/Text1251.h"

namespace talver {
namespace {

using nlohmann::ordered_json;
using Op = kTSvodSumTrace::Op;

const char* OpName(Op kind) {
  switch (kind) {
    case Op::Sum: return "sum";
    case Op::Min: return "min";
    case Op::Max: return "max";
    case Op::Copy: return "copy";
    case Op::Tax: return "tax";
    case Op::Input:
    case Op::Rule: break;
  }
  return "rule";
}

// One figure: caption, value, operation and terms; a tax's rate; a rule's words; where a value
// was typed.
ordered_json FigureJson(const kTSvodSumTrace& trace, std::uint32_t id) {
  const kTSvodSumTrace::Node& n = trace.At(id);
  ordered_json figure = {{"caption", trace.Caption(id)}, {"value", CurrencyToText(n.Value)}, {"op", OpName(n.Kind)}};
  ordered_json terms = ordered_json::array();
  for (const kTSvodSumTrace::Term& t : n.Terms) {
    terms.push_back({{"figure", trace.Key(Shown(trace, t.Node))}, {"sign", t.Minus ? "-" : "+"}});
  }
  figure["terms"] = terms;
  if (n.Kind == Op::Tax) figure["rate"] = CurrencyToText(Currency::FromUnits(n.Percent * 100));
  if (n.Kind == Op::Tax || n.Kind == Op::Rule) figure["rule"] = n.Words;
  if (n.Kind == Op::Input) {
    figure["rule"] = "значение, введенное на странице";
    figure["input"] = {{"page", PageCaption(n.Place.Page, trace.Form())},
                       {"field", FieldCaption(n.Place.Page, n.Place.Field)},
                       {"item", n.Of}};
  }
  return figure;
}

}  // namespace

ordered_json ExplainToJson(mTDeclaration& declaration) {
  kTSvodSum summary;
  summary.KeepTrace();
  summary.Compute(declaration);
  const kTSvodSumTrace& trace = *summary.Trace();

  ordered_json lines = ordered_json::array();
  std::vector<std::uint32_t> pending;
  for (const bmTList1& line : summary.List6.Lines) {
    const std::uint32_t id = Shown(trace, line.Сумма.Node());
    lines.push_back({{"КБК", line.КБК},
                     {"ОКТМО", Cp1251ToUtf8(line.ОКТМО)},
                     {"ПрУплВозв", line.ПрУплВозв},
                     {"value", CurrencyToText(line.Сумма)},
                     {"figure", trace.Key(id)}});
    pending.push_back(id);
  }
  ordered_json figures = ordered_json::object();
  std::set<std::uint32_t> seen;
  while (!pending.empty()) {
    const std::uint32_t id = pending.front();
    pending.erase(pending.begin());
    if (id == 0 || !seen.insert(id).second) continue;
    figures[trace.Key(id)] = FigureJson(trace, id);
    for (const kTSvodSumTrace::Term& t : trace.At(id).Terms) pending.push_back(Shown(trace, t.Node));
  }
  return {{"lines", lines}, {"figures", figures}};
}

void ExplainToText(mTDeclaration& declaration, std::ostream& out) {
  kTSvodSum summary;
  summary.KeepTrace();
  summary.Compute(declaration);
  if (summary.List6.Lines.empty()) {
    out << "Раздел 1 в декларации 4-НДФЛ не заполняется\n";
    return;
  }
  bool first = true;
  for (const ExplainLine& line : ExplainSection1(summary)) {
    if (line.Depth == 0 && !first) out << "\n";
    first = false;
    out << std::string(static_cast<std::size_t>(line.Depth) * 2, ' ') << line.Text << "\n";
  }
}

}  // namespace talver
