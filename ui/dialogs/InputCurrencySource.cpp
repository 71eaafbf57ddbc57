#include "ui/dialogs/InputCurrencySource.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/Text1251.h"
#include "ui/widgets/MaskedEdit.h"
#include "ui/framework/PageWidgets.h"
#include "ui/pickers/Pickers.h"
#include "ui/base/UiText.h"

namespace talver {

TfmInputCurrencySource::TfmInputCurrencySource(QWidget* owner, IUiPresenter& presenter,
                                               const TCountryDirectory* countries)
    : QDialog(owner), presenter_(presenter), countries_(countries) {
  setObjectName(QStringLiteral("TfmInputCurrencySource"));
  setWindowTitle(QStringLiteral("Доход"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  edSourceName = MakeEdit(this, "edSourceName", EditType::edtNone, 94);
  edSourceName->setMinimumWidth(520);
  edCountryCode = MakeEdit(this, "edCountryCode", EditType::edtDigital, 3);
  edCountryCode->setFixedWidth(60);
  btCountry = MakeDotsButton(this, "btCountry", QStringLiteral("Справочник стран"));
  btCountry->setEnabled(countries_ != nullptr);

  auto* grid = new QGridLayout;
  grid->addWidget(MakeLabel(this, QStringLiteral("Наименование источника выплаты"), edSourceName), 0, 0, 1, 3);
  grid->addWidget(edSourceName, 1, 0, 1, 3);
  grid->addWidget(MakeLabel(this, QStringLiteral("Код страны"), edCountryCode), 2, 0);
  grid->addWidget(edCountryCode, 2, 1);
  grid->addWidget(btCountry, 2, 2, Qt::AlignLeft);
  grid->setColumnStretch(2, 1);

  const auto [btYes, btNo, buttons] = MakeYesNoButtons(this);
  connect(btYes, &QPushButton::clicked, this, &TfmInputCurrencySource::Confirm);
  connect(btCountry, &QToolButton::clicked, this, &TfmInputCurrencySource::PickCountry);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  setFixedSize(sizeHint());
  setTabOrder(edSourceName, edCountryCode);
  setTabOrder(edCountryCode, btCountry);
  setTabOrder(btCountry, btYes);
  setTabOrder(btYes, btNo);
  edSourceName->setFocus();
}

void TfmInputCurrencySource::SetSource(const std::string& name, const std::string& countryCode) {
  edSourceName->setText(FromModel(name));
  edSourceName->setCursorPosition(0);
  edCountryCode->setText(FromModel(countryCode));
}

std::string TfmInputCurrencySource::SourceName() const { return ToModel(edSourceName->text()); }

std::string TfmInputCurrencySource::CountryCode() const { return Trim(ToModel(edCountryCode->text())); }

void TfmInputCurrencySource::PickCountry() {
  if (countries_ == nullptr) return;
  if (!countryPicker_) countryPicker_ = new TfmCountries(this, *countries_);
  const std::optional<TCountry> choice = countryPicker_->Execute(CountryCode());
  if (!choice) return;
  edCountryCode->setText(FromModel(Trim(choice->Code)));
}

void TfmInputCurrencySource::Confirm() {
  if (CountryCode().empty()) {
    presenter_.ShowEntryError("Источник дохода", "Не выбран код страны", false);
    if (countries_ != nullptr) {
      btCountry->setFocus();
      PickCountry();
    } else {
      edCountryCode->setFocus();
    }
    return;
  }
  accept();
}

}  // namespace talver
