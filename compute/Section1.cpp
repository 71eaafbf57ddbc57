#include "compute/Section1.h"

#include "compute/SvodSum.h"
#include "model/DeclClasses.h"
#include "platform/Math2.h"

namespace talver {
namespace {

Currency Net(const kTSvodSumListValues& x) { return x.ПодлУпл - x.ПодлВозв; }

bool IsBusinessCategory(std::uint8_t category) {
  return category == 0 || category == 1 || category == 2 || category == 3 || category == 6;
}

}  // namespace

void kTSvodSumList6::AddTo(std::string_view kbk, const std::string& oktmo, const char* sign, Currency amount) {
  for (bmTList1& line : Lines) {
    if (line.КБК == kbk && line.ОКТМО == oktmo) {
      line.Сумма += amount;
      return;
    }
  }
  Lines.push_back(bmTList1{std::string(kbk), oktmo, sign, amount});
}

void kTSvodSumList6::AddPayable(std::string_view kbk, const mTDeclaration& d, Currency amount) {
  AddTo(kbk, d.Person.Address.Oktmo, "1", amount);
}

template <class List>
Currency kTSvodSumList6::RefundBySources(Currency refund, const List& sources) {
  for (std::size_t i = 0; i < sources.Count() && refund > Currency(); ++i) {
    const auto& source = sources.Get(i);
    const Currency withheld = source.TaxWithheld;
    if (withheld <= Currency()) continue;
    const Currency part = refund > withheld ? withheld : refund;
    AddTo(kKbkAgents, source.Oktmo, "2", part);
    refund -= part;
  }
  return refund;
}

bool kTSvodSumList6::Compute(const kTSvodSum& s, const mTDeclaration& d) {
  Clear();
  bool result = true;
  // Decided before any line is built: some tax is payable.
  const kTSvodSumListValues* const section2[] = {&s.List1, &s.ListKIK, &s.ListDiv, &s.List2,
                                                 &s.List3, &s.List4,   &s.List5};
  for (const kTSvodSumListValues* x : section2) {
    if (x->ПодлУпл > x->ПодлВозв) result = false;
  }

  const std::string& own = d.Person.Address.Oktmo;
  if (d.DeclarationForm == kForm3Resident) {
    Currency n = Net(s.List1);
    if (n > Currency()) {
      if (d.HasSection(kSectionBusiness)) {
        const Currency business = TaxAtRate(s.PrilV1.ДоходИт - s.PrilV1.ВычПрофИт, 13) - s.PrilV1.УплФактАвИт;
        if (business > Currency()) {
          const Currency part = Min(business, n);
          Lines.push_back(bmTList1{std::string(kKbkBusiness), own, "1", part});
          n -= part;
        }
      }
      if (n > Currency()) Lines.push_back(bmTList1{std::string(kKbkOther), own, "1", n});
    } else if (n < Currency()) {
      Currency r = -n;
      const Currency advances = d.AdvancePaymentsPaid;
      if (d.HasSection(kSectionBusiness) && d.Businesses.Count() != 0 && advances > Currency()) {
        const Currency part = Min(advances, r);
        Lines.push_back(bmTList1{std::string(kKbkBusiness), own, "2", part});
        r -= part;
      }
      r = RefundBySources(r, d.Sources13);
      r = RefundBySources(r, d.InvestSources);
      if (r > Currency()) AddTo(kKbkAgents, own, "2", r);
    }

    n = Net(s.ListDiv);
    if (n > Currency()) AddPayable(kKbkOther, d, n);
    if (n < Currency()) RefundBySources(-n, d.SourcesDividends);

    n = Net(s.ListKIK);
    if (n > Currency()) AddPayable(kKbkKik, d, n);

    n = Net(s.List4);
    if (n > Currency()) AddPayable(kKbkOther, d, n);
    if (n < Currency()) RefundBySources(-n, d.Sources9);

    n = Net(s.List3);
    if (n > Currency()) AddPayable(kKbkOther, d, n);
    if (n < Currency()) RefundBySources(-n, d.Sources35);
  } else if (d.DeclarationForm == kForm3NonResident) {
    Currency n = Net(s.List1);
    if (n > Currency()) Lines.push_back(bmTList1{std::string(kKbkOther), own, "1", n});
    if (n < Currency()) {
      Currency r = RefundBySources(-n, d.Sources13NR);
      r = RefundBySources(r, d.InvestSources);
      if (r > Currency()) AddTo(kKbkAgents, own, "2", r);
    }

    n = Net(s.List5);
    if (n > Currency()) AddPayable(kKbkOther, d, n);
    if (n < Currency()) RefundBySources(-n, d.SourcesDividends);

    n = Net(s.List2);
    if (n > Currency()) AddPayable(kKbkOther, d, n);
    if (n < Currency()) RefundBySources(-n, d.Sources13);
  }

  if (Lines.empty()) {
    const std::string_view kbk = IsBusinessCategory(d.TaxpayerCategory) ? kKbkBusiness : kKbkOther;
    Lines.push_back(bmTList1{std::string(kbk), own, "3", Currency()});
    result = false;
  }
  return result;
}

}  // namespace talver
