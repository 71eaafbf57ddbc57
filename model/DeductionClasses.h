#pragma once
// The deduction objects of a declaration: standard, social (with pension and insurance
// contracts), property (with its objects), and the losses of earlier years on securities.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/ModelCommon.h"
#include "model/ModelList.h"
#include "platform/Currency.h"
#include "platform/Dates.h"

namespace talver {

// Standard deductions: the personal codes and the children, month by month.
class mTStandartDeduct {
 public:
  void SaveToStorage(mTDocumentStorage& storage) const;
  void LoadFromStorage(mTDocumentStorage& storage);
  std::uint32_t StoredSize() const;

  // Months are 1..12.
  Currency MonthIncomeOf(int month) const { return MonthIncome.at(static_cast<std::size_t>(month - 1)); }
  void SetMonthIncome(int month, Currency amount) { MonthIncome.at(static_cast<std::size_t>(month - 1)) = amount; }
  Currency MonthExpenseOf(int month) const { return MonthExpense.at(static_cast<std::size_t>(month - 1)); }
  void SetMonthExpense(int month, Currency amount) { MonthExpense.at(static_cast<std::size_t>(month - 1)) = amount; }
  std::int32_t PersonalCodeOf(int month) const { return PersonalCodeByMonth.at(static_cast<std::size_t>(month - 1)); }
  void SetPersonalCodeByMonth(int month, std::int32_t position) {
    PersonalCodeByMonth.at(static_cast<std::size_t>(month - 1)) = position;
  }
  std::int32_t ChildModeOf(int month) const { return ChildModeByMonth.at(static_cast<std::size_t>(month - 1)); }
  void SetChildModeByMonth(int month, std::int32_t answer) {
    ChildModeByMonth.at(static_cast<std::size_t>(month - 1)) = answer;
  }

  // Child counts: one month (0..11), which makes the count vary by month, or one count for the year.
  void SetChildrenInMonth(int month0, std::int32_t count);
  void SetChildrenConst(std::int32_t count);
  void SetDisabledInMonth(int month0, std::int32_t count);
  void SetDisabledConst(std::int32_t count);
  void SetThirdInMonth(int month0, std::int32_t count);
  void SetThirdConst(std::int32_t count);

  std::uint8_t Granted = 1;
  std::int32_t PersonalCode = 103;  // 105, 104, 103 none, 110 changed during the year
  std::int32_t ChildMode = 101;     // 101, 102 single parent, 103 changed during the year
  std::uint8_t ChildrenConst = 1;
  std::int32_t ChildrenCount = 0;
  std::array<std::int32_t, 12> ChildrenByMonth{};
  std::uint8_t DisabledConst = 1;
  std::int32_t DisabledCount = 0;
  std::array<std::int32_t, 12> DisabledByMonth{};
  std::uint8_t ThirdConst = 1;
  std::int32_t ThirdCount = 0;
  std::array<std::int32_t, 12> ThirdByMonth{};
  std::uint8_t MonthlyIncomeGiven = 0;
  std::array<Currency, 12> MonthIncome{};
  std::array<Currency, 12> MonthExpense{};
  std::array<std::uint8_t, 12> MonthChecked{};
  std::uint8_t PersonalByMonthGiven = 0;
  std::array<std::int32_t, 12> PersonalCodeByMonth{};  // 0 none, 1 code 104, 2 code 105
  std::uint8_t ChildModeByMonthGiven = 0;
  std::array<std::int32_t, 12> ChildModeByMonth{};  // 0 single parent that month, 1 not
  std::uint8_t GuardianOrFoster = 0;

  template <class V>
  void VisitFields(V& v) {
    v.Field("Granted", Granted);
    v.Field("PersonalCode", PersonalCode);
    v.Field("ChildMode", ChildMode);
    v.Field("ChildrenConst", ChildrenConst);
    v.Field("ChildrenCount", ChildrenCount);
    v.Array("ChildrenByMonth", ChildrenByMonth);
    v.Field("DisabledConst", DisabledConst);
    v.Field("DisabledCount", DisabledCount);
    v.Array("DisabledByMonth", DisabledByMonth);
    v.Field("ThirdConst", ThirdConst);
    v.Field("ThirdCount", ThirdCount);
    v.Array("ThirdByMonth", ThirdByMonth);
    v.Field("MonthlyIncomeGiven", MonthlyIncomeGiven);
    v.Array("MonthIncome", MonthIncome);
    v.Array("MonthExpense", MonthExpense);
    v.Array("MonthChecked", MonthChecked);
    v.Field("PersonalByMonthGiven", PersonalByMonthGiven);
    v.Array("PersonalCodeByMonth", PersonalCodeByMonth);
    v.Field("ChildModeByMonthGiven", ChildModeByMonthGiven);
    v.Array("ChildModeByMonth", ChildModeByMonth);
    v.Field("GuardianOrFoster", GuardianOrFoster);
  }
};

// One pension or insurance contract of the social deductions.
class mTPens {
 public:
  void SaveToStorage(mTDocumentStorage& storage, std::size_t index) const;
  void LoadFromStorage(mTDocumentStorage& storage, std::size_t index);
  std::uint32_t StoredSize(std::size_t index = 0) const;

  // 1 non-state pension, 2 voluntary pension insurance, 3 voluntary life insurance,
  // 4 additional contributions to the funded pension
  std::int32_t ContractKind = 0;
  std::string OrgName;
  std::string Inn;
  std::string Kpp;
  std::string ContractNumber;
  TDate ContractDate = 0;
  Currency Contribution;
  Currency DeductibleContribution;
  Currency AgentDeduction;

  template <class V>
  void VisitFields(V& v) {
    v.Field("ContractKind", ContractKind);
    v.Field("OrgName", OrgName);
    v.Field("Inn", Inn);
    v.Field("Kpp", Kpp);
    v.Field("ContractNumber", ContractNumber);
    v.Date("ContractDate", ContractDate);
    v.Field("Contribution", Contribution);
    v.Field("DeductibleContribution", DeductibleContribution);
    v.Field("AgentDeduction", AgentDeduction);
  }
};

class mTSocialDeduct {
 public:
  void SaveToStorage(mTDocumentStorage& storage) const;
  void LoadFromStorage(mTDocumentStorage& storage);
  std::uint32_t StoredSize() const;

  // Amounts paid for the education of children, one per child. An index beyond the list
  // throws mEMemoryAllocate.
  std::size_t ChildEducationCount() const { return ChildEducation.size(); }
  std::size_t AddChildEducation(Currency amount);
  Currency GetChildEducation(std::size_t index) const;
  void SetChildEducation(std::size_t index, Currency amount);
  void DeleteChildEducation(std::size_t index);
  // Each child's amount counted up to 50 000 roubles.
  Currency ChildEducationTotal() const;

  std::size_t AddPension() { return PensionContracts.Add(); }
  mTPens& GetPension(std::size_t index) { return PensionContracts.Get(index); }
  const mTPens& GetPension(std::size_t index) const { return PensionContracts.Get(index); }
  std::size_t PensionCount() const { return PensionContracts.Count(); }
  void DeletePension(std::size_t index) { PensionContracts.Delete(index); }

  std::uint8_t Granted = 0;
  Currency Charity;
  Currency OwnEducation;
  std::vector<Currency> ChildEducation;
  Currency Medical;
  Currency ExpensiveMedical;
  Currency VoluntaryInsurance;
  Currency ExtraPensionContrib;
  Currency AgentSocialDeduct;
  mTList<mTPens> PensionContracts;

  template <class V>
  void VisitFields(V& v) {
    v.Field("Granted", Granted);
    v.Field("Charity", Charity);
    v.Field("OwnEducation", OwnEducation);
    v.Vector("ChildEducation", ChildEducation);
    v.Field("Medical", Medical);
    v.Field("ExpensiveMedical", ExpensiveMedical);
    v.Field("VoluntaryInsurance", VoluntaryInsurance);
    v.Field("ExtraPensionContrib", ExtraPensionContrib);
    v.Field("AgentSocialDeduct", AgentSocialDeduct);
    v.List("PensionContracts", PensionContracts);
  }
};

// One object of the property deduction.
class mTConstructionDeductObj {
 public:
  void SaveToStorage(mTDocumentStorage& storage, std::size_t index) const;
  void LoadFromStorage(mTDocumentStorage& storage, std::size_t index);
  std::uint32_t StoredSize(std::size_t index = 0) const;

  std::string PostIndex;
  std::string RegionCode;
  std::string District;
  std::string City;
  std::string Locality;
  std::string Street;
  std::string House;
  std::string Building;
  std::string Flat;
  std::int32_t ObjectKind = 0;
  std::int32_t OwnershipKind = 0;
  std::int32_t TaxpayerAttribute = 0;
  TDate OwnershipRegDate = kDate01012003;
  TDate LandRegDate = 0;
  TDate TransferActDate = kDate01012003;
  TDate DistributionAppDate = 0;
  TDate FirstUseYear = kDate01012003;  // 1 January of the year the deduction was first used
  std::int32_t ShareNumerator = 0;
  std::int32_t ShareDenominator = 0;
  Currency Cost;
  Currency CreditInterest;
  std::uint8_t ByInvestment = 0;
  std::uint8_t Pensioner = 0;
  Currency CostTaken;           // written by the computation; never saved
  std::int32_t ShareShown = 0;  // written by the computation (0 or −1); never saved

  template <class V>
  void VisitFields(V& v) {
    v.Field("ObjectKind", ObjectKind);
    v.Field("OwnershipKind", OwnershipKind);
    v.Field("TaxpayerAttribute", TaxpayerAttribute);
    v.Field("PostIndex", PostIndex);
    v.Field("RegionCode", RegionCode);
    v.Field("District", District);
    v.Field("City", City);
    v.Field("Locality", Locality);
    v.Field("Street", Street);
    v.Field("House", House);
    v.Field("Building", Building);
    v.Field("Flat", Flat);
    v.Date("OwnershipRegDate", OwnershipRegDate);
    v.Date("TransferActDate", TransferActDate);
    v.Date("FirstUseYear", FirstUseYear);
    v.Date("DistributionAppDate", DistributionAppDate);
    v.Date("LandRegDate", LandRegDate);
    v.Field("ShareNumerator", ShareNumerator);
    v.Field("ShareDenominator", ShareDenominator);
    v.Field("ByInvestment", ByInvestment);
    v.Field("Pensioner", Pensioner);
    v.Field("Cost", Cost);
    v.Field("CreditInterest", CreditInterest);
  }
};

class mTConstructionDeduct {
 public:
  void SaveToStorage(mTDocumentStorage& storage) const;
  void LoadFromStorage(mTDocumentStorage& storage);
  std::uint32_t StoredSize() const;

  std::size_t AddObject(mTConstructionDeductObj object) { return Objects.Add(std::move(object)); }
  mTConstructionDeductObj& GetObject(std::size_t index) { return Objects.Get(index); }
  const mTConstructionDeductObj& GetObject(std::size_t index) const { return Objects.Get(index); }
  std::size_t ObjectCount() const { return Objects.Count(); }
  void DeleteObject(std::size_t index) { Objects.Delete(index); }

  std::uint8_t Granted = 0;
  Currency CarriedPurchase;
  Currency CarriedInterest;
  Currency PriorPurchase;
  Currency PriorInterest;
  Currency AgentPurchase;  // code 311
  Currency AgentInterest;  // code 312
  mTList<mTConstructionDeductObj> Objects;

  template <class V>
  void VisitFields(V& v) {
    v.Field("Granted", Granted);
    v.Field("CarriedPurchase", CarriedPurchase);
    v.Field("CarriedInterest", CarriedInterest);
    v.Field("PriorPurchase", PriorPurchase);
    v.Field("PriorInterest", PriorInterest);
    v.Field("AgentPurchase", AgentPurchase);
    v.Field("AgentInterest", AgentInterest);
    v.List("Objects", Objects);
  }
};

// Losses of earlier tax periods on securities (positions 1..10) and derivatives (11..20), by
// year in the order 2014, 2015, 2006 … 2013.
class mTCBDeduct {
 public:
  static constexpr std::array<int, 10> kYears = {2014, 2015, 2006, 2007, 2008, 2009, 2010, 2011, 2012, 2013};

  void SaveToStorage(mTDocumentStorage& storage, std::string_view streamName) const;
  void LoadFromStorage(mTDocumentStorage& storage, std::string_view streamName);
  std::uint32_t StoredSize(std::string_view streamName) const;

  Currency SecuritiesLossTotal() const;
  Currency DerivativesLossTotal() const;

  std::array<Currency, 10> SecuritiesLoss{};
  std::array<Currency, 10> DerivativesLoss{};

  template <class V>
  void VisitFields(V& v) {
    v.Array("SecuritiesLoss", SecuritiesLoss);
    v.Array("DerivativesLoss", DerivativesLoss);
  }
};

}  // namespace talver
