// Feeds arbitrary bytes to one reader of broker statements (TALVER_STATEMENT_READER: 0 the
// activity statement CSV, 1 the Flex XML, 2 our plain CSV). A reader either gives a statement or
// refuses the bytes with EStatement; what it gives must bear the pairing's results, the
// preparation of the foreign incomes against the shipped rates and countries, and their adding
// to a declaration, twice.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "dictionaries/Countries.h"
#include "dictionaries/CurrencyRates.h"
#include "dictionaries/IncomeDictionary.h"
#include "import/Statement.h"
#include "model/DeclClasses.h"

namespace {

using namespace talver;

struct Shipped {
  TCurrencyRates Rates = TCurrencyRates::LoadFile(std::filesystem::path(TALVER_RESOURCE_FILES) / "CurrencyRates.xml");
  TCountryDirectory Countries = TCountryDirectory::LoadFile(std::filesystem::path(TALVER_RESOURCE_FILES) / "Oksm.xml");
  TIncomeDictionary Dictionary = TIncomeDictionary::LoadBuiltIn();
};

TStatement Read(std::string_view bytes) {
  switch (TALVER_STATEMENT_READER) {
    case 0:
      return ReadIbkrActivityCsv(bytes, "fuzz");
    case 1:
      return ReadIbkrFlexXml(bytes, "fuzz");
    default:
      return ReadPlainStatementCsv(bytes, "fuzz");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const Shipped shipped;
  TStatement statement;
  try {
    statement = Read(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const EStatement&) {
    return 0;
  }
  const TStatementContext context{&shipped.Rates, &shipped.Countries, &shipped.Dictionary, {}};
  mTDeclaration declaration;
  const TStatementImport first = PrepareStatementImport({statement}, declaration, context);
  for (const TStatementLine& line : first.Lines) (void)StatementLineSummary(line);
  const std::size_t added = ApplyStatementImport(first, declaration);
  // Once added, the same statement adds nothing more.
  const TStatementImport again = PrepareStatementImport({statement}, declaration, context);
  if (ApplyStatementImport(again, declaration) != 0 || declaration.CurrencyIncomes.Count() != added) std::abort();
  (void)declaration.SaveToBytes();
  return 0;
}
