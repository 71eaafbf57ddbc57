// The trace of the computation: over every worked return and over random ones, each figure
// reachable from a section 1 line holds by its operation, ends in what the user typed, and
// each typed value is the one stored at its page and field; keeping a trace changes no figure.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <set>

#include "compute/SvodSum.h"
#include "compute/Trace.h"
#include "compute/TraceCaptions.h"
#include "platform/Math2.h"
#include "tests/scenarios/DeclarationBuilders.h"
#include "tests/scenarios/RandomReturn.h"
#include "tests/scenarios/Scenarios.h"

namespace talver {
namespace testing {
void PrintTo(const Scenario& scenario, std::ostream* os);  // in ScenarioTest.cpp
}  // namespace testing
namespace {

using Op = kTSvodSumTrace::Op;
using testing::Rub;

// What the document holds at a place, read straight from the model.
std::optional<Currency> StoredValue(const mTDeclaration& d, const InputPlace& p) {
  const auto item = [&p](const auto& list) -> decltype(&list.Get(0)) {
    if (p.Item < 1 || static_cast<std::size_t>(p.Item) > list.Count()) return nullptr;
    return &list.Get(static_cast<std::size_t>(p.Item) - 1);
  };
  const auto entry = [&p](const auto* source) -> decltype(&source->GetEntry(0)) {
    if (source == nullptr || p.Entry < 1 || static_cast<std::size_t>(p.Entry) > source->EntryCount()) return nullptr;
    return &source->GetEntry(static_cast<std::size_t>(p.Entry) - 1);
  };
  const auto month = [&p](const auto& array) -> std::optional<Currency> {
    if (p.Item < 1 || p.Item > 12) return std::nullopt;
    return Currency::FromRoubles(array[static_cast<std::size_t>(p.Item) - 1]);
  };
  const auto amount = [](const auto* element, auto member) -> std::optional<Currency> {
    if (element == nullptr) return std::nullopt;
    return element->*member;
  };
  const auto sources13 = [&]() -> const mTList<mTThirteenPercent>* {
    if (p.Page == kPageSources13) return &d.Sources13;
    if (p.Page == kPageSources13NR) return &d.Sources13NR;
    return nullptr;
  };
  const auto payer = [&]() -> const mTSourseIncomeInfo* {
    switch (p.Page) {
      case kPageSources13: return item(d.Sources13);
      case kPageSources13NR: return item(d.Sources13NR);
      case kPageSources30: return item(d.SourcesDividends);
      case kPageSources35: return item(d.Sources35);
      case kPageSources9: return item(d.Sources9);
      case kPageInvestTov: return item(d.InvestSources);
      default: return nullptr;
    }
  };
  const mTStandartDeduct& sd = d.StandardDeduct;
  const mTCBDeduct& losses = p.Field == InputField::IisSecuritiesLoss || p.Field == InputField::IisDerivativesLoss
                                 ? d.IisLosses
                                 : d.SecuritiesLosses;
  const auto year = [&p](const std::array<Currency, 10>& array) -> std::optional<Currency> {
    if (p.Item < 1 || p.Item > 10) return std::nullopt;
    return array[static_cast<std::size_t>(p.Item) - 1];
  };
  switch (p.Field) {
    case InputField::SourceIncome: return amount(payer(), &mTSourseIncomeInfo::IncomeTotal);
    case InputField::SourceTaxable:
      return p.Page == kPageSources30 ? amount(item(d.SourcesDividends), &mTThirtyPercent::TaxableIncome) : std::nullopt;
    case InputField::SourceDeduction:
      return p.Page == kPageSources35 ? amount(item(d.Sources35), &mTThirtyFivePercent::DeductAmount) : std::nullopt;
    case InputField::SourceWithheld: return amount(payer(), &mTSourseIncomeInfo::TaxWithheld);
    case InputField::EntryAmount:
      if (p.Page == kPageInvestTov) return amount(entry(item(d.InvestSources)), &mTInvestTovIncome::Income);
      return sources13() ? amount(entry(item(*sources13())), &mTSourseIncome::Amount) : std::nullopt;
    case InputField::EntryDeduction:
      return sources13() ? amount(entry(item(*sources13())), &mTSourseIncome::DeductAmount) : std::nullopt;
    case InputField::EntryExpenseShare:
    case InputField::EntryContributions: return amount(entry(item(d.InvestSources)), &mTInvestTovIncome::ExpenseShare);
    case InputField::EntryManagerExpenses:
      return amount(entry(item(d.InvestSources)), &mTInvestTovIncome::ManagerExpenses);
    case InputField::EntryPriorLosses: return amount(entry(item(d.InvestSources)), &mTInvestTovIncome::PriorLosses);
    case InputField::ForeignerFixedPayments: return d.ForeignerFixedPayments;
    case InputField::ForeignIncome: return amount(item(d.CurrencyIncomes), &mTCurrencyIncome::IncomeInRoubles);
    case InputField::ForeignTax: return amount(item(d.CurrencyIncomes), &mTCurrencyIncome::TaxInRoubles);
    case InputField::ForeignDeduction: return amount(item(d.CurrencyIncomes), &mTCurrencyIncome::DeductAmount);
    case InputField::BusinessIncome: return amount(item(d.Businesses), &mTBusinessNew::Income);
    case InputField::BusinessExpenses: return amount(item(d.Businesses), &mTBusinessNew::ExpenseTotal);
    case InputField::BusinessExpenseNorm: return amount(item(d.Businesses), &mTBusinessNew::ExpenseNorm);
    case InputField::AdvancesPaid: return d.AdvancePaymentsPaid;
    case InputField::AdvancesAccrued: return d.AdvancePaymentsAccrued;
    case InputField::PatentPayments: return d.PatentPayments;
    case InputField::TradeFee: return d.TradeFee;
    case InputField::StandardMonthIncome:
      return p.Item >= 1 && p.Item <= 12 ? std::optional(sd.MonthIncome[p.Item - 1u]) : std::nullopt;
    case InputField::StandardMonthExpense:
      return p.Item >= 1 && p.Item <= 12 ? std::optional(sd.MonthExpense[p.Item - 1u]) : std::nullopt;
    case InputField::StandardMonthMarked: return month(sd.MonthChecked);
    case InputField::StandardChildren: return p.Item == 0 ? Currency::FromRoubles(sd.ChildrenCount) : month(sd.ChildrenByMonth);
    case InputField::StandardThird: return p.Item == 0 ? Currency::FromRoubles(sd.ThirdCount) : month(sd.ThirdByMonth);
    case InputField::StandardDisabled: return p.Item == 0 ? Currency::FromRoubles(sd.DisabledCount) : month(sd.DisabledByMonth);
    case InputField::Charity: return d.SocialDeduct.Charity;
    case InputField::OwnEducation: return d.SocialDeduct.OwnEducation;
    case InputField::ChildEducation:
      if (p.Item < 1 || static_cast<std::size_t>(p.Item) > d.SocialDeduct.ChildEducation.size()) return std::nullopt;
      return d.SocialDeduct.ChildEducation[p.Item - 1u];
    case InputField::Medical: return d.SocialDeduct.Medical;
    case InputField::ExpensiveMedical: return d.SocialDeduct.ExpensiveMedical;
    case InputField::VoluntaryInsurance: return d.SocialDeduct.VoluntaryInsurance;
    case InputField::AgentSocialDeduct: return d.SocialDeduct.AgentSocialDeduct;
    case InputField::PensionContribution: return amount(item(d.SocialDeduct.PensionContracts), &mTPens::Contribution);
    case InputField::PensionAgentDeduction: return amount(item(d.SocialDeduct.PensionContracts), &mTPens::AgentDeduction);
    case InputField::ObjectCost: return amount(item(d.PropertyDeduct.Objects), &mTConstructionDeductObj::Cost);
    case InputField::ObjectInterest: return amount(item(d.PropertyDeduct.Objects), &mTConstructionDeductObj::CreditInterest);
    case InputField::CarriedPurchase: return d.PropertyDeduct.CarriedPurchase;
    case InputField::AgentPurchase: return d.PropertyDeduct.AgentPurchase;
    case InputField::PriorPurchase: return d.PropertyDeduct.PriorPurchase;
    case InputField::CarriedInterest: return d.PropertyDeduct.CarriedInterest;
    case InputField::AgentInterest: return d.PropertyDeduct.AgentInterest;
    case InputField::PriorInterest: return d.PropertyDeduct.PriorInterest;
    case InputField::SecuritiesLoss:
    case InputField::IisSecuritiesLoss: return year(losses.SecuritiesLoss);
    case InputField::DerivativesLoss:
    case InputField::IisDerivativesLoss: return year(losses.DerivativesLoss);
    case InputField::InvestmentDeduction: return d.InvestmentDeduction;
    case InputField::InvestmentDeductionReturn: return d.InvestmentDeductionReturn;
    case InputField::None: return std::nullopt;
  }
  return std::nullopt;
}

// Checks every figure reachable from the section 1 lines of a summary computed with its trace,
// against `typed`, the declaration as it was before the computation wrote into it.
void ExpectTraceHolds(const kTSvodSum& s, const mTDeclaration& typed) {
  const kTSvodSumTrace* trace = s.Trace();
  ASSERT_NE(trace, nullptr);
  std::vector<std::uint32_t> pending;
  for (const bmTList1& line : s.List6.Lines) {
    ASSERT_NE(line.Сумма.Node(), 0u) << "a section 1 line without its derivation";
    EXPECT_EQ(trace->At(line.Сумма.Node()).Value, line.Сумма);
    pending.push_back(line.Сумма.Node());
  }
  // No figure takes itself, however far down.
  std::vector<int> state(trace->Count(), 0);  // 0 unseen, 1 on the path, 2 done
  std::function<void(std::uint32_t)> acyclic = [&](std::uint32_t id) {
    state[id] = 1;
    for (const kTSvodSumTrace::Term& t : trace->At(id).Terms) {
      ASSERT_NE(state[t.Node], 1) << trace->Key(id) << " takes itself";
      if (state[t.Node] == 0) acyclic(t.Node);
    }
    state[id] = 2;
  };
  for (std::uint32_t root : pending) acyclic(root);
  std::set<std::uint32_t> seen;
  while (!pending.empty()) {
    const std::uint32_t id = pending.back();
    pending.pop_back();
    if (!seen.insert(id).second) continue;
    const kTSvodSumTrace::Node& n = trace->At(id);
    SCOPED_TRACE(trace->Key(id) + " " + trace->Caption(id));
    EXPECT_FALSE(trace->Caption(id).empty());
    std::vector<Currency> terms;
    Currency sum;
    for (const kTSvodSumTrace::Term& t : n.Terms) {
      ASSERT_NE(t.Node, 0u);
      const Currency v = trace->At(t.Node).Value;
      terms.push_back(v);
      sum = t.Minus ? sum - v : sum + v;
      pending.push_back(t.Node);
    }
    switch (n.Kind) {
      case Op::Input: {
        EXPECT_TRUE(n.Terms.empty());
        const std::optional<Currency> stored = StoredValue(typed, n.Place);
        ASSERT_TRUE(stored.has_value()) << "page " << n.Place.Page << ", field " << static_cast<int>(n.Place.Field)
                                        << ", item " << n.Place.Item << ", entry " << n.Place.Entry;
        EXPECT_EQ(n.Value, *stored);
        EXPECT_FALSE(PageCaption(n.Place.Page, typed.DeclarationForm).empty());
        EXPECT_FALSE(FieldCaption(n.Place.Page, n.Place.Field).empty());
        break;
      }
      case Op::Sum:
        EXPECT_EQ(n.Value, sum);
        if (n.Terms.empty()) {
          EXPECT_TRUE(n.Value.IsZero());
        }
        break;
      case Op::Min:
      case Op::Max:
        ASSERT_EQ(terms.size(), 2u);
        EXPECT_EQ(n.Value, n.Kind == Op::Min ? Min(terms[0], terms[1]) : Max(terms[0], terms[1]));
        break;
      case Op::Copy:
        ASSERT_EQ(terms.size(), 1u);
        EXPECT_EQ(n.Value, terms[0]);
        break;
      case Op::Tax:
        ASSERT_EQ(terms.size(), 1u);
        EXPECT_EQ(n.Value, n.ToKopecks ? MulDivRoundTo2(terms[0], n.Percent, 100) : TaxAtRate(terms[0], n.Percent));
        break;
      case Op::Rule:
        EXPECT_FALSE(n.Words.empty());
        EXPECT_NE(n.Words, "сумма без расчета") << "a figure set without its derivation";
        // Only a zero that nothing entered could have changed ends in words alone.
        if (n.Terms.empty()) {
          EXPECT_TRUE(n.Value.IsZero());
        }
        break;
    }
  }
}

// A component value's node holds that value: what the trace says is what the summary gives.
class NodeValues {
 public:
  explicit NodeValues(const kTSvodSumTrace& trace) : trace_(trace) {}
  template <class C>
  void Component(const char* name, const C& component) {
    name_ = name;
    component.VisitValues(*this);
  }
  void Value(const char* element, const char* attribute, const Figure& value) {
    if (value.Node() == 0) {
      EXPECT_TRUE(value.IsZero()) << name_ << " " << element << " " << attribute << ": a figure without a derivation";
      return;
    }
    EXPECT_EQ(trace_.At(value.Node()).Value, value) << name_ << " " << element << " " << attribute;
    EXPECT_EQ(trace_.Key(value.Node()), name_ + "." + (*element ? std::string(element) + "." : "") + attribute);
  }
  // A working value of a fixed amount, not a figure.
  void Value(const char*, const char*, Currency) {}
  template <class N>
  void Count(const char*, const char*, N) {}
  void Text(const char*, const char*, const std::string&) {}

 private:
  const kTSvodSumTrace& trace_;
  std::string name_;
};

// Without a trace no figure names a trace or a node.
class Untraced {
 public:
  template <class C>
  void Component(const char* name, const C& component) {
    name_ = name;
    component.VisitValues(*this);
  }
  void Value(const char* element, const char* attribute, const Figure& value) {
    EXPECT_TRUE(value.Trace() == nullptr && value.Node() == 0) << name_ << " " << element << " " << attribute;
  }
  void Value(const char*, const char*, Currency) {}
  template <class N>
  void Count(const char*, const char*, N) {}
  void Text(const char*, const char*, const std::string&) {}

 private:
  std::string name_;
};

void ExpectTracedLikeUntraced(std::unique_ptr<mTDeclaration> (*build)()) {
  std::unique_ptr<mTDeclaration> d = build();
  kTSvodSum plain;
  const bool result = plain.Compute(*d);
  Untraced untraced;
  plain.VisitComponents(untraced);
  EXPECT_EQ(plain.Trace(), nullptr);
  std::unique_ptr<mTDeclaration> again = build();
  kTSvodSum traced;
  traced.KeepTrace();
  EXPECT_EQ(traced.Compute(*again), result);
  EXPECT_TRUE(traced == plain);
  NodeValues values(*traced.Trace());
  traced.VisitComponents(values);
  ExpectTraceHolds(traced, *build());
}

class TraceOfWorkedReturns : public ::testing::TestWithParam<testing::Scenario> {};

TEST_P(TraceOfWorkedReturns, HoldsEndsInInputsAndChangesNoFigure) {
  ExpectTracedLikeUntraced(GetParam().Build);
}

INSTANTIATE_TEST_SUITE_P(WorkedReturns, TraceOfWorkedReturns, ::testing::ValuesIn(testing::Scenarios()),
                         [](const ::testing::TestParamInfo<testing::Scenario>& param) { return param.param.Name; });

// Returns where a rule leaves a typed amount out or takes it in: a share's liquidation or
// nominal reduction abroad with its expenses, and a non-resident's contract expenses, which
// the 13 % base of a non-resident does not take.
std::unique_ptr<mTDeclaration> ForeignLiquidationAndReduction() {
  auto d = testing::NewDeclaration(kForm3Resident, kSectionRussian | kSectionForeign);
  testing::AddSource13(d->Sources13, "45380000", Rub(13000), {testing::Entry(2000, Rub(100000))});
  testing::AddForeign(*d, 13, 1560, Rub(100000), Currency(), 317, Rub(60000));
  testing::AddForeign(*d, 13, 1570, Rub(50000), Currency(), 318, Rub(20000));
  return d;
}

std::unique_ptr<mTDeclaration> NonResidentContractExpenses() {
  auto d = testing::NewDeclaration(kForm3NonResident);
  testing::AddSource13(d->Sources13NR, "45380000", Rub(26000),
                       {testing::Entry(2010, Rub(200000), 403, Rub(50000)), testing::Entry(2203, Rub(40000), 404, Rub(8000))});
  return d;
}

TEST(Trace, HoldsWhereTypedExpensesCountOrNot) {
  for (auto* build : {&ForeignLiquidationAndReduction, &NonResidentContractExpenses}) ExpectTracedLikeUntraced(build);
}

TEST(Trace, HoldsOverRandomReturns) {
  for (std::uint32_t seed = 1; seed <= 200; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::unique_ptr<mTDeclaration> d = testing::RandomReturn(seed);
    kTSvodSum plain;
    const bool result = plain.Compute(*d);
    kTSvodSum traced;
    traced.KeepTrace();
    std::unique_ptr<mTDeclaration> again = testing::RandomReturn(seed);
    EXPECT_EQ(traced.Compute(*again), result);
    EXPECT_TRUE(traced == plain);
    if (again->DeclarationForm == kForm4) continue;
    NodeValues values(*traced.Trace());
    traced.VisitComponents(values);
    ExpectTraceHolds(traced, *testing::RandomReturn(seed));
  }
}

// A figure taken as a term keeps, in the trace, the value it had then; a sum being built takes
// a temporary sum's terms one by one but an earlier figure as a whole; a zero nothing gave is
// left out of a sum, and a limit of the law goes into the words.
TEST(Trace, FiguresRecordWhatTheyWereWhenTaken) {
  kTSvodSumTrace trace;
  const auto typed = [&trace](std::int64_t roubles, int item) {
    return Typed(&trace, Rub(roubles), InputPlace{kPageSocial, InputField::ChildEducation, item, 0});
  };
  Figure total = typed(100, 1);
  const Figure capped = Min(total, typed(80, 2));
  total += typed(50, 3);
  EXPECT_EQ(total, Rub(150));
  EXPECT_EQ(trace.At(trace.At(capped.Node()).Terms.at(0).Node).Value, Rub(100));
  ASSERT_EQ(trace.At(total.Node()).Terms.size(), 2u);  // the earlier 100 as one term, then 50

  const Figure flat = typed(1, 4) + (typed(2, 5) - typed(3, 6)) + Figure() + total;
  const std::vector<kTSvodSumTrace::Term>& terms = trace.At(flat.Node()).Terms;
  ASSERT_EQ(terms.size(), 4u);
  EXPECT_TRUE(terms[2].Minus);
  EXPECT_EQ(terms[3].Node, total.Node());

  const Figure limited = Min(total, Rub(120));
  EXPECT_EQ(trace.At(limited.Node()).Kind, kTSvodSumTrace::Op::Rule);
  EXPECT_EQ(trace.At(limited.Node()).Words, "не более 120");
  EXPECT_EQ(Min(total, Figure()).Node(), 0u) << "nothing entered is no limit";
  EXPECT_EQ(typed(0, 7).Node(), 0u) << "a field left at 0 is nothing entered";

  // A copy is a figure of its own; arithmetic on figures without a trace records nothing.
  const Figure copy = capped;
  EXPECT_NE(copy.Node(), capped.Node());
  EXPECT_EQ(trace.At(copy.Node()).Terms.at(0).Node, capped.Node());
  const Figure plain = Figure(Rub(2)) + Figure(Rub(3));
  EXPECT_EQ(plain.Trace(), nullptr);
  EXPECT_EQ(plain, Rub(5));
}

// Every value the summary lists has a caption of its own in the explanation.
class CaptionChecker {
 public:
  template <class C>
  void Component(const char* name, const C& component) {
    component_ = name;
    component.VisitValues(*this);
  }
  void Value(const char* element, const char* attribute, const Figure&) {
    const std::string caption = ValueCaption(component_.c_str(), element, attribute);
    EXPECT_EQ(caption.find(component_), std::string::npos) << caption;
    EXPECT_NE(caption.find(" ("), std::string::npos) << caption;
  }
  template <class N>
  void Count(const char*, const char*, N) {}
  void Text(const char*, const char*, const std::string&) {}

 private:
  std::string component_;
};

TEST(Trace, EveryValueHasItsCaption) {
  CaptionChecker checker;
  kTSvodSum().VisitComponents(checker);
}

}  // namespace
}  // namespace talver
