#pragma once
// The pieces of the export below the driver: the file identifier and the whole XML document of
// a return built from a computed summary. The driver (ExportDriver.h) adds the computation, the
// clock, the GUID, the save and the messages.
#include <string>
#include <string_view>

#include "compute/SvodSum.h"
#include "model/DeclClasses.h"
#include "platform/Dates.h"
#include "platform/XmlDom.h"

namespace talver {

// "NO_NDFL3_" or "NO_NDFL4_", the inspection code twice, the ИНН, the date "YYYYMMDD" and the
// GUID, joined by "_". A 3-НДФЛ return without ИНН has twelve zeros in its place; a 4-НДФЛ one
// leaves it empty. The parts are taken as stored (windows-1251).
std::string FileIdentifier(const mTDeclaration& declaration, TDate today, std::string_view guid);

// The document of the return: the root `Файл` with the identifier, and `Документ` for the
// declaration's form dated `today`. Every attribute goes through the DOM, so no text of the
// declaration can change the document's structure.
XmlDocument BuildExportDocument(const mTDeclaration& declaration, const kTSvodSum& summary,
                                const std::string& identifier, TDate today);

}  // namespace talver
