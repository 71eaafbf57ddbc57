#pragma once
// Dividends from a broker's statement made into foreign incomes.
//
// Three readers, each of bytes nobody vouches for: Interactive Brokers' activity statement in
// CSV (its "Dividends", "Withholding Tax" and "Financial Instrument Information" sections), its
// Flex query XML (CashTransaction rows), and a plain CSV of our own for any other broker
// (date;isin;name;country;currency;amount;tax;tax_date). A file that none of them knows, or that
// is damaged, is refused whole with an EStatement saying where and what was expected.
//
// The broker's lines are then paired: a dividend with the tax withheld on it by instrument and
// payment date, a reversal against the dividend it reverses, a tax against its refund. What
// cannot be paired is reported, never guessed. Each dividend then becomes one foreign income of
// code 1010, with its issuer's country (from the ISIN, with exceptions the user may override)
// and the Central Bank's rates of the shipped rates file; the preview figures (roubles, the
// Russian tax, the foreign tax credited) are those of the sheet of foreign incomes.
#include <cstddef>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "model/ForeignBusinessClasses.h"
#include "platform/Currency.h"
#include "platform/Dates.h"

namespace talver {

class mTDeclaration;
class TCountryDirectory;
class TCurrencyRates;
class TIncomeDictionary;

// A statement that cannot be read: the message (UTF-8) names the file, the line and what was
// expected there.
class EStatement : public std::runtime_error {
 public:
  explicit EStatement(const std::string& message) : std::runtime_error(message) {}
};

enum class TStatementFormat { IbkrActivityCsv, IbkrFlexXml, PlainCsv };

// A dividend with the tax withheld on it, as the statement gives them: what one foreign income
// is made from. A line that could not be paired keeps what was read and says why in Problem.
struct TStatementDividend {
  std::string Source;               // the statement's file name (UTF-8)
  std::vector<std::size_t> Lines;   // the statement's lines (for XML: the CashTransaction's number)
  std::string Symbol;               // ASCII, as the statement writes it
  std::string Isin;                 // empty when the statement gives none
  std::string Name;                 // the issuer's name (UTF-8); empty when the statement gives none
  std::string Country;              // the statement's own word (ОКСМ digits or ISO letters); empty: none
  std::string Currency;             // ISO 4217 letters, or the three digits
  TDate Date = 0;                   // the payment date
  TDate TaxDate = 0;                // the day the tax was withheld
  talver::Currency Amount;          // the dividend, net of its reversals
  talver::Currency Tax;             // the tax withheld, net of its refunds (positive)
  std::string Description;          // UTF-8
  std::string Problem;              // why it cannot be taken as it stands (UTF-8); empty: paired
  bool Cancelled = false;           // reversed whole: nothing is left to declare
  bool Records = false;             // Lines count CashTransaction elements, not lines of text
};

struct TStatement {
  TStatementFormat Format = TStatementFormat::PlainCsv;
  std::string Source;
  std::vector<TStatementDividend> Dividends;  // in the order of the statement
};

// Bounds of a statement: far above a year of any real account.
inline constexpr std::size_t kStatementMaxBytes = 64u * 1024u * 1024u;
inline constexpr int kStatementMaxDepth = 16;

// The format by its first line (or the XML root); throws EStatement for none of ours.
TStatement ReadStatement(std::string_view bytes, const std::string& source);
// A regular file of at most kStatementMaxBytes; throws EStatement.
TStatement ReadStatementFile(const std::filesystem::path& path);

// Each reader alone; throws EStatement.
TStatement ReadIbkrActivityCsv(std::string_view bytes, const std::string& source);
TStatement ReadIbkrFlexXml(std::string_view bytes, const std::string& source);
TStatement ReadPlainStatementCsv(std::string_view bytes, const std::string& source);

// What the program needs besides the statements. Any pointer may be null: the lines that need
// it are then errors.
struct TStatementContext {
  const TCurrencyRates* Rates = nullptr;
  const TCountryDirectory* Countries = nullptr;
  const TIncomeDictionary* Dictionary = nullptr;
  // The user's word on an issuer's country: ISIN (or, without one, the symbol) → ОКСМ code.
  std::map<std::string, std::string> CountryOverrides;
};

struct TStatementLine {
  enum class Status {
    Taken,      // becomes a foreign income
    OtherYear,  // paid in another year: listed, never taken
    Cancelled,  // reversed whole
    Error,      // unpaired, without a rate, without a country: cannot be taken
  };
  Status State = Status::Error;
  TStatementDividend Dividend;
  std::string Problem;          // why it is not taken (UTF-8)
  std::string CountryOrigin;    // where the country came from (UTF-8), for the preview
  bool AlreadyPresent = false;  // the declaration (or an earlier line) already has this income
  mTCurrencyIncome Income;      // when taken
  talver::Currency RussianTax;  // 13 % of the roubles, to the kopeck
  talver::Currency Credit;      // the foreign tax credited against it
  talver::Currency Due;         // what is left to pay in Russia
};

struct TStatementImport {
  std::vector<TStatementLine> Lines;  // statement by statement, in their order
  // Over the lines to be added (Taken and not AlreadyPresent).
  talver::Currency Roubles, RussianTax, Credit, Due;

  // Some line could not be taken.
  bool HasErrors() const;
  // The lines that would be added by default: taken and not already present.
  std::vector<bool> DefaultChoice() const;
};

// Where an issuer's country comes from by its ISIN: the table of exceptions first, then the
// ISIN's first two letters as ISO 3166 letters of the country directory. Empty when neither
// says; `origin` (UTF-8) tells which.
std::string IssuerCountryByIsin(std::string_view isin, const TCountryDirectory* countries, std::string* origin = nullptr);

// The lines of the statements as foreign incomes, with the preview figures; `into` is only
// read, to find the incomes it already has.
TStatementImport PrepareStatementImport(const std::vector<TStatement>& statements, const mTDeclaration& into,
                                        const TStatementContext& context);

// Appends the chosen lines (by default DefaultChoice) to the declaration's foreign incomes and
// turns their section on; returns how many were added. Only taken lines are ever added.
std::size_t ApplyStatementImport(const TStatementImport& import, mTDeclaration& declaration,
                                 const std::vector<bool>* chosen = nullptr);

// The most foreign incomes a declaration file holds (its lists keep a 16-bit count).
inline constexpr std::size_t kMaxForeignIncomes = 65535;

// Texts for people (UTF-8): a line's place and what it is, and the status of a line.
std::string StatementLinePlace(const TStatementDividend& dividend);
std::string StatementLineSummary(const TStatementLine& line);

}  // namespace talver
