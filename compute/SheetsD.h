#pragma once
// Sheet Д2: deductions on the sale of property (PrilH1, XML `ИмущНалВычПр`). Sheet Д1: the
// deduction for buying or building housing and the interest on loans for it (PrilZ, XML
// `РасчИмущВыч` of `ИмущНалВычНов`). Both for a resident only. PrilZ runs last of the sheets:
// it may use only the 13 % base that every other deduction left.
#include <cstdint>

#include "compute/ComputeCommon.h"
#include "platform/Currency.h"

namespace talver {

inline constexpr Currency kSaleLimit = Roubles(1000000);     // residential property, shared
inline constexpr Currency kOtherSaleLimit = Roubles(250000);  // other real estate; other property

// A sale and the deduction claimed on it (`НалВычет`).
struct kTSaleDeduction {
  Figure ДохВсехИст;
  Figure НалВычет;
  friend bool operator==(const kTSaleDeduction&, const kTSaleDeduction&) = default;
};

// A sale and its documented expenses (`РасхДок`).
struct kTSaleExpenses {
  Figure ДохВсехИст;
  Figure РасхДок;
  friend bool operator==(const kTSaleExpenses&, const kTSaleExpenses&) = default;
};

class kTSvodSumPrilH1 {
 public:
  void Clear() { *this = kTSvodSumPrilH1(); }
  bool Compute(const mTDeclaration& declaration, kTSvodSumTrace* trace = nullptr);

  kTSaleDeduction СумИмущ;          // 1510 with 901
  kTSaleDeduction СумДолИмущ;       // 1511 with 904
  kTSaleExpenses СумИмущДок;        // 1510 and 1511 with 903
  kTSaleDeduction СумИнНедИмущ;     // 1512 with 902, at most 250 000
  kTSaleExpenses СумИнНедИмущДок;   // 1512 with 903
  kTSaleDeduction СумИнИмущ;        // 1520 with 906, at most 250 000
  kTSaleExpenses СумИнИмущДок;      // 1520 with 903
  kTSaleDeduction СумИзтИмущ;       // 4900 with 908 (in `ВычИзтИмущ`)
  kTSaleDeduction СумЛиквИО;        // 4910 with 910 (in `ВычИмущ220.2`)
  kTSaleDeduction СумИмущКИК;       // 4920 with 912 (in `ВычИмущ220.2`)
  Figure ВычетОбщ;

  template <class V>
  void VisitValues(V& v) const {
    v.Value("", "ВычетОбщ", ВычетОбщ);
    const auto deduction = [&v](const char* element, const kTSaleDeduction& p) {
      v.Value(element, "ДохВсехИст", p.ДохВсехИст);
      v.Value(element, "НалВычет", p.НалВычет);
    };
    const auto expenses = [&v](const char* element, const kTSaleExpenses& p) {
      v.Value(element, "ДохВсехИст", p.ДохВсехИст);
      v.Value(element, "РасхДок", p.РасхДок);
    };
    deduction("СумИмущ", СумИмущ);
    deduction("СумДолИмущ", СумДолИмущ);
    expenses("СумИмущДок", СумИмущДок);
    deduction("СумИнНедИмущ", СумИнНедИмущ);
    expenses("СумИнНедИмущДок", СумИнНедИмущДок);
    deduction("СумИнИмущ", СумИнИмущ);
    expenses("СумИнИмущДок", СумИнИмущДок);
    deduction("СумИзтИмущ", СумИзтИмущ);
    deduction("СумЛиквИО", СумЛиквИО);
    deduction("СумИмущКИК", СумИмущКИК);
  }
  friend bool operator==(const kTSvodSumPrilH1&, const kTSvodSumPrilH1&) = default;
};

// Writes into each object of the property deduction the expenses taken for it (CostTaken) and
// whether the export writes its share (ShareShown, −1 or 0).
class kTSvodSumPrilZ {
 public:
  void Clear() { *this = kTSvodSumPrilZ(); }
  bool Compute(mTDeclaration& declaration, const kTSvodSum& summary);

  // Working values: the share of ownership the limit is taken of (exactly, as a fraction), the
  // limit's base, the purchase expenses of all objects within the limit, the interest paid.
  std::int64_t ShareNumerator = 1;
  std::int64_t ShareDenominator = 1;
  Currency LimitBase;  // a fixed amount of the law, chosen by the object's date
  Figure PurchaseExpenses;
  Figure Interest;

  Figure ВычНовЗачПред;   // purchase deduction credited in earlier years
  Figure ВычПроцЗачПред;  // interest deduction credited in earlier years
  Figure ОстВычПршПред;   // purchase deduction left from earlier years
  Figure ПроцПршПред;     // interest deduction left from earlier years
  Figure ВычНАУвед;       // purchase deduction granted by tax agents this year
  Figure ПроцНАУвед;      // interest deduction granted by tax agents this year
  Figure НалБаз13БезВыч;  // 13 % base before the housing deduction
  Figure РасхНовВычНД;    // purchase deduction claimed in this return
  Figure ПроцВычНД;       // interest deduction claimed in this return
  Figure ОстИВБезПроц;    // purchase deduction left for later years (may be negative)
  Figure ОстИВУплПроц;    // interest deduction left for later years

  template <class V>
  void VisitValues(V& v) const {
    v.Value("", "ВычНовЗачПред", ВычНовЗачПред);
    v.Value("", "ВычПроцЗачПред", ВычПроцЗачПред);
    v.Value("", "ОстВычПршПред", ОстВычПршПред);
    v.Value("", "ПроцПршПред", ПроцПршПред);
    v.Value("", "ВычНАУвед", ВычНАУвед);
    v.Value("", "ПроцНАУвед", ПроцНАУвед);
    v.Value("", "НалБаз13БезВыч", НалБаз13БезВыч);
    v.Value("", "РасхНовВычНД", РасхНовВычНД);
    v.Value("", "ПроцВычНД", ПроцВычНД);
    v.Value("", "ОстИВБезПроц", ОстИВБезПроц);
    v.Value("", "ОстИВУплПроц", ОстИВУплПроц);
    v.Value("", "LimitBase", LimitBase);
    v.Value("", "PurchaseExpenses", PurchaseExpenses);
    v.Value("", "Interest", Interest);
  }
  friend bool operator==(const kTSvodSumPrilZ&, const kTSvodSumPrilZ&) = default;
};

}  // namespace talver
