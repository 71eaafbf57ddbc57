#include "ui/PrintBridge.h"

namespace talver {

// The paper form's renderer is not part of this build: the module counts as not installed,
// and the print commands tell the user so.
std::unique_ptr<IPrintModule> CreateInstalledPrintModule() { return nullptr; }

}  // namespace talver
