#pragma once
// What the windows ask of the world outside them: messages and questions, file and folder
// dialogs, the printer choice and opening a web or mail address. The program uses the real
// dialogs (QtSeams.cpp); the tests put scripted answers in their place.
#include <QString>
#include <QUrl>

#include <filesystem>
#include <functional>
#include <memory>
#include <string_view>

#include "check/CheckClasses.h"
#include "export/ExportDriver.h"
#include "platform/Presenter.h"

class QWidget;

namespace talver {

class IPrintModule;

enum class QuestionAnswer { Yes, No, Cancel };

// The core's presenter plus the one question the main window asks.
class IUiPresenter : public IPresenter {
 public:
  // Yes, No and Cancel with a question icon; the close box answers Cancel.
  virtual QuestionAnswer AskYesNoCancel(std::string_view text, std::string_view caption) = 0;
  // "Да" and "Нет" with a question icon; true for "Да" (the close box answers "Нет").
  virtual bool AskYesNo(std::string_view text, std::string_view caption) {
    return AskYesNoCancel(text, caption) == QuestionAnswer::Yes;
  }
  // The one-error dialog of an entry dialog's confirmation: "Пропустить все" is always
  // disabled, "Пропустить" as `skipEnabled` says; the close box answers Skip.
  virtual CheckAnswer ShowEntryError(std::string_view title, std::string_view message, bool skipEnabled) {
    const CheckAnswer answer = ShowCheckError(CheckDialog::PageCheck, title, message, skipEnabled);
    return answer == CheckAnswer::SkipAll ? CheckAnswer::Skip : answer;
  }
};

class IFileDialogs {
 public:
  virtual ~IFileDialogs() = default;
  // `filter` in Qt's form ("Тальвер 2016 (*.tv6);;…"); an empty result means cancelled.
  virtual QString GetOpenFileName(QWidget* parent, const QString& folder, const QString& filter,
                                  const QString& defaultSuffix) = 0;
  virtual QString GetSaveFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix) = 0;
  virtual QString GetExistingDirectory(QWidget* parent, const QString& caption) = 0;
  // The print dialog: false when cancelled, otherwise the chosen printer and number of copies.
  // Printing to a file, the printer's name is the path of the PDF file chosen.
  virtual bool ChoosePrinter(QWidget* parent, QString& printerName, int& copies) = 0;
  // The default browser or mail program; false when it could not be started.
  virtual bool OpenUrl(const QUrl& url) = 0;
};

// Creates the external print module; nullptr (or a throw) when it cannot be created.
using PrintModuleFactory = std::function<std::unique_ptr<IPrintModule>()>;
// The whole-return check and the export as the commands call them.
using CheckFunction = std::function<CheckResult(mTDeclaration&, IPresenter&)>;
using ExportFunction = std::function<std::string(const std::filesystem::path& folder, mTDeclaration&, int mode,
                                                 IPresenter&)>;

// Everything the main window takes from outside. Empty members get the program's defaults.
struct TUiEnvironment {
  IUiPresenter* Presenter = nullptr;
  IFileDialogs* Dialogs = nullptr;
  PrintModuleFactory CreatePrintModule;
  CheckFunction Check;          // empty: CheckDeclaration
  ExportFunction Export;        // empty: ExportDeclaration with ExportDates
  // The folder of the executable; the shipped files are found from it (ShippedDataFolder).
  std::filesystem::path ProgramFolder;
  // The user's data folder: files the program writes, read before the shipped copies.
  std::filesystem::path DataFolder;
  ExportEnvironment ExportDates;
};

// The real dialogs.
IUiPresenter& QtPresenter();
IFileDialogs& QtFileDialogs();

// The program's own texts and addresses.
inline constexpr char kProductName[] = "Тальвер 2016";
inline constexpr char kOrganizationName[] = "Орвента";
inline constexpr char kSupportEmail[] = "support@talver2016.example";
inline constexpr char kWebSite[] = "https://talver2016.example/";
// Where the tax authority publishes the register of its offices.
inline constexpr char kSounSite[] = "https://www.nalog.gov.ru/";

}  // namespace talver
