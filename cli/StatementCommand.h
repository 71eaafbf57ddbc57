#pragma once
// talver-cli statement FILE.tv6 STATEMENT... -o OUT.tv6: dividends of broker statements added to
// a declaration's foreign incomes, as the window's preview adds them.
#include <string>
#include <vector>

namespace talver {

struct TStatementCommand {
  std::string Declaration;
  std::vector<std::string> Statements;
  std::string Output;
  bool Partial = false;                // write what could be taken even when some line could not
  std::vector<std::string> Countries;  // "ISIN=country": the user's word on an issuer's country
};

// Prints every line with what became of it, and the totals. 0 when every line of the year was
// taken (or was already there); 1 when some line could not be taken, and then nothing is written
// unless Partial; 2 when a file cannot be read or the result cannot be written (the reason on
// standard error); 64 for a malformed --country.
int RunStatement(const TStatementCommand& command);

}  // namespace talver
