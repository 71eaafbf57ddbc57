#include "compute/SheetsZI.h"

#include "compute/SvodSum.h"
#include "model/DeclClasses.h"

namespace talver {
namespace {

// The income codes of one kind of account, and the deduction codes that say "purchase" and
// "interest" for the two kinds of securities that tell them apart.
struct AccountCodes {
  std::int32_t CbOrg, CbNotOrg, CbOrgNotOrg, PfiOrgCb, PfiOrgNotCb, PfiNotOrg;
  std::int32_t RepoOrg, RepoNotOrg, LoanOrg, LoanNotOrg;
  std::int32_t CbOrgCost, CbOrgInterest, CbNotOrgCost, CbNotOrgInterest;
};
constexpr AccountCodes kOrdinary = {1530, 1531, 1536, 1532, 1535, 1533, 1537, 9537, 1538, 9538, 201, 218, 202, 219};
constexpr AccountCodes kIndividual = {1544, 1545, 1549, 1546, 1548, 1547, 1551, 9551, 1552, 9552, 225, 233, 226, 234};

}  // namespace

bool kTSvodSumPrilJ::Compute(const mTDeclaration& d, const kTSvodSum& s) {
  Clear();
  const AccountCodes& c = IndividualAccount ? kIndividual : kOrdinary;

  const auto take = [&](std::int32_t code, std::int32_t deductCode, Currency a, Currency dd) {
    if (deductCode == 0) return;  // an item without a deduction code counts nowhere
    if (code == c.CbOrg) {
      ДохОперЦБОрг.ДохСовОпер += a;
      if (deductCode == c.CbOrgCost) ДохОперЦБОрг.РасхРеалЦБ += dd;
      if (deductCode == c.CbOrgInterest) ДохОперЦБОрг.ПроцРасх += dd;
    } else if (code == c.CbNotOrg) {
      ДохОперЦБНеОрг.ДохСовОпер += a;
      if (deductCode == c.CbNotOrgCost) ДохОперЦБНеОрг.РасхРеалЦБ += dd;
      if (deductCode == c.CbNotOrgInterest) ДохОперЦБНеОрг.ПроцРасх += dd;
    } else if (code == c.CbOrgNotOrg) {
      ДохОперЦБОргНеОрг.ДохСовОпер += a;
      ДохОперЦБОргНеОрг.РасхРеалЦБ += dd;
    } else if (code == c.PfiOrgCb) {
      ДохПФИОргЦБ.ДохСовОпер += a;
      ДохПФИОргЦБ.РасхРеалПФИ += dd;
    } else if (code == c.PfiOrgNotCb) {
      ДохПФИОргНеЦБ.ДохСовОпер += a;
      ДохПФИОргНеЦБ.РасхРеалПФИ += dd;
    } else if (code == c.PfiNotOrg) {
      ДохПФИНеОрг.ДохСовОпер += a;
      ДохПФИНеОрг.РасхРеалПФИ += dd;
    } else if (code == c.RepoOrg) {
      RepoIncomeOrg += a;
      RepoExpensesOrg += dd;
    } else if (code == c.RepoNotOrg) {
      RepoIncomeNotOrg += a;
      RepoExpensesNotOrg += dd;
    } else if (code == c.LoanOrg) {
      LoanIncomeOrg += a;
      LoanExpensesOrg += dd;
    } else if (code == c.LoanNotOrg) {
      LoanIncomeNotOrg += a;
      LoanExpensesNotOrg += dd;
    }
  };
  ForEachOf(d.Sources13, [&](const mTThirteenPercent& source) {
    ForEachEntry(source, [&](const mTSourseIncome& e) { take(e.IncomeCode, e.DeductCode, e.Amount, e.DeductAmount); });
  });
  if (d.HasSection(kSectionForeign)) {
    ForEachOf(d.CurrencyIncomes, [&](const mTCurrencyIncome& f) {
      take(f.IncomeCode, f.DeductCode, f.IncomeInRoubles, f.DeductAmount);
    });
  }

  // REPO and securities loans; their losses reduce the income from securities of the market
  // they were made on, within the loss overall.
  ДохРЕПО.ДохЗаймРЕПО = RepoIncomeOrg + RepoIncomeNotOrg;
  ДохРЕПО.РасхЗаймРЕПО = RepoExpensesOrg + RepoExpensesNotOrg;
  ДохРЕПО.ДоходОбл = Positive(ДохРЕПО.ДохЗаймРЕПО - ДохРЕПО.РасхЗаймРЕПО);
  ДохРЕПО.УбытРезОпер = Positive(ДохРЕПО.РасхЗаймРЕПО - ДохРЕПО.ДохЗаймРЕПО);
  ДохЗаймЦБ.ДохДогЗайм = LoanIncomeOrg + LoanIncomeNotOrg;
  ДохЗаймЦБ.РасхДогЗайм = LoanExpensesOrg + LoanExpensesNotOrg;
  ДохЗаймЦБ.ДоходОбл = Positive(ДохЗаймЦБ.ДохДогЗайм - ДохЗаймЦБ.РасхДогЗайм);
  ДохЗаймЦБ.УбытРезОпер = Positive(ДохЗаймЦБ.РасхДогЗайм - ДохЗаймЦБ.ДохДогЗайм);
  const Currency repoLoss = ДохРЕПО.РасхЗаймРЕПО - ДохРЕПО.ДохЗаймРЕПО;
  const Currency loanLoss = ДохЗаймЦБ.РасхДогЗайм - ДохЗаймЦБ.ДохДогЗайм;
  if (ДохОперЦБОрг.ДохСовОпер > Currency()) {
    ДохРЕПО.УбытРЕПООбр = Positive(Min(RepoExpensesOrg - RepoIncomeOrg, repoLoss));
    ДохЗаймЦБ.УбытЗаймЦБОбр = Positive(Min(LoanExpensesOrg - LoanIncomeOrg, loanLoss));
  }
  if (ДохОперЦБНеОрг.ДохСовОпер > Currency()) {
    ДохРЕПО.УбытРЕПОНеОбр = Positive(Min(RepoExpensesNotOrg - RepoIncomeNotOrg, repoLoss));
    ДохЗаймЦБ.УбытЗаймЦБНеОбр = Positive(Min(LoanExpensesNotOrg - LoanIncomeNotOrg, loanLoss));
  }

  kTDohOperCBOrg& org = ДохОперЦБОрг;
  org.УбытРЕПОУмДох = ДохРЕПО.УбытРЕПООбр;
  org.УбытЗаймУмДох = ДохЗаймЦБ.УбытЗаймЦБОбр;
  org.РасхУмДохРеалЦБ = org.РасхРеалЦБ + org.УбытРЕПОУмДох + org.УбытЗаймУмДох + org.ПроцРасх;
  org.НалБазаОпер = Positive(org.ДохСовОпер - org.РасхУмДохРеалЦБ);
  org.УбытРезОпер = Positive(org.РасхУмДохРеалЦБ - org.ДохСовОпер);

  kTDohOperCBNeOrg& notOrg = ДохОперЦБНеОрг;
  notOrg.УбытРЕПОУмДох = ДохРЕПО.УбытРЕПОНеОбр;
  notOrg.УбытЗаймУмДох = ДохЗаймЦБ.УбытЗаймЦБНеОбр;
  notOrg.УбытВыхИТ = s.PrilI.РасчДохВыхИТ.УбытРез;  // a loss on leaving a partnership
  notOrg.РасхУмДохРеалЦБ =
      notOrg.РасхРеалЦБ + notOrg.УбытРЕПОУмДох + notOrg.УбытЗаймУмДох + notOrg.ПроцРасх + notOrg.УбытВыхИТ;
  notOrg.ДоходОбл = Positive(notOrg.ДохСовОпер - notOrg.РасхУмДохРеалЦБ);

  kTDohPFIOrgCB& pfiCb = ДохПФИОргЦБ;
  kTDohPFIOrgNeCB& pfiOther = ДохПФИОргНеЦБ;
  pfiCb.НалБазаОпер = Positive(pfiCb.ДохСовОпер - pfiCb.РасхРеалПФИ);
  pfiCb.УбытРезОпер = Positive(pfiCb.РасхРеалПФИ - pfiCb.ДохСовОпер);
  pfiOther.НалБазаОпер = Positive(pfiOther.ДохСовОпер - pfiOther.РасхРеалПФИ);
  pfiOther.УбытРезОпер = Positive(pfiOther.РасхРеалПФИ - pfiOther.ДохСовОпер);
  ДохПФИНеОрг.ДоходОбл = Positive(ДохПФИНеОрг.ДохСовОпер - ДохПФИНеОрг.РасхРеалПФИ);

  // Losses of earlier years: securities against securities; derivatives first against those
  // on other assets, then against those on securities.
  const mTCBDeduct& losses = IndividualAccount ? d.IisLosses : d.SecuritiesLosses;
  ОстУбытНачВс.СуммаЦБ = losses.SecuritiesLossTotal();
  ОстУбытНачВс.СуммаПФИ = losses.DerivativesLossTotal();
  if (org.НалБазаОпер > Currency()) {
    org.УбытПрПерУмНБ = Min(ОстУбытНачВс.СуммаЦБ, org.НалБазаОпер);
    СумУмНБПер.СуммаЦБ = org.УбытПрПерУмНБ;
  }
  if (pfiOther.НалБазаОпер > Currency()) {
    pfiOther.УбытПрПерУмНБ = Min(ОстУбытНачВс.СуммаПФИ, pfiOther.НалБазаОпер);
    СумУмНБПер.СуммаПФИ = pfiOther.УбытПрПерУмНБ;
  }
  if (pfiCb.НалБазаОпер > Currency()) {
    pfiCb.УбытПрПерУмНБ = Min(ОстУбытНачВс.СуммаПФИ - СумУмНБПер.СуммаПФИ, pfiCb.НалБазаОпер);
    СумУмНБПер.СуммаПФИ += pfiCb.УбытПрПерУмНБ;
  }

  // This year's loss on derivatives on securities: against derivatives on other assets, then
  // against securities on the organised market; the rest is carried forward.
  {
    Currency loss = pfiCb.УбытРезОпер;
    const Currency otherLeft = pfiOther.НалБазаОпер - pfiOther.УбытПрПерУмНБ;
    if (otherLeft > Currency()) {
      pfiCb.УбытУмНБ_5_6 = Min(otherLeft, loss);
      pfiOther.УбытУмНБ_4_9 = pfiCb.УбытУмНБ_5_6;
      loss -= pfiCb.УбытУмНБ_5_6;
    }
    const Currency orgLeft = org.НалБазаОпер - org.УбытПрПерУмНБ;
    if (orgLeft > Currency()) {
      pfiCb.УбытУмНБ_1_9 = Min(orgLeft, loss);
      org.УбытУмНБ_4_10 = pfiCb.УбытУмНБ_1_9;
      loss -= pfiCb.УбытУмНБ_1_9;
    }
    pfiCb.УбытУмНББуд = loss;
  }
  // This year's loss on derivatives on other assets: against derivatives on securities.
  {
    Currency loss = pfiOther.УбытРезОпер;
    const Currency cbLeft = pfiCb.НалБазаОпер - pfiCb.УбытПрПерУмНБ;
    if (cbLeft > Currency()) {
      pfiOther.УбытУмНБ_4_7 = Min(cbLeft, loss);
      pfiCb.УбытУмНБ_5_8 = pfiOther.УбытУмНБ_4_7;
      loss -= pfiOther.УбытУмНБ_4_7;
    }
    pfiOther.УбытУмНББуд = loss;
  }
  // This year's loss on securities of the organised market: against those traded there at
  // purchase, then against derivatives on securities.
  {
    Currency loss = org.УбытРезОпер;
    kTDohOperCBOrgNeOrg& atPurchase = ДохОперЦБОргНеОрг;
    const Currency gain = atPurchase.ДохСовОпер - atPurchase.РасхРеалЦБ;
    if (gain > Currency()) {
      org.УбытУч_2_3 = Min(gain, loss);
      atPurchase.УбытУмФР_1_12 = org.УбытУч_2_3;
      loss -= org.УбытУч_2_3;
    }
    const Currency cbLeft = pfiCb.НалБазаОпер - pfiCb.УбытПрПерУмНБ - pfiCb.УбытУмНБ_5_8;
    if (cbLeft > Currency()) {
      org.УбытУч_4_6 = Min(cbLeft, loss);
      pfiCb.УбытУмНБ_1_13 = org.УбытУч_4_6;
      loss -= org.УбытУч_4_6;
    }
    org.УбытУмНББуд = loss;
  }

  ДохОперЦБОргНеОрг.ДоходОбл = Positive(ДохОперЦБОргНеОрг.ДохСовОпер - ДохОперЦБОргНеОрг.РасхРеалЦБ -
                                        ДохОперЦБОргНеОрг.УбытУмФР_1_12);
  org.ДоходОбл = Positive(org.НалБазаОпер - org.УбытУмНБ_4_10 - org.УбытПрПерУмНБ);
  pfiCb.ДоходОбл = Positive(pfiCb.НалБазаОпер - pfiCb.УбытПрПерУмНБ - pfiCb.УбытУмНБ_1_13 - pfiCb.УбытУмНБ_5_8);
  pfiOther.ДоходОбл = Positive(pfiOther.НалБазаОпер - pfiOther.УбытПрПерУмНБ - pfiOther.УбытУмНБ_4_9);

  НалБазаПер.СуммаЦБ = org.НалБазаОпер;
  НалБазаПер.СуммаПФИ = pfiCb.НалБазаОпер + pfiOther.НалБазаОпер;
  ОстУбытКонВс.СуммаЦБ = ОстУбытНачВс.СуммаЦБ - СумУмНБПер.СуммаЦБ;
  ОстУбытКонВс.СуммаПФИ = ОстУбытНачВс.СуммаПФИ - СумУмНБПер.СуммаПФИ;
  УбытПрхПер.УбытОперЦБОбр = org.УбытУмНББуд + ОстУбытКонВс.СуммаЦБ;
  УбытПрхПер.УбытОперПФИОбр = pfiCb.УбытУмНББуд + pfiOther.УбытУмНББуд + ОстУбытКонВс.СуммаПФИ;

  ОбщДохСовОпер = org.ДохСовОпер + ДохОперЦБОргНеОрг.ДохСовОпер + notOrg.ДохСовОпер + pfiCb.ДохСовОпер +
                  pfiOther.ДохСовОпер + ДохПФИНеОрг.ДохСовОпер + ДохРЕПО.ДохЗаймРЕПО + ДохЗаймЦБ.ДохДогЗайм;
  ОбщДоходОбл = org.ДоходОбл + ДохОперЦБОргНеОрг.ДоходОбл + notOrg.ДоходОбл + pfiCb.ДоходОбл + pfiOther.ДоходОбл +
                ДохПФИНеОрг.ДоходОбл + ДохРЕПО.ДоходОбл + ДохЗаймЦБ.ДоходОбл;
  ОбщРасхПрмВыч = ОбщДохСовОпер - ОбщДоходОбл;
  return true;
}

bool kTSvodSumPrilI::Compute(const mTDeclaration& d) {
  Clear();
  kTInvestTovBlock* blocks[] = {&ДохЦБОбрИТ, &ДохЦБНеОбрИТ, &ДохПФИНеОбрИТ, &ДохУстКапИТ, &ДохПрочИТ};
  ForEachOf(d.InvestSources, [&](const mTInvestTov& source) {
    ForEachEntry(source, [&](const mTInvestTovIncome& e) {
      if (e.OperationKind >= 1 && e.OperationKind <= 5) {
        kTInvestTovBlock& b = *blocks[e.OperationKind - 1];
        b.ДохСовокуп += e.Income;
        b.РасхДолУпрТов += e.ExpenseShare;
        b.РасхВознУпрТоп += e.ManagerExpenses;
        b.УбытПрУмен += e.PriorLosses;
      } else if (e.OperationKind == 6) {
        РасчДохВыхИТ.ДохВыхИТ += e.Income;
        РасчДохВыхИТ.ВкладИТ += e.ExpenseShare;  // the contributions
      }
    });
  });
  for (kTInvestTovBlock* b : blocks) {
    b->ДоходОбл = Positive(b->ДохСовокуп - b->РасхДолУпрТов - b->РасхВознУпрТоп - b->УбытПрУмен);
    b->УбытПерБудущ = Positive(b->РасхДолУпрТов + b->РасхВознУпрТоп - b->ДохСовокуп);
    ОбщДохСовОпер += b->ДохСовокуп;
    ОбщДоходОбл += b->ДоходОбл;
  }
  РасчДохВыхИТ.ДоходОбл = Positive(РасчДохВыхИТ.ДохВыхИТ - РасчДохВыхИТ.ВкладИТ);
  РасчДохВыхИТ.УбытРез = Positive(РасчДохВыхИТ.ВкладИТ - РасчДохВыхИТ.ДохВыхИТ);
  ОбщДохСовОпер += РасчДохВыхИТ.ДохВыхИТ;
  ОбщДоходОбл += РасчДохВыхИТ.ДоходОбл;
  ОбщРасхПрмВыч = ОбщДохСовОпер - ОбщДоходОбл;
  return true;
}

}  // namespace talver
