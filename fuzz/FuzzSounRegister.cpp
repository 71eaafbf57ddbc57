// Imports arbitrary bytes as the tax authority's register "soun1.dbf". The import either builds
// a directory or refuses the bytes with EDictionaryError; a directory it builds must read back
// as the same inspections.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "dictionaries/Inspections.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  try {
    const talver::XmlDocument doc = talver::BuildInspectionDirectory(in, "00", "14.02.2017", "soun1.dbf");
    const std::vector<talver::XmlElement> written = doc.DocumentElement().Children();
    const talver::TInspectionDirectory again = talver::TInspectionDirectory::FromXml(doc.Serialize());
    if (again.Inspections().size() != written.size()) std::abort();
    for (std::size_t i = 0; i < written.size(); ++i) {
      if (again.Inspections()[i].Code != written[i].Attribute("Code")) std::abort();
      if (again.Inspections()[i].Name != written[i].Text()) std::abort();
    }
  } catch (const talver::EDictionaryError&) {
  }
  return 0;
}
