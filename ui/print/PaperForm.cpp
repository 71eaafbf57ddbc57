#include "ui/print/PaperForm.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QXmlStreamReader>

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <utility>

#include "ui/print/PaperCaptions.h"
#include "ui/print/PrintBridge.h"
#include "ui/base/UiText.h"

namespace talver {
namespace {

using G = TPaperGeometry;

// ---------------------------------------------------------------------------------------------
// The return as a tree of elements with their attributes in document order

struct TNode {
  std::string Name;  // UTF-8
  std::vector<std::pair<std::string, QString>> Attributes;
  std::vector<TNode> Children;

  const TNode* Child(std::string_view name) const {
    for (const TNode& child : Children) {
      if (child.Name == name) return &child;
    }
    return nullptr;
  }
  std::optional<QString> Attribute(std::string_view name) const {
    for (const auto& [key, value] : Attributes) {
      if (key == name) return value;
    }
    return std::nullopt;
  }
};

constexpr std::size_t kDeepestNesting = 64;

TNode ParseReturn(std::string_view xml1251) {
  if (Trim(xml1251).empty()) throw EPrintModule("Модулю печати передан пустой текст декларации.");
  // The text is decoded here, once; the reader takes the decoded text whatever its declaration says.
  QXmlStreamReader reader(FromModel(xml1251));
  TNode root;
  bool haveRoot = false;
  std::vector<TNode*> open;
  while (!reader.atEnd()) {
    const QXmlStreamReader::TokenType token = reader.readNext();
    if (token == QXmlStreamReader::StartElement) {
      // The return nests a few levels; a text nested deeper is no return and would only
      // exhaust the stack of the layout.
      if (open.size() >= kDeepestNesting) {
        throw EPrintModule("Текст декларации не удалось прочитать: элементы вложены слишком глубоко (строка " +
                           std::to_string(reader.lineNumber()) + ").");
      }
      TNode node;
      node.Name = reader.name().toString().toStdString();
      for (const QXmlStreamAttribute& attribute : reader.attributes()) {
        node.Attributes.emplace_back(attribute.qualifiedName().toString().toStdString(), attribute.value().toString());
      }
      if (open.empty()) {
        root = std::move(node);
        haveRoot = true;
        open.push_back(&root);
      } else {
        open.back()->Children.push_back(std::move(node));
        open.push_back(&open.back()->Children.back());
      }
    } else if (token == QXmlStreamReader::EndElement) {
      open.pop_back();
    }
  }
  if (reader.hasError()) {
    throw EPrintModule("Текст декларации не удалось прочитать: " + reader.errorString().toStdString() +
                       " (строка " + std::to_string(reader.lineNumber()) + ", позиция " +
                       std::to_string(reader.columnNumber()) + ").");
  }
  if (!haveRoot || root.Name != "Файл" || root.Child("Документ") == nullptr) {
    throw EPrintModule("Переданный модулю печати текст не является декларацией: в нем нет элемента «Документ».");
  }
  return root;
}

// ---------------------------------------------------------------------------------------------
// Fonts and measuring

enum class Role { Title, Heading, Group, Caption, Value, Note, Margin, MarginBold };
constexpr std::size_t kRoles = 8;

QFont PaperFont(Role role) {
  struct Look {
    const char* Family;
    double Points;
    bool Bold;
    QFont::StyleHint Hint;
  };
  static constexpr Look looks[] = {
      {"DejaVu Sans", 13, true, QFont::SansSerif},        // Title
      {"DejaVu Sans", 10.5, true, QFont::SansSerif},      // Heading
      {"DejaVu Sans", 9, true, QFont::SansSerif},         // Group
      {"DejaVu Sans", 8.5, false, QFont::SansSerif},      // Caption
      {"DejaVu Sans Mono", 9, true, QFont::Monospace},    // Value
      {"DejaVu Sans", 7.5, false, QFont::SansSerif},      // Note
      {"DejaVu Sans", 7.5, false, QFont::SansSerif},      // Margin
      {"DejaVu Sans", 8.5, true, QFont::SansSerif},       // MarginBold
  };
  const Look& look = looks[static_cast<int>(role)];
  QFont font(QString::fromLatin1(look.Family));
  font.setStyleHint(look.Hint);
  font.setPointSizeF(look.Points);
  font.setBold(look.Bold);
  // The same widths at every resolution: the layout measures once and every device paints it.
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

// Measures texts in millimetres at a printer's resolution.
class TMeasure {
 public:
  static constexpr double kDotsPerInch = 1200;

  TMeasure() : device_(1, 1, QImage::Format_RGB32) {
    const int dotsPerMeter = static_cast<int>(kDotsPerInch / 0.0254 + 0.5);
    device_.setDotsPerMeterX(dotsPerMeter);
    device_.setDotsPerMeterY(dotsPerMeter);
  }

  double Width(const QString& text, Role role) const {
    return Metrics(role).horizontalAdvance(text) * 25.4 / kDotsPerInch;
  }
  double LineHeight(Role role) const { return Metrics(role).lineSpacing() * 25.4 / kDotsPerInch; }

  // Breaks the text at blanks into lines of at most `width`; a word longer than a line is cut.
  // A text that fits stays exactly as it is.
  QStringList Wrap(const QString& text, Role role, double width) const {
    if (text.isEmpty()) return {};
    if (Fits(text, role, width)) return {text};
    QStringList lines;
    QString current;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
      const QString candidate = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
      if (Fits(candidate, role, width)) {
        current = candidate;
        continue;
      }
      if (!current.isEmpty()) lines.append(current);
      current = word;
      while (!Fits(current, role, width) && current.size() > 1) {
        qsizetype fits = 1;
        while (fits < current.size() && Fits(current.left(fits + 1), role, width)) ++fits;
        lines.append(current.left(fits));
        current = current.mid(fits);
      }
    }
    if (!current.isEmpty()) lines.append(current);
    return lines;
  }

  // Leaves room for what another resolution may add to a width.
  bool Fits(const QString& text, Role role, double width) const { return Width(text, role) <= width * 0.97; }

 private:
  const QFontMetricsF& Metrics(Role role) const {
    std::optional<QFontMetricsF>& metrics = metrics_[static_cast<std::size_t>(role)];
    if (!metrics) metrics.emplace(PaperFont(role), &device_);
    return *metrics;
  }

  QImage device_;
  mutable std::array<std::optional<QFontMetricsF>, kRoles> metrics_;
};

// Spacing around the kinds of line, millimetres.
constexpr double kTitleSpace = 4;
constexpr double kHeadingPad = 1.5;
constexpr double kHeadingSpace = 2.5;
constexpr double kGroupSpace = 2;
constexpr double kFieldPad = 0.5;
constexpr double kTextSpace = 6;
constexpr double kColumnGap = 3;
constexpr double kValuePad = 1.2;
constexpr double kNoteGap = 3;

// A value of more lines than this in its column goes under its caption, across the page.
constexpr qsizetype kMostValueLines = 3;

double CaptionWidth(int level) { return G::BodyWidth() - G::ValueWidth - kColumnGap - level * G::Indent; }
double WideValueWidth(int level) { return G::BodyWidth() - (level + 1) * G::Indent; }

void Measure(const TMeasure& m, TPaperLine& line) {
  switch (line.Kind) {
    case PaperLineKind::Title:
      line.CaptionLines = m.Wrap(line.Caption, Role::Title, G::BodyWidth());
      line.Height = line.CaptionLines.size() * m.LineHeight(Role::Title) + kTitleSpace;
      break;
    case PaperLineKind::Heading:
      line.CaptionLines = m.Wrap(line.Caption, Role::Heading, G::BodyWidth() - 2 * kHeadingPad);
      line.Height = line.CaptionLines.size() * m.LineHeight(Role::Heading) + 2 * kHeadingPad + kHeadingSpace;
      break;
    case PaperLineKind::Group:
      line.CaptionLines = m.Wrap(line.Caption, Role::Group, G::BodyWidth() - line.Level * G::Indent);
      line.Height = kGroupSpace + line.CaptionLines.size() * m.LineHeight(Role::Group) + kFieldPad;
      break;
    case PaperLineKind::Field: {
      double room = G::ValueWidth - 2 * kValuePad;
      line.CaptionLines = m.Wrap(line.Caption, Role::Caption, CaptionWidth(line.Level));
      line.ValueLines = m.Wrap(line.Value, Role::Value, room);
      line.Wide = line.ValueLines.size() > kMostValueLines;
      if (line.Wide) {
        room = WideValueWidth(line.Level) - 2 * kValuePad;
        line.ValueLines = m.Wrap(line.Value, Role::Value, room);
      }
      line.NoteBeside = !line.Note.isEmpty() && line.ValueLines.size() <= 1 &&
                        m.Fits(line.Value + QString(4, QLatin1Char(' ')), Role::Value,
                               room - kNoteGap - m.Width(line.Note, Role::Note));
      line.NoteLines = line.NoteBeside ? QStringList{line.Note} : m.Wrap(line.Note, Role::Note, room);
      const double caption = line.CaptionLines.size() * m.LineHeight(Role::Caption);
      double value = std::max<qsizetype>(line.ValueLines.size(), 1) * m.LineHeight(Role::Value);
      if (!line.NoteBeside) value += line.NoteLines.size() * m.LineHeight(Role::Note);
      line.Height = (line.Wide ? caption + kFieldPad + value : std::max(caption, value)) + 2 * kFieldPad;
      break;
    }
    case PaperLineKind::Text:
      line.CaptionLines = m.Wrap(line.Caption, Role::Caption, G::BodyWidth());
      line.Height = kTextSpace + line.CaptionLines.size() * m.LineHeight(Role::Caption);
      break;
  }
}

// ---------------------------------------------------------------------------------------------
// The flow of lines: one block per part of the return that starts a page

struct TBlock {
  QString Continued;  // the heading a following page of the block repeats
  std::vector<TPaperLine> Lines;
};

TPaperLine MakeLine(PaperLineKind kind, const QString& text, int level = 0) {
  TPaperLine line;
  line.Kind = kind;
  line.Caption = text;
  line.Level = level;
  return line;
}

TPaperLine MakeField(std::string_view element, std::string_view attribute, const QString& value, int level) {
  TPaperLine line = MakeLine(PaperLineKind::Field, PaperCaption(element, attribute), level);
  line.Value = value;
  line.Note = PaperCodeNote(element, attribute, value).value_or(QString());
  line.Element = std::string(element);
  line.Attribute = std::string(attribute);
  return line;
}

class TFlow {
 public:
  explicit TFlow(const TPaperParams& params) : params_(params) {}

  std::vector<TBlock> Build(const TNode& file) {
    const TNode& document = *file.Child("Документ");
    const QString knd = document.Attribute("КНД").value_or(QString());
    const bool form4 = knd == QLatin1String("1151021") || (knd.isEmpty() && document.Child("НДФЛ4") != nullptr);

    TBlock title{QStringLiteral("Титульный лист"), {}};
    title.Lines.push_back(MakeLine(PaperLineKind::Title,
                                   form4 ? QStringLiteral("Налоговая декларация о предполагаемом доходе физического "
                                                          "лица (форма 4-НДФЛ)")
                                         : QStringLiteral("Налоговая декларация по налогу на доходы физических лиц "
                                                          "(форма 3-НДФЛ)")));
    DocumentFields(document, title.Lines);
    // The signature goes under the signer; the file's own data last.
    const TPaperLine signature = MakeLine(PaperLineKind::Text, QStringLiteral("Подпись ____________________________"
                                                                              "          Дата ____________________"));
    for (const TNode& child : document.Children) {
      if (child.Name != "НДФЛ3" && child.Name != "Подписант") EmitElement(child, document.Name, 0, 0, title.Lines);
    }
    if (const TNode* signer = document.Child("Подписант")) EmitElement(*signer, document.Name, 0, 0, title.Lines);
    title.Lines.push_back(signature);
    TPaperLine fileGroup = MakeLine(PaperLineKind::Group, PaperElementLook("", file.Name).Caption);
    fileGroup.Element = file.Name;
    title.Lines.push_back(fileGroup);
    for (const auto& [name, value] : file.Attributes) title.Lines.push_back(MakeField(file.Name, name, value, 1));

    std::vector<TBlock> blocks;
    blocks.push_back(std::move(title));
    if (const TNode* body = document.Child("НДФЛ3")) Sheets(*body, blocks);
    return blocks;
  }

 private:
  // The document's own values, with the name of the receiving authority beside its code.
  void DocumentFields(const TNode& document, std::vector<TPaperLine>& out) const {
    TPaperLine group = MakeLine(PaperLineKind::Group, PaperElementLook("", document.Name).Caption);
    group.Element = document.Name;
    out.push_back(group);
    bool recipientShown = false;
    for (const auto& [name, value] : document.Attributes) {
      out.push_back(MakeField(document.Name, name, value, 1));
      if (name == "КодНО") {
        out.push_back(RecipientField());
        recipientShown = true;
      }
    }
    if (!recipientShown) out.push_back(RecipientField());
  }

  TPaperLine RecipientField() const {
    const auto found = params_.find(kRecipientParam);
    TPaperLine line = MakeLine(PaperLineKind::Field, QString::fromUtf8(kRecipientParam), 1);
    line.Attribute = kRecipientParam;
    if (found != params_.end()) line.Value = FromModel(found->second);
    return line;
  }

  static void EmitAttributes(const TNode& node, int level, std::vector<TPaperLine>& out) {
    for (const auto& [name, value] : node.Attributes) out.push_back(MakeField(node.Name, name, value, level));
  }

  static void EmitChildren(const TNode& node, int level, std::vector<TPaperLine>& out) {
    std::map<std::string, int> count;
    for (const TNode& child : node.Children) ++count[child.Name];
    std::map<std::string, int> seen;
    for (const TNode& child : node.Children) {
      const bool numbered = PaperElementLook(node.Name, child.Name).Numbered && count[child.Name] > 1;
      EmitElement(child, node.Name, level, numbered ? ++seen[child.Name] : 0, out);
    }
  }

  // A group line for the element (unless it has none), its values, then its children.
  static void EmitElement(const TNode& node, std::string_view parent, int level, int number,
                          std::vector<TPaperLine>& out) {
    const TElementLook look = PaperElementLook(parent, node.Name);
    int inner = level;
    if (!look.Caption.isEmpty()) {
      QString caption = look.Caption;
      if (number > 0) caption += QStringLiteral(" № ") + QString::number(number);
      TPaperLine group = MakeLine(PaperLineKind::Group, caption, level);
      group.Element = node.Name;
      out.push_back(group);
      inner = level + 1;
    }
    EmitAttributes(node, inner, out);
    EmitChildren(node, inner, out);
  }

  // The sheet's heading with its rate; section 2 has a page per rate and kind of income.
  static QString SheetHeading(const TSheetLook& look, const TNode& node) {
    QString heading = look.Heading;
    const std::optional<QString> rate = node.Attribute("Ставка");
    if (!look.RateSuffix.isEmpty() && rate && !rate->isEmpty()) heading += look.RateSuffix.arg(*rate);
    const std::optional<QString> kind = node.Attribute("ВидДоход");
    if (node.Name == "НалБаза" && kind && !kind->isEmpty()) {
      heading += QStringLiteral(" (код вида дохода ") + *kind + QLatin1Char(')');
    }
    return heading;
  }

  // Each section and sheet from a page of its own, in the order of the return.
  static void Sheets(const TNode& body, std::vector<TBlock>& blocks) {
    const std::vector<TNode>& children = body.Children;
    for (std::size_t i = 0; i < children.size();) {
      const TNode& first = children[i];
      const TSheetLook look = PaperSheetLook(first.Name);
      TBlock block;
      block.Continued = SheetHeading(look, first);
      block.Lines.push_back(MakeLine(PaperLineKind::Heading, block.Continued));
      if (look.PagePerElement) {
        EmitAttributes(first, 0, block.Lines);
        EmitChildren(first, 0, block.Lines);
        ++i;
      } else {
        std::size_t end = i;
        while (end < children.size() && children[end].Name == first.Name) ++end;
        const bool numbered = PaperElementLook(body.Name, first.Name).Numbered && end - i > 1;
        for (std::size_t k = i; k < end; ++k) {
          EmitElement(children[k], body.Name, 0, numbered ? static_cast<int>(k - i + 1) : 0, block.Lines);
        }
        i = end;
      }
      blocks.push_back(std::move(block));
    }
  }

  const TPaperParams& params_;
};

// ---------------------------------------------------------------------------------------------
// Pages

bool KeepsWithNext(PaperLineKind kind) {
  return kind == PaperLineKind::Title || kind == PaperLineKind::Heading || kind == PaperLineKind::Group;
}

std::vector<TPaperPage> Paginate(std::vector<TBlock>& blocks, const TMeasure& m) {
  std::vector<TPaperPage> pages;
  for (TBlock& block : blocks) {
    for (TPaperLine& line : block.Lines) Measure(m, line);
    pages.push_back({static_cast<int>(pages.size()) + 1, {}});
    double y = 0;
    int placed = 0;  // lines of the block on this page, beside a repeated heading
    for (std::size_t i = 0; i < block.Lines.size(); ++i) {
      TPaperLine& line = block.Lines[i];
      double need = line.Height;
      if (KeepsWithNext(line.Kind) && i + 1 < block.Lines.size()) need += block.Lines[i + 1].Height;
      if (line.Kind == PaperLineKind::Group) {
        // A small group stays on one page: its lines are those nested deeper than it.
        double group = line.Height;
        for (std::size_t k = i + 1; k < block.Lines.size() && block.Lines[k].Level > line.Level; ++k) {
          group += block.Lines[k].Height;
        }
        if (group <= G::BodyHeight() / 4) need = std::max(need, group);
      }
      if (y + need > G::BodyHeight() && placed > 0) {
        pages.push_back({static_cast<int>(pages.size()) + 1, {}});
        y = 0;
        placed = 0;
        if (!block.Continued.isEmpty()) {
          TPaperLine heading = MakeLine(PaperLineKind::Heading, block.Continued + QStringLiteral(" (продолжение)"));
          Measure(m, heading);
          heading.Top = 0;
          y = heading.Height;
          pages.back().Lines.push_back(std::move(heading));
        }
      }
      line.Top = y;
      y += line.Height;
      ++placed;
      pages.back().Lines.push_back(line);
    }
  }
  return pages;
}

QString Initial(const std::optional<QString>& name) {
  if (!name || name->trimmed().isEmpty()) return {};
  return QStringLiteral(" ") + name->trimmed().left(1) + QLatin1Char('.');
}

// "ИНН 500100732259   ИВАНОВ И. И." from the taxpayer's block.
QString RunningHeader(const TNode& document) {
  const TNode* taxpayer = nullptr;
  if (const TNode* np = document.Child("СвНП")) {
    taxpayer = np->Child("НПФЛ3") != nullptr ? np->Child("НПФЛ3") : np->Child("НПФЛ");
  }
  if (taxpayer == nullptr) return {};
  std::optional<QString> inn = taxpayer->Attribute("ИННФЛ");
  if (const TNode* person = taxpayer->Child("СведФЛ1")) inn = person->Attribute("ИННФЛ");
  const TNode* name = taxpayer->Child("ФИОФЛ") != nullptr ? taxpayer->Child("ФИОФЛ") : taxpayer->Child("ФИО");
  QString text;
  if (inn && !inn->trimmed().isEmpty()) text = QStringLiteral("ИНН ") + inn->trimmed();
  if (name != nullptr) {
    const QString surname = name->Attribute("Фамилия").value_or(QString()).trimmed();
    const QString person = surname + Initial(name->Attribute("Имя")) + Initial(name->Attribute("Отчество"));
    if (!person.trimmed().isEmpty()) text += (text.isEmpty() ? QString() : QStringLiteral("     ")) + person.trimmed();
  }
  return text;
}

QString Footer(const TNode& file) {
  const TNode& document = *file.Child("Документ");
  const QString knd = document.Attribute("КНД").value_or(QString());
  QString text;
  if (knd == QLatin1String("1151020")) {
    text = QStringLiteral("Форма 3-НДФЛ (КНД 1151020)");
  } else if (knd == QLatin1String("1151021")) {
    text = QStringLiteral("Форма 4-НДФЛ (КНД 1151021)");
  } else if (!knd.isEmpty()) {
    text = QStringLiteral("КНД ") + knd;
  }
  if (const std::optional<QString> correction = document.Attribute("НомКорр")) {
    text += QStringLiteral(", номер корректировки ") + *correction;
  }
  if (const std::optional<QString> id = file.Attribute("ИдФайл")) text += QStringLiteral(", файл ") + *id;
  return text;
}

}  // namespace

// ---------------------------------------------------------------------------------------------

QString TPaperPage::PageLabel() const { return QStringLiteral("Стр. ") + QString::number(Number); }

const TPaperLine* TPaperPage::FindField(const QString& caption) const {
  for (const TPaperLine& line : Lines) {
    if (line.Kind == PaperLineKind::Field && line.Caption == caption) return &line;
  }
  return nullptr;
}

const TPaperLine* TPaperPage::FindAttribute(std::string_view attribute, std::string_view element) const {
  for (const TPaperLine& line : Lines) {
    if (line.Kind == PaperLineKind::Field && line.Attribute == attribute &&
        (element.empty() || line.Element == element)) {
      return &line;
    }
  }
  return nullptr;
}

QString TPaperPage::PlainText() const {
  QStringList text;
  for (const TPaperLine& line : Lines) {
    QString one = line.Caption;
    if (line.Kind == PaperLineKind::Field) {
      one += QStringLiteral(": ") + line.Value;
      if (!line.Note.isEmpty()) one += QStringLiteral(" (") + line.Note + QLatin1Char(')');
    }
    text.append(one);
  }
  return text.join(QLatin1Char('\n'));
}

TPaperForm LayOutPaperForm(std::string_view xml1251, const TPaperParams& params) {
  const TNode file = ParseReturn(xml1251);
  std::vector<TBlock> blocks = TFlow(params).Build(file);
  TPaperForm form;
  form.RunningHeader = RunningHeader(*file.Child("Документ"));
  form.Footer = Footer(file);
  form.Pages = Paginate(blocks, TMeasure());
  return form;
}

void PaintPaperPage(QPainter& painter, const TPaperForm& form, const TPaperPage& page, double dotsPerInch) {
  const auto px = [dotsPerInch](double mm) { return mm * dotsPerInch / 25.4; };
  const auto rect = [&px](double left, double top, double width, double height) {
    return QRectF(px(left), px(top), px(width), px(height));
  };
  const auto lineHeight = [&painter](Role role) {
    return QFontMetricsF(PaperFont(role), painter.device()).lineSpacing();
  };
  const QColor ink(Qt::black);
  const QColor grey(0x60, 0x60, 0x60);
  const QColor rule(0xa0, 0xa0, 0xa0);
  const QColor band(0xe8, 0xe8, 0xe8);
  const double right = G::Left + G::BodyWidth();

  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);

  // Running header and footer
  painter.setPen(ink);
  painter.setFont(PaperFont(Role::Margin));
  painter.drawText(rect(G::Left, 10, G::BodyWidth() - 30, 6), Qt::AlignLeft | Qt::AlignVCenter, form.RunningHeader);
  painter.setFont(PaperFont(Role::MarginBold));
  painter.drawText(rect(G::Left, 10, G::BodyWidth(), 6), Qt::AlignRight | Qt::AlignVCenter, page.PageLabel());
  painter.setPen(QPen(ink, px(0.2)));
  painter.drawLine(QPointF(px(G::Left), px(17)), QPointF(px(right), px(17)));
  painter.drawLine(QPointF(px(G::Left), px(G::BodyBottom + 2)), QPointF(px(right), px(G::BodyBottom + 2)));
  painter.setPen(grey);
  painter.setFont(PaperFont(Role::Margin));
  painter.drawText(rect(G::Left, G::BodyBottom + 3, G::BodyWidth(), 10),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, form.Footer);

  const auto drawLines = [&](const QStringList& lines, Role role, double x, double y, double width,
                             Qt::Alignment align) {
    painter.setFont(PaperFont(role));
    const double step = lineHeight(role);
    double top = px(y);
    for (const QString& text : lines) {
      painter.drawText(QRectF(px(x), top, px(width), step), align | Qt::AlignTop | Qt::TextSingleLine, text);
      top += step;
    }
    return top * 25.4 / dotsPerInch;  // the bottom of the last line, millimetres
  };

  for (const TPaperLine& line : page.Lines) {
    const double top = G::BodyTop + line.Top;
    const double x = G::Left + line.Level * G::Indent;
    switch (line.Kind) {
      case PaperLineKind::Title:
        painter.setPen(ink);
        drawLines(line.CaptionLines, Role::Title, G::Left, top, G::BodyWidth(), Qt::AlignHCenter);
        break;
      case PaperLineKind::Heading: {
        const double height = line.Height - kHeadingSpace;
        painter.fillRect(rect(G::Left, top, G::BodyWidth(), height), band);
        painter.setPen(QPen(ink, px(0.3)));
        painter.drawRect(rect(G::Left, top, G::BodyWidth(), height));
        drawLines(line.CaptionLines, Role::Heading, G::Left + kHeadingPad, top + kHeadingPad,
                  G::BodyWidth() - 2 * kHeadingPad, Qt::AlignLeft);
        break;
      }
      case PaperLineKind::Group: {
        painter.setPen(ink);
        const double bottom =
            drawLines(line.CaptionLines, Role::Group, x, top + kGroupSpace, right - x, Qt::AlignLeft);
        painter.setPen(QPen(rule, px(0.2)));
        painter.drawLine(QPointF(px(x), px(bottom)), QPointF(px(right), px(bottom)));
        break;
      }
      case PaperLineKind::Field: {
        painter.setPen(ink);
        const double captionBottom =
            drawLines(line.CaptionLines, Role::Caption, x, top + kFieldPad, CaptionWidth(line.Level), Qt::AlignLeft);
        // The value's box: beside the caption, or under it across the page.
        const double boxWidth = line.Wide ? WideValueWidth(line.Level) : G::ValueWidth;
        const double boxLeft = right - boxWidth;
        const double boxTop = line.Wide ? captionBottom + kFieldPad : top + kFieldPad;
        painter.setPen(QPen(rule, px(0.2)));
        painter.drawRect(rect(boxLeft, boxTop - kFieldPad / 2, boxWidth, top + line.Height - boxTop));
        painter.setPen(ink);
        QStringList values = line.ValueLines;
        if (values.isEmpty()) values.append(QString());  // an empty value keeps its line
        const double valueBottom =
            drawLines(values, Role::Value, boxLeft + kValuePad, boxTop, boxWidth - 2 * kValuePad, Qt::AlignLeft);
        painter.setPen(grey);
        if (line.NoteBeside) {
          // On the value's line, its baseline with the value's.
          painter.setFont(PaperFont(Role::Value));
          const QFontMetricsF value(PaperFont(Role::Value), painter.device());
          const double left = px(boxLeft + kValuePad + kNoteGap) + value.horizontalAdvance(line.Value);
          const double baseline = px(boxTop) + value.ascent();
          painter.setFont(PaperFont(Role::Note));
          painter.drawText(QPointF(left, baseline), line.Note);
        } else {
          drawLines(line.NoteLines, Role::Note, boxLeft + kValuePad, valueBottom, boxWidth - 2 * kValuePad,
                    Qt::AlignLeft);
        }
        break;
      }
      case PaperLineKind::Text:
        painter.setPen(ink);
        drawLines(line.CaptionLines, Role::Caption, G::Left, top + kTextSpace, G::BodyWidth(), Qt::AlignLeft);
        break;
    }
  }
  painter.restore();
}

bool PrintPaperForm(const TPaperForm& form, QPrinter& printer) {
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageOrientation(QPageLayout::Portrait);
  printer.setFullPage(true);
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const double dotsPerInch = printer.resolution();
  for (std::size_t i = 0; i < form.Pages.size(); ++i) {
    if (i > 0 && !printer.newPage()) return false;
    PaintPaperPage(painter, form, form.Pages[i], dotsPerInch);
  }
  return painter.end();
}

}  // namespace talver
