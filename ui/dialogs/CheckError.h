#pragma once
// The one-error dialogs of the checks: a caption naming the part of the return, the message,
// and the user's answer. `TfmCheckError` serves the page checks and the confirmation checks of
// the entry dialogs, `TfmCheckAllError` the whole-return check.
#include <QDialog>

class QLabel;
class QPushButton;

namespace talver {

// The dialog results, as the callers compare them.
inline constexpr int kAnswerFix = 6;
inline constexpr int kAnswerSkip = 7;      // also "Отмена" of the whole-return dialog
inline constexpr int kAnswerSkipAll = 9;
inline constexpr int kAnswerClosed = 2;    // the close box

class TCheckErrorDialog : public QDialog {
  Q_OBJECT
 public:
  // "Проверка: " + title.
  void SetTitle(const QString& title);
  void SetMessage(const QString& message);
  // Shows the dialog modally and returns one of the answers above.
  int Execute();

 protected:
  explicit TCheckErrorDialog(QWidget* owner);
  QPushButton* AddButton(const QString& text, const char* name, int answer);
  void Finish();

  QLabel* lbMessage;

 private:
  QWidget* buttons_;
};

class TfmCheckError : public TCheckErrorDialog {
  Q_OBJECT
 public:
  explicit TfmCheckError(QWidget* owner = nullptr);
  // "Пропустить" and "Пропустить все" can be taken away before showing.
  void SetSkipEnabled(bool enabled);
  void SetSkipAllEnabled(bool enabled);

 private:
  QPushButton* btSkip;
  QPushButton* btSkipAll;
};

class TfmCheckAllError : public TCheckErrorDialog {
  Q_OBJECT
 public:
  explicit TfmCheckAllError(QWidget* owner = nullptr);
};

}  // namespace talver
