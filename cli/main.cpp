// talver-cli: the declaration core from the command line, for accountants preparing many
// returns, for scripts and for end-to-end tests.
#include <CLI/CLI.hpp>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <iostream>
#include <map>
#include <optional>
#include <streambuf>
#include <string>
#include <vector>

#include "check/CheckClasses.h"
#include "cli/Explain.h"
#include "cli/ImportCommand.h"
#include "cli/ModelJson.h"
#include "cli/StatementCommand.h"
#include "cli/Summary.h"
#include "export/ExportDocument.h"
#include "export/ExportDriver.h"
#include "model/DeclClasses.h"
#include "platform/Errors.h"
#include "platform/FileAccess.h"
#include "platform/Guid.h"
#include "platform/Presenter.h"
#include "platform/Text1251.h"

namespace {

using namespace talver;

constexpr int kExitOk = 0;
constexpr int kExitCheckFailed = 1;
constexpr int kExitBadFile = 2;
constexpr int kExitUsage = 64;

// A message on standard error, each of its lines after `prefix` (the file concerned). The
// container's messages break their lines with a carriage return, which a terminal would print
// over.
void Report(const std::string& prefix, const std::string& text) {
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
    std::cerr << prefix << text.substr(start, end - start) << "\n";
    start = end + 1;
  }
}

// Answers every check error as a person pressing "Исправить" on the first one, and keeps it;
// messages of the export go to standard error.
class CliPresenter : public IPresenter {
 public:
  CheckAnswer ShowCheckError(CheckDialog, std::string_view title, std::string_view message, bool) override {
    if (!error_) error_ = std::string(title) + ": " + std::string(message);
    return CheckAnswer::Fix;
  }
  void ShowMessage(std::string_view text, std::string_view, MessageIcon) override {
    Report(prefix_, std::string(text));
  }
  void SetPrefix(std::string prefix) { prefix_ = std::move(prefix); }
  const std::optional<std::string>& Error() const { return error_; }
  void Reset() { error_.reset(); }

 private:
  std::optional<std::string> error_;
  std::string prefix_;
};

// Reads a declaration file; one that cannot be read is reported on standard error in the
// program's words.
std::optional<mTDeclaration> LoadOrReport(const std::string& path) {
  mTDeclaration declaration;
  try {
    declaration.LoadFromFile(path);
  } catch (const std::exception& e) {
    Report(path + ": ", DescribeFileError(e));
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
  ExportEnvironment environment = MakeEnvironment(options);
  // With --guid the returns of one taxpayer to one inspection get one name: the second of them
  // would replace the first. It is refused instead, by the name the export will give it.
  std::map<std::string, std::string> names;  // file name → the declaration it was exported from
  if (environment.NewGuid && !environment.Today) {
    const TDate today = Today();
    environment.Today = [today] { return today; };
  }
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
    if (environment.NewGuid) {
      const std::string name = FileIdentifier(*declaration, environment.Today(), environment.NewGuid()) + ".xml";
      const auto [earlier, added] = names.emplace(name, path);
      if (!added) {
        Report(path + ": ", "Файл не сформирован: имя " + Cp1251ToUtf8(name) + " уже получил файл из " + earlier->second +
                                " (одинаковые инспекция, ИНН, дата и --guid), он не будет заменён.");
        status = std::max(status, kExitBadFile);
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
  presenter.SetPrefix(path + ": ");
  const std::string text = ExportDeclaration({}, *declaration, kExportToText, presenter, MakeEnvironment(options));
  if (text == "ERROR") return kExitBadFile;
  std::cout.write(text.data(), static_cast<std::streamsize>(text.size()));
  return kExitOk;
}

int RunSummary(const std::string& path) {
  std::optional<mTDeclaration> declaration = LoadOrReport(path);
  if (!declaration) return kExitBadFile;
  std::cout << SummaryToJson(*declaration).dump(2) << "\n";
  return kExitOk;
}

int RunExplain(const std::string& path, bool json) {
  std::optional<mTDeclaration> declaration = LoadOrReport(path);
  if (!declaration) return kExitBadFile;
  if (json) {
    std::cout << ExplainToJson(*declaration).dump(2) << "\n";
  } else {
    ExplainToText(*declaration, std::cout);
  }
  return kExitOk;
}

int RunDump(const std::string& path) {
  std::optional<mTDeclaration> declaration = LoadOrReport(path);
  if (!declaration) return kExitBadFile;
  std::cout << DeclarationToJson(*declaration).dump(2) << "\n";
  return kExitOk;
}

int RunBuild(const std::string& jsonPath, const std::string& output) {
  mTDeclaration declaration;
  try {
    // A JSON document is read under the limit of a declaration file.
    ReadDeclarationJson(ReadWholeFile(jsonPath, kMaxFileSize), declaration);
  } catch (const std::exception& e) {
    Report(jsonPath + ": ", DescribeFileError(e));
    return kExitBadFile;
  }
  try {
    declaration.SaveToFile(output);
  } catch (const std::exception& e) {
    Report(output + ": ", DescribeFileError(e));
    return kExitBadFile;
  }
  return kExitOk;
}

// A wrong call in the program's words; what it names (options, arguments) as it was typed.
std::string UsageError(const CLI::App& app, const CLI::Error& e) {
  const std::string what = e.what();
  const std::size_t colon = what.find(": ");
  std::string text;
  if (dynamic_cast<const CLI::RequiredError*>(&e) != nullptr) {
    const std::string_view suffix = " is required";
    if (what.rfind("A subcommand", 0) == 0) {
      const std::vector<std::string> unknown = app.remaining();
      text = unknown.empty() ? "не указана команда" : "нет такой команды: " + unknown.front();
    } else if (what.size() > suffix.size() && what.compare(what.size() - suffix.size(), suffix.size(), suffix) == 0) {
      text = "не указан " + what.substr(0, what.size() - suffix.size());
    } else {
      text = "не хватает обязательных аргументов";
    }
  } else if (dynamic_cast<const CLI::ExtrasError*>(&e) != nullptr) {
    text = "лишние аргументы: " + (colon == std::string::npos ? what : what.substr(colon + 2));
  } else if (dynamic_cast<const CLI::ArgumentMismatch*>(&e) != nullptr) {
    text = "не указано значение " + what.substr(0, colon);
  } else {
    text = "неверный вызов (" + what + ")";
  }
  return "talver-cli: " + text + ". Справка: talver-cli --help";
}

int Run(int argc, char** argv) {
  CLI::App app{"Тальвер 2016: декларации 3-НДФЛ и 4-НДФЛ за 2016 год из командной строки", "talver-cli"};
  auto formatter = app.get_formatter();
  formatter->label("Usage", "Вызов");
  formatter->label("OPTIONS", "ПАРАМЕТРЫ");
  formatter->label("SUBCOMMAND", "КОМАНДА");
  formatter->label("Positionals", "Аргументы");
  formatter->label("REQUIRED", "ОБЯЗАТЕЛЬНО");
  app.set_help_flag("-h,--help", "Показать справку и выйти");
  app.set_version_flag("--version", "talver-cli 1.0.0 (Тальвер 2016)", "Показать версию и выйти");
  app.require_subcommand(1);

  std::string file;
  std::vector<std::string> files;
  std::string folder = ".";
  std::string output;
  bool noCheck = false;
  bool json = false;
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
  CLI::App* explain = app.add_subcommand("explain", "Как получена каждая строка раздела 1, до введенных значений");
  explain->add_option("FILE", file, "Файл декларации (.tv6)")->required();
  explain->add_flag("--json", json, "В формате JSON");
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
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    std::cerr << UsageError(app, e) << "\n";
    return kExitUsage;
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
  if (*explain) return RunExplain(file, json);
  if (*build) return RunBuild(file, output);
  if (*importCmd) return RunImport(file, output);
  if (*statementCmd) return RunStatement(statementArgs);
  return kExitUsage;
}

// Standard output of every command: buffered here and written with write(2), the first failure
// kept with its reason. After a failure the rest is dropped: the command has failed already.
class CheckedOutput : public std::streambuf {
 public:
  CheckedOutput() { setp(buffer_, buffer_ + sizeof buffer_); }
  bool Failed() const { return error_ != 0; }
  int Error() const { return error_; }

 protected:
  int_type overflow(int_type c) override {
    if (!Drain()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(c);
      pbump(1);
    }
    return traits_type::not_eof(c);
  }
  int sync() override { return Drain() ? 0 : -1; }

 private:
  bool Drain() {
    const char* next = pbase();
    while (error_ == 0 && next < pptr()) {
      const ssize_t n = ::write(STDOUT_FILENO, next, static_cast<std::size_t>(pptr() - next));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        error_ = n < 0 ? errno : EIO;
        break;
      }
      next += n;
    }
    setp(buffer_, buffer_ + sizeof buffer_);
    return error_ == 0;
  }

  char buffer_[1 << 16];
  int error_ = 0;
};

// What a command wrote to standard output must have got there: a full disk or a closed pipe
// makes the command fail, whatever it did before.
int RunWithCheckedOutput(int argc, char** argv) {
  CheckedOutput output;
  std::streambuf* const previous = std::cout.rdbuf(&output);
  int status = Run(argc, argv);
  std::cout.flush();
  std::cout.rdbuf(previous);
  errno = 0;
  const bool flushed = std::fflush(stdout) == 0 && !std::ferror(stdout);  // anything written through stdio
  const int error = output.Failed() ? output.Error() : flushed ? 0 : errno != 0 ? errno : EIO;
  if (error != 0) {
    std::cerr << "talver-cli: Ошибка записи в стандартный вывод: " << SystemErrorText(error) << "\n";
    status = kExitBadFile;
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) { return RunWithCheckedOutput(argc, argv); }
