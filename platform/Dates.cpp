#include "platform/Dates.h"

#include <cmath>
#include <cstdio>
#include <ctime>

#include "platform/Errors.h"

namespace talver {
namespace {

// Days from 1970-01-01 to a civil date (proleptic Gregorian).
long DaysFromCivil(long y, unsigned m, unsigned d) {
  y -= m <= 2 ? 1 : 0;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long>(doe) - 719468;
}

CalendarDate CivilFromDays(long z) {
  z += 719468;
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long y = static_cast<long>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return CalendarDate{static_cast<int>(y + (m <= 2 ? 1 : 0)), static_cast<int>(m), static_cast<int>(d)};
}

constexpr long kDaysTo1970 = 25569;  // 30.12.1899 to 01.01.1970

bool ParseNumber(std::string_view text, int& value) {
  if (text.empty() || text.size() > 4) return false;
  value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

}  // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValidDate(int year, int month, int day) {
  return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
}

TDate EncodeDate(int year, int month, int day) {
  if (!IsValidDate(year, month, day)) throw EConvertError("Invalid date");
  return static_cast<TDate>(DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) + kDaysTo1970);
}

CalendarDate DecodeDate(TDate date) {
  if (!std::isfinite(date) || date < -693593.0 || date > 2958466.0) return CalendarDate{};
  return CivilFromDays(static_cast<long>(std::floor(date)) - kDaysTo1970);
}

TDate Today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

std::string DateToText(TDate date, char separator) {
  const CalendarDate d = DecodeDate(date);
  char buf[40];
  std::snprintf(buf, sizeof buf, "%02d%c%02d%c%04d", d.Day, separator, d.Month, separator, d.Year);
  return buf;
}

TDate TextToDate(std::string_view text, char separator) {
  const auto fail = [&]() -> TDate { throw EConvertError("'" + std::string(text) + "' is not a valid date"); };
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && text[begin] == ' ') ++begin;
  while (end > begin && text[end - 1] == ' ') --end;
  const std::string_view body = text.substr(begin, end - begin);
  const std::size_t first = body.find(separator);
  if (first == std::string_view::npos) return fail();
  const std::size_t second = body.find(separator, first + 1);
  if (second == std::string_view::npos) return fail();
  int day = 0;
  int month = 0;
  int year = 0;
  const std::string_view yearText = body.substr(second + 1);
  if (!ParseNumber(body.substr(0, first), day) || !ParseNumber(body.substr(first + 1, second - first - 1), month) ||
      !ParseNumber(yearText, year) || day == 0 || month == 0 || yearText.size() == 3) {
    return fail();
  }
  if (yearText.size() <= 2) year += year < 50 ? 2000 : 1900;
  if (!IsValidDate(year, month, day)) return fail();
  return EncodeDate(year, month, day);
}

}  // namespace talver
