#pragma once
// Worked returns: realistic declarations, each with the expected value of every section 1 line
// and section 2 attribute worked out by hand from the rules (see the comments in
// Scenarios.cpp), and a few sheet values. The computation tests check them line by line; the
// export tests write each scenario and read the values back from the XML.
#include <memory>
#include <string>
#include <vector>

#include "model/DeclClasses.h"
#include "platform/Currency.h"

namespace talver::testing {

// One `СумНалПу` line, in the order section 1 lists them.
struct ExpectedLine {
  std::string КБК;
  std::string ОКТМО;
  std::string ПрУплВозв;
  Currency Сумма;
};

// One section 2 component (`НалБаза`): its rate text, the `ВидДоход` the export writes for it,
// and its non-zero values by XML attribute name ("ОбщАвУплЗач227.1" with its dot). Every value
// not listed is zero, and every component not listed has only zero values.
struct ExpectedSection2 {
  std::string Component;  // "List1", "ListKIK", "ListDiv", "List2", "List3", "List4", "List5"
  std::string Ставка;
  std::string ВидДоход;
  std::vector<std::pair<std::string, Currency>> Values;
};

// A value of a sheet component, as its VisitValues names it ("" for the element of the
// component's own attributes); the count КолМесНеПрев is given as that many roubles.
struct ExpectedValue {
  std::string Component;
  std::string Element;
  std::string Attribute;
  Currency Amount;
};

struct Scenario {
  std::string Name;    // an identifier: letters and digits
  std::string Covers;  // what the return shows
  std::unique_ptr<mTDeclaration> (*Build)();
  bool Result;  // what kTSvodSum::Compute returns
  std::vector<ExpectedLine> Section1;
  std::vector<ExpectedSection2> Section2;
  std::vector<ExpectedValue> Sheets;
};

const std::vector<Scenario>& Scenarios();

}  // namespace talver::testing
