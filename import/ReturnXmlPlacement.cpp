// Income entries of the 13 % sources rebuilt from the sheets' totals.
#include <algorithm>

#include "compute/SheetA.h"
#include "dictionaries/IncomeDictionary.h"
#include "import/ReturnXmlParts.h"
#include "platform/NumberText.h"

namespace talver::returnxml {
namespace {

// The kinds a source can have and the groups each one can hold: a wage source anything, a
// source of mixed incomes anything but wages, any other only its own group.
bool Holds(const std::string& kind, TGroup group) {
  if (kind == "06" || kind == "07") return true;
  if (kind == "10") return group != TGroup::Wages;
  if (kind == "04") return group == TGroup::Rent;
  if (kind == "01" || kind == "09") return group == TGroup::Property;
  if (kind == "02") return group == TGroup::OtherSale;
  if (kind == "03") return group == TGroup::Securities;
  if (kind == "05") return group == TGroup::Gifts;
  return false;
}

// The sources in the order they are filled: those of one group first, then mixed incomes,
// then wages, so that the sources that can hold most keep room for what only they can hold.
int FillRank(const std::string& kind) {
  if (kind == "06" || kind == "07") return 2;
  return kind == "10" ? 1 : 0;
}

// An entry that makes a source of its kind and carries what no sheet accounts for.
std::int32_t RestCode(const std::string& kind) {
  if (kind == "06" || kind == "07") return 2000;
  if (kind == "04") return 1400;
  if (kind == "01" || kind == "09") return 1510;
  if (kind == "02") return 1520;
  if (kind == "03") return 1530;
  if (kind == "05") return 2220;
  return 4800;
}

mTSourseIncome EntryOf(const TEntryItem& item, Currency amount, Currency deduct, const std::string& kind,
                       const TIncomeDictionary* dictionary) {
  mTSourseIncome e;
  e.IncomeCode = item.IncomeCode;
  e.DeductCode = item.DeductCode;
  e.Amount = amount;
  e.DeductAmount = deduct;
  // The year's income is one entry of December.
  e.Month = 12;
  if (item.Group == TGroup::Property) e.DeductAttribute = kind == "09" ? 2 : 1;
  if (dictionary != nullptr) {
    if (const TIncomeCode* code = dictionary->FindIncome(IntToText(item.IncomeCode))) e.IncomeName = code->Name;
  }
  return e;
}

}  // namespace

std::vector<TEntryItem> PlaceEntries(std::vector<TSourceSlot>& slots, const std::vector<TEntryItem>& items,
                                     const TIncomeDictionary* dictionary) {
  std::vector<std::size_t> order;
  for (int rank = 0; rank <= 2; ++rank) {
    for (std::size_t i = 0; i < slots.size(); ++i) {
      if (FillRank(slots[i].Kind) == rank) order.push_back(i);
    }
  }
  // The most constrained first: sales of shares and then of flats (after every share in
  // walking order), wages, the groups of their own kinds, and last what any mixed source holds.
  const auto priority = [](const TEntryItem& item) {
    if (item.Rigid || item.IncomeCode == 1511) return 0;
    if (item.Group == TGroup::Wages) return 1;
    return item.Group == TGroup::Other ? 3 : 2;
  };
  std::vector<TEntryItem> sorted = items;
  std::stable_sort(sorted.begin(), sorted.end(),
                   [&](const TEntryItem& a, const TEntryItem& b) { return priority(a) < priority(b); });
  std::vector<TEntryItem> left;
  // The first source a flat's sale may go to: none before the last one holding a share's.
  std::size_t earliestRigid = 0;
  for (const TEntryItem& item : sorted) {
    Currency amount = item.Amount;
    Currency deduct = item.Deduct;
    for (const std::size_t i : order) {
      TSourceSlot& slot = slots[i];
      if (!Holds(slot.Kind, item.Group) || (item.Rigid && i < earliestRigid)) continue;
      if (slot.Room <= Currency() && amount > Currency()) continue;
      const Currency piece = Min(amount, slot.Room);
      slot.Source->AddEntry(EntryOf(item, piece, deduct, slot.Kind, dictionary));
      slot.Room -= piece;
      amount -= piece;
      deduct = Currency();
      if (item.IncomeCode == 1511) earliestRigid = std::max(earliestRigid, i);
      if (amount <= Currency()) break;
    }
    if (amount > Currency() || (item.Amount.IsZero() && deduct == item.Deduct && !item.Deduct.IsZero())) {
      TEntryItem rest = item;
      rest.Amount = amount;
      rest.Deduct = deduct;
      left.push_back(rest);
    }
  }
  // The rest of each source, and the entry that gives it its kind.
  for (TSourceSlot& slot : slots) {
    if (slot.Kind.empty()) continue;
    TEntryItem rest;
    rest.IncomeCode = RestCode(slot.Kind);
    rest.Group = GroupOf(rest.IncomeCode);
    if (slot.Room > Currency() || IncomeKindOfEntries(*slot.Source) != slot.Kind) {
      slot.Source->AddEntry(EntryOf(rest, slot.Room, Currency(), slot.Kind, dictionary));
      slot.Room = Currency();
    }
  }
  return left;
}

}  // namespace talver::returnxml
