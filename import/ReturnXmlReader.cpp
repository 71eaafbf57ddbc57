#include <cctype>

#include "import/ReturnXml.h"
#include "import/ReturnXmlParts.h"
#include "platform/Errors.h"
#include "platform/NumberText.h"
#include "platform/Text1251.h"

namespace talver::returnxml {
namespace {

bool IsDigits(std::string_view text) {
  if (text.empty()) return false;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

std::string Quoted(std::string_view utf8) { return "«" + std::string(utf8) + "»"; }

}  // namespace

std::optional<Currency> ParseAmount(std::string_view text) {
  std::string_view digits = text;
  if (!digits.empty() && digits.front() == '-') digits.remove_prefix(1);
  const std::size_t point = digits.find('.');
  const std::string_view whole = digits.substr(0, point);
  const std::string_view fraction = point == std::string_view::npos ? std::string_view() : digits.substr(point + 1);
  if (!IsDigits(whole) || whole.size() > 14) return std::nullopt;
  if (point != std::string_view::npos && (!IsDigits(fraction) || fraction.size() > 4)) return std::nullopt;
  try {
    return TextToCurrency(text, '.');
  } catch (const EConvertError&) {
    return std::nullopt;
  }
}

TGroup GroupOf(std::int32_t k) {
  if (k == 2000 || k == 2010) return TGroup::Wages;
  if (k == 1400 || k == 2400) return TGroup::Rent;
  if (k == 1510 || k == 1511) return TGroup::Property;
  if (k == 1512 || k == 1520) return TGroup::OtherSale;
  if ((k >= 1530 && k <= 1539) || k == 1541 || (k >= 1544 && k <= 1549) || (k >= 1551 && k <= 1554) || k == 9537 ||
      k == 9538 || k == 9551 || k == 9552) {
    return TGroup::Securities;
  }
  if (k == 2220 || k == 2720 || k == 2790) return TGroup::Gifts;
  return TGroup::Other;
}

void TReader::Fail(const XmlElement& e, std::string_view name, const std::string& what) const {
  std::string where = "элемент " + Quoted(e.Name());
  if (!name.empty()) where = "атрибут " + Quoted(name) + " элемента " + Quoted(e.Name());
  throw EReturnXml("Файл поврежден: " + where + " " + what);
}

std::vector<XmlElement> TReader::Children(const XmlElement& e, std::initializer_list<std::string_view> known) {
  std::vector<XmlElement> children = e.Children();
  for (const XmlElement& child : children) {
    bool listed = false;
    for (const std::string_view name : known) listed = listed || child.Name() == name;
    if (!listed) Unread.insert(child.Name());
  }
  return children;
}

std::optional<XmlElement> TReader::Child(const XmlElement& e, std::string_view name) {
  std::optional<XmlElement> found;
  for (const XmlElement& child : e.Children()) {
    if (child.Name() != name) continue;
    if (found) Fail(child, {}, "повторяется, а может быть только один");
    found = child;
  }
  return found;
}

XmlElement TReader::RequiredChild(const XmlElement& e, std::string_view name) {
  std::optional<XmlElement> child = Child(e, name);
  if (!child) Fail(e, {}, "не содержит обязательного элемента " + Quoted(name));
  return *child;
}

std::string TReader::Text(const XmlElement& e, std::string_view name) {
  std::optional<std::string> value = e.Attribute(name);
  if (!value) Fail(e, name, "отсутствует");
  return *value;
}

std::string TReader::OptionalText(const XmlElement& e, std::string_view name) {
  return e.Attribute(name).value_or(std::string());
}

std::string TReader::OneOf(const XmlElement& e, std::string_view name, std::initializer_list<std::string_view> allowed) {
  const std::string value = Text(e, name);
  for (const std::string_view a : allowed) {
    if (value == Utf8ToCp1251(a)) return value;
  }
  Fail(e, name, "имеет недопустимое значение " + Quoted(Cp1251ToUtf8(value)));
}

Currency TReader::Amount(const XmlElement& e, std::string_view name) {
  const std::string text = Text(e, name);
  const std::optional<Currency> amount = ParseAmount(text);
  if (!amount) Fail(e, name, "содержит не сумму: " + Quoted(Cp1251ToUtf8(text)));
  return *amount;
}

Currency TReader::OptionalAmount(const XmlElement& e, std::string_view name) {
  return e.Attribute(name) ? Amount(e, name) : Currency();
}

std::int64_t TReader::Integer(const XmlElement& e, std::string_view name, std::int64_t min, std::int64_t max) {
  const std::string text = Text(e, name);
  std::string_view digits = text;
  if (!digits.empty() && digits.front() == '-') digits.remove_prefix(1);
  if (IsDigits(digits) && digits.size() <= 12) {
    const std::int64_t value = std::stoll(text);
    if (value >= min && value <= max) return value;
  }
  Fail(e, name, "содержит недопустимое число: " + Quoted(Cp1251ToUtf8(text)));
}

TDate TReader::Date(const XmlElement& e, std::string_view name) {
  const std::string text = Text(e, name);
  if (text.size() == 10 && text[2] == '.' && text[5] == '.' && IsDigits(text.substr(0, 2)) &&
      IsDigits(text.substr(3, 2)) && IsDigits(text.substr(6, 4))) {
    const int day = std::stoi(text.substr(0, 2));
    const int month = std::stoi(text.substr(3, 2));
    const int year = std::stoi(text.substr(6, 4));
    // A date never entered is written as the first day of the count.
    if (year == 1899 && month == 12 && day == 30) return 0;
    if (IsValidDate(year, month, day)) return EncodeDate(year, month, day);
  }
  Fail(e, name, "содержит не дату: " + Quoted(Cp1251ToUtf8(text)));
}

std::optional<TDate> TReader::OptionalDate(const XmlElement& e, std::string_view name) {
  if (!e.Attribute(name)) return std::nullopt;
  return Date(e, name);
}

TDate TReader::Year(const XmlElement& e, std::string_view name) {
  const std::string text = Text(e, name);
  if (text.size() == 4 && IsDigits(text)) {
    const int year = std::stoi(text);
    if (year >= 1900) return EncodeDate(year, 1, 1);
  }
  Fail(e, name, "содержит не год: " + Quoted(Cp1251ToUtf8(text)));
}

}  // namespace talver::returnxml
