#pragma once
// "О программе": the picture, the support line and the web site.
#include <QDialog>

#include "ui/framework/Seams.h"

namespace talver {

class TfmAbout : public QDialog {
  Q_OBJECT
 public:
  TfmAbout(QWidget* owner, IFileDialogs& dialogs, IPresenter& presenter);

  void OpenSite();
  void OpenMail();

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  IFileDialogs& dialogs_;
  IPresenter& presenter_;
};

}  // namespace talver
