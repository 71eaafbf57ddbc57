#pragma once
// The entry field of the pages and their dialogs. It refuses keystrokes that would make a text
// its edit type does not allow, checks every change of its text by the same rules (putting the
// previous text back when one fails), and reports each real change as a change of the return.
#include <QLineEdit>

namespace talver {

enum class EditType {
  edtCurrency,  // digits and one decimal separator "," (a typed "." becomes one), no sign
  edtDigital,   // digits only
  edtChar,      // anything but digits
  edtNone,      // anything
};

// The decimal separator of every amount the user types or sees.
inline constexpr QChar kDecimalSeparator = QLatin1Char(',');

class TMaskedEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit TMaskedEdit(QWidget* parent = nullptr, EditType type = EditType::edtCurrency, int wholeLength = 0,
                       int fractionalLength = 0);

  EditType editType() const { return type_; }
  void setEditType(EditType type) { type_ = type; }
  // Most digits before the separator, or most characters; 0 is no limit.
  int wholeLength() const { return wholeLength_; }
  void setWholeLength(int length) { wholeLength_ = length; }
  // Most digits after the separator; 0 is no limit.
  int fractionalLength() const { return fractionalLength_; }
  void setFractionalLength(int length) { fractionalLength_ = length; }

  // Whether `text` is allowed in a field of this kind.
  bool Accepts(const QString& text) const;

 signals:
  // The field's own change event, raised after each real change of its text.
  void Change();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void TextChanged(const QString& text);

  EditType type_;
  int wholeLength_;
  int fractionalLength_;
  QString previous_;
  bool restoring_ = false;
};

}  // namespace talver
