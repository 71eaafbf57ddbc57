#include "ui/framework/SourceWidgets.h"

#include <QGridLayout>
#include <QLabel>
#include <QToolButton>
#include <QTreeWidget>

#include "platform/Math2.h"
#include "platform/NumberText.h"
#include "ui/widgets/MaskedEdit.h"
#include "ui/framework/MyFrame.h"
#include "ui/framework/PageWidgets.h"
#include "ui/framework/SourceValidators.h"
#include "ui/base/UiText.h"

namespace talver {

QTreeWidget* MakeRowList(QWidget* parent, const char* name, const QStringList& columns, const QString& hint) {
  auto* list = new QTreeWidget(parent);
  list->setObjectName(QString::fromLatin1(name));
  list->setHeaderLabels(columns);
  list->setToolTip(hint);
  list->setRootIsDecorated(false);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->setAllColumnsShowFocus(true);
  list->setUniformRowHeights(true);
  return list;
}

QToolButton* MakeListToolButton(QWidget* parent, const char* name, const QString& text, const QString& hint) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setText(text);
  button->setToolTip(hint);
  button->setToolButtonStyle(Qt::ToolButtonTextOnly);
  button->setMinimumWidth(80);
  return button;
}

void SelectListRow(QTreeWidget* list, int row) {
  if (row < 0 || row >= list->topLevelItemCount()) return;
  QTreeWidgetItem* item = list->topLevelItem(row);
  list->setCurrentItem(item);
  item->setSelected(true);
  list->scrollToItem(item);
}

int SelectedListRow(const QTreeWidget* list) {
  QTreeWidgetItem* item = list->currentItem();
  return item != nullptr && item->isSelected() ? list->indexOfTopLevelItem(item) : -1;
}

TListFillingGuard::TListFillingGuard(TPageHost& host) : host_(host), previous_(host.SwitchingPage()) {
  host_.SetSwitchingPage(true);
}

TListFillingGuard::~TListFillingGuard() { host_.SetSwitchingPage(previous_); }

QString WholeRoublesText(Currency value) {
  if (value.IsZero()) return QString();
  return FromUtf8(IntToText(RoundHalfUp(value).Units() / Currency::kScale));
}

void TSourceIdentityFields::Set(const TSourceIdentity& source) {
  Name->setText(FromModel(source.Name));
  Inn->setText(FromModel(source.Inn));
  Kpp->setText(FromModel(source.Kpp));
  Oktmo->setText(FromModel(source.Oktmo));
  Name->setCursorPosition(0);
}

TSourceIdentity TSourceIdentityFields::Get() const {
  return {ToModel(Name->text()), ToModel(Inn->text()), ToModel(Kpp->text()), ToModel(Oktmo->text()), 0};
}

void TSourceIdentityFields::Focus(int field) {
  switch (field) {
    case kSourceName:
      Name->setFocus();
      break;
    case kSourceInn:
      Inn->setFocus();
      break;
    case kSourceKpp:
      Kpp->setFocus();
      break;
    case kSourceOktmo:
      Oktmo->setFocus();
      break;
    default:
      break;
  }
}

TSourceIdentityFields MakeSourceIdentityFields(QWidget* parent, QGridLayout* grid, int row,
                                               const QString& nameCaption, int innLength) {
  TSourceIdentityFields f{MakeEdit(parent, "edName", EditType::edtNone, 1000),
                          MakeEdit(parent, "edInn", EditType::edtDigital, innLength),
                          MakeEdit(parent, "edKpp", EditType::edtDigital, 9),
                          MakeEdit(parent, "edOktmo", EditType::edtDigital, 11)};
  f.Name->setMinimumWidth(460);
  for (TMaskedEdit* e : {f.Inn, f.Kpp, f.Oktmo}) e->setFixedWidth(130);
  grid->addWidget(MakeLabel(parent, nameCaption, f.Name), row, 0, 1, 3);
  grid->addWidget(f.Name, row + 1, 0, 1, 3);
  grid->addWidget(MakeLabel(parent, QStringLiteral("ИНН"), f.Inn), row + 2, 0);
  grid->addWidget(MakeLabel(parent, QStringLiteral("КПП"), f.Kpp), row + 2, 1);
  grid->addWidget(MakeLabel(parent, QStringLiteral("ОКТМО"), f.Oktmo), row + 2, 2);
  grid->addWidget(f.Inn, row + 3, 0);
  grid->addWidget(f.Kpp, row + 3, 1);
  grid->addWidget(f.Oktmo, row + 3, 2);
  return f;
}

}  // namespace talver
