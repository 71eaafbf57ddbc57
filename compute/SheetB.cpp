#include "compute/SheetB.h"

#include "model/DeclClasses.h"
#include "platform/Math2.h"
#include "platform/NumberText.h"

namespace talver {

std::string ExchangeRateText(Currency roubles, std::int32_t units) {
  if (units == 0) return {};
  // The rate is taken to four decimals on the exact quotient: a double quotient times 10 000
  // can fall just below an exact half (0.0055 roubles for 10 units gives 5 instead of 6).
  std::int64_t numerator = roubles.Units();
  std::int64_t denominator = units;
  if (denominator < 0) {
    numerator = -numerator;
    denominator = -denominator;
  }
  std::int64_t quotient = numerator / denominator;
  const std::int64_t remainder = numerator % denominator;
  if (remainder > 0 && remainder * 2 >= denominator) ++quotient;  // negatives are truncated
  return CurrencyToText(Currency::FromUnits(quotient), '.');
}

bool kTSvodSumPrilB::Compute(const mTDeclaration& d, std::int32_t rate) {
  Clear();
  if (!d.HasSection(kSectionForeign)) return true;
  ForEachOf(d.CurrencyIncomes, [&](const mTCurrencyIncome& f) {
    const bool ofThisRate = f.IncomeRate == rate || f.IncomeRate == rate + 1 || f.IncomeRate == rate + 86;
    if (!ofThisRate || f.IncomeCode == 2620) return;
    DohodCur line;
    line.ОКСМ = f.CountryCode;
    line.CurrencyName = f.CurrencyName;
    line.КодВалют = f.CurrencyCode;
    line.НаимИстДох = f.SourceName;
    line.ДатаДох = f.IncomeDate;
    line.IncomeCode = f.IncomeCode;
    line.ДоходИноРуб = f.IncomeInRoubles;
    line.DeductAmount = f.DeductAmount;
    line.DeductCode = f.DeductCode;
    line.ДатаУплНал = f.TaxPaymentDate;
    line.НалУплИноРуб = f.TaxInRoubles;
    line.НомерКИК = f.CfcNumber;
    line.ПорядПрибКИК = static_cast<std::uint8_t>(f.CfcProfitMethod & 0xFF);
    line.КурсВалютДох = ExchangeRateText(f.IncomeRateRub, f.IncomeRateUnits);
    line.КурсВалютНал = ExchangeRateText(f.TaxRateRub, f.TaxRateUnits);
    line.ДоходИноВал = FormatSumKopecks(f.IncomeInCurrency);
    line.НалУплИноВал = FormatSumKopecks(f.TaxInCurrency);
    line.КодВидДох = f.IncomeCode == 1000 ? "1" : "2";

    const Currency base = Positive(f.IncomeInRoubles - f.DeductAmount);
    line.НалЗачРФОбщ = MulDivRoundTo2(base, rate, 100);  // to the kopeck, exactly on halves
    if (f.IncomeCode == 1001) {
      line.НалЗачРФОбщ = Currency();
      line.ДохСтИмЛиквИн = f.IncomeInRoubles;
      Exempt1001 += f.IncomeInRoubles;
    } else if (f.IncomeCode == 1012) {
      line.НалЗачРФОбщ = Currency();
      line.ДохДивКИК = f.IncomeInRoubles;
      Exempt1012 += f.IncomeInRoubles;
    }
    line.НалогЗачРФОбщ = Min(line.НалУплИноРуб, line.НалЗачРФОбщ);

    if (f.IncomeCode == 1000) {
      KikProfit += line.ДоходИноРуб;
      KikCredit += line.НалогЗачРФОбщ;
    } else if (f.IncomeCode == 1010 || f.IncomeCode == 1012) {
      DividendIncome += line.ДоходИноРуб;
      DividendCredit += line.НалогЗачРФОбщ;
    } else {
      OtherIncome += line.ДоходИноРуб;
      OtherCredit += line.НалогЗачРФОбщ;
    }
    Lines.push_back(std::move(line));
  });
  return true;
}

}  // namespace talver
