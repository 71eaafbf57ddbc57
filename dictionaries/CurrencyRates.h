#pragma once
// "CurrencyRates.xml", currencies and the Central Bank's exchange rates: every child of the
// document element is one currency (attributes Code, the three-digit numeric code, Name, and
// the optional Alpha, its ISO 4217 letters);
// every child of a currency is one rate (attributes Date "dd.mm.yyyy", Rate in roubles for
// Quantity units, Quantity). Texts are windows-1251.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dictionaries/DictionaryFiles.h"
#include "platform/Currency.h"
#include "platform/Dates.h"

namespace talver {

struct TCurrencyRate {
  TDate Date = 0;
  Currency Rate;              // roubles for Quantity units
  std::int32_t Quantity = 1;  // the bank's nominal
};

struct TCurrencyEntry {
  std::string Code;
  std::string Name;
  std::string Alpha;  // "USD"; empty when the file does not say
  std::vector<TCurrencyRate> Rates;  // in document order
};

class TCurrencyRates {
 public:
  // Each throws EDictionaryError for a file that is not well-formed, a currency without Code or
  // Name, or a rate whose Date, Rate or Quantity is missing or does not read (a rate is a
  // non-negative decimal with "." or ",", a quantity a whole number from 1).
  static TCurrencyRates FromXml(std::string_view bytes, const std::string& fileName = kCurrencyRatesFileName);
  static TCurrencyRates LoadFile(const std::filesystem::path& path);
  static std::optional<TCurrencyRates> Load(const TDictionaryFolders& folders);

  // In document order: the rows of the currency picker ("Справочник валют").
  const std::vector<TCurrencyEntry>& Currencies() const { return currencies_; }
  // The currency name lookup: the first currency of that code, or none.
  const TCurrencyEntry* FindCurrency(std::string_view code) const;
  // The first currency of those ISO 4217 letters, or none.
  const TCurrencyEntry* FindCurrencyByAlpha(std::string_view alpha) const;
  // The rate in force on `date` for the first currency of that code: the entry of that very
  // day (the first such in document order), otherwise the one of the latest earlier day;
  // none for an unknown currency or a day before its first rate.
  std::optional<TCurrencyRate> FindRate(std::string_view code, TDate date) const;
  // The row the picker shows selected: the current code's ("0" when there is none), else the
  // first row; none for an empty list.
  std::optional<std::size_t> PickerRow(std::string_view currentCode) const;

  // The warning shown after choosing a Belarusian rouble in the picker (UTF-8), or nullptr.
  static const char* ChoiceWarning(std::string_view code);

 private:
  static TCurrencyRates FromDocument(const XmlDocument& doc, const std::string& fileName);
  std::vector<TCurrencyEntry> currencies_;
};

}  // namespace talver
