#pragma once
// Text at the edge between the model (windows-1251 bytes) and the widgets (QString), and the
// conversions of paths between Qt and the standard library.
#include <QString>

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/Text1251.h"

namespace talver {

inline QString FromModel(std::string_view text1251) { return QString::fromStdString(Cp1251ToUtf8(text1251)); }
inline std::string ToModel(const QString& text) { return Utf8ToCp1251(text.toStdString()); }
inline QString FromUtf8(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
inline QString FromPath(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }
inline std::filesystem::path ToPath(const QString& path) { return std::filesystem::path(path.toStdString()); }

}  // namespace talver
