// The reader of a return's XML file: the header and the driver over the sheets, and the check
// that the declaration it rebuilt computes the sections 1 and 2 the file holds.
#include "import/ReturnXml.h"

#include <algorithm>
#include <map>

#include "compute/SvodSum.h"
#include "dictionaries/IncomeDictionary.h"
#include "import/ReturnXmlParts.h"
#include "platform/Math2.h"
#include "platform/NumberText.h"
#include "platform/Text1251.h"
#include "platform/XmlDom.h"

namespace talver {
namespace {

using returnxml::TGathered;
using returnxml::TReader;

constexpr char kNotAReturn[] = "Файл не является декларацией 3-НДФЛ или 4-НДФЛ в формате XML";

XmlDocument ParseReturn(std::string_view bytes, const std::filesystem::path* path) {
  XmlReadLimits limits;
  limits.MaxBytes = kReturnXmlMaxBytes;
  limits.MaxDepth = kReturnXmlMaxDepth;
  try {
    return path ? XmlDocument::LoadUntrustedFile(*path, limits) : XmlDocument::ParseUntrusted(bytes, limits);
  } catch (const EXmlError& e) {
    switch (e.fault()) {
      case EXmlError::Fault::TooLarge:
        throw EReturnXml(std::string(kNotAReturn) + ": " + e.what());
      case EXmlError::Fault::NotAFile:
        throw EReturnXml(e.what());
      case EXmlError::Fault::DocumentType:
      case EXmlError::Fault::TooDeep:
        throw EReturnXml(std::string(kNotAReturn) + ": " + e.what());
      case EXmlError::Fault::Malformed:
        break;
    }
    throw EReturnXml(std::string("Файл поврежден: ") + e.what());
  }
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The date and the GUID of `ИдФайл` (prefix, the inspection twice, the ИНН, date, GUID).
void ReadIdentifier(TReader& r, const XmlElement& root, bool form4, TReturnXmlImport& result) {
  const std::string id = r.Text(root, "ИдФайл");
  const std::string prefix = form4 ? "NO_NDFL4_" : "NO_NDFL3_";
  const std::size_t guidAt = id.rfind('_');
  const std::size_t dateAt = guidAt == std::string::npos || guidAt == 0 ? std::string::npos : id.rfind('_', guidAt - 1);
  if (id.rfind(prefix, 0) != 0 || dateAt == std::string::npos || guidAt - dateAt != 9) {
    r.Fail(root, "ИдФайл", "не является идентификатором файла декларации: «" + Cp1251ToUtf8(id) + "»");
  }
  result.FileGuid = id.substr(guidAt + 1);
  if (result.FileGuid.size() != 36) r.Fail(root, "ИдФайл", "содержит неправильный GUID");
}

// Section 2 and section 1 of the rebuilt declaration against those of the file; the
// differences, each as "element attribute: file / computed".
std::vector<std::string> CompareSections(const kTSvodSum& s, const TGathered& g) {
  std::vector<std::string> differences;
  const std::map<std::pair<std::string, std::string>, const kTSvodSumListValues*> components = {
      {{"13", "1"}, &s.ListDiv}, {{"13", "2"}, &s.ListKIK}, {{"13", "3"}, &s.List1}, {{"30", "3"}, &s.List2},
      {{"35", "3"}, &s.List3},   {{"09", "3"}, &s.List4},   {{"15", "1"}, &s.List5},
  };
  std::vector<const kTSvodSumListValues*> seen;
  const auto compare = [&](const std::string& where, const std::optional<std::string>& file, const std::string& computed) {
    if (file.value_or("") != computed) {
      differences.push_back(where + ": " + Cp1251ToUtf8(file.value_or("")) + " в файле, " + Cp1251ToUtf8(computed) +
                            " по расчету");
    }
  };
  for (const XmlElement& e : g.TaxBases) {
    const auto key = std::make_pair(e.Attribute("Ставка").value_or(""), e.Attribute("ВидДоход").value_or(""));
    const auto it = components.find(key);
    if (it == components.end()) continue;
    const kTSvodSumListValues& c = *it->second;
    seen.push_back(&c);
    const std::string where = "раздел 2, ставка " + key.first + " %, ";
    const XmlElement base = *e.FirstChild("РасчНалБаза");
    const XmlElement tax = *e.FirstChild("РасчНалПУ");
    const std::pair<const char*, Currency> kopecks[] = {
        {"ДоходОбщ", c.ДоходОбщ},   {"ДоходОбщНеНал", c.ДоходОбщНеНал}, {"ДоходОбщНал", c.ДоходОбщНал},
        {"СумНалВыч", c.СумНалВыч}, {"СумРасхУм", c.СумРасхУм},         {"СумДохДивКИК", c.СумДохДивКИК},
        {"НалБаза", c.НалБаза},
    };
    for (const auto& [name, value] : kopecks) compare(where + name, base.Attribute(name), FormatSumKopecks(value));
    const std::pair<const char*, Currency> general[] = {
        {"Исчисл", c.Исчисл},         {"УдержОбщ", c.УдержОбщ},       {"УдержОбщМВ", c.УдержОбщМВ},
        {"ТСУплПерЗач", c.ТСУплПерЗач}, {"УплАвФакт", c.УплАвФакт},   {"ОбщАвУплЗач227.1", c.ОбщАвУплЗач227_1},
        {"УплИнПодлЗач", c.УплИнПодлЗач}, {"ИсчислУпл", c.ИсчислУпл}, {"УплПатентЗач", c.УплПатентЗач},
        {"ПодлУпл", c.ПодлУпл},       {"ПодлВозв", c.ПодлВозв},
    };
    for (const auto& [name, value] : general) compare(where + name, tax.Attribute(name), FormatSumGeneral(value, '.'));
  }
  for (const auto& [key, c] : components) {
    if (std::find(seen.begin(), seen.end(), c) != seen.end()) continue;
    if (c->ДоходОбщ > Currency() || c->НалБаза > Currency() || c->Исчисл > Currency() || c->Credits() > Currency()) {
      differences.push_back("раздел 2, ставка " + key.first + " %: по расчету есть доходы или налог, в файле нет");
    }
  }
  const std::vector<bmTList1>& lines = s.List6.Lines;
  if (lines.size() != g.Section1.size()) {
    differences.push_back("раздел 1: в файле строк " + std::to_string(g.Section1.size()) + ", по расчету " +
                          std::to_string(lines.size()));
  } else {
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const bmTList1& line = lines[i];
      const XmlElement& e = g.Section1[i];
      const std::string where = "раздел 1, строка " + std::to_string(i + 1) + ", ";
      compare(where + "КБК", e.Attribute("КБК"), UpperCase1251(line.КБК));
      compare(where + "ОКТМО", e.Attribute("ОКТМО"), UpperCase1251(line.ОКТМО));
      compare(where + "ПрУплВозв", e.Attribute("ПрУплВозв"), line.ПрУплВозв);
      compare(where + "ПодлУпл", e.Attribute("ПодлУпл"), line.ПрУплВозв == "1" ? FormatSumGeneral(line.Сумма, '.') : "0");
      compare(where + "ПодлВозв", e.Attribute("ПодлВозв"), line.ПрУплВозв == "2" ? FormatSumGeneral(line.Сумма, '.') : "0");
    }
  }
  return differences;
}

std::vector<std::string> ComputeAndCompare(mTDeclaration& d, const TGathered& g) {
  kTSvodSum summary;
  summary.Compute(d);
  return CompareSections(summary, g);
}

void ReadBody3(TReader& r, const XmlElement& body, mTDeclaration& d, TGathered& g, const TIncomeDictionary* dictionary) {
  r.Children(body, {"СумНалПу", "НалБаза", "ДоходИстРФ", "ДоходИстИно", "ДоходПредпр", "ДоходОсвПрев", "ИмущНалВычНов",
                    "ИмущНалВычПр", "ВычСтандСоц", "ВычСоцИнв219", "ПрофНалВыч", "ДохОперЦБ", "ДохИвестТов"});
  returnxml::ReadSections12(r, body, d, g);
  returnxml::ReadSheetI(r, body, g);
  returnxml::ReadSheetA(r, body, d, g);
  returnxml::ReadSheetB(r, body, d, g);
  returnxml::ReadSheetV(r, body, d);
  returnxml::ReadSheetG(r, body, d, g);
  returnxml::ReadSheetD1(r, body, d, g);
  returnxml::ReadSheetD2(r, body, g);
  returnxml::ReadSheetE1(r, body, d, g);
  returnxml::ReadSheetE2(r, body, d);
  returnxml::ReadSheetZh(r, body, d, g);
  returnxml::ReadSheetZ(r, body, d, g);

  // Business credits and advance payments exist only with the business section; deductions
  // only with some section, which the incomes of the Russian Federation then stand for.
  if (d.TradeFee > Currency() || d.PatentPayments > Currency() || d.AdvancePaymentsPaid > Currency() ||
      d.AdvancePaymentsAccrued > Currency()) {
    d.SetSections(d.Sections | kSectionBusiness);
  }
  for (const char* sheet : {"ВычСтандСоц", "ИмущНалВычНов", "ИмущНалВычПр", "ДоходОсвПрев", "ДохОперЦБ", "ПрофНалВыч"}) {
    if (body.FirstChild(sheet) && (d.Sections & ~kSectionBusiness) == 0) d.SetSections(d.Sections | kSectionRussian);
  }

  bool entries = !g.Slots13.empty() || !g.Slots13NR.empty();
  const std::vector<returnxml::TEntryItem> left13 = returnxml::PlaceEntries(g.Slots13, g.Items13, dictionary);
  const std::vector<returnxml::TEntryItem> leftNR = returnxml::PlaceEntries(g.Slots13NR, g.Items13NR, dictionary);
  // What the sources of sheet А have no room for came from abroad: the foreign lines of that
  // sum, by code.
  std::map<std::pair<std::int32_t, std::int32_t>, std::pair<Currency, Currency>> abroad;
  for (const returnxml::TEntryItem& item : left13) {
    auto& [income, deduct] = abroad[{item.IncomeCode, item.DeductCode}];
    income += item.Amount;
    deduct += item.Deduct;
  }
  bool placed = leftNR.empty();
  for (const auto& [codes, sums] : abroad) {
    placed = returnxml::AssignForeign(g, codes.first, codes.second, sums.first, sums.second) && placed;
  }
  if (!placed) {
    g.Shortfall("Часть доходов листов Г, Д2, Ж и З не удалось отнести к источникам выплаты листа А");
  }
  if (entries) {
    g.Losses.push_back("Помесячные доходы восстановлены одной суммой за год, доходы каждого источника — по кодам, которые видны из листов декларации");
  }
  ForEachOf(d.CurrencyIncomes, [&](mTCurrencyIncome& f) {
    if (dictionary == nullptr) return;
    if (const TIncomeCode* code = dictionary->FindIncome(IntToText(f.IncomeCode))) f.IncomeName = code->Name;
  });

  // The housing objects: the expenses taken and the share shown must come out as the file has
  // them; when a second object took nothing because the first used up the limit, its cost
  // was above zero all the same.
  const auto housingMatches = [&] {
    if (g.HousingShown.size() != d.PropertyDeduct.ObjectCount()) return true;
    kTSvodSum summary;
    summary.Compute(d);
    for (std::size_t i = 0; i < g.HousingShown.size(); ++i) {
      const mTConstructionDeductObj& o = d.PropertyDeduct.GetObject(i);
      if (o.CostTaken != g.HousingShown[i].first || (o.ShareShown != 0) != g.HousingShown[i].second) return false;
    }
    return true;
  };
  if (!housingMatches() && g.HousingShown.size() == 2) {
    mTConstructionDeductObj& second = d.PropertyDeduct.GetObject(1);
    if (second.Cost.IsZero()) second.Cost = Currency::FromKopecks(1);
    if (!housingMatches()) second.Cost = Currency();
  }
  // The municipal code of the taxpayer shows only where section 1 pays to it: otherwise it is
  // the one with which the computation gives the file's section 1.
  std::vector<std::string> differences = ComputeAndCompare(d, g);
  if (!g.OwnOktmoKnown && !differences.empty()) {
    std::string best = d.Person.Address.Oktmo;
    for (const XmlElement& e : g.Section1) {
      d.Person.Address.Oktmo = e.Attribute("ОКТМО").value_or("");
      std::vector<std::string> tried = ComputeAndCompare(d, g);
      if (tried.size() < differences.size()) {
        differences = std::move(tried);
        best = d.Person.Address.Oktmo;
      }
      if (differences.empty()) break;
    }
    d.Person.Address.Oktmo = best;
  }
  if (!g.OwnOktmoKnown && d.Person.Address.Oktmo.empty()) {
    g.Losses.push_back("ОКТМО по месту жительства в файле не указан: введите его на странице адреса");
  }
  // Sources at 35 % that the file does not list refund by their municipal code in their place
  // among the others: the place and the code with which section 1 comes out as the file's.
  for (std::size_t i = 0; i < d.Sources35.Count() && !differences.empty(); ++i) {
    if (!d.Sources35.Get(i).IncomeTotal.IsZero() || d.Sources35.Get(i).TaxWithheld.IsZero()) continue;
    std::vector<std::string> codes = {""};
    for (const XmlElement& e : g.Section1) codes.push_back(e.Attribute("ОКТМО").value_or(""));
    mTThirtyFivePercent unlisted = d.Sources35.Get(i);
    d.Sources35.Delete(i);
    std::size_t bestAt = i;
    std::string bestCode = unlisted.Oktmo;
    for (std::size_t at = 0; at <= d.Sources35.Count() && !differences.empty(); ++at) {
      for (const std::string& code : codes) {
        mTThirtyFivePercent candidate = unlisted;
        candidate.Oktmo = code;
        d.Sources35.Add(candidate);
        // Move the candidate from the end to its place.
        for (std::size_t k = d.Sources35.Count() - 1; k > at; --k) std::swap(d.Sources35.Get(k), d.Sources35.Get(k - 1));
        std::vector<std::string> tried = ComputeAndCompare(d, g);
        for (std::size_t k = at; k + 1 < d.Sources35.Count(); ++k) std::swap(d.Sources35.Get(k), d.Sources35.Get(k + 1));
        d.Sources35.Delete(d.Sources35.Count() - 1);
        if (tried.size() < differences.size()) {
          differences = std::move(tried);
          bestAt = at;
          bestCode = code;
        }
        if (differences.empty()) break;
      }
    }
    unlisted.Oktmo = bestCode;
    d.Sources35.Add(unlisted);
    for (std::size_t k = d.Sources35.Count() - 1; k > bestAt; --k) std::swap(d.Sources35.Get(k), d.Sources35.Get(k - 1));
    differences = ComputeAndCompare(d, g);
  }
  if (!differences.empty()) {
    std::string text = "Расчет по восстановленной декларации дает не те суммы разделов 1 и 2, что записаны в файле (";
    for (std::size_t i = 0; i < differences.size() && i < 3; ++i) text += (i ? "; " : "") + differences[i];
    if (differences.size() > 3) text += "; и другие";
    g.Shortfall(text + ")");
  }
}

TReturnXmlImport Import(std::string_view bytes, const std::filesystem::path* path, const TIncomeDictionary* dictionary) {
  const XmlDocument document = ParseReturn(bytes, path);
  const std::string encoding = document.DeclaredEncoding();
  if (Lower(encoding) != "windows-1251") {
    throw EReturnXml(encoding.empty() ? std::string(kNotAReturn) + ": в нем не указана кодировка windows-1251"
                                      : std::string(kNotAReturn) + ": он записан в кодировке " + encoding +
                                            ", а не windows-1251");
  }
  const XmlElement root = document.DocumentElement();
  if (root.Name() != "Файл") {
    throw EReturnXml(std::string(kNotAReturn) + ": его корневой элемент «" + root.Name() + "», а не «Файл»");
  }
  TReader r;
  r.Children(root, {"Документ"});
  const std::optional<std::string> version = root.Attribute("ВерсФорм");
  if (!version) throw EReturnXml(std::string(kNotAReturn) + ": в нем не указана версия формата (ВерсФорм)");
  const bool form4 = *version == "5.02";
  if (*version != "5.11" && !form4) {
    throw EReturnXml("Файл записан в другой версии формата: ВерсФорм «" + Cp1251ToUtf8(*version) +
                     "». Программа читает декларации 3-НДФЛ версии 5.11 и 4-НДФЛ версии 5.02");
  }
  TReturnXmlImport result;
  ReadIdentifier(r, root, form4, result);
  const XmlElement document0 = r.RequiredChild(root, "Документ");
  const std::string knd = r.Text(document0, "КНД");
  if (knd != (form4 ? "1151021" : "1151020")) {
    throw EReturnXml(std::string(kNotAReturn) + ": его КНД «" + Cp1251ToUtf8(knd) + "», а декларации версии " +
                     *version + " имеют КНД " + (form4 ? "1151021" : "1151020"));
  }
  const std::string year = r.Text(document0, "ОтчетГод");
  if (year != (form4 ? "2017" : "2016")) {
    throw EReturnXml("Файл содержит декларацию за другой год: ОтчетГод «" + Cp1251ToUtf8(year) + "». Программа читает " +
                     (form4 ? "декларации 4-НДФЛ на 2017 год" : "декларации 3-НДФЛ за 2016 год"));
  }
  if (!form4) r.OneOf(document0, "Период", {"34"});

  auto d = std::make_unique<mTDeclaration>();
  result.FileDate = r.Date(document0, "ДатаДок");
  d->SignDate = result.FileDate;
  d->InspectionCode = r.Text(document0, "КодНО");
  d->CorrectionNumber = static_cast<std::int32_t>(r.Integer(document0, "НомКорр", 0, 999));
  TGathered g;
  if (form4) {
    returnxml::ReadDocument4(r, document0, *d);
  } else {
    r.Children(document0, {"СвНП", "Подписант", "НДФЛ3"});
    returnxml::ReadHeader3(r, document0, *d);
    returnxml::ReadSigner(r, document0, *d, false);
    ReadBody3(r, r.RequiredChild(document0, "НДФЛ3"), *d, g, dictionary);
  }

  result.Losses.push_back("Тексты записаны в файле заглавными буквами и восстановлены так же");
  for (std::string& loss : g.Losses) {
    if (std::find(result.Losses.begin(), result.Losses.end(), loss) == result.Losses.end()) {
      result.Losses.push_back(std::move(loss));
    }
  }
  if (!r.Unread.empty()) {
    std::string text = "Не прочитаны элементы, которых программа не знает:";
    bool first = true;
    for (const std::string& name : r.Unread) {
      text += (first ? " «" : ", «") + name + "»";
      first = false;
    }
    result.Losses.push_back(text);
  }
  result.Approximate = g.Approximate;
  result.Declaration = std::move(d);
  return result;
}

}  // namespace

std::string TReturnXmlImport::LossMessage() const {
  if (Losses.empty()) return {};
  std::string text = "Декларация прочитана из файла XML. Часть сведений в таком файле не хранится:";
  for (const std::string& loss : Losses) text += "\n— " + loss + ".";
  return text;
}

TReturnXmlImport ImportReturnXml(std::string_view bytes, const TIncomeDictionary* dictionary) {
  return Import(bytes, nullptr, dictionary);
}

TReturnXmlImport ImportReturnXmlFile(const std::filesystem::path& path, const TIncomeDictionary* dictionary) {
  return Import({}, &path, dictionary);
}

}  // namespace talver
