#pragma once
// The large declaration the benchmarks save, load and export: 1 000 sources at 13 % with 12
// entries each, 200 foreign incomes, 50 property objects and 20 pension contracts, times `scale`.
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

}  // namespace talver::bench
