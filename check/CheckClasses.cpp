#include "check/CheckClasses.h"

#include <cmath>
#include <functional>
#include <optional>
#include <vector>

#include "compute/SvodSum.h"
#include "dictionaries/BuiltInTables.h"
#include "platform/Math2.h"
#include "platform/Text1251.h"

namespace talver {
namespace {

// One error found by a rule: what to show and where to send the user.
struct Finding {
  std::string_view Title;
  std::string Message;
  int Page = 0;
  int Item = 0;
};

using Rule = std::function<std::optional<Finding>()>;

bool IsBlank(std::string_view text) { return Trim(text).empty(); }

// Money in the messages: two decimals, as amounts are shown on the pages.
std::string Money(Currency amount) {
  const Currency kopecks = RoundTo2(amount);
  const std::int64_t units = kopecks.Units();
  const std::int64_t magnitude = units < 0 ? -units : units;
  const std::int64_t cents = (magnitude % Currency::kScale) / 100;
  return std::string(units < 0 ? "-" : "") + std::to_string(magnitude / Currency::kScale) + "," +
         (cents < 10 ? "0" : "") + std::to_string(cents);
}

bool HasDigitsOnly(std::string_view text) {
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

int CheckDigit(std::string_view digits, std::initializer_list<int> weights) {
  int sum = 0;
  std::size_t i = 0;
  for (int w : weights) sum += w * (digits[i++] - '0');
  return sum % 11 % 10;
}

// ---------------------------------------------------------------------------------------------
// The rules, each over the document as the check sees it.

const std::string kZelenograd = Utf8ToCp1251("ЗЕЛЕНОГРАД");

int TaxpayerInnResult(const mTDeclaration& d) { return ValidateInn(d.Person.Name.Inn, InnKind::Twelve); }

std::optional<Finding> InnRule(const mTDeclaration& d) {
  switch (TaxpayerInnResult(d)) {
    case 4:
      return Finding{CheckTitles::Taxpayer, "Длина ИНН должна быть равна 12 цифрам", kPagePersonalData, 4};
    case 5:
      return Finding{CheckTitles::Taxpayer, "Номер ИНН введен неверно", kPagePersonalData, 4};
    default:
      return std::nullopt;
  }
}

bool InnEmpty(const mTDeclaration& d) { return IsBlank(d.Person.Name.Inn); }

std::optional<Finding> If(bool fails, std::string_view title, std::string message, int page, int item) {
  if (!fails) return std::nullopt;
  return Finding{title, std::move(message), page, item};
}

// Rules 1 to 4.
std::vector<Rule> ConditionRules(const mTDeclaration& d) {
  const std::string_view t = CheckTitles::Conditions;
  return {
      [&d, t] {
        std::optional<std::string> error = InspectionCodeError(d.InspectionCode);
        return If(error.has_value(), t, error.value_or(""), kPageConditions, 1);
      },
      [&d, t] {
        return If(d.SignerKind != 0 && IsBlank(d.RepresentativeName), t, "Не указаны ФИО подписанта-представителя",
                  kPageConditions, 3);
      },
      [&d, t] {
        return If(d.SignerKind != 0 && IsBlank(d.RepresentativeDocument), t,
                  "Не указан документ, подтверждающий полномочия представителя", kPageConditions, 4);
      },
      [&d, t] {
        return If(d.SignerKind == 2 && IsBlank(d.RepresentativeOrganization), t,
                  "Не указано наименование Юр.лица-представителя", kPageConditions, 5);
      },
  };
}

bool IssuedBeforeBirth(const mTPersonDoc& doc) { return std::floor(doc.DocIssueDate) < std::floor(doc.BirthDate); }

// Documents that may be issued from the fourteenth birthday on, a 29 February birthday
// counting as 28 February.
bool IssuedBeforeFourteen(const mTPersonDoc& doc) {
  const int type = doc.DocTypeCode;
  if (type != 7 && type != 8 && type != 21 && type != 24) return false;
  if (IssuedBeforeBirth(doc)) return false;
  CalendarDate birth = DecodeDate(doc.BirthDate);
  if (birth.Month == 2 && birth.Day == 29) birth.Day = 28;
  if (!IsValidDate(birth.Year + 14, birth.Month, birth.Day)) return false;
  return std::floor(doc.DocIssueDate) < EncodeDate(birth.Year + 14, birth.Month, birth.Day);
}

bool OktmoLengthWrong(const mTDeclaration& d) {
  const std::size_t length = Trim(d.Person.Address.Oktmo).size();
  return length != 8 && length != 11;
}

// Rules 11 to 14, common to both checks.
std::vector<Rule> DocumentRules(const mTDeclaration& d) {
  const std::string_view t = CheckTitles::Taxpayer;
  const mTPersonDoc& doc = d.Person.Document;
  return {
      [&doc, t] {
        return If(doc.DocTypeCode != 0 && doc.DocSeriesNumber.empty(), t,
                  "Не указаны серия и номер документа, удостоверяющего личность", kPagePersonalData, 6);
      },
      [&doc, t] {
        return If(doc.DocTypeCode != 0 && IssuedBeforeBirth(doc), t,
                  "Дата выдачи документа не может быть меньше даты рождения", kPagePersonalData, 7);
      },
      [&doc, t] {
        return If(IssuedBeforeFourteen(doc), t,
                  "Дата выдачи документа должна быть больше даты рождения как минимум на 14 лет", kPagePersonalData, 7);
      },
      [&doc, t] {
        return If(doc.DocTypeCode != 0 && doc.DocIssuedBy.empty(), t,
                  "Не указано, кем выдан документ, удостоверяющий личность", kPagePersonalData, 8);
      },
  };
}

// Rules 5 to 15 of the whole-return check.
std::vector<Rule> PersonalRules(const mTDeclaration& d) {
  const std::string_view t = CheckTitles::Taxpayer;
  const mTPersonInformation& p = d.Person;
  std::vector<Rule> rules = {
      [&p, t] { return If(p.Name.Surname.empty(), t, "Не введена фамилия", kPagePersonalData, 1); },
      [&p, t] { return If(p.Name.FirstName.empty(), t, "Не введено имя", kPagePersonalData, 2); },
      [&d] { return InnRule(d); },
      [&d, t] {
        const bool required =
            d.HasSection(kSectionBusiness) || d.TaxpayerCategory == 0 || d.DeclarationForm == kForm4;
        return If(InnEmpty(d) && required, t,
                  d.DeclarationForm == kForm4 ? "Не указан ИНН"
                                              : "Лицам имеющим доходы от предпринимательской деятельности необходимо ввести ИНН",
                  kPagePersonalData, 4);
      },
      [&d, t] {
        return If(InnEmpty(d) && IsBlank(d.Person.Document.BirthPlace), t, "Не указано место рождения",
                  kPagePersonalData, 9);
      },
      [&d, t] {
        return If(InnEmpty(d) && d.Person.Document.DocTypeCode == 0, t, "Не указан документ, удостоверяющий личность",
                  kPagePersonalData, 5);
      },
  };
  for (Rule& r : DocumentRules(d)) rules.push_back(std::move(r));
  rules.push_back([&d, t] {
    return If(d.DeclarationForm == kForm4 && OktmoLengthWrong(d), t, "Не введен код ОКТМО(8 или 11 симв.)",
              kPagePersonalData, 10);
  });
  return rules;
}

bool NoSettlementNorStreet(const mTPersonAddress& a) { return a.Locality.empty() && a.Street.empty(); }

// Rules 16 to 18 of the whole-return check.
std::vector<Rule> AddressRules(const mTDeclaration& d) {
  const std::string_view t = CheckTitles::Taxpayer;
  const mTPersonAddress& a = d.Person.Address;
  return {
      [&a, t] { return If(a.RegionCode == 0, t, "Не указан регион постоянного местожительства", kPageAddress, 2); },
      [&a, t] {
        return If(!a.PostIndex.empty() && a.PostIndex.size() != 6, t, "Почтовый индекс должен содержать ровно 6 цифр",
                  kPageAddress, 6);
      },
      [&a, t] {
        return If(NoSettlementNorStreet(a) && UpperCase1251(a.City).find(kZelenograd) == std::string::npos, t,
                  "Не указан населенный пункт (село, поселок) или улица (проспект, переулок)", kPageAddress, 5);
      },
  };
}

// A rule over the elements of a list: the first failing element, by its 1-based position.
template <class List, class Test>
Rule PerElement(const List& list, std::string_view title, int page, Test test) {
  return [&list, title, page, test]() -> std::optional<Finding> {
    for (std::size_t i = 0; i < list.Count(); ++i) {
      std::optional<std::string> message = test(list.Get(i));
      if (message) return Finding{title, std::move(*message), page, static_cast<int>(i + 1)};
    }
    return std::nullopt;
  };
}

std::optional<std::string> Message(bool fails, const char* text) {
  if (!fails) return std::nullopt;
  return std::string(text);
}

std::optional<std::string> Rule19(const mTThirteenPercent& s) {
  return Message(s.IncomeTotal < s.TaxWithheld, "По данному источнику выплаты общая сумма дохода меньше удержанной суммы");
}
std::optional<std::string> Rule20(const mTThirteenPercent& s) {
  return Message(s.EntryCount() == 0, "По данному источнику не указаны доходы");
}

bool ExemptFromDeductionSum(std::int32_t code) {
  static constexpr std::int32_t kCodes[] = {1530, 1531, 1532, 1533, 1537, 1538, 9537, 9538, 1539, 1541, 1535, 1536,
                                            1544, 1545, 1546, 1547, 1548, 1549, 9551, 9552, 1551, 1552, 1553, 1554};
  for (std::int32_t c : kCodes) {
    if (c == code) return true;
  }
  return false;
}

// Rules 21 to 25, each over one foreign income.
const std::vector<std::function<std::optional<std::string>(const mTCurrencyIncome&)>>& ForeignTests() {
  static const std::vector<std::function<std::optional<std::string>(const mTCurrencyIncome&)>> tests = {
      [](const mTCurrencyIncome& c) {
        return Message(c.CurrencyCode.empty(), "По данному источнику выплаты не указан код валюты");
      },
      [](const mTCurrencyIncome& c) {
        return Message(c.IncomeRateUnits == 0 || c.IncomeRateRub.IsZero(), "По данному источнику выплаты не указан курс валюты");
      },
      [](const mTCurrencyIncome& c) {
        return Message(c.IncomeCode == 0, "По данному источнику выплаты не указан код дохода");
      },
      [](const mTCurrencyIncome& c) -> std::optional<std::string> {
        if (c.IncomeCode != 1000) return std::nullopt;
        if (c.CfcNumber.empty()) return std::string("По данному источнику необходимо указать номер КИК");
        if (c.CfcNumber.size() != 8) {
          return std::string("По данному источнику номер КИК указан некорректно (состоит из двух букв и пяти цифр)");
        }
        if (c.CfcProfitMethod == 0) return std::string("По данному источнику не указан порядок определения прибыли КИК");
        return std::nullopt;
      },
      [](const mTCurrencyIncome& c) {
        return Message(c.DeductCode != 0 && c.DeductAmount.IsZero() && !ExemptFromDeductionSum(c.IncomeCode),
                       "По данному источнику выплаты не указана сумма вычета");
      },
  };
  return tests;
}

Currency LegacyExpenseSum(const mTBusinessNew& b) {
  Currency sum;
  for (const Currency& amount : b.LegacyExpense) sum += amount;
  return sum;
}

Currency ExpenseComponents(const mTBusinessNew& b) {
  return b.MaterialExpenses + b.Depreciation + b.LabourCosts + b.OtherExpenses;
}

bool MixedExpenseKinds(const mTDeclaration& d, const mTBusinessNew& b) {
  const auto counts = [](const mTBusinessNew& x) { return x.ActivityKind == "1" || x.ActivityKind == "5"; };
  if (!counts(b)) return false;
  for (std::size_t i = 0; i < d.Businesses.Count(); ++i) {
    const mTBusinessNew& first = d.Businesses.Get(i);
    if (counts(first)) return (first.ExpensesConfirmed != 0) != (b.ExpensesConfirmed != 0);
  }
  return false;
}

std::string LabourMessage(const mTBusinessNew& b) {
  return "Расходы по оплате трудовых договоров(" + Money(b.LabourContractCosts) +
         ") превышают сумму расходов на оплату труда (" + Money(b.LabourCosts) + ")";
}

// Rules 26 to 30 for one activity, in order.
std::optional<std::string> BusinessTests(const mTDeclaration& d, const mTBusinessNew& b) {
  if (MixedExpenseKinds(d, b)) return std::string("Нельзя одновременно пользоваться и подтвержденными расходами и нормативом 20%.");
  if (b.ActivityKind == "1" && Trim(b.Okved).size() < 4) {
    return std::string("Длина кода ОКВЭД должна быть не меньше 4 знаков вклячая точку");
  }
  if (b.ExpensesConfirmed == 0) return std::nullopt;
  if (b.LabourCosts < b.LabourContractCosts) return LabourMessage(b);
  if (LegacyExpenseSum(b) > b.OtherExpenses) {
    return "Сумма прочих расходов (" + Money(b.OtherExpenses) + ") меньше суммы ее составляющих (" +
           Money(LegacyExpenseSum(b)) + ")";
  }
  if (ExpenseComponents(b) > b.ExpenseTotal) {
    return "Общие расходы (" + Money(b.ExpenseTotal) +
           ") меньше суммы расходов материальных, на оплату труда, прочих и амортизационных отчислений (" +
           Money(ExpenseComponents(b)) + ")";
  }
  return std::nullopt;
}

bool NoSocialData(const mTSocialDeduct& s) {
  return s.Charity.IsZero() && s.OwnEducation.IsZero() && s.Medical.IsZero() && s.ExpensiveMedical.IsZero() &&
         s.VoluntaryInsurance.IsZero() && s.ExtraPensionContrib.IsZero() && s.AgentSocialDeduct.IsZero() &&
         s.ChildEducation.empty() && s.PensionContracts.Count() == 0;
}

bool AgentAboveExpenses(const mTSocialDeduct& s) {
  const Currency claimed = s.ChildEducationTotal() + s.OwnEducation + s.Medical + s.ExpensiveMedical + s.VoluntaryInsurance;
  return s.AgentSocialDeduct > claimed;
}

std::vector<Rule> SocialRules(const mTDeclaration& d) {
  const std::string_view t = CheckTitles::Social;
  const mTSocialDeduct& s = d.SocialDeduct;
  return {
      [&s, t] {
        return If(s.Granted != 0 && NoSocialData(s), t, "Не введены данные по социальным налоговым вычетам", kPageSocial, 1);
      },
      [&s, t] {
        return If(s.Granted != 0 && AgentAboveExpenses(s), t,
                  "Предоставленный налоговым агентом вычет превышает заявленные затраты", kPageSocial, 4);
      },
  };
}

bool StandardDeductionsAtTwoPlaces(const mTDeclaration& d) {
  for (std::size_t m = 0; m < 12; ++m) {
    int sources = 0;
    for (std::size_t i = 0; i < d.Sources13.Count(); ++i) sources += d.Sources13.Get(i).MonthPresent[m] ? 1 : 0;
    if (sources >= 2) return true;
  }
  return false;
}

// Runs rules in order to the first error, which the whole-return dialog shows.
std::optional<CheckResult> FirstError(const std::vector<Rule>& rules, IPresenter& presenter) {
  for (const Rule& rule : rules) {
    std::optional<Finding> finding = rule();
    if (!finding) continue;
    const CheckAnswer answer = presenter.ShowCheckError(CheckDialog::WholeReturn, finding->Title, finding->Message);
    if (answer == CheckAnswer::Fix) return CheckResult{CheckResult::Outcome::Fix, finding->Page, finding->Item};
    return CheckResult{CheckResult::Outcome::Cancelled, 0, 0};
  }
  return std::nullopt;
}

// Runs the rules of a page check: "Пропустить" goes on, "Пропустить все" lets the user leave.
int PageCheck(const std::vector<Rule>& rules, IPresenter& presenter) {
  for (const Rule& rule : rules) {
    std::optional<Finding> finding = rule();
    if (!finding) continue;
    switch (presenter.ShowCheckError(CheckDialog::PageCheck, finding->Title, finding->Message)) {
      case CheckAnswer::Fix:
        return finding->Item;
      case CheckAnswer::SkipAll:
        return 0;
      case CheckAnswer::Skip:
      case CheckAnswer::Cancel:
        break;
    }
  }
  return 0;
}

// A page check whose first error ends it: "Исправить" gives the item, any other answer 0.
int FirstErrorPageCheck(const std::vector<Rule>& rules, IPresenter& presenter) {
  for (const Rule& rule : rules) {
    std::optional<Finding> finding = rule();
    if (!finding) continue;
    const CheckAnswer answer = presenter.ShowCheckError(CheckDialog::PageCheck, finding->Title, finding->Message);
    return answer == CheckAnswer::Fix ? finding->Item : 0;
  }
  return 0;
}

template <class T>
void Append(std::vector<T>& to, std::vector<T> more) {
  for (T& r : more) to.push_back(std::move(r));
}

}  // namespace

std::uint32_t CheckResult::Packed() const {
  switch (Result) {
    case Outcome::Passed:
      return 0;
    case Outcome::Cancelled:
      return 0xFFFF0000u;
    case Outcome::Fix:
      return (static_cast<std::uint32_t>(Item) << 16) | static_cast<std::uint32_t>(Page);
  }
  return 0;
}

int ValidateInn(std::string_view text, InnKind kind) {
  const std::string inn = Trim(text);
  if (inn.empty()) return 1;
  if (kind == InnKind::Either && inn.size() != 10 && inn.size() != 12) return 2;
  if (kind == InnKind::Ten && inn.size() != 10) return 3;
  if (kind == InnKind::Twelve && inn.size() != 12) return 4;
  if (!HasDigitsOnly(inn) || inn.find_first_not_of('0') == std::string::npos) return 5;
  if (inn.size() == 10) return CheckDigit(inn, {2, 4, 10, 3, 5, 9, 4, 6, 8}) == inn[9] - '0' ? 0 : 5;
  const bool eleventh = CheckDigit(inn, {7, 2, 4, 10, 3, 5, 9, 4, 6, 8}) == inn[10] - '0';
  const bool twelfth = CheckDigit(inn, {3, 7, 2, 4, 10, 3, 5, 9, 4, 6, 8}) == inn[11] - '0';
  return eleventh && twelfth ? 0 : 5;
}

std::optional<std::string> InspectionCodeError(std::string_view code) {
  if (code.empty()) return "Не введен номер инспекции";
  // The code itself is not quoted: it may be anything a file or a hand put there.
  if (code.size() != 4 || !HasDigitsOnly(code)) return "Номер инспекции должен состоять из четырех цифр";
  const std::string region(code.substr(0, 2));
  if (!BuiltInName(Regions(), std::stoi(region))) {
    return "Первые две цифры номера инспекции (" + region + ") не являются кодом региона";
  }
  return std::nullopt;
}

int ValidateKpp(std::string_view text) {
  const std::string kpp = Trim(text);
  if (kpp.empty()) return 1;
  if (kpp.size() != 9) return 2;
  if (kpp == "000000000") return 3;
  return 0;
}

CheckResult CheckDeclaration(mTDeclaration& d, IPresenter& presenter) {
  // The computation tells whether section 1 needs the taxpayer's municipal code.
  bool computed = false;
  try {
    kTSvodSum summary;
    computed = summary.Compute(d);
  } catch (const std::exception&) {
    computed = false;
  }

  std::vector<Rule> rules = ConditionRules(d);
  Append(rules, PersonalRules(d));
  if (d.DeclarationForm != kForm4) Append(rules, AddressRules(d));
  if (d.HasSection(kSectionRussian)) {
    rules.push_back(PerElement(d.Sources13, CheckTitles::Sources13, kPageSources13, Rule19));
    rules.push_back(PerElement(d.Sources13, CheckTitles::Sources13, kPageSources13, Rule20));
  }
  if (d.HasSection(kSectionForeign)) {
    for (const auto& test : ForeignTests()) rules.push_back(PerElement(d.CurrencyIncomes, CheckTitles::Foreign, kPageForeign, test));
  }
  if (d.HasSection(kSectionBusiness)) {
    rules.push_back(PerElement(d.Businesses, CheckTitles::Business, kPageBusiness,
                               [&d](const mTBusinessNew& b) { return BusinessTests(d, b); }));
  }
  if (d.Sections != 0) {
    Append(rules, SocialRules(d));
    const mTStandartDeduct& standard = d.StandardDeduct;
    rules.push_back([&d, &standard] {
      const bool applies = standard.Granted != 0 && standard.MonthlyIncomeGiven == 0 && d.HasSection(kSectionRussian) &&
                           !d.HasSection(kSectionBusiness);
      return If(applies && StandardDeductionsAtTwoPlaces(d), CheckTitles::Standard,
                "Вы не могли получать стандартные вычеты работая в нескольких местах ОДНОВРЕМЕННО.", kPageStandard, 0);
    });
  }
  if (d.DeclarationForm != kForm4) {
    const std::string_view t = CheckTitles::Taxpayer;
    rules.push_back([&d, t] {
      return If(!IsBlank(d.Person.Address.Oktmo) && OktmoLengthWrong(d), t,
                "Код ОКТМО (по месту жительства) должен содержать 8 или 11 символов", kPageAddress, 4);
    });
    rules.push_back([&d, t, computed] {
      return If(IsBlank(d.Person.Address.Oktmo) && !computed, t, "Не введен код ОКТМО(8 или 11 симв.) по месту жительства",
                kPageAddress, 4);
    });
  }
  return FirstError(rules, presenter).value_or(CheckResult{});
}

int CheckConditionsPage(const mTDeclaration& d, IPresenter& presenter) { return PageCheck(ConditionRules(d), presenter); }

int CheckPersonalDataPage(const mTDeclaration& d, IPresenter& presenter) {
  const std::string_view t = CheckTitles::Taxpayer;
  const mTPersonInformation& p = d.Person;
  const auto innMissing = [&d] { return InnEmpty(d) || InnRule(d).has_value(); };
  std::vector<Rule> rules = {
      [&p, t] { return If(p.Name.Surname.empty(), t, "Не введена фамилия", kPagePersonalData, 1); },
      [&p, t] { return If(p.Name.FirstName.empty(), t, "Не введено имя", kPagePersonalData, 2); },
      [&d] { return InnRule(d); },
      [&d, t] { return If(InnEmpty(d), t, "Не указан ИНН", kPagePersonalData, 4); },
      [&p, t, innMissing] {
        return If(innMissing() && IsBlank(p.Document.BirthPlace), t, "Не указано место рождения", kPagePersonalData, 9);
      },
      [&p, t, innMissing] {
        return If(innMissing() && p.Document.DocTypeCode == 0, t, "Не указан документ, удостоверяющий личность",
                  kPagePersonalData, 5);
      },
  };
  Append(rules, DocumentRules(d));
  rules.push_back([&d, t] {
    return If(d.DeclarationForm == kForm4 && OktmoLengthWrong(d), t, "Не введен код ОКТМО(8 или 11 символов)",
              kPagePersonalData, 10);
  });
  return PageCheck(rules, presenter);
}

int CheckAddressPage(const mTDeclaration& d, IPresenter& presenter) {
  const std::string_view t = CheckTitles::Taxpayer;
  const mTPersonAddress& a = d.Person.Address;
  std::vector<Rule> rules = AddressRules(d);
  // On its own page the address needs a settlement or a street whatever the city.
  rules[2] = [&a, t] {
    return If(NoSettlementNorStreet(a), t, "Не указан населенный пункт (село, поселок) или улица (проспект, переулок)",
              kPageAddress, 5);
  };
  if (d.DeclarationForm != kForm4) {
    rules.push_back([&d, t] {
      return If(!IsBlank(d.Person.Address.Oktmo) && OktmoLengthWrong(d), t, "Код ОКТМО должен содержать 8 или 11 символов",
                kPageAddress, 4);
    });
  }
  return PageCheck(rules, presenter);
}

int CheckSources13Page(const mTDeclaration& d, IPresenter& presenter) {
  return FirstErrorPageCheck({PerElement(d.Sources13, CheckTitles::Sources13, kPageSources13, Rule19)}, presenter);
}

int CheckForeignPage(const mTDeclaration& d, IPresenter& presenter) {
  // Every rule for the first income, then for the next.
  const Rule all = [&d]() -> std::optional<Finding> {
    for (std::size_t i = 0; i < d.CurrencyIncomes.Count(); ++i) {
      for (const auto& test : ForeignTests()) {
        std::optional<std::string> message = test(d.CurrencyIncomes.Get(i));
        if (message) return Finding{CheckTitles::Foreign, std::move(*message), kPageForeign, static_cast<int>(i + 1)};
      }
    }
    return std::nullopt;
  };
  return FirstErrorPageCheck({all}, presenter);
}

int CheckBusinessPage(const mTDeclaration& d, IPresenter& presenter) {
  const std::string_view t = CheckTitles::Business;
  std::vector<Rule> rules;
  for (std::size_t i = 0; i < d.Businesses.Count(); ++i) {
    const mTBusinessNew& b = d.Businesses.Get(i);
    const int item = static_cast<int>(i + 1);
    rules.push_back([&d, &b, t, item] {
      return If(MixedExpenseKinds(d, b), t, "Нельзя одновременно пользоваться и подтвержденными расходами и нормативом 20%.",
                kPageBusiness, item);
    });
    rules.push_back([&b, t, item] {
      return If(b.ExpensesConfirmed != 0 && b.LabourCosts < b.LabourContractCosts, t, LabourMessage(b), kPageBusiness, item);
    });
    rules.push_back([&b, t, item] {
      return If(b.ExpensesConfirmed != 0 && ExpenseComponents(b) != b.ExpenseTotal, t,
                "Общие расходы (" + Money(b.ExpenseTotal) +
                    ") не совпадают с суммой расходов материальных, на оплату труда, прочих и амортизационных отчислений (" +
                    Money(ExpenseComponents(b)) + ")",
                kPageBusiness, item);
    });
  }
  return PageCheck(rules, presenter);
}

int CheckSocialPage(const mTDeclaration& d, IPresenter& presenter) { return PageCheck(SocialRules(d), presenter); }

}  // namespace talver
