#include "model/PersonClasses.h"

namespace talver {
namespace {

constexpr std::uint16_t kOwnerSave = 370;
constexpr std::uint16_t kOwnerLoad = 371;

}  // namespace

int StorageNameYear(std::string_view storageName) {
  constexpr std::string_view kPrefix = "Talver";
  if (storageName.size() != kPrefix.size() + 4 || storageName.substr(0, kPrefix.size()) != kPrefix) return 0;
  int year = 0;
  for (char c : storageName.substr(kPrefix.size())) {
    if (c < '0' || c > '9') return 0;
    year = year * 10 + (c - '0');
  }
  return year >= 2004 && year <= 2016 ? year : 0;
}

int mTPersonInformation::SaveToStorage(mTDocumentStorage& s) const {
  WithOwnerCode(kOwnerSave, [&] {
    s.CreateStream("@PersonName");
    s.WriteString(Name.Surname);
    s.WriteString(Name.FirstName);
    s.WriteString(Name.Patronymic);
    s.WriteString(Name.Inn);
    s.WriteString(Name.NameExtra1);
    s.WriteString(Name.NameExtra2);

    s.CreateStream("@PersonDocument");
    s.WriteWord(Document.DocTypeCode);
    s.WriteString(Document.DocTypeName);
    s.WriteString(Document.DocSeriesNumber);
    s.WriteDate(Document.DocIssueDate);
    s.WriteDate(Document.BirthDate);
    s.WriteString(Document.DocIssuedBy);
    s.WriteString(Document.BirthPlace);
    s.WriteByte(DocumentExtra);

    s.CreateStream("@Foreigner");
    s.WriteString(Foreigner.CitizenshipKind);
    s.WriteString(Foreigner.CountryName);
    s.WriteString(Foreigner.ForeignAddress);
    s.WriteString(Foreigner.CountryCode);

    s.CreateStream("@PhoneForeignerHome");
    s.WriteString(ForeignHomePhone.First);
    s.WriteString(ForeignHomePhone.Second);
    s.CreateStream("@PhoneForeignerWork");
    s.WriteString(ForeignWorkPhone.First);
    s.WriteString(ForeignWorkPhone.Second);

    s.CreateStream("@PersonAddress");
    s.WriteByte(Address.AddressKind);
    s.WriteString(Address.PostIndex);
    s.WriteWord(Address.RegionCode);
    s.WriteString(Address.RegionName);
    s.WriteString(Address.District);
    s.WriteString(Address.City);
    s.WriteString(Address.Locality);
    s.WriteString(Address.Street);
    s.WriteString(Address.House);
    s.WriteString(Address.Building);
    s.WriteString(Address.Flat);
    s.WriteString(Address.Oktmo);

    s.CreateStream("@HomePhone");
    s.WriteString(HomePhone.First);
    s.WriteString(HomePhone.Second);
    s.CreateStream("@WorkPhone");
    s.WriteString(WorkPhone.First);
    s.WriteString(WorkPhone.Second);
  });
  return 0;
}

void mTPersonInformation::LoadFromStorage(mTDocumentStorage& s) {
  const int year = StorageNameYear(s.StorageName);
  const bool known = year != 0;
  const bool since2005 = year >= 2005;
  const bool since2013 = year >= 2013;

  WithOwnerCode(kOwnerLoad, [&] {
    s.OpenStream("@PersonName");
    Name.Surname = s.ReadString();
    Name.FirstName = s.ReadString();
    Name.Patronymic = s.ReadString();
    Name.Inn = s.ReadString();
    if (known) {
      Name.NameExtra1 = s.ReadString();
      Name.NameExtra2 = s.ReadString();
    } else {
      Name.NameExtra2 = "0";
    }

    s.OpenStream("@PersonDocument");
    Document.DocTypeCode = s.ReadWord();
    Document.DocTypeName = s.ReadString();
    Document.DocSeriesNumber = s.ReadString();
    Document.DocIssueDate = s.ReadDate();
    Document.BirthDate = s.ReadDate();
    if (known) {
      Document.DocIssuedBy = s.ReadString();
      Document.BirthPlace = s.ReadString();
      if (since2005) DocumentExtra = s.ReadByte();
    }

    // Citizenship and the foreign phones may be missing from a file: the rest of this group
    // is then skipped and the address is read all the same.
    try {
      s.OpenStream("@Foreigner");
      Foreigner.CitizenshipKind = s.ReadString();
      Foreigner.CountryName = s.ReadString();
      if (known) {
        Foreigner.ForeignAddress = s.ReadString();
        Foreigner.CountryCode = s.ReadString();
      }
      if (since2005) {
        s.OpenStream("@PhoneForeignerHome");
        ForeignHomePhone.First = s.ReadString();
        ForeignHomePhone.Second = s.ReadString();
        s.OpenStream("@PhoneForeignerWork");
        ForeignWorkPhone.First = s.ReadString();
        ForeignWorkPhone.Second = s.ReadString();
      }
    } catch (const mEOpenStream&) {
    }

    s.OpenStream("@PersonAddress");
    if (since2005) Address.AddressKind = s.ReadByte();
    Address.PostIndex = s.ReadString();
    Address.RegionCode = s.ReadWord();
    Address.RegionName = s.ReadString();
    Address.District = s.ReadString();
    Address.City = s.ReadString();
    Address.Locality = s.ReadString();
    Address.Street = s.ReadString();
    Address.House = s.ReadString();
    Address.Building = s.ReadString();
    Address.Flat = s.ReadString();
    if (since2013) Address.Oktmo = s.ReadString();
    if (!since2005) return;

    s.OpenStream("@HomePhone");
    HomePhone.First = s.ReadString();
    HomePhone.Second = s.ReadString();
    s.OpenStream("@WorkPhone");
    WorkPhone.First = s.ReadString();
    WorkPhone.Second = s.ReadString();
  });
}

std::uint32_t mTPersonInformation::StoredSize() const {
  return CountStoredSize([&](mTDocumentStorage& s) { SaveToStorage(s); });
}

}  // namespace talver
