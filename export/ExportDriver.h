#pragma once
// The electronic return: the whole XML document of a 3-НДФЛ or 4-НДФЛ return, saved under the
// tax authority's file name in a folder (mode 1) or handed back as text (any other mode).
#include <filesystem>
#include <functional>
#include <string>

#include "model/DeclClasses.h"
#include "platform/Dates.h"
#include "platform/Presenter.h"

namespace talver {

// Where the export takes the date of the file and the unique part of its identifier; by
// default the local date and a new random GUID. Tests and `talver-cli --date/--guid` fix them.
struct ExportEnvironment {
  std::function<TDate()> Today;
  std::function<std::string()> NewGuid;
};

inline constexpr int kExportToFile = 1;
inline constexpr int kExportToText = 2;

// Mode 1: the name of the file written (without folder). Other modes: the document's text
// (windows-1251 bytes). After a failure: "ERROR", the failure shown through the presenter.
std::string ExportDeclaration(const std::filesystem::path& folder, mTDeclaration& declaration, int mode,
                              IPresenter& presenter, const ExportEnvironment& environment = {});

}  // namespace talver
