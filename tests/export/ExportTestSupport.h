#pragma once
// What the export tests share: a fixed date and GUID, a presenter that keeps its messages, and
// ways to read an exported document back (elements by path, attributes in UTF-8).
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compute/SvodSum.h"
#include "export/ExportDocument.h"
#include "export/ExportDriver.h"
#include "platform/Dates.h"
#include "platform/Presenter.h"
#include "platform/Text1251.h"
#include "platform/XmlDom.h"

namespace talver::testing {

inline constexpr char kFixedGuid[] = "0C6A2E74-3F1D-4B0E-9A56-2D1F8C4B7E90";
inline TDate FixedDate() { return EncodeDate(2017, 2, 14); }

inline ExportEnvironment FixedEnvironment() {
  ExportEnvironment environment;
  environment.Today = [] { return FixedDate(); };
  environment.NewGuid = [] { return std::string(kFixedGuid); };
  return environment;
}

inline constexpr char kComputeFailed[] =
    "Ошибка в рассчетах. Пожалуйста, свяжитесь с разработчиками через службу поддержки";
inline constexpr char kExportFailed[] =
    "Ошибка в выгрузке. Пожалуйста, свяжитесь с разработчиками через службу поддержки";

class RecordingPresenter : public IPresenter {
 public:
  CheckAnswer ShowCheckError(CheckDialog, std::string_view, std::string_view, bool) override {
    ADD_FAILURE() << "the export shows no check dialog";
    return CheckAnswer::Cancel;
  }
  void ShowMessage(std::string_view text, std::string_view caption, MessageIcon) override {
    Messages.emplace_back(text);
    Captions.emplace_back(caption);
  }
  std::vector<std::string> Messages;
  std::vector<std::string> Captions;
};

// The document's text of a declaration, exported with the fixed date and GUID.
inline std::string ExportText(mTDeclaration& declaration) {
  RecordingPresenter presenter;
  std::string text = ExportDeclaration({}, declaration, kExportToText, presenter, FixedEnvironment());
  EXPECT_TRUE(presenter.Messages.empty()) << presenter.Messages.front();
  return text;
}

// The document built from a summary given by hand, without computing the declaration.
inline XmlDocument BuildWith(const mTDeclaration& declaration, const kTSvodSum& summary) {
  return BuildExportDocument(declaration, summary, FileIdentifier(declaration, FixedDate(), kFixedGuid), FixedDate());
}

// An attribute's value in UTF-8, or none.
inline std::optional<std::string> Attr(const XmlElement& element, std::string_view name) {
  const std::optional<std::string> value = element.Attribute(name);
  if (!value) return std::nullopt;
  return Cp1251ToUtf8(*value);
}

// The children of that name, in document order.
inline std::vector<XmlElement> ChildrenNamed(const XmlElement& element, std::string_view name) {
  std::vector<XmlElement> found;
  for (const XmlElement& child : element.Children()) {
    if (child.Name() == name) found.push_back(child);
  }
  return found;
}

// The element at a path of child names joined by "/" below `from`; none when a step is missing.
inline std::optional<XmlElement> At(const XmlElement& from, std::string_view path) {
  std::optional<XmlElement> current = from;
  while (!path.empty() && current) {
    const std::size_t slash = path.find('/');
    current = current->FirstChild(path.substr(0, slash));
    path = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
  }
  return current;
}

// The names of the children, in document order.
inline std::vector<std::string> ChildNames(const XmlElement& element) {
  std::vector<std::string> names;
  for (const XmlElement& child : element.Children()) names.push_back(child.Name());
  return names;
}

// The attribute names of the `occurrence`-th element of that name in a document's text, in the
// order they are written.
inline std::vector<std::string> AttributeOrder(const std::string& text1251, std::string_view element,
                                               std::size_t occurrence = 0) {
  const std::string text = Cp1251ToUtf8(text1251);
  const std::string open = "<" + std::string(element) + " ";
  std::size_t pos = 0;
  for (std::size_t i = 0; i <= occurrence; ++i) {
    pos = text.find(open, i == 0 ? 0 : pos + 1);
    if (pos == std::string::npos) return {};
  }
  std::vector<std::string> names;
  const std::size_t end = text.find('>', pos);
  std::size_t at = pos + open.size();
  while (at < end) {
    const std::size_t eq = text.find("=\"", at);
    if (eq == std::string::npos || eq > end) break;
    names.push_back(text.substr(at, eq - at));
    at = text.find('"', eq + 2) + 1;
    while (at < end && text[at] == ' ') ++at;
  }
  return names;
}

inline XmlElement Body3(const XmlDocument& document) {
  const std::optional<XmlElement> body = At(document.DocumentElement(), "Документ/НДФЛ3");
  if (!body) throw std::runtime_error("no НДФЛ3");
  return *body;
}

}  // namespace talver::testing
