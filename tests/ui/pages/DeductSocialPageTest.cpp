// The social deductions page: the amounts, the children's education list with its dialog, the
// pension and insurance contracts with theirs and its checks, the granted box that empties the
// page, and the page check on leaving.
#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>

#include "tests/ui/support/EntryTestSupport.h"
#include "ui/pages/FramePensDeduct.h"
#include "ui/dialogs/InputSoursePens.h"

namespace talver::test {
namespace {

QStringList Lines(QWidget* page, const char* list) {
  QStringList lines;
  auto* tree = page->findChild<QTreeWidget*>(QString::fromLatin1(list));
  for (int i = 0; i < tree->topLevelItemCount(); ++i) lines << tree->topLevelItem(i)->text(0);
  return lines;
}

int Selected(QWidget* page, const char* list) {
  auto* tree = page->findChild<QTreeWidget*>(QString::fromLatin1(list));
  QTreeWidgetItem* item = tree->currentItem();
  return item != nullptr && item->isSelected() ? tree->indexOfTopLevelItem(item) : -1;
}

void SelectLine(QWidget* page, const char* list, int row) {
  auto* tree = page->findChild<QTreeWidget*>(QString::fromLatin1(list));
  tree->setCurrentItem(tree->topLevelItem(row));
}

// The next "Сумма за обучение" answered with `amount` and Enter; a null text answers Escape.
void AnswerSum(const QString& amount, QString* shown = nullptr) {
  UiTest::WhenModal([amount, shown](QWidget* dialog) {
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Сумма за обучение"));
    auto* sum = dialog->findChild<QLineEdit*>(QStringLiteral("edSum"));
    ASSERT_NE(sum, nullptr);
    if (shown != nullptr) *shown = sum->text();
    if (amount.isNull()) {
      QTest::keyClick(sum, Qt::Key_Escape);
      return;
    }
    Retype(sum, amount);
    QTest::keyClick(sum, Qt::Key_Return);
  });
}

struct ContractTyped {
  int Kind = 1;
  QString Name;
  QString Inn;
  QString Kpp;
  QString Number;
  QString Contribution;
  QString Agent;
};

// Types a contract into the dialog, replacing what its fields hold.
void TypeContract(QWidget* dialog, const ContractTyped& c) {
  QTest::mouseClick(dialog->findChild<QRadioButton*>(QStringLiteral("rbKind%1").arg(c.Kind)), Qt::LeftButton);
  const std::pair<const char*, QString> fields[] = {{"edOrgName", c.Name},       {"edInn", c.Inn},
                                                    {"edKpp", c.Kpp},            {"edContractNumber", c.Number},
                                                    {"edContribution", c.Contribution}, {"edAgentDeduction", c.Agent}};
  for (const auto& [name, text] : fields) {
    auto* edit = dialog->findChild<QLineEdit*>(QString::fromLatin1(name));
    if (edit->isEnabled()) Retype(edit, text);
  }
}

const ContractTyped kFund{1, QStringLiteral("НПФ \"Будущее\""), QStringLiteral("7707083893"),
                          QStringLiteral("773601001"), QStringLiteral("12-345"), QStringLiteral("24000"),
                          QStringLiteral("6000")};

class DeductSocialPageTest : public UiTest {
 protected:
  TestPageHost host;

  std::unique_ptr<TfrFramePensDeduct> Page() {
    host.switching = true;
    auto page = std::make_unique<TfrFramePensDeduct>(nullptr, host);
    host.switching = false;
    page->resize(820, 600);
    page->show();
    return page;
  }
  mTSocialDeduct& Model() { return host.declaration.SocialDeduct; }
};

TEST_F(DeductSocialPageTest, TheAmountsShownAndStored) {
  Model().Granted = 1;
  Model().Charity = Currency::FromRoubles(1000);
  Model().OwnEducation = Currency::FromKopecks(2000050);
  Model().Medical = Currency::FromRoubles(30000);
  Model().ExpensiveMedical = Currency::FromRoubles(150000);
  Model().VoluntaryInsurance = Currency::FromRoubles(7000);
  Model().ExtraPensionContrib = Currency::FromRoubles(3000);
  Model().AgentSocialDeduct = Currency::FromRoubles(5000);
  Model().AddChildEducation(Currency::FromRoubles(60000));
  Model().AddChildEducation(Currency::FromKopecks(3000010));
  auto page = Page();
  EXPECT_EQ(Find<QLineEdit>(page.get(), "edOwnEducation")->text(), QStringLiteral("20000,5"));
  EXPECT_EQ(Find<QLineEdit>(page.get(), "edExpensiveMedical")->text(), QStringLiteral("150000"));
  EXPECT_TRUE(Find(page.get(), "edExtraPensionContrib")->isHidden());
  EXPECT_EQ(Lines(page.get(), "lvSumList"), (QStringList{"60000", "30000,1"}));
  EXPECT_EQ(Selected(page.get(), "lvSumList"), 0) << "the first line selected";

  Retype(Find<QLineEdit>(page.get(), "edMedical"), QStringLiteral("31500,75"));
  Retype(Find<QLineEdit>(page.get(), "edCharity"), QString());
  EXPECT_GT(host.notices, 0);
  page->StoreData();
  EXPECT_EQ(Model().Medical, Currency::FromKopecks(3150075));
  EXPECT_TRUE(Model().Charity.IsZero()) << "an empty field stores 0";
  EXPECT_EQ(Model().ExtraPensionContrib, Currency::FromRoubles(3000)) << "the hidden amount kept";
  EXPECT_EQ(Model().AgentSocialDeduct, Currency::FromRoubles(5000));
}

TEST_F(DeductSocialPageTest, TheChildrensEducationList) {
  Model().Granted = 1;
  auto page = Page();
  for (const char* amount : {"60000", "30000", "50000"}) {
    AnswerSum(QString::fromLatin1(amount));
    Click(page.get(), "btAddSum");
  }
  AnswerSum(QStringLiteral("0"));
  Click(page.get(), "btAddSum");
  AnswerSum(QString());
  Click(page.get(), "btAddSum");
  EXPECT_EQ(Lines(page.get(), "lvSumList"), (QStringList{"60000", "30000", "50000"})) << "0 and Escape add nothing";
  EXPECT_EQ(Selected(page.get(), "lvSumList"), 2) << "the new line";
  EXPECT_EQ(Model().ChildEducationTotal(), Currency::FromRoubles(130000));

  // Edited by the button, by Enter and by a double click on the line; 0 keeps the amount.
  SelectLine(page.get(), "lvSumList", 1);
  QString shown;
  AnswerSum(QStringLiteral("35000,5"), &shown);
  Click(page.get(), "btEditSum");
  EXPECT_EQ(shown, QStringLiteral("30000"));
  AnswerSum(QStringLiteral("0"));
  QTest::keyClick(Find(page.get(), "lvSumList"), Qt::Key_Return);
  auto* list = Find<QTreeWidget>(page.get(), "lvSumList");
  AnswerSum(QStringLiteral("45000"));
  const QPoint third = list->visualItemRect(list->topLevelItem(2)).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, third);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, third);
  EXPECT_EQ(Lines(page.get(), "lvSumList"), (QStringList{"60000", "35000,5", "45000"}));
  EXPECT_EQ(Model().ChildEducation,
            (std::vector<Currency>{Currency::FromRoubles(60000), Currency::FromKopecks(3500050), Currency::FromRoubles(45000)}));

  // Deleting the first leaves the others in order, the first of them selected.
  SelectLine(page.get(), "lvSumList", 0);
  const int before = host.notices;
  Click(page.get(), "btDeleteSum");
  EXPECT_EQ(Lines(page.get(), "lvSumList"), (QStringList{"35000,5", "45000"}));
  EXPECT_EQ(Model().ChildEducationCount(), 2u);
  EXPECT_EQ(Model().GetChildEducation(0), Currency::FromKopecks(3500050));
  EXPECT_EQ(Selected(page.get(), "lvSumList"), 0);
  EXPECT_EQ(host.notices, before + 1);
  SelectLine(page.get(), "lvSumList", 1);
  Click(page.get(), "btDeleteSum");
  EXPECT_EQ(Selected(page.get(), "lvSumList"), 0) << "the line before";
}

TEST_F(DeductSocialPageTest, TheContractsList) {
  Model().Granted = 1;
  auto page = Page();
  WhenModal([](QWidget* dialog) {
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Вид и данные договора"));
    EXPECT_TRUE(dialog->findChild<QRadioButton*>(QStringLiteral("rbKind1"))->isChecked()) << "kind 1 when empty";
    TypeContract(dialog, kFund);
    Click(dialog, "btYes");
  });
  Click(page.get(), "btAddPens");
  WhenModal([](QWidget* dialog) {
    TypeContract(dialog, {4, {}, {}, {}, {}, QStringLiteral("12000"), {}});
    QTest::keyClick(dialog->findChild<QLineEdit*>(QStringLiteral("edContribution")), Qt::Key_Return);
  });
  Click(page.get(), "btAddPens");
  EXPECT_EQ(Lines(page.get(), "lvPensInfo"),
            (QStringList{"НПФ \"Будущее\"", "Дополнительные страховые взносы на накопительную пенсию"}));
  EXPECT_EQ(Selected(page.get(), "lvPensInfo"), 1);
  ASSERT_EQ(Model().PensionCount(), 2u);
  const mTPens& fund = Model().GetPension(0);
  EXPECT_EQ(fund.ContractKind, 1);
  EXPECT_EQ(fund.OrgName, Utf8ToCp1251("НПФ \"Будущее\""));
  EXPECT_EQ(fund.Inn, "7707083893");
  EXPECT_EQ(fund.Kpp, "773601001");
  EXPECT_EQ(fund.ContractNumber, "12-345");
  EXPECT_EQ(fund.ContractDate, Today());
  EXPECT_EQ(fund.Contribution, Currency::FromRoubles(24000));
  EXPECT_EQ(fund.AgentDeduction, Currency::FromRoubles(6000));
  EXPECT_EQ(Model().GetPension(1).ContractKind, 4);
  EXPECT_TRUE(Model().GetPension(1).OrgName.empty());

  // Edited: the dialog shows the contract; the hidden amount a file brought stays.
  Model().GetPension(0).DeductibleContribution = Currency::FromRoubles(777);
  Model().GetPension(0).ContractDate = EncodeDate(2015, 3, 2);
  SelectLine(page.get(), "lvPensInfo", 0);
  WhenModal([](QWidget* dialog) {
    EXPECT_EQ(dialog->findChild<QLineEdit*>(QStringLiteral("edOrgName"))->text(), QStringLiteral("НПФ \"Будущее\""));
    EXPECT_EQ(dialog->findChild<QDateEdit*>(QStringLiteral("dtContractDate"))->date(), QDate(2015, 3, 2));
    Retype(dialog->findChild<QLineEdit*>(QStringLiteral("edOrgName")), QStringLiteral("НПФ \"Прошлое\""));
    Click(dialog, "btYes");
  });
  Click(page.get(), "btEditPens");
  EXPECT_EQ(Lines(page.get(), "lvPensInfo").front(), QStringLiteral("НПФ \"Прошлое\""));
  EXPECT_EQ(Model().GetPension(0).DeductibleContribution, Currency::FromRoubles(777));
  EXPECT_EQ(Model().GetPension(0).ContractDate, EncodeDate(2015, 3, 2));
  EXPECT_EQ(Model().GetPension(0).Contribution, Currency::FromRoubles(24000));

  // "Нет" changes nothing; deleting removes the contract and its line.
  WhenModal([](QWidget* dialog) { Click(dialog, "btNo"); });
  Click(page.get(), "btAddPens");
  EXPECT_EQ(Model().PensionCount(), 2u);
  SelectLine(page.get(), "lvPensInfo", 0);
  Click(page.get(), "btDeletePens");
  EXPECT_EQ(Lines(page.get(), "lvPensInfo"), QStringList{"Дополнительные страховые взносы на накопительную пенсию"});
  ASSERT_EQ(Model().PensionCount(), 1u);
  EXPECT_EQ(Model().GetPension(0).ContractKind, 4);
}

TEST_F(DeductSocialPageTest, TheContractDialogsChecks) {
  struct Case {
    const char* Name;
    ContractTyped Typed;
    CheckAnswer Answer;
    std::vector<std::string> Shown;
    bool Accepted;
    const char* Focus;
  };
  const auto with = [](std::function<void(ContractTyped&)> change) {
    ContractTyped c = kFund;
    change(c);
    return c;
  };
  const Case cases[] = {
      {"a complete contract", kFund, CheckAnswer::Fix, {}, true, nullptr},
      {"no name", with([](ContractTyped& c) { c.Name = QStringLiteral("   "); }), CheckAnswer::Fix,
       {"Не заполненно поле \"Наименование источника выплаты\""}, false, "edOrgName"},
      {"a short ИНН", with([](ContractTyped& c) { c.Inn = QStringLiteral("770708389"); }), CheckAnswer::Skip,
       {"Длина ИНН должна быть равна 10 цифрам"}, false, "edInn"},
      {"a wrong ИНН", with([](ContractTyped& c) { c.Inn = QStringLiteral("7707083894"); }), CheckAnswer::Fix,
       {"Номер ИНН введен неверно"}, false, "edInn"},
      {"no КПП", with([](ContractTyped& c) { c.Kpp.clear(); }), CheckAnswer::Fix, {"Отсутствует КПП"}, false, "edKpp"},
      {"no ИНН", with([](ContractTyped& c) { c.Inn.clear(); }), CheckAnswer::Fix, {"Введите ИНН"}, false, "edInn"},
      {"no number", with([](ContractTyped& c) { c.Number = QStringLiteral("  "); }), CheckAnswer::Fix,
       {"Введите номер договора"}, false, "edContractNumber"},
      {"no number, the message closed", with([](ContractTyped& c) { c.Number.clear(); }), CheckAnswer::Skip,
       {"Введите номер договора"}, false, "edContractNumber"},
      {"a contribution below the agent's deduction", with([](ContractTyped& c) {
         c.Contribution = QStringLiteral("1000");
         c.Agent = QStringLiteral("1500");
       }),
       CheckAnswer::Skip, {"Сумма взносов меньше суммы предоставленного вычета"}, false, "edContribution"},
      {"kind 4 needs no organisation", {4, {}, {}, {}, {}, QStringLiteral("1000"), QStringLiteral("1000")},
       CheckAnswer::Fix, {}, true, nullptr},
      {"kind 4 below the agent's deduction", {4, {}, {}, {}, {}, QStringLiteral("1000"), QStringLiteral("1000,01")},
       CheckAnswer::Fix, {"Сумма взносов меньше суммы предоставленного вычета"}, false, "edContribution"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    EntryPresenter entry;
    entry.CheckAnswers = {c.Answer};
    TfmInputSoursePens dialog(nullptr, entry);
    dialog.show();
    TypeContract(&dialog, c.Typed);
    Click(&dialog, "btYes");
    EXPECT_EQ(entry.CheckMessages(), c.Shown);
    for (const auto& shown : entry.Checks) EXPECT_EQ(shown.Title, "Пенсионные договоры");
    for (bool offered : entry.SkipOffered) EXPECT_FALSE(offered);
    EXPECT_EQ(dialog.result() == QDialog::Accepted, c.Accepted);
    if (c.Focus != nullptr) {
      EXPECT_EQ(dialog.focusWidget(), Find(&dialog, c.Focus));
    }
  }
}

TEST_F(DeductSocialPageTest, TheKindDecidesTheFields) {
  EntryPresenter entry;
  TfmInputSoursePens dialog(nullptr, entry);
  dialog.show();
  auto* agentLabel = Find<QLabel>(&dialog, "lbAgentDeduction");
  EXPECT_EQ(agentLabel->text(), QStringLiteral("Сумма вычета у налогового агента (код 327)"));
  EXPECT_TRUE(Find(&dialog, "edDeductibleContribution")->isHidden());
  for (int kind : {4, 3, 4}) {
    SCOPED_TRACE(kind);
    Click(&dialog, QStringLiteral("rbKind%1").arg(kind).toLatin1().constData());
    for (const char* name : {"edOrgName", "edInn", "edKpp", "edContractNumber", "dtContractDate"}) {
      EXPECT_EQ(Find(&dialog, name)->isEnabled(), kind != 4) << name;
    }
    EXPECT_TRUE(Find(&dialog, "edContribution")->isEnabled());
    EXPECT_EQ(agentLabel->text(), kind == 4 ? QStringLiteral("Сумма вычета у налогового агента (код 328)")
                                            : QStringLiteral("Сумма вычета у налогового агента (код 327)"));
  }
}

TEST_F(DeductSocialPageTest, UntickingEmptiesThePageAndTheReturn) {
  Model().Granted = 1;
  Model().Medical = Currency::FromRoubles(100);
  Model().ExtraPensionContrib = Currency::FromRoubles(50);
  Model().AddChildEducation(Currency::FromRoubles(10000));
  Model().GetPension(Model().AddPension()).ContractKind = 4;
  auto page = Page();
  Click(page.get(), "cbGranted");
  EXPECT_GT(host.notices, 0);
  EXPECT_TRUE(Find<QLineEdit>(page.get(), "edMedical")->text().isEmpty());
  for (const char* name : {"edCharity", "edAgentSocialDeduct", "btAddSum", "btEditSum", "btAddPens", "btDeletePens"}) {
    EXPECT_FALSE(Find(page.get(), name)->isEnabled()) << name;
  }
  EXPECT_EQ(Model().ChildEducationCount(), 0u);
  EXPECT_EQ(Model().PensionCount(), 0u);
  page->StoreData();
  EXPECT_EQ(Model().Granted, 0);
  EXPECT_TRUE(Model().Medical.IsZero());
  EXPECT_TRUE(Model().ExtraPensionContrib.IsZero());

  const int before = host.notices;
  Click(page.get(), "cbGranted");
  EXPECT_EQ(host.notices, before + 1);
  EXPECT_TRUE(Find(page.get(), "btAddSum")->isEnabled());
  EXPECT_TRUE(Find(page.get(), "edCharity")->isEnabled());
  EXPECT_TRUE(Lines(page.get(), "lvSumList").isEmpty());
  EXPECT_TRUE(Lines(page.get(), "lvPensInfo").isEmpty());

  // A return without the deductions shows an empty, closed page.
  host.declaration = mTDeclaration();
  page = Page();
  EXPECT_FALSE(Find<QCheckBox>(page.get(), "cbGranted")->isChecked());
  EXPECT_FALSE(Find(page.get(), "edMedical")->isEnabled());
}

// Leaving the page through the window: the core's page check of the social deductions.
TEST_F(DeductSocialPageTest, ThePageCheckOnLeaving) {
  struct Case {
    const char* Name;
    std::function<void(mTSocialDeduct&)> Fill;
    std::vector<std::string> Shown;
    const char* Focus;
  };
  const Case cases[] = {
      {"nothing entered", [](mTSocialDeduct&) {}, {"Не введены данные по социальным налоговым вычетам"}, "edCharity"},
      {"the agent's deduction above the capped expenses",
       [](mTSocialDeduct& s) {
         s.AddChildEducation(Currency::FromRoubles(60000));
         s.AddChildEducation(Currency::FromRoubles(30000));
         s.AgentSocialDeduct = Currency::FromRoubles(100000);
       },
       {"Предоставленный налоговым агентом вычет превышает заявленные затраты"}, "edAgentSocialDeduct"},
      {"with the own education as well",
       [](mTSocialDeduct& s) {
         s.AddChildEducation(Currency::FromRoubles(60000));
         s.AddChildEducation(Currency::FromRoubles(30000));
         s.OwnEducation = Currency::FromRoubles(20000);
         s.AgentSocialDeduct = Currency::FromRoubles(100000);
       },
       {}, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    presenter.Checks.clear();
    auto window = MakeWindow({WriteDeclaration(QStringLiteral("social.tv6"), [&c](mTDeclaration& d) {
      d.InspectionCode = "5001";
      d.SocialDeduct.Granted = 1;
      c.Fill(d.SocialDeduct);
    })});
    window->show();
    window->ShowPage(PageId::FrameDeductData, NavButton::Deduction);
    Click(window.get(), "sbFramePensDeduct");
    ASSERT_EQ(SubPageName(*window), "TfrFramePensDeduct");
    presenter.CheckAnswers = {CheckAnswer::Fix};
    Click(window.get(), "sbCB");
    std::vector<std::string> shown;
    for (const auto& error : presenter.Checks) {
      shown.push_back(error.Message);
      EXPECT_EQ(error.Title, "Социальные вычеты");
    }
    EXPECT_EQ(shown, c.Shown);
    if (c.Focus != nullptr) {
      EXPECT_EQ(SubPageName(*window), "TfrFramePensDeduct") << "the user stays";
      EXPECT_TRUE(Find<QToolButton>(window.get(), "sbFramePensDeduct")->isChecked());
      EXPECT_EQ(window->CurrentPage()->focusWidget(), Find(window.get(), c.Focus));
    } else {
      EXPECT_EQ(SubPageName(*window), "TfrCB");
    }
    presenter.CheckAnswers.clear();
  }
}

}  // namespace
}  // namespace talver::test
