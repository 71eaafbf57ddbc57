#pragma once
// "Комбинация стандартных вычетов": one list per month, January to December, for a standard
// deduction that changed during the year — the taxpayer's own code, or whether the taxpayer was
// a single parent that month. Each month's answer is the position of the item chosen in its list.
#include <QDialog>
#include <QStringList>

#include <array>
#include <cstdint>

class QComboBox;

namespace talver {

class TfmStdDeductCombination : public QDialog {
  Q_OBJECT
 public:
  // `items` in every month's list; `note` above the lists, none when empty; `preset` the
  // position chosen in each month (out of range: the first item).
  TfmStdDeductCombination(QWidget* owner, const QStringList& items, const QString& note,
                          const std::array<std::int32_t, 12>& preset);

  // The position chosen in each month's list, January first.
  std::array<std::int32_t, 12> Choice() const;

 private:
  std::array<QComboBox*, 12> months_{};
};

}  // namespace talver
