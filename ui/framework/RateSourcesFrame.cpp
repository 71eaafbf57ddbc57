#include "ui/framework/RateSourcesFrame.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/framework/PageWidgets.h"
#include "ui/framework/SourceWidgets.h"
#include "ui/base/UiText.h"

namespace talver {

TRateSourcesFrame::TRateSourcesFrame(QWidget* owner, TPageHost& host, PageId id, const QString& caption)
    : TThinkingFrame(owner, host, id) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 4, 0, 0);
  auto* title = new QLabel(caption, this);
  title->setObjectName(QStringLiteral("lbRateCaption"));
  title->setWordWrap(true);
  QFont bold = title->font();
  bold.setBold(true);
  title->setFont(bold);
  layout->addWidget(title);

  auto* row = new QHBoxLayout;
  auto* sourcesColumn = new QVBoxLayout;
  lvSources = MakeRowList(this, "lvSources", {QStringLiteral("Источники выплат")},
                          QStringLiteral("Список источников выплат"));
  lvSources->setMinimumWidth(260);
  lvSources->setMaximumWidth(340);
  sourcesColumn->addWidget(lvSources, 1);
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(2);
  btAddSource = MakeListToolButton(this, "btAddSource", QStringLiteral("Добавить"),
                                   QStringLiteral("Добавить источник выплат"));
  btDeleteSource = MakeListToolButton(this, "btDeleteSource", QStringLiteral("Удалить"),
                                      QStringLiteral("Удалить источник выплат"));
  btEditSource = MakeListToolButton(this, "btEditSource", QStringLiteral("Изменить"),
                                    QStringLiteral("Редактировать источник выплат"));
  for (QToolButton* b : {btAddSource, btDeleteSource, btEditSource}) {
    // The three share the width of the list above them.
    b->setMinimumWidth(0);
    b->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    buttons->addWidget(b);
  }
  sourcesColumn->addLayout(buttons);
  row->addLayout(sourcesColumn);

  auto* amounts = new QGroupBox(this);
  amounts->setObjectName(QStringLiteral("gbAmounts"));
  panels_ = new QFormLayout(amounts);
  panels_->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  panels_->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  auto* amountsColumn = new QVBoxLayout;
  amountsColumn->addWidget(amounts);
  amountsColumn->addStretch();
  row->addLayout(amountsColumn);
  row->addStretch();
  layout->addLayout(row, 1);

  setTabOrder(lvSources, btAddSource);
  setTabOrder(btAddSource, btDeleteSource);
  setTabOrder(btDeleteSource, btEditSource);

  connect(lvSources, &QTreeWidget::currentItemChanged, this, [this] { ShowAmounts(Selected()); });
  connect(lvSources, &QTreeWidget::itemSelectionChanged, this, [this] { ShowAmounts(Selected()); });
  connect(lvSources, &QTreeWidget::itemActivated, this, [this] { EditSource(); });
  connect(btAddSource, &QToolButton::clicked, this, &TRateSourcesFrame::AddSource);
  connect(btDeleteSource, &QToolButton::clicked, this, &TRateSourcesFrame::DeleteSource);
  connect(btEditSource, &QToolButton::clicked, this, &TRateSourcesFrame::EditSource);
}

QLineEdit* TRateSourcesFrame::AddPanel(const char* name, const QString& caption) {
  QWidget* group = panels_->parentWidget();
  QLineEdit* panel = MakePanel(group, name);
  panel->setFixedWidth(150);
  panel->setAlignment(Qt::AlignRight);
  panels_->addRow(MakeLabel(group, caption, panel), panel);
  return panel;
}

void TRateSourcesFrame::FillList() {
  lvSources->clear();
  for (std::size_t i = 0; i < Count(); ++i) {
    lvSources->addTopLevelItem(new QTreeWidgetItem(1));
    SetRowText(static_cast<int>(i));
  }
  ShowAmounts(std::nullopt);
}

void TRateSourcesFrame::SetRowText(int row) {
  QTreeWidgetItem* item = lvSources->topLevelItem(row);
  item->setText(0, FromModel(NameOf(static_cast<std::size_t>(row))));
  item->setToolTip(0, item->text(0));
}

std::optional<std::size_t> TRateSourcesFrame::Selected() const {
  const int row = SelectedListRow(lvSources);
  if (row < 0) return std::nullopt;
  return static_cast<std::size_t>(row);
}

void TRateSourcesFrame::FocusList() {
  if (Count() == 0) return;
  lvSources->setFocus();
  SelectListRow(lvSources, 0);
}

void TRateSourcesFrame::AddSource() {
  const std::optional<std::size_t> index = AddFromDialog();
  if (!index) return;
  NotifyChanged();
  lvSources->addTopLevelItem(new QTreeWidgetItem(1));
  SetRowText(static_cast<int>(*index));
  SelectListRow(lvSources, static_cast<int>(*index));
  ShowAmounts(*index);
}

void TRateSourcesFrame::EditSource() {
  const std::optional<std::size_t> index = Selected();
  if (!index || !EditInDialog(*index)) return;
  NotifyChanged();
  SetRowText(static_cast<int>(*index));
  ShowAmounts(*index);
}

void TRateSourcesFrame::DeleteSource() {
  const std::optional<std::size_t> index = Selected();
  if (!index) return;
  NotifyChanged();
  Remove(*index);
  {
    const QSignalBlocker blocker(lvSources);
    delete lvSources->takeTopLevelItem(static_cast<int>(*index));
    lvSources->setCurrentItem(nullptr);
  }
  if (lvSources->topLevelItemCount() == 0) {
    ShowAmounts(std::nullopt);
    return;
  }
  SelectListRow(lvSources, *index == 0 ? 0 : static_cast<int>(*index) - 1);
  ShowAmounts(Selected());
}

}  // namespace talver
