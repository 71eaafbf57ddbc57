#pragma once
// Sheet Б: incomes from sources abroad, one line per income (XML `ДоходИстИно` with one
// `РасчДохНалИно` per line), the Russian tax on each and the foreign tax credited, and the
// totals section 2 reads. PrilB13 also carries the profit of controlled foreign companies and
// foreign dividends.
#include <cstdint>
#include <string>
#include <vector>

#include "compute/ComputeCommon.h"
#include "platform/Currency.h"
#include "platform/Dates.h"

namespace talver {

// One foreign income. Fields that the export writes carry its attribute name; the texts are
// ready to be written ("." as the separator).
struct DohodCur {
  std::string ОКСМ;          // country code as stored (the export pads it)
  std::string CurrencyName;  // not exported
  std::string КодВалют;
  std::string НаимИстДох;
  TDate ДатаДох = 0;
  std::string КурсВалютДох;  // roubles for one unit, four decimals; empty without units
  std::string ДоходИноВал;   // two decimals
  Figure ДоходИноРуб;
  std::int32_t IncomeCode = 0;
  Figure DeductAmount;  // professional deduction claimed on the income
  std::int32_t DeductCode = 0;
  TDate ДатаУплНал = 0;
  std::string КурсВалютНал;
  std::string НалУплИноВал;
  Figure НалУплИноРуб;
  Figure НалЗачРФОбщ;    // tax due in Russia on the income, to the kopeck
  Figure НалогЗачРФОбщ;  // the part of the foreign tax credited
  std::string КодВидДох;   // "1" for income code 1000, else "2"
  std::string НомерКИК;
  std::uint8_t ПорядПрибКИК = 0;
  Figure ДохСтИмЛиквИн;  // income of code 1001
  Figure ДохДивКИК;      // income of code 1012

  friend bool operator==(const DohodCur&, const DohodCur&) = default;
};

class kTSvodSumPrilB {
 public:
  void Clear() { *this = kTSvodSumPrilB(); }
  // Takes the foreign incomes whose rate group is `rate`, `rate` + 1 or `rate` + 86.
  bool Compute(const mTDeclaration& declaration, std::int32_t rate, kTSvodSumTrace* trace = nullptr);

  std::vector<DohodCur> Lines;
  Figure OtherIncome;     // codes other than 1000, 1010 and 1012
  Figure KikProfit;       // code 1000
  Figure DividendIncome;  // codes 1010 and 1012
  Figure OtherCredit;
  Figure KikCredit;
  Figure DividendCredit;
  Figure Exempt1001;
  Figure Exempt1012;

  template <class V>
  void VisitValues(V& v) const {
    v.Value("", "OtherIncome", OtherIncome);
    v.Value("", "KikProfit", KikProfit);
    v.Value("", "DividendIncome", DividendIncome);
    v.Value("", "OtherCredit", OtherCredit);
    v.Value("", "KikCredit", KikCredit);
    v.Value("", "DividendCredit", DividendCredit);
    v.Value("", "Exempt1001", Exempt1001);
    v.Value("", "Exempt1012", Exempt1012);
  }
  // Gives the figures of each line their keys ("PrilB13.Lines.1.НалЗачРФОбщ") in the trace.
  void NameLines(kTSvodSumTrace& trace, const char* component) const;
  friend bool operator==(const kTSvodSumPrilB&, const kTSvodSumPrilB&) = default;
};

// Roubles for one unit of a currency quoted as `roubles` for `units`, with four decimals
// rounded half up, as text with "."; empty when `units` is 0.
std::string ExchangeRateText(Currency roubles, std::int32_t units);

}  // namespace talver
