#include "ui/widgets/MaskedEdit.h"

#include <QKeyEvent>

#include "ui/widgets/FieldOwner.h"

namespace talver {

TMaskedEdit::TMaskedEdit(QWidget* parent, EditType type, int wholeLength, int fractionalLength)
    : QLineEdit(parent), type_(type), wholeLength_(wholeLength), fractionalLength_(fractionalLength) {
  connect(this, &QLineEdit::textChanged, this, &TMaskedEdit::TextChanged);
}

bool TMaskedEdit::Accepts(const QString& text) const {
  switch (type_) {
    case EditType::edtCurrency: {
      qsizetype whole = 0;
      qsizetype fraction = 0;
      bool separator = false;
      for (QChar c : text) {
        if (c == kDecimalSeparator) {
          if (separator) return false;
          separator = true;
        } else if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
          ++(separator ? fraction : whole);
        } else {
          return false;
        }
      }
      return (wholeLength_ == 0 || whole <= wholeLength_) && (fractionalLength_ == 0 || fraction <= fractionalLength_);
    }
    case EditType::edtDigital:
      for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
      }
      break;
    case EditType::edtChar:
      for (QChar c : text) {
        if (c.isDigit()) return false;
      }
      break;
    case EditType::edtNone:
      break;
  }
  return wholeLength_ == 0 || text.size() <= wholeLength_;
}

void TMaskedEdit::keyPressEvent(QKeyEvent* event) {
  // Editing and clipboard keys always pass; the text they make is checked after the change.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  const QString typed = event->text();
  if (typed.isEmpty() || !typed.at(0).isPrint() || (event->modifiers() & Qt::ControlModifier)) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  if (type_ == EditType::edtCurrency && (typed == QLatin1String(".") || typed == QLatin1String(","))) {
    if (text().contains(kDecimalSeparator) && !selectedText().contains(kDecimalSeparator)) {
      event->ignore();
      return;
    }
    insert(QString(kDecimalSeparator));
    return;
  }
  QString would = text();
  if (hasSelectedText()) {
    would.remove(selectionStart(), selectedText().size());
    would.insert(selectionStart(), typed);
  } else {
    would.insert(cursorPosition(), typed);
  }
  if (!Accepts(would)) {
    event->ignore();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void TMaskedEdit::TextChanged(const QString& text) {
  if (restoring_) return;
  QString wanted = text;
  if (type_ == EditType::edtCurrency && !wanted.isEmpty() && wanted.trimmed().isEmpty()) wanted.clear();
  if (!Accepts(wanted)) wanted = previous_;
  if (wanted != text) {
    restoring_ = true;
    setText(wanted);
    restoring_ = false;
  }
  if (wanted == previous_) return;
  previous_ = wanted;
  // The change notice goes to the page this field sits on, which passes it to the main window.
  NotifyPageOf(this);
  emit Change();
}

}  // namespace talver
