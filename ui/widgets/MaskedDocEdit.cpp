#include "ui/widgets/MaskedDocEdit.h"

#include <QKeyEvent>
#include <QRegularExpression>

#include <initializer_list>

#include "ui/widgets/FieldOwner.h"

namespace talver {
namespace {

constexpr QChar kBlank = QLatin1Char(' ');
constexpr QChar kDash = QLatin1Char('-');

bool IsCyrillicSmall(QChar c) { return (c >= QChar(0x0430) && c <= QChar(0x044F)) || c == QChar(0x0451); }

int RomanDigit(QChar c) {
  switch (c.unicode()) {
    case 'I':
      return 1;
    case 'V':
      return 5;
    case 'X':
      return 10;
    case 'L':
      return 50;
    case 'C':
      return 100;
    default:
      return 0;
  }
}

// The numeral of a value from C, L, X, V and I with the subtractive pairs IV, IX, XL and XC.
QString CanonicalRoman(int value) {
  static const char* const kTens[] = {"", "X", "XX", "XXX", "XL", "L", "LX", "LXX", "LXXX", "XC"};
  static const char* const kUnits[] = {"", "I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX"};
  QString numeral(value / 100, QLatin1Char('C'));
  numeral += QLatin1String(kTens[(value / 10) % 10]);
  numeral += QLatin1String(kUnits[value % 10]);
  return numeral;
}

// A numeral is accepted only as the canonical writing of its value (so IIII and VX are not).
bool RomanAccepted(const QString& numeral) {
  if (numeral.isEmpty() || numeral.size() > 9) return false;
  int value = 0;
  for (qsizetype i = 0; i < numeral.size(); ++i) {
    const int digit = RomanDigit(numeral[i]);
    if (digit == 0) return false;
    const int next = i + 1 < numeral.size() ? RomanDigit(numeral[i + 1]) : 0;
    value += digit < next ? -digit : digit;
  }
  return value > 0 && CanonicalRoman(value) == numeral;
}

const QRegularExpression& ShapeOf(TDocumentMaskEnum mask) {
  // Each shape with every beginning of it: the groups after the first are optional, and each
  // group may still be short.
  static const QRegularExpression k99(QStringLiteral("^[0-9]{0,2}( [0-9]{0,7})?\\z"));
  static const QRegularExpression k99_(QStringLiteral("^[0-9]{0,2}( [0-9]{0,2}( [0-9]{0,6})?)?\\z"));
  static const QRegularExpression kBB(QStringLiteral("^[\\x{0410}-\\x{042F}\\x{0401}]{0,2}( [0-9]{0,6})?\\z"));
  static const QRegularExpression kBB0(QStringLiteral("^[\\x{0410}-\\x{042F}\\x{0401}]{0,2}( [0-9]{0,7})?\\z"));
  static const QRegularExpression kBB5(QStringLiteral("^[\\x{0410}-\\x{042F}\\x{0401}]{0,2}( [0-9]{0,5})?\\z"));
  static const QRegularExpression kAfterDash(QStringLiteral("^[\\x{0410}-\\x{042F}\\x{0401}]{0,2}( [0-9]{0,6})?\\z"));
  switch (mask) {
    case TDocumentMaskEnum::edt99:
      return k99;
    case TDocumentMaskEnum::edt99_:
      return k99_;
    case TDocumentMaskEnum::edtBB:
      return kBB;
    case TDocumentMaskEnum::edtBB0:
      return kBB0;
    case TDocumentMaskEnum::edtBB5:
      return kBB5;
    default:
      return kAfterDash;
  }
}

bool IsLetterOrDigitShape(TDocumentMaskEnum mask) {
  return mask != TDocumentMaskEnum::edtR_BB && mask != TDocumentMaskEnum::edtNone1 &&
         mask != TDocumentMaskEnum::edtNone2;
}

}  // namespace

bool DocumentTextAccepted(TDocumentMaskEnum mask, const QString& text) {
  switch (mask) {
    case TDocumentMaskEnum::edtNone1:
      return text.size() <= 20;
    case TDocumentMaskEnum::edtNone2:
      return text.size() <= 14;
    case TDocumentMaskEnum::edtR_BB: {
      if (text.isEmpty()) return true;
      const qsizetype dash = text.indexOf(kDash);
      if (dash < 0) return RomanAccepted(text);
      if (!RomanAccepted(text.left(dash))) return false;
      return ShapeOf(mask).match(text.mid(dash + 1)).hasMatch();
    }
    default:
      return ShapeOf(mask).match(text).hasMatch();
  }
}

std::optional<TDocumentMaskEnum> MaskForChosenDocument(int code) {
  const auto in = [code](std::initializer_list<int> codes) {
    for (int c : codes) {
      if (c == code) return true;
    }
    return false;
  };
  if (in({2, 9, 22})) return TDocumentMaskEnum::edt99;
  if (in({21})) return TDocumentMaskEnum::edt99_;
  if (in({4, 6})) return TDocumentMaskEnum::edtBB;
  if (in({7, 24, 26, 27})) return TDocumentMaskEnum::edtBB0;
  if (in({3, 5, 10, 11, 12, 13, 14, 15, 18, 23, 91})) return TDocumentMaskEnum::edtNone1;
  return std::nullopt;
}

std::optional<TDocumentMaskEnum> MaskForStoredDocument(int code) {
  const auto in = [code](std::initializer_list<int> codes) {
    for (int c : codes) {
      if (c == code) return true;
    }
    return false;
  };
  if (in({1, 3})) return TDocumentMaskEnum::edtR_BB;
  if (in({2, 9, 22})) return TDocumentMaskEnum::edt99;
  if (in({21})) return TDocumentMaskEnum::edt99_;
  if (in({4, 6})) return TDocumentMaskEnum::edtBB;
  if (in({7, 26, 27})) return TDocumentMaskEnum::edtBB0;
  if (in({10})) return TDocumentMaskEnum::edtNone1;
  if (in({5, 11, 12, 13, 14, 91})) return TDocumentMaskEnum::edtNone2;
  return std::nullopt;
}

// ---------------------------------------------------------------------------------------------

TMaskedDocEdit::TMaskedDocEdit(QWidget* parent) : QLineEdit(parent) {
  connect(this, &QLineEdit::textChanged, this, &TMaskedDocEdit::TextChanged);
}

void TMaskedDocEdit::keyPressEvent(QKeyEvent* event) {
  // Enter, Backspace, the movement and clipboard keys pass; what they make is checked after.
  const QString typed = event->text();
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || typed.size() != 1 ||
      !typed.at(0).isPrint() || (event->modifiers() & Qt::ControlModifier)) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  if (!TypeCharacter(typed.at(0))) event->ignore();
}

bool TMaskedDocEdit::TypeCharacter(QChar typed) {
  QString text = this->text();
  qsizetype caret = cursorPosition();
  if (hasSelectedText()) {
    caret = selectionStart();
    text.remove(caret, selectedText().size());
  }
  QChar c = typed;
  if (IsLetterOrDigitShape(mask_)) {
    if (c == kBlank) return false;
    if (IsCyrillicSmall(c)) c = c.toUpper();
    // The blank between the groups comes by itself.
    if (caret == 2 && !text.contains(kBlank)) {
      text.insert(2, kBlank);
      caret = 3;
    } else if (mask_ == TDocumentMaskEnum::edt99_ && caret == 5) {
      const qsizetype first = text.indexOf(kBlank);
      if (first >= 0 && text.indexOf(kBlank, first + 1) < 0) {
        text.insert(5, kBlank);
        caret = 6;
      }
    }
  } else if (mask_ == TDocumentMaskEnum::edtR_BB) {
    if (IsCyrillicSmall(c) || c == QLatin1Char('c') || c == QLatin1Char('i') || c == QLatin1Char('l') ||
        c == QLatin1Char('v') || c == QLatin1Char('x')) {
      c = c.toUpper();
    }
    const qsizetype dash = text.indexOf(kDash);
    if (c == kDash) {
      if (dash >= 0) return false;
    } else if (dash < 0 || caret <= dash) {
      // The numeral: look-alike keys give its letters.
      switch (c.unicode()) {
        case '1':
          c = QLatin1Char('I');
          break;
        case 0x041B:  // Л
          c = QLatin1Char('L');
          break;
        case 0x0421:  // С
          c = QLatin1Char('C');
          break;
        case 0x0423:  // У
          c = QLatin1Char('V');
          break;
        case 0x0425:  // Х
          c = QLatin1Char('X');
          break;
        default:
          break;
      }
      if (RomanDigit(c) == 0) return false;
    } else if (caret == dash + 3 && text.indexOf(kBlank, dash) < 0) {
      text.insert(caret, kBlank);
      ++caret;
    }
  }
  text.insert(caret, c);
  if (!DocumentTextAccepted(mask_, text)) return false;
  setText(text);
  setCursorPosition(static_cast<int>(caret + 1));
  return true;
}

void TMaskedDocEdit::TextChanged(const QString& text) {
  if (restoring_) return;
  if (!DocumentTextAccepted(mask_, text)) {
    restoring_ = true;
    setText(remembered_);
    restoring_ = false;
    return;
  }
  if (text == remembered_) return;
  remembered_ = text;
  NotifyPageOf(this);
  emit Change();
}

}  // namespace talver
