#pragma once
// What the statement readers share: splitting CSV text, reading the dates and amounts brokers
// write, ISINs, and the pairing of a broker's cash lines into dividends with their tax.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "import/Statement.h"

namespace talver::statement {

// "file: строка 5: what" (UTF-8); `place` is "строка 5" or "CashTransaction 5".
[[noreturn]] void Fail(const std::string& source, const std::string& place, const std::string& what);
std::string LinePlace(std::size_t line);

// Text from outside as UTF-8: kept when it is UTF-8, read as windows-1251 otherwise (a
// spreadsheet saved on a Russian system).
std::string TextAsUtf8(std::string_view text);
// Without a UTF-8 byte order mark.
std::string_view WithoutBom(std::string_view text);

struct TCsvRecord {
  std::size_t Line = 0;  // where the record starts, from 1
  std::vector<std::string> Fields;
};

// Records separated by line ends, fields by `separator`; a field in double quotes may hold the
// separator, line ends and "" for a quote. Blank lines are skipped; a quote left open throws.
std::vector<TCsvRecord> SplitCsv(std::string_view text, char separator, const std::string& source);
// The same, each record handed over as it ends (and gone after): a long statement is never held
// twice.
void ForEachCsvRecord(std::string_view text, char separator, const std::string& source,
                      const std::function<void(const TCsvRecord&)>& each);
// The fields of the first line, unquoted, for telling the formats apart.
std::vector<std::string> FirstCsvFields(std::string_view text, char separator);

// The first line is the header of our own plain statement; `separator` is then its separator.
bool IsPlainStatementHeader(std::string_view bytes, char& separator);

// Dates as statements write them: 2016-03-08, 20160308, 08.03.2016, each perhaps followed by a
// time after ";", " " or "T". None for anything else.
std::optional<TDate> ReadStatementDate(std::string_view text);
// An amount: optional sign, digits, a decimal separator (`decimal`, or "." when it is 0 and the
// text has one), grouping blanks and the other separator between thousands. None otherwise.
std::optional<Currency> ReadStatementAmount(std::string_view text, char decimal);

// Two letters, nine letters or digits, and the check digit that makes them an ISIN.
bool IsIsin(std::string_view text);
// "JNJ(US4781601046) Cash Dividend ...": the symbol before the parenthesis and the ISIN in it
// (empty when what stands there is not an ISIN).
void SymbolAndIsin(std::string_view description, std::string& symbol, std::string& isin);

// One cash line of a broker's statement.
struct TCashLine {
  enum class Kind { Dividend, Tax };
  Kind Type = Kind::Dividend;
  std::string Symbol;
  std::string Isin;
  std::string Currency;     // ISO 4217 letters
  TDate Date = 0;
  talver::Currency Amount;  // signed as written: a reversal or a withheld tax is negative
  std::string Description;  // UTF-8
  std::size_t Line = 0;
};

// What the statement says of an instrument elsewhere than on its cash lines.
struct TInstrument {
  std::string Symbol;
  std::string Isin;
  std::string Name;     // UTF-8
  std::string Country;  // ISO letters the broker gives, if any
};

// Dividends by instrument, day and currency; within them, a dividend and its tax by the text
// their descriptions share ("JNJ(US4781601046) Cash Dividend 0.8 USD per Share"), reversals and
// refunds summed into what they cancel. What cannot be paired keeps its reason.
std::vector<TStatementDividend> PairCashLines(const std::vector<TCashLine>& lines,
                                              const std::vector<TInstrument>& instruments, const std::string& source);

}  // namespace talver::statement
