// Interactive Brokers' Flex query in XML: FlexQueryResponse / FlexStatements / FlexStatement,
// with the cash lines as CashTransaction elements (attributes type, currency, amount, dateTime,
// symbol, isin, description, levelOfDetail) and the instruments as SecurityInfo elements
// (symbol, isin, description, issuerCountryCode).
#include "import/StatementParts.h"
#include "platform/Text1251.h"
#include "platform/XmlDom.h"

namespace talver {

using namespace statement;

namespace {

class TFlexReader {
 public:
  explicit TFlexReader(const std::string& source) : source_(source) {}

  void Walk(const XmlElement& element) {
    for (const XmlElement& child : element.Children()) {
      const std::string name = child.Name();
      if (name == "CashTransaction") {
        Cash(child);
      } else if (name == "SecurityInfo") {
        Instrument(child);
      } else {
        Walk(child);
      }
    }
  }

  std::vector<TCashLine> Lines;
  std::vector<TInstrument> Instruments;

 private:
  // Attribute values come back in windows-1251; the broker writes ASCII and UTF-8 names.
  static std::string Value(const XmlElement& e, const char* name) {
    return Trim(Cp1251ToUtf8(e.Attribute(name).value_or(std::string())));
  }

  std::string Required(const XmlElement& e, const char* name, const std::string& place) const {
    const std::optional<std::string> value = e.Attribute(name);
    if (!value) Fail(source_, place, std::string("нет атрибута ") + name);
    return Trim(Cp1251ToUtf8(*value));
  }

  void Cash(const XmlElement& e) {
    ++count_;
    const std::string place = "CashTransaction " + std::to_string(count_);
    const std::string type = Value(e, "type");
    TCashLine line;
    if (type == "Dividends" || type == "Payment In Lieu Of Dividends") {
      line.Type = TCashLine::Kind::Dividend;
    } else if (type == "Withholding Tax") {
      line.Type = TCashLine::Kind::Tax;
    } else {
      return;  // deposits, interest, fees
    }
    // A summary line repeats its details.
    const std::string detail = Value(e, "levelOfDetail");
    if (!detail.empty() && detail != "DETAIL") return;
    line.Line = count_;
    line.Currency = Required(e, "currency", place);
    if (line.Currency.size() != 3) Fail(source_, place, "ожидался код валюты из трех букв, а не «" + line.Currency + "»");
    const std::string date = Required(e, "dateTime", place);
    const std::optional<TDate> day = ReadStatementDate(date);
    if (!day) Fail(source_, place, "ожидалась дата вида 20160308 или 2016-03-08, а не «" + date + "»");
    line.Date = *day;
    const std::string amount = Required(e, "amount", place);
    const std::optional<Currency> value = ReadStatementAmount(amount, '.');
    if (!value) Fail(source_, place, "ожидалась сумма числом, а не «" + amount + "»");
    line.Amount = *value;
    line.Description = Value(e, "description");
    SymbolAndIsin(line.Description, line.Symbol, line.Isin);
    if (const std::string symbol = Value(e, "symbol"); !symbol.empty()) line.Symbol = symbol;
    if (const std::string isin = Value(e, "isin"); IsIsin(isin)) line.Isin = isin;
    Lines.push_back(std::move(line));
  }

  void Instrument(const XmlElement& e) {
    const std::string isin = Value(e, "isin");
    Instruments.push_back({Value(e, "symbol"), IsIsin(isin) ? isin : std::string(), Value(e, "description"),
                           Value(e, "issuerCountryCode")});
  }

  const std::string& source_;
  std::size_t count_ = 0;
};

}  // namespace

TStatement ReadIbkrFlexXml(std::string_view bytes, const std::string& source) {
  XmlReadLimits limits;
  limits.MaxBytes = kStatementMaxBytes;
  limits.MaxDepth = kStatementMaxDepth;
  std::optional<XmlDocument> document;
  try {
    document.emplace(XmlDocument::ParseUntrusted(bytes, limits));
  } catch (const EXmlError& e) {
    throw EStatement(source + ": " + e.what());
  }
  const XmlElement root = document->DocumentElement();
  const std::string rootName = root.Name();
  if (rootName != "FlexQueryResponse" && rootName != "FlexStatements" && rootName != "FlexStatement") {
    Fail(source, "корневой элемент", "ожидался FlexQueryResponse отчета Flex, а не " + rootName);
  }
  TFlexReader reader(source);
  reader.Walk(root);
  TStatement statement;
  statement.Format = TStatementFormat::IbkrFlexXml;
  statement.Source = source;
  statement.Dividends = PairCashLines(reader.Lines, reader.Instruments, source);
  for (TStatementDividend& d : statement.Dividends) d.Records = true;
  return statement;
}

}  // namespace talver
