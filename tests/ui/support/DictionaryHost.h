#pragma once
// A host for a page built on its own that also offers the dictionary files the program reads
// at start-up: the shipped ones, or ones a test writes.
#include <QDir>
#include <QPixmap>

#include <filesystem>
#include <optional>

#include "tests/ui/support/UiTestSupport.h"
#include "dictionaries/Countries.h"
#include "dictionaries/CurrencyRates.h"
#include "dictionaries/Okved.h"

namespace talver::test {

inline std::filesystem::path ShippedFile(const char* name) { return std::filesystem::path(TALVER_RESOURCE_DIR) / name; }

// The shipped dictionaries, read once for the whole test program.
inline const TCurrencyRates& ShippedRates() {
  static const TCurrencyRates rates = TCurrencyRates::LoadFile(ShippedFile("CurrencyRates.xml"));
  return rates;
}
inline const TCountryDirectory& ShippedCountries() {
  static const TCountryDirectory countries = TCountryDirectory::LoadFile(ShippedFile("Oksm.xml"));
  return countries;
}
inline const TOkvedDictionary& ShippedOkved() {
  static const TOkvedDictionary okved = TOkvedDictionary::LoadFile(ShippedFile("Sp_OKVED2.xml"));
  return okved;
}

class DictionaryHost : public TestPageHost {
 public:
  // nullptr: that file was missing at start-up.
  const TCurrencyRates* rates = &ShippedRates();
  const TCountryDirectory* countries = &ShippedCountries();
  const TOkvedDictionary* okved = &ShippedOkved();

  const TCountryDirectory* Countries() const override { return countries; }
  const TOkvedDictionary* Okved() const override { return okved; }
  const TCurrencyRates* CurrencyRates() const override { return rates; }
};

// Puts the shipped dictionary files beside a test's program.
inline void InstallShippedDictionaries(const std::filesystem::path& programFolder) {
  for (const char* name : {"CurrencyRates.xml", "Oksm.xml", "Sp_OKVED2.xml"}) {
    std::filesystem::copy_file(ShippedFile(name), programFolder / "resources" / name,
                               std::filesystem::copy_options::overwrite_existing);
  }
}

}  // namespace talver::test
