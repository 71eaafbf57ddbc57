#pragma once
// "Справочник валют": the currencies of "CurrencyRates.xml", which must outlive the picker.
#include <optional>
#include <string>

#include "dictionaries/CurrencyRates.h"
#include "ui/pickers/Pickers.h"

namespace talver {

class TfmCurrencies : public TCodeListPicker {
  Q_OBJECT
 public:
  TfmCurrencies(QWidget* owner, const TCurrencyRates& rates);
  // Opens on the current code's row ("0" when there is none), else the first row; the
  // chosen currency, or none for "Нет".
  std::optional<TCurrencyEntry> Execute(const std::string& currentCode);

 private:
  const TCurrencyRates& rates_;
};

}  // namespace talver
