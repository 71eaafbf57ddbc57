#pragma once
// Standard deductions: the taxpayer's own code, the children's deduction mode, the number of
// children of three kinds for the whole year or month by month, whether the taxpayer is a
// guardian, trustee or foster parent, and, for entrepreneurs, the incomes and expenses of each
// month. The page computes nothing; the codes that changed during the year are set month by
// month in "Комбинация стандартных вычетов".
#include <array>
#include <cstdint>

#include "ui/framework/MyFrame.h"

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QRadioButton;
class QSpinBox;

namespace talver {

class TMaskedEdit;

class TfrFrameStandartDeduct : public TThinkingFrame {
  Q_OBJECT
 public:
  TfrFrameStandartDeduct(QWidget* owner, TPageHost& host);

  void StoreData() override;
  std::uint16_t CheckData() override { return 0; }
  void ShowError(std::uint16_t) override {}

  // The month dialogs of "Код менялся" and "Статус менялся".
  void EditPersonalByMonth();
  void EditChildModeByMonth();

 protected:
  // A double click on "Код менялся" or "Статус менялся" while chosen opens its dialog again.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // A count that either holds for the whole year or is given month by month.
  struct CountGroup {
    QCheckBox* Const = nullptr;
    QSpinBox* Count = nullptr;
    QLabel* Suffix = nullptr;
    std::array<TMaskedEdit*, 12> Months{};
  };

  void BuildCountGroup(CountGroup& group, const char* name, const QString& caption, const QString& suffix,
                       int maximum, const QString& monthHint);
  void FillCountGroup(CountGroup& group, std::uint8_t isConst, std::int32_t count,
                      const std::array<std::int32_t, 12>& byMonth);
  // The constant count copied into the month fields, which are then read-only; or editable.
  void ApplyCountMode(CountGroup& group);
  void PersonalChosen(std::int32_t code);
  void ChildModeChosen(std::int32_t mode);
  void MonthTicked(int month0, bool ticked);
  void IncomeTyped(int month0);
  void UpdateGuardian();
  void UpdateEnabling();

  QGroupBox* gbStandartDeduct;
  QCheckBox* cbGranted;
  QGroupBox* gbPersonal;
  QRadioButton* rbPersonal105;
  QRadioButton* rbPersonal104;
  QRadioButton* rbPersonal103;
  QRadioButton* rbPersonal110;
  QGroupBox* gbChildMode;
  QRadioButton* rbChild101;
  QRadioButton* rbChild102;
  QRadioButton* rbChild103;
  QWidget* pnChildren;
  CountGroup children_;
  CountGroup disabled_;
  CountGroup third_;
  QFrame* pnGuardian;
  QCheckBox* cbGuardianOrFoster;
  QGroupBox* gbMonthly;
  std::array<QCheckBox*, 12> cbMonth{};
  std::array<TMaskedEdit*, 12> edIncome{};
  std::array<TMaskedEdit*, 12> edExpense{};

  bool businessIncomes_;
  std::int32_t personalCode_ = 103;  // the radio button chosen last
  std::int32_t childMode_ = 101;
};

}  // namespace talver
