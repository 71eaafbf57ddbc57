#pragma once
// "Сумма за обучение": one amount paid for the education of a child. Enter is "Да", Escape "Нет".
#include <QDialog>

#include "platform/Currency.h"

namespace talver {

class TMaskedEdit;

class TfmChildEduSum : public QDialog {
  Q_OBJECT
 public:
  explicit TfmChildEduSum(QWidget* owner);

  void SetAmount(Currency amount);
  // 0 when the field is empty.
  Currency Amount() const;

 private:
  TMaskedEdit* edSum;
};

}  // namespace talver
