#include "ui/dialogs/CheckError.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace talver {

TCheckErrorDialog::TCheckErrorDialog(QWidget* owner) : QDialog(owner) {
  setWindowTitle(QStringLiteral("Проверка"));
  setModal(true);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("Panel"));
  panel->setFrameShape(QFrame::StyledPanel);
  panel->setFrameShadow(QFrame::Sunken);
  auto* picture = new QLabel(panel);
  picture->setObjectName(QStringLiteral("Image"));
  const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
  picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this).pixmap(side, side));
  picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
  lbMessage = new QLabel(panel);
  lbMessage->setObjectName(QStringLiteral("lbMessage"));
  lbMessage->setAlignment(Qt::AlignCenter);
  lbMessage->setWordWrap(true);
  lbMessage->setMinimumSize(320, 60);
  lbMessage->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* panelLayout = new QHBoxLayout(panel);
  panelLayout->setContentsMargins(12, 12, 12, 12);
  panelLayout->setSpacing(12);
  panelLayout->addWidget(picture);
  panelLayout->addWidget(lbMessage, 1);

  buttons_ = new QWidget(this);
  auto* buttonLayout = new QHBoxLayout(buttons_);
  buttonLayout->setContentsMargins(0, 4, 0, 0);
  buttonLayout->setSpacing(8);
  buttonLayout->addStretch();

  auto* layout = new QVBoxLayout(this);
  // A fixed border: the dialog takes the size its message needs.
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addWidget(panel, 1);
  layout->addWidget(buttons_);
}

QPushButton* TCheckErrorDialog::AddButton(const QString& text, const char* name, int answer) {
  auto* button = new QPushButton(text, buttons_);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  button->setMinimumWidth(120);
  static_cast<QHBoxLayout*>(buttons_->layout())->addWidget(button);
  connect(button, &QPushButton::clicked, this, [this, answer] { done(answer); });
  return button;
}

void TCheckErrorDialog::Finish() {
  static_cast<QHBoxLayout*>(buttons_->layout())->addStretch();
  lbMessage->setMinimumWidth(340);
  adjustSize();
}

void TCheckErrorDialog::SetTitle(const QString& title) { setWindowTitle(QStringLiteral("Проверка: ") + title); }

void TCheckErrorDialog::SetMessage(const QString& message) {
  lbMessage->setText(message);
  adjustSize();
}

int TCheckErrorDialog::Execute() {
  const int answer = exec();
  // reject() of the close box and Escape.
  return answer == QDialog::Rejected ? kAnswerClosed : answer;
}

TfmCheckError::TfmCheckError(QWidget* owner) : TCheckErrorDialog(owner) {
  setObjectName(QStringLiteral("TfmCheckError"));
  QPushButton* fix = AddButton(QStringLiteral("Исправить"), "btFix", kAnswerFix);
  btSkip = AddButton(QStringLiteral("Пропустить"), "btSkip", kAnswerSkip);
  btSkipAll = AddButton(QStringLiteral("Пропустить все"), "btSkipAll", kAnswerSkipAll);
  fix->setDefault(true);
  Finish();
}

void TfmCheckError::SetSkipEnabled(bool enabled) { btSkip->setEnabled(enabled); }
void TfmCheckError::SetSkipAllEnabled(bool enabled) { btSkipAll->setEnabled(enabled); }

TfmCheckAllError::TfmCheckAllError(QWidget* owner) : TCheckErrorDialog(owner) {
  setObjectName(QStringLiteral("TfmCheckAllError"));
  QPushButton* fix = AddButton(QStringLiteral("Исправить"), "btFix", kAnswerFix);
  AddButton(QStringLiteral("Отмена"), "btCancel", kAnswerSkip);
  fix->setDefault(true);
  Finish();
}

}  // namespace talver
