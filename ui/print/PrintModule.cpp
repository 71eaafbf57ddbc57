#include "ui/print/PrintModule.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <utility>

#include "ui/base/UiText.h"

namespace talver {
namespace {

// The widget of a window handle as the program passes it (the handle cut to 32 bits).
QWidget* WindowOfHandle(std::int32_t handle) {
  if (handle != 0) {
    const auto id = static_cast<WId>(static_cast<std::uint32_t>(handle));
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget->internalWinId() == id) return widget;
    }
  }
  return QApplication::activeWindow();
}

QString Quoted(const QString& text) { return QStringLiteral("«") + text + QStringLiteral("»"); }

}  // namespace

bool ChooseInstalledPrinter(const QString& name, QPrinter& printer) {
  if (QDir::isAbsolutePath(name)) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(name);
    return true;
  }
  if (!QPrinterInfo::availablePrinterNames().contains(name)) return false;
  printer.setOutputFormat(QPrinter::NativeFormat);
  printer.setPrinterName(name);
  return printer.isValid();
}

bool AskForPrinter(QWidget* parent, QString& printerName, int& copies) {
  QPrinter printer;
  QPrintDialog dialog(&printer, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  // The print module takes the file's path in place of a printer's name.
  printerName = printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : printer.printerName();
  copies = printer.copyCount();
  return true;
}

TPrintModule::TPrintModule(PrinterChoice choose) : choose_(std::move(choose)) {}

void TPrintModule::SetPrintTiffParam(const std::string& name, const std::string& value) { params_[name] = value; }

void TPrintModule::SetPrintTiffFolder(std::string& folder) { folder_ = folder; }

TPaperForm TPrintModule::LayOut(const std::string& xml) const { return LayOutPaperForm(xml, params_); }

void TPrintModule::PreviewData(std::string& xml, std::int32_t windowHandle) {
  const TPaperForm form = LayOut(xml);
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageOrientation(QPageLayout::Portrait);
  QPrintPreviewDialog dialog(&printer, WindowOfHandle(windowHandle));
  dialog.setObjectName(QStringLiteral("PrintPreview"));
  dialog.setWindowTitle(QString::fromUtf8(kPreviewTitle));
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                   [&form](QPrinter* target) { PrintPaperForm(form, *target); });
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect room = screen->availableGeometry();
    dialog.resize(std::min(room.width(), 1000), room.height() * 9 / 10);
  }
  // A whole page on a screen is too small to read: the page's width fills the window, through
  // the dialog's own button so that its tool bar shows it.
  const QString fitWidth = QCoreApplication::translate("QPrintPreviewDialog", "Fit width");
  bool fitted = false;
  for (QAction* action : dialog.findChildren<QAction*>()) {
    if (!fitted && action->text() == fitWidth) {
      action->trigger();
      fitted = true;
    }
  }
  if (auto* pages = dialog.findChild<QPrintPreviewWidget*>(); pages != nullptr && !fitted) pages->fitToWidth();
  dialog.exec();
}

void TPrintModule::PrintData(std::string& xml, const std::string& /*reserved*/, std::string& printerName,
                             std::int32_t /*flags*/) {
  const QString name = FromUtf8(printerName).trimmed();
  if (name.isEmpty()) throw EPrintModule("Не выбран принтер для печати декларации.");
  const TPaperForm form = LayOut(xml);
  QPrinter printer(QPrinter::HighResolution);
  if (!choose_(name, printer)) {
    throw EPrintModule(("Принтер " + Quoted(name) + " не найден. Выберите другой принтер.").toStdString());
  }
  printer.setDocName(QStringLiteral("Декларация"));
  printer.setCopyCount(1);
  if (!PrintPaperForm(form, printer)) {
    const QString target = printer.outputFormat() == QPrinter::PdfFormat
                               ? QStringLiteral("Не удалось записать файл ") + Quoted(printer.outputFileName())
                               : QStringLiteral("Не удалось напечатать декларацию на принтере ") + Quoted(name);
    throw EPrintModule((target + QLatin1Char('.')).toStdString());
  }
}

}  // namespace talver
