// Sections 1 and 2 and sheet А of the 3-НДФЛ body.
#include "export/ExportSheets.h"
#include "export/ExportText.h"
#include "platform/Math2.h"
#include "platform/Text1251.h"

namespace talver {
namespace {

constexpr std::size_t kPersonSourceNameLength = 255;

void WriteTaxBase(XmlElement& body, const kTSvodSumListValues& c, const char* kind) {
  XmlElement base = body.AppendElement("НалБаза");
  base.AddAttribute("Ставка", c.Ставка);
  base.AddAttribute("ВидДоход", kind);

  XmlElement calc = base.AppendElement("РасчНалБаза");
  AddKopecks(calc, "ДоходОбщ", c.ДоходОбщ);
  AddKopecks(calc, "ДоходОбщНеНал", c.ДоходОбщНеНал);
  AddKopecks(calc, "ДоходОбщНал", c.ДоходОбщНал);
  AddKopecks(calc, "СумНалВыч", c.СумНалВыч);
  AddKopecks(calc, "СумРасхУм", c.СумРасхУм);
  AddKopecks(calc, "СумДохДивКИК", c.СумДохДивКИК);
  AddKopecks(calc, "НалБаза", c.НалБаза);

  XmlElement tax = base.AppendElement("РасчНалПУ");
  AddGeneral(tax, "Исчисл", c.Исчисл);
  AddGeneral(tax, "УдержОбщ", c.УдержОбщ);
  AddGeneral(tax, "УдержОбщМВ", c.УдержОбщМВ);
  AddGeneral(tax, "ТСУплПерЗач", c.ТСУплПерЗач);
  AddGeneral(tax, "УплАвФакт", c.УплАвФакт);
  AddGeneral(tax, "ОбщАвУплЗач227.1", c.ОбщАвУплЗач227_1);
  AddGeneral(tax, "УплИнПодлЗач", c.УплИнПодлЗач);
  AddGeneral(tax, "ИсчислУпл", c.ИсчислУпл);
  AddGeneral(tax, "УплПатентЗач", c.УплПатентЗач);
  AddGeneral(tax, "ПодлУпл", c.ПодлУпл);
  AddGeneral(tax, "ПодлВозв", c.ПодлВозв);
}

// A component counts when these fifteen values add up to more than zero; the tax payable and
// the refund do not count.
bool HasTaxBase(const kTSvodSumListValues& c) {
  return SumPositive({c.ДоходОбщ, c.ДоходОбщНеНал, c.СумНалВыч, c.ДоходОбщНал, c.СумРасхУм, c.СумДохДивКИК,
                      c.НалБаза, c.Исчисл, c.УдержОбщ, c.УдержОбщМВ, c.УплАвФакт, c.ОбщАвУплЗач227_1,
                      c.УплИнПодлЗач, c.УплПатентЗач, c.ТСУплПерЗач});
}

// The child that names the payer: a private person when the ИНН is not an organisation's
// (ten characters) and there is no КПП, otherwise an organisation.
void WritePayer(XmlElement& income, const mTSourseIncomeInfo& source) {
  if (source.Inn.size() != 10 && IsBlank(source.Kpp)) {
    XmlElement person = income.AppendElement("ИстФЛИн");
    person.AddAttribute("ФИОИн", FirstChars(Trim(source.Name), kPersonSourceNameLength));
    AddIfText(person, "ИННФЛ", source.Inn);
  } else {
    XmlElement organisation = income.AppendElement("ИстЮЛ");
    organisation.AddAttribute("Наим", source.Name);
    organisation.AddAttribute("ИННЮЛ", source.Inn);
    organisation.AddAttribute("КПП", source.Kpp);
  }
}

template <class Source>
void WriteSource(XmlElement& body, const Source& source, const char* rate, Currency taxComputed) {
  XmlElement income = body.AppendElement("ДоходИстРФ");
  income.AddAttribute("Ставка", rate);
  income.AddAttribute("ВидДоход", source.IncomeKind);
  AddIfText(income, "ОКТМО", source.Oktmo);
  AddKopecks(income, "Доход", source.IncomeTotal);
  AddKopecks(income, "ДоходОбл", source.TaxableIncome);
  AddGeneral(income, "НалИсчисл", taxComputed);
  AddGeneral(income, "НалУдерж", source.TaxWithheld);
  WritePayer(income, source);
}

template <class Source>
void WriteSources(XmlElement& body, const mTList<Source>& list, const char* rate) {
  ForEachOf(list, [&](const Source& source) { WriteSource(body, source, rate, source.TaxComputed); });
}

}  // namespace

void WriteSection1(XmlElement& body, const kTSvodSum& summary) {
  for (const bmTList1& line : summary.List6.Lines) {
    XmlElement e = body.AppendElement("СумНалПу");
    e.AddAttribute("ПрУплВозв", line.ПрУплВозв);
    e.AddAttribute("КБК", line.КБК);
    e.AddAttribute("ОКТМО", line.ОКТМО);
    e.AddAttribute("ПодлУпл", line.ПрУплВозв == "1" ? GeneralText(line.Сумма) : "0");
    e.AddAttribute("ПодлВозв", line.ПрУплВозв == "2" ? GeneralText(line.Сумма) : "0");
  }
}

void WriteSection2(XmlElement& body, const kTSvodSum& summary) {
  const struct {
    const kTSvodSumListValues& Component;
    const char* Kind;
  } components[] = {
      {summary.ListDiv, "1"}, {summary.ListKIK, "2"}, {summary.List1, "3"}, {summary.List2, "3"},
      {summary.List3, "3"},   {summary.List4, "3"},   {summary.List5, "1"},
  };
  bool written = false;
  for (const auto& c : components) {
    if (!HasTaxBase(c.Component)) continue;
    WriteTaxBase(body, c.Component, c.Kind);
    written = true;
  }
  // The form always has a tax base: the one of other incomes at 13 %, even when it is all zero.
  if (!written) WriteTaxBase(body, summary.List1, "3");
}

void WriteSheetA(XmlElement& body, const kTSvodSum& summary, const mTDeclaration& d) {
  const bool resident = d.DeclarationForm == kForm3Resident;
  const bool nonResident = d.DeclarationForm == kForm3NonResident;
  if (resident) {
    WriteSources(body, d.Sources9, "09");
    WriteSources(body, d.Sources13, "13");
    WriteSources(body, d.InvestSources, "13");
    WriteSources(body, d.SourcesDividends, "13");
  }
  if (nonResident) {
    WriteSources(body, d.Sources13NR, "13");
    // Dividends of a non-resident are taxed at 15 % here, source by source, exactly.
    ForEachOf(d.SourcesDividends, [&](const mTThirtyPercent& source) {
      WriteSource(body, source, "15", TaxAtRate(source.TaxableIncome, 15));
    });
    WriteSources(body, d.Sources13, "30");
    WriteSources(body, d.InvestSources, "30");
  }
  if (resident && summary.PrilA35.SumIncome > Currency()) {
    // Tax withheld under code 2620 is only a credit in section 2; such sources are not listed.
    ForEachOf(d.Sources35, [&](const mTThirtyFivePercent& source) {
      if (source.IncomeCode != 2620) WriteSource(body, source, "35", source.TaxComputed);
    });
  }
}

}  // namespace talver
