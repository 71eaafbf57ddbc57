// Business activities: the activity dialog and the ОКВЭД picker, the page's activities with
// their documented expenses or the 20 % norm, the return's business amounts and the peasant
// farm, the page check, and a business with documented expenses typed through the windows and
// computed.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "tests/ui/support/DictionaryHost.h"
#include "tests/ui/support/EntryTestSupport.h"
#include "compute/SvodSum.h"
#include "platform/NumberText.h"
#include "ui/pages/FrameBusinessNew.h"
#include "ui/dialogs/InputBusinessIncome.h"
#include "ui/pickers/OkvedPicker.h"

namespace talver::test {
namespace {

Currency Rub(const char* text) { return TextToCurrency(text, '.'); }

// Picks the entries of these names, level by level, in the picker shown.
void PickOkved(QWidget* picker, const std::vector<QString>& names) {
  for (std::size_t i = 0; i < names.size(); ++i) {
    auto* list = picker->findChild<QComboBox*>(QStringLiteral("cbLevel%1").arg(i + 1));
    ASSERT_NE(list, nullptr);
    const int item = list->findText(names[i]);
    ASSERT_GE(item, 0) << names[i].toStdString();
    list->setCurrentIndex(item);
    emit list->activated(item);
  }
}

const std::vector<QString> kSoftware = {QStringLiteral("ДЕЯТЕЛЬНОСТЬ В ОБЛАСТИ ИНФОРМАЦИИ И СВЯЗИ"),
                                        QStringLiteral("Разработка компьютерного программного обеспечения, "
                                                       "консультационные услуги в данной области и другие "
                                                       "сопутствующие услуги"),
                                        QStringLiteral("Разработка компьютерного программного обеспечения, "
                                                       "консультационные услуги в данной области и другие "
                                                       "сопутствующие услуги"),
                                        QStringLiteral("Разработка компьютерного программного обеспечения")};

class BusinessTest : public UiTest {
 protected:
  DictionaryHost host;

  void SetUp() override {
    UiTest::SetUp();
    host.declaration.SetSections(kSectionRussian | kSectionBusiness);
  }

  // "Добавить" answered with a kind and, for an entrepreneur, the code of the software entry.
  static void AddActivity(QWidget* page, const char* kind, bool pickSoftware = false) {
    WhenModal([=](QWidget* dialog) {
      Click(dialog, kind);
      if (pickSoftware) {
        WhenModal([](QWidget* picker) {
          PickOkved(picker, kSoftware);
          Click(picker, "btYes");
        });
        Click(dialog, "btOkved");
      }
      Click(dialog, "btYes");
    });
    Click(page, "btAddBusiness");
  }
  static QString Text(QWidget* root, const char* name) { return Find<QLineEdit>(root, name)->text(); }
  static QStringList Lines(QWidget* root) {
    QStringList lines;
    auto* list = Find<QTreeWidget>(root, "lvSourseIncomeInfo");
    for (int i = 0; i < list->topLevelItemCount(); ++i) lines << list->topLevelItem(i)->text(0);
    return lines;
  }
};

// ---------------------------------------------------------------------------------------------
// The dialog and the classifier

TEST_F(BusinessTest, TheCodeBelongsToAnEntrepreneur) {
  TfmInputBusinessIncome dialog(nullptr, host.presenter, host.okved);
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Вид деятельности"));
  EXPECT_TRUE(Find<QRadioButton>(&dialog, "rbBusiness")->isChecked()) << "an empty dialog is an entrepreneur's";
  EXPECT_TRUE(Find(&dialog, "btOkved")->isEnabled());
  EXPECT_TRUE(Find(&dialog, "lbOkved")->isEnabled());
  for (const char* kind : {"rbNotary", "rbLawyer", "rbInsolvency", "rbFarm", "rbOther"}) {
    Click(&dialog, kind);
    EXPECT_FALSE(Find(&dialog, "btOkved")->isEnabled()) << kind;
    EXPECT_FALSE(Find(&dialog, "lbOkved")->isEnabled()) << kind;
  }
  Click(&dialog, "rbBusiness");
  EXPECT_TRUE(Find(&dialog, "btOkved")->isEnabled());
  EXPECT_TRUE(Find<QLineEdit>(&dialog, "edOkved")->isReadOnly()) << "the code comes from the classifier";

  // An entrepreneur without a code: "Да" is "Нет".
  Click(&dialog, "btYes");
  EXPECT_EQ(dialog.result(), QDialog::Rejected);

  TfmInputBusinessIncome notary(nullptr, host.presenter, host.okved);
  notary.show();
  Click(&notary, "rbNotary");
  QTest::keyClick(&notary, Qt::Key_Return);
  EXPECT_EQ(notary.result(), QDialog::Accepted) << "Enter is Да";
  EXPECT_EQ(notary.Kind(), "2");

  TfmInputBusinessIncome edited(nullptr, host.presenter, host.okved);
  edited.SetActivity("1", "62.01");
  edited.show();
  EXPECT_EQ(Text(&edited, "edOkved"), QStringLiteral("62.01"));
  QTest::keyClick(&edited, Qt::Key_Escape);
  EXPECT_EQ(edited.result(), QDialog::Rejected) << "Escape is Нет";
  edited.SetActivity("5", "");
  EXPECT_TRUE(Find<QRadioButton>(&edited, "rbFarm")->isChecked());

  // Without the classifier the code is typed.
  TfmInputBusinessIncome typed(nullptr, host.presenter, nullptr);
  typed.show();
  EXPECT_FALSE(Find(&typed, "btOkved")->isEnabled());
  TypeText(Find(&typed, "edOkved"), QStringLiteral("62.01.123"));
  EXPECT_EQ(Text(&typed, "edOkved"), QStringLiteral("62.01.12")) << "at most 8 characters";
  Click(&typed, "btYes");
  EXPECT_EQ(typed.result(), QDialog::Accepted);
  EXPECT_EQ(typed.Code(), "62.01.12");
}

TEST_F(BusinessTest, TheClassifierLevelByLevel) {
  TfmOkved picker(nullptr, host.presenter, *host.okved);
  picker.show();
  EXPECT_EQ(picker.windowTitle(), QStringLiteral("Код по ОКВЭД"));
  EXPECT_EQ(Text(&picker, "edOkvedCode"), QStringLiteral("нет"));
  for (int level = 1; level <= 6; ++level) EXPECT_EQ(picker.List(level)->itemText(0), QStringLiteral("нет"));
  EXPECT_EQ(picker.List(2)->count(), 1) << "nothing below before a choice";

  PickOkved(&picker, {kSoftware[0]});
  EXPECT_GT(picker.List(2)->count(), 1);
  EXPECT_GT(picker.List(3)->count(), 1) << "every level below holds what lies under the choice";
  EXPECT_EQ(Text(&picker, "edOkvedCode"), QStringLiteral("нет")) << "a section has no code of its own";

  // A code shorter than four characters asks: "Исправить" stays, "Пропустить" takes it.
  PickOkved(&picker, {kSoftware[0], kSoftware[1]});
  EXPECT_EQ(Text(&picker, "edOkvedCode"), QStringLiteral("62"));
  host.presenter.CheckAnswers = {CheckAnswer::Fix};
  Click(&picker, "btYes");
  ASSERT_EQ(host.presenter.Checks.size(), 1u);
  EXPECT_EQ(host.presenter.Checks[0].Title, "ОКВЭД");
  EXPECT_EQ(host.presenter.Checks[0].Message, "Длина кода ОКВЭД должна быть не меньше 4 знаков вклячая точку");
  EXPECT_TRUE(picker.isVisible());

  PickOkved(&picker, kSoftware);
  EXPECT_EQ(Text(&picker, "edOkvedCode"), QStringLiteral("62.01"));
  // "нет" in a list clears the lists below it.
  picker.List(2)->setCurrentIndex(0);
  emit picker.List(2)->activated(0);
  EXPECT_EQ(picker.List(3)->count(), 1);
  EXPECT_EQ(picker.List(4)->count(), 1);

  picker.hide();

  WhenModal([](QWidget* shown) {
    PickOkved(shown, kSoftware);
    Click(shown, "btYes");
  });
  EXPECT_EQ(TfmOkved(nullptr, host.presenter, *host.okved).Execute(), std::optional<std::string>("62.01"));
  EXPECT_EQ(host.presenter.Checks.size(), 1u) << "a long code is accepted without a question";

  host.presenter.CheckAnswers = {CheckAnswer::Skip};
  WhenModal([](QWidget* shown) {
    PickOkved(shown, {kSoftware[0], kSoftware[1]});
    Click(shown, "btYes");
  });
  EXPECT_EQ(TfmOkved(nullptr, host.presenter, *host.okved).Execute(), std::optional<std::string>("62"))
      << "skipped: the short code as it is";
  WhenModal([](QWidget* shown) { QTest::keyClick(shown, Qt::Key_Escape); });
  EXPECT_EQ(TfmOkved(nullptr, host.presenter, *host.okved).Execute(), std::nullopt) << "Escape is Нет";
}

// ---------------------------------------------------------------------------------------------
// The page

TEST_F(BusinessTest, AFirstEntrepreneurClaimsTheNorm) {
  TfrBusinessNew page(nullptr, host);
  page.show();
  for (const char* w : {"gbActivity", "gbAdvances", "gbAdjusted", "gbPatent", "cbPeasantFarm", "edFarmYear",
                        "btDeleteBusiness", "btEditBusiness"}) {
    EXPECT_FALSE(Find(&page, w)->isEnabled()) << w << " without an activity";
  }
  EXPECT_EQ(Text(&page, "edAdvancePaymentsPaid"), QStringLiteral("0"));

  AddActivity(&page, "rbBusiness", true);
  mTDeclaration& d = host.declaration;
  ASSERT_EQ(d.Businesses.Count(), 1u);
  EXPECT_EQ(d.Businesses.Get(0).ActivityKind, "1");
  EXPECT_EQ(d.Businesses.Get(0).Okved, "62.01");
  EXPECT_EQ(d.Businesses.Get(0).ExpensesConfirmed, 0);
  EXPECT_EQ(Lines(&page), QStringList{QStringLiteral("62.01")});
  EXPECT_GT(host.notices, 0);
  EXPECT_TRUE(Find(&page, "gbActivity")->isEnabled());
  EXPECT_TRUE(Find(&page, "cbPeasantFarm")->isEnabled());
  EXPECT_FALSE(Find(&page, "edFarmYear")->isEnabled()) << "the farm fields wait for the farm box";
  auto* documented = Find<QCheckBox>(&page, "cbExpensesConfirmed");
  EXPECT_FALSE(documented->isHidden());
  EXPECT_FALSE(documented->isChecked());
  EXPECT_FALSE(Find(&page, "pnExpenseNorm")->isHidden());
  EXPECT_TRUE(Find(&page, "pnExpenses")->isHidden());

  TypeText(Find(&page, "edIncome"), QStringLiteral("1000,03"));
  EXPECT_EQ(Text(&page, "pnExpenseNorm"), QStringLiteral("200,01")) << "20 % of 1000.03, half up";
  Retype(Find<QLineEdit>(&page, "edIncome"), QString());
  EXPECT_EQ(Text(&page, "pnExpenseNorm"), QStringLiteral("0"));
  Retype(Find<QLineEdit>(&page, "edIncome"), QStringLiteral("500000"));
  page.StoreData();
  EXPECT_EQ(d.Businesses.Get(0).Income, Rub("500000"));
  EXPECT_EQ(d.Businesses.Get(0).ExpenseNorm, Rub("100000"));

  // Documented expenses instead: the six amounts, stored with the box.
  const int before = host.notices;
  QTest::mouseClick(documented, Qt::LeftButton);
  EXPECT_GT(host.notices, before) << "the box is a change";
  EXPECT_FALSE(Find(&page, "pnExpenses")->isHidden());
  EXPECT_TRUE(Find(&page, "pnExpenseNorm")->isHidden());
  TypeText(Find(&page, "edExpenseTotal"), QStringLiteral("300000"));
  TypeText(Find(&page, "edOtherExpenses"), QStringLiteral("300000"));
  page.StoreData();
  EXPECT_EQ(d.Businesses.Get(0).ExpensesConfirmed, 1);
  EXPECT_EQ(d.Businesses.Get(0).ExpenseTotal, Rub("300000"));
  EXPECT_EQ(d.Businesses.Get(0).ExpenseNorm, Rub("100000")) << "the norm not shown is left as it was";
  QTest::mouseClick(documented, Qt::LeftButton);
  EXPECT_EQ(Text(&page, "pnExpenseNorm"), QStringLiteral("100000")) << "unticked: the norm of the income";
}

TEST_F(BusinessTest, TheKindsAndTheirLines) {
  struct Case {
    const char* Button;
    const char* Kind;
    const char* Added;   // the line right after "Добавить"
    const char* Loaded;  // the line when the page is built again
    bool Box;
  };
  const Case cases[] = {
      {"rbNotary", "2", "Нотариальная деятельность", "Нотариальная деятельность", false},
      {"rbLawyer", "3", "Адвокатская деятельность", "Адвокатская деятельность", false},
      {"rbInsolvency", "4", "Арбитражного управляющего", "Деятельность арбитражного управляющего", false},
      {"rbFarm", "5", "Главы КФХ", "Деятельность главы КФХ", true},
      {"rbOther", "6", "Иная деятельность", "Иная деятельность", false},
  };
  QStringList added;
  QStringList loaded;
  {
    TfrBusinessNew page(nullptr, host);
    page.show();
    for (const Case& c : cases) {
      SCOPED_TRACE(c.Kind);
      AddActivity(&page, c.Button);
      const mTBusinessNew& b = host.declaration.Businesses.Last();
      EXPECT_EQ(b.ActivityKind, c.Kind);
      EXPECT_EQ(b.ExpensesConfirmed, c.Box ? 0 : 1);
      EXPECT_EQ(Find(&page, "cbExpensesConfirmed")->isHidden(), !c.Box);
      EXPECT_EQ(Find(&page, "pnExpenses")->isHidden(), c.Box) << "without a box: the documented amounts";
      added << QString::fromUtf8(c.Added);
      loaded << QString::fromUtf8(c.Loaded);
    }
    EXPECT_EQ(Lines(&page), added);
    page.StoreData();
  }
  for (std::size_t i = 0; i < host.declaration.Businesses.Count(); ++i) {
    EXPECT_EQ(host.declaration.Businesses.Get(i).ExpensesConfirmed, cases[i].Box ? 0 : 1) << cases[i].Kind;
  }
  TfrBusinessNew again(nullptr, host);
  EXPECT_EQ(Lines(&again), loaded);
}

TEST_F(BusinessTest, EditingTheKind) {
  mTBusinessNew b;
  b.ActivityKind = "1";
  b.Okved = "62.01";
  b.ExpensesConfirmed = 0;
  b.Income = Rub("1000");
  b.ExpenseNorm = Rub("200");
  host.declaration.Businesses.Add(b);
  TfrBusinessNew page(nullptr, host);
  page.show();
  page.FocusList();
  EXPECT_FALSE(Find<QCheckBox>(&page, "cbExpensesConfirmed")->isChecked());

  // A notary always documents the expenses.
  WhenModal([](QWidget* dialog) {
    EXPECT_TRUE(Find<QRadioButton>(dialog, "rbBusiness")->isChecked());
    Click(dialog, "rbNotary");
    Click(dialog, "btYes");
  });
  Click(&page, "btEditBusiness");
  EXPECT_EQ(Lines(&page), QStringList{QStringLiteral("Нотариальная деятельность")});
  EXPECT_TRUE(Find(&page, "cbExpensesConfirmed")->isHidden());
  page.StoreData();
  EXPECT_EQ(host.declaration.Businesses.Get(0).ActivityKind, "2");
  EXPECT_EQ(host.declaration.Businesses.Get(0).ExpensesConfirmed, 1);

  // Back to an entrepreneur: the box is shown again, as it was.
  WhenModal([](QWidget* dialog) {
    Click(dialog, "rbBusiness");
    WhenModal([](QWidget* picker) {
      PickOkved(picker, kSoftware);
      Click(picker, "btYes");
    });
    Click(dialog, "btOkved");
    Click(dialog, "btYes");
  });
  QTest::keyClick(Find(&page, "lvSourseIncomeInfo"), Qt::Key_Return);  // Enter in the list edits too
  EXPECT_EQ(Lines(&page), QStringList{QStringLiteral("62.01")});
  EXPECT_FALSE(Find(&page, "cbExpensesConfirmed")->isHidden());
  EXPECT_TRUE(Find<QCheckBox>(&page, "cbExpensesConfirmed")->isChecked());
}

TEST_F(BusinessTest, SelectingAnotherActivityStoresTheOneLeft) {
  for (const char* code : {"01.11", "62.01", "47.91"}) {
    mTBusinessNew b;
    b.ActivityKind = "1";
    b.Okved = code;
    b.ExpensesConfirmed = 0;
    host.declaration.Businesses.Add(b);
  }
  TfrBusinessNew page(nullptr, host);
  page.show();
  page.FocusList();
  host.notices = 0;
  Retype(Find<QLineEdit>(&page, "edIncome"), QStringLiteral("1000"));
  auto* list = Find<QTreeWidget>(&page, "lvSourseIncomeInfo");
  const int typed = host.notices;
  list->setCurrentItem(list->topLevelItem(2));
  EXPECT_EQ(host.notices, typed) << "showing an activity is not a change";
  EXPECT_TRUE(Text(&page, "edIncome").isEmpty());
  EXPECT_EQ(host.declaration.Businesses.Get(0).Income, Rub("1000"));
  EXPECT_EQ(host.declaration.Businesses.Get(0).ExpenseNorm, Rub("200"));

  // Deleting selects the line before it.
  Click(&page, "btDeleteBusiness");
  EXPECT_EQ(Lines(&page), (QStringList{QStringLiteral("01.11"), QStringLiteral("62.01")}));
  EXPECT_EQ(list->currentItem()->text(0), QStringLiteral("62.01"));
  list->setCurrentItem(list->topLevelItem(0));
  EXPECT_EQ(Text(&page, "edIncome"), QStringLiteral("1000"));
  Click(&page, "btDeleteBusiness");
  EXPECT_EQ(list->currentItem()->text(0), QStringLiteral("62.01")) << "the first deleted: the new first";
}

TEST_F(BusinessTest, DeletingTheLastActivityZeroesTheBusinessAmounts) {
  mTDeclaration& d = host.declaration;
  mTBusinessNew b;
  b.ActivityKind = "5";
  d.Businesses.Add(b);
  d.AdvancePaymentsPaid = Rub("100");
  d.AdvancePaymentsAccrued = Rub("200");
  d.AdjustedIncome = Rub("300.5");
  d.AdjustedExpense = Rub("400");
  d.PatentPayments = Rub("500");
  d.TradeFee = Rub("600");
  d.FarmExemptIncome = Rub("700.25");
  d.IsPeasantFarm = 1;
  d.FarmRegistrationDate = EncodeDate(2005, 1, 1);
  TfrBusinessNew page(nullptr, host);
  page.show();
  page.FocusList();
  EXPECT_EQ(Text(&page, "edAdjustedIncome"), QStringLiteral("300,5"));
  EXPECT_EQ(Text(&page, "edFarmYear"), QStringLiteral("2005"));
  EXPECT_TRUE(Find(&page, "edFarmYear")->isEnabled());
  page.StoreData();
  EXPECT_EQ(d.TradeFee, Rub("600")) << "kept as they were";
  EXPECT_EQ(d.FarmExemptIncome, Rub("700.25"));
  EXPECT_EQ(d.FarmRegistrationDate, EncodeDate(2005, 1, 1));

  Click(&page, "btDeleteBusiness");
  EXPECT_EQ(d.Businesses.Count(), 0u);
  EXPECT_FALSE(Find(&page, "gbActivity")->isEnabled());
  EXPECT_FALSE(Find<QCheckBox>(&page, "cbPeasantFarm")->isChecked());
  page.StoreData();
  for (const Currency& amount : {d.AdvancePaymentsPaid, d.AdvancePaymentsAccrued, d.AdjustedIncome, d.AdjustedExpense,
                                 d.PatentPayments, d.TradeFee, d.FarmExemptIncome}) {
    EXPECT_TRUE(amount.IsZero());
  }
  EXPECT_EQ(d.IsPeasantFarm, 0);
}

TEST_F(BusinessTest, TheFarmYear) {
  mTBusinessNew b;
  b.ActivityKind = "5";
  host.declaration.Businesses.Add(b);
  TfrBusinessNew page(nullptr, host);
  page.show();
  auto* farm = Find<QCheckBox>(&page, "cbPeasantFarm");
  EXPECT_EQ(Text(&page, "edFarmYear"), QStringLiteral("2000")) << "the default formation date";
  const int before = host.notices;
  QTest::mouseClick(farm, Qt::LeftButton);
  EXPECT_GT(host.notices, before);
  for (const char* w : {"edFarmYear", "udFarmYearUp", "udFarmYearDown", "edFarmExemptIncome", "lbFarmYear",
                        "lbFarmExemptIncome"}) {
    EXPECT_TRUE(Find(&page, w)->isEnabled()) << w;
  }

  struct Step {
    const char* From;
    const char* Button;
    const char* To;
  };
  const Step steps[] = {
      {"2015", "udFarmYearUp", "2016"}, {"2016", "udFarmYearUp", "2016"},   {"1998", "udFarmYearDown", "1997"},
      {"1997", "udFarmYearDown", "1997"}, {"", "udFarmYearUp", "1998"},     {"1990", "udFarmYearUp", "1998"},
  };
  for (const Step& s : steps) {
    Retype(Find<QLineEdit>(&page, "edFarmYear"), QString::fromLatin1(s.From));
    Click(&page, s.Button);
    EXPECT_EQ(Text(&page, "edFarmYear").toStdString(), s.To) << s.From << " " << s.Button;
  }

  const std::pair<const char*, TDate> stored[] = {
      {"2010", EncodeDate(2010, 1, 1)},
      {"", EncodeDate(2000, 1, 1)},      // empty: 2000
      {"2050", EncodeDate(2016, 1, 1)},  // beyond the range: its end
  };
  for (const auto& [year, date] : stored) {
    Retype(Find<QLineEdit>(&page, "edFarmYear"), QString::fromLatin1(year));
    page.StoreData();
    EXPECT_EQ(host.declaration.FarmRegistrationDate, date) << year;
    EXPECT_EQ(host.declaration.IsPeasantFarm, 1);
  }
  QTest::mouseClick(farm, Qt::LeftButton);
  EXPECT_FALSE(Find(&page, "edFarmExemptIncome")->isEnabled());
  page.StoreData();
  EXPECT_EQ(host.declaration.IsPeasantFarm, 0);
}

TEST_F(BusinessTest, WholeRoubleFields) {
  mTBusinessNew b;
  b.ActivityKind = "2";
  host.declaration.Businesses.Add(b);
  host.declaration.AdvancePaymentsPaid = Rub("1234.5");  // kopecks no field of the page takes
  TfrBusinessNew page(nullptr, host);
  page.show();
  EXPECT_EQ(Text(&page, "edAdvancePaymentsPaid"), QStringLiteral("1235"));
  for (const char* field : {"edAdvancePaymentsPaid", "edAdvancePaymentsAccrued", "edAdjustedExpense", "edPatentPayments",
                            "edTradeFee"}) {
    Retype(Find<QLineEdit>(&page, field), QStringLiteral("12,5"));
    EXPECT_EQ(Text(&page, field), QStringLiteral("125")) << field << " takes whole roubles";
  }
  Retype(Find<QLineEdit>(&page, "edAdjustedIncome"), QStringLiteral("12,5"));
  EXPECT_EQ(Text(&page, "edAdjustedIncome"), QStringLiteral("12,5"));
  Retype(Find<QLineEdit>(&page, "edTradeFee"), QStringLiteral("999999999999"));
  page.StoreData();
  EXPECT_EQ(host.declaration.TradeFee, Rub("999999999999")) << "twelve digits";
  EXPECT_EQ(host.declaration.AdjustedIncome, Rub("12.5"));
}

TEST_F(BusinessTest, TheCheckLeadsToTheActivity) {
  struct Case {
    const char* Name;
    std::vector<mTBusinessNew> Activities;
    std::vector<std::string> Messages;  // with "Пропустить" after each
    int FixedItem;                      // "Исправить" on the first message
  };
  const auto documented = [](const char* kind, const char* total, const char* material, const char* labour,
                             const char* contracts, const char* other) {
    mTBusinessNew b;
    b.ActivityKind = kind;
    b.Okved = "62.01";
    b.ExpensesConfirmed = 1;
    b.ExpenseTotal = Rub(total);
    b.MaterialExpenses = Rub(material);
    b.LabourCosts = Rub(labour);
    b.LabourContractCosts = Rub(contracts);
    b.OtherExpenses = Rub(other);
    return b;
  };
  mTBusinessNew norm;
  norm.ActivityKind = "5";
  norm.ExpensesConfirmed = 0;
  const Case cases[] = {
      {"documented and the norm together",
       {documented("1", "100", "100", "0", "0", "0"), norm},
       {"Нельзя одновременно пользоваться и подтвержденными расходами и нормативом 20%."},
       2},
      {"a total that is not the sum",
       {documented("1", "100", "60", "0", "0", "30")},
       {"Общие расходы (100,00) не совпадают с суммой расходов материальных, на оплату труда, прочих и "
        "амортизационных отчислений (90,00)"},
       1},
      {"labour contracts above the labour costs",
       {documented("2", "50", "0", "50", "60", "0")},
       {"Расходы по оплате трудовых договоров(60,00) превышают сумму расходов на оплату труда (50,00)"},
       1},
      {"a notary beside the norm is not mixed",
       {documented("2", "10", "10", "0", "0", "0"), norm},
       {},
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    host.declaration.SetSections(kSectionRussian);
    host.declaration.SetSections(kSectionRussian | kSectionBusiness);
    for (const mTBusinessNew& b : c.Activities) host.declaration.Businesses.Add(b);
    TfrBusinessNew page(nullptr, host);
    page.show();
    host.presenter.Checks.clear();
    host.presenter.CheckAnswers.assign(c.Messages.size(), CheckAnswer::Skip);
    EXPECT_EQ(page.CheckData(), 0) << "every error skipped";
    std::vector<std::string> shown;
    for (const auto& error : host.presenter.Checks) {
      EXPECT_EQ(error.Title, "Доходы от предпринимательской деятельности");
      shown.push_back(error.Message);
    }
    EXPECT_EQ(shown, c.Messages);
    if (c.FixedItem == 0) continue;
    host.presenter.CheckAnswers = {CheckAnswer::Fix};
    const std::uint16_t item = page.CheckData();
    EXPECT_EQ(item, c.FixedItem);
    page.ShowError(item);
    auto* list = Find<QTreeWidget>(&page, "lvSourseIncomeInfo");
    EXPECT_EQ(list->indexOfTopLevelItem(list->currentItem()), c.FixedItem - 1);
  }
}

// Software development: income 1 200 000 with documented expenses of 700 000 (materials
// 300 000, depreciation 100 000, labour 250 000 of which 200 000 under labour contracts, other
// 50 000); a notary's practice: income 300 000, expenses 100 000. Sheet В: income 1 500 000,
// expenses 800 000, advance payments 40 000 paid of 45 000 accrued. Section 2 at 13 %: base
// 700 000, tax 91 000, less the 40 000 paid and the 1 000 trade fee: 50 000, less the 5 000
// patent payments: 45 000 payable.
TEST_F(BusinessTest, ABusinessWithDocumentedExpensesTypedAndComputed) {
  InstallShippedDictionaries(programFolder);
  auto window = MakeWindow({WriteDeclaration(QStringLiteral("business.tv6"), [](mTDeclaration& d) {
    d.InspectionCode = "7701";
    d.TaxpayerCategory = 0;
    d.SetSections(kSectionRussian | kSectionBusiness);
  })});
  window->show();
  ASSERT_TRUE(window->Button(NavButton::BusinessIncome)->isEnabled());
  Click(window.get(), "fbBusinessIncome");
  ASSERT_EQ(PageName(*window), "TfrBusinessNew");
  QWidget* page = window->CurrentPage();

  AddActivity(page, "rbBusiness", true);
  QTest::mouseClick(Find<QCheckBox>(page, "cbExpensesConfirmed"), Qt::LeftButton);
  const std::pair<const char*, const char*> software[] = {
      {"edIncome", "1200000"},       {"edExpenseTotal", "700000"}, {"edMaterialExpenses", "300000"},
      {"edDepreciation", "100000"},  {"edLabourCosts", "250000"},  {"edLabourContractCosts", "200000"},
      {"edOtherExpenses", "50000"},
  };
  for (const auto& [field, value] : software) TypeText(Find(page, field), QString::fromLatin1(value));
  AddActivity(page, "rbNotary");
  TypeText(Find(page, "edIncome"), QStringLiteral("300000"));
  TypeText(Find(page, "edExpenseTotal"), QStringLiteral("100000"));
  TypeText(Find(page, "edOtherExpenses"), QStringLiteral("100000"));
  const std::pair<const char*, const char*> amounts[] = {
      {"edAdvancePaymentsPaid", "40000"}, {"edAdvancePaymentsAccrued", "45000"},
      {"edPatentPayments", "5000"},       {"edTradeFee", "1000"},
  };
  for (const auto& [field, value] : amounts) Retype(Find<QLineEdit>(page, field), QString::fromLatin1(value));
  EXPECT_FALSE(window->Saved());

  Click(window.get(), "fbInitialData");
  ASSERT_EQ(PageName(*window), "TfrInitialData") << "the page check passes";
  mTDeclaration& d = window->Declaration();
  ASSERT_EQ(d.Businesses.Count(), 2u);
  EXPECT_EQ(d.Businesses.Get(0).Okved, "62.01");
  EXPECT_EQ(d.Businesses.Get(0).ExpensesConfirmed, 1);
  EXPECT_EQ(d.Businesses.Get(0).LabourContractCosts, Rub("200000"));
  EXPECT_EQ(d.Businesses.Get(1).ActivityKind, "2");

  kTSvodSum s;
  s.Compute(d);
  EXPECT_EQ(s.PrilV1.ДоходИт, Rub("1500000"));
  EXPECT_EQ(s.PrilV1.ВычПрофИт, Rub("800000"));
  EXPECT_EQ(s.PrilV1.УплФактАвИт, Rub("40000"));
  EXPECT_EQ(s.PrilV1.НачислАвИт, Rub("45000"));
  const kTSvodSumListValues& list1 = s.List1;
  EXPECT_EQ(list1.ДоходОбщ, Rub("1500000"));
  EXPECT_EQ(list1.ДоходОбщНал, Rub("1500000"));
  EXPECT_EQ(list1.СумНалВыч, Rub("800000"));
  EXPECT_EQ(list1.НалБаза, Rub("700000"));
  EXPECT_EQ(list1.Исчисл, Rub("91000"));
  EXPECT_EQ(list1.УплАвФакт, Rub("40000"));
  EXPECT_EQ(list1.ТСУплПерЗач, Rub("1000"));
  EXPECT_EQ(list1.ИсчислУпл, Rub("50000"));
  EXPECT_EQ(list1.УплПатентЗач, Rub("5000"));
  EXPECT_EQ(list1.ПодлУпл, Rub("45000"));
  EXPECT_TRUE(list1.ПодлВозв.IsZero());
}

TEST_F(BusinessTest, Screenshots) {
  InstallShippedDictionaries(programFolder);
  auto window = MakeWindow({WriteDeclaration(QStringLiteral("shots.tv6"), [](mTDeclaration& d) {
    d.InspectionCode = "7701";
    d.TaxpayerCategory = 0;
    d.SetSections(kSectionRussian | kSectionBusiness);
    mTBusinessNew software;
    software.ActivityKind = "1";
    software.Okved = "62.01";
    software.Income = Rub("1200000");
    software.ExpenseTotal = Rub("700000");
    software.MaterialExpenses = Rub("300000");
    software.Depreciation = Rub("100000");
    software.LabourCosts = Rub("250000");
    software.LabourContractCosts = Rub("200000");
    software.OtherExpenses = Rub("50000");
    d.Businesses.Add(software);
    mTBusinessNew farm;
    farm.ActivityKind = "5";
    farm.ExpensesConfirmed = 0;
    farm.Income = Rub("300000.55");
    farm.ExpenseNorm = Rub("60000.11");
    d.Businesses.Add(farm);
    d.AdvancePaymentsPaid = Rub("40000");
    d.AdvancePaymentsAccrued = Rub("45000");
    d.PatentPayments = Rub("5000");
    d.TradeFee = Rub("1000");
    d.IsPeasantFarm = 1;
    d.FarmRegistrationDate = EncodeDate(2009, 1, 1);
    d.FarmExemptIncome = Rub("150000");
  })});
  window->show();
  Click(window.get(), "fbBusinessIncome");
  SaveShot(window.get(), "page-business");
  // The page opens on its first activity.
  auto* list = Find<QTreeWidget>(window.get(), "lvSourseIncomeInfo");
  EXPECT_EQ(list->currentItem(), list->topLevelItem(0));
  EXPECT_EQ(Text(window.get(), "edIncome"), QStringLiteral("1200000"));
  EXPECT_TRUE(window->Saved());
  list->setCurrentItem(list->topLevelItem(1));
  SaveShot(window.get(), "page-business-norm");
  WhenModal([](QWidget* dialog) {
    SaveShot(dialog, "dialog-business");
    WhenModal([](QWidget* picker) {
      PickOkved(picker, kSoftware);
      SaveShot(picker, "picker-okved");
      QTest::keyClick(picker, Qt::Key_Escape);
    });
    Click(dialog, "btOkved");
    QTest::keyClick(dialog, Qt::Key_Escape);
  });
  Click(window->CurrentPage(), "btAddBusiness");
}

}  // namespace
}  // namespace talver::test
