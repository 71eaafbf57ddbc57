// The main window: start-up, texts, view settings and the document commands.
#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

#include <fstream>

#include "tests/ui/support/UiTestSupport.h"

namespace talver::test {
namespace {

using MainWindowTest = UiTest;

TEST_F(MainWindowTest, StartsWithANewDocumentOnTheConditionsPage) {
  auto window = MakeWindow();
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Без имени - Тальвер 2016"));
  EXPECT_EQ(PageName(*window), "TfrInitialData");
  EXPECT_TRUE(window->Button(NavButton::InitialData)->isChecked());
  EXPECT_TRUE(window->Saved());
  EXPECT_TRUE(window->FileName().isEmpty());
  const mTDeclaration& d = window->Declaration();
  EXPECT_EQ(d.Sections, kSectionRussian);
  EXPECT_EQ(d.ConditionsPending, 1);
  EXPECT_EQ(d.SignerKind, 0);
  EXPECT_TRUE(d.InspectionCode.empty());
  EXPECT_EQ(d.SignDate, Today());
  EXPECT_TRUE(presenter.Messages.empty());
  EXPECT_GE(window->minimumWidth(), 750);
  EXPECT_GE(window->minimumHeight(), 550);
}

TEST_F(MainWindowTest, CommandLineArguments) {
  const QString file = WriteDeclaration(QStringLiteral("arg.tv6"), [](mTDeclaration& d) { d.InspectionCode = "7701"; });
  struct Case {
    const char* Name;
    QStringList Arguments;
    bool Opens;
    bool ReportsError;
  };
  const Case cases[] = {
      {"one path", {file}, true, false},
      {"-p and a path", {QStringLiteral("-p"), file}, true, false},
      {"-P upper case", {QStringLiteral("-P"), file}, true, false},
      {"path and another argument", {file, QStringLiteral("extra")}, true, false},
      {"-P alone names the empty second argument", {QStringLiteral("-P")}, false, true},
      {"a missing file", {dir.filePath(QStringLiteral("missing.tv6"))}, false, true},
      {"three arguments are ignored", {file, QStringLiteral("b"), QStringLiteral("c")}, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    presenter.Messages.clear();
    auto window = MakeWindow(c.Arguments);
    EXPECT_EQ(window->Declaration().InspectionCode, c.Opens ? "7701" : "");
    EXPECT_EQ(window->windowTitle(), c.Opens ? QStringLiteral(" arg.tv6 - Тальвер 2016")
                                             : QStringLiteral("Без имени - Тальвер 2016"));
    EXPECT_EQ(window->FileName().isEmpty(), !c.Opens);
    EXPECT_EQ(window->Declaration().ConditionsPending, c.Opens ? 0 : 1);
    ASSERT_EQ(presenter.Messages.size(), c.ReportsError ? 1u : 0u);
    if (c.ReportsError) {
      EXPECT_EQ(presenter.Messages[0].Caption, "Тальвер 2016");
      EXPECT_EQ(presenter.Messages[0].Icon, MessageIcon::Error);
    }
    EXPECT_TRUE(window->Saved());
  }
}

TEST_F(MainWindowTest, MenusToolBarAndSectionButtonsCarryTheirTexts) {
  auto window = MakeWindow();
  std::vector<std::pair<QString, QStringList>> menus;
  for (QAction* menuAction : window->menuBar()->actions()) {
    QStringList items;
    for (QAction* item : menuAction->menu()->actions()) items << (item->isSeparator() ? QStringLiteral("-") : item->text());
    menus.emplace_back(menuAction->text(), items);
  }
  const std::vector<std::pair<QString, QStringList>> expected = {
      {"Файл", {"Создать", "Открыть", "Открыть файл xml…", "Сохранить", "Сохранить как...", "-", "Выход"}},
      {"Декларация", {"Просмотр", "Печать", "Экспорт в xml", "Проверить", "Дивиденды из отчета брокера…"}},
      {"Настройки", {"Стандартная панель", "Подписи под кнопками"}},
      {"Справка", {"Справка", "-", "О программе"}},
  };
  EXPECT_EQ(menus, expected);
  EXPECT_EQ(Find<QAction>(window.get(), "ExportDoc")->iconText(), QStringLiteral("Экспорт"));
  EXPECT_EQ(Find<QAction>(window.get(), "Help")->shortcut(), QKeySequence(Qt::Key_F1));

  const std::pair<const char*, const char*> tools[] = {
      {"fbCreate", "Создать"}, {"fbOpen", "Открыть"},   {"fbSave", "Сохранить"},  {"fbView", "Просмотр"},
      {"fbPrint", "Печать"},   {"fbExsport", "Файл xml"}, {"fbCheck", "Проверить"},
  };
  for (const auto& [name, text] : tools) EXPECT_EQ(Find<QToolButton>(window.get(), name)->text(), QString::fromUtf8(text));

  const std::tuple<NavButton, const char*, const char*, const char*> sections[] = {
      {NavButton::InitialData, "fbInitialData", "Задание условий", "Выбор режима ввода"},
      {NavButton::PrsonInfo, "fbPrsonInfo", "Сведения о декларанте", "Персональные данные налогоплательщика"},
      {NavButton::RussianIncome, "fbRussianIncome", "Доходы, полученные в РФ",
       "Доходы, полученные от налоговых агентов или иных источников, в т.ч. физлиц"},
      {NavButton::BusinessIncome, "fbBusinessIncome", "Предприниматели",
       "Доходы, полученные от предпринимательской деятельности без образования юридического лица и частной "
       "практики"},
      {NavButton::ForeignIncome, "fbForeignIncome", "Доходы за пределами РФ", "Доходы, полученные в иностранной валюте"},
      {NavButton::InvestTov, "fbInvestTov", "Инвест. товарищества", "Данные по участию в инвестиционных товариществах"},
      {NavButton::Deduction, "fbDeduction", "Вычеты", "Стандартные, социальные и имущественный налоговые вычеты"},
  };
  for (const auto& [button, name, text, hint] : sections) {
    QPushButton* b = window->Button(button);
    EXPECT_EQ(b->objectName(), QString::fromLatin1(name));
    EXPECT_EQ(b->text(), QString::fromUtf8(text));
    EXPECT_EQ(b->toolTip(), QString::fromUtf8(hint));
  }
}

TEST_F(MainWindowTest, ViewSettingsAreReadAndWritten) {
  {
    // Missing values mean both settings on.
    auto window = MakeWindow();
    EXPECT_TRUE(Find<QAction>(window.get(), "ToggleToolbar")->isChecked());
    EXPECT_TRUE(Find<QAction>(window.get(), "ToggleLabels")->isChecked());
    auto* create = Find<QToolButton>(window.get(), "fbCreate");
    EXPECT_EQ(create->size(), QSize(80, 47));
    EXPECT_EQ(create->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    EXPECT_FALSE(Find<QToolBar>(window.get(), "CoolBarButtons")->isHidden());

    Find<QAction>(window.get(), "ToggleLabels")->trigger();
    EXPECT_EQ(create->size(), QSize(35, 35));
    EXPECT_EQ(create->toolButtonStyle(), Qt::ToolButtonIconOnly);
    Find<QAction>(window.get(), "ToggleToolbar")->trigger();
    EXPECT_TRUE(Find<QToolBar>(window.get(), "CoolBarButtons")->isHidden());
  }
  QSettings settings(QString::fromUtf8(kOrganizationName), QString::fromUtf8(kProductName));
  EXPECT_EQ(settings.value("ShowStdToolbar").toInt(), 0);
  EXPECT_EQ(settings.value("TextLabels").toInt(), 0);

  auto window = MakeWindow();
  EXPECT_FALSE(Find<QAction>(window.get(), "ToggleToolbar")->isChecked());
  EXPECT_FALSE(Find<QAction>(window.get(), "ToggleLabels")->isChecked());
  EXPECT_TRUE(Find<QToolBar>(window.get(), "CoolBarButtons")->isHidden());
  EXPECT_EQ(Find<QToolButton>(window.get(), "fbSave")->size(), QSize(35, 35));
}

TEST_F(MainWindowTest, ClosingWritesTheWindowPlace) {
  auto window = MakeWindow();
  window->show();
  window->setGeometry(40, 60, 900, 700);
  EXPECT_TRUE(window->close());
  EXPECT_TRUE(presenter.Asked.empty()) << "an unchanged document asks nothing";
  QSettings settings(QString::fromUtf8(kOrganizationName), QString::fromUtf8(kProductName));
  EXPECT_EQ(settings.value("FullScreen").toInt(), 0);
  EXPECT_EQ(settings.value("wWidth").toInt(), 900);
  EXPECT_EQ(settings.value("wHeight").toInt(), 700);
  EXPECT_TRUE(settings.contains("wLeft"));
  EXPECT_TRUE(settings.contains("wTop"));
}

// A change the user makes on the conditions page.
void ChangeSomething(TFormMain& window) {
  auto* correction = window.findChild<TMaskedEdit*>(QStringLiteral("edCorrection"));
  ASSERT_NE(correction, nullptr);
  correction->setFocus();
  QTest::keyClicks(correction, QStringLiteral("1"));
}

TEST_F(MainWindowTest, ChangeNoticesDuringPageConstructionAreIgnored) {
  // Building the conditions page fills every field, which notifies; the document stays saved.
  const QString file = WriteDeclaration(QStringLiteral("full.tv6"), [](mTDeclaration& d) {
    d.InspectionCode = "7701";
    d.SignerKind = 1;
    d.RepresentativeName = Utf8ToCp1251("Иванов");
    d.RepresentativeDocument = Utf8ToCp1251("Доверенность");
  });
  auto window = MakeWindow({file});
  EXPECT_TRUE(window->Saved());
  presenter.SkipAllOtherPageChecks = true;  // the taxpayer page has checks of its own
  window->ShowPage(PageId::PersonData, NavButton::PrsonInfo);
  EXPECT_EQ(PageName(*window), "TfrPersonData");
  EXPECT_TRUE(window->Saved());
  window->ShowPage(PageId::InitialData, NavButton::InitialData);
  EXPECT_TRUE(window->Saved());
  ChangeSomething(*window);
  EXPECT_FALSE(window->Saved());
}

TEST_F(MainWindowTest, SavingReplacesALastCharacterOtherThanSix) {
  struct Case {
    QString Chosen;
    QString Written;
  };
  const Case cases[] = {
      {dir.filePath("report"), dir.filePath("repor6")},
      {dir.filePath("return.tv6"), dir.filePath("return.tv6")},
      {dir.filePath("old.tv5"), dir.filePath("old.tv6")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Chosen.toStdString());
    auto window = MakeWindow();
    ChangeSomething(*window);
    dialogs.SaveNames.push_back(c.Chosen);
    window->SaveDoc();
    EXPECT_TRUE(QFile::exists(c.Written));
    EXPECT_EQ(window->FileName(), c.Written);
    EXPECT_EQ(window->windowTitle(), QFileInfo(c.Written).fileName() + QStringLiteral(" - Тальвер 2016"));
    EXPECT_TRUE(window->Saved());
    mTDeclaration back;
    back.LoadFromFile(ToPath(c.Written));
    EXPECT_EQ(back.CorrectionNumber, 1) << "the page stored before the save";
  }
}

TEST_F(MainWindowTest, AFileOfAnEarlierYearIsSavedAsThisYearsFileBesideIt) {
  // The same file under an earlier year's storage name.
  const QString current = WriteDeclaration(QStringLiteral("x.tv6"), [](mTDeclaration& d) {
    d.Person.Name.Surname = Utf8ToCp1251("Петров");
    d.InspectionCode = "7701";
  });
  QFile in(current);
  ASSERT_TRUE(in.open(QIODevice::ReadOnly));
  QByteArray bytes = in.readAll();
  in.close();
  const qsizetype at = bytes.indexOf("Talver2016");
  ASSERT_GE(at, 0);
  bytes.replace(at, 10, "Talver2015");
  const QString old = dir.filePath("old.tv5");
  QFile out(old);
  ASSERT_TRUE(out.open(QIODevice::WriteOnly));
  out.write(bytes);
  out.close();

  auto window = MakeWindow({old});
  EXPECT_EQ(window->Declaration().Person.Name.Surname, Utf8ToCp1251("Петров"));
  EXPECT_TRUE(window->Declaration().InspectionCode.empty()) << "only the taxpayer comes from another year";
  EXPECT_EQ(window->FileName(), old);
  window->SaveDoc();
  EXPECT_TRUE(QFile::exists(dir.filePath("old.tv6")));
  QFile untouched(old);
  ASSERT_TRUE(untouched.open(QIODevice::ReadOnly));
  EXPECT_EQ(untouched.readAll(), bytes);
}

TEST_F(MainWindowTest, CancellingTheSaveDialogSavesNothingAndKeepsTheChanges) {
  auto window = MakeWindow();
  ChangeSomething(*window);
  dialogs.SaveNames.push_back(QString());
  window->SaveDoc();
  EXPECT_FALSE(window->Saved());
  EXPECT_TRUE(window->FileName().isEmpty());
}

TEST_F(MainWindowTest, ASaveThatFailsIsReportedAndLeavesTheDocumentUnsaved) {
  auto window = MakeWindow();
  ChangeSomething(*window);
  dialogs.SaveNames.push_back(dir.filePath("no/such/folder/x.tv6"));
  window->SaveDoc();
  EXPECT_FALSE(window->Saved());
  ASSERT_EQ(presenter.Messages.size(), 1u);
  EXPECT_EQ(presenter.Messages[0].Icon, MessageIcon::Error);
  EXPECT_NE(presenter.Messages[0].Text.find("Ошибка"), std::string::npos) << presenter.Messages[0].Text;
}

TEST_F(MainWindowTest, SaveAsWritesTheChosenNameAsItIs) {
  auto window = MakeWindow();
  ChangeSomething(*window);
  dialogs.SaveNames.push_back(dir.filePath("copy.tv5"));
  window->SaveAsDoc();
  EXPECT_TRUE(QFile::exists(dir.filePath("copy.tv5")));
  EXPECT_EQ(window->windowTitle(), QStringLiteral("copy.tv5 - Тальвер 2016"));
  EXPECT_TRUE(window->Saved());
}

TEST_F(MainWindowTest, TheUnsavedChangesQuestionAndItsAnswers) {
  const QString named = dir.filePath("named.tv6");
  struct Case {
    const char* Name;
    QuestionAnswer Answer;
    QString SaveDialog;  // the save dialog's answer, when it is asked
    bool Proceeds;
    bool Saves;
  };
  const Case cases[] = {
      {"Отмена ends the command", QuestionAnswer::Cancel, {}, false, false},
      {"Нет goes on without saving", QuestionAnswer::No, {}, true, false},
      {"Да saves and goes on", QuestionAnswer::Yes, named, true, true},
      {"Да, then the save dialog cancelled, goes on", QuestionAnswer::Yes, QStringLiteral(""), true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    QFile::remove(named);
    presenter.Asked.clear();
    auto window = MakeWindow();
    ChangeSomething(*window);
    presenter.Questions.push_back(c.Answer);
    if (c.Answer == QuestionAnswer::Yes) dialogs.SaveNames.push_back(c.SaveDialog);
    window->CreateDoc();
    ASSERT_EQ(presenter.Asked.size(), 1u);
    EXPECT_EQ(presenter.Asked[0], "Вы хотите сохранить декларацию?");
    EXPECT_EQ(QFile::exists(named), c.Saves);
    EXPECT_EQ(window->Saved(), c.Proceeds);
    EXPECT_EQ(window->Declaration().CorrectionNumber, 0) << "the page never stored into a new document";
    auto* correction = Find<TMaskedEdit>(window.get(), "edCorrection");
    EXPECT_EQ(correction->text(), c.Proceeds ? QStringLiteral("0") : QStringLiteral("01"));
  }
}

TEST_F(MainWindowTest, ClosingAsksAboutChangesAndCancelKeepsTheWindow) {
  auto window = MakeWindow();
  window->show();
  ChangeSomething(*window);
  presenter.Questions.push_back(QuestionAnswer::Cancel);
  EXPECT_FALSE(window->close());
  EXPECT_TRUE(window->isVisible());
  presenter.Questions.push_back(QuestionAnswer::No);
  EXPECT_TRUE(window->close());
  EXPECT_EQ(presenter.Asked.size(), 2u);
}

TEST_F(MainWindowTest, OpeningAFileAndCancellingTheOpenDialog) {
  const QString file = WriteDeclaration(QStringLiteral("open.tv6"), [](mTDeclaration& d) {
    d.InspectionCode = "5001";
    d.SetSections(kSectionRussian | kSectionForeign);
  });
  auto window = MakeWindow();
  dialogs.OpenNames.push_back(file);
  window->OpenDoc();
  EXPECT_EQ(window->Declaration().InspectionCode, "5001");
  EXPECT_EQ(window->windowTitle(), QStringLiteral("open.tv6 - Тальвер 2016"));
  EXPECT_TRUE(window->Button(NavButton::ForeignIncome)->isEnabled());
  ASSERT_EQ(dialogs.OpenFilters.size(), 1u);
  EXPECT_TRUE(dialogs.OpenFilters[0].startsWith(QStringLiteral("Тальвер 2016 (*.tv6);;Тальвер 2015 (*.tv5)")));
  EXPECT_TRUE(dialogs.OpenFilters[0].endsWith(QStringLiteral("Тальвер 2007 (*.tv7);;Тальвер 200* (*.tvl)")));

  // The previous document is gone even when the dialog is cancelled.
  dialogs.OpenNames.push_back(QString());
  window->OpenDoc();
  EXPECT_TRUE(window->Declaration().InspectionCode.empty());
  EXPECT_EQ(window->Declaration().Sections, kSectionRussian);
  EXPECT_EQ(window->Declaration().ConditionsPending, 1);
  EXPECT_TRUE(window->FileName().isEmpty());
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Без имени - Тальвер 2016"));
  EXPECT_FALSE(window->Button(NavButton::ForeignIncome)->isEnabled());
  EXPECT_EQ(PageName(*window), "TfrInitialData");
  EXPECT_TRUE(window->Saved());
}

TEST_F(MainWindowTest, ADamagedFileIsReportedAndGivesANewDocument) {
  const QString damaged = dir.filePath("damaged.tv6");
  std::ofstream(damaged.toStdString(), std::ios::binary) << "this is not a declaration file at all, not even close";
  auto window = MakeWindow();
  dialogs.OpenNames.push_back(damaged);
  window->OpenDoc();
  ASSERT_EQ(presenter.Messages.size(), 1u);
  EXPECT_EQ(presenter.Messages[0].Caption, "Тальвер 2016");
  EXPECT_EQ(presenter.Messages[0].Icon, MessageIcon::Error);
  EXPECT_TRUE(window->FileName().isEmpty());
  EXPECT_EQ(window->Declaration().ConditionsPending, 1);
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Без имени - Тальвер 2016"));
}

TEST_F(MainWindowTest, AnUnreadableOptionalDictionaryIsReportedAndLeftOut) {
  std::ofstream(programFolder / "resources" / "Oksm.xml") << "<Oksm><Country";
  auto window = MakeWindow();
  EXPECT_FALSE(window->StartupFailed());
  EXPECT_EQ(window->Countries(), nullptr);
  ASSERT_EQ(presenter.Messages.size(), 1u);
  EXPECT_NE(presenter.Messages[0].Text.find("Oksm.xml"), std::string::npos) << presenter.Messages[0].Text;
  EXPECT_EQ(PageName(*window), "TfrInitialData");
}

TEST_F(MainWindowTest, CreateEnablesTheButtonsByTheTable) {
  const QString file = WriteDeclaration(QStringLiteral("form4.tv6"), [](mTDeclaration& d) {
    d.DeclarationForm = kForm4;
    d.SetSections(0);
  });
  auto window = MakeWindow({file});
  EXPECT_FALSE(window->Button(NavButton::Deduction)->isEnabled()) << "4-НДФЛ";
  EXPECT_FALSE(window->Button(NavButton::RussianIncome)->isEnabled());
  window->CreateDoc();
  EXPECT_TRUE(window->Button(NavButton::Deduction)->isEnabled()) << "a new resident 3-НДФЛ";
  EXPECT_TRUE(window->Button(NavButton::RussianIncome)->isEnabled());
  EXPECT_TRUE(window->Button(NavButton::PrsonInfo)->isEnabled());
  EXPECT_FALSE(window->Button(NavButton::BusinessIncome)->isEnabled());
  EXPECT_FALSE(window->Button(NavButton::ForeignIncome)->isEnabled());
  EXPECT_FALSE(window->Button(NavButton::InvestTov)->isEnabled());
  EXPECT_EQ(window->Declaration().DeclarationForm, kForm3Resident);
  EXPECT_TRUE(window->Button(NavButton::InitialData)->isChecked());
}

}  // namespace
}  // namespace talver::test
