#include "ui/pickers/CurrencyPicker.h"

namespace talver {

TfmCurrencies::TfmCurrencies(QWidget* owner, const TCurrencyRates& rates)
    : TCodeListPicker(owner, "TfmCurrencies", QStringLiteral("Справочник валют"), "lvCurrencies", QStringLiteral("Код"),
                      QStringLiteral("Наименование валюты")),
      rates_(rates) {
  std::vector<std::pair<std::string, std::string>> rows;
  for (const TCurrencyEntry& currency : rates_.Currencies()) rows.emplace_back(currency.Code, currency.Name);
  SetRows(rows);
  resize(520, 520);
}

std::optional<TCurrencyEntry> TfmCurrencies::Execute(const std::string& currentCode) {
  const std::optional<std::size_t> row = ExecuteRow(rates_.PickerRow(currentCode));
  if (!row) return std::nullopt;
  return rates_.Currencies().at(*row);
}

}  // namespace talver
