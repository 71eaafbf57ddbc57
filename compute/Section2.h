#pragma once
// Section 2: the tax base and the tax of one rate and kind of income (XML `НалБаза` with
// `РасчНалБаза` and `РасчНалПУ`). Seven components share one layout of eighteen values named
// after their attributes, and the common steps from the base to the amount payable or
// refundable. The export writes each with its `Ставка` and the `ВидДоход` of its kind.
#include <cstdint>
#include <string>

#include "compute/ComputeCommon.h"
#include "platform/Currency.h"

namespace talver {

class kTSvodSumListValues {
 public:
  // All eighteen values and the rate text to their initial state.
  void Clear() { *this = kTSvodSumListValues(); }

  std::string Ставка;  // "13", "30", "35", "09", "15"; empty for a form the component does not serve
  Figure ДоходОбщ;
  Figure ДоходОбщНеНал;
  Figure ДоходОбщНал;
  Figure СумНалВыч;  // negative when the expenses of sheets З and И exceed the income
  Figure СумРасхУм;
  Figure СумДохДивКИК;
  Figure НалБаза;
  Figure Исчисл;  // whole roubles
  Figure УдержОбщ;
  Figure УдержОбщМВ;
  Figure УплАвФакт;
  Figure ОбщАвУплЗач227_1;
  Figure УплИнПодлЗач;  // whole roubles
  Figure ТСУплПерЗач;
  Figure ИсчислУпл;
  Figure УплПатентЗач;
  Figure ПодлУпл;
  Figure ПодлВозв;

  // The credits against the tax, and the refund cap: only tax withheld and business advance
  // payments actually paid can come back.
  Figure Credits() const {
    return Named(УдержОбщ + УдержОбщМВ + УплАвФакт + ОбщАвУплЗач227_1 + УплИнПодлЗач + ТСУплПерЗач, "Зачитываемые суммы налога");
  }
  Figure RefundCap() const {
    return Named(УдержОбщ + УдержОбщМВ + УплАвФакт, "Удержанный налог и уплаченные авансовые платежи");
  }

  template <class V>
  void VisitValues(V& v) const {
    v.Text("", "Ставка", Ставка);
    v.Value("", "ДоходОбщ", ДоходОбщ);
    v.Value("", "ДоходОбщНеНал", ДоходОбщНеНал);
    v.Value("", "ДоходОбщНал", ДоходОбщНал);
    v.Value("", "СумНалВыч", СумНалВыч);
    v.Value("", "СумРасхУм", СумРасхУм);
    v.Value("", "СумДохДивКИК", СумДохДивКИК);
    v.Value("", "НалБаза", НалБаза);
    v.Value("", "Исчисл", Исчисл);
    v.Value("", "УдержОбщ", УдержОбщ);
    v.Value("", "УдержОбщМВ", УдержОбщМВ);
    v.Value("", "УплАвФакт", УплАвФакт);
    v.Value("", "ОбщАвУплЗач227.1", ОбщАвУплЗач227_1);
    v.Value("", "УплИнПодлЗач", УплИнПодлЗач);
    v.Value("", "ТСУплПерЗач", ТСУплПерЗач);
    v.Value("", "ИсчислУпл", ИсчислУпл);
    v.Value("", "УплПатентЗач", УплПатентЗач);
    v.Value("", "ПодлУпл", ПодлУпл);
    v.Value("", "ПодлВозв", ПодлВозв);
  }
  friend bool operator==(const kTSvodSumListValues&, const kTSvodSumListValues&) = default;

 protected:
  // СумНалВыч := the deductions, but no more than the income less the expenses (so negative
  // when the expenses exceed the income); then the base.
  void TakeDeductions(const Figure& deductions);
  // From НалБаза to ПодлУпл and ПодлВозв: the tax at `percent` and the credits.
  void FinishTax(std::int64_t percent);
};

// 13 %, other incomes (`ВидДоход` "3"); both forms.
class kTSvodSumList1 : public kTSvodSumListValues {
 public:
  bool Compute(const kTSvodSum& summary, const mTDeclaration& declaration);
  friend bool operator==(const kTSvodSumList1&, const kTSvodSumList1&) = default;
};

// 13 %, profit of controlled foreign companies (`ВидДоход` "2"); resident.
class kTSvodSumListKIK : public kTSvodSumListValues {
 public:
  bool Compute(const kTSvodSum& summary, const mTDeclaration& declaration);
  friend bool operator==(const kTSvodSumListKIK&, const kTSvodSumListKIK&) = default;
};

// 13 %, dividends (`ВидДоход` "1"); resident.
class kTSvodSumListDiv : public kTSvodSumListValues {
 public:
  bool Compute(const kTSvodSum& summary, const mTDeclaration& declaration);
  friend bool operator==(const kTSvodSumListDiv&, const kTSvodSumListDiv&) = default;
};

// 30 %; non-resident.
class kTSvodSumList2 : public kTSvodSumListValues {
 public:
  bool Compute(const kTSvodSum& summary, const mTDeclaration& declaration);
  friend bool operator==(const kTSvodSumList2&, const kTSvodSumList2&) = default;
};

// 35 %; resident.
class kTSvodSumList3 : public kTSvodSumListValues {
 public:
  bool Compute(const kTSvodSum& summary, const mTDeclaration& declaration);
  friend bool operator==(const kTSvodSumList3&, const kTSvodSumList3&) = default;
};

// 9 %; resident.
class kTSvodSumList4 : public kTSvodSumListValues {
 public:
  bool Compute(const kTSvodSum& summary, const mTDeclaration& declaration);
  friend bool operator==(const kTSvodSumList4&, const kTSvodSumList4&) = default;
};

// 15 % dividends; non-resident.
class kTSvodSumList5 : public kTSvodSumListValues {
 public:
  bool Compute(const kTSvodSum& summary, const mTDeclaration& declaration);
  friend bool operator==(const kTSvodSumList5&, const kTSvodSumList5&) = default;
};

}  // namespace talver
