#include "ui/print/PrintBridge.h"

#include "ui/print/PrintModule.h"

namespace talver {

std::unique_ptr<IPrintModule> CreateInstalledPrintModule() { return std::make_unique<TPrintModule>(); }

}  // namespace talver
