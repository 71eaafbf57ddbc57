#include "compute/SheetsE.h"

#include "compute/Inputs.h"
#include "compute/SvodSum.h"
#include "compute/Trace.h"
#include "model/DeclClasses.h"
#include "platform/NumberText.h"

namespace talver {
namespace {

// Per child and month: first and second children, third and later, disabled children.
constexpr Currency kChildOrdinary = Roubles(1400);
constexpr Currency kChildDouble = Roubles(2800);
constexpr Currency kThirdOrdinary = Roubles(3000);
constexpr Currency kThirdDouble = Roubles(6000);
constexpr Currency kDisabledOrdinary = Roubles(6000);
constexpr Currency kDisabledDouble = Roubles(12000);

Currency Count(std::int64_t n) { return Currency::FromRoubles(n); }

std::string MonthItem(std::size_t m) { return std::string(MonthCaption(static_cast<int>(m) + 1)); }

std::string ContractItem(const mTPens& contract, std::size_t index) {
  std::string item = "договор " + std::to_string(index + 1);
  const std::string number = Trim(contract.ContractNumber);
  if (!number.empty()) item += " № " + Cp1251ToUtf8(number);
  const std::string payee = Trim(contract.OrgName);
  if (!payee.empty()) item += ", " + Cp1251ToUtf8(payee);
  return item;
}

}  // namespace

bool kTSvodSumPrilE1::Compute(const mTDeclaration& d, const kTSvodSum& summary) {
  Clear();
  const mTStandartDeduct& sd = d.StandardDeduct;
  if (sd.Granted == 0 || d.DeclarationForm != kForm3Resident) return true;
  kTSvodSumTrace* const t = summary.Tracing();

  // Monthly incomes, from the page or from the sources that compute the standard deductions;
  // each month that counts is shown by its mark on the page or by the month's income.
  std::array<Figure, 12> marks{};
  if (sd.MonthlyIncomeGiven != 0) {
    Figure previous;
    Figure carried;  // a negative running income goes into the next month as an expense
    for (std::size_t m = 0; m < 12; ++m) {
      const auto item = [m] { return MonthItem(m); };
      MonthIncome[m] = sd.MonthIncome[m];
      MonthExpense[m] = sd.MonthExpense[m];
      const Figure running =
          previous + ListValue(t, sd.MonthIncome[m], kPageStandard, InputField::StandardMonthIncome, m, item) -
          ListValue(t, sd.MonthExpense[m], kPageStandard, InputField::StandardMonthExpense, m, item) - carried;
      CumulativeIncome[m] = Positive(running);
      carried = Positive(-running);
      previous = CumulativeIncome[m];
      MonthMarked[m] = sd.MonthChecked[m] != 0;
      if (MonthMarked[m]) {
        marks[m] = ListValue(t, Count(sd.MonthChecked[m]), kPageStandard, InputField::StandardMonthMarked, m, item);
      }
    }
  } else {
    ForEachOf(d.Sources13, [&](std::size_t i, const mTThirteenPercent& s) {
      if (s.StandardDeductSource == 0) return;
      ForEachEntry(s, [&](std::size_t j, const mTSourseIncome& e) {
        if (e.Month < 1 || e.Month > 12) return;
        marks[e.Month - 1u] += EntryValue(t, e.Amount, kPageSources13, InputField::EntryAmount, i, s, j, e) -
                               EntryValue(t, e.DeductAmount, kPageSources13, InputField::EntryDeduction, i, s, j, e);
        MonthMarked[e.Month - 1u] = true;
      });
    });
    // The running sum, each month's taken month by month from January, so that each is the
    // sum of the months it covers.
    for (std::size_t m = 0; m < 12; ++m) {
      marks[m] = Named(std::move(marks[m]), "Доход за месяц", [m] { return MonthItem(m); });
      Figure cumulative;
      for (std::size_t k = 0; k <= m; ++k) cumulative += marks[k];
      CumulativeIncome[m] = std::move(cumulative);
    }
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
  // The counts of months, as figures for the rules below.
  std::int64_t markedCount = 0;
  for (bool marked : MonthMarked) markedCount += marked ? 1 : 0;
  const Figure markedMonths = Named(
      ByRule(Count(markedCount), "месяцы, в которых есть доход или которые отмечены",
             {marks[0], marks[1], marks[2], marks[3], marks[4], marks[5], marks[6], marks[7], marks[8], marks[9],
              marks[10], marks[11]}),
      "Число месяцев, за которые предоставляется вычет");
  const Figure monthsWithin = Named(
      ByRule(Count(КолМесНеПрев), "те из них, что до месяца, в котором доход с начала года превысил 350 000",
             {markedMonths, CumulativeIncome[walked]}),
      "Число месяцев, за которые предоставляется вычет на детей");

  // The taxpayer's own deduction counts every marked month of the year.
  Currency own3000;
  Currency own500;
  for (std::size_t m = 0; m < 12; ++m) {
    if (!MonthMarked[m]) continue;
    switch (sd.PersonalCode) {
      case 105: own3000 += Roubles(3000); break;
      case 104: own500 += Roubles(500); break;
      case 110:
        if (sd.PersonalCodeByMonth[m] == 2) own3000 += Roubles(3000);
        if (sd.PersonalCodeByMonth[m] == 1) own500 += Roubles(500);
        break;
      default: break;
    }
  }
  if (!own3000.IsZero()) ВычСт218_1_1 = ByRule(own3000, "3 000 за каждый месяц с кодом вычета 105", {markedMonths});
  if (!own500.IsZero()) ВычСт218_1_2 = ByRule(own500, "500 за каждый месяц с кодом вычета 104", {markedMonths});

  if (sd.ChildMode == 101 || sd.ChildMode == 102 || sd.ChildMode == 103) {
    const std::int64_t disabledFactor = sd.GuardianOrFoster != 0 ? 1 : 2;
    struct Group {
      const char* Caption;
      bool Constant;
      std::int32_t Count;
      const std::array<std::int32_t, 12>& ByMonth;
      Currency Ordinary;
      Currency Double;
      InputField Field;
      Currency OrdinaryTotal;
      Currency DoubleTotal;
      Figure Ordinaries;
      Figure Doubles;
    };
    Group groups[] = {
        {"Вычет на первого и второго ребенка", sd.ChildrenConst != 0, sd.ChildrenCount, sd.ChildrenByMonth, kChildOrdinary, kChildDouble,
         InputField::StandardChildren, {}, {}, {}, {}},
        {"Вычет на третьего и последующих детей", sd.ThirdConst != 0, sd.ThirdCount, sd.ThirdByMonth, kThirdOrdinary, kThirdDouble, InputField::StandardThird, {},
         {}, {}, {}},
        {"Вычет на ребенка-инвалида", sd.DisabledConst != 0, sd.DisabledCount, sd.DisabledByMonth, kDisabledOrdinary * disabledFactor,
         kDisabledDouble * disabledFactor, InputField::StandardDisabled, {}, {}, {}, {}},
    };
    for (Group& g : groups) {
      // The children counted, as typed: the year's count, or the count of each month given.
      Figure children;
      if (g.Constant) {
        children = Typed(t, Count(g.Count), InputPlace{kPageStandard, g.Field, 0, 0});
      } else {
        for (std::size_t m = 0; m < months; ++m) {
          if (MonthMarked[m]) children += ListValue(t, Count(g.ByMonth[m]), kPageStandard, g.Field, m, [m] { return MonthItem(m); });
        }
      }
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
      const auto words = [](Currency rate, const char* who) {
        return [rate, who] { return GroupedAmountText(rate) + " в месяц на каждого ребенка" + who; };
      };
      if (!g.OrdinaryTotal.IsZero()) {
        g.Ordinaries = Named(ByRule(g.OrdinaryTotal, words(g.Ordinary, ""), {children, monthsWithin}), g.Caption);
      }
      if (!g.DoubleTotal.IsZero()) {
        g.Doubles =
            Named(ByRule(g.DoubleTotal, words(g.Double, " в двойном размере"), {children, monthsWithin}), g.Caption);
      }
    }
    ВычСтРеб = groups[0].Ordinaries + groups[1].Ordinaries;
    ВычСтРебЕд = groups[0].Doubles + groups[1].Doubles;
    ВычСтРебИнв = groups[2].Ordinaries;
    ВычСтРебИнвЕд = groups[2].Doubles;
  }

  ОбщВычСтанд = ВычСт218_1_1 + ВычСт218_1_2 + ВычСтРеб + ВычСтРебЕд + ВычСтРебИнв + ВычСтРебИнвЕд;
  ОбщВычСтанд = Min(ОбщВычСтанд, CumulativeIncome[11]);
  ОбщВычСтанд = Positive(ОбщВычСтанд);
  return true;
}

void kTSvodSumPrilE1::NameMonths(kTSvodSumTrace& trace) const {
  for (std::size_t m = 0; m < 12; ++m) {
    trace.NameFigure(CumulativeIncome[m], "PrilE1.CumulativeIncome." + std::to_string(m + 1),
                     "Доход с начала года", "по " + MonthItem(m));
  }
}

bool kTSvodSumPrilE3::Compute(const mTDeclaration& d, const kTSvodSum& summary) {
  Clear();
  const mTSocialDeduct& sd = d.SocialDeduct;
  kTSvodSumTrace* const t = summary.Tracing();
  if (sd.Granted != 0 && d.DeclarationForm == kForm3Resident) {
    Currency left = kSocialLimit;
    ForEachOf(sd.PensionContracts, [&](std::size_t i, const mTPens& p) {
      if (p.ContractKind < 1 || p.ContractKind > 4) return;
      mbTPens record;
      record.ВидДоговор = p.ContractKind == 4 ? 2 : p.ContractKind;
      record.Наим = p.OrgName;
      record.ИННЮЛ = p.Inn;
      record.КПП = p.Kpp;
      record.НомДогНПО = p.ContractNumber;
      record.ДатаДогНПО = p.ContractDate;
      const auto item = [&] { return ContractItem(p, i); };
      record.СумВзносУпл = ListValue(t, p.Contribution, kPageSocial, InputField::PensionContribution, i, item);
      record.AgentDeduction =
          Min(ListValue(t, p.AgentDeduction, kPageSocial, InputField::PensionAgentDeduction, i, item), record.СумВзносУпл);
      record.СумВзносВыч = Min(record.СумВзносУпл, left);
      left = Positive(left - Currency(record.СумВзносВыч));
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
    РасчДопСВВыч.СумВзносВыч =
        Min(РасчДопСВВыч.СумВзносВыч,
            ByRule(kSocialLimit - Currency(PensionDeducted), "120 000 за вычетом взносов по договорам пенсионного обеспечения и страхования",
                 {PensionDeducted}));
    ОбщВзносВыч = PensionDeducted + РасчДопСВВыч.СумВзносВыч;
  }
  СумИнвВыч219 = DocumentValue(t, d.InvestmentDeduction, kPageSecurities, InputField::InvestmentDeduction);
  ИнвВычПредВосст =
      DocumentValue(t, d.InvestmentDeductionReturn, kPageSecurities, InputField::InvestmentDeductionReturn);
  return true;
}

void kTSvodSumPrilE3::NameContracts(kTSvodSumTrace& trace) const {
  const auto name = [&trace](const std::vector<mbTPens>& records, const char* key) {
    for (std::size_t i = 0; i < records.size(); ++i) {
      std::string of = Cp1251ToUtf8(Trim(records[i].Наим));
      if (!Trim(records[i].НомДогНПО).empty()) of += ", договор № " + Cp1251ToUtf8(Trim(records[i].НомДогНПО));
      trace.NameFigure(records[i].СумВзносВыч, std::string(key) + "." + std::to_string(i + 1) + ".СумВзносВыч",
                       "Взносы по договору к вычету", std::move(of));
    }
  };
  name(PensionContracts, "PrilE3.PensionContracts");
  name(ExtraContributions, "PrilE3.ExtraContributions");
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
  kTSvodSumTrace* const t = s.Tracing();
  const Figure base = Positive(Income);
  const Figure charity = DocumentValue(t, sd.Charity, kPageSocial, InputField::Charity);
  outside.СумБлагЦел = charity;
  if (sd.Charity * 4 > base) {
    outside.СумБлагЦел = ByRule(Currency::FromKopecks(base.Units() / 4 / 100), "не более 25 % дохода, без долей копейки",
                             {charity, base});
  }

  for (std::size_t i = 0; i < sd.ChildEducation.size(); ++i) {
    Currency& amount = sd.ChildEducation[i];
    const auto item = [i] { return "ребенок " + std::to_string(i + 1); };
    const Figure taken =
        Named(Min(ListValue(t, amount, kPageSocial, InputField::ChildEducation, i, item), kChildEducationLimit),
              "Расходы на обучение ребенка к вычету", item);
    amount = taken;
    outside.СумОбуч += taken;
  }
  outside.СумЛечен = DocumentValue(t, sd.ExpensiveMedical, kPageSocial, InputField::ExpensiveMedical);
  outside.ИтогВычСоциал = outside.СумБлагЦел + outside.СумОбуч + outside.СумЛечен;

  within.СумОбуч = DocumentValue(t, sd.OwnEducation, kPageSocial, InputField::OwnEducation);
  within.СумЛечен = DocumentValue(t, sd.Medical, kPageSocial, InputField::Medical);
  within.СумЛичСтрах = DocumentValue(t, sd.VoluntaryInsurance, kPageSocial, InputField::VoluntaryInsurance);
  within.СумПенсСтрах = s.PrilE3.ОбщВзносВыч;
  within.ОбщСумРасх = Min(kSocialLimit, within.СумЛичСтрах + within.СумПенсСтрах + within.СумОбуч + within.СумЛечен);

  within.ОбщСНВОтчПерНА =
      s.PrilE3.AgentDeducted + DocumentValue(t, sd.AgentSocialDeduct, kPageSocial, InputField::AgentSocialDeduct);
  within.ОбщСНВОтчПерНА =
      Min(within.ОбщСНВОтчПерНА, Named(outside.ИтогВычСоциал + within.ОбщСумРасх, "Социальные вычеты по расходам"));
  within.ОбщВычСоциал = Positive(outside.ИтогВычСоциал + within.ОбщСумРасх - within.ОбщСНВОтчПерНА);
  return true;
}

}  // namespace talver
