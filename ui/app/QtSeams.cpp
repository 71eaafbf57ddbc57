// The real dialogs behind the seams of Seams.h.
#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include "ui/dialogs/CheckError.h"
#include "ui/framework/Seams.h"
#include "ui/print/PrintModule.h"
#include "ui/base/UiText.h"

namespace talver {
namespace {

// Messages of the core may break lines the old way.
QString DisplayText(std::string_view text) {
  QString result = FromUtf8(text);
  result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return result;
}

QMessageBox::Icon BoxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::Warning:
      return QMessageBox::Warning;
    case MessageIcon::Error:
      return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}

class TQtPresenter final : public IUiPresenter {
 public:
  CheckAnswer ShowCheckError(CheckDialog dialog, std::string_view title, std::string_view message,
                             bool skipEnabled) override {
    // One dialog of each kind serves every error, so consecutive errors of one check appear in
    // the same window with the new caption and message.
    if (dialog == CheckDialog::WholeReturn) {
      if (!all_) all_ = new TfmCheckAllError(QApplication::activeWindow());
      all_->SetTitle(FromUtf8(title));
      all_->SetMessage(DisplayText(message));
      return all_->Execute() == kAnswerFix ? CheckAnswer::Fix : CheckAnswer::Cancel;
    }
    if (!page_) page_ = new TfmCheckError(QApplication::activeWindow());
    page_->SetTitle(FromUtf8(title));
    page_->SetMessage(DisplayText(message));
    page_->SetSkipEnabled(skipEnabled);
    page_->SetSkipAllEnabled(skipEnabled);
    switch (page_->Execute()) {
      case kAnswerFix:
        return CheckAnswer::Fix;
      case kAnswerSkipAll:
        return CheckAnswer::SkipAll;
      default:
        return CheckAnswer::Skip;
    }
  }

  void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override {
    QMessageBox box(BoxIcon(icon), FromUtf8(caption), DisplayText(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
  }

  CheckAnswer ShowEntryError(std::string_view title, std::string_view message, bool skipEnabled) override {
    if (!page_) page_ = new TfmCheckError(QApplication::activeWindow());
    page_->SetTitle(FromUtf8(title));
    page_->SetMessage(DisplayText(message));
    page_->SetSkipEnabled(skipEnabled);
    page_->SetSkipAllEnabled(false);
    return page_->Execute() == kAnswerFix ? CheckAnswer::Fix : CheckAnswer::Skip;
  }

  bool AskYesNo(std::string_view text, std::string_view caption) override {
    QMessageBox box(QMessageBox::Question, FromUtf8(caption), DisplayText(text), QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Да"));
    box.button(QMessageBox::No)->setText(QStringLiteral("Нет"));
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
  }

  QuestionAnswer AskYesNoCancel(std::string_view text, std::string_view caption) override {
    QMessageBox box(QMessageBox::Question, FromUtf8(caption), DisplayText(text),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QApplication::activeWindow());
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Да"));
    box.button(QMessageBox::No)->setText(QStringLiteral("Нет"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("Отмена"));
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
      case QMessageBox::Yes:
        return QuestionAnswer::Yes;
      case QMessageBox::No:
        return QuestionAnswer::No;
      default:
        return QuestionAnswer::Cancel;
    }
  }

 private:
  QPointer<TfmCheckAllError> all_;
  QPointer<TfmCheckError> page_;
};

class TQtFileDialogs final : public IFileDialogs {
 public:
  QString GetOpenFileName(QWidget* parent, const QString& folder, const QString& filter,
                          const QString& defaultSuffix) override {
    QFileDialog dialog(parent, QString(), folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(defaultSuffix);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
  }

  QString GetSaveFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix) override {
    QFileDialog dialog(parent, QString(), QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
  }

  QString GetExistingDirectory(QWidget* parent, const QString& caption) override {
    return QFileDialog::getExistingDirectory(parent, caption);
  }

  bool ChoosePrinter(QWidget* parent, QString& printerName, int& copies) override {
    return AskForPrinter(parent, printerName, copies);
  }

  bool OpenUrl(const QUrl& url) override { return QDesktopServices::openUrl(url); }
};

}  // namespace

IUiPresenter& QtPresenter() {
  static TQtPresenter presenter;
  return presenter;
}

IFileDialogs& QtFileDialogs() {
  static TQtFileDialogs dialogs;
  return dialogs;
}

}  // namespace talver
