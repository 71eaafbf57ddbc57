// Sheets З and И of the body, from summaries filled by hand.
#include <gtest/gtest.h>

#include "tests/export/ExportTestSupport.h"
#include "tests/scenarios/DeclarationBuilders.h"

namespace talver::testing {
namespace {

std::vector<XmlElement> Body(const XmlDocument& document, std::string_view name) {
  return ChildrenNamed(Body3(document), name);
}

// Every value of the component set, each to a different amount.
void FillAll(kTSvodSumPrilJ& j) {
  std::int64_t next = 1;
  const auto set = [&next](Currency& c) { c = Rub(next++); };
  for (Currency* c : {&j.ДохОперЦБОрг.ДохСовОпер, &j.ДохОперЦБОрг.РасхРеалЦБ, &j.ДохОперЦБОрг.УбытРЕПОУмДох,
                      &j.ДохОперЦБОрг.УбытЗаймУмДох, &j.ДохОперЦБОрг.ПроцРасх, &j.ДохОперЦБОрг.РасхУмДохРеалЦБ,
                      &j.ДохОперЦБОрг.НалБазаОпер, &j.ДохОперЦБОрг.УбытРезОпер, &j.ДохОперЦБОрг.УбытУмНБ_4_10,
                      &j.ДохОперЦБОрг.УбытПрПерУмНБ, &j.ДохОперЦБОрг.ДоходОбл, &j.ДохОперЦБОрг.УбытУч_2_3,
                      &j.ДохОперЦБОрг.УбытУч_4_6, &j.ДохОперЦБОрг.УбытУмНББуд}) {
    set(*c);
  }
  for (Currency* c : {&j.ДохОперЦБОргНеОрг.ДохСовОпер, &j.ДохОперЦБОргНеОрг.РасхРеалЦБ,
                      &j.ДохОперЦБОргНеОрг.УбытУмФР_1_12, &j.ДохОперЦБОргНеОрг.ДоходОбл}) {
    set(*c);
  }
  for (Currency* c : {&j.ДохОперЦБНеОрг.ДохСовОпер, &j.ДохОперЦБНеОрг.РасхРеалЦБ, &j.ДохОперЦБНеОрг.УбытРЕПОУмДох,
                      &j.ДохОперЦБНеОрг.УбытЗаймУмДох, &j.ДохОперЦБНеОрг.ПроцРасх, &j.ДохОперЦБНеОрг.УбытВыхИТ,
                      &j.ДохОперЦБНеОрг.РасхУмДохРеалЦБ, &j.ДохОперЦБНеОрг.ДоходОбл}) {
    set(*c);
  }
  for (Currency* c : {&j.ДохПФИОргЦБ.ДохСовОпер, &j.ДохПФИОргЦБ.РасхРеалПФИ, &j.ДохПФИОргЦБ.НалБазаОпер,
                      &j.ДохПФИОргЦБ.УбытРезОпер, &j.ДохПФИОргЦБ.УбытПрПерУмНБ, &j.ДохПФИОргЦБ.УбытУмНБ_1_13,
                      &j.ДохПФИОргЦБ.УбытУмНБ_5_8, &j.ДохПФИОргЦБ.ДоходОбл, &j.ДохПФИОргЦБ.УбытУмНБ_5_6,
                      &j.ДохПФИОргЦБ.УбытУмНБ_1_9, &j.ДохПФИОргЦБ.УбытУмНББуд}) {
    set(*c);
  }
  for (Currency* c : {&j.ДохПФИОргНеЦБ.ДохСовОпер, &j.ДохПФИОргНеЦБ.РасхРеалПФИ, &j.ДохПФИОргНеЦБ.НалБазаОпер,
                      &j.ДохПФИОргНеЦБ.УбытРезОпер, &j.ДохПФИОргНеЦБ.УбытПрПерУмНБ, &j.ДохПФИОргНеЦБ.УбытУмНБ_4_9,
                      &j.ДохПФИОргНеЦБ.ДоходОбл, &j.ДохПФИОргНеЦБ.УбытУмНБ_4_7, &j.ДохПФИОргНеЦБ.УбытУмНББуд}) {
    set(*c);
  }
  for (Currency* c : {&j.ДохПФИНеОрг.ДохСовОпер, &j.ДохПФИНеОрг.РасхРеалПФИ, &j.ДохПФИНеОрг.ДоходОбл,
                      &j.ДохРЕПО.ДохЗаймРЕПО, &j.ДохРЕПО.РасхЗаймРЕПО, &j.ДохРЕПО.ДоходОбл, &j.ДохРЕПО.УбытРезОпер,
                      &j.ДохРЕПО.УбытРЕПООбр, &j.ДохРЕПО.УбытРЕПОНеОбр, &j.ДохЗаймЦБ.ДохДогЗайм,
                      &j.ДохЗаймЦБ.РасхДогЗайм, &j.ДохЗаймЦБ.ДоходОбл, &j.ДохЗаймЦБ.УбытРезОпер,
                      &j.ДохЗаймЦБ.УбытЗаймЦБОбр, &j.ДохЗаймЦБ.УбытЗаймЦБНеОбр, &j.ОстУбытНачВс.СуммаЦБ,
                      &j.ОстУбытНачВс.СуммаПФИ, &j.НалБазаПер.СуммаЦБ, &j.НалБазаПер.СуммаПФИ,
                      &j.СумУмНБПер.СуммаЦБ, &j.СумУмНБПер.СуммаПФИ, &j.ОстУбытКонВс.СуммаЦБ,
                      &j.ОстУбытКонВс.СуммаПФИ, &j.УбытПрхПер.УбытОперЦБОбр, &j.УбытПрхПер.УбытОперПФИОбр,
                      &j.ОбщДохСовОпер, &j.ОбщДоходОбл, &j.ОбщРасхПрмВыч}) {
    set(*c);
  }
}

// The attribute names of the `occurrence`-th element of that name, in order.
std::vector<std::string> Names(const std::string& text, const char* element, std::size_t occurrence = 0) {
  return AttributeOrder(text, element, occurrence);
}

TEST(SheetZTest, EveryElementAndAttributeInOrder) {
  auto d = NewDeclaration();
  d->SecuritiesLosses.SecuritiesLoss[2] = Rub(100);  // 2006
  kTSvodSum s;
  FillAll(s.PrilJ);
  const XmlDocument document = BuildWith(*d, s);
  const std::string text = document.Serialize();
  const std::vector<XmlElement> blocks = Body(document, "ДохОперЦБ");
  ASSERT_EQ(blocks.size(), 1u);
  EXPECT_EQ(Attr(blocks[0], "ВидОпер"), "2");
  EXPECT_EQ(ChildNames(blocks[0]),
            (std::vector<std::string>{"ДохОперЦБОрг", "ДохОперЦБОргНеОрг", "ДохОперЦБНеОрг", "ДохПФИОргЦБ",
                                      "ДохПФИОргНеЦБ", "ДохПФИНеОрг", "ДохРЕПО", "ДохЗаймЦБ", "УбытПредПер",
                                      "УбытПрхПер", "ИтогСовОпер"}));
  const std::vector<std::string> threeParts{"РасчФинРез", "РасчДохОбл", "РаспрУбыт"};
  for (const char* e : {"ДохОперЦБОрг", "ДохПФИОргЦБ", "ДохПФИОргНеЦБ"}) {
    EXPECT_EQ(ChildNames(*blocks[0].FirstChild(e)), threeParts) << e;
  }
  EXPECT_EQ(ChildNames(*blocks[0].FirstChild("ДохРЕПО")), (std::vector<std::string>{"РасчФинРез", "РаспрУбыт"}));
  EXPECT_EQ(ChildNames(*blocks[0].FirstChild("ДохЗаймЦБ")), (std::vector<std::string>{"РасчФинРез", "РаспрУбыт"}));

  // РасчФинРез, РасчДохОбл and РаспрУбыт occur once per element that has them, in this order.
  EXPECT_EQ(Names(text, "РасчФинРез", 0),
            (std::vector<std::string>{"ДохСовОпер", "РасхРеалЦБ", "УбытРЕПОУмДох", "УбытЗаймУмДох", "ПроцРасх",
                                      "РасхУмДохРеалЦБ", "НалБазаОпер", "УбытРезОпер"}));
  EXPECT_EQ(Names(text, "РасчДохОбл", 0), (std::vector<std::string>{"УбытУмНБ_4.10", "УбытПрПерУмНБ", "ДоходОбл"}));
  EXPECT_EQ(Names(text, "РаспрУбыт", 0), (std::vector<std::string>{"УбытУч_2.3", "УбытУч_4.6", "УбытУмНББуд"}));
  EXPECT_EQ(Names(text, "ДохОперЦБОргНеОрг"),
            (std::vector<std::string>{"ДохСовОпер", "РасхРеалЦБ", "УбытУмФР_1.12", "ДоходОбл"}));
  EXPECT_EQ(Names(text, "ДохОперЦБНеОрг"),
            (std::vector<std::string>{"ДохСовОпер", "РасхРеалЦБ", "УбытРЕПОУмДох", "УбытЗаймУмДох", "ПроцРасх",
                                      "УбытВыхИТ", "РасхУмДохРеалЦБ", "ДоходОбл"}));
  EXPECT_EQ(Names(text, "РасчФинРез", 1),
            (std::vector<std::string>{"ДохСовОпер", "РасхРеалПФИ", "НалБазаОпер", "УбытРезОпер"}));
  EXPECT_EQ(Names(text, "РасчДохОбл", 1),
            (std::vector<std::string>{"УбытПрПерУмНБ", "УбытУмНБ_1.13", "УбытУмНБ_5.8", "ДоходОбл"}));
  EXPECT_EQ(Names(text, "РаспрУбыт", 1), (std::vector<std::string>{"УбытУмНБ_5.6", "УбытУмНБ_1.9", "УбытУмНББуд"}));
  EXPECT_EQ(Names(text, "РасчФинРез", 2),
            (std::vector<std::string>{"ДохСовОпер", "РасхРеалПФИ", "НалБазаОпер", "УбытРезОпер"}));
  EXPECT_EQ(Names(text, "РасчДохОбл", 2), (std::vector<std::string>{"УбытПрПерУмНБ", "УбытУмНБ_4.9", "ДоходОбл"}));
  EXPECT_EQ(Names(text, "РаспрУбыт", 2), (std::vector<std::string>{"УбытУмНБ_4.7", "УбытУмНББуд"}));
  EXPECT_EQ(Names(text, "ДохПФИНеОрг"), (std::vector<std::string>{"ДохСовОпер", "РасхРеалПФИ", "ДоходОбл"}));
  EXPECT_EQ(Names(text, "РасчФинРез", 3),
            (std::vector<std::string>{"ДохЗаймРЕПО", "РасхЗаймРЕПО", "ДоходОбл", "УбытРезОпер"}));
  EXPECT_EQ(Names(text, "РаспрУбыт", 3), (std::vector<std::string>{"УбытРЕПООбр", "УбытРЕПОНеОбр"}));
  EXPECT_EQ(Names(text, "РасчФинРез", 4),
            (std::vector<std::string>{"ДохДогЗайм", "РасхДогЗайм", "ДоходОбл", "УбытРезОпер"}));
  EXPECT_EQ(Names(text, "РаспрУбыт", 4), (std::vector<std::string>{"УбытЗаймЦБОбр", "УбытЗаймЦБНеОбр"}));
  EXPECT_EQ(Names(text, "УбытПрхПер"), (std::vector<std::string>{"УбытОперЦБОбр", "УбытОперПФИОбр"}));
  EXPECT_EQ(Names(text, "ИтогСовОпер"), (std::vector<std::string>{"ОбщДохСовОпер", "ОбщДоходОбл", "ОбщРасхПрмВыч"}));
  // The amounts are the ones set, in kopecks.
  EXPECT_EQ(Attr(*At(blocks[0], "ДохОперЦБОрг/РасчФинРез"), "ДохСовОпер"), "1.00");
  EXPECT_EQ(Attr(*At(blocks[0], "ДохОперЦБОрг/РаспрУбыт"), "УбытУмНББуд"), "14.00");
}

TEST(SheetZTest, ElementsNeedTheirOwnAmounts) {
  auto d = NewDeclaration();
  kTSvodSum s;
  kTSvodSumPrilJ& j = s.PrilJ;
  j.ОбщДохСовОпер = Rub(100);
  j.ДохОперЦБОрг.ПроцРасх = Rub(1);        // interest alone makes the element
  j.ДохОперЦБОрг.ДоходОбл = Rub(5);        // but without a base no РасчДохОбл
  j.ДохОперЦБОргНеОрг.ДоходОбл = Rub(5);   // taxable income alone does not
  j.ДохПФИНеОрг.РасхРеалПФИ = Rub(1);
  j.ДохРЕПО.УбытРЕПООбр = Rub(1);          // a loss alone does not
  j.ДохЗаймЦБ.ДохДогЗайм = Rub(1);
  const XmlDocument document = BuildWith(*d, s);
  const XmlElement block = Body(document, "ДохОперЦБ").at(0);
  EXPECT_EQ(ChildNames(block), (std::vector<std::string>{"ДохОперЦБОрг", "ДохПФИНеОрг", "ДохЗаймЦБ", "ИтогСовОпер"}));
  EXPECT_EQ(ChildNames(*block.FirstChild("ДохОперЦБОрг")), std::vector<std::string>{"РасчФинРез"});
  EXPECT_EQ(ChildNames(*block.FirstChild("ДохЗаймЦБ")), std::vector<std::string>{"РасчФинРез"});
  EXPECT_EQ(Attr(*At(block, "ДохОперЦБОрг/РасчФинРез"), "НалБазаОпер"), "0.00") << "zero amounts are written";
}

TEST(SheetZTest, IndividualAccountComesFirst) {
  auto d = NewDeclaration();
  kTSvodSum s;
  s.PrilJ.ОбщДохСовОпер = Rub(1);
  s.PrilJ_IIS.ОбщДохСовОпер = Rub(2);
  const XmlDocument document = BuildWith(*d, s);
  const std::vector<XmlElement> blocks = Body(document, "ДохОперЦБ");
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(Attr(blocks[0], "ВидОпер"), "1");
  EXPECT_EQ(Attr(*blocks[0].FirstChild("ИтогСовОпер"), "ОбщДохСовОпер"), "2.00");
  EXPECT_EQ(Attr(blocks[1], "ВидОпер"), "2");
}

TEST(SheetZTest, NothingWithoutOperationsOrEarlierLosses) {
  auto d = NewDeclaration();
  d->SecuritiesLosses.SecuritiesLoss[0] = Rub(100);  // the computation has not carried it
  kTSvodSum s;
  s.PrilJ.ДохОперЦБОрг.ДохСовОпер = Rub(1);  // the block's own total is what counts
  s.PrilJ.ОбщДоходОбл = Rub(1);
  EXPECT_TRUE(Body(BuildWith(*d, s), "ДохОперЦБ").empty());
}

TEST(SheetZTest, OnlyLossesOfEarlierYearsListedByCalendarYear) {
  auto d = NewDeclaration();
  mTCBDeduct& losses = d->SecuritiesLosses;  // kept in the order 2014, 2015, 2006 … 2013
  losses.SecuritiesLoss[0] = Rub(1400);      // 2014
  losses.DerivativesLoss[1] = Rub(1500);     // 2015, derivatives only
  losses.SecuritiesLoss[2] = Rub(600);       // 2006
  losses.DerivativesLoss[2] = Rub(60);
  losses.SecuritiesLoss[5] = -Rub(9);        // 2009, nothing positive
  d->IisLosses.SecuritiesLoss[3] = Rub(700);  // the other account's: not here
  kTSvodSum s;
  s.PrilJ.ОстУбытНачВс = {Rub(2000), Rub(1560)};
  const XmlDocument document = BuildWith(*d, s);
  const std::vector<XmlElement> blocks = Body(document, "ДохОперЦБ");
  ASSERT_EQ(blocks.size(), 1u);
  EXPECT_EQ(Attr(blocks[0], "ВидОпер"), "2");
  EXPECT_EQ(ChildNames(blocks[0]), std::vector<std::string>{"УбытПредПер"});
  const XmlElement earlier = *blocks[0].FirstChild("УбытПредПер");
  EXPECT_EQ(ChildNames(earlier), (std::vector<std::string>{"ОстУбытНачВс", "ОстУбытПрошПер", "ОстУбытПрошПер",
                                                           "ОстУбытПрошПер", "НалБазаПер", "СумУмНБПер",
                                                           "ОстУбытКонВс"}));
  const std::vector<XmlElement> children = earlier.Children();
  EXPECT_EQ(Attr(children[0], "СуммаЦБ"), "2000.00");
  EXPECT_EQ(Attr(children[0], "СуммаПФИ"), "1560.00");
  const std::string text = document.Serialize();
  EXPECT_EQ(Attr(children[1], "ПериодПрош"), "2006");
  EXPECT_EQ(AttributeOrder(text, "ОстУбытПрошПер", 0),
            (std::vector<std::string>{"ПериодПрош", "УбытНачЦБОбр", "УбытНачПФИОбр"}));
  EXPECT_EQ(Attr(children[2], "ПериодПрош"), "2014");
  EXPECT_EQ(Attr(children[2], "УбытНачЦБОбр"), "1400.00");
  EXPECT_EQ(Attr(children[3], "ПериодПрош"), "2015");
  EXPECT_EQ(AttributeOrder(text, "ОстУбытПрошПер", 2), (std::vector<std::string>{"ПериодПрош", "УбытНачПФИОбр"}));
  // Written even with nothing to say.
  for (std::size_t i = 4; i < 7; ++i) EXPECT_EQ(AttributeOrder(text, children[i].Name()), std::vector<std::string>{});
}

// Sheet И.

TEST(SheetITest, BlocksOfOperationsAndTotals) {
  auto d = NewDeclaration();
  kTSvodSum s;
  kTSvodSumPrilI& p = s.PrilI;
  p.ДохЦБНеОбрИТ = {Rub(1000), Rub(100), Rub(10), Rub(1), Rub(889), Currency()};
  p.ДохПрочИТ = {Currency(), Currency(), Currency(), Currency(), Rub(5), Rub(5)};  // taxable alone does not count
  p.ДохУстКапИТ.УбытПрУмен = Rub(1);
  p.ОбщДохСовОпер = Rub(1000);
  p.ОбщДоходОбл = Rub(889);
  p.ОбщРасхПрмВыч = Rub(111);
  const XmlDocument document = BuildWith(*d, s);
  const XmlElement sheet = Body(document, "ДохИвестТов").at(0);
  EXPECT_EQ(ChildNames(sheet), (std::vector<std::string>{"ДохЦБНеОбрИТ", "ДохУстКапИТ", "ИтогСовОпер"}));
  EXPECT_EQ(AttributeOrder(document.Serialize(), "ДохЦБНеОбрИТ"),
            (std::vector<std::string>{"ДохСовокуп", "РасхДолУпрТов", "РасхВознУпрТоп", "УбытПрУмен", "ДоходОбл",
                                      "УбытПерБудущ"}));
  EXPECT_EQ(Attr(*sheet.FirstChild("ДохЦБНеОбрИТ"), "ДоходОбл"), "889.00");
  EXPECT_EQ(Attr(*sheet.FirstChild("ИтогСовОпер"), "ОбщРасхПрмВыч"), "111.00");
}

TEST(SheetITest, LeavingAPartnershipNeedsTheTotalsToBeWritten) {
  auto d = NewDeclaration();
  kTSvodSum s;
  s.PrilI.РасчДохВыхИТ = {Rub(500), Rub(700), Currency(), Rub(200)};
  EXPECT_TRUE(Body(BuildWith(*d, s), "ДохИвестТов").empty()) << "the three totals are zero";
  s.PrilI.ОбщРасхПрмВыч = Rub(500);
  const XmlDocument document = BuildWith(*d, s);
  const XmlElement sheet = Body(document, "ДохИвестТов").at(0);
  EXPECT_EQ(ChildNames(sheet), (std::vector<std::string>{"РасчДохВыхИТ", "ИтогСовОпер"}));
  EXPECT_EQ(AttributeOrder(document.Serialize(), "РасчДохВыхИТ"),
            (std::vector<std::string>{"ДохВыхИТ", "ВкладИТ", "ДоходОбл", "УбытРез"}));
  EXPECT_EQ(Attr(*sheet.FirstChild("РасчДохВыхИТ"), "УбытРез"), "200.00");
}

}  // namespace
}  // namespace talver::testing
