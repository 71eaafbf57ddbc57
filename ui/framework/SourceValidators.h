#pragma once
// The two validators every payment source dialog calls before it closes: the general one for
// sources that may be organisations or natural persons, the strict one for sources that must be
// organisations. Each shows its errors one at a time in the one-error dialog ("Проверка: " +
// title, never "Пропустить все") and returns 0 when the dialog may close, else the field to fix.
// Texts are windows-1251, as the model keeps them; they are trimmed before their length counts.
#include <string_view>

#include "ui/framework/Seams.h"

namespace talver {

enum TSourceField : int {
  kSourceValid = 0,
  kSourceName = 1,
  kSourceInn = 2,
  kSourceKpp = 3,
  kSourceOktmo = 4,
};

int ValidateSourceGeneral(IUiPresenter& presenter, std::string_view title, std::string_view name,
                          bool oktmoSkipAllowed, std::string_view oktmo, std::string_view kpp, std::string_view inn);
int ValidateSourceStrict(IUiPresenter& presenter, std::string_view title, std::string_view name,
                         std::string_view oktmo, std::string_view kpp, std::string_view inn);

}  // namespace talver
