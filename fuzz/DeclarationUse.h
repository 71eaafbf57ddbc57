#pragma once
// What the declaration harnesses do with a declaration that loaded: it must save again, to
// exactly its computed size, load back to the same bytes, and bear what the program does with a
// return: the computation, the checks and the export. A fault aborts.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "check/CheckClasses.h"
#include "compute/SvodSum.h"
#include "export/ExportDriver.h"
#include "model/DeclClasses.h"
#include "platform/Errors.h"

namespace talver::fuzz {

// Answers every error as a user hurrying through would: skip on the pages, cancel on the return.
class SkippingPresenter final : public talver::IPresenter {
 public:
  talver::CheckAnswer ShowCheckError(talver::CheckDialog dialog, std::string_view, std::string_view,
                                     bool skipEnabled) override {
    if (dialog == talver::CheckDialog::WholeReturn) return talver::CheckAnswer::Cancel;
    return skipEnabled ? talver::CheckAnswer::Skip : talver::CheckAnswer::Fix;
  }
  void ShowMessage(std::string_view, std::string_view, talver::MessageIcon) override {}
};

inline void ComputeCheckAndExport(talver::mTDeclaration& declaration) {
  SkippingPresenter presenter;
  talver::kTSvodSum summary;
  try {
    summary.Compute(declaration);
  } catch (const std::exception&) {
    // The export and the check have their own answer to a failing computation.
  }
  talver::CheckConditionsPage(declaration, presenter);
  talver::CheckPersonalDataPage(declaration, presenter);
  talver::CheckAddressPage(declaration, presenter);
  talver::CheckSources13Page(declaration, presenter);
  talver::CheckForeignPage(declaration, presenter);
  talver::CheckBusinessPage(declaration, presenter);
  talver::CheckSocialPage(declaration, presenter);
  talver::CheckDeclaration(declaration, presenter);
  const talver::ExportEnvironment environment{[] { return talver::TDate(42736); },
                                              [] { return std::string("0123ABCD-4567-89EF-0123-456789ABCDEF"); }};
  const std::string text = talver::ExportDeclaration({}, declaration, talver::kExportToText, presenter, environment);
  if (text.empty()) std::abort();
}

// Runs `load`; false when it refused its bytes the way a damaged file is refused.
template <class Load>
bool Loads(Load&& load) {
  try {
    load();
  } catch (const talver::mEPrivBase&) {
    return false;
  } catch (const talver::EConvertError&) {
    return false;
  }
  return true;
}

inline void UseLoaded(talver::mTDeclaration& declaration) {
  try {
    const std::string saved = declaration.SaveToBytes();
    if (saved.size() != declaration.StoredSize()) std::abort();
    talver::mTDeclaration again;
    again.LoadFromBytes(saved.data(), saved.size());
    if (again.SaveToBytes() != saved) std::abort();
  } catch (const talver::mEPrivBase&) {
    // A loaded value too long to be written again is refused by the save.
  }
  ComputeCheckAndExport(declaration);
}

}  // namespace talver::fuzz
