// The entry field, the one-error dialogs and the import dialog of the inspection directory.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeWidget>

#include <fstream>
#include <tuple>

#include "tests/ui/support/UiTestSupport.h"
#include "ui/dialogs/CheckError.h"
#include "ui/pickers/InspectionPicker.h"

namespace talver::test {
namespace {

TEST(MaskedEditTest, KeystrokesByEditType) {
  struct Case {
    const char* Name;
    EditType Type;
    int Whole;
    int Fraction;
    const char* Typed;
    const char* Result;
  };
  const Case cases[] = {
      {"currency digits", EditType::edtCurrency, 0, 0, "1234", "1234"},
      {"a point becomes the comma", EditType::edtCurrency, 0, 0, "12.5", "12,5"},
      {"a second separator is refused", EditType::edtCurrency, 0, 0, "1,2.3,4", "1,234"},
      {"no sign, no letters", EditType::edtCurrency, 0, 0, "-1a2", "12"},
      {"whole digits limited", EditType::edtCurrency, 3, 2, "12345", "123"},
      {"fraction digits limited", EditType::edtCurrency, 3, 2, "1,2345", "1,23"},
      {"digital", EditType::edtDigital, 3, 0, "1a2,3 4", "123"},
      {"char refuses digits", EditType::edtChar, 0, 0, "Ab1c2", "Abc"},
      {"char limited", EditType::edtChar, 2, 0, "abc", "ab"},
      {"none takes anything", EditType::edtNone, 5, 0, "a1,-.xyz", "a1,-."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TMaskedEdit edit(nullptr, c.Type, c.Whole, c.Fraction);
    QTest::keyClicks(&edit, QString::fromUtf8(c.Typed));
    EXPECT_EQ(edit.text(), QString::fromUtf8(c.Result));
  }
}

TEST(MaskedEditTest, TextSetByTheProgramIsCheckedAndNotified) {
  TMaskedEdit edit(nullptr, EditType::edtCurrency, 5, 2);
  QSignalSpy changes(&edit, &TMaskedEdit::Change);
  edit.setText(QStringLiteral("100,25"));
  EXPECT_EQ(edit.text(), QStringLiteral("100,25"));
  edit.setText(QStringLiteral("12a"));
  EXPECT_EQ(edit.text(), QStringLiteral("100,25")) << "the previous text comes back";
  edit.setText(QStringLiteral("1234567"));
  EXPECT_EQ(edit.text(), QStringLiteral("100,25"));
  edit.setText(QStringLiteral("   "));
  EXPECT_EQ(edit.text(), QString()) << "blanks in an amount field become empty";
  EXPECT_EQ(changes.count(), 2) << "only real changes notify";

  // Backspace always passes; the clipboard pastes through the same check.
  edit.setText(QStringLiteral("12"));
  QTest::keyClick(&edit, Qt::Key_Backspace);
  EXPECT_EQ(edit.text(), QStringLiteral("1"));
  edit.selectAll();
  edit.insert(QStringLiteral("x"));
  EXPECT_EQ(edit.text(), QStringLiteral("1"));
}

// The smallest page: nothing to store or check.
class TEmptyPage : public TThinkingFrame {
 public:
  explicit TEmptyPage(TPageHost& host) : TThinkingFrame(nullptr, host, PageId::CB) {}
  void StoreData() override {}
  std::uint16_t CheckData() override { return 0; }
  void ShowError(std::uint16_t) override {}
};

TEST(MaskedEditTest, AFieldOnAPageNotifiesThePage) {
  TestPageHost host;
  TEmptyPage page(host);
  auto* inner = new QWidget(&page);
  auto* edit = new TMaskedEdit(inner, EditType::edtNone);
  QTest::keyClicks(edit, QStringLiteral("ab"));
  EXPECT_EQ(host.notices, 2);
}

// Answers the next modal dialog by clicking one of its buttons.
void ClickInModal(const char* button) {
  UiTest::WhenModal([button](QWidget* modal) {
    auto* b = modal->findChild<QPushButton*>(QString::fromLatin1(button));
    ASSERT_NE(b, nullptr) << button;
    QTest::mouseClick(b, Qt::LeftButton);
  });
}

TEST(CheckErrorDialogTest, ButtonsAndAnswers) {
  TfmCheckError dialog;
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Проверка"));
  dialog.SetTitle(QStringLiteral("Сведения о декларанте"));
  dialog.SetMessage(QStringLiteral("Не введена фамилия"));
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Проверка: Сведения о декларанте"));
  EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("lbMessage"))->text(), QStringLiteral("Не введена фамилия"));
  std::vector<QString> texts;
  for (auto* b : dialog.findChildren<QPushButton*>()) texts.push_back(b->text());
  EXPECT_EQ(texts, (std::vector<QString>{"Исправить", "Пропустить", "Пропустить все"}));

  const std::pair<const char*, int> answers[] = {{"btFix", kAnswerFix}, {"btSkip", kAnswerSkip}, {"btSkipAll", kAnswerSkipAll}};
  for (const auto& [button, answer] : answers) {
    ClickInModal(button);
    EXPECT_EQ(dialog.Execute(), answer) << button;
  }
  UiTest::WhenModal([](QWidget* modal) { modal->close(); });
  EXPECT_EQ(dialog.Execute(), kAnswerClosed);

  dialog.SetSkipEnabled(false);
  dialog.SetSkipAllEnabled(false);
  EXPECT_FALSE(dialog.findChild<QPushButton*>(QStringLiteral("btSkip"))->isEnabled());
  EXPECT_FALSE(dialog.findChild<QPushButton*>(QStringLiteral("btSkipAll"))->isEnabled());

  TfmCheckAllError all;
  texts.clear();
  for (auto* b : all.findChildren<QPushButton*>()) texts.push_back(b->text());
  EXPECT_EQ(texts, (std::vector<QString>{"Исправить", "Отмена"}));
  ClickInModal("btCancel");
  EXPECT_EQ(all.Execute(), kAnswerSkip);
}

TEST(CheckErrorDialogTest, ThePresenterShowsConsecutiveErrorsInOneDialog) {
  IUiPresenter& presenter = QtPresenter();
  QWidget* first = nullptr;
  UiTest::WhenModal([&first](QWidget* modal) {
    first = modal;
    EXPECT_EQ(modal->windowTitle(), QStringLiteral("Проверка: Задание условий"));
    QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("btSkip")), Qt::LeftButton);
  });
  EXPECT_EQ(presenter.ShowCheckError(CheckDialog::PageCheck, "Задание условий", "Не введен номер инспекции"),
            CheckAnswer::Skip);
  UiTest::WhenModal([&first](QWidget* modal) {
    EXPECT_EQ(modal, first);
    EXPECT_EQ(modal->findChild<QLabel*>(QStringLiteral("lbMessage"))->text(),
              QStringLiteral("Не указаны ФИО подписанта-представителя"));
    modal->close();
  });
  EXPECT_EQ(presenter.ShowCheckError(CheckDialog::PageCheck, "Задание условий",
                                     "Не указаны ФИО подписанта-представителя"),
            CheckAnswer::Skip)
      << "the close box counts as Пропустить";
  UiTest::WhenModal([](QWidget* modal) { modal->close(); });
  EXPECT_EQ(presenter.ShowCheckError(CheckDialog::WholeReturn, "Задание условий", "Не введен номер инспекции"),
            CheckAnswer::Cancel)
      << "and as Отмена in the whole-return dialog";
}

using LoadSounTest = UiTest;

TEST_F(LoadSounTest, TheDialogLeadsFromTheFileToTheImport) {
  std::vector<std::string> imports;
  bool fails = false;
  TImportSettings settings{dataFolder, programFolder, &presenter, &dialogs,
                           [&](const std::filesystem::path& from, const std::filesystem::path& to,
                               const std::string& version, const std::string& date) {
                             imports.push_back(from.string() + "|" + to.string() + "|" + version + "|" + date);
                             if (fails) throw std::runtime_error("Error read file:" + from.string());
                           }};
  TfmLoadSoun dialog(nullptr, settings);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Загрузка СОУН"));
  EXPECT_EQ(Find<QLabel>(&dialog, "lbLine1")->text(),
            QStringLiteral("Инспекция может отсутствовать в справочнике по двум причинам:"));
  EXPECT_EQ(Find<QLabel>(&dialog, "lbLine11")->text(), QStringLiteral("- перезапустить программу \"Тальвер 2016\""));
  EXPECT_EQ(Find<QLabel>(&dialog, "lbLine6")->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_FALSE(Find(&dialog, "btImport")->isEnabled());
  EXPECT_TRUE(Find(&dialog, "btOk")->isEnabled());

  const QString dbf = dir.filePath("soun1.dbf");
  dialogs.OpenNames.push_back(dbf);
  Click(&dialog, "btBrowse");
  EXPECT_EQ(Find<QLineEdit>(&dialog, "edPath")->text(), dbf);
  EXPECT_TRUE(Find(&dialog, "btImport")->isEnabled());
  EXPECT_FALSE(Find(&dialog, "btOk")->isEnabled());

  Click(&dialog, "btImport");
  EXPECT_TRUE(Find(&dialog, "btOk")->isEnabled());
  ASSERT_EQ(imports.size(), 1u);
  EXPECT_EQ(imports[0], dbf.toStdString() + "|" + (dataFolder / "InspectionNumbers.xml").string() + "|00|" +
                            DateToText(Today(), '.'));
  fails = true;
  Click(&dialog, "btImport");
  EXPECT_EQ(presenter.MessageTexts(),
            (std::vector<std::string>{"Данные успешно импортированы. Не забудьте перезапустить программу.",
                                      "Импортировать данные не удалось"}));
}

// A register of the tax authority with the records given as (code, kind, name in Russian).
std::string Register(const std::vector<std::tuple<std::string, std::string, std::u16string>>& records) {
  constexpr std::size_t kHeader = 32;
  constexpr std::size_t kRecord = 1194;
  std::string bytes(kHeader, '\0');
  const auto count = static_cast<std::uint32_t>(records.size());
  for (int i = 0; i < 4; ++i) bytes[4 + i] = static_cast<char>((count >> (8 * i)) & 0xFF);
  bytes[8] = static_cast<char>(kHeader);
  for (const auto& [code, kind, name] : records) {
    std::string record(kRecord, ' ');
    record.replace(1, 4, code);
    record.replace(5, 2, kind);
    std::string dos;
    for (char16_t c : name) {
      // Code page 866: А..п from 0x80, р..я from 0xE0.
      if (c >= u'А' && c <= u'п') {
        dos += static_cast<char>(0x80 + (c - u'А'));
      } else if (c >= u'р' && c <= u'я') {
        dos += static_cast<char>(0xE0 + (c - u'р'));
      } else {
        dos += static_cast<char>(c);
      }
    }
    record.replace(161, dos.size(), dos);
    record[411] = '1';
    bytes += record;
  }
  return bytes;
}

TEST_F(LoadSounTest, AnImportedRegisterIsTheDirectoryOfTheNextStart) {
  WriteInspections("<?xml version=\"1.0\" encoding=\"windows-1251\"?><Inspections>"
                   "<Inspection Code=\"0101\">Поставляемая</Inspection></Inspections>");
  const QString dbf = dir.filePath("soun1.dbf");
  std::ofstream(dbf.toStdString(), std::ios::binary)
      << Register({{"7701", "30", u"ИФНС России N 1 по г. Москве"}, {"7700", "30", u"Управление"}});
  {
    TfmLoadSoun dialog(nullptr, TImportSettings{dataFolder, programFolder, &presenter, &dialogs, {}});
    dialogs.OpenNames.push_back(dbf);
    Click(&dialog, "btBrowse");
    Click(&dialog, "btImport");
    ASSERT_EQ(presenter.MessageTexts(),
              (std::vector<std::string>{"Данные успешно импортированы. Не забудьте перезапустить программу."}));
  }
  auto window = MakeWindow();
  window->show();
  WhenModal([](QWidget* picker) {
    auto* list = picker->findChild<QTreeWidget*>(QStringLiteral("lvInspections"));
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("7701"));
    EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("ИФНС России N 1 по г. Москве"));
    QTest::keyClick(picker, Qt::Key_Escape);
  });
  Click(window.get(), "btInspection");
}

TEST_F(LoadSounTest, TheLinksOpenTheHelpAndTheSite) {
  TImportSettings settings{dataFolder, programFolder, &presenter, &dialogs, {}};
  TfmLoadSoun dialog(nullptr, settings);
  dialog.OpenHelp();
  dialogs.UrlOpens = false;
  dialog.OpenSite();
  EXPECT_EQ(presenter.MessageTexts(),
            (std::vector<std::string>{"Не найден файл справки Talver2016.chm", "Не удалось запустить браузер"}));
  ASSERT_EQ(dialogs.Urls.size(), 1u);
  EXPECT_EQ(dialogs.Urls[0], QUrl(QString::fromUtf8(kSounSite)));
}

TEST_F(LoadSounTest, ThePickerOpensTheImportDialog) {
  TImportSettings settings{dataFolder, programFolder, &presenter, &dialogs, {}};
  TfmInspections picker(nullptr, {{"0101", "A"}, {"0102", "B"}}, settings);
  bool shown = false;
  WhenModal([&shown](QWidget* modal) {
    shown = modal->objectName() == QLatin1String("TfmLoadSoun");
    Click(modal, "btOk");
  });
  Click(&picker, "btMissing");
  EXPECT_TRUE(shown);
}

}  // namespace
}  // namespace talver::test
