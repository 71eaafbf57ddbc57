#include "compute/SheetsE.h"

#include "compute/SvodSum.h"
#include "model/DeclClasses.h"

namespace talver {
namespace {

// Per child and month: first and second children, third and later, disabled children.
constexpr Currency kChildOrdinary = Roubles(1400);
constexpr Currency kChildDouble = Roubles(2800);
constexpr Currency kThirdOrdinary = Roubles(3000);
constexpr Currency kThirdDouble = Roubles(6000);
constexpr Currency kDisabledOrdinary = Roubles(6000);
constexpr Currency kDisabledDouble = Roubles(12000);

}  // namespace

bool kTSvodSumPrilE1::Compute(const mTDeclaration& d, const kTSvodSum&) {
  Clear();
  const mTStandartDeduct& sd = d.StandardDeduct;
  if (sd.Granted == 0 || d.DeclarationForm != kForm3Resident) return true;

  // Monthly incomes, from the page or from the sources that compute the standard deductions.
  if (sd.MonthlyIncomeGiven != 0) {
    Currency previous;
    Currency carried;  // a negative running income goes into the next month as an expense
    for (std::size_t m = 0; m < 12; ++m) {
      MonthIncome[m] = sd.MonthIncome[m];
      MonthExpense[m] = sd.MonthExpense[m];
      const Currency running = previous + sd.MonthIncome[m] - sd.MonthExpense[m] - carried;
      CumulativeIncome[m] = Positive(running);
      carried = running < Currency() ? -running : Currency();
      previous = CumulativeIncome[m];
      MonthMarked[m] = sd.MonthChecked[m] != 0;
    }
  } else {
    ForEachOf(d.Sources13, [&](const mTThirteenPercent& s) {
      if (s.StandardDeductSource == 0) return;
      ForEachEntry(s, [&](const mTSourseIncome& e) {
        if (e.Month < 1 || e.Month > 12) return;
        CumulativeIncome[e.Month - 1u] += e.Amount - e.DeductAmount;
        MonthMarked[e.Month - 1u] = true;
      });
    });
    for (std::size_t m = 1; m < 12; ++m) CumulativeIncome[m] += CumulativeIncome[m - 1];
  }

  // The months before the income from January first exceeds 350 000: children's deductions
  // are given for them only.
  std::size_t walked = 0;
  while (walked < 11 && CumulativeIncome[walked] <= kStandardIncomeLimit) {
    if (MonthMarked[walked]) ++КолМесНеПрев;
    ++walked;
  }
  std::size_t months = walked;  // N
  if (walked == 11 && MonthMarked[11] && CumulativeIncome[11] <= kStandardIncomeLimit) {
    ++КолМесНеПрев;
    months = 12;
  }

  // The taxpayer's own deduction counts every marked month of the year.
  for (std::size_t m = 0; m < 12; ++m) {
    if (!MonthMarked[m]) continue;
    switch (sd.PersonalCode) {
      case 105: ВычСт218_1_1 += Roubles(3000); break;
      case 104: ВычСт218_1_2 += Roubles(500); break;
      case 110:
        if (sd.PersonalCodeByMonth[m] == 2) ВычСт218_1_1 += Roubles(3000);
        if (sd.PersonalCodeByMonth[m] == 1) ВычСт218_1_2 += Roubles(500);
        break;
      default: break;
    }
  }

  if (sd.ChildMode == 101 || sd.ChildMode == 102 || sd.ChildMode == 103) {
    const std::int64_t disabledFactor = sd.GuardianOrFoster != 0 ? 1 : 2;
    struct Group {
      bool Constant;
      std::int32_t Count;
      const std::array<std::int32_t, 12>& ByMonth;
      Currency Ordinary;
      Currency Double;
      Currency& OrdinaryTotal;
      Currency& DoubleTotal;
    };
    const Group groups[] = {
        {sd.ChildrenConst != 0, sd.ChildrenCount, sd.ChildrenByMonth, kChildOrdinary, kChildDouble, ВычСтРеб,
         ВычСтРебЕд},
        {sd.ThirdConst != 0, sd.ThirdCount, sd.ThirdByMonth, kThirdOrdinary, kThirdDouble, ВычСтРеб, ВычСтРебЕд},
        {sd.DisabledConst != 0, sd.DisabledCount, sd.DisabledByMonth, kDisabledOrdinary * disabledFactor,
         kDisabledDouble * disabledFactor, ВычСтРебИнв, ВычСтРебИнвЕд},
    };
    for (const Group& g : groups) {
      if (g.Constant && sd.ChildMode == 101) {
        g.OrdinaryTotal += g.Ordinary * g.Count * КолМесНеПрев;
      } else if (g.Constant && sd.ChildMode == 102) {
        g.DoubleTotal += g.Double * g.Count * КолМесНеПрев;
      } else {
        for (std::size_t m = 0; m < months; ++m) {
          if (!MonthMarked[m]) continue;
          const std::int32_t count = g.Constant ? g.Count : g.ByMonth[m];
          const bool ordinary = sd.ChildMode == 101 || (sd.ChildMode == 103 && sd.ChildModeByMonth[m] != 0);
          if (ordinary) {
            g.OrdinaryTotal += g.Ordinary * count;
          } else {
            g.DoubleTotal += g.Double * count;
          }
        }
      }
    }
  }

  ОбщВычСтанд = ВычСт218_1_1 + ВычСт218_1_2 + ВычСтРеб + ВычСтРебЕд + ВычСтРебИнв + ВычСтРебИнвЕд;
  if (ОбщВычСтанд > CumulativeIncome[11]) ОбщВычСтанд = CumulativeIncome[11];
  ОбщВычСтанд = Positive(ОбщВычСтанд);
  return true;
}

bool kTSvodSumPrilE3::Compute(const mTDeclaration& d, const kTSvodSum&) {
  Clear();
  const mTSocialDeduct& sd = d.SocialDeduct;
  if (sd.Granted != 0 && d.DeclarationForm == kForm3Resident) {
    Currency left = kSocialLimit;
    ForEachOf(sd.PensionContracts, [&](const mTPens& p) {
      if (p.ContractKind < 1 || p.ContractKind > 4) return;
      mbTPens record;
      record.ВидДоговор = p.ContractKind == 4 ? 2 : p.ContractKind;
      record.Наим = p.OrgName;
      record.ИННЮЛ = p.Inn;
      record.КПП = p.Kpp;
      record.НомДогНПО = p.ContractNumber;
      record.ДатаДогНПО = p.ContractDate;
      record.СумВзносУпл = p.Contribution;
      record.AgentDeduction = Min(p.AgentDeduction, p.Contribution);
      record.СумВзносВыч = Min(p.Contribution, left);
      left = Positive(left - record.СумВзносВыч);
      AgentDeducted += record.AgentDeduction;
      if (p.ContractKind == 4) {
        РасчДопСВВыч.СумВзносУпл += record.СумВзносУпл;
        РасчДопСВВыч.СумВзносВыч += record.СумВзносВыч;
        ExtraContributions.push_back(std::move(record));
      } else {
        PensionDeducted += record.СумВзносВыч;
        PensionContracts.push_back(std::move(record));
      }
    });
    PensionDeducted = Min(PensionDeducted, kSocialLimit);
    РасчДопСВВыч.СумВзносВыч = Min(РасчДопСВВыч.СумВзносВыч, kSocialLimit - PensionDeducted);
    ОбщВзносВыч = PensionDeducted + РасчДопСВВыч.СумВзносВыч;
  }
  СумИнвВыч219 = d.InvestmentDeduction;
  ИнвВычПредВосст = d.InvestmentDeductionReturn;
  return true;
}

bool kTSvodSumPrilE2::Compute(mTDeclaration& d, const kTSvodSum& s) {
  Clear();
  mTSocialDeduct& sd = d.SocialDeduct;
  if (sd.Granted == 0 || d.DeclarationForm != kForm3Resident) return true;

  Income = s.PrilA13.SumIncome + s.PrilB13.OtherIncome + s.PrilV1.ДоходИт + s.PrilE3.ИнвВычПредВосст -
           s.PrilB13.Exempt1001 - s.PrilM.ДохНеНалОбщ;
  kTRaschVychSocBez219_2& outside = РасчВычСоцБез219_2;
  kTRaschVychSoc219_2& within = РасчВычСоц219_2;

  // Charity up to a quarter of the income, truncated to the kopeck; an income that is not
  // positive leaves no room for it, rather than a negative deduction.
  const Currency base = Positive(Income);
  outside.СумБлагЦел = sd.Charity;
  if (sd.Charity * 4 > base) outside.СумБлагЦел = Currency::FromKopecks(base.Units() / 4 / 100);

  for (Currency& amount : sd.ChildEducation) {
    if (amount > kChildEducationLimit) amount = kChildEducationLimit;
    outside.СумОбуч += amount;
  }
  outside.СумЛечен = sd.ExpensiveMedical;
  outside.ИтогВычСоциал = outside.СумБлагЦел + outside.СумОбуч + outside.СумЛечен;

  within.СумОбуч = sd.OwnEducation;
  within.СумЛечен = sd.Medical;
  within.СумЛичСтрах = sd.VoluntaryInsurance;
  within.СумПенсСтрах = s.PrilE3.ОбщВзносВыч;
  within.ОбщСумРасх = Min(kSocialLimit, within.СумЛичСтрах + within.СумПенсСтрах + within.СумОбуч + within.СумЛечен);

  within.ОбщСНВОтчПерНА = s.PrilE3.AgentDeducted + sd.AgentSocialDeduct;
  if (within.ОбщСНВОтчПерНА > outside.ИтогВычСоциал + within.ОбщСумРасх) {
    within.ОбщСНВОтчПерНА = outside.ИтогВычСоциал + within.ОбщСумРасх;
  }
  within.ОбщВычСоциал = Positive(outside.ИтогВычСоциал + within.ОбщСумРасх - within.ОбщСНВОтчПерНА);
  return true;
}

}  // namespace talver
