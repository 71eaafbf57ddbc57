#pragma once
// The page framework. Every section page derives from TThinkingFrame: it reads the model when
// it is built, writes its controls back in StoreData, checks them in CheckData (0 lets the user
// leave, anything else is the field to show) and shows a field in ShowError. Pages reach the
// one declaration and the program's services through their TPageHost (the main window).
#include <QFrame>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/DeclClasses.h"
#include "ui/framework/Pages.h"
#include "ui/framework/Seams.h"
#include "ui/widgets/FieldOwner.h"

class QAbstractButton;
class QHBoxLayout;
class QToolButton;

namespace talver {

class TCountryDirectory;
class TCurrencyRates;
class TOkvedDictionary;

// The left-hand section buttons of the main window.
enum class NavButton { InitialData, PrsonInfo, RussianIncome, BusinessIncome, ForeignIncome, InvestTov, Deduction };

// A tax inspection chosen in the directory (windows-1251 texts).
struct InspectionChoice {
  std::string Code;
  std::string Name;
};

class TPageHost {
 public:
  virtual ~TPageHost() = default;
  // DeclarationRef: always the host's current declaration, never a copy.
  virtual mTDeclaration& Declaration() = 0;
  virtual IUiPresenter& Presenter() = 0;
  virtual IFileDialogs& Dialogs() = 0;
  // A page changed model data; ignored while a page is being built.
  virtual void ChangeNotice() = 0;
  virtual bool SwitchingPage() const = 0;
  virtual void SetSwitchingPage(bool switching) = 0;
  virtual void SetNavigationEnabled(NavButton button, bool enabled) = 0;
  // The tax inspection directory and its picker.
  virtual bool InspectionsAvailable() const = 0;
  virtual std::optional<InspectionChoice> PickInspection(QWidget* parent, const std::string& currentCode) = 0;
  // The directory's inspection of a typed code (the first of that code), or none.
  virtual std::optional<InspectionChoice> FindInspection(const std::string& code) const = 0;
  // The dictionaries read at start-up; nullptr when the file is missing or unreadable.
  virtual const TCountryDirectory* Countries() const { return nullptr; }
  virtual const TOkvedDictionary* Okved() const { return nullptr; }
  virtual const TCurrencyRates* CurrencyRates() const { return nullptr; }
};

class TThinkingFrame : public QFrame, public IFieldOwner {
  Q_OBJECT
 public:
  TThinkingFrame(QWidget* owner, TPageHost& host, PageId id);

  PageId Id() const { return id_; }
  // Writes the controls into the model.
  virtual void StoreData() = 0;
  // 0 when the user may leave the page, else the code of the field to show.
  virtual std::uint16_t CheckData() = 0;
  // Focuses the field with that code, opening its picker where it is chosen from one.
  virtual void ShowError(std::uint16_t code) = 0;
  // Called once the page is shown: a page with a list focuses it and selects its first item
  // when the model list is not empty.
  virtual void FocusList() {}

  // The change notice; TMaskedEdit fields send it themselves.
  void NotifyChanged() { emit DataChanged(); }
  void FieldChanged() override { NotifyChanged(); }

 signals:
  void DataChanged();

 protected:
  mTDeclaration& Declaration() { return host_.Declaration(); }
  TPageHost& Host() { return host_; }

 private:
  TPageHost& host_;
  PageId id_;
};

// The page-switching protocol over one container, shared by the main window and the composite
// pages: store and check the page being left, build the target, destroy the old one.
class TPageSwitcher {
 public:
  TPageSwitcher(QWidget* container, TPageHost& host);
  ~TPageSwitcher();
  TPageSwitcher(const TPageSwitcher&) = delete;
  TPageSwitcher& operator=(const TPageSwitcher&) = delete;

  TThinkingFrame* Current() const { return current_; }
  QAbstractButton* CurrentButton() const { return currentButton_; }
  // The protocol. False when the page being left refused (its error is shown).
  bool ShowPage(PageId target, QAbstractButton* button);
  // Shows the target without storing or checking the page left; keeps a page of that class.
  TThinkingFrame* ShowDirect(PageId target, QAbstractButton* button);
  void DestroyPage();

 private:
  void Replace(PageId target, QAbstractButton* button);

  QWidget* container_;
  TPageHost& host_;
  TThinkingFrame* current_ = nullptr;
  QAbstractButton* currentButton_ = nullptr;
};

// A page made of sub-pages chosen by a row of sub-buttons. Storing, checking and showing an
// error pass to the current sub-page.
class TCompositeFrame : public TThinkingFrame {
  Q_OBJECT
 public:
  void StoreData() override;
  std::uint16_t CheckData() override;
  void ShowError(std::uint16_t code) override;
  void FocusList() override;

  TThinkingFrame* CurrentPage() const { return switcher_.Current(); }
  // The sub-button that shows `page`, nullptr when none is visible.
  QToolButton* ButtonOf(PageId page) const;
  // For the navigation to an error: shows the sub-page directly.
  TThinkingFrame* ShowSubPageDirect(PageId page);

 protected:
  TCompositeFrame(QWidget* owner, TPageHost& host, PageId id, std::string_view title);
  QToolButton* AddSubButton(PageId page, const QString& text, const QString& hint, const char* objectName);
  // Shows the first sub-page while the composite is being built.
  void ShowFirst(QToolButton* button);

 private:
  QWidget* buttonBar_;
  QHBoxLayout* buttonLayout_;
  QWidget* content_;
  TPageSwitcher switcher_;
  std::vector<std::pair<QToolButton*, PageId>> buttons_;
};

// A titled caption at the top of a page.
QWidget* MakePageCaption(QWidget* parent, const QString& title);

}  // namespace talver
