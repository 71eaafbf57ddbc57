// The conditions page: the form of the return and what it allows, the income boxes and the
// sections they decide, the signer, the inspection, and what the page stores.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeWidget>

#include "tests/ui/support/UiTestSupport.h"
#include "ui/pages/FrameInitialData.h"

namespace talver::test {
namespace {

using ConditionsPageTest = UiTest;

bool Shown(QWidget* w) { return !w->isHidden(); }

TEST_F(ConditionsPageTest, ButtonsFollowTheFormAndTheIncomeBoxes) {
  struct Case {
    const char* Name;
    std::vector<const char*> Clicks;
    // RussianIncome, BusinessIncome, ForeignIncome, InvestTov, Deduction
    std::array<bool, 5> Enabled;
  };
  const Case cases[] = {
      {"a new document", {}, {true, false, false, false, true}},
      {"foreign and business ticked", {"cbSection2", "cbSection4"}, {true, true, true, false, true}},
      {"incomes unticked, nothing left", {"cbSection1"}, {false, false, false, false, false}},
      {"only partnerships", {"cbSection1", "cbSection16"}, {false, false, false, true, true}},
      {"non-resident", {"cbSection2", "cbSection4", "rbForm1"}, {true, false, false, false, false}},
      {"non-resident, then resident again", {"rbForm1", "rbForm0"}, {true, false, false, false, true}},
      {"4-НДФЛ", {"cbSection2", "cbSection16", "rbForm2"}, {false, false, false, false, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    auto window = MakeWindow();
    for (const char* name : c.Clicks) Click(window.get(), name);
    const NavButton buttons[] = {NavButton::RussianIncome, NavButton::BusinessIncome, NavButton::ForeignIncome,
                                 NavButton::InvestTov, NavButton::Deduction};
    for (std::size_t i = 0; i < 5; ++i) {
      EXPECT_EQ(window->Button(buttons[i])->isEnabled(), c.Enabled[i]) << window->Button(buttons[i])->text().toStdString();
    }
    EXPECT_TRUE(window->Button(NavButton::PrsonInfo)->isEnabled());
  }
}

TEST_F(ConditionsPageTest, TheFormDecidesTheControlsOffered) {
  auto window = MakeWindow();
  Click(window.get(), "rbCategory6");
  Click(window.get(), "cbSection2");
  Click(window.get(), "rbForm2");
  for (const char* box : {"cbSection1", "cbSection2", "cbSection4", "cbSection16"}) {
    EXPECT_FALSE(Find<QCheckBox>(window.get(), box)->isChecked()) << box;
    EXPECT_FALSE(Find<QCheckBox>(window.get(), box)->isEnabled()) << box;
  }
  EXPECT_FALSE(Find<QRadioButton>(window.get(), "rbCategory5")->isEnabled());
  EXPECT_FALSE(Find<QRadioButton>(window.get(), "rbCategory6")->isEnabled());
  EXPECT_TRUE(Find<QRadioButton>(window.get(), "rbCategory0")->isChecked()) << "an unavailable category gives way";
  EXPECT_TRUE(Shown(Find(window.get(), "edExpectedIncome")));
  EXPECT_TRUE(Find(window.get(), "edExpectedIncome")->isEnabled());
  EXPECT_TRUE(Shown(Find(window.get(), "edRepresentativeOrganization")));
  EXPECT_TRUE(Shown(Find(window.get(), "rbSigner2")));

  Click(window.get(), "rbForm1");
  EXPECT_TRUE(Find<QCheckBox>(window.get(), "cbSection1")->isEnabled());
  EXPECT_TRUE(Find<QCheckBox>(window.get(), "cbSection16")->isEnabled());
  EXPECT_FALSE(Find<QCheckBox>(window.get(), "cbSection2")->isEnabled());
  EXPECT_FALSE(Find<QCheckBox>(window.get(), "cbSection4")->isEnabled());
  EXPECT_TRUE(Find<QRadioButton>(window.get(), "rbCategory5")->isEnabled());
  EXPECT_FALSE(Shown(Find(window.get(), "edExpectedIncome")));
  EXPECT_FALSE(Shown(Find(window.get(), "edRepresentativeOrganization")));
  EXPECT_FALSE(Shown(Find(window.get(), "rbSigner2")));
  EXPECT_FALSE(window->Saved());
}

TEST_F(ConditionsPageTest, SwitchingTo4NdflDestroysTheIncomesEntered) {
  auto window = MakeWindow();
  mTDeclaration& d = window->Declaration();
  Click(window.get(), "cbSection2");
  window->CurrentPage()->StoreData();
  d.Sources13.Add();
  d.CurrencyIncomes.Add();
  d.FarmMonthsWorked = 5;
  Click(window.get(), "rbForm2");
  // Section 1 goes at once; the others when the page stores.
  EXPECT_EQ(d.Sources13.Count(), 0u);
  EXPECT_EQ(d.FarmMonthsWorked, 0);
  EXPECT_FALSE(d.HasSection(kSectionRussian));
  EXPECT_EQ(d.CurrencyIncomes.Count(), 1u);
  window->CurrentPage()->StoreData();
  EXPECT_EQ(d.Sections, 0);
  EXPECT_EQ(d.CurrencyIncomes.Count(), 0u);
  EXPECT_EQ(d.DeclarationForm, kForm4);
}

TEST_F(ConditionsPageTest, UntickingTheIncomesBoxDestroysSectionOneAtOnce) {
  auto window = MakeWindow();
  mTDeclaration& d = window->Declaration();
  d.Sources13.Add();
  d.Sources35.Add();
  Click(window.get(), "cbSection1");
  EXPECT_EQ(d.Sources13.Count(), 0u);
  EXPECT_EQ(d.Sources35.Count(), 0u);
  EXPECT_FALSE(window->Button(NavButton::RussianIncome)->isEnabled());
  Click(window.get(), "cbSection1");
  EXPECT_TRUE(window->Button(NavButton::RussianIncome)->isEnabled());
  window->CurrentPage()->StoreData();
  EXPECT_TRUE(d.HasSection(kSectionRussian));
  EXPECT_EQ(d.Sources13.Count(), 0u) << "switched on again, the lists start empty";
}

TEST_F(ConditionsPageTest, ALegalEntityRepresentativeTurnsIntoAPersonOnA3Ndfl) {
  auto window = MakeWindow();
  Click(window.get(), "rbForm2");
  Click(window.get(), "rbSigner2");
  EXPECT_TRUE(Find(window.get(), "edRepresentativeOrganization")->isEnabled());
  Find<TMaskedEdit>(window.get(), "edRepresentativeName")->setText(QStringLiteral("Петров П.П."));
  Find<TMaskedEdit>(window.get(), "edRepresentativeOrganization")->setText(QStringLiteral("ООО \"Ромашка\""));
  Click(window.get(), "rbForm0");
  EXPECT_TRUE(Find<QRadioButton>(window.get(), "rbSigner1")->isChecked());
  EXPECT_FALSE(Shown(Find(window.get(), "edRepresentativeOrganization")));
  window->CurrentPage()->StoreData();
  const mTDeclaration& d = window->Declaration();
  EXPECT_EQ(d.SignerKind, 1);
  EXPECT_EQ(d.RepresentativeName, Utf8ToCp1251("Петров П.П."));
  EXPECT_EQ(d.RepresentativeOrganization, "");
}

TEST_F(ConditionsPageTest, TheSignerDecidesTheRepresentativeFields) {
  auto window = MakeWindow();
  Click(window.get(), "rbForm2");
  struct Case {
    const char* Signer;
    bool Name, Document, Organization;
  };
  for (const Case& c : {Case{"rbSigner0", false, false, false}, Case{"rbSigner1", true, true, false},
                        Case{"rbSigner2", true, true, true}}) {
    SCOPED_TRACE(c.Signer);
    Click(window.get(), c.Signer);
    EXPECT_EQ(Find(window.get(), "edRepresentativeName")->isEnabled(), c.Name);
    EXPECT_EQ(Find(window.get(), "edRepresentativeDocument")->isEnabled(), c.Document);
    EXPECT_EQ(Find(window.get(), "edRepresentativeOrganization")->isEnabled(), c.Organization);
  }
  // A disabled field stores an empty text.
  Click(window.get(), "rbSigner1");
  Find<TMaskedEdit>(window.get(), "edRepresentativeDocument")->setText(QStringLiteral("Доверенность"));
  Click(window.get(), "rbSigner0");
  window->CurrentPage()->StoreData();
  EXPECT_EQ(window->Declaration().RepresentativeDocument, "");
}

TEST_F(ConditionsPageTest, StoringWritesEveryControl) {
  const QString file = WriteDeclaration(QStringLiteral("kept.tv6"), [](mTDeclaration& d) {
    d.SetSections(kSectionRussian | kSectionLegacy);
    d.ConditionsPending = 0;
    d.AppendixCount = 7;
    d.SignDate = 42736.75;
    d.TaxpayerCategory = 3;
    d.CorrectionNumber = 2;
  });
  auto window = MakeWindow({file});
  EXPECT_TRUE(Find<QRadioButton>(window.get(), "rbCategory3")->isChecked());
  EXPECT_EQ(Find<TMaskedEdit>(window.get(), "edCorrection")->text(), QStringLiteral("2"));
  Find<TMaskedEdit>(window.get(), "edCorrection")->clear();
  Click(window.get(), "rbCategory1");
  Click(window.get(), "cbSection4");
  window->CurrentPage()->StoreData();
  const mTDeclaration& d = window->Declaration();
  EXPECT_EQ(d.CorrectionNumber, 0) << "an empty number stores 0";
  EXPECT_EQ(d.TaxpayerCategory, 1);
  EXPECT_EQ(d.Sections, kSectionRussian | kSectionBusiness | kSectionLegacy) << "section 8 is kept";
  EXPECT_EQ(d.AppendixCount, 7);
  EXPECT_EQ(d.SignDate, 42736.75);
  EXPECT_EQ(d.ConditionsPending, 0);
  EXPECT_FALSE(Shown(Find(window.get(), "gbAppendix")));
}

TEST_F(ConditionsPageTest, ExpectedIncomeFollowsTheBusinessBox) {
  auto window = MakeWindow();
  Click(window.get(), "rbForm2");
  auto* expected = Find<TMaskedEdit>(window.get(), "edExpectedIncome");
  expected->setText(QStringLiteral("150000,50"));
  window->CurrentPage()->StoreData();
  EXPECT_EQ(window->Declaration().ExpectedIncome, Currency::FromKopecks(15000050));
  Click(window.get(), "rbForm0");
  Click(window.get(), "cbSection4");
  EXPECT_TRUE(expected->isEnabled());
  Click(window.get(), "cbSection4");
  EXPECT_TRUE(expected->text().isEmpty()) << "unticking the business box empties it";
  window->CurrentPage()->StoreData();
  EXPECT_TRUE(window->Declaration().ExpectedIncome.IsZero());
}

TEST_F(ConditionsPageTest, WithoutTheDirectoryTheInspectionIsTyped) {
  auto window = MakeWindow();
  window->show();
  EXPECT_FALSE(window->InspectionsAvailable());
  EXPECT_FALSE(Find(window.get(), "btInspection")->isEnabled());
  auto* code = Find<TMaskedEdit>(window.get(), "edInspection");
  EXPECT_FALSE(code->isReadOnly());
  presenter.CheckAnswers = {CheckAnswer::Fix};
  Click(window.get(), "fbPrsonInfo");
  ASSERT_EQ(presenter.Checks.size(), 1u);
  EXPECT_EQ(presenter.Checks[0].Message, "Не введен номер инспекции");
  EXPECT_EQ(window->CurrentPage()->focusWidget(), code);

  QTest::keyClicks(code, QStringLiteral("7701"));
  QTest::keyClick(code, Qt::Key_Return);
  EXPECT_EQ(presenter.MessageTexts(),
            std::vector<std::string>{"Инспекции с кодом 7701 нет в справочнике. Проверьте код или загрузите справочник СОУН."});
  Click(window.get(), "fbPrsonInfo");
  EXPECT_EQ(PageName(*window), "TfrPersonData") << "the page check passes";
  EXPECT_EQ(window->Declaration().InspectionCode, "7701");
  EXPECT_TRUE(window->Declaration().InspectionName.empty());
}

TEST(ConditionsPageAloneTest, ThePageTalksToItsHostOnly) {
  TestPageHost host;
  host.declaration.SetSections(kSectionRussian | kSectionForeign);
  host.switching = true;  // as the window does while it builds a page
  TfrInitialData page(nullptr, host);
  host.switching = false;
  EXPECT_EQ(host.notices, 0);
  EXPECT_TRUE(host.navigation.empty()) << "the window applies its table; the page only follows changes";
  QTest::mouseClick(page.findChild<QCheckBox*>(QStringLiteral("cbSection2")), Qt::LeftButton);
  EXPECT_FALSE(host.navigation.at(NavButton::ForeignIncome));
  EXPECT_TRUE(host.navigation.at(NavButton::Deduction));
  EXPECT_EQ(host.notices, 1);
  page.StoreData();
  EXPECT_EQ(host.declaration.Sections, kSectionRussian);
}

constexpr char kDirectory[] =
    "<?xml version=\"1.0\" encoding=\"windows-1251\"?>"
    "<Inspections Version=\"00\" Date=\"01.02.2017\">"
    "<Inspection Code=\"0101\">Межрайонная ИФНС России № 1 по Республике Адыгея</Inspection>"
    "<Inspection Code=\"0105\">ИФНС России по г. Майкопу</Inspection>"
    "<Other Code=\"0105\">Второй ряд с тем же кодом</Other>"
    "<Inspection Code=\"0400\">УФНС России по Республике Алтай</Inspection>"
    "</Inspections>";

TEST_F(ConditionsPageTest, TheInspectionComesFromThePicker) {
  WriteInspections(kDirectory);
  auto window = MakeWindow();
  window->show();
  ASSERT_TRUE(window->InspectionsAvailable());
  EXPECT_TRUE(Find(window.get(), "btInspection")->isEnabled());

  WhenModal([](QWidget* picker) {
    EXPECT_EQ(picker->windowTitle(), QStringLiteral("Справочник инспекций"));
    auto* list = picker->findChild<QTreeWidget*>(QStringLiteral("lvInspections"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->topLevelItemCount(), 4) << "every child of the root, whatever its name";
    list->setCurrentItem(list->topLevelItem(1));
    QTest::keyClick(list, Qt::Key_Return);
  });
  Click(window.get(), "btInspection");
  EXPECT_EQ(Find<TMaskedEdit>(window.get(), "edInspection")->text(), QStringLiteral("0105"));
  EXPECT_FALSE(window->Saved());
  window->CurrentPage()->StoreData();
  EXPECT_EQ(window->Declaration().InspectionCode, "0105");
  EXPECT_EQ(window->Declaration().InspectionName, Utf8ToCp1251("ИФНС России по г. Майкопу"));
}

TEST_F(ConditionsPageTest, ChoosingTheSameInspectionAgainChangesNothing) {
  WriteInspections(kDirectory);
  const QString file = WriteDeclaration(QStringLiteral("i.tv6"), [](mTDeclaration& d) { d.InspectionCode = "0105"; });
  auto window = MakeWindow({file});
  window->show();
  WhenModal([](QWidget* picker) {
    auto* list = picker->findChild<QTreeWidget*>(QStringLiteral("lvInspections"));
    EXPECT_EQ(list->indexOfTopLevelItem(list->currentItem()), 1) << "the first row of the current code";
    Click(picker, "btYes");
  });
  // The file keeps no name: the directory's is shown beside the code, and that is no change.
  EXPECT_EQ(Find<QLabel>(window.get(), "lbInspectionName")->text(), QStringLiteral("ИФНС России по г. Майкопу"));
  Click(window.get(), "btInspection");
  EXPECT_TRUE(window->Saved());
}

TEST_F(ConditionsPageTest, FixingTheInspectionOpensThePicker) {
  WriteInspections(kDirectory);
  auto window = MakeWindow();
  window->show();
  bool pickerShown = false;
  WhenModal([&pickerShown](QWidget* picker) {
    pickerShown = picker->objectName() == QLatin1String("TfmInspections");
    QTest::keyClick(picker, Qt::Key_Escape);
  });
  presenter.CheckAnswers = {CheckAnswer::Fix};
  Click(window.get(), "fbPrsonInfo");
  EXPECT_TRUE(pickerShown);
  EXPECT_EQ(PageName(*window), "TfrInitialData");
  EXPECT_TRUE(Find<TMaskedEdit>(window.get(), "edInspection")->text().isEmpty()) << "Escape chose nothing";
}

TEST_F(ConditionsPageTest, ABrokenDirectoryEndsTheStart) {
  WriteInspections("<Inspections><Inspection Code=\"0101\">unclosed");
  auto window = MakeWindow();
  EXPECT_TRUE(window->StartupFailed());
  ASSERT_EQ(presenter.Messages.size(), 1u);
  EXPECT_EQ(presenter.Messages[0].Text, std::string("Поменяйте язык и региональные стандарты ОС на русские. Или "
                                                    "обратитесь на горячую линию программы: ") +
                                            kSupportEmail);
}

TEST_F(ConditionsPageTest, TheRebuiltDirectoryIsReadBeforeTheShippedOne) {
  WriteInspections(kDirectory);
  WriteInspections("<?xml version=\"1.0\" encoding=\"windows-1251\"?><Inspections>"
                   "<Inspection Code=\"7701\">ИФНС России № 1 по г. Москве</Inspection></Inspections>",
                   true);
  auto window = MakeWindow();
  window->show();
  WhenModal([](QWidget* picker) {
    auto* list = picker->findChild<QTreeWidget*>(QStringLiteral("lvInspections"));
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("7701"));
    list->setCurrentItem(list->topLevelItem(0));
    QTest::keyClick(list, Qt::Key_Enter);
  });
  Click(window.get(), "btInspection");
  EXPECT_EQ(Find<TMaskedEdit>(window.get(), "edInspection")->text(), QStringLiteral("7701"));
}

}  // namespace
}  // namespace talver::test
