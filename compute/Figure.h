#pragma once
// A figure of the computation: an amount of money that, when the summary keeps a trace
// (compute/Trace.h), also names the node of the trace that says how it was obtained. The
// arithmetic below computes the amount and, with a trace, records the operation and its terms
// in the same step, so the trace cannot disagree with the figures. Without a trace a figure is
// a Currency and nothing more: no allocation and no strings.
//
// A Figure is a Currency, so whoever reads the summary reads it as one. Arithmetic between a
// figure and a plain Currency does not compile: what the user typed enters through Typed,
// and a fixed amount of the law through Min and Max or in the words of a Rule.
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "model/Places.h"
#include "platform/Currency.h"

namespace talver {

class kTSvodSumTrace;

class Figure : public Currency {
 public:
  constexpr Figure() = default;
  // An amount without a derivation: zero, or a value set by hand.
  constexpr Figure(Currency value) : Currency(value) {}  // NOLINT(google-explicit-constructor)
  // A copy is a figure of its own, whose derivation is the original.
  Figure(const Figure& other) : Currency(other), trace_(other.trace_) {
    if (other.node_ != 0) node_ = CopyOf(other);
  }
  Figure(Figure&& other) noexcept : Currency(other), trace_(other.trace_), node_(other.node_) { other.node_ = 0; }
  Figure& operator=(const Figure& other) {
    if (this != &other) *this = Figure(other);
    return *this;
  }
  Figure& operator=(Figure&& other) noexcept {
    Currency::operator=(other);
    trace_ = other.trace_;
    node_ = other.node_;
    other.node_ = 0;
    return *this;
  }
  Figure& operator=(Currency value) {
    Currency::operator=(value);
    node_ = 0;
    return *this;
  }
  ~Figure() = default;

  // The trace the figure is recorded in, and its node there; 0 when it has no derivation.
  kTSvodSumTrace* Trace() const { return trace_; }
  std::uint32_t Node() const { return node_; }

  Figure operator-() const;
  // A term that is a sum being built (a temporary) gives its terms one by one: a + (b − c) is
  // one sum of three.
  Figure& operator+=(const Figure& term) { return Add(term, false, false); }
  Figure& operator-=(const Figure& term) { return Add(term, true, false); }
  Figure& operator+=(Figure&& term) { return Add(term, false, true); }
  Figure& operator-=(Figure&& term) { return Add(term, true, true); }
  Figure& operator+=(Currency) = delete;
  Figure& operator-=(Currency) = delete;

  friend Figure operator+(const Figure& a, const Figure& b) { return Combine(a, b, false, false); }
  friend Figure operator-(const Figure& a, const Figure& b) { return Combine(a, b, true, false); }
  friend Figure operator+(const Figure& a, Figure&& b) { return Combine(a, b, false, true); }
  friend Figure operator-(const Figure& a, Figure&& b) { return Combine(a, b, true, true); }
  // A sum being built goes on taking terms: a + b + c is one sum of three.
  friend Figure operator+(Figure&& a, const Figure& b) { return std::move(a.Add(b, false, false)); }
  friend Figure operator-(Figure&& a, const Figure& b) { return std::move(a.Add(b, true, false)); }
  friend Figure operator+(Figure&& a, Figure&& b) { return std::move(a.Add(b, false, true)); }
  friend Figure operator-(Figure&& a, Figure&& b) { return std::move(a.Add(b, true, true)); }
  friend Figure operator+(const Figure&, Currency) = delete;
  friend Figure operator+(Currency, const Figure&) = delete;
  friend Figure operator-(const Figure&, Currency) = delete;
  friend Figure operator-(Currency, const Figure&) = delete;
  friend Figure operator*(const Figure&, std::int64_t) = delete;
  friend Figure operator*(std::int64_t, const Figure&) = delete;

 private:
  friend class kTSvodSumTrace;
  Figure(Currency value, kTSvodSumTrace* trace, std::uint32_t node) : Currency(value), trace_(trace), node_(node) {}
  static std::uint32_t CopyOf(const Figure& original);
  static Figure Combine(const Figure& a, const Figure& b, bool minus, bool splice) {
    if (a.trace_ == nullptr && b.trace_ == nullptr) return Figure(minus ? Currency(a) - Currency(b) : Currency(a) + Currency(b));
    return Traced(a, b, minus, splice);
  }
  static Figure Traced(const Figure& a, const Figure& b, bool minus, bool splice);
  Figure& Add(const Figure& term, bool minus, bool splice) {
    if (trace_ == nullptr && term.trace_ == nullptr) {
      Currency::operator=(minus ? Currency(*this) - Currency(term) : Currency(*this) + Currency(term));
      return *this;
    }
    return Accumulate(term, minus, splice);
  }
  Figure& Accumulate(const Figure& term, bool minus, bool splice);

  kTSvodSumTrace* trace_ = nullptr;
  std::uint32_t node_ = 0;
};

// The smaller and the greater of two figures; a plain Currency is a fixed amount (a limit of
// the law, or 0), which the trace gives in words.
Figure Min(const Figure& a, const Figure& b);
Figure Max(const Figure& a, const Figure& b);
Figure Min(const Figure& a, Currency limit);
Figure Min(Currency limit, const Figure& b);
Figure Max(const Figure& a, Currency floor);
Figure Max(Currency floor, const Figure& b);
// x when positive, else 0.
Figure Positive(const Figure& x);

// The tax at `percent` of a base: whole roubles, halves up, on the exact amount (TaxAtRate).
Figure Tax(const Figure& base, std::int64_t percent);
// The same to the kopeck (MulDivRoundTo2 of base × percent ÷ 100).
Figure TaxToKopecks(const Figure& base, std::int64_t percent);
// An amount rounded half up to whole roubles (RoundHalfUp).
Figure WholeRoubles(const Figure& amount);

// The Currency routines of platform/Math2.h would drop a figure's derivation; the ones above
// keep it.
Currency TaxAtRate(const Figure&, std::int64_t) = delete;
Currency RoundHalfUp(const Figure&) = delete;
Currency MulDivRoundTo2(const Figure&, std::int64_t, std::int64_t) = delete;

using FigureRefs = std::initializer_list<std::reference_wrapper<const Figure>>;

// A value obtained by a rule other than the operations above, from `terms`; `words` say the
// rule (UTF-8, a literal). Without a trace among the terms only the value is kept.
Figure ByRule(Currency value, const char* words, FigureRefs terms);
// The same recorded into `trace` even when no term has a derivation (a zero that says why).
Figure ByRule(kTSvodSumTrace* trace, Currency value, const char* words, FigureRefs terms);
// The same with words made only when there is a trace.
template <class Words>
Figure ByRule(Currency value, Words&& words, FigureRefs terms)
  requires std::is_invocable_r_v<std::string, Words>;

// `figure` under its caption (UTF-8, a literal), as the explanation shows it; `of` tells what
// it is of (a source, an object) and is called only when there is a trace.
Figure Named(Figure figure, const char* caption);
template <class Of>
Figure Named(Figure figure, const char* caption, Of&& of)
  requires std::is_invocable_r_v<std::string, Of>;

// A value the user typed, at `place`; `item` names the element of the list it belongs to
// (UTF-8) and is called only with a trace. A count (of children, of months) is given as that
// many roubles. A field left at 0 has no node: nothing was entered.
template <class Item>
Figure Typed(kTSvodSumTrace* trace, Currency value, const InputPlace& place, Item&& item)
  requires std::is_invocable_r_v<std::string, Item>;
Figure Typed(kTSvodSumTrace* trace, Currency value, const InputPlace& place);

}  // namespace talver

#include "compute/Trace.h"
