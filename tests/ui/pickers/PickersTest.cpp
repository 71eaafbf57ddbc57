// The dictionary pickers as windows: the row shown selected when they open, what "Да", a
// double click, Enter and Escape answer, and that nothing is answered without a selected row.
#include <QTreeWidget>

#include "tests/ui/support/EntryTestSupport.h"
#include "ui/pickers/Pickers.h"

namespace talver::test {
namespace {

using PickersTest = UiTest;

QTreeWidgetItem* Row(TCodeListPicker& picker, const QString& code) {
  const QList<QTreeWidgetItem*> rows = picker.List()->findItems(code, Qt::MatchExactly, 0);
  return rows.isEmpty() ? nullptr : rows.front();
}

TEST_F(PickersTest, TheCurrentCodeIsSelectedOrElseTheFirstRow) {
  const TIncomeDictionary dictionary = TIncomeDictionary::LoadBuiltIn();
  TfmInputIncomeCode incomes(nullptr, dictionary, "13", false);
  QString current;
  WhenModal([&current](QWidget* picker) {
    current = picker->findChild<QTreeWidget*>()->currentItem()->text(0);
    Click(picker, "btYes");
  });
  const std::optional<TIncomePick> pick = incomes.Execute("2620");  // a 35 % income, not listed here
  EXPECT_EQ(current, QStringLiteral("1011"));
  ASSERT_TRUE(pick.has_value());
  EXPECT_EQ(pick->Code, "1011");
  EXPECT_EQ(pick->Rate, 13) << "the rate of the filter";

  TfmBuiltInPicker regions(nullptr, TBuiltInTable::Regions);
  WhenModal([&current](QWidget* picker) {
    current = picker->findChild<QTreeWidget*>()->currentItem()->text(1);
    QTest::keyClick(picker, Qt::Key_Escape);
  });
  EXPECT_FALSE(regions.Execute(0).has_value()) << "Escape is \"Нет\"";
  EXPECT_EQ(current, QStringLiteral("Республика Адыгея (Адыгея)"));
  WhenModal([&current](QWidget* picker) {
    current = picker->findChild<QTreeWidget*>()->currentItem()->text(0);
    Click(picker, "btYes");
  });
  const std::optional<TTablePick> region = regions.Execute(7);
  EXPECT_EQ(current, QStringLiteral("07")) << "the code written with two digits";
  ASSERT_TRUE(region.has_value());
  EXPECT_EQ(region->Code, 7);
  EXPECT_EQ(region->Name, Utf8ToCp1251("Кабардино - Балкарская Республика"));
}

TEST_F(PickersTest, ADoubleClickChoosesAndNoSelectionChoosesNothing) {
  TfmBuiltInPicker documents(nullptr, TBuiltInTable::DocumentTypes);
  WhenModal([&documents](QWidget*) {
    QTreeWidget* list = documents.List();
    QTreeWidgetItem* passport = Row(documents, QStringLiteral("21"));
    const QRect cell = list->visualItemRect(passport);
    // A double click comes after the click of the same press, as the platform delivers it.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
  });
  const std::optional<TTablePick> pick = documents.Execute(0);
  ASSERT_TRUE(pick.has_value());
  EXPECT_EQ(pick->Code, 21);

  // The document table has no row 01: opened without a type, nothing is selected, and "Да"
  // answers nothing.
  WhenModal([](QWidget* picker) { Click(picker, "btYes"); });
  EXPECT_FALSE(documents.Execute(0).has_value());

  const TIncomeDictionary dictionary = TIncomeDictionary::LoadBuiltIn();
  TfmInputDeductCode deductions(nullptr, dictionary, "2000", true);
  EXPECT_EQ(deductions.List()->topLevelItemCount(), 0) << "wages have no deductions";
  WhenModal([](QWidget* picker) { QTest::keyClick(picker, Qt::Key_Return); });
  EXPECT_FALSE(deductions.Execute("").has_value());
}

TEST_F(PickersTest, TheCountryPickerIsFilledOnceAndFollowsTheCurrentCode) {
  const TCountryDirectory countries = TCountryDirectory::FromXml(
      "<?xml version=\"1.0\" encoding=\"windows-1251\"?><Oksm>"
      "<Country Code=\"643\">\xD0\xCE\xD1\xD1\xC8\xDF</Country><Country Code=\"804\">UKRAINE</Country></Oksm>");
  TfmCountries picker(nullptr, countries);
  for (const auto& [code, row] : {std::pair{"804", 1}, std::pair{"643", 0}, std::pair{"", -1}, std::pair{"999", -1}}) {
    SCOPED_TRACE(code);
    int selected = -2;
    WhenModal([&selected](QWidget* dialog) {
      auto* list = dialog->findChild<QTreeWidget*>();
      QTreeWidgetItem* item = list->currentItem();
      selected = item != nullptr && item->isSelected() ? list->indexOfTopLevelItem(item) : -1;
      QTest::keyClick(dialog, Qt::Key_Escape);
    });
    picker.Execute(code);
    EXPECT_EQ(selected, row);
    EXPECT_EQ(picker.List()->topLevelItemCount(), 2);
  }
}

}  // namespace
}  // namespace talver::test
