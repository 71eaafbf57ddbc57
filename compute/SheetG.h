#pragma once
// Sheet Г: incomes exempt within yearly limits (XML `ДоходОсвПрев`), one pair per kind: the
// income from all sources and its exempt part. Prizes in advertising (35 % for a resident)
// rewrite the taxable income and tax of the sources whose exemption they grant.
#include "compute/ComputeCommon.h"
#include "platform/Currency.h"

namespace talver {

struct kTExemptIncome {
  Figure ДоходВсИст;
  Figure ДоходНеНал;
  friend bool operator==(const kTExemptIncome&, const kTExemptIncome&) = default;
};

class kTSvodSumPrilM {
 public:
  void Clear() { *this = kTSvodSumPrilM(); }
  bool Compute(mTDeclaration& declaration, kTSvodSumTrace* trace = nullptr);

  kTExemptIncome МатПомРожд;  // 2762 with 508: the deduction entered, no limit
  kTExemptIncome МатПомРаб;   // 2760 with 503, 4 000
  kTExemptIncome ДопСВПенс;   // 1211 with 510, 12 000
  kTExemptIncome МатПомИнв;   // 2761 with 506, 4 000
  kTExemptIncome ПодарНП;     // 2720 with 501, 4 000
  kTExemptIncome ПризНП;      // 2730 with 502, 4 000
  kTExemptIncome ВозмМед;     // 2770 with 504, 4 000
  kTExemptIncome ПомПодар;    // 2790 with 507, 10 000
  kTExemptIncome НатОплСХ;    // nothing counts here
  kTExemptIncome ПризРекл;    // 2740 with any deduction code, 4 000
  Figure ДохНеНалОбщ;       // every exempt part but that of ПризРекл

  template <class V>
  void VisitValues(V& v) const {
    v.Value("", "ДохНеНалОбщ", ДохНеНалОбщ);
    const auto pair = [&v](const char* element, const kTExemptIncome& p) {
      v.Value(element, "ДоходВсИст", p.ДоходВсИст);
      v.Value(element, "ДоходНеНал", p.ДоходНеНал);
    };
    pair("МатПомРожд", МатПомРожд);
    pair("МатПомРаб", МатПомРаб);
    pair("ДопСВПенс", ДопСВПенс);
    pair("МатПомИнв", МатПомИнв);
    pair("ПодарНП", ПодарНП);
    pair("ПризНП", ПризНП);
    pair("ВозмМед", ВозмМед);
    pair("ПомПодар", ПомПодар);
    pair("НатОплСХ", НатОплСХ);
    pair("ПризРекл", ПризРекл);
  }
  friend bool operator==(const kTSvodSumPrilM&, const kTSvodSumPrilM&) = default;
};

}  // namespace talver
