// Sheets Д1, Д2, Е1, Е2 and Ж of the 3-НДФЛ body: property, standard, social, pension,
// investment and professional deductions.
#include "export/ExportSheets.h"
#include "export/ExportText.h"
#include "platform/NumberText.h"

namespace talver {
namespace {

// Ownership kinds above 4 are the later variants of joint (5) and shared (6 and on) ownership.
std::string OwnershipCode(std::int32_t kind) {
  if (kind <= 4) return IntToText(kind);
  return kind == 5 ? "3" : "2";
}

// The list of the object dialog has five items; an unchosen one (0) is written as its number,
// which no office accepts, rather than as a claim the taxpayer did not make.
std::string TaxpayerAttributeCode(std::int32_t attribute) {
  switch (attribute) {
    case 1: return "01";
    case 2: return "02";
    case 3: return "03";
    case 4: return "13";
    case 5: return "23";
    default: return TwoDigitCode(attribute);
  }
}

void WriteHousingObject(XmlElement& calc, const mTConstructionDeductObj& o) {
  XmlElement e = calc.AppendElement("СвОбъектРасх");
  e.AddAttribute("КодНаимОб", o.ObjectKind == 8 ? std::string("4") : IntToText(o.ObjectKind));
  e.AddAttribute("ВидСобствОб", OwnershipCode(o.OwnershipKind));
  e.AddAttribute("ПризнакНП", TaxpayerAttributeCode(o.TaxpayerAttribute));
  e.AddAttribute("ВычЗаяв220.10", o.Pensioner != 0 ? "1" : "0");
  if (o.ByInvestment != 0) {
    AddDate(e, "ДатаАкт", o.TransferActDate);
  } else {
    AddDate(e, "ДатаРегЖил", o.OwnershipRegDate);
    if (o.ObjectKind > 4) AddDate(e, "ДатаРегЗем", o.LandRegDate);
  }
  if (o.OwnershipKind == 6 || o.OwnershipKind == 3 || (o.OwnershipKind == 1 && o.TaxpayerAttribute == 2)) {
    AddDate(e, "ДатаЗаявВыч", o.DistributionAppDate);
  }
  if (o.ShareShown != 0) {
    e.AddAttribute("ДолСобств", IntToText(o.ShareNumerator) + "/" + IntToText(o.ShareDenominator));
  }
  e.AddAttribute("ГодНачИспВыч", YearText(o.FirstUseYear));
  AddKopecks(e, "СумРасхФакт", o.CostTaken);
  AddKopecks(e, "СумФактУплПроц", o.CreditInterest);

  XmlElement address = e.AppendElement("АдрОбъект");
  AddIfText(address, "Индекс", o.PostIndex);
  address.AddAttribute("КодРегион", PadLeftZeros(o.RegionCode, 2));
  AddIfText(address, "Район", o.District);
  AddIfText(address, "Город", o.City);
  AddIfText(address, "НаселПункт", o.Locality);
  AddIfText(address, "Улица", o.Street);
  AddIfText(address, "Дом", o.House);
  AddIfText(address, "Корпус", o.Building);
  AddIfText(address, "Кварт", o.Flat);
}

void WriteSaleDeduction(XmlElement& parent, const char* element, const kTSaleDeduction& p, Currency condition) {
  if (condition <= Currency()) return;
  XmlElement e = parent.AppendElement(element);
  AddKopecks(e, "ДохВсехИст", p.ДохВсехИст);
  AddKopecks(e, "НалВычет", p.НалВычет);
}

void WriteSaleExpenses(XmlElement& parent, const char* element, const kTSaleExpenses& p) {
  if (p.РасхДок <= Currency()) return;
  XmlElement e = parent.AppendElement(element);
  AddKopecks(e, "ДохВсехИст", p.ДохВсехИст);
  AddKopecks(e, "РасхДок", p.РасхДок);
}

void WriteProfessional(XmlElement& body, const kTSvodSumProfDeductValues& g, const char* origin) {
  if (g.РасходОбщИт <= Currency()) return;
  XmlElement sheet = body.AppendElement("ПрофНалВыч");
  sheet.AddAttribute("ПрИст", origin);
  AddKopecks(sheet, "РасходОбщИт", g.РасходОбщИт);
  const auto pair = [&sheet](const char* element, const char* incomeName, Currency income, Currency expenses) {
    if (expenses <= Currency()) return;
    XmlElement e = sheet.AppendElement(element);
    AddKopecks(e, incomeName, income);
    AddKopecks(e, "СумРасхВыч", expenses);
  };
  pair("РасхФактДогГПХ", "СумДохДогГПХ", g.РасхФактДогГПХ.СумДохДогГПХ, g.РасхФактДогГПХ.СумРасхВыч);
  pair("РасхФактАвтВозн", "СумАвторВозн", g.РасхФактАвтВозн.СумАвторВозн, g.РасхФактАвтВозн.СумРасхВыч);
  pair("РасхНормАвтВозн", "СумАвторВозн", g.РасхНормАвтВозн.СумАвторВозн, g.РасхНормАвтВозн.СумРасхВыч);
  pair("РасхФактУстКап", "СумДохУстКап", g.РасхФактУстКап.СумДохУстКап, g.РасхФактУстКап.СумРасхВыч);
  pair("РасхФактПрдчСр", "СумДохПрдчСр", g.РасхФактПрдчСр.СумДохПрдчСр, g.РасхФактПрдчСр.СумРасхВыч);
  pair("РасхФактУмДолУКО", "СумДохУмДолУКО", g.РасхФактУмДолУКО.СумДохУмДолУКО, g.РасхФактУмДолУКО.СумРасхВыч);
  pair("РасхФактДолСтр", "СумДохУстПрав", g.РасхФактДолСтр.СумДохУстПрав, g.РасхФактДолСтр.СумРасхВыч);
}

}  // namespace

void WriteSheetD1(XmlElement& body, const kTSvodSum& s, const mTDeclaration& d) {
  if (d.DeclarationForm != kForm3Resident || d.PropertyDeduct.Granted == 0 || d.PropertyDeduct.ObjectCount() == 0 ||
      d.Sections == 0) {
    return;
  }
  const kTSvodSumPrilZ& z = s.PrilZ;
  XmlElement sheet = body.AppendElement("ИмущНалВычНов");
  XmlElement calc = sheet.AppendElement("РасчИмущВыч");
  AddKopecks(calc, "ВычНовЗачПред", z.ВычНовЗачПред);
  AddKopecks(calc, "ВычПроцЗачПред", z.ВычПроцЗачПред);
  AddKopecks(calc, "ОстВычПршПред", z.ОстВычПршПред);
  AddKopecks(calc, "ПроцПршПред", z.ПроцПршПред);
  AddKopecks(calc, "ВычНАУвед", z.ВычНАУвед);
  AddKopecks(calc, "ПроцНАУвед", z.ПроцНАУвед);
  AddKopecks(calc, "НалБаз13БезВыч", z.НалБаз13БезВыч);
  AddKopecks(calc, "РасхНовВычНД", z.РасхНовВычНД);
  AddKopecks(calc, "ПроцВычНД", z.ПроцВычНД);
  AddKopecks(calc, "ОстИВБезПроц", z.ОстИВБезПроц);
  AddKopecks(calc, "ОстИВУплПроц", z.ОстИВУплПроц);
  ForEachOf(d.PropertyDeduct.Objects, [&](const mTConstructionDeductObj& o) { WriteHousingObject(calc, o); });
}

void WriteSheetD2(XmlElement& body, const kTSvodSum& s) {
  const kTSvodSumPrilH1& h = s.PrilH1;
  if (h.ВычетОбщ <= Currency()) return;
  XmlElement sheet = body.AppendElement("ИмущНалВычПр");
  AddKopecks(sheet, "ВычетОбщ", h.ВычетОбщ);

  if (SumPositive({h.СумИмущ.НалВычет, h.СумДолИмущ.НалВычет, h.СумИмущДок.РасхДок, h.СумИнНедИмущ.НалВычет,
                   h.СумИнНедИмущДок.РасхДок, h.СумИнИмущ.НалВычет, h.СумИнИмущДок.РасхДок})) {
    XmlElement housing = sheet.AppendElement("ВычЖилИмущ");
    WriteSaleDeduction(housing, "СумИмущ", h.СумИмущ, h.СумИмущ.НалВычет);
    WriteSaleDeduction(housing, "СумДолИмущ", h.СумДолИмущ, h.СумДолИмущ.НалВычет);
    WriteSaleExpenses(housing, "СумИмущДок", h.СумИмущДок);
    // Sales of other property are listed whenever they brought income.
    WriteSaleDeduction(housing, "СумИнНедИмущ", h.СумИнНедИмущ, h.СумИнНедИмущ.ДохВсехИст);
    WriteSaleExpenses(housing, "СумИнНедИмущДок", h.СумИнНедИмущДок);
    WriteSaleDeduction(housing, "СумИнИмущ", h.СумИнИмущ, h.СумИнИмущ.ДохВсехИст);
    WriteSaleExpenses(housing, "СумИнИмущДок", h.СумИнИмущДок);
  }
  if (h.СумИзтИмущ.НалВычет > Currency()) {
    XmlElement seized = sheet.AppendElement("ВычИзтИмущ");
    WriteSaleDeduction(seized, "СумИзтИмущ", h.СумИзтИмущ, h.СумИзтИмущ.НалВычет);
  }
  if (SumPositive({h.СумЛиквИО.НалВычет, h.СумИмущКИК.НалВычет})) {
    XmlElement companies = sheet.AppendElement("ВычИмущ220.2");
    WriteSaleDeduction(companies, "СумЛиквИО", h.СумЛиквИО, h.СумЛиквИО.НалВычет);
    WriteSaleDeduction(companies, "СумИмущКИК", h.СумИмущКИК, h.СумИмущКИК.НалВычет);
  }
}

void WriteSheetE1(XmlElement& body, const kTSvodSum& s, const mTDeclaration& d) {
  const bool standard = d.StandardDeduct.Granted != 0;
  const bool social = d.SocialDeduct.Granted != 0;
  if (d.DeclarationForm != kForm3Resident || !(standard || social) || d.Sections == 0) return;
  const kTSvodSumPrilE1& e1 = s.PrilE1;
  const kTRaschVychSocBez219_2& free = s.PrilE2.РасчВычСоцБез219_2;
  const kTRaschVychSoc219_2& limited = s.PrilE2.РасчВычСоц219_2;

  XmlElement sheet = body.AppendElement("ВычСтандСоц");
  AddKopecks(sheet, "ВычСтандСоц", e1.ОбщВычСтанд + limited.ОбщВычСоциал);

  XmlElement standardCalc = sheet.AppendElement("РасчВычСтанд");
  if (standard) {
    AddKopecksIfPositive(standardCalc, "ВычСт218.1.1", e1.ВычСт218_1_1);
    AddKopecksIfPositive(standardCalc, "ВычСт218.1.2", e1.ВычСт218_1_2);
    standardCalc.AddAttribute("КолМесНеПрев", IntToText(e1.КолМесНеПрев));
    AddKopecksIfPositive(standardCalc, "ВычСтРеб", e1.ВычСтРеб);
    AddKopecksIfPositive(standardCalc, "ВычСтРебЕд", e1.ВычСтРебЕд);
    AddKopecksIfPositive(standardCalc, "ВычСтРебИнв", e1.ВычСтРебИнв);
    AddKopecksIfPositive(standardCalc, "ВычСтРебИнвЕд", e1.ВычСтРебИнвЕд);
    AddKopecks(standardCalc, "ОбщВычСтанд", e1.ОбщВычСтанд);
  } else {
    standardCalc.AddAttribute("ОбщВычСтанд", "0");
  }

  if (!social) return;
  if (free.ИтогВычСоциал > Currency()) {
    XmlElement e = sheet.AppendElement("РасчВычСоцБез219.2");
    AddKopecksIfPositive(e, "СумБлагЦел", free.СумБлагЦел);
    AddKopecksIfPositive(e, "СумОбуч", free.СумОбуч);
    AddKopecksIfPositive(e, "СумЛечен", free.СумЛечен);
    AddKopecks(e, "ИтогВычСоциал", free.ИтогВычСоциал);
  }
  if (SumPositive({limited.ОбщВычСоциал, limited.ОбщСНВОтчПерНА})) {
    XmlElement e = sheet.AppendElement("РасчВычСоц219.2");
    AddKopecksIfPositive(e, "СумОбуч", limited.СумОбуч);
    AddKopecksIfPositive(e, "СумЛечен", limited.СумЛечен);
    AddKopecksIfPositive(e, "СумЛичСтрах", limited.СумЛичСтрах);
    AddKopecksIfPositive(e, "СумПенсСтрах", limited.СумПенсСтрах);
    AddKopecksIfPositive(e, "ОбщСумРасх", limited.ОбщСумРасх);
    AddKopecksIfPositive(e, "ОбщСНВОтчПерНА", limited.ОбщСНВОтчПерНА);
    AddKopecks(e, "ОбщВычСоциал", limited.ОбщВычСоциал);
  }
}

void WriteSheetE2(XmlElement& body, const kTSvodSum& s) {
  const kTSvodSumPrilE3& e3 = s.PrilE3;
  const bool investment = SumPositive({e3.СумИнвВыч219, e3.ИнвВычПредВосст});
  if (e3.PensionContracts.empty() && e3.ExtraContributions.empty() && !investment) return;
  XmlElement sheet = body.AppendElement("ВычСоцИнв219");

  XmlElement pension = sheet.AppendElement("РасчПенсВзнос");
  AddKopecks(pension, "ОбщВзносВыч", e3.ОбщВзносВыч);
  for (const mbTPens& contract : e3.PensionContracts) {
    XmlElement e = pension.AppendElement("РасчПСВВыч");
    AddKopecks(e, "СумВзносУпл", contract.СумВзносУпл);
    AddKopecks(e, "СумВзносВыч", contract.СумВзносВыч);
    XmlElement terms = e.AppendElement("СведДогНПО");
    terms.AddAttribute("ВидДоговор", IntToText(contract.ВидДоговор));
    AddDate(terms, "ДатаДогНПО", contract.ДатаДогНПО);
    terms.AddAttribute("НомДогНПО", contract.НомДогНПО);
    XmlElement payee = terms.AppendElement("СведИст");
    payee.AddAttribute("Наим", contract.Наим);
    payee.AddAttribute("ИННЮЛ", contract.ИННЮЛ);
    payee.AddAttribute("КПП", contract.КПП);
  }
  if (!e3.ExtraContributions.empty()) {
    XmlElement e = pension.AppendElement("РасчДопСВВыч");
    AddKopecks(e, "СумВзносУпл", e3.РасчДопСВВыч.СумВзносУпл);
    AddKopecks(e, "СумВзносВыч", e3.РасчДопСВВыч.СумВзносВыч);
  }
  if (investment) {
    XmlElement e = sheet.AppendElement("РасчИнвВыч");
    AddKopecks(e, "СумИнвВыч219", e3.СумИнвВыч219);
    AddKopecks(e, "ИнвВычПредВосст", e3.ИнвВычПредВосст);
  }
}

void WriteSheetZh(XmlElement& body, const kTSvodSum& s) {
  WriteProfessional(body, s.PrilG, "1");
  WriteProfessional(body, s.PrilG_In, "2");
}

}  // namespace talver
