#pragma once
// The whole-return check: runs the rules over the document in their fixed order and stops at
// the first error, which the presenter shows; the answer decides whether the user is sent to
// the page and field of the error or the command that started the check is cancelled.
#include <cstdint>

#include "model/DeclClasses.h"
#include "platform/Presenter.h"

namespace talver {

struct CheckResult {
  enum class Outcome { Passed, Fix, Cancelled };
  Outcome Result = Outcome::Passed;
  int Page = 0;  // the navigation target of a Fix
  int Item = 0;  // the field of that page, or the 1-based position in its list

  // The packed form the main window reads: 0 passed, high word 0xFFFF cancelled, else
  // item in the high word and page in the low word.
  std::uint32_t Packed() const;
};

CheckResult CheckDeclaration(mTDeclaration& declaration, IPresenter& presenter);

}  // namespace talver
