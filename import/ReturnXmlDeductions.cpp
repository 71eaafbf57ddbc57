// Sheets Д1, Е1 and Е2 of a 3-НДФЛ body: the housing deduction, the standard and social
// deductions, the pension contributions and the investment deduction.
#include <algorithm>
#include <array>

#include "compute/SheetsE.h"
#include "import/ReturnXmlParts.h"
#include "platform/Errors.h"
#include "platform/NumberText.h"

namespace talver::returnxml {
namespace {

// Ownership kinds that the file writes alike; the date of the application to share the
// expenses tells them apart.
std::int32_t OwnershipKindOf(std::int64_t code, bool applicationDate) {
  if (code == 3 && !applicationDate) return 5;
  if (code == 2 && applicationDate) return 6;
  return static_cast<std::int32_t>(code);
}

std::int32_t TaxpayerAttributeOf(std::int64_t code) {
  switch (code) {
    case 13: return 4;
    case 23: return 5;
    default: return static_cast<std::int32_t>(code);
  }
}

void ReadHousingObject(TReader& r, const XmlElement& e, mTConstructionDeductObj& o, TGathered& g) {
  r.Children(e, {"АдрОбъект"});
  const std::optional<TDate> application = r.OptionalDate(e, "ДатаЗаявВыч");
  const std::optional<TDate> act = r.OptionalDate(e, "ДатаАкт");
  const std::optional<TDate> land = r.OptionalDate(e, "ДатаРегЗем");
  const std::int64_t kind = r.Integer(e, "КодНаимОб", 0, 99);
  // A share in a house with its land is written as a share; the land's date shows it.
  o.ObjectKind = kind == 4 && land ? 8 : static_cast<std::int32_t>(kind);
  o.OwnershipKind = OwnershipKindOf(r.Integer(e, "ВидСобствОб", 0, 99), application.has_value());
  o.TaxpayerAttribute = TaxpayerAttributeOf(r.Integer(e, "ПризнакНП", 0, 99));
  o.Pensioner = r.OneOf(e, "ВычЗаяв220.10", {"0", "1"}) == "1" ? 1 : 0;
  if (act) {
    o.ByInvestment = 1;
    o.TransferActDate = *act;
  } else {
    o.OwnershipRegDate = r.Date(e, "ДатаРегЖил");
    if (land) o.LandRegDate = *land;
  }
  if (application) o.DistributionAppDate = *application;
  const std::string share = r.OptionalText(e, "ДолСобств");
  if (!share.empty()) {
    const std::size_t slash = share.find('/');
    try {
      if (slash == std::string::npos) throw EConvertError("share");
      o.ShareNumerator = TextToInt32(share.substr(0, slash));
      o.ShareDenominator = TextToInt32(share.substr(slash + 1));
    } catch (const EConvertError&) {
      r.Fail(e, "ДолСобств", "содержит не долю: «" + share + "»");
    }
  }
  o.FirstUseYear = r.Year(e, "ГодНачИспВыч");
  // The file has the expenses taken into the deduction; as the cost they are taken again.
  o.Cost = r.Amount(e, "СумРасхФакт");
  o.CreditInterest = r.Amount(e, "СумФактУплПроц");
  g.HousingShown.emplace_back(o.Cost, !share.empty());
  const XmlElement address = r.RequiredChild(e, "АдрОбъект");
  r.Children(address, {});
  ReadAddressTexts(r, address, o);
  o.RegionCode = r.Text(address, "КодРегион");
}

// Standard deductions from their totals: months marked as the file counts them, each child's
// deduction in a month of its kind, and the year's income as the total's limit requires.
void SolveStandard(TReader& r, const XmlElement& e, mTStandartDeduct& sd, TGathered& g) {
  const Currency own3000 = r.OptionalAmount(e, "ВычСт218.1.1");
  const Currency own500 = r.OptionalAmount(e, "ВычСт218.1.2");
  const std::int64_t counted = r.Integer(e, "КолМесНеПрев", 0, 12);
  const Currency children = r.OptionalAmount(e, "ВычСтРеб");
  const Currency childrenDouble = r.OptionalAmount(e, "ВычСтРебЕд");
  const Currency disabled = r.OptionalAmount(e, "ВычСтРебИнв");
  const Currency disabledDouble = r.OptionalAmount(e, "ВычСтРебИнвЕд");
  const Currency total = r.Amount(e, "ОбщВычСтанд");
  const auto fail = [&g] {
    g.Shortfall("Стандартные вычеты не удалось восстановить так, чтобы их расчет совпал с листом Е1");
  };

  sd.Granted = 1;
  sd.MonthlyIncomeGiven = 1;
  const auto months = [](Currency amount, Currency each) -> std::optional<std::int64_t> {
    if (amount.Units() % each.Units() != 0) return std::nullopt;
    return amount.Units() / each.Units();
  };
  const std::optional<std::int64_t> a = months(own3000, Roubles(3000));
  const std::optional<std::int64_t> b = months(own500, Roubles(500));
  if (!a || !b || *a + *b > 12) return fail();
  const std::int64_t marked = std::max<std::int64_t>(counted, *a + *b);
  if (*a == marked && *a > 0) {
    sd.PersonalCode = 105;
  } else if (*b == marked && *b > 0) {
    sd.PersonalCode = 104;
  } else if (*a + *b > 0) {
    sd.PersonalCode = 110;
    sd.PersonalByMonthGiven = 1;
    for (std::int64_t m = 0; m < *a + *b; ++m) sd.PersonalCodeByMonth[static_cast<std::size_t>(m)] = m < *a ? 2 : 1;
  } else {
    sd.PersonalCode = 103;
  }

  // Children: first and second at 1 400 or 2 800, third and later at 3 000 or 6 000, disabled
  // at 12 000 or 24 000 (half of it for a guardian).
  const auto split = [](Currency amount, Currency first, Currency third) -> std::optional<std::array<std::int32_t, 2>> {
    for (std::int64_t t = 0; third * t <= amount; ++t) {
      const Currency rest = amount - third * t;
      if (rest.Units() % first.Units() == 0) {
        return std::array<std::int32_t, 2>{static_cast<std::int32_t>(rest.Units() / first.Units()), static_cast<std::int32_t>(t)};
      }
    }
    return std::nullopt;
  };
  const std::optional<std::array<std::int32_t, 2>> ordinary = split(children, Roubles(1400), Roubles(3000));
  const std::optional<std::array<std::int32_t, 2>> twice = split(childrenDouble, Roubles(2800), Roubles(6000));
  sd.GuardianOrFoster = disabled.Units() % Roubles(12000).Units() == 0 && disabledDouble.Units() % Roubles(24000).Units() == 0 ? 0 : 1;
  const Currency disabledEach = sd.GuardianOrFoster != 0 ? Roubles(6000) : Roubles(12000);
  const std::optional<std::int64_t> disabledOrdinary = months(disabled, disabledEach);
  const std::optional<std::int64_t> disabledTwice = months(disabledDouble, disabledEach * 2);
  if (!ordinary || !twice || !disabledOrdinary || !disabledTwice) return fail();
  const bool anyOrdinary = children > Currency() || disabled > Currency();
  const bool anyDouble = childrenDouble > Currency() || disabledDouble > Currency();
  if ((anyOrdinary || anyDouble) && counted == 0) return fail();
  if (anyOrdinary && anyDouble && counted < 2) return fail();
  sd.ChildMode = anyOrdinary && anyDouble ? 103 : anyDouble ? 102 : 101;
  sd.ChildModeByMonthGiven = sd.ChildMode == 103 ? 1 : 0;
  const std::size_t ordinaryMonth = 0;
  const std::size_t doubleMonth = anyOrdinary ? 1 : 0;
  if (sd.ChildMode == 103) {
    sd.ChildModeByMonth.fill(0);
    sd.ChildModeByMonth[ordinaryMonth] = 1;
  }
  sd.ChildrenConst = sd.ThirdConst = sd.DisabledConst = 0;
  sd.ChildrenByMonth.fill(0);
  sd.ThirdByMonth.fill(0);
  sd.DisabledByMonth.fill(0);
  sd.ChildrenByMonth[ordinaryMonth] += (*ordinary)[0];
  sd.ThirdByMonth[ordinaryMonth] += (*ordinary)[1];
  sd.DisabledByMonth[ordinaryMonth] += static_cast<std::int32_t>(*disabledOrdinary);
  sd.ChildrenByMonth[doubleMonth] += (*twice)[0];
  sd.ThirdByMonth[doubleMonth] += (*twice)[1];
  sd.DisabledByMonth[doubleMonth] += static_cast<std::int32_t>(*disabledTwice);

  // The incomes: nothing in the months the children count for, the limit passed in the next
  // month when more months are marked, and the year's income where the total needs it.
  const Currency sum = own3000 + own500 + children + childrenDouble + disabled + disabledDouble;
  const Currency yearIncome = total < sum ? total : sum;
  sd.MonthIncome.fill(Currency());
  sd.MonthExpense.fill(Currency());
  sd.MonthChecked.fill(0);
  for (std::int64_t m = 0; m < marked; ++m) sd.MonthChecked[static_cast<std::size_t>(m)] = 1;
  Currency running;
  if (marked > counted) {
    if (counted == 11 && yearIncome <= kStandardIncomeLimit) return fail();
    running = kStandardIncomeLimit + Currency::FromKopecks(1);
    sd.MonthIncome[static_cast<std::size_t>(counted)] = running;
  } else if (counted == 12 && yearIncome > kStandardIncomeLimit) {
    return fail();
  }
  if (counted < 11 || marked > counted) {
    if (yearIncome >= running) {
      sd.MonthIncome[11] += yearIncome - running;
    } else {
      sd.MonthExpense[11] = running - yearIncome;
    }
  } else {
    sd.MonthIncome[11] = yearIncome;
  }
  g.Losses.push_back("Помесячные доходы и стандартные вычеты по месяцам восстановлены по итогам листа Е1");
}

}  // namespace

void ReadSheetD1(TReader& r, const XmlElement& body, mTDeclaration& d, TGathered& g) {
  const std::optional<XmlElement> sheet = r.Child(body, "ИмущНалВычНов");
  if (!sheet) return;
  r.Children(*sheet, {"РасчИмущВыч"});
  const XmlElement calc = r.RequiredChild(*sheet, "РасчИмущВыч");
  mTConstructionDeduct& pd = d.PropertyDeduct;
  pd.Granted = 1;
  pd.PriorPurchase = r.Amount(calc, "ВычНовЗачПред");
  pd.PriorInterest = r.Amount(calc, "ВычПроцЗачПред");
  pd.CarriedPurchase = r.Amount(calc, "ОстВычПршПред");
  pd.CarriedInterest = r.Amount(calc, "ПроцПршПред");
  pd.AgentPurchase = r.Amount(calc, "ВычНАУвед");
  pd.AgentInterest = r.Amount(calc, "ПроцНАУвед");
  for (const char* computed : {"НалБаз13БезВыч", "РасхНовВычНД", "ПроцВычНД", "ОстИВБезПроц", "ОстИВУплПроц"}) {
    r.Amount(calc, computed);
  }
  for (const XmlElement& e : r.Children(calc, {"СвОбъектРасх"})) {
    mTConstructionDeductObj o;
    ReadHousingObject(r, e, o, g);
    pd.AddObject(std::move(o));
  }
  if (pd.ObjectCount() == 0) r.Fail(calc, {}, "не содержит ни одного объекта («СвОбъектРасх»)");
}

void ReadSheetE1(TReader& r, const XmlElement& body, mTDeclaration& d, TGathered& g) {
  const std::optional<XmlElement> sheet = r.Child(body, "ВычСтандСоц");
  d.StandardDeduct.Granted = 0;
  if (!sheet) return;
  r.Children(*sheet, {"РасчВычСтанд", "РасчВычСоцБез219.2", "РасчВычСоц219.2"});
  r.Amount(*sheet, "ВычСтандСоц");
  const XmlElement standard = r.RequiredChild(*sheet, "РасчВычСтанд");
  r.Children(standard, {});
  if (standard.Attribute("КолМесНеПрев")) {
    SolveStandard(r, standard, d.StandardDeduct, g);
  } else {
    r.Amount(standard, "ОбщВычСтанд");
    // The sheet is written for social deductions alone.
    d.SocialDeduct.Granted = 1;
  }
  mTSocialDeduct& sd = d.SocialDeduct;
  if (const std::optional<XmlElement> outside = r.Child(*sheet, "РасчВычСоцБез219.2")) {
    r.Children(*outside, {});
    sd.Granted = 1;
    sd.Charity = r.OptionalAmount(*outside, "СумБлагЦел");
    // Each child's education counts up to its limit: the sum in as many children as it takes.
    for (Currency left = r.OptionalAmount(*outside, "СумОбуч"); left > Currency(); left -= kChildEducationLimit) {
      sd.AddChildEducation(Min(left, kChildEducationLimit));
    }
    sd.ExpensiveMedical = r.OptionalAmount(*outside, "СумЛечен");
    r.Amount(*outside, "ИтогВычСоциал");
  }
  if (const std::optional<XmlElement> within = r.Child(*sheet, "РасчВычСоц219.2")) {
    r.Children(*within, {});
    sd.Granted = 1;
    sd.OwnEducation = r.OptionalAmount(*within, "СумОбуч");
    sd.Medical = r.OptionalAmount(*within, "СумЛечен");
    sd.VoluntaryInsurance = r.OptionalAmount(*within, "СумЛичСтрах");
    r.OptionalAmount(*within, "СумПенсСтрах");
    r.OptionalAmount(*within, "ОбщСумРасх");
    // What tax agents granted under the pension contracts is not told apart in the file.
    sd.AgentSocialDeduct = r.OptionalAmount(*within, "ОбщСНВОтчПерНА");
    if (sd.AgentSocialDeduct > Currency()) {
      g.Losses.push_back("Вычеты, предоставленные налоговыми агентами, восстановлены одной суммой социальных вычетов");
    }
    r.Amount(*within, "ОбщВычСоциал");
  }
}

void ReadSheetE2(TReader& r, const XmlElement& body, mTDeclaration& d) {
  const std::optional<XmlElement> sheet = r.Child(body, "ВычСоцИнв219");
  if (!sheet) return;
  r.Children(*sheet, {"РасчПенсВзнос", "РасчИнвВыч"});
  mTSocialDeduct& sd = d.SocialDeduct;
  if (const std::optional<XmlElement> pension = r.Child(*sheet, "РасчПенсВзнос")) {
    r.Amount(*pension, "ОбщВзносВыч");
    Currency extraPaid, extraDeducted;
    bool extra = false;
    std::optional<std::size_t> firstCut;
    for (const XmlElement& e : r.Children(*pension, {"РасчПСВВыч", "РасчДопСВВыч"})) {
      r.Children(e, {"СведДогНПО"});
      if (e.Name() == "РасчДопСВВыч") {
        extra = true;
        extraPaid = r.Amount(e, "СумВзносУпл");
        extraDeducted = r.Amount(e, "СумВзносВыч");
        continue;
      }
      if (e.Name() != "РасчПСВВыч") continue;
      sd.Granted = 1;
      mTPens& p = sd.GetPension(sd.AddPension());
      p.Contribution = r.Amount(e, "СумВзносУпл");
      if (r.Amount(e, "СумВзносВыч") < p.Contribution && !firstCut) firstCut = sd.PensionCount() - 1;
      const XmlElement terms = r.RequiredChild(e, "СведДогНПО");
      r.Children(terms, {"СведИст"});
      p.ContractKind = static_cast<std::int32_t>(r.Integer(terms, "ВидДоговор", 1, 3));
      p.ContractDate = r.Date(terms, "ДатаДогНПО");
      p.ContractNumber = r.Text(terms, "НомДогНПО");
      const XmlElement payee = r.RequiredChild(terms, "СведИст");
      r.Children(payee, {});
      p.OrgName = r.Text(payee, "Наим");
      p.Inn = r.Text(payee, "ИННЮЛ");
      p.Kpp = r.Text(payee, "КПП");
    }
    // Additional contributions to the funded pension are written as one total: what was
    // deducted goes where the limit ran out, the rest after every contract.
    if (extra) {
      sd.Granted = 1;
      mTPens deducted;
      deducted.ContractKind = 4;
      deducted.Contribution = extraDeducted;
      std::vector<mTPens> contracts;
      for (std::size_t i = 0; i < sd.PensionCount(); ++i) contracts.push_back(sd.GetPension(i));
      sd.PensionContracts.Clear();
      const std::size_t at = firstCut.value_or(contracts.size());
      contracts.insert(contracts.begin() + static_cast<std::ptrdiff_t>(at), deducted);
      if (extraPaid > extraDeducted) {
        mTPens rest;
        rest.ContractKind = 4;
        rest.Contribution = extraPaid - extraDeducted;
        contracts.push_back(rest);
      }
      for (const mTPens& p : contracts) sd.GetPension(sd.AddPension()) = p;
    }
  }
  if (const std::optional<XmlElement> investment = r.Child(*sheet, "РасчИнвВыч")) {
    r.Children(*investment, {});
    d.InvestmentDeduction = r.Amount(*investment, "СумИнвВыч219");
    d.InvestmentDeductionReturn = r.Amount(*investment, "ИнвВычПредВосст");
  }
}

}  // namespace talver::returnxml
