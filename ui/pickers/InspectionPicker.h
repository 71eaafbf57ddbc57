#pragma once
// The tax inspection directory in the window: the picker "Справочник инспекций" over the
// directory file, and the dialog "Загрузка СОУН" that rebuilds that file from the tax
// authority's register.
#include <QDialog>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/framework/MyFrame.h"
#include "ui/framework/Seams.h"

class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace talver {

// The inspections of the directory in file order: the user's rebuilt copy, else the shipped one. None when there is no directory file; none
// with `error` set when the file exists but cannot be read.
std::optional<std::vector<InspectionChoice>> LoadInspectionDirectory(const std::filesystem::path& dataFolder,
                                                                     const std::filesystem::path& programFolder,
                                                                     std::string& error);

// Rebuilds the directory from the register: (register path, directory path to write,
// version, date "DD.MM.YYYY"). Throws on any failure.
using SounImport = std::function<void(const std::filesystem::path&, const std::filesystem::path&, const std::string&,
                                      const std::string&)>;

struct TImportSettings {
  std::filesystem::path DataFolder;     // where the rebuilt directory goes
  std::filesystem::path ProgramFolder;  // where the register is looked for, and the help
  IUiPresenter* Presenter = nullptr;
  IFileDialogs* Dialogs = nullptr;
  SounImport Import;                    // empty: the dictionaries' import
};

// The import of the register into a directory file.
SounImport DictionaryImport();

// The first inspection of `code` in a directory's list, or none.
std::optional<InspectionChoice> FindInspectionIn(const std::vector<InspectionChoice>& inspections,
                                                 const std::string& code);

class TfmInspections : public QDialog {
  Q_OBJECT
 public:
  TfmInspections(QWidget* owner, const std::vector<InspectionChoice>& inspections, TImportSettings settings);

  // Shows the picker with the row of `currentCode` selected; the chosen inspection, or none
  // for "Нет".
  std::optional<InspectionChoice> Execute(const std::string& currentCode);
  // Selects and focuses the first row of that code.
  void SelectCode(const std::string& code);
  // "Пролистал весь справочник, моя инспекция отсутствует...".
  void OpenImport();

 private:
  QTreeWidget* lvInspections;
  std::vector<InspectionChoice> inspections_;
  TImportSettings settings_;
};

class TfmLoadSoun : public QDialog {
  Q_OBJECT
 public:
  TfmLoadSoun(QWidget* owner, TImportSettings settings);

  void ChooseFile();
  void RunImport();
  void OpenHelp();
  void OpenSite();

 private:
  TImportSettings settings_;
  QLineEdit* edPath;
  QPushButton* btImport;
  QPushButton* btOk;
};

}  // namespace talver
