// talver-cli: the declaration core from the command line, for accountants preparing many
// returns, for scripts and for end-to-end tests.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "check/CheckClasses.h"
#include "cli/ImportCommand.h"
#include "cli/ModelJson.h"
#include "cli/StatementCommand.h"
#include "cli/Summary.h"
#include "export/ExportDriver.h"
#include "model/DeclClasses.h"
#include "platform/Errors.h"
#include "platform/Guid.h"
#include "platform/Presenter.h"

namespace {

using namespace talver;

constexpr int kExitOk = 0;
constexpr int kExitCheckFailed = 1;
constexpr int kExitBadFile = 2;
constexpr int kExitUsage = 64;

// Answers every check error as a person pressing "Исправить" on the first one, and keeps it;
// messages of the export go to standard error.
class CliPresenter : public IPresenter {
 public:
  CheckAnswer ShowCheckError(CheckDialog, std::string_view title, std::string_view message, bool) override {
    if (!error_) error_ = std::string(title) + ": " + std::string(message);
    return CheckAnswer::Fix;
  }
  void ShowMessage(std::string_view text, std::string_view, MessageIcon) override {
    std::cerr << prefix_ << text << "\n";
  }
  void SetPrefix(std::string prefix) { prefix_ = std::move(prefix); }
  const std::optional<std::string>& Error() const { return error_; }
  void Reset() { error_.reset(); }

 private:
  std::optional<std::string> error_;
  std::string prefix_;
};

// The container's messages break their line with a carriage return, which a terminal would
// print over; here it is a blank.
std::string Oneline(std::string text) {
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

// Reads a declaration file; one that cannot be read is reported on standard error in the
// program's words.
std::optional<mTDeclaration> LoadOrReport(const std::string& path) {
  mTDeclaration declaration;
  try {
    declaration.LoadFromFile(path);
  } catch (const std::exception& e) {
    std::cerr << path << ": " << Oneline(DescribeFileError(e)) << "\n";
    return std::nullopt;
  }
  return declaration;
}

// "Проверка…" answered: the error line with its page and field.
std::string CheckLine(const CheckResult& result, const CliPresenter& presenter) {
  std::string line = presenter.Error().value_or("Проверка прервана");
  if (result.Result == CheckResult::Outcome::Fix) {
    line += " [страница " + std::to_string(result.Page) + ", поле " + std::to_string(result.Item) + "]";
  }
  return line;
}

struct ExportOptions {
  std::string Date;
  std::string Guid;
};

ExportEnvironment MakeEnvironment(const ExportOptions& options) {
  ExportEnvironment environment;
  if (!options.Date.empty()) {
    const TDate date = TextToDate(options.Date, '.');
    environment.Today = [date] { return date; };
  }
  if (!options.Guid.empty()) {
    const std::string guid = NormalizeGuid(options.Guid);
    environment.NewGuid = [guid] { return guid; };
  }
  return environment;
}

int RunCheck(const std::string& path) {
  std::optional<mTDeclaration> declaration = LoadOrReport(path);
  if (!declaration) return kExitBadFile;
  CliPresenter presenter;
  const CheckResult result = CheckDeclaration(*declaration, presenter);
  if (result.Result == CheckResult::Outcome::Passed) {
    std::cout << "Проверка декларации завершена успешно\n";
    return kExitOk;
  }
  std::cout << CheckLine(result, presenter) << "\n";
  return kExitCheckFailed;
}

int RunExport(const std::vector<std::string>& paths, const std::string& folder, bool noCheck,
              const ExportOptions& options) {
  const ExportEnvironment environment = MakeEnvironment(options);
  int status = kExitOk;
  for (const std::string& path : paths) {
    std::optional<mTDeclaration> declaration = LoadOrReport(path);
    if (!declaration) {
      status = std::max(status, kExitBadFile);
      continue;
    }
    CliPresenter presenter;
    presenter.SetPrefix(path + ": ");
    if (!noCheck) {
      const CheckResult result = CheckDeclaration(*declaration, presenter);
      if (result.Result != CheckResult::Outcome::Passed) {
        std::cerr << path << ": " << CheckLine(result, presenter) << "\n";
        status = std::max(status, kExitCheckFailed);
        continue;
      }
    }
    const std::string name = ExportDeclaration(folder, *declaration, kExportToFile, presenter, environment);
    if (name == "ERROR") {
      std::cerr << path << ": Файл не сформирован, свяжитесь с разработчиками.\n";
      status = std::max(status, kExitBadFile);
      continue;
    }
    std::cout << (std::filesystem::path(folder) / name).string() << "\n";
  }
  return status;
}

int RunXml(const std::string& path, const ExportOptions& options) {
  std::optional<mTDeclaration> declaration = LoadOrReport(path);
  if (!declaration) return kExitBadFile;
  CliPresenter presenter;
  const std::string text = ExportDeclaration({}, *declaration, kExportToText, presenter, MakeEnvironment(options));
  if (text == "ERROR") return kExitBadFile;
  std::fwrite(text.data(), 1, text.size(), stdout);
  return kExitOk;
}

int RunSummary(const std::string& path) {
  std::optional<mTDeclaration> declaration = LoadOrReport(path);
  if (!declaration) return kExitBadFile;
  std::cout << SummaryToJson(*declaration).dump(2) << "\n";
  return kExitOk;
}

int RunDump(const std::string& path) {
  std::optional<mTDeclaration> declaration = LoadOrReport(path);
  if (!declaration) return kExitBadFile;
  std::cout << DeclarationToJson(*declaration).dump(2) << "\n";
  return kExitOk;
}

int RunBuild(const std::string& jsonPath, const std::string& output) {
  std::ifstream in(jsonPath, std::ios::binary);
  if (!in) {
    std::cerr << jsonPath << ": Не удается открыть файл\n";
    return kExitBadFile;
  }
  const std::string text((std::istreambuf_iterator<char>(in)), {});
  nlohmann::json json;
  try {
    json = nlohmann::json::parse(text);
  } catch (const nlohmann::json::parse_error& e) {
    std::cerr << jsonPath << ": Неправильный JSON: " << e.what() << "\n";
    return kExitBadFile;
  }
  mTDeclaration declaration;
  try {
    DeclarationFromJson(json, declaration);
  } catch (const std::exception& e) {
    std::cerr << jsonPath << ": " << e.what() << "\n";
    return kExitBadFile;
  }
  try {
    declaration.SaveToFile(output);
  } catch (const std::exception& e) {
    std::cerr << output << ": " << Oneline(DescribeFileError(e)) << "\n";
    return kExitBadFile;
  }
  return kExitOk;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Тальвер 2016: декларации 3-НДФЛ и 4-НДФЛ за 2016 год из командной строки", "talver-cli"};
  app.set_version_flag("--version", "talver-cli 1.0.0 (Тальвер 2016)");
  app.require_subcommand(1);

  std::string file;
  std::vector<std::string> files;
  std::string folder = ".";
  std::string output;
  bool noCheck = false;
  ExportOptions options;

  CLI::App* check = app.add_subcommand("check", "Проверить декларацию");
  check->add_option("FILE", file, "Файл декларации (.tv6)")->required();
  CLI::App* exportCmd = app.add_subcommand("export", "Выгрузить декларации в xml-файлы налогового органа");
  exportCmd->add_option("FILES", files, "Файлы деклараций (.tv6)")->required();
  exportCmd->add_option("-o,--output", folder, "Каталог для xml-файлов (по умолчанию текущий)");
  exportCmd->add_flag("--no-check", noCheck, "Не проверять декларацию перед выгрузкой");
  CLI::App* xml = app.add_subcommand("xml", "Вывести xml декларации (windows-1251)");
  xml->add_option("FILE", file, "Файл декларации (.tv6)")->required();
  for (CLI::App* cmd : {exportCmd, xml}) {
    cmd->add_option("--date", options.Date, "Дата файла ДД.ММ.ГГГГ");
    cmd->add_option("--guid", options.Guid, "Уникальная часть имени файла (GUID)");
  }
  CLI::App* summary = app.add_subcommand("summary", "Расчет листов и разделов декларации в JSON");
  summary->add_option("FILE", file, "Файл декларации (.tv6)")->required();
  CLI::App* dump = app.add_subcommand("dump", "Содержимое декларации в JSON");
  dump->add_option("FILE", file, "Файл декларации (.tv6)")->required();
  CLI::App* build = app.add_subcommand("build", "Файл декларации из JSON");
  build->add_option("DOC", file, "Декларация в JSON")->required();
  build->add_option("-o,--output", output, "Файл декларации (.tv6)")->required();
  CLI::App* importCmd = app.add_subcommand("import", "Файл декларации из xml-файла налогового органа");
  importCmd->add_option("FILE", file, "Декларация в формате xml")->required();
  importCmd->add_option("-o,--output", output, "Файл декларации (.tv6)")->required();
  TStatementCommand statementArgs;
  CLI::App* statementCmd = app.add_subcommand("statement", "Дивиденды из отчетов брокера в доходы за пределами РФ");
  statementCmd->add_option("FILE", statementArgs.Declaration, "Файл декларации (.tv6)")->required();
  statementCmd->add_option("STATEMENTS", statementArgs.Statements, "Отчеты брокера (CSV, XML)")->required();
  statementCmd->add_option("-o,--output", statementArgs.Output, "Файл декларации с добавленными доходами (.tv6)")
      ->required();
  statementCmd->add_flag("--partial", statementArgs.Partial, "Записать доходы, даже если часть строк не добавлена");
  statementCmd->add_option("--country", statementArgs.Countries, "Страна эмитента: ISIN=код ОКСМ или буквы ISO");

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e);
    return code == 0 ? 0 : kExitUsage;
  }

  try {
    if (!options.Date.empty()) TextToDate(options.Date, '.');
    if (!options.Guid.empty()) NormalizeGuid(options.Guid);
  } catch (const EConvertError&) {
    std::cerr << "Неверное значение --date (ДД.ММ.ГГГГ) или --guid (XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX)\n";
    return kExitUsage;
  }

  if (*check) return RunCheck(file);
  if (*exportCmd) return RunExport(files, folder, noCheck, options);
  if (*xml) return RunXml(file, options);
  if (*summary) return RunSummary(file);
  if (*dump) return RunDump(file);
  if (*build) return RunBuild(file, output);
  if (*importCmd) return RunImport(file, output);
  if (*statementCmd) return RunStatement(statementArgs);
  return kExitUsage;
}
