#pragma once
// Sheet З: operations with securities, derivatives, REPO and securities loans (XML `ДохОперЦБ`;
// PrilJ for ordinary accounts, `ВидОпер` "2", PrilJ_IIS for the individual investment account,
// "1"), with this year's losses set against other kinds and the losses of earlier years.
// Sheet И: incomes from investment partnerships (PrilI, XML `ДохИвестТов`), computed first: a
// loss on leaving a partnership reduces the income from non-traded securities.
#include "compute/ComputeCommon.h"
#include "platform/Currency.h"

namespace talver {

// Securities traded on the organised market.
struct kTDohOperCBOrg {
  Figure ДохСовОпер;
  Figure РасхРеалЦБ;
  Figure УбытРЕПОУмДох;
  Figure УбытЗаймУмДох;
  Figure ПроцРасх;
  Figure РасхУмДохРеалЦБ;
  Figure НалБазаОпер;
  Figure УбытРезОпер;
  Figure УбытУмНБ_4_10;
  Figure УбытПрПерУмНБ;
  Figure ДоходОбл;
  Figure УбытУч_2_3;
  Figure УбытУч_4_6;
  Figure УбытУмНББуд;
  friend bool operator==(const kTDohOperCBOrg&, const kTDohOperCBOrg&) = default;
};

// Securities traded on the organised market at their purchase and not at their sale.
struct kTDohOperCBOrgNeOrg {
  Figure ДохСовОпер;
  Figure РасхРеалЦБ;
  Figure УбытУмФР_1_12;
  Figure ДоходОбл;
  friend bool operator==(const kTDohOperCBOrgNeOrg&, const kTDohOperCBOrgNeOrg&) = default;
};

// Securities not traded on the organised market.
struct kTDohOperCBNeOrg {
  Figure ДохСовОпер;
  Figure РасхРеалЦБ;
  Figure УбытРЕПОУмДох;
  Figure УбытЗаймУмДох;
  Figure ПроцРасх;
  Figure УбытВыхИТ;
  Figure РасхУмДохРеалЦБ;
  Figure ДоходОбл;
  friend bool operator==(const kTDohOperCBNeOrg&, const kTDohOperCBNeOrg&) = default;
};

// Derivatives on the organised market whose underlying asset is securities.
struct kTDohPFIOrgCB {
  Figure ДохСовОпер;
  Figure РасхРеалПФИ;
  Figure НалБазаОпер;
  Figure УбытРезОпер;
  Figure УбытПрПерУмНБ;
  Figure УбытУмНБ_1_13;
  Figure УбытУмНБ_5_8;
  Figure ДоходОбл;
  Figure УбытУмНБ_5_6;
  Figure УбытУмНБ_1_9;
  Figure УбытУмНББуд;
  friend bool operator==(const kTDohPFIOrgCB&, const kTDohPFIOrgCB&) = default;
};

// Derivatives on the organised market whose underlying asset is not securities.
struct kTDohPFIOrgNeCB {
  Figure ДохСовОпер;
  Figure РасхРеалПФИ;
  Figure НалБазаОпер;
  Figure УбытРезОпер;
  Figure УбытПрПерУмНБ;
  Figure УбытУмНБ_4_9;
  Figure ДоходОбл;
  Figure УбытУмНБ_4_7;
  Figure УбытУмНББуд;
  friend bool operator==(const kTDohPFIOrgNeCB&, const kTDohPFIOrgNeCB&) = default;
};

// Derivatives not on the organised market.
struct kTDohPFINeOrg {
  Figure ДохСовОпер;
  Figure РасхРеалПФИ;
  Figure ДоходОбл;
  friend bool operator==(const kTDohPFINeOrg&, const kTDohPFINeOrg&) = default;
};

struct kTDohREPO {
  Figure ДохЗаймРЕПО;
  Figure РасхЗаймРЕПО;
  Figure ДоходОбл;
  Figure УбытРезОпер;
  Figure УбытРЕПООбр;
  Figure УбытРЕПОНеОбр;
  friend bool operator==(const kTDohREPO&, const kTDohREPO&) = default;
};

struct kTDohZaimCB {
  Figure ДохДогЗайм;
  Figure РасхДогЗайм;
  Figure ДоходОбл;
  Figure УбытРезОпер;
  Figure УбытЗаймЦБОбр;
  Figure УбытЗаймЦБНеОбр;
  friend bool operator==(const kTDohZaimCB&, const kTDohZaimCB&) = default;
};

// Securities and derivatives, as the four loss figures of `УбытПредПер` give them.
struct kTSecuritiesDerivatives {
  Figure СуммаЦБ;
  Figure СуммаПФИ;
  friend bool operator==(const kTSecuritiesDerivatives&, const kTSecuritiesDerivatives&) = default;
};

struct kTUbytPrhPer {
  Figure УбытОперЦБОбр;
  Figure УбытОперПФИОбр;
  friend bool operator==(const kTUbytPrhPer&, const kTUbytPrhPer&) = default;
};

class kTSvodSumPrilJ {
 public:
  explicit kTSvodSumPrilJ(bool individualAccount = false) : IndividualAccount(individualAccount) {}
  void Clear() { *this = kTSvodSumPrilJ(IndividualAccount); }
  // Reads `УбытРез` of `РасчДохВыхИТ` of the summary's PrilI.
  bool Compute(const mTDeclaration& declaration, const kTSvodSum& summary);

  bool IndividualAccount = false;  // the codes and the losses object of the individual account

  kTDohOperCBOrg ДохОперЦБОрг;
  kTDohOperCBOrgNeOrg ДохОперЦБОргНеОрг;
  kTDohOperCBNeOrg ДохОперЦБНеОрг;
  kTDohPFIOrgCB ДохПФИОргЦБ;
  kTDohPFIOrgNeCB ДохПФИОргНеЦБ;
  kTDohPFINeOrg ДохПФИНеОрг;
  kTDohREPO ДохРЕПО;
  kTDohZaimCB ДохЗаймЦБ;
  kTSecuritiesDerivatives ОстУбытНачВс;  // losses of earlier years at the start
  kTSecuritiesDerivatives НалБазаПер;
  kTSecuritiesDerivatives СумУмНБПер;    // losses of earlier years taken this year
  kTSecuritiesDerivatives ОстУбытКонВс;  // losses of earlier years left
  kTUbytPrhPer УбытПрхПер;               // losses carried to later years
  Figure ОбщДохСовОпер;
  Figure ОбщДоходОбл;
  Figure ОбщРасхПрмВыч;  // income less taxable income

  // Working values: REPO and loan incomes and expenses by market.
  Figure RepoIncomeOrg, RepoExpensesOrg, RepoIncomeNotOrg, RepoExpensesNotOrg;
  Figure LoanIncomeOrg, LoanExpensesOrg, LoanIncomeNotOrg, LoanExpensesNotOrg;

  template <class V>
  void VisitValues(V& v) const;
  friend bool operator==(const kTSvodSumPrilJ&, const kTSvodSumPrilJ&) = default;
};

struct kTInvestTovBlock {
  Figure ДохСовокуп;
  Figure РасхДолУпрТов;
  Figure РасхВознУпрТоп;
  Figure УбытПрУмен;
  Figure ДоходОбл;
  Figure УбытПерБудущ;
  friend bool operator==(const kTInvestTovBlock&, const kTInvestTovBlock&) = default;
};

struct kTRaschDohVyhIT {
  Figure ДохВыхИТ;
  Figure ВкладИТ;
  Figure ДоходОбл;
  Figure УбытРез;
  friend bool operator==(const kTRaschDohVyhIT&, const kTRaschDohVyhIT&) = default;
};

class kTSvodSumPrilI {
 public:
  void Clear() { *this = kTSvodSumPrilI(); }
  bool Compute(const mTDeclaration& declaration, kTSvodSumTrace* trace = nullptr);

  kTInvestTovBlock ДохЦБОбрИТ;     // operation kind 1
  kTInvestTovBlock ДохЦБНеОбрИТ;   // 2
  kTInvestTovBlock ДохПФИНеОбрИТ;  // 3
  kTInvestTovBlock ДохУстКапИТ;    // 4
  kTInvestTovBlock ДохПрочИТ;      // 5
  kTRaschDohVyhIT РасчДохВыхИТ;    // 6: leaving a partnership
  Figure ОбщДохСовОпер;
  Figure ОбщДоходОбл;
  Figure ОбщРасхПрмВыч;

  template <class V>
  void VisitValues(V& v) const {
    const auto block = [&v](const char* element, const kTInvestTovBlock& b) {
      v.Value(element, "ДохСовокуп", b.ДохСовокуп);
      v.Value(element, "РасхДолУпрТов", b.РасхДолУпрТов);
      v.Value(element, "РасхВознУпрТоп", b.РасхВознУпрТоп);
      v.Value(element, "УбытПрУмен", b.УбытПрУмен);
      v.Value(element, "ДоходОбл", b.ДоходОбл);
      v.Value(element, "УбытПерБудущ", b.УбытПерБудущ);
    };
    block("ДохЦБОбрИТ", ДохЦБОбрИТ);
    block("ДохЦБНеОбрИТ", ДохЦБНеОбрИТ);
    block("ДохПФИНеОбрИТ", ДохПФИНеОбрИТ);
    block("ДохУстКапИТ", ДохУстКапИТ);
    block("ДохПрочИТ", ДохПрочИТ);
    v.Value("РасчДохВыхИТ", "ДохВыхИТ", РасчДохВыхИТ.ДохВыхИТ);
    v.Value("РасчДохВыхИТ", "ВкладИТ", РасчДохВыхИТ.ВкладИТ);
    v.Value("РасчДохВыхИТ", "ДоходОбл", РасчДохВыхИТ.ДоходОбл);
    v.Value("РасчДохВыхИТ", "УбытРез", РасчДохВыхИТ.УбытРез);
    v.Value("", "ОбщДохСовОпер", ОбщДохСовОпер);
    v.Value("", "ОбщДоходОбл", ОбщДоходОбл);
    v.Value("", "ОбщРасхПрмВыч", ОбщРасхПрмВыч);
  }
  friend bool operator==(const kTSvodSumPrilI&, const kTSvodSumPrilI&) = default;
};

template <class V>
void kTSvodSumPrilJ::VisitValues(V& v) const {
  {
    const auto& x = ДохОперЦБОрг;
    const char* e = "ДохОперЦБОрг";
    v.Value(e, "ДохСовОпер", x.ДохСовОпер);
    v.Value(e, "РасхРеалЦБ", x.РасхРеалЦБ);
    v.Value(e, "УбытРЕПОУмДох", x.УбытРЕПОУмДох);
    v.Value(e, "УбытЗаймУмДох", x.УбытЗаймУмДох);
    v.Value(e, "ПроцРасх", x.ПроцРасх);
    v.Value(e, "РасхУмДохРеалЦБ", x.РасхУмДохРеалЦБ);
    v.Value(e, "НалБазаОпер", x.НалБазаОпер);
    v.Value(e, "УбытРезОпер", x.УбытРезОпер);
    v.Value(e, "УбытУмНБ_4.10", x.УбытУмНБ_4_10);
    v.Value(e, "УбытПрПерУмНБ", x.УбытПрПерУмНБ);
    v.Value(e, "ДоходОбл", x.ДоходОбл);
    v.Value(e, "УбытУч_2.3", x.УбытУч_2_3);
    v.Value(e, "УбытУч_4.6", x.УбытУч_4_6);
    v.Value(e, "УбытУмНББуд", x.УбытУмНББуд);
  }
  {
    const auto& x = ДохОперЦБОргНеОрг;
    const char* e = "ДохОперЦБОргНеОрг";
    v.Value(e, "ДохСовОпер", x.ДохСовОпер);
    v.Value(e, "РасхРеалЦБ", x.РасхРеалЦБ);
    v.Value(e, "УбытУмФР_1.12", x.УбытУмФР_1_12);
    v.Value(e, "ДоходОбл", x.ДоходОбл);
  }
  {
    const auto& x = ДохОперЦБНеОрг;
    const char* e = "ДохОперЦБНеОрг";
    v.Value(e, "ДохСовОпер", x.ДохСовОпер);
    v.Value(e, "РасхРеалЦБ", x.РасхРеалЦБ);
    v.Value(e, "УбытРЕПОУмДох", x.УбытРЕПОУмДох);
    v.Value(e, "УбытЗаймУмДох", x.УбытЗаймУмДох);
    v.Value(e, "ПроцРасх", x.ПроцРасх);
    v.Value(e, "УбытВыхИТ", x.УбытВыхИТ);
    v.Value(e, "РасхУмДохРеалЦБ", x.РасхУмДохРеалЦБ);
    v.Value(e, "ДоходОбл", x.ДоходОбл);
  }
  {
    const auto& x = ДохПФИОргЦБ;
    const char* e = "ДохПФИОргЦБ";
    v.Value(e, "ДохСовОпер", x.ДохСовОпер);
    v.Value(e, "РасхРеалПФИ", x.РасхРеалПФИ);
    v.Value(e, "НалБазаОпер", x.НалБазаОпер);
    v.Value(e, "УбытРезОпер", x.УбытРезОпер);
    v.Value(e, "УбытПрПерУмНБ", x.УбытПрПерУмНБ);
    v.Value(e, "УбытУмНБ_1.13", x.УбытУмНБ_1_13);
    v.Value(e, "УбытУмНБ_5.8", x.УбытУмНБ_5_8);
    v.Value(e, "ДоходОбл", x.ДоходОбл);
    v.Value(e, "УбытУмНБ_5.6", x.УбытУмНБ_5_6);
    v.Value(e, "УбытУмНБ_1.9", x.УбытУмНБ_1_9);
    v.Value(e, "УбытУмНББуд", x.УбытУмНББуд);
  }
  {
    const auto& x = ДохПФИОргНеЦБ;
    const char* e = "ДохПФИОргНеЦБ";
    v.Value(e, "ДохСовОпер", x.ДохСовОпер);
    v.Value(e, "РасхРеалПФИ", x.РасхРеалПФИ);
    v.Value(e, "НалБазаОпер", x.НалБазаОпер);
    v.Value(e, "УбытРезОпер", x.УбытРезОпер);
    v.Value(e, "УбытПрПерУмНБ", x.УбытПрПерУмНБ);
    v.Value(e, "УбытУмНБ_4.9", x.УбытУмНБ_4_9);
    v.Value(e, "ДоходОбл", x.ДоходОбл);
    v.Value(e, "УбытУмНБ_4.7", x.УбытУмНБ_4_7);
    v.Value(e, "УбытУмНББуд", x.УбытУмНББуд);
  }
  v.Value("ДохПФИНеОрг", "ДохСовОпер", ДохПФИНеОрг.ДохСовОпер);
  v.Value("ДохПФИНеОрг", "РасхРеалПФИ", ДохПФИНеОрг.РасхРеалПФИ);
  v.Value("ДохПФИНеОрг", "ДоходОбл", ДохПФИНеОрг.ДоходОбл);
  v.Value("ДохРЕПО", "ДохЗаймРЕПО", ДохРЕПО.ДохЗаймРЕПО);
  v.Value("ДохРЕПО", "РасхЗаймРЕПО", ДохРЕПО.РасхЗаймРЕПО);
  v.Value("ДохРЕПО", "ДоходОбл", ДохРЕПО.ДоходОбл);
  v.Value("ДохРЕПО", "УбытРезОпер", ДохРЕПО.УбытРезОпер);
  v.Value("ДохРЕПО", "УбытРЕПООбр", ДохРЕПО.УбытРЕПООбр);
  v.Value("ДохРЕПО", "УбытРЕПОНеОбр", ДохРЕПО.УбытРЕПОНеОбр);
  v.Value("ДохЗаймЦБ", "ДохДогЗайм", ДохЗаймЦБ.ДохДогЗайм);
  v.Value("ДохЗаймЦБ", "РасхДогЗайм", ДохЗаймЦБ.РасхДогЗайм);
  v.Value("ДохЗаймЦБ", "ДоходОбл", ДохЗаймЦБ.ДоходОбл);
  v.Value("ДохЗаймЦБ", "УбытРезОпер", ДохЗаймЦБ.УбытРезОпер);
  v.Value("ДохЗаймЦБ", "УбытЗаймЦБОбр", ДохЗаймЦБ.УбытЗаймЦБОбр);
  v.Value("ДохЗаймЦБ", "УбытЗаймЦБНеОбр", ДохЗаймЦБ.УбытЗаймЦБНеОбр);
  const auto pair = [&v](const char* element, const kTSecuritiesDerivatives& p) {
    v.Value(element, "СуммаЦБ", p.СуммаЦБ);
    v.Value(element, "СуммаПФИ", p.СуммаПФИ);
  };
  pair("ОстУбытНачВс", ОстУбытНачВс);
  pair("НалБазаПер", НалБазаПер);
  pair("СумУмНБПер", СумУмНБПер);
  pair("ОстУбытКонВс", ОстУбытКонВс);
  v.Value("УбытПрхПер", "УбытОперЦБОбр", УбытПрхПер.УбытОперЦБОбр);
  v.Value("УбытПрхПер", "УбытОперПФИОбр", УбытПрхПер.УбытОперПФИОбр);
  v.Value("", "ОбщДохСовОпер", ОбщДохСовОпер);
  v.Value("", "ОбщДоходОбл", ОбщДоходОбл);
  v.Value("", "ОбщРасхПрмВыч", ОбщРасхПрмВыч);
}

}  // namespace talver
