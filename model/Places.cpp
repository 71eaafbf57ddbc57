#include "model/Places.h"

#include "model/DeclClasses.h"

namespace talver {

std::string_view PageCaption(int page, std::uint8_t form) {
  const bool nonResident = form == kForm3NonResident;
  switch (page) {
    case kPageConditions: return "Задание условий";
    case kPagePersonalData: return "Сведения о декларанте: Персональные данные";
    case kPageAddress: return "Сведения о декларанте: Адрес";
    case kPageSources13: return nonResident ? "Доходы, полученные в РФ: 30%" : "Доходы, полученные в РФ: 13%";
    case kPageSources30: return nonResident ? "Доходы, полученные в РФ: 15%" : "Доходы, полученные в РФ: Дивиденды";
    case kPageSources35: return "Доходы, полученные в РФ: 35%";
    case kPageForeign: return "Доходы за пределами РФ";
    case kPageBusiness: return "Предприниматели";
    case kPageStandard: return "Вычеты: Стандартные";
    case kPageSocial: return "Вычеты: Социальные";
    case kPageProperty: return "Вычеты: Имущественный";
    case kPageInvestTov: return "Инвест. товарищества";
    case kPageSources9: return "Доходы, полученные в РФ: 9%";
    case kPageSources13NR: return "Доходы, полученные в РФ: 13%";
    case kPageSecurities: return "Вычеты: Инвестиционный и убытки по ЦБ";
    default: return {};
  }
}

std::string_view FieldCaption(int page, InputField field) {
  const bool partnership = page == kPageInvestTov;
  switch (field) {
    case InputField::None: return {};
    case InputField::SourceIncome: return "Сумма дохода";
    case InputField::SourceTaxable: return "Облагаемая сумма дивидендов";
    case InputField::SourceDeduction: return "Сумма вычета";
    case InputField::SourceWithheld:
      if (page == kPageSources35) return "Сумма удержанного налога";
      if (page == kPageSources9 || page == kPageSources30) return "Удержанный налог";
      return "Сумма налога удержанная";
    case InputField::EntryAmount: return partnership ? "Сумма доходов" : "Сумма дохода";
    case InputField::EntryDeduction: return "Сумма вычета (расхода)";
    case InputField::EntryExpenseShare: return "Доля расходов";
    case InputField::EntryContributions: return "Сумма вкладов";
    case InputField::EntryManagerExpenses: return "Расходы на управляющих товарищей";
    case InputField::EntryPriorLosses: return "Убыток прошлых лет";
    case InputField::ForeignerFixedPayments: return "Сумма фиксированных платежей";
    case InputField::ForeignIncome: return "Полученный доход в рублях по курсу ЦБ";
    case InputField::ForeignTax: return "Налог, уплаченный в иностранном государстве, в рублях по курсу ЦБ";
    case InputField::ForeignDeduction: return "Сумма вычета (расхода)";
    case InputField::BusinessIncome: return "Сумма дохода";
    case InputField::BusinessExpenses: return "Итого расходов";
    case InputField::BusinessExpenseNorm: return "Итого расходов (норматив 20%)";
    case InputField::AdvancesPaid: return "Авансовые платежи: фактические платежи";
    case InputField::AdvancesAccrued: return "Авансовые платежи: начисленные платежи";
    case InputField::PatentPayments: return "Платежи по патенту";
    case InputField::TradeFee: return "Торговый сбор";
    case InputField::StandardMonthIncome: return "Доходы";
    case InputField::StandardMonthExpense: return "Расходы";
    case InputField::StandardMonthMarked: return "Месяц отмечен";
    case InputField::StandardChildren: return "Количество детей";
    case InputField::StandardThird: return "Количество детей, начиная с 3-го";
    case InputField::StandardDisabled: return "Количество детей-инвалидов";
    case InputField::Charity: return "Суммы, затраченные на благотворительность";
    case InputField::OwnEducation: return "Суммы, затраченные на свое обучение";
    case InputField::ChildEducation: return "Сумма, уплаченная за обучение ребенка";
    case InputField::Medical: return "Суммы, затраченные на лечение";
    case InputField::ExpensiveMedical: return "Суммы, затраченные на дорогостоящее лечение";
    case InputField::VoluntaryInsurance: return "Суммы, затраченные на добровольное страхование";
    case InputField::AgentSocialDeduct: return "Социальные вычеты, предоставленные налоговым агентом";
    case InputField::PensionContribution: return "Сумма взноса";
    case InputField::PensionAgentDeduction: return "Сумма вычета у налогового агента";
    case InputField::ObjectCost: return "Стоимость объекта (доли)";
    case InputField::ObjectInterest: return "Проценты по кредитам за все годы";
    case InputField::CarriedPurchase: return "Покупка: сумма, перешедшая с предыдущего года";
    case InputField::AgentPurchase: return "Покупка: вычет у налогового агента в отчетном году (код 311)";
    case InputField::PriorPurchase: return "Покупка: вычет по предыдущим годам";
    case InputField::CarriedInterest: return "Проценты: сумма, перешедшая с предыдущего года";
    case InputField::AgentInterest: return "Проценты: вычет у налогового агента в отчетном году (код 312)";
    case InputField::PriorInterest: return "Проценты: вычет по предыдущим годам";
    case InputField::SecuritiesLoss: return "Убытки по операциям с ЦБ";
    case InputField::DerivativesLoss: return "Убытки по операциям с ПФИ";
    case InputField::IisSecuritiesLoss: return "Убытки по операциям с ЦБ на индивидуальном инвестиционном счете";
    case InputField::IisDerivativesLoss: return "Убытки по операциям с ПФИ на индивидуальном инвестиционном счете";
    case InputField::InvestmentDeduction: return "Инвестиционный вычет: сумма вычета";
    case InputField::InvestmentDeductionReturn: return "Сумма вычета предшествующих периодов, подлежащая возврату";
  }
  return {};
}

std::string_view MonthCaption(int month) {
  static constexpr std::string_view kMonths[] = {"январь", "февраль", "март",     "апрель",  "май",    "июнь",
                                                 "июль",   "август",  "сентябрь", "октябрь", "ноябрь", "декабрь"};
  return month >= 1 && month <= 12 ? kMonths[month - 1] : std::string_view();
}

}  // namespace talver
