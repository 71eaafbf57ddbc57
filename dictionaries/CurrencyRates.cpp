#include "dictionaries/CurrencyRates.h"

#include <cmath>

#include "platform/Errors.h"
#include "platform/NumberText.h"
#include "platform/Text1251.h"

namespace talver {

using dictionary_detail::EntryPlace;
using dictionary_detail::TEntryReader;

namespace {

TCurrencyRate ReadRate(const TEntryReader& reader) {
  TCurrencyRate rate;
  const std::string date = Trim(reader.Attribute("Date"));
  try {
    rate.Date = TextToDate(date, '.');
  } catch (const EConvertError&) {
    reader.Fail("дата \"" + Cp1251ToUtf8(date) + "\" не в виде ДД.ММ.ГГГГ");
  }
  const std::string value = Trim(reader.Attribute("Rate"));
  try {
    rate.Rate = value.find(',') != std::string::npos ? TextToCurrency(value, ',') : TextToCurrency(value, '.');
  } catch (const EConvertError&) {
    reader.Fail("курс \"" + Cp1251ToUtf8(value) + "\" не является числом");
  }
  if (rate.Rate < Currency()) reader.Fail("курс отрицателен");
  rate.Quantity = reader.IntAttribute("Quantity");
  if (rate.Quantity < 1) reader.Fail("количество единиц валюты меньше 1");
  return rate;
}

// Day counts compare as whole days: a date in the file has no time of day, a requested one may.
double DayOf(TDate date) { return std::floor(date); }

}  // namespace

TCurrencyRates TCurrencyRates::FromDocument(const XmlDocument& doc, const std::string& fileName) {
  TCurrencyRates rates;
  const std::vector<XmlElement> currencies = doc.DocumentElement().Children();
  for (std::size_t i = 0; i < currencies.size(); ++i) {
    const TEntryReader reader(currencies[i], fileName, EntryPlace(i, currencies[i]));
    TCurrencyEntry entry;
    entry.Code = reader.Attribute("Code");
    entry.Name = reader.Attribute("Name");
    entry.Alpha = Trim(currencies[i].Attribute("Alpha").value_or(std::string()));
    const std::vector<XmlElement> children = currencies[i].Children();
    entry.Rates.reserve(children.size());
    for (std::size_t j = 0; j < children.size(); ++j) {
      const TEntryReader rateReader(children[j], fileName,
                                    "валюта " + Cp1251ToUtf8(entry.Code) + ", " + EntryPlace(j, children[j]));
      entry.Rates.push_back(ReadRate(rateReader));
    }
    rates.currencies_.push_back(std::move(entry));
  }
  return rates;
}

TCurrencyRates TCurrencyRates::FromXml(std::string_view bytes, const std::string& fileName) {
  return FromDocument(dictionary_detail::ParseDictionary(bytes, fileName), fileName);
}

TCurrencyRates TCurrencyRates::LoadFile(const std::filesystem::path& path) {
  return FromDocument(dictionary_detail::LoadDictionary(path), path.filename().string());
}

std::optional<TCurrencyRates> TCurrencyRates::Load(const TDictionaryFolders& folders) {
  const std::optional<std::filesystem::path> path = LocateDictionaryFile(folders, kCurrencyRatesFileName);
  if (!path) return std::nullopt;
  return LoadFile(*path);
}

const TCurrencyEntry* TCurrencyRates::FindCurrency(std::string_view code) const {
  for (const TCurrencyEntry& entry : currencies_) {
    if (entry.Code == code) return &entry;
  }
  return nullptr;
}

const TCurrencyEntry* TCurrencyRates::FindCurrencyByAlpha(std::string_view alpha) const {
  if (alpha.empty()) return nullptr;
  for (const TCurrencyEntry& entry : currencies_) {
    if (entry.Alpha == alpha) return &entry;
  }
  return nullptr;
}

std::optional<TCurrencyRate> TCurrencyRates::FindRate(std::string_view code, TDate date) const {
  const TCurrencyEntry* entry = FindCurrency(code);
  if (entry == nullptr) return std::nullopt;
  const double day = DayOf(date);
  const TCurrencyRate* candidate = nullptr;
  for (const TCurrencyRate& rate : entry->Rates) {
    if (rate.Date == day) return rate;
    // The latest earlier day, whatever order the file lists them in.
    if (rate.Date < day && (candidate == nullptr || rate.Date > candidate->Date)) candidate = &rate;
  }
  if (candidate == nullptr) return std::nullopt;
  return *candidate;
}

std::optional<std::size_t> TCurrencyRates::PickerRow(std::string_view currentCode) const {
  if (currencies_.empty()) return std::nullopt;
  const std::string_view code = currentCode.empty() ? std::string_view("0") : currentCode;
  for (std::size_t i = 0; i < currencies_.size(); ++i) {
    if (currencies_[i].Code == code) return i;
  }
  return 0;
}

const char* TCurrencyRates::ChoiceWarning(std::string_view code) {
  if (code == "974") {
    return "Курс старого белорусского рубля после 30 июня 2016 в автоматическом режиме не определяется. "
           "При необходимости указывайте правильный курс в ручном режиме.";
  }
  if (code == "933") {
    return "Курс нового белорусского рубля до 1 июля 2016 в автоматическом режиме не определяется. "
           "При необходимости указывайте правильный курс в ручном режиме.";
  }
  return nullptr;
}

}  // namespace talver
