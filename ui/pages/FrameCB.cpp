#include "ui/pages/FrameCB.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include <string>

#include "model/DeductionClasses.h"
#include "ui/framework/FieldText.h"
#include "ui/widgets/MaskedEdit.h"
#include "ui/framework/PageWidgets.h"

namespace talver {
namespace {

constexpr int kFirstYearShown = 2010;
// The position of a year's amount in mTCBDeduct, and of 2015 in particular.
constexpr std::size_t kPosition2015 = 1;
constexpr Currency kInvestmentDeductionCap = Currency::FromRoubles(400000);

TMaskedEdit* MakeAmount(QWidget* parent, const std::string& name) {
  TMaskedEdit* edit = MakeEdit(parent, name.c_str(), EditType::edtCurrency, 12, 2);
  edit->setFixedWidth(160);
  return edit;
}

QLabel* MakeHeader(QWidget* parent, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setAlignment(Qt::AlignCenter);
  label->setWordWrap(true);
  return label;
}

}  // namespace

TfrCB::TfrCB(QWidget* owner, TPageHost& host) : TThinkingFrame(owner, host, PageId::CB) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 4, 0, 0);
  const QString securities = QStringLiteral("Убытки по операциям с ЦБ");
  const QString derivatives = QStringLiteral("Убытки по операциям с ПФИ");

  auto* losses = new QGroupBox(QStringLiteral("Убытки предыдущих налоговых периодов"), this);
  losses->setObjectName(QStringLiteral("gbLosses"));
  auto* grid = new QGridLayout(losses);
  grid->addWidget(MakeHeader(losses, QStringLiteral("Год")), 0, 0);
  grid->addWidget(MakeHeader(losses, securities), 0, 1);
  grid->addWidget(MakeHeader(losses, derivatives), 0, 2);
  edSecuritiesTotal = MakeAmount(losses, "edSecuritiesTotal");
  edDerivativesTotal = MakeAmount(losses, "edDerivativesTotal");
  for (TMaskedEdit* total : {edSecuritiesTotal, edDerivativesTotal}) {
    total->setReadOnly(true);
    total->setFocusPolicy(Qt::NoFocus);
    ShowAsPanel(total);
  }
  grid->addWidget(new QLabel(QStringLiteral("Итого"), losses), 1, 0);
  grid->addWidget(edSecuritiesTotal, 1, 1);
  grid->addWidget(edDerivativesTotal, 1, 2);
  for (std::size_t i = 0; i < mTCBDeduct::kYears.size(); ++i) {
    const int year = mTCBDeduct::kYears[i];
    edSecurities[i] = MakeAmount(losses, "edSecurities" + std::to_string(year));
    edDerivatives[i] = MakeAmount(losses, "edDerivatives" + std::to_string(year));
    if (year < kFirstYearShown) {
      // Earlier years are no longer entered; what a file brings for them is kept.
      edSecurities[i]->hide();
      edDerivatives[i]->hide();
      continue;
    }
    const int row = 2 + (year - kFirstYearShown);
    grid->addWidget(MakeLabel(losses, QString::number(year), edSecurities[i]), row, 0);
    grid->addWidget(edSecurities[i], row, 1);
    grid->addWidget(edDerivatives[i], row, 2);
  }
  grid->setColumnMinimumWidth(0, 50);
  grid->setColumnStretch(3, 1);
  layout->addWidget(losses);

  auto* iis = new QGroupBox(QStringLiteral("Убытки предыдущих налоговых периодов на индивидуальном инвестиционном счете"),
                            this);
  iis->setObjectName(QStringLiteral("gbIisLosses"));
  auto* iisGrid = new QGridLayout(iis);
  iisGrid->addWidget(MakeHeader(iis, QStringLiteral("Год")), 0, 0);
  iisGrid->addWidget(MakeHeader(iis, securities), 0, 1);
  iisGrid->addWidget(MakeHeader(iis, derivatives), 0, 2);
  edIisSecurities2015 = MakeAmount(iis, "edIisSecurities2015");
  edIisDerivatives2015 = MakeAmount(iis, "edIisDerivatives2015");
  iisGrid->addWidget(MakeLabel(iis, QStringLiteral("2015"), edIisSecurities2015), 1, 0);
  iisGrid->addWidget(edIisSecurities2015, 1, 1);
  iisGrid->addWidget(edIisDerivatives2015, 1, 2);
  iisGrid->setColumnMinimumWidth(0, 50);
  iisGrid->setColumnStretch(3, 1);
  layout->addWidget(iis);

  auto* investment = new QGroupBox(QStringLiteral("Инвестиционный вычет"), this);
  investment->setObjectName(QStringLiteral("gbInvestment"));
  auto* investmentGrid = new QGridLayout(investment);
  edInvestmentDeduction = MakeAmount(investment, "edInvestmentDeduction");
  edInvestmentDeductionReturn = MakeAmount(investment, "edInvestmentDeductionReturn");
  investmentGrid->addWidget(MakeLabel(investment, QStringLiteral("Сумма вычета"), edInvestmentDeduction), 0, 0);
  investmentGrid->addWidget(edInvestmentDeduction, 0, 1);
  investmentGrid->addWidget(
      MakeLabel(investment, QStringLiteral("Сумма вычета предшествующих периодов, подлежащая возврату"),
                edInvestmentDeductionReturn),
      1, 0);
  investmentGrid->addWidget(edInvestmentDeductionReturn, 1, 1);
  investmentGrid->setColumnStretch(2, 1);
  layout->addWidget(investment);
  layout->addStretch();

  // Fill from the model.
  const mTDeclaration& d = Declaration();
  for (std::size_t i = 0; i < mTCBDeduct::kYears.size(); ++i) {
    edSecurities[i]->setText(AmountText(d.SecuritiesLosses.SecuritiesLoss[i]));
    edDerivatives[i]->setText(AmountText(d.SecuritiesLosses.DerivativesLoss[i]));
  }
  edIisSecurities2015->setText(AmountText(d.IisLosses.SecuritiesLoss[kPosition2015]));
  edIisDerivatives2015->setText(AmountText(d.IisLosses.DerivativesLoss[kPosition2015]));
  edInvestmentDeduction->setText(AmountText(d.InvestmentDeduction));
  edInvestmentDeductionReturn->setText(AmountText(d.InvestmentDeductionReturn));
  UpdateTotals();

  // Row by row as shown, the years in calendar order.
  QWidget* previous = nullptr;
  const auto next = [this, &previous](QWidget* w) {
    if (previous != nullptr) setTabOrder(previous, w);
    previous = w;
  };
  for (int year = kFirstYearShown; year <= 2015; ++year) {
    for (std::size_t i = 0; i < mTCBDeduct::kYears.size(); ++i) {
      if (mTCBDeduct::kYears[i] != year) continue;
      next(edSecurities[i]);
      next(edDerivatives[i]);
    }
  }
  for (QWidget* w : {edIisSecurities2015, edIisDerivatives2015, edInvestmentDeduction, edInvestmentDeductionReturn}) {
    next(w);
  }

  for (std::size_t i = 0; i < mTCBDeduct::kYears.size(); ++i) {
    connect(edSecurities[i], &TMaskedEdit::Change, this, &TfrCB::UpdateTotals);
    connect(edDerivatives[i], &TMaskedEdit::Change, this, &TfrCB::UpdateTotals);
  }
  connect(edIisSecurities2015, &TMaskedEdit::Change, this, &TfrCB::UpdateTotals);
  connect(edIisDerivatives2015, &TMaskedEdit::Change, this, &TfrCB::UpdateTotals);
  connect(edInvestmentDeduction, &TMaskedEdit::Change, this, &TfrCB::CapInvestmentDeduction);
}

void TfrCB::UpdateTotals() {
  Currency securities;
  Currency derivatives;
  for (std::size_t i = 0; i < mTCBDeduct::kYears.size(); ++i) {
    if (mTCBDeduct::kYears[i] < kFirstYearShown) continue;
    securities = securities + AmountOrZero(edSecurities[i]->text());
    derivatives = derivatives + AmountOrZero(edDerivatives[i]->text());
  }
  edSecuritiesTotal->setText(AmountTextKeepZero(securities));
  edDerivativesTotal->setText(AmountTextKeepZero(derivatives));
}

void TfrCB::CapInvestmentDeduction() {
  const QString cap = QStringLiteral("400000");
  if (AmountOrZero(edInvestmentDeduction->text()) >= kInvestmentDeductionCap && edInvestmentDeduction->text() != cap) {
    edInvestmentDeduction->setText(cap);
  }
}

void TfrCB::StoreData() {
  mTDeclaration& d = Declaration();
  for (std::size_t i = 0; i < mTCBDeduct::kYears.size(); ++i) {
    d.SecuritiesLosses.SecuritiesLoss[i] = AmountOrZero(edSecurities[i]->text());
    d.SecuritiesLosses.DerivativesLoss[i] = AmountOrZero(edDerivatives[i]->text());
  }
  d.IisLosses.SecuritiesLoss[kPosition2015] = AmountOrZero(edIisSecurities2015->text());
  d.IisLosses.DerivativesLoss[kPosition2015] = AmountOrZero(edIisDerivatives2015->text());
  d.InvestmentDeduction = AmountOrZero(edInvestmentDeduction->text());
  d.InvestmentDeductionReturn = AmountOrZero(edInvestmentDeductionReturn->text());
}

}  // namespace talver
