#include "model/DeclClasses.h"

#include <new>
#include <optional>

#include "platform/Errors.h"

namespace talver {
namespace {

constexpr std::uint32_t kHeaderSize = 60;

// Saves a list as a count followed by its elements.
template <class T, class Save>
void SaveList(mTDocumentStorage& s, const mTList<T>& list, Save save) {
  s.WriteWord(static_cast<std::uint16_t>(list.Count()));
  list.ForEach([&](std::size_t i, const T& element) { save(element, i); });
}

// Loads a count and that many elements, each added before it loads itself.
template <class T, class Load>
void LoadList(mTDocumentStorage& s, mTList<T>& list, Load load) {
  const std::uint16_t count = s.ReadWord();
  for (std::uint16_t i = 0; i < count; ++i) load(list.Get(list.Add()), i);
}

}  // namespace

mTDeclaration::mTDeclaration() : SignDate(Today()) {}

void mTDeclaration::SetSections(std::uint8_t wanted) {
  const auto turnOff = [&](std::uint8_t bit) { return HasSection(bit) && (wanted & bit) == 0; };
  const auto turnOn = [&](std::uint8_t bit) { return !HasSection(bit) && (wanted & bit) != 0; };
  if (turnOff(kSectionRussian)) {
    Sections &= static_cast<std::uint8_t>(~kSectionRussian);
    ForeignerFixedPayments = Currency();
    FarmMonthsWorked = 0;
    Sources13.Clear();
    Sources13NR.Clear();
    Sources35.Clear();
    SourcesDividends.Clear();
    Sources9.Clear();
  } else if (turnOn(kSectionRussian)) {
    Sections |= kSectionRussian;
  }
  // The lists of the other sections, in the order the bits are applied.
  const auto toggle = [&](std::uint8_t bit, auto clear) {
    if (turnOff(bit)) {
      Sections &= static_cast<std::uint8_t>(~bit);
      clear();
    } else if (turnOn(bit)) {
      Sections |= bit;
    }
  };
  toggle(kSectionForeign, [&] { CurrencyIncomes.Clear(); });
  toggle(kSectionInvestTov, [&] { InvestSources.Clear(); });
  toggle(kSectionBusiness, [&] { Businesses.Clear(); });
  toggle(kSectionLegacy, [] {});
}

void mTDeclaration::SaveToStorage(mTDocumentStorage& s) const {
  s.CreateStream("@DeclInfo");
  s.WriteString(InspectionCode);
  s.WriteString(InspectionName);
  s.WriteByte(LegacyByte);
  s.WriteInteger(CorrectionNumber);
  s.WriteDate(SignDate);
  s.WriteWord(SignerKind);
  s.WriteWord(TaxpayerCategory);
  s.WriteWord(DeclarationForm);
  s.WriteWord(Sections);
  s.WriteByte(ConditionsPending);
  for (std::int32_t n : {AppendixCount, ForeignSheetCount, LegacyInt1, FarmMonthsWorked, LegacyInt2, LegacyInt3,
                         LegacyInt4, LegacyInt5, InfoFormat, LegacyInt6}) {
    s.WriteInteger(n);
  }
  s.WriteString(RepresentativeDocument);
  s.WriteCurrency(ExpectedIncome);
  s.WriteString(RepresentativeName);
  s.WriteString(RepresentativeOrganization);
  s.WriteCurrency(ForeignerFixedPayments);
  s.WriteCurrency(InvestmentDeduction);
  s.WriteCurrency(InvestmentDeductionReturn);

  Person.SaveToStorage(s);

  if (HasSection(kSectionRussian)) {
    s.CreateStream("@DeclInquiry");
    const auto source = [&](int kind) {
      return [&s, kind](const mTSourseIncomeInfo& element, std::size_t i) { element.SaveToStorage(s, i, kind); };
    };
    SaveList(s, Sources13, source(0));
    SaveList(s, Sources13NR, source(1));
    SaveList(s, Sources35, source(0));
    SaveList(s, SourcesDividends, source(1));
    SaveList(s, Sources9, source(0));
  }
  if (HasSection(kSectionForeign)) {
    s.CreateStream("@DeclForeign");
    SaveList(s, CurrencyIncomes, [&](const mTCurrencyIncome& e, std::size_t i) { e.SaveToStorage(s, i); });
  }
  if (HasSection(kSectionInvestTov)) {
    s.CreateStream("@DeclInvestTov");
    SaveList(s, InvestSources, [&](const mTInvestTov& e, std::size_t i) { e.SaveToStorage(s, i, 0); });
  }
  if (HasSection(kSectionBusiness)) {
    s.CreateStream("@DeclBusiness");
    SaveList(s, Businesses, [&](const mTBusinessNew& e, std::size_t i) { e.SaveToStorage(s, i); });
    s.WriteCurrency(AdvancePaymentsPaid);
    s.WriteCurrency(ExpectedIncome);
    s.WriteCurrency(LegacyBusinessAmount);
    s.WriteCurrency(AdvancePaymentsAccrued);
    s.WriteString(RepresentativeDocument);
    s.WriteByte(IsPeasantFarm);
    s.WriteDate(FarmRegistrationDate);
    s.WriteCurrency(FarmExemptIncome);
    s.WriteCurrency(AdjustedIncome);
    s.WriteCurrency(AdjustedExpense);
    s.WriteCurrency(TradeFee);
    s.WriteCurrency(PatentPayments);
  }
  if (Sections != 0) {
    StandardDeduct.SaveToStorage(s);
    SocialDeduct.SaveToStorage(s);
    PropertyDeduct.SaveToStorage(s);
    SecuritiesLosses.SaveToStorage(s, "@CBDeduct");
    IisLosses.SaveToStorage(s, "@IISDeduct");
  }
  s.CreateStream("@Nalog");
  SaveList(s, Payments, [&](const mTNalog& e, std::size_t i) { e.SaveToStorage(s, i); });
}

void mTDeclaration::LoadFromStorage(mTDocumentStorage& s) {
  try {
    WithOwnerCode(391, [&] { s.OpenStorage(); });
  } catch (const EConvertError&) {
    mEBadStorage error(std::string(StorageMessages::BadFormat), 392);
    error.OwnerCode = 392;
    throw error;
  }

  if (s.StorageName != kStorageName) {
    // Another tax year's file: only its taxpayer is taken.
    s.OpenStream("@DeclInfo");
    Person.LoadFromStorage(s);
    return;
  }

  s.OpenStream("@DeclInfo");
  InspectionCode = s.ReadString();
  InspectionName = s.ReadString();
  LegacyByte = s.ReadByte();
  CorrectionNumber = s.ReadInteger();
  SignDate = s.ReadDate();
  SignerKind = static_cast<std::uint8_t>(s.ReadWord());
  TaxpayerCategory = static_cast<std::uint8_t>(s.ReadWord());
  DeclarationForm = static_cast<std::uint8_t>(s.ReadWord());
  SetSections(static_cast<std::uint8_t>(s.ReadWord()));
  ConditionsPending = s.ReadByte();
  for (std::int32_t* n : {&AppendixCount, &ForeignSheetCount, &LegacyInt1, &FarmMonthsWorked, &LegacyInt2, &LegacyInt3,
                          &LegacyInt4, &LegacyInt5, &InfoFormat, &LegacyInt6}) {
    *n = s.ReadInteger();
  }
  RepresentativeDocument = s.ReadString();
  ExpectedIncome = s.ReadCurrency();
  RepresentativeName = s.ReadString();
  RepresentativeOrganization = s.ReadString();
  ForeignerFixedPayments = s.ReadCurrency();
  if (InfoFormat == 1) {
    // Files of an earlier layout end the stream here; whatever stands there instead is ignored.
    try {
      const Currency deduction = s.ReadCurrency();
      const Currency deductionReturn = s.ReadCurrency();
      InvestmentDeduction = deduction;
      InvestmentDeductionReturn = deductionReturn;
    } catch (const EConvertError&) {
    } catch (const mEPrivBase&) {
    }
  }

  Person.LoadFromStorage(s);

  if (HasSection(kSectionRussian)) {
    s.OpenStream("@DeclInquiry");
    const auto source = [&](int kind) {
      return [&s, kind](mTSourseIncomeInfo& element, std::uint16_t i) { element.LoadFromStorage(s, i, kind); };
    };
    LoadList(s, Sources13, source(0));
    LoadList(s, Sources13NR, source(1));
    LoadList(s, Sources35, source(0));
    LoadList(s, SourcesDividends, source(1));
    LoadList(s, Sources9, source(0));
  }
  // The streams are read in the order they were written, so that each is found at its marker.
  if (HasSection(kSectionForeign)) {
    s.OpenStream("@DeclForeign");
    LoadList(s, CurrencyIncomes, [&](mTCurrencyIncome& e, std::uint16_t i) { e.LoadFromStorage(s, i); });
  }
  if (HasSection(kSectionInvestTov)) {
    s.OpenStream("@DeclInvestTov");
    LoadList(s, InvestSources, [&](mTInvestTov& e, std::uint16_t i) { e.LoadFromStorage(s, i, 0); });
  }
  if (HasSection(kSectionBusiness)) {
    s.OpenStream("@DeclBusiness");
    LoadList(s, Businesses, [&](mTBusinessNew& e, std::uint16_t i) { e.LoadFromStorage(s, i); });
    AdvancePaymentsPaid = s.ReadCurrency();
    ExpectedIncome = s.ReadCurrency();
    LegacyBusinessAmount = s.ReadCurrency();
    AdvancePaymentsAccrued = s.ReadCurrency();
    RepresentativeDocument = s.ReadString();
    IsPeasantFarm = s.ReadByte();
    FarmRegistrationDate = s.ReadDate();
    FarmExemptIncome = s.ReadCurrency();
    AdjustedIncome = s.ReadCurrency();
    AdjustedExpense = s.ReadCurrency();
    TradeFee = s.ReadCurrency();
    PatentPayments = s.ReadCurrency();
  }
  if (Sections != 0) {
    StandardDeduct.LoadFromStorage(s);
    SocialDeduct.LoadFromStorage(s);
    PropertyDeduct.LoadFromStorage(s);
    SecuritiesLosses.LoadFromStorage(s, "@CBDeduct");
    IisLosses.LoadFromStorage(s, "@IISDeduct");
  }
  s.OpenStream("@Nalog");
  LoadList(s, Payments, [&](mTNalog& e, std::uint16_t i) { e.LoadFromStorage(s, i); });
}

std::uint32_t mTDeclaration::StoredSize() const {
  return kHeaderSize + CountStoredSize([&](mTDocumentStorage& s) { SaveToStorage(s); });
}

void mTDeclaration::SaveToFile(const std::filesystem::path& path) {
  InfoFormat = 1;
  const std::uint32_t size = StoredSize();
  std::optional<mTFileLoader> loader;
  try {
    loader.emplace(path, size, false);
  } catch (mEPrivBase& e) {
    e.OwnerCode = 389;
    throw;
  }
  mTDocumentStorage storage(*loader);
  storage.CreateStorage(kStorageName);
  SaveToStorage(storage);
  if (storage.Position != size) {
    // The size and the writes disagree: keep the old file rather than write a wrong one.
    throw mEMemoryAllocate(std::string(StorageMessages::NoMemory), StorageCodes::PastView);
  }
  loader->Commit();
}

std::string mTDeclaration::SaveToBytes() {
  InfoFormat = 1;
  std::string bytes(StoredSize(), '\0');
  mTDocumentStorage storage(bytes.data(), bytes.size());
  storage.CreateStorage(kStorageName);
  SaveToStorage(storage);
  return bytes;
}

void mTDeclaration::LoadFromFile(const std::filesystem::path& path) {
  std::optional<mTFileLoader> loader;
  try {
    loader.emplace(path, 0, true);
  } catch (mEPrivBase& e) {
    e.OwnerCode = 390;
    throw;
  }
  mTDocumentStorage storage(*loader);
  LoadFromStorage(storage);
}

void mTDeclaration::LoadFromBytes(const char* data, std::size_t size) {
  mTDocumentStorage storage(data, size);
  LoadFromStorage(storage);
}

std::string DescribeFileError(const std::exception& error) {
  if (dynamic_cast<const EConvertError*>(&error) != nullptr) return std::string(StorageMessages::BadFormat);
  if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr) return std::string(StorageMessages::OutOfMemory);
  return error.what();
}

}  // namespace talver
