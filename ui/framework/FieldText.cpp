#include "ui/framework/FieldText.h"

#include "platform/Errors.h"
#include "platform/NumberText.h"
#include "ui/widgets/MaskedEdit.h"
#include "ui/base/UiText.h"

namespace talver {

QString AmountText(Currency value) { return value.IsZero() ? QString() : AmountTextKeepZero(value); }

QString AmountTextKeepZero(Currency value) { return FromUtf8(CurrencyToText(value, ',')); }

std::optional<Currency> AmountValue(QString text) {
  text = text.trimmed();
  if (text.endsWith(kDecimalSeparator)) text.chop(1);
  if (text.isEmpty()) return std::nullopt;
  try {
    return TextToCurrency(text.toStdString(), ',');
  } catch (const EConvertError&) {
    return std::nullopt;
  }
}

Currency AmountOrZero(const QString& text) { return AmountValue(text).value_or(Currency()); }

QString AmountDisplay(Currency value) {
  const std::int64_t units = value.Units();
  const std::int64_t magnitude = units < 0 ? -units : units;
  const std::int64_t kopecks = (magnitude % Currency::kScale) / 100;
  return QStringLiteral("%1%2,%3")
      .arg(units < 0 ? QStringLiteral("-") : QString())
      .arg(magnitude / Currency::kScale)
      .arg(kopecks, 2, 10, QLatin1Char('0'));
}

std::int32_t NumberOrZero(const QString& text) {
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty()) return 0;
  try {
    return TextToInt32(trimmed.toStdString());
  } catch (const EConvertError&) {
    return 0;
  }
}

QDate ToQDate(TDate date) {
  const CalendarDate day = DecodeDate(date);
  return QDate(day.Year, day.Month, day.Day);
}

TDate FromQDate(const QDate& date) { return EncodeDate(date.year(), date.month(), date.day()); }

}  // namespace talver
