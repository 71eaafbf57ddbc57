#pragma once
// The pieces of the return reader below its driver (ReturnXml.cpp): strict reading of the
// values the file holds, and what one reading gathers on its way (the entries the sheets call
// for, the sources of sheet А, the losses).
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "model/DeclClasses.h"
#include "platform/Currency.h"
#include "platform/Dates.h"
#include "platform/XmlDom.h"

namespace talver {

class TIncomeDictionary;

namespace returnxml {

// Reads values of one file; every fault is an EReturnXml naming the element and attribute.
class TReader {
 public:
  // Children of `e` in document order; any other than `known` is noted as not read.
  std::vector<XmlElement> Children(const XmlElement& e, std::initializer_list<std::string_view> known);
  // The one child of that name, or none; a second one is a fault.
  std::optional<XmlElement> Child(const XmlElement& e, std::string_view name);
  XmlElement RequiredChild(const XmlElement& e, std::string_view name);

  // Text as the file holds it (windows-1251).
  std::string Text(const XmlElement& e, std::string_view name);  // required
  std::string OptionalText(const XmlElement& e, std::string_view name);
  // The text must be one of `allowed` (UTF-8 literals).
  std::string OneOf(const XmlElement& e, std::string_view name, std::initializer_list<std::string_view> allowed);
  // Amounts: digits, optionally a "." and up to four decimals, optionally a "-" in front.
  Currency Amount(const XmlElement& e, std::string_view name);  // required
  Currency OptionalAmount(const XmlElement& e, std::string_view name);
  std::int64_t Integer(const XmlElement& e, std::string_view name, std::int64_t min, std::int64_t max);
  // "DD.MM.YYYY".
  TDate Date(const XmlElement& e, std::string_view name);
  std::optional<TDate> OptionalDate(const XmlElement& e, std::string_view name);
  // "YYYY" as 1 January of that year.
  TDate Year(const XmlElement& e, std::string_view name);

  [[noreturn]] void Fail(const XmlElement& e, std::string_view name, const std::string& what) const;

  // Elements met that the reader does not know, by name (UTF-8).
  std::set<std::string> Unread;
};

// The texts of an address of the Russian Federation (`АдрРФ`, `АдрОбъект`), each only when the
// file has it; the region is read by the caller, which keeps it as a number or as text.
template <class Address>
void ReadAddressTexts(TReader& r, const XmlElement& e, Address& a) {
  a.PostIndex = r.OptionalText(e, "Индекс");
  a.District = r.OptionalText(e, "Район");
  a.City = r.OptionalText(e, "Город");
  a.Locality = r.OptionalText(e, "НаселПункт");
  a.Street = r.OptionalText(e, "Улица");
  a.House = r.OptionalText(e, "Дом");
  a.Building = r.OptionalText(e, "Корпус");
  a.Flat = r.OptionalText(e, "Кварт");
}

// Amount text of the file to Currency; none when it is not of the file's form.
std::optional<Currency> ParseAmount(std::string_view text);

// Groups of income codes that decide a 13 % source's `ВидДоход` (see IncomeKindOfEntries).
enum class TGroup {
  Wages,     // 2000, 2010: "06" / "07"
  Rent,      // 1400, 2400: "04"
  Property,  // 1510, 1511: "01" / "09"
  OtherSale, // 1512, 1520: "02"
  Securities,  // "03"
  Gifts,     // 2220, 2720, 2790: "05"
  Other,     // anything else: "10"
};

// One income entry a sheet calls for; the placement puts it into a source of sheet А.
struct TEntryItem {
  TGroup Group = TGroup::Other;
  std::int32_t IncomeCode = 0;
  std::int32_t DeductCode = 0;
  Currency Amount;
  Currency Deduct;
  // Placed after every sale of a share in walking order: flats and shares use one limit in
  // that order.
  bool Rigid = false;
};

// The group an income code belongs to.
TGroup GroupOf(std::int32_t incomeCode);

struct TSourceSlot {
  mTThirteenPercent* Source = nullptr;
  std::string Kind;  // `ВидДоход` of the file
  Currency Room;     // `Доход` not yet given to an entry
};

// Puts the items into the sources so that each source's entries add up to its `Доход` and
// make its `ВидДоход`; the rest of each source becomes one entry of a code of its kind.
// Items that find no place are returned.
std::vector<TEntryItem> PlaceEntries(std::vector<TSourceSlot>& slots, const std::vector<TEntryItem>& items,
                                     const TIncomeDictionary* dictionary);

// A foreign line's figures that the file shows.
struct TForeignLine {
  mTCurrencyIncome* Income = nullptr;
  std::int32_t Rate = 13;
  bool CodeKnown = false;  // 1000, 1001 and 1012 show in the file
  Currency TaxDue;         // `НалЗачРФОбщ`
  // The deductions that give that tax: from Low to High, or anything from Low on.
  Currency DeductLow, DeductHigh;
  bool Unbounded = false;
};

// Everything one reading gathers besides the declaration itself.
struct TGathered {
  // A loss after which the declaration no longer computes every figure of the file.
  void Shortfall(std::string text) {
    Approximate = true;
    Losses.push_back(std::move(text));
  }
  bool Approximate = false;

  std::vector<TEntryItem> Items13;    // into Sources13 (the 30 % sources of a non-resident)
  std::vector<TEntryItem> Items13NR;  // into Sources13NR
  std::vector<TSourceSlot> Slots13;
  std::vector<TSourceSlot> Slots13NR;
  std::vector<TForeignLine> Foreign;
  std::vector<std::string> Losses;
  // Section 2 blocks and section 1 lines as the file has them, for the check of the result.
  std::vector<XmlElement> TaxBases;
  std::vector<XmlElement> Section1;
  // Section 2 figures that say where incomes come from: the dividends at 13 % (those of the
  // sources of sheet А and the foreign ones), and the tax on incomes of code 2620 at 35 %.
  Currency DividendIncome;
  Currency Withheld2620;
  Currency Withheld35;
  bool OwnOktmoKnown = false;
  // Housing objects as the file shows them: the expenses taken and whether the share is shown.
  std::vector<std::pair<Currency, bool>> HousingShown;
  // Sheet И: the operations of the partnerships and their income in all.
  bool InvestSheet = false;
  std::vector<mTInvestTovIncome> InvestItems;
  Currency InvestIncome;
};

// Gives the foreign lines of unknown code whose incomes add up to `income` that code and
// deduction code, with deductions adding up to `deduct` as far as their tax allows; false when
// no such lines are found.
bool AssignForeign(TGathered& g, std::int32_t code, std::int32_t deductCode, Currency income, Currency deduct);

// The parts of the file, each into the declaration and what it gathers.
void ReadHeader3(TReader& r, const XmlElement& document, mTDeclaration& d);
void ReadDocument4(TReader& r, const XmlElement& document, mTDeclaration& d);
void ReadSigner(TReader& r, const XmlElement& document, mTDeclaration& d, bool form4);
void ReadSections12(TReader& r, const XmlElement& body, mTDeclaration& d, TGathered& g);
void ReadSheetA(TReader& r, const XmlElement& body, mTDeclaration& d, TGathered& g);
void ReadSheetB(TReader& r, const XmlElement& body, mTDeclaration& d, TGathered& g);
void ReadSheetV(TReader& r, const XmlElement& body, mTDeclaration& d);
void ReadSheetG(TReader& r, const XmlElement& body, mTDeclaration& d, TGathered& g);
void ReadSheetD1(TReader& r, const XmlElement& body, mTDeclaration& d, TGathered& g);
void ReadSheetD2(TReader& r, const XmlElement& body, TGathered& g);
void ReadSheetE1(TReader& r, const XmlElement& body, mTDeclaration& d, TGathered& g);
void ReadSheetE2(TReader& r, const XmlElement& body, mTDeclaration& d);
void ReadSheetZh(TReader& r, const XmlElement& body, mTDeclaration& d, TGathered& g);
void ReadSheetZ(TReader& r, const XmlElement& body, mTDeclaration& d, TGathered& g);
void ReadSheetI(TReader& r, const XmlElement& body, TGathered& g);

}  // namespace returnxml
}  // namespace talver
