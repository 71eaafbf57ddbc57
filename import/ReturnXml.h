#pragma once
// A return's XML file (3-НДФЛ of format 5.11, 4-НДФЛ of format 5.02) read back into a
// declaration: every element and attribute of the file goes to the fields it is made from.
// Where the file keeps only totals (monthly incomes, the pairing of incomes with deductions,
// the codes of foreign incomes), the totals go where the pages show them, so that the
// computation gives the same sections 2 and 1; what could not be restored is listed, one
// sentence each, for the one message the user is shown.
//
// The file is read as bytes nobody vouches for: bounded in size and depth, without a document
// type, entities or anything fetched from elsewhere. A file that is not such a return, is
// damaged, of another version or tax year, or not in windows-1251, is refused whole with an
// EReturnXml saying why; no declaration comes out of it.
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "model/DeclClasses.h"
#include "platform/Dates.h"

namespace talver {

class TIncomeDictionary;

class EReturnXml : public std::runtime_error {
 public:
  explicit EReturnXml(const std::string& message) : std::runtime_error(message) {}
};

struct TReturnXmlImport {
  std::unique_ptr<mTDeclaration> Declaration;
  TDate FileDate = 0;     // `ДатаДок`, the day the file was made
  std::string FileGuid;   // the unique part of `ИдФайл`
  std::vector<std::string> Losses;  // what the file could not give back (UTF-8)
  // Some figure of the file could not be given back: the declaration computes otherwise
  // somewhere, and Losses says where.
  bool Approximate = false;

  // The one message for the user: the losses under a heading; empty when nothing was lost.
  std::string LossMessage() const;
};

// Names of income codes come from `dictionary` when one is given.
TReturnXmlImport ImportReturnXml(std::string_view bytes, const TIncomeDictionary* dictionary = nullptr);
TReturnXmlImport ImportReturnXmlFile(const std::filesystem::path& path, const TIncomeDictionary* dictionary = nullptr);

// Bounds of a return file: far above any real return, far below what would tie up the machine.
inline constexpr std::size_t kReturnXmlMaxBytes = 32u * 1024u * 1024u;
inline constexpr int kReturnXmlMaxDepth = 16;

}  // namespace talver
