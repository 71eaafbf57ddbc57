#include "model/DeductionClasses.h"

#include "platform/Errors.h"

namespace talver {
namespace {

// Writes a count that does not vary, or the twelve monthly values.
void WriteCounts(mTDocumentStorage& s, std::uint8_t isConst, std::int32_t count, const std::array<std::int32_t, 12>& byMonth) {
  s.WriteByte(isConst);
  if (isConst != 0) {
    s.WriteInteger(count);
  } else {
    for (std::int32_t n : byMonth) s.WriteInteger(n);
  }
}

void ReadCounts(mTDocumentStorage& s, std::uint8_t& isConst, std::int32_t& count, std::array<std::int32_t, 12>& byMonth) {
  isConst = s.ReadByte();
  if (isConst != 0) {
    count = s.ReadInteger();
  } else {
    for (std::int32_t& n : byMonth) n = s.ReadInteger();
  }
}

// A flag that older or damaged files may lack: any failure to read it counts as 0.
std::uint8_t ReadTolerantFlag(mTDocumentStorage& s) {
  try {
    return s.ReadByte();
  } catch (const EConvertError&) {
  } catch (const mEPrivBase&) {
  }
  return 0;
}

[[noreturn]] void ThrowNoChildEducation(std::uint16_t code) {
  throw mEMemoryAllocate(std::string(StorageMessages::NoMemory), code);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Standard deductions

void mTStandartDeduct::SetChildrenInMonth(int month0, std::int32_t count) {
  ChildrenByMonth.at(static_cast<std::size_t>(month0)) = count;
  ChildrenConst = 0;
}
void mTStandartDeduct::SetChildrenConst(std::int32_t count) {
  ChildrenCount = count;
  ChildrenConst = 1;
}
void mTStandartDeduct::SetDisabledInMonth(int month0, std::int32_t count) {
  DisabledByMonth.at(static_cast<std::size_t>(month0)) = count;
  DisabledConst = 0;
}
void mTStandartDeduct::SetDisabledConst(std::int32_t count) {
  DisabledCount = count;
  DisabledConst = 1;
}
void mTStandartDeduct::SetThirdInMonth(int month0, std::int32_t count) {
  ThirdByMonth.at(static_cast<std::size_t>(month0)) = count;
  ThirdConst = 0;
}
void mTStandartDeduct::SetThirdConst(std::int32_t count) {
  ThirdCount = count;
  ThirdConst = 1;
}

void mTStandartDeduct::SaveToStorage(mTDocumentStorage& s) const {
  WithOwnerCode(381, [&] {
    s.CreateStream("@StandartDeduct");
    s.WriteByte(Granted);
    if (Granted == 0) return;
    s.WriteInteger(PersonalCode);
    s.WriteInteger(ChildMode);
    WriteCounts(s, ChildrenConst, ChildrenCount, ChildrenByMonth);
    WriteCounts(s, DisabledConst, DisabledCount, DisabledByMonth);
    s.WriteByte(MonthlyIncomeGiven);
    if (MonthlyIncomeGiven != 0) {
      for (const Currency& amount : MonthIncome) s.WriteCurrency(amount);
      for (const Currency& amount : MonthExpense) s.WriteCurrency(amount);
      for (std::uint8_t checked : MonthChecked) s.WriteByte(checked);
    }
    s.WriteByte(PersonalByMonthGiven);
    if (PersonalByMonthGiven != 0) {
      for (std::int32_t code : PersonalCodeByMonth) s.WriteInteger(code);
    }
    s.WriteByte(ChildModeByMonthGiven);
    if (ChildModeByMonthGiven != 0) {
      for (std::int32_t mode : ChildModeByMonth) s.WriteInteger(mode);
    }
    WriteCounts(s, ThirdConst, ThirdCount, ThirdByMonth);
    s.WriteByte(GuardianOrFoster);
  });
}

void mTStandartDeduct::LoadFromStorage(mTDocumentStorage& s) {
  WithOwnerCode(382, [&] {
    s.OpenStream("@StandartDeduct");
    Granted = s.ReadByte();
    if (Granted == 0) return;
    PersonalCode = s.ReadInteger();
    ChildMode = s.ReadInteger();
    ReadCounts(s, ChildrenConst, ChildrenCount, ChildrenByMonth);
    ReadCounts(s, DisabledConst, DisabledCount, DisabledByMonth);
    MonthlyIncomeGiven = ReadTolerantFlag(s);
    if (MonthlyIncomeGiven != 0) {
      for (Currency& amount : MonthIncome) amount = s.ReadCurrency();
      for (Currency& amount : MonthExpense) amount = s.ReadCurrency();
      for (std::uint8_t& checked : MonthChecked) checked = s.ReadByte();
    }
    PersonalByMonthGiven = ReadTolerantFlag(s);
    if (PersonalByMonthGiven != 0) {
      for (std::int32_t& code : PersonalCodeByMonth) code = s.ReadInteger();
    }
    ChildModeByMonthGiven = ReadTolerantFlag(s);
    if (ChildModeByMonthGiven != 0) {
      for (std::int32_t& mode : ChildModeByMonth) mode = s.ReadInteger();
    }
    ReadCounts(s, ThirdConst, ThirdCount, ThirdByMonth);
    GuardianOrFoster = s.ReadByte();
  });
}

std::uint32_t mTStandartDeduct::StoredSize() const {
  return CountStoredSize([&](mTDocumentStorage& s) { SaveToStorage(s); });
}

// ---------------------------------------------------------------------------------------------
// Pension and insurance contracts

void mTPens::SaveToStorage(mTDocumentStorage& s, std::size_t index) const {
  WithOwnerCode(375, [&] {
    s.CreateStream(NumberedName("@PensSub", index));
    s.WriteInteger(ContractKind);
    s.WriteString(OrgName);
    s.WriteString(Inn);
    s.WriteString(Kpp);
    s.WriteString(ContractNumber);
    s.WriteDate(ContractDate);
    s.WriteCurrency(Contribution);
    s.WriteCurrency(DeductibleContribution);
    s.WriteCurrency(AgentDeduction);
  });
}

void mTPens::LoadFromStorage(mTDocumentStorage& s, std::size_t index) {
  WithOwnerCode(376, [&] {
    s.OpenStream(NumberedName("@PensSub", index));
    ContractKind = s.ReadInteger();
    OrgName = s.ReadString();
    Inn = s.ReadString();
    Kpp = s.ReadString();
    ContractNumber = s.ReadString();
    ContractDate = s.ReadDate();
    Contribution = s.ReadCurrency();
    DeductibleContribution = s.ReadCurrency();
    AgentDeduction = s.ReadCurrency();
  });
}

std::uint32_t mTPens::StoredSize(std::size_t index) const {
  return CountStoredSize([&](mTDocumentStorage& s) { SaveToStorage(s, index); });
}

// ---------------------------------------------------------------------------------------------
// Social deductions

std::size_t mTSocialDeduct::AddChildEducation(Currency amount) {
  ChildEducation.push_back(amount);
  return ChildEducation.size() - 1;
}

Currency mTSocialDeduct::GetChildEducation(std::size_t index) const {
  if (index >= ChildEducation.size()) ThrowNoChildEducation(ChildEducation.empty() ? 310 : 311);
  return ChildEducation[index];
}

void mTSocialDeduct::SetChildEducation(std::size_t index, Currency amount) {
  if (index >= ChildEducation.size()) ThrowNoChildEducation(ChildEducation.empty() ? 320 : 321);
  ChildEducation[index] = amount;
}

void mTSocialDeduct::DeleteChildEducation(std::size_t index) {
  if (index >= ChildEducation.size()) ThrowNoChildEducation(ChildEducation.empty() ? 330 : 331);
  ChildEducation.erase(ChildEducation.begin() + static_cast<std::ptrdiff_t>(index));
}

Currency mTSocialDeduct::ChildEducationTotal() const {
  constexpr Currency kLimit = Currency::FromRoubles(50000);
  Currency total;
  for (const Currency& amount : ChildEducation) total += Min(amount, kLimit);
  return total;
}

void mTSocialDeduct::SaveToStorage(mTDocumentStorage& s) const {
  WithOwnerCode(383, [&] {
    s.CreateStream("@SocialDeduct");
    s.WriteByte(Granted);
    if (Granted == 0) return;
    s.WriteCurrency(Charity);
    s.WriteCurrency(OwnEducation);
    s.WriteInteger(static_cast<std::int32_t>(ChildEducation.size()));
    for (const Currency& amount : ChildEducation) s.WriteCurrency(amount);
    s.WriteCurrency(Medical);
    s.WriteCurrency(ExpensiveMedical);
    s.WriteCurrency(VoluntaryInsurance);
    s.WriteCurrency(ExtraPensionContrib);
    s.WriteCurrency(AgentSocialDeduct);
    s.CreateStream("@Pens");
    s.WriteWord(static_cast<std::uint16_t>(PensionContracts.Count()));
    PensionContracts.ForEach([&](std::size_t i, const mTPens& contract) { contract.SaveToStorage(s, i); });
  });
}

void mTSocialDeduct::LoadFromStorage(mTDocumentStorage& s) {
  WithOwnerCode(384, [&] {
    s.OpenStream("@SocialDeduct");
    Granted = s.ReadByte();
    if (Granted == 0) return;
    Charity = s.ReadCurrency();
    OwnEducation = s.ReadCurrency();
    const std::int32_t children = s.ReadInteger();
    ChildEducation.clear();
    for (std::int32_t i = 0; i < children; ++i) ChildEducation.push_back(s.ReadCurrency());
    Medical = s.ReadCurrency();
    ExpensiveMedical = s.ReadCurrency();
    VoluntaryInsurance = s.ReadCurrency();
    ExtraPensionContrib = s.ReadCurrency();
    AgentSocialDeduct = s.ReadCurrency();
    s.OpenStream("@Pens");
    const std::uint16_t contracts = s.ReadWord();
    PensionContracts.Clear();
    for (std::uint16_t i = 0; i < contracts; ++i) {
      PensionContracts.Get(PensionContracts.Add()).LoadFromStorage(s, i);
    }
  });
}

std::uint32_t mTSocialDeduct::StoredSize() const {
  return CountStoredSize([&](mTDocumentStorage& s) { SaveToStorage(s); });
}

// ---------------------------------------------------------------------------------------------
// Property deduction

void mTConstructionDeductObj::SaveToStorage(mTDocumentStorage& s, std::size_t index) const {
  WithOwnerCode(397, [&] {
    s.CreateStream(NumberedName("@ConstructionDeductObj", index));
    s.WriteInteger(ObjectKind);
    s.WriteInteger(OwnershipKind);
    s.WriteInteger(TaxpayerAttribute);
    s.WriteString(PostIndex);
    s.WriteString(RegionCode);
    s.WriteString(District);
    s.WriteString(City);
    s.WriteString(Locality);
    s.WriteString(Street);
    s.WriteString(House);
    s.WriteString(Building);
    s.WriteString(Flat);
    s.WriteDate(OwnershipRegDate);
    s.WriteDate(TransferActDate);
    s.WriteDate(FirstUseYear);
    s.WriteDate(DistributionAppDate);
    s.WriteDate(LandRegDate);
    s.WriteInteger(ShareNumerator);
    s.WriteInteger(ShareDenominator);
    s.WriteByte(ByInvestment);
    s.WriteByte(Pensioner);
    s.WriteCurrency(Cost);
    s.WriteCurrency(CreditInterest);
  });
}

void mTConstructionDeductObj::LoadFromStorage(mTDocumentStorage& s, std::size_t index) {
  WithOwnerCode(398, [&] {
    s.OpenStream(NumberedName("@ConstructionDeductObj", index));
    ObjectKind = s.ReadInteger();
    OwnershipKind = s.ReadInteger();
    TaxpayerAttribute = s.ReadInteger();
    PostIndex = s.ReadString();
    RegionCode = s.ReadString();
    District = s.ReadString();
    City = s.ReadString();
    Locality = s.ReadString();
    Street = s.ReadString();
    House = s.ReadString();
    Building = s.ReadString();
    Flat = s.ReadString();
    OwnershipRegDate = s.ReadDate();
    TransferActDate = s.ReadDate();
    FirstUseYear = s.ReadDate();
    DistributionAppDate = s.ReadDate();
    LandRegDate = s.ReadDate();
    ShareNumerator = s.ReadInteger();
    ShareDenominator = s.ReadInteger();
    ByInvestment = s.ReadByte();
    Pensioner = s.ReadByte();
    Cost = s.ReadCurrency();
    CreditInterest = s.ReadCurrency();
  });
}

std::uint32_t mTConstructionDeductObj::StoredSize(std::size_t index) const {
  return CountStoredSize([&](mTDocumentStorage& s) { SaveToStorage(s, index); });
}

void mTConstructionDeduct::SaveToStorage(mTDocumentStorage& s) const {
  WithOwnerCode(385, [&] {
    s.CreateStream("@ConstructionDeduct");
    s.WriteByte(Granted);
    if (Granted == 0) return;
    s.WriteCurrency(CarriedPurchase);
    s.WriteCurrency(CarriedInterest);
    s.WriteCurrency(PriorPurchase);
    s.WriteCurrency(PriorInterest);
    s.WriteCurrency(AgentPurchase);
    s.WriteCurrency(AgentInterest);
    s.WriteInteger(static_cast<std::int32_t>(Objects.Count()));
    Objects.ForEach([&](std::size_t i, const mTConstructionDeductObj& object) { object.SaveToStorage(s, i); });
  });
}

void mTConstructionDeduct::LoadFromStorage(mTDocumentStorage& s) {
  WithOwnerCode(386, [&] {
    s.OpenStream("@ConstructionDeduct");
    Granted = s.ReadByte();
    if (Granted == 0) return;
    CarriedPurchase = s.ReadCurrency();
    CarriedInterest = s.ReadCurrency();
    PriorPurchase = s.ReadCurrency();
    PriorInterest = s.ReadCurrency();
    AgentPurchase = s.ReadCurrency();
    AgentInterest = s.ReadCurrency();
    const std::uint16_t count = s.ReadWord();
    Objects.Clear();
    for (std::uint16_t i = 0; i < count; ++i) Objects.Get(Objects.Add()).LoadFromStorage(s, i);
  });
}

std::uint32_t mTConstructionDeduct::StoredSize() const {
  return CountStoredSize([&](mTDocumentStorage& s) { SaveToStorage(s); });
}

// ---------------------------------------------------------------------------------------------
// Losses of earlier years

namespace {
std::uint16_t LossesOwner(std::string_view streamName, bool saving) {
  if (streamName == "@IISDeduct") return saving ? 403 : 404;
  return saving ? 395 : 396;
}
}  // namespace

void mTCBDeduct::SaveToStorage(mTDocumentStorage& s, std::string_view streamName) const {
  WithOwnerCode(LossesOwner(streamName, true), [&] {
    s.CreateStream(streamName);
    for (const Currency& amount : SecuritiesLoss) s.WriteCurrency(amount);
    for (const Currency& amount : DerivativesLoss) s.WriteCurrency(amount);
  });
}

void mTCBDeduct::LoadFromStorage(mTDocumentStorage& s, std::string_view streamName) {
  WithOwnerCode(LossesOwner(streamName, false), [&] {
    s.OpenStream(streamName);
    for (Currency& amount : SecuritiesLoss) amount = s.ReadCurrency();
    for (Currency& amount : DerivativesLoss) amount = s.ReadCurrency();
  });
}

std::uint32_t mTCBDeduct::StoredSize(std::string_view streamName) const {
  return CountStoredSize([&](mTDocumentStorage& s) { SaveToStorage(s, streamName); });
}

Currency mTCBDeduct::SecuritiesLossTotal() const {
  Currency total;
  for (const Currency& amount : SecuritiesLoss) total += amount;
  return total;
}

Currency mTCBDeduct::DerivativesLossTotal() const {
  Currency total;
  for (const Currency& amount : DerivativesLoss) total += amount;
  return total;
}

}  // namespace talver
