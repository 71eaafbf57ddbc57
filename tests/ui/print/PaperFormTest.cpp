// The paper form of the return: the exported returns laid out as pages and printed to PDF,
// every attribute on paper with its caption, long returns continued on further pages, texts
// that are no return, and the preview and print commands over the program's own print module.
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QSpinBox>

#include <fstream>
#include <set>
#include <sstream>
#include <tuple>

#include "tests/ui/support/UiTestSupport.h"
#include "ui/print/PaperCaptions.h"
#include "ui/print/PaperForm.h"
#include "ui/print/PrintModule.h"

namespace talver::test {
namespace {

const char kGoldenDir[] = TALVER_SOURCE_DIR "/tests/export/golden";

// The golden return whose name ends with the given unique part ("E02").
std::string Golden(const std::string& tail) {
  for (const auto& entry : std::filesystem::directory_iterator(kGoldenDir)) {
    const std::string name = entry.path().filename().string();
    if (name.size() > tail.size() + 4 && name.compare(name.size() - tail.size() - 4, tail.size(), tail) == 0) {
      std::ifstream in(entry.path(), std::ios::binary);
      std::stringstream bytes;
      bytes << in.rdbuf();
      return bytes.str();
    }
  }
  ADD_FAILURE() << "no golden return " << tail;
  return {};
}

std::vector<std::string> GoldenTails() {
  std::vector<std::string> tails;
  for (const auto& entry : std::filesystem::directory_iterator(kGoldenDir)) {
    const std::string name = entry.path().stem().string();
    tails.push_back(name.substr(name.size() - 3));
  }
  std::sort(tails.begin(), tails.end());
  return tails;
}

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// The number of pages of a PDF file as its page objects count them.
int PdfPages(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return -1;
  const QByteArray bytes = file.readAll();
  if (!bytes.startsWith("%PDF")) return -1;
  return static_cast<int>(QString::fromLatin1(bytes).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

// The first heading of each page.
std::vector<QString> PageHeadings(const TPaperForm& form) {
  std::vector<QString> headings;
  for (const TPaperPage& page : form.Pages) {
    QString heading;
    for (const TPaperLine& line : page.Lines) {
      if (line.Kind == PaperLineKind::Title || line.Kind == PaperLineKind::Heading) {
        heading = line.Caption;
        break;
      }
    }
    headings.push_back(heading);
  }
  return headings;
}

// A module whose printers are PDF files in a folder, one file per copy printed.
struct PdfPrinters {
  QString Folder;
  std::vector<QString> Printed;  // the printer name of each copy

  PrinterChoice Choice() {
    return [this](const QString& name, QPrinter& printer) {
      if (name != QStringLiteral("Принтер 1")) return false;
      Printed.push_back(name);
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(File(Printed.size()));
      return true;
    };
  }
  QString File(std::size_t copy) const { return Folder + QStringLiteral("/copy-%1.pdf").arg(copy); }
};

void SavePages(const TPaperForm& form, const QString& name) {
  const QString folder = QStringLiteral(TALVER_SCREENSHOT_DIR "/paper");
  QDir().mkpath(folder);
  constexpr double kDotsPerInch = 120;
  for (const TPaperPage& page : form.Pages) {
    QImage image(static_cast<int>(TPaperGeometry::PageWidth / 25.4 * kDotsPerInch),
                 static_cast<int>(TPaperGeometry::PageHeight / 25.4 * kDotsPerInch), QImage::Format_RGB32);
    image.setDotsPerMeterX(static_cast<int>(kDotsPerInch / 0.0254));
    image.setDotsPerMeterY(static_cast<int>(kDotsPerInch / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintPaperPage(painter, form, page, kDotsPerInch);
    painter.end();
    const QString path = folder + QStringLiteral("/%1-page-%2.png").arg(name).arg(page.Number);
    EXPECT_TRUE(image.save(path)) << path.toStdString();
  }
}

// Where a value of the return is expected: the page, its caption there, and the value.
struct Expected {
  int Page;
  const char* Caption;
  const char* Value;
};

TEST(PaperFormTest, EachReturnHasItsSectionsAndSheetsOnPagesOfTheirOwnAndPrintsToPdf) {
  struct Case {
    const char* Tail;
    std::vector<const char*> Headings;  // how each page begins
    std::vector<Expected> Values;
  };
  const char* title = "Налоговая декларация по налогу на доходы физических лиц (форма 3-НДФЛ)";
  const Case cases[] = {
      {"E01",
       {title, "Раздел 1.", "Раздел 2.", "Лист А.", "Лист Е1."},
       {{1, "Номер корректировки", "0"},
        {1, "Код категории налогоплательщика", "760"},
        {2, "Код бюджетной классификации", "18210102010011000110"},
        {2, "Сумма налога, подлежащая возврату из бюджета", "2548"},
        {3, "Налоговая база", "520400.00"},
        {4, "Наименование организации", "ООО \"РОМАШКА\""},
        {5, "Вычет на детей", "19600.00"}}},
      {"E02",
       {title, "Раздел 1.", "Раздел 2.", "Лист А.", "Лист Г.", "Лист Д1.", "Лист Д2.", "Лист Е1.", "Лист Е2.",
        "Лист Ж."},
       {{2, "Сумма налога, подлежащая возврату из бюджета", "234000"},
        {4, "Фамилия, имя, отчество (наименование) источника выплаты", "ПЕТРОВ ПЕТР ПЕТРОВИЧ"},
        {6, "Сумма фактически произведенных расходов на объект", "2000000.00"},
        {9, "Наименование организации", "АО \"НПФ \"БУДУЩЕЕ\""},
        {10, "Сумма профессионального налогового вычета", "30000.00"}}},
      {"E03",
       {title, "Раздел 1.", "Раздел 2. Расчет налоговой базы и суммы налога по доходам, облагаемым по ставке 13 %",
        "Раздел 2. Расчет налоговой базы и суммы налога по доходам, облагаемым по ставке 30 %",
        "Раздел 2. Расчет налоговой базы и суммы налога по доходам, облагаемым по ставке 15 %", "Лист А."},
       {{1, "Статус налогоплательщика", "2"},
        {1, "Адрес за пределами Российской Федерации", "УКРАИНА, Г. КИЕВ, УЛ. КРЕЩАТИК, Д. 1, КВ. 5"},
        {5, "Сумма налога, исчисленная по налоговой базе", "15000"}}},
      {"E04",
       {title, "Раздел 1.", "Раздел 2.", "Лист А.", "Лист В."},
       {{2, "Сумма налога, подлежащая уплате (доплате) в бюджет", "92400"},
        {5, "Код вида экономической деятельности по ОКВЭД", "47.11"},
        {5, "в том числе прочие расходы", "40000.40"}}},
      {"E05",
       {title, "Раздел 1.", "Раздел 2.", "Раздел 2.", "Лист А.", "Лист Б."},
       {{3, "Код вида дохода", "1"},
        {4, "Код вида дохода", "3"},
        {6, "Курс валюты на дату получения дохода, руб.", "65.4991"},
        {6, "Сумма дохода в рублях", "81900.07"}}},
      {"E06",
       {title, "Раздел 1.", "Раздел 2.", "Лист А.", "Лист З.", "Лист З.", "Лист З.", "Лист И."},
       {{5, "Вид операций", "1"},
        {6, "Вид операций", "2"},
        {6, "Год, в котором получен убыток", "2014"},
        {8, "Сумма вклада в инвестиционное товарищество", "60000.00"}}},
      {"E07",
       {"Налоговая декларация о предполагаемом доходе физического лица (форма 4-НДФЛ)"},
       {{1, "Сумма предполагаемого дохода", "600000"},
        {1, "Наименование организации — представителя налогоплательщика", "ООО \"БУХГАЛТЕРИЯ И ПРАВО\""}}},
      {"E08",
       {title, "Раздел 1.", "Раздел 2.", "Лист А.", "Лист Д2."},
       {{1, "Наименование документа, подтверждающего полномочия представителя", "ДОВЕРЕННОСТЬ 07АА123456"},
        {2, "Сумма налога, подлежащая уплате (доплате) в бюджет", "104000"}}},
  };
  QTemporaryDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Tail);
    PdfPrinters pdf{dir.path(), {}};
    TPrintModule module(pdf.Choice());
    module.SetPrintTiffParam(kRecipientParam, Utf8ToCp1251("ИФНС России по г. Балашихе Московской области"));
    std::string xml = Golden(c.Tail);
    const TPaperForm form = module.LayOut(xml);

    const std::vector<QString> headings = PageHeadings(form);
    ASSERT_EQ(headings.size(), c.Headings.size());
    for (std::size_t i = 0; i < headings.size(); ++i) {
      EXPECT_TRUE(headings[i].startsWith(U(c.Headings[i]))) << i + 1 << ": " << headings[i].toStdString();
      EXPECT_EQ(form.Pages[i].Number, static_cast<int>(i) + 1);
      EXPECT_EQ(form.Pages[i].PageLabel(), QStringLiteral("Стр. %1").arg(i + 1));
    }
    const TPaperLine* recipient = form.Pages[0].FindField(U(kRecipientParam));
    ASSERT_NE(recipient, nullptr);
    EXPECT_EQ(recipient->Value, U("ИФНС России по г. Балашихе Московской области"));
    for (const Expected& e : c.Values) {
      const TPaperLine* line = form.Pages.at(static_cast<std::size_t>(e.Page - 1)).FindField(U(e.Caption));
      ASSERT_NE(line, nullptr) << e.Caption << " on page " << e.Page;
      EXPECT_EQ(line->Value, U(e.Value)) << e.Caption;
    }

    std::string printer = "Принтер 1";
    module.PrintData(xml, "", printer, 0);
    ASSERT_EQ(pdf.Printed.size(), 1u);
    EXPECT_EQ(PdfPages(pdf.File(1)), static_cast<int>(form.Pages.size()));
  }
}

// The attributes of a return's text, read apart from the layout: (element, attribute, value).
std::multiset<std::tuple<std::string, std::string, QString>> AttributesOf(const std::string& xml1251) {
  std::multiset<std::tuple<std::string, std::string, QString>> attributes;
  const QString text = FromModel(xml1251);
  static const QRegularExpression tag(QStringLiteral("<([^/?!\\s>]+)([^>]*)>"));
  static const QRegularExpression attribute(QStringLiteral("([^\\s=]+)=\"([^\"]*)\""));
  for (const QRegularExpressionMatch& t : tag.globalMatch(text)) {
    for (const QRegularExpressionMatch& a : attribute.globalMatch(t.captured(2))) {
      QString value = a.captured(2);
      value.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
      value.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
      value.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
      value.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
      attributes.emplace(t.captured(1).toStdString(), a.captured(1).toStdString(), value);
    }
  }
  return attributes;
}

TEST(PaperFormTest, EveryAttributeOfTheReturnIsOnPaperWithACaptionAndItsValueAsExported) {
  for (const std::string& tail : GoldenTails()) {
    SCOPED_TRACE(tail);
    const std::string xml = Golden(tail);
    const TPaperForm form = LayOutPaperForm(xml, {});
    std::multiset<std::tuple<std::string, std::string, QString>> onPaper;
    for (const TPaperPage& page : form.Pages) {
      for (const TPaperLine& line : page.Lines) {
        if (line.Kind != PaperLineKind::Field || line.Element.empty()) continue;
        onPaper.emplace(line.Element, line.Attribute, line.Value);
        EXPECT_TRUE(PaperTableCaption(line.Element, line.Attribute).has_value())
            << "no caption for " << line.Element << "/" << line.Attribute;
      }
    }
    EXPECT_EQ(onPaper, AttributesOf(xml));
  }
}

// A return with forty sources in sheet А, one with a name of several lines and one with a
// word longer than a line.
std::string LongReturn(const QString& longName, const QString& longWord) {
  QString xml = QStringLiteral(
      "<?xml version=\"1.0\" encoding=\"windows-1251\"?><Файл ИдФайл=\"X\" ВерсПрог=\"1\" ВерсФорм=\"5.11\">"
      "<Документ КНД=\"1151020\" НомКорр=\"2\"><СвНП><НПФЛ3 ДокПредст=\"760\" Статус=\"1\">"
      "<ФИОФЛ Фамилия=\"ПЕТРОВ\" Имя=\"ПЕТР\"/></НПФЛ3></СвНП><Подписант ПрПодп=\"1\"/><НДФЛ3>");
  for (int i = 1; i <= 40; ++i) {
    const QString name = i == 7 ? longName : i == 8 ? longWord : QStringLiteral("ООО ИСТОЧНИК %1").arg(i);
    xml += QStringLiteral("<ДоходИстРФ Ставка=\"13\" ВидДоход=\"06\" Доход=\"%1.00\" ДоходОбл=\"%1.00\" "
                          "НалИсчисл=\"0\" НалУдерж=\"0\"><ИстЮЛ Наим=\"%2\" ИННЮЛ=\"7701234567\" КПП=\"770101001\"/>"
                          "</ДоходИстРФ>")
               .arg(i * 1000)
               .arg(name);
  }
  xml += QStringLiteral("<ВычСтандСоц ВычСтандСоц=\"0.00\"/></НДФЛ3></Документ></Файл>");
  return ToModel(xml);
}

TEST(PaperFormTest, ALongSheetContinuesOnFollowingPagesUnderItsHeading) {
  QString longName;
  for (int i = 0; i < 30; ++i) longName += QStringLiteral("ОБЩЕСТВО С ОГРАНИЧЕННОЙ ОТВЕТСТВЕННОСТЬЮ ");
  longName = longName.trimmed();
  const QString longWord = QString(300, QChar(0x0416));  // "ЖЖЖ…"
  const TPaperForm form = LayOutPaperForm(LongReturn(longName, longWord), {});
  const QString sheet = U("Лист А. Доходы от источников в Российской Федерации");

  ASSERT_GT(form.Pages.size(), 4u);
  int sheetPages = 0;
  for (std::size_t i = 0; i < form.Pages.size(); ++i) {
    const TPaperPage& page = form.Pages[i];
    SCOPED_TRACE(page.PageLabel().toStdString());
    EXPECT_EQ(page.Number, static_cast<int>(i) + 1);
    ASSERT_FALSE(page.Lines.empty());
    double bottom = 0;
    for (const TPaperLine& line : page.Lines) {
      EXPECT_GE(line.Top, bottom - 1e-9) << "lines overlap: " << line.Caption.toStdString();
      bottom = line.Top + line.Height;
    }
    EXPECT_LE(bottom, TPaperGeometry::BodyHeight() + 1e-9) << "beyond the page";
    const PaperLineKind last = page.Lines.back().Kind;
    EXPECT_TRUE(last != PaperLineKind::Group && last != PaperLineKind::Heading) << "a heading ends the page";
    const QString first = page.Lines.front().Caption;
    if (first == sheet) {
      ++sheetPages;
    } else if (first.startsWith(sheet)) {
      EXPECT_EQ(first, sheet + U(" (продолжение)"));
      ++sheetPages;
    }
  }
  EXPECT_GE(sheetPages, 3);
  EXPECT_EQ(PageHeadings(form).back(), U("Лист Е1. Расчет стандартных и социальных налоговых вычетов"));

  // Wrapped texts lose nothing: the name is its lines joined by blanks, the word its pieces.
  std::vector<const TPaperLine*> names;
  for (const TPaperPage& page : form.Pages) {
    for (const TPaperLine& line : page.Lines) {
      if (line.Kind == PaperLineKind::Field && line.Attribute == "Наим") names.push_back(&line);
    }
  }
  bool sawName = false;
  bool sawWord = false;
  for (const TPaperLine* line : names) {
    if (line->Value == longName) {
      sawName = true;
      EXPECT_GT(line->ValueLines.size(), 5);
      EXPECT_EQ(line->ValueLines.join(QLatin1Char(' ')), longName);
    }
    if (line->Value == longWord) {
      sawWord = true;
      EXPECT_GT(line->ValueLines.size(), 2);
      EXPECT_EQ(line->ValueLines.join(QString()), longWord);
    }
  }
  EXPECT_TRUE(sawName && sawWord);
  bool numbered = false;
  for (const TPaperPage& page : form.Pages) {
    numbered = numbered || page.PlainText().contains(U("Источник выплаты дохода № 40"));
  }
  EXPECT_TRUE(numbered);

  QTemporaryDir dir;
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(dir.filePath(QStringLiteral("long.pdf")));
  ASSERT_TRUE(PrintPaperForm(form, printer));
  EXPECT_EQ(PdfPages(dir.filePath(QStringLiteral("long.pdf"))), static_cast<int>(form.Pages.size()));
  SavePages(form, QStringLiteral("long"));
}

TEST(PaperFormTest, TextThatIsNoReturnIsAModuleErrorInRussian) {
  struct Case {
    const char* Utf8;
    const char* Message;  // the beginning of it
  };
  const Case cases[] = {
      {"", "Модулю печати передан пустой текст декларации."},
      {"   ", "Модулю печати передан пустой текст декларации."},
      {"ERROR", "Текст декларации не удалось прочитать: "},
      {"<Файл><Документ КНД=\"1151020\">", "Текст декларации не удалось прочитать: "},
      {"<Файл ИдФайл=\"X\"/>",
       "Переданный модулю печати текст не является декларацией: в нем нет элемента «Документ»."},
      {"<Справка><Документ/></Справка>",
       "Переданный модулю печати текст не является декларацией: в нем нет элемента «Документ»."},
  };
  std::string deep;
  for (int i = 0; i < 100000; ++i) deep += "<a>";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Utf8);
    TPrintModule module;
    std::string xml = Utf8ToCp1251(c.Utf8);
    try {
      module.PreviewData(xml, 0);
      ADD_FAILURE() << "no error";
    } catch (const EPrintModule& error) {
      EXPECT_EQ(std::string(error.what()).rfind(c.Message, 0), 0u) << error.what();
    }
  }
  try {
    LayOutPaperForm(Utf8ToCp1251("<Файл><Документ>") + deep, {});
    ADD_FAILURE() << "no error";
  } catch (const EPrintModule& error) {
    EXPECT_STREQ(error.what(), "Текст декларации не удалось прочитать: элементы вложены слишком глубоко (строка 1).");
  }
}

TEST(PaperFormTest, ThePrinterMustBeOneTheModuleCanPrintOn) {
  QTemporaryDir dir;
  const std::string missingFolder = dir.filePath(QStringLiteral("нет/return.pdf")).toStdString();
  struct Case {
    std::string Printer;
    std::string Message;
  };
  const Case cases[] = {
      {"", "Не выбран принтер для печати декларации."},
      {"  ", "Не выбран принтер для печати декларации."},
      {"Нет такого принтера", "Принтер «Нет такого принтера» не найден. Выберите другой принтер."},
      {missingFolder, "Не удалось записать файл «" + missingFolder + "»."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Printer);
    TPrintModule module;
    std::string xml = Golden("E01");
    std::string printer = c.Printer;
    try {
      module.PrintData(xml, "", printer, 0);
      ADD_FAILURE() << "no error";
    } catch (const EPrintModule& error) {
      EXPECT_EQ(error.what(), c.Message);
    }
  }
  // A path is a PDF file to print into.
  TPrintModule module;
  std::string xml = Golden("E07");
  std::string file = dir.filePath(QStringLiteral("Декларация.pdf")).toStdString();
  module.PrintData(xml, "", file, 0);
  EXPECT_EQ(PdfPages(QString::fromStdString(file)), 1);
}

TEST(PaperFormTest, PicturesOfThePages) {
  TPaperParams params{{kRecipientParam, Utf8ToCp1251("Инспекция ФНС России по г. Балашихе Московской области")}};
  for (const std::string& tail : GoldenTails()) {
    SavePages(LayOutPaperForm(Golden(tail), params), QString::fromStdString(tail));
  }
}

// The commands "Просмотр" and "Печать" over the program's own print module.
class PrintCommandsTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    xml = Golden("E02");
    exporter = [this](const std::filesystem::path&, mTDeclaration&, int mode, IPresenter&) {
      EXPECT_EQ(mode, kExportToText);
      return xml;
    };
  }
  std::string xml;
};

TEST_F(PrintCommandsTest, PreviewShowsThePagesOfTheReturnInThePreviewDialog) {
  auto window = MakeWindow();  // the installed module: no factory of the test's own
  window->show();
  const int pages = static_cast<int>(LayOutPaperForm(xml, {}).Pages.size());
  bool shown = false;
  WhenModal([&](QWidget* modal) {
    auto* preview = qobject_cast<QPrintPreviewDialog*>(modal);
    EXPECT_NE(preview, nullptr) << modal->metaObject()->className();
    if (preview != nullptr) {
      shown = true;
      EXPECT_EQ(preview->windowTitle(), U(kPreviewTitle));
      EXPECT_FALSE(window->centralWidget()->isEnabled()) << "the window waits for the preview";
      auto* pagesWidget = preview->findChild<QPrintPreviewWidget*>();
      EXPECT_NE(pagesWidget, nullptr);
      if (pagesWidget != nullptr) {
        EXPECT_EQ(pagesWidget->pageCount(), pages);
      }
      preview->resize(1024, 768);
      QApplication::processEvents();
      QDir().mkpath(QStringLiteral(TALVER_SCREENSHOT_DIR));
      EXPECT_TRUE(preview->grab().save(QStringLiteral(TALVER_SCREENSHOT_DIR "/PrintPreview.png")));
    }
    modal->close();
  });
  window->PreviewDoc();
  EXPECT_TRUE(shown);
  EXPECT_TRUE(presenter.Messages.empty());
  EXPECT_TRUE(window->centralWidget()->isEnabled() && window->menuBar()->isEnabled());
}

TEST_F(PrintCommandsTest, ThreeCopiesPrintThreeTimesOnTheChosenPrinter) {
  PdfPrinters pdf{dir.path(), {}};
  printModule = [&pdf] { return std::make_unique<TPrintModule>(pdf.Choice()); };
  dialogs.Copies = 3;
  auto window = MakeWindow();
  window->PrintDoc();
  EXPECT_TRUE(presenter.Messages.empty());
  ASSERT_EQ(pdf.Printed.size(), 3u);
  const int pages = static_cast<int>(LayOutPaperForm(xml, {}).Pages.size());
  for (std::size_t copy = 1; copy <= 3; ++copy) EXPECT_EQ(PdfPages(pdf.File(copy)), pages) << copy;
}

TEST_F(PrintCommandsTest, AnErrorOfTheModuleIsShownUnchanged) {
  struct Case {
    const char* Name;
    std::string Xml;
    bool Print;
    const char* Message;
  };
  const Case cases[] = {
      {"unknown printer", Golden("E02"), true, "Принтер «Нет такого принтера» не найден. Выберите другой принтер."},
      {"no return", Utf8ToCp1251("<Файл/>"), false,
       "Переданный модулю печати текст не является декларацией: в нем нет элемента «Документ»."},
  };
  dialogs.Printer = U("Нет такого принтера");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    presenter.Messages.clear();
    xml = c.Xml;
    auto window = MakeWindow();
    if (c.Print) {
      window->PrintDoc();
    } else {
      window->PreviewDoc();
    }
    ASSERT_EQ(presenter.Messages.size(), 1u);
    EXPECT_EQ(presenter.Messages[0].Text, c.Message);
    EXPECT_EQ(presenter.Messages[0].Caption, "Тальвер 2016");
    EXPECT_EQ(presenter.Messages[0].Icon, MessageIcon::Error);
    EXPECT_TRUE(window->centralWidget()->isEnabled() && window->menuBar()->isEnabled());
  }
}

TEST_F(PrintCommandsTest, WithoutTheModuleBothCommandsNameItsInstaller) {
  const PrintModuleFactory factories[] = {
      [] { return std::unique_ptr<IPrintModule>(); },
      []() -> std::unique_ptr<IPrintModule> { throw std::runtime_error("класс не зарегистрирован"); },
  };
  int exports = 0;
  exporter = [&exports](const std::filesystem::path&, mTDeclaration&, int, IPresenter&) {
    ++exports;
    return std::string("ERROR");
  };
  for (const PrintModuleFactory& factory : factories) {
    presenter.Messages.clear();
    printModule = factory;
    auto window = MakeWindow();
    window->PreviewDoc();
    window->PrintDoc();
    EXPECT_EQ(presenter.MessageTexts(),
              std::vector<std::string>(2, "Не найден модуль печати. Войдите в рабочий каталог программы \"Тальвер "
                                          "2016\" и запустите файл \"Печать QUIRTA(3.2.4).msi\""));
  }
  EXPECT_EQ(exports, 0);
  EXPECT_EQ(dialogs.PrinterDialogs, 0);
}

// The system print dialog of the program, "Печать в файл" chosen in it: the return goes into
// the PDF file named there, once per copy.
TEST_F(PrintCommandsTest, PrintingToAFileInThePrintDialogWritesThePdf) {
  const QString file = dir.filePath(QStringLiteral("Декларация 3-НДФЛ.pdf"));
  TUiEnvironment env;
  env.Presenter = &presenter;
  env.Dialogs = &QtFileDialogs();
  env.ProgramFolder = programFolder;
  env.DataFolder = dataFolder;
  env.Check = check;
  env.Export = exporter;
  TFormMain window({}, std::move(env));
  window.show();
  bool chosen = false;
  WhenModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<QPrintDialog*>(modal);
    auto* printers = modal->findChild<QComboBox*>(QStringLiteral("printers"));
    auto* name = modal->findChild<QLineEdit*>(QStringLiteral("filename"));
    auto* copies = modal->findChild<QSpinBox*>(QStringLiteral("copies"));
    EXPECT_TRUE(dialog != nullptr && printers != nullptr && name != nullptr && copies != nullptr);
    if (dialog == nullptr || printers == nullptr || name == nullptr || copies == nullptr) {
      modal->close();
      return;
    }
    printers->setCurrentIndex(printers->count() - 1);  // the last entry prints to a file
    name->setText(file);
    copies->setValue(2);
    chosen = true;
    dialog->accept();
  });
  window.PrintDoc();
  ASSERT_TRUE(chosen);
  EXPECT_TRUE(presenter.Messages.empty()) << (presenter.Messages.empty() ? "" : presenter.Messages[0].Text);
  EXPECT_EQ(PdfPages(file), static_cast<int>(LayOutPaperForm(xml, {}).Pages.size()));
}

}  // namespace
}  // namespace talver::test
