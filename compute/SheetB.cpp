#include "compute/SheetB.h"

#include "compute/Inputs.h"
#include "compute/Trace.h"
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

bool kTSvodSumPrilB::Compute(const mTDeclaration& d, std::int32_t rate, kTSvodSumTrace* t) {
  Clear();
  if (!d.HasSection(kSectionForeign)) return true;
  ForEachOf(d.CurrencyIncomes, [&](std::size_t i, const mTCurrencyIncome& f) {
    const bool ofThisRate = f.IncomeRate == rate || f.IncomeRate == rate + 1 || f.IncomeRate == rate + 86;
    if (!ofThisRate || f.IncomeCode == 2620) return;
    DohodCur line;
    line.ОКСМ = f.CountryCode;
    line.CurrencyName = f.CurrencyName;
    line.КодВалют = f.CurrencyCode;
    line.НаимИстДох = f.SourceName;
    line.ДатаДох = f.IncomeDate;
    line.IncomeCode = f.IncomeCode;
    line.ДоходИноРуб = ForeignValue(t, f.IncomeInRoubles, InputField::ForeignIncome, i, f);
    line.DeductAmount = ForeignValue(t, f.DeductAmount, InputField::ForeignDeduction, i, f);
    line.DeductCode = f.DeductCode;
    line.ДатаУплНал = f.TaxPaymentDate;
    line.НалУплИноРуб = ForeignValue(t, f.TaxInRoubles, InputField::ForeignTax, i, f);
    line.НомерКИК = f.CfcNumber;
    line.ПорядПрибКИК = static_cast<std::uint8_t>(f.CfcProfitMethod & 0xFF);
    line.КурсВалютДох = ExchangeRateText(f.IncomeRateRub, f.IncomeRateUnits);
    line.КурсВалютНал = ExchangeRateText(f.TaxRateRub, f.TaxRateUnits);
    line.ДоходИноВал = FormatSumKopecks(f.IncomeInCurrency);
    line.НалУплИноВал = FormatSumKopecks(f.TaxInCurrency);
    line.КодВидДох = f.IncomeCode == 1000 ? "1" : "2";

    const Figure base = Named(Positive(line.ДоходИноРуб - line.DeductAmount), "Доход за вычетом расходов",
                              [&] { return ForeignItem(f, i); });
    line.НалЗачРФОбщ = TaxToKopecks(base, rate);  // to the kopeck, exactly on halves
    if (f.IncomeCode == 1001) {
      line.НалЗачРФОбщ = ByRule(Currency(), "доход освобожден от налога", {line.ДоходИноРуб});
      line.ДохСтИмЛиквИн = line.ДоходИноРуб;
      Exempt1001 += line.ДоходИноРуб;
    } else if (f.IncomeCode == 1012) {
      line.НалЗачРФОбщ = ByRule(Currency(), "доход освобожден от налога", {line.ДоходИноРуб});
      line.ДохДивКИК = line.ДоходИноРуб;
      Exempt1012 += line.ДоходИноРуб;
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

void kTSvodSumPrilB::NameLines(kTSvodSumTrace& trace, const char* component) const {
  for (std::size_t i = 0; i < Lines.size(); ++i) {
    const DohodCur& line = Lines[i];
    const std::string key = std::string(component) + ".Lines." + std::to_string(i + 1) + ".";
    const std::string of = Cp1251ToUtf8(line.НаимИстДох);
    trace.NameFigure(line.НалЗачРФОбщ, key + "НалЗачРФОбщ", "Налог, исчисленный в РФ с дохода из-за рубежа", of);
    trace.NameFigure(line.НалогЗачРФОбщ, key + "НалогЗачРФОбщ", "Налог, уплаченный за рубежом, к зачету", of);
  }
}

}  // namespace talver
