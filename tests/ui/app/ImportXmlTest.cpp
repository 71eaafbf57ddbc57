// "Открыть файл xml…" and `talver FILE.xml`: a return's XML file opened as a new declaration
// that no file holds yet, with what the XML could not give back shown once.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include <filesystem>
#include <fstream>

#include "tests/ui/support/UiTestSupport.h"

namespace talver::test {
namespace {

using ImportXmlTest = UiTest;

const QString kReturn = QString::fromStdString(
    (std::filesystem::path(TALVER_SOURCE_DIR) / "tests" / "export" / "golden" /
     "NO_NDFL3_5001_5001_500100732259_20170214_0C6A2E74-3F1D-4B0E-9A56-2D1F8C4B7E01.xml")
        .string());

TEST_F(ImportXmlTest, TheFileMenuOpensAReturnAsANewUnsavedDeclaration) {
  auto window = MakeWindow();
  auto* menu = Find<QMenu>(window.get(), "mnFile");
  ASSERT_NE(menu, nullptr);
  QStringList texts;
  for (QAction* a : menu->actions()) texts << a->text();
  EXPECT_EQ(texts.mid(0, 3), (QStringList{QStringLiteral("Создать"), QStringLiteral("Открыть"),
                                          QStringLiteral("Открыть файл xml…")}));

  dialogs.OpenNames.push_back(kReturn);
  Find<QAction>(window.get(), "OpenXmlDoc")->trigger();
  ASSERT_EQ(dialogs.OpenFilters.size(), 1u);
  EXPECT_EQ(dialogs.OpenFilters[0], QStringLiteral("Декларация в формате xml (*.xml)"));
  const mTDeclaration& d = window->Declaration();
  EXPECT_EQ(Cp1251ToUtf8(d.Person.Name.Surname), "ИВАНОВ");
  EXPECT_EQ(d.InspectionCode, "5001");
  ASSERT_EQ(d.Sources13.Count(), 1u);
  EXPECT_EQ(d.Sources13.Get(0).IncomeTotal, Currency::FromRoubles(540000));
  EXPECT_TRUE(window->FileName().isEmpty());
  EXPECT_FALSE(window->Saved());
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Без имени - Тальвер 2016"));
  EXPECT_EQ(PageName(*window), "TfrInitialData");
  EXPECT_TRUE(window->Button(NavButton::RussianIncome)->isEnabled());
  ASSERT_EQ(presenter.Messages.size(), 1u);
  EXPECT_EQ(presenter.Messages[0].Icon, MessageIcon::Information);
  EXPECT_EQ(presenter.Messages[0].Text.rfind("Декларация прочитана из файла XML.", 0), 0u) << presenter.Messages[0].Text;
  EXPECT_NE(presenter.Messages[0].Text.find("Помесячные доходы восстановлены одной суммой за год"), std::string::npos);
  SaveShot(window.get(), "import-xml-opened");

  // Saving asks for a declaration file's name.
  const QString saved = dir.filePath("ivanov.tv6");
  dialogs.SaveNames.push_back(saved);
  window->SaveDoc();
  EXPECT_TRUE(window->Saved());
  EXPECT_EQ(window->FileName(), saved);
  mTDeclaration reloaded;
  reloaded.LoadFromFile(saved.toStdString());
  EXPECT_EQ(reloaded.Sources13.Get(0).IncomeTotal, Currency::FromRoubles(540000));
}

TEST_F(ImportXmlTest, ARefusedFileIsReportedAndTheDeclarationStays) {
  const QString file = WriteDeclaration(QStringLiteral("mine.tv6"), [](mTDeclaration& d) { d.InspectionCode = "7701"; });
  const QString other = dir.filePath("other.xml");
  std::ofstream(other.toStdString(), std::ios::binary)
      << Utf8ToCp1251("<?xml version=\"1.0\" encoding=\"windows-1251\"?><Файл ВерсФорм=\"5.10\"/>");
  auto window = MakeWindow({file});
  dialogs.OpenNames.push_back(other);
  window->OpenXmlDoc();
  ASSERT_EQ(presenter.Messages.size(), 1u);
  EXPECT_EQ(presenter.Messages[0].Icon, MessageIcon::Error);
  EXPECT_EQ(presenter.Messages[0].Text.rfind("Файл записан в другой версии формата: ВерсФорм «5.10»", 0), 0u);
  EXPECT_EQ(window->Declaration().InspectionCode, "7701");
  EXPECT_EQ(window->FileName(), file);
  EXPECT_TRUE(window->Saved());

  // Cancelling the dialog changes nothing either.
  dialogs.OpenNames.push_back(QString());
  window->OpenXmlDoc();
  EXPECT_EQ(window->Declaration().InspectionCode, "7701");
}

TEST_F(ImportXmlTest, TheCommandLineOpensAnXmlFileAsANewDeclaration) {
  auto window = MakeWindow({kReturn});
  EXPECT_EQ(Cp1251ToUtf8(window->Declaration().Person.Name.Surname), "ИВАНОВ");
  EXPECT_TRUE(window->FileName().isEmpty());
  EXPECT_FALSE(window->Saved());
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Без имени - Тальвер 2016"));
  ASSERT_EQ(presenter.Messages.size(), 1u);
  EXPECT_EQ(presenter.Messages[0].Icon, MessageIcon::Information);
}

}  // namespace
}  // namespace talver::test
