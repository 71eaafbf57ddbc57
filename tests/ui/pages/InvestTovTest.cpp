// Investment partnerships: the partnership dialog (its ОКТМО cannot be skipped), the operation
// dialog (the kinds of sheet И, leaving a partnership), the page with its two lists and totals,
// and a partnership typed through the windows whose section 2 comes out as worked by hand.
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include "tests/ui/support/EntryTestSupport.h"
#include "compute/SvodSum.h"
#include "platform/NumberText.h"
#include "ui/dialogs/IncomeInvestTov.h"
#include "ui/dialogs/InputSourseInvestTov.h"

namespace talver::test {
namespace {

Currency Rub(const char* roubles) { return TextToCurrency(roubles); }

QLineEdit* Edit(QWidget* root, const char* name) {
  auto* edit = root->findChild<QLineEdit*>(QString::fromLatin1(name));
  EXPECT_NE(edit, nullptr) << "no field " << name;
  return edit;
}
QString Text(QWidget* root, const char* name) { return Edit(root, name)->text(); }

// An operation as the dialog is answered: the kind's position + 1 and the four amounts
// (nullptr leaves a field as it is).
struct Typed {
  int Kind;
  const char* Income;
  const char* Expenses = nullptr;
  const char* Fees = nullptr;
  const char* Losses = nullptr;
};

void TypeOperation(QWidget* dialog, const Typed& t) {
  auto* kinds = dialog->findChild<QComboBox*>(QStringLiteral("cbOperationKind"));
  ASSERT_NE(kinds, nullptr);
  kinds->setCurrentIndex(t.Kind - 1);
  const std::pair<const char*, const char*> fields[] = {
      {"edIncome", t.Income}, {"edExpenseShare", t.Expenses}, {"edManagerExpenses", t.Fees}, {"edPriorLosses", t.Losses}};
  for (const auto& [name, value] : fields) {
    if (value != nullptr) Retype(Edit(dialog, name), QString::fromLatin1(value));
  }
}

class InvestDialogTest : public UiTest {
 protected:
  EntryPresenter entry;
};

TEST_F(InvestDialogTest, APartnershipCannotDoWithoutItsOktmo) {
  TfmInputSourseInvestTov dialog(nullptr, entry);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Источник выплаты"));
  dialog.show();
  Retype(Edit(&dialog, "edName"), QStringLiteral("Инвестиционное товарищество \"Рост\""));
  Retype(Edit(&dialog, "edInn"), QStringLiteral("7707083893"));
  Retype(Edit(&dialog, "edKpp"), QStringLiteral("773601001"));
  entry.CheckAnswers = {CheckAnswer::Skip};
  QTest::keyClick(Edit(&dialog, "edKpp"), Qt::Key_Return);
  ASSERT_EQ(entry.Checks.size(), 1u);
  EXPECT_EQ(entry.Checks[0].Title, "Доходы от участия в инвестиционном товариществе");
  EXPECT_EQ(entry.Checks[0].Message, "Не введен код ОКТМО(8 или 11 симв.)(При продаже имущества физ.лицу - не нужен)");
  EXPECT_EQ(entry.SkipOffered, std::vector<bool>{false});
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.focusWidget(), Edit(&dialog, "edOktmo"));

  Retype(Edit(&dialog, "edOktmo"), QStringLiteral("45376000"));
  Click(&dialog, "btYes");
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  const TSourceIdentity s = dialog.Source();
  EXPECT_EQ(s.Name, Utf8ToCp1251("Инвестиционное товарищество \"Рост\""));
  EXPECT_EQ(s.Oktmo, "45376000");
}

TEST_F(InvestDialogTest, LeavingAPartnershipTakesTheContributions) {
  TfmIncomeInvestTov dialog(nullptr, entry);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Участие в инвестиционных товариществах"));
  dialog.show();
  auto* kinds = Find<QComboBox>(&dialog, "cbOperationKind");
  ASSERT_EQ(kinds->count(), 6);
  EXPECT_EQ(kinds->itemText(0), QStringLiteral("Операции с обращающимися ЦБ (п.1 Листа И)"));
  EXPECT_EQ(kinds->itemText(5), QStringLiteral("Доход при выходе из инвест.тов. или выделе доли (п.6 Листа И)"));
  EXPECT_EQ(kinds->currentIndex(), -1) << "no kind chosen yet";

  TypeOperation(&dialog, {5, "1000", "100", "50", "25"});
  EXPECT_EQ(Find<QLabel>(&dialog, "lbExpenseShare")->text(), QStringLiteral("Доля расходов"));
  kinds->setCurrentIndex(5);
  EXPECT_EQ(Find<QLabel>(&dialog, "lbExpenseShare")->text(), QStringLiteral("Сумма вкладов"));
  for (const char* hidden : {"edManagerExpenses", "edPriorLosses", "lbManagerExpenses", "lbPriorLosses"}) {
    EXPECT_TRUE(Find(&dialog, hidden)->isHidden()) << hidden;
  }
  EXPECT_EQ(Text(&dialog, "edManagerExpenses"), QStringLiteral("0"));
  EXPECT_EQ(Text(&dialog, "edPriorLosses"), QStringLiteral("0"));
  Click(&dialog, "btYes");
  ASSERT_EQ(dialog.result(), QDialog::Accepted);
  const mTInvestTovIncome e = dialog.Entry();
  EXPECT_EQ(e.OperationKind, 6);
  EXPECT_EQ(e.Income, Currency::FromRoubles(1000));
  EXPECT_EQ(e.ExpenseShare, Currency::FromRoubles(100));
  EXPECT_TRUE(e.ManagerExpenses.IsZero());
  EXPECT_TRUE(e.PriorLosses.IsZero());

  // Another kind brings the fields back.
  kinds->setCurrentIndex(0);
  EXPECT_FALSE(Find(&dialog, "edManagerExpenses")->isHidden());
  EXPECT_EQ(Find<QLabel>(&dialog, "lbExpenseShare")->text(), QStringLiteral("Доля расходов"));

  // An operation of kind 6 opened again, even one stored with fees, keeps them at 0.
  TfmIncomeInvestTov stored(nullptr, entry);
  stored.SetEntry({6, Currency::FromRoubles(700), Currency::FromRoubles(900), Currency::FromRoubles(5), Currency::FromRoubles(6)});
  EXPECT_EQ(Find<QComboBox>(&stored, "cbOperationKind")->currentIndex(), 5);
  EXPECT_EQ(Text(&stored, "edExpenseShare"), QStringLiteral("900"));
  EXPECT_TRUE(Find(&stored, "edManagerExpenses")->isHidden());
  EXPECT_TRUE(stored.Entry().ManagerExpenses.IsZero());
  EXPECT_TRUE(stored.Entry().PriorLosses.IsZero());
}

TEST_F(InvestDialogTest, AnOperationNeedsItsKind) {
  TfmIncomeInvestTov dialog(nullptr, entry);
  dialog.show();
  Retype(Edit(&dialog, "edIncome"), QStringLiteral("1000"));
  entry.CheckAnswers = {CheckAnswer::Skip};
  Click(&dialog, "btYes");
  ASSERT_EQ(entry.Checks.size(), 1u);
  EXPECT_EQ(entry.Checks[0].Title, "Проверка данных участия в инвест. тов.");
  EXPECT_EQ(entry.Checks[0].Message, "Не выбран вид операций");
  EXPECT_EQ(entry.SkipOffered, std::vector<bool>{false}) << "only \"Исправить\"";
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.focusWidget(), Find(&dialog, "cbOperationKind"));
}

// ---------------------------------------------------------------------------------------------
// The page

class InvestTovPageTest : public UiTest {
 protected:
  std::unique_ptr<TFormMain> OpenPage(const std::function<void(mTDeclaration&)>& fill = {}) {
    auto window = MakeWindow({WriteDeclaration(QStringLiteral("invest.tv6"), [&fill](mTDeclaration& d) {
      d.InspectionCode = "5001";
      d.SetSections(kSectionRussian | kSectionInvestTov);
      if (fill) fill(d);
    })});
    window->show();
    EXPECT_TRUE(window->Button(NavButton::InvestTov)->isEnabled());
    Click(window.get(), "fbInvestTov");
    EXPECT_EQ(PageName(*window), "TfrInvestTov");
    return window;
  }
  static void AddPartnership(QWidget* window, const QString& name) {
    WhenModal([name](QWidget* dialog) {
      Retype(Edit(dialog, "edName"), name);
      Retype(Edit(dialog, "edOktmo"), QStringLiteral("45376000"));
      Click(dialog, "btYes");
    });
    Click(window, "btAddSource");
  }
  // "Добавить доход" or "Редактировать доход" answered with these values.
  static void EnterOperation(QWidget* window, const char* button, const Typed& t) {
    WhenModal([t](QWidget* dialog) {
      TypeOperation(dialog, t);
      Click(dialog, "btYes");
    });
    Click(window, button);
  }
  static QStringList Row(QWidget* window, int row) {
    QStringList cells;
    QTreeWidgetItem* item = Find<QTreeWidget>(window, "lvIncome")->topLevelItem(row);
    if (item == nullptr) return cells;
    for (int i = 0; i < 5; ++i) cells << item->text(i);
    return cells;
  }
  static void SelectRow(QWidget* window, const char* list, int row) {
    auto* tree = Find<QTreeWidget>(window, list);
    tree->setCurrentItem(tree->topLevelItem(row));
  }
  static int Selected(QWidget* window, const char* list) {
    auto* tree = Find<QTreeWidget>(window, list);
    return tree->currentItem() != nullptr ? tree->indexOfTopLevelItem(tree->currentItem()) : -1;
  }
};

constexpr const char* kLowerPart[] = {"btAddIncome", "btDeleteIncome", "btEditIncome", "lvIncome",
                                      "edTaxWithheld", "edTaxableIncome", "edTaxComputed"};

TEST_F(InvestTovPageTest, PartnershipsAddedAndDeleted) {
  auto window = OpenPage();
  auto* sources = Find<QTreeWidget>(window.get(), "lvSourseIncomeInfo");
  EXPECT_EQ(sources->headerItem()->text(0), QStringLiteral("Источники выплат - инвестиционные товарищества"));
  EXPECT_EQ(sources->toolTip(), QStringLiteral("Список инвестиционных товариществ"));
  EXPECT_GE(sources->parentWidget()->minimumWidth(), 265);
  for (const char* w : kLowerPart) EXPECT_FALSE(Find(window.get(), w)->isEnabled()) << w << " without a partnership";

  // A name of blanks adds nothing.
  WhenModal([this](QWidget* dialog) {
    presenter.CheckAnswers = {CheckAnswer::Fix};
    Retype(Edit(dialog, "edName"), QStringLiteral("   "));
    Click(dialog, "btYes");
    Click(dialog, "btNo");
  });
  Click(window.get(), "btAddSource");
  mTDeclaration& d = window->Declaration();
  EXPECT_EQ(d.InvestSources.Count(), 0u);
  EXPECT_EQ(sources->topLevelItemCount(), 0);

  AddPartnership(window.get(), QStringLiteral("ИТ \"Первое\""));
  AddPartnership(window.get(), QStringLiteral("ИТ \"Второе\""));
  ASSERT_EQ(d.InvestSources.Count(), 2u);
  EXPECT_FALSE(window->Saved());
  EXPECT_EQ(d.InvestSources.Get(1).Name, Utf8ToCp1251("ИТ \"Второе\""));
  EXPECT_EQ(d.InvestSources.Get(1).Oktmo, "45376000");
  EXPECT_EQ(Selected(window.get(), "lvSourseIncomeInfo"), 1) << "the new one is selected";
  for (const char* w : kLowerPart) EXPECT_TRUE(Find(window.get(), w)->isEnabled()) << w;
  EXPECT_EQ(Text(window.get(), "edIncomeTotal"), QStringLiteral("0"));

  // Editing renames the line.
  WhenModal([](QWidget* dialog) {
    EXPECT_EQ(Text(dialog, "edName"), QStringLiteral("ИТ \"Второе\""));
    Retype(Edit(dialog, "edName"), QStringLiteral("ИТ \"Третье\""));
    Click(dialog, "btYes");
  });
  Click(window.get(), "btEditSource");
  EXPECT_EQ(sources->topLevelItem(1)->text(0), QStringLiteral("ИТ \"Третье\""));
  EXPECT_EQ(d.InvestSources.Get(1).Name, Utf8ToCp1251("ИТ \"Третье\""));

  // Deleting selects the one before; deleting the last disables and empties the lower part.
  EnterOperation(window.get(), "btAddIncome", {1, "1000"});
  Retype(Edit(window.get(), "edTaxWithheld"), QStringLiteral("130"));
  Click(window.get(), "btDeleteSource");
  ASSERT_EQ(d.InvestSources.Count(), 1u);
  EXPECT_EQ(Selected(window.get(), "lvSourseIncomeInfo"), 0);
  EXPECT_TRUE(d.InvestSources.Get(0).TaxWithheld.IsZero()) << "the deleted one's totals go with it";
  Click(window.get(), "btDeleteSource");
  EXPECT_EQ(d.InvestSources.Count(), 0u);
  for (const char* w : kLowerPart) EXPECT_FALSE(Find(window.get(), w)->isEnabled()) << w;
  EXPECT_TRUE(Text(window.get(), "edIncomeTotal").isEmpty());
  EXPECT_EQ(Find<QTreeWidget>(window.get(), "lvIncome")->topLevelItemCount(), 0);
}

TEST_F(InvestTovPageTest, OperationsKeepTheTotalInStep) {
  auto window = OpenPage();
  AddPartnership(window.get(), QStringLiteral("ИТ \"Рост\""));
  auto* operations = Find<QTreeWidget>(window.get(), "lvIncome");
  QStringList columns;
  for (int i = 0; i < 5; ++i) columns << operations->headerItem()->text(i);
  EXPECT_EQ(columns, (QStringList{"Вид дохода", "Сумма дохода", "Сумма расхода", "Возн.", "Прошл. года"}));
  EXPECT_EQ(operations->toolTip(), QStringLiteral("Список доходов по выбранному инвестиционному товариществу"));

  EnterOperation(window.get(), "btAddIncome", {1, "1000", "", "", ""});
  EnterOperation(window.get(), "btAddIncome", {2, "500", "120,5", "30", "10"});
  const mTInvestTov& tov = window->Declaration().InvestSources.Get(0);
  ASSERT_EQ(tov.EntryCount(), 2u);
  EXPECT_EQ(tov.IncomeTotal, Currency::FromRoubles(1500));
  EXPECT_EQ(Text(window.get(), "edIncomeTotal"), QStringLiteral("1500"));
  EXPECT_EQ(Row(window.get(), 0), (QStringList{"1", "1000", "-", "Нет", "-"})) << "zeros of a line just entered";
  EXPECT_EQ(Row(window.get(), 1), (QStringList{"2", "500", "120,5", "30", "10"}));
  EXPECT_EQ(Selected(window.get(), "lvIncome"), 1);

  // Editing replaces the operation and its line.
  EnterOperation(window.get(), "btEditIncome", {2, "700"});
  EXPECT_EQ(tov.IncomeTotal, Currency::FromRoubles(1700));
  EXPECT_EQ(tov.GetEntry(1).ExpenseShare, Rub("120.5"));
  EXPECT_EQ(Row(window.get(), 1), (QStringList{"2", "700", "120,5", "30", "10"}));

  // The page built again shows every amount as a number.
  Click(window.get(), "fbInitialData");
  Click(window.get(), "fbInvestTov");
  EXPECT_EQ(Row(window.get(), 0), (QStringList{"1", "1000", "0", "0", "0"}));
  EXPECT_EQ(Selected(window.get(), "lvIncome"), 0);

  // Deleting the first leaves the second's amount.
  Click(window.get(), "btDeleteIncome");
  EXPECT_EQ(window->Declaration().InvestSources.Get(0).IncomeTotal, Currency::FromRoubles(700));
  EXPECT_EQ(Text(window.get(), "edIncomeTotal"), QStringLiteral("700"));
  EXPECT_EQ(Selected(window.get(), "lvIncome"), 0);
}

TEST_F(InvestTovPageTest, TheTotalsTypedAreKeptByTheirPartnership) {
  auto window = OpenPage([](mTDeclaration& d) {
    for (const char* name : {"Первое", "Второе"}) {
      mTInvestTov tov;
      tov.Name = Utf8ToCp1251(name);
      tov.AddEntry({1, Currency::FromRoubles(1000), {}, {}, {}});
      d.InvestSources.Add(std::move(tov));
    }
    d.InvestSources.Get(1).TaxComputed = Currency::FromRoubles(99);
  });
  EXPECT_EQ(Selected(window.get(), "lvSourseIncomeInfo"), 0) << "opening the page selects the first";
  EXPECT_TRUE(window->Saved());
  Retype(Edit(window.get(), "edTaxWithheld"), QStringLiteral("130"));
  Retype(Edit(window.get(), "edTaxableIncome"), QStringLiteral("1000,25"));
  SelectRow(window.get(), "lvSourseIncomeInfo", 1);
  const mTDeclaration& d = window->Declaration();
  EXPECT_EQ(d.InvestSources.Get(0).TaxWithheld, Currency::FromRoubles(130));
  EXPECT_EQ(d.InvestSources.Get(0).TaxableIncome, Rub("1000.25"));
  EXPECT_EQ(Text(window.get(), "edTaxComputed"), QStringLiteral("99"));
  EXPECT_TRUE(Text(window.get(), "edTaxWithheld").isEmpty());

  // Leaving the page stores the selected partnership's totals; an empty field is 0.
  Retype(Edit(window.get(), "edTaxComputed"), QStringLiteral("130"));
  Retype(Edit(window.get(), "edTaxWithheld"), QStringLiteral("120"));
  EXPECT_EQ(Edit(window.get(), "edTaxWithheld")->text(), QStringLiteral("120"));
  Click(window.get(), "fbInitialData");
  EXPECT_EQ(PageName(*window), "TfrInitialData");
  EXPECT_EQ(d.InvestSources.Get(1).TaxComputed, Currency::FromRoubles(130));
  EXPECT_EQ(d.InvestSources.Get(1).TaxWithheld, Currency::FromRoubles(120));
  EXPECT_TRUE(d.InvestSources.Get(1).TaxableIncome.IsZero());
}

TEST_F(InvestTovPageTest, ShowErrorSelectsThePartnership) {
  auto window = OpenPage([](mTDeclaration& d) {
    for (const char* name : {"A", "B", "C"}) {
      mTInvestTov tov;
      tov.Name = name;
      d.InvestSources.Add(std::move(tov));
    }
  });
  window->CurrentPage()->ShowError(3);
  EXPECT_EQ(Selected(window.get(), "lvSourseIncomeInfo"), 2);
  EXPECT_EQ(window->CurrentPage()->CheckData(), 0);
}

// Two operations typed through the windows, and the sheet И and section 2 they make.
//   kind 1: income 100 000, expense share 30 000, fees 5 000, losses 10 000 → taxable 55 000;
//   kind 5: income 40 000, nothing else                                      → taxable 40 000.
// Income 140 000, expenses taken 45 000, base 95 000, tax 13 % = 12 350, withheld 12 000:
// 350 payable.
TEST_F(InvestTovPageTest, APartnershipWithTwoOperationsComputedAsByHand) {
  auto window = OpenPage();
  WhenModal([](QWidget* dialog) {
    Retype(Edit(dialog, "edName"), QStringLiteral("Инвестиционное товарищество \"Рост\""));
    Retype(Edit(dialog, "edInn"), QStringLiteral("7707083893"));
    Retype(Edit(dialog, "edKpp"), QStringLiteral("773601001"));
    Retype(Edit(dialog, "edOktmo"), QStringLiteral("45376000"));
    Click(dialog, "btYes");
  });
  Click(window.get(), "btAddSource");
  EnterOperation(window.get(), "btAddIncome", {1, "100000", "30000", "5000", "10000"});
  EnterOperation(window.get(), "btAddIncome", {5, "40000"});
  Retype(Edit(window.get(), "edTaxWithheld"), QStringLiteral("12000"));
  Retype(Edit(window.get(), "edTaxableIncome"), QStringLiteral("95000"));
  Retype(Edit(window.get(), "edTaxComputed"), QStringLiteral("12350"));
  EXPECT_EQ(Text(window.get(), "edIncomeTotal"), QStringLiteral("140000"));
  window->CurrentPage()->StoreData();
  EXPECT_TRUE(presenter.Checks.empty());

  mTDeclaration& d = window->Declaration();
  const mTInvestTov& tov = d.InvestSources.Get(0);
  EXPECT_EQ(tov.Inn, "7707083893");
  EXPECT_EQ(tov.TaxWithheld, Currency::FromRoubles(12000));
  EXPECT_EQ(tov.TaxableIncome, Currency::FromRoubles(95000));
  EXPECT_EQ(tov.TaxComputed, Currency::FromRoubles(12350));

  kTSvodSum summary;
  summary.Compute(d);
  EXPECT_EQ(summary.PrilI.ДохЦБОбрИТ.ДохСовокуп, Currency::FromRoubles(100000));
  EXPECT_EQ(summary.PrilI.ДохЦБОбрИТ.ДоходОбл, Currency::FromRoubles(55000));
  EXPECT_EQ(summary.PrilI.ДохПрочИТ.ДоходОбл, Currency::FromRoubles(40000));
  EXPECT_EQ(summary.PrilI.ОбщДохСовОпер, Currency::FromRoubles(140000));
  EXPECT_EQ(summary.PrilI.ОбщДоходОбл, Currency::FromRoubles(95000));
  EXPECT_EQ(summary.PrilI.ОбщРасхПрмВыч, Currency::FromRoubles(45000));
  const kTSvodSumList1& s2 = summary.List1;
  EXPECT_EQ(s2.ДоходОбщ, Currency::FromRoubles(140000));
  EXPECT_EQ(s2.ДоходОбщНал, Currency::FromRoubles(140000));
  EXPECT_EQ(s2.СумРасхУм, Currency::FromRoubles(45000));
  EXPECT_TRUE(s2.СумНалВыч.IsZero());
  EXPECT_EQ(s2.НалБаза, Currency::FromRoubles(95000));
  EXPECT_EQ(s2.Исчисл, Currency::FromRoubles(12350));
  EXPECT_EQ(s2.УдержОбщ, Currency::FromRoubles(12000));
  EXPECT_EQ(s2.ИсчислУпл, Currency::FromRoubles(350));
  EXPECT_EQ(s2.ПодлУпл, Currency::FromRoubles(350));
  EXPECT_TRUE(s2.ПодлВозв.IsZero());
}

// ---------------------------------------------------------------------------------------------

TEST_F(InvestTovPageTest, Screenshots) {
  auto window = OpenPage([](mTDeclaration& d) {
    mTInvestTov tov;
    tov.Name = Utf8ToCp1251("Инвестиционное товарищество \"Технологии будущего\"");
    tov.Inn = "7707083893";
    tov.Kpp = "773601001";
    tov.Oktmo = "45376000";
    tov.AddEntry({1, Currency::FromRoubles(100000), Currency::FromRoubles(30000), Currency::FromRoubles(5000),
                  Currency::FromRoubles(10000)});
    tov.AddEntry({5, Currency::FromRoubles(40000), {}, {}, {}});
    tov.AddEntry({6, Rub("20000.50"), Currency::FromRoubles(25000), {}, {}});
    tov.TaxWithheld = Currency::FromRoubles(12000);
    d.InvestSources.Add(std::move(tov));
    mTInvestTov second;
    second.Name = Utf8ToCp1251("ИТ \"Второе\"");
    d.InvestSources.Add(std::move(second));
  });
  window->resize(1024, 768);
  SaveShot(window.get(), "page-invest-tov");
  TfmInputSourseInvestTov source(window.get(), presenter);
  source.SetSource({window->Declaration().InvestSources.Get(0).Name, "7707083893", "773601001", "45376000", 0});
  source.show();
  SaveShot(&source, "dialog-invest-tov-source");
  source.hide();
  TfmIncomeInvestTov operation(window.get(), presenter);
  operation.SetEntry(window->Declaration().InvestSources.Get(0).GetEntry(0));
  operation.show();
  SaveShot(&operation, "dialog-invest-tov-operation");
  operation.SetEntry(window->Declaration().InvestSources.Get(0).GetEntry(2));
  SaveShot(&operation, "dialog-invest-tov-leaving");
  operation.hide();
}

}  // namespace
}  // namespace talver::test
