#pragma once
// The words of the paper form: the captions of the return's elements and attributes, the
// headings of its sections and sheets, and the meanings of the codes the program knows.
#include <QString>

#include <optional>
#include <string_view>

namespace talver {

// The caption the table gives an attribute of an element (PaperCaption in PaperForm.h falls
// back to the attribute's name).
std::optional<QString> PaperTableCaption(std::string_view element, std::string_view attribute);

// How an element of the return appears on paper.
struct TElementLook {
  QString Caption;        // empty: the element has no heading of its own, its values join its parent's
  bool Numbered = false;  // repeated elements carry "№ N" when there are several
};
// The look of `element` under `parent`; its own name as the caption where the table has none.
TElementLook PaperElementLook(std::string_view parent, std::string_view element);

// A part of the return's body that starts a page of its own.
struct TSheetLook {
  QString Heading;
  QString RateSuffix;           // added to the heading when the element has a rate (Ставка): "%1" is the rate
  bool PagePerElement = false;  // each element its own page (section 2 by rate); otherwise the
                                // consecutive elements share the sheet
};
// The sheet a child of НДФЛ3 belongs to; its own name as the heading where the table has none.
TSheetLook PaperSheetLook(std::string_view element);

// What a code means ("760": "иное физическое лицо"), or nothing where the program does not know.
std::optional<QString> PaperCodeNote(std::string_view element, std::string_view attribute, const QString& value);

}  // namespace talver
