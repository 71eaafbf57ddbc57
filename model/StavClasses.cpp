#include "model/StavClasses.h"

namespace talver {
namespace {

constexpr std::uint32_t kVersion11 = 65537;

struct SourceNames {
  const char* Source;
  const char* Entry;
};

SourceNames ThirteenNames(int kind) {
  return kind == 1 ? SourceNames{"@ThirteenPerceNR", "@SourseIncoNR"} : SourceNames{"@ThirteenPercent", "@SourseIncome"};
}

const char* ThirtyName(int kind) { return kind == 1 ? "@ThirtyPercent" : "@NinePercent"; }

void WritePayer(mTDocumentStorage& s, const mTSourseIncomeInfo& source) {
  s.WriteString(source.Inn);
  s.WriteString(source.Kpp);
  s.WriteString(source.Oktmo);
  s.WriteString(source.Name);
}

void ReadPayer(mTDocumentStorage& s, mTSourseIncomeInfo& source) {
  source.Inn = s.ReadString();
  source.Kpp = s.ReadString();
  source.Oktmo = s.ReadString();
  source.Name = s.ReadString();
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Entry lists

template <class Entry>
std::size_t mTEntryList<Entry>::Add(Entry entry, Currency& total) {
  total += EntryAmount(entry);
  entries_.push_back(std::move(entry));
  return entries_.size() - 1;
}

template <class Entry>
void mTEntryList<Entry>::Replace(std::size_t index, Entry entry, Currency& total) {
  Entry& old = entries_.at(index);
  total -= EntryAmount(old);
  total += EntryAmount(entry);
  old = std::move(entry);
}

template <class Entry>
void mTEntryList<Entry>::Delete(std::size_t index, Currency& total) {
  total -= EntryAmount(entries_.at(index));
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
}

template <class Entry>
const Entry& mTEntryList<Entry>::Get(std::size_t index) const {
  return entries_.at(index);
}

template class mTEntryList<mTSourseIncome>;
template class mTEntryList<mTInvestTovIncome>;

// ---------------------------------------------------------------------------------------------
// 13 %

void mTThirteenPercent::SetMonthAmount(int month, Currency value) {
  const auto i = static_cast<std::size_t>(month - 1);
  if (value == Currency::FromRoubles(-1)) {
    MonthPresent.at(i) = false;
    MonthAmount.at(i) = Currency();
  } else {
    MonthPresent.at(i) = true;
    MonthAmount.at(i) = value;
  }
}

std::optional<Currency> mTThirteenPercent::MonthAmountOf(int month) const {
  const auto i = static_cast<std::size_t>(month - 1);
  if (!MonthPresent.at(i)) return std::nullopt;
  return MonthAmount[i];
}

void mTThirteenPercent::SaveToStorage(mTDocumentStorage& s, std::size_t index, int kind) const {
  const SourceNames names = ThirteenNames(kind);
  WithOwnerCode(372, [&] {
    s.CreateStream(NumberedName(names.Source, index));
    s.WriteByte(StandardDeductSource);
    WritePayer(s, *this);
    s.WriteCurrency(TaxWithheld);
    s.WriteCurrency(TaxableIncome);
    s.WriteCurrency(TaxComputed);
    s.WriteCurrency(LegacyAmount);
    for (std::size_t m = 0; m < 12; ++m) {
      if (MonthPresent[m]) {
        s.WriteCurrency(MonthAmount[m]);
      } else {
        s.WriteString("a");
      }
    }
    s.WriteInteger(static_cast<std::int32_t>(EntryCount()));
    for (std::size_t e = 0; e < EntryCount(); ++e) {
      const mTSourseIncome& entry = GetEntry(e);
      s.CreateStream(NumberedName(names.Entry, index, e));
      s.WriteInteger(entry.IncomeCode);
      s.WriteString(entry.IncomeName);
      s.WriteCurrency(entry.Amount);
      s.WriteInteger(entry.DeductCode);
      s.WriteCurrency(entry.DeductAmount);
      s.WriteInteger(entry.DeductAttribute);
      s.WriteWord(entry.Month);
    }
  });
}

void mTThirteenPercent::LoadFromStorage(mTDocumentStorage& s, std::size_t index, int kind) {
  const SourceNames names = ThirteenNames(kind);
  WithOwnerCode(372, [&] {
    s.OpenStream(NumberedName(names.Source, index));
    if (s.Version() >= kVersion11) StandardDeductSource = s.ReadByte();
    ReadPayer(s, *this);
    TaxWithheld = s.ReadCurrency();
    TaxableIncome = s.ReadCurrency();
    TaxComputed = s.ReadCurrency();
    LegacyAmount = s.ReadCurrency();
    for (int m = 1; m <= 12; ++m) SetMonthAmount(m, s.ReadCurrency());
    const std::int32_t count = s.ReadInteger();
    ClearEntries();
    for (std::int32_t e = 0; e < count; ++e) {
      mTSourseIncome entry;
      s.OpenStream(NumberedName(names.Entry, index, static_cast<std::size_t>(e)));
      entry.IncomeCode = s.ReadInteger();
      entry.IncomeName = s.ReadString();
      entry.Amount = s.ReadCurrency();
      entry.DeductCode = s.ReadInteger();
      entry.DeductAmount = s.ReadCurrency();
      entry.DeductAttribute = s.ReadInteger();
      entry.Month = s.ReadWord();
      AddEntry(entry);
    }
  });
}

std::uint32_t mTThirteenPercent::StoredSize(std::size_t index, int kind) const {
  return CountStoredSize([&](mTDocumentStorage& s) { SaveToStorage(s, index, kind); });
}

// ---------------------------------------------------------------------------------------------
// 35 %

void mTThirtyFivePercent::SaveToStorage(mTDocumentStorage& s, std::size_t index, int) const {
  WithOwnerCode(373, [&] {
    s.CreateStream(NumberedName("@ThirtyFivePercent", index));
    s.WriteInteger(IncomeCode);
    WritePayer(s, *this);
    s.WriteCurrency(IncomeTotal);
    s.WriteInteger(DeductCode);
    s.WriteCurrency(DeductAmount);
    s.WriteCurrency(TaxWithheld);
  });
}

void mTThirtyFivePercent::LoadFromStorage(mTDocumentStorage& s, std::size_t index, int) {
  WithOwnerCode(374, [&] {
    s.OpenStream(NumberedName("@ThirtyFivePercent", index));
    IncomeCode = s.ReadInteger();
    ReadPayer(s, *this);
    IncomeTotal = s.ReadCurrency();
    DeductCode = s.ReadInteger();
    DeductAmount = s.ReadCurrency();
    TaxWithheld = s.ReadCurrency();
  });
}

std::uint32_t mTThirtyFivePercent::StoredSize(std::size_t index) const {
  return CountStoredSize([&](mTDocumentStorage& s) { SaveToStorage(s, index, 0); });
}

// ---------------------------------------------------------------------------------------------
// 9 % and dividends

void mTThirtyPercent::SaveToStorage(mTDocumentStorage& s, std::size_t index, int kind) const {
  WithOwnerCode(375, [&] {
    s.CreateStream(NumberedName(ThirtyName(kind), index));
    s.WriteInteger(IncomeCode);
    WritePayer(s, *this);
    s.WriteCurrency(IncomeTotal);
    s.WriteCurrency(TaxComputed);
    s.WriteCurrency(TaxableIncome);
    s.WriteCurrency(TaxWithheld);
  });
}

void mTThirtyPercent::LoadFromStorage(mTDocumentStorage& s, std::size_t index, int kind) {
  WithOwnerCode(376, [&] {
    s.OpenStream(NumberedName(ThirtyName(kind), index));
    IncomeCode = s.ReadInteger();
    ReadPayer(s, *this);
    IncomeTotal = s.ReadCurrency();
    TaxComputed = s.ReadCurrency();
    TaxableIncome = s.ReadCurrency();
    TaxWithheld = s.ReadCurrency();
  });
}

std::uint32_t mTThirtyPercent::StoredSize(std::size_t index, int kind) const {
  return CountStoredSize([&](mTDocumentStorage& s) { SaveToStorage(s, index, kind); });
}

// ---------------------------------------------------------------------------------------------
// Investment partnerships

void mTInvestTov::SaveToStorage(mTDocumentStorage& s, std::size_t index, int) const {
  WithOwnerCode(399, [&] {
    s.CreateStream(NumberedName("@InvestTov", index));
    WritePayer(s, *this);
    s.WriteCurrency(TaxWithheld);
    s.WriteCurrency(TaxableIncome);
    s.WriteCurrency(TaxComputed);
    s.WriteInteger(static_cast<std::int32_t>(EntryCount()));
    for (std::size_t e = 0; e < EntryCount(); ++e) {
      const mTInvestTovIncome& entry = GetEntry(e);
      s.CreateStream(NumberedName("@InvestTovIncome", index, e));
      s.WriteInteger(entry.OperationKind);
      s.WriteCurrency(entry.Income);
      s.WriteCurrency(entry.ExpenseShare);
      s.WriteCurrency(entry.ManagerExpenses);
      s.WriteCurrency(entry.PriorLosses);
    }
  });
}

void mTInvestTov::LoadFromStorage(mTDocumentStorage& s, std::size_t index, int) {
  WithOwnerCode(400, [&] {
    s.OpenStream(NumberedName("@InvestTov", index));
    ReadPayer(s, *this);
    TaxWithheld = s.ReadCurrency();
    TaxableIncome = s.ReadCurrency();
    TaxComputed = s.ReadCurrency();
    const std::int32_t count = s.ReadInteger();
    ClearEntries();
    for (std::int32_t e = 0; e < count; ++e) {
      mTInvestTovIncome entry;
      s.OpenStream(NumberedName("@InvestTovIncome", index, static_cast<std::size_t>(e)));
      entry.OperationKind = s.ReadInteger();
      entry.Income = s.ReadCurrency();
      entry.ExpenseShare = s.ReadCurrency();
      entry.ManagerExpenses = s.ReadCurrency();
      entry.PriorLosses = s.ReadCurrency();
      AddEntry(entry);
    }
  });
}

std::uint32_t mTInvestTov::StoredSize(std::size_t index) const {
  return CountStoredSize([&](mTDocumentStorage& s) { SaveToStorage(s, index, 0); });
}

}  // namespace talver
