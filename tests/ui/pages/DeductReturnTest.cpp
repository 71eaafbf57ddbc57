// A return typed through the windows with the children's standard deductions and a treatment
// expense, whose section 2 comes out as worked by hand; saved and opened again, the pages show
// what was typed and the same figures come out.
//
// One employer pays 40 000 a month, all year, and withholds 50 128. Two children all year and,
// from March, a disabled child; the parents are not guardians. Treatment: 30 000.
//   Income from January passes 350 000 in September (360 000): the children's deductions run
//   January to August, 8 months.
//   Children: 1 400 × 2 × 8 = 22 400. Disabled child: 6 000 × 2 (a parent) × 6 (March to
//   August) = 72 000. Standard deductions: 94 400.
//   Social deductions: the treatment, 30 000, within the 120 000 limit.
//   Section 2 at 13 %: income 480 000; deductions 124 400; base 355 600; tax 46 228;
//   withheld 50 128; refundable 3 900 (13 % of the treatment), payable 0.
#include <QCheckBox>
#include <QSpinBox>

#include "tests/ui/support/EntryTestSupport.h"
#include "compute/SvodSum.h"

namespace talver::test {
namespace {

class DeductReturnTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    WriteInspections(
        "<?xml version=\"1.0\" encoding=\"windows-1251\"?><Inspections Version=\"00\" Date=\"01.02.2017\">"
        "<Inspection Code=\"5001\">ИФНС России по г. Балашихе Московской области</Inspection>"
        "</Inspections>");
  }
  static QLineEdit* Month(QWidget* window, const char* group, int month) {
    return Find<QLineEdit>(window,
                           QStringLiteral("ed%1%2").arg(QLatin1String(group)).arg(month, 2, 10, QLatin1Char('0')).toLatin1());
  }
};

TEST_F(DeductReturnTest, ChildrenAndTreatmentTypedThroughTheWindows) {
  auto window = MakeWindow();
  window->show();
  AnswerPicker(QStringLiteral("5001"));
  Click(window.get(), "btInspection");

  // The employer, the standard deductions computed at this source.
  Click(window.get(), "fbRussianIncome");
  ASSERT_EQ(SubPageName(*window), "TfrThirteenPercent");
  WhenModal([](QWidget* dialog) {
    TypeText(Find(dialog, "edName"), QStringLiteral("ООО \"Ромашка\""));
    TypeText(Find(dialog, "edInn"), QStringLiteral("7707083893"));
    TypeText(Find(dialog, "edKpp"), QStringLiteral("500101001"));
    TypeText(Find(dialog, "edOktmo"), QStringLiteral("46704000"));
    Click(dialog, "cbStandardDeductSource");
    Click(dialog, "btYes");
  });
  Click(window.get(), "btAddSource");
  WhenModal([](QWidget* dialog) {
    AnswerPicker(QStringLiteral("2000"));
    Click(dialog, "btIncomeCode");
    TypeText(Find(dialog, "edIncomeAmount"), QStringLiteral("40000"));
    TypeText(Find(dialog, "edMonth"), QStringLiteral("1"));
    Click(dialog, "btYes");
  });
  Click(window.get(), "btAddIncome");
  for (int month = 2; month <= 12; ++month) Click(window.get(), "btRepeatIncome");
  TypeText(Find(window.get(), "edTaxWithheld"), QStringLiteral("50128"));

  // The standard deductions: two children all year, a disabled child from March.
  Click(window.get(), "fbDeduction");
  ASSERT_EQ(SubPageName(*window), "TfrFrameStandartDeduct");
  auto* children = Find<QSpinBox>(window.get(), "edChildrenCount");
  children->setFocus();
  QTest::keyClick(children, Qt::Key_Up);
  QTest::keyClick(children, Qt::Key_Up);
  EXPECT_EQ(Month(window.get(), "Children", 12)->text(), QStringLiteral("2"));
  Click(window.get(), "cbDisabledConst");
  for (int month = 3; month <= 12; ++month) Retype(Month(window.get(), "Disabled", month), QStringLiteral("1"));
  EXPECT_FALSE(Find(window.get(), "pnGuardian")->isHidden());

  // The treatment.
  Click(window.get(), "sbFramePensDeduct");
  ASSERT_EQ(SubPageName(*window), "TfrFramePensDeduct");
  Click(window.get(), "cbGranted");
  TypeText(Find(window.get(), "edMedical"), QStringLiteral("30000"));
  Click(window.get(), "fbInitialData");
  ASSERT_EQ(PageName(*window), "TfrInitialData");
  EXPECT_TRUE(presenter.Checks.empty()) << "no page found an error";

  kTSvodSum summary;
  summary.Compute(window->Declaration());
  const kTSvodSumPrilE1& e1 = summary.PrilE1;
  EXPECT_EQ(e1.КолМесНеПрев, 8);
  EXPECT_EQ(e1.ВычСтРеб, Currency::FromRoubles(22400));
  EXPECT_EQ(e1.ВычСтРебИнв, Currency::FromRoubles(72000));
  EXPECT_TRUE(e1.ВычСтРебЕд.IsZero());
  EXPECT_TRUE(e1.ВычСт218_1_1.IsZero());
  EXPECT_EQ(e1.ОбщВычСтанд, Currency::FromRoubles(94400));
  EXPECT_EQ(summary.PrilE2.РасчВычСоц219_2.СумЛечен, Currency::FromRoubles(30000));
  EXPECT_EQ(summary.PrilE2.РасчВычСоц219_2.ОбщВычСоциал, Currency::FromRoubles(30000));
  const kTSvodSumList1& s2 = summary.List1;
  EXPECT_EQ(s2.Ставка, "13");
  EXPECT_EQ(s2.ДоходОбщ, Currency::FromRoubles(480000));
  EXPECT_EQ(s2.ДоходОбщНал, Currency::FromRoubles(480000));
  EXPECT_EQ(s2.СумНалВыч, Currency::FromRoubles(124400));
  EXPECT_EQ(s2.НалБаза, Currency::FromRoubles(355600));
  EXPECT_EQ(s2.Исчисл, Currency::FromRoubles(46228));
  EXPECT_EQ(s2.УдержОбщ, Currency::FromRoubles(50128));
  EXPECT_TRUE(s2.ИсчислУпл.IsZero());
  EXPECT_TRUE(s2.ПодлУпл.IsZero());
  EXPECT_EQ(s2.ПодлВозв, Currency::FromRoubles(3900));

  // Saved and opened again: the pages show what was typed, and the figures are the same.
  const QString file = dir.filePath(QStringLiteral("children.tv6"));
  dialogs.SaveNames = {file};
  window->SaveAsDoc();
  ASSERT_TRUE(window->Saved());
  window.reset();
  auto reopened = MakeWindow({file});
  reopened->show();
  Click(reopened.get(), "fbDeduction");
  EXPECT_EQ(Find<QSpinBox>(reopened.get(), "edChildrenCount")->value(), 2);
  EXPECT_FALSE(Find<QCheckBox>(reopened.get(), "cbDisabledConst")->isChecked());
  EXPECT_EQ(Month(reopened.get(), "Disabled", 2)->text(), QStringLiteral("0"));
  EXPECT_EQ(Month(reopened.get(), "Disabled", 3)->text(), QStringLiteral("1"));
  Click(reopened.get(), "sbFramePensDeduct");
  EXPECT_EQ(Find<QLineEdit>(reopened.get(), "edMedical")->text(), QStringLiteral("30000"));
  kTSvodSum again;
  again.Compute(reopened->Declaration());
  EXPECT_EQ(again, summary);
}

}  // namespace
}  // namespace talver::test
