#include "import/Statement.h"

#include <map>
#include <optional>
#include <utility>
#include <set>
#include <tuple>

#include "compute/SheetB.h"
#include "dictionaries/Countries.h"
#include "dictionaries/CurrencyRates.h"
#include "dictionaries/IncomeDictionary.h"
#include "import/StatementParts.h"
#include "model/DeclClasses.h"
#include "platform/FileAccess.h"
#include "platform/Math2.h"
#include "platform/Text1251.h"

namespace talver {

using namespace statement;

// ---------------------------------------------------------------------------------------------
// Reading

TStatement ReadStatement(std::string_view bytes, const std::string& source) {
  std::string_view text = WithoutBom(bytes);
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\r' || text.front() == '\n')) {
    text.remove_prefix(1);
  }
  if (text.empty()) Fail(source, LinePlace(1), "файл пуст");
  if (text.find('\0') != std::string_view::npos) Fail(source, "файл", "не текст: в нем есть нулевые байты");
  if (text.front() == '<') return ReadIbkrFlexXml(bytes, source);
  char separator = ';';
  if (IsPlainStatementHeader(bytes, separator)) return ReadPlainStatementCsv(bytes, source);
  for (const char s : {',', ';'}) {
    const std::vector<std::string> fields = FirstCsvFields(bytes, s);
    if (fields.size() >= 3 && fields[1] == "Header") return ReadIbkrActivityCsv(bytes, source);
  }
  Fail(source, LinePlace(1),
       "отчет не распознан: ожидался отчет о деятельности Interactive Brokers в CSV (первая строка "
       "«Statement,Header,…»), отчет Flex в XML или таблица с заголовком "
       "«date;isin;name;country;currency;amount;tax;tax_date»");
}

TStatement ReadStatementFile(const std::filesystem::path& path) {
  std::string bytes;
  try {
    bytes = ReadWholeFile(path, kStatementMaxBytes);
  } catch (const FileError& e) {
    throw EStatement(path.string() + ": " + e.Reason());
  }
  return ReadStatement(bytes, path.filename().string());
}

// ---------------------------------------------------------------------------------------------
// The issuer's country

namespace {

struct TCountryException {
  const char* Key;      // a whole ISIN, or two letters for every ISIN that begins with them
  const char* Country;  // ОКСМ; empty: the ISIN tells no country
  const char* Why;
};

constexpr TCountryException kCountryExceptions[] = {
    // Shell's share information for investors (shell.com, "Ticker and ISIN codes", note 1):
    // Royal Dutch Shell plc is incorporated in England and Wales and tax-resident in the
    // Netherlands; dividends on its A shares and their ADSs have a Dutch source and bear Dutch
    // withholding tax, those on B shares, paid through the dividend access mechanism, a UK source.
    {"GB00B03MLX29", "528", "Royal Dutch Shell, акции A: налоговый резидент Нидерландов"},
    {"US7802592060", "528", "Royal Dutch Shell, АДР на акции A: налоговый резидент Нидерландов"},
    {"US7802591070", "826", "Royal Dutch Shell, АДР на акции B: дивиденды из Великобритании"},
    // ISINs of the international depositories (XS) and of the European Union's bodies (EU)
    // begin with letters that are no country of ISO 3166.
    {"XS", "", "ISIN международного выпуска (XS) не указывает страну"},
    {"EU", "", "ISIN выпуска Европейского союза (EU) не указывает страну"},
};

std::string UpperAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

bool IsDigits(const std::string& text) {
  if (text.empty()) return false;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

std::string Padded3(const std::string& digits) {
  return digits.size() >= 3 ? digits : std::string(3 - digits.size(), '0') + digits;
}

// A country the statement or the user names: ОКСМ digits or ISO letters; empty when unknown.
std::string CountryByWord(const std::string& word, const TCountryDirectory* countries) {
  if (IsDigits(word)) {
    const std::string code = Padded3(word);
    return countries == nullptr || countries->Find(code) != nullptr ? code : std::string();
  }
  if (countries == nullptr) return {};
  const TCountry* country = countries->FindByAlpha2(UpperAscii(word));
  return country != nullptr ? country->Code : std::string();
}

std::string DayText(TDate date) { return DateToText(date, '.'); }

// Two decimals, with the sign of a reversal or a refund.
std::string Signed(Currency amount) {
  return amount < Currency() ? "-" + FormatSumKopecks(-amount) : FormatSumKopecks(amount);
}

}  // namespace

std::string IssuerCountryByIsin(std::string_view isin, const TCountryDirectory* countries, std::string* origin) {
  const auto said = [origin](std::string text) {
    if (origin != nullptr) *origin = std::move(text);
  };
  if (isin.size() < 2) {
    said("ISIN нет");
    return {};
  }
  for (const TCountryException& e : kCountryExceptions) {
    if (isin == e.Key || (std::string_view(e.Key).size() == 2 && isin.substr(0, 2) == e.Key)) {
      said(e.Why);
      return e.Country;
    }
  }
  const std::string letters(isin.substr(0, 2));
  const TCountry* country = countries != nullptr ? countries->FindByAlpha2(letters) : nullptr;
  if (country == nullptr) {
    said("страны " + letters + " из ISIN нет в справочнике стран");
    return {};
  }
  said("по ISIN (" + letters + ")");
  return country->Code;
}

// ---------------------------------------------------------------------------------------------
// Lines

namespace {

// What makes two foreign incomes the same one: a line imported again, not a second payment.
using TIncomeKey = std::tuple<std::int32_t, TDate, std::string, std::int64_t, std::int64_t, std::string>;

TIncomeKey KeyOf(const mTCurrencyIncome& f) {
  return {f.IncomeCode, f.IncomeDate, f.CurrencyCode, f.IncomeInCurrency.Units(), f.TaxInCurrency.Units(), f.SourceName};
}

// The issuer's name as a payment source: windows-1251, at most what the source dialog takes.
std::string SourceNameOf(const TStatementDividend& d) {
  constexpr std::size_t kMaxSourceName = 94;
  std::string name = Trim(Utf8ToCp1251(!d.Name.empty() ? d.Name : !d.Symbol.empty() ? d.Symbol : d.Isin));
  if (name.size() > kMaxSourceName) name = Trim(name.substr(0, kMaxSourceName));
  return name;
}

class TLineMaker {
 public:
  TLineMaker(const TStatementContext& context, const TIncomeCode* dividendCode)
      : context_(context), dividendCode_(dividendCode) {}

  TStatementLine Make(const TStatementDividend& d) const {
    TStatementLine line;
    line.Dividend = d;
    if (DecodeDate(d.Date).Year != 2016) {
      line.State = TStatementLine::Status::OtherYear;
      line.Problem = "доход " + std::to_string(DecodeDate(d.Date).Year) + " года";
      return line;
    }
    if (d.Cancelled) {
      line.State = TStatementLine::Status::Cancelled;
      line.Problem = "отменено целиком";
      return line;
    }
    if (!d.Problem.empty()) return Refused(line, d.Problem);
    if (dividendCode_ == nullptr) return Refused(line, "в справочнике видов доходов нет кода 1010");

    mTCurrencyIncome& f = line.Income;
    f.IncomeCode = 1010;
    f.IncomeName = dividendCode_->Name;
    f.IncomeRate = dividendCode_->Rate();
    f.SourceName = SourceNameOf(d);
    f.CountryCode = Country(d, line.CountryOrigin);
    if (f.CountryCode.empty()) {
      return Refused(line, "не определена страна эмитента (" + line.CountryOrigin + "): укажите ее");
    }
    f.IncomeDate = d.Date;
    f.TaxPaymentDate = d.TaxDate;
    if (context_.Rates == nullptr) return Refused(line, "нет справочника курсов валют CurrencyRates.xml");
    const TCurrencyEntry* currency = IsDigits(d.Currency) ? context_.Rates->FindCurrency(Padded3(d.Currency))
                                                          : context_.Rates->FindCurrencyByAlpha(UpperAscii(d.Currency));
    if (currency == nullptr) return Refused(line, "нет курсов валюты " + d.Currency + " в справочнике CurrencyRates.xml");
    f.CurrencyCode = currency->Code;
    f.CurrencyName = currency->Name;
    for (const TDate date : {d.Date, d.TaxDate}) {
      if (!Rate(currency->Code, date)) {
        return Refused(line, "нет курса ЦБ РФ валюты " + d.Currency + " на " + DayText(date));
      }
    }
    // As the page does with "Автоматическое определение" ticked: the rates of both dates.
    f.AutoRate = 1;
    const TCurrencyRate incomeRate = *Rate(currency->Code, d.Date);
    const TCurrencyRate taxRate = *Rate(currency->Code, d.TaxDate);
    f.IncomeRateRub = incomeRate.Rate;
    f.IncomeRateUnits = incomeRate.Quantity;
    f.TaxRateRub = taxRate.Rate;
    f.TaxRateUnits = taxRate.Quantity;
    f.SetIncomeInCurrency(d.Amount);
    f.SetTaxInCurrency(d.Tax);
    line.State = TStatementLine::Status::Taken;
    return line;
  }

 private:
  static TStatementLine& Refused(TStatementLine& line, std::string why) {
    line.State = TStatementLine::Status::Error;
    line.Problem = std::move(why);
    return line;
  }

  std::string Country(const TStatementDividend& d, std::string& origin) const {
    const auto overridden = context_.CountryOverrides.find(!d.Isin.empty() ? d.Isin : d.Symbol);
    if (overridden != context_.CountryOverrides.end()) {
      const std::string code = CountryByWord(Trim(overridden->second), context_.Countries);
      origin = code.empty() ? "указанной страны нет в справочнике стран" : "указано вручную";
      return code;
    }
    if (!d.Country.empty()) {
      const std::string code = CountryByWord(d.Country, context_.Countries);
      origin = code.empty() ? "страны " + d.Country + " из отчета нет в справочнике стран" : "по отчету";
      return code;
    }
    // A statement of many payments names few issuers.
    const auto [known, added] = byIsin_.try_emplace(d.Isin);
    if (added) known->second.first = IssuerCountryByIsin(d.Isin, context_.Countries, &known->second.second);
    origin = known->second.second;
    return known->second.first;
  }

  // The rates file is searched once for each currency and day.
  const std::optional<TCurrencyRate>& Rate(const std::string& code, TDate date) const {
    const auto [known, added] = rates_.try_emplace({code, date});
    if (added) known->second = context_.Rates->FindRate(code, date);
    return known->second;
  }

  const TStatementContext& context_;
  const TIncomeCode* dividendCode_;
  mutable std::map<std::string, std::pair<std::string, std::string>> byIsin_;  // country, origin
  mutable std::map<std::pair<std::string, TDate>, std::optional<TCurrencyRate>> rates_;
};

}  // namespace

bool TStatementImport::HasErrors() const {
  for (const TStatementLine& line : Lines) {
    if (line.State == TStatementLine::Status::Error) return true;
  }
  return false;
}

std::vector<bool> TStatementImport::DefaultChoice() const {
  std::vector<bool> chosen;
  chosen.reserve(Lines.size());
  for (const TStatementLine& line : Lines) {
    chosen.push_back(line.State == TStatementLine::Status::Taken && !line.AlreadyPresent);
  }
  return chosen;
}

TStatementImport PrepareStatementImport(const std::vector<TStatement>& statements, const mTDeclaration& into,
                                        const TStatementContext& context) {
  std::optional<TIncomeDictionary> builtIn;
  const TIncomeDictionary* dictionary = context.Dictionary;
  if (dictionary == nullptr) dictionary = &builtIn.emplace(TIncomeDictionary::LoadBuiltIn());
  const TLineMaker maker(context, dictionary->FindIncome("1010"));

  TStatementImport result;
  mTDeclaration scratch;  // the lines to add, as the sheet of foreign incomes computes them
  scratch.Sections = kSectionForeign;
  std::vector<std::size_t> added;  // indexes of those lines
  std::size_t room = into.CurrencyIncomes.Count() < kMaxForeignIncomes ? kMaxForeignIncomes - into.CurrencyIncomes.Count() : 0;
  // The incomes the declaration has and those taken so far, to tell a line imported again.
  std::set<TIncomeKey> present;
  for (std::size_t i = 0; i < into.CurrencyIncomes.Count(); ++i) present.insert(KeyOf(into.CurrencyIncomes.Get(i)));
  std::size_t total = 0;
  for (const TStatement& statement : statements) total += statement.Dividends.size();
  result.Lines.reserve(total);
  for (const TStatement& statement : statements) {
    for (const TStatementDividend& dividend : statement.Dividends) {
      TStatementLine line = maker.Make(dividend);
      if (line.State == TStatementLine::Status::Taken) {
        line.AlreadyPresent = !present.insert(KeyOf(line.Income)).second;
        if (!line.AlreadyPresent) {
          if (room == 0) {
            present.erase(KeyOf(line.Income));
            line.State = TStatementLine::Status::Error;
            line.Problem = "в декларации не может быть больше " + std::to_string(kMaxForeignIncomes) +
                           " доходов за пределами РФ";
          } else {
            --room;
            scratch.CurrencyIncomes.Add(line.Income);
            added.push_back(result.Lines.size());
          }
        }
      }
      result.Lines.push_back(std::move(line));
    }
  }

  // Lines already present get their figures too, so that the preview shows what they are.
  for (TStatementLine& line : result.Lines) {
    if (line.State == TStatementLine::Status::Taken && line.AlreadyPresent) {
      mTDeclaration one;
      one.Sections = kSectionForeign;
      one.CurrencyIncomes.Add(line.Income);
      kTSvodSumPrilB sheet;
      sheet.Compute(one, 13);
      line.RussianTax = sheet.Lines.front().НалЗачРФОбщ;
      line.Credit = sheet.Lines.front().НалогЗачРФОбщ;
      line.Due = line.RussianTax - line.Credit;
    }
  }
  kTSvodSumPrilB sheet;
  sheet.Compute(scratch, 13);
  for (std::size_t k = 0; k < added.size() && k < sheet.Lines.size(); ++k) {
    TStatementLine& line = result.Lines[added[k]];
    line.RussianTax = sheet.Lines[k].НалЗачРФОбщ;
    line.Credit = sheet.Lines[k].НалогЗачРФОбщ;
    line.Due = line.RussianTax - line.Credit;
    result.Roubles += line.Income.IncomeInRoubles;
    result.RussianTax += line.RussianTax;
    result.Credit += line.Credit;
    result.Due += line.Due;
  }
  return result;
}

std::size_t ApplyStatementImport(const TStatementImport& import, mTDeclaration& declaration,
                                 const std::vector<bool>* chosen) {
  const std::vector<bool> byDefault = chosen == nullptr ? import.DefaultChoice() : std::vector<bool>();
  const std::vector<bool>& take = chosen == nullptr ? byDefault : *chosen;
  std::size_t count = 0;
  for (std::size_t i = 0; i < import.Lines.size() && i < take.size(); ++i) {
    if (!take[i] || import.Lines[i].State != TStatementLine::Status::Taken) continue;
    if (declaration.CurrencyIncomes.Count() >= kMaxForeignIncomes) break;
    declaration.CurrencyIncomes.Add(import.Lines[i].Income);
    ++count;
  }
  if (count > 0) declaration.SetSections(static_cast<std::uint8_t>(declaration.Sections | kSectionForeign));
  return count;
}

// ---------------------------------------------------------------------------------------------
// Texts

std::string StatementLinePlace(const TStatementDividend& d) {
  std::string text = d.Source;
  if (d.Lines.empty()) return text;
  text += d.Records ? ", CashTransaction " : d.Lines.size() == 1 ? ", строка " : ", строки ";
  for (std::size_t i = 0; i < d.Lines.size(); ++i) text += (i == 0 ? "" : ", ") + std::to_string(d.Lines[i]);
  return text;
}

std::string StatementLineSummary(const TStatementLine& line) {
  const TStatementDividend& d = line.Dividend;
  std::string what = DayText(d.Date) + " " + (!d.Name.empty() ? d.Name : d.Symbol);
  if (!d.Isin.empty()) what += " (" + d.Isin + ")";
  what += ": " + Signed(d.Amount) + " " + d.Currency;
  if (!d.Tax.IsZero()) what += ", налог " + Signed(d.Tax) + " " + d.Currency;
  switch (line.State) {
    case TStatementLine::Status::Taken:
      what += "; " + FormatSumKopecks(line.Income.IncomeInRoubles) + " руб., налог в РФ " +
              FormatSumKopecks(line.RussianTax) + ", зачтено " + FormatSumKopecks(line.Credit) + ", к уплате " +
              FormatSumKopecks(line.Due) + ", страна " + line.Income.CountryCode;
      if (line.AlreadyPresent) what += " — уже есть в декларации";
      break;
    default:
      what += " — " + line.Problem;
      break;
  }
  return what + " [" + StatementLinePlace(d) + "]";
}

}  // namespace talver
