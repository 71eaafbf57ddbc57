#include "cli/ImportCommand.h"

#include <iostream>

#include "dictionaries/IncomeDictionary.h"
#include "import/ReturnXml.h"

namespace talver {

int RunImport(const std::string& xmlPath, const std::string& output) {
  constexpr int kExitOk = 0;
  constexpr int kExitBadFile = 2;
  TReturnXmlImport imported;
  try {
    const TIncomeDictionary dictionary = TIncomeDictionary::LoadBuiltIn();
    imported = ImportReturnXmlFile(xmlPath, &dictionary);
  } catch (const std::exception& e) {
    std::cerr << xmlPath << ": " << e.what() << "\n";
    return kExitBadFile;
  }
  // The save writes a temporary beside the target and renames it only when complete.
  try {
    imported.Declaration->SaveToFile(output);
  } catch (const std::exception& e) {
    std::string message = DescribeFileError(e);
    for (char& c : message) {
      if (c == '\r' || c == '\n') c = ' ';
    }
    std::cerr << output << ": " << message << "\n";
    return kExitBadFile;
  }
  const std::string losses = imported.LossMessage();
  if (!losses.empty()) std::cout << losses << "\n";
  return kExitOk;
}

}  // namespace talver
