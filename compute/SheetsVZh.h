#pragma once
// Sheet В: business and private practice (XML `ДоходПредпр`). Sheet Ж: professional deductions
// on other incomes (XML `ПрофНалВыч`, `ПрИст` "1" from PrilG for incomes in the Russian
// Federation, "2" from PrilG_In for foreign-currency incomes). The share-sale expenses of
// deductions 905 and 907 share one limit of 250 000 roubles, Russian incomes first.
#include "compute/ComputeCommon.h"
#include "platform/Currency.h"

namespace talver {

inline constexpr Currency kShareSaleLimit = Roubles(250000);

class kTSvodSumPrilV1 {
 public:
  void Clear() { *this = kTSvodSumPrilV1(); }
  // Without a business section also sets the declaration's PatentPayments and TradeFee to 0.
  bool Compute(mTDeclaration& declaration);

  Currency ДоходИт;
  Currency ВычПрофИт;    // documented expenses or the norm, at most ДоходИт
  Currency УплФактАвИт;  // the declaration's AdvancePaymentsPaid
  Currency НачислАвИт;   // the declaration's AdvancePaymentsAccrued

  template <class V>
  void VisitValues(V& v) const {
    v.Value("", "ДоходИт", ДоходИт);
    v.Value("", "ВычПрофИт", ВычПрофИт);
    v.Value("", "НачислАвИт", НачислАвИт);
    v.Value("", "УплФактАвИт", УплФактАвИт);
  }
  friend bool operator==(const kTSvodSumPrilV1&, const kTSvodSumPrilV1&) = default;
};

// The pairs of an income and the expenses deducted from it, one per child element of
// `ПрофНалВыч`.
struct kTRasxFaktDogGPX {
  Currency СумДохДогГПХ;
  Currency СумРасхВыч;
  friend bool operator==(const kTRasxFaktDogGPX&, const kTRasxFaktDogGPX&) = default;
};
struct kTRasxAvtVozn {
  Currency СумАвторВозн;
  Currency СумРасхВыч;
  friend bool operator==(const kTRasxAvtVozn&, const kTRasxAvtVozn&) = default;
};
struct kTRasxFaktUstKap {
  Currency СумДохУстКап;
  Currency СумРасхВыч;
  friend bool operator==(const kTRasxFaktUstKap&, const kTRasxFaktUstKap&) = default;
};
struct kTRasxFaktPrdchSr {
  Currency СумДохПрдчСр;
  Currency СумРасхВыч;
  friend bool operator==(const kTRasxFaktPrdchSr&, const kTRasxFaktPrdchSr&) = default;
};
struct kTRasxFaktUmDolUKO {
  Currency СумДохУмДолУКО;
  Currency СумРасхВыч;
  friend bool operator==(const kTRasxFaktUmDolUKO&, const kTRasxFaktUmDolUKO&) = default;
};
struct kTRasxFaktDolStr {
  Currency СумДохУстПрав;
  Currency СумРасхВыч;
  friend bool operator==(const kTRasxFaktDolStr&, const kTRasxFaktDolStr&) = default;
};

class kTSvodSumProfDeductValues {
 public:
  kTRasxFaktDogGPX РасхФактДогГПХ;      // 2010 with 403
  kTRasxAvtVozn РасхФактАвтВозн;        // 2201..2209 with 404
  kTRasxAvtVozn РасхНормАвтВозн;        // 2201..2209 with 405
  kTRasxFaktUstKap РасхФактУстКап;      // 1540 with 315/905, 1542 with 316/907
  kTRasxFaktPrdchSr РасхФактПрдчСр;     // 1560 with 317
  kTRasxFaktUmDolUKO РасхФактУмДолУКО;  // 1570 with 318
  kTRasxFaktDolStr РасхФактДолСтр;      // 1550 with 314
  Currency LimitedCapital;  // share-sale expenses claimed under 905 and 907, within the limit
  Currency РасходОбщИт;     // the seven expenses

  template <class V>
  void VisitValues(V& v) const {
    v.Value("", "РасходОбщИт", РасходОбщИт);
    v.Value("РасхФактДогГПХ", "СумДохДогГПХ", РасхФактДогГПХ.СумДохДогГПХ);
    v.Value("РасхФактДогГПХ", "СумРасхВыч", РасхФактДогГПХ.СумРасхВыч);
    v.Value("РасхФактАвтВозн", "СумАвторВозн", РасхФактАвтВозн.СумАвторВозн);
    v.Value("РасхФактАвтВозн", "СумРасхВыч", РасхФактАвтВозн.СумРасхВыч);
    v.Value("РасхНормАвтВозн", "СумАвторВозн", РасхНормАвтВозн.СумАвторВозн);
    v.Value("РасхНормАвтВозн", "СумРасхВыч", РасхНормАвтВозн.СумРасхВыч);
    v.Value("РасхФактУстКап", "СумДохУстКап", РасхФактУстКап.СумДохУстКап);
    v.Value("РасхФактУстКап", "СумРасхВыч", РасхФактУстКап.СумРасхВыч);
    v.Value("РасхФактПрдчСр", "СумДохПрдчСр", РасхФактПрдчСр.СумДохПрдчСр);
    v.Value("РасхФактПрдчСр", "СумРасхВыч", РасхФактПрдчСр.СумРасхВыч);
    v.Value("РасхФактУмДолУКО", "СумДохУмДолУКО", РасхФактУмДолУКО.СумДохУмДолУКО);
    v.Value("РасхФактУмДолУКО", "СумРасхВыч", РасхФактУмДолУКО.СумРасхВыч);
    v.Value("РасхФактДолСтр", "СумДохУстПрав", РасхФактДолСтр.СумДохУстПрав);
    v.Value("РасхФактДолСтр", "СумРасхВыч", РасхФактДолСтр.СумРасхВыч);
    v.Value("", "LimitedCapital", LimitedCapital);
  }
  friend bool operator==(const kTSvodSumProfDeductValues&, const kTSvodSumProfDeductValues&) = default;

 protected:
  // Adds one item of income `code` and deduction `deductCode` to its pair, if it has one.
  void Add(std::int32_t code, std::int32_t deductCode, Currency amount, Currency deduction);
  // Each pair's expenses to at most its income.
  void CutToIncome();
  void Total();
};

// Sheet Ж, incomes in the Russian Federation; a non-resident's return has none.
class kTSvodSumPrilG : public kTSvodSumProfDeductValues {
 public:
  void Clear() { *this = kTSvodSumPrilG(); }
  bool Compute(const mTDeclaration& declaration);
  friend bool operator==(const kTSvodSumPrilG&, const kTSvodSumPrilG&) = default;
};

// Sheet Ж, foreign-currency incomes; `remainingLimit` is what PrilG left of the 905/907 limit.
class kTSvodSumPrilG_In : public kTSvodSumProfDeductValues {
 public:
  void Clear() { *this = kTSvodSumPrilG_In(); }
  bool Compute(const mTDeclaration& declaration, Currency remainingLimit);
  friend bool operator==(const kTSvodSumPrilG_In&, const kTSvodSumPrilG_In&) = default;
};

}  // namespace talver
