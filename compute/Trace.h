#pragma once
// The trace of a summary: for every figure the computation produced, how it was obtained. It
// is a graph of nodes, each a figure with its value: a value the user typed (its page, field
// and item), or an operation over other nodes, its terms. The summary keeps one when asked
// (kTSvodSum::KeepTrace); the figures of its components then name their nodes
// (Figure::Node), so a reader starts at a figure, say a section 1 line's Сумма, and walks its
// terms down to what was typed.
//
// What each operation promises of its node's value:
//   Sum   the sum of the terms, each with its sign (a 0 that nothing gave is left out);
//   Min   the smallest of the terms;   Max   the greatest;
//   Copy  the one term;
//   Tax   the one term × Percent %, rounded half up to whole roubles, or to the kopeck when
//         ToKopecks is set;
//   Rule  anything else, said in Words (a limit of the law, a count of months); its terms are
//         the figures the rule took;
//   Input no terms: the value stored in the document at Place.
// A node with neither terms nor a place is 0: nothing was entered for it.
#include <cstdint>
#include <string>
#include <vector>

#include "compute/Figure.h"
#include "model/Places.h"
#include "platform/Currency.h"

namespace talver {

class kTSvodSumTrace {
 public:
  enum class Op : std::uint8_t { Input, Sum, Min, Max, Copy, Tax, Rule };

  struct Term {
    std::uint32_t Node = 0;
    bool Minus = false;
  };

  struct Node {
    Op Kind = Op::Sum;
    Currency Value;
    std::vector<Term> Terms;
    std::int32_t Percent = 0;  // Tax
    bool ToKopecks = false;    // Tax
    std::string Words;         // Rule, and Tax's rounding in words
    // The caption: a component's value by its names (Component set), or a caption with what
    // it is of, or, for an input, the field's caption with the item.
    const char* Component = nullptr;
    const char* Element = nullptr;
    const char* Attribute = nullptr;
    const char* Caption = nullptr;
    std::string Of;
    std::string Name;  // the key of a named figure (Key)
    // An anonymous step of a named figure's limit takes that figure's caption, "до ограничения".
    std::uint32_t CaptionFrom = 0;
    InputPlace Place;  // Input
    bool Frozen = false;  // referred to: no more terms are added to it
  };

  kTSvodSumTrace();

  // Node 0 stands for "no derivation" and is never a figure's node.
  std::size_t Count() const { return nodes_.size(); }
  const Node& At(std::uint32_t node) const { return nodes_.at(node); }

  // The figure's caption as the explanation shows it (UTF-8).
  std::string Caption(std::uint32_t node) const;
  // A name for the figure that stays the same from one computation of the same return to the
  // next: "List1.ПодлВозв", "PrilJ.ДохОперЦБОрг.НалБазаОпер", "List6.2" for section 1's
  // second line; "f" and the node's number for the others.
  std::string Key(std::uint32_t node) const;
  // The declaration form of the return, for the captions of its pages.
  std::uint8_t Form() const { return form_; }

  // Used by the summary.
  void Clear(std::uint8_t form);
  // Gives the node of a component's value its names; a node named already gets a copy.
  void NameValue(const char* component, const char* element, const char* attribute, const Figure& value);
  // Gives a figure of the summary's own (a section 1 line) a key and a caption.
  void NameFigure(const Figure& value, std::string key, const char* caption, std::string of);

  // Recording, for the operations of compute/Figure.h.
  std::uint32_t CopyNode(const Figure& original);
  Figure Sum(const Figure& a, const Figure& b, bool minus, bool splice);
  void Accumulate(Figure& sum, const Figure& term, bool minus, bool splice);
  Figure Extreme(const Figure& a, const Figure& b, bool smallest);
  Figure Taxed(const Figure& base, std::int64_t percent, bool toKopecks);
  // The trace of the first figure of a list that has a derivation, or null.
  static kTSvodSumTrace* Of(FigureRefs figures);
  std::uint32_t Add(Op kind, Currency value);
  // A node that is anonymous: no caption, no names, not typed; such nodes take a caption
  // when named instead of a copy being made.
  bool Anonymous(std::uint32_t node) const;
  // After `node` got its caption: its anonymous terms are shown as its steps.
  void CaptionSteps(std::uint32_t node);
  // The node standing for `figure` as a term: its own, or one for a figure without a
  // derivation (0, or a value this trace never saw, which the node says).
  std::uint32_t TermOf(const Figure& figure);
  // `splice`: the term is a temporary, whose terms a sum takes one by one.
  void AddTerm(std::uint32_t node, const Figure& term, bool minus, bool splice = false);
  Figure Result(Currency value, std::uint32_t node) { return Figure(value, this, node); }
  Figure MakeRule(Currency value, std::string words, FigureRefs terms);
  Figure MakeInput(Currency value, const InputPlace& place, std::string item);
  Figure MakeNamed(Figure figure, const char* caption, std::string of);

 private:
  std::vector<Node> nodes_;
  std::uint8_t form_ = 0;
};

template <class Words>
Figure ByRule(Currency value, Words&& words, FigureRefs terms)
  requires std::is_invocable_r_v<std::string, Words>
{
  kTSvodSumTrace* trace = kTSvodSumTrace::Of(terms);
  if (trace == nullptr) return Figure(value);
  return trace->MakeRule(value, words(), terms);
}

template <class Of>
Figure Named(Figure figure, const char* caption, Of&& of)
  requires std::is_invocable_r_v<std::string, Of>
{
  if (figure.Trace() == nullptr) return figure;
  return figure.Trace()->MakeNamed(std::move(figure), caption, of());
}

template <class Item>
Figure Typed(kTSvodSumTrace* trace, Currency value, const InputPlace& place, Item&& item)
  requires std::is_invocable_r_v<std::string, Item>
{
  // A field left at 0 is nothing entered.
  if (trace == nullptr || value.IsZero()) return Figure(value);
  return trace->MakeInput(value, place, item());
}

}  // namespace talver
