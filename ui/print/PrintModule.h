#pragma once
// The program's own print module: it lays the return out as the paper form (PaperForm.h) and
// shows it in the preview dialog or prints it on the printer named.
#include <QString>

#include <functional>

#include "ui/print/PaperForm.h"
#include "ui/print/PrintBridge.h"

class QPrinter;
class QWidget;

namespace talver {

// Sets `printer` up for the printer named; false when there is no such printer. The program's
// choice takes the installed printers, and a name that is an absolute path as a PDF file to
// print into (what the print dialog's "Печать в файл" chooses; no printer's name is a path).
using PrinterChoice = std::function<bool(const QString& name, QPrinter& printer)>;
bool ChooseInstalledPrinter(const QString& name, QPrinter& printer);

// The print dialog over `parent`: false when the user cancels it; else the printer's name (the
// path of the PDF file for "Печать в файл", which names no printer) and the copies wanted.
bool AskForPrinter(QWidget* parent, QString& printerName, int& copies);

class TPrintModule : public IPrintModule {
 public:
  explicit TPrintModule(PrinterChoice choose = &ChooseInstalledPrinter);

  void SetPrintTiffParam(const std::string& name, const std::string& value) override;
  // The folder is kept; the renderer needs nothing from it.
  void SetPrintTiffFolder(std::string& folder) override;
  // The preview dialog, modal over the window whose handle is given (over the active window
  // when the handle names none).
  void PreviewData(std::string& xml, std::int32_t windowHandle) override;
  void PrintData(std::string& xml, const std::string& reserved, std::string& printerName,
                 std::int32_t flags) override;

  // The pages as this module lays out the text, with the parameters it was given.
  TPaperForm LayOut(const std::string& xml) const;
  const std::string& Folder() const { return folder_; }

 private:
  PrinterChoice choose_;
  TPaperParams params_;
  std::string folder_;
};

// The title of the preview dialog.
inline constexpr char kPreviewTitle[] = "Просмотр декларации";

}  // namespace talver
