#include "ui/framework/HelpWindow.h"

#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/ProgramFolder.h"
#include "ui/framework/Seams.h"
#include "ui/base/UiText.h"

namespace talver {
namespace {

QPointer<THelpWindow>& TheHelpWindow() {
  static QPointer<THelpWindow> window;
  return window;
}

}  // namespace

THelpWindow::THelpWindow(const std::filesystem::path& helpFolder) : browser_(new QTextBrowser(this)) {
  setObjectName(QStringLiteral("THelpWindow"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Справка - Тальвер 2016"));
  browser_->setObjectName(QStringLiteral("HelpBrowser"));
  browser_->setSearchPaths({FromPath(helpFolder)});
  browser_->setOpenExternalLinks(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  resize(900, 700);
}

void THelpWindow::ShowTopic(const QString& topic) { browser_->setSource(QUrl(topic)); }

std::filesystem::path HelpFolder(const std::filesystem::path& programFolder) {
  return ShippedDataFolder(programFolder) / "help";
}

bool ShowHelpTopic(const std::filesystem::path& programFolder, std::string_view topic, IPresenter& presenter) {
  const std::filesystem::path folder = HelpFolder(programFolder);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(folder / std::string(topic), ec)) {
    presenter.ShowMessage("Не найден файл справки Talver2016.chm", kProductName, MessageIcon::Error);
    return false;
  }
  QPointer<THelpWindow>& window = TheHelpWindow();
  if (!window) window = new THelpWindow(folder);
  window->ShowTopic(FromUtf8(topic));
  window->showMaximized();
  window->raise();
  window->activateWindow();
  return true;
}

void CloseHelp() {
  if (QPointer<THelpWindow>& window = TheHelpWindow()) window->close();
}

}  // namespace talver
