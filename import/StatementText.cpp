#include <cctype>
#include <functional>

#include "import/StatementParts.h"
#include "platform/Dates.h"
#include "platform/Errors.h"
#include "platform/NumberText.h"
#include "platform/Text1251.h"

namespace talver::statement {

void Fail(const std::string& source, const std::string& place, const std::string& what) {
  throw EStatement(source + ": " + place + ": " + what);
}

std::string LinePlace(std::size_t line) { return "строка " + std::to_string(line); }

namespace {

bool IsUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    std::size_t length = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsUpperLetter(char c) { return c >= 'A' && c <= 'Z'; }

}  // namespace

std::string TextAsUtf8(std::string_view text) {
  return IsUtf8(text) ? std::string(text) : Cp1251ToUtf8(text);
}

std::string_view WithoutBom(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  return text;
}

void ForEachCsvRecord(std::string_view text, char separator, const std::string& source,
                      const std::function<void(const TCsvRecord&)>& each) {
  text = WithoutBom(text);
  TCsvRecord record;
  std::string field;
  std::size_t line = 1;
  bool quoted = false;      // inside a quoted field
  bool anything = false;    // the record has some character
  std::size_t quoteLine = 0;
  const auto endRecord = [&] {
    if (anything) {
      record.Fields.push_back(std::move(field));
      each(record);
    }
    record.Fields.clear();
    field.clear();
    anything = false;
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (!anything) record.Line = line;
    if (quoted) {
      if (c == '"') {
        if (i + 1 < text.size() && text[i + 1] == '"') {
          field += '"';
          ++i;
        } else {
          quoted = false;
        }
      } else {
        if (c == '\n') ++line;
        field += c;
      }
      continue;
    }
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      endRecord();
      ++line;
      continue;
    }
    anything = true;
    if (c == '"') {
      quoted = true;
      quoteLine = line;
    } else if (c == separator) {
      record.Fields.push_back(std::move(field));
      field.clear();
    } else {
      field += c;
    }
  }
  if (quoted) Fail(source, LinePlace(quoteLine), "кавычка не закрыта до конца файла (файл обрезан?)");
  endRecord();
}

std::vector<TCsvRecord> SplitCsv(std::string_view text, char separator, const std::string& source) {
  std::vector<TCsvRecord> records;
  ForEachCsvRecord(text, separator, source, [&records](const TCsvRecord& r) { records.push_back(r); });
  return records;
}

std::vector<std::string> FirstCsvFields(std::string_view text, char separator) {
  text = WithoutBom(text);
  const std::size_t end = text.find_first_of("\r\n");
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (const char c : text.substr(0, end)) {
    if (c == '"') {
      quoted = !quoted;
    } else if (c == separator && !quoted) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  for (std::string& f : fields) f = Trim(f);
  return fields;
}

std::optional<TDate> ReadStatementDate(std::string_view text) {
  std::string t = Trim(text);
  const std::size_t cut = t.find_first_of("; T,");
  if (cut != std::string::npos) t.resize(cut);
  int year = 0, month = 0, day = 0;
  const auto number = [&t](std::size_t from, std::size_t count, int& out) {
    out = 0;
    for (std::size_t i = from; i < from + count; ++i) {
      if (!IsDigit(t[i])) return false;
      out = out * 10 + (t[i] - '0');
    }
    return true;
  };
  bool ok = false;
  if (t.size() == 10 && t[4] == '-' && t[7] == '-') {
    ok = number(0, 4, year) && number(5, 2, month) && number(8, 2, day);
  } else if (t.size() == 8) {
    ok = number(0, 4, year) && number(4, 2, month) && number(6, 2, day);
  } else if (t.size() == 10 && t[2] == '.' && t[5] == '.') {
    ok = number(0, 2, day) && number(3, 2, month) && number(6, 4, year);
  }
  if (!ok || !IsValidDate(year, month, day)) return std::nullopt;
  return EncodeDate(year, month, day);
}

std::optional<Currency> ReadStatementAmount(std::string_view text, char decimal) {
  std::string t = Trim(text);
  if (decimal == 0) decimal = t.find(',') != std::string::npos && t.find('.') == std::string::npos ? ',' : '.';
  const char grouping = decimal == '.' ? ',' : '.';
  std::string plain;
  for (std::size_t i = 0; i < t.size(); ++i) {
    const char c = t[i];
    if (c == ' ' || c == grouping || c == '\'') continue;
    if (c == '\xC2' && i + 1 < t.size() && t[i + 1] == '\xA0') {  // a no-break space in UTF-8
      ++i;
      continue;
    }
    if (c == '\xA0') continue;  // the same in windows-1251
    plain += c == decimal ? '.' : c;
  }
  // Digits only, with one point and a sign in front: no exponents, no words.
  std::size_t digits = 0, points = 0;
  for (std::size_t i = 0; i < plain.size(); ++i) {
    if (IsDigit(plain[i])) {
      ++digits;
    } else if (plain[i] == '.') {
      ++points;
    } else if (!(i == 0 && (plain[i] == '-' || plain[i] == '+'))) {
      return std::nullopt;
    }
  }
  if (digits == 0 || points > 1 || digits > 17) return std::nullopt;
  try {
    return TextToCurrency(plain, '.');
  } catch (const EConvertError&) {
    return std::nullopt;
  }
}

bool IsIsin(std::string_view text) {
  if (text.size() != 12 || !IsUpperLetter(text[0]) || !IsUpperLetter(text[1]) || !IsDigit(text[11])) return false;
  // Letters become two digits (A = 10 … Z = 35); then the Luhn sum, doubling from the right
  // of the digits before the check digit.
  std::string digits;
  for (std::size_t i = 0; i < 11; ++i) {
    const char c = text[i];
    if (IsDigit(c)) {
      digits += c;
    } else if (IsUpperLetter(c)) {
      digits += std::to_string(c - 'A' + 10);
    } else {
      return false;
    }
  }
  int sum = 0;
  bool twice = true;
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    int d = *it - '0';
    if (twice) {
      d *= 2;
      if (d > 9) d -= 9;
    }
    sum += d;
    twice = !twice;
  }
  return (10 - sum % 10) % 10 == text[11] - '0';
}

void SymbolAndIsin(std::string_view description, std::string& symbol, std::string& isin) {
  const std::string text = Trim(description);
  const std::size_t open = text.find('(');
  const std::size_t close = open == std::string::npos ? std::string::npos : text.find(')', open);
  if (open != std::string::npos && close != std::string::npos) {
    symbol = Trim(text.substr(0, open));
    const std::string inside = Trim(text.substr(open + 1, close - open - 1));
    isin = IsIsin(inside) ? inside : std::string();
    // A symbol may hold a blank ("RDS A"); words before a parenthesis that holds no ISIN are
    // the description itself.
    if (!isin.empty() || symbol.find(' ') == std::string::npos) return;
  }
  isin.clear();
  const std::size_t blank = text.find(' ');
  symbol = text.substr(0, blank);
}

}  // namespace talver::statement
