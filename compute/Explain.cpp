#include "compute/Explain.h"

#include "compute/SvodSum.h"
#include "platform/NumberText.h"

namespace talver {
namespace {

using Op = kTSvodSumTrace::Op;

// A sum of more terms than this is listed below its line rather than in it.
constexpr std::size_t kTermsInLine = 4;

class Explainer {
 public:
  Explainer(const kTSvodSumTrace& trace, std::set<std::uint32_t>& shown, std::vector<ExplainLine>& out)
      : trace_(trace), shown_(shown), out_(out) {}

  void Explain(std::uint32_t id, int depth) {
    id = Shown(trace_, id);
    // A figure explained already, or a copy of one, is named and not taken apart again.
    for (std::uint32_t step = id;; step = Shown(trace_, At(step).Terms.front().Node)) {
      if (shown_.count(step) != 0 && At(step).Kind != Op::Input) {
        out_.push_back({depth, Label(id) + (step != id ? " = " + trace_.Caption(step) : std::string()) + " (см. выше)", id});
        return;
      }
      if (!IsCopy(At(step))) break;
    }
    for (std::uint32_t step = id;; step = Shown(trace_, At(step).Terms.front().Node)) {
      shown_.insert(step);
      if (!IsCopy(At(step))) break;
    }
    out_.push_back({depth, Label(id) + Formula(id), id});
    for (std::uint32_t term : Terms(id)) Explain(term, depth + 1);
  }

 private:
  const kTSvodSumTrace::Node& At(std::uint32_t id) const { return trace_.At(id); }

  std::string Label(std::uint32_t id) const { return trace_.Caption(id) + " " + GroupedAmountText(At(id).Value); }

  // A limit of the law on one figure, "не более 250 000".
  bool IsLimit(std::uint32_t id) const {
    const kTSvodSumTrace::Node& n = At(id);
    return n.Kind == Op::Rule && n.Terms.size() == 1 &&
           (n.Words.rfind("не более ", 0) == 0 || n.Words.rfind("не менее ", 0) == 0);
  }

  // A step without a caption of its own under a limit, written out in the limit's line.
  bool Inlined(std::uint32_t id) const {
    const kTSvodSumTrace::Node& n = At(id);
    return n.Kind != Op::Input && trace_.Anonymous(id) && !(n.Kind == Op::Sum && n.Terms.size() > kTermsInLine);
  }

  // The figures explained on the lines below a figure's line.
  std::vector<std::uint32_t> Terms(std::uint32_t id) const {
    const kTSvodSumTrace::Node& n = At(id);
    if (n.Kind == Op::Input) return {};
    if (IsCopy(n)) return Terms(Shown(trace_, n.Terms.front().Node));
    if (IsLimit(id)) {
      const std::uint32_t term = Shown(trace_, n.Terms.front().Node);
      if (Inlined(term)) return Terms(term);
    }
    std::vector<std::uint32_t> terms;
    for (const kTSvodSumTrace::Term& t : n.Terms) terms.push_back(Shown(trace_, t.Node));
    return terms;
  }

  std::string Signed(const std::vector<kTSvodSumTrace::Term>& terms) const {
    std::string text;
    for (std::size_t i = 0; i < terms.size(); ++i) {
      if (i != 0) text += terms[i].Minus ? " − " : " + ";
      if (i == 0 && terms[i].Minus) text += "−";
      text += Label(Shown(trace_, terms[i].Node));
    }
    return text;
  }

  std::string Listed(const std::vector<kTSvodSumTrace::Term>& terms) const {
    std::string text;
    for (const kTSvodSumTrace::Term& t : terms) {
      if (!text.empty()) text += "; ";
      text += Label(Shown(trace_, t.Node));
    }
    return text;
  }

  // A copy, or a sum of one term: the figure is its term under another caption.
  static bool IsCopy(const kTSvodSumTrace::Node& n) {
    return (n.Kind == Op::Copy || n.Kind == Op::Sum) && n.Terms.size() == 1 && !n.Terms.front().Minus;
  }

  // What follows a figure's caption and value: how it was obtained.
  std::string Formula(std::uint32_t id) const {
    const kTSvodSumTrace::Node& n = At(id);
    if (IsCopy(n)) {
      const std::uint32_t term = Shown(trace_, n.Terms.front().Node);
      return " = " + trace_.Caption(term) + Formula(term);
    }
    switch (n.Kind) {
      case Op::Input:
        return " — введено на странице «" + std::string(PageCaption(n.Place.Page, trace_.Form())) + "»";
      case Op::Sum:
        if (n.Terms.empty()) return " — ничего не введено";
        if (n.Terms.size() > kTermsInLine) return " = сумма " + std::to_string(n.Terms.size()) + " слагаемых:";
        return " = " + Signed(n.Terms);
      case Op::Min: return " = наименьшее из: " + Listed(n.Terms);
      case Op::Max: return " = наибольшее из: " + Listed(n.Terms);
      case Op::Copy: return {};
      case Op::Tax:
        return " = " + Label(Shown(trace_, n.Terms.front().Node)) + " × " + std::to_string(n.Percent) + " % (" +
               n.Words + ")";
      case Op::Rule:
        if (IsLimit(id)) {
          const std::uint32_t term = Shown(trace_, n.Terms.front().Node);
          std::string inner = Inlined(term) ? Formula(term) : std::string();
          inner = inner.rfind(" = ", 0) == 0 ? inner.substr(3) : Label(term);
          return " = " + inner + ", " + n.Words;
        }
        if (n.Terms.empty()) return ": " + n.Words;
        if (n.Terms.size() > kTermsInLine) return ": " + n.Words + ":";
        return ": " + n.Words + " (" + Listed(n.Terms) + ")";
    }
    return {};
  }

  const kTSvodSumTrace& trace_;
  std::set<std::uint32_t>& shown_;
  std::vector<ExplainLine>& out_;
};

}  // namespace

std::uint32_t Shown(const kTSvodSumTrace& trace, std::uint32_t node) {
  while (node != 0 && trace.Anonymous(node)) {
    const kTSvodSumTrace::Node& n = trace.At(node);
    const bool copy = (n.Kind == Op::Copy || n.Kind == Op::Sum) && n.Terms.size() == 1 && !n.Terms.front().Minus;
    if (!copy) break;
    node = n.Terms.front().Node;
  }
  return node;
}

std::vector<ExplainLine> ExplainFigure(const kTSvodSumTrace& trace, std::uint32_t node, std::set<std::uint32_t>& shown) {
  std::vector<ExplainLine> lines;
  if (node == 0) return lines;
  Explainer(trace, shown, lines).Explain(node, 0);
  return lines;
}

std::vector<ExplainLine> ExplainSection1(const kTSvodSum& summary) {
  std::vector<ExplainLine> lines;
  const kTSvodSumTrace* trace = summary.Trace();
  if (trace == nullptr) return lines;
  std::set<std::uint32_t> shown;
  for (const bmTList1& line : summary.List6.Lines) {
    const std::vector<ExplainLine> tree = ExplainFigure(*trace, line.Сумма.Node(), shown);
    lines.insert(lines.end(), tree.begin(), tree.end());
  }
  return lines;
}

}  // namespace talver
