#pragma once
// The program's own help window over the shipped help pages.
#include <QWidget>

#include <filesystem>
#include <string_view>

#include "platform/Presenter.h"

class QTextBrowser;

namespace talver {

class THelpWindow : public QWidget {
  Q_OBJECT
 public:
  explicit THelpWindow(const std::filesystem::path& helpFolder);
  void ShowTopic(const QString& topic);
  QTextBrowser* Browser() const { return browser_; }

 private:
  QTextBrowser* browser_;
};

// The folder of the shipped help pages of a program in `programFolder`.
std::filesystem::path HelpFolder(const std::filesystem::path& programFolder);

// Shows the topic maximised in the one help window; without the help pages, the message that
// the help file is missing. False when the help could not be shown.
bool ShowHelpTopic(const std::filesystem::path& programFolder, std::string_view topic, IPresenter& presenter);
// Closes the help window, when one is open; the program ends with its main window.
void CloseHelp();

}  // namespace talver
