#include "export/ExportDriver.h"

#include <exception>
#include <stdexcept>

#include "compute/SvodSum.h"
#include "export/ExportDocument.h"
#include "export/ExportSheets.h"
#include "export/ExportText.h"
#include "platform/Guid.h"
#include "platform/NumberText.h"
#include "platform/Text1251.h"
#include "platform/XmlDom.h"

namespace talver {
namespace {

constexpr char kCaption[] = "Тальвер 2016";
constexpr char kComputeFailed[] =
    "Ошибка в рассчетах. Пожалуйста, свяжитесь с разработчиками через службу поддержки";
constexpr char kExportFailed[] =
    "Ошибка в выгрузке. Пожалуйста, свяжитесь с разработчиками через службу поддержки";
constexpr char kFailedResult[] = "ERROR";

bool IsForm4(const mTDeclaration& d) { return d.DeclarationForm == kForm4; }

// Codes of the taxpayer's category; 4-НДФЛ knows only the first four.
std::string CategoryCode(std::uint8_t category, bool form4) {
  switch (category) {
    case 0: return "720";
    case 1: return "770";
    case 2: return "730";
    case 3: return "740";
    case 5: return form4 ? "000" : "760";
    case 6: return form4 ? "000" : "750";
    default: return "000";
  }
}

// A representative signs for any kind but 0; an organisation (kind 2) is offered with
// 4-НДФЛ only, and a 3-НДФЛ file that still holds it is signed like a person's representative.
bool SignedByRepresentative(const mTDeclaration& d) { return d.SignerKind != 0; }

void WriteName(XmlElement& name, const std::string& surname, const std::string& firstName,
               const std::string& patronymic) {
  name.AddAttribute("Фамилия", surname);
  name.AddAttribute("Имя", firstName);
  AddIfText(name, "Отчество", patronymic);
}

void WriteSigner(XmlElement& document, const mTDeclaration& d, bool form4) {
  XmlElement signer = document.AppendElement("Подписант");
  const bool representative = SignedByRepresentative(d);
  signer.AddAttribute("ПрПодп", representative ? "2" : "1");
  if (!representative) return;
  const PersonNameParts parts = SplitRepresentativeName(d.RepresentativeName);
  XmlElement name = signer.AppendElement("ФИО");
  name.AddAttribute("Фамилия", parts.Surname);
  name.AddAttribute("Имя", parts.FirstName);
  if (!parts.Patronymic.empty()) name.AddAttribute("Отчество", parts.Patronymic);
  XmlElement power = signer.AppendElement("СвПред");
  power.AddAttribute("НаимДок", d.RepresentativeDocument);
  if (form4) AddIfText(power, "НаимОрг", d.RepresentativeOrganization);
}

// The country of citizenship: Russia when none is given.
std::string CountryCode(const mTForeigner& foreigner) {
  return IsBlank(foreigner.CountryCode) ? std::string("643") : ThreeDigitCode(foreigner.CountryCode);
}

void WriteIdentityDocument(XmlElement& parent, const mTPersonDoc& doc) {
  XmlElement e = parent.AppendElement("УдЛичн");
  e.AddAttribute("КодВидДок", TwoDigitCode(doc.DocTypeCode));
  e.AddAttribute("СерНомДок", doc.DocSeriesNumber);
  AddDate(e, "ДатаДок", doc.DocIssueDate);
  e.AddAttribute("ВыдДок", doc.DocIssuedBy);
}

void WriteTaxpayer3(XmlElement& document, const mTDeclaration& d) {
  const mTPersonInformation& p = d.Person;
  XmlElement taxpayer = document.AppendElement("СвНП").AppendElement("НПФЛ3");
  taxpayer.AddAttribute("ДокПредст", CategoryCode(d.TaxpayerCategory, false));
  taxpayer.AddAttribute("Статус", d.DeclarationForm == kForm3Resident ? "1" : "2");
  AddIfText(taxpayer, "АдрИно", p.Foreigner.ForeignAddress);
  AddIfText(taxpayer, "Тлф", p.HomePhone.Second);

  XmlElement name = taxpayer.AppendElement("ФИОФЛ");
  WriteName(name, p.Name.Surname, p.Name.FirstName, p.Name.Patronymic);

  XmlElement address = taxpayer.AppendElement("СвАдрРФ");
  address.AddAttribute("ПрАдр", p.Address.AddressKind == 0 ? "1" : "2");
  XmlElement rf = address.AppendElement("АдрРФ");
  const mTPersonAddress& a = p.Address;
  AddIfText(rf, "Индекс", a.PostIndex);
  rf.AddAttribute("КодРегион", TwoDigitCode(a.RegionCode));
  AddIfText(rf, "Район", a.District);
  AddIfText(rf, "Город", a.City);
  AddIfText(rf, "НаселПункт", a.Locality);
  AddIfText(rf, "Улица", a.Street);
  AddIfText(rf, "Дом", a.House);
  AddIfText(rf, "Корпус", a.Building);
  AddIfText(rf, "Кварт", a.Flat);

  // With an ИНН the office knows the person: the identity document is optional. Without one
  // the birth data and the document identify the taxpayer and are always written.
  const mTPersonDoc& doc = p.Document;
  if (!IsBlank(p.Name.Inn)) {
    XmlElement known = taxpayer.AppendElement("СведФЛ1");
    known.AddAttribute("ИННФЛ", p.Name.Inn);
    AddDate(known, "ДатаРожд", doc.BirthDate);
    AddIfText(known, "МестоРожд", doc.BirthPlace);
    known.AddAttribute("ОКСМ", CountryCode(p.Foreigner));
    if (doc.DocTypeCode != 0) WriteIdentityDocument(known, doc);
  } else {
    XmlElement unknown = taxpayer.AppendElement("СведФЛ2");
    AddDate(unknown, "ДатаРожд", doc.BirthDate);
    unknown.AddAttribute("МестоРожд", doc.BirthPlace);
    unknown.AddAttribute("ОКСМ", CountryCode(p.Foreigner));
    WriteIdentityDocument(unknown, doc);
  }
}

void WriteDocument3(XmlElement& root, const mTDeclaration& d, const kTSvodSum& summary, TDate today) {
  XmlElement document = root.AppendElement("Документ");
  document.AddAttribute("КНД", "1151020");
  AddDate(document, "ДатаДок", today);
  document.AddAttribute("Период", "34");
  document.AddAttribute("ОтчетГод", "2016");
  document.AddAttribute("КодНО", d.InspectionCode);
  document.AddAttribute("НомКорр", IntToText(d.CorrectionNumber));
  WriteTaxpayer3(document, d);
  WriteSigner(document, d, false);
  XmlElement body = document.AppendElement("НДФЛ3");
  WriteBody3(body, summary, d);
}

void WriteDocument4(XmlElement& root, const mTDeclaration& d, TDate today) {
  const mTPersonInformation& p = d.Person;
  XmlElement document = root.AppendElement("Документ");
  document.AddAttribute("КНД", "1151021");
  AddDate(document, "ДатаДок", today);
  document.AddAttribute("ОтчетГод", "2017");
  document.AddAttribute("КодНО", d.InspectionCode);
  document.AddAttribute("НомКорр", IntToText(d.CorrectionNumber));

  XmlElement taxpayer = document.AppendElement("СвНП").AppendElement("НПФЛ");
  taxpayer.AddAttribute("ДокПредст", CategoryCode(d.TaxpayerCategory, true));
  taxpayer.AddAttribute("ИННФЛ", p.Name.Inn);
  taxpayer.AddAttribute("ОКТМО", p.Address.Oktmo);
  AddIfText(taxpayer, "Тлф", p.HomePhone.Second);
  XmlElement name = taxpayer.AppendElement("ФИО");
  WriteName(name, p.Name.Surname, p.Name.FirstName, p.Name.Patronymic);

  WriteSigner(document, d, true);
  XmlElement income = document.AppendElement("НДФЛ4");
  AddGeneral(income, "ПредДоход", d.ExpectedIncome);
}

// The authority's file names hold Latin letters, digits, "_" and "-" only: an identifier with
// anything else (a quote, a path separator or a line break typed into the inspection code or the
// ИНН) gives no file.
std::filesystem::path FileNameOf(const std::string& identifier) {
  for (const char c : identifier) {
    const bool allowed = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
    if (!allowed) {
      throw std::runtime_error("Недопустимое имя файла выгрузки «" + Cp1251ToUtf8(identifier) +
                               ".xml»: в нём могут быть только латинские буквы, цифры, «_» и «-». Проверьте номер "
                               "инспекции и ИНН.");
    }
  }
  return std::filesystem::path(identifier + ".xml");
}

}  // namespace

std::string FileIdentifier(const mTDeclaration& d, TDate today, std::string_view guid) {
  const bool form4 = IsForm4(d);
  std::string inn = d.Person.Name.Inn;
  if (inn.empty() && !form4) inn = "000000000000";
  std::string id = form4 ? "NO_NDFL4" : "NO_NDFL3";
  for (const std::string& part : {d.InspectionCode, d.InspectionCode, inn, CompactDateText(today)}) {
    id += '_';
    id += part;
  }
  id += '_';
  id += guid;
  return id;
}

XmlDocument BuildExportDocument(const mTDeclaration& d, const kTSvodSum& summary, const std::string& identifier,
                                TDate today) {
  const bool form4 = IsForm4(d);
  // The three attributes of the root are written as they stand, not upper-cased; built through
  // the DOM, whatever the identifier holds stays inside its attribute.
  XmlDocument document = XmlDocument::Create("Файл");
  XmlElement root = document.DocumentElement();
  root.AddAttributeAsIs("ИдФайл", identifier);
  root.AddAttributeAsIs("ВерсПрог", form4 ? "1.5.0" : "Talver2016_1.5.0");
  root.AddAttributeAsIs("ВерсФорм", form4 ? "5.02" : "5.11");
  if (form4) {
    WriteDocument4(root, d, today);
  } else {
    WriteDocument3(root, d, summary, today);
  }
  return document;
}

void WriteBody3(XmlElement& body, const kTSvodSum& summary, const mTDeclaration& declaration) {
  WriteSection1(body, summary);
  WriteSection2(body, summary);
  WriteSheetA(body, summary, declaration);
  WriteSheetB(body, summary, declaration);
  WriteSheetV(body, summary, declaration);
  WriteSheetG(body, summary, declaration);
  WriteSheetD1(body, summary, declaration);
  WriteSheetD2(body, summary);
  WriteSheetE1(body, summary, declaration);
  WriteSheetE2(body, summary);
  WriteSheetZh(body, summary);
  WriteSheetZ(body, summary, declaration);
  WriteSheetI(body, summary);
}

std::string ExportDeclaration(const std::filesystem::path& folder, mTDeclaration& declaration, int mode,
                              IPresenter& presenter, const ExportEnvironment& environment) {
  return ExportDeclaration(folder, declaration, mode, presenter, environment, {});
}

std::string ExportDeclaration(const std::filesystem::path& folder, mTDeclaration& declaration, int mode,
                              IPresenter& presenter, const ExportEnvironment& environment, const XmlWriteCall& write) {
  // A failing computation is reported and the export goes on with what the summary holds.
  kTSvodSum summary;
  try {
    summary.Compute(declaration);
  } catch (...) {
    presenter.ShowMessage(kComputeFailed, kCaption, MessageIcon::Error);
  }

  try {
    const TDate today = environment.Today ? environment.Today() : Today();
    const std::string guid = environment.NewGuid ? environment.NewGuid() : NewGuid();
    const std::string identifier = FileIdentifier(declaration, today, guid);
    const XmlDocument document = BuildExportDocument(declaration, summary, identifier, today);
    // One serialization serves both modes, so the text handed back is the file's bytes.
    const std::string bytes = document.Serialize();
    if (mode != kExportToFile) return bytes;
    const std::filesystem::path name = FileNameOf(identifier);
    // The bytes go to a temporary file beside the target and are renamed into place when
    // complete, so a failed save never leaves a partial file under the authority's name.
    WriteFileReplacing(folder / name, bytes, write);
    return name.string();
  } catch (const std::exception& e) {
    // The reason goes after the message, for whoever mends the folder or the declaration.
    presenter.ShowMessage(std::string(kExportFailed) + "\n" + e.what(), kCaption, MessageIcon::Error);
    return kFailedResult;
  } catch (...) {
    presenter.ShowMessage(kExportFailed, kCaption, MessageIcon::Error);
    return kFailedResult;
  }
}

}  // namespace talver
