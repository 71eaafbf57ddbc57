#pragma once
// "Вид деятельности": the kind of a business activity or private practice and, for an
// entrepreneur, its ОКВЭД code chosen in the classifier.
#include <QDialog>

#include <array>
#include <string>

#include "ui/framework/Seams.h"

class QLabel;
class QLineEdit;
class QRadioButton;
class QToolButton;

namespace talver {

class TOkvedDictionary;

class TfmInputBusinessIncome : public QDialog {
  Q_OBJECT
 public:
  // `okved` nullptr: the classifier was not loaded, and the code is typed instead.
  TfmInputBusinessIncome(QWidget* owner, IUiPresenter& presenter, const TOkvedDictionary* okved);

  // An activity's kind ("1" to "6") and code, windows-1251.
  void SetActivity(const std::string& kind, const std::string& okved);
  std::string Kind() const;
  std::string Code() const;

  // The "..." button.
  void PickCode();
  // "Да" and Enter: an entrepreneur without a code closes the dialog as "Нет".
  void Confirm();

 private:
  void KindChanged();

  IUiPresenter& presenter_;
  const TOkvedDictionary* okved_;
  std::array<QRadioButton*, 6> kinds_{};
  QLabel* lbOkved;
  QLineEdit* edOkved;
  QToolButton* btOkved;
};

}  // namespace talver
