// Incomes received abroad: the source dialog, the currency and its Central Bank rates typed or
// taken from "CurrencyRates.xml", the amounts in roubles, the income code with the company
// group and the deduction that follows the income in roubles, an entry shown again, the page
// check, and a dividend with tax paid abroad typed through the windows and computed.
#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "tests/ui/support/DictionaryHost.h"
#include "tests/ui/support/EntryTestSupport.h"
#include "compute/SvodSum.h"
#include "platform/NumberText.h"
#include "ui/framework/FieldText.h"
#include "ui/pages/FrameCurrency.h"

namespace talver::test {
namespace {

Currency Rub(const char* text) { return TextToCurrency(text, '.'); }

class ForeignPageTest : public UiTest {
 protected:
  DictionaryHost host;

  void SetUp() override {
    UiTest::SetUp();
    host.declaration.SetSections(kSectionRussian | kSectionForeign);
  }

  // "Добавить источник выплат" answered with a name and a typed country code.
  static void AddSource(QWidget* page, const QString& name, const QString& country = QStringLiteral("840")) {
    WhenModal([=](QWidget* dialog) {
      TypeText(Find(dialog, "edSourceName"), name);
      TypeText(Find(dialog, "edCountryCode"), country);
      Click(dialog, "btYes");
    });
    Click(page, "btAddSource");
  }
  static QString Text(QWidget* root, const char* name) { return Find<QLineEdit>(root, name)->text(); }
  static void SetDate(QWidget* root, const char* name, int year, int month, int day) {
    Find<QDateEdit>(root, name)->setDate(QDate(year, month, day));
  }
  static void ChooseIncome(QWidget* page, const char* code) {
    AnswerPicker(QString::fromLatin1(code));
    Click(page, "btIncomeCode");
  }
  static void ChooseDeduction(QWidget* page, const char* code) {
    AnswerPicker(QString::fromLatin1(code));
    Click(page, "btDeductCode");
  }
};

TEST_F(ForeignPageTest, TheEntryControlsWaitForASource) {
  TfrCurrency page(nullptr, host);
  page.show();
  for (const char* w : {"gbIncomeInfo", "gbIncome", "gbTax", "gbDeduction", "gbCfc", "btDeleteSource", "btEditSource"}) {
    EXPECT_FALSE(Find(&page, w)->isEnabled()) << w;
  }
  EXPECT_EQ(Find<QDateEdit>(&page, "dtIncomeDate")->date(), QDate(2016, 1, 1));
  EXPECT_EQ(Find<QDateEdit>(&page, "dtTaxPaymentDate")->date(), QDate(2016, 1, 1));

  AddSource(&page, QStringLiteral("Apple Inc."));
  ASSERT_EQ(host.declaration.CurrencyIncomes.Count(), 1u);
  const mTCurrencyIncome& income = host.declaration.CurrencyIncomes.Get(0);
  EXPECT_EQ(income.SourceName, "Apple Inc.");
  EXPECT_EQ(income.CountryCode, "840");
  EXPECT_GT(host.notices, 0);
  EXPECT_TRUE(Find(&page, "gbIncomeInfo")->isEnabled());
  EXPECT_TRUE(Find(&page, "btCurrency")->isEnabled()) << "the rates file is there";
  EXPECT_FALSE(Find(&page, "edIncomeInCurrency")->isEnabled()) << "no amount before an income code";
  EXPECT_FALSE(Find(&page, "cbAutoRate")->isEnabled()) << "no currency, no rate";

  // A dialog left with an empty name adds nothing.
  AddSource(&page, QStringLiteral("   "));
  EXPECT_EQ(host.declaration.CurrencyIncomes.Count(), 1u);
}

TEST_F(ForeignPageTest, TheSourceDialogAsksForTheCountry) {
  TfrCurrency page(nullptr, host);
  page.show();
  PickerSeen countries;
  WhenModal([&countries](QWidget* dialog) {
    TypeText(Find(dialog, "edSourceName"), QStringLiteral("Deutsche Bank AG"));
    AnswerPicker(QStringLiteral("276"), &countries);  // opened by the check
    Click(dialog, "btYes");
    EXPECT_EQ(Find<QLineEdit>(dialog, "edCountryCode")->text(), QStringLiteral("276"));
    EXPECT_TRUE(dialog->isVisible()) << "the dialog waits for the user's Да";
    Click(dialog, "btYes");
  });
  host.presenter.CheckAnswers = {CheckAnswer::Fix};
  Click(&page, "btAddSource");
  ASSERT_EQ(host.presenter.Checks.size(), 1u);
  EXPECT_EQ(host.presenter.Checks[0].Title, "Источник дохода");
  EXPECT_EQ(host.presenter.Checks[0].Message, "Не выбран код страны");
  EXPECT_EQ(countries.Caption, QStringLiteral("Справочник стран"));
  EXPECT_TRUE(countries.Current.isEmpty()) << "no code, no row selected";
  ASSERT_EQ(host.declaration.CurrencyIncomes.Count(), 1u);
  EXPECT_EQ(host.declaration.CurrencyIncomes.Get(0).CountryCode, "276");

  // Editing the source stores the name and country back.
  WhenModal([](QWidget* dialog) {
    EXPECT_EQ(Find<QLineEdit>(dialog, "edSourceName")->text(), QStringLiteral("Deutsche Bank AG"));
    Retype(Find<QLineEdit>(dialog, "edSourceName"), QStringLiteral("Commerzbank AG"));
    Retype(Find<QLineEdit>(dialog, "edCountryCode"), QStringLiteral("040"));
    Click(dialog, "btYes");
  });
  Click(&page, "btEditSource");
  EXPECT_EQ(host.declaration.CurrencyIncomes.Get(0).SourceName, "Commerzbank AG");
  EXPECT_EQ(host.declaration.CurrencyIncomes.Get(0).CountryCode, "040");
  EXPECT_EQ(Find<QTreeWidget>(&page, "lvSources")->topLevelItem(0)->text(0), QStringLiteral("Commerzbank AG"));

  // Without the country directory the code is typed, and the check does not open a picker.
  host.countries = nullptr;
  WhenModal([](QWidget* dialog) {
    EXPECT_FALSE(Find(dialog, "btCountry")->isEnabled());
    TypeText(Find(dialog, "edSourceName"), QStringLiteral("HSBC"));
    Click(dialog, "btYes");
    EXPECT_TRUE(dialog->isVisible());
    TypeText(Find(dialog, "edCountryCode"), QStringLiteral("826"));
    Click(dialog, "btYes");
  });
  host.presenter.CheckAnswers = {CheckAnswer::Fix};
  Click(&page, "btAddSource");
  ASSERT_EQ(host.declaration.CurrencyIncomes.Count(), 2u);
  EXPECT_EQ(host.declaration.CurrencyIncomes.Get(1).CountryCode, "826");
}

TEST_F(ForeignPageTest, TheRoublesAreTheAmountAtTheRate) {
  struct Case {
    const char* Amount;
    const char* Units;
    const char* Rate;
    const char* Roubles;
  };
  const Case cases[] = {
      {"1000", "100", "25,5", "255"},     // 1000 ÷ 100 × 25.50
      {"250", "100", "75,2", "188"},
      {"1000", "1", "66,211", "66211"},
      {"2", "3", "1", "0,67"},            // 0.666… up to the kopeck
      {"1", "3", "1", "0,33"},
      {"0,01", "2", "1", "0,01"},         // half a kopeck rounds up
      {"", "1", "65,5", "0"},
      {"1000", "", "65,5", "0"},
      {"1000", "0", "65,5", "0"},
      {"1000", "1", "0", "0"},
      {"1000", "1", "", "0"},
  };
  TfrCurrency page(nullptr, host);
  page.show();
  AddSource(&page, QStringLiteral("Source"));
  ChooseIncome(&page, "1010");
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.Amount) + " / " + c.Units + " × " + c.Rate);
    Retype(Find<QLineEdit>(&page, "edIncomeInCurrency"), QString::fromUtf8(c.Amount));
    Retype(Find<QLineEdit>(&page, "edIncomeRateUnits"), QString::fromUtf8(c.Units));
    Retype(Find<QLineEdit>(&page, "edIncomeRateRub"), QString::fromUtf8(c.Rate));
    EXPECT_EQ(Text(&page, "pnIncomeInRoubles").toStdString(), c.Roubles);
    // The tax at the rate of its own date, the same way.
    Retype(Find<QLineEdit>(&page, "edTaxInCurrency"), QString::fromUtf8(c.Amount));
    Retype(Find<QLineEdit>(&page, "edTaxRateUnits"), QString::fromUtf8(c.Units));
    Retype(Find<QLineEdit>(&page, "edTaxRateRub"), QString::fromUtf8(c.Rate));
    EXPECT_EQ(Text(&page, "pnTaxInRoubles").toStdString(), c.Roubles);
    page.StoreData();
    const mTCurrencyIncome& stored = host.declaration.CurrencyIncomes.Get(0);
    EXPECT_EQ(AmountTextKeepZero(stored.IncomeInRoubles).toStdString(), c.Roubles) << "the model agrees";
    EXPECT_EQ(AmountTextKeepZero(stored.TaxInRoubles).toStdString(), c.Roubles);
  }
}

TEST_F(ForeignPageTest, RatesTakenFromTheRatesFile) {
  TfrCurrency page(nullptr, host);
  page.show();
  AddSource(&page, QStringLiteral("Source"));
  auto* autoRate = Find<QCheckBox>(&page, "cbAutoRate");
  auto* name = Find<QLineEdit>(&page, "edCurrencyName");

  // An unknown code: the name is typed, no rate can be taken.
  TypeText(Find(&page, "edCurrencyCode"), QStringLiteral("999"));
  EXPECT_TRUE(name->text().isEmpty());
  EXPECT_FALSE(name->isReadOnly());
  EXPECT_FALSE(autoRate->isEnabled());
  TypeText(name, QStringLiteral("Тугрик"));

  // A known one: its name, read-only, and the rates of its days.
  SetDate(&page, "dtIncomeDate", 2016, 5, 20);
  SetDate(&page, "dtTaxPaymentDate", 2016, 5, 22);  // a Sunday: the rate of Saturday
  Retype(Find<QLineEdit>(&page, "edCurrencyCode"), QStringLiteral("840"));
  EXPECT_EQ(name->text(), QStringLiteral("Доллар США"));
  EXPECT_TRUE(name->isReadOnly());
  ASSERT_TRUE(autoRate->isEnabled());
  EXPECT_TRUE(Text(&page, "edIncomeRateRub").isEmpty()) << "the box is not ticked yet";
  QTest::mouseClick(autoRate, Qt::LeftButton);
  EXPECT_TRUE(autoRate->isChecked());
  EXPECT_EQ(Text(&page, "edIncomeRateRub"), QStringLiteral("66,211"));
  EXPECT_EQ(Text(&page, "edIncomeRateUnits"), QStringLiteral("1"));
  EXPECT_EQ(Text(&page, "edTaxRateRub"), QStringLiteral("66,3775"));
  EXPECT_EQ(Text(&page, "edTaxRateUnits"), QStringLiteral("1"));
  for (const char* rate : {"edIncomeRateRub", "edIncomeRateUnits", "edTaxRateRub", "edTaxRateUnits"}) {
    EXPECT_TRUE(Find<QLineEdit>(&page, rate)->isReadOnly()) << rate;
  }

  // Another day: its own rate.
  SetDate(&page, "dtIncomeDate", 2016, 1, 12);
  EXPECT_EQ(Text(&page, "edIncomeRateRub"), QStringLiteral("75,9507"));
  SetDate(&page, "dtIncomeDate", 2016, 1, 11);
  EXPECT_EQ(Text(&page, "edIncomeRateRub"), QStringLiteral("72,9299")) << "the rate of 01.01.2016 still in force";

  // A currency quoted for 100 units, chosen in the picker: the box stays ticked.
  AnswerPicker(QStringLiteral("392"));
  Click(&page, "btCurrency");
  EXPECT_EQ(name->text(), QStringLiteral("Японская иена"));
  EXPECT_TRUE(autoRate->isChecked());
  EXPECT_EQ(Text(&page, "edIncomeRateUnits"), QStringLiteral("100"));
  EXPECT_EQ(Text(&page, "edTaxRateUnits"), QStringLiteral("100"));

  // A day before the first rate: no automatic determination, the rates are typed again.
  SetDate(&page, "dtIncomeDate", 2015, 6, 1);
  EXPECT_FALSE(autoRate->isEnabled());
  EXPECT_FALSE(autoRate->isChecked());
  for (const char* rate : {"edIncomeRateRub", "edIncomeRateUnits", "edTaxRateRub", "edTaxRateUnits"}) {
    EXPECT_TRUE(Find<QLineEdit>(&page, rate)->text().isEmpty()) << rate;
    EXPECT_FALSE(Find<QLineEdit>(&page, rate)->isReadOnly()) << rate;
  }
  SetDate(&page, "dtIncomeDate", 2016, 6, 1);
  EXPECT_TRUE(autoRate->isEnabled()) << "a day with a rate again";

  // Unticking empties the fields for typing.
  QTest::mouseClick(autoRate, Qt::LeftButton);
  EXPECT_FALSE(Text(&page, "edIncomeRateRub").isEmpty());
  QTest::mouseClick(autoRate, Qt::LeftButton);
  EXPECT_FALSE(autoRate->isChecked());
  EXPECT_TRUE(Text(&page, "edIncomeRateRub").isEmpty());
  EXPECT_FALSE(Find<QLineEdit>(&page, "edIncomeRateRub")->isReadOnly());
  page.StoreData();
  const mTCurrencyIncome& stored = host.declaration.CurrencyIncomes.Get(0);
  EXPECT_EQ(stored.CurrencyCode, "392");
  EXPECT_EQ(stored.CurrencyName, Utf8ToCp1251("Японская иена"));
  EXPECT_EQ(stored.AutoRate, 0);
  EXPECT_EQ(stored.IncomeDate, EncodeDate(2016, 6, 1));
  EXPECT_EQ(stored.TaxPaymentDate, EncodeDate(2016, 5, 22));
}

TEST_F(ForeignPageTest, TheCurrencyPicker) {
  TfrCurrency page(nullptr, host);
  page.show();
  AddSource(&page, QStringLiteral("Source"));
  PickerSeen seen;
  AnswerPicker(QStringLiteral("840"), &seen);
  Click(&page, "btCurrency");
  EXPECT_EQ(seen.Caption, QStringLiteral("Справочник валют"));
  EXPECT_EQ(seen.Codes.size(), ShippedRates().Currencies().size());
  EXPECT_EQ(seen.Current, seen.Codes.front()) << "no code: the first row";
  EXPECT_EQ(Text(&page, "edCurrencyCode"), QStringLiteral("840"));
  EXPECT_EQ(Text(&page, "edCurrencyName"), QStringLiteral("Доллар США"));
  EXPECT_TRUE(host.presenter.Messages.empty());

  // The Belarusian roubles come with a warning about the rates of 2016.
  const std::pair<const char*, const char*> warnings[] = {
      {"974", "Курс старого белорусского рубля после 30 июня 2016 в автоматическом режиме не определяется. При "
              "необходимости указывайте правильный курс в ручном режиме."},
      {"933", "Курс нового белорусского рубля до 1 июля 2016 в автоматическом режиме не определяется. При "
              "необходимости указывайте правильный курс в ручном режиме."},
  };
  for (const auto& [code, warning] : warnings) {
    host.presenter.Messages.clear();
    AnswerPicker(QString::fromLatin1(code), &seen);
    Click(&page, "btCurrency");
    ASSERT_EQ(host.presenter.MessageTexts(), std::vector<std::string>{warning});
    EXPECT_EQ(host.presenter.Messages[0].Caption, "Тальвер 2016");
  }
  AnswerPicker(QString(), &seen);
  Click(&page, "btCurrency");
  EXPECT_EQ(seen.Current, QStringLiteral("933")) << "opened on the code chosen";

  // Without the rates file there is nothing to choose from and no rate to take.
  host.rates = nullptr;
  TfrCurrency bare(nullptr, host);
  bare.show();
  Find<QTreeWidget>(&bare, "lvSources")->setCurrentItem(Find<QTreeWidget>(&bare, "lvSources")->topLevelItem(0));
  EXPECT_TRUE(Find(&bare, "gbIncomeInfo")->isEnabled());
  EXPECT_FALSE(Find(&bare, "btCurrency")->isEnabled());
  Retype(Find<QLineEdit>(&bare, "edCurrencyCode"), QStringLiteral("840"));
  EXPECT_FALSE(Find(&bare, "cbAutoRate")->isEnabled());
  EXPECT_FALSE(Find<QLineEdit>(&bare, "edCurrencyName")->isReadOnly());
}

TEST_F(ForeignPageTest, TheIncomeCodeOpensTheCompanyFields) {
  struct Case {
    const char* Code;
    bool Number;
    bool Methods;
  };
  const Case cases[] = {
      {"1000", true, true},
      {"1001", true, false},
      {"1012", true, false},
      {"1010", false, false},
      {"1000", true, true},
  };
  TfrCurrency page(nullptr, host);
  page.show();
  AddSource(&page, QStringLiteral("Source"));
  PickerSeen incomes;
  AnswerPicker(QStringLiteral("1000"), &incomes);
  Click(&page, "btIncomeCode");
  EXPECT_EQ(incomes.Codes.size(), 97u) << "every income of the dictionary";
  TypeText(Find(&page, "edCfcNumber"), QStringLiteral("ав12345"));
  EXPECT_EQ(Text(&page, "edCfcNumber"), QStringLiteral("АВ 12345"));
  Click(&page, "rbCfcRussianRules");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Code);
    ChooseIncome(&page, c.Code);
    EXPECT_EQ(Find(&page, "edCfcNumber")->isEnabled(), c.Number);
    EXPECT_EQ(Find(&page, "rbCfcAccounts")->isEnabled(), c.Methods);
    EXPECT_EQ(Find(&page, "rbCfcRussianRules")->isEnabled(), c.Methods);
    if (!c.Methods) {
      EXPECT_FALSE(Find<QRadioButton>(&page, "rbCfcAccounts")->isChecked());
      EXPECT_FALSE(Find<QRadioButton>(&page, "rbCfcRussianRules")->isChecked());
    }
    if (!c.Number) {
      EXPECT_TRUE(Text(&page, "edCfcNumber").isEmpty());
    }
    EXPECT_TRUE(Find(&page, "edIncomeInCurrency")->isEnabled());
  }
  TypeText(Find(&page, "edCfcNumber"), QStringLiteral("КИ54321"));
  Click(&page, "rbCfcAccounts");
  EXPECT_TRUE(Find<QRadioButton>(&page, "rbCfcAccounts")->isChecked());
  page.StoreData();
  const mTCurrencyIncome& stored = host.declaration.CurrencyIncomes.Get(0);
  EXPECT_EQ(stored.IncomeCode, 1000);
  EXPECT_EQ(stored.IncomeRate, 99) << "the income's rate in the dictionary";
  EXPECT_EQ(stored.IncomeName, Utf8ToCp1251("Суммы прибыли контролируемых иностранных компаний"));
  EXPECT_EQ(stored.CfcNumber, Utf8ToCp1251("КИ 54321"));
  EXPECT_EQ(stored.CfcProfitMethod, 1);
}

TEST_F(ForeignPageTest, TheDeductionFollowsTheIncomeInRoubles) {
  TfrCurrency page(nullptr, host);
  page.show();
  AddSource(&page, QStringLiteral("Source"));
  ChooseIncome(&page, "1010");
  EXPECT_FALSE(Find(&page, "btDeductCode")->isEnabled()) << "dividends have no deduction";
  ChooseIncome(&page, "1211");
  ASSERT_TRUE(Find(&page, "btDeductCode")->isEnabled());
  Retype(Find<QLineEdit>(&page, "edIncomeRateUnits"), QStringLiteral("1"));
  Retype(Find<QLineEdit>(&page, "edIncomeRateRub"), QStringLiteral("2"));
  Retype(Find<QLineEdit>(&page, "edIncomeInCurrency"), QStringLiteral("5000"));
  ChooseDeduction(&page, "510");
  auto* sum = Find<QLineEdit>(&page, "edDeductAmount");
  EXPECT_EQ(sum->text(), QStringLiteral("10000")) << "the income in roubles";
  EXPECT_FALSE(sum->isReadOnly());
  const std::pair<const char*, const char*> steps[] = {{"5500", "11000"}, {"5999,99", "11999,98"}, {"7000", "12000"}};
  for (const auto& [amount, deduction] : steps) {
    Retype(Find<QLineEdit>(&page, "edIncomeInCurrency"), QString::fromLatin1(amount));
    EXPECT_EQ(sum->text(), QString::fromUtf8(deduction)) << amount;
  }
  Retype(Find<QLineEdit>(&page, "edIncomeRateRub"), QStringLiteral("1"));
  EXPECT_EQ(sum->text(), QStringLiteral("7000")) << "a lower rate lowers the base";
  Retype(sum, QStringLiteral("15000"));
  EXPECT_EQ(sum->text(), QStringLiteral("15000")) << "a typed sum is not cut here";
  Retype(Find<QLineEdit>(&page, "edTaxInCurrency"), QStringLiteral("100"));
  EXPECT_EQ(sum->text(), QStringLiteral("15000")) << "the tax is not the base";
  page.StoreData();
  const mTCurrencyIncome& stored = host.declaration.CurrencyIncomes.Get(0);
  EXPECT_EQ(stored.DeductCode, 510);
  EXPECT_EQ(stored.DeductAmount, Currency::FromRoubles(15000));
  EXPECT_EQ(stored.DeductRate, 0);

  // A norm: its percent of the roubles; another income drops the deduction.
  ChooseIncome(&page, "2202");
  EXPECT_TRUE(sum->text().isEmpty());
  EXPECT_TRUE(Text(&page, "pnDeductCode").isEmpty());
  ChooseDeduction(&page, "405");
  EXPECT_EQ(sum->text(), QStringLiteral("2100")) << "30 % of 7000";
  EXPECT_TRUE(sum->isReadOnly());
  ChooseDeduction(&page, "0");
  EXPECT_TRUE(sum->isHidden());
  page.StoreData();
  EXPECT_EQ(host.declaration.CurrencyIncomes.Get(0).DeductCode, 0);
  EXPECT_TRUE(host.declaration.CurrencyIncomes.Get(0).DeductAmount.IsZero());
}

TEST_F(ForeignPageTest, AnEntryShownAgain) {
  struct Case {
    const char* Name;
    std::function<void(mTCurrencyIncome&)> Fill;
    bool AutoEnabled;
    bool AutoTicked;
    const char* IncomeRate;
    const char* DeductCode;
    const char* DeductSum;
    bool CfcNumber;
  };
  const auto base = [](mTCurrencyIncome& e) {
    e.SourceName = "S";
    e.CurrencyCode = "840";
    e.CurrencyName = Utf8ToCp1251("Доллар");
    e.IncomeDate = EncodeDate(2016, 5, 20);
    e.TaxPaymentDate = EncodeDate(2016, 5, 20);
    e.IncomeRateRub = Rub("66.211");
    e.IncomeRateUnits = 1;
    e.AutoRate = 1;
    e.IncomeCode = 1010;
    e.IncomeRate = 14;
    e.SetIncomeInCurrency(Rub("1000"));
  };
  const Case cases[] = {
      {"automatic rates of known days", base, true, true, "66,211", "", "", false},
      {"the tax paid before the first rate decides",
       [&](mTCurrencyIncome& e) {
         base(e);
         e.TaxPaymentDate = EncodeDate(2015, 1, 1);
       },
       false, false, "66,211", "", "", false},
      {"typed rates of a currency without rates",
       [&](mTCurrencyIncome& e) {
         base(e);
         e.CurrencyCode = "999";
         e.AutoRate = 0;
       },
       false, false, "66,211", "", "", false},
      {"a norm recomputed from the roubles",
       [&](mTCurrencyIncome& e) {
         base(e);
         e.IncomeCode = 2201;
         e.DeductCode = 405;
         e.DeductAmount = Rub("1");
         e.DeductRate = 20;
       },
       true, true, "66,211", "405", "13242,2", false},
      {"a typed expense kept",
       [&](mTCurrencyIncome& e) {
         base(e);
         e.IncomeCode = 1530;
         e.DeductCode = 201;
         e.DeductAmount = Rub("70000");
       },
       true, true, "66,211", "201", "70000", false},
      {"a deduction no longer listed is dropped",
       [&](mTCurrencyIncome& e) {
         base(e);
         e.IncomeCode = 1530;
         e.DeductCode = 999;
         e.DeductAmount = Rub("5");
       },
       true, true, "66,211", "", "", false},
      {"a company's profit",
       [&](mTCurrencyIncome& e) {
         base(e);
         e.IncomeCode = 1000;
         e.CfcNumber = Utf8ToCp1251("АБ 12345");
         e.CfcProfitMethod = 2;
       },
       true, true, "66,211", "", "", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    host.declaration.SetSections(kSectionRussian);
    host.declaration.SetSections(kSectionRussian | kSectionForeign);
    mTCurrencyIncome stored;
    c.Fill(stored);
    host.declaration.CurrencyIncomes.Add(stored);
    host.notices = 0;
    TfrCurrency page(nullptr, host);
    page.show();
    page.FocusList();
    EXPECT_EQ(Find<QCheckBox>(&page, "cbAutoRate")->isEnabled(), c.AutoEnabled);
    EXPECT_EQ(Find<QCheckBox>(&page, "cbAutoRate")->isChecked(), c.AutoTicked);
    EXPECT_EQ(Find<QLineEdit>(&page, "edIncomeRateRub")->isReadOnly(), c.AutoTicked);
    EXPECT_EQ(Text(&page, "edIncomeRateRub").toStdString(), c.IncomeRate) << "the stored rate is shown";
    EXPECT_EQ(Text(&page, "pnIncomeInRoubles"), QStringLiteral("66211"));
    EXPECT_EQ(Text(&page, "pnDeductCode").toStdString(), c.DeductCode);
    EXPECT_EQ(Text(&page, "edDeductAmount").toStdString(), c.DeductSum);
    EXPECT_EQ(Find(&page, "edCfcNumber")->isEnabled(), c.CfcNumber);
    if (c.CfcNumber) {
      EXPECT_EQ(Text(&page, "edCfcNumber"), QStringLiteral("АБ 12345"));
      EXPECT_TRUE(Find<QRadioButton>(&page, "rbCfcRussianRules")->isChecked());
    }
    EXPECT_EQ(host.notices, 0) << "showing an entry is not a change";
    // Stored again untouched, the entry keeps its amounts.
    page.StoreData();
    const mTCurrencyIncome& again = host.declaration.CurrencyIncomes.Get(0);
    EXPECT_EQ(again.IncomeInRoubles, Rub("66211"));
    EXPECT_EQ(again.IncomeRateRub, stored.IncomeRateRub);
    EXPECT_EQ(again.CfcNumber, stored.CfcNumber);
    EXPECT_EQ(again.CfcProfitMethod, stored.CfcProfitMethod);
  }
}

TEST_F(ForeignPageTest, SelectingAnotherEntryStoresTheOneLeft) {
  for (const char* name : {"First", "Second", "Third"}) {
    mTCurrencyIncome e;
    e.SourceName = name;
    host.declaration.CurrencyIncomes.Add(e);
  }
  TfrCurrency page(nullptr, host);
  page.show();
  page.FocusList();
  ChooseIncome(&page, "1010");
  Retype(Find<QLineEdit>(&page, "edCurrencyCode"), QStringLiteral("840"));
  auto* list = Find<QTreeWidget>(&page, "lvSources");
  list->setCurrentItem(list->topLevelItem(2));
  EXPECT_TRUE(Text(&page, "edCurrencyCode").isEmpty());
  EXPECT_TRUE(Text(&page, "pnIncomeCode").isEmpty());
  EXPECT_EQ(host.declaration.CurrencyIncomes.Get(0).CurrencyCode, "840");
  EXPECT_EQ(host.declaration.CurrencyIncomes.Get(0).IncomeCode, 1010);

  // Deleting selects the entry before; deleting every entry disables the controls.
  Click(&page, "btDeleteSource");
  EXPECT_EQ(host.declaration.CurrencyIncomes.Count(), 2u);
  EXPECT_EQ(list->currentItem()->text(0), QStringLiteral("Second"));
  list->setCurrentItem(list->topLevelItem(0));
  EXPECT_EQ(Text(&page, "edCurrencyCode"), QStringLiteral("840"));
  Click(&page, "btDeleteSource");
  EXPECT_EQ(list->currentItem()->text(0), QStringLiteral("Second"));
  Click(&page, "btDeleteSource");
  EXPECT_EQ(host.declaration.CurrencyIncomes.Count(), 0u);
  EXPECT_FALSE(Find(&page, "gbIncomeInfo")->isEnabled());
  page.StoreData();  // nothing selected, nothing to store
}

TEST_F(ForeignPageTest, TheCheckLeadsToTheEntry) {
  struct Case {
    const char* Name;
    std::function<void(mTCurrencyIncome&)> Break;
    const char* Message;
  };
  const auto valid = [](mTCurrencyIncome& e) {
    e.SourceName = "S";
    e.CurrencyCode = "840";
    e.IncomeRateRub = Rub("65.5");
    e.IncomeRateUnits = 1;
    e.IncomeCode = 1010;
  };
  const Case cases[] = {
      {"no currency", [](mTCurrencyIncome& e) { e.CurrencyCode.clear(); },
       "По данному источнику выплаты не указан код валюты"},
      {"no units", [](mTCurrencyIncome& e) { e.IncomeRateUnits = 0; }, "По данному источнику выплаты не указан курс валюты"},
      {"no income code", [](mTCurrencyIncome& e) { e.IncomeCode = 0; }, "По данному источнику выплаты не указан код дохода"},
      {"a company without its number", [](mTCurrencyIncome& e) { e.IncomeCode = 1000; },
       "По данному источнику необходимо указать номер КИК"},
      {"a company number cut short",
       [](mTCurrencyIncome& e) {
         e.IncomeCode = 1000;
         e.CfcNumber = Utf8ToCp1251("АБ 1234");
       },
       "По данному источнику номер КИК указан некорректно (состоит из двух букв и пяти цифр)"},
      {"a deduction without its sum",
       [](mTCurrencyIncome& e) {
         e.IncomeCode = 1211;
         e.DeductCode = 510;
       },
       "По данному источнику выплаты не указана сумма вычета"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    host.declaration.SetSections(kSectionRussian);
    host.declaration.SetSections(kSectionRussian | kSectionForeign);
    mTCurrencyIncome good;
    valid(good);
    mTCurrencyIncome bad = good;
    c.Break(bad);
    host.declaration.CurrencyIncomes.Add(good);
    host.declaration.CurrencyIncomes.Add(bad);
    TfrCurrency page(nullptr, host);
    page.show();
    host.presenter.Checks.clear();
    host.presenter.CheckAnswers = {CheckAnswer::Fix};
    const std::uint16_t item = page.CheckData();
    EXPECT_EQ(item, 2);
    ASSERT_EQ(host.presenter.Checks.size(), 1u);
    EXPECT_EQ(host.presenter.Checks[0].Title, "Доходы в валюте");
    EXPECT_EQ(host.presenter.Checks[0].Message, c.Message);
    page.ShowError(item);
    EXPECT_EQ(Find<QTreeWidget>(&page, "lvSources")->currentItem()->text(0), QStringLiteral("S"));
    EXPECT_EQ(Find<QTreeWidget>(&page, "lvSources")->indexOfTopLevelItem(
                  Find<QTreeWidget>(&page, "lvSources")->currentItem()),
              1);
    // Any other answer lets the user go.
    host.presenter.CheckAnswers = {CheckAnswer::Skip};
    EXPECT_EQ(page.CheckData(), 0);
  }
}

// 1 000 US dollars of dividends received on 20.05.2016 at 66.2110, with 100 dollars withheld
// abroad and paid on Sunday 22.05.2016 at Saturday's 66.3775: 66 211.00 roubles of income and
// 6 637.75 of foreign tax. The Russian tax on it is 13 % = 8 607.43, of which the whole foreign
// tax is credited. Section 2 for dividends: base 66 211, tax 8 607, credit 6 638, payable
// 1 969.
TEST_F(ForeignPageTest, ADividendWithTaxPaidAbroadTypedAndComputed) {
  InstallShippedDictionaries(programFolder);
  auto window = MakeWindow({WriteDeclaration(QStringLiteral("foreign.tv6"), [](mTDeclaration& d) {
    d.InspectionCode = "7701";
    d.SetSections(kSectionRussian | kSectionForeign);
  })});
  window->show();
  ASSERT_TRUE(window->Button(NavButton::ForeignIncome)->isEnabled());
  Click(window.get(), "fbForeignIncome");
  ASSERT_EQ(PageName(*window), "TfrCurrency");

  WhenModal([](QWidget* dialog) {
    TypeText(Find(dialog, "edSourceName"), QStringLiteral("Apple Inc."));
    AnswerPicker(QStringLiteral("840"));
    Click(dialog, "btCountry");
    Click(dialog, "btYes");
  });
  Click(window.get(), "btAddSource");
  QWidget* page = window->CurrentPage();
  SetDate(page, "dtIncomeDate", 2016, 5, 20);
  SetDate(page, "dtTaxPaymentDate", 2016, 5, 22);
  AnswerPicker(QStringLiteral("840"));
  Click(page, "btCurrency");
  Click(page, "cbAutoRate");
  ChooseIncome(page, "1010");
  TypeText(Find(page, "edIncomeInCurrency"), QStringLiteral("1000"));
  TypeText(Find(page, "edTaxInCurrency"), QStringLiteral("100"));
  EXPECT_EQ(Text(page, "pnIncomeInRoubles"), QStringLiteral("66211"));
  EXPECT_EQ(Text(page, "pnTaxInRoubles"), QStringLiteral("6637,75"));
  EXPECT_FALSE(window->Saved());

  Click(window.get(), "fbInitialData");
  ASSERT_EQ(PageName(*window), "TfrInitialData") << "the page check passes";
  mTDeclaration& d = window->Declaration();
  ASSERT_EQ(d.CurrencyIncomes.Count(), 1u);
  const mTCurrencyIncome& dividend = d.CurrencyIncomes.Get(0);
  EXPECT_EQ(dividend.CountryCode, "840");
  EXPECT_EQ(dividend.IncomeRate, 14);
  EXPECT_EQ(dividend.AutoRate, 1);

  kTSvodSum s;
  s.Compute(d);
  ASSERT_EQ(s.PrilB13.Lines.size(), 1u);
  const DohodCur& line = s.PrilB13.Lines[0];
  EXPECT_EQ(line.КурсВалютДох, "66.211");
  EXPECT_EQ(line.КурсВалютНал, "66.3775");
  EXPECT_EQ(line.ДоходИноВал, "1000.00");
  EXPECT_EQ(line.ДоходИноРуб, Rub("66211"));
  EXPECT_EQ(line.НалУплИноРуб, Rub("6637.75"));
  EXPECT_EQ(line.НалЗачРФОбщ, Rub("8607.43"));
  EXPECT_EQ(line.НалогЗачРФОбщ, Rub("6637.75"));
  EXPECT_EQ(line.КодВидДох, "2");
  EXPECT_EQ(s.PrilB13.DividendIncome, Rub("66211"));
  EXPECT_EQ(s.PrilB13.DividendCredit, Rub("6637.75"));
  EXPECT_TRUE(s.PrilB13.OtherIncome.IsZero());

  const kTSvodSumListValues& div = s.ListDiv;
  EXPECT_EQ(div.ДоходОбщ, Rub("66211"));
  EXPECT_EQ(div.ДоходОбщНал, Rub("66211"));
  EXPECT_EQ(div.НалБаза, Rub("66211"));
  EXPECT_EQ(div.Исчисл, Rub("8607"));
  EXPECT_EQ(div.УплИнПодлЗач, Rub("6638"));
  EXPECT_EQ(div.ИсчислУпл, Rub("1969"));
  EXPECT_EQ(div.ПодлУпл, Rub("1969"));
  EXPECT_TRUE(div.ПодлВозв.IsZero());
  EXPECT_TRUE(s.List1.НалБаза.IsZero()) << "nothing at the general 13 %";
}

TEST_F(ForeignPageTest, Screenshots) {
  InstallShippedDictionaries(programFolder);
  auto window = MakeWindow({WriteDeclaration(QStringLiteral("shots.tv6"), [](mTDeclaration& d) {
    d.InspectionCode = "7701";
    d.SetSections(kSectionRussian | kSectionForeign);
    mTCurrencyIncome dividend;
    dividend.SourceName = "Apple Inc.";
    dividend.CountryCode = "840";
    dividend.CurrencyCode = "840";
    dividend.CurrencyName = Utf8ToCp1251("Доллар США");
    dividend.IncomeDate = EncodeDate(2016, 5, 20);
    dividend.TaxPaymentDate = EncodeDate(2016, 5, 22);
    dividend.AutoRate = 1;
    dividend.IncomeRateRub = Rub("66.211");
    dividend.IncomeRateUnits = 1;
    dividend.TaxRateRub = Rub("66.3775");
    dividend.TaxRateUnits = 1;
    dividend.IncomeCode = 1010;
    dividend.IncomeRate = 14;
    dividend.SetIncomeInCurrency(Rub("1000"));
    dividend.SetTaxInCurrency(Rub("100"));
    d.CurrencyIncomes.Add(dividend);
    mTCurrencyIncome company;
    company.SourceName = Utf8ToCp1251("Kontrollierte Auslandsgesellschaft Holding GmbH & Co. KG");
    company.CountryCode = "276";
    company.CurrencyCode = "978";
    company.IncomeCode = 1000;
    company.IncomeRate = 99;
    company.CfcNumber = Utf8ToCp1251("АБ 12345");
    company.CfcProfitMethod = 1;
    d.CurrencyIncomes.Add(company);
    mTCurrencyIncome royalty;
    royalty.SourceName = "Springer";
    royalty.CurrencyCode = "978";
    royalty.IncomeCode = 2201;
    royalty.IncomeRate = 13;
    royalty.IncomeRateRub = Rub("74.5");
    royalty.IncomeRateUnits = 1;
    royalty.DeductCode = 405;
    royalty.DeductRate = 20;
    royalty.SetIncomeInCurrency(Rub("2000"));
    d.CurrencyIncomes.Add(royalty);
  })});
  window->show();
  Click(window.get(), "fbForeignIncome");
  SaveShot(window.get(), "page-currency");
  // The page opens on its first entry.
  auto* list = Find<QTreeWidget>(window.get(), "lvSources");
  EXPECT_EQ(list->currentItem(), list->topLevelItem(0));
  EXPECT_EQ(Text(window.get(), "edCurrencyCode"), QStringLiteral("840"));
  EXPECT_TRUE(window->Saved());
  list->setCurrentItem(list->topLevelItem(1));
  SaveShot(window.get(), "page-currency-cfc");
  list->setCurrentItem(list->topLevelItem(2));
  SaveShot(window.get(), "page-currency-deduction");
  WhenModal([](QWidget* dialog) {
    SaveShot(dialog, "dialog-currency-source");
    QTest::keyClick(dialog, Qt::Key_Escape);
  });
  Click(window.get(), "btEditSource");
  WhenModal([](QWidget* picker) {
    SaveShot(picker, "picker-currencies");
    QTest::keyClick(picker, Qt::Key_Escape);
  });
  Click(window->CurrentPage(), "btCurrency");
}

}  // namespace
}  // namespace talver::test
