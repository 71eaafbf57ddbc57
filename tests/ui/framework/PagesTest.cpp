// The page framework: switching pages, the page check, the composite pages, and the
// navigation of the whole-return check to the page and field of an error.
#include <QCheckBox>
#include <QDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "tests/ui/support/UiTestSupport.h"
#include "ui/framework/CompositePages.h"

namespace talver::test {
namespace {

using PagesTest = UiTest;

// Conditions that pass the conditions page's check: an inspection in its field, as the picker
// puts it there.
void FillConditions(TFormMain& window) {
  window.findChild<TMaskedEdit*>(QStringLiteral("edInspection"))->setText(QStringLiteral("7701"));
}

TEST_F(PagesTest, ClickingTheShownPagesButtonDoesNothing) {
  auto window = MakeWindow();
  TThinkingFrame* page = window->CurrentPage();
  Click(window.get(), "fbInitialData");
  EXPECT_EQ(window->CurrentPage(), page);
  EXPECT_TRUE(presenter.Checks.empty()) << "not even a check";
  EXPECT_TRUE(window->Button(NavButton::InitialData)->isChecked());
}

TEST_F(PagesTest, AFailingPageCheckKeepsTheUserOnThePage) {
  auto window = MakeWindow();
  presenter.CheckAnswers = {CheckAnswer::Fix};
  Click(window.get(), "fbPrsonInfo");
  ASSERT_EQ(presenter.Checks.size(), 1u);
  EXPECT_EQ(presenter.Checks[0].Dialog, CheckDialog::PageCheck);
  EXPECT_EQ(presenter.Checks[0].Title, "Задание условий");
  EXPECT_EQ(presenter.Checks[0].Message, "Не введен номер инспекции");
  EXPECT_EQ(PageName(*window), "TfrInitialData");
  EXPECT_TRUE(window->Button(NavButton::InitialData)->isChecked());
  EXPECT_FALSE(window->Button(NavButton::PrsonInfo)->isChecked());
  EXPECT_EQ(window->CurrentButton(), window->Button(NavButton::InitialData));
}

TEST_F(PagesTest, SkipAllOnTheFirstErrorLetsTheUserLeave) {
  auto window = MakeWindow();
  Click(window.get(), "rbSigner1");  // two more errors would follow: the name and the document
  presenter.CheckAnswers = {CheckAnswer::SkipAll};
  Click(window.get(), "fbPrsonInfo");
  EXPECT_EQ(presenter.Checks.size(), 1u);
  EXPECT_EQ(PageName(*window), "TfrPersonData");
  EXPECT_TRUE(window->Button(NavButton::PrsonInfo)->isChecked());
  EXPECT_EQ(window->Declaration().ConditionsPending, 0) << "the page left stored its data";
}

TEST_F(PagesTest, SkipGoesOnToTheNextErrorAndFixFocusesItsField) {
  auto window = MakeWindow();
  window->show();
  Click(window.get(), "rbForm2");
  Click(window.get(), "rbSigner2");
  presenter.CheckAnswers = {CheckAnswer::Skip, CheckAnswer::Skip, CheckAnswer::Fix};
  Click(window.get(), "fbPrsonInfo");
  ASSERT_EQ(presenter.Checks.size(), 3u);
  EXPECT_EQ(presenter.Checks[0].Message, "Не введен номер инспекции");
  EXPECT_EQ(presenter.Checks[1].Message, "Не указаны ФИО подписанта-представителя");
  EXPECT_EQ(presenter.Checks[2].Message, "Не указан документ, подтверждающий полномочия представителя");
  EXPECT_EQ(PageName(*window), "TfrInitialData");
  EXPECT_EQ(window->CurrentPage()->focusWidget(), Find<QWidget>(window.get(), "edRepresentativeDocument"));

  // Skipping every error lets the user go as well.
  presenter.CheckAnswers = {CheckAnswer::Skip, CheckAnswer::Skip, CheckAnswer::Skip, CheckAnswer::Skip};
  Click(window.get(), "fbPrsonInfo");
  EXPECT_EQ(presenter.Checks.size(), 7u);
  EXPECT_EQ(presenter.Checks[6].Message, "Не указано наименование Юр.лица-представителя");
  EXPECT_EQ(PageName(*window), "TfrPersonData");
}

TEST_F(PagesTest, BlankRepresentativeTextsCountAsEmpty) {
  auto window = MakeWindow();
  FillConditions(*window);
  Click(window.get(), "rbSigner1");
  Find<TMaskedEdit>(window.get(), "edRepresentativeName")->setText(QStringLiteral("   "));
  Find<TMaskedEdit>(window.get(), "edRepresentativeDocument")->setText(QStringLiteral("Доверенность № 5"));
  presenter.CheckAnswers = {CheckAnswer::Fix};
  Click(window.get(), "fbPrsonInfo");
  ASSERT_EQ(presenter.Checks.size(), 1u);
  EXPECT_EQ(presenter.Checks[0].Message, "Не указаны ФИО подписанта-представителя");
}

TEST_F(PagesTest, CompositePagesShowTheirSubButtonsByForm) {
  struct Case {
    std::uint8_t Form;
    PageId Page;
    std::vector<const char*> Visible;
    std::vector<const char*> Hidden;
    const char* FirstSubPage;
  };
  const Case cases[] = {
      {kForm3Resident, PageId::PersonData, {"sbPersonNaim", "sbPersonAddress"}, {}, "TfrPersonNaim"},
      {kForm4, PageId::PersonData, {"sbPersonNaim"}, {"sbPersonAddress"}, "TfrPersonNaim"},
      {kForm3Resident, PageId::RussianIncome, {"sbIncome1", "sbIncome2", "sbIncome3", "sbIncome7"}, {"sbIncome6"},
       "TfrThirteenPercent"},
      {kForm3NonResident, PageId::RussianIncome, {"sbIncome1", "sbIncome2", "sbIncome6"}, {"sbIncome3", "sbIncome7"},
       "TfrThirteenPercent"},
      {kForm4, PageId::RussianIncome, {}, {"sbIncome1", "sbIncome2", "sbIncome3", "sbIncome6", "sbIncome7"}, ""},
      {kForm3Resident, PageId::FrameDeductData, {"sbStandartDeduct", "sbMultyConstructionDeduct", "sbFramePensDeduct", "sbCB"},
       {}, "TfrFrameStandartDeduct"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(PageClassName(c.Page)) + " form " + std::to_string(c.Form));
    auto window = MakeWindow();
    window->Declaration().DeclarationForm = c.Form;
    window->Declaration().InspectionCode = "7701";
    // Show the page directly so that the conditions page does not store its form over ours.
    window->Declaration().ConditionsPending = 0;
    TThinkingFrame* page = CreatePage(c.Page, window.get(), *window);
    auto* composite = qobject_cast<TCompositeFrame*>(page);
    ASSERT_NE(composite, nullptr);
    for (const char* name : c.Visible) {
      auto* b = composite->findChild<QToolButton*>(QString::fromLatin1(name));
      EXPECT_TRUE(b != nullptr && !b->isHidden()) << name;
    }
    for (const char* name : c.Hidden) {
      auto* b = composite->findChild<QToolButton*>(QString::fromLatin1(name));
      EXPECT_TRUE(b == nullptr || b->isHidden()) << name;
    }
    EXPECT_EQ(composite->CurrentPage() ? composite->CurrentPage()->objectName().toStdString() : std::string(),
              c.FirstSubPage);
    delete page;
  }
}

TEST_F(PagesTest, NonResidentSubButtonsOpenTheirPages) {
  auto window = MakeWindow();
  FillConditions(*window);
  Click(window.get(), "rbForm1");
  Click(window.get(), "fbRussianIncome");
  ASSERT_EQ(PageName(*window), "TfrRussianIncome");
  dialogs.SaveNames.push_back(dir.filePath("nr.tv6"));
  window->SaveDoc();
  ASSERT_TRUE(window->Saved());
  EXPECT_EQ(Find<QToolButton>(window.get(), "sbIncome1")->toolTip(), QStringLiteral("Доходы нерезидента"));
  const std::pair<const char*, const char*> steps[] = {
      {"sbIncome2", "TfrThirtyPercent"}, {"sbIncome6", "TTfrThirteenPercentNR"}, {"sbIncome1", "TfrThirteenPercent"}};
  for (const auto& [button, page] : steps) {
    Click(window.get(), button);
    EXPECT_EQ(SubPageName(*window), page);
    EXPECT_TRUE(Find<QToolButton>(window.get(), button)->isChecked());
  }
  EXPECT_TRUE(window->Saved()) << "switching sub-pages changes nothing";
}

TEST_F(PagesTest, TheCheckLeadsToThePageAndFieldOfTheError) {
  struct Case {
    int Page;
    int Item;
    const char* Shown;
    const char* SubShown;
    NavButton Button;
  };
  const Case cases[] = {
      {1, 1, "TfrInitialData", "", NavButton::InitialData},
      {2, 4, "TfrPersonData", "TfrPersonNaim", NavButton::PrsonInfo},
      {3, 2, "TfrPersonData", "TfrPersonAddress", NavButton::PrsonInfo},
      {4, 1, "TfrRussianIncome", "TfrThirteenPercent", NavButton::RussianIncome},
      {5, 0, "TfrRussianIncome", "TfrThirtyPercent", NavButton::RussianIncome},
      {6, 0, "TfrRussianIncome", "TfrThirtyFivePercent", NavButton::RussianIncome},
      {7, 1, "TfrCurrency", "", NavButton::ForeignIncome},
      {8, 2, "TfrBusinessNew", "", NavButton::BusinessIncome},
      {9, 0, "TfrFrameDeductData", "TfrFrameStandartDeduct", NavButton::Deduction},
      {10, 1, "TfrFrameDeductData", "TfrFramePensDeduct", NavButton::Deduction},
      {11, 0, "TfrFrameDeductData", "TfrMultyConstructionDeduct", NavButton::Deduction},
      {12, 0, "TfrInvestTov", "", NavButton::InvestTov},
  };
  CheckResult next;
  check = [&next](mTDeclaration&, IPresenter&) { return next; };
  presenter.SkipAllOtherPageChecks = true;  // the taxpayer page has checks of its own
  // A field chosen from a dictionary opens its picker when shown: the picker is closed again.
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [] {
    if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) modal->reject();
  });
  closer.start(20);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Page);
    auto window = MakeWindow();
    window->show();
    // Start from another page, so that the target is built.
    FillConditions(*window);
    window->ShowPage(PageId::PersonData, NavButton::PrsonInfo);
    if (c.Page == 2 || c.Page == 3) window->ShowPage(PageId::InitialData, NavButton::InitialData);
    next = CheckResult{CheckResult::Outcome::Fix, c.Page, c.Item};
    EXPECT_EQ(window->CheckAndNavigate(), 1);
    EXPECT_EQ(PageName(*window), c.Shown);
    EXPECT_EQ(SubPageName(*window), c.SubShown);
    EXPECT_TRUE(window->Button(c.Button)->isChecked());
    if (c.Page == 1) {
      EXPECT_EQ(window->CurrentPage()->focusWidget(), Find<QWidget>(window.get(), "edInspection"));
    }
  }
}

TEST_F(PagesTest, TheCheckResultsThatShowNoPage) {
  CheckResult next;
  check = [&next](mTDeclaration&, IPresenter&) { return next; };
  auto window = MakeWindow();
  TThinkingFrame* page = window->CurrentPage();

  next = CheckResult{CheckResult::Outcome::Cancelled, 0, 0};
  EXPECT_EQ(window->CheckAndNavigate(), 2);
  next = CheckResult{CheckResult::Outcome::Fix, 13, 1};
  EXPECT_EQ(window->CheckAndNavigate(), 1);
  EXPECT_EQ(window->CurrentPage(), page);
  EXPECT_TRUE(presenter.Messages.empty());

  next = CheckResult{};
  window->CheckDoc();
  ASSERT_EQ(presenter.Messages.size(), 1u);
  EXPECT_EQ(presenter.Messages[0].Text, "Проверка декларации завершена успешно");
  EXPECT_EQ(presenter.Messages[0].Caption, "Тальвер 2016");
  EXPECT_EQ(presenter.Messages[0].Icon, MessageIcon::Information);
}

TEST_F(PagesTest, TheRealCheckStopsAtTheFirstErrorAndLeadsThere) {
  check = &CheckDeclaration;
  auto window = MakeWindow();
  window->show();
  FillConditions(*window);
  window->ShowPage(PageId::PersonData, NavButton::PrsonInfo);
  window->Declaration().InspectionCode.clear();
  presenter.CheckAnswers = {CheckAnswer::Fix};
  EXPECT_EQ(window->CheckAndNavigate(), 1);
  ASSERT_EQ(presenter.Checks.size(), 1u);
  EXPECT_EQ(presenter.Checks[0].Dialog, CheckDialog::WholeReturn);
  EXPECT_EQ(presenter.Checks[0].Title, "Задание условий");
  EXPECT_EQ(presenter.Checks[0].Message, "Не введен номер инспекции");
  EXPECT_EQ(PageName(*window), "TfrInitialData");
  EXPECT_EQ(window->CurrentPage()->focusWidget(), Find<QWidget>(window.get(), "edInspection"));

  presenter.CheckAnswers = {CheckAnswer::Cancel, CheckAnswer::Cancel};
  EXPECT_EQ(window->CheckAndNavigate(), 2);
  window->ExportDoc();  // cancelled in its check: no folder is asked
  EXPECT_TRUE(dialogs.FolderCaptions.empty());
}

TEST_F(PagesTest, TheCheckSeesWhatTheShownPageHoldsBeforeItRuns) {
  std::string seen;
  check = [&seen](mTDeclaration& d, IPresenter&) {
    seen = d.RepresentativeName;
    return CheckResult{};
  };
  auto window = MakeWindow();
  Click(window.get(), "rbSigner1");
  Find<TMaskedEdit>(window.get(), "edRepresentativeName")->setText(QStringLiteral("Сидоров"));
  window->CheckDoc();
  EXPECT_EQ(seen, Utf8ToCp1251("Сидоров"));
}

}  // namespace
}  // namespace talver::test
