#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "check/CheckClasses.h"
#include "compute/SvodSum.h"
#include "platform/Text1251.h"
#include "tests/support/RandomDeclaration.h"

namespace talver {
namespace {

// Answers the dialogs from a script and remembers what they showed.
class ScriptedPresenter : public IPresenter {
 public:
  explicit ScriptedPresenter(std::deque<CheckAnswer> answers = {}) : answers_(std::move(answers)) {}
  CheckAnswer ShowCheckError(CheckDialog dialog, std::string_view title, std::string_view message, bool) override {
    shown.push_back({dialog, std::string(title), std::string(message)});
    if (answers_.empty()) return CheckAnswer::Fix;
    const CheckAnswer a = answers_.front();
    answers_.pop_front();
    return a;
  }
  void ShowMessage(std::string_view, std::string_view, MessageIcon) override {}

  struct Shown {
    CheckDialog Dialog;
    std::string Title;
    std::string Message;
  };
  std::vector<Shown> shown;

 private:
  std::deque<CheckAnswer> answers_;
};

std::string W(const char* utf8) { return Utf8ToCp1251(utf8); }

// A resident's return that passes every rule: one employer, the taxpayer's data complete.
mTDeclaration ValidReturn() {
  mTDeclaration d;
  d.SignDate = EncodeDate(2017, 2, 14);
  d.InspectionCode = "7701";
  d.SetSections(kSectionRussian);
  mTPersonInformation& p = d.Person;
  p.Name.Surname = W("Иванов");
  p.Name.FirstName = W("Иван");
  p.Name.Patronymic = W("Иванович");
  p.Name.Inn = "500100732259";
  p.Document.DocTypeCode = 21;
  p.Document.DocSeriesNumber = "45 01 123456";
  p.Document.BirthDate = EncodeDate(1980, 5, 17);
  p.Document.DocIssueDate = EncodeDate(2001, 6, 1);
  p.Document.DocIssuedBy = W("ОВД района Арбат г. Москвы");
  p.Document.BirthPlace = W("г. Москва");
  p.Address.RegionCode = 77;
  p.Address.RegionName = W("г. Москва");
  p.Address.PostIndex = "119002";
  p.Address.City = W("Москва");
  p.Address.Street = W("Арбат");
  p.Address.House = "1";
  p.Address.Oktmo = "45374000";
  mTThirteenPercent& s = d.Sources13.Get(d.Sources13.Add());
  s.Name = W("ООО Ромашка");
  s.Inn = "7707083893";
  s.Kpp = "770701001";
  s.Oktmo = "45374000";
  mTSourseIncome e;
  e.IncomeCode = 2000;
  e.Amount = Currency::FromRoubles(50000);
  e.Month = 1;
  s.AddEntry(e);
  s.TaxWithheld = Currency::FromRoubles(6500);
  return d;
}

struct Expected {
  std::string Title;
  std::string Message;
  int Page;
  int Item;
};

void AddForeign(mTDeclaration& d, const std::function<void(mTCurrencyIncome&)>& edit) {
  d.SetSections(d.Sections | kSectionForeign);
  mTCurrencyIncome& c = d.CurrencyIncomes.Get(d.CurrencyIncomes.Add());
  c.IncomeCode = 1010;
  c.CurrencyCode = "840";
  c.IncomeRateRub = Currency::FromUnits(606569);
  c.IncomeRateUnits = 1;
  edit(c);
}

void AddBusiness(mTDeclaration& d, const std::function<void(mTBusinessNew&)>& edit) {
  d.SetSections(d.Sections | kSectionBusiness);
  mTBusinessNew& b = d.Businesses.Get(d.Businesses.Add());
  b.ActivityKind = "1";
  b.Okved = "62.01";
  edit(b);
}

// Each row alters the valid return in one way and names the first error the check must show.
TEST(WholeReturnCheck, EachRuleWithItsMessagePageAndItem) {
  const std::string cond = "Задание условий", person = "Сведения о декларанте";
  struct Case {
    const char* name;
    std::function<void(mTDeclaration&)> alter;
    Expected expected;
  };
  const Case cases[] = {
      {"1 no inspection", [](mTDeclaration& d) { d.InspectionCode.clear(); }, {cond, "Не введен номер инспекции", 1, 1}},
      {"1 inspection with a letter", [](mTDeclaration& d) { d.InspectionCode = "77A1"; },
       {cond, "Номер инспекции должен состоять из четырех цифр", 1, 1}},
      {"1 inspection of no region", [](mTDeclaration& d) { d.InspectionCode = "8801"; },
       {cond, "Первые две цифры номера инспекции (88) не являются кодом региона", 1, 1}},
      {"2 representative without a name", [](mTDeclaration& d) { d.SignerKind = 1, d.RepresentativeDocument = "x", d.RepresentativeName = "  "; },
       {cond, "Не указаны ФИО подписанта-представителя", 1, 3}},
      {"3 representative without a document", [](mTDeclaration& d) { d.SignerKind = 1, d.RepresentativeName = "x"; },
       {cond, "Не указан документ, подтверждающий полномочия представителя", 1, 4}},
      {"4 organisation without a name", [](mTDeclaration& d) { d.SignerKind = 2, d.RepresentativeName = "x", d.RepresentativeDocument = "y"; },
       {cond, "Не указано наименование Юр.лица-представителя", 1, 5}},
      {"5 no surname", [](mTDeclaration& d) { d.Person.Name.Surname.clear(); }, {person, "Не введена фамилия", 2, 1}},
      {"6 no name", [](mTDeclaration& d) { d.Person.Name.FirstName.clear(); }, {person, "Не введено имя", 2, 2}},
      {"7 INN of ten digits", [](mTDeclaration& d) { d.Person.Name.Inn = "7707083893"; }, {person, "Длина ИНН должна быть равна 12 цифрам", 2, 4}},
      {"7 INN check digit", [](mTDeclaration& d) { d.Person.Name.Inn = "500100732258"; }, {person, "Номер ИНН введен неверно", 2, 4}},
      {"7 INN of zeros", [](mTDeclaration& d) { d.Person.Name.Inn = "000000000000"; }, {person, "Номер ИНН введен неверно", 2, 4}},
      {"8 business without INN", [](mTDeclaration& d) { d.Person.Name.Inn.clear(), AddBusiness(d, [](mTBusinessNew&) {}); },
       {person, "Лицам имеющим доходы от предпринимательской деятельности необходимо ввести ИНН", 2, 4}},
      {"8 entrepreneur without INN", [](mTDeclaration& d) { d.Person.Name.Inn.clear(), d.TaxpayerCategory = 0; },
       {person, "Лицам имеющим доходы от предпринимательской деятельности необходимо ввести ИНН", 2, 4}},
      {"8 4-НДФЛ without INN", [](mTDeclaration& d) { d.Person.Name.Inn.clear(), d.DeclarationForm = kForm4; },
       {person, "Не указан ИНН", 2, 4}},
      {"9 no INN, no birthplace", [](mTDeclaration& d) { d.Person.Name.Inn.clear(), d.Person.Document.BirthPlace = " "; },
       {person, "Не указано место рождения", 2, 9}},
      {"10 no INN, no document", [](mTDeclaration& d) { d.Person.Name.Inn.clear(), d.Person.Document.DocTypeCode = 0; },
       {person, "Не указан документ, удостоверяющий личность", 2, 5}},
      {"11 no series", [](mTDeclaration& d) { d.Person.Document.DocSeriesNumber.clear(); },
       {person, "Не указаны серия и номер документа, удостоверяющего личность", 2, 6}},
      {"12 issued before birth", [](mTDeclaration& d) { d.Person.Document.DocIssueDate = EncodeDate(1979, 1, 1); },
       {person, "Дата выдачи документа не может быть меньше даты рождения", 2, 7}},
      {"13 passport at 13", [](mTDeclaration& d) { d.Person.Document.DocIssueDate = EncodeDate(1994, 5, 16); },
       {person, "Дата выдачи документа должна быть больше даты рождения как минимум на 14 лет", 2, 7}},
      {"14 no issuer", [](mTDeclaration& d) { d.Person.Document.DocIssuedBy.clear(); },
       {person, "Не указано, кем выдан документ, удостоверяющий личность", 2, 8}},
      {"15 4-НДФЛ OKTMO of 9", [](mTDeclaration& d) { d.DeclarationForm = kForm4, d.Person.Address.Oktmo = "453740001"; },
       {person, "Не введен код ОКТМО(8 или 11 симв.)", 2, 10}},
      {"16 no region", [](mTDeclaration& d) { d.Person.Address.RegionCode = 0; }, {person, "Не указан регион постоянного местожительства", 3, 2}},
      {"17 short postcode", [](mTDeclaration& d) { d.Person.Address.PostIndex = "11900"; }, {person, "Почтовый индекс должен содержать ровно 6 цифр", 3, 6}},
      {"18 no settlement or street", [](mTDeclaration& d) { d.Person.Address.Street.clear(); },
       {person, "Не указан населенный пункт (село, поселок) или улица (проспект, переулок)", 3, 5}},
      {"19 income below tax", [](mTDeclaration& d) { d.Sources13.Add(), d.Sources13.Get(1).TaxWithheld = Currency::FromRoubles(1); },
       {"Доходы, облагаемые ставкой 13%", "По данному источнику выплаты общая сумма дохода меньше удержанной суммы", 4, 2}},
      {"20 source without incomes", [](mTDeclaration& d) { d.Sources13.Add(); }, {"Доходы, облагаемые ставкой 13%", "По данному источнику не указаны доходы", 4, 2}},
      {"21 no currency", [](mTDeclaration& d) { AddForeign(d, [](mTCurrencyIncome& c) { c.CurrencyCode.clear(); }); },
       {"Доходы в валюте", "По данному источнику выплаты не указан код валюты", 7, 1}},
      {"22 no rate", [](mTDeclaration& d) { AddForeign(d, [](mTCurrencyIncome& c) { c.IncomeRateUnits = 0; }); },
       {"Доходы в валюте", "По данному источнику выплаты не указан курс валюты", 7, 1}},
      {"23 no income code", [](mTDeclaration& d) { AddForeign(d, [](mTCurrencyIncome& c) { c.IncomeCode = 0; }); },
       {"Доходы в валюте", "По данному источнику выплаты не указан код дохода", 7, 1}},
      {"24 company without number", [](mTDeclaration& d) { AddForeign(d, [](mTCurrencyIncome& c) { c.IncomeCode = 1000; }); },
       {"Доходы в валюте", "По данному источнику необходимо указать номер КИК", 7, 1}},
      {"24 company number of 7", [](mTDeclaration& d) { AddForeign(d, [](mTCurrencyIncome& c) { c.IncomeCode = 1000, c.CfcNumber = "AB12345"; }); },
       {"Доходы в валюте", "По данному источнику номер КИК указан некорректно (состоит из двух букв и пяти цифр)", 7, 1}},
      {"24 company without method", [](mTDeclaration& d) { AddForeign(d, [](mTCurrencyIncome& c) { c.IncomeCode = 1000, c.CfcNumber = "AB-12345"; }); },
       {"Доходы в валюте", "По данному источнику не указан порядок определения прибыли КИК", 7, 1}},
      {"25 deduction code without sum", [](mTDeclaration& d) { AddForeign(d, [](mTCurrencyIncome& c) { c.DeductCode = 201; }); },
       {"Доходы в валюте", "По данному источнику выплаты не указана сумма вычета", 7, 1}},
      {"26 expenses both ways", [](mTDeclaration& d) {
         AddBusiness(d, [](mTBusinessNew&) {});
         AddBusiness(d, [](mTBusinessNew& b) { b.ActivityKind = "5", b.ExpensesConfirmed = 0; });
       },
       {"Доходы от предпринимательской деятельности", "Нельзя одновременно пользоваться и подтвержденными расходами и нормативом 20%.", 8, 2}},
      {"27 short OKVED", [](mTDeclaration& d) { AddBusiness(d, [](mTBusinessNew& b) { b.Okved = " 62 "; }); },
       {"Доходы от предпринимательской деятельности", "Длина кода ОКВЭД должна быть не меньше 4 знаков вклячая точку", 8, 1}},
      {"28 labour contracts above labour", [](mTDeclaration& d) {
         AddBusiness(d, [](mTBusinessNew& b) { b.LabourCosts = Currency::FromRoubles(100), b.LabourContractCosts = Currency::FromUnits(1000050); });
       },
       {"Доходы от предпринимательской деятельности", "Расходы по оплате трудовых договоров(100,01) превышают сумму расходов на оплату труда (100,00)", 8, 1}},
      {"29 other expenses below parts", [](mTDeclaration& d) { AddBusiness(d, [](mTBusinessNew& b) { b.LegacyExpense[3] = Currency::FromRoubles(5); }); },
       {"Доходы от предпринимательской деятельности", "Сумма прочих расходов (0,00) меньше суммы ее составляющих (5,00)", 8, 1}},
      {"30 total below parts", [](mTDeclaration& d) { AddBusiness(d, [](mTBusinessNew& b) { b.MaterialExpenses = Currency::FromRoubles(7); }); },
       {"Доходы от предпринимательской деятельности",
        "Общие расходы (0,00) меньше суммы расходов материальных, на оплату труда, прочих и амортизационных отчислений (7,00)", 8, 1}},
      {"31 social deductions empty", [](mTDeclaration& d) { d.SocialDeduct.Granted = 1; },
       {"Социальные вычеты", "Не введены данные по социальным налоговым вычетам", 10, 1}},
      {"32 agent above expenses", [](mTDeclaration& d) {
         d.SocialDeduct.Granted = 1;
         d.SocialDeduct.AddChildEducation(Currency::FromRoubles(60000));
         d.SocialDeduct.AgentSocialDeduct = Currency::FromRoubles(50001);
       },
       {"Социальные вычеты", "Предоставленный налоговым агентом вычет превышает заявленные затраты", 10, 4}},
      {"33 two employers in March", [](mTDeclaration& d) {
         d.Sources13.Get(0).SetMonthAmount(3, Currency::FromRoubles(1400));
         mTThirteenPercent& second = d.Sources13.Get(d.Sources13.Add());
         second.AddEntry(d.Sources13.Get(0).GetEntry(0));
         second.SetMonthAmount(3, Currency::FromRoubles(1400));
       },
       {"Стандартные вычеты", "Вы не могли получать стандартные вычеты работая в нескольких местах ОДНОВРЕМЕННО.", 9, 0}},
      {"34 OKTMO of 9", [](mTDeclaration& d) { d.Person.Address.Oktmo = "453740001"; },
       {person, "Код ОКТМО (по месту жительства) должен содержать 8 или 11 символов", 3, 4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    mTDeclaration d = ValidReturn();
    c.alter(d);
    ScriptedPresenter presenter;
    const CheckResult result = CheckDeclaration(d, presenter);
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.shown[0].Dialog, CheckDialog::WholeReturn);
    EXPECT_EQ(presenter.shown[0].Title, c.expected.Title);
    EXPECT_EQ(presenter.shown[0].Message, c.expected.Message);
    EXPECT_EQ(result.Result, CheckResult::Outcome::Fix);
    EXPECT_EQ(result.Page, c.expected.Page);
    EXPECT_EQ(result.Item, c.expected.Item);
  }
}

TEST(WholeReturnCheck, AValidReturnPassesAndCancelStops) {
  mTDeclaration d = ValidReturn();
  ScriptedPresenter quiet;
  EXPECT_EQ(CheckDeclaration(d, quiet).Result, CheckResult::Outcome::Passed);
  EXPECT_TRUE(quiet.shown.empty());

  d.InspectionCode.clear();
  d.Person.Name.Surname.clear();
  ScriptedPresenter cancelling({CheckAnswer::Cancel});
  const CheckResult result = CheckDeclaration(d, cancelling);
  EXPECT_EQ(result.Result, CheckResult::Outcome::Cancelled);
  EXPECT_EQ(result.Packed(), 0xFFFF0000u);
  EXPECT_EQ(cancelling.shown.size(), 1u);  // the check stops at its first error
  EXPECT_EQ((CheckResult{CheckResult::Outcome::Fix, 3, 4}).Packed(), 0x00040003u);
}

TEST(WholeReturnCheck, EdgesThatMatter) {
  struct Case {
    const char* name;
    std::function<void(mTDeclaration&)> alter;
    const char* firstMessage;  // nullptr: passes
  };
  const Case cases[] = {
      {"an other person without INN needs birthplace and document only", [](mTDeclaration& d) { d.Person.Name.Inn.clear(); }, nullptr},
      {"born 29 February, passport on 28 February at 14", [](mTDeclaration& d) {
         d.Person.Document.BirthDate = EncodeDate(2000, 2, 29), d.Person.Document.DocIssueDate = EncodeDate(2014, 2, 28);
       }, nullptr},
      {"born 29 February, passport on 27 February at 14", [](mTDeclaration& d) {
         d.Person.Document.BirthDate = EncodeDate(2000, 2, 29), d.Person.Document.DocIssueDate = EncodeDate(2014, 2, 27);
       }, "Дата выдачи документа должна быть больше даты рождения как минимум на 14 лет"},
      {"a birth certificate is not held to 14 years", [](mTDeclaration& d) {
         d.Person.Document.DocTypeCode = 3, d.Person.Document.DocIssueDate = EncodeDate(1980, 6, 1);
       }, nullptr},
      {"Зеленоград needs no street in the whole-return check", [](mTDeclaration& d) {
         d.Person.Address.Street.clear(), d.Person.Address.City = W("г. Зеленоград");
       }, nullptr},
      {"a deduction code without sum is allowed for 1530", [](mTDeclaration& d) {
         AddForeign(d, [](mTCurrencyIncome& c) { c.IncomeCode = 1530, c.DeductCode = 201; });
       }, nullptr},
      {"monthly business data lifts the two-employer rule", [](mTDeclaration& d) {
         d.Sources13.Get(0).SetMonthAmount(3, Currency::FromRoubles(1400));
         mTThirteenPercent& second = d.Sources13.Get(d.Sources13.Add());
         second.AddEntry(d.Sources13.Get(0).GetEntry(0));
         second.SetMonthAmount(3, Currency::FromRoubles(1400));
         d.StandardDeduct.MonthlyIncomeGiven = 1;
       }, nullptr},
      {"a 4-НДФЛ return is not held to the address", [](mTDeclaration& d) {
         d.DeclarationForm = kForm4, d.ExpectedIncome = Currency::FromRoubles(100000), d.Person.Address.RegionCode = 0;
       }, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    mTDeclaration d = ValidReturn();
    c.alter(d);
    ScriptedPresenter presenter;
    const CheckResult result = CheckDeclaration(d, presenter);
    if (c.firstMessage == nullptr) {
      EXPECT_EQ(result.Result, CheckResult::Outcome::Passed) << (presenter.shown.empty() ? "" : presenter.shown[0].Message);
    } else {
      ASSERT_FALSE(presenter.shown.empty());
      EXPECT_EQ(presenter.shown[0].Message, c.firstMessage);
    }
  }
}

TEST(WholeReturnCheck, PerListRulesReportTheFirstFailingElementAndRunOverTheWholeListFirst) {
  mTDeclaration d = ValidReturn();
  d.Sources13.Add();  // 2: no incomes (rule 20)
  mTThirteenPercent& third = d.Sources13.Get(d.Sources13.Add());
  third.TaxWithheld = Currency::FromRoubles(1);  // 3: tax above income (rule 19), and no incomes
  ScriptedPresenter presenter;
  const CheckResult result = CheckDeclaration(d, presenter);
  EXPECT_EQ(presenter.shown.at(0).Message, "По данному источнику выплаты общая сумма дохода меньше удержанной суммы");
  EXPECT_EQ(result.Item, 3);
}

TEST(WholeReturnCheck, WithoutOktmoTheComputationDecides) {
  // Without an OKTMO code a return whose section 1 has no line of its own stops at the last rule.
  mTDeclaration d = ValidReturn();
  d.Sources13.Clear();
  d.Person.Address.Oktmo.clear();
  d.SetSections(kSectionRussian);
  ScriptedPresenter presenter;
  const CheckResult result = CheckDeclaration(d, presenter);
  ASSERT_EQ(presenter.shown.size(), 1u);
  EXPECT_EQ(presenter.shown[0].Message, "Не введен код ОКТМО(8 или 11 симв.) по месту жительства");
  EXPECT_EQ(result.Page, 3);
  EXPECT_EQ(result.Item, 4);
  d.Person.Address.Oktmo = "45374000";
  ScriptedPresenter again;
  EXPECT_EQ(CheckDeclaration(d, again).Result, CheckResult::Outcome::Passed);
}

TEST(InnValidation, ResultCodes) {
  struct Case {
    const char* inn;
    InnKind kind;
    int result;
  };
  const Case cases[] = {
      {"", InnKind::Twelve, 1},          {"   ", InnKind::Either, 1},      {"500100732259", InnKind::Twelve, 0},
      {" 500100732259 ", InnKind::Twelve, 0}, {"500100732258", InnKind::Twelve, 5}, {"500100732249", InnKind::Twelve, 5},
      {"000000000000", InnKind::Twelve, 5}, {"7707083893", InnKind::Ten, 0},  {"7707083894", InnKind::Ten, 5},
      {"0000000000", InnKind::Either, 5},  {"7707083893", InnKind::Either, 0}, {"500100732259", InnKind::Either, 0},
      {"77070838", InnKind::Either, 2},    {"500100732259", InnKind::Ten, 3}, {"7707083893", InnKind::Twelve, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.inn);
    EXPECT_EQ(ValidateInn(c.inn, c.kind), c.result);
  }
  EXPECT_EQ(ValidateKpp(""), 1);
  EXPECT_EQ(ValidateKpp("77070100"), 2);
  EXPECT_EQ(ValidateKpp("000000000"), 3);
  EXPECT_EQ(ValidateKpp(" 770701001 "), 0);
}

TEST(PageChecks, SkipGoesOnSkipAllLeavesFixStays) {
  mTDeclaration d = ValidReturn();
  d.Person.Name.Surname.clear();
  d.Person.Name.FirstName.clear();
  d.Person.Document.DocIssuedBy.clear();
  struct Case {
    std::deque<CheckAnswer> answers;
    int result;
    std::size_t shown;
  };
  const Case cases[] = {
      {{CheckAnswer::Fix}, 1, 1},
      {{CheckAnswer::Skip, CheckAnswer::Fix}, 2, 2},
      {{CheckAnswer::Skip, CheckAnswer::Skip, CheckAnswer::Fix}, 8, 3},
      {{CheckAnswer::Skip, CheckAnswer::Cancel, CheckAnswer::Skip}, 0, 3},  // closing the dialog skips
      {{CheckAnswer::SkipAll}, 0, 1},
  };
  for (const Case& c : cases) {
    ScriptedPresenter presenter(c.answers);
    EXPECT_EQ(CheckPersonalDataPage(d, presenter), c.result);
    EXPECT_EQ(presenter.shown.size(), c.shown);
    EXPECT_EQ(presenter.shown.at(0).Dialog, CheckDialog::PageCheck);
  }
}

TEST(PageChecks, RulesThatDifferFromTheWholeReturnCheck) {
  struct Case {
    const char* name;
    std::function<void(mTDeclaration&)> alter;
    std::function<int(const mTDeclaration&, IPresenter&)> check;
    const char* message;
    int item;
  };
  const Case cases[] = {
      {"the INN is asked for on its page", [](mTDeclaration& d) { d.Person.Name.Inn.clear(); }, CheckPersonalDataPage,
       "Не указан ИНН", 4},
      {"4-НДФЛ OKTMO", [](mTDeclaration& d) { d.DeclarationForm = kForm4, d.Person.Address.Oktmo.clear(); }, CheckPersonalDataPage,
       "Не введен код ОКТМО(8 или 11 символов)", 10},
      {"Зеленоград still needs a street on its page", [](mTDeclaration& d) {
         d.Person.Address.Street.clear(), d.Person.Address.City = W("Зеленоград");
       }, CheckAddressPage, "Не указан населенный пункт (село, поселок) или улица (проспект, переулок)", 5},
      {"address OKTMO", [](mTDeclaration& d) { d.Person.Address.Oktmo = "123"; }, CheckAddressPage,
       "Код ОКТМО должен содержать 8 или 11 символов", 4},
      {"13 % page: rule 19 only", [](mTDeclaration& d) { d.Sources13.Add(), d.Sources13.Add(), d.Sources13.Get(2).TaxWithheld = Currency::FromRoubles(1); },
       CheckSources13Page, "По данному источнику выплаты общая сумма дохода меньше удержанной суммы", 3},
      {"foreign page: all rules of the first income first", [](mTDeclaration& d) {
         AddForeign(d, [](mTCurrencyIncome& c) { c.DeductCode = 201; });
         AddForeign(d, [](mTCurrencyIncome& c) { c.CurrencyCode.clear(); });
       }, CheckForeignPage, "По данному источнику выплаты не указана сумма вычета", 1},
      {"business page: totals must agree", [](mTDeclaration& d) {
         AddBusiness(d, [](mTBusinessNew& b) { b.ExpenseTotal = Currency::FromRoubles(10); });
       }, CheckBusinessPage,
       "Общие расходы (10,00) не совпадают с суммой расходов материальных, на оплату труда, прочих и амортизационных отчислений (0,00)", 1},
      {"social page", [](mTDeclaration& d) { d.SocialDeduct.Granted = 1; }, CheckSocialPage,
       "Не введены данные по социальным налоговым вычетам", 1},
      {"conditions page", [](mTDeclaration& d) { d.InspectionCode.clear(); }, CheckConditionsPage, "Не введен номер инспекции", 1},
      {"conditions page: a code of no region", [](mTDeclaration& d) { d.InspectionCode = "0005"; }, CheckConditionsPage,
       "Первые две цифры номера инспекции (00) не являются кодом региона", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    mTDeclaration d = ValidReturn();
    c.alter(d);
    ScriptedPresenter presenter;
    EXPECT_EQ(c.check(d, presenter), c.item);
    ASSERT_FALSE(presenter.shown.empty());
    EXPECT_EQ(presenter.shown.back().Message, c.message);
  }
  // On its page a wrong INN, skipped, asks for the birthplace as a missing one does.
  {
    mTDeclaration d = ValidReturn();
    d.Person.Name.Inn = "1";
    d.Person.Document.BirthPlace.clear();
    ScriptedPresenter presenter({CheckAnswer::Skip, CheckAnswer::Fix});
    EXPECT_EQ(CheckPersonalDataPage(d, presenter), 9);
    ASSERT_EQ(presenter.shown.size(), 2u);
    EXPECT_EQ(presenter.shown[0].Message, "Длина ИНН должна быть равна 12 цифрам");
    EXPECT_EQ(presenter.shown[1].Message, "Не указано место рождения");
  }
  // On the 13 % and foreign pages the first error shown ends the check, whatever the answer.
  mTDeclaration d = ValidReturn();
  d.Sources13.Get(0).TaxWithheld = Currency::FromRoubles(1000000);
  d.Sources13.Get(d.Sources13.Add()).TaxWithheld = Currency::FromRoubles(1);
  ScriptedPresenter skipping({CheckAnswer::Skip});
  EXPECT_EQ(CheckSources13Page(d, skipping), 0);
  EXPECT_EQ(skipping.shown.size(), 1u);
}

// The inspection code goes into the export's file name and identifier: only four digits of a
// region pass, whatever a file or a hand put there.
TEST(InspectionCode, FourDigitsTheFirstTwoARegion) {
  const std::string fourDigits = "Номер инспекции должен состоять из четырех цифр";
  const std::pair<std::string, std::optional<std::string>> cases[] = {
      {"7701", std::nullopt},
      {"0105", std::nullopt},
      {"8301", std::nullopt},  // the Nenets district, a region of its own
      {"9901", std::nullopt},
      {"", "Не введен номер инспекции"},
      {"77A1", fourDigits},
      {"0105\" Evil=\"1", fourDigits},
      {"01<05", fourDigits},
      {"01&#x41;5", fourDigits},
      {"7701\n", fourDigits},
      {"770", fourDigits},
      {" 7701", fourDigits},
      {std::string(300, '7'), fourDigits},
      {"8801", "Первые две цифры номера инспекции (88) не являются кодом региона"},
      {"8001", "Первые две цифры номера инспекции (80) не являются кодом региона"},
  };
  for (const auto& [code, error] : cases) {
    SCOPED_TRACE(code);
    EXPECT_EQ(InspectionCodeError(code), error);
  }
}

// The check raises nothing and changes nothing the computation does not write back.
TEST(WholeReturnCheck, RandomDeclarationsNeitherThrowNorChange) {
  for (std::uint32_t seed = 1; seed <= 200; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    mTDeclaration d;
    testing::RandomFiller(seed).Fill(d);
    kTSvodSum().Compute(d);  // what the computation writes back, written once beforehand
    const std::string before = d.SaveToBytes();
    for (CheckAnswer answer : {CheckAnswer::Fix, CheckAnswer::Cancel}) {
      ScriptedPresenter presenter({answer});
      ASSERT_NO_THROW(CheckDeclaration(d, presenter));
      for (auto check : {CheckConditionsPage, CheckPersonalDataPage, CheckAddressPage, CheckSources13Page,
                         CheckForeignPage, CheckBusinessPage, CheckSocialPage}) {
        ScriptedPresenter skipping({CheckAnswer::Skip, CheckAnswer::Skip, CheckAnswer::Skip, CheckAnswer::Skip});
        ASSERT_NO_THROW(check(d, skipping));
      }
    }
    ASSERT_EQ(d.SaveToBytes(), before);
  }
}

}  // namespace
}  // namespace talver
