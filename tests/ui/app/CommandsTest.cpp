// The commands of the "Декларация" and "Справка" menus: export with its three outcomes, preview
// and print through the print module, help and About.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QUrlQuery>

#include <fstream>

#include "tests/ui/support/UiTestSupport.h"
#include "ui/app/About.h"
#include "ui/framework/HelpWindow.h"

namespace talver::test {
namespace {

using CommandsTest = UiTest;

TEST_F(CommandsTest, ExportReportsEachOutcome) {
  const QString folder = dir.filePath("out");
  QDir().mkpath(folder);
  struct Case {
    const char* Name;
    std::string Result;  // what the export returns
    bool WritesFile;
    std::string Message;
  };
  const Case cases[] = {
      {"written", "NO_NDFL3_0000_0000_1.xml", true,
       "Сформирован файл " + folder.toStdString() + "/ NO_NDFL3_0000_0000_1.xml"},
      {"named but not there", "NO_NDFL3_0000_0000_2.xml", false,
       "Не удалось сохранить файл в указанный каталог. Выберите другой каталог или запускайте программу с правами "
       "администратора."},
      {"failed", "ERROR", false, "Файл не сформирован, свяжитесь с разработчиками."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    presenter.Messages.clear();
    std::vector<std::string> calls;
    std::unique_ptr<TFormMain> window;
    exporter = [&](const std::filesystem::path& to, mTDeclaration&, int mode, IPresenter&) {
      calls.push_back(to.string() + " mode " + std::to_string(mode));
      EXPECT_FALSE(window->centralWidget()->isEnabled()) << "no command can start meanwhile";
      EXPECT_FALSE(window->menuBar()->isEnabled());
      if (c.WritesFile) std::ofstream(to / c.Result) << "<Файл/>";
      return c.Result;
    };
    window = MakeWindow();
    dialogs.Folders.push_back(folder);
    window->ExportDoc();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0], folder.toStdString() + "/ mode 1") << "the folder ends with its separator";
    EXPECT_EQ(dialogs.FolderCaptions.back(), QStringLiteral("Тальвер 2016"));
    ASSERT_EQ(presenter.Messages.size(), 1u);
    EXPECT_EQ(presenter.Messages[0].Text, c.Message);
    EXPECT_EQ(presenter.Messages[0].Caption, "Тальвер 2016");
    EXPECT_EQ(presenter.Messages[0].Icon, MessageIcon::Information);
    EXPECT_TRUE(window->centralWidget()->isEnabled() && window->menuBar()->isEnabled());
  }
}

TEST_F(CommandsTest, TheRealExportWritesTheReturnIntoTheChosenFolder) {
  const QString folder = dir.filePath("real");
  QDir().mkpath(folder);
  auto window = MakeWindow({WriteDeclaration(QStringLiteral("r.tv6"), [](mTDeclaration& d) {
    d.InspectionCode = "7701";
    d.Person.Name.Surname = Utf8ToCp1251("Иванов");
  })});
  dialogs.Folders.push_back(folder);
  window->ExportDoc();
  ASSERT_EQ(presenter.Messages.size(), 1u);
  const std::string prefix = "Сформирован файл " + folder.toStdString() + "/ NO_NDFL3_";
  EXPECT_EQ(presenter.Messages[0].Text.substr(0, prefix.size()), prefix) << presenter.Messages[0].Text;
  const QStringList written = QDir(folder).entryList({QStringLiteral("NO_NDFL3_*.xml")}, QDir::Files);
  ASSERT_EQ(written.size(), 1);
  EXPECT_EQ(presenter.Messages[0].Text, prefix.substr(0, prefix.size() - 9) + written[0].toStdString());
}

TEST_F(CommandsTest, ExportRunsOnlyAfterAPassedCheckAndAChosenFolder) {
  int exports = 0;
  exporter = [&](const std::filesystem::path&, mTDeclaration&, int, IPresenter&) {
    ++exports;
    return std::string("ERROR");
  };
  CheckResult next{CheckResult::Outcome::Cancelled, 0, 0};
  check = [&next](mTDeclaration&, IPresenter&) { return next; };
  auto window = MakeWindow();
  window->ExportDoc();  // "Отмена" in the check: nothing else happens
  next = CheckResult{CheckResult::Outcome::Fix, 1, 1};
  window->ExportDoc();
  EXPECT_EQ(exports, 0);
  EXPECT_TRUE(dialogs.FolderCaptions.empty());
  next = CheckResult{};
  dialogs.Folders.push_back(QString());
  window->ExportDoc();
  EXPECT_EQ(exports, 0);
  EXPECT_TRUE(presenter.Messages.empty());
  EXPECT_TRUE(window->centralWidget()->isEnabled() && window->menuBar()->isEnabled());
}

TEST_F(CommandsTest, WithoutThePrintModuleBothCommandsNameTheInstaller) {
  printModule = [] { return std::unique_ptr<IPrintModule>(); };
  int exports = 0;
  exporter = [&](const std::filesystem::path&, mTDeclaration&, int, IPresenter&) {
    ++exports;
    return std::string("<Файл/>");
  };
  auto window = MakeWindow();
  window->PreviewDoc();
  window->PrintDoc();
  ASSERT_EQ(presenter.Messages.size(), 2u);
  for (const auto& m : presenter.Messages) {
    EXPECT_EQ(m.Text,
              "Не найден модуль печати. Войдите в рабочий каталог программы \"Тальвер 2016\" и запустите файл "
              "\"Печать QUIRTA(3.2.4).msi\"");
  }
  EXPECT_EQ(exports, 0) << "nothing is exported";
  EXPECT_EQ(dialogs.PrinterDialogs, 0);
  EXPECT_TRUE(window->centralWidget()->isEnabled() && window->menuBar()->isEnabled());
}

TEST_F(CommandsTest, PreviewAndPrintHandTheXmlToTheModule) {
  auto log = std::make_shared<RecordingPrintModule::Log>();
  printModule = [log] { return std::make_unique<RecordingPrintModule>(log); };
  std::vector<int> modes;
  exporter = [&](const std::filesystem::path&, mTDeclaration&, int mode, IPresenter&) {
    modes.push_back(mode);
    return std::string("<Файл ИдФайл=\"X\"/>");
  };
  auto window = MakeWindow({WriteDeclaration(QStringLiteral("p.tv6"), [](mTDeclaration& d) {
    d.InspectionCode = "0101";
    d.InspectionName = Utf8ToCp1251("ИФНС России № 1");
  })});

  window->PreviewDoc();
  EXPECT_EQ(log->Calls, (std::vector<std::string>{"SetPrintTiffParam", "PrintTiffFolder", "PreviewData"}));
  EXPECT_EQ(log->Param, std::string("Наименование налогового органа-получателя=") + Utf8ToCp1251("ИФНС России № 1"));
  EXPECT_EQ(log->Folder, programFolder.string() + "/");
  EXPECT_EQ(log->Xml, "<Файл ИдФайл=\"X\"/>");

  log->Calls.clear();
  dialogs.Copies = 3;
  window->PrintDoc();
  EXPECT_EQ(std::count(log->Calls.begin(), log->Calls.end(), "PrintData"), 3);
  EXPECT_EQ(log->PrinterName, "Принтер 1");
  EXPECT_EQ(modes, (std::vector<int>{kExportToText, kExportToText}));

  // The print dialog cancelled prints nothing; an error of the module is shown and ends the loop.
  log->Calls.clear();
  dialogs.PrinterChosen = false;
  window->PrintDoc();
  EXPECT_EQ(std::count(log->Calls.begin(), log->Calls.end(), "PrintData"), 0);
  dialogs.PrinterChosen = true;
  log->FailOnPrint = true;
  window->PrintDoc();
  EXPECT_EQ(std::count(log->Calls.begin(), log->Calls.end(), "PrintData"), 1);
  ASSERT_EQ(presenter.Messages.size(), 1u);
  EXPECT_EQ(presenter.Messages[0].Text, "Принтер не отвечает");
  EXPECT_TRUE(window->centralWidget()->isEnabled() && window->menuBar()->isEnabled());
}

TEST_F(CommandsTest, AFailedExportSendsNothingToTheModule) {
  auto log = std::make_shared<RecordingPrintModule::Log>();
  printModule = [log] { return std::make_unique<RecordingPrintModule>(log); };
  exporter = [](const std::filesystem::path&, mTDeclaration&, int, IPresenter&) { return std::string("ERROR"); };
  auto window = MakeWindow();
  window->PreviewDoc();
  EXPECT_EQ(std::count(log->Calls.begin(), log->Calls.end(), "PreviewData"), 0);
}

TEST_F(CommandsTest, HelpShowsTheProgramsTopicOrSaysTheHelpIsMissing) {
  auto window = MakeWindow();
  window->Help();
  ASSERT_EQ(presenter.Messages.size(), 1u);
  EXPECT_EQ(presenter.Messages[0].Text, "Не найден файл справки Talver2016.chm");
  EXPECT_EQ(presenter.Messages[0].Icon, MessageIcon::Error);

  InstallHelp();
  window->show();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  QTest::keyClick(window.get(), Qt::Key_F1);
  THelpWindow* help = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* h = qobject_cast<THelpWindow*>(w); h != nullptr && h->isVisible()) help = h;
  }
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->isMaximized());
  EXPECT_TRUE(help->Browser()->source().toString().endsWith(QStringLiteral("runprogramm.htm")));
  EXPECT_TRUE(help->Browser()->toPlainText().contains(QStringLiteral("Тальвер 2016")));
  // The help goes with the main window, so that the program ends.
  QPointer<THelpWindow> alive(help);
  EXPECT_TRUE(window->close());
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(alive.isNull() || !alive->isVisible());
}

TEST_F(CommandsTest, TheHelpPagesExistAndLinkToEachOther) {
  const std::filesystem::path folder = std::filesystem::path(TALVER_SOURCE_DIR) / "resources" / "help";
  for (const char* topic : {"runprogramm.htm", "EditSOUN.htm"}) {
    QFile page(FromPath(folder / topic));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << topic;
    const QString text = QString::fromUtf8(page.readAll());
    // Every local link leads to a page that exists.
    QRegularExpression link(QStringLiteral("href=\"([^\"#:]+)\""));
    for (auto match = link.globalMatch(text); match.hasNext();) {
      const QString target = match.next().captured(1);
      EXPECT_TRUE(QFile::exists(FromPath(folder) + "/" + target)) << topic << " -> " << target.toStdString();
    }
  }
  QFile soun(FromPath(folder / "EditSOUN.htm"));
  ASSERT_TRUE(soun.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(soun.readAll());
  EXPECT_TRUE(text.contains(QStringLiteral("Загрузка СОУН")));
  EXPECT_TRUE(text.contains(QStringLiteral("InspectionNumbers.xml")));
}

TEST_F(CommandsTest, AboutShowsTheAddressesAndOpensThem) {
  auto window = MakeWindow();
  TfmAbout about(window.get(), dialogs, presenter);
  EXPECT_EQ(about.windowTitle(), QStringLiteral("О программе"));
  EXPECT_EQ(about.size(), QSize(460, 232));
  EXPECT_EQ(Find<QLabel>(&about, "Image")->pixmap().size(), QSize(460, 104));
  EXPECT_EQ(Find<QLabel>(&about, "lbSupport")->text(),
            QStringLiteral("По вопросам, связанным с использованием программы обращайтесь в службу поддержки."));
  EXPECT_TRUE(Find<QLabel>(&about, "lbMail")->text().startsWith(QStringLiteral("Эл.адрес \"горячей линии\": ")));
  EXPECT_TRUE(Find<QLabel>(&about, "lbSite")->text().startsWith(QStringLiteral("Последние версии ПО на сайте ")));

  about.OpenMail();
  about.OpenSite();
  ASSERT_EQ(dialogs.Urls.size(), 2u);
  EXPECT_EQ(dialogs.Urls[0].scheme(), QStringLiteral("mailto"));
  EXPECT_EQ(dialogs.Urls[0].path(), QString::fromUtf8(kSupportEmail));
  EXPECT_EQ(QUrlQuery(dialogs.Urls[0]).queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded),
            QStringLiteral("Тальвер 2016"));
  EXPECT_EQ(dialogs.Urls[1], QUrl(QString::fromUtf8(kWebSite)));
  EXPECT_TRUE(presenter.Messages.empty());

  dialogs.UrlOpens = false;
  about.OpenMail();
  about.OpenSite();
  EXPECT_EQ(presenter.MessageTexts(),
            (std::vector<std::string>{"Не удалось запустить почтовый клиент", "Не удалось запустить браузер"}));
}

}  // namespace
}  // namespace talver::test
