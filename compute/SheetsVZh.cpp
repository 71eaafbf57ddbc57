#include "compute/SheetsVZh.h"

#include "compute/Inputs.h"
#include "model/DeclClasses.h"

namespace talver {

Figure RemainingShareSaleLimit(const kTSvodSumPrilG& russian) {
  return ByRule(kShareSaleLimit - Currency(russian.LimitedCapital),
              "250 000 руб. за вычетом использованного по доходам в РФ", {russian.LimitedCapital});
}

bool kTSvodSumPrilV1::Compute(mTDeclaration& d, kTSvodSumTrace* t) {
  Clear();
  if (!d.HasSection(kSectionBusiness)) {
    // Patent and trade levy credits belong to a business; without one they must not reduce
    // the tax.
    d.PatentPayments = Currency();
    d.TradeFee = Currency();
    return true;
  }
  ForEachOf(d.Businesses, [&](std::size_t i, const mTBusinessNew& b) {
    const auto item = [&] { return BusinessItem(b, i); };
    ДоходИт += ListValue(t, b.Income, kPageBusiness, InputField::BusinessIncome, i, item);
    ВычПрофИт += b.ExpensesConfirmed != 0
                     ? ListValue(t, b.ExpenseTotal, kPageBusiness, InputField::BusinessExpenses, i, item)
                     : ListValue(t, b.ExpenseNorm, kPageBusiness, InputField::BusinessExpenseNorm, i, item);
  });
  УплФактАвИт = DocumentValue(t, d.AdvancePaymentsPaid, kPageBusiness, InputField::AdvancesPaid);
  НачислАвИт = DocumentValue(t, d.AdvancePaymentsAccrued, kPageBusiness, InputField::AdvancesAccrued);
  ВычПрофИт = Min(ВычПрофИт, ДоходИт);
  return true;
}

template <class Amount, class Deduction>
void kTSvodSumProfDeductValues::Add(std::int32_t code, std::int32_t deductCode, const Amount& amount,
                                    const Deduction& deduction) {
  const auto pair = [&](Figure& income, Figure& expenses) {
    income += amount();
    expenses += deduction();
  };
  if (code == 2010 && deductCode == 403) {
    pair(РасхФактДогГПХ.СумДохДогГПХ, РасхФактДогГПХ.СумРасхВыч);
  } else if (code >= 2201 && code <= 2209 && deductCode == 404) {
    pair(РасхФактАвтВозн.СумАвторВозн, РасхФактАвтВозн.СумРасхВыч);
  } else if (code >= 2201 && code <= 2209 && deductCode == 405) {
    pair(РасхНормАвтВозн.СумАвторВозн, РасхНормАвтВозн.СумРасхВыч);
  } else if ((code == 1540 && deductCode == 315) || (code == 1542 && deductCode == 316)) {
    pair(РасхФактУстКап.СумДохУстКап, РасхФактУстКап.СумРасхВыч);
  } else if ((code == 1540 && deductCode == 905) || (code == 1542 && deductCode == 907)) {
    // Claimed within the limit shared by both parts of the sheet.
    РасхФактУстКап.СумДохУстКап += amount();
    LimitedCapital += deduction();
  } else if (code == 1560 && deductCode == 317) {
    // Abroad as at home: the foreign incomes page offers these codes with these deductions
    // (1544 and 1545 are securities of an investment account, which take neither).
    pair(РасхФактПрдчСр.СумДохПрдчСр, РасхФактПрдчСр.СумРасхВыч);
  } else if (code == 1570 && deductCode == 318) {
    pair(РасхФактУмДолУКО.СумДохУмДолУКО, РасхФактУмДолУКО.СумРасхВыч);
  } else if (code == 1550 && deductCode == 314) {
    pair(РасхФактДолСтр.СумДохУстПрав, РасхФактДолСтр.СумРасхВыч);
  }
}

void kTSvodSumProfDeductValues::CutToIncome() {
  const auto cut = [](const Figure& income, Figure& expenses) { expenses = Min(expenses, income); };
  cut(РасхФактДогГПХ.СумДохДогГПХ, РасхФактДогГПХ.СумРасхВыч);
  cut(РасхФактАвтВозн.СумАвторВозн, РасхФактАвтВозн.СумРасхВыч);
  cut(РасхНормАвтВозн.СумАвторВозн, РасхНормАвтВозн.СумРасхВыч);
  cut(РасхФактУстКап.СумДохУстКап, РасхФактУстКап.СумРасхВыч);
  cut(РасхФактПрдчСр.СумДохПрдчСр, РасхФактПрдчСр.СумРасхВыч);
  cut(РасхФактУмДолУКО.СумДохУмДолУКО, РасхФактУмДолУКО.СумРасхВыч);
  cut(РасхФактДолСтр.СумДохУстПрав, РасхФактДолСтр.СумРасхВыч);
}

void kTSvodSumProfDeductValues::Total() {
  РасходОбщИт = РасхФактДогГПХ.СумРасхВыч + РасхФактАвтВозн.СумРасхВыч + РасхНормАвтВозн.СумРасхВыч +
                РасхФактУстКап.СумРасхВыч + РасхФактПрдчСр.СумРасхВыч + РасхФактУмДолУКО.СумРасхВыч +
                РасхФактДолСтр.СумРасхВыч;
}

bool kTSvodSumPrilG::Compute(const mTDeclaration& d, kTSvodSumTrace* t) {
  Clear();
  // A non-resident's 13 % incomes are taxed at a rate of article 224 point 3, whose base takes
  // none of the deductions of articles 218 to 221 (article 210 point 4): a deduction typed on
  // the non-resident page stays in the file but counts nowhere.
  if (d.DeclarationForm == kForm3Resident) {
    ForEachOf(d.Sources13, [&](std::size_t i, const mTThirteenPercent& s) {
      ForEachEntry(s, [&](std::size_t j, const mTSourseIncome& e) {
        Add(
            e.IncomeCode, e.DeductCode, [&] { return EntryValue(t, e.Amount, kPageSources13, InputField::EntryAmount, i, s, j, e); },
            [&] { return EntryValue(t, e.DeductAmount, kPageSources13, InputField::EntryDeduction, i, s, j, e); });
      });
    });
  }
  // Here the limit applies to the share-sale expenses as a whole, which are then cut at the
  // income with the other pairs.
  LimitedCapital = Min(LimitedCapital, kShareSaleLimit);
  РасхФактУстКап.СумРасхВыч += LimitedCapital;
  CutToIncome();
  Total();
  return true;
}

bool kTSvodSumPrilG_In::Compute(const mTDeclaration& d, const Figure& remainingLimit, kTSvodSumTrace* t) {
  Clear();
  if (d.HasSection(kSectionForeign)) {
    ForEachOf(d.CurrencyIncomes, [&](std::size_t i, const mTCurrencyIncome& f) {
      Add(
          f.IncomeCode, f.DeductCode, [&] { return ForeignValue(t, f.IncomeInRoubles, InputField::ForeignIncome, i, f); },
          [&] { return ForeignValue(t, f.DeductAmount, InputField::ForeignDeduction, i, f); });
    });
  }
  // Abroad the pairs are cut at their income before the limited part is added to them.
  CutToIncome();
  LimitedCapital = Min(LimitedCapital, remainingLimit);
  РасхФактУстКап.СумРасхВыч += LimitedCapital;
  Total();
  return true;
}

}  // namespace talver
