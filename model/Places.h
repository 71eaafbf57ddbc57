#pragma once
// Where each value of the document is typed: the page, numbered as the check's "Исправить"
// leads to it and captioned as on the page buttons and tabs, and the field on that page, with
// the captions the pages show. The core names places by these numbers; the window maps them
// to its pages and widgets.
#include <cstdint>
#include <string_view>

namespace talver {

// The pages. 1 to 12 are those the check sends the user to; the last three only the
// explanation of the figures leads to.
enum CheckPage : int {
  kPageConditions = 1,
  kPagePersonalData = 2,
  kPageAddress = 3,
  kPageSources13 = 4,   // Sources13: 13 %, or 30 % in a non-resident's return
  kPageSources30 = 5,   // SourcesDividends: dividends, 15 % in a non-resident's return
  kPageSources35 = 6,
  kPageForeign = 7,
  kPageBusiness = 8,
  kPageStandard = 9,
  kPageSocial = 10,
  kPageProperty = 11,
  kPageInvestTov = 12,
  kPageSources9 = 13,
  kPageSources13NR = 14,  // highly qualified specialists, a non-resident's return
  kPageSecurities = 15,   // losses on securities of earlier years and the investment deduction
};

// The fields the computation reads. Each belongs to the pages its comment names; a field of a
// list belongs to one element of it (InputPlace::Item) and, for the incomes of a source, to
// one of them (InputPlace::Entry).
enum class InputField : int {
  None = 0,
  // A payment source of pages 4, 5, 6, 12, 13, 14.
  SourceIncome,     // IncomeTotal of a 9 % or 35 % source
  SourceTaxable,    // TaxableIncome of a dividend source
  SourceDeduction,  // DeductAmount of a 35 % source
  SourceWithheld,   // TaxWithheld
  // An income of a source of pages 4 and 14, or an operation of a partnership (page 12).
  EntryAmount,           // Amount; a partnership's Income
  EntryDeduction,        // DeductAmount
  EntryExpenseShare,     // a partnership's ExpenseShare
  EntryContributions,    // the same field of an operation of leaving the partnership
  EntryManagerExpenses,  // a partnership's ManagerExpenses
  EntryPriorLosses,      // a partnership's PriorLosses
  ForeignerFixedPayments,  // page 4
  // A foreign income, page 7.
  ForeignIncome,     // IncomeInRoubles
  ForeignTax,        // TaxInRoubles
  ForeignDeduction,  // DeductAmount
  // Page 8: an activity (Item) and the return's business amounts.
  BusinessIncome,       // Income
  BusinessExpenses,     // ExpenseTotal, documented expenses
  BusinessExpenseNorm,  // ExpenseNorm, 20 % of the income without documents
  AdvancesPaid,
  AdvancesAccrued,
  PatentPayments,
  TradeFee,
  // Page 9; Item is the month (1 to 12) for the fields of a month.
  StandardMonthIncome,   // MonthIncome
  StandardMonthExpense,  // MonthExpense
  StandardMonthMarked,   // MonthChecked, 1 for a month ticked
  StandardChildren,      // first and second children: the year's count (Item 0) or a month's
  StandardThird,         // third and further children, likewise
  StandardDisabled,      // disabled children, likewise
  // Page 10; Item is the position in the list for a child's education and a contract.
  Charity,
  OwnEducation,
  ChildEducation,
  Medical,
  ExpensiveMedical,
  VoluntaryInsurance,
  AgentSocialDeduct,
  PensionContribution,     // Contribution of a contract
  PensionAgentDeduction,   // AgentDeduction of a contract
  // Page 11; Item is the object for its fields.
  ObjectCost,
  ObjectInterest,
  CarriedPurchase,
  AgentPurchase,
  PriorPurchase,
  CarriedInterest,
  AgentInterest,
  PriorInterest,
  // Page 15; Item is the position 1 to 10 of the year (mTCBDeduct::kYears).
  SecuritiesLoss,
  DerivativesLoss,
  IisSecuritiesLoss,
  IisDerivativesLoss,
  InvestmentDeduction,
  InvestmentDeductionReturn,
};

// One place a value is typed at. Item and Entry count from 1; 0 means the field is not of a
// list.
struct InputPlace {
  int Page = 0;
  InputField Field = InputField::None;
  int Item = 0;   // the source, income, activity, month, child, contract, object or year
  int Entry = 0;  // the income of a source, or the operation of a partnership
  friend bool operator==(const InputPlace&, const InputPlace&) = default;
};

// "Доходы, полученные в РФ: 13%": the page button's caption and the tab's, as the form of the
// return shows them (a non-resident's Sources13 is the tab "30%"). UTF-8.
std::string_view PageCaption(int page, std::uint8_t declarationForm);
// The field's caption as its page shows it. UTF-8.
std::string_view FieldCaption(int page, InputField field);
// "январь" to "декабрь" for 1 to 12, UTF-8; empty for any other number.
std::string_view MonthCaption(int month);

}  // namespace talver
