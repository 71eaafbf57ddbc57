#pragma once
// "Код по ОКВЭД": the activity classifier in six drop-down lists, one per level; choosing an
// entry fills the lists below with what lies under it. "Да" asks for a code of at least four
// characters, which the user may correct or accept as it is.
#include <QDialog>

#include <array>
#include <optional>
#include <string>

#include "dictionaries/Okved.h"
#include "ui/framework/Seams.h"

class QComboBox;
class QLineEdit;

namespace talver {

class TfmOkved : public QDialog {
  Q_OBJECT
 public:
  // The dictionary must outlive the picker.
  TfmOkved(QWidget* owner, IUiPresenter& presenter, const TOkvedDictionary& dictionary);

  // The code chosen (the entry's OKVED value, windows-1251), or none for "Нет".
  std::optional<std::string> Execute();
  // The list of `level` (1 to 6).
  QComboBox* List(int level) const { return lists_.at(static_cast<std::size_t>(level - 1)); }

  void Confirm();

 private:
  void Picked(int level, int item);
  void Refresh();

  IUiPresenter& presenter_;
  TOkvedPicker picker_;
  std::array<QComboBox*, TOkvedPicker::kLevels> lists_{};
  QLineEdit* edOkvedCode;
};

}  // namespace talver
