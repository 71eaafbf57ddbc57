#include "dictionaries/IncomeDictionary.h"

#include "dictionaries/DictionaryFiles.h"
#include "platform/Errors.h"
#include "platform/NumberText.h"
#include "platform/Text1251.h"

namespace talver {
namespace {

using dictionary_detail::EntryPlace;
using dictionary_detail::TEntryReader;

bool IsTrue(const std::optional<std::string>& text) { return text && *text == "True"; }

std::int32_t RateOf(std::string_view stav) {
  const std::string text = Trim(stav);
  if (text.empty()) return 0;
  try {
    return TextToInt32(text);
  } catch (const EConvertError&) {
    return 0;
  }
}

TDeductionCode ReadDeduction(const TEntryReader& reader) {
  TDeductionCode d;
  d.Code = reader.Attribute("Code");
  d.Name = reader.Attribute("Name");
  d.Norm = reader.IntAttribute("Stav");
  d.Visible = IsTrue(reader.Attribute("Visible"));
  d.Enabled = IsTrue(reader.Attribute("Enabled"));
  d.Equivalent = IsTrue(reader.Attribute("Equivalent"));
  const std::string maxSum = Trim(reader.Attribute("MaxSum"));
  try {
    d.MaxSum = maxSum.empty() ? Currency() : TextToCurrency(maxSum, '.');
  } catch (const EConvertError&) {
    reader.Fail("атрибут MaxSum \"" + Cp1251ToUtf8(maxSum) + "\" не является суммой");
  }
  if (d.MaxSum < Currency()) reader.Fail("атрибут MaxSum отрицателен");
  return d;
}

}  // namespace

std::int32_t TIncomeCode::Rate() const { return RateOf(Stav); }

const TDeductionCode* TIncomeCode::FindDeduction(std::string_view code) const {
  for (const TDeductionCode& d : Deductions) {
    if (d.Code == code) return &d;
  }
  return nullptr;
}

TIncomeDictionary TIncomeDictionary::LoadBuiltIn() { return FromXml(BuiltInIncomeDictText()); }

TIncomeDictionary TIncomeDictionary::FromXml(std::string_view bytes, const std::string& fileName) {
  const XmlDocument doc = dictionary_detail::ParseDictionary(bytes, fileName);
  TIncomeDictionary dictionary;
  const std::vector<XmlElement> children = doc.DocumentElement().Children();
  for (std::size_t i = 0; i < children.size(); ++i) {
    const XmlElement& element = children[i];
    if (element.Name() != "Income") continue;
    const TEntryReader reader(element, fileName, EntryPlace(i, element));
    TIncomeCode income;
    income.Code = reader.Attribute("Code");
    income.Name = reader.Attribute("Name");
    income.Stav = reader.Attribute("Stav");
    reader.IntAttribute("Stav");  // a rate that does not read is a damaged file
    income.SaleDate = IsTrue(element.Attribute("SaleDate"));
    income.NRez13 = IsTrue(element.Attribute("NRez13"));
    const std::vector<XmlElement> deductions = element.Children();
    for (std::size_t j = 0; j < deductions.size(); ++j) {
      if (deductions[j].Name() != "Deduction") continue;
      const TEntryReader deductionReader(
          deductions[j], fileName,
          EntryPlace(i, element) + ", код " + Cp1251ToUtf8(income.Code) + ", " + EntryPlace(j, deductions[j]));
      income.Deductions.push_back(ReadDeduction(deductionReader));
    }
    dictionary.incomes_.push_back(std::move(income));
  }
  return dictionary;
}

const TIncomeCode* TIncomeDictionary::FindIncome(std::string_view code) const {
  for (const TIncomeCode& income : incomes_) {
    if (income.Code == code) return &income;
  }
  return nullptr;
}

const TDeductionCode* TIncomeDictionary::FindDeduction(std::string_view incomeCode, std::string_view deductCode) const {
  const TIncomeCode* income = FindIncome(incomeCode);
  return income ? income->FindDeduction(deductCode) : nullptr;
}

std::vector<const TIncomeCode*> TIncomeDictionary::ListIncomes(std::string_view rateFilter, bool nrez13Only) const {
  std::vector<const TIncomeCode*> rows;
  for (const TIncomeCode& income : incomes_) {
    bool listed = false;
    if (rateFilter.empty()) {
      listed = true;
    } else if (rateFilter.size() == 3) {
      // The non-resident's 13 % dialog: every income at 13 or 35, but the tax-free 2620.
      listed = (income.Stav == "13" || income.Stav == "35") && income.Code != "2620";
    } else {
      listed = income.Stav == rateFilter && (!nrez13Only || income.NRez13);
    }
    if (listed) rows.push_back(&income);
  }
  return rows;
}

std::vector<const TDeductionCode*> TIncomeDictionary::ListDeductions(std::string_view incomeCode, bool fullList) const {
  std::vector<const TDeductionCode*> rows;
  const TIncomeCode* income = FindIncome(incomeCode);
  if (income == nullptr) return rows;
  for (const TDeductionCode& d : income->Deductions) {
    const bool listed = fullList || d.Code == "0" || (!d.Code.empty() && (d.Code[0] == '2' || d.Code[0] == '5'));
    if (listed) rows.push_back(&d);
  }
  return rows;
}

// ---- pickers ----

namespace {

template <class Row>
std::optional<std::size_t> RowOfCode(const std::vector<const Row*>& rows, std::string_view code) {
  if (rows.empty()) return std::nullopt;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i]->Code == code) return i;
  }
  return 0;
}

}  // namespace

TIncomeCodePicker::TIncomeCodePicker(const TIncomeDictionary& dictionary, std::string rateFilter, bool nrez13Only)
    : dictionary_(dictionary), rateFilter_(std::move(rateFilter)), rows_(dictionary.ListIncomes(rateFilter_, nrez13Only)) {}

std::optional<std::size_t> TIncomeCodePicker::InitialRow(std::string_view currentCode) const {
  return RowOfCode(rows_, currentCode);
}

std::optional<TIncomePick> TIncomeCodePicker::Choose(std::size_t row) const {
  if (row >= rows_.size()) return std::nullopt;
  const TIncomeCode* income = dictionary_.FindIncome(rows_[row]->Code);
  TIncomePick pick;
  pick.Code = income->Code;
  pick.Name = income->Name;
  pick.Rate = rateFilter_.empty() ? income->Rate() : RateOf(rateFilter_);
  pick.HasDeductions = income->HasDeductions();
  return pick;
}

TDeductionCodePicker::TDeductionCodePicker(const TIncomeDictionary& dictionary, std::string incomeCode, bool fullList)
    : dictionary_(dictionary), incomeCode_(std::move(incomeCode)), rows_(dictionary.ListDeductions(incomeCode_, fullList)) {}

std::optional<std::size_t> TDeductionCodePicker::InitialRow(std::string_view currentCode) const {
  return RowOfCode(rows_, currentCode);
}

std::optional<TDeductionCode> TDeductionCodePicker::Choose(std::size_t row) const {
  if (row >= rows_.size()) return std::nullopt;
  return *dictionary_.FindDeduction(incomeCode_, rows_[row]->Code);
}

}  // namespace talver
