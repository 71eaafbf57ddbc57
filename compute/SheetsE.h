#pragma once
// Sheet Е1: standard deductions (PrilE1) and social deductions (PrilE2), XML `ВычСтандСоц`.
// Sheet Е2: pension and insurance contributions and the investment deduction (PrilE3), XML
// `ВычСоцИнв219`. The driver computes PrilE3 before PrilE2: the contributions share the
// 120 000 rouble limit of the social deductions.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "compute/ComputeCommon.h"
#include "platform/Currency.h"
#include "platform/Dates.h"

namespace talver {

inline constexpr Currency kStandardIncomeLimit = Roubles(350000);
inline constexpr Currency kSocialLimit = Roubles(120000);
inline constexpr Currency kChildEducationLimit = Roubles(50000);

// Resident only, when the standard deductions are granted.
class kTSvodSumPrilE1 {
 public:
  void Clear() { *this = kTSvodSumPrilE1(); }
  bool Compute(const mTDeclaration& declaration, const kTSvodSum& summary);

  std::int32_t КолМесНеПрев = 0;  // marked months while the income from January is at most 350 000
  std::array<Currency, 12> MonthIncome{};       // as entered on the page
  std::array<Currency, 12> MonthExpense{};      // as entered on the page
  std::array<Figure, 12> CumulativeIncome{};  // income from January to each month
  std::array<bool, 12> MonthMarked{};           // months that count for the deductions
  Figure ВычСт218_1_1;   // 3 000 a month
  Figure ВычСт218_1_2;   // 500 a month
  Figure ВычСтРеб;       // children, ordinary amount
  Figure ВычСтРебЕд;     // children, double amount
  Figure ВычСтРебИнв;    // disabled children, ordinary amount
  Figure ВычСтРебИнвЕд;  // disabled children, double amount
  Figure ОбщВычСтанд;

  template <class V>
  void VisitValues(V& v) const {
    v.Value("", "ВычСт218.1.1", ВычСт218_1_1);
    v.Value("", "ВычСт218.1.2", ВычСт218_1_2);
    v.Count("", "КолМесНеПрев", КолМесНеПрев);
    v.Value("", "ВычСтРеб", ВычСтРеб);
    v.Value("", "ВычСтРебЕд", ВычСтРебЕд);
    v.Value("", "ВычСтРебИнв", ВычСтРебИнв);
    v.Value("", "ВычСтРебИнвЕд", ВычСтРебИнвЕд);
    v.Value("", "ОбщВычСтанд", ОбщВычСтанд);
  }
  // Gives the incomes from January to each month their keys in the trace.
  void NameMonths(kTSvodSumTrace& trace) const;
  friend bool operator==(const kTSvodSumPrilE1&, const kTSvodSumPrilE1&) = default;
};

// Social deductions outside the 120 000 limit.
struct kTRaschVychSocBez219_2 {
  Figure СумБлагЦел;  // charity, at most 25 % of the income
  Figure СумОбуч;     // children's education, at most 50 000 per child
  Figure СумЛечен;    // expensive treatment
  Figure ИтогВычСоциал;
  friend bool operator==(const kTRaschVychSocBez219_2&, const kTRaschVychSocBez219_2&) = default;
};

// Social deductions within the 120 000 limit.
struct kTRaschVychSoc219_2 {
  Figure СумОбуч;       // own education
  Figure СумЛечен;      // treatment
  Figure СумЛичСтрах;   // voluntary personal insurance
  Figure СумПенсСтрах;  // pension contributions of sheet Е2
  Figure ОбщСумРасх;    // the four, at most 120 000
  Figure ОбщСНВОтчПерНА;  // granted by tax agents
  Figure ОбщВычСоциал;
  friend bool operator==(const kTRaschVychSoc219_2&, const kTRaschVychSoc219_2&) = default;
};

// Resident only, when the social deductions are granted. Cuts every child's education amount
// in the document to 50 000.
class kTSvodSumPrilE2 {
 public:
  void Clear() { *this = kTSvodSumPrilE2(); }
  bool Compute(mTDeclaration& declaration, const kTSvodSum& summary);

  Figure Income;  // the income the charity limit is taken of
  kTRaschVychSocBez219_2 РасчВычСоцБез219_2;
  kTRaschVychSoc219_2 РасчВычСоц219_2;

  template <class V>
  void VisitValues(V& v) const {
    const auto& a = РасчВычСоцБез219_2;
    v.Value("РасчВычСоцБез219.2", "СумБлагЦел", a.СумБлагЦел);
    v.Value("РасчВычСоцБез219.2", "СумОбуч", a.СумОбуч);
    v.Value("РасчВычСоцБез219.2", "СумЛечен", a.СумЛечен);
    v.Value("РасчВычСоцБез219.2", "ИтогВычСоциал", a.ИтогВычСоциал);
    const auto& b = РасчВычСоц219_2;
    v.Value("РасчВычСоц219.2", "СумОбуч", b.СумОбуч);
    v.Value("РасчВычСоц219.2", "СумЛечен", b.СумЛечен);
    v.Value("РасчВычСоц219.2", "СумЛичСтрах", b.СумЛичСтрах);
    v.Value("РасчВычСоц219.2", "СумПенсСтрах", b.СумПенсСтрах);
    v.Value("РасчВычСоц219.2", "ОбщСумРасх", b.ОбщСумРасх);
    v.Value("РасчВычСоц219.2", "ОбщСНВОтчПерНА", b.ОбщСНВОтчПерНА);
    v.Value("РасчВычСоц219.2", "ОбщВычСоциал", b.ОбщВычСоциал);
  }
  friend bool operator==(const kTSvodSumPrilE2&, const kTSvodSumPrilE2&) = default;
};

// One pension or insurance contract of sheet Е2; all but СумВзносВыч copied from the contract.
struct mbTPens {
  std::int32_t ВидДоговор = 0;  // 1 to 3; additional contributions to the funded pension are kept as 2
  std::string Наим;
  std::string ИННЮЛ;
  std::string КПП;
  std::string НомДогНПО;
  TDate ДатаДогНПО = 0;
  Figure СумВзносУпл;     // contributions paid
  Figure СумВзносВыч;     // contributions deducted
  Figure AgentDeduction;  // deduction granted by a tax agent, at most the contributions
  friend bool operator==(const mbTPens&, const mbTPens&) = default;
};

struct kTRaschDopSVVych {
  Figure СумВзносУпл;
  Figure СумВзносВыч;
  friend bool operator==(const kTRaschDopSVVych&, const kTRaschDopSVVych&) = default;
};

class kTSvodSumPrilE3 {
 public:
  void Clear() { *this = kTSvodSumPrilE3(); }
  bool Compute(const mTDeclaration& declaration, const kTSvodSum& summary);

  std::vector<mbTPens> PensionContracts;    // kinds 1 to 3 (`РасчПСВВыч`)
  std::vector<mbTPens> ExtraContributions;  // kind 4, totalled in `РасчДопСВВыч`
  Figure PensionDeducted;                 // deducted under PensionContracts
  kTRaschDopSVVych РасчДопСВВыч;            // paid and deducted under ExtraContributions
  Figure ОбщВзносВыч;                     // total deducted
  Figure AgentDeducted;                   // granted by tax agents under both
  Figure СумИнвВыч219;                    // investment deduction
  Figure ИнвВычПредВосст;                 // investment deduction of earlier years restored

  template <class V>
  void VisitValues(V& v) const {
    v.Value("", "PensionDeducted", PensionDeducted);
    v.Value("РасчДопСВВыч", "СумВзносУпл", РасчДопСВВыч.СумВзносУпл);
    v.Value("РасчДопСВВыч", "СумВзносВыч", РасчДопСВВыч.СумВзносВыч);
    v.Value("", "ОбщВзносВыч", ОбщВзносВыч);
    v.Value("", "AgentDeducted", AgentDeducted);
    v.Value("", "СумИнвВыч219", СумИнвВыч219);
    v.Value("", "ИнвВычПредВосст", ИнвВычПредВосст);
  }
  // Gives each contract's deducted contributions their keys in the trace.
  void NameContracts(kTSvodSumTrace& trace) const;
  friend bool operator==(const kTSvodSumPrilE3&, const kTSvodSumPrilE3&) = default;
};

}  // namespace talver
