#include "compute/Section2.h"

#include "compute/SvodSum.h"
#include "model/DeclClasses.h"
#include "platform/Math2.h"

namespace talver {

void kTSvodSumListValues::TakeDeductions(Currency deductions) {
  const Currency room = ДоходОбщНал - СумРасхУм;
  СумНалВыч = deductions > room ? room : deductions;
  НалБаза = ДоходОбщНал - СумРасхУм - СумНалВыч + СумДохДивКИК;
}

void kTSvodSumListValues::FinishTax(std::int64_t percent) {
  // Exact on halves: as doubles, 90.00 × 0.35 gives 31.499999999999996 and would round to 31
  // instead of 32, so the tax is taken on the exact amount.
  Исчисл = TaxAtRate(НалБаза, percent);
  const Currency credits = Credits();
  ИсчислУпл = Исчисл > credits ? Исчисл - credits : Currency();
  ПодлУпл = Positive(ИсчислУпл - УплПатентЗач);
  ПодлВозв = Исчисл < credits ? credits - Исчисл : Currency();
  if (ПодлВозв > RefundCap()) ПодлВозв = RefundCap();
}

bool kTSvodSumList1::Compute(const kTSvodSum& s, const mTDeclaration& d) {
  Clear();
  Ставка = "13";
  if (d.DeclarationForm == kForm3Resident) {
    ДоходОбщ = s.PrilA13.SumIncome + s.PrilV1.ДоходИт + s.PrilB13.OtherIncome + s.PrilE3.ИнвВычПредВосст;
    ДоходОбщНеНал = s.PrilM.ДохНеНалОбщ + s.PrilB13.Exempt1001;
    ДоходОбщНал = ДоходОбщ - ДоходОбщНеНал;
    СумРасхУм = s.PrilJ.ОбщРасхПрмВыч + s.PrilJ_IIS.ОбщРасхПрмВыч + s.PrilI.ОбщРасхПрмВыч;
    const Currency deductions =
        s.PrilE1.ОбщВычСтанд + s.PrilE2.РасчВычСоц219_2.ОбщВычСоциал + s.PrilE3.СумИнвВыч219 +
        s.PrilE2.РасчВычСоц219_2.ОбщСНВОтчПерНА + s.PrilH1.ВычетОбщ + s.PrilZ.РасхНовВычНД + s.PrilZ.ПроцВычНД +
        s.PrilZ.ПроцНАУвед + s.PrilZ.ВычНАУвед + s.PrilV1.ВычПрофИт + s.PrilG.РасходОбщИт + s.PrilG_In.РасходОбщИт;
    TakeDeductions(deductions);
    УдержОбщ = s.PrilA13.SumWithheld;
    УплАвФакт = s.PrilV1.УплФактАвИт;
    ОбщАвУплЗач227_1 = s.PrilA13.FixedAdvances;
    УплИнПодлЗач = RoundHalfUp(s.PrilB13.OtherCredit);
    ТСУплПерЗач = d.TradeFee;
    УплПатентЗач = d.PatentPayments;
  } else if (d.DeclarationForm == kForm3NonResident) {
    ДоходОбщ = ДоходОбщНал = s.PrilA13.SumIncome;
    // No deduction of articles 218 to 221 at a non-resident's rates (article 210 point 4).
    TakeDeductions(Currency());
    УдержОбщ = s.PrilA13.SumWithheld;
    ОбщАвУплЗач227_1 = s.PrilA13.FixedAdvances;
  }
  FinishTax(13);
  return true;
}

bool kTSvodSumListKIK::Compute(const kTSvodSum& s, const mTDeclaration& d) {
  Clear();
  Ставка = "13";
  if (d.DeclarationForm == kForm3Resident) {
    СумДохДивКИК = НалБаза = s.PrilB13.KikProfit;
    УплИнПодлЗач = RoundHalfUp(s.PrilB13.KikCredit);
  }
  FinishTax(13);
  return true;
}

bool kTSvodSumListDiv::Compute(const kTSvodSum& s, const mTDeclaration& d) {
  Clear();
  Ставка = "13";
  if (d.DeclarationForm == kForm3Resident) {
    ДоходОбщ = s.PrilA13.DividendTaxable + s.PrilB13.DividendIncome;
    ДоходОбщНеНал = s.PrilB13.Exempt1012;
    ДоходОбщНал = ДоходОбщ - ДоходОбщНеНал;
    НалБаза = ДоходОбщНал;
    УдержОбщ = s.PrilA13.DividendWithheld;
    УплИнПодлЗач = RoundHalfUp(s.PrilB13.DividendCredit);
  }
  FinishTax(13);
  return true;
}

bool kTSvodSumList2::Compute(const kTSvodSum& s, const mTDeclaration& d) {
  Clear();
  Ставка = "30";
  if (d.DeclarationForm == kForm3NonResident) {
    ДоходОбщ = s.PrilA30.SumIncome;
    ДоходОбщНеНал = s.PrilM.ДохНеНалОбщ + s.PrilM.ПризРекл.ДоходНеНал;
    ДоходОбщНал = ДоходОбщ - ДоходОбщНеНал;
    СумРасхУм = s.PrilJ.ОбщРасхПрмВыч + s.PrilJ_IIS.ОбщРасхПрмВыч + s.PrilI.ОбщРасхПрмВыч;
    TakeDeductions(Currency());
    УдержОбщ = s.PrilA30.SumWithheld;
  }
  FinishTax(30);
  return true;
}

bool kTSvodSumList3::Compute(const kTSvodSum& s, const mTDeclaration& d) {
  Clear();
  if (d.DeclarationForm != kForm3Resident) return true;
  Ставка = "35";
  ДоходОбщ = s.PrilA35.SumIncome + s.PrilB35.OtherIncome;
  ДоходОбщНеНал = s.PrilM.ПризРекл.ДоходНеНал;
  ДоходОбщНал = Positive(ДоходОбщ - ДоходОбщНеНал);
  НалБаза = ДоходОбщНал;
  УдержОбщ = s.PrilA35.SumWithheld;
  УдержОбщМВ = s.PrilA35.Withheld2620;
  УплИнПодлЗач = RoundHalfUp(s.PrilB35.OtherCredit);
  FinishTax(35);
  return true;
}

bool kTSvodSumList4::Compute(const kTSvodSum& s, const mTDeclaration& d) {
  Clear();
  if (d.DeclarationForm != kForm3Resident) return true;
  Ставка = "09";
  ДоходОбщ = ДоходОбщНал = НалБаза = s.PrilA9.SumIncome + s.PrilB9.OtherIncome;
  УдержОбщ = s.PrilA9.SumWithheld;
  УплИнПодлЗач = RoundHalfUp(s.PrilB9.OtherCredit);
  FinishTax(9);
  return true;
}

bool kTSvodSumList5::Compute(const kTSvodSum& s, const mTDeclaration& d) {
  Clear();
  if (d.DeclarationForm != kForm3NonResident) return true;
  Ставка = "15";
  // The tax is taken once on the total of the sources' taxable incomes.
  ДоходОбщ = ДоходОбщНал = НалБаза = s.PrilA15.SumTaxable;
  УдержОбщ = s.PrilA15.SumWithheld;
  FinishTax(15);
  return true;
}

}  // namespace talver
