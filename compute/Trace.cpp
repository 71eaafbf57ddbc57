#include "compute/Trace.h"

#include "compute/TraceCaptions.h"
#include "platform/Math2.h"
#include "platform/NumberText.h"

namespace talver {
namespace {

constexpr const char* kUntraced = "сумма без расчета";

// A zero without a derivation is nothing entered: a sum leaves it out. A zero the computation
// arrived at stays, as it tells why (a tax of 0 on a base that deductions used up).
bool Counts(const Figure& term) { return term.Node() != 0 || !term.IsZero(); }

}  // namespace

// ---------------------------------------------------------------------------------------------
// The trace

kTSvodSumTrace::kTSvodSumTrace() { nodes_.emplace_back(); }

void kTSvodSumTrace::Clear(std::uint8_t form) {
  nodes_.clear();
  nodes_.emplace_back();
  form_ = form;
}

std::uint32_t kTSvodSumTrace::Add(Op kind, Currency value) {
  Node& node = nodes_.emplace_back();
  node.Kind = kind;
  node.Value = value;
  return static_cast<std::uint32_t>(nodes_.size() - 1);
}

bool kTSvodSumTrace::Anonymous(std::uint32_t node) const {
  const Node& n = nodes_[node];
  return n.Kind != Op::Input && n.Caption == nullptr && n.Component == nullptr && n.Name.empty();
}

kTSvodSumTrace* kTSvodSumTrace::Of(FigureRefs figures) {
  // A rule over figures none of which has a derivation gives a fixed amount.
  for (const Figure& f : figures) {
    if (f.Trace() != nullptr && f.Node() != 0) return f.Trace();
  }
  return nullptr;
}

std::uint32_t kTSvodSumTrace::TermOf(const Figure& figure) {
  if (figure.Node() != 0) {
    nodes_[figure.Node()].Frozen = true;
    return figure.Node();
  }
  if (figure.IsZero()) return 0;
  // A value set without its derivation, which no figure of a computed summary is: the node
  // says so, and the tests look for it.
  const std::uint32_t node = Add(Op::Rule, figure);
  nodes_[node].Words = kUntraced;
  nodes_[node].Frozen = true;
  return node;
}

void kTSvodSumTrace::AddTerm(std::uint32_t node, const Figure& term, bool minus, bool splice) {
  // A temporary sum that nothing else refers to goes into a sum term by term.
  const std::uint32_t own = term.Node();
  if (splice && own != 0 && own != node && nodes_[node].Kind == Op::Sum && nodes_[own].Kind == Op::Sum && Anonymous(own) &&
      !nodes_[own].Frozen) {
    const std::vector<Term> inner = nodes_[own].Terms;
    for (const Term& t : inner) nodes_[node].Terms.push_back(Term{t.Node, t.Minus != minus});
    return;
  }
  const std::uint32_t t = TermOf(term);
  if (t != 0) nodes_[node].Terms.push_back(Term{t, minus});
}

void kTSvodSumTrace::CaptionSteps(std::uint32_t node) {
  const Op kind = nodes_[node].Kind;
  if (kind != Op::Min && kind != Op::Max && kind != Op::Rule) return;
  for (const Term& t : nodes_[node].Terms) {
    if (Anonymous(t.Node) && nodes_[t.Node].CaptionFrom == 0) nodes_[t.Node].CaptionFrom = node;
  }
}

Figure kTSvodSumTrace::MakeRule(Currency value, std::string words, FigureRefs terms) {
  const std::uint32_t node = Add(Op::Rule, value);
  nodes_[node].Words = std::move(words);
  for (const Figure& term : terms) AddTerm(node, term, false);
  return Result(value, node);
}

Figure kTSvodSumTrace::MakeInput(Currency value, const InputPlace& place, std::string item) {
  const std::uint32_t node = Add(Op::Input, value);
  nodes_[node].Place = place;
  nodes_[node].Of = std::move(item);
  return Result(value, node);
}

Figure kTSvodSumTrace::MakeNamed(Figure figure, const char* caption, std::string of) {
  std::uint32_t node = figure.Node();
  if (node == 0) {
    if (figure.IsZero()) return figure;
    node = TermOf(figure);
  } else if (!Anonymous(node)) {
    const std::uint32_t copy = Add(Op::Copy, figure);
    AddTerm(copy, figure, false);
    node = copy;
  }
  nodes_[node].Caption = caption;
  nodes_[node].Of = std::move(of);
  nodes_[node].Frozen = true;
  CaptionSteps(node);
  return Result(figure, node);
}

void kTSvodSumTrace::NameValue(const char* component, const char* element, const char* attribute,
                               const Figure& value) {
  if (value.Trace() != this || value.Node() == 0) return;
  std::uint32_t node = value.Node();
  if (!Anonymous(node)) {
    // Typed straight into the component, or a figure of another: the value gets a node of its
    // own, which copies that one.
    node = Add(Op::Copy, value);
    AddTerm(node, value, false);
    const_cast<Figure&>(value).node_ = node;  // the summary's own member, named once
  }
  Node& n = nodes_[node];
  n.Component = component;
  n.Element = element;
  n.Attribute = attribute;
  n.Name = std::string(component) + "." + (*element != '\0' ? std::string(element) + "." : std::string()) + attribute;
  n.Frozen = true;
  CaptionSteps(node);
}

void kTSvodSumTrace::NameFigure(const Figure& value, std::string key, const char* caption, std::string of) {
  if (value.Trace() != this || value.Node() == 0) return;
  std::uint32_t node = value.Node();
  if (!Anonymous(node)) {
    node = Add(Op::Copy, value);
    AddTerm(node, value, false);
    const_cast<Figure&>(value).node_ = node;
  }
  Node& n = nodes_[node];
  n.Name = std::move(key);
  n.Caption = caption;
  n.Of = std::move(of);
  n.Frozen = true;
  CaptionSteps(node);
}

std::string kTSvodSumTrace::Key(std::uint32_t node) const {
  const Node& n = nodes_.at(node);
  if (!n.Name.empty()) return n.Name;
  return "f" + std::to_string(node);
}

std::string kTSvodSumTrace::Caption(std::uint32_t node) const {
  const Node& n = nodes_.at(node);
  std::string caption;
  if (n.Component != nullptr) {
    caption = ValueCaption(n.Component, n.Element, n.Attribute);
  } else if (n.Caption != nullptr) {
    caption = n.Caption;
  } else if (n.Kind == Op::Input) {
    caption = std::string(FieldCaption(n.Place.Page, n.Place.Field));
  } else if (n.CaptionFrom != 0) {
    return Caption(n.CaptionFrom) + " до ограничения";
  } else if (n.Kind == Op::Copy && n.Terms.size() == 1) {
    return Caption(n.Terms.front().Node);
  } else if (n.Words == kUntraced) {
    caption = "Сумма без расчета";
  } else {
    caption = IntermediateCaption(n.Kind);
  }
  if (!n.Of.empty()) caption += " (" + n.Of + ")";
  return caption;
}

// ---------------------------------------------------------------------------------------------
// The operations on figures

std::uint32_t kTSvodSumTrace::CopyNode(const Figure& original) {
  const std::uint32_t node = Add(Op::Copy, original);
  AddTerm(node, original, false);
  return node;
}

Figure kTSvodSumTrace::Sum(const Figure& a, const Figure& b, bool minus, bool splice) {
  const Currency value = minus ? Currency(a) - Currency(b) : Currency(a) + Currency(b);
  if (!Counts(a) && !Counts(b)) return Result(value, 0);
  const std::uint32_t node = Add(Op::Sum, value);
  if (Counts(a)) AddTerm(node, a, false);
  if (Counts(b)) AddTerm(node, b, minus, splice);
  return Result(value, node);
}

void kTSvodSumTrace::Accumulate(Figure& sum, const Figure& term, bool minus, bool splice) {
  const Currency value = minus ? Currency(sum) - Currency(term) : Currency(sum) + Currency(term);
  if (Counts(term)) {
    const std::uint32_t current = sum.node_;
    const bool open = current != 0 && Anonymous(current) && !nodes_[current].Frozen && nodes_[current].Kind == Op::Sum;
    if (!open) {
      const std::uint32_t node = Add(Op::Sum, value);
      if (Counts(sum)) AddTerm(node, sum, false);
      sum.node_ = node;
    }
    AddTerm(sum.node_, term, minus, splice);
    nodes_[sum.node_].Value = value;
  }
  sum.Currency::operator=(value);
  sum.trace_ = this;
}

namespace {

// The words of a limit: "не более 250 000", "не менее 0".
std::string LimitWords(bool upper, Currency limit) {
  return std::string(upper ? "не более " : "не менее ") + GroupedAmountText(limit);
}

}  // namespace

Figure kTSvodSumTrace::Extreme(const Figure& a, const Figure& b, bool smallest) {
  const Currency value = smallest ? Min(Currency(a), Currency(b)) : Max(Currency(a), Currency(b));
  if (a.Node() == 0 && b.Node() == 0) return Result(value, 0);
  // Nothing entered (a zero without a derivation) is smaller than what was: the result is
  // nothing as well, not a limit of 0.
  if (smallest && ((a.Node() == 0 && a.IsZero() && value == a) || (b.Node() == 0 && b.IsZero() && value == b))) {
    return Result(value, 0);
  }
  // A figure without a derivation is a fixed amount here: it goes into the words.
  if (b.Node() == 0) return MakeRule(value, LimitWords(smallest, b), {a});
  if (a.Node() == 0) return MakeRule(value, LimitWords(smallest, a), {b});
  const std::uint32_t node = Add(smallest ? Op::Min : Op::Max, value);
  AddTerm(node, a, false);
  AddTerm(node, b, false);
  return Result(value, node);
}

Figure kTSvodSumTrace::Taxed(const Figure& base, std::int64_t percent, bool toKopecks) {
  const Currency value = toKopecks ? MulDivRoundTo2(Currency(base), percent, 100) : TaxAtRate(Currency(base), percent);
  if (base.Node() == 0) return Result(value, 0);
  const std::uint32_t node = Add(Op::Tax, value);
  AddTerm(node, base, false);
  nodes_[node].Percent = static_cast<std::int32_t>(percent);
  nodes_[node].ToKopecks = toKopecks;
  nodes_[node].Words = toKopecks ? "с округлением до копейки" : "с округлением до полного рубля";
  return Result(value, node);
}

std::uint32_t Figure::CopyOf(const Figure& original) { return original.trace_->CopyNode(original); }

Figure Figure::Traced(const Figure& a, const Figure& b, bool minus, bool splice) {
  return (a.trace_ != nullptr ? a.trace_ : b.trace_)->Sum(a, b, minus, splice);
}

Figure& Figure::Accumulate(const Figure& term, bool minus, bool splice) {
  (trace_ != nullptr ? trace_ : term.trace_)->Accumulate(*this, term, minus, splice);
  return *this;
}

Figure Figure::operator-() const {
  if (trace_ == nullptr) return Figure(-Currency(*this));
  Figure negated;
  negated -= *this;
  return negated;
}

Figure Min(const Figure& a, const Figure& b) {
  if (a.Trace() == nullptr && b.Trace() == nullptr) return Figure(Min(Currency(a), Currency(b)));
  return (a.Trace() != nullptr ? a.Trace() : b.Trace())->Extreme(a, b, true);
}
Figure Max(const Figure& a, const Figure& b) {
  if (a.Trace() == nullptr && b.Trace() == nullptr) return Figure(Max(Currency(a), Currency(b)));
  return (a.Trace() != nullptr ? a.Trace() : b.Trace())->Extreme(a, b, false);
}
Figure Min(const Figure& a, Currency limit) { return Min(a, Figure(limit)); }
Figure Min(Currency limit, const Figure& b) { return Min(Figure(limit), b); }
Figure Max(const Figure& a, Currency floor) { return Max(a, Figure(floor)); }
Figure Max(Currency floor, const Figure& b) { return Max(Figure(floor), b); }
Figure Positive(const Figure& x) { return Max(x, Currency()); }

Figure Tax(const Figure& base, std::int64_t percent) {
  if (base.Trace() == nullptr) return Figure(TaxAtRate(Currency(base), percent));
  return base.Trace()->Taxed(base, percent, false);
}
Figure TaxToKopecks(const Figure& base, std::int64_t percent) {
  if (base.Trace() == nullptr) return Figure(MulDivRoundTo2(Currency(base), percent, 100));
  return base.Trace()->Taxed(base, percent, true);
}

Figure WholeRoubles(const Figure& amount) {
  const Currency value = RoundHalfUp(Currency(amount));
  if (amount.Trace() == nullptr) return Figure(value);
  if (amount.Node() == 0) return amount.Trace()->Result(value, 0);
  return amount.Trace()->MakeRule(value, "округлено до полного рубля", {amount});
}

Figure ByRule(Currency value, const char* words, FigureRefs terms) {
  kTSvodSumTrace* trace = kTSvodSumTrace::Of(terms);
  if (trace == nullptr) return Figure(value);
  return trace->MakeRule(value, words, terms);
}

Figure ByRule(kTSvodSumTrace* trace, Currency value, const char* words, FigureRefs terms) {
  if (trace == nullptr) return Figure(value);
  return trace->MakeRule(value, words, terms);
}

Figure Named(Figure figure, const char* caption) {
  if (figure.Trace() == nullptr) return figure;
  return figure.Trace()->MakeNamed(std::move(figure), caption, {});
}

Figure Typed(kTSvodSumTrace* trace, Currency value, const InputPlace& place) {
  if (trace == nullptr || value.IsZero()) return Figure(value);
  return trace->MakeInput(value, place, {});
}

}  // namespace talver
