#pragma once
// "Доход": the source of a foreign income, its name and the country it is paid from. The
// country is typed or chosen in the country directory; "Да" asks for it when it is missing.
#include <QDialog>
#include <QPointer>

#include <string>

#include "ui/framework/Seams.h"

class QToolButton;

namespace talver {

class TCountryDirectory;
class TMaskedEdit;
class TfmCountries;

class TfmInputCurrencySource : public QDialog {
  Q_OBJECT
 public:
  // `countries` nullptr: the directory was not loaded and the code can only be typed.
  TfmInputCurrencySource(QWidget* owner, IUiPresenter& presenter, const TCountryDirectory* countries);

  // windows-1251 texts.
  void SetSource(const std::string& name, const std::string& countryCode);
  std::string SourceName() const;
  // Trimmed.
  std::string CountryCode() const;

  // The "..." button.
  void PickCountry();
  // "Да" and Enter.
  void Confirm();

 private:
  IUiPresenter& presenter_;
  const TCountryDirectory* countries_;
  QPointer<TfmCountries> countryPicker_;

  TMaskedEdit* edSourceName;
  TMaskedEdit* edCountryCode;
  QToolButton* btCountry;
};

}  // namespace talver
