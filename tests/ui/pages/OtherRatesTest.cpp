// The pages of the other rates: 9 % (not dividends), dividends (13 % for a resident, 15 % for a
// non-resident), 35 %, and the non-resident highly qualified specialists at 13 %, with their
// source dialogs; and returns typed through them whose section 2 comes out as worked by hand.
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QToolButton>

#include "tests/ui/support/EntryTestSupport.h"
#include "compute/SvodSum.h"
#include "platform/NumberText.h"
#include "ui/pages/FrameThirtyFivePercent.h"
#include "ui/dialogs/Input13NRIncome.h"
#include "ui/dialogs/Input30SourseIncome.h"
#include "ui/dialogs/Input35SourseIncome.h"
#include "ui/dialogs/Input9SourseIncome.h"

namespace talver::test {
namespace {

Currency Rub(const char* roubles) { return TextToCurrency(roubles); }
QLineEdit* Edit(QWidget* root, const char* name) {
  auto* edit = root->findChild<QLineEdit*>(QString::fromLatin1(name));
  EXPECT_NE(edit, nullptr) << "no field " << name;
  return edit;
}
QString Text(QWidget* root, const char* name) { return Edit(root, name)->text(); }

// Types the source's name, ИНН, КПП and ОКТМО into a source dialog (an organisation by default).
void TypeSource(QWidget* dialog, const QString& name, const QString& kpp = QStringLiteral("773601001"),
                const QString& inn = QStringLiteral("7707083893"), const QString& oktmo = QStringLiteral("45376000")) {
  Retype(Edit(dialog, "edName"), name);
  Retype(Edit(dialog, "edInn"), inn);
  Retype(Edit(dialog, "edKpp"), kpp);
  Retype(Edit(dialog, "edOktmo"), oktmo);
}

// What one run of "Да" in an entry dialog showed.
struct ConfirmSeen {
  std::vector<std::string> Messages;
  std::vector<std::string> Titles;
  std::vector<bool> SkipOffered;
};

ConfirmSeen Seen(const EntryPresenter& p) {
  ConfirmSeen seen{p.CheckMessages(), {}, p.SkipOffered};
  for (const auto& c : p.Checks) seen.Titles.push_back(c.Title);
  return seen;
}

class RateDialogTest : public UiTest {
 protected:
  EntryPresenter entry;

  void Reset(std::vector<CheckAnswer> answers) {
    entry.Checks.clear();
    entry.SkipOffered.clear();
    entry.CheckAnswers.assign(answers.begin(), answers.end());
  }
};

// ---------------------------------------------------------------------------------------------
// 9 %

TEST_F(RateDialogTest, NinePercentChecksTheSourceAndTheAmounts) {
  struct Case {
    const char* Name;
    const char* Kpp;
    const char* Income;
    const char* Withheld;
    std::vector<CheckAnswer> Answers;
    std::vector<std::string> Shown;
    std::vector<bool> SkipOffered;
    bool Accepted;
    const char* Focus;
  };
  const Case cases[] = {
      {"nothing entered", "773601001", "", "", {}, {}, {}, true, nullptr},
      {"a tax without an income", "773601001", "", "100", {CheckAnswer::Fix}, {"Не указана сумма дохода"}, {true},
       false, "edIncomeTotal"},
      {"a tax without an income, skipped", "773601001", "", "100", {CheckAnswer::Skip}, {"Не указана сумма дохода"},
       {true}, true, nullptr},
      {"more tax than income", "773601001", "1000", "1001", {CheckAnswer::Fix},
       {"Сумма дохода меньше суммы удержанного налога"}, {true}, false, "edTaxWithheld"},
      {"as much tax as income", "773601001", "1000", "1000", {}, {}, {}, true, nullptr},
      {"an organisation without КПП", "", "1000", "90", {CheckAnswer::Skip}, {"Отсутствует КПП"}, {false}, false,
       "edKpp"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Reset(c.Answers);
    TfmInput9SourseIncome dialog(nullptr, entry);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Доход, облагаемый по ставке 9%"));
    dialog.show();
    TypeSource(&dialog, QStringLiteral("ООО \"Купон\""), QString::fromUtf8(c.Kpp));
    Retype(Find<QLineEdit>(&dialog, "edIncomeTotal"), QString::fromLatin1(c.Income));
    Retype(Find<QLineEdit>(&dialog, "edTaxWithheld"), QString::fromLatin1(c.Withheld));
    QTest::keyClick(Find(&dialog, "edTaxWithheld"), Qt::Key_Return);  // Enter is "Да"
    const ConfirmSeen seen = Seen(entry);
    EXPECT_EQ(seen.Messages, c.Shown);
    EXPECT_EQ(seen.SkipOffered, c.SkipOffered);
    for (const std::string& title : seen.Titles) EXPECT_EQ(title, "Доходы, облагаемые по ставке 9%");
    EXPECT_EQ(dialog.result() == QDialog::Accepted, c.Accepted);
    if (c.Focus != nullptr) {
      EXPECT_EQ(dialog.focusWidget(), Find(&dialog, c.Focus));
    }
  }
}

TEST_F(RateDialogTest, NinePercentTaxIsWholeRoublesHalfUp) {
  const std::pair<const char*, std::int64_t> cases[] = {
      {"1000,50", 90},  // 90.045
      {"50", 5},        // 4.5 exactly
      {"27,77", 2},     // 2.4993
      {"38,89", 4},     // 3.5001
      {"0,05", 0},
  };
  for (const auto& [income, tax] : cases) {
    SCOPED_TRACE(income);
    TfmInput9SourseIncome dialog(nullptr, entry);
    Retype(Find<QLineEdit>(&dialog, "edIncomeTotal"), QString::fromLatin1(income));
    Retype(Find<QLineEdit>(&dialog, "edTaxWithheld"), QStringLiteral("3"));
    mTThirtyPercent source;
    dialog.StoreInto(source);
    EXPECT_EQ(source.IncomeTotal, Rub(QString::fromLatin1(income).replace(',', '.').toLatin1().constData()));
    EXPECT_EQ(source.TaxableIncome, source.IncomeTotal);
    EXPECT_EQ(source.TaxComputed, Currency::FromRoubles(tax));
    EXPECT_EQ(source.TaxWithheld, Currency::FromRoubles(3));
  }
}

// ---------------------------------------------------------------------------------------------
// Dividends

TEST_F(RateDialogTest, DividendsAreHeldAgainstTheRateOfTheReturn) {
  struct Case {
    const char* Name;
    std::int32_t Rate;
    const char* Dividends;
    const char* Taxable;
    const char* Withheld;
    const char* Computed;
    std::vector<CheckAnswer> Answers;
    std::vector<std::string> Shown;
    bool Accepted;
    const char* Focus;
  };
  const char* far13 = "Исчисленный налог значительно отличается от 13% от облагаемой суммы диведендов";
  const char* far15 = "Исчисленный налог значительно отличается от 15% от облагаемой суммы диведендов";
  const Case cases[] = {
      {"a resident, 5 roubles from 13 %", 13, "10000", "10000", "1300", "1305", {}, {}, true, nullptr},
      {"a resident, 10 roubles from 13 %", 13, "10000", "10000", "", "1290", {}, {}, true, nullptr},
      {"a resident, 11 roubles from 13 %", 13, "10000", "10000", "", "1311", {CheckAnswer::Fix}, {far13}, false,
       "edTaxComputed"},
      {"a non-resident at 15 %", 15, "10000", "10000", "", "1500", {}, {}, true, nullptr},
      {"a non-resident at 13 %", 15, "10000", "10000", "", "1305", {CheckAnswer::Fix}, {far15}, false,
       "edTaxComputed"},
      {"more taxable than paid", 13, "5000", "6000", "", "780", {CheckAnswer::Fix},
       {"Сумма дивидендов меньше облагаемой суммы дивидендов"}, false, "edIncomeTotal"},
      {"a tax without dividends", 13, "", "", "100", "13", {CheckAnswer::Fix}, {"Не указана сумма дивидендов"}, false,
       "edIncomeTotal"},
      {"more tax than dividends, skipped", 13, "1000", "1000", "1200", "130", {CheckAnswer::Skip, CheckAnswer::Skip},
       {"Сумма дивидендов меньше суммы удержанного налога",
        "Облагаемая сумма дивидендов меньше суммы удержанного налога"},
       true, nullptr},
      {"more tax than taxable", 13, "2000", "1000", "1500", "130", {CheckAnswer::Fix},
       {"Облагаемая сумма дивидендов меньше суммы удержанного налога"}, false, "edTaxWithheld"},
      {"no tax computed, skipped", 13, "1000", "1000", "", "", {CheckAnswer::Skip, CheckAnswer::Skip},
       {"Не указан исчисленный налог", far13}, true, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Reset(c.Answers);
    TfmInput30SourseIncome dialog(nullptr, entry, c.Rate);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Доход в виде дивидендов"));
    dialog.show();
    TypeSource(&dialog, QStringLiteral("ПАО \"Эмитент\""));
    Retype(Find<QLineEdit>(&dialog, "edIncomeTotal"), QString::fromLatin1(c.Dividends));
    Retype(Find<QLineEdit>(&dialog, "edTaxableIncome"), QString::fromLatin1(c.Taxable));
    Retype(Find<QLineEdit>(&dialog, "edTaxWithheld"), QString::fromLatin1(c.Withheld));
    Retype(Find<QLineEdit>(&dialog, "edTaxComputed"), QString::fromLatin1(c.Computed));
    QTest::keyClick(Find(&dialog, "edTaxComputed"), Qt::Key_Return);
    const ConfirmSeen seen = Seen(entry);
    EXPECT_EQ(seen.Messages, c.Shown);
    for (const std::string& title : seen.Titles) EXPECT_EQ(title, "Доходы в виде дивидендов");
    for (bool skip : seen.SkipOffered) EXPECT_TRUE(skip);
    EXPECT_EQ(dialog.result() == QDialog::Accepted, c.Accepted);
    if (c.Focus != nullptr) {
      EXPECT_EQ(dialog.focusWidget(), Find(&dialog, c.Focus));
    }
  }
}

TEST_F(RateDialogTest, DividendsMustComeFromAnOrganisation) {
  // A natural person (no ИНН of an organisation, no КПП) is refused, whatever the answer.
  Reset({CheckAnswer::Skip});
  TfmInput30SourseIncome dialog(nullptr, entry, 13);
  dialog.show();
  TypeSource(&dialog, QStringLiteral("Петров Пётр Петрович"), QString(), QString());
  Retype(Find<QLineEdit>(&dialog, "edIncomeTotal"), QStringLiteral("1000"));
  Retype(Find<QLineEdit>(&dialog, "edTaxComputed"), QStringLiteral("130"));
  Click(&dialog, "btYes");
  EXPECT_EQ(entry.CheckMessages(), std::vector<std::string>{"Отсутствует КПП"});
  EXPECT_EQ(entry.SkipOffered, std::vector<bool>{false});
  EXPECT_EQ(dialog.focusWidget(), Find(&dialog, "edKpp"));
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  Retype(Find<QLineEdit>(&dialog, "edInn"), QStringLiteral("500100732259"));
  EXPECT_EQ(Text(&dialog, "edInn"), QStringLiteral("5001007322")) << "an organisation's ИНН has 10 digits";
}

// ---------------------------------------------------------------------------------------------
// 35 %

class ThirtyFiveDialogTest : public RateDialogTest {
 protected:
  static void Choose(QWidget* dialog, const char* income, const QString& amount, const char* deduction = "") {
    AnswerPicker(QString::fromLatin1(income));
    Click(dialog, "btIncomeCode");
    if (!amount.isNull()) Retype(Find<QLineEdit>(dialog, "edIncomeAmount"), amount);
    if (*deduction != '\0') {
      AnswerPicker(QString::fromLatin1(deduction));
      Click(dialog, "btDeductCode");
    }
  }
};

TEST_F(ThirtyFiveDialogTest, TheIncomesAt35AndTheirDeduction) {
  TfmInput35SourseIncome dialog(nullptr, entry);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Доход"));
  dialog.show();
  EXPECT_FALSE(Find(&dialog, "btDeductCode")->isEnabled());
  PickerSeen incomes;
  AnswerPicker(QStringLiteral("2620"), &incomes);
  Click(&dialog, "btIncomeCode");
  EXPECT_EQ(incomes.Codes, (std::vector<QString>{"2610", "2620", "2740", "3020", "3022"}));
  EXPECT_FALSE(Find(&dialog, "edIncomeAmount")->isEnabled()) << "2620 is declared without an amount";
  EXPECT_FALSE(Find(&dialog, "btDeductCode")->isEnabled());

  // A prize: its deduction follows the income up to 4000, typed or not.
  PickerSeen deductions;
  AnswerPicker(QStringLiteral("2740"));
  Click(&dialog, "btIncomeCode");
  EXPECT_TRUE(Find(&dialog, "edIncomeAmount")->isEnabled());
  Retype(Find<QLineEdit>(&dialog, "edIncomeAmount"), QStringLiteral("3000"));
  AnswerPicker(QStringLiteral("505"), &deductions);
  Click(&dialog, "btDeductCode");
  EXPECT_EQ(deductions.Codes, (std::vector<QString>{"505", "0"}));
  EXPECT_EQ(Text(&dialog, "edDeductAmount"), QStringLiteral("3000"));
  Retype(Find<QLineEdit>(&dialog, "edIncomeAmount"), QStringLiteral("5000"));
  EXPECT_EQ(Text(&dialog, "edDeductAmount"), QStringLiteral("4000"));
  Retype(Find<QLineEdit>(&dialog, "edDeductAmount"), QStringLiteral("4500"));
  EXPECT_EQ(Text(&dialog, "edDeductAmount"), QStringLiteral("4000")) << "a typed sum past the cap is the cap";
  Retype(Find<QLineEdit>(&dialog, "edIncomeAmount"), QString());
  EXPECT_EQ(Text(&dialog, "edDeductAmount"), QStringLiteral("0")) << "shown even when 0";

  // Another income empties the deduction.
  Choose(&dialog, "2610", QStringLiteral("100"));
  EXPECT_TRUE(Text(&dialog, "pnDeductCode").isEmpty());
  EXPECT_TRUE(Text(&dialog, "edDeductAmount").isEmpty());
  EXPECT_FALSE(Find(&dialog, "btDeductCode")->isEnabled());
  // Deduction 0 hides the sum.
  Choose(&dialog, "2740", QStringLiteral("100"), "0");
  EXPECT_TRUE(Find(&dialog, "edDeductAmount")->isHidden());
  entry.CheckAnswers = {CheckAnswer::Fix};
  Click(&dialog, "btYes");
  ASSERT_EQ(entry.CheckMessages().back(), "Не заполненно поле \"Наименование источника выплаты\"");
  ASSERT_EQ(dialog.result(), QDialog::Rejected) << "no source name yet";
  TypeSource(&dialog, QStringLiteral("Лотерея"), QString(), QString(), QString());
  entry.CheckAnswers = {CheckAnswer::Skip};  // no ОКТМО, which may be skipped
  Click(&dialog, "btYes");
  ASSERT_EQ(dialog.result(), QDialog::Accepted);
  mTThirtyFivePercent source;
  dialog.StoreInto(source);
  EXPECT_EQ(source.IncomeCode, 2740);
  EXPECT_EQ(source.DeductCode, 0);
  EXPECT_EQ(source.IncomeTotal, Currency::FromRoubles(100));
}

TEST_F(ThirtyFiveDialogTest, TheChecksOfYes) {
  struct Case {
    const char* Name;
    const char* Income;
    const char* Amount;
    const char* Deduction;
    const char* Sum;
    const char* Withheld;
    std::vector<CheckAnswer> Answers;
    std::vector<std::string> Shown;
    std::vector<bool> SkipOffered;
    bool Accepted;
    const char* Focus;
  };
  const Case cases[] = {
      {"no income", "", "100", "", "", "", {CheckAnswer::Skip}, {"Не выбран доход"}, {false}, false, "btIncomeCode"},
      {"no amount", "2610", "", "", "", "", {CheckAnswer::Skip}, {"Не указана сумма дохода"}, {false}, false,
       "edIncomeAmount"},
      {"2620 without an amount", "2620", "", "", "", "500", {}, {}, {}, true, nullptr},
      {"no deduction chosen", "2740", "1000", "", "", "", {CheckAnswer::Skip}, {"Не выбран вычет"}, {true}, true,
       nullptr},
      {"a deduction above the income", "2740", "3000", "505", "3500", "", {CheckAnswer::Skip},
       {"Сумма вычета превышает сумму дохода"}, {false}, false, "edDeductAmount"},
      {"more tax than income, skipped", "2610", "1000", "", "", "1001", {CheckAnswer::Skip},
       {"Удержанная сумма превышает сумму дохода"}, {true}, true, nullptr},
      {"more tax than income", "2610", "1000", "", "", "1001", {CheckAnswer::Fix},
       {"Удержанная сумма превышает сумму дохода"}, {true}, false, "edTaxWithheld"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Reset(c.Answers);
    TfmInput35SourseIncome dialog(nullptr, entry);
    dialog.show();
    TypeSource(&dialog, QStringLiteral("АО \"Банк\""));
    if (*c.Income != '\0') Choose(&dialog, c.Income, QString(), c.Deduction);
    Retype(Find<QLineEdit>(&dialog, "edIncomeAmount"), QString::fromLatin1(c.Amount));
    if (*c.Sum != '\0') Retype(Find<QLineEdit>(&dialog, "edDeductAmount"), QString::fromLatin1(c.Sum));
    Retype(Find<QLineEdit>(&dialog, "edTaxWithheld"), QString::fromLatin1(c.Withheld));
    if (*c.Income == '\0') AnswerPicker(QString());  // the income picker opens again
    QTest::keyClick(Find(&dialog, "edTaxWithheld"), Qt::Key_Return);
    const ConfirmSeen seen = Seen(entry);
    EXPECT_EQ(seen.Messages, c.Shown);
    EXPECT_EQ(seen.SkipOffered, c.SkipOffered);
    for (const std::string& title : seen.Titles) EXPECT_EQ(title, "Доходы, облагаемые по ставке 35%");
    EXPECT_EQ(dialog.result() == QDialog::Accepted, c.Accepted);
    if (c.Focus != nullptr) {
      EXPECT_EQ(dialog.focusWidget(), Find(&dialog, c.Focus));
    }
  }
}

TEST_F(ThirtyFiveDialogTest, AStoredSourceOpenedAgain) {
  struct Case {
    const char* Name;
    std::int32_t Income;
    std::int32_t Deduction;
    const char* Code;
    const char* Sum;
    bool DeductionOpen;
    bool AmountEnabled;
  };
  const Case cases[] = {
      {"a prize, its deduction following the income", 2740, 505, "505", "3000", true, true},
      {"a deduction no longer listed is dropped", 2740, 999, "", "", true, true},
      {"an income without deductions", 2610, 0, "", "", false, true},
      {"the untaxed benefit", 2620, 0, "", "", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    mTThirtyFivePercent stored;
    stored.Name = Utf8ToCp1251("АО \"Банк\"");
    stored.IncomeCode = c.Income;
    stored.IncomeTotal = Currency::FromRoubles(3000);
    stored.DeductCode = c.Deduction;
    stored.DeductAmount = Currency::FromRoubles(100);
    stored.TaxWithheld = Currency::FromRoubles(700);
    TfmInput35SourseIncome dialog(nullptr, entry);
    dialog.SetSource(stored);
    EXPECT_EQ(Text(&dialog, "edName"), QStringLiteral("АО \"Банк\""));
    EXPECT_EQ(Text(&dialog, "pnIncomeCode").toStdString(), std::to_string(c.Income));
    EXPECT_EQ(Text(&dialog, "pnDeductCode").toStdString(), c.Code);
    EXPECT_EQ(Text(&dialog, "edDeductAmount").toStdString(), c.Sum);
    EXPECT_EQ(Text(&dialog, "edTaxWithheld"), QStringLiteral("700"));
    EXPECT_EQ(Find(&dialog, "btDeductCode")->isEnabled(), c.DeductionOpen);
    EXPECT_EQ(Find(&dialog, "edIncomeAmount")->isEnabled(), c.AmountEnabled);
  }
}

// ---------------------------------------------------------------------------------------------
// The pages

class RatePagesTest : public UiTest {
 protected:
  std::unique_ptr<TFormMain> OpenSubPage(const char* subButton, const char* page,
                                         const std::function<void(mTDeclaration&)>& fill = {}) {
    auto window = MakeWindow({WriteDeclaration(QStringLiteral("rates.tv6"), [&fill](mTDeclaration& d) {
      d.InspectionCode = "5001";
      if (fill) fill(d);
    })});
    window->show();
    window->ShowPage(PageId::RussianIncome, NavButton::RussianIncome);
    Click(window.get(), subButton);
    EXPECT_EQ(SubPageName(*window), page);
    return window;
  }
  static QStringList Names(QWidget* window) {
    QStringList names;
    auto* list = Find<QTreeWidget>(window, "lvSources");
    for (int i = 0; i < list->topLevelItemCount(); ++i) names << list->topLevelItem(i)->text(0);
    return names;
  }
  static void Select(QWidget* window, int row) {
    auto* list = Find<QTreeWidget>(window, "lvSources");
    list->setCurrentItem(list->topLevelItem(row));
  }
  // "Добавить источник выплат" (or another button opening a 9 % dialog) with these values.
  static void EnterNinePercent(QWidget* window, const char* button, const QString& name, const QString& income,
                               const QString& withheld) {
    WhenModal([=](QWidget* dialog) {
      TypeSource(dialog, name);
      Retype(Find<QLineEdit>(dialog, "edIncomeTotal"), income);
      Retype(Find<QLineEdit>(dialog, "edTaxWithheld"), withheld);
      Click(dialog, "btYes");
    });
    Click(window, button);
  }
};

TEST_F(RatePagesTest, NinePercentSourcesAddedEditedAndDeleted) {
  auto window = OpenSubPage("sbIncome2", "TfrNinePercent");
  EXPECT_EQ(Find<QTreeWidget>(window.get(), "lvSources")->headerItem()->text(0), QStringLiteral("Источники выплат"));
  EXPECT_EQ(Find(window.get(), "lvSources")->toolTip(), QStringLiteral("Список источников выплат"));
  EnterNinePercent(window.get(), "btAddSource", QStringLiteral("ООО \"Купон\""), QStringLiteral("1000,50"),
                   QStringLiteral("80"));
  EnterNinePercent(window.get(), "btAddSource", QStringLiteral("ООО \"Второй\""), QStringLiteral("200"), QString());
  // A name of blanks is no name: the dialog does not close on "Да", and "Нет" adds nothing.
  bool stayed = false;
  WhenModal([this, &stayed](QWidget* dialog) {
    TypeSource(dialog, QStringLiteral("   "));
    presenter.CheckAnswers = {CheckAnswer::Skip};
    Click(dialog, "btYes");
    stayed = dialog->isVisible();
    Click(dialog, "btNo");
  });
  Click(window.get(), "btAddSource");
  EXPECT_TRUE(stayed);
  mTDeclaration& d = window->Declaration();
  ASSERT_EQ(d.Sources9.Count(), 2u);
  EXPECT_EQ(Names(window.get()), (QStringList{"ООО \"Купон\"", "ООО \"Второй\""}));
  EXPECT_FALSE(window->Saved());
  const mTThirtyPercent& first = d.Sources9.Get(0);
  EXPECT_EQ(first.IncomeCode, 1011);
  EXPECT_EQ(first.Inn, "7707083893");
  EXPECT_EQ(first.Kpp, "773601001");
  EXPECT_EQ(first.Oktmo, "45376000");
  EXPECT_EQ(first.IncomeTotal, Rub("1000.50"));
  EXPECT_EQ(first.TaxableIncome, Rub("1000.50"));
  EXPECT_EQ(first.TaxComputed, Currency::FromRoubles(90)) << "90.045 to whole roubles";
  EXPECT_EQ(first.TaxWithheld, Currency::FromRoubles(80));

  // The panels show the selected source.
  EXPECT_EQ(Text(window.get(), "pnIncomeTotal"), QStringLiteral("200"));
  Select(window.get(), 0);
  EXPECT_EQ(Text(window.get(), "pnIncomeTotal"), QStringLiteral("1000,5"));
  EXPECT_EQ(Text(window.get(), "pnTaxableIncome"), QStringLiteral("1000,5"));
  EXPECT_EQ(Text(window.get(), "pnTaxComputed"), QStringLiteral("90"));
  EXPECT_EQ(Text(window.get(), "pnTaxWithheld"), QStringLiteral("80"));

  // Editing (a double click or Enter on the list) opens the source with its values.
  QString shownName;
  WhenModal([&shownName](QWidget* dialog) {
    shownName = Find<QLineEdit>(dialog, "edName")->text();
    Retype(Find<QLineEdit>(dialog, "edIncomeTotal"), QStringLiteral("2000"));
    Click(dialog, "btYes");
  });
  QTest::keyClick(Find(window.get(), "lvSources"), Qt::Key_Return);
  EXPECT_EQ(shownName, QStringLiteral("ООО \"Купон\""));
  EXPECT_EQ(first.TaxComputed, Currency::FromRoubles(180));
  EXPECT_EQ(first.IncomeCode, 1011);
  EXPECT_EQ(Text(window.get(), "pnTaxComputed"), QStringLiteral("180"));

  // Deleting selects the line before, or the first; with none left the panels are empty.
  Select(window.get(), 1);
  Click(window.get(), "btDeleteSource");
  EXPECT_EQ(Names(window.get()), QStringList{"ООО \"Купон\""});
  EXPECT_EQ(Text(window.get(), "pnIncomeTotal"), QStringLiteral("2000"));
  Click(window.get(), "btDeleteSource");
  EXPECT_EQ(d.Sources9.Count(), 0u);
  EXPECT_TRUE(Text(window.get(), "pnIncomeTotal").isEmpty());
  EXPECT_TRUE(Text(window.get(), "pnTaxComputed").isEmpty());
}

TEST_F(RatePagesTest, OpeningAPageWithSourcesSelectsTheFirst) {
  auto window = OpenSubPage("sbIncome3", "TfrThirtyFivePercent", [](mTDeclaration& d) {
    for (const auto& [code, deduct] : {std::pair{2610, 0}, std::pair{2740, 505}}) {
      mTThirtyFivePercent s;
      s.Name = Utf8ToCp1251(code == 2610 ? "Банк" : "Лотерея");
      s.IncomeCode = code;
      s.DeductCode = deduct;
      s.IncomeTotal = Currency::FromRoubles(3000);
      s.DeductAmount = deduct != 0 ? Currency::FromRoubles(3000) : Currency();
      d.Sources35.Add(std::move(s));
    }
  });
  EXPECT_EQ(Find<QTreeWidget>(window.get(), "lvSources")->currentItem()->text(0), QStringLiteral("Банк"));
  EXPECT_EQ(Text(window.get(), "pnIncomeCode"), QStringLiteral("2610"));
  EXPECT_EQ(Text(window.get(), "pnDeductCode"), QStringLiteral("Нет"));
  EXPECT_EQ(Text(window.get(), "pnDeductAmount"), QStringLiteral("0"));
  Select(window.get(), 1);
  EXPECT_EQ(Text(window.get(), "pnDeductCode"), QStringLiteral("505"));
  EXPECT_TRUE(window->Saved()) << "looking is not changing";
}

TEST_F(RatePagesTest, AThirtyFiveSourceWithoutAnIncomeIsNotAdded) {
  auto window = OpenSubPage("sbIncome3", "TfrThirtyFivePercent");
  bool stayed = false;
  WhenModal([this, &stayed](QWidget* dialog) {
    TypeSource(dialog, QStringLiteral("АО \"Банк\""));
    Retype(Find<QLineEdit>(dialog, "edIncomeAmount"), QStringLiteral("1000"));
    presenter.CheckAnswers = {CheckAnswer::Fix};
    AnswerPicker(QString());  // the income picker opened again, answered "Нет"
    Click(dialog, "btYes");
    stayed = dialog->isVisible();
    Click(dialog, "btNo");
  });
  Click(window.get(), "btAddSource");
  EXPECT_TRUE(stayed);
  ASSERT_EQ(presenter.Checks.size(), 1u);
  EXPECT_EQ(presenter.Checks[0].Message, "Не выбран доход");
  EXPECT_EQ(window->Declaration().Sources35.Count(), 0u);
  EXPECT_TRUE(Names(window.get()).isEmpty());
}

TEST_F(RatePagesTest, TheNonResidentSpecialistsPage) {
  auto window = OpenSubPage("sbIncome6", "TTfrThirteenPercentNR", [](mTDeclaration& d) {
    d.DeclarationForm = kForm3NonResident;
    d.ForeignerFixedPayments = Currency::FromRoubles(24000);
    d.FarmMonthsWorked = 5;
    mTThirteenPercent wages;  // the 30 % list is not this page's
    wages.Name = "W";
    d.Sources13.Add(std::move(wages));
  });
  EXPECT_EQ(Find<QLabel>(window.get(), "lbRateCaption")->text(),
            QStringLiteral("Доходы нерезидентов, высококвалифицированных специалистов"));
  EXPECT_EQ(Find<QTreeWidget>(window.get(), "lvSources")->topLevelItemCount(), 0);
  EXPECT_FALSE(Find(window.get(), "gbForeigner")->isHidden()) << "always on this page";
  EXPECT_TRUE(Find(window.get(), "gbFarm")->isHidden());
  EXPECT_EQ(Text(window.get(), "edForeignerFixedPayments"), QStringLiteral("24000"));
  EXPECT_TRUE(Find<QLabel>(window.get(), "lbNoDeductions")->text().contains(QStringLiteral("п. 4 ст. 210 НК РФ")))
      << "why a contract's expenses do not count";

  bool boxShown = true;
  WhenModal([&boxShown](QWidget* dialog) {
    boxShown = !Find(dialog, "cbStandardDeductSource")->isHidden();
    TypeSource(dialog, QStringLiteral("ООО \"Наука\""));
    Click(dialog, "btYes");
  });
  Click(window.get(), "btAddSource");
  EXPECT_FALSE(boxShown) << "no standard deductions for a non-resident";
  mTDeclaration& d = window->Declaration();
  ASSERT_EQ(d.Sources13NR.Count(), 1u);
  EXPECT_EQ(d.Sources13.Count(), 1u);

  // The specialists' income dialog: only the incomes a non-resident may declare at 13 %.
  PickerSeen incomes;
  std::string dialogName;
  WhenModal([&](QWidget* dialog) {
    dialogName = dialog->objectName().toStdString();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Сведения о доходе"));
    AnswerPicker(QStringLiteral("2010"), &incomes);
    Click(dialog, "btIncomeCode");
    EXPECT_TRUE(Find(dialog, "btDeductCode")->isEnabled()) << "2010 admits its expenses";
    EXPECT_FALSE(Find(dialog, "edMonth")->isEnabled());
    Retype(Find<QLineEdit>(dialog, "edIncomeAmount"), QStringLiteral("300000"));
    AnswerPicker(QStringLiteral("403"));
    Click(dialog, "btDeductCode");
    EXPECT_TRUE(Find<QLineEdit>(dialog, "edDeductAmount")->text().isEmpty()) << "no sum is set for the user";
    Retype(Find<QLineEdit>(dialog, "edDeductAmount"), QStringLiteral("400000"));
    presenter.CheckAnswers = {CheckAnswer::Fix};
    Click(dialog, "btYes");
    Retype(Find<QLineEdit>(dialog, "edDeductAmount"), QStringLiteral("40000"));
    Click(dialog, "btYes");
  });
  Click(window.get(), "btAddIncome");
  EXPECT_EQ(dialogName, "TfmInput13NRIncome");
  EXPECT_EQ(incomes.Codes, (std::vector<QString>{"2000", "2001", "2002", "2003", "2010", "2012", "2300", "2530"}));
  ASSERT_EQ(presenter.Checks.size(), 1u);
  EXPECT_EQ(presenter.Checks[0].Title, "Доходы нерезедентов, облагаемые по ставке 13%");
  EXPECT_EQ(presenter.Checks[0].Message, "Сумма вычета превышает сумму дохода");
  const mTThirteenPercent& source = d.Sources13NR.Get(0);
  ASSERT_EQ(source.EntryCount(), 1u);
  EXPECT_EQ(source.GetEntry(0).IncomeCode, 2010);
  EXPECT_EQ(source.GetEntry(0).DeductCode, 403);
  EXPECT_EQ(source.GetEntry(0).DeductAmount, Currency::FromRoubles(40000));
  EXPECT_EQ(source.IncomeTotal, Currency::FromRoubles(300000));
  EXPECT_EQ(Text(window.get(), "edIncomeTotal"), QStringLiteral("300000"));

  // No page check: more tax than income does not keep the user here. The page stores as the
  // 13 % page does.
  Retype(Find<QLineEdit>(window.get(), "edTaxWithheld"), QStringLiteral("500000"));
  Retype(Find<QLineEdit>(window.get(), "edForeignerFixedPayments"), QStringLiteral("30000"));
  Click(window.get(), "fbInitialData");
  EXPECT_EQ(PageName(*window), "TfrInitialData");
  EXPECT_EQ(presenter.Checks.size(), 1u);
  EXPECT_EQ(source.TaxWithheld, Currency::FromRoubles(500000));
  EXPECT_EQ(d.ForeignerFixedPayments, Currency::FromRoubles(30000));
  EXPECT_EQ(d.FarmMonthsWorked, 5) << "kept as loaded";
}

// ---------------------------------------------------------------------------------------------
// Returns typed through the windows, and their section 2

// The value of `name` in a section 2 component, by the names of its XML attributes.
class ValueOf {
 public:
  explicit ValueOf(const kTSvodSumListValues& list) : list_(list) {}
  std::map<std::string, Currency> NonZero() const {
    struct Collect {
      std::map<std::string, Currency>* Out;
      void Text(const char*, const char*, const std::string&) {}
      void Value(const char*, const char* name, Currency v) {
        if (!v.IsZero()) (*Out)[name] = v;
      }
    };
    std::map<std::string, Currency> out;
    Collect c{&out};
    list_.VisitValues(c);
    return out;
  }

 private:
  const kTSvodSumListValues& list_;
};

using Values = std::map<std::string, Currency>;

TEST_F(RatePagesTest, AResidentsIncomesAt35AndDividendsAndAt9TypedThroughTheWindows) {
  auto window = OpenSubPage("sbIncome3", "TfrThirtyFivePercent");
  // 35 %: a bank's material benefit of 20 001.43, 5 000 withheld.
  WhenModal([](QWidget* dialog) {
    TypeSource(dialog, QStringLiteral("АО \"Банк\""));
    AnswerPicker(QStringLiteral("2610"));
    Click(dialog, "btIncomeCode");
    Retype(Find<QLineEdit>(dialog, "edIncomeAmount"), QStringLiteral("20001,43"));
    Retype(Find<QLineEdit>(dialog, "edTaxWithheld"), QStringLiteral("5000"));
    Click(dialog, "btYes");
  });
  Click(window.get(), "btAddSource");
  // Dividends of 10 000, all taxable, 1 300 computed and 1 000 withheld.
  Click(window.get(), "sbIncome7");
  ASSERT_EQ(SubPageName(*window), "TfrThirtyPercent");
  WhenModal([](QWidget* dialog) {
    TypeSource(dialog, QStringLiteral("ПАО \"Эмитент\""));
    Retype(Find<QLineEdit>(dialog, "edIncomeTotal"), QStringLiteral("10000"));
    Retype(Find<QLineEdit>(dialog, "edTaxableIncome"), QStringLiteral("10000"));
    Retype(Find<QLineEdit>(dialog, "edTaxWithheld"), QStringLiteral("1000"));
    Retype(Find<QLineEdit>(dialog, "edTaxComputed"), QStringLiteral("1300"));
    Click(dialog, "btYes");
  });
  Click(window.get(), "btAddSource");
  // 9 %: 1 000.50 of coupons, nothing withheld.
  Click(window.get(), "sbIncome2");
  EnterNinePercent(window.get(), "btAddSource", QStringLiteral("ООО \"Купон\""), QStringLiteral("1000,50"), QString());
  EXPECT_TRUE(presenter.Checks.empty());

  mTDeclaration& d = window->Declaration();
  ASSERT_EQ(d.Sources35.Count(), 1u);
  ASSERT_EQ(d.SourcesDividends.Count(), 1u);
  ASSERT_EQ(d.Sources9.Count(), 1u);
  EXPECT_EQ(d.SourcesDividends.Get(0).IncomeCode, 1010);
  kTSvodSum summary;
  summary.Compute(d);
  // 35 %: 20 001.43 × 35 % = 7 000.5005, to 7 001; less 5 000 withheld, 2 001 payable.
  EXPECT_EQ(ValueOf(summary.List3).NonZero(), (Values{{"ДоходОбщ", Rub("20001.43")},
                                                      {"ДоходОбщНал", Rub("20001.43")},
                                                      {"НалБаза", Rub("20001.43")},
                                                      {"Исчисл", Rub("7001")},
                                                      {"УдержОбщ", Rub("5000")},
                                                      {"ИсчислУпл", Rub("2001")},
                                                      {"ПодлУпл", Rub("2001")}}));
  EXPECT_EQ(d.Sources35.Get(0).TaxComputed, Currency::FromRoubles(7001));
  // Dividends at 13 %: 1 300 on 10 000, less 1 000 withheld, 300 payable.
  EXPECT_EQ(ValueOf(summary.ListDiv).NonZero(), (Values{{"ДоходОбщ", Rub("10000")},
                                                        {"ДоходОбщНал", Rub("10000")},
                                                        {"НалБаза", Rub("10000")},
                                                        {"Исчисл", Rub("1300")},
                                                        {"УдержОбщ", Rub("1000")},
                                                        {"ИсчислУпл", Rub("300")},
                                                        {"ПодлУпл", Rub("300")}}));
  // 9 %: 1 000.50 × 9 % = 90.045, to 90, nothing withheld.
  EXPECT_EQ(ValueOf(summary.List4).NonZero(), (Values{{"ДоходОбщ", Rub("1000.50")},
                                                      {"ДоходОбщНал", Rub("1000.50")},
                                                      {"НалБаза", Rub("1000.50")},
                                                      {"Исчисл", Rub("90")},
                                                      {"ИсчислУпл", Rub("90")},
                                                      {"ПодлУпл", Rub("90")}}));
}

TEST_F(RatePagesTest, ANonResidentsDividendsAt15AndSpecialistsIncomeTypedThroughTheWindows) {
  auto window = OpenSubPage("sbIncome2", "TfrThirtyPercent", [](mTDeclaration& d) {
    d.DeclarationForm = kForm3NonResident;
  });
  EXPECT_EQ(Find<QLabel>(window.get(), "lbRateCaption")->text(), QStringLiteral("Дивиденды нерезидента"));
  // Withheld at 13 % instead of 15 %: the computed tax is held against 15 %.
  WhenModal([](QWidget* dialog) {
    TypeSource(dialog, QStringLiteral("ПАО \"Эмитент\""));
    Retype(Find<QLineEdit>(dialog, "edIncomeTotal"), QStringLiteral("100000,10"));
    Retype(Find<QLineEdit>(dialog, "edTaxableIncome"), QStringLiteral("100000,10"));
    Retype(Find<QLineEdit>(dialog, "edTaxWithheld"), QStringLiteral("13000"));
    Retype(Find<QLineEdit>(dialog, "edTaxComputed"), QStringLiteral("15000"));
    Click(dialog, "btYes");
  });
  Click(window.get(), "btAddSource");
  Click(window.get(), "sbIncome6");
  ASSERT_EQ(SubPageName(*window), "TTfrThirteenPercentNR");
  WhenModal([](QWidget* dialog) {
    TypeSource(dialog, QStringLiteral("ООО \"Наука\""));
    Click(dialog, "btYes");
  });
  Click(window.get(), "btAddSource");
  WhenModal([](QWidget* dialog) {
    AnswerPicker(QStringLiteral("2000"));
    Click(dialog, "btIncomeCode");
    Retype(Find<QLineEdit>(dialog, "edIncomeAmount"), QStringLiteral("100000"));
    Click(dialog, "btYes");
  });
  Click(window.get(), "btAddIncome");
  Retype(Find<QLineEdit>(window.get(), "edTaxWithheld"), QStringLiteral("13000"));
  window->CurrentPage()->StoreData();
  EXPECT_TRUE(presenter.Checks.empty());

  kTSvodSum summary;
  summary.Compute(window->Declaration());
  // 15 %: 100 000.10 × 15 % = 15 000.015, to 15 000; less 13 000 withheld, 2 000 payable.
  EXPECT_EQ(ValueOf(summary.List5).NonZero(), (Values{{"ДоходОбщ", Rub("100000.10")},
                                                      {"ДоходОбщНал", Rub("100000.10")},
                                                      {"НалБаза", Rub("100000.10")},
                                                      {"Исчисл", Rub("15000")},
                                                      {"УдержОбщ", Rub("13000")},
                                                      {"ИсчислУпл", Rub("2000")},
                                                      {"ПодлУпл", Rub("2000")}}));
  // 13 %: the specialist's 100 000, taxed in full.
  EXPECT_EQ(ValueOf(summary.List1).NonZero(), (Values{{"ДоходОбщ", Rub("100000")},
                                                      {"ДоходОбщНал", Rub("100000")},
                                                      {"НалБаза", Rub("100000")},
                                                      {"Исчисл", Rub("13000")},
                                                      {"УдержОбщ", Rub("13000")}}));
}

// ---------------------------------------------------------------------------------------------
// Pictures of the pages and dialogs, for a person to look at

TEST_F(RatePagesTest, Screenshots) {
  auto window = OpenSubPage("sbIncome2", "TfrNinePercent", [](mTDeclaration& d) {
    mTThirtyPercent nine;
    nine.Name = Utf8ToCp1251("ООО \"Управляющая компания ипотечного покрытия\"");
    nine.IncomeCode = 1011;
    nine.IncomeTotal = nine.TaxableIncome = Rub("125000.50");
    nine.TaxComputed = Currency::FromRoubles(11250);
    nine.TaxWithheld = Currency::FromRoubles(11250);
    d.Sources9.Add(std::move(nine));
    mTThirtyPercent dividends;
    dividends.Name = Utf8ToCp1251("ПАО \"Эмитент\"");
    dividends.IncomeCode = 1010;
    dividends.IncomeTotal = dividends.TaxableIncome = Currency::FromRoubles(10000);
    dividends.TaxComputed = dividends.TaxWithheld = Currency::FromRoubles(1300);
    d.SourcesDividends.Add(std::move(dividends));
    mTThirtyFivePercent prize;
    prize.Name = Utf8ToCp1251("АО \"Всероссийская лотерея\"");
    prize.IncomeCode = 2740;
    prize.DeductCode = 505;
    prize.IncomeTotal = Currency::FromRoubles(50000);
    prize.DeductAmount = Currency::FromRoubles(4000);
    prize.TaxWithheld = Currency::FromRoubles(16100);
    d.Sources35.Add(std::move(prize));
  });
  window->resize(1024, 768);
  SaveShot(window.get(), "page-nine-percent");
  Click(window.get(), "sbIncome3");
  SaveShot(window.get(), "page-thirty-five-percent");
  Click(window.get(), "sbIncome7");
  SaveShot(window.get(), "page-dividends");

  TfmInput9SourseIncome nine(window.get(), presenter);
  nine.SetSource(window->Declaration().Sources9.Get(0));
  nine.show();
  SaveShot(&nine, "dialog-nine-percent");
  nine.hide();
  TfmInput30SourseIncome dividends(window.get(), presenter, 13);
  dividends.SetSource(window->Declaration().SourcesDividends.Get(0));
  dividends.show();
  SaveShot(&dividends, "dialog-dividends");
  dividends.hide();
  TfmInput35SourseIncome prize(window.get(), presenter);
  prize.SetSource(window->Declaration().Sources35.Get(0));
  prize.show();
  SaveShot(&prize, "dialog-thirty-five-percent");
  prize.hide();

  auto nr = OpenSubPage("sbIncome6", "TTfrThirteenPercentNR", [](mTDeclaration& d) {
    d.DeclarationForm = kForm3NonResident;
    mTThirteenPercent s;
    s.Name = Utf8ToCp1251("ООО \"Научно-исследовательский центр\"");
    s.Inn = "7707083893";
    s.Kpp = "773601001";
    s.Oktmo = "45376000";
    for (std::uint16_t month = 1; month <= 6; ++month) {
      s.AddEntry({2000, "", Currency::FromRoubles(200000), 0, {}, 0, month});
    }
    s.TaxWithheld = Currency::FromRoubles(156000);
    d.Sources13NR.Add(std::move(s));
  });
  nr->resize(1024, 768);
  SaveShot(nr.get(), "page-thirteen-percent-specialists");
  TfmInput13NRIncome income(nr.get(), presenter);
  income.SetEntry({2010, "", Currency::FromRoubles(300000), 403, Currency::FromRoubles(40000), 0, 1});
  income.show();
  SaveShot(&income, "dialog-income-specialists");
  income.hide();
}

}  // namespace
}  // namespace talver::test
