#include "compute/SheetsVZh.h"

#include "model/DeclClasses.h"

namespace talver {

bool kTSvodSumPrilV1::Compute(mTDeclaration& d) {
  Clear();
  if (!d.HasSection(kSectionBusiness)) {
    // Patent and trade levy credits belong to a business; without one they must not reduce
    // the tax.
    d.PatentPayments = Currency();
    d.TradeFee = Currency();
    return true;
  }
  ForEachOf(d.Businesses, [&](const mTBusinessNew& b) {
    ДоходИт += b.Income;
    ВычПрофИт += b.ExpensesConfirmed != 0 ? b.ExpenseTotal : b.ExpenseNorm;
  });
  УплФактАвИт = d.AdvancePaymentsPaid;
  НачислАвИт = d.AdvancePaymentsAccrued;
  if (ДоходИт < ВычПрофИт) ВычПрофИт = ДоходИт;
  return true;
}

void kTSvodSumProfDeductValues::Add(std::int32_t code, std::int32_t deductCode, Currency amount, Currency deduction) {
  const auto pair = [&](Currency& income, Currency& expenses) {
    income += amount;
    expenses += deduction;
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
    РасхФактУстКап.СумДохУстКап += amount;
    LimitedCapital += deduction;
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
  const auto cut = [](Currency income, Currency& expenses) {
    if (income < expenses) expenses = income;
  };
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

bool kTSvodSumPrilG::Compute(const mTDeclaration& d) {
  Clear();
  // A non-resident's 13 % incomes are taxed at a rate of article 224 point 3, whose base takes
  // none of the deductions of articles 218 to 221 (article 210 point 4): a deduction typed on
  // the non-resident page stays in the file but counts nowhere.
  if (d.DeclarationForm == kForm3Resident) {
    ForEachOf(d.Sources13, [&](const mTThirteenPercent& s) {
      ForEachEntry(s, [&](const mTSourseIncome& e) { Add(e.IncomeCode, e.DeductCode, e.Amount, e.DeductAmount); });
    });
  }
  // Here the limit applies to the share-sale expenses as a whole, which are then cut at the
  // income with the other pairs.
  if (LimitedCapital > kShareSaleLimit) LimitedCapital = kShareSaleLimit;
  РасхФактУстКап.СумРасхВыч += LimitedCapital;
  CutToIncome();
  Total();
  return true;
}

bool kTSvodSumPrilG_In::Compute(const mTDeclaration& d, Currency remainingLimit) {
  Clear();
  if (d.HasSection(kSectionForeign)) {
    ForEachOf(d.CurrencyIncomes, [&](const mTCurrencyIncome& f) {
      Add(f.IncomeCode, f.DeductCode, f.IncomeInRoubles, f.DeductAmount);
    });
  }
  // Abroad the pairs are cut at their income before the limited part is added to them.
  CutToIncome();
  if (LimitedCapital > remainingLimit) LimitedCapital = remainingLimit;
  РасхФактУстКап.СумРасхВыч += LimitedCapital;
  Total();
  return true;
}

}  // namespace talver
