#pragma once
// The print module: the program hands it the return's XML text and it previews or prints the
// paper form. These are the module's four members; the program calls nothing else of it.
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

namespace talver {

// A failing call of the module; its message is shown to the user unchanged.
class EPrintModule : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class IPrintModule {
 public:
  virtual ~IPrintModule() = default;
  // Stores one named parameter (UTF-8 name, windows-1251 value).
  virtual void SetPrintTiffParam(const std::string& name, const std::string& value) = 0;
  // The write-only property PrintTiffFolder: the program's folder, with a trailing separator.
  virtual void SetPrintTiffFolder(std::string& folder) = 0;
  // Shows the rendered return; `xml` is the windows-1251 text of the return.
  virtual void PreviewData(std::string& xml, std::int32_t windowHandle) = 0;
  // Prints one copy on the named printer; the program passes "" and 0 for the other two.
  virtual void PrintData(std::string& xml, const std::string& reserved, std::string& printerName,
                         std::int32_t flags) = 0;
};

// The parameter the program sets: the name of the receiving tax authority.
inline constexpr char kRecipientParam[] = "Наименование налогового органа-получателя";

// The installed module: the program's own renderer of the paper form (PrintModule.h). A
// factory that answers nullptr (or throws) stands for a module that is not installed.
std::unique_ptr<IPrintModule> CreateInstalledPrintModule();

}  // namespace talver
