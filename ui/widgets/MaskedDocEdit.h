#pragma once
// "Серия и номер": the series and number of an identity document, in a shape that depends on
// the document type. The field keeps its last accepted text; every change of the text is
// checked against the shape (a text still being typed, a beginning of the shape, passes) and
// the remembered text comes back when it fails. Keystrokes are filtered beforehand by the same
// rules, with the typing aids of each shape (capitals, the blanks between the groups).
#include <QLineEdit>

#include <optional>

namespace talver {

enum class TDocumentMaskEnum {
  edtR_BB,   // a Roman numeral, "-", two Cyrillic capitals, a blank, up to 6 digits (IV-АБ 123456)
  edt99,     // up to 2 digits, a blank, up to 7 digits
  edt99_,    // up to 2 digits, a blank, up to 2 digits, a blank, up to 6 digits (45 03 123456)
  edtBB,     // up to 2 Cyrillic capitals, a blank, up to 6 digits
  edtBB0,    // up to 2 Cyrillic capitals, a blank, up to 7 digits
  edtNone1,  // any text of up to 20 characters
  edtNone2,  // any text of up to 14 characters
  edtBB5,    // up to 2 Cyrillic capitals, a blank, up to 5 digits
};

// Whether `text` has the shape of `mask` or is a beginning of it.
bool DocumentTextAccepted(TDocumentMaskEnum mask, const QString& text);
// The shape for a document type chosen in the picker, and for the type stored when the page
// is built; none leaves the field's shape as it was.
std::optional<TDocumentMaskEnum> MaskForChosenDocument(int docTypeCode);
std::optional<TDocumentMaskEnum> MaskForStoredDocument(int docTypeCode);

class TMaskedDocEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit TMaskedDocEdit(QWidget* parent = nullptr);

  TDocumentMaskEnum documentMask() const { return mask_; }
  // The text already in the field stays as it is; the next edit must fit the new shape.
  void setDocumentMask(TDocumentMaskEnum mask) { mask_ = mask; }

 signals:
  // Raised after each real change of the text.
  void Change();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void TextChanged(const QString& text);
  // Types `typed` at the caret with the aids of the shape; false when it is refused.
  bool TypeCharacter(QChar typed);

  TDocumentMaskEnum mask_ = TDocumentMaskEnum::edtNone1;
  QString remembered_;
  bool restoring_ = false;
};

}  // namespace talver
