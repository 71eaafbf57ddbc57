#pragma once
// What the tests of the taxpayer pages, the incomes at 13 % page and their dialogs share:
// typing as a keyboard does (Cyrillic included), answering a dictionary picker by code, and a
// presenter that also records whether "Пропустить" was offered.
#include <QLineEdit>
#include <QTreeWidget>

#include <optional>
#include <string>
#include <vector>

#include "tests/ui/support/UiTestSupport.h"

namespace talver::test {

// Each character as its own key press with that text, as a keyboard layout sends it.
inline void TypeText(QWidget* widget, const QString& text) {
  for (QChar c : text) {
    const Qt::Key key = c.isDigit() ? static_cast<Qt::Key>(Qt::Key_0 + c.digitValue()) : Qt::Key_unknown;
    QTest::sendKeyEvent(QTest::Click, widget, key, QString(c), Qt::NoModifier);
  }
}

// Empties a field and types `text` into it.
inline void Retype(QLineEdit* edit, const QString& text) {
  edit->setFocus();
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Delete);
  TypeText(edit, text);
}

// What a picker showed when it was answered.
struct PickerSeen {
  bool Shown = false;
  QString Caption;
  std::vector<QString> Codes;  // the first column, in list order
  QString Current;             // the code of the selected row, empty for none
};

// The next modal list answers with the row of `code` and "Да"; an empty code answers "Нет".
inline void AnswerPicker(const QString& code, PickerSeen* seen = nullptr) {
  UiTest::WhenModal([code, seen](QWidget* picker) {
    auto* list = picker->findChild<QTreeWidget*>();
    ASSERT_NE(list, nullptr) << picker->objectName().toStdString();
    if (seen != nullptr) {
      seen->Shown = true;
      seen->Caption = picker->windowTitle();
      for (int i = 0; i < list->topLevelItemCount(); ++i) seen->Codes.push_back(list->topLevelItem(i)->text(0));
      QTreeWidgetItem* current = list->currentItem();
      seen->Current = current != nullptr && current->isSelected() ? current->text(0) : QString();
    }
    if (code.isEmpty()) {
      QTest::keyClick(picker, Qt::Key_Escape);
      return;
    }
    const QList<QTreeWidgetItem*> rows = list->findItems(code, Qt::MatchExactly, 0);
    ASSERT_FALSE(rows.isEmpty()) << "no row " << code.toStdString();
    list->setCurrentItem(rows.front());
    rows.front()->setSelected(true);
    QTest::keyClick(list, Qt::Key_Return);
  });
}

// The scripted presenter, recording for each entry-dialog error whether it could be skipped.
class EntryPresenter : public ScriptedPresenter {
 public:
  std::vector<bool> SkipOffered;

  CheckAnswer ShowEntryError(std::string_view title, std::string_view message, bool skipEnabled) override {
    SkipOffered.push_back(skipEnabled);
    return IUiPresenter::ShowEntryError(title, message, skipEnabled);
  }
  std::vector<std::string> CheckMessages() const {
    std::vector<std::string> texts;
    for (const CheckShown& c : Checks) texts.push_back(c.Message);
    return texts;
  }
};

}  // namespace talver::test
