#pragma once
// "Источник выплаты" of the investment partnerships page: the partnership's name, ИНН, КПП and
// ОКТМО. "Да" (and Enter) closes it only when the general source validator lets it, and a
// partnership cannot do without its ОКТМО.
#include <QDialog>

#include "ui/framework/Seams.h"
#include "ui/framework/SourceWidgets.h"

namespace talver {

class TfmInputSourseInvestTov : public QDialog {
  Q_OBJECT
 public:
  TfmInputSourseInvestTov(QWidget* owner, IUiPresenter& presenter);

  void SetSource(const TSourceIdentity& source) { identity_.Set(source); }
  TSourceIdentity Source() const { return identity_.Get(); }

  void Confirm();

 private:
  IUiPresenter& presenter_;
  TSourceIdentityFields identity_;
};

}  // namespace talver
