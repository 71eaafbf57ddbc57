#pragma once
// The text forms values take in the return's XML file, and the small writing rules every sheet
// shares: amounts with kopecks or in general form, dates, padded codes, values written only when
// present. Model text is windows-1251 and goes to the DOM as it is; every value is upper-cased by
// XmlElement::AddAttribute.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/Currency.h"
#include "platform/Dates.h"
#include "platform/XmlDom.h"

namespace talver {

// Incomes, expenses, deductions and bases: roubles and two kopeck digits ("150000.00").
std::string KopecksText(Currency value);
// Tax amounts and section 1 amounts: the shortest decimal form ("19500", "1234.5").
std::string GeneralText(Currency value);
// "DD.MM.YYYY"; a date never entered (day count 0) is "30.12.1899".
std::string DateText(TDate date);
// "YYYY".
std::string YearText(TDate date);
// "YYYYMMDD", the date part of the file identifier.
std::string CompactDateText(TDate date);

// "0" put in front while the text is shorter than `width`.
std::string PadLeftZeros(std::string text, std::size_t width);
// A decimal number left-padded with "0" to two characters (region and document codes).
std::string TwoDigitCode(std::int64_t value);
// Country and currency codes: the trimmed code left-padded with "0" to three characters; a code
// already three or more characters long after trimming is written as stored.
std::string ThreeDigitCode(std::string_view stored);

// True when the text is empty after trimming.
bool IsBlank(std::string_view text);
// The first `count` bytes of the text (windows-1251: one byte a character).
std::string FirstChars(std::string_view text, std::size_t count);

// True when the amounts add up to more than zero; the sum is taken without overflow.
bool SumPositive(std::initializer_list<Currency> amounts);

// Attribute writers named after their forms.
inline void AddKopecks(XmlElement& element, std::string_view name, Currency value) {
  element.AddAttribute(name, KopecksText(value));
}
inline void AddGeneral(XmlElement& element, std::string_view name, Currency value) {
  element.AddAttribute(name, GeneralText(value));
}
inline void AddDate(XmlElement& element, std::string_view name, TDate value) {
  element.AddAttribute(name, DateText(value));
}
// Only when the trimmed text is not empty; the value is written as stored.
void AddIfText(XmlElement& element, std::string_view name, std::string_view value);
// Only when the amount is greater than zero.
void AddKopecksIfPositive(XmlElement& element, std::string_view name, Currency value);
void AddGeneralIfPositive(XmlElement& element, std::string_view name, Currency value);
// Only when the amount is not zero (a negative amount is then written "0.00").
void AddKopecksIfNonZero(XmlElement& element, std::string_view name, Currency value);

// A representative's name split into the three parts of `ФИО`: each part at most 60
// characters, an empty surname or first name written as one blank, the patronymic only when
// there is one.
struct PersonNameParts {
  std::string Surname;
  std::string FirstName;
  std::string Patronymic;  // empty: not written
};
PersonNameParts SplitRepresentativeName(std::string_view fullName);

}  // namespace talver
