#pragma once
// The taxpayer: name and ИНН, identity document, citizenship, addresses and phones.
// Saved as eight streams right after the declaration's own; loaded also from the files of
// earlier tax years, which hold fewer items (see LoadFromStorage).
#include <cstdint>
#include <string>

#include "model/ModelCommon.h"
#include "platform/Dates.h"

namespace talver {

struct mTPersonName {
  std::string Surname;
  std::string FirstName;
  std::string Patronymic;
  std::string Inn;
  std::string NameExtra1;
  std::string NameExtra2 = "0";
};

struct mTPersonDoc {
  std::uint16_t DocTypeCode = 0;
  std::string DocTypeName;
  std::string DocSeriesNumber;
  TDate DocIssueDate = kDate01011990;
  TDate BirthDate = kDate01011977;
  std::string DocIssuedBy;
  std::string BirthPlace;
};

struct mTForeigner {
  std::string CitizenshipKind;  // "1" a country's citizen, "2" stateless
  std::string CountryName = "\xD0\xCE\xD1\xD1\xC8\xDF";  // "РОССИЯ" in windows-1251
  std::string ForeignAddress;
  std::string CountryCode = "643";
};

struct mTPersonAddress {
  std::uint8_t AddressKind = 0;  // 0 place of residence, 1 place of stay
  std::string PostIndex;
  std::uint16_t RegionCode = 0;
  std::string RegionName;
  std::string District;
  std::string City;
  std::string Locality;
  std::string Street;
  std::string House;
  std::string Building;
  std::string Flat;
  std::string Oktmo;
};

// Two texts; the second of `HomePhone` is the contact phone, the rest are kept for the file.
struct mTPersonPhone {
  std::string First;
  std::string Second;
};

class mTPersonInformation {
 public:
  mTPersonName Name;
  mTPersonDoc Document;
  mTForeigner Foreigner;
  mTPersonAddress Address;
  mTPersonPhone HomePhone;
  mTPersonPhone WorkPhone;
  mTPersonPhone ForeignHomePhone;
  mTPersonPhone ForeignWorkPhone;
  std::uint8_t DocumentExtra = 0;

  int SaveToStorage(mTDocumentStorage& storage) const;
  // Reads what a file of the storage's year holds (its header's storage name).
  void LoadFromStorage(mTDocumentStorage& storage);
  std::uint32_t StoredSize() const;

  template <class V>
  void VisitFields(V& v) {
    v.Field("Surname", Name.Surname);
    v.Field("FirstName", Name.FirstName);
    v.Field("Patronymic", Name.Patronymic);
    v.Field("Inn", Name.Inn);
    v.Field("NameExtra1", Name.NameExtra1);
    v.Field("NameExtra2", Name.NameExtra2);
    v.Field("DocTypeCode", Document.DocTypeCode);
    v.Field("DocTypeName", Document.DocTypeName);
    v.Field("DocSeriesNumber", Document.DocSeriesNumber);
    v.Date("DocIssueDate", Document.DocIssueDate);
    v.Date("BirthDate", Document.BirthDate);
    v.Field("DocIssuedBy", Document.DocIssuedBy);
    v.Field("BirthPlace", Document.BirthPlace);
    v.Field("DocumentExtra", DocumentExtra);
    v.Field("CitizenshipKind", Foreigner.CitizenshipKind);
    v.Field("CountryName", Foreigner.CountryName);
    v.Field("ForeignAddress", Foreigner.ForeignAddress);
    v.Field("CountryCode", Foreigner.CountryCode);
    v.Field("AddressKind", Address.AddressKind);
    v.Field("PostIndex", Address.PostIndex);
    v.Field("RegionCode", Address.RegionCode);
    v.Field("RegionName", Address.RegionName);
    v.Field("District", Address.District);
    v.Field("City", Address.City);
    v.Field("Locality", Address.Locality);
    v.Field("Street", Address.Street);
    v.Field("House", Address.House);
    v.Field("Building", Address.Building);
    v.Field("Flat", Address.Flat);
    v.Field("Oktmo", Address.Oktmo);
    v.Field("HomePhone1", HomePhone.First);
    v.Field("HomePhone", HomePhone.Second);
    v.Field("WorkPhone1", WorkPhone.First);
    v.Field("WorkPhone2", WorkPhone.Second);
    v.Field("ForeignHomePhone1", ForeignHomePhone.First);
    v.Field("ForeignHomePhone2", ForeignHomePhone.Second);
    v.Field("ForeignWorkPhone1", ForeignWorkPhone.First);
    v.Field("ForeignWorkPhone2", ForeignWorkPhone.Second);
  }
};

// The tax year of a storage name "Talver2004" … "Talver2016", or 0 for any other name.
int StorageNameYear(std::string_view storageName);

}  // namespace talver
