#pragma once
// Checks of the return. The whole-return check runs before every export, preview and print and
// on "Проверить": its rules run in a fixed order and it stops at the first error, which the
// presenter shows; "Исправить" sends the user to the page and field, "Отмена" cancels the
// command. The page checks run when the user leaves a page: each checks only that page's data
// and lets the user fix, skip one error or skip the rest. Neither changes the document beyond
// what the computation writes back.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/DeclClasses.h"
#include "platform/Presenter.h"

namespace talver {

// Navigation targets of the errors.
enum CheckPage : int {
  kPageConditions = 1,
  kPagePersonalData = 2,
  kPageAddress = 3,
  kPageSources13 = 4,
  kPageSources30 = 5,
  kPageSources35 = 6,
  kPageForeign = 7,
  kPageBusiness = 8,
  kPageStandard = 9,
  kPageSocial = 10,
  kPageProperty = 11,
  kPageInvestTov = 12,
};

struct CheckResult {
  enum class Outcome { Passed, Fix, Cancelled };
  Outcome Result = Outcome::Passed;
  int Page = 0;  // the navigation target of a Fix
  int Item = 0;  // the field of that page, or the 1-based position in its list

  // The packed form the main window reads: 0 passed, high word 0xFFFF cancelled, else
  // item in the high word and page in the low word.
  std::uint32_t Packed() const;
};

// The whole-return check.
CheckResult CheckDeclaration(mTDeclaration& declaration, IPresenter& presenter);

// Page checks: the item to focus after "Исправить", or 0 to let the user leave the page.
int CheckConditionsPage(const mTDeclaration& declaration, IPresenter& presenter);
int CheckPersonalDataPage(const mTDeclaration& declaration, IPresenter& presenter);
int CheckAddressPage(const mTDeclaration& declaration, IPresenter& presenter);
int CheckSources13Page(const mTDeclaration& declaration, IPresenter& presenter);
int CheckForeignPage(const mTDeclaration& declaration, IPresenter& presenter);
int CheckBusinessPage(const mTDeclaration& declaration, IPresenter& presenter);
int CheckSocialPage(const mTDeclaration& declaration, IPresenter& presenter);

// The inspection code of the conditions page: what is wrong with it ("Не введен номер
// инспекции" when empty), or none. A code is four digits, the first two a region code of the
// region table; the code goes into the export's file name and identifier.
std::optional<std::string> InspectionCodeError(std::string_view code);

// INN validation: 0 valid, 1 empty, 2 neither 10 nor 12 digits (either length expected),
// 3 not 10 digits, 4 not 12 digits, 5 all zeros or wrong check digits.
enum class InnKind { Either, Ten, Twelve };
int ValidateInn(std::string_view inn, InnKind kind);
// KPP validation: 0 valid, 1 empty, 2 not 9 characters, 3 "000000000".
int ValidateKpp(std::string_view kpp);

// The group titles of the checks.
namespace CheckTitles {
inline constexpr std::string_view Conditions = "Задание условий";
inline constexpr std::string_view Taxpayer = "Сведения о декларанте";
inline constexpr std::string_view Sources13 = "Доходы, облагаемые ставкой 13%";
inline constexpr std::string_view Foreign = "Доходы в валюте";
inline constexpr std::string_view Business = "Доходы от предпринимательской деятельности";
inline constexpr std::string_view Social = "Социальные вычеты";
inline constexpr std::string_view Standard = "Стандартные вычеты";
}  // namespace CheckTitles

}  // namespace talver
