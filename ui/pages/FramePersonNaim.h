#pragma once
// The taxpayer's personal data: name, ИНН, birth, the identity document and the citizenship.
// In a 4-НДФЛ return the document, the citizenship and the birth are not asked; the ОКТМО code
// and the phone are asked here instead.
#include <QPointer>

#include <cstdint>
#include <string>

#include "ui/framework/MyFrame.h"

class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QToolButton;

namespace talver {

class TMaskedDocEdit;
class TMaskedEdit;
class TfmBuiltInPicker;
class TfmCountries;

class TfrPersonNaim : public TThinkingFrame {
  Q_OBJECT
 public:
  TfrPersonNaim(QWidget* owner, TPageHost& host);

  void StoreData() override;
  std::uint16_t CheckData() override;
  void ShowError(std::uint16_t code) override;

  // The "..." buttons.
  void PickDocumentType();
  void PickCountry();

 private:
  TMaskedEdit* edSurname;
  TMaskedEdit* edFirstName;
  TMaskedEdit* edPatronymic;
  TMaskedEdit* edInn;
  QLabel* lbBirthDate;
  QDateEdit* dtBirthDate;
  QLabel* lbBirthPlace;
  TMaskedEdit* edBirthPlace;
  QLabel* lbOktmo;
  TMaskedEdit* edOktmo;
  QLabel* lbPhone;
  TMaskedEdit* edPhone;

  QGroupBox* gbDocument;
  QLineEdit* pnDocType;
  QToolButton* btDocType;
  TMaskedDocEdit* edDocSeriesNumber;
  QDateEdit* dtDocIssueDate;
  TMaskedEdit* edDocIssuedBy;

  QGroupBox* gbCitizenship;
  QRadioButton* rbCitizen;
  QRadioButton* rbStateless;
  TMaskedEdit* edCountryCode;
  TMaskedEdit* edCountryName;
  QToolButton* btCountry;

  std::uint16_t docTypeCode_ = 0;
  QPointer<TfmBuiltInPicker> documentPicker_;
  QPointer<TfmCountries> countryPicker_;
};

}  // namespace talver
