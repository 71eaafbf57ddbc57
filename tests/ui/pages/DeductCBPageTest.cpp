// The page of the losses of earlier years on securities and derivatives and of the investment
// deduction: the totals of the years shown, the years kept but not shown, the individual
// investment account and the cap of the deduction.
#include "tests/ui/support/EntryTestSupport.h"
#include "ui/pages/FrameCB.h"

namespace talver::test {
namespace {

// Positions of the years in mTCBDeduct: 2014, 2015, 2006 … 2013.
constexpr std::size_t k2007 = 3;
constexpr std::size_t k2010 = 6;
constexpr std::size_t k2014 = 0;
constexpr std::size_t k2015 = 1;

// The widget Tab moves to from `w`.
QWidget* NextTabStop(QWidget* w) {
  for (QWidget* next = w->nextInFocusChain(); next != w; next = next->nextInFocusChain()) {
    if ((next->focusPolicy() & Qt::TabFocus) != 0 && next->isVisible() && next->isEnabled()) return next;
  }
  return nullptr;
}

class DeductCBPageTest : public UiTest {
 protected:
  TestPageHost host;

  std::unique_ptr<TfrCB> Page() {
    host.switching = true;
    auto page = std::make_unique<TfrCB>(nullptr, host);
    host.switching = false;
    page->resize(820, 600);
    page->show();
    return page;
  }
  static QLineEdit* Field(QWidget* page, const char* name) { return Find<QLineEdit>(page, name); }
};

TEST_F(DeductCBPageTest, TheTotalsCountTheYearsShown) {
  host.declaration.SecuritiesLosses.SecuritiesLoss[k2007] = Currency::FromRoubles(1000);
  host.declaration.SecuritiesLosses.DerivativesLoss[k2014] = Currency::FromKopecks(250);
  auto page = Page();
  EXPECT_TRUE(Field(page.get(), "edSecurities2007")->isHidden());
  EXPECT_EQ(Field(page.get(), "edSecuritiesTotal")->text(), QStringLiteral("0")) << "2007 is not shown, nor counted";
  EXPECT_EQ(Field(page.get(), "edDerivativesTotal")->text(), QStringLiteral("2,5"));
  EXPECT_TRUE(Field(page.get(), "edSecuritiesTotal")->isReadOnly());

  TypeText(Field(page.get(), "edSecurities2010"), QStringLiteral("100"));
  TypeText(Field(page.get(), "edSecurities2015"), QStringLiteral("50"));
  EXPECT_EQ(Field(page.get(), "edSecuritiesTotal")->text(), QStringLiteral("150"));
  TypeText(Field(page.get(), "edDerivatives2012"), QStringLiteral("0,75"));
  EXPECT_EQ(Field(page.get(), "edDerivativesTotal")->text(), QStringLiteral("3,25"));
  TypeText(Field(page.get(), "edIisSecurities2015"), QStringLiteral("70"));
  EXPECT_EQ(Field(page.get(), "edSecuritiesTotal")->text(), QStringLiteral("150")) << "the account's loss apart";
  Retype(Field(page.get(), "edSecurities2010"), QString());
  EXPECT_EQ(Field(page.get(), "edSecuritiesTotal")->text(), QStringLiteral("50"));
  EXPECT_GT(host.notices, 0);

  page->StoreData();
  const mTCBDeduct& losses = host.declaration.SecuritiesLosses;
  EXPECT_EQ(losses.SecuritiesLoss[k2007], Currency::FromRoubles(1000)) << "the year a file brought is kept";
  EXPECT_TRUE(losses.SecuritiesLoss[k2010].IsZero());
  EXPECT_EQ(losses.SecuritiesLoss[k2015], Currency::FromRoubles(50));
  EXPECT_EQ(losses.DerivativesLoss[k2014], Currency::FromKopecks(250));
  EXPECT_EQ(losses.SecuritiesLossTotal(), Currency::FromRoubles(1050));
}

TEST_F(DeductCBPageTest, TheIndividualInvestmentAccount) {
  host.declaration.IisLosses.SecuritiesLoss[k2010] = Currency::FromRoubles(9);  // only a file sets it
  auto page = Page();
  TypeText(Field(page.get(), "edIisSecurities2015"), QStringLiteral("1234,56"));
  TypeText(Field(page.get(), "edIisDerivatives2015"), QStringLiteral("78"));
  page->StoreData();
  const mTCBDeduct& iis = host.declaration.IisLosses;
  EXPECT_EQ(iis.SecuritiesLoss[k2015], Currency::FromKopecks(123456));
  EXPECT_EQ(iis.DerivativesLoss[k2015], Currency::FromRoubles(78));
  EXPECT_EQ(iis.SecuritiesLoss[k2010], Currency::FromRoubles(9));
  EXPECT_TRUE(host.declaration.SecuritiesLosses.SecuritiesLossTotal().IsZero());
  EXPECT_TRUE(host.declaration.SecuritiesLosses.DerivativesLossTotal().IsZero());
}

TEST_F(DeductCBPageTest, TheInvestmentDeductionIsCappedAt400000) {
  struct Case {
    const char* Typed;
    const char* Shown;
    Currency Stored;
  };
  const Case cases[] = {
      {"500000", "400000", Currency::FromRoubles(400000)},
      {"400000,01", "400000", Currency::FromRoubles(400000)},
      {"399999,99", "399999,99", Currency::FromKopecks(39999999)},
      {"", "", Currency()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Typed);
    auto page = Page();
    Retype(Field(page.get(), "edInvestmentDeduction"), QString::fromLatin1(c.Typed));
    Retype(Field(page.get(), "edInvestmentDeductionReturn"), QString::fromLatin1(c.Typed));
    EXPECT_EQ(Field(page.get(), "edInvestmentDeduction")->text(), QString::fromLatin1(c.Shown));
    EXPECT_EQ(Field(page.get(), "edInvestmentDeductionReturn")->text(), QString::fromLatin1(c.Typed)) << "no cap";
    page->StoreData();
    EXPECT_EQ(host.declaration.InvestmentDeduction, c.Stored);
  }
  host.declaration.InvestmentDeductionReturn = Currency::FromRoubles(600000);
  auto page = Page();
  EXPECT_EQ(Field(page.get(), "edInvestmentDeductionReturn")->text(), QStringLiteral("600000"));
  EXPECT_EQ(page->CheckData(), 0);
}

TEST_F(DeductCBPageTest, TabGoesRowByRowInCalendarOrder) {
  auto page = Page();
  const char* order[] = {"edSecurities2010", "edDerivatives2010", "edSecurities2011", "edDerivatives2011",
                         "edSecurities2012", "edDerivatives2012", "edSecurities2013", "edDerivatives2013",
                         "edSecurities2014", "edDerivatives2014", "edSecurities2015", "edDerivatives2015",
                         "edIisSecurities2015", "edIisDerivatives2015", "edInvestmentDeduction",
                         "edInvestmentDeductionReturn"};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
    EXPECT_EQ(NextTabStop(Find(page.get(), order[i])), Find(page.get(), order[i + 1])) << order[i];
  }
}

}  // namespace
}  // namespace talver::test
