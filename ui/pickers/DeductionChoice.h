#pragma once
// The deduction of an income entry: its code chosen in the picker of the deductions the
// dictionary lists under the income, and its sum, formed from the chosen deduction's marks and
// kept within them as the income or the sum is typed. The income dialogs and the foreign
// incomes page share it; they own the widgets, this holds the choice and drives them.
#include <functional>
#include <optional>
#include <string>

#include "dictionaries/DeductionRules.h"
#include "dictionaries/IncomeDictionary.h"
#include "platform/Currency.h"

class QLabel;
class QString;
class QLineEdit;
class QToolButton;
class QWidget;

namespace talver {

class TMaskedEdit;

class TDeductionChoice {
 public:
  struct Widgets {
    QLabel* CodeCaption;
    QLineEdit* Code;
    QToolButton* Picker;
    QLabel* Name;
    QLabel* SumCaption;
    TMaskedEdit* Sum;
  };
  // The six widgets with their names (lbDeductCode, pnDeductCode, btDeductCode, lbDeductName,
  // lbDeductAmount, edDeductAmount), for the caller to lay out.
  static Widgets MakeWidgets(QWidget* parent, const QString& codeCaption, const QString& sumCaption, int codeWidth,
                             int sumWidth);

  // How the sum field is closed to typing (read only, or drawn as filled by the program).
  using LockSum = std::function<void(TMaskedEdit* sum, bool locked)>;

  TDeductionChoice(Widgets widgets, TIncomeEntryDialog mode, LockSum lock);

  // Whether the income takes a deduction at all; either way the choice is cleared.
  void SetAllowed(bool allowed);
  bool Allowed() const { return allowed_; }
  // The picker over the deductions of `incomeCode`: true when another deduction was chosen,
  // its sum then formed from `income`.
  bool Pick(QWidget* parent, const TIncomeDictionary& dictionary, const std::string& incomeCode,
            std::optional<Currency> income);
  // A stored choice shown again, with the sum its marks allow beside the stored one.
  void Reopen(const TDeductionCode& deduction, std::optional<Currency> income, std::optional<Currency> stored);
  // A stored code the dictionary does not describe: shown with its name, its sum typed freely.
  void ReopenCodeOnly(const std::string& code, const std::string& name, std::optional<Currency> stored);
  // The income changed: the sum follows it.
  void IncomeChanged(std::optional<Currency> income);
  // The user typed the sum: it is kept within what the deduction allows.
  void SumTyped();
  void SetSum(const std::optional<Currency>& sum);

  const std::string& Code() const { return code_; }
  const std::optional<TDeductionCode>& Deduction() const { return deduction_; }
  bool SumEditable() const;

 private:
  void Show(const std::string& code, const std::string& name);
  void ApplyMarks(const TDeductionCode& deduction);

  Widgets w_;
  TIncomeEntryDialog mode_;
  LockSum lock_;
  bool allowed_ = false;
  std::string code_;
  std::optional<TDeductionCode> deduction_;
  bool settingSum_ = false;
};

}  // namespace talver
