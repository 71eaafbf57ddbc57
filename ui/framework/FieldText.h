#pragma once
// Numbers and amounts as the entry fields show and read them: the decimal separator ",", an
// empty field for nothing, and 0 for a field that is empty or does not read.
#include <QDate>
#include <QString>

#include <cstdint>
#include <optional>

#include "platform/Currency.h"
#include "platform/Dates.h"

namespace talver {

// "1500,5" for an amount; empty for 0.
QString AmountText(Currency value);
// The same, "0" shown as "0" (for sums the user should see even when they are zero).
QString AmountTextKeepZero(Currency value);
// An amount typed into a field; none for an empty field (a trailing separator is ignored).
std::optional<Currency> AmountValue(QString text);
// An amount, 0 for an empty field.
Currency AmountOrZero(const QString& text);
// "1 500,50": an amount in a list, always with its kopecks.
QString AmountDisplay(Currency value);

// A whole number typed into a field; 0 for an empty field or one that does not read.
std::int32_t NumberOrZero(const QString& text);

// A model date as the date pickers show it (its time of day dropped), and back.
QDate ToQDate(TDate date);
TDate FromQDate(const QDate& date);

}  // namespace talver
