// Sheets З and И of the 3-НДФЛ body: operations with securities and derivatives, and incomes
// from investment partnerships. Every amount here has kopecks.
#include <cstddef>
#include <initializer_list>
#include <utility>

#include "export/ExportSheets.h"
#include "export/ExportText.h"
#include "platform/NumberText.h"

namespace talver {
namespace {

// Attributes written in the order given, zero or not.
void AddAll(XmlElement& e, std::initializer_list<std::pair<const char*, Currency>> values) {
  for (const auto& [name, value] : values) AddKopecks(e, name, value);
}

void WriteFinancialResult(XmlElement& parent, std::initializer_list<std::pair<const char*, Currency>> values) {
  XmlElement e = parent.AppendElement("РасчФинРез");
  AddAll(e, values);
}

void WriteIfPositive(XmlElement& parent, const char* element, Currency condition,
                     std::initializer_list<std::pair<const char*, Currency>> values) {
  if (condition <= Currency()) return;
  XmlElement e = parent.AppendElement(element);
  AddAll(e, values);
}

// Securities and derivatives amounts, each only when positive.
void WritePair(XmlElement& parent, const char* element, const kTSecuritiesDerivatives& p) {
  XmlElement e = parent.AppendElement(element);
  AddKopecksIfPositive(e, "СуммаЦБ", p.СуммаЦБ);
  AddKopecksIfPositive(e, "СуммаПФИ", p.СуммаПФИ);
}

// Losses of earlier years, listed by calendar year whatever the order they are kept in.
void WriteEarlierLosses(XmlElement& block, const kTSvodSumPrilJ& j, const mTCBDeduct& losses) {
  if (!SumPositive({j.ОстУбытНачВс.СуммаЦБ, j.ОстУбытНачВс.СуммаПФИ})) return;
  XmlElement e = block.AppendElement("УбытПредПер");
  WritePair(e, "ОстУбытНачВс", j.ОстУбытНачВс);
  for (int year = 2006; year <= 2015; ++year) {
    for (std::size_t i = 0; i < mTCBDeduct::kYears.size(); ++i) {
      if (mTCBDeduct::kYears[i] != year) continue;
      const Currency securities = losses.SecuritiesLoss[i];
      const Currency derivatives = losses.DerivativesLoss[i];
      if (securities <= Currency() && derivatives <= Currency()) continue;
      XmlElement y = e.AppendElement("ОстУбытПрошПер");
      y.AddAttribute("ПериодПрош", IntToText(year));
      AddKopecksIfPositive(y, "УбытНачЦБОбр", securities);
      AddKopecksIfPositive(y, "УбытНачПФИОбр", derivatives);
    }
  }
  WritePair(e, "НалБазаПер", j.НалБазаПер);
  WritePair(e, "СумУмНБПер", j.СумУмНБПер);
  WritePair(e, "ОстУбытКонВс", j.ОстУбытКонВс);
}

void WriteSecuritiesBlock(XmlElement& body, const kTSvodSumPrilJ& j, const mTCBDeduct& losses, const char* kind) {
  if (!SumPositive({j.ОбщДохСовОпер, j.ОстУбытНачВс.СуммаЦБ, j.ОстУбытНачВс.СуммаПФИ})) return;
  XmlElement block = body.AppendElement("ДохОперЦБ");
  block.AddAttribute("ВидОпер", kind);

  if (const kTDohOperCBOrg& x = j.ДохОперЦБОрг; SumPositive({x.ДохСовОпер, x.РасхРеалЦБ, x.ПроцРасх})) {
    XmlElement e = block.AppendElement("ДохОперЦБОрг");
    WriteFinancialResult(e, {{"ДохСовОпер", x.ДохСовОпер},
                             {"РасхРеалЦБ", x.РасхРеалЦБ},
                             {"УбытРЕПОУмДох", x.УбытРЕПОУмДох},
                             {"УбытЗаймУмДох", x.УбытЗаймУмДох},
                             {"ПроцРасх", x.ПроцРасх},
                             {"РасхУмДохРеалЦБ", x.РасхУмДохРеалЦБ},
                             {"НалБазаОпер", x.НалБазаОпер},
                             {"УбытРезОпер", x.УбытРезОпер}});
    WriteIfPositive(e, "РасчДохОбл", x.НалБазаОпер,
                    {{"УбытУмНБ_4.10", x.УбытУмНБ_4_10}, {"УбытПрПерУмНБ", x.УбытПрПерУмНБ}, {"ДоходОбл", x.ДоходОбл}});
    WriteIfPositive(e, "РаспрУбыт", x.УбытРезОпер,
                    {{"УбытУч_2.3", x.УбытУч_2_3}, {"УбытУч_4.6", x.УбытУч_4_6}, {"УбытУмНББуд", x.УбытУмНББуд}});
  }
  if (const kTDohOperCBOrgNeOrg& x = j.ДохОперЦБОргНеОрг; SumPositive({x.ДохСовОпер, x.РасхРеалЦБ})) {
    XmlElement e = block.AppendElement("ДохОперЦБОргНеОрг");
    AddAll(e, {{"ДохСовОпер", x.ДохСовОпер},
               {"РасхРеалЦБ", x.РасхРеалЦБ},
               {"УбытУмФР_1.12", x.УбытУмФР_1_12},
               {"ДоходОбл", x.ДоходОбл}});
  }
  if (const kTDohOperCBNeOrg& x = j.ДохОперЦБНеОрг; SumPositive({x.ДохСовОпер, x.РасхРеалЦБ, x.ПроцРасх})) {
    XmlElement e = block.AppendElement("ДохОперЦБНеОрг");
    AddAll(e, {{"ДохСовОпер", x.ДохСовОпер},
               {"РасхРеалЦБ", x.РасхРеалЦБ},
               {"УбытРЕПОУмДох", x.УбытРЕПОУмДох},
               {"УбытЗаймУмДох", x.УбытЗаймУмДох},
               {"ПроцРасх", x.ПроцРасх},
               {"УбытВыхИТ", x.УбытВыхИТ},
               {"РасхУмДохРеалЦБ", x.РасхУмДохРеалЦБ},
               {"ДоходОбл", x.ДоходОбл}});
  }
  if (const kTDohPFIOrgCB& x = j.ДохПФИОргЦБ; SumPositive({x.ДохСовОпер, x.РасхРеалПФИ})) {
    XmlElement e = block.AppendElement("ДохПФИОргЦБ");
    WriteFinancialResult(e, {{"ДохСовОпер", x.ДохСовОпер},
                             {"РасхРеалПФИ", x.РасхРеалПФИ},
                             {"НалБазаОпер", x.НалБазаОпер},
                             {"УбытРезОпер", x.УбытРезОпер}});
    WriteIfPositive(e, "РасчДохОбл", x.НалБазаОпер,
                    {{"УбытПрПерУмНБ", x.УбытПрПерУмНБ},
                     {"УбытУмНБ_1.13", x.УбытУмНБ_1_13},
                     {"УбытУмНБ_5.8", x.УбытУмНБ_5_8},
                     {"ДоходОбл", x.ДоходОбл}});
    WriteIfPositive(e, "РаспрУбыт", x.УбытРезОпер,
                    {{"УбытУмНБ_5.6", x.УбытУмНБ_5_6}, {"УбытУмНБ_1.9", x.УбытУмНБ_1_9}, {"УбытУмНББуд", x.УбытУмНББуд}});
  }
  if (const kTDohPFIOrgNeCB& x = j.ДохПФИОргНеЦБ; SumPositive({x.ДохСовОпер, x.РасхРеалПФИ})) {
    XmlElement e = block.AppendElement("ДохПФИОргНеЦБ");
    WriteFinancialResult(e, {{"ДохСовОпер", x.ДохСовОпер},
                             {"РасхРеалПФИ", x.РасхРеалПФИ},
                             {"НалБазаОпер", x.НалБазаОпер},
                             {"УбытРезОпер", x.УбытРезОпер}});
    WriteIfPositive(e, "РасчДохОбл", x.НалБазаОпер,
                    {{"УбытПрПерУмНБ", x.УбытПрПерУмНБ}, {"УбытУмНБ_4.9", x.УбытУмНБ_4_9}, {"ДоходОбл", x.ДоходОбл}});
    WriteIfPositive(e, "РаспрУбыт", x.УбытРезОпер, {{"УбытУмНБ_4.7", x.УбытУмНБ_4_7}, {"УбытУмНББуд", x.УбытУмНББуд}});
  }
  if (const kTDohPFINeOrg& x = j.ДохПФИНеОрг; SumPositive({x.ДохСовОпер, x.РасхРеалПФИ})) {
    XmlElement e = block.AppendElement("ДохПФИНеОрг");
    AddAll(e, {{"ДохСовОпер", x.ДохСовОпер}, {"РасхРеалПФИ", x.РасхРеалПФИ}, {"ДоходОбл", x.ДоходОбл}});
  }
  if (const kTDohREPO& x = j.ДохРЕПО; SumPositive({x.ДохЗаймРЕПО, x.РасхЗаймРЕПО})) {
    XmlElement e = block.AppendElement("ДохРЕПО");
    WriteFinancialResult(e, {{"ДохЗаймРЕПО", x.ДохЗаймРЕПО},
                             {"РасхЗаймРЕПО", x.РасхЗаймРЕПО},
                             {"ДоходОбл", x.ДоходОбл},
                             {"УбытРезОпер", x.УбытРезОпер}});
    if (SumPositive({x.УбытРЕПООбр, x.УбытРЕПОНеОбр})) {
      XmlElement r = e.AppendElement("РаспрУбыт");
      AddAll(r, {{"УбытРЕПООбр", x.УбытРЕПООбр}, {"УбытРЕПОНеОбр", x.УбытРЕПОНеОбр}});
    }
  }
  if (const kTDohZaimCB& x = j.ДохЗаймЦБ; SumPositive({x.ДохДогЗайм, x.РасхДогЗайм})) {
    XmlElement e = block.AppendElement("ДохЗаймЦБ");
    WriteFinancialResult(e, {{"ДохДогЗайм", x.ДохДогЗайм},
                             {"РасхДогЗайм", x.РасхДогЗайм},
                             {"ДоходОбл", x.ДоходОбл},
                             {"УбытРезОпер", x.УбытРезОпер}});
    if (SumPositive({x.УбытЗаймЦБОбр, x.УбытЗаймЦБНеОбр})) {
      XmlElement r = e.AppendElement("РаспрУбыт");
      AddAll(r, {{"УбытЗаймЦБОбр", x.УбытЗаймЦБОбр}, {"УбытЗаймЦБНеОбр", x.УбытЗаймЦБНеОбр}});
    }
  }
  WriteEarlierLosses(block, j, losses);
  if (SumPositive({j.УбытПрхПер.УбытОперЦБОбр, j.УбытПрхПер.УбытОперПФИОбр})) {
    XmlElement e = block.AppendElement("УбытПрхПер");
    AddAll(e, {{"УбытОперЦБОбр", j.УбытПрхПер.УбытОперЦБОбр}, {"УбытОперПФИОбр", j.УбытПрхПер.УбытОперПФИОбр}});
  }
  WriteIfPositive(block, "ИтогСовОпер", j.ОбщДохСовОпер,
                  {{"ОбщДохСовОпер", j.ОбщДохСовОпер}, {"ОбщДоходОбл", j.ОбщДоходОбл}, {"ОбщРасхПрмВыч", j.ОбщРасхПрмВыч}});
}

}  // namespace

void WriteSheetZ(XmlElement& body, const kTSvodSum& s, const mTDeclaration& d) {
  WriteSecuritiesBlock(body, s.PrilJ_IIS, d.IisLosses, "1");
  WriteSecuritiesBlock(body, s.PrilJ, d.SecuritiesLosses, "2");
}

void WriteSheetI(XmlElement& body, const kTSvodSum& s) {
  const kTSvodSumPrilI& p = s.PrilI;
  if (!SumPositive({p.ОбщДохСовОпер, p.ОбщДоходОбл, p.ОбщРасхПрмВыч})) return;
  XmlElement sheet = body.AppendElement("ДохИвестТов");
  const auto block = [&sheet](const char* element, const kTInvestTovBlock& b) {
    if (!SumPositive({b.ДохСовокуп, b.РасхДолУпрТов, b.РасхВознУпрТоп, b.УбытПрУмен})) return;
    XmlElement e = sheet.AppendElement(element);
    AddAll(e, {{"ДохСовокуп", b.ДохСовокуп},
               {"РасхДолУпрТов", b.РасхДолУпрТов},
               {"РасхВознУпрТоп", b.РасхВознУпрТоп},
               {"УбытПрУмен", b.УбытПрУмен},
               {"ДоходОбл", b.ДоходОбл},
               {"УбытПерБудущ", b.УбытПерБудущ}});
  };
  block("ДохЦБОбрИТ", p.ДохЦБОбрИТ);
  block("ДохЦБНеОбрИТ", p.ДохЦБНеОбрИТ);
  block("ДохПФИНеОбрИТ", p.ДохПФИНеОбрИТ);
  block("ДохУстКапИТ", p.ДохУстКапИТ);
  block("ДохПрочИТ", p.ДохПрочИТ);
  const kTRaschDohVyhIT& leaving = p.РасчДохВыхИТ;
  if (SumPositive({leaving.ДохВыхИТ, leaving.ВкладИТ})) {
    XmlElement e = sheet.AppendElement("РасчДохВыхИТ");
    AddAll(e, {{"ДохВыхИТ", leaving.ДохВыхИТ}, {"ВкладИТ", leaving.ВкладИТ}, {"ДоходОбл", leaving.ДоходОбл}, {"УбытРез", leaving.УбытРез}});
  }
  XmlElement total = sheet.AppendElement("ИтогСовОпер");
  AddAll(total, {{"ОбщДохСовОпер", p.ОбщДохСовОпер}, {"ОбщДоходОбл", p.ОбщДоходОбл}, {"ОбщРасхПрмВыч", p.ОбщРасхПрмВыч}});
}

}  // namespace talver
