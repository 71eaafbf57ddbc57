#include "compute/SheetsZI.h"

#include "compute/Inputs.h"
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

// The losses of the ten earlier years, as typed on the page of the securities losses.
Figure LossesOfYears(kTSvodSumTrace* t, const std::array<Currency, 10>& losses, InputField field, const char* caption) {
  Figure total;
  for (std::size_t i = 0; i < losses.size(); ++i) {
    total += ListValue(t, losses[i], kPageSecurities, field, i,
                       [i] { return std::to_string(mTCBDeduct::kYears[i]) + " год"; });
  }
  return Named(std::move(total), caption);
}

}  // namespace

bool kTSvodSumPrilJ::Compute(const mTDeclaration& d, const kTSvodSum& s) {
  Clear();
  const AccountCodes& c = IndividualAccount ? kIndividual : kOrdinary;

  const auto take = [&](std::int32_t code, std::int32_t deductCode, const auto& amount, const auto& deduction) {
    if (deductCode == 0) return;  // an item without a deduction code counts nowhere
    const Figure a = amount();
    const Figure dd = deduction();
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
  kTSvodSumTrace* const t = s.Tracing();
  ForEachOf(d.Sources13, [&](std::size_t i, const mTThirteenPercent& source) {
    ForEachEntry(source, [&](std::size_t j, const mTSourseIncome& e) {
      take(
          e.IncomeCode, e.DeductCode,
          [&] { return EntryValue(t, e.Amount, kPageSources13, InputField::EntryAmount, i, source, j, e); },
          [&] { return EntryValue(t, e.DeductAmount, kPageSources13, InputField::EntryDeduction, i, source, j, e); });
    });
  });
  if (d.HasSection(kSectionForeign)) {
    ForEachOf(d.CurrencyIncomes, [&](std::size_t i, const mTCurrencyIncome& f) {
      take(
          f.IncomeCode, f.DeductCode, [&] { return ForeignValue(t, f.IncomeInRoubles, InputField::ForeignIncome, i, f); },
          [&] { return ForeignValue(t, f.DeductAmount, InputField::ForeignDeduction, i, f); });
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
  const Figure repoLoss = Named(ДохРЕПО.РасхЗаймРЕПО - ДохРЕПО.ДохЗаймРЕПО, "Убыток по операциям РЕПО");
  const Figure loanLoss = Named(ДохЗаймЦБ.РасхДогЗайм - ДохЗаймЦБ.ДохДогЗайм, "Убыток по займам ценными бумагами");
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
  ОстУбытНачВс.СуммаЦБ =
      LossesOfYears(t, losses.SecuritiesLoss, IndividualAccount ? InputField::IisSecuritiesLoss : InputField::SecuritiesLoss,
                    "Убытки прошлых лет по операциям с ЦБ");
  ОстУбытНачВс.СуммаПФИ =
      LossesOfYears(t, losses.DerivativesLoss, IndividualAccount ? InputField::IisDerivativesLoss : InputField::DerivativesLoss,
                    "Убытки прошлых лет по операциям с ПФИ");
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
    Figure loss = pfiCb.УбытРезОпер;
    const Figure otherLeft = pfiOther.НалБазаОпер - pfiOther.УбытПрПерУмНБ;
    if (otherLeft > Currency()) {
      pfiCb.УбытУмНБ_5_6 = Min(otherLeft, loss);
      pfiOther.УбытУмНБ_4_9 = pfiCb.УбытУмНБ_5_6;
      loss -= pfiCb.УбытУмНБ_5_6;
    }
    const Figure orgLeft = org.НалБазаОпер - org.УбытПрПерУмНБ;
    if (orgLeft > Currency()) {
      pfiCb.УбытУмНБ_1_9 = Min(orgLeft, loss);
      org.УбытУмНБ_4_10 = pfiCb.УбытУмНБ_1_9;
      loss -= pfiCb.УбытУмНБ_1_9;
    }
    pfiCb.УбытУмНББуд = loss;
  }
  // This year's loss on derivatives on other assets: against derivatives on securities.
  {
    Figure loss = pfiOther.УбытРезОпер;
    const Figure cbLeft = pfiCb.НалБазаОпер - pfiCb.УбытПрПерУмНБ;
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
    Figure loss = org.УбытРезОпер;
    kTDohOperCBOrgNeOrg& atPurchase = ДохОперЦБОргНеОрг;
    const Figure gain = atPurchase.ДохСовОпер - atPurchase.РасхРеалЦБ;
    if (gain > Currency()) {
      org.УбытУч_2_3 = Min(gain, loss);
      atPurchase.УбытУмФР_1_12 = org.УбытУч_2_3;
      loss -= org.УбытУч_2_3;
    }
    const Figure cbLeft = pfiCb.НалБазаОпер - pfiCb.УбытПрПерУмНБ - pfiCb.УбытУмНБ_5_8;
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

bool kTSvodSumPrilI::Compute(const mTDeclaration& d, kTSvodSumTrace* t) {
  Clear();
  kTInvestTovBlock* blocks[] = {&ДохЦБОбрИТ, &ДохЦБНеОбрИТ, &ДохПФИНеОбрИТ, &ДохУстКапИТ, &ДохПрочИТ};
  ForEachOf(d.InvestSources, [&](std::size_t i, const mTInvestTov& source) {
    ForEachEntry(source, [&](std::size_t j, const mTInvestTovIncome& e) {
      const auto typed = [&](Currency value, InputField field) {
        return EntryValue(t, value, kPageInvestTov, field, i, source, j, e);
      };
      if (e.OperationKind >= 1 && e.OperationKind <= 5) {
        kTInvestTovBlock& b = *blocks[e.OperationKind - 1];
        b.ДохСовокуп += typed(e.Income, InputField::EntryAmount);
        b.РасхДолУпрТов += typed(e.ExpenseShare, InputField::EntryExpenseShare);
        b.РасхВознУпрТоп += typed(e.ManagerExpenses, InputField::EntryManagerExpenses);
        b.УбытПрУмен += typed(e.PriorLosses, InputField::EntryPriorLosses);
      } else if (e.OperationKind == 6) {
        РасчДохВыхИТ.ДохВыхИТ += typed(e.Income, InputField::EntryAmount);
        РасчДохВыхИТ.ВкладИТ += typed(e.ExpenseShare, InputField::EntryContributions);
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
