#include "compute/Section1.h"

#include "compute/Inputs.h"
#include "compute/SvodSum.h"
#include "compute/Trace.h"
#include "model/DeclClasses.h"
#include "platform/Math2.h"
#include "platform/Text1251.h"

namespace talver {
namespace {

// Section 2 never has both a payable and a refundable amount: the one that is not 0 is the net.
Figure Net(const kTSvodSumListValues& x) { return x.ПодлВозв.IsZero() ? x.ПодлУпл : x.ПодлУпл - x.ПодлВозв; }
// −Net, which section 2 gives as the amount refundable.
Figure Refund(const kTSvodSumListValues& x) { return x.ПодлУпл.IsZero() ? x.ПодлВозв : x.ПодлВозв - x.ПодлУпл; }

bool IsBusinessCategory(std::uint8_t category) {
  return category == 0 || category == 1 || category == 2 || category == 3 || category == 6;
}

}  // namespace

void kTSvodSumList6::AddTo(std::string_view kbk, const std::string& oktmo, const char* sign, const Figure& amount) {
  for (bmTList1& line : Lines) {
    if (line.КБК == kbk && line.ОКТМО == oktmo) {
      line.Сумма += amount;
      return;
    }
  }
  Lines.push_back(bmTList1{std::string(kbk), oktmo, sign, amount});
}

void kTSvodSumList6::AddPayable(std::string_view kbk, const mTDeclaration& d, const Figure& amount) {
  AddTo(kbk, d.Person.Address.Oktmo, "1", amount);
}

template <class List>
Figure kTSvodSumList6::RefundBySources(Figure refund, const List& sources, int page, kTSvodSumTrace* trace) {
  for (std::size_t i = 0; i < sources.Count() && refund > Currency(); ++i) {
    const auto& source = sources.Get(i);
    if (source.TaxWithheld <= Currency()) continue;
    const Figure withheld = SourceValue(trace, source.TaxWithheld, page, InputField::SourceWithheld, i, source);
    const Figure part = Named(Min(refund, withheld), "Возврат налога, удержанного источником",
                              [&] { return SourceItem(source, i); });
    AddTo(kKbkAgents, source.Oktmo, "2", part);
    refund = Named(refund - part, "Налог к возврату, оставшийся после возврата источнику",
                   [&] { return SourceItem(source, i); });
  }
  return refund;
}

void kTSvodSumList6::NameLines(kTSvodSumTrace& trace) const {
  for (std::size_t i = 0; i < Lines.size(); ++i) {
    const bmTList1& line = Lines[i];
    const char* caption = line.ПрУплВозв == "1"   ? "Сумма налога к уплате"
                          : line.ПрУплВозв == "2" ? "Сумма налога к возврату"
                                                  : "Сумма налога к уплате или возврату";
    trace.NameFigure(line.Сумма, "List6." + std::to_string(i + 1), caption,
                     "КБК " + line.КБК + ", ОКТМО " + Cp1251ToUtf8(line.ОКТМО));
  }
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

  kTSvodSumTrace* const t = s.Tracing();
  const std::string& own = d.Person.Address.Oktmo;
  if (d.DeclarationForm == kForm3Resident) {
    Figure n = Net(s.List1);
    if (n > Currency()) {
      if (d.HasSection(kSectionBusiness)) {
        const Figure base = Named(s.PrilV1.ДоходИт - s.PrilV1.ВычПрофИт, "Доходы от предпринимательской деятельности за вычетом расходов");
        const Figure business = Named(Named(Tax(base, 13), "Налог с доходов от предпринимательской деятельности") -
                                          s.PrilV1.УплФактАвИт,
                                      "Налог с доходов от предпринимательской деятельности за вычетом авансовых платежей");
        if (business > Currency()) {
          const Figure part = Named(Min(business, n), "Налог к уплате по предпринимательской деятельности");
          Lines.push_back(bmTList1{std::string(kKbkBusiness), own, "1", part});
          n = Named(n - part, "Налог к уплате по остальным доходам");
        }
      }
      if (n > Currency()) Lines.push_back(bmTList1{std::string(kKbkOther), own, "1", n});
    } else if (n < Currency()) {
      Figure r = Refund(s.List1);
      const Figure advances = DocumentValue(t, d.AdvancePaymentsPaid, kPageBusiness, InputField::AdvancesPaid);
      if (d.HasSection(kSectionBusiness) && d.Businesses.Count() != 0 && advances > Currency()) {
        const Figure part = Min(advances, r);
        Lines.push_back(bmTList1{std::string(kKbkBusiness), own, "2", part});
        r -= part;
      }
      r = RefundBySources(r, d.Sources13, kPageSources13, t);
      r = RefundBySources(r, d.InvestSources, kPageInvestTov, t);
      if (r > Currency()) AddTo(kKbkAgents, own, "2", r);
    }

    n = Net(s.ListDiv);
    if (n > Currency()) AddPayable(kKbkOther, d, n);
    if (n < Currency()) RefundBySources(Refund(s.ListDiv), d.SourcesDividends, kPageSources30, t);

    n = Net(s.ListKIK);
    if (n > Currency()) AddPayable(kKbkKik, d, n);

    n = Net(s.List4);
    if (n > Currency()) AddPayable(kKbkOther, d, n);
    if (n < Currency()) RefundBySources(Refund(s.List4), d.Sources9, kPageSources9, t);

    n = Net(s.List3);
    if (n > Currency()) AddPayable(kKbkOther, d, n);
    if (n < Currency()) RefundBySources(Refund(s.List3), d.Sources35, kPageSources35, t);
  } else if (d.DeclarationForm == kForm3NonResident) {
    Figure n = Net(s.List1);
    if (n > Currency()) Lines.push_back(bmTList1{std::string(kKbkOther), own, "1", n});
    if (n < Currency()) {
      Figure r = RefundBySources(Refund(s.List1), d.Sources13NR, kPageSources13NR, t);
      r = RefundBySources(r, d.InvestSources, kPageInvestTov, t);
      if (r > Currency()) AddTo(kKbkAgents, own, "2", r);
    }

    n = Net(s.List5);
    if (n > Currency()) AddPayable(kKbkOther, d, n);
    if (n < Currency()) RefundBySources(Refund(s.List5), d.SourcesDividends, kPageSources30, t);

    n = Net(s.List2);
    if (n > Currency()) AddPayable(kKbkOther, d, n);
    if (n < Currency()) RefundBySources(Refund(s.List2), d.Sources13, kPageSources13, t);
  }

  if (Lines.empty()) {
    const std::string_view kbk = IsBusinessCategory(d.TaxpayerCategory) ? kKbkBusiness : kKbkOther;
    // Nothing payable and nothing refundable: the line says so with the figures that show it.
    const Figure nothing = ByRule(t, Currency(), "налог не подлежит ни уплате, ни возврату",
                                {s.List1.ПодлУпл, s.List1.ПодлВозв, s.ListDiv.ПодлУпл, s.ListDiv.ПодлВозв,
                                 s.ListKIK.ПодлУпл, s.List2.ПодлУпл, s.List2.ПодлВозв, s.List3.ПодлУпл,
                                 s.List3.ПодлВозв, s.List4.ПодлУпл, s.List4.ПодлВозв, s.List5.ПодлУпл,
                                 s.List5.ПодлВозв});
    Lines.push_back(bmTList1{std::string(kbk), own, "3", nothing});
    result = false;
  }
  return result;
}

}  // namespace talver
