#include "ui/framework/PageWidgets.h"

#include <QDateEdit>
#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "ui/framework/FieldText.h"
#include "ui/widgets/MaskedEdit.h"

namespace talver {

TMaskedEdit* MakeEdit(QWidget* parent, const char* name, EditType type, int length, int fractional) {
  auto* edit = new TMaskedEdit(parent, type, length, fractional);
  edit->setObjectName(QString::fromLatin1(name));
  // Text fields also refuse a longer text set by the program, keeping what fits.
  if (type != EditType::edtCurrency && length > 0) edit->setMaxLength(length);
  return edit;
}

QLabel* MakeLabel(QWidget* parent, const QString& text, QWidget* buddy) {
  auto* label = new QLabel(text, parent);
  label->setBuddy(buddy);
  return label;
}

QToolButton* MakeDotsButton(QWidget* parent, const char* name, const QString& hint) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setText(QStringLiteral("..."));
  button->setToolTip(hint);
  return button;
}

QDateEdit* MakeDate(QWidget* parent, const char* name) {
  auto* date = new QDateEdit(parent);
  date->setObjectName(QString::fromLatin1(name));
  date->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
  date->setCalendarPopup(true);
  date->setDateRange(QDate(1900, 1, 1), ToQDate(Today()));
  date->setFixedWidth(120);
  return date;
}

QLineEdit* MakePanel(QWidget* parent, const char* name) {
  auto* panel = new QLineEdit(parent);
  panel->setObjectName(QString::fromLatin1(name));
  panel->setReadOnly(true);
  panel->setFocusPolicy(Qt::NoFocus);
  ShowAsPanel(panel);
  return panel;
}

void ShowAsPanel(QLineEdit* field) {
  field->setStyleSheet(QStringLiteral("QLineEdit { background: palette(window); }"));
}

YesNoButtons MakeYesNoButtons(QDialog* dialog) {
  auto* yes = new QPushButton(QStringLiteral("Да"), dialog);
  yes->setObjectName(QStringLiteral("btYes"));
  yes->setDefault(true);
  auto* no = new QPushButton(QStringLiteral("Нет"), dialog);
  no->setObjectName(QStringLiteral("btNo"));
  no->setAutoDefault(false);
  QObject::connect(no, &QPushButton::clicked, dialog, &QDialog::reject);
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(yes);
  row->addWidget(no);
  return {yes, no, row};
}

}  // namespace talver
