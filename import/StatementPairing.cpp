#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "import/StatementParts.h"
#include "platform/Text1251.h"

namespace talver::statement {
namespace {

std::string Upper(std::string_view text) {
  std::string out;
  bool blank = false;
  for (const char c : Trim(text)) {
    if (c == ' ' || c == '\t') {
      blank = true;
      continue;
    }
    if (blank && !out.empty()) out += ' ';
    blank = false;
    out += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  }
  return out;
}

bool EndsWith(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

// The text a dividend, its reversal, its tax and the tax's refund share: the description without
// " - Reversal", without the tax's " - US Tax" and without the kind of income in parentheses at
// the end ("(Ordinary Dividend)").
std::string PairingText(std::string_view description) {
  std::string text = Upper(description);
  for (bool again = true; again;) {
    again = false;
    if (EndsWith(text, " - REVERSAL")) {
      text.resize(text.size() - 11);
      again = true;
    }
    const std::size_t dash = text.rfind(" - ");
    if (dash != std::string::npos && EndsWith(text, " TAX")) {
      text.resize(dash);
      again = true;
    }
    if (!text.empty() && text.back() == ')') {
      const std::size_t open = text.rfind('(');
      // Not the parenthesis of the ISIN right after the symbol.
      if (open != std::string::npos && text.find(' ') != std::string::npos && text.find(' ') < open) {
        text.resize(open);
        text = Trim(text);
        again = true;
      }
    }
  }
  return text;
}

struct TPart {
  std::string Text;
  std::vector<std::size_t> Dividends;  // indexes into the lines
  std::vector<std::size_t> Taxes;
};

struct TGroup {
  std::string Key;     // the instrument
  double Day = 0;
  std::string Currency;
  std::vector<TPart> Parts;
};

TStatementDividend Made(const TGroup& group, const TPart& part, const std::vector<TCashLine>& lines,
                        const std::string& source) {
  TStatementDividend d;
  d.Source = source;
  d.Currency = group.Currency;
  d.Date = d.TaxDate = group.Day;
  Currency taxes;
  for (const std::size_t i : part.Dividends) {
    d.Amount += lines[i].Amount;
    d.Lines.push_back(lines[i].Line);
    if (d.Description.empty() && lines[i].Amount > Currency()) d.Description = lines[i].Description;
  }
  for (const std::size_t i : part.Taxes) {
    taxes += lines[i].Amount;
    d.Lines.push_back(lines[i].Line);
  }
  d.Tax = -taxes;
  const TCashLine& first = lines[!part.Dividends.empty() ? part.Dividends.front() : part.Taxes.front()];
  d.Symbol = first.Symbol;
  if (d.Description.empty()) d.Description = first.Description;
  std::sort(d.Lines.begin(), d.Lines.end());

  if (part.Dividends.empty()) {
    if (d.Tax.IsZero()) {
      d.Cancelled = true;  // withheld and refunded whole
    } else {
      d.Problem = group.Parts.size() > 1
                      ? "налог не удается отнести ни к одному из дивидендов этого выпуска и дня"
                      : "налог без дивиденда того же выпуска и дня";
    }
  } else if (d.Amount < Currency()) {
    d.Problem = "отмена без дивиденда того же выпуска и дня, который она отменяет";
  } else if (d.Amount.IsZero()) {
    if (d.Tax.IsZero()) {
      d.Cancelled = true;  // reversed whole, or a dividend of nothing
    } else {
      d.Problem = "налог с дивиденда, отмененного целиком";
    }
  } else if (d.Tax < Currency()) {
    d.Problem = "возвращено налога больше, чем удержано";
  } else if (d.Tax > d.Amount) {
    d.Problem = "налог больше дивиденда";
  }
  return d;
}

}  // namespace

std::vector<TStatementDividend> PairCashLines(const std::vector<TCashLine>& lines,
                                              const std::vector<TInstrument>& instruments, const std::string& source) {
  // A line without an ISIN takes the one its symbol has elsewhere in the statement.
  std::map<std::string, std::string> isinOf;
  for (const TInstrument& i : instruments) {
    if (!i.Isin.empty() && !i.Symbol.empty()) isinOf.emplace(Upper(i.Symbol), i.Isin);
  }
  for (const TCashLine& l : lines) {
    if (!l.Isin.empty() && !l.Symbol.empty()) isinOf.emplace(Upper(l.Symbol), l.Isin);
  }
  const auto keyOf = [&isinOf](const TCashLine& l) {
    if (!l.Isin.empty()) return l.Isin;
    const auto found = isinOf.find(Upper(l.Symbol));
    return found != isinOf.end() ? found->second : "symbol " + Upper(l.Symbol);
  };

  std::vector<TGroup> groups;
  std::map<std::tuple<std::string, double, std::string>, std::size_t> groupOf;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const TCashLine& l = lines[i];
    const std::string key = keyOf(l);
    const double day = std::floor(l.Date);
    const auto [at, added] = groupOf.try_emplace({key, day, l.Currency}, groups.size());
    if (added) groups.push_back({key, day, l.Currency, {}});
    TGroup& g = groups[at->second];
    const std::string text = PairingText(l.Description);
    TPart* part = nullptr;
    for (TPart& p : g.Parts) {
      if (p.Text == text) part = &p;
    }
    if (part == nullptr) {
      g.Parts.push_back({text, {}, {}});
      part = &g.Parts.back();
    }
    (l.Type == TCashLine::Kind::Dividend ? part->Dividends : part->Taxes).push_back(i);
  }

  // A tax whose text matches no dividend goes to the only dividend of its instrument and day.
  for (TGroup& g : groups) {
    std::size_t withDividends = 0;
    TPart* only = nullptr;
    for (TPart& p : g.Parts) {
      if (!p.Dividends.empty()) {
        ++withDividends;
        only = &p;
      }
    }
    if (withDividends != 1) continue;
    for (TPart& p : g.Parts) {
      if (&p == only || !p.Dividends.empty()) continue;
      only->Taxes.insert(only->Taxes.end(), p.Taxes.begin(), p.Taxes.end());
      p.Taxes.clear();
    }
    std::erase_if(g.Parts, [](const TPart& p) { return p.Dividends.empty() && p.Taxes.empty(); });
    std::sort(only->Taxes.begin(), only->Taxes.end());
  }

  std::map<std::string, const TInstrument*> instrumentOf;
  for (const TInstrument& i : instruments) {
    if (!i.Isin.empty()) instrumentOf.emplace(i.Isin, &i);
    if (!i.Symbol.empty()) instrumentOf.emplace("symbol " + Upper(i.Symbol), &i);
  }
  std::vector<TStatementDividend> dividends;
  for (const TGroup& g : groups) {
    for (const TPart& p : g.Parts) {
      TStatementDividend d = Made(g, p, lines, source);
      d.Isin = g.Key.rfind("symbol ", 0) == 0 ? std::string() : g.Key;
      auto found = instrumentOf.find(g.Key);
      if (found == instrumentOf.end()) found = instrumentOf.find("symbol " + Upper(d.Symbol));
      if (found != instrumentOf.end()) {
        d.Name = found->second->Name;
        d.Country = found->second->Country;
      }
      dividends.push_back(std::move(d));
    }
  }
  return dividends;
}

}  // namespace talver::statement
