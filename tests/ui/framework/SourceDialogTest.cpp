// Payment sources: the general and the strict validator (their rules in order, what may be
// skipped, what each answer does), and the source dialog of the 13 % page that closes only on
// a valid source.
#include <QCheckBox>

#include "tests/ui/support/EntryTestSupport.h"
#include "ui/dialogs/Input13SourseIncome.h"
#include "ui/framework/SourceValidators.h"

namespace talver::test {
namespace {

// Valid identifiers: an organisation's INN with its KPP, and a person's INN.
constexpr char kOrgInn[] = "7707083893";
constexpr char kKpp[] = "773601001";
constexpr char kPersonInn[] = "500100732259";

struct SourceCase {
  const char* Name;
  const char* SourceName;
  const char* Oktmo;
  const char* Kpp;
  const char* Inn;
  const char* Message;  // the first error shown; nullptr when the source passes
  int Field;
};

TEST(SourceValidatorsTest, TheGeneralValidatorStopsAtTheFirstErrorFixed) {
  const SourceCase cases[] = {
      {"an organisation", "ООО Ромашка", "45376000", kKpp, kOrgInn, nullptr, 0},
      {"a natural person without KPP", "Иванов И.И.", "45376000", "", kPersonInn, nullptr, 0},
      {"neither INN nor KPP", "Иванов И.И.", "45376000123", "", "", nullptr, 0},
      {"a blank name", "   ", "45376000", kKpp, kOrgInn, "Не заполненно поле \"Наименование источника выплаты\"", 1},
      {"an OKTMO of 9 characters", "ООО", "453760001", kKpp, kOrgInn,
       "Код ОКТМО введен некорректно(должно быть 8 или 11 симв.)(При продаже имущества физ.лицу - не нужен)", 4},
      {"an INN of 11 digits", "ООО", "45376000", kKpp, "77070838931", "Длина ИНН должна быть равна 10 или 12 цифрам", 2},
      {"an INN of zeros", "ООО", "45376000", kKpp, "0000000000", "Номер ИНН введен неверно", 2},
      {"a wrong control digit", "ООО", "45376000", kKpp, "7707083894", "Номер ИНН введен неверно", 2},
      {"an organisation without KPP", "ООО", "45376000", "", kOrgInn, "Отсутствует КПП", 3},
      {"a KPP of 8 digits", "ООО", "45376000", "77360100", kOrgInn, "Длина КПП должна быть равна 9 цифрам", 3},
      {"a KPP of zeros", "ООО", "45376000", "000000000", kOrgInn, "Некорректный КПП", 3},
      {"a person with a KPP", "Иванов", "45376000", kKpp, kPersonInn, "Длина ИНН для юрлиц должна быть равна 10 цифрам",
       2},
      {"a KPP without INN", "ООО", "45376000", kKpp, "", "Введите ИНН", 2},
  };
  for (const SourceCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EntryPresenter presenter;
    if (c.Message != nullptr) presenter.CheckAnswers = {CheckAnswer::Fix};
    const int field = ValidateSourceGeneral(presenter, "Доходы, облагаемые по ставке 13%", Utf8ToCp1251(c.SourceName),
                                            true, c.Oktmo, c.Kpp, c.Inn);
    EXPECT_EQ(field, c.Field);
    if (c.Message == nullptr) {
      EXPECT_TRUE(presenter.Checks.empty());
      continue;
    }
    ASSERT_EQ(presenter.Checks.size(), 1u);
    EXPECT_EQ(presenter.Checks[0].Message, c.Message);
    EXPECT_EQ(presenter.Checks[0].Title, "Доходы, облагаемые по ставке 13%");
    EXPECT_FALSE(presenter.SkipOffered[0]) << "only a missing OKTMO can be skipped";
  }
}

TEST(SourceValidatorsTest, AMissingOktmoIsSkippedOnlyWhereTheCallerAllows) {
  // Skipped where allowed, the validation goes on to the next rule and may pass.
  EntryPresenter skipped;
  skipped.CheckAnswers = {CheckAnswer::Skip};
  EXPECT_EQ(ValidateSourceGeneral(skipped, "t", "A", true, "", kKpp, kOrgInn), 0);
  ASSERT_EQ(skipped.Checks.size(), 1u);
  EXPECT_EQ(skipped.Checks[0].Message, "Не введен код ОКТМО(8 или 11 симв.)(При продаже имущества физ.лицу - не нужен)");
  EXPECT_TRUE(skipped.SkipOffered[0]);

  // Where the caller does not allow it (an investment partnership), the same rule holds the
  // user: closing the message is no way round it.
  EntryPresenter held;
  held.CheckAnswers = {CheckAnswer::Skip};
  EXPECT_EQ(ValidateSourceGeneral(held, "Доходы от участия в инвестиционном товариществе", "A", false, "", kKpp, kOrgInn),
            4);
  EXPECT_FALSE(held.SkipOffered[0]);

  // A skipped OKTMO leaves the later rules to find their errors.
  EntryPresenter next;
  next.CheckAnswers = {CheckAnswer::Skip, CheckAnswer::Fix};
  EXPECT_EQ(ValidateSourceGeneral(next, "t", "A", true, "", "", kOrgInn), 3);
  EXPECT_EQ(next.CheckMessages(), (std::vector<std::string>{
                                      "Не введен код ОКТМО(8 или 11 симв.)(При продаже имущества физ.лицу - не нужен)",
                                      "Отсутствует КПП"}));
}

TEST(SourceValidatorsTest, TheStrictValidatorWantsAnOrganisation) {
  const SourceCase cases[] = {
      {"an organisation", "АО Эмитент", "45376000", kKpp, kOrgInn, nullptr, 0},
      {"no name", "", "45376000", kKpp, kOrgInn, "Не заполненно поле \"Наименование источника выплаты\"", 1},
      {"no OKTMO", "АО", "", kKpp, kOrgInn, "Не введен код ОКТМО(8 или 11 симв.)", 4},
      {"a person's INN", "АО", "45376000", kKpp, kPersonInn, "Длина ИНН должна быть равна 10 цифрам", 2},
      {"INN of zeros", "АО", "45376000", kKpp, "0000000000", "Номер ИНН введен неверно", 2},
      {"no KPP", "АО", "45376000", "", kOrgInn, "Отсутствует КПП", 3},
      {"a short KPP", "АО", "45376000", "7736", kOrgInn, "Длина КПП должна быть равна 9 цифрам", 3},
      {"KPP of zeros", "АО", "45376000", "000000000", kOrgInn, "Некорректный КПП", 3},
      {"no INN", "АО", "45376000", kKpp, "", "Введите ИНН", 2},
  };
  for (const SourceCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EntryPresenter presenter;
    // Every strict rule holds the user, whatever the answer.
    if (c.Message != nullptr) presenter.CheckAnswers = {CheckAnswer::Skip};
    EXPECT_EQ(ValidateSourceStrict(presenter, "Доходы в виде дивидендов", Utf8ToCp1251(c.SourceName), c.Oktmo, c.Kpp,
                                   c.Inn),
              c.Field);
    if (c.Message == nullptr) {
      EXPECT_TRUE(presenter.Checks.empty());
    } else {
      ASSERT_EQ(presenter.Checks.size(), 1u);
      EXPECT_EQ(presenter.Checks[0].Message, c.Message);
      EXPECT_FALSE(presenter.SkipOffered[0]);
    }
  }
}

class SourceDialogTest : public UiTest {
 protected:
  EntryPresenter entryPresenter;
};

TEST_F(SourceDialogTest, TheDialogClosesOnlyOnAValidSource) {
  TfmInput13SourseIncome dialog(nullptr, entryPresenter, false);
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Источник выплаты"));
  TypeText(Find(&dialog, "edName"), QStringLiteral("ООО \"Ромашка\""));
  TypeText(Find(&dialog, "edInn"), QString::fromLatin1(kOrgInn));
  TypeText(Find(&dialog, "edOktmo"), QStringLiteral("45376000"));

  entryPresenter.CheckAnswers = {CheckAnswer::Fix};
  QTest::keyClick(Find(&dialog, "edOktmo"), Qt::Key_Return);
  EXPECT_EQ(entryPresenter.CheckMessages(), std::vector<std::string>{"Отсутствует КПП"});
  EXPECT_TRUE(dialog.isVisible()) << "the dialog stays open";
  EXPECT_EQ(dialog.focusWidget(), Find(&dialog, "edKpp"));

  TypeText(Find(&dialog, "edKpp"), QString::fromLatin1(kKpp));
  TypeText(Find(&dialog, "edKpp"), QStringLiteral("12"));  // no tenth digit
  Click(&dialog, "cbStandardDeductSource");
  Click(&dialog, "btYes");
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  const TSourceIdentity s = dialog.Source();
  EXPECT_EQ(s.Name, Utf8ToCp1251("ООО \"Ромашка\""));
  EXPECT_EQ(s.Inn, kOrgInn);
  EXPECT_EQ(s.Kpp, kKpp);
  EXPECT_EQ(s.Oktmo, "45376000");
  EXPECT_EQ(s.StandardDeductSource, 1);
}

TEST_F(SourceDialogTest, ANonResidentsSourceHasNoStandardDeductionBox) {
  TfmInput13SourseIncome resident(nullptr, entryPresenter, false);
  TfmInput13SourseIncome nonResident(nullptr, entryPresenter, true);
  EXPECT_FALSE(Find(&resident, "cbStandardDeductSource")->isHidden());
  EXPECT_TRUE(Find(&nonResident, "cbStandardDeductSource")->isHidden());
  // Escape is "Нет".
  nonResident.show();
  QTest::keyClick(&nonResident, Qt::Key_Escape);
  EXPECT_EQ(nonResident.result(), QDialog::Rejected);
  EXPECT_TRUE(entryPresenter.Checks.empty());
}

}  // namespace
}  // namespace talver::test
