#pragma once
// What the components of the summary share: amounts in roubles, the max(0, x) of the sheets,
// and walks over the declaration's lists. Their values are figures (compute/Figure.h), which
// record how they came about when the summary keeps a trace.
//
// Naming. Every computed value carries the name of the XML attribute it is exported to; a "."
// in that name is written "_" in the member (`ОбщАвУплЗач227.1` is `ОбщАвУплЗач227_1`). Values
// that sit under a child element of the sheet are grouped in a member struct named after that
// element (`PrilM.ПодарНП.ДоходНеНал`). Each component's VisitValues lists its values with their
// exact XML names: v.Value(element, attribute, amount) with element "" for the component's own
// attributes; the element and attribute names are UTF-8 string literals.
#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "compute/Figure.h"
#include "model/ModelList.h"
#include "platform/Currency.h"

namespace talver {

class kTSvodSum;
class kTSvodSumTrace;
class mTDeclaration;

constexpr Currency Roubles(std::int64_t roubles) { return Currency::FromRoubles(roubles); }

// x when positive, else 0.
constexpr Currency Positive(Currency x) { return Max(x, Currency()); }

// Calls f(element), or f(index, element), for every element of a list, in stored order.
template <class F, class T>
void CallWithIndex(F& f, std::size_t index, T& element) {
  if constexpr (std::is_invocable_v<F&, std::size_t, T&>) {
    f(index, element);
  } else {
    f(element);
  }
}
template <class T, class F>
void ForEachOf(mTList<T>& list, F&& f) {
  for (std::size_t i = 0; i < list.Count(); ++i) CallWithIndex(f, i, list.Get(i));
}
template <class T, class F>
void ForEachOf(const mTList<T>& list, F&& f) {
  for (std::size_t i = 0; i < list.Count(); ++i) CallWithIndex(f, i, list.Get(i));
}

// Calls f(entry), or f(index, entry), for every entry of a source that holds entries.
template <class Source, class F>
void ForEachEntry(const Source& source, F&& f) {
  for (std::size_t i = 0; i < source.EntryCount(); ++i) CallWithIndex(f, i, source.GetEntry(i));
}

}  // namespace talver
