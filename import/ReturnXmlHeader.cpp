// The taxpayer and the signer of a return, and the whole of a 4-НДФЛ document.
#include "dictionaries/BuiltInTables.h"
#include "import/ReturnXmlParts.h"
#include "platform/Text1251.h"

namespace talver::returnxml {
namespace {

std::uint8_t CategoryOf(TReader& r, const XmlElement& e, bool form4) {
  const std::string code =
      form4 ? r.OneOf(e, "ДокПредст", {"720", "770", "730", "740", "000"})
            : r.OneOf(e, "ДокПредст", {"720", "770", "730", "740", "760", "750"});
  if (code == "720") return 0;
  if (code == "770") return 1;
  if (code == "730") return 2;
  if (code == "740") return 3;
  if (code == "750") return 6;
  return 5;  // "760", and "000" of 4-НДФЛ, which stands for every other category
}

void ReadName(TReader& r, const XmlElement& e, mTPersonName& name) {
  r.Children(e, {});
  name.Surname = r.Text(e, "Фамилия");
  name.FirstName = r.Text(e, "Имя");
  name.Patronymic = r.OptionalText(e, "Отчество");
}

void ReadIdentityDocument(TReader& r, const XmlElement& e, mTPersonDoc& doc) {
  r.Children(e, {});
  doc.DocTypeCode = static_cast<std::uint16_t>(r.Integer(e, "КодВидДок", 0, 99));
  doc.DocSeriesNumber = r.Text(e, "СерНомДок");
  doc.DocIssueDate = r.Date(e, "ДатаДок");
  doc.DocIssuedBy = r.Text(e, "ВыдДок");
  if (const std::optional<std::string> name = BuiltInName(DocumentTypes(), doc.DocTypeCode)) doc.DocTypeName = *name;
}

void ReadBirth(TReader& r, const XmlElement& e, mTPersonInformation& p) {
  p.Document.BirthDate = r.Date(e, "ДатаРожд");
  p.Document.BirthPlace = r.OptionalText(e, "МестоРожд");
  p.Foreigner.CountryCode = r.Text(e, "ОКСМ");
}

}  // namespace

void ReadHeader3(TReader& r, const XmlElement& document, mTDeclaration& d) {
  const XmlElement holder = r.RequiredChild(document, "СвНП");
  r.Children(holder, {"НПФЛ3"});
  const XmlElement t = r.RequiredChild(holder, "НПФЛ3");
  r.Children(t, {"ФИОФЛ", "СвАдрРФ", "СведФЛ1", "СведФЛ2"});
  mTPersonInformation& p = d.Person;
  d.TaxpayerCategory = CategoryOf(r, t, false);
  d.DeclarationForm = r.OneOf(t, "Статус", {"1", "2"}) == "1" ? kForm3Resident : kForm3NonResident;
  p.Foreigner.ForeignAddress = r.OptionalText(t, "АдрИно");
  p.HomePhone.Second = r.OptionalText(t, "Тлф");
  ReadName(r, r.RequiredChild(t, "ФИОФЛ"), p.Name);

  const XmlElement address = r.RequiredChild(t, "СвАдрРФ");
  r.Children(address, {"АдрРФ"});
  p.Address.AddressKind = r.OneOf(address, "ПрАдр", {"1", "2"}) == "1" ? 0 : 1;
  const XmlElement rf = r.RequiredChild(address, "АдрРФ");
  r.Children(rf, {});
  mTPersonAddress& a = p.Address;
  ReadAddressTexts(r, rf, a);
  a.RegionCode = static_cast<std::uint16_t>(r.Integer(rf, "КодРегион", 0, 99));
  if (const std::optional<std::string> name = BuiltInName(Regions(), a.RegionCode)) a.RegionName = *name;

  const std::optional<XmlElement> known = r.Child(t, "СведФЛ1");
  const std::optional<XmlElement> unknown = r.Child(t, "СведФЛ2");
  if (known.has_value() == unknown.has_value()) {
    r.Fail(t, {}, "должен содержать ровно один из элементов «СведФЛ1» и «СведФЛ2»");
  }
  if (known) {
    r.Children(*known, {"УдЛичн"});
    p.Name.Inn = r.Text(*known, "ИННФЛ");
    ReadBirth(r, *known, p);
    if (const std::optional<XmlElement> doc = r.Child(*known, "УдЛичн")) ReadIdentityDocument(r, *doc, p.Document);
  } else {
    r.Children(*unknown, {"УдЛичн"});
    ReadBirth(r, *unknown, p);
    ReadIdentityDocument(r, r.RequiredChild(*unknown, "УдЛичн"), p.Document);
  }
  if (p.Foreigner.CountryCode != "643") p.Foreigner.CountryName.clear();
}

void ReadSigner(TReader& r, const XmlElement& document, mTDeclaration& d, bool form4) {
  const XmlElement signer = r.RequiredChild(document, "Подписант");
  r.Children(signer, {"ФИО", "СвПред"});
  if (r.OneOf(signer, "ПрПодп", {"1", "2"}) == "1") {
    d.SignerKind = 0;
    return;
  }
  mTPersonName name;
  ReadName(r, r.RequiredChild(signer, "ФИО"), name);
  // The parts are written as the name splits at its blanks; joined again they split the same way.
  d.RepresentativeName = Trim(name.Surname) + " " + Trim(name.FirstName);
  if (!name.Patronymic.empty()) d.RepresentativeName += " " + name.Patronymic;
  d.RepresentativeName = Trim(d.RepresentativeName);
  const XmlElement power = r.RequiredChild(signer, "СвПред");
  r.Children(power, {});
  d.RepresentativeDocument = r.Text(power, "НаимДок");
  d.RepresentativeOrganization = form4 ? r.OptionalText(power, "НаимОрг") : std::string();
  d.SignerKind = d.RepresentativeOrganization.empty() ? 1 : 2;
}

void ReadDocument4(TReader& r, const XmlElement& document, mTDeclaration& d) {
  r.Children(document, {"СвНП", "Подписант", "НДФЛ4"});
  d.DeclarationForm = kForm4;
  const XmlElement holder = r.RequiredChild(document, "СвНП");
  r.Children(holder, {"НПФЛ"});
  const XmlElement t = r.RequiredChild(holder, "НПФЛ");
  r.Children(t, {"ФИО"});
  d.TaxpayerCategory = CategoryOf(r, t, true);
  d.Person.Name.Inn = r.Text(t, "ИННФЛ");
  d.Person.Address.Oktmo = r.Text(t, "ОКТМО");
  d.Person.HomePhone.Second = r.OptionalText(t, "Тлф");
  ReadName(r, r.RequiredChild(t, "ФИО"), d.Person.Name);
  ReadSigner(r, document, d, true);
  const XmlElement income = r.RequiredChild(document, "НДФЛ4");
  r.Children(income, {});
  d.ExpectedIncome = r.Amount(income, "ПредДоход");
}

}  // namespace talver::returnxml
