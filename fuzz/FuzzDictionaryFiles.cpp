// Feeds arbitrary bytes to every dictionary file reader: the income code dictionary, countries,
// activities, exchange rates and the inspection directory. A reader either gives a dictionary
// or refuses the bytes with EDictionaryError; whatever it gives must bear the lookups and the
// pickers built on it.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "dictionaries/Countries.h"
#include "dictionaries/CurrencyRates.h"
#include "dictionaries/DeductionRules.h"
#include "dictionaries/IncomeDictionary.h"
#include "dictionaries/Inspections.h"
#include "dictionaries/Okved.h"

namespace {

using namespace talver;

void Incomes(std::string_view bytes) {
  const TIncomeDictionary dictionary = TIncomeDictionary::FromXml(bytes);
  for (const char* filter : {"", "100", "13", "35"}) {
    const TIncomeCodePicker picker(dictionary, filter, filter[0] == '1');
    if (const auto row = picker.InitialRow("2000")) {
      if (!picker.Choose(*row)) std::abort();
    }
  }
  for (const TIncomeCode& income : dictionary.Incomes()) {
    const TDeductionCodePicker picker(dictionary, income.Code, true);
    for (std::size_t row = 0; row < picker.Rows().size(); ++row) {
      const std::optional<TDeductionCode> d = picker.Choose(row);
      if (!d) std::abort();
      InitialDeductionSum(TIncomeEntryDialog::Resident13, *d, Currency::FromRoubles(1234567));
      RecomputedDeductionSum(TIncomeEntryDialog::ForeignIncome, *d, Currency::FromUnits(INT64_MAX / 2), Currency());
    }
  }
}

void Activities(std::string_view bytes) {
  const TOkvedDictionary dictionary = TOkvedDictionary::FromXml(bytes);
  TOkvedPicker picker(dictionary);
  for (int level = 1; level <= TOkvedPicker::kLevels; ++level) {
    const std::size_t items = picker.Items(level).size();
    picker.Pick(level, items > 1 ? 1 : 0);
    picker.CodeFieldText();
    picker.CodeLongEnough();
  }
  picker.Pick(3, 0);
  picker.Result();
}

void Rates(std::string_view bytes) {
  const TCurrencyRates rates = TCurrencyRates::FromXml(bytes);
  for (const TCurrencyEntry& currency : rates.Currencies()) {
    for (double day : {42369.0, 42735.0, 42736.5, -1e9, 1e9}) rates.FindRate(currency.Code, day);
  }
  rates.PickerRow("");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  try {
    Incomes(bytes);
  } catch (const EDictionaryError&) {
  }
  try {
    const TCountryDirectory countries = TCountryDirectory::FromXml(bytes);
    // An empty current code selects no row; any other code of the list selects one.
    for (const TCountry& country : countries.Countries()) {
      if (!country.Code.empty() && !countries.PickerRow(country.Code)) std::abort();
    }
  } catch (const EDictionaryError&) {
  }
  try {
    Activities(bytes);
  } catch (const EDictionaryError&) {
  }
  try {
    Rates(bytes);
  } catch (const EDictionaryError&) {
  }
  try {
    const TInspectionDirectory inspections = TInspectionDirectory::FromXml(bytes);
    for (const TInspection& i : inspections.Inspections()) inspections.PickerRow(i.Code);
  } catch (const EDictionaryError&) {
  }
  return 0;
}
