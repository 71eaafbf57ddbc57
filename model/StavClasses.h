#pragma once
// Income sources in the Russian Federation, by rate: each source names its payer and holds
// either a list of entries (13 % sources, investment partnerships) or one income total.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/ModelCommon.h"
#include "platform/Currency.h"

namespace talver {

// The common part of every payment source.
class mTSourseIncomeInfo {
 public:
  virtual ~mTSourseIncomeInfo() = default;

  // `index` is the position in the source's list; `kind` (0 or 1) picks the stream-name family.
  virtual void SaveToStorage(mTDocumentStorage& storage, std::size_t index, int kind) const = 0;
  virtual void LoadFromStorage(mTDocumentStorage& storage, std::size_t index, int kind) = 0;

  std::string Inn;
  std::string Kpp;
  std::string Oktmo;
  std::string Name;
  Currency IncomeTotal;
  Currency TaxWithheld;
  std::string IncomeKind;  // written by the computation for the export; never saved

 protected:
  mTSourseIncomeInfo() = default;
  mTSourseIncomeInfo(const mTSourseIncomeInfo&) = default;
  mTSourseIncomeInfo& operator=(const mTSourseIncomeInfo&) = default;

  template <class V>
  void VisitPayer(V& v) {
    v.Field("Inn", Inn);
    v.Field("Kpp", Kpp);
    v.Field("Oktmo", Oktmo);
    v.Field("Name", Name);
  }
};

// One income entry of a 13 % source.
struct mTSourseIncome {
  std::int32_t IncomeCode = 0;
  std::string IncomeName;
  Currency Amount;
  std::int32_t DeductCode = 0;
  Currency DeductAmount;
  // Codes 1510 and 1511: 2 "declared as 70 % of the cadastral value", 1 not; otherwise the
  // percentage of the income that the chosen deduction code allows; 0 none.
  std::int32_t DeductAttribute = 0;
  std::uint16_t Month = 0;  // 1..12; 0 none

  template <class V>
  void VisitFields(V& v) {
    v.Field("IncomeCode", IncomeCode);
    v.Field("IncomeName", IncomeName);
    v.Field("Amount", Amount);
    v.Field("DeductCode", DeductCode);
    v.Field("DeductAmount", DeductAmount);
    v.Field("DeductAttribute", DeductAttribute);
    v.Field("Month", Month);
  }
};

// One operation of an investment partnership.
struct mTInvestTovIncome {
  std::int32_t OperationKind = 0;  // 1..6, the lines of sheet И
  Currency Income;
  Currency ExpenseShare;  // for kind 6 the contributions
  Currency ManagerExpenses;
  Currency PriorLosses;

  template <class V>
  void VisitFields(V& v) {
    v.Field("OperationKind", OperationKind);
    v.Field("Income", Income);
    v.Field("ExpenseShare", ExpenseShare);
    v.Field("ManagerExpenses", ManagerExpenses);
    v.Field("PriorLosses", PriorLosses);
  }
};

// The amount an entry adds to its source's IncomeTotal.
inline Currency EntryAmount(const mTSourseIncome& entry) { return entry.Amount; }
inline Currency EntryAmount(const mTInvestTovIncome& entry) { return entry.Income; }

// Entries whose amounts make up the source's IncomeTotal, kept in step by every change.
template <class Entry>
class mTEntryList {
 public:
  std::size_t Add(Entry entry, Currency& total);
  void Replace(std::size_t index, Entry entry, Currency& total);
  void Delete(std::size_t index, Currency& total);
  std::size_t Count() const { return entries_.size(); }
  const Entry& Get(std::size_t index) const;
  void Clear(Currency& total) {
    entries_.clear();
    total = Currency();
  }

 private:
  std::vector<Entry> entries_;
};

class mTThirteenPercent : public mTSourseIncomeInfo {
 public:
  void SaveToStorage(mTDocumentStorage& storage, std::size_t index, int kind) const override;
  void LoadFromStorage(mTDocumentStorage& storage, std::size_t index, int kind) override;
  std::uint32_t StoredSize(std::size_t index = 0, int kind = 0) const;

  std::size_t AddEntry(const mTSourseIncome& entry) { return entries_.Add(entry, IncomeTotal); }
  void ReplaceEntry(std::size_t index, const mTSourseIncome& entry) { entries_.Replace(index, entry, IncomeTotal); }
  void DeleteEntry(std::size_t index) { entries_.Delete(index, IncomeTotal); }
  std::size_t EntryCount() const { return entries_.Count(); }
  const mTSourseIncome& GetEntry(std::size_t index) const { return entries_.Get(index); }
  void ClearEntries() { entries_.Clear(IncomeTotal); }

  // −1 rouble makes the month absent (stored as 0); any other value makes it present.
  void SetMonthAmount(int month, Currency value);
  // The amount of a month 1..12, or nothing when absent.
  std::optional<Currency> MonthAmountOf(int month) const;

  std::array<Currency, 12> MonthAmount{};
  std::array<bool, 12> MonthPresent{};
  std::uint8_t StandardDeductSource = 0;
  Currency TaxComputed;
  Currency TaxableIncome;
  Currency LegacyAmount;

  template <class V>
  void VisitFields(V& v) {
    v.Field("StandardDeductSource", StandardDeductSource);
    VisitPayer(v);
    v.Field("TaxWithheld", TaxWithheld);
    v.Field("TaxableIncome", TaxableIncome);
    v.Field("TaxComputed", TaxComputed);
    v.Field("LegacyAmount", LegacyAmount);
    v.Months("MonthAmount", *this);
    v.Entries("Entries", *this);
  }

 private:
  mTEntryList<mTSourseIncome> entries_;
};

class mTThirtyFivePercent : public mTSourseIncomeInfo {
 public:
  void SaveToStorage(mTDocumentStorage& storage, std::size_t index, int kind) const override;
  void LoadFromStorage(mTDocumentStorage& storage, std::size_t index, int kind) override;
  std::uint32_t StoredSize(std::size_t index = 0) const;

  std::int32_t IncomeCode = 0;
  std::int32_t DeductCode = 0;
  Currency DeductAmount;
  Currency TaxComputed;    // written by the computation; never saved
  Currency TaxableIncome;  // written by the computation; never saved

  template <class V>
  void VisitFields(V& v) {
    v.Field("IncomeCode", IncomeCode);
    VisitPayer(v);
    v.Field("IncomeTotal", IncomeTotal);
    v.Field("DeductCode", DeductCode);
    v.Field("DeductAmount", DeductAmount);
    v.Field("TaxWithheld", TaxWithheld);
  }
};

// Incomes at 9 % that are not dividends (kind 0) and dividends (kind 1).
class mTThirtyPercent : public mTSourseIncomeInfo {
 public:
  void SaveToStorage(mTDocumentStorage& storage, std::size_t index, int kind) const override;
  void LoadFromStorage(mTDocumentStorage& storage, std::size_t index, int kind) override;
  std::uint32_t StoredSize(std::size_t index = 0, int kind = 0) const;

  std::int32_t IncomeCode = 0;  // 1011 on the 9 % page, 1010 on the dividends page
  Currency TaxComputed;
  Currency TaxableIncome;

  template <class V>
  void VisitFields(V& v) {
    v.Field("IncomeCode", IncomeCode);
    VisitPayer(v);
    v.Field("IncomeTotal", IncomeTotal);
    v.Field("TaxComputed", TaxComputed);
    v.Field("TaxableIncome", TaxableIncome);
    v.Field("TaxWithheld", TaxWithheld);
  }
};

class mTInvestTov : public mTSourseIncomeInfo {
 public:
  void SaveToStorage(mTDocumentStorage& storage, std::size_t index, int kind) const override;
  void LoadFromStorage(mTDocumentStorage& storage, std::size_t index, int kind) override;
  std::uint32_t StoredSize(std::size_t index = 0) const;

  std::size_t AddEntry(const mTInvestTovIncome& entry) { return entries_.Add(entry, IncomeTotal); }
  void ReplaceEntry(std::size_t index, const mTInvestTovIncome& entry) { entries_.Replace(index, entry, IncomeTotal); }
  void DeleteEntry(std::size_t index) { entries_.Delete(index, IncomeTotal); }
  std::size_t EntryCount() const { return entries_.Count(); }
  const mTInvestTovIncome& GetEntry(std::size_t index) const { return entries_.Get(index); }
  void ClearEntries() { entries_.Clear(IncomeTotal); }

  Currency TaxComputed;
  Currency TaxableIncome;

  template <class V>
  void VisitFields(V& v) {
    VisitPayer(v);
    v.Field("TaxWithheld", TaxWithheld);
    v.Field("TaxableIncome", TaxableIncome);
    v.Field("TaxComputed", TaxComputed);
    v.Entries("Entries", *this);
  }

 private:
  mTEntryList<mTInvestTovIncome> entries_;
};

}  // namespace talver
