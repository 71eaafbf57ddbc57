// The property deduction: the object dialog (the acquisition method and the names and dates it
// allows, the share and the ownership kinds that follow the dates, the date limits, the checks
// of "Да", an object opened again), the page (the base shown, the amounts of earlier years,
// adding, changing and deleting objects, the check box) and a flat typed through the windows
// whose sheet Д1 and section 2 come out as worked by hand.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QRadioButton>
#include <QSpinBox>
#include <QTreeWidget>

#include "tests/ui/support/EntryTestSupport.h"
#include "compute/SvodSum.h"
#include "ui/framework/CompositePages.h"
#include "ui/pages/FrameMultyConstructionDeduct.h"
#include "ui/dialogs/InputConstruction.h"

namespace talver::test {
namespace {

Currency Rub(std::int64_t roubles) { return Currency::FromRoubles(roubles); }

QStringList Items(QComboBox* list) {
  QStringList items;
  for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
  return items;
}

// Chooses an entry with the arrow keys, as from the keyboard.
void Choose(QComboBox* list, int index) {
  list->setFocus();
  while (list->currentIndex() < index) QTest::keyClick(list, Qt::Key_Down);
  while (list->currentIndex() > index) QTest::keyClick(list, Qt::Key_Up);
}

// A date typed into its picker, section by section.
void TypeDate(QDateEdit* date, const QDate& value) {
  date->setFocus();
  const std::pair<QDateTimeEdit::Section, QString> sections[] = {
      {QDateTimeEdit::DaySection, QStringLiteral("%1").arg(value.day(), 2, 10, QLatin1Char('0'))},
      {QDateTimeEdit::MonthSection, QStringLiteral("%1").arg(value.month(), 2, 10, QLatin1Char('0'))},
      {QDateTimeEdit::YearSection, QString::number(value.year())}};
  for (const auto& [section, digits] : sections) {
    date->setSelectedSection(section);
    QTest::keyClicks(date, digits);
  }
}

// Clicks the year's up or down arrow `steps` times (negative: down).
void StepYear(QSpinBox* year, int steps) {
  const QPoint up(year->width() - 6, year->height() / 4);
  const QPoint down(year->width() - 6, year->height() * 3 / 4);
  for (int i = 0; i < std::abs(steps); ++i) QTest::mouseClick(year, Qt::LeftButton, {}, steps > 0 ? up : down);
}

// A flat of the owner alone, bought under a purchase contract and registered on 1 March of
// `year`, in Moscow.
mTConstructionDeductObj Flat(int year, Currency cost, Currency interest = {}) {
  mTConstructionDeductObj o;
  o.ObjectKind = 2;
  o.OwnershipKind = 1;
  o.TaxpayerAttribute = 1;
  o.RegionCode = "77";
  o.City = Utf8ToCp1251("Москва");
  o.Street = Utf8ToCp1251("Тверская ул");
  o.House = "7";
  o.Flat = "12";
  o.OwnershipRegDate = EncodeDate(year, 3, 1);
  o.TransferActDate = EncodeDate(2016, 1, 1);
  o.LandRegDate = EncodeDate(2016, 1, 1);
  o.DistributionAppDate = EncodeDate(2016, 1, 1);
  o.FirstUseYear = EncodeDate(std::max(year, 1992), 1, 1);
  o.ShareNumerator = 1;
  o.ShareDenominator = 1;
  o.Cost = cost;
  o.CreditInterest = interest;
  return o;
}

mTConstructionDeductObj Shared(mTConstructionDeductObj o, int numerator, int denominator) {
  o.ShareNumerator = numerator;
  o.ShareDenominator = denominator;
  return o;
}

mTConstructionDeductObj ByInvestment(int actYear, Currency cost) {
  mTConstructionDeductObj o = Flat(2016, cost);
  o.ByInvestment = 1;
  o.TransferActDate = EncodeDate(actYear, 6, 1);
  o.FirstUseYear = EncodeDate(actYear, 1, 1);
  return o;
}

mTConstructionDeductObj OfPensioner(mTConstructionDeductObj o) {
  o.Pensioner = 1;
  return o;
}

const QStringList kOpeningNames = {
    "Жилой дом",
    "Квартира",
    "Комната",
    "Доля (доли) в доме, квартире, комнате",
    "Земельный участок для индивидуального жилищного строительства",
    "Земельный участок, на котором расположен приобретённый жилой дом",
    "Жилой дом с земельным участком",
    "Доля (доли) в доме, земле",
};

// ---------------------------------------------------------------------------------------------
// The object dialog

class ConstructionDialogTest : public UiTest {
 protected:
  EntryPresenter entry;
};

TEST_F(ConstructionDialogTest, TheMethodDecidesTheNamesAndTheDatesAsked) {
  TfmInputConstruction dialog(nullptr, entry);
  dialog.show();
  auto* names = Find<QComboBox>(&dialog, "cbObjectName");
  auto* registration = Find<QDateEdit>(&dialog, "dtOwnershipReg");
  auto* act = Find<QDateEdit>(&dialog, "dtTransferAct");
  auto* land = Find<QDateEdit>(&dialog, "dtLandReg");
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Данные объекта"));
  EXPECT_EQ(Items(names), kOpeningNames);
  EXPECT_EQ(names->currentIndex(), -1);
  EXPECT_TRUE(Find<QRadioButton>(&dialog, "rbPurchase")->isChecked()) << "a purchase contract is preset";
  EXPECT_TRUE(registration->isEnabled());
  EXPECT_FALSE(act->isEnabled());
  EXPECT_FALSE(land->isEnabled()) << "no land without a kind that has it";
  for (QDateEdit* d : {registration, act, land, Find<QDateEdit>(&dialog, "dtDistributionApp")}) {
    EXPECT_EQ(d->date(), QDate(2016, 1, 1)) << d->objectName().toStdString();
  }
  EXPECT_EQ(Find<QSpinBox>(&dialog, "edFirstUseYear")->value(), 2016);
  EXPECT_EQ(Find<QLineEdit>(&dialog, "pnRegionCode")->text(), QStringLiteral("0"));

  Choose(names, 5);
  EXPECT_TRUE(land->isEnabled()) << "land with the house";
  Click(&dialog, "rbInvestment");
  EXPECT_EQ(Items(names), kOpeningNames.mid(0, 4));
  EXPECT_EQ(names->currentIndex(), -1) << "a plot is not acquired by investment";
  EXPECT_FALSE(registration->isEnabled());
  EXPECT_FALSE(land->isEnabled());
  EXPECT_TRUE(act->isEnabled());

  TypeDate(act, QDate(2015, 5, 10));
  TypeDate(registration, QDate(2010, 1, 1));  // refused: disabled
  EXPECT_EQ(registration->date(), QDate(2016, 1, 1));
  Choose(names, 1);
  Click(&dialog, "rbPurchase");
  EXPECT_EQ(Items(names), (QStringList{"Жилой дом", "Квартира", "Комната", "Доля (доли) в жилом доме, квартире, комнате",
                                       "Земельный участок для индивидуального жилищного строительства",
                                       "Земельный участок, на котором расположен приобретенный жилой дом",
                                       "Жилой дом с земельным участком", "Доля (доли) в земле"}));
  EXPECT_EQ(names->currentIndex(), 1) << "the flat stays chosen";
  EXPECT_EQ(act->date(), QDate(2016, 1, 1)) << "the act date does not belong to a purchase";
  EXPECT_FALSE(act->isEnabled());
  EXPECT_FALSE(land->isEnabled());
  Choose(names, 7);
  EXPECT_TRUE(land->isEnabled());

  mTConstructionDeductObj o;
  dialog.GetObject(o);
  EXPECT_EQ(o.ObjectKind, 8);
  EXPECT_EQ(o.ByInvestment, 0);
  EXPECT_EQ(o.TransferActDate, EncodeDate(2016, 1, 1)) << "every date as its picker shows it";
  EXPECT_EQ(dialog.ObjectNameText(), QStringLiteral("Доля (доли) в земле"));
}

TEST_F(ConstructionDialogTest, TheShareAndTheOwnershipKindsFollowTheDates) {
  TfmInputConstruction dialog(nullptr, entry);
  dialog.show();
  auto* kinds = Find<QComboBox>(&dialog, "cbOwnershipKind");
  auto* numerator = Find<QLineEdit>(&dialog, "edShareNumerator");
  auto* denominator = Find<QLineEdit>(&dialog, "edShareDenominator");
  auto* registration = Find<QDateEdit>(&dialog, "dtOwnershipReg");
  const QStringList six = {"Индивидуальная собственность", "Общая долевая собственность",
                           "Общая совместная собственность (с заявлением о распределении расходов)",
                           "Собственность несовершеннолетнего ребёнка ",
                           "Общая совместная собственность (без заявления о распределении расходов)",
                           "Общая долевая собственность супругов (с заявлением о распределении расходов)"};
  const QStringList four = {"Индивидуальная собственность", "Общая долевая собственность",
                            "Общая совместная собственность", "Собственность несовершеннолетнего ребёнка "};
  EXPECT_EQ(Items(kinds), six);
  EXPECT_EQ(kinds->currentIndex(), -1);
  EXPECT_FALSE(numerator->isEnabled());
  EXPECT_EQ(numerator->text() + "/" + denominator->text(), QStringLiteral("1/1"));

  Choose(kinds, 5);
  TypeDate(registration, QDate(2012, 8, 20));
  EXPECT_EQ(Items(kinds), four);
  EXPECT_EQ(kinds->currentIndex(), -1) << "the sixth kind is gone with the date";
  EXPECT_TRUE(numerator->isEnabled());
  EXPECT_TRUE(denominator->isEnabled());
  Retype(denominator, QStringLiteral("3"));
  Choose(kinds, 1);

  TypeDate(registration, QDate(2014, 2, 1));
  EXPECT_EQ(Items(kinds), six);
  EXPECT_EQ(kinds->currentIndex(), 1) << "a kind of both lists stays chosen";
  EXPECT_FALSE(numerator->isEnabled());
  EXPECT_EQ(denominator->text(), QStringLiteral("1"));

  // By investment the act date decides.
  Click(&dialog, "rbInvestment");
  TypeDate(Find<QDateEdit>(&dialog, "dtTransferAct"), QDate(2013, 12, 31));
  EXPECT_EQ(Items(kinds), four);
  EXPECT_TRUE(numerator->isEnabled());
}

TEST_F(ConstructionDialogTest, TheApplicationDateIsAskedForJointOwnershipAndForTheSpouse) {
  struct Case {
    int Ownership;  // position, −1 none
    int Attribute;
    bool Asked;
  };
  const Case cases[] = {
      {2, 0, true},    // joint ownership
      {5, 0, true},    // spouses' shares
      {0, 1, true},    // the owner's spouse of an individual ownership
      {0, 0, false},   // the owner
      {1, 1, false},   // shares, the spouse
      {4, 0, false},   // joint, without application
      {-1, -1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.Ownership) + "/" + std::to_string(c.Attribute));
    TfmInputConstruction dialog(nullptr, entry);
    dialog.show();
    Choose(Find<QComboBox>(&dialog, "cbOwnershipKind"), c.Ownership);
    Choose(Find<QComboBox>(&dialog, "cbTaxpayerAttribute"), c.Attribute);
    EXPECT_EQ(Find(&dialog, "dtDistributionApp")->isEnabled(), c.Asked);
  }
}

TEST_F(ConstructionDialogTest, TheLimitsOfTheDatesAndTheYear) {
  enum class Box { Untouched, Ticked, TickedThenCleared };
  struct Case {
    const char* Name;
    bool Restricted;
    Box Pensioner;
    QDate From, To, LandTo, ApplicationFrom, ApplicationTo;
    int YearFrom, YearTo;
  };
  const QDate y1990(1990, 1, 1), y2014(2014, 1, 1), end2016(2016, 12, 31), end2019(2019, 12, 31),
      end2020(2020, 12, 31);
  const Case cases[] = {
      {"as opened", false, Box::Untouched, y1990, end2016, end2016, y1990, end2019, 1992, 2016},
      {"a pensioner", false, Box::Ticked, y1990, end2019, end2019, y1990, end2020, 1992, 2019},
      {"no longer a pensioner", false, Box::TickedThenCleared, y1990, end2016, end2016, y1990, end2020, 1992, 2016},
      {"restricted", true, Box::Untouched, y2014, end2016, end2016, y2014, end2019, 2014, 2016},
      {"restricted pensioner", true, Box::Ticked, y2014, end2019, end2019, y2014, end2020, 2014, 2019},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TfmInputConstruction dialog(nullptr, entry);
    dialog.SetRestricted(c.Restricted);
    dialog.show();
    if (c.Pensioner != Box::Untouched) Click(&dialog, "cbPensioner");
    if (c.Pensioner == Box::TickedThenCleared) Click(&dialog, "cbPensioner");
    for (const char* name : {"dtOwnershipReg", "dtTransferAct"}) {
      auto* d = Find<QDateEdit>(&dialog, name);
      EXPECT_EQ(d->minimumDate(), c.From) << name;
      EXPECT_EQ(d->maximumDate(), c.To) << name;
    }
    auto* land = Find<QDateEdit>(&dialog, "dtLandReg");
    EXPECT_EQ(land->minimumDate(), y1990) << "land from 1990 always";
    EXPECT_EQ(land->maximumDate(), c.LandTo);
    auto* application = Find<QDateEdit>(&dialog, "dtDistributionApp");
    EXPECT_EQ(application->minimumDate(), c.ApplicationFrom);
    EXPECT_EQ(application->maximumDate(), c.ApplicationTo);
    auto* year = Find<QSpinBox>(&dialog, "edFirstUseYear");
    EXPECT_EQ(year->minimum(), c.YearFrom);
    EXPECT_EQ(year->maximum(), c.YearTo);
  }

  // A later year falls back to 2016 when the box is cleared; the keys do not change the year.
  TfmInputConstruction dialog(nullptr, entry);
  dialog.show();
  auto* year = Find<QSpinBox>(&dialog, "edFirstUseYear");
  Click(&dialog, "cbPensioner");
  StepYear(year, 3);
  EXPECT_EQ(year->value(), 2019);
  Click(&dialog, "cbPensioner");
  EXPECT_EQ(year->value(), 2016);
  year->setFocus();
  QTest::keyClick(year, Qt::Key_Down);
  TypeText(year, QStringLiteral("1999"));
  EXPECT_EQ(year->value(), 2016);
  StepYear(year, -2);
  EXPECT_EQ(year->value(), 2014);
  dialog.SetRestricted(true);
  StepYear(year, -1);
  EXPECT_EQ(year->value(), 2014) << "restricted: not below 2014";
}

TEST_F(ConstructionDialogTest, AnObjectOpenedAgain) {
  // A pensioner's object of 2018 keeps its date: the box is set before the fields.
  mTConstructionDeductObj stored = OfPensioner(Flat(2018, Rub(3000000), Rub(250000)));
  stored.PostIndex = "125009";
  stored.District = Utf8ToCp1251("Тверской");
  stored.Locality = Utf8ToCp1251("пос. Лесной");
  stored.Building = "2";
  stored.OwnershipKind = 6;
  stored.TaxpayerAttribute = 2;
  stored.DistributionAppDate = EncodeDate(2020, 3, 4);
  stored.FirstUseYear = EncodeDate(2018, 1, 1);
  stored.LandRegDate = EncodeDate(2016, 1, 1);
  TfmInputConstruction dialog(nullptr, entry);
  dialog.SetPensioner(true);
  dialog.SetObject(stored);
  dialog.show();
  EXPECT_EQ(Find<QLabel>(&dialog, "lbRegionName")->text(), QStringLiteral("г. Москва"));
  mTConstructionDeductObj read;
  dialog.GetObject(read);
  EXPECT_EQ(read.ObjectKind, 2);
  EXPECT_EQ(read.OwnershipKind, 6);
  EXPECT_EQ(read.TaxpayerAttribute, 2);
  EXPECT_EQ(read.PostIndex, "125009");
  EXPECT_EQ(read.RegionCode, "77");
  EXPECT_EQ(read.District, stored.District);
  EXPECT_EQ(read.City, stored.City);
  EXPECT_EQ(read.Locality, stored.Locality);
  EXPECT_EQ(read.Street, stored.Street);
  EXPECT_EQ(read.House, "7");
  EXPECT_EQ(read.Building, "2");
  EXPECT_EQ(read.Flat, "12");
  EXPECT_EQ(read.OwnershipRegDate, stored.OwnershipRegDate);
  EXPECT_EQ(read.TransferActDate, stored.TransferActDate);
  EXPECT_EQ(read.LandRegDate, stored.LandRegDate);
  EXPECT_EQ(read.DistributionAppDate, stored.DistributionAppDate);
  EXPECT_EQ(read.FirstUseYear, stored.FirstUseYear);
  EXPECT_EQ(read.ShareNumerator, 1);
  EXPECT_EQ(read.ShareDenominator, 1);
  EXPECT_EQ(read.Pensioner, 1);
  EXPECT_EQ(read.ByInvestment, 0);
  EXPECT_EQ(read.Cost, Rub(3000000));
  EXPECT_EQ(read.CreditInterest, Rub(250000));
  EXPECT_TRUE(Find(&dialog, "dtDistributionApp")->isEnabled());

  // Out of the limits a date becomes the nearer bound; a region never chosen shows "0".
  mTConstructionDeductObj old = Flat(2010, Rub(900000));
  old.RegionCode.clear();
  old.DistributionAppDate = 0;
  TfmInputConstruction restricted(nullptr, entry);
  restricted.SetRestricted(true);
  restricted.SetObject(old);
  mTConstructionDeductObj clamped;
  restricted.GetObject(clamped);
  EXPECT_EQ(clamped.OwnershipRegDate, EncodeDate(2014, 1, 1));
  EXPECT_EQ(clamped.DistributionAppDate, EncodeDate(2014, 1, 1));
  EXPECT_EQ(clamped.FirstUseYear, EncodeDate(2014, 1, 1));
  EXPECT_EQ(clamped.RegionCode, "0");

  // An investment object opens with its act date and the investment names.
  TfmInputConstruction investment(nullptr, entry);
  investment.SetObject(ByInvestment(2012, Rub(1000000)));
  EXPECT_TRUE(Find<QRadioButton>(&investment, "rbInvestment")->isChecked());
  EXPECT_EQ(Find<QComboBox>(&investment, "cbObjectName")->count(), 4);
  EXPECT_EQ(Find<QDateEdit>(&investment, "dtTransferAct")->date(), QDate(2012, 6, 1));
  EXPECT_TRUE(Find(&investment, "edShareNumerator")->isEnabled());
}

TEST_F(ConstructionDialogTest, TheShareAsStored) {
  struct Case {
    const char* Numerator;
    const char* Denominator;
    int StoredNumerator, StoredDenominator;
  };
  const Case cases[] = {
      {"1", "2", 1, 2}, {"", "3", 1, 3}, {"0", "0", 1, 1}, {"5", "3", 3, 3}, {"2", "", 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.Numerator) + "/" + c.Denominator);
    TfmInputConstruction dialog(nullptr, entry);
    dialog.show();
    TypeDate(Find<QDateEdit>(&dialog, "dtOwnershipReg"), QDate(2010, 4, 1));
    Retype(Find<QLineEdit>(&dialog, "edShareNumerator"), QString::fromLatin1(c.Numerator));
    Retype(Find<QLineEdit>(&dialog, "edShareDenominator"), QString::fromLatin1(c.Denominator));
    mTConstructionDeductObj o;
    dialog.GetObject(o);
    EXPECT_EQ(o.ShareNumerator, c.StoredNumerator);
    EXPECT_EQ(o.ShareDenominator, c.StoredDenominator);
  }
}

TEST_F(ConstructionDialogTest, TheChecksOfYes) {
  struct Case {
    const char* Name;
    std::function<void(mTConstructionDeductObj&)> Change;
    bool Pensioner;
    std::vector<CheckAnswer> Answers;
    std::vector<std::string> Shown;
    std::vector<std::string> Titles;
    bool Accepted;
    const char* Focus;
  };
  const std::string object = "Проверка данных объекта";
  const std::string deduction = "Имущественный налоговый вычет";
  const char* early = "Год начала использования вычета меньше даты регистрации прав собственности";
  const Case cases[] = {
      {"complete", [](mTConstructionDeductObj&) {}, false, {}, {}, {}, true, nullptr},
      {"no name", [](mTConstructionDeductObj& o) { o.ObjectKind = 0; }, false, {CheckAnswer::Fix},
       {"Не введено наименование объекта"}, {object}, false, "cbObjectName"},
      {"no name closed, no ownership fixed",
       [](mTConstructionDeductObj& o) {
         o.ObjectKind = 0;
         o.OwnershipKind = 0;
       },
       false, {CheckAnswer::Skip, CheckAnswer::Fix}, {"Не введено наименование объекта", "Не введен вид собственности"},
       {object, object}, false, "cbOwnershipKind"},
      {"three missing, each closed",
       [](mTConstructionDeductObj& o) {
         o.ObjectKind = 0;
         o.OwnershipKind = 0;
         o.TaxpayerAttribute = 0;
       },
       false, {CheckAnswer::Skip, CheckAnswer::Skip, CheckAnswer::Skip},
       {"Не введено наименование объекта", "Не введен вид собственности", "Не введен признак налогоплательщика"},
       {object, object, object}, true, nullptr},
      {"a postal index of five digits", [](mTConstructionDeductObj& o) { o.PostIndex = "12345"; }, false,
       {CheckAnswer::Fix}, {"Почтовый индекс должен содержать ровно 6 цифр"}, {object}, false, "edPostIndex"},
      {"six digits", [](mTConstructionDeductObj& o) { o.PostIndex = "123456"; }, false, {}, {}, {}, true, nullptr},
      {"used before the registration", [](mTConstructionDeductObj& o) { o.OwnershipRegDate = EncodeDate(2015, 5, 5); },
       false, {CheckAnswer::Fix}, {early}, {object}, false, "edFirstUseYear"},
      {"a pensioner may", [](mTConstructionDeductObj& o) { o.OwnershipRegDate = EncodeDate(2015, 5, 5); }, true, {}, {},
       {}, true, nullptr},
      {"registered in 2008, used from 2007",
       [](mTConstructionDeductObj& o) {
         o.OwnershipRegDate = EncodeDate(2008, 5, 5);
         o.FirstUseYear = EncodeDate(2007, 1, 1);
       },
       false, {}, {}, {}, true, nullptr},
      {"used before the act",
       [](mTConstructionDeductObj& o) {
         o = ByInvestment(2015, o.Cost);
         o.FirstUseYear = EncodeDate(2014, 1, 1);
       },
       false, {CheckAnswer::Fix}, {"Год начала использования вычета меньше даты акта о передаче"}, {deduction}, false,
       "edFirstUseYear"},
      {"an earlier message shown, the year not checked",
       [](mTConstructionDeductObj& o) {
         o.PostIndex = "1";
         o.OwnershipRegDate = EncodeDate(2015, 5, 5);
       },
       false, {CheckAnswer::Skip}, {"Почтовый индекс должен содержать ровно 6 цифр"}, {object}, true, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    entry.Checks.clear();
    entry.SkipOffered.clear();
    entry.CheckAnswers.assign(c.Answers.begin(), c.Answers.end());
    mTConstructionDeductObj o = Flat(2014, Rub(2500000));
    o.FirstUseYear = EncodeDate(2014, 1, 1);
    c.Change(o);
    TfmInputConstruction dialog(nullptr, entry);
    dialog.SetPensioner(c.Pensioner);
    dialog.SetObject(o);
    dialog.show();
    Click(&dialog, "btYes");
    EXPECT_EQ(entry.CheckMessages(), c.Shown);
    std::vector<std::string> titles;
    for (const auto& shown : entry.Checks) titles.push_back(shown.Title);
    EXPECT_EQ(titles, c.Titles);
    EXPECT_EQ(entry.SkipOffered, std::vector<bool>(c.Shown.size(), false)) << "nothing can be skipped";
    EXPECT_EQ(dialog.result() == QDialog::Accepted, c.Accepted);
    if (c.Focus != nullptr) {
      EXPECT_EQ(dialog.focusWidget(), Find(&dialog, c.Focus));
    }
  }
}

TEST_F(ConstructionDialogTest, ARegionNotChosenOpensThePicker) {
  TfmInputConstruction dialog(nullptr, entry);
  mTConstructionDeductObj o = Flat(2015, Rub(1000000));
  o.RegionCode = "0";
  dialog.SetObject(o);
  dialog.show();
  entry.CheckAnswers = {CheckAnswer::Fix};
  PickerSeen seen;
  AnswerPicker(QStringLiteral("50"), &seen);
  Click(&dialog, "btYes");
  EXPECT_EQ(entry.CheckMessages(), std::vector<std::string>{"Не заполненно поле \"Код субъекта РФ\""});
  ASSERT_TRUE(seen.Shown);
  EXPECT_EQ(seen.Caption, QStringLiteral("Справочник регионов"));
  EXPECT_EQ(seen.Current, QStringLiteral("01")) << "none chosen: the first region";
  EXPECT_NE(dialog.result(), QDialog::Accepted) << "the dialog stays open after a correction";
  EXPECT_EQ(Find<QLineEdit>(&dialog, "pnRegionCode")->text(), QStringLiteral("50"));
  EXPECT_EQ(Find<QLabel>(&dialog, "lbRegionName")->text(), QStringLiteral("Московская область"));
  Click(&dialog, "btYes");
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  mTConstructionDeductObj read;
  dialog.GetObject(read);
  EXPECT_EQ(read.RegionCode, "50");

  // The button opens the picker on the code chosen.
  AnswerPicker(QString(), &seen);
  Click(&dialog, "btRegion");
  EXPECT_EQ(seen.Current, QStringLiteral("50"));
}

// ---------------------------------------------------------------------------------------------
// The page

class ConstructionPageTest : public UiTest {
 protected:
  TestPageHost host;
  std::unique_ptr<TfrMultyConstructionDeduct> page;

  void Build(std::vector<mTConstructionDeductObj> objects, bool granted = true,
             const std::function<void(mTConstructionDeduct&)>& amounts = {}) {
    page.reset();
    mTConstructionDeduct& pd = host.declaration.PropertyDeduct;
    pd.Objects.Clear();
    pd.Granted = granted ? 1 : 0;
    for (auto& o : objects) pd.AddObject(std::move(o));
    if (amounts) amounts(pd);
    host.switching = true;  // as the window does while it builds a page
    page = std::make_unique<TfrMultyConstructionDeduct>(nullptr, host);
    host.switching = false;
    page->show();
  }
  void TearDown() override {
    page.reset();
    UiTest::TearDown();
  }
  QString Text(const char* name) { return Find<QLineEdit>(page.get(), name)->text(); }
  bool Enabled(const char* name) { return Find(page.get(), name)->isEnabled(); }
  QTreeWidget* List() { return Find<QTreeWidget>(page.get(), "lvObjects"); }
  QStringList Rows() {
    QStringList rows;
    for (int i = 0; i < List()->topLevelItemCount(); ++i) rows << List()->topLevelItem(i)->text(0);
    return rows;
  }
  void Select(int row) {
    List()->setCurrentItem(List()->topLevelItem(row));
    List()->topLevelItem(row)->setSelected(true);
  }
  int Selected() {
    QTreeWidgetItem* item = List()->currentItem();
    return item != nullptr && item->isSelected() ? List()->indexOfTopLevelItem(item) : -1;
  }

  static void Amounts(mTConstructionDeduct& pd) {
    pd.CarriedPurchase = Rub(1000);
    pd.PriorPurchase = Rub(2000);
    pd.CarriedInterest = Rub(3000);
    pd.PriorInterest = Rub(4000);
    pd.AgentPurchase = Rub(5000);
    pd.AgentInterest = Rub(6000);
  }
};

const char* const kCarriedFields[] = {"edCarriedPurchase", "edPriorPurchase", "edCarriedInterest", "edPriorInterest"};
const char* const kAmountFields[] = {"edCarriedPurchase", "edAgentPurchase", "edPriorPurchase",
                                     "edCarriedInterest", "edAgentInterest", "edPriorInterest"};

TEST_F(ConstructionPageTest, TheBaseTheObjectsGive) {
  struct Case {
    const char* Name;
    std::vector<mTConstructionDeductObj> Objects;
    const char* Cost;
    const char* Interest;
  };
  const Case cases[] = {
      {"none", {}, "0", "0"},
      {"half a flat of 2007", {Shared(Flat(2007, Rub(1500000)), 1, 2)}, "500000", "0"},
      {"half a flat of 2010", {Shared(Flat(2010, Rub(1500000)), 1, 2)}, "1000000", "0"},
      {"a flat of 2007 within the limit", {Flat(2007, Rub(800000), Rub(15000))}, "800000", "15000"},
      {"a third of 2010", {Shared(Flat(2010, Rub(1000000)), 1, 3)}, "666666,67", "0"},
      {"by investment the act decides", {ByInvestment(2005, Rub(1200000))}, "1000000", "0"},
      {"a share never entered", {Shared(Flat(2010, Rub(3000000)), 0, 0)}, "2000000", "0"},
      {"two objects of 2014 and 2015",
       {Flat(2014, Rub(1500000), Rub(100000)), Flat(2015, Rub(1200000), Rub(20000))},
       "2000000",
       "120000"},
      {"two objects, no share taken", {Shared(Flat(2005, Rub(500000)), 1, 4), Flat(2015, Rub(300000))}, "800000", "0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Build(c.Objects);
    EXPECT_EQ(Text("pnTotalCost").toStdString(), c.Cost);
    EXPECT_EQ(Text("pnTotalInterest").toStdString(), c.Interest);
  }
}

TEST_F(ConstructionPageTest, TheAmountsOfEarlierYearsWhereObjectsCanHaveThem) {
  struct Case {
    const char* Name;
    std::vector<mTConstructionDeductObj> Objects;
    bool Purchase;
    bool Interest;
  };
  const Case cases[] = {
      {"only 2016 objects", {Flat(2016, Rub(3000000), Rub(100000))}, false, false},
      {"only 2016 objects, a pensioner, no interest", {OfPensioner(Flat(2016, Rub(3000000)))}, true, false},
      {"only 2016 objects, a pensioner with interest", {OfPensioner(Flat(2016, Rub(3000000), Rub(1)))}, true, true},
      {"an object of 2015 with interest", {Flat(2015, Rub(3000000), Rub(100000))}, true, true},
      {"an object of 2015 without interest", {Flat(2015, Rub(3000000))}, true, false},
      {"the interest on the 2016 object only", {Flat(2015, Rub(3000000)), Flat(2016, {}, Rub(90000))}, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Build(c.Objects, true, &Amounts);
    const bool usable[] = {c.Purchase, c.Purchase, c.Interest, c.Interest};
    const char* filled[] = {"1000", "2000", "3000", "4000"};
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(Enabled(kCarriedFields[i]), usable[i]) << kCarriedFields[i];
      EXPECT_EQ(Text(kCarriedFields[i]), usable[i] ? QString::fromLatin1(filled[i]) : QString()) << kCarriedFields[i];
    }
    EXPECT_EQ(Text("edAgentPurchase"), QStringLiteral("5000"));
    EXPECT_EQ(Text("edAgentInterest"), QStringLiteral("6000"));
    page->StoreData();
    const mTConstructionDeduct& pd = host.declaration.PropertyDeduct;
    EXPECT_EQ(pd.CarriedPurchase, c.Purchase ? Rub(1000) : Currency());
    EXPECT_EQ(pd.PriorPurchase, c.Purchase ? Rub(2000) : Currency());
    EXPECT_EQ(pd.CarriedInterest, c.Interest ? Rub(3000) : Currency());
    EXPECT_EQ(pd.PriorInterest, c.Interest ? Rub(4000) : Currency());
    EXPECT_EQ(pd.AgentPurchase, Rub(5000));
  }

  // No objects: nothing to enter.
  Build({}, true, &Amounts);
  for (const char* name : kAmountFields) {
    EXPECT_FALSE(Enabled(name)) << name;
    EXPECT_TRUE(Text(name).isEmpty()) << name;
  }
  EXPECT_TRUE(Enabled("btAddObject"));
}

TEST_F(ConstructionPageTest, ObjectsAddedThroughTheDialog) {
  Build({});
  EXPECT_EQ(host.notices, 0);
  // The first: a flat of 2010 without a loan.
  WhenModal([](QWidget* w) {
    auto* dialog = qobject_cast<TfmInputConstruction*>(w);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Find<QDateEdit>(dialog, "dtOwnershipReg")->minimumDate(), QDate(1990, 1, 1)) << "the first is free";
    EXPECT_TRUE(Find(dialog, "edCost")->isEnabled());
    EXPECT_TRUE(Find(dialog, "edCreditInterest")->isEnabled());
    EXPECT_FALSE(Find<QCheckBox>(dialog, "cbPensioner")->isChecked());
    Choose(Find<QComboBox>(dialog, "cbObjectName"), 1);
    TypeText(Find(dialog, "edCity"), QStringLiteral("Москва"));
    TypeText(Find(dialog, "edStreet"), QStringLiteral("Тверская ул"));
    AnswerPicker(QStringLiteral("77"));
    Click(dialog, "btRegion");
    TypeDate(Find<QDateEdit>(dialog, "dtOwnershipReg"), QDate(2010, 6, 15));
    StepYear(Find<QSpinBox>(dialog, "edFirstUseYear"), -6);
    Choose(Find<QComboBox>(dialog, "cbOwnershipKind"), 0);
    Choose(Find<QComboBox>(dialog, "cbTaxpayerAttribute"), 0);
    TypeText(Find(dialog, "edCost"), QStringLiteral("1400000"));
    Click(dialog, "btYes");
  });
  Click(page.get(), "btAddObject");
  const mTConstructionDeduct& pd = host.declaration.PropertyDeduct;
  ASSERT_EQ(pd.ObjectCount(), 1u);
  EXPECT_EQ(pd.GetObject(0).OwnershipRegDate, EncodeDate(2010, 6, 15));
  EXPECT_EQ(pd.GetObject(0).FirstUseYear, EncodeDate(2010, 1, 1));
  EXPECT_EQ(pd.GetObject(0).Cost, Rub(1400000));
  EXPECT_EQ(Rows(), QStringList{QStringLiteral("Квартира Москва  Тверская ул")});
  EXPECT_EQ(Selected(), 0);
  EXPECT_EQ(Text("pnTotalCost"), QStringLiteral("1400000"));
  EXPECT_TRUE(Enabled("edAgentPurchase"));
  EXPECT_TRUE(Enabled("edCarriedPurchase"));
  EXPECT_FALSE(Enabled("edCarriedInterest")) << "no interest on the earlier object";
  EXPECT_TRUE(Enabled("btAddObject")) << "one earlier object without interest may get its loan";
  EXPECT_GT(host.notices, 0);

  // The second: its loan only, from 2014 on; ticking the pensioner box marks both.
  WhenModal([](QWidget* dialog) {
    EXPECT_EQ(Find<QDateEdit>(dialog, "dtOwnershipReg")->minimumDate(), QDate(2014, 1, 1));
    EXPECT_FALSE(Find(dialog, "edCost")->isEnabled());
    EXPECT_TRUE(Find(dialog, "edCreditInterest")->isEnabled());
    Choose(Find<QComboBox>(dialog, "cbObjectName"), 1);
    AnswerPicker(QStringLiteral("77"));
    Click(dialog, "btRegion");
    Choose(Find<QComboBox>(dialog, "cbOwnershipKind"), 0);
    Choose(Find<QComboBox>(dialog, "cbTaxpayerAttribute"), 0);
    Click(dialog, "cbPensioner");
    TypeText(Find(dialog, "edCreditInterest"), QStringLiteral("90000,50"));
    Click(dialog, "btYes");
  });
  Click(page.get(), "btAddObject");
  ASSERT_EQ(pd.ObjectCount(), 2u);
  EXPECT_EQ(pd.GetObject(1).CreditInterest, Currency::FromKopecks(9000050));
  EXPECT_TRUE(pd.GetObject(1).Cost.IsZero());
  EXPECT_EQ(pd.GetObject(0).Pensioner, 1);
  EXPECT_EQ(pd.GetObject(1).Pensioner, 1);
  EXPECT_EQ(Selected(), 1);
  EXPECT_EQ(Text("pnTotalInterest"), QStringLiteral("90000,5"));
  EXPECT_TRUE(Enabled("edCarriedInterest"));
  EXPECT_FALSE(Enabled("btAddObject")) << "an earlier object with its loan takes the whole deduction";

  // "Нет" adds nothing.
  Build({Flat(2015, Rub(100))});
  const int notices = host.notices;
  WhenModal([](QWidget* dialog) { Click(dialog, "btNo"); });
  Click(page.get(), "btAddObject");
  EXPECT_EQ(host.declaration.PropertyDeduct.ObjectCount(), 1u);
  EXPECT_EQ(host.notices, notices);
}

TEST_F(ConstructionPageTest, HowTheDialogIsPreparedForAChange) {
  struct Case {
    const char* Name;
    std::vector<mTConstructionDeductObj> Objects;
    int Row;
    bool Restricted, Cost, Interest;
  };
  const Case cases[] = {
      {"one earlier object", {Flat(2010, Rub(900000), Rub(5000))}, 0, false, true, true},
      {"the purchase beside its loan", {Flat(2010, Rub(1500000)), Flat(2015, {}, Rub(90000))}, 0, false, true, false},
      {"the loan beside its purchase", {Flat(2010, Rub(1500000)), Flat(2015, {}, Rub(90000))}, 1, true, false, true},
      {"two purchases of 2014 on", {Flat(2014, Rub(1000000), Rub(7000)), Flat(2015, Rub(500000))}, 0, true, true, true},
      {"two purchases, the other with interest", {Flat(2014, Rub(1000000)), Flat(2015, Rub(500000), Rub(7000))}, 0, true,
       true, false},
      {"three", {Flat(2014, Rub(1)), Flat(2015, Rub(1)), Flat(2016, Rub(1))}, 2, true, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Build(c.Objects);
    Select(c.Row);
    const mTConstructionDeductObj before = host.declaration.PropertyDeduct.GetObject(static_cast<std::size_t>(c.Row));
    WhenModal([&c](QWidget* dialog) {
      EXPECT_EQ(Find<QDateEdit>(dialog, "dtOwnershipReg")->minimumDate() == QDate(2014, 1, 1), c.Restricted);
      EXPECT_EQ(Find(dialog, "edCost")->isEnabled(), c.Cost);
      EXPECT_EQ(Find(dialog, "edCreditInterest")->isEnabled(), c.Interest);
      Click(dialog, "btNo");
    });
    Click(page.get(), "btEditObject");
    EXPECT_EQ(host.declaration.PropertyDeduct.GetObject(static_cast<std::size_t>(c.Row)).Cost, before.Cost);
  }
}

TEST_F(ConstructionPageTest, AnObjectChanged) {
  Build({Flat(2015, Rub(1000000)), Flat(2015, Rub(500000))});
  EXPECT_EQ(Rows(), (QStringList{"Квартира Москва  Тверская ул", "Квартира Москва  Тверская ул"}));
  Click(page.get(), "btEditObject");  // nothing without a selection
  Select(1);
  const int notices = host.notices;
  WhenModal([](QWidget* dialog) {
    EXPECT_EQ(Find<QLineEdit>(dialog, "edCost")->text(), QStringLiteral("500000"));
    Choose(Find<QComboBox>(dialog, "cbObjectName"), 2);
    Click(dialog, "cbPensioner");
    Retype(Find<QLineEdit>(dialog, "edCost"), QStringLiteral("1200000"));
    Click(dialog, "btYes");
  });
  const QPoint row = List()->visualItemRect(List()->topLevelItem(1)).center();
  QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, row);
  QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, row);
  const mTConstructionDeduct& pd = host.declaration.PropertyDeduct;
  EXPECT_EQ(pd.GetObject(1).ObjectKind, 3);
  EXPECT_EQ(pd.GetObject(1).Cost, Rub(1200000));
  EXPECT_EQ(pd.GetObject(0).Pensioner, 1) << "the pensioner box is written into every object";
  EXPECT_EQ(Rows()[1], QStringLiteral("Комната Москва  Тверская ул"));
  EXPECT_EQ(Text("pnTotalCost"), QStringLiteral("2000000"));
  EXPECT_GT(host.notices, notices);
}

TEST_F(ConstructionPageTest, ObjectsDeleted) {
  Build({Flat(2014, Rub(1)), Flat(2015, Rub(2)), Flat(2016, Rub(4), Rub(9))}, true, &Amounts);
  Click(page.get(), "btDeleteObject");  // nothing without a selection
  EXPECT_EQ(host.declaration.PropertyDeduct.ObjectCount(), 3u);
  Select(1);
  Click(page.get(), "btDeleteObject");
  const mTConstructionDeduct& pd = host.declaration.PropertyDeduct;
  ASSERT_EQ(pd.ObjectCount(), 2u);
  EXPECT_EQ(pd.GetObject(1).Cost, Rub(4));
  EXPECT_EQ(Selected(), 0) << "the row before";
  EXPECT_EQ(Text("pnTotalCost"), QStringLiteral("5"));
  Click(page.get(), "btDeleteObject");
  EXPECT_EQ(Selected(), 0) << "the first when the first went";
  // Only the 2016 object is left: nothing from earlier years.
  for (const char* name : kCarriedFields) {
    EXPECT_FALSE(Enabled(name)) << name;
    EXPECT_TRUE(Text(name).isEmpty()) << name;
  }
  EXPECT_TRUE(Enabled("edAgentPurchase"));
  Click(page.get(), "btDeleteObject");
  EXPECT_EQ(pd.ObjectCount(), 0u);
  for (const char* name : kAmountFields) EXPECT_FALSE(Enabled(name)) << name;
  EXPECT_EQ(Text("pnTotalCost"), QStringLiteral("0"));
  EXPECT_TRUE(Enabled("btAddObject"));
}

TEST_F(ConstructionPageTest, TheCheckBox) {
  Build({Flat(2014, Rub(1)), Flat(2015, Rub(2)), Flat(2016, Rub(3))}, true, &Amounts);
  Click(page.get(), "cbGranted");
  const mTConstructionDeduct& pd = host.declaration.PropertyDeduct;
  EXPECT_EQ(pd.ObjectCount(), 0u) << "unticking deletes every object";
  EXPECT_EQ(List()->topLevelItemCount(), 0);
  for (const char* name : {"lvObjects", "btAddObject", "btDeleteObject", "btEditObject", "edAgentPurchase"}) {
    EXPECT_FALSE(Enabled(name)) << name;
  }
  EXPECT_GT(host.notices, 0);
  page->StoreData();
  EXPECT_EQ(pd.Granted, 0);
  EXPECT_EQ(pd.AgentPurchase, Rub(5000)) << "not stored without the deduction";

  Click(page.get(), "cbGranted");
  EXPECT_EQ(List()->topLevelItemCount(), 0);
  for (const char* name : {"lvObjects", "btAddObject", "btDeleteObject", "btEditObject"}) {
    EXPECT_TRUE(Enabled(name)) << name;
  }
  for (const char* name : kAmountFields) EXPECT_FALSE(Enabled(name)) << name;
  page->StoreData();
  EXPECT_EQ(pd.Granted, 1);
  EXPECT_TRUE(pd.AgentPurchase.IsZero()) << "an empty field stores 0";

  // Not granted, the page is closed.
  Build({}, false);
  EXPECT_FALSE(Find<QCheckBox>(page.get(), "cbGranted")->isChecked());
  EXPECT_FALSE(Enabled("btAddObject"));
  EXPECT_FALSE(Enabled("lvObjects"));
}

// ---------------------------------------------------------------------------------------------
// A flat typed through the windows

// Wages of 60 000 a month; the employer already gave 100 000 of the purchase deduction on the
// tax office's notice, so it withheld 13 % of 620 000 = 80 600.
void Wages(mTDeclaration& d) {
  d.InspectionCode = "7710";
  mTThirteenPercent& employer = d.Sources13.Get(d.Sources13.Add());
  employer.Name = Utf8ToCp1251("АО \"Вектор\"");
  employer.Inn = "7707083893";
  employer.Kpp = "771001001";
  employer.Oktmo = "45382000";
  for (std::uint16_t month = 1; month <= 12; ++month) {
    employer.AddEntry({2000, "", Rub(60000), 0, {}, 0, month});
  }
  employer.TaxWithheld = Rub(80600);
  employer.TaxComputed = Rub(80600);
  employer.TaxableIncome = Rub(620000);
}

class FlatTypedTest : public UiTest {};

TEST_F(FlatTypedTest, SheetD1AndSectionTwoAsWorkedByHand) {
  presenter.SkipAllOtherPageChecks = true;
  auto window = MakeWindow({WriteDeclaration(QStringLiteral("flat.tv6"), Wages)});
  window->show();
  Click(window.get(), "fbDeduction");
  Click(window.get(), "sbMultyConstructionDeduct");
  ASSERT_EQ(SubPageName(*window), "TfrMultyConstructionDeduct");

  // A flat bought in July 2014 for 2 600 000, with a loan whose interest came to 180 000 over
  // the years; the deduction has been used since 2014.
  Click(window.get(), "cbGranted");
  WhenModal([](QWidget* dialog) {
    Choose(Find<QComboBox>(dialog, "cbObjectName"), 1);
    TypeText(Find(dialog, "edPostIndex"), QStringLiteral("125009"));
    AnswerPicker(QStringLiteral("77"));
    Click(dialog, "btRegion");
    TypeText(Find(dialog, "edCity"), QStringLiteral("Москва"));
    TypeText(Find(dialog, "edStreet"), QStringLiteral("Тверская ул"));
    TypeText(Find(dialog, "edHouse"), QStringLiteral("7"));
    TypeText(Find(dialog, "edFlat"), QStringLiteral("12"));
    TypeDate(Find<QDateEdit>(dialog, "dtOwnershipReg"), QDate(2014, 7, 15));
    StepYear(Find<QSpinBox>(dialog, "edFirstUseYear"), -2);
    Choose(Find<QComboBox>(dialog, "cbOwnershipKind"), 0);
    Choose(Find<QComboBox>(dialog, "cbTaxpayerAttribute"), 0);
    TypeText(Find(dialog, "edCost"), QStringLiteral("2600000"));
    TypeText(Find(dialog, "edCreditInterest"), QStringLiteral("180000"));
    Click(dialog, "btYes");
  });
  Click(window.get(), "btAddObject");
  EXPECT_EQ(Find<QLineEdit>(window.get(), "pnTotalCost")->text(), QStringLiteral("2000000"));
  EXPECT_EQ(Find<QLineEdit>(window.get(), "pnTotalInterest")->text(), QStringLiteral("180000"));
  // 2014 and 2015 gave 450 000 of the purchase and 40 000 of the interest.
  TypeText(Find(window.get(), "edCarriedPurchase"), QStringLiteral("1550000"));
  TypeText(Find(window.get(), "edAgentPurchase"), QStringLiteral("100000"));
  TypeText(Find(window.get(), "edPriorPurchase"), QStringLiteral("450000"));
  TypeText(Find(window.get(), "edCarriedInterest"), QStringLiteral("140000"));
  TypeText(Find(window.get(), "edPriorInterest"), QStringLiteral("40000"));
  Click(window.get(), "fbInitialData");
  ASSERT_EQ(PageName(*window), "TfrInitialData");
  EXPECT_FALSE(window->Saved());

  // Saved and opened again, so that what is computed is what the file holds.
  const QString file = dir.filePath(QStringLiteral("flat-typed.tv6"));
  dialogs.SaveNames = {file};
  window->SaveAsDoc();
  ASSERT_TRUE(window->Saved());
  window.reset();
  auto reopened = MakeWindow({file});
  mTDeclaration& d = reopened->Declaration();
  ASSERT_EQ(d.PropertyDeduct.ObjectCount(), 1u);
  const mTConstructionDeductObj& flat = d.PropertyDeduct.GetObject(0);
  EXPECT_EQ(flat.RegionCode, "77");
  EXPECT_EQ(flat.OwnershipRegDate, EncodeDate(2014, 7, 15));
  EXPECT_EQ(flat.FirstUseYear, EncodeDate(2014, 1, 1));

  kTSvodSum s;
  s.Compute(d);
  // Sheet Д1. The cost is limited to 2 000 000; less 450 000 of earlier years and 100 000 from
  // the employer, 1 450 000 could be claimed, but the base left is 720 000 − 100 000 = 620 000:
  // all of it goes to the purchase, none to the interest (180 000 − 40 000 = 140 000 is left).
  const kTSvodSumPrilZ& z = s.PrilZ;
  EXPECT_EQ(z.ВычНовЗачПред, Rub(450000));
  EXPECT_EQ(z.ВычПроцЗачПред, Rub(40000));
  EXPECT_EQ(z.ОстВычПршПред, Rub(1550000));
  EXPECT_EQ(z.ПроцПршПред, Rub(140000));
  EXPECT_EQ(z.ВычНАУвед, Rub(100000));
  EXPECT_EQ(z.ПроцНАУвед, Currency());
  EXPECT_EQ(z.НалБаз13БезВыч, Rub(620000));
  EXPECT_EQ(z.РасхНовВычНД, Rub(620000));
  EXPECT_EQ(z.ПроцВычНД, Currency());
  EXPECT_EQ(z.ОстИВБезПроц, Rub(830000));
  EXPECT_EQ(z.ОстИВУплПроц, Rub(140000));
  EXPECT_EQ(flat.CostTaken, Rub(2000000));
  EXPECT_EQ(flat.ShareShown, 0) << "no share written for a flat of 2014";

  // Section 2 at 13 %: 620 000 + 100 000 deducted leave no base; all 80 600 comes back.
  const kTSvodSumList1& l = s.List1;
  EXPECT_EQ(l.ДоходОбщ, Rub(720000));
  EXPECT_EQ(l.ДоходОбщНеНал, Currency());
  EXPECT_EQ(l.ДоходОбщНал, Rub(720000));
  EXPECT_EQ(l.СумНалВыч, Rub(720000));
  EXPECT_EQ(l.НалБаза, Currency());
  EXPECT_EQ(l.Исчисл, Currency());
  EXPECT_EQ(l.УдержОбщ, Rub(80600));
  EXPECT_EQ(l.ИсчислУпл, Currency());
  EXPECT_EQ(l.ПодлУпл, Currency());
  EXPECT_EQ(l.ПодлВозв, Rub(80600));
}

// ---------------------------------------------------------------------------------------------
// Pictures at the window's size, for a person to look at

using ConstructionScreenshotsTest = UiTest;

TEST_F(ConstructionScreenshotsTest, PageAndDialog) {
  const QString file = WriteDeclaration(QStringLiteral("shots.tv6"), [](mTDeclaration& d) {
    Wages(d);
    d.PropertyDeduct.Granted = 1;
    mTConstructionDeductObj house = Shared(Flat(2012, Rub(2400000), Rub(310000)), 1, 2);
    house.ObjectKind = 7;
    house.Locality = Utf8ToCp1251("дер. Большие Вязёмы");
    house.City.clear();
    house.Street = Utf8ToCp1251("Школьная ул");
    house.LandRegDate = EncodeDate(2012, 2, 1);
    d.PropertyDeduct.AddObject(house);
    d.PropertyDeduct.CarriedPurchase = Rub(760000);
    d.PropertyDeduct.PriorPurchase = Rub(240000);
    d.PropertyDeduct.CarriedInterest = Rub(210000);
    d.PropertyDeduct.PriorInterest = Rub(100000);
  });
  presenter.SkipAllOtherPageChecks = true;
  auto window = MakeWindow({file});
  window->show();
  window->resize(1024, 768);
  Click(window.get(), "fbDeduction");
  Click(window.get(), "sbMultyConstructionDeduct");
  SaveShot(window.get(), "page-property-deduction");

  auto* page = qobject_cast<TCompositeFrame*>(window->CurrentPage())->CurrentPage();
  TfmInputConstruction dialog(page, presenter);
  dialog.SetObject(window->Declaration().PropertyDeduct.GetObject(0));
  dialog.show();
  SaveShot(&dialog, "dialog-construction-object");
  dialog.hide();
  TfmInputConstruction investment(page, presenter);
  investment.SetRestricted(true);
  investment.SetCostUsable(false);
  investment.SetObject(ByInvestment(2015, {}));
  investment.show();
  SaveShot(&investment, "dialog-construction-investment");
  investment.hide();
}

}  // namespace
}  // namespace talver::test
