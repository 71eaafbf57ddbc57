#include "cli/StatementCommand.h"

#include <algorithm>
#include <iostream>
#include <optional>

#include "dictionaries/Countries.h"
#include "dictionaries/CurrencyRates.h"
#include "dictionaries/DictionaryFiles.h"
#include "dictionaries/IncomeDictionary.h"
#include "import/Statement.h"
#include "model/DeclClasses.h"
#include "platform/Math2.h"
#include "platform/ProgramFolder.h"

namespace talver {

namespace {

constexpr int kExitOk = 0;
constexpr int kExitNotTaken = 1;
constexpr int kExitBadFile = 2;
constexpr int kExitUsage = 64;

std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

const char* StatusWord(const TStatementLine& line) {
  switch (line.State) {
    case TStatementLine::Status::Taken:
      return line.AlreadyPresent ? "не добавлено" : "добавлено";
    case TStatementLine::Status::OtherYear:
      return "пропущено";
    case TStatementLine::Status::Cancelled:
      return "отменено";
    case TStatementLine::Status::Error:
      break;
  }
  return "ошибка";
}

}  // namespace

int RunStatement(const TStatementCommand& command) {
  TStatementContext context;
  for (const std::string& pair : command.Countries) {
    const std::size_t equals = pair.find('=');
    if (equals == 0 || equals == std::string::npos || equals + 1 == pair.size()) {
      std::cerr << "Неверное значение --country «" << pair << "»: ожидалось ISIN=страна (код ОКСМ или буквы ISO)\n";
      return kExitUsage;
    }
    context.CountryOverrides[pair.substr(0, equals)] = pair.substr(equals + 1);
  }

  mTDeclaration declaration;
  try {
    declaration.LoadFromFile(command.Declaration);
  } catch (const std::exception& e) {
    std::cerr << command.Declaration << ": " << OneLine(DescribeFileError(e)) << "\n";
    return kExitBadFile;
  }

  // The shipped rates and countries: without them no line could be taken, which is a broken
  // installation rather than a fault of the statements.
  std::optional<TCurrencyRates> rates;
  std::optional<TCountryDirectory> countries;
  const TIncomeDictionary dictionary = TIncomeDictionary::LoadBuiltIn();
  try {
    const TDictionaryFolders folders{ExecutableFolder(), {}};
    rates = TCurrencyRates::Load(folders);
    countries = TCountryDirectory::Load(folders);
    for (const auto& [found, name] : {std::pair{rates.has_value(), kCurrencyRatesFileName},
                                      std::pair{countries.has_value(), kOksmFileName}}) {
      if (!found) {
        std::cerr << "Не найден справочник «" << name << "» в " << ShippedDataFolder(ExecutableFolder()).string()
                  << "\n";
        return kExitBadFile;
      }
    }
  } catch (const std::exception& e) {
    std::cerr << OneLine(e.what()) << "\n";
    return kExitBadFile;
  }
  context.Rates = &*rates;
  context.Countries = &*countries;
  context.Dictionary = &dictionary;

  std::vector<TStatement> statements;
  for (const std::string& path : command.Statements) {
    try {
      statements.push_back(ReadStatementFile(path));
    } catch (const EStatement& e) {
      std::cerr << OneLine(e.what()) << "\n";
      return kExitBadFile;
    }
  }

  const TStatementImport import = PrepareStatementImport(statements, declaration, context);
  std::size_t notTaken = 0;
  std::size_t present = 0;
  for (const TStatementLine& line : import.Lines) {
    std::cout << StatusWord(line) << ": " << StatementLineSummary(line) << "\n";
    if (line.State == TStatementLine::Status::Error) ++notTaken;
    if (line.AlreadyPresent) ++present;
  }
  const std::vector<bool> chosen = import.DefaultChoice();
  const std::size_t toAdd = static_cast<std::size_t>(std::count(chosen.begin(), chosen.end(), true));
  std::cout << "Итого к добавлению: " << toAdd << ", доход " << FormatSumKopecks(import.Roubles) << " руб., налог в РФ "
            << FormatSumKopecks(import.RussianTax) << ", зачтено " << FormatSumKopecks(import.Credit)
            << ", к уплате " << FormatSumKopecks(import.Due) << "\n";
  if (present > 0) {
    std::cout << "Уже есть в декларации и не добавлено: " << present << " (отчет импортирован повторно?)\n";
  }
  if (notTaken > 0 && !command.Partial) {
    std::cerr << "Строк, которые не могут быть добавлены: " << notTaken << "; файл " << command.Output
              << " не записан (с --partial будут записаны остальные)\n";
    return kExitNotTaken;
  }

  ApplyStatementImport(import, declaration, &chosen);
  // The save writes a temporary beside the target and renames it only when complete.
  try {
    declaration.SaveToFile(command.Output);
  } catch (const std::exception& e) {
    std::cerr << command.Output << ": " << OneLine(DescribeFileError(e)) << "\n";
    return kExitBadFile;
  }
  if (notTaken > 0) {
    std::cerr << "Строк, которые не могут быть добавлены: " << notTaken << "; остальные записаны в " << command.Output
              << "\n";
    return kExitNotTaken;
  }
  return kExitOk;
}

}  // namespace talver
