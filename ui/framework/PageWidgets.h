#pragma once
// The controls the entry pages and dialogs build again and again: a named entry field with its
// limit, a caption bound to its field, a "..." picker button, a date picker and the read-only
// panel that shows a value chosen in a picker.
#include <QString>

class QDateEdit;
class QDialog;
class QHBoxLayout;
class QPushButton;
class QLabel;
class QLineEdit;
class QToolButton;
class QWidget;

namespace talver {

class TMaskedEdit;
enum class EditType;

// At most `length` characters (or digits before the separator); 0 is no limit.
TMaskedEdit* MakeEdit(QWidget* parent, const char* name, EditType type, int length, int fractional = 0);
QLabel* MakeLabel(QWidget* parent, const QString& text, QWidget* buddy);
QToolButton* MakeDotsButton(QWidget* parent, const char* name, const QString& hint);
// dd.mm.yyyy with its calendar, from 01.01.1900 to today.
QDateEdit* MakeDate(QWidget* parent, const char* name);
QLineEdit* MakePanel(QWidget* parent, const char* name);
// A read-only field drawn like the panels, so that it does not look like one to type into.
void ShowAsPanel(QLineEdit* field);

// "Да" (the default button, btYes) and "Нет" (btNo, rejects the dialog) at the right of a row of
// buttons; the caller connects "Да".
struct YesNoButtons {
  QPushButton* Yes;
  QPushButton* No;
  QHBoxLayout* Row;
};
YesNoButtons MakeYesNoButtons(QDialog* dialog);

}  // namespace talver
