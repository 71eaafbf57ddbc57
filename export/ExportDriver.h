#pragma once
// The electronic return: the whole XML document of a 3-НДФЛ or 4-НДФЛ return, saved under the
// tax authority's file name in a folder (mode 1) or handed back as text (any other mode).
#include <filesystem>
#include <functional>
#include <string>

#include "model/DeclClasses.h"
#include "platform/Dates.h"
#include "platform/Presenter.h"
#include "platform/XmlDom.h"

namespace talver {

// Where the export takes the date of the file and the unique part of its identifier; by
// default the local date and a new random GUID. Tests and `talver-cli --date/--guid` fix them.
struct ExportEnvironment {
  std::function<TDate()> Today;
  std::function<std::string()> NewGuid;
};

inline constexpr int kExportToFile = 1;
inline constexpr int kExportToText = 2;

// Computes the return and builds its document. Mode 1: saves it in `folder` under the file
// identifier + ".xml" and returns that name (without folder); the bytes go to a temporary file
// renamed into place when complete, so a failed save leaves no file under that name. Other
// modes: returns the document's text, byte for byte what mode 1 saves (windows-1251, with its
// XML declaration). After a failure: "ERROR", the failure shown through the presenter with its
// reason on a second line (a file name the authority's naming rule does not allow is one). A failing
// computation is shown too, and the export goes on with what the summary holds.
std::string ExportDeclaration(const std::filesystem::path& folder, mTDeclaration& declaration, int mode,
                              IPresenter& presenter, const ExportEnvironment& environment = {});
// The same with the write call of the save given; tests make it fail part-way, as a full disk would.
std::string ExportDeclaration(const std::filesystem::path& folder, mTDeclaration& declaration, int mode,
                              IPresenter& presenter, const ExportEnvironment& environment, const XmlWriteCall& write);

}  // namespace talver
