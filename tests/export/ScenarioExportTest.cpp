// The worked returns of the computation, exported: every section 1 line and section 2 value,
// and the sheet values the fixtures give, read back from the XML.
#include <gtest/gtest.h>

#include <map>

#include "platform/NumberText.h"
#include "tests/export/ExportTestSupport.h"
#include "tests/scenarios/Scenarios.h"

namespace talver {
namespace testing {
void PrintTo(const Scenario& scenario, std::ostream* os) { *os << scenario.Name; }
}  // namespace testing
namespace {

using testing::Attr;
using testing::ChildrenNamed;

Currency Amount(const std::optional<std::string>& text) {
  if (!text) throw std::runtime_error("attribute missing");
  return TextToCurrency(*text, '.');
}

// Amounts with kopecks cannot be negative in the file.
bool SameAmount(Currency written, Currency expected) {
  return written == expected || (expected < Currency() && written.IsZero());
}

// The first element of the subtree (itself included, in document order) that is named `name`,
// or any when `name` is empty, and carries `attribute`.
std::optional<XmlElement> FindCarrying(const XmlElement& from, const std::string& name, const std::string& attribute,
                                       bool named = false) {
  if ((name.empty() || named || from.Name() == name) && from.Attribute(attribute)) return from;
  for (const XmlElement& child : from.Children()) {
    if (auto found = FindCarrying(child, name, attribute, named || (!name.empty() && from.Name() == name))) return found;
  }
  return std::nullopt;
}

// The sheet element a component's values are written under; none for the components whose
// values have no attribute of their own (sheets А and Б give theirs through the sources).
std::optional<XmlElement> SheetOf(const XmlElement& body, const std::string& component) {
  static const std::map<std::string, std::pair<std::string, std::pair<std::string, std::string>>> sheets = {
      {"PrilE1", {"ВычСтандСоц", {}}},       {"PrilE2", {"ВычСтандСоц", {}}},
      {"PrilE3", {"ВычСоцИнв219", {}}},      {"PrilZ", {"ИмущНалВычНов", {}}},
      {"PrilH1", {"ИмущНалВычПр", {}}},      {"PrilV1", {"ДоходПредпр", {}}},
      {"PrilM", {"ДоходОсвПрев", {}}},       {"PrilI", {"ДохИвестТов", {}}},
      {"PrilG", {"ПрофНалВыч", {"ПрИст", "1"}}}, {"PrilG_In", {"ПрофНалВыч", {"ПрИст", "2"}}},
      {"PrilJ", {"ДохОперЦБ", {"ВидОпер", "2"}}}, {"PrilJ_IIS", {"ДохОперЦБ", {"ВидОпер", "1"}}},
  };
  const auto it = sheets.find(component);
  if (it == sheets.end()) return std::nullopt;
  const auto& [element, key] = it->second;
  for (const XmlElement& e : ChildrenNamed(body, element)) {
    if (key.first.empty() || Attr(e, key.first) == key.second) return e;
  }
  return std::nullopt;
}

class ScenarioExportTest : public ::testing::TestWithParam<testing::Scenario> {};

TEST_P(ScenarioExportTest, FileCarriesTheComputedValues) {
  const testing::Scenario& scenario = GetParam();
  SCOPED_TRACE(scenario.Covers);
  std::unique_ptr<mTDeclaration> d = scenario.Build();
  const XmlDocument document = XmlDocument::Parse(testing::ExportText(*d));
  const XmlElement body = testing::Body3(document);

  const std::vector<XmlElement> lines = ChildrenNamed(body, "СумНалПу");
  ASSERT_EQ(lines.size(), scenario.Section1.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    SCOPED_TRACE("section 1 line " + std::to_string(i + 1));
    const testing::ExpectedLine& want = scenario.Section1[i];
    EXPECT_EQ(Attr(lines[i], "КБК"), want.КБК);
    EXPECT_EQ(Attr(lines[i], "ОКТМО"), want.ОКТМО);
    EXPECT_EQ(Attr(lines[i], "ПрУплВозв"), want.ПрУплВозв);
    EXPECT_EQ(Amount(Attr(lines[i], "ПодлУпл")), want.ПрУплВозв == "1" ? want.Сумма : Currency());
    EXPECT_EQ(Amount(Attr(lines[i], "ПодлВозв")), want.ПрУплВозв == "2" ? want.Сумма : Currency());
  }

  // Each block by its rate and kind; every attribute as listed, or zero.
  std::map<std::pair<std::string, std::string>, XmlElement> blocks;
  for (const XmlElement& base : ChildrenNamed(body, "НалБаза")) {
    const bool added = blocks.emplace(std::make_pair(*Attr(base, "Ставка"), *Attr(base, "ВидДоход")), base).second;
    EXPECT_TRUE(added) << "two blocks of one rate and kind";
  }
  std::size_t expectedBlocks = 0;
  for (const testing::ExpectedSection2& want : scenario.Section2) {
    SCOPED_TRACE(want.Component);
    std::map<std::string, Currency> values(want.Values.begin(), want.Values.end());
    Currency counted;
    for (const auto& [name, amount] : values) {
      if (name != "ИсчислУпл" && name != "ПодлУпл" && name != "ПодлВозв") counted += amount;
    }
    const auto it = blocks.find({want.Ставка, want.ВидДоход});
    if (counted <= Currency()) {
      EXPECT_TRUE(it == blocks.end() || (want.Component == "List1" && blocks.size() == 1));
      continue;
    }
    ++expectedBlocks;
    ASSERT_NE(it, blocks.end());
    std::size_t seen = 0;
    for (const char* part : {"РасчНалБаза", "РасчНалПУ"}) {
      const std::optional<XmlElement> e = it->second.FirstChild(part);
      ASSERT_TRUE(e);
      for (const char* name :
           {"ДоходОбщ", "ДоходОбщНеНал", "ДоходОбщНал", "СумНалВыч", "СумРасхУм", "СумДохДивКИК", "НалБаза", "Исчисл",
            "УдержОбщ", "УдержОбщМВ", "ТСУплПерЗач", "УплАвФакт", "ОбщАвУплЗач227.1", "УплИнПодлЗач", "ИсчислУпл",
            "УплПатентЗач", "ПодлУпл", "ПодлВозв"}) {
        const std::optional<std::string> text = Attr(*e, name);
        if (!text) continue;
        ++seen;
        const Currency wanted = values.count(name) ? values.at(name) : Currency();
        EXPECT_TRUE(SameAmount(Amount(text), wanted)) << name << " = " << *text;
      }
    }
    EXPECT_EQ(seen, 18u);
  }
  EXPECT_EQ(blocks.size(), std::max<std::size_t>(expectedBlocks, 1));

  for (const testing::ExpectedValue& v : scenario.Sheets) {
    const bool exported = !v.Attribute.empty() && static_cast<unsigned char>(v.Attribute[0]) >= 0x80;
    if (!exported) continue;  // a working value, not an attribute of the file
    SCOPED_TRACE(v.Component + " " + v.Element + " " + v.Attribute);
    const std::optional<XmlElement> sheet = SheetOf(body, v.Component);
    const std::optional<XmlElement> e = sheet ? FindCarrying(*sheet, v.Element, v.Attribute) : std::nullopt;
    if (!e) {
      EXPECT_TRUE(v.Amount.IsZero()) << "not in the file";
      continue;
    }
    EXPECT_TRUE(SameAmount(Amount(Attr(*e, v.Attribute)), v.Amount)) << *Attr(*e, v.Attribute);
  }
}

INSTANTIATE_TEST_SUITE_P(WorkedReturns, ScenarioExportTest, ::testing::ValuesIn(testing::Scenarios()),
                         [](const ::testing::TestParamInfo<testing::Scenario>& param) { return param.param.Name; });

}  // namespace
}  // namespace talver
