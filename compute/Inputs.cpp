#include "compute/Inputs.h"

namespace talver {
namespace {

// A name typed by the user, or "<what> N" when it was left empty.
std::string NameOr(const std::string& name, const char* what, std::size_t index) {
  const std::string trimmed = Trim(name);
  if (!trimmed.empty()) return Cp1251ToUtf8(trimmed);
  return std::string(what) + " " + std::to_string(Position(index));
}

}  // namespace

std::string SourceItem(const mTSourseIncomeInfo& source, std::size_t index) {
  return NameOr(source.Name, "источник", index);
}

std::string EntryItem(const mTSourseIncomeInfo& source, std::size_t index, const mTSourseIncome& entry) {
  std::string item = SourceItem(source, index) + ", код дохода " + std::to_string(entry.IncomeCode);
  const std::string_view month = MonthCaption(entry.Month);
  if (!month.empty()) item += ", " + std::string(month);
  return item;
}

std::string EntryItem(const mTSourseIncomeInfo& source, std::size_t index, const mTInvestTovIncome& entry) {
  return SourceItem(source, index) + ", вид операций " + std::to_string(entry.OperationKind);
}

std::string ForeignItem(const mTCurrencyIncome& income, std::size_t index) {
  return NameOr(income.SourceName, "доход", index) + ", код дохода " + std::to_string(income.IncomeCode);
}

std::string BusinessItem(const mTBusinessNew& activity, std::size_t index) {
  std::string item = "вид деятельности " + std::to_string(Position(index));
  const std::string okved = Trim(activity.Okved);
  if (!okved.empty() && okved != "..") item += " (ОКВЭД " + Cp1251ToUtf8(okved) + ")";
  return item;
}

}  // namespace talver
