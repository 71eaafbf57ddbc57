// Interactive Brokers' activity statement in CSV: every record begins with its section's name
// and its kind ("Header", "Data", "Total", "SubTotal", "Notes"); a Header record names the
// columns of the Data records of its section that follow it. Only three sections matter here:
// "Dividends" (Currency, Date, Description, Amount), "Withholding Tax" (the same and Code) and
// "Financial Instrument Information" (Symbol, Description, Security ID), read by column name.
#include <algorithm>
#include <initializer_list>
#include <map>

#include "import/StatementParts.h"
#include "platform/Text1251.h"

namespace talver {

using namespace statement;

namespace {

struct TColumns {
  std::map<std::string, std::size_t> Index;
  std::size_t HeaderLine = 0;
};

class TActivityReader {
 public:
  TActivityReader(const std::string& source, char separator) : source_(source), separator_(separator) {}

  void Record(const TCsvRecord& r) {
    const std::string section = Trim(r.Fields[0]);
    const std::string kind = Trim(r.Fields[1]);
    if (kind == "Header") {
      TColumns& columns = columns_[section];
      columns = TColumns{{}, r.Line};
      for (std::size_t i = 2; i < r.Fields.size(); ++i) columns.Index.emplace(Trim(r.Fields[i]), i);
      return;
    }
    if (kind != "Data") return;  // totals, notes, meta information
    if (section == "Dividends") {
      Cash(r, TCashLine::Kind::Dividend);
    } else if (section == "Withholding Tax") {
      Cash(r, TCashLine::Kind::Tax);
    } else if (section == "Financial Instrument Information") {
      Instrument(r);
    }
  }

  std::vector<TCashLine> Lines;
  std::vector<TInstrument> Instruments;

 private:
  const TColumns& ColumnsOf(const TCsvRecord& r) const {
    const std::string section = Trim(r.Fields[0]);
    const auto found = columns_.find(section);
    if (found == columns_.end()) {
      Fail(source_, LinePlace(r.Line), "строка данных раздела «" + section + "» прежде его заголовка (Header)");
    }
    return found->second;
  }

  std::string Field(const TCsvRecord& r, const TColumns& columns, const char* name, bool required = true) const {
    const auto column = columns.Index.find(name);
    if (column == columns.Index.end()) {
      if (!required) return {};
      Fail(source_, LinePlace(columns.HeaderLine),
           "в заголовке раздела «" + Trim(r.Fields[0]) + "» нет столбца «" + name + "»");
    }
    if (column->second >= r.Fields.size()) {
      if (!required) return {};
      Fail(source_, LinePlace(r.Line),
           "ожидалось не меньше " + std::to_string(column->second + 1) + " полей (столбец «" + name + "»), есть " +
               std::to_string(r.Fields.size()) + " (строка обрезана?)");
    }
    return Trim(r.Fields[column->second]);
  }

  void RequireAll(const TCsvRecord& r, const TColumns& columns, std::initializer_list<const char*> names) const {
    std::size_t needed = 0;
    const char* first = nullptr;
    for (const char* name : names) {
      const auto column = columns.Index.find(name);
      if (column == columns.Index.end()) {
        Field(r, columns, name);  // says which column the header lacks
        continue;
      }
      needed = std::max(needed, column->second + 1);
      if (column->second >= r.Fields.size() && (first == nullptr || column->second < columns.Index.at(first))) {
        first = name;
      }
    }
    if (first == nullptr) return;
    Fail(source_, LinePlace(r.Line),
         "ожидалось не меньше " + std::to_string(needed) + " полей (столбец «" + first + "»), есть " +
             std::to_string(r.Fields.size()) + " (строка обрезана?)");
  }

  void Cash(const TCsvRecord& r, TCashLine::Kind kind) {
    const TColumns& columns = ColumnsOf(r);
    const std::string currency = Field(r, columns, "Currency");
    // Each currency's total, and the total of all in the base currency.
    if (currency.rfind("Total", 0) == 0) return;
    // A line cut short says how many fields it needed, not only the first one it lacks.
    RequireAll(r, columns, {"Date", "Description", "Amount"});
    const std::string date = Field(r, columns, "Date");
    const std::string description = Field(r, columns, "Description");
    const std::string amount = Field(r, columns, "Amount");
    TCashLine line;
    line.Type = kind;
    line.Line = r.Line;
    line.Currency = currency;
    const std::optional<TDate> day = ReadStatementDate(date);
    if (!day) Fail(source_, LinePlace(r.Line), "ожидалась дата вида 2016-03-08, а не «" + TextAsUtf8(date) + "»");
    line.Date = *day;
    line.Description = TextAsUtf8(description);
    const std::optional<Currency> value = ReadStatementAmount(amount, separator_ == ',' ? '.' : 0);
    if (!value) Fail(source_, LinePlace(r.Line), "ожидалась сумма числом, а не «" + TextAsUtf8(amount) + "»");
    line.Amount = *value;
    if (currency.size() != 3) {
      Fail(source_, LinePlace(r.Line), "ожидался код валюты из трех букв, а не «" + TextAsUtf8(currency) + "»");
    }
    SymbolAndIsin(line.Description, line.Symbol, line.Isin);
    Lines.push_back(std::move(line));
  }

  void Instrument(const TCsvRecord& r) {
    const TColumns& columns = ColumnsOf(r);
    const std::string id = Field(r, columns, "Security ID", false);
    const std::string name = TextAsUtf8(Field(r, columns, "Description", false));
    // One instrument may carry several symbols ("RDS A, RDS.A").
    std::string symbols = Field(r, columns, "Symbol", false);
    std::size_t from = 0;
    do {
      const std::size_t comma = symbols.find(',', from);
      const std::string symbol = Trim(symbols.substr(from, comma == std::string::npos ? comma : comma - from));
      Instruments.push_back({symbol, IsIsin(id) ? id : std::string(), name, {}});
      from = comma == std::string::npos ? comma : comma + 1;
    } while (from != std::string::npos);
  }

  const std::string& source_;
  char separator_;
  std::map<std::string, TColumns> columns_;
};

}  // namespace

TStatement ReadIbkrActivityCsv(std::string_view bytes, const std::string& source) {
  // A statement saved again by a spreadsheet may come with ";" and decimal commas.
  const char separator = FirstCsvFields(bytes, ';').size() > FirstCsvFields(bytes, ',').size() ? ';' : ',';
  TActivityReader reader(source, separator);
  bool any = false;
  ForEachCsvRecord(bytes, separator, source, [&](const TCsvRecord& r) {
    any = true;
    if (r.Fields.size() < 2) {
      Fail(source, LinePlace(r.Line), "ожидалась строка вида «раздел,Header|Data,…» отчета о деятельности");
    }
    reader.Record(r);
  });
  if (!any) Fail(source, LinePlace(1), "файл пуст");
  TStatement statement;
  statement.Format = TStatementFormat::IbkrActivityCsv;
  statement.Source = source;
  statement.Dividends = PairCashLines(reader.Lines, reader.Instruments, source);
  return statement;
}

}  // namespace talver
