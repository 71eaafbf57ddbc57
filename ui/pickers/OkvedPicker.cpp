#include "ui/pickers/OkvedPicker.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "ui/framework/PageWidgets.h"
#include "ui/base/UiText.h"

namespace talver {

TfmOkved::TfmOkved(QWidget* owner, IUiPresenter& presenter, const TOkvedDictionary& dictionary)
    : QDialog(owner), presenter_(presenter), picker_(dictionary) {
  setObjectName(QStringLiteral("TfmOkved"));
  setWindowTitle(QStringLiteral("Код по ОКВЭД"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  auto* grid = new QGridLayout;
  for (int level = 1; level <= TOkvedPicker::kLevels; ++level) {
    auto* list = new QComboBox(this);
    list->setObjectName(QStringLiteral("cbLevel%1").arg(level));
    // The names are long: the lists take the dialog's width and show the rest when pointed at.
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(60);
    list->setMaxVisibleItems(20);
    lists_[static_cast<std::size_t>(level - 1)] = list;
    grid->addWidget(MakeLabel(this, QStringLiteral("Уровень %1").arg(level), list), level - 1, 0);
    grid->addWidget(list, level - 1, 1);
    connect(list, &QComboBox::activated, this, [this, level](int item) { Picked(level, item); });
  }
  edOkvedCode = MakePanel(this, "edOkvedCode");
  edOkvedCode->setFixedWidth(120);
  grid->addWidget(MakeLabel(this, QStringLiteral("Код"), edOkvedCode), TOkvedPicker::kLevels, 0);
  grid->addWidget(edOkvedCode, TOkvedPicker::kLevels, 1, Qt::AlignLeft);
  grid->setColumnStretch(1, 1);

  const auto [btYes, btNo, buttons] = MakeYesNoButtons(this);
  connect(btYes, &QPushButton::clicked, this, &TfmOkved::Confirm);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  Refresh();
  resize(820, sizeHint().height());
}

void TfmOkved::Picked(int level, int item) {
  picker_.Pick(level, item < 0 ? 0 : static_cast<std::size_t>(item));
  Refresh();
}

void TfmOkved::Refresh() {
  for (int level = 1; level <= TOkvedPicker::kLevels; ++level) {
    QComboBox* list = List(level);
    const QSignalBlocker blocker(list);
    list->clear();
    for (const std::string& name : picker_.Items(level)) {
      list->addItem(FromModel(name));
      list->setItemData(list->count() - 1, FromModel(name), Qt::ToolTipRole);
    }
    list->setCurrentIndex(static_cast<int>(picker_.SelectedItem(level)));
    list->setToolTip(list->currentText());
    // A level with nothing under the choice above has only "нет".
    list->setEnabled(list->count() > 1);
  }
  edOkvedCode->setText(FromModel(picker_.CodeFieldText()));
}

void TfmOkved::Confirm() {
  if (!picker_.CodeLongEnough() &&
      presenter_.ShowEntryError(TOkvedPicker::MessageTitle(), TOkvedPicker::TooShortMessage(), true) ==
          CheckAnswer::Fix) {
    return;
  }
  accept();
}

std::optional<std::string> TfmOkved::Execute() {
  if (exec() != QDialog::Accepted) return std::nullopt;
  return picker_.Result();
}

}  // namespace talver
