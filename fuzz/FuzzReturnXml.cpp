// Reads a return's XML file from arbitrary bytes. Any outcome but a crash, a sanitizer report
// or a hang is acceptable: a return is read, anything else refused with its reason. What is
// read must bear what the program does with a return: the computation and the export.
#include <cstdint>
#include <string_view>

#include "export/ExportDriver.h"
#include "import/ReturnXml.h"

namespace {

class QuietPresenter final : public talver::IPresenter {
 public:
  talver::CheckAnswer ShowCheckError(talver::CheckDialog, std::string_view, std::string_view, bool) override {
    return talver::CheckAnswer::Cancel;
  }
  void ShowMessage(std::string_view, std::string_view, talver::MessageIcon) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  talver::TReturnXmlImport imported;
  try {
    imported = talver::ImportReturnXml(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const talver::EReturnXml&) {
    return 0;
  }
  QuietPresenter presenter;
  talver::ExportDeclaration({}, *imported.Declaration, talver::kExportToText, presenter);
  (void)imported.LossMessage();
  return 0;
}
