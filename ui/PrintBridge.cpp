#include "ui/PrintBridge.h"

#include "ui/PrintModule.h"

namespace talver {

std::unique_ptr<IPrintModule> CreateInstalledPrintModule() { return std::make_unique<TPrintModule>(); }

}  // namespace talver
