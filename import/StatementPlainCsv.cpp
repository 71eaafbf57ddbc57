// Our own statement for any broker: a header "date;isin;name;country;currency;amount;tax;tax_date"
// and one dividend a line, its tax already paired with it. Fields are separated by ";" (or ","
// when the header is); amounts take "." or ","; dates are ДД.ММ.ГГГГ or ГГГГ-ММ-ДД.
#include <array>

#include "import/StatementParts.h"
#include "platform/Text1251.h"

namespace talver {

using namespace statement;

namespace {

constexpr std::array<const char*, 8> kColumns = {"date", "isin", "name", "country", "currency", "amount", "tax", "tax_date"};

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

bool IsHeader(const std::vector<std::string>& fields) {
  if (fields.size() != kColumns.size()) return false;
  for (std::size_t i = 0; i < kColumns.size(); ++i) {
    if (Lower(Trim(fields[i])) != kColumns[i]) return false;
  }
  return true;
}

bool AllOf(const std::string& text, bool (*test)(char)) {
  for (const char c : text) {
    if (!test(c)) return false;
  }
  return !text.empty();
}

}  // namespace

namespace statement {

bool IsPlainStatementHeader(std::string_view bytes, char& separator) {
  for (const char s : {';', ','}) {
    if (IsHeader(FirstCsvFields(bytes, s))) {
      separator = s;
      return true;
    }
  }
  return false;
}

}  // namespace statement

TStatement ReadPlainStatementCsv(std::string_view bytes, const std::string& source) {
  char separator = ';';
  if (!IsPlainStatementHeader(bytes, separator)) {
    Fail(source, LinePlace(1), "ожидался заголовок «date;isin;name;country;currency;amount;tax;tax_date»");
  }
  const std::vector<TCsvRecord> records = SplitCsv(bytes, separator, source);
  TStatement statement;
  statement.Format = TStatementFormat::PlainCsv;
  statement.Source = source;
  const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
  const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  for (std::size_t n = 1; n < records.size(); ++n) {
    const TCsvRecord& r = records[n];
    const std::string place = LinePlace(r.Line);
    if (r.Fields.size() != kColumns.size()) {
      Fail(source, place, "ожидалось 8 полей через «" + std::string(1, separator) + "», есть " +
                              std::to_string(r.Fields.size()));
    }
    std::array<std::string, 8> f;
    for (std::size_t i = 0; i < f.size(); ++i) f[i] = Trim(r.Fields[i]);
    TStatementDividend d;
    d.Source = source;
    d.Lines = {r.Line};
    const auto date = [&](const std::string& text, const char* what) {
      const std::optional<TDate> day = ReadStatementDate(text);
      if (!day) Fail(source, place, std::string("ожидалась ") + what + " вида 08.03.2016, а не «" + TextAsUtf8(text) + "»");
      return *day;
    };
    d.Date = date(f[0], "дата");
    d.TaxDate = f[7].empty() ? d.Date : date(f[7], "дата уплаты налога");
    d.Isin = f[1];
    if (!d.Isin.empty() && !IsIsin(d.Isin)) {
      Fail(source, place, "ожидался ISIN из 12 знаков с верной контрольной цифрой, а не «" + TextAsUtf8(d.Isin) + "»");
    }
    d.Name = TextAsUtf8(f[2]);
    if (d.Name.empty() && d.Isin.empty()) Fail(source, place, "нужны ISIN или наименование эмитента");
    d.Symbol = d.Isin;
    d.Country = f[3];
    if (!d.Country.empty() && !(AllOf(d.Country, +isDigit) && d.Country.size() <= 3) &&
        !(AllOf(d.Country, +isLetter) && d.Country.size() == 2)) {
      Fail(source, place, "ожидался код страны по ОКСМ (840) или две буквы (US), а не «" + TextAsUtf8(d.Country) + "»");
    }
    d.Currency = f[4];
    if (d.Currency.size() != 3 || !(AllOf(d.Currency, +isDigit) || AllOf(d.Currency, +isLetter))) {
      Fail(source, place, "ожидался код валюты: три буквы (USD) или три цифры (840), а не «" + TextAsUtf8(d.Currency) + "»");
    }
    const std::optional<Currency> amount = ReadStatementAmount(f[5], 0);
    if (!amount || *amount <= Currency()) {
      Fail(source, place, "ожидалась сумма дивиденда больше нуля, а не «" + TextAsUtf8(f[5]) + "»");
    }
    d.Amount = *amount;
    const std::optional<Currency> tax = f[6].empty() ? Currency() : ReadStatementAmount(f[6], 0);
    if (!tax || *tax < Currency()) {
      Fail(source, place, "ожидался удержанный налог числом не меньше нуля, а не «" + TextAsUtf8(f[6]) + "»");
    }
    d.Tax = *tax;
    if (d.Tax > d.Amount) d.Problem = "налог больше дивиденда";
    statement.Dividends.push_back(std::move(d));
  }
  return statement;
}

}  // namespace talver
