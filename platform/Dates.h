#pragma once
// Dates are day counts since 30.12.1899 held in a double; the fraction is the time of day.
#include <string>
#include <string_view>

namespace talver {

using TDate = double;

struct CalendarDate {
  int Year = 1899;
  int Month = 12;
  int Day = 30;
  friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

bool IsValidDate(int year, int month, int day);
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
// Throws EConvertError for a day that does not exist.
TDate EncodeDate(int year, int month, int day);
// The calendar day of a day count (its fraction ignored).
CalendarDate DecodeDate(TDate date);
// The local calendar day of the machine, without time.
TDate Today();

// "dd.mm.yyyy" with the given separator.
std::string DateToText(TDate date, char separator = '.');
// A calendar date in day, month, year order with the given separator ("1.1.2017", "01.01.2017",
// two-digit years are taken as 1950..2049); throws EConvertError.
TDate TextToDate(std::string_view text, char separator = '.');

}  // namespace talver
