#pragma once
// The pattern of the pages of incomes at one rate with one amount per source (9 %, dividends,
// 35 %): the sources by name, their buttons (a double click or Enter on the list edits), and
// read-only panels with the selected source's amounts. Every value is written into the return
// when a source dialog closes, so the page itself stores and checks nothing.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "ui/framework/MyFrame.h"

class QFormLayout;
class QLineEdit;
class QToolButton;
class QTreeWidget;

namespace talver {

class TRateSourcesFrame : public TThinkingFrame {
  Q_OBJECT
 public:
  void StoreData() override {}
  std::uint16_t CheckData() override { return 0; }
  void ShowError(std::uint16_t) override {}
  void FocusList() override;

  // The buttons.
  void AddSource();
  void DeleteSource();
  void EditSource();

 protected:
  TRateSourcesFrame(QWidget* owner, TPageHost& host, PageId id, const QString& caption);

  // A read-only panel with its caption beside the list; call in the derived constructor.
  QLineEdit* AddPanel(const char* name, const QString& caption);
  // Lists the sources; the derived constructor calls it once its panels exist.
  void FillList();

  virtual std::size_t Count() = 0;
  // windows-1251, as the model keeps it.
  virtual std::string NameOf(std::size_t index) = 0;
  // Opens the dialog empty and appends a source from it; its index, or none when nothing was
  // added.
  virtual std::optional<std::size_t> AddFromDialog() = 0;
  // Opens the dialog with the source's values and writes them back; false when nothing changed.
  virtual bool EditInDialog(std::size_t index) = 0;
  virtual void Remove(std::size_t index) = 0;
  // The amounts of the source in the panels; none empties them.
  virtual void ShowAmounts(std::optional<std::size_t> index) = 0;

 private:
  std::optional<std::size_t> Selected() const;
  void SetRowText(int row);

  QTreeWidget* lvSources;
  QToolButton* btAddSource;
  QToolButton* btDeleteSource;
  QToolButton* btEditSource;
  QFormLayout* panels_;
};

}  // namespace talver
