// The standard deductions page: what it shows of the model and what it stores, the counts for
// the whole year or month by month, the guardian's box, the entrepreneur's months and the month
// dialogs of the codes that changed during the year.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>

#include "tests/ui/support/EntryTestSupport.h"
#include "ui/pages/FrameStandartDeduct.h"

namespace talver::test {
namespace {

class DeductStandardPageTest : public UiTest {
 protected:
  TestPageHost host;

  std::unique_ptr<TfrFrameStandartDeduct> Page() {
    host.switching = true;  // as the window builds a page
    auto page = std::make_unique<TfrFrameStandartDeduct>(nullptr, host);
    host.switching = false;
    page->resize(820, 560);
    page->show();
    return page;
  }
  mTStandartDeduct& Model() { return host.declaration.StandardDeduct; }

  static QString MonthText(QWidget* page, const char* group, int month) {
    return Find<QLineEdit>(page, QStringLiteral("ed%1%2").arg(QLatin1String(group)).arg(month, 2, 10, QLatin1Char('0')).toLatin1())
        ->text();
  }
  static QLineEdit* MonthField(QWidget* page, const char* group, int month) {
    return Find<QLineEdit>(page, QStringLiteral("ed%1%2").arg(QLatin1String(group)).arg(month, 2, 10, QLatin1Char('0')).toLatin1());
  }
  // Answers the next "Комбинация стандартных вычетов" with a position per month (none: "Нет").
  static void AnswerMonths(const std::vector<int>& positions, QStringList* items = nullptr, QString* note = nullptr) {
    WhenModal([positions, items, note](QWidget* dialog) {
      EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Комбинация стандартных вычетов"));
      auto* january = dialog->findChild<QComboBox*>(QStringLiteral("cbMonth01"));
      ASSERT_NE(january, nullptr);
      if (items != nullptr) {
        items->clear();
        for (int i = 0; i < january->count(); ++i) *items << january->itemText(i);
        // What the lists show when the dialog opens, each month's position.
        for (int m = 1; m <= 12; ++m) {
          *items << QString::number(
              dialog->findChild<QComboBox*>(QStringLiteral("cbMonth%1").arg(m, 2, 10, QLatin1Char('0')))->currentIndex());
        }
      }
      if (note != nullptr) {
        auto* label = dialog->findChild<QLabel*>(QStringLiteral("lbNote"));
        *note = label != nullptr ? label->text() : QString();
      }
      if (positions.empty()) {
        Click(dialog, "btNo");
        return;
      }
      for (int m = 1; m <= 12; ++m) {
        dialog->findChild<QComboBox*>(QStringLiteral("cbMonth%1").arg(m, 2, 10, QLatin1Char('0')))
            ->setCurrentIndex(positions[static_cast<std::size_t>(m - 1)]);
      }
      Click(dialog, "btYes");
    });
  }
};

TEST_F(DeductStandardPageTest, ANewReturnAndWhatIsUsable) {
  struct Case {
    const char* Name;
    std::uint8_t Sections;
    std::uint8_t Granted;
    bool MonthlyUsable;
  };
  const Case cases[] = {
      {"granted, no business", kSectionRussian, 1, false},
      {"granted, business", kSectionRussian | kSectionBusiness, 1, true},
      {"granted, the section kept in files only", kSectionRussian | kSectionLegacy, 1, true},
      {"not granted, business", kSectionRussian | kSectionBusiness, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    host.declaration = mTDeclaration();
    host.declaration.SetSections(c.Sections);
    Model().Granted = c.Granted;
    auto page = Page();
    EXPECT_EQ(Find<QCheckBox>(page.get(), "cbGranted")->isChecked(), c.Granted != 0);
    EXPECT_EQ(Find<QGroupBox>(page.get(), "gbStandartDeduct")->title(),
              QStringLiteral("  Стандартные налоговые вычеты (коды 104-105,114-149)"));
    EXPECT_TRUE(Find<QRadioButton>(page.get(), "rbPersonal103")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>(page.get(), "rbChild101")->isChecked());
    for (const char* name : {"rbPersonal105", "rbChild101", "cbChildrenConst", "edDisabled05"}) {
      EXPECT_EQ(Find(page.get(), name)->isEnabled(), c.Granted != 0) << name;
    }
    EXPECT_EQ(Find(page.get(), "gbMonthly")->isEnabled(), c.MonthlyUsable);
    EXPECT_EQ(Find(page.get(), "edIncome04")->isEnabled(), c.MonthlyUsable);
    EXPECT_TRUE(Find(page.get(), "pnGuardian")->isHidden()) << "no disabled child";
    EXPECT_EQ(MonthText(page.get(), "Children", 7), QStringLiteral("0"));
    EXPECT_TRUE(MonthField(page.get(), "Third", 12)->isReadOnly());
  }

  // Ticking the box opens the page, the monthly panel only with business incomes.
  host.declaration = mTDeclaration();
  host.declaration.SetSections(kSectionRussian);
  Model().Granted = 0;
  auto page = Page();
  Click(page.get(), "cbGranted");
  EXPECT_TRUE(Find(page.get(), "rbPersonal105")->isEnabled());
  EXPECT_FALSE(Find(page.get(), "gbMonthly")->isEnabled());
  EXPECT_EQ(host.notices, 1);
}

TEST_F(DeductStandardPageTest, UntickedOnlyTheGrantedFlagIsStored) {
  host.declaration.SetSections(kSectionRussian);
  auto page = Page();
  Click(page.get(), "rbPersonal105");
  Click(page.get(), "rbChild102");
  Click(page.get(), "cbGranted");
  page->StoreData();
  EXPECT_EQ(Model().Granted, 0);
  EXPECT_EQ(Model().PersonalCode, 103);
  EXPECT_EQ(Model().ChildMode, 101);

  Click(page.get(), "cbGranted");
  page->StoreData();
  EXPECT_EQ(Model().Granted, 1);
  EXPECT_EQ(Model().PersonalCode, 105);
  EXPECT_EQ(Model().ChildMode, 102);
  EXPECT_EQ(page->CheckData(), 0) << "the page has no check";
}

TEST_F(DeductStandardPageTest, ACountForTheYearOrMonthByMonth) {
  struct Group {
    const char* Name;
    int Maximum;
    std::uint8_t mTStandartDeduct::*Const;
    std::int32_t mTStandartDeduct::*Count;
    std::array<std::int32_t, 12> mTStandartDeduct::*ByMonth;
  };
  const Group groups[] = {
      {"Children", 2, &mTStandartDeduct::ChildrenConst, &mTStandartDeduct::ChildrenCount,
       &mTStandartDeduct::ChildrenByMonth},
      {"Disabled", 99, &mTStandartDeduct::DisabledConst, &mTStandartDeduct::DisabledCount,
       &mTStandartDeduct::DisabledByMonth},
      {"Third", 99, &mTStandartDeduct::ThirdConst, &mTStandartDeduct::ThirdCount, &mTStandartDeduct::ThirdByMonth},
  };
  for (const Group& g : groups) {
    SCOPED_TRACE(g.Name);
    host.declaration = mTDeclaration();
    host.declaration.SetSections(kSectionRussian);
    auto page = Page();
    const QByteArray constName = QStringLiteral("cb%1Const").arg(QLatin1String(g.Name)).toLatin1();
    const QByteArray countName = QStringLiteral("ed%1Count").arg(QLatin1String(g.Name)).toLatin1();
    auto* count = Find<QSpinBox>(page.get(), countName.constData());
    EXPECT_EQ(count->maximum(), g.Maximum);
    EXPECT_TRUE(count->isEnabled());

    // Two all year: every month shows 2 and cannot be edited; a later count follows.
    count->setFocus();
    QTest::keyClick(count, Qt::Key_Up);
    QTest::keyClick(count, Qt::Key_Up);
    for (int m = 1; m <= 12; ++m) {
      EXPECT_EQ(MonthText(page.get(), g.Name, m), QStringLiteral("2")) << m;
      EXPECT_TRUE(MonthField(page.get(), g.Name, m)->isReadOnly()) << m;
      EXPECT_EQ(MonthField(page.get(), g.Name, m)->focusPolicy(), Qt::NoFocus) << m;
    }
    QTest::keyClick(count, Qt::Key_Up);
    EXPECT_EQ(MonthText(page.get(), g.Name, 1), g.Maximum == 2 ? QStringLiteral("2") : QStringLiteral("3"));
    QTest::keyClick(count, Qt::Key_Down);
    if (g.Maximum == 2) QTest::keyClick(count, Qt::Key_Up);
    page->StoreData();
    EXPECT_EQ(host.declaration.StandardDeduct.*g.Const, 1);
    EXPECT_EQ(host.declaration.StandardDeduct.*g.Count, 2);

    // Month by month: the count is inactive, the months keep what they showed and are typed.
    Click(page.get(), constName.constData());
    EXPECT_FALSE(count->isEnabled());
    EXPECT_FALSE(MonthField(page.get(), g.Name, 3)->isReadOnly());
    EXPECT_EQ(MonthField(page.get(), g.Name, 3)->focusPolicy(), Qt::StrongFocus);
    Retype(MonthField(page.get(), g.Name, 3), QStringLiteral("1"));
    Retype(MonthField(page.get(), g.Name, 12), QString());
    TypeText(MonthField(page.get(), g.Name, 11), QStringLiteral("x45"));
    EXPECT_EQ(MonthText(page.get(), g.Name, 11), QStringLiteral("24")) << "two digits at most";
    page->StoreData();
    EXPECT_EQ(host.declaration.StandardDeduct.*g.Const, 0);
    EXPECT_EQ(host.declaration.StandardDeduct.*g.ByMonth,
              (std::array<std::int32_t, 12>{2, 2, 1, 2, 2, 2, 2, 2, 2, 2, 24, 0}));

    // Built again over what was stored.
    page.reset();
    page = Page();
    EXPECT_FALSE(Find<QCheckBox>(page.get(), constName.constData())->isChecked());
    EXPECT_EQ(MonthText(page.get(), g.Name, 3), QStringLiteral("1"));
    EXPECT_EQ(MonthText(page.get(), g.Name, 12), QStringLiteral("0"));
  }
}

TEST_F(DeductStandardPageTest, TheGuardiansBoxGoesWithADisabledChild) {
  struct Case {
    const char* Name;
    std::function<void(mTStandartDeduct&)> Fill;
    bool Shown;
  };
  const Case cases[] = {
      {"none", [](mTStandartDeduct&) {}, false},
      {"a disabled child in March only", [](mTStandartDeduct& s) { s.SetDisabledInMonth(2, 1); }, true},
      {"one all year", [](mTStandartDeduct& s) { s.SetDisabledConst(1); }, true},
      {"months given, but the year's count", [](mTStandartDeduct& s) {
         s.DisabledByMonth[4] = 1;
         s.SetDisabledConst(0);
       },
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    host.declaration = mTDeclaration();
    c.Fill(Model());
    auto page = Page();
    EXPECT_EQ(!Find(page.get(), "pnGuardian")->isHidden(), c.Shown);
  }

  // Typed: a child in March shows the box, none hides it again; the box is stored.
  host.declaration = mTDeclaration();
  auto page = Page();
  Click(page.get(), "cbDisabledConst");
  Retype(MonthField(page.get(), "Disabled", 3), QStringLiteral("1"));
  EXPECT_FALSE(Find(page.get(), "pnGuardian")->isHidden());
  auto* guardian = Find<QCheckBox>(page.get(), "cbGuardianOrFoster");
  EXPECT_EQ(guardian->text(), QStringLiteral("Я являюсь:"));
  Click(page.get(), "cbGuardianOrFoster");
  page->StoreData();
  EXPECT_EQ(Model().GuardianOrFoster, 1);
  Retype(MonthField(page.get(), "Disabled", 3), QStringLiteral("0"));
  EXPECT_TRUE(Find(page.get(), "pnGuardian")->isHidden());
}

TEST_F(DeductStandardPageTest, TheEntrepreneursMonths) {
  host.declaration.SetSections(kSectionRussian | kSectionBusiness);
  auto page = Page();
  auto* april = Find<QCheckBox>(page.get(), "cbMonth04");
  EXPECT_EQ(april->text(), QStringLiteral("Апр."));
  page->StoreData();
  EXPECT_EQ(Model().MonthlyIncomeGiven, 0) << "no month ticked";

  TypeText(Find(page.get(), "edIncome04"), QStringLiteral("50000"));
  EXPECT_TRUE(april->isChecked()) << "an income typed ticks its month";
  TypeText(Find(page.get(), "edExpense04"), QStringLiteral("12000,5"));
  TypeText(Find(page.get(), "edExpense05"), QStringLiteral("700"));
  EXPECT_FALSE(Find<QCheckBox>(page.get(), "cbMonth05")->isChecked()) << "an expense ticks nothing";
  page->StoreData();
  EXPECT_EQ(Model().MonthlyIncomeGiven, 1);
  EXPECT_EQ(Model().MonthIncomeOf(4), Currency::FromRoubles(50000));
  EXPECT_EQ(Model().MonthExpenseOf(4), Currency::FromKopecks(1200050));
  EXPECT_EQ(Model().MonthExpenseOf(5), Currency::FromRoubles(700));
  EXPECT_EQ(Model().MonthChecked, (std::array<std::uint8_t, 12>{0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0}));

  // Unticking April empties its figures, and the stored amounts with them.
  Click(page.get(), "cbMonth04");
  EXPECT_TRUE(Find<QLineEdit>(page.get(), "edIncome04")->text().isEmpty());
  EXPECT_TRUE(Find<QLineEdit>(page.get(), "edExpense04")->text().isEmpty());
  page->StoreData();
  EXPECT_EQ(Model().MonthlyIncomeGiven, 0);
  EXPECT_TRUE(Model().MonthIncomeOf(4).IsZero());
  EXPECT_TRUE(Model().MonthExpenseOf(4).IsZero());
  EXPECT_GT(host.notices, 0);
}

TEST_F(DeductStandardPageTest, TheOwnCodeChangedDuringTheYear) {
  Model().PersonalCodeByMonth = {2, 2, 2, 2, 2, 2, 1, 1, 1, 1, 1, 1};
  auto page = Page();

  // Chosen: the dialog opens on the stored months; "Да" keeps the new ones.
  QStringList seen;
  AnswerMonths({2, 2, 2, 0, 0, 0, 1, 1, 1, 1, 1, 1}, &seen);
  Click(page.get(), "rbPersonal110");
  EXPECT_EQ(seen, (QStringList{"----", "104", "105", "2", "2", "2", "2", "2", "2", "1", "1", "1", "1", "1", "1"}));
  EXPECT_EQ(Model().PersonalByMonthGiven, 1);
  EXPECT_EQ(Model().PersonalCodeByMonth, (std::array<std::int32_t, 12>{2, 2, 2, 0, 0, 0, 1, 1, 1, 1, 1, 1}));
  page->StoreData();
  EXPECT_EQ(Model().PersonalCode, 110);

  // A double click while chosen opens it again; "Нет" changes nothing.
  AnswerMonths({}, &seen);
  QTest::mouseDClick(Find(page.get(), "rbPersonal110"), Qt::LeftButton);
  EXPECT_EQ(seen.mid(3, 3), (QStringList{"2", "2", "2"}));
  EXPECT_EQ(Model().PersonalByMonthGiven, 1);
  EXPECT_EQ(Model().PersonalCodeByMonth[3], 0);

  // Another code clears the confirmation; choosing "Код менялся" again and answering "Нет"
  // leaves it cleared.
  Click(page.get(), "rbPersonal104");
  EXPECT_EQ(Model().PersonalByMonthGiven, 0);
  AnswerMonths({});
  Click(page.get(), "rbPersonal110");
  EXPECT_EQ(Model().PersonalByMonthGiven, 0);
  EXPECT_EQ(Model().PersonalCodeByMonth[0], 2) << "the months as they were";
}

TEST_F(DeductStandardPageTest, TheSingleParentsStatusChangedDuringTheYear) {
  auto page = Page();
  QStringList seen;
  QString note;
  AnswerMonths({1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0}, &seen, &note);
  Click(page.get(), "rbChild103");
  EXPECT_EQ(note, QStringLiteral("В этом месяце был статус единственного родителя (опекуна)"));
  EXPECT_EQ(seen.mid(0, 3), (QStringList{"да", "нет", "0"}));
  EXPECT_EQ(Model().ChildModeByMonthGiven, 1);
  EXPECT_EQ(Model().ChildModeByMonth, (std::array<std::int32_t, 12>{1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0}));
  page->StoreData();
  EXPECT_EQ(Model().ChildMode, 103);

  Click(page.get(), "rbChild101");
  EXPECT_EQ(Model().ChildModeByMonthGiven, 0);
  page->StoreData();
  EXPECT_EQ(Model().ChildMode, 101);
}

}  // namespace
}  // namespace talver::test
