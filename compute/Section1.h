#pragma once
// Section 1: the tax payable to or refundable from the budget, one line per budget
// classification code and municipal code (XML `СумНалПу`). Tax payable goes to the taxpayer's
// own municipal code; a refund goes back to the tax agents that withheld the tax, by theirs.
#include <string>
#include <string_view>
#include <vector>

#include "compute/ComputeCommon.h"
#include "platform/Currency.h"

namespace talver {

inline constexpr std::string_view kKbkAgents = "18210102010011000110";    // refunds of tax withheld
inline constexpr std::string_view kKbkBusiness = "18210102020011000110";  // business and private practice
inline constexpr std::string_view kKbkOther = "18210102030011000110";     // tax on other incomes
inline constexpr std::string_view kKbkKik = "18210102050011000110";       // controlled foreign companies

// One line. The export writes Сумма as `ПодлУпл` when ПрУплВозв is "1", as `ПодлВозв` when it
// is "2", and 0 for the other attribute.
struct bmTList1 {
  std::string КБК;
  std::string ОКТМО;
  std::string ПрУплВозв;  // "1" payable, "2" refundable, "3" nothing either way
  Figure Сумма;
  friend bool operator==(const bmTList1&, const bmTList1&) = default;
};

class kTSvodSumList6 {
 public:
  void Clear() { Lines.clear(); }
  // False when some tax is payable or when nothing was payable or refundable (the zero line).
  bool Compute(const kTSvodSum& summary, const mTDeclaration& declaration);

  // In the order added; never two lines of the same (КБК, ОКТМО).
  std::vector<bmTList1> Lines;

  // Section 1 has no single values, only its Lines.
  template <class V>
  void VisitValues(V&) const {}
  // Gives each line's Сумма its key ("List6.1") and caption in the trace.
  void NameLines(kTSvodSumTrace& trace) const;
  friend bool operator==(const kTSvodSumList6&, const kTSvodSumList6&) = default;

 private:
  // Adds `amount` to the line of (kbk, oktmo), or appends a line with that sign.
  void AddTo(std::string_view kbk, const std::string& oktmo, const char* sign, const Figure& amount);
  void AddPayable(std::string_view kbk, const mTDeclaration& declaration, const Figure& amount);
  // Spreads `refund` over the sources of `page` that withheld tax, in stored order; returns
  // what is left.
  template <class List>
  Figure RefundBySources(Figure refund, const List& sources, int page, kTSvodSumTrace* trace);
};

}  // namespace talver
