// "Дивиденды из отчета брокера…": a statement previewed line by line, "Добавить" appending the
// lines ticked to the foreign incomes and turning their section on, "Отмена" changing nothing,
// the same statement again shown with its lines unticked; the issuer's country typed over.
#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>

#include <filesystem>

#include "tests/ui/support/UiTestSupport.h"
#include "dictionaries/Countries.h"
#include "dictionaries/CurrencyRates.h"
#include "dictionaries/IncomeDictionary.h"
#include "tests/support/TempDir.h"
#include "ui/dialogs/StatementImportDialog.h"

namespace talver::test {
namespace {

const QString kYear = QString::fromStdString(
    ((std::filesystem::path(TALVER_SOURCE_DIR) / "tests" / "data") / "statements" / "ibkr-activity-2016.csv").string());

class StatementImportTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    for (const char* name : {"Oksm.xml", "CurrencyRates.xml"}) {
      std::filesystem::copy_file(std::filesystem::path(TALVER_RESOURCE_DIR) / name, programFolder / "resources" / name);
    }
  }

  static QTableWidget* Table(QWidget* dialog) { return Find<QTableWidget>(dialog, "tblLines"); }
  static QString Cell(QWidget* dialog, int row, int column) { return Table(dialog)->item(row, column)->text(); }
  static QString Text(QWidget* dialog, const char* label) { return Find<QLabel>(dialog, label)->text(); }
};

using C = TfmStatementImport::Column;

TEST_F(StatementImportTest, PreviewThenAddAppendsTheTickedLinesAndTheSameStatementAgainAddsNone) {
  auto window = MakeWindow();
  window->show();
  const std::size_t before = window->Declaration().CurrencyIncomes.Count();

  dialogs.OpenNames.push_back(kYear);
  WhenModal([](QWidget* dialog) {
    ASSERT_EQ(dialog->objectName(), QStringLiteral("fmStatementImport"));
    QTableWidget* table = Table(dialog);
    ASSERT_EQ(table->rowCount(), 7);
    // The Hong Kong dollar has no rates: shown with the reason, never ticked.
    EXPECT_EQ(Cell(dialog, 0, C::ColNote), QStringLiteral("нет курсов валюты HKD в справочнике CurrencyRates.xml"));
    EXPECT_FALSE(table->item(0, C::ColTake)->flags() & Qt::ItemIsUserCheckable);
    // The ADR of a Dutch resident: the Netherlands, its credit capped at the Russian tax.
    EXPECT_EQ(Cell(dialog, 3, C::ColIssuer), QStringLiteral("ROYAL DUTCH SHELL-SPON ADR-A"));
    EXPECT_EQ(Cell(dialog, 3, C::ColCountry), QStringLiteral("528"));
    EXPECT_EQ(Cell(dialog, 3, C::ColRoubles), QStringLiteral("6115.53"));
    EXPECT_EQ(Cell(dialog, 3, C::ColCredit), QStringLiteral("795.02"));
    EXPECT_EQ(Cell(dialog, 3, C::ColDue), QStringLiteral("0.00"));
    EXPECT_EQ(Text(dialog, "lblNotes"), QStringLiteral("Не могут быть добавлены: 1; причина — в примечании."));
    EXPECT_EQ(Text(dialog, "lblTotals"), QStringLiteral("Будет добавлено доходов: 6. Доход 24450.43 руб., налог в РФ "
                                                        "3178.56, зачтено 2628.70, к уплате 549.86."));
    // The second Microsoft dividend unticked: 24 450.43 − 502.98; 3 178.56 − 65.39 and so on.
    table->item(6, C::ColTake)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(Text(dialog, "lblTotals"), QStringLiteral("Будет добавлено доходов: 5. Доход 23947.45 руб., налог в РФ "
                                                        "3113.17, зачтено 2578.21, к уплате 534.96."));
    SaveShot(dialog, "statement-import-preview");
    Click(dialog, "btnAdd");
  });
  Find<QAction>(window.get(), "ImportStatement")->trigger();
  ASSERT_EQ(dialogs.OpenFilters.size(), 1u);
  EXPECT_EQ(dialogs.OpenFilters[0], QStringLiteral("Отчеты брокера (*.csv *.xml);;Все файлы (*)"));

  const mTDeclaration& d = window->Declaration();
  ASSERT_EQ(d.CurrencyIncomes.Count(), before + 5);
  EXPECT_TRUE(d.HasSection(kSectionForeign));
  EXPECT_EQ(d.CurrencyIncomes.Get(before).IncomeInRoubles, Currency::FromRoubles(5488) + Currency::FromKopecks(91));
  EXPECT_FALSE(window->Saved());
  EXPECT_EQ(PageName(*window), "TfrCurrency");
  EXPECT_EQ(Find<QTreeWidget>(window.get(), "lvSources")->topLevelItemCount(), static_cast<int>(before + 5));
  EXPECT_TRUE(window->Button(NavButton::ForeignIncome)->isEnabled());
  EXPECT_TRUE(presenter.Messages.empty());

  // Again: the five lines are there and unticked, the one left out ticked; "Отмена" keeps all.
  dialogs.OpenNames.push_back(kYear);
  WhenModal([](QWidget* dialog) {
    QTableWidget* table = Table(dialog);
    for (int row = 1; row < 6; ++row) {
      EXPECT_EQ(table->item(row, C::ColTake)->checkState(), Qt::Unchecked) << row;
      EXPECT_EQ(Cell(dialog, row, C::ColNote), QStringLiteral("уже есть в декларации"));
    }
    EXPECT_EQ(table->item(6, C::ColTake)->checkState(), Qt::Checked);
    EXPECT_TRUE(Text(dialog, "lblNotes")
                    .startsWith(QStringLiteral("Уже есть в декларации: 5 (отчет загружен повторно?); эти строки не отмечены.")))
        << Text(dialog, "lblNotes").toStdString();
    Click(dialog, "btnCancel");
  });
  Find<QAction>(window.get(), "ImportStatement")->trigger();
  EXPECT_EQ(d.CurrencyIncomes.Count(), before + 5);
}

TEST_F(StatementImportTest, AStatementThatCannotBeReadChangesNothing) {
  auto window = MakeWindow();
  const QString other = dir.filePath(QStringLiteral("other.csv"));
  testing::WriteFile(ToPath(other), "Date,Action,Symbol,Amount\n03/08/2016,Cash Dividend,JNJ,$75.00\n");
  dialogs.OpenNames.push_back(other);
  Find<QAction>(window.get(), "ImportStatement")->trigger();
  ASSERT_EQ(presenter.Messages.size(), 1u);
  EXPECT_EQ(presenter.Messages[0].Icon, MessageIcon::Error);
  EXPECT_EQ(presenter.Messages[0].Text.rfind("other.csv: строка 1: отчет не распознан", 0), 0u) << presenter.Messages[0].Text;
  EXPECT_EQ(window->Declaration().CurrencyIncomes.Count(), 0u);
  EXPECT_TRUE(window->Saved());
}

// An international issue names no country: typed in the table, the line is taken.
TEST_F(StatementImportTest, TheCountryTypedInTheTableMakesTheLineTaken) {
  const TCountryDirectory countries = TCountryDirectory::LoadFile(programFolder / "resources" / "Oksm.xml");
  const TCurrencyRates rates = TCurrencyRates::LoadFile(programFolder / "resources" / "CurrencyRates.xml");
  const TIncomeDictionary dictionary = TIncomeDictionary::LoadBuiltIn();
  const mTDeclaration into;
  TfmStatementImport preview(
      {ReadStatement("Statement,Header,Field Name,Field Value\n"
                     "Dividends,Header,Currency,Date,Description,Amount\n"
                     "Dividends,Data,EUR,2016-03-09,XYZ(XS0000000009) Cash Dividend 1 EUR per Share (Ordinary Dividend),10\n",
                     "xs.csv")},
      into, TStatementContext{&rates, &countries, &dictionary, {}});
  QTableWidget* table = Table(&preview);
  EXPECT_TRUE(table->item(0, C::ColCountry)->flags() & Qt::ItemIsEditable);
  EXPECT_FALSE(Find<QPushButton>(&preview, "btnAdd")->isEnabled());
  table->item(0, C::ColCountry)->setText(QStringLiteral("IE"));
  QApplication::processEvents();
  EXPECT_EQ(preview.Import().Lines[0].State, TStatementLine::Status::Taken);
  EXPECT_EQ(Cell(&preview, 0, C::ColCountry), QStringLiteral("372"));
  EXPECT_EQ(Cell(&preview, 0, C::ColNote), QString());
  EXPECT_TRUE(Find<QPushButton>(&preview, "btnAdd")->isEnabled());
  EXPECT_EQ(preview.Chosen(), std::vector<bool>{true});
}

}  // namespace
}  // namespace talver::test
