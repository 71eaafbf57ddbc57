#include "cli/ModelJson.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <vector>

#include "platform/Errors.h"
#include "platform/NumberText.h"
#include "platform/Text1251.h"

namespace talver {
namespace {

using nlohmann::json;
using nlohmann::ordered_json;

std::string DateText(double date) {
  const CalendarDate d = DecodeDate(date);
  if (date == std::floor(date) && d.Year >= 1000 && EncodeDate(d.Year, d.Month, d.Day) == date) {
    return DateToText(date, '.');
  }
  return FloatToText(date, '.');
}

class Writer {
 public:
  explicit Writer(ordered_json& out) : out_(out) {}

  void Sections(const char* name, mTDeclaration& d) { out_[name] = d.Sections; }
  void Field(const char* name, std::string& v) { out_[name] = Value(v); }
  void Field(const char* name, Currency& v) { out_[name] = Value(v); }
  void Field(const char* name, std::int32_t& v) { out_[name] = v; }
  void Field(const char* name, std::uint16_t& v) { out_[name] = v; }
  void Field(const char* name, std::uint8_t& v) { out_[name] = v; }
  void Date(const char* name, double& v) { out_[name] = DateText(v); }
  template <class T, std::size_t N>
  void Array(const char* name, std::array<T, N>& values) {
    ordered_json array = ordered_json::array();
    for (T& v : values) array.push_back(Value(v));
    out_[name] = array;
  }
  void Vector(const char* name, std::vector<Currency>& values) {
    ordered_json array = ordered_json::array();
    for (Currency& v : values) array.push_back(Value(v));
    out_[name] = array;
  }
  template <class T>
  void List(const char* name, mTList<T>& list) {
    ordered_json array = ordered_json::array();
    for (std::size_t i = 0; i < list.Count(); ++i) array.push_back(Of(list.Get(i)));
    out_[name] = array;
  }
  template <class T>
  void Object(const char* name, T& object) {
    out_[name] = Of(object);
  }
  template <class Owner>
  void Entries(const char* name, Owner& owner) {
    ordered_json array = ordered_json::array();
    for (std::size_t i = 0; i < owner.EntryCount(); ++i) {
      auto entry = owner.GetEntry(i);
      array.push_back(Of(entry));
    }
    out_[name] = array;
  }
  template <class Owner>
  void Months(const char* name, Owner& owner) {
    ordered_json array = ordered_json::array();
    for (int m = 1; m <= 12; ++m) {
      const auto amount = owner.MonthAmountOf(m);
      array.push_back(amount ? ordered_json(CurrencyToText(*amount)) : ordered_json(nullptr));
    }
    out_[name] = array;
  }

  template <class T>
  static ordered_json Of(T& object) {
    ordered_json out = ordered_json::object();
    Writer w(out);
    object.VisitFields(w);
    return out;
  }

 private:
  static ordered_json Value(const std::string& v) { return Cp1251ToUtf8(v); }
  static ordered_json Value(const Currency& v) { return CurrencyToText(v); }
  template <class T>
  static ordered_json Value(const T& v) {
    return v;
  }

  ordered_json& out_;
};

class Reader {
 public:
  Reader(const json& in, std::string path) : in_(in), path_(std::move(path)) {
    if (!in_.is_object()) Fail(path_.empty() ? "документ" : path_, "ожидается объект");
  }

  void Sections(const char* name, mTDeclaration& d) {
    Take(name, [&](const json& v, const std::string& key) {
      const auto bits = static_cast<std::uint8_t>(Integer(v, key, 0, 0x1F));
      d.SetSections(bits);
    });
  }
  void Field(const char* name, std::string& v) {
    Take(name, [&](const json& j, const std::string& key) { v = Text(j, key); });
  }
  void Field(const char* name, Currency& v) {
    Take(name, [&](const json& j, const std::string& key) { v = Amount(j, key); });
  }
  void Field(const char* name, std::int32_t& v) {
    Take(name, [&](const json& j, const std::string& key) {
      v = static_cast<std::int32_t>(Integer(j, key, std::numeric_limits<std::int32_t>::min(),
                                            std::numeric_limits<std::int32_t>::max()));
    });
  }
  void Field(const char* name, std::uint16_t& v) {
    Take(name, [&](const json& j, const std::string& key) { v = static_cast<std::uint16_t>(Integer(j, key, 0, 65535)); });
  }
  void Field(const char* name, std::uint8_t& v) {
    Take(name, [&](const json& j, const std::string& key) { v = static_cast<std::uint8_t>(Integer(j, key, 0, 255)); });
  }
  void Date(const char* name, double& v) {
    Take(name, [&](const json& j, const std::string& key) { v = DateValue(j, key); });
  }
  template <class T, std::size_t N>
  void Array(const char* name, std::array<T, N>& values) {
    Take(name, [&](const json& j, const std::string& key) {
      if (!j.is_array() || j.size() != N) Fail(key, "ожидается массив из " + std::to_string(N) + " значений");
      for (std::size_t i = 0; i < N; ++i) Element(j[i], key + "[" + std::to_string(i) + "]", values[i]);
    });
  }
  void Vector(const char* name, std::vector<Currency>& values) {
    Take(name, [&](const json& j, const std::string& key) {
      if (!j.is_array()) Fail(key, "ожидается массив");
      values.clear();
      for (std::size_t i = 0; i < j.size(); ++i) values.push_back(Amount(j[i], key + "[" + std::to_string(i) + "]"));
    });
  }
  template <class T>
  void List(const char* name, mTList<T>& list) {
    Take(name, [&](const json& j, const std::string& key) {
      if (!j.is_array()) Fail(key, "ожидается массив");
      list.Clear();
      for (std::size_t i = 0; i < j.size(); ++i) Fill(j[i], key + "[" + std::to_string(i) + "]", list.Get(list.Add()));
    });
  }
  template <class T>
  void Object(const char* name, T& object) {
    Take(name, [&](const json& j, const std::string& key) { Fill(j, key, object); });
  }
  template <class Owner>
  void Entries(const char* name, Owner& owner) {
    Take(name, [&](const json& j, const std::string& key) {
      if (!j.is_array()) Fail(key, "ожидается массив");
      owner.ClearEntries();
      for (std::size_t i = 0; i < j.size(); ++i) {
        std::decay_t<decltype(owner.GetEntry(0))> entry;
        Fill(j[i], key + "[" + std::to_string(i) + "]", entry);
        owner.AddEntry(entry);
      }
    });
  }
  template <class Owner>
  void Months(const char* name, Owner& owner) {
    Take(name, [&](const json& j, const std::string& key) {
      if (!j.is_array() || j.size() != 12) Fail(key, "ожидается массив из 12 значений");
      for (int m = 1; m <= 12; ++m) {
        const json& month = j[static_cast<std::size_t>(m - 1)];
        const std::string monthKey = key + "[" + std::to_string(m - 1) + "]";
        const Currency amount = month.is_null() ? Currency::FromRoubles(-1) : Amount(month, monthKey);
        // The file keeps an absent month as −1 rouble: that amount given would come back absent.
        if (!month.is_null() && amount == Currency::FromRoubles(-1)) {
          Fail(monthKey, "сумма -1 не сохраняется в файле декларации (так записан месяц без суммы); для такого месяца укажите null");
        }
        owner.SetMonthAmount(m, amount);
      }
    });
  }

  // Every key of the object must be a field of the model.
  void Finish() const {
    for (auto it = in_.begin(); it != in_.end(); ++it) {
      if (!seen_.count(it.key())) Fail(Key(it.key().c_str()), "такого поля нет");
    }
  }

  template <class T>
  static void Fill(const json& in, const std::string& path, T& object) {
    Reader r(in, path);
    object.VisitFields(r);
    r.Finish();
  }

  [[noreturn]] static void Fail(const std::string& key, const std::string& what) {
    throw JsonModelError("Поле «" + key + "»: " + what);
  }

 private:
  std::string Key(const char* name) const { return path_.empty() ? name : path_ + "." + name; }

  template <class F>
  void Take(const char* name, F&& read) {
    const auto it = in_.find(name);
    if (it == in_.end()) return;
    seen_.insert(name);
    read(*it, Key(name));
  }

  static void Element(const json& j, const std::string& key, Currency& v) { v = Amount(j, key); }
  static void Element(const json& j, const std::string& key, std::int32_t& v) {
    v = static_cast<std::int32_t>(
        Integer(j, key, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
  }
  static void Element(const json& j, const std::string& key, std::uint8_t& v) {
    v = static_cast<std::uint8_t>(Integer(j, key, 0, 255));
  }

  static std::int64_t Integer(const json& j, const std::string& key, std::int64_t min, std::int64_t max) {
    if (!j.is_number_integer()) Fail(key, "ожидается целое число");
    const auto value = j.get<std::int64_t>();
    if (j.is_number_unsigned() && j.get<std::uint64_t>() > static_cast<std::uint64_t>(max)) Fail(key, "число вне допустимых пределов");
    if (value < min || value > max) Fail(key, "число вне допустимых пределов");
    return value;
  }

  static std::string Text(const json& j, const std::string& key) {
    if (!j.is_string()) Fail(key, "ожидается строка");
    const auto& utf8 = j.get_ref<const std::string&>();
    std::string text = Utf8ToCp1251(utf8);
    if (Cp1251ToUtf8(text) != utf8) Fail(key, "текст содержит символы, которых нет в кодировке windows-1251");
    if (text.size() > 9999) Fail(key, "текст длиннее 9999 символов");
    return text;
  }

  static Currency Amount(const json& j, const std::string& key) {
    if (j.is_number_integer()) {
      const auto roubles = j.get<std::int64_t>();
      if (roubles > 900000000000000 || roubles < -900000000000000) Fail(key, "сумма вне допустимых пределов");
      return Currency::FromRoubles(roubles);
    }
    if (!j.is_string()) Fail(key, "ожидается сумма в виде строки, например \"1234.56\"");
    try {
      return TextToCurrency(j.get_ref<const std::string&>(), '.');
    } catch (const EConvertError&) {
      Fail(key, "неверная сумма \"" + j.get<std::string>() + "\"");
    }
  }

  static double DateValue(const json& j, const std::string& key) {
    if (!j.is_string()) Fail(key, "ожидается дата в виде строки ДД.ММ.ГГГГ");
    const auto& text = j.get_ref<const std::string&>();
    try {
      if (text.find('.') != std::string::npos && text.find('.') != text.rfind('.')) return TextToDate(text, '.');
      return TextToFloat(text, '.');
    } catch (const EConvertError&) {
      Fail(key, "неверная дата \"" + text + "\"");
    }
  }

  const json& in_;
  std::string path_;
  std::set<std::string> seen_;
};

// The first key at which two dumps differ, with its path.
std::string FirstDifference(const ordered_json& a, const ordered_json& b, const std::string& path) {
  if (a.is_object() && b.is_object()) {
    for (auto it = a.begin(); it != a.end(); ++it) {
      const std::string key = path.empty() ? it.key() : path + "." + it.key();
      if (!b.contains(it.key())) return key;
      std::string inner = FirstDifference(*it, b[it.key()], key);
      if (!inner.empty()) return inner;
    }
    return {};
  }
  if (a.is_array() && b.is_array()) {
    for (std::size_t i = 0; i < a.size(); ++i) {
      const std::string key = path + "[" + std::to_string(i) + "]";
      if (i >= b.size()) return key;
      std::string inner = FirstDifference(a[i], b[i], key);
      if (!inner.empty()) return inner;
    }
    return a.size() == b.size() ? std::string() : path + "[" + std::to_string(a.size()) + "]";
  }
  return a == b ? std::string() : (path.empty() ? std::string("документ") : path);
}

// Builds the document from the parser's events, refusing while it reads what the reader could
// not take afterwards. Where it stands is a key path like the reader's ("Sources13[0].Name").
class DocumentBuilder {
 public:
  explicit DocumentBuilder(json& root) : root_(root) {}

  bool null() { return Put(nullptr) != nullptr; }
  bool boolean(bool value) { return Put(value) != nullptr; }
  bool number_integer(json::number_integer_t value) { return Put(value) != nullptr; }
  bool number_unsigned(json::number_unsigned_t value) { return Put(value) != nullptr; }
  bool number_float(json::number_float_t value, const std::string&) { return Put(value) != nullptr; }
  bool string(std::string& value) { return Put(std::move(value)) != nullptr; }
  bool binary(json::binary_t& value) { return Put(json::binary(std::move(value))) != nullptr; }
  bool start_object(std::size_t) { return Open(json::object()); }
  bool start_array(std::size_t) { return Open(json::array()); }
  bool end_object() { return Close(); }
  bool end_array() { return Close(); }
  bool key(std::string& name) {
    Frame& frame = frames_.back();
    frame.key = name;
    if (!frame.keys.insert(name).second) Reader::Fail(Path(), "поле указано дважды");
    return true;
  }
  bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception& error) {
    // A number a double cannot hold is the parser's only range error.
    if (error.id == 406) throw JsonModelError("Неправильный JSON: число " + Token(error.what()) + " вне допустимых пределов");
    position_ = position;
    return false;
  }

  std::size_t ErrorPosition() const { return position_; }

 private:
  // The model nests objects and lists five deep; a document nested far deeper is no declaration.
  static constexpr std::size_t kMaxDepth = 16;

  struct Frame {
    json* node;
    std::size_t count;  // elements of a list so far
    std::string key;    // the key of an object being read
    std::set<std::string> keys;
  };

  json* Put(json value) {
    if (frames_.empty()) {
      root_ = std::move(value);
      return &root_;
    }
    Frame& frame = frames_.back();
    if (frame.node->is_array()) {
      if (++frame.count > kMaxJsonList) {
        // The list is named, not its element.
        Reader::Fail(Path(frames_.size() - 1), "список длиннее " + std::to_string(kMaxJsonList) +
                                                   " элементов, больше файл декларации не хранит");
      }
      frame.node->push_back(std::move(value));
      return &frame.node->back();
    }
    json& slot = (*frame.node)[frame.key];
    slot = std::move(value);
    return &slot;
  }

  bool Open(json container) {
    if (frames_.size() >= kMaxDepth) Reader::Fail(Path(), "слишком глубокая вложенность");
    json* node = Put(std::move(container));
    frames_.push_back({node, 0, {}, {}});
    return true;
  }

  bool Close() {
    frames_.pop_back();
    return true;
  }

  // The path of the value being read, or of the container `levels` frames down.
  std::string Path(std::size_t levels = std::string::npos) const {
    std::string path;
    const std::size_t end = std::min(levels, frames_.size());
    for (std::size_t i = 0; i < end; ++i) {
      const Frame& frame = frames_[i];
      if (frame.node->is_array()) {
        path += "[" + std::to_string(frame.count == 0 ? 0 : frame.count - 1) + "]";
      } else {
        path += path.empty() ? frame.key : "." + frame.key;
      }
    }
    return path.empty() ? std::string("документ") : path;
  }

  // The text the parser quotes in its message: '1e400'.
  static std::string Token(const std::string& what) {
    const std::size_t open = what.find('\'');
    const std::size_t close = what.rfind('\'');
    return open < close ? what.substr(open + 1, close - open - 1) : std::string();
  }

  json& root_;
  std::vector<Frame> frames_;
  std::size_t position_ = 0;
};

// Line and column of a byte offset, for a person looking at the text.
std::string Place(std::string_view text, std::size_t offset) {
  std::size_t line = 1;
  std::size_t column = 1;
  for (std::size_t i = 0; i + 1 < offset && i < text.size(); ++i) {
    if (text[i] == '\n') {
      ++line;
      column = 1;
    } else {
      ++column;
    }
  }
  return "строка " + std::to_string(line) + ", символ " + std::to_string(column);
}

}  // namespace

ordered_json DeclarationToJson(mTDeclaration& declaration) { return Writer::Of(declaration); }

void DeclarationFromJson(const json& in, mTDeclaration& declaration) {
  Reader::Fill(in, "", declaration);
  // What the file would not keep (a list of a section left off, amounts of a deduction not
  // granted) is refused rather than dropped without a word.
  const ordered_json built = DeclarationToJson(declaration);
  mTDeclaration reloaded;
  try {
    const std::string bytes = declaration.SaveToBytes();
    reloaded.LoadFromBytes(bytes.data(), bytes.size());
  } catch (const mEPrivBase& e) {
    Reader::Fail("документ", std::string("не сохраняется в файле декларации: ") + e.what());
  }
  const std::string difference = FirstDifference(built, DeclarationToJson(reloaded), "");
  if (!difference.empty()) Reader::Fail(difference, "значение не сохраняется в файле декларации при этих «Sections» и отметках");
}

void ReadDeclarationJson(std::string_view text, mTDeclaration& declaration) {
  json document;
  DocumentBuilder builder(document);
  if (!json::sax_parse(text, &builder)) {
    throw JsonModelError("Неправильный JSON: ошибка разбора (" + Place(text, builder.ErrorPosition()) + ")");
  }
  DeclarationFromJson(document, declaration);
}

}  // namespace talver
