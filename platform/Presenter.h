#pragma once
// The one seam through which the core speaks to the user: the check's one-error dialogs and
// plain message boxes. The windowed program answers with real dialogs, the command-line tool
// and the tests with scripted answers. Texts are UTF-8.
#include <string_view>

namespace talver {

// The answers of the one-error dialogs. Closing the dialog by its close box counts as Skip in
// the page-check dialog and as Cancel in the whole-return dialog.
enum class CheckAnswer { Fix, Skip, SkipAll, Cancel };

enum class CheckDialog {
  PageCheck,    // "Исправить", "Пропустить", "Пропустить все"
  WholeReturn,  // "Исправить", "Отмена"
};

enum class MessageIcon { Information, Warning, Error };

class IPresenter {
 public:
  virtual ~IPresenter() = default;
  // One error of a check; the dialog's caption is "Проверка: " + title. With `skipEnabled`
  // false the page-check dialog offers "Исправить" only.
  virtual CheckAnswer ShowCheckError(CheckDialog dialog, std::string_view title, std::string_view message,
                                     bool skipEnabled = true) = 0;
  // A message box with one "OK" button.
  virtual void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) = 0;
};

}  // namespace talver
