#pragma once
// The values the computation reads from the document, as figures typed at their places
// (model/Places.h). With a trace each is an input node that names its page, field and item;
// without one it is the amount alone, and no caption is made.
#include <cstddef>
#include <string>

#include "compute/Figure.h"
#include "model/DeclClasses.h"
#include "model/Places.h"
#include "platform/Text1251.h"

namespace talver {

// How the explanation names the elements of the lists (UTF-8).
std::string SourceItem(const mTSourseIncomeInfo& source, std::size_t index);
std::string EntryItem(const mTSourseIncomeInfo& source, std::size_t index, const mTSourseIncome& entry);
std::string EntryItem(const mTSourseIncomeInfo& source, std::size_t index, const mTInvestTovIncome& entry);
std::string ForeignItem(const mTCurrencyIncome& income, std::size_t index);
std::string BusinessItem(const mTBusinessNew& activity, std::size_t index);

inline int Position(std::size_t index) { return static_cast<int>(index) + 1; }

// A field of the return itself, of a page of single fields.
inline Figure DocumentValue(kTSvodSumTrace* trace, Currency value, int page, InputField field) {
  return Typed(trace, value, InputPlace{page, field, 0, 0});
}

// A field of the element at `index` of a list.
template <class Item>
Figure ListValue(kTSvodSumTrace* trace, Currency value, int page, InputField field, std::size_t index, Item&& item) {
  return Typed(trace, value, InputPlace{page, field, Position(index), 0}, std::forward<Item>(item));
}

// A field of a payment source of `page`.
inline Figure SourceValue(kTSvodSumTrace* trace, Currency value, int page, InputField field, std::size_t index,
                          const mTSourseIncomeInfo& source) {
  return ListValue(trace, value, page, field, index, [&] { return SourceItem(source, index); });
}

// A field of an income of a source (or an operation of a partnership).
template <class Entry>
Figure EntryValue(kTSvodSumTrace* trace, Currency value, int page, InputField field, std::size_t sourceIndex,
                  const mTSourseIncomeInfo& source, std::size_t entryIndex, const Entry& entry) {
  return Typed(trace, value, InputPlace{page, field, Position(sourceIndex), Position(entryIndex)},
               [&] { return EntryItem(source, sourceIndex, entry); });
}

// A field of a foreign income.
inline Figure ForeignValue(kTSvodSumTrace* trace, Currency value, InputField field, std::size_t index,
                           const mTCurrencyIncome& income) {
  return ListValue(trace, value, kPageForeign, field, index, [&] { return ForeignItem(income, index); });
}

}  // namespace talver
