#pragma once
// What the window tests share: a presenter and dialogs with scripted answers, a main window
// over temporary folders and settings, and helpers to drive the real widgets.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/app/Main.h"
#include "ui/pickers/InspectionPicker.h"
#include "ui/widgets/MaskedEdit.h"
#include "ui/print/PrintBridge.h"
#include "ui/framework/Seams.h"
#include "ui/base/UiText.h"

namespace talver::test {

// Answers the dialogs from queues and records what was shown. A dialog with no answer left
// fails the test and answers the most harmless way.
class ScriptedPresenter : public IUiPresenter {
 public:
  struct CheckShown {
    CheckDialog Dialog;
    std::string Title;
    std::string Message;
  };
  struct MessageShown {
    std::string Text;
    std::string Caption;
    MessageIcon Icon;
  };

  std::deque<CheckAnswer> CheckAnswers;
  // For tests that only pass through pages: the page checks of other pages are answered
  // "Пропустить все" without an answer in the queue.
  bool SkipAllOtherPageChecks = false;
  std::deque<QuestionAnswer> Questions;
  std::vector<CheckShown> Checks;
  std::vector<MessageShown> Messages;
  std::vector<std::string> Asked;

  CheckAnswer ShowCheckError(CheckDialog dialog, std::string_view title, std::string_view message,
                             bool /*skipEnabled*/) override {
    Checks.push_back({dialog, std::string(title), std::string(message)});
    if (CheckAnswers.empty() && SkipAllOtherPageChecks && dialog == CheckDialog::PageCheck) return CheckAnswer::SkipAll;
    if (CheckAnswers.empty()) {
      ADD_FAILURE() << "unexpected check error: " << message;
      return dialog == CheckDialog::WholeReturn ? CheckAnswer::Cancel : CheckAnswer::SkipAll;
    }
    const CheckAnswer answer = CheckAnswers.front();
    CheckAnswers.pop_front();
    return answer;
  }
  void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override {
    Messages.push_back({std::string(text), std::string(caption), icon});
  }
  QuestionAnswer AskYesNoCancel(std::string_view text, std::string_view caption) override {
    Asked.push_back(std::string(text));
    EXPECT_EQ(caption, "Тальвер 2016");
    if (Questions.empty()) {
      ADD_FAILURE() << "unexpected question: " << text;
      return QuestionAnswer::Cancel;
    }
    const QuestionAnswer answer = Questions.front();
    Questions.pop_front();
    return answer;
  }

  std::vector<std::string> MessageTexts() const {
    std::vector<std::string> texts;
    for (const MessageShown& m : Messages) texts.push_back(m.Text);
    return texts;
  }
};

// File, folder and printer dialogs answered from queues; an empty answer is "cancelled".
class ScriptedDialogs : public IFileDialogs {
 public:
  std::deque<QString> OpenNames;
  std::deque<QString> SaveNames;
  std::deque<QString> Folders;
  bool PrinterChosen = true;
  QString Printer = QStringLiteral("Принтер 1");
  int Copies = 1;
  bool UrlOpens = true;

  std::vector<QString> OpenFilters;
  std::vector<QString> FolderCaptions;
  std::vector<QUrl> Urls;
  int PrinterDialogs = 0;

  QString GetOpenFileName(QWidget*, const QString& /*folder*/, const QString& filter, const QString&) override {
    OpenFilters.push_back(filter);
    return Pop(OpenNames, "open");
  }
  QString GetSaveFileName(QWidget*, const QString&, const QString&) override { return Pop(SaveNames, "save"); }
  QString GetExistingDirectory(QWidget*, const QString& caption) override {
    FolderCaptions.push_back(caption);
    return Pop(Folders, "folder");
  }
  bool ChoosePrinter(QWidget*, QString& printerName, int& copies) override {
    ++PrinterDialogs;
    printerName = Printer;
    copies = Copies;
    return PrinterChosen;
  }
  bool OpenUrl(const QUrl& url) override {
    Urls.push_back(url);
    return UrlOpens;
  }

 private:
  static QString Pop(std::deque<QString>& queue, const char* what) {
    if (queue.empty()) {
      ADD_FAILURE() << "unexpected " << what << " dialog";
      return {};
    }
    QString answer = queue.front();
    queue.pop_front();
    return answer;
  }
};

// A print module that records its calls.
class RecordingPrintModule : public IPrintModule {
 public:
  struct Log {
    std::vector<std::string> Calls;
    std::string Param;
    std::string Folder;
    std::string Xml;
    std::string PrinterName;
    bool FailOnPrint = false;
  };
  explicit RecordingPrintModule(std::shared_ptr<Log> log) : log_(std::move(log)) {}
  void SetPrintTiffParam(const std::string& name, const std::string& value) override {
    log_->Calls.push_back("SetPrintTiffParam");
    log_->Param = name + "=" + value;
  }
  void SetPrintTiffFolder(std::string& folder) override {
    log_->Calls.push_back("PrintTiffFolder");
    log_->Folder = folder;
  }
  void PreviewData(std::string& xml, std::int32_t) override {
    log_->Calls.push_back("PreviewData");
    log_->Xml = xml;
  }
  void PrintData(std::string& xml, const std::string& reserved, std::string& printerName, std::int32_t flags) override {
    log_->Calls.push_back("PrintData");
    EXPECT_EQ(reserved, "");
    EXPECT_EQ(flags, 0);
    log_->Xml = xml;
    log_->PrinterName = printerName;
    if (log_->FailOnPrint) throw EPrintModule("Принтер не отвечает");
  }

 private:
  std::shared_ptr<Log> log_;
};

// A host for one page built on its own, without the main window: a page's tests construct it
// as CreatePage(PageId::X, nullptr, host) or `TfrX page(nullptr, host)` over `host.declaration`.
class TestPageHost : public TPageHost {
 public:
  mTDeclaration declaration;
  ScriptedPresenter presenter;
  ScriptedDialogs dialogs;
  int notices = 0;  // change notices outside page construction
  bool switching = false;
  std::map<NavButton, bool> navigation;  // the last state each section button was set to
  std::vector<InspectionChoice> inspections;
  std::optional<InspectionChoice> picked;  // what the inspection picker answers

  mTDeclaration& Declaration() override { return declaration; }
  IUiPresenter& Presenter() override { return presenter; }
  IFileDialogs& Dialogs() override { return dialogs; }
  void ChangeNotice() override {
    if (!switching) ++notices;
  }
  bool SwitchingPage() const override { return switching; }
  void SetSwitchingPage(bool on) override { switching = on; }
  void SetNavigationEnabled(NavButton button, bool enabled) override { navigation[button] = enabled; }
  bool InspectionsAvailable() const override { return !inspections.empty(); }
  std::optional<InspectionChoice> PickInspection(QWidget*, const std::string&) override { return picked; }
  std::optional<InspectionChoice> FindInspection(const std::string& code) const override {
    return FindInspectionIn(inspections, code);
  }
};

// A main window over temporary folders with the scripted seams.
class UiTest : public ::testing::Test {
 public:
  // Runs `step` on the next modal dialog once it is shown.
  static void WhenModal(std::function<void(QWidget*)> step);

 protected:
  void SetUp() override;
  void TearDown() override;

  // The window as the program builds it, with `arguments` on its command line.
  std::unique_ptr<TFormMain> MakeWindow(const QStringList& arguments = {});

  // A declaration file written by the core, returned as its path.
  QString WriteDeclaration(const QString& name, const std::function<void(mTDeclaration&)>& fill = {});
  // An inspection directory beside the program.
  void WriteInspections(const std::string& utf8Xml, bool inDataFolder = false);
  // Copies the program's help pages beside the test program.
  void InstallHelp();

  template <class T = QWidget>
  static T* Find(QWidget* root, const char* name) {
    T* widget = root->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << "no widget " << name;
    return widget;
  }
  // Clicks a button as the user does (only enabled and visible buttons react).
  static void Click(QWidget* root, const char* name) {
    auto* button = Find<QAbstractButton>(root, name);
    if (button != nullptr) QTest::mouseClick(button, Qt::LeftButton);
  }
  // The class name of the page shown in the window, and of the composite's sub-page.
  static std::string PageName(TFormMain& window);
  static std::string SubPageName(TFormMain& window);

  ScriptedPresenter presenter;
  ScriptedDialogs dialogs;
  CheckFunction check;  // passes by default; CheckDeclaration for the real rules
  ExportFunction exporter;
  PrintModuleFactory printModule;
  QTemporaryDir dir;
  std::filesystem::path programFolder;
  std::filesystem::path dataFolder;
};

// A picture of `widget` under the build tree, for a person to look at.
void SaveShot(QWidget* widget, const char* name);

}  // namespace talver::test
