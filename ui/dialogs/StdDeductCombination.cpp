#include "ui/dialogs/StdDeductCombination.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dictionaries/BuiltInTables.h"
#include "ui/framework/PageWidgets.h"
#include "ui/base/UiText.h"

namespace talver {

TfmStdDeductCombination::TfmStdDeductCombination(QWidget* owner, const QStringList& items, const QString& note,
                                                 const std::array<std::int32_t, 12>& preset)
    : QDialog(owner) {
  setObjectName(QStringLiteral("TfmStdDeductCombination"));
  setWindowTitle(QStringLiteral("Комбинация стандартных вычетов"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  auto* layout = new QVBoxLayout(this);
  if (!note.isEmpty()) {
    auto* noteLabel = new QLabel(note, this);
    noteLabel->setObjectName(QStringLiteral("lbNote"));
    noteLabel->setWordWrap(true);
    layout->addWidget(noteLabel);
    layout->addSpacing(6);
  }
  // Two rows of six months, each month's caption above its list.
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(10);
  const std::vector<std::string>& names = MonthNames();
  for (std::size_t m = 0; m < months_.size(); ++m) {
    auto* list = new QComboBox(this);
    list->setObjectName(QStringLiteral("cbMonth%1").arg(m + 1, 2, 10, QLatin1Char('0')));
    list->addItems(items);
    const std::int32_t position = preset[m];
    list->setCurrentIndex(position >= 0 && position < list->count() ? position : 0);
    list->setMinimumWidth(80);
    const int row = static_cast<int>(m / 6) * 2;
    const int column = static_cast<int>(m % 6);
    grid->addWidget(MakeLabel(this, FromModel(names[m]), list), row, column);
    grid->addWidget(list, row + 1, column);
    months_[m] = list;
  }
  grid->setRowMinimumHeight(2, 30);
  grid->setAlignment(Qt::AlignBottom);
  layout->addLayout(grid);
  layout->addSpacing(8);

  const auto [btYes, btNo, buttons] = MakeYesNoButtons(this);
  connect(btYes, &QPushButton::clicked, this, &QDialog::accept);
  layout->addLayout(buttons);
  for (std::size_t m = 1; m < months_.size(); ++m) setTabOrder(months_[m - 1], months_[m]);
  setTabOrder(months_.back(), btYes);
  setTabOrder(btYes, btNo);
  setFixedSize(sizeHint());
  months_.front()->setFocus();
}

std::array<std::int32_t, 12> TfmStdDeductCombination::Choice() const {
  std::array<std::int32_t, 12> choice{};
  for (std::size_t m = 0; m < months_.size(); ++m) choice[m] = months_[m]->currentIndex();
  return choice;
}

}  // namespace talver
