#include "compute/SheetsD.h"

#include "compute/Inputs.h"
#include "compute/SvodSum.h"
#include "model/DeclClasses.h"
#include "platform/Math2.h"
#include "platform/NumberText.h"

namespace talver {
namespace {

__extension__ typedef __int128 Int128;

}  // namespace

bool kTSvodSumPrilH1::Compute(const mTDeclaration& d, kTSvodSumTrace* t) {
  Clear();
  if (d.DeclarationForm != kForm3Resident) return true;
  const bool foreign = d.HasSection(kSectionForeign);
  if (d.Sources13.Count() == 0 && !foreign) return true;

  // One limit for residential property, used in walking order: sales of flats (901) by their
  // income so far, sales of shares (904) by what they claim.
  Currency left = kSaleLimit;
  const auto take = [&](std::int32_t code, std::int32_t deductCode, const auto& amount, const auto& deduction,
                        bool abroad) {
    if (deductCode < 901 || deductCode > 912) return;  // none of the sale deductions below
    const Figure a = amount();
    const Figure dd = deduction();
    if (code == 1510 && deductCode == 901) {
      СумИмущ.ДохВсехИст += a;
      СумИмущ.НалВычет += Min(left, СумИмущ.ДохВсехИст);
      left = Positive(left - Currency(СумИмущ.ДохВсехИст));
    } else if (code == 1511 && deductCode == 904) {
      СумДолИмущ.ДохВсехИст += a;
      const Figure claimed = abroad ? Min(a, dd) : dd;
      СумДолИмущ.НалВычет += Min(claimed, left);
      left = Positive(left - Currency(claimed));
    } else if (code == 1510 && deductCode == 903) {
      СумИмущДок.ДохВсехИст += a;
      СумИмущДок.РасхДок += dd;
    } else if (code == 1511 && deductCode == 903) {
      СумИмущДок.ДохВсехИст += a;
      СумИмущДок.РасхДок += abroad ? dd : Min(a, dd);
    } else if (code == 1512 && deductCode == 902) {
      СумИнНедИмущ.ДохВсехИст += a;
      СумИнНедИмущ.НалВычет += abroad ? Min(a, dd) : dd;
    } else if (code == 1512 && deductCode == 903) {
      СумИнНедИмущДок.ДохВсехИст += a;
      СумИнНедИмущДок.РасхДок += abroad ? dd : Min(a, dd);
    } else if (code == 1520 && deductCode == 906) {
      СумИнИмущ.ДохВсехИст += a;
      СумИнИмущ.НалВычет += dd;
      if (abroad) СумИнИмущ.НалВычет = Min(СумИнИмущ.НалВычет, СумИнИмущ.ДохВсехИст);
    } else if (code == 1520 && deductCode == 903) {
      СумИнИмущДок.ДохВсехИст += a;
      СумИнИмущДок.РасхДок += dd;
    } else if (code == 4900 && deductCode == 908) {
      СумИзтИмущ.ДохВсехИст += a;
      СумИзтИмущ.НалВычет += dd;
    } else if (code == 4910 && deductCode == 910) {
      СумЛиквИО.ДохВсехИст += a;
      СумЛиквИО.НалВычет += dd;
    } else if (code == 4920 && deductCode == 912) {
      СумИмущКИК.ДохВсехИст += a;
      СумИмущКИК.НалВычет += dd;
    }
  };
  ForEachOf(d.Sources13, [&](std::size_t i, const mTThirteenPercent& s) {
    ForEachEntry(s, [&](std::size_t j, const mTSourseIncome& e) {
      take(
          e.IncomeCode, e.DeductCode,
          [&] { return EntryValue(t, e.Amount, kPageSources13, InputField::EntryAmount, i, s, j, e); },
          [&] { return EntryValue(t, e.DeductAmount, kPageSources13, InputField::EntryDeduction, i, s, j, e); }, false);
    });
  });
  if (foreign) {
    ForEachOf(d.CurrencyIncomes, [&](std::size_t i, const mTCurrencyIncome& f) {
      take(
          f.IncomeCode, f.DeductCode, [&] { return ForeignValue(t, f.IncomeInRoubles, InputField::ForeignIncome, i, f); },
          [&] { return ForeignValue(t, f.DeductAmount, InputField::ForeignDeduction, i, f); }, true);
    });
  }

  const auto cut = [](const Figure& income, Figure& deduction) { deduction = Min(deduction, income); };
  cut(СумИмущ.ДохВсехИст, СумИмущ.НалВычет);
  cut(СумДолИмущ.ДохВсехИст, СумДолИмущ.НалВычет);
  cut(СумИмущДок.ДохВсехИст, СумИмущДок.РасхДок);
  cut(СумИнНедИмущ.ДохВсехИст, СумИнНедИмущ.НалВычет);
  cut(СумИнНедИмущДок.ДохВсехИст, СумИнНедИмущДок.РасхДок);
  cut(СумИнИмущ.ДохВсехИст, СумИнИмущ.НалВычет);
  cut(СумИнИмущДок.ДохВсехИст, СумИнИмущДок.РасхДок);
  cut(СумИзтИмущ.ДохВсехИст, СумИзтИмущ.НалВычет);
  cut(СумЛиквИО.ДохВсехИст, СумЛиквИО.НалВычет);
  cut(СумИмущКИК.ДохВсехИст, СумИмущКИК.НалВычет);
  СумИнНедИмущ.НалВычет = Min(СумИнНедИмущ.НалВычет, kOtherSaleLimit);
  СумИнИмущ.НалВычет = Min(СумИнИмущ.НалВычет, kOtherSaleLimit);

  ВычетОбщ = СумИмущ.НалВычет + СумДолИмущ.НалВычет + СумИмущДок.РасхДок + СумИнНедИмущ.НалВычет +
             СумИнНедИмущДок.РасхДок + СумИнИмущ.НалВычет + СумИнИмущДок.РасхДок + СумИзтИмущ.НалВычет +
             СумЛиквИО.НалВычет + СумИмущКИК.НалВычет;
  return true;
}

bool kTSvodSumPrilZ::Compute(mTDeclaration& d, const kTSvodSum& s) {
  Clear();
  mTConstructionDeduct& pd = d.PropertyDeduct;
  if (d.DeclarationForm != kForm3Resident || pd.Granted == 0 || pd.Objects.Count() == 0) return true;

  kTSvodSumTrace* const t = s.Tracing();
  ForEachOf(pd.Objects, [&](std::size_t i, mTConstructionDeductObj& o) {
    const auto item = [i] { return "объект " + std::to_string(i + 1); };
    PurchaseExpenses += ListValue(t, o.Cost, kPageProperty, InputField::ObjectCost, i, item);
    Interest += ListValue(t, o.CreditInterest, kPageProperty, InputField::ObjectInterest, i, item);
    o.ShareShown = 0;
  });

  // The limit: 2 000 000 for the whole, or for one object bought from 2008 on; 1 000 000 before
  // that; times the taxpayer's share of that one object. The share is shown on the return
  // for objects of years before 2014.
  LimitBase = Roubles(2000000);
  mTConstructionDeductObj* single = nullptr;
  const std::size_t count = pd.Objects.Count();
  if (count == 1) {
    single = &pd.Objects.Get(0);
  } else if (count == 2) {
    mTConstructionDeductObj& first = pd.Objects.Get(0);
    mTConstructionDeductObj& second = pd.Objects.Get(1);
    if (!(first.Cost > Currency() && second.Cost > Currency())) single = first.Cost > Currency() ? &first : &second;
  }
  if (single != nullptr) {
    const TDate date = single->ByInvestment != 0 ? single->TransferActDate : single->OwnershipRegDate;
    const int year = DecodeDate(date).Year;
    LimitBase = year < 2008 ? Roubles(1000000) : Roubles(2000000);
    if (year < 2014) single->ShareShown = -1;
    // A share left at 0/0 (never entered) counts as the whole object, as the page reads an
    // empty share.
    if (single->ShareDenominator != 0) {
      ShareNumerator = single->ShareNumerator;
      ShareDenominator = single->ShareDenominator;
    }
  }
  // Exactly: the expenses exceed base × numerator ÷ denominator.
  const Int128 sign = ShareDenominator < 0 ? -1 : 1;
  if (static_cast<Int128>(PurchaseExpenses.Units()) * ShareDenominator * sign >
      static_cast<Int128>(LimitBase.Units()) * ShareNumerator * sign) {
    PurchaseExpenses = ByRule(MulDivRoundTo2(Currency(LimitBase), ShareNumerator, ShareDenominator),
                            [&] {
                              return "не более " + GroupedAmountText(LimitBase) + " × доля в собственности " +
                                     std::to_string(ShareNumerator) + "/" + std::to_string(ShareDenominator);
                            },
                            {PurchaseExpenses});
  }

  Currency spread = PurchaseExpenses;
  ForEachOf(pd.Objects, [&](mTConstructionDeductObj& o) {
    o.CostTaken = Min(o.Cost, spread);
    spread = Positive(spread - o.Cost);
  });

  ВычНовЗачПред = DocumentValue(t, pd.PriorPurchase, kPageProperty, InputField::PriorPurchase);
  ВычПроцЗачПред = DocumentValue(t, pd.PriorInterest, kPageProperty, InputField::PriorInterest);
  ОстВычПршПред = DocumentValue(t, pd.CarriedPurchase, kPageProperty, InputField::CarriedPurchase);
  ПроцПршПред = DocumentValue(t, pd.CarriedInterest, kPageProperty, InputField::CarriedInterest);
  ВычНАУвед = DocumentValue(t, pd.AgentPurchase, kPageProperty, InputField::AgentPurchase);
  ПроцНАУвед = DocumentValue(t, pd.AgentInterest, kPageProperty, InputField::AgentInterest);

  // What is left of the 13 % base after every other deduction.
  const Figure income = Named(s.PrilA13.SumIncome + s.PrilB13.OtherIncome + s.PrilV1.ДоходИт + s.PrilE3.ИнвВычПредВосст,
                              "Доходы, облагаемые по ставке 13 %");
  const Figure taken = Named(s.PrilV1.ВычПрофИт + s.PrilH1.ВычетОбщ + s.PrilM.ДохНеНалОбщ + s.PrilG.РасходОбщИт +
                         s.PrilG_In.РасходОбщИт + s.PrilE2.РасчВычСоц219_2.ОбщВычСоциал + s.PrilE3.СумИнвВыч219 +
                         s.PrilE2.РасчВычСоц219_2.ОбщСНВОтчПерНА + s.PrilB13.Exempt1001 + s.PrilE1.ОбщВычСтанд +
                         s.PrilJ.ОбщРасхПрмВыч + s.PrilI.ОбщРасхПрмВыч + s.PrilJ_IIS.ОбщРасхПрмВыч + ВычНАУвед +
                         ПроцНАУвед,
                             "Необлагаемые доходы, расходы и другие вычеты");
  НалБаз13БезВыч = Positive(income - taken);

  РасхНовВычНД = Positive(PurchaseExpenses - ВычНовЗачПред - ВычНАУвед);
  ПроцВычНД = Positive(Interest - ВычПроцЗачПред - ПроцНАУвед);
  // The purchase comes before the interest.
  РасхНовВычНД = Min(РасхНовВычНД, НалБаз13БезВыч);
  ПроцВычНД = Min(ПроцВычНД, Named(НалБаз13БезВыч - РасхНовВычНД, "Налоговая база, оставшаяся после вычета расходов на покупку"));

  ОстИВБезПроц = PurchaseExpenses - ВычНовЗачПред - ВычНАУвед - РасхНовВычНД;
  ОстИВУплПроц = Positive(Interest - ВычПроцЗачПред - ПроцНАУвед - ПроцВычНД);
  return true;
}

}  // namespace talver
