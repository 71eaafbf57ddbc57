// Sections 1 and 2 and the income sheets of a 3-НДФЛ body: А, Б, В, Г, Д2, Ж, З and И.
#include <algorithm>
#include <functional>

#include "compute/SheetsD.h"
#include "import/ReturnXml.h"
#include "import/ReturnXmlParts.h"
#include "platform/Math2.h"
#include "platform/Text1251.h"

namespace talver::returnxml {
namespace {

TEntryItem Item(std::int32_t code, std::int32_t deductCode, Currency amount, Currency deduct) {
  TEntryItem item;
  item.Group = GroupOf(code);
  item.IncomeCode = code;
  item.DeductCode = deductCode;
  item.Amount = amount;
  item.Deduct = deduct;
  return item;
}

// Every attribute of an element read as an amount, so that a damaged one is a fault.
void CheckAmounts(TReader& r, const XmlElement& e, std::initializer_list<std::string_view> names) {
  for (const std::string_view name : names) r.Amount(e, name);
}

// The payer of a source: a private person or an organisation.
void ReadPayer(TReader& r, const XmlElement& income, mTSourseIncomeInfo& s) {
  const std::optional<XmlElement> person = r.Child(income, "ИстФЛИн");
  const std::optional<XmlElement> organisation = r.Child(income, "ИстЮЛ");
  if (person.has_value() == organisation.has_value()) {
    r.Fail(income, {}, "должен содержать ровно один из элементов «ИстФЛИн» и «ИстЮЛ»");
  }
  if (person) {
    r.Children(*person, {});
    s.Name = r.Text(*person, "ФИОИн");
    s.Inn = r.OptionalText(*person, "ИННФЛ");
  } else {
    r.Children(*organisation, {});
    s.Name = r.Text(*organisation, "Наим");
    s.Inn = r.Text(*organisation, "ИННЮЛ");
    s.Kpp = r.Text(*organisation, "КПП");
  }
}

struct TSourceLine {
  XmlElement Element;
  std::string Rate;
  std::string Kind;
  std::string Oktmo;
  Currency Income, Taxable, Computed, Withheld;
};

template <class Source>
void Fill(TReader& r, const TSourceLine& line, Source& s) {
  ReadPayer(r, line.Element, s);
  s.Oktmo = line.Oktmo;
  s.TaxWithheld = line.Withheld;
}

// A subset of `amounts` whose sum is `target`: all of them or none when that is it, else the
// first of the subsets of the first 16 in counting order, else what taking the largest first
// gives; none when nothing found adds up.
std::optional<std::vector<std::size_t>> SubsetWithSum(const std::vector<Currency>& amounts, Currency target) {
  std::vector<std::size_t> all(amounts.size());
  Currency total;
  for (std::size_t i = 0; i < amounts.size(); ++i) {
    all[i] = i;
    total += amounts[i];
  }
  if (target.IsZero()) return std::vector<std::size_t>();
  if (total == target) return all;
  const std::size_t n = std::min<std::size_t>(amounts.size(), 16);
  for (std::uint32_t mask = 1; mask < (1u << n); ++mask) {
    Currency sum;
    for (std::size_t i = 0; i < n; ++i) {
      if (mask & (1u << i)) sum += amounts[i];
    }
    if (sum != target) continue;
    std::vector<std::size_t> chosen;
    for (std::size_t i = 0; i < n; ++i) {
      if (mask & (1u << i)) chosen.push_back(i);
    }
    return chosen;
  }
  std::sort(all.begin(), all.end(), [&](std::size_t a, std::size_t b) { return amounts[b] < amounts[a]; });
  std::vector<std::size_t> chosen;
  Currency left = target;
  for (const std::size_t i : all) {
    if (amounts[i] <= left) {
      chosen.push_back(i);
      left -= amounts[i];
    }
  }
  if (!left.IsZero()) return std::nullopt;
  std::sort(chosen.begin(), chosen.end());
  return chosen;
}

// The deductions that make a foreign income's Russian tax what the file says: `НалЗачРФОбщ`
// is the tax at the rate on the income less the deduction, to the kopeck.
void DeductionWindow(TForeignLine& line, std::int32_t rate) {
  const Currency income = line.Income->IncomeInRoubles;
  line.DeductLow = line.DeductHigh = Currency();
  if (MulDivRoundTo2(income, rate, 100) == line.TaxDue) return;
  const Currency guess = MulDivRoundTo2(line.TaxDue, 100, rate);
  bool found = false;
  for (std::int64_t kopecks = 5; kopecks >= -5; --kopecks) {
    const Currency base = guess + Currency::FromKopecks(kopecks);
    if (base > income || base < Currency() || MulDivRoundTo2(base, rate, 100) != line.TaxDue) continue;
    if (!found) line.DeductLow = income - base;
    line.DeductHigh = income - base;
    found = true;
  }
  // No tax at all: the deduction took the whole income, or more.
  line.Unbounded = line.TaxDue <= Currency();
}

}  // namespace

bool AssignForeign(TGathered& g, std::int32_t code, std::int32_t deductCode, Currency income, Currency deduct) {
  std::vector<std::size_t> open;
  std::vector<Currency> amounts;
  for (std::size_t i = 0; i < g.Foreign.size(); ++i) {
    if (g.Foreign[i].CodeKnown) continue;
    open.push_back(i);
    amounts.push_back(g.Foreign[i].Income->IncomeInRoubles);
  }
  std::optional<std::vector<std::size_t>> chosen = SubsetWithSum(amounts, income);
  // What carries only a deduction goes with an income of nothing.
  if (chosen && chosen->empty()) {
    const auto none = std::find(amounts.begin(), amounts.end(), Currency());
    if (none == amounts.end()) return false;
    chosen->push_back(static_cast<std::size_t>(none - amounts.begin()));
  }
  if (!chosen) return false;
  // Each line's deduction stays within what its tax allows; a deduction above the income
  // leaves no tax to show how far above it went.
  Currency claimed;
  for (const std::size_t k : *chosen) {
    TForeignLine& line = g.Foreign[open[k]];
    line.CodeKnown = true;
    line.Income->IncomeCode = code;
    line.Income->DeductCode = deductCode;
    claimed += line.Income->DeductAmount;
  }
  for (const std::size_t k : *chosen) {
    TForeignLine& line = g.Foreign[open[k]];
    const Currency room = line.Unbounded ? deduct : line.DeductHigh - line.DeductLow;
    const Currency raise = Min(room, Positive(deduct - claimed));
    line.Income->DeductAmount += raise;
    claimed += raise;
  }
  return true;
}

void ReadSections12(TReader& r, const XmlElement& body, mTDeclaration& d, TGathered& g) {
  for (const XmlElement& e : body.Children()) {
    if (e.Name() == "СумНалПу") {
      r.Children(e, {});
      const std::string sign = r.OneOf(e, "ПрУплВозв", {"1", "2", "3"});
      r.Text(e, "КБК");
      const std::string oktmo = r.Text(e, "ОКТМО");
      CheckAmounts(r, e, {"ПодлУпл", "ПодлВозв"});
      if (!g.OwnOktmoKnown && (sign != "2" || r.Text(e, "КБК") == "18210102020011000110")) {
        d.Person.Address.Oktmo = oktmo;
        g.OwnOktmoKnown = true;
      }
      g.Section1.push_back(e);
    } else if (e.Name() == "НалБаза") {
      r.Children(e, {"РасчНалБаза", "РасчНалПУ"});
      const std::string rate = r.OneOf(e, "Ставка", {"13", "30", "35", "09", "15"});
      const std::string kind = r.OneOf(e, "ВидДоход", {"1", "2", "3"});
      const XmlElement base = r.RequiredChild(e, "РасчНалБаза");
      const XmlElement tax = r.RequiredChild(e, "РасчНалПУ");
      r.Children(base, {});
      r.Children(tax, {});
      CheckAmounts(r, base, {"ДоходОбщ", "ДоходОбщНеНал", "ДоходОбщНал", "СумНалВыч", "СумРасхУм", "СумДохДивКИК", "НалБаза"});
      CheckAmounts(r, tax, {"Исчисл", "УдержОбщ", "УдержОбщМВ", "ТСУплПерЗач", "УплАвФакт", "ОбщАвУплЗач227.1",
                            "УплИнПодлЗач", "ИсчислУпл", "УплПатентЗач", "ПодлУпл", "ПодлВозв"});
      if (rate == "13" && kind == "3") {
        d.TradeFee = r.Amount(tax, "ТСУплПерЗач");
        d.PatentPayments = r.Amount(tax, "УплПатентЗач");
        d.ForeignerFixedPayments = r.Amount(tax, "ОбщАвУплЗач227.1");
        d.AdvancePaymentsPaid = r.Amount(tax, "УплАвФакт");
      } else if (rate == "13" && kind == "1") {
        g.DividendIncome = r.Amount(base, "ДоходОбщ");
      } else if (rate == "35") {
        g.Withheld2620 = r.Amount(tax, "УдержОбщМВ");
        g.Withheld35 = r.Amount(tax, "УдержОбщ");
      }
      g.TaxBases.push_back(e);
    }
  }
  if (g.Section1.empty()) r.Fail(body, {}, "не содержит ни одной строки раздела 1 («СумНалПу»)");
  if (g.TaxBases.empty()) r.Fail(body, {}, "не содержит ни одного расчета раздела 2 («НалБаза»)");
}

void ReadSheetA(TReader& r, const XmlElement& body, mTDeclaration& d, TGathered& g) {
  const bool resident = d.DeclarationForm == kForm3Resident;
  std::vector<TSourceLine> lines;
  for (const XmlElement& e : body.Children()) {
    if (e.Name() != "ДоходИстРФ") continue;
    r.Children(e, {"ИстФЛИн", "ИстЮЛ"});
    TSourceLine line{e,
                     resident ? r.OneOf(e, "Ставка", {"09", "13", "35"}) : r.OneOf(e, "Ставка", {"13", "15", "30"}),
                     r.Text(e, "ВидДоход"),
                     r.OptionalText(e, "ОКТМО"),
                     r.Amount(e, "Доход"),
                     r.Amount(e, "ДоходОбл"),
                     r.Amount(e, "НалИсчисл"),
                     r.Amount(e, "НалУдерж")};
    lines.push_back(std::move(line));
  }
  if (!lines.empty()) d.SetSections(d.Sections | kSectionRussian);

  // The sources at 13 % (30 % for a non-resident) that the partnerships take: the last ones
  // of kind "03" that carry the income of sheet И between them.
  const std::string runRate = resident ? "13" : "30";
  std::vector<std::size_t> run;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].Rate == runRate && lines[i].Kind != "08") run.push_back(i);
  }
  std::size_t investFrom = run.size();
  if (g.InvestSheet) {
    Currency carried;
    while (investFrom > 0 && lines[run[investFrom - 1]].Kind == "03" && carried < g.InvestIncome) {
      --investFrom;
      carried += lines[run[investFrom]].Income;
    }
  }
  std::vector<bool> invest(lines.size(), false);
  for (std::size_t i = investFrom; i < run.size(); ++i) invest[run[i]] = true;
  if (investFrom < run.size() || g.InvestSheet) d.SetSections(d.Sections | kSectionInvestTov);

  std::vector<mTInvestTov*> partnerships;
  std::vector<Currency> partnershipRoom;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const TSourceLine& line = lines[i];
    if (invest[i]) {
      mTInvestTov& s = d.InvestSources.Get(d.InvestSources.Add());
      Fill(r, line, s);
      s.TaxableIncome = line.Taxable;
      s.TaxComputed = line.Computed;
      partnerships.push_back(&s);
      partnershipRoom.push_back(line.Income);
    } else if ((line.Rate == runRate && line.Kind != "08") || (!resident && line.Rate == "13")) {
      mTList<mTThirteenPercent>& list = (!resident && line.Rate == "13") ? d.Sources13NR : d.Sources13;
      mTThirteenPercent& s = list.Get(list.Add());
      Fill(r, line, s);
      s.TaxableIncome = line.Taxable;
      s.TaxComputed = line.Computed;
      TSourceSlot slot{&s, line.Kind, line.Income};
      (&list == &d.Sources13NR ? g.Slots13NR : g.Slots13).push_back(slot);
    } else if (line.Rate == "09" || line.Kind == "08" || line.Rate == "15") {
      mTList<mTThirtyPercent>& list = line.Rate == "09" ? d.Sources9 : d.SourcesDividends;
      mTThirtyPercent& s = list.Get(list.Add());
      Fill(r, line, s);
      s.IncomeCode = line.Rate == "09" ? 1011 : 1010;
      s.IncomeTotal = line.Income;
      s.TaxableIncome = line.Taxable;
      s.TaxComputed = line.Computed;
    } else {
      mTThirtyFivePercent& s = d.Sources35.Get(d.Sources35.Add());
      Fill(r, line, s);
      s.IncomeTotal = line.Income;
      // A prize of an advertising campaign shows its exempt part as the difference.
      s.IncomeCode = 2610;
      if (line.Taxable < line.Income) {
        s.IncomeCode = 2740;
        s.DeductCode = 505;
        s.DeductAmount = line.Income - line.Taxable;
      }
    }
  }

  // Tax withheld at 35 % from sources the sheet does not list: of code 2620, and of sources
  // without income when none at 35 % has any.
  if (resident && g.Withheld2620 > Currency()) {
    mTThirtyFivePercent& s = d.Sources35.Get(d.Sources35.Add());
    s.IncomeCode = 2620;
    s.TaxWithheld = g.Withheld2620;
    g.Losses.push_back("Доходы с кодом 2620 восстановлены одним источником без дохода и без ОКТМО: в файле есть только удержанный с них налог");
    d.SetSections(d.Sections | kSectionRussian);
  }
  Currency listed35;
  ForEachOf(d.Sources35, [&](const mTThirtyFivePercent& s) {
    if (s.IncomeCode != 2620) listed35 += s.TaxWithheld;
  });
  if (resident && g.Withheld35 > listed35) {
    mTThirtyFivePercent& s = d.Sources35.Get(d.Sources35.Add());
    s.IncomeCode = 2610;
    s.TaxWithheld = g.Withheld35 - listed35;
    g.Losses.push_back("Источники дохода по ставке 35 % без дохода восстановлены одним источником без ОКТМО");
    d.SetSections(d.Sections | kSectionRussian);
  }

  // The partnerships' operations, source by source as far as each one's income goes.
  std::size_t next = 0;
  for (const mTInvestTovIncome& item : g.InvestItems) {
    mTInvestTovIncome left = item;
    bool placed = false;
    while (!placed) {
      while (next < partnerships.size() && partnershipRoom[next] <= Currency() &&
             !(left.Income.IsZero() && next + 1 == partnerships.size())) {
        ++next;
      }
      if (next >= partnerships.size()) break;
      mTInvestTovIncome piece = left;
      piece.Income = Min(left.Income, partnershipRoom[next]);
      partnerships[next]->AddEntry(piece);
      partnershipRoom[next] -= piece.Income;
      left.Income -= piece.Income;
      left.ExpenseShare = left.ManagerExpenses = left.PriorLosses = Currency();
      placed = left.Income.IsZero();
    }
    if (!placed) g.Shortfall("Доходы инвестиционных товариществ листа И больше доходов их источников листа А");
  }
  for (std::size_t i = 0; i < partnerships.size(); ++i) {
    if (partnershipRoom[i] > Currency()) {
      mTInvestTovIncome rest;
      rest.Income = partnershipRoom[i];
      partnerships[i]->AddEntry(rest);
    }
  }
}

void ReadSheetB(TReader& r, const XmlElement& body, mTDeclaration& d, TGathered& g) {
  for (const XmlElement& block : body.Children()) {
    if (block.Name() != "ДоходИстИно") continue;
    d.SetSections(d.Sections | kSectionForeign);
    const std::string rateText = r.OneOf(block, "Ставка", {"09", "13", "35"});
    const std::int32_t rate = rateText == "09" ? 9 : rateText == "13" ? 13 : 35;
    for (const XmlElement& e : r.Children(block, {"РасчДохНалИно"})) {
      if (e.Name() != "РасчДохНалИно") continue;
      r.Children(e, {});
      mTCurrencyIncome& f = d.CurrencyIncomes.Get(d.CurrencyIncomes.Add());
      TForeignLine line;
      line.Income = &f;
      line.Rate = rate;
      line.TaxDue = r.OptionalAmount(e, "НалЗачРФОбщ");
      f.IncomeRate = rate;
      f.CountryCode = r.Text(e, "ОКСМ");
      f.SourceName = r.Text(e, "НаимИстДох");
      f.CurrencyCode = r.Text(e, "КодВалют");
      const std::string kind = r.OneOf(e, "КодВидДох", {"1", "2"});
      f.CfcNumber = r.OptionalText(e, "НомерКИК");
      f.IncomeDate = r.Date(e, "ДатаДох");
      f.TaxPaymentDate = f.IncomeDate;
      // A rate is written for one unit of the currency; an empty one had no units.
      const auto readRate = [&](const char* name, Currency& roubles, std::int32_t& units) {
        if (r.Text(e, name).empty()) return;
        roubles = r.Amount(e, name);
        units = 1;
      };
      readRate("КурсВалютДох", f.IncomeRateRub, f.IncomeRateUnits);
      f.IncomeInCurrency = r.Amount(e, "ДоходИноВал");
      f.IncomeInRoubles = r.Amount(e, "ДоходИноРуб");
      const Currency liquidation = r.OptionalAmount(e, "ДохСтИмЛиквИн");
      const Currency cfcDividend = r.OptionalAmount(e, "ДохДивКИК");
      if (e.Attribute("ПорядПрибКИК")) f.CfcProfitMethod = static_cast<std::uint16_t>(r.Integer(e, "ПорядПрибКИК", 1, 2));
      if (e.Attribute("НалУплИноРуб")) {
        f.TaxPaymentDate = r.Date(e, "ДатаУплНал");
        readRate("КурсВалютНал", f.TaxRateRub, f.TaxRateUnits);
        f.TaxInCurrency = r.Amount(e, "НалУплИноВал");
        f.TaxInRoubles = r.Amount(e, "НалУплИноРуб");
      }
      r.OptionalAmount(e, "НалогЗачРФОбщ");
      f.IncomeCode = 4800;
      if (rate == 13 && kind == "1") {
        f.IncomeCode = 1000;
        line.CodeKnown = true;
      } else if (rate == 13 && liquidation > Currency()) {
        f.IncomeCode = 1001;
        line.CodeKnown = true;
      } else if (rate == 13 && cfcDividend > Currency()) {
        f.IncomeCode = 1012;
        line.CodeKnown = true;
      }
      if (f.IncomeCode != 1001 && f.IncomeCode != 1012) {
        DeductionWindow(line, rate);
        f.DeductAmount = line.DeductLow;
      }
      g.Foreign.push_back(line);
    }
  }
  if (g.Foreign.empty()) return;
  g.Losses.push_back("Коды доходов, полученных за пределами РФ, и коды их вычетов в файле не хранятся: они подобраны по итогам листов декларации");

  // Dividends from abroad: section 2 holds them with those of the sources of sheet А.
  if (d.DeclarationForm != kForm3Resident) return;
  Currency dividends = g.DividendIncome;
  ForEachOf(d.SourcesDividends, [&](const mTThirtyPercent& s) { dividends -= s.TaxableIncome; });
  std::vector<std::size_t> open;
  std::vector<Currency> amounts;
  for (std::size_t i = 0; i < g.Foreign.size(); ++i) {
    const TForeignLine& line = g.Foreign[i];
    if (line.Income->IncomeCode == 1012) dividends -= line.Income->IncomeInRoubles;
    if (line.CodeKnown || line.Rate != 13) continue;
    open.push_back(i);
    amounts.push_back(line.Income->IncomeInRoubles);
  }
  if (dividends <= Currency()) return;
  const std::optional<std::vector<std::size_t>> chosen = SubsetWithSum(amounts, dividends);
  if (!chosen) {
    g.Shortfall("Не удалось определить, какие доходы из-за рубежа являются дивидендами");
    return;
  }
  for (const std::size_t k : *chosen) {
    TForeignLine& line = g.Foreign[open[k]];
    line.Income->IncomeCode = 1010;
    line.CodeKnown = true;
  }
}

void ReadSheetV(TReader& r, const XmlElement& body, mTDeclaration& d) {
  const std::optional<XmlElement> sheet = r.Child(body, "ДоходПредпр");
  if (!sheet) return;
  d.SetSections(d.Sections | kSectionBusiness);
  CheckAmounts(r, *sheet, {"ДоходИт", "ВычПрофИт"});
  d.AdvancePaymentsAccrued = r.OptionalAmount(*sheet, "НачислАвИт");
  d.AdvancePaymentsPaid = r.OptionalAmount(*sheet, "УплФактАвИт");
  for (const XmlElement& e : r.Children(*sheet, {"РасчВидДеят", "СведКФХ", "НБКор105.3"})) {
    r.Children(e, {});
    if (e.Name() == "РасчВидДеят") {
      mTBusinessNew& b = d.Businesses.Get(d.Businesses.Add());
      b.ActivityKind = r.OneOf(e, "ВидДеят", {"1", "2", "3", "4", "5", "6"});
      if (b.ActivityKind == "1") b.Okved = r.Text(e, "ОКВЭД");
      b.Income = r.Amount(e, "Доход");
      if (e.Attribute("РасхПредНорм")) {
        b.ExpensesConfirmed = 0;
        b.ExpenseNorm = r.Amount(e, "РасхПредНорм");
      } else {
        b.ExpenseTotal = r.OptionalAmount(e, "РасхФакт");
        b.MaterialExpenses = r.OptionalAmount(e, "РасхФМат");
        b.Depreciation = r.OptionalAmount(e, "РасхФАмНач");
        b.LabourCosts = r.OptionalAmount(e, "РасхФОплТруд");
        b.LabourContractCosts = r.OptionalAmount(e, "РасхФТрДог");
        b.OtherExpenses = r.OptionalAmount(e, "РасхФПроч");
      }
    } else if (e.Name() == "СведКФХ") {
      d.IsPeasantFarm = 1;
      d.FarmRegistrationDate = r.Year(e, "ГодРегКФХ");
      d.FarmExemptIncome = r.Amount(e, "ДоходНеНал");
    } else if (e.Name() == "НБКор105.3") {
      d.AdjustedIncome = r.Amount(e, "НБКорСам");
      d.AdjustedExpense = r.Amount(e, "НалКорСам");
    }
  }
}

void ReadSheetG(TReader& r, const XmlElement& body, mTDeclaration& d, TGathered& g) {
  const std::optional<XmlElement> sheet = r.Child(body, "ДоходОсвПрев");
  if (!sheet) return;
  r.Amount(*sheet, "ДохНеНалОбщ");
  struct Kind {
    const char* Element;
    std::int32_t IncomeCode, DeductCode;
    bool Limited;
  };
  static const Kind kinds[] = {
      {"МатПомРожд", 2762, 508, false}, {"МатПомРаб", 2760, 503, true}, {"МатПомИнв", 2761, 506, true},
      {"ПодарНП", 2720, 501, true},     {"ПризНП", 2730, 502, true},    {"ВозмМед", 2770, 504, true},
      {"ПомПодар", 2790, 507, true},    {"ДопСВПенс", 1211, 510, true},
  };
  for (const XmlElement& e : r.Children(*sheet, {"МатПомРожд", "МатПомРаб", "МатПомИнв", "ПодарНП", "ПризНП", "ВозмМед",
                                                 "ПомПодар", "ДопСВПенс", "НатОплСХ", "ПризРекл"})) {
    r.Children(e, {});
    const Currency all = r.Amount(e, "ДоходВсИст");
    const Currency exempt = r.Amount(e, "ДоходНеНал");
    if (e.Name() == "НатОплСХ") {
      d.FarmMonthsWorked = static_cast<std::int32_t>(r.Integer(e, "КолМесОтраб", 0, 12));
      continue;
    }
    if (e.Name() == "ПризРекл") {
      if (d.DeclarationForm != kForm3Resident) {
        g.Items13.push_back(Item(2740, 505, all, exempt));
        continue;
      }
      // The prizes of sources at 35 % whose exemption was used up elsewhere still count in
      // the income of all of them.
      Currency claimed;
      std::vector<mTThirtyFivePercent*> others;
      std::vector<Currency> amounts;
      ForEachOf(d.Sources35, [&](mTThirtyFivePercent& s) {
        if (s.IncomeCode == 2740) {
          claimed += s.IncomeTotal;
        } else if (s.IncomeCode != 2620) {
          others.push_back(&s);
          amounts.push_back(s.IncomeTotal);
        }
      });
      if (all > claimed) {
        const std::optional<std::vector<std::size_t>> chosen = SubsetWithSum(amounts, all - claimed);
        if (!chosen) {
          g.Shortfall("Не удалось определить все источники призов по рекламным акциям (ставка 35 %)");
          continue;
        }
        for (const std::size_t k : *chosen) {
          others[k]->IncomeCode = 2740;
          others[k]->DeductCode = 505;
        }
      }
      continue;
    }
    for (const Kind& kind : kinds) {
      if (e.Name() != kind.Element) continue;
      if (!kind.Limited) {
        g.Items13.push_back(Item(kind.IncomeCode, kind.DeductCode, all, exempt));
        break;
      }
      // Each item counts up to the limit and so does the year: one item of the exempt amount
      // and the rest without the deduction make both sums.
      g.Items13.push_back(Item(kind.IncomeCode, kind.DeductCode, exempt, exempt));
      if (all > exempt) g.Items13.push_back(Item(kind.IncomeCode, 0, all - exempt, Currency()));
      break;
    }
  }
}

void ReadSheetD2(TReader& r, const XmlElement& body, TGathered& g) {
  const std::optional<XmlElement> sheet = r.Child(body, "ИмущНалВычПр");
  if (!sheet) return;
  r.Amount(*sheet, "ВычетОбщ");
  struct Pair {
    const char* Element;
    const char* Amount;  // "НалВычет" or "РасхДок"
    std::int32_t IncomeCode, DeductCode;
  };
  static const Pair pairs[] = {
      {"СумИмущДок", "РасхДок", 1510, 903},      {"СумИнНедИмущ", "НалВычет", 1512, 902},
      {"СумИнНедИмущДок", "РасхДок", 1512, 903}, {"СумИнИмущ", "НалВычет", 1520, 906},
      {"СумИнИмущДок", "РасхДок", 1520, 903},    {"СумИзтИмущ", "НалВычет", 4900, 908},
      {"СумЛиквИО", "НалВычет", 4910, 910},      {"СумИмущКИК", "НалВычет", 4920, 912},
  };
  Currency flatIncome, flatDeduction, shareIncome, shareDeduction;
  for (const XmlElement& group : r.Children(*sheet, {"ВычЖилИмущ", "ВычИзтИмущ", "ВычИмущ220.2"})) {
    for (const XmlElement& e : r.Children(group, {"СумИмущ", "СумДолИмущ", "СумИмущДок", "СумИнНедИмущ", "СумИнНедИмущДок",
                                                  "СумИнИмущ", "СумИнИмущДок", "СумИзтИмущ", "СумЛиквИО", "СумИмущКИК"})) {
      r.Children(e, {});
      const Currency income = r.Amount(e, "ДохВсехИст");
      if (e.Name() == "СумИмущ") {
        flatIncome = income;
        flatDeduction = r.Amount(e, "НалВычет");
      } else if (e.Name() == "СумДолИмущ") {
        shareIncome = income;
        shareDeduction = r.Amount(e, "НалВычет");
      }
      for (const Pair& p : pairs) {
        if (e.Name() == p.Element) g.Items13.push_back(Item(p.IncomeCode, p.DeductCode, income, r.Amount(e, p.Amount)));
      }
    }
  }
  // Sales of flats and of shares use one limit in walking order: the shares first, claiming
  // what leaves the flats exactly their deduction when it is below their income.
  if (flatIncome > Currency() || shareIncome > Currency() || shareDeduction > Currency()) {
    const Currency claim = flatDeduction < flatIncome ? kSaleLimit - flatDeduction : shareDeduction;
    g.Items13.push_back(Item(1511, 904, shareIncome, claim));
    TEntryItem flats = Item(1510, 901, flatIncome, flatDeduction);
    flats.Rigid = true;
    g.Items13.push_back(flats);
  }
}

void ReadSheetZh(TReader& r, const XmlElement& body, mTDeclaration& d, TGathered& g) {
  struct Pair {
    const char* Element;
    const char* Income;
    std::int32_t IncomeCode, DeductCode;
  };
  // The same codes abroad as at home: the foreign incomes page offers these pairs.
  static const Pair pairs[] = {
      {"РасхФактДогГПХ", "СумДохДогГПХ", 2010, 403},   {"РасхФактАвтВозн", "СумАвторВозн", 2201, 404},
      {"РасхНормАвтВозн", "СумАвторВозн", 2201, 405},  {"РасхФактУстКап", "СумДохУстКап", 1540, 315},
      {"РасхФактПрдчСр", "СумДохПрдчСр", 1560, 317},   {"РасхФактУмДолУКО", "СумДохУмДолУКО", 1570, 318},
      {"РасхФактДолСтр", "СумДохУстПрав", 1550, 314},
  };
  for (const XmlElement& sheet : body.Children()) {
    if (sheet.Name() != "ПрофНалВыч") continue;
    const bool foreign = r.OneOf(sheet, "ПрИст", {"1", "2"}) == "2";
    r.Amount(sheet, "РасходОбщИт");
    for (const XmlElement& e : r.Children(sheet, {"РасхФактДогГПХ", "РасхФактАвтВозн", "РасхНормАвтВозн", "РасхФактУстКап",
                                                  "РасхФактПрдчСр", "РасхФактУмДолУКО", "РасхФактДолСтр"})) {
      r.Children(e, {});
      for (const Pair& p : pairs) {
        if (e.Name() != p.Element) continue;
        const Currency income = r.Amount(e, p.Income);
        const Currency expenses = r.Amount(e, "СумРасхВыч");
        if (!foreign) {
          if (d.DeclarationForm == kForm3Resident) {
            g.Items13.push_back(Item(p.IncomeCode, p.DeductCode, income, expenses));
          } else if (p.IncomeCode == 2010) {
            g.Items13NR.push_back(Item(p.IncomeCode, p.DeductCode, income, expenses));
          }
          continue;
        }
        // Abroad each income is one line of sheet Б: those of this pair are found by their sum.
        if (!AssignForeign(g, p.IncomeCode, p.DeductCode, income, expenses)) {
          g.Shortfall("Не удалось определить доходы из-за рубежа, к которым относятся профессиональные вычеты листа Ж");
        }
      }
    }
  }
}

void ReadSheetZ(TReader& r, const XmlElement& body, mTDeclaration& d, TGathered& g) {
  struct Codes {
    std::int32_t CbOrg, CbNotOrg, CbOrgNotOrg, PfiOrgCb, PfiOrgNotCb, PfiNotOrg, RepoOrg, RepoNotOrg, LoanOrg, LoanNotOrg;
    std::int32_t CbOrgCost, CbOrgInterest, CbNotOrgCost, CbNotOrgInterest, OrgNotOrgCost, PfiOrgCbCost, PfiOrgNotCbCost,
        PfiNotOrgCost, RepoCost, LoanCost;
  };
  static const Codes ordinary = {1530, 1531, 1536, 1532, 1535, 1533, 1537, 9537, 1538, 9538,
                                 201,  218,  202,  219,  201,  207,  208,  209,  210,  211};
  static const Codes individual = {1544, 1545, 1549, 1546, 1548, 1547, 1551, 9551, 1552, 9552,
                                   225,  233,  226,  234,  227,  228,  229,  230,  231,  232};
  for (const XmlElement& block : body.Children()) {
    if (block.Name() != "ДохОперЦБ") continue;
    const bool iis = r.OneOf(block, "ВидОпер", {"1", "2"}) == "1";
    const Codes& c = iis ? individual : ordinary;
    mTCBDeduct& losses = iis ? d.IisLosses : d.SecuritiesLosses;
    const auto result = [&](const XmlElement& e) { return r.RequiredChild(e, "РасчФинРез"); };
    const auto add = [&](std::int32_t code, std::int32_t deductCode, Currency amount, Currency deduct) {
      if (amount > Currency() || deduct > Currency()) g.Items13.push_back(Item(code, deductCode, amount, deduct));
    };
    // A REPO or loan loss reduces the income of the market it was made on; splitting the
    // income and the expenses between the markets gives back the two parts of the loss.
    const auto markets = [&](Currency income, Currency expenses, Currency orgLoss, Currency notOrgLoss, bool orgIncome,
                             bool notOrgIncome, std::int32_t orgCode, std::int32_t notOrgCode, std::int32_t deductCode) {
      const Currency loss = expenses - income;
      if (loss <= Currency()) {
        add(orgCode, deductCode, income, expenses);
        return;
      }
      const Currency orgPart = orgIncome ? orgLoss : notOrgIncome ? loss - notOrgLoss : Currency();
      g.Items13.push_back(Item(orgCode, deductCode, income, income + orgPart));
      g.Items13.push_back(Item(notOrgCode, deductCode, Currency(), loss - orgPart));
    };
    Currency orgIncome, notOrgIncome;
    for (const XmlElement& e : r.Children(block, {"ДохОперЦБОрг", "ДохОперЦБОргНеОрг", "ДохОперЦБНеОрг", "ДохПФИОргЦБ",
                                                  "ДохПФИОргНеЦБ", "ДохПФИНеОрг", "ДохРЕПО", "ДохЗаймЦБ", "УбытПредПер",
                                                  "УбытПрхПер", "ИтогСовОпер"})) {
      const std::string name = e.Name();
      if (name == "ДохОперЦБОрг") {
        r.Children(e, {"РасчФинРез", "РасчДохОбл", "РаспрУбыт"});
        const XmlElement f = result(e);
        orgIncome = r.Amount(f, "ДохСовОпер");
        add(c.CbOrg, c.CbOrgCost, orgIncome, r.Amount(f, "РасхРеалЦБ"));
        add(c.CbOrg, c.CbOrgInterest, Currency(), r.Amount(f, "ПроцРасх"));
      } else if (name == "ДохОперЦБОргНеОрг") {
        r.Children(e, {});
        add(c.CbOrgNotOrg, c.OrgNotOrgCost, r.Amount(e, "ДохСовОпер"), r.Amount(e, "РасхРеалЦБ"));
      } else if (name == "ДохОперЦБНеОрг") {
        r.Children(e, {});
        notOrgIncome = r.Amount(e, "ДохСовОпер");
        add(c.CbNotOrg, c.CbNotOrgCost, notOrgIncome, r.Amount(e, "РасхРеалЦБ"));
        add(c.CbNotOrg, c.CbNotOrgInterest, Currency(), r.Amount(e, "ПроцРасх"));
      } else if (name == "ДохПФИОргЦБ" || name == "ДохПФИОргНеЦБ") {
        r.Children(e, {"РасчФинРез", "РасчДохОбл", "РаспрУбыт"});
        const XmlElement f = result(e);
        add(name == "ДохПФИОргЦБ" ? c.PfiOrgCb : c.PfiOrgNotCb, name == "ДохПФИОргЦБ" ? c.PfiOrgCbCost : c.PfiOrgNotCbCost,
            r.Amount(f, "ДохСовОпер"), r.Amount(f, "РасхРеалПФИ"));
      } else if (name == "ДохПФИНеОрг") {
        r.Children(e, {});
        add(c.PfiNotOrg, c.PfiNotOrgCost, r.Amount(e, "ДохСовОпер"), r.Amount(e, "РасхРеалПФИ"));
      } else if (name == "ДохРЕПО" || name == "ДохЗаймЦБ") {
        r.Children(e, {"РасчФинРез", "РаспрУбыт"});
        const bool repo = name == "ДохРЕПО";
        const XmlElement f = result(e);
        const std::optional<XmlElement> split = r.Child(e, "РаспрУбыт");
        const auto part = [&](const char* attribute) { return split ? r.Amount(*split, attribute) : Currency(); };
        markets(r.Amount(f, repo ? "ДохЗаймРЕПО" : "ДохДогЗайм"), r.Amount(f, repo ? "РасхЗаймРЕПО" : "РасхДогЗайм"),
                part(repo ? "УбытРЕПООбр" : "УбытЗаймЦБОбр"), part(repo ? "УбытРЕПОНеОбр" : "УбытЗаймЦБНеОбр"),
                orgIncome > Currency(), notOrgIncome > Currency(), repo ? c.RepoOrg : c.LoanOrg,
                repo ? c.RepoNotOrg : c.LoanNotOrg, repo ? c.RepoCost : c.LoanCost);
      } else if (name == "УбытПредПер") {
        for (const XmlElement& y : r.Children(e, {"ОстУбытНачВс", "ОстУбытПрошПер", "НалБазаПер", "СумУмНБПер", "ОстУбытКонВс"})) {
          r.Children(y, {});
          if (y.Name() != "ОстУбытПрошПер") continue;
          const int year = static_cast<int>(r.Integer(y, "ПериодПрош", 2006, 2015));
          for (std::size_t i = 0; i < mTCBDeduct::kYears.size(); ++i) {
            if (mTCBDeduct::kYears[i] != year) continue;
            losses.SecuritiesLoss[i] = r.OptionalAmount(y, "УбытНачЦБОбр");
            losses.DerivativesLoss[i] = r.OptionalAmount(y, "УбытНачПФИОбр");
          }
        }
      } else {
        r.Children(e, {});
      }
    }
  }
}

void ReadSheetI(TReader& r, const XmlElement& body, TGathered& g) {
  const std::optional<XmlElement> sheet = r.Child(body, "ДохИвестТов");
  if (!sheet) return;
  g.InvestSheet = true;
  static const char* const blocks[] = {"ДохЦБОбрИТ", "ДохЦБНеОбрИТ", "ДохПФИНеОбрИТ", "ДохУстКапИТ", "ДохПрочИТ"};
  for (const XmlElement& e : r.Children(*sheet, {"ДохЦБОбрИТ", "ДохЦБНеОбрИТ", "ДохПФИНеОбрИТ", "ДохУстКапИТ",
                                                 "ДохПрочИТ", "РасчДохВыхИТ", "ИтогСовОпер"})) {
    r.Children(e, {});
    for (std::size_t kind = 0; kind < 5; ++kind) {
      if (e.Name() != blocks[kind]) continue;
      mTInvestTovIncome item;
      item.OperationKind = static_cast<std::int32_t>(kind + 1);
      item.Income = r.Amount(e, "ДохСовокуп");
      item.ExpenseShare = r.Amount(e, "РасхДолУпрТов");
      item.ManagerExpenses = r.Amount(e, "РасхВознУпрТоп");
      item.PriorLosses = r.Amount(e, "УбытПрУмен");
      g.InvestItems.push_back(item);
    }
    if (e.Name() == "РасчДохВыхИТ") {
      mTInvestTovIncome item;
      item.OperationKind = 6;
      item.Income = r.Amount(e, "ДохВыхИТ");
      item.ExpenseShare = r.Amount(e, "ВкладИТ");
      g.InvestItems.push_back(item);
    } else if (e.Name() == "ИтогСовОпер") {
      g.InvestIncome = r.Amount(e, "ОбщДохСовОпер");
    }
  }
}

}  // namespace talver::returnxml
