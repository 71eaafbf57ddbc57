// Sheets Б, В and Г of the 3-НДФЛ body: foreign incomes, business and private practice, and
// incomes exempt within limits.
#include "export/ExportSheets.h"
#include "export/ExportText.h"
#include "platform/Math2.h"
#include "platform/NumberText.h"

namespace talver {
namespace {

// The companies' block (rate 13) carries each line's own kind and the controlled foreign
// company's figures; the others write kind "2".
void WriteForeignBlock(XmlElement& body, const kTSvodSumPrilB& component, const char* rate, bool companies) {
  XmlElement block = body.AppendElement("ДоходИстИно");
  block.AddAttribute("Ставка", rate);
  for (const DohodCur& line : component.Lines) {
    XmlElement e = block.AppendElement("РасчДохНалИно");
    e.AddAttribute("ОКСМ", ThreeDigitCode(line.ОКСМ));
    e.AddAttribute("НаимИстДох", line.НаимИстДох);
    e.AddAttribute("КодВалют", ThreeDigitCode(line.КодВалют));
    e.AddAttribute("КодВидДох", companies ? line.КодВидДох : std::string("2"));
    if (companies) AddIfText(e, "НомерКИК", line.НомерКИК);
    AddDate(e, "ДатаДох", line.ДатаДох);
    e.AddAttribute("КурсВалютДох", line.КурсВалютДох);
    e.AddAttribute("ДоходИноВал", CommaToPoint(line.ДоходИноВал));
    AddKopecks(e, "ДоходИноРуб", line.ДоходИноРуб);
    if (companies) {
      AddKopecksIfPositive(e, "ДохСтИмЛиквИн", line.ДохСтИмЛиквИн);
      AddKopecksIfPositive(e, "ДохДивКИК", line.ДохДивКИК);
      if (line.ПорядПрибКИК != 0) e.AddAttribute("ПорядПрибКИК", line.ПорядПрибКИК == 1 ? "1" : "2");
    }
    if (line.НалУплИноРуб > Currency()) {
      AddDate(e, "ДатаУплНал", line.ДатаУплНал);
      e.AddAttribute("КурсВалютНал", line.КурсВалютНал);
      e.AddAttribute("НалУплИноВал", CommaToPoint(line.НалУплИноВал));
      AddKopecks(e, "НалУплИноРуб", line.НалУплИноРуб);
    }
    AddKopecksIfPositive(e, "НалЗачРФОбщ", line.НалЗачРФОбщ);
    AddKopecksIfPositive(e, "НалогЗачРФОбщ", line.НалогЗачРФОбщ);
  }
}

void WriteActivity(XmlElement& sheet, const mTBusinessNew& b) {
  XmlElement e = sheet.AppendElement("РасчВидДеят");
  e.AddAttribute("ВидДеят", b.ActivityKind);
  if (b.ActivityKind == "1") e.AddAttribute("ОКВЭД", b.Okved);
  AddKopecks(e, "Доход", b.Income);
  if (b.ExpensesConfirmed != 0) {
    AddKopecksIfNonZero(e, "РасхФакт", b.ExpenseTotal);
    AddKopecksIfNonZero(e, "РасхФМат", b.MaterialExpenses);
    AddKopecksIfNonZero(e, "РасхФАмНач", b.Depreciation);
    AddKopecksIfNonZero(e, "РасхФОплТруд", b.LabourCosts);
    AddKopecksIfNonZero(e, "РасхФТрДог", b.LabourContractCosts);
    AddKopecksIfNonZero(e, "РасхФПроч", b.OtherExpenses);
  } else {
    AddKopecksIfNonZero(e, "РасхПредНорм", b.ExpenseNorm);
  }
}

void WriteExempt(XmlElement& sheet, const char* element, const kTExemptIncome& pair) {
  if (pair.ДоходНеНал <= Currency()) return;
  XmlElement e = sheet.AppendElement(element);
  AddKopecks(e, "ДоходВсИст", pair.ДоходВсИст);
  AddKopecks(e, "ДоходНеНал", pair.ДоходНеНал);
}

}  // namespace

void WriteSheetB(XmlElement& body, const kTSvodSum& s, const mTDeclaration& d) {
  if (!d.HasSection(kSectionForeign)) return;
  if (s.PrilB9.OtherIncome > Currency()) WriteForeignBlock(body, s.PrilB9, "09", false);
  if (s.PrilB13.OtherIncome > Currency() || s.PrilB13.KikProfit > Currency() ||
      s.PrilB13.DividendIncome > Currency()) {
    WriteForeignBlock(body, s.PrilB13, "13", true);
  }
  if (s.PrilB35.OtherIncome > Currency()) WriteForeignBlock(body, s.PrilB35, "35", false);
}

void WriteSheetV(XmlElement& body, const kTSvodSum& s, const mTDeclaration& d) {
  if (!d.HasSection(kSectionBusiness) || d.Businesses.Count() == 0) return;
  const kTSvodSumPrilV1& v = s.PrilV1;
  XmlElement sheet = body.AppendElement("ДоходПредпр");
  AddKopecks(sheet, "ДоходИт", v.ДоходИт);
  AddKopecks(sheet, "ВычПрофИт", v.ВычПрофИт);
  AddGeneralIfPositive(sheet, "НачислАвИт", v.НачислАвИт);
  AddGeneralIfPositive(sheet, "УплФактАвИт", v.УплФактАвИт);
  ForEachOf(d.Businesses, [&](const mTBusinessNew& b) { WriteActivity(sheet, b); });
  if (d.IsPeasantFarm != 0) {
    XmlElement farm = sheet.AppendElement("СведКФХ");
    farm.AddAttribute("ГодРегКФХ", YearText(d.FarmRegistrationDate));
    AddKopecks(farm, "ДоходНеНал", d.FarmExemptIncome);
  }
  if (d.AdjustedIncome > Currency() || d.AdjustedExpense > Currency()) {
    XmlElement adjusted = sheet.AppendElement("НБКор105.3");
    AddKopecks(adjusted, "НБКорСам", d.AdjustedIncome);
    AddGeneral(adjusted, "НалКорСам", d.AdjustedExpense);
  }
}

void WriteSheetG(XmlElement& body, const kTSvodSum& s, const mTDeclaration& d) {
  const kTSvodSumPrilM& m = s.PrilM;
  // Prizes in advertising are left out of the total but still make the sheet.
  if (!SumPositive({m.ДохНеНалОбщ, m.ПризРекл.ДоходНеНал})) return;
  XmlElement sheet = body.AppendElement("ДоходОсвПрев");
  AddKopecks(sheet, "ДохНеНалОбщ", m.ДохНеНалОбщ);
  WriteExempt(sheet, "МатПомРожд", m.МатПомРожд);
  WriteExempt(sheet, "МатПомРаб", m.МатПомРаб);
  WriteExempt(sheet, "МатПомИнв", m.МатПомИнв);
  WriteExempt(sheet, "ПодарНП", m.ПодарНП);
  WriteExempt(sheet, "ПризНП", m.ПризНП);
  WriteExempt(sheet, "ВозмМед", m.ВозмМед);
  WriteExempt(sheet, "ПомПодар", m.ПомПодар);
  WriteExempt(sheet, "ДопСВПенс", m.ДопСВПенс);
  if (m.НатОплСХ.ДоходНеНал > Currency()) {
    XmlElement e = sheet.AppendElement("НатОплСХ");
    e.AddAttribute("КолМесОтраб", IntToText(d.FarmMonthsWorked));
    AddKopecks(e, "ДоходВсИст", m.НатОплСХ.ДоходВсИст);
    AddKopecks(e, "ДоходНеНал", m.НатОплСХ.ДоходНеНал);
  }
  WriteExempt(sheet, "ПризРекл", m.ПризРекл);
}

}  // namespace talver
