#pragma once
// The declarations the benchmarks save, load, compute and export: a large one of 1 000 sources
// at 13 % with 12 entries each, 200 foreign incomes, 50 property objects and 20 pension
// contracts, times `scale`; and a typical one of one employer.
#include <string>

#include "model/DeclClasses.h"
#include "platform/Text1251.h"

namespace talver::bench {

inline void FillLarge(mTDeclaration& d, int scale) {
  d.SetSections(kSectionRussian | kSectionForeign);
  d.InspectionCode = "7715";
  d.Person.Name.Surname = Utf8ToCp1251("Иванов");
  d.Person.Name.FirstName = Utf8ToCp1251("Иван");
  d.Person.Name.Inn = "771512345678";
  for (int i = 0; i < 1000 * scale; ++i) {
    mTThirteenPercent& s = d.Sources13.Get(d.Sources13.Add());
    s.Name = Utf8ToCp1251("ООО \"Источник выплаты ") + std::to_string(i) + "\"";
    s.Inn = "7707083893";
    s.Kpp = "773601001";
    s.Oktmo = "45382000";
    s.TaxWithheld = Currency::FromRoubles(15600);
    for (int m = 1; m <= 12; ++m) {
      mTSourseIncome e;
      e.IncomeCode = 2000;
      e.IncomeName = Utf8ToCp1251("Вознаграждение за выполнение трудовых обязанностей");
      e.Amount = Currency::FromUnits(100005000 + m);
      e.Month = static_cast<std::uint16_t>(m);
      s.AddEntry(e);
    }
  }
  for (int i = 0; i < 200 * scale; ++i) {
    mTCurrencyIncome& c = d.CurrencyIncomes.Get(d.CurrencyIncomes.Add());
    c.IncomeRate = 14;
    c.IncomeCode = 1010;
    c.SourceName = "Foreign source " + std::to_string(i);
    c.CountryCode = "840";
    c.CurrencyCode = "840";
    c.IncomeRateRub = Currency::FromUnits(606569);
    c.IncomeRateUnits = 1;
    c.SetIncomeInCurrency(Currency::FromRoubles(1000 + i));
  }
  d.PropertyDeduct.Granted = 1;
  for (int i = 0; i < 50 * scale; ++i) {
    mTConstructionDeductObj o;
    o.ObjectKind = 2;
    o.OwnershipKind = 1;
    o.TaxpayerAttribute = 1;
    o.City = Utf8ToCp1251("Москва");
    o.Street = Utf8ToCp1251("Тверская");
    o.Cost = Currency::FromRoubles(3000000);
    d.PropertyDeduct.AddObject(o);
  }
  d.SocialDeduct.Granted = 1;
  for (int i = 0; i < 20 * scale; ++i) {
    mTPens& p = d.SocialDeduct.GetPension(d.SocialDeduct.AddPension());
    p.ContractKind = 1;
    p.OrgName = "Fund";
    p.Contribution = Currency::FromRoubles(5000);
  }
}

// One employer, a child's standard deduction, treatment and education.
inline void FillTypical(mTDeclaration& d) {
  d.SetSections(kSectionRussian);
  d.InspectionCode = "5001";
  d.Person.Name.Surname = Utf8ToCp1251("Иванов");
  d.Person.Name.FirstName = Utf8ToCp1251("Иван");
  d.Person.Name.Patronymic = Utf8ToCp1251("Иванович");
  d.Person.Name.Inn = "500100732259";
  d.Person.Address.RegionCode = 50;
  d.Person.Address.City = Utf8ToCp1251("Балашиха г");
  d.Person.Address.Oktmo = "46704000";
  mTThirteenPercent& s = d.Sources13.Get(d.Sources13.Add());
  s.Name = Utf8ToCp1251("ООО \"Ромашка\"");
  s.Inn = "5001012345";
  s.Kpp = "500101001";
  s.Oktmo = "46704000";
  s.StandardDeductSource = 1;
  s.TaxWithheld = Currency::FromRoubles(70200);
  for (int m = 1; m <= 12; ++m) {
    mTSourseIncome e;
    e.IncomeCode = 2000;
    e.Amount = Currency::FromRoubles(45000);
    e.Month = static_cast<std::uint16_t>(m);
    s.AddEntry(e);
  }
  d.StandardDeduct.PersonalCode = 103;
  d.StandardDeduct.ChildMode = 101;
  d.StandardDeduct.SetChildrenConst(1);
  d.SocialDeduct.Granted = 1;
  d.SocialDeduct.Medical = Currency::FromRoubles(40000);
  d.SocialDeduct.OwnEducation = Currency::FromRoubles(35000);
}

}  // namespace talver::bench
