#pragma once
// talver-cli import FILE.xml -o FILE.tv6: a return's XML file read back into a declaration file.
#include <string>

namespace talver {

// 0 when the declaration file was written (what the XML could not give back goes to standard
// output); 2 when the XML is refused or the file cannot be written, with the reason on standard
// error and no declaration file written.
int RunImport(const std::string& xmlPath, const std::string& output);

}  // namespace talver
