#pragma once
// The paper form of a return, laid out from the return's XML text: A4 pages of headings and
// captioned values. The layout is plain data (pages of lines with their wrapped texts and
// places), so that what a page shows can be read without painting it; painting draws exactly
// those lines on a printer, a PDF file, the preview or an image.
#include <QString>
#include <QStringList>

#include <map>
#include <string>
#include <string_view>
#include <vector>

class QPainter;
class QPrinter;

namespace talver {

enum class PaperLineKind {
  Title,    // the name of the form, centred
  Heading,  // a section or a sheet of the return
  Group,    // one element of the return: a source, a calculation, a document
  Field,    // a caption and a value
  Text,     // a line of plain text (the signature line)
};

struct TPaperLine {
  PaperLineKind Kind = PaperLineKind::Text;
  int Level = 0;        // nesting under the heading: each level is indented
  QString Caption;      // a field's caption; the text of every other kind
  QString Value;        // a field's value, exactly as the return holds it
  QString Note;         // what a code means, where the program knows it
  std::string Element;  // the XML element of a field or group (UTF-8); empty for the parameter
  std::string Attribute;  // the XML attribute of a field (UTF-8), or the parameter's name

  // Set by the layout: the texts as wrapped for their columns, and the line's place in
  // millimetres from the top of the page's body.
  QStringList CaptionLines;
  QStringList ValueLines;
  QStringList NoteLines;
  bool NoteBeside = false;  // the note follows a one-line value on its line
  bool Wide = false;        // a long value: under its caption, across the page
  double Top = 0;
  double Height = 0;
};

struct TPaperPage {
  int Number = 0;
  std::vector<TPaperLine> Lines;

  // "Стр. N", as the page shows it.
  QString PageLabel() const;
  // The first field with this caption, or nullptr.
  const TPaperLine* FindField(const QString& caption) const;
  // The first field of this attribute (of this element, when one is given), or nullptr.
  const TPaperLine* FindAttribute(std::string_view attribute, std::string_view element = {}) const;
  // Every heading and group text, caption, value and note of the page, one line each.
  QString PlainText() const;
};

struct TPaperForm {
  QString RunningHeader;  // the taxpayer, at the top of every page
  QString Footer;         // the form and the file, at the bottom of every page
  std::vector<TPaperPage> Pages;
};

// What the print module was told beside the text: parameter name (UTF-8) to value (windows-1251).
using TPaperParams = std::map<std::string, std::string>;

// The sheet the layout fills, in millimetres.
struct TPaperGeometry {
  static constexpr double PageWidth = 210;
  static constexpr double PageHeight = 297;
  static constexpr double Left = 20;
  static constexpr double Right = 10;
  static constexpr double BodyTop = 22;     // below the running header
  static constexpr double BodyBottom = 282; // above the footer
  static constexpr double ValueWidth = 76;  // the column of values, at the right
  static constexpr double Indent = 4;       // per nesting level
  static constexpr double BodyWidth() { return PageWidth - Left - Right; }
  static constexpr double BodyHeight() { return BodyBottom - BodyTop; }
};

// Lays out the return's windows-1251 XML text. Text that is no return (not XML, or without its
// document) is an EPrintModule with a Russian message.
TPaperForm LayOutPaperForm(std::string_view xml1251, const TPaperParams& params);

// Paints one page on a painter whose device has `dotsPerInch`, the page's top left corner at
// the device's origin.
void PaintPaperPage(QPainter& painter, const TPaperForm& form, const TPaperPage& page, double dotsPerInch);
// Paints every page on the printer, one sheet each, A4 portrait. False when the printer
// could not be started (no such printer, a file that cannot be written).
bool PrintPaperForm(const TPaperForm& form, QPrinter& printer);

// The caption of an attribute of an element of the return; the attribute's own name where the
// table has none.
QString PaperCaption(std::string_view element, std::string_view attribute);

}  // namespace talver
