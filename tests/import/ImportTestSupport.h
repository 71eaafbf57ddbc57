#pragma once
// What the import tests share: a taxpayer that makes a return pass the check, and a return
// exported, read back and exported again with the date and GUID the file itself carries.
#include <memory>
#include <string>

#include "check/CheckClasses.h"
#include "import/ReturnXml.h"
#include "tests/export/ExportTestSupport.h"

namespace talver::testing {

// Gives a return without them the taxpayer data the check asks for; figures are left alone.
inline void CompleteTaxpayer(mTDeclaration& d) {
  mTPersonInformation& p = d.Person;
  if (d.InspectionCode.empty()) d.InspectionCode = "5001";
  if (p.Name.Surname.empty()) p.Name.Surname = Utf8ToCp1251("Петрова");
  if (p.Name.FirstName.empty()) p.Name.FirstName = Utf8ToCp1251("Анна");
  if (p.Name.Inn.empty()) p.Name.Inn = "500100732259";
  if (p.Address.RegionCode == 0) p.Address.RegionCode = 50;
  if (p.Address.Street.empty()) p.Address.Street = Utf8ToCp1251("Ленина ул");
  if (p.Address.Oktmo.empty()) p.Address.Oktmo = "46704000";
}

// Passes the check without a person answering.
class SilentPresenter : public IPresenter {
 public:
  CheckAnswer ShowCheckError(CheckDialog, std::string_view, std::string_view message, bool) override {
    Error = std::string(message);
    return CheckAnswer::Cancel;
  }
  void ShowMessage(std::string_view text, std::string_view, MessageIcon) override { Error = std::string(text); }
  std::string Error;
};

inline bool PassesCheck(mTDeclaration& d) {
  SilentPresenter presenter;
  return CheckDeclaration(d, presenter).Result == CheckResult::Outcome::Passed;
}

inline ExportEnvironment EnvironmentOf(const TReturnXmlImport& imported) {
  ExportEnvironment environment;
  const TDate date = imported.FileDate;
  const std::string guid = imported.FileGuid;
  environment.Today = [date] { return date; };
  environment.NewGuid = [guid] { return guid; };
  return environment;
}

// The text of a declaration exported in the environment.
inline std::string ExportWith(mTDeclaration& d, const ExportEnvironment& environment) {
  RecordingPresenter presenter;
  return ExportDeclaration({}, d, kExportToText, presenter, environment);
}

struct RoundTrip {
  std::string First;   // the export of the return
  std::string Second;  // the export of what the import made of it
  TReturnXmlImport Imported;
};

inline RoundTrip ExportImportExport(mTDeclaration& d, const TIncomeDictionary* dictionary = nullptr) {
  RoundTrip trip;
  trip.First = ExportText(d);
  trip.Imported = ImportReturnXml(trip.First, dictionary);
  trip.Second = ExportWith(*trip.Imported.Declaration, EnvironmentOf(trip.Imported));
  return trip;
}

// Where two documents first differ: the path of the first element whose own text differs.
std::string FirstDifference(const std::string& first, const std::string& second);

}  // namespace talver::testing
