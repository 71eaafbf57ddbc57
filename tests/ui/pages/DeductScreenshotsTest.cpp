// Pictures of the deduction pages and their dialogs at the window's size of 1024 × 768, written
// under the build tree for a person to look at.
#include <QDir>
#include <QPixmap>
#include <QTreeWidget>

#include "tests/ui/support/UiTestSupport.h"
#include "ui/dialogs/ChildEduSum.h"
#include "ui/dialogs/InputSoursePens.h"
#include "ui/dialogs/StdDeductCombination.h"

namespace talver::test {
namespace {

using DeductScreenshotsTest = UiTest;

// Deductions of every kind, with business incomes so that the monthly panel is open.
void Fill(mTDeclaration& d) {
  d.InspectionCode = "7701";
  d.SetSections(kSectionRussian | kSectionBusiness);
  mTStandartDeduct& sd = d.StandardDeduct;
  sd.PersonalCode = 110;
  sd.ChildMode = 102;
  sd.SetChildrenConst(2);
  for (int m = 2; m < 12; ++m) sd.SetDisabledInMonth(m, 1);
  sd.SetThirdConst(1);
  sd.MonthlyIncomeGiven = 1;
  for (int m = 1; m <= 12; ++m) {
    sd.SetMonthIncome(m, Currency::FromKopecks(35000000 + 123456 * m));
    sd.SetMonthExpense(m, Currency::FromKopecks(1234567));
    sd.MonthChecked[static_cast<std::size_t>(m - 1)] = 1;
  }
  mTSocialDeduct& s = d.SocialDeduct;
  s.Granted = 1;
  s.Charity = Currency::FromRoubles(15000);
  s.OwnEducation = Currency::FromRoubles(42000);
  s.Medical = Currency::FromKopecks(3245050);
  s.AgentSocialDeduct = Currency::FromRoubles(10000);
  s.AddChildEducation(Currency::FromRoubles(60000));
  s.AddChildEducation(Currency::FromRoubles(30000));
  mTPens& fund = s.GetPension(s.AddPension());
  fund.ContractKind = 1;
  fund.OrgName = Utf8ToCp1251("АО \"Негосударственный пенсионный фонд \"Будущее\"\"");
  fund.Inn = "7704275020";
  fund.Kpp = "770401001";
  mTPens& extra = s.GetPension(s.AddPension());
  extra.ContractKind = 4;
  d.SecuritiesLosses.SecuritiesLoss[6] = Currency::FromRoubles(100);
  d.SecuritiesLosses.SecuritiesLoss[1] = Currency::FromRoubles(50);
  d.InvestmentDeduction = Currency::FromRoubles(400000);
}

TEST_F(DeductScreenshotsTest, PagesAndDialogs) {
  auto window = MakeWindow({WriteDeclaration(QStringLiteral("deductions.tv6"), Fill)});
  window->show();
  window->resize(1024, 768);
  window->ShowPage(PageId::FrameDeductData, NavButton::Deduction);
  SaveShot(window.get(), "page-standart-deduct");
  Click(window.get(), "sbFramePensDeduct");
  SaveShot(window.get(), "page-pens-deduct");
  Click(window.get(), "sbCB");
  SaveShot(window.get(), "page-cb");

  TfmStdDeductCombination personal(window.get(), {QStringLiteral("----"), QStringLiteral("104"), QStringLiteral("105")},
                                   QString(), {2, 2, 2, 1, 1, 1, 0, 0, 0, 2, 2, 2});
  personal.show();
  SaveShot(&personal, "dialog-std-combination-personal");
  TfmStdDeductCombination parent(window.get(), {QStringLiteral("да"), QStringLiteral("нет")},
                                 QStringLiteral("В этом месяце был статус единственного родителя (опекуна)"), {});
  parent.show();
  SaveShot(&parent, "dialog-std-combination-parent");
  TfmChildEduSum sum(window.get());
  sum.SetAmount(Currency::FromRoubles(60000));
  sum.show();
  SaveShot(&sum, "dialog-child-edu-sum");
  TfmInputSoursePens contract(window.get(), presenter);
  contract.SetContract(window->Declaration().SocialDeduct.GetPension(0));
  contract.show();
  SaveShot(&contract, "dialog-input-sourse-pens");
  TfmInputSoursePens extra(window.get(), presenter);
  extra.SetContract(window->Declaration().SocialDeduct.GetPension(1));
  extra.show();
  SaveShot(&extra, "dialog-input-sourse-pens-kind4");
}

}  // namespace
}  // namespace talver::test
