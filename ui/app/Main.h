#pragma once
// The main window: it owns the one declaration and the page shown, carries out the commands of
// the menu and the tool bar, keeps the view settings, and leads the user to each error the
// whole-return check finds.
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "dictionaries/Countries.h"
#include "dictionaries/CurrencyRates.h"
#include "dictionaries/Okved.h"
#include "model/DeclClasses.h"
#include "ui/framework/MyFrame.h"
#include "ui/framework/Seams.h"

class QAction;
class QPushButton;
class QToolBar;
class QToolButton;

namespace talver {

class TfmInspections;

class TFormMain : public QMainWindow, public TPageHost {
  Q_OBJECT
 public:
  // `arguments` without the program's own name.
  explicit TFormMain(const QStringList& arguments, TUiEnvironment environment = {}, QWidget* parent = nullptr);
  ~TFormMain() override;

  // Start-up ended with a fatal message (a broken inspection directory); the program ends.
  bool StartupFailed() const { return startupFailed_; }

  // TPageHost
  mTDeclaration& Declaration() override { return *Declaration_; }
  IUiPresenter& Presenter() override { return *presenter_; }
  IFileDialogs& Dialogs() override { return *dialogs_; }
  void ChangeNotice() override;
  bool SwitchingPage() const override { return SwitchingPage_; }
  void SetSwitchingPage(bool switching) override { SwitchingPage_ = switching; }
  void SetNavigationEnabled(NavButton button, bool enabled) override;
  bool InspectionsAvailable() const override { return InspectionsAvailable_; }
  std::optional<InspectionChoice> PickInspection(QWidget* parent, const std::string& currentCode) override;
  std::optional<InspectionChoice> FindInspection(const std::string& code) const override;
  const TCountryDirectory* Countries() const override { return CountryPicker_ ? &*CountryPicker_ : nullptr; }
  const TOkvedDictionary* Okved() const override { return OkvedDictionary_ ? &*OkvedDictionary_ : nullptr; }
  const TCurrencyRates* CurrencyRates() const override { return CurrencyRates_ ? &*CurrencyRates_ : nullptr; }

  // The commands.
  void CreateDoc();
  void OpenDoc();
  // "Открыть файл xml…": a return's XML file as a new declaration, not yet saved.
  void OpenXmlDoc();
  void SaveDoc();
  void SaveAsDoc();
  void PreviewDoc();
  void PrintDoc();
  void ExportDoc();
  void CheckDoc();
  void ImportStatement();
  void Help();
  void About();
  void ToggleToolbar(bool show);
  void ToggleLabels(bool labels);

  // 0 passed, 1 the user was sent to an error, 2 cancelled.
  int CheckAndNavigate();
  // The page-switching protocol for a left-hand button.
  void ShowPage(PageId target, NavButton button);
  // Hands the return to the print module: 2 preview, 3 print.
  void PrintDeclaration(int kind);

  const QString& FileName() const { return FileName_; }
  bool Saved() const { return Saved_; }
  TThinkingFrame* CurrentPage() const { return switcher_->Current(); }
  QAbstractButton* CurrentButton() const { return switcher_->CurrentButton(); }
  QPushButton* Button(NavButton button) const { return navButtons_[static_cast<std::size_t>(button)]; }
  const std::filesystem::path& ProgramFolder() const { return ProgramFolder_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  void BuildToolBar();
  void BuildSectionButtons(QWidget* panel);
  void ApplyLabels(bool labels);
  void LoadDictionaries();

  // The document lifecycle.
  std::unique_ptr<mTDeclaration> NewDeclaration() const;
  void ResetToNewDocument();
  // Reads the return's XML at `path` into the window's declaration; false when it was refused.
  bool ImportXml(const QString& path);
  void ShowConditionsPage();
  void ApplyButtonTable();
  void UpdateCaption(bool leadingBlank = false);
  // False when the command that asked must stop.
  bool AskToSave();
  // False when nothing was saved (the save dialog was cancelled); throws what the save throws.
  bool SaveUnderCurrentName();
  void ReportError(const std::exception& error);
  void Navigate(int page, int item);

  TUiEnvironment env_;
  IUiPresenter* presenter_;
  IFileDialogs* dialogs_;

  std::unique_ptr<mTDeclaration> Declaration_;
  QString FileName_;
  bool Saved_ = true;
  bool SwitchingPage_ = false;
  bool startupFailed_ = false;
  std::filesystem::path ProgramFolder_;

  bool InspectionsAvailable_ = false;
  std::vector<InspectionChoice> inspections_;
  QPointer<TfmInspections> InspectionPicker_;
  std::optional<TCountryDirectory> CountryPicker_;
  std::optional<TOkvedDictionary> OkvedDictionary_;
  std::optional<TCurrencyRates> CurrencyRates_;

  QWidget* PnlFormContainer_ = nullptr;
  std::unique_ptr<TPageSwitcher> switcher_;
  std::array<QPushButton*, 7> navButtons_{};
  QToolBar* CoolBarButtons_ = nullptr;
  std::vector<QToolButton*> toolButtons_;
  QAction* actToolbar_ = nullptr;
  QAction* actLabels_ = nullptr;
};

}  // namespace talver
