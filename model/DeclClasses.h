#pragma once
// The declaration: everything entered for one return. It owns the taxpayer, the income
// sources of each section, the payments and the deduction objects, and it is the only object
// that opens a declaration file.
#include <cstdint>
#include <filesystem>
#include <string>

#include "model/DeductionClasses.h"
#include "model/ForeignBusinessClasses.h"
#include "model/ModelCommon.h"
#include "model/ModelList.h"
#include "model/PersonClasses.h"
#include "model/StavClasses.h"
#include "platform/Currency.h"
#include "platform/Dates.h"

namespace talver {

// Bits of mTDeclaration::Sections.
enum SectionBits : std::uint8_t {
  kSectionRussian = 1,     // incomes from sources in the Russian Federation
  kSectionForeign = 2,     // incomes in foreign currency
  kSectionBusiness = 4,    // business and private practice
  kSectionLegacy = 8,      // kept in files, offered by no page
  kSectionInvestTov = 16,  // investment partnerships
};

// Values of mTDeclaration::DeclarationForm.
enum DeclarationForms : std::uint8_t {
  kForm3Resident = 0,
  kForm3NonResident = 1,
  kForm4 = 2,
};

inline constexpr std::string_view kStorageName = "Talver2016";

class mTDeclaration {
 public:
  mTDeclaration();

  // Creates the lists of the sections switched on and destroys the data of those switched off.
  void SetSections(std::uint8_t wanted);
  // Writes the whole file; a failure leaves an existing file as it was.
  void SaveToFile(const std::filesystem::path& path);
  // Reads a file into a freshly constructed declaration. A file of another tax year gives up
  // its taxpayer only.
  void LoadFromFile(const std::filesystem::path& path);
  // The same from bytes held in memory.
  void LoadFromBytes(const char* data, std::size_t size);
  // The bytes SaveToFile writes.
  std::string SaveToBytes();
  // Exact size of the file SaveToFile writes.
  std::uint32_t StoredSize() const;

  void SetFarmMonthsWorked(std::int32_t n) { FarmMonthsWorked = n; }
  // Ignored while the conditions of a new document have not yet been stored.
  void SetAppendixCount(std::int32_t n) {
    if (ConditionsPending == 0) AppendixCount = n;
  }

  bool HasSection(std::uint8_t bit) const { return (Sections & bit) != 0; }
  // Only section bit 8 has this list, and nothing ever fills it.
  std::size_t LegacyListCount() const { return 0; }

  std::string InspectionCode;
  std::string InspectionName;
  std::uint8_t LegacyByte = 0;
  std::int32_t CorrectionNumber = 0;
  TDate SignDate;
  std::uint8_t SignerKind = 0;  // 0 in person, 1 representative (person), 2 representative (organisation)
  std::uint8_t TaxpayerCategory = 5;
  std::uint8_t DeclarationForm = kForm3Resident;
  std::uint8_t Sections = 0;
  std::uint8_t ConditionsPending = 0;
  std::int32_t AppendixCount = 0;
  std::int32_t ForeignSheetCount = 0;
  std::int32_t LegacyInt1 = 0;
  std::int32_t FarmMonthsWorked = 0;
  std::int32_t LegacyInt2 = 0;
  std::int32_t LegacyInt3 = 0;
  std::int32_t LegacyInt4 = 0;
  std::int32_t LegacyInt5 = 0;
  std::int32_t InfoFormat = 1;
  std::int32_t LegacyInt6 = 0;
  Currency AdvancePaymentsPaid;
  Currency AdvancePaymentsAccrued;
  Currency ExpectedIncome;
  Currency LegacyBusinessAmount;
  std::string RepresentativeDocument;
  TDate FarmRegistrationDate = kDate01012000;
  Currency FarmExemptIncome;
  std::uint8_t IsPeasantFarm = 0;
  std::string RepresentativeName;
  std::string RepresentativeOrganization;
  Currency ForeignerFixedPayments;
  Currency AdjustedIncome;
  Currency AdjustedExpense;
  Currency PatentPayments;
  Currency TradeFee;
  Currency InvestmentDeduction;
  Currency InvestmentDeductionReturn;

  mTList<mTThirteenPercent> Sources13;
  mTList<mTThirteenPercent> Sources13NR;
  mTList<mTThirtyFivePercent> Sources35;
  mTList<mTThirtyPercent> SourcesDividends;
  mTList<mTThirtyPercent> Sources9;
  mTList<mTCurrencyIncome> CurrencyIncomes;
  mTList<mTBusinessNew> Businesses;
  mTList<mTNalog> Payments;
  mTList<mTInvestTov> InvestSources;

  mTPersonInformation Person;
  mTStandartDeduct StandardDeduct;
  mTSocialDeduct SocialDeduct;
  mTConstructionDeduct PropertyDeduct;
  mTCBDeduct SecuritiesLosses;
  mTCBDeduct IisLosses;

  // Every field that a file keeps, in the order of the file. Sections comes first, so that a
  // visitor filling a new declaration switches the sections on before it fills their lists.
  template <class V>
  void VisitFields(V& v) {
    v.Sections("Sections", *this);
    v.Field("InspectionCode", InspectionCode);
    v.Field("InspectionName", InspectionName);
    v.Field("LegacyByte", LegacyByte);
    v.Field("CorrectionNumber", CorrectionNumber);
    v.Date("SignDate", SignDate);
    v.Field("SignerKind", SignerKind);
    v.Field("TaxpayerCategory", TaxpayerCategory);
    v.Field("DeclarationForm", DeclarationForm);
    v.Field("ConditionsPending", ConditionsPending);
    v.Field("AppendixCount", AppendixCount);
    v.Field("ForeignSheetCount", ForeignSheetCount);
    v.Field("LegacyInt1", LegacyInt1);
    v.Field("FarmMonthsWorked", FarmMonthsWorked);
    v.Field("LegacyInt2", LegacyInt2);
    v.Field("LegacyInt3", LegacyInt3);
    v.Field("LegacyInt4", LegacyInt4);
    v.Field("LegacyInt5", LegacyInt5);
    v.Field("LegacyInt6", LegacyInt6);
    v.Field("RepresentativeDocument", RepresentativeDocument);
    v.Field("ExpectedIncome", ExpectedIncome);
    v.Field("RepresentativeName", RepresentativeName);
    v.Field("RepresentativeOrganization", RepresentativeOrganization);
    v.Field("ForeignerFixedPayments", ForeignerFixedPayments);
    v.Field("InvestmentDeduction", InvestmentDeduction);
    v.Field("InvestmentDeductionReturn", InvestmentDeductionReturn);
    v.Object("Person", Person);
    v.List("Sources13", Sources13);
    v.List("Sources13NR", Sources13NR);
    v.List("Sources35", Sources35);
    v.List("SourcesDividends", SourcesDividends);
    v.List("Sources9", Sources9);
    v.List("CurrencyIncomes", CurrencyIncomes);
    v.List("InvestSources", InvestSources);
    v.List("Businesses", Businesses);
    v.Field("AdvancePaymentsPaid", AdvancePaymentsPaid);
    v.Field("LegacyBusinessAmount", LegacyBusinessAmount);
    v.Field("AdvancePaymentsAccrued", AdvancePaymentsAccrued);
    v.Field("IsPeasantFarm", IsPeasantFarm);
    v.Date("FarmRegistrationDate", FarmRegistrationDate);
    v.Field("FarmExemptIncome", FarmExemptIncome);
    v.Field("AdjustedIncome", AdjustedIncome);
    v.Field("AdjustedExpense", AdjustedExpense);
    v.Field("TradeFee", TradeFee);
    v.Field("PatentPayments", PatentPayments);
    v.Object("StandardDeduct", StandardDeduct);
    v.Object("SocialDeduct", SocialDeduct);
    v.Object("PropertyDeduct", PropertyDeduct);
    v.Object("SecuritiesLosses", SecuritiesLosses);
    v.Object("IisLosses", IisLosses);
    v.List("Payments", Payments);
  }

 private:
  void SaveToStorage(mTDocumentStorage& storage) const;
  void LoadFromStorage(mTDocumentStorage& storage);
};

// What to tell the user about a file that could not be opened or saved: the container's own
// message; for text that does not parse, that of a damaged file; for memory that ran out, that
// of too little memory.
std::string DescribeFileError(const std::exception& error);

}  // namespace talver
