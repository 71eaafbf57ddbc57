// Incomes at 13 %: the income entry dialog (codes from the dictionary, the deduction sum formed
// from the chosen deduction, the checks of "Да", an entry opened again, a non-resident's
// return) and the page (sources, lines month by month, the source's total, its check).
#include <QGroupBox>
#include <QLabel>
#include <QToolButton>

#include "tests/ui/support/EntryTestSupport.h"
#include "ui/pages/FrameThirteenPercent.h"
#include "ui/dialogs/Input13Income.h"

namespace talver::test {
namespace {

QString Text(QWidget* root, const char* name) { return root->findChild<QLineEdit*>(QString::fromLatin1(name))->text(); }

class IncomeDialogTest : public UiTest {
 protected:
  EntryPresenter entry;

  // Chooses the income and, when given, the deduction as the user does, typing the income
  // amount first.
  static void Choose(TfmInput13Income& dialog, const char* income, const QString& amount, const char* deduction = "") {
    AnswerPicker(QString::fromLatin1(income));
    Click(&dialog, "btIncomeCode");
    if (!amount.isEmpty()) Retype(Find<QLineEdit>(&dialog, "edIncomeAmount"), amount);
    if (*deduction != '\0') {
      AnswerPicker(QString::fromLatin1(deduction));
      Click(&dialog, "btDeductCode");
    }
  }
};

TEST_F(IncomeDialogTest, TheDeductionSumFollowsTheChosenDeduction) {
  struct Case {
    const char* Income;
    const char* Amount;
    const char* Deduction;
    const char* Sum;  // as shown right after the choice
    bool Typed;       // the user may type the sum
    bool Shown;
  };
  const Case cases[] = {
      {"1211", "15000", "510", "12000", true, true},     // capped at 12 000
      {"1211", "9000", "510", "9000", true, true},       // the income itself
      {"2208", "1234,57", "405", "246,91", false, true},  // 20 %
      {"2206", "1000,03", "405", "250,01", false, true},  // 25 % of 1000.03 is 250.0075
      {"2010", "100", "403", "", true, true},            // typed by the user
      {"1510", "2500000", "901", "1000000", false, true},
      {"1510", "", "901", "0", false, true},              // capped, no base: "0"
      {"2720", "3000", "0", "", true, false},             // no deduction: no sum
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.Income) + "/" + c.Deduction + " " + c.Amount);
    TfmInput13Income dialog(nullptr, entry, false);
    dialog.show();
    Choose(dialog, c.Income, QString::fromUtf8(c.Amount), c.Deduction);
    auto* sum = Find<QLineEdit>(&dialog, "edDeductAmount");
    EXPECT_EQ(sum->text().toStdString(), c.Sum);
    EXPECT_EQ(!sum->isHidden(), c.Shown);
    EXPECT_EQ(!sum->isReadOnly(), c.Typed);
    EXPECT_EQ(Find<QLabel>(&dialog, "lbDeductAmount")->isHidden(), !c.Shown);
  }
}

TEST_F(IncomeDialogTest, TheSumIsRecomputedAndCutAsTheUserTypes) {
  TfmInput13Income dialog(nullptr, entry, false);
  dialog.show();
  Choose(dialog, "1211", QStringLiteral("15000"), "510");
  auto* sum = Find<QLineEdit>(&dialog, "edDeductAmount");
  Retype(sum, QStringLiteral("13000"));
  EXPECT_EQ(sum->text(), QStringLiteral("12000")) << "a typed sum at or over the cap becomes the cap";
  Retype(sum, QStringLiteral("500"));
  EXPECT_EQ(sum->text(), QStringLiteral("500"));
  Retype(Find<QLineEdit>(&dialog, "edIncomeAmount"), QStringLiteral("8000"));
  EXPECT_EQ(sum->text(), QStringLiteral("8000")) << "the sum follows the income";
  Retype(Find<QLineEdit>(&dialog, "edIncomeAmount"), QString());
  EXPECT_TRUE(sum->text().isEmpty()) << "no income, no sum";

  TfmInput13Income norm(nullptr, entry, false);
  norm.show();
  Choose(norm, "2202", QStringLiteral("1000"), "405");
  EXPECT_EQ(Text(&norm, "edDeductAmount"), QStringLiteral("300"));
  Retype(Find<QLineEdit>(&norm, "edIncomeAmount"), QStringLiteral("2000,10"));
  EXPECT_EQ(Text(&norm, "edDeductAmount"), QStringLiteral("600,03"));

  // Another income clears the deduction; one without deductions closes the section.
  Choose(norm, "2000", QString());
  EXPECT_TRUE(Text(&norm, "pnDeductCode").isEmpty());
  EXPECT_TRUE(Text(&norm, "edDeductAmount").isEmpty());
  EXPECT_FALSE(Find(&norm, "btDeductCode")->isEnabled());
  EXPECT_FALSE(Find(&norm, "lbDeductCode")->isEnabled());
  EXPECT_TRUE(Find(&norm, "edMonth")->isEnabled()) << "a resident's month once an income is chosen";
}

TEST_F(IncomeDialogTest, ThePickersOfferTheDictionarysCodes) {
  TfmInput13Income dialog(nullptr, entry, false);
  dialog.show();
  EXPECT_FALSE(Find(&dialog, "edMonth")->isEnabled()) << "no month before an income";
  PickerSeen incomes;
  AnswerPicker(QStringLiteral("1211"), &incomes);
  Click(&dialog, "btIncomeCode");
  EXPECT_EQ(incomes.Caption, QStringLiteral("Справочник видов доходов"));
  EXPECT_EQ(incomes.Codes.size(), 86u) << "the incomes at 13 %";
  EXPECT_EQ(incomes.Current, QStringLiteral("1011")) << "with no code the first row";
  EXPECT_EQ(Find<QLabel>(&dialog, "lbIncomeName")->text(),
            QStringLiteral("Доходы, полученные в виде сумм страховых взносов за ФЛ из средств работодателя"));
  PickerSeen deductions;
  AnswerPicker(QStringLiteral("0"), &deductions);
  Click(&dialog, "btDeductCode");
  EXPECT_EQ(deductions.Caption, QStringLiteral("Справочник видов вычетов"));
  EXPECT_EQ(deductions.Codes, (std::vector<QString>{QStringLiteral("510"), QStringLiteral("0")}));
  EXPECT_EQ(deductions.Current, QStringLiteral("510"));

  // Opened again, each picker is on the code chosen; "Нет" keeps it.
  AnswerPicker(QString(), &incomes);
  Click(&dialog, "btIncomeCode");
  EXPECT_EQ(incomes.Current, QStringLiteral("1211"));
  AnswerPicker(QString(), &deductions);
  Click(&dialog, "btDeductCode");
  EXPECT_EQ(deductions.Current, QStringLiteral("0"));
  EXPECT_EQ(Text(&dialog, "pnDeductCode"), QStringLiteral("0"));
}

TEST_F(IncomeDialogTest, TheChecksOfYes) {
  struct Case {
    const char* Name;
    const char* Income;
    const char* Amount;
    const char* Deduction;
    const char* Sum;
    std::vector<CheckAnswer> Answers;
    std::vector<std::string> Shown;
    std::vector<bool> SkipOffered;
    bool Accepted;
    const char* Focus;  // the field focused when the dialog stays
  };
  const Case cases[] = {
      {"no income", "", "100", "", "", {CheckAnswer::Fix}, {"Не выбран доход"}, {true}, false, "btIncomeCode"},
      {"no income skipped", "", "100", "", "", {CheckAnswer::Skip}, {"Не выбран доход"}, {true}, true, nullptr},
      {"no amount", "2000", "", "", "", {CheckAnswer::Skip}, {"Не указана сумма дохода"}, {false}, false,
       "edIncomeAmount"},
      {"no deduction chosen", "1211", "100", "", "", {CheckAnswer::Skip}, {"Не выбран вычет"}, {true}, true, nullptr},
      {"securities: expenses above the income", "1530", "100", "201", "150", {}, {}, {}, true, nullptr},
      {"a contract: expenses above the income", "2010", "100", "403", "150", {CheckAnswer::Skip},
       {"Сумма вычета превышает сумму дохода"}, {false}, false, "edDeductAmount"},
      {"a contract within the income", "2010", "100", "403", "100", {}, {}, {}, true, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    entry.Checks.clear();
    entry.SkipOffered.clear();
    entry.CheckAnswers.assign(c.Answers.begin(), c.Answers.end());
    TfmInput13Income dialog(nullptr, entry, false);
    dialog.show();
    if (*c.Income != '\0') {
      Choose(dialog, c.Income, QString(), c.Deduction);
    }
    Retype(Find<QLineEdit>(&dialog, "edIncomeAmount"), QString::fromLatin1(c.Amount));
    if (*c.Sum != '\0') Retype(Find<QLineEdit>(&dialog, "edDeductAmount"), QString::fromLatin1(c.Sum));
    if (c.Focus != nullptr && std::string(c.Focus) == "btIncomeCode") AnswerPicker(QString());  // reopened
    QTest::keyClick(Find(&dialog, "edIncomeAmount"), Qt::Key_Return);
    EXPECT_EQ(entry.CheckMessages(), c.Shown);
    EXPECT_EQ(entry.SkipOffered, c.SkipOffered);
    for (const auto& shown : entry.Checks) EXPECT_EQ(shown.Title, "Доходы, облагаемые по ставке 13%");
    EXPECT_EQ(dialog.result() == QDialog::Accepted, c.Accepted);
    if (c.Focus != nullptr) {
      EXPECT_EQ(dialog.focusWidget(), Find(&dialog, c.Focus));
    }
  }
}

TEST_F(IncomeDialogTest, ASaleOfHousingAsksHowTheIncomeWasDeclared) {
  for (const auto& [answer, attribute] : {std::pair{QuestionAnswer::Yes, 2}, std::pair{QuestionAnswer::No, 1}}) {
    entry.Questions = {answer};
    entry.Asked.clear();
    TfmInput13Income dialog(nullptr, entry, false);
    dialog.show();
    Choose(dialog, "1511", QStringLiteral("900000"), "904");
    Retype(Find<QLineEdit>(&dialog, "edMonth"), QStringLiteral("5"));
    Click(&dialog, "btYes");
    EXPECT_EQ(entry.Asked, std::vector<std::string>{"Декларируемый доход определен как 70% от кадастровой стоимости объекта?"});
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    const mTSourseIncome e = dialog.Entry();
    EXPECT_EQ(e.DeductAttribute, attribute);
    EXPECT_EQ(e.IncomeCode, 1511);
    EXPECT_EQ(e.DeductCode, 904);
    EXPECT_EQ(e.Month, 5);
  }
  // Other incomes keep the deduction's norm, without a question.
  TfmInput13Income norm(nullptr, entry, false);
  norm.show();
  Choose(norm, "2205", QStringLiteral("1000"), "405");
  Click(&norm, "btYes");
  EXPECT_EQ(norm.Entry().DeductAttribute, 40);
  EXPECT_EQ(norm.Entry().DeductAmount, Currency::FromRoubles(400));
  EXPECT_EQ(norm.Entry().Month, 1) << "no month typed: January";
}

TEST_F(IncomeDialogTest, AMonthPastDecemberIsDecember) {
  TfmInput13Income dialog(nullptr, entry, false);
  dialog.show();
  Choose(dialog, "2000", QStringLiteral("1"));
  auto* month = Find<QLineEdit>(&dialog, "edMonth");
  Retype(month, QStringLiteral("13"));
  EXPECT_EQ(month->text(), QStringLiteral("12"));
  Retype(month, QStringLiteral("05"));
  EXPECT_EQ(month->text(), QStringLiteral("05"));
  Retype(month, QStringLiteral("0"));
  Click(&dialog, "btYes");
  EXPECT_EQ(month->text(), QStringLiteral("1")) << "a zero month is January";
  EXPECT_EQ(dialog.Entry().Month, 1);
}

TEST_F(IncomeDialogTest, AnEntryOpenedAgain) {
  struct Case {
    const char* Name;
    mTSourseIncome Stored;
    bool NonResident;
    const char* Code;
    const char* Sum;
    bool DeductionOpen;
    bool SumTyped;
  };
  const Case cases[] = {
      {"a norm recomputed from the income", {2208, "", Currency::FromRoubles(1000), 405, Currency::FromRoubles(100), 20, 3},
       false, "405", "200", true, false},
      {"a typed sum kept", {2010, "", Currency::FromRoubles(1000), 403, Currency::FromRoubles(300), 0, 3}, false, "403",
       "300", true, true},
      {"a deduction no longer listed is dropped", {1530, "", Currency::FromRoubles(1000), 999, Currency::FromRoubles(9), 0, 3},
       false, "", "", true, false},
      {"an income without deductions", {2000, "", Currency::FromRoubles(1000), 0, {}, 0, 3}, false, "", "", false, false},
      {"an income not in the dictionary", {2791, "", Currency::FromRoubles(1000), 601, Currency::FromRoubles(1), 0, 3},
       false, "", "", false, false},
      {"a non-resident's gift, typed freely", {2720, "", Currency::FromRoubles(9000), 501, Currency::FromRoubles(6000), 0, 1},
       true, "501", "6000", true, true},
      {"a non-resident's insurance income", {1211, "", Currency::FromRoubles(9000), 510, Currency::FromRoubles(6000), 0, 1},
       true, "", "", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TfmInput13Income dialog(nullptr, entry, c.NonResident);
    dialog.SetEntry(c.Stored);
    EXPECT_EQ(Text(&dialog, "pnIncomeCode").toStdString(), std::to_string(c.Stored.IncomeCode));
    EXPECT_EQ(Text(&dialog, "pnDeductCode").toStdString(), c.Code);
    EXPECT_EQ(Text(&dialog, "edDeductAmount").toStdString(), c.Sum);
    EXPECT_EQ(Find(&dialog, "btDeductCode")->isEnabled(), c.DeductionOpen);
    EXPECT_EQ(!Find<QLineEdit>(&dialog, "edDeductAmount")->isReadOnly(), c.SumTyped);
    EXPECT_EQ(Find(&dialog, "edMonth")->isEnabled(), !c.NonResident && c.Stored.IncomeCode != 2791);
  }
  TfmInput13Income empty(nullptr, entry, false);
  empty.SetEntry({});
  EXPECT_TRUE(Text(&empty, "pnIncomeCode").isEmpty());
  EXPECT_FALSE(Find(&empty, "btDeductCode")->isEnabled());
  EXPECT_FALSE(Find(&empty, "edMonth")->isEnabled());
}

TEST_F(IncomeDialogTest, ANonResidentsReturn) {
  TfmInput13Income dialog(nullptr, entry, true);
  dialog.show();
  PickerSeen incomes;
  AnswerPicker(QStringLiteral("1211"), &incomes);
  Click(&dialog, "btIncomeCode");
  EXPECT_EQ(incomes.Codes.size(), 90u) << "the incomes at 13 % and 35 %";
  EXPECT_EQ(std::count(incomes.Codes.begin(), incomes.Codes.end(), QStringLiteral("2620")), 0);
  EXPECT_EQ(std::count(incomes.Codes.begin(), incomes.Codes.end(), QStringLiteral("2610")), 1);
  EXPECT_FALSE(Find(&dialog, "btDeductCode")->isEnabled()) << "1211 has a deduction, but not for a non-resident";
  EXPECT_FALSE(Find(&dialog, "edMonth")->isEnabled());

  PickerSeen deductions;
  Choose(dialog, "2760", QStringLiteral("10000"));
  AnswerPicker(QStringLiteral("503"), &deductions);
  Click(&dialog, "btDeductCode");
  EXPECT_EQ(deductions.Codes, (std::vector<QString>{QStringLiteral("503"), QStringLiteral("0")}));
  EXPECT_EQ(Text(&dialog, "edDeductAmount"), QStringLiteral("4000"));

  Choose(dialog, "2720", QStringLiteral("3000"), "501");
  EXPECT_EQ(Text(&dialog, "edDeductAmount"), QStringLiteral("3000"));
  Retype(Find<QLineEdit>(&dialog, "edIncomeAmount"), QStringLiteral("10000"));
  Retype(Find<QLineEdit>(&dialog, "edDeductAmount"), QStringLiteral("5000"));
  EXPECT_EQ(Text(&dialog, "edDeductAmount"), QStringLiteral("4000")) << "a gift's deduction is capped at 4000";
  Click(&dialog, "btYes");
  ASSERT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.Entry().Month, 1) << "a non-resident's entry has no month of its own";
  EXPECT_EQ(dialog.Entry().DeductAmount, Currency::FromRoubles(4000));
}

// ---------------------------------------------------------------------------------------------
// The page

class ThirteenPercentPageTest : public UiTest {
 protected:
  std::unique_ptr<TFormMain> OpenPage(const std::function<void(mTDeclaration&)>& fill = {}) {
    auto window = MakeWindow({WriteDeclaration(QStringLiteral("incomes.tv6"), [&fill](mTDeclaration& d) {
      d.InspectionCode = "5001";
      if (fill) fill(d);
    })});
    window->show();
    window->ShowPage(PageId::RussianIncome, NavButton::RussianIncome);
    EXPECT_EQ(SubPageName(*window), "TfrThirteenPercent");
    return window;
  }
  // "Добавить доход" (or another line button that opens the dialog) answered with these values.
  static void EnterLine(QWidget* window, const char* button, const char* income, const QString& amount,
                        const QString& month, const char* deduction = "") {
    WhenModal([=](QWidget* dialog) {
      if (*income != '\0') {
        AnswerPicker(QString::fromLatin1(income));
        Click(dialog, "btIncomeCode");
      }
      Retype(Find<QLineEdit>(dialog, "edIncomeAmount"), amount);
      if (*deduction != '\0') {
        AnswerPicker(QString::fromLatin1(deduction));
        Click(dialog, "btDeductCode");
      }
      if (!month.isNull()) Retype(Find<QLineEdit>(dialog, "edMonth"), month);
      Click(dialog, "btYes");
    });
    Click(window, button);
  }
  static QStringList Row(QWidget* window, int row) {
    QTreeWidgetItem* item = Find<QTreeWidget>(window, "lvIncomes")->topLevelItem(row);
    QStringList cells;
    if (item == nullptr) return cells;
    for (int i = 0; i < 5; ++i) cells << item->text(i);
    return cells;
  }
  static int Selected(QWidget* window, const char* list) {
    auto* tree = Find<QTreeWidget>(window, list);
    return tree->currentItem() != nullptr ? tree->indexOfTopLevelItem(tree->currentItem()) : -1;
  }
};

TEST_F(ThirteenPercentPageTest, ASourceAndItsIncomeMonthByMonth) {
  auto window = OpenPage();
  for (const char* b : {"btAddIncome", "btDeleteIncome", "btEditIncome", "btRepeatIncome", "edTaxWithheld"}) {
    EXPECT_FALSE(Find(window.get(), b)->isEnabled()) << b << " without a source";
  }
  WhenModal([](QWidget* dialog) {
    TypeText(Find(dialog, "edName"), QStringLiteral("ООО \"Ромашка\""));
    TypeText(Find(dialog, "edInn"), QStringLiteral("7707083893"));
    TypeText(Find(dialog, "edKpp"), QStringLiteral("773601001"));
    TypeText(Find(dialog, "edOktmo"), QStringLiteral("45376000"));
    Click(dialog, "btYes");
  });
  Click(window.get(), "btAddSource");
  mTDeclaration& d = window->Declaration();
  ASSERT_EQ(d.Sources13.Count(), 1u);
  EXPECT_EQ(Find<QTreeWidget>(window.get(), "lvSources")->topLevelItem(0)->text(0), QStringLiteral("ООО \"Ромашка\""));
  EXPECT_EQ(Selected(window.get(), "lvSources"), 0);
  EXPECT_TRUE(Find(window.get(), "btAddIncome")->isEnabled());

  EnterLine(window.get(), "btAddIncome", "2000", QStringLiteral("45000"), QStringLiteral("1"));
  for (int month = 2; month <= 11; ++month) {
    EnterLine(window.get(), "btAddIncome", "2000", QStringLiteral("45000"), QString::number(month));
  }
  EnterLine(window.get(), "btAddIncome", "2000", QStringLiteral("50000,50"), QStringLiteral("12"));
  EnterLine(window.get(), "btAddIncome", "1211", QStringLiteral("15000"), QStringLiteral("12"), "510");
  const mTThirteenPercent& source = d.Sources13.Get(0);
  ASSERT_EQ(source.EntryCount(), 13u);
  EXPECT_EQ(source.IncomeTotal, Currency::FromKopecks(4500000 * 11 + 5000050 + 1500000));
  EXPECT_EQ(Text(window.get(), "edIncomeTotal"), QStringLiteral("560000,5"));
  EXPECT_EQ(Row(window.get(), 0), (QStringList{"Январь", "2000", "45000,00", "Нет", "-"}));
  EXPECT_EQ(Row(window.get(), 12), (QStringList{"Декабрь", "1211", "15000,00", "510", "12000,00"}));
  EXPECT_EQ(Selected(window.get(), "lvIncomes"), 12) << "the new line is selected";
  const mTSourseIncome& insurance = source.GetEntry(12);
  EXPECT_EQ(insurance.IncomeName, Utf8ToCp1251("Доходы, полученные в виде сумм страховых взносов за ФЛ из средств работодателя"));
  EXPECT_EQ(insurance.DeductAmount, Currency::FromRoubles(12000));
  EXPECT_FALSE(window->Saved());

  // Editing the December wage keeps the total in step; so does deleting a line.
  Find<QTreeWidget>(window.get(), "lvIncomes")->setCurrentItem(Find<QTreeWidget>(window.get(), "lvIncomes")->topLevelItem(11));
  EnterLine(window.get(), "btEditIncome", "", QStringLiteral("45000"), QString());
  EXPECT_EQ(source.IncomeTotal, Currency::FromRoubles(45000 * 12 + 15000));
  EXPECT_EQ(Row(window.get(), 11), (QStringList{"Декабрь", "2000", "45000,00", "Нет", "-"}));
  Click(window.get(), "btDeleteIncome");
  EXPECT_EQ(source.EntryCount(), 12u);
  EXPECT_EQ(source.IncomeTotal, Currency::FromRoubles(45000 * 11 + 15000));
  EXPECT_EQ(Text(window.get(), "edIncomeTotal"), QStringLiteral("510000"));
  EXPECT_EQ(Selected(window.get(), "lvIncomes"), 10) << "the previous line";

  // Repeating the last wage line: the next month, December stays December.
  Click(window.get(), "btRepeatIncome");
  EXPECT_EQ(source.GetEntry(12).Month, 12);
  EXPECT_EQ(source.GetEntry(12).Amount, Currency::FromRoubles(45000));
  Click(window.get(), "btRepeatIncome");
  EXPECT_EQ(source.GetEntry(13).Month, 12) << "a December line repeated is December again";
  EXPECT_EQ(source.IncomeTotal, Currency::FromRoubles(45000 * 13 + 15000));

  // The totals typed are kept by the source; the page stores them.
  Retype(Find<QLineEdit>(window.get(), "edTaxWithheld"), QStringLiteral("78000"));
  Retype(Find<QLineEdit>(window.get(), "edTaxableIncome"), QStringLiteral("600000"));
  Click(window.get(), "fbInitialData");
  EXPECT_EQ(PageName(*window), "TfrInitialData");
  EXPECT_EQ(source.TaxWithheld, Currency::FromRoubles(78000));
  EXPECT_EQ(source.TaxableIncome, Currency::FromRoubles(600000));
  EXPECT_TRUE(source.TaxComputed.IsZero()) << "an empty field stores 0";
}

TEST_F(ThirteenPercentPageTest, TypingInADialogThenNoLeavesTheReturnUnchanged) {
  auto window = OpenPage([](mTDeclaration& d) { d.Sources13.Get(d.Sources13.Add()).Name = "Source"; });
  ASSERT_TRUE(window->Saved());
  WhenModal([](QWidget* dialog) {
    Retype(Find<QLineEdit>(dialog, "edIncomeAmount"), QStringLiteral("45000"));
    Retype(Find<QLineEdit>(dialog, "edMonth"), QStringLiteral("3"));
    Click(dialog, "btNo");
  });
  Click(window.get(), "btAddIncome");
  EXPECT_TRUE(window->Saved()) << "nothing was taken into the return";
  EnterLine(window.get(), "btAddIncome", "2000", QStringLiteral("45000"), QStringLiteral("3"));
  EXPECT_FALSE(window->Saved()) << "the line taken over is a change";
}

TEST_F(ThirteenPercentPageTest, SelectingAnotherSourceKeepsWhatWasTyped) {
  auto window = OpenPage([](mTDeclaration& d) {
    for (const char* name : {"Первый", "Второй", "Третий"}) {
      mTThirteenPercent s;
      s.Name = Utf8ToCp1251(name);
      s.AddEntry({2000, "", Currency::FromRoubles(1000), 0, {}, 0, 1});
      d.Sources13.Add(std::move(s));
    }
  });
  EXPECT_EQ(Selected(window.get(), "lvSources"), 0) << "the first source is selected";
  EXPECT_TRUE(window->Saved());
  Retype(Find<QLineEdit>(window.get(), "edTaxWithheld"), QStringLiteral("130"));
  auto* sources = Find<QTreeWidget>(window.get(), "lvSources");
  sources->setCurrentItem(sources->topLevelItem(2));
  EXPECT_TRUE(Text(window.get(), "edTaxWithheld").isEmpty());
  EXPECT_EQ(window->Declaration().Sources13.Get(0).TaxWithheld, Currency::FromRoubles(130));

  // Deleting selects the previous source; deleting every source disables the lines.
  Click(window.get(), "btDeleteSource");
  EXPECT_EQ(window->Declaration().Sources13.Count(), 2u);
  EXPECT_EQ(Selected(window.get(), "lvSources"), 1);
  EXPECT_EQ(sources->currentItem()->text(0), QStringLiteral("Второй"));
  sources->setCurrentItem(sources->topLevelItem(0));
  Click(window.get(), "btDeleteSource");
  EXPECT_EQ(sources->currentItem()->text(0), QStringLiteral("Второй")) << "the first deleted: the new first";
  Click(window.get(), "btDeleteSource");
  EXPECT_EQ(window->Declaration().Sources13.Count(), 0u);
  for (const char* b : {"btAddIncome", "btDeleteIncome", "btEditIncome", "btRepeatIncome", "edTaxWithheld",
                        "edTaxComputed", "edTaxableIncome"}) {
    EXPECT_FALSE(Find(window.get(), b)->isEnabled()) << b;
  }
  EXPECT_TRUE(Text(window.get(), "edIncomeTotal").isEmpty());
  EXPECT_EQ(Find<QTreeWidget>(window.get(), "lvIncomes")->topLevelItemCount(), 0);
}

TEST_F(ThirteenPercentPageTest, TheCheckLeadsToTheSourceWithMoreTaxThanIncome) {
  auto window = OpenPage([](mTDeclaration& d) {
    for (int withheld : {100, 2000, 3000}) {
      mTThirteenPercent s;
      s.Name = "S";
      s.AddEntry({2000, "", Currency::FromRoubles(1000), 0, {}, 0, 1});
      s.TaxWithheld = Currency::FromRoubles(withheld);
      d.Sources13.Add(std::move(s));
    }
  });
  presenter.CheckAnswers = {CheckAnswer::Fix};
  Click(window.get(), "fbInitialData");
  ASSERT_EQ(presenter.Checks.size(), 1u) << "the first failing source only";
  EXPECT_EQ(presenter.Checks[0].Title, "Доходы, облагаемые ставкой 13%");
  EXPECT_EQ(presenter.Checks[0].Message, "По данному источнику выплаты общая сумма дохода меньше удержанной суммы");
  EXPECT_EQ(SubPageName(*window), "TfrThirteenPercent");
  EXPECT_EQ(Selected(window.get(), "lvSources"), 1);

  // Any other answer lets the user go.
  presenter.CheckAnswers = {CheckAnswer::Skip};
  Click(window.get(), "fbInitialData");
  EXPECT_EQ(presenter.Checks.size(), 2u);
  EXPECT_EQ(PageName(*window), "TfrInitialData");
}

TEST_F(ThirteenPercentPageTest, TheFarmGroupNeedsAnIncomeTheDictionaryDoesNotHave) {
  auto window = OpenPage([](mTDeclaration& d) {
    d.FarmMonthsWorked = 7;
    d.ForeignerFixedPayments = Currency::FromRoubles(12000);
    mTThirteenPercent s;
    s.Name = "S";
    s.AddEntry({2000, "", Currency::FromRoubles(1000), 0, {}, 0, 1});
    d.Sources13.Add(std::move(s));
  });
  EXPECT_TRUE(Find(window.get(), "gbFarm")->isHidden());
  EXPECT_FALSE(Find(window.get(), "gbForeigner")->isHidden());
  EXPECT_EQ(Text(window.get(), "edForeignerFixedPayments"), QStringLiteral("12000"));
  EnterLine(window.get(), "btAddIncome", "2000", QStringLiteral("1"), QStringLiteral("2"));
  EXPECT_TRUE(Find(window.get(), "gbFarm")->isHidden());
  window->CurrentPage()->StoreData();
  EXPECT_EQ(window->Declaration().FarmMonthsWorked, 7) << "kept as loaded";

  // A line of 2791 with a deduction, from an older dictionary, shows the group.
  auto farm = OpenPage([](mTDeclaration& d) {
    d.DeclarationForm = kForm3NonResident;
    mTThirteenPercent s;
    s.Name = "S";
    s.AddEntry({2791, "", Currency::FromRoubles(1000), 601, {}, 0, 1});
    d.Sources13.Add(std::move(s));
  });
  EXPECT_FALSE(Find(farm.get(), "gbFarm")->isHidden());
  EXPECT_TRUE(Find(farm.get(), "gbForeigner")->isHidden()) << "a non-resident's return";
  Retype(Find<QLineEdit>(farm.get(), "edFarmMonths"), QStringLiteral("14"));
  EXPECT_EQ(Text(farm.get(), "edFarmMonths"), QStringLiteral("12"));
}

}  // namespace
}  // namespace talver::test
