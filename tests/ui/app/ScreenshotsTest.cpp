// Pictures of the windows as a user sees them, written under the build tree for a person to
// look at: the main window on the conditions page in both label modes, the one-error dialog,
// the inspection picker and the other dialogs.
#include <QDir>
#include <QImage>
#include <QPixmap>

#include "tests/ui/support/UiTestSupport.h"
#include "ui/app/About.h"
#include "ui/dialogs/CheckError.h"
#include "ui/pickers/InspectionPicker.h"
#include "ui/app/StartForm.h"

namespace talver::test {
namespace {

using ScreenshotsTest = UiTest;

// Lets every layout change of the last steps take effect.
void Settle() {
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

TEST_F(ScreenshotsTest, Windows) {
  auto window = MakeWindow();
  window->show();
  window->resize(1024, 768);
  Settle();
  SaveShot(window.get(), "main-conditions-labels");
  window->ToggleLabels(false);
  QApplication::processEvents();
  SaveShot(window.get(), "main-conditions-icons");
  window->ToggleLabels(true);
  Click(window.get(), "rbForm2");
  Click(window.get(), "rbSigner2");
  QApplication::processEvents();
  SaveShot(window.get(), "main-conditions-4ndfl");

  Click(window.get(), "rbForm0");
  Settle();
  SaveShot(window.get(), "main-conditions-back-to-3ndfl");
  Click(window.get(), "cbSection1");
  window->findChild<TMaskedEdit*>(QStringLiteral("edInspection"))->setText(QStringLiteral("0105"));
  window->findChild<TMaskedEdit*>(QStringLiteral("edRepresentativeName"))->setText(QStringLiteral("Петров Пётр Петрович"));
  window->findChild<TMaskedEdit*>(QStringLiteral("edRepresentativeDocument"))->setText(QStringLiteral("Доверенность № 12"));
  Click(window.get(), "fbDeduction");
  Settle();
  EXPECT_EQ(PageName(*window), "TfrFrameDeductData");
  SaveShot(window.get(), "main-deductions");

  TfmCheckError error(window.get());
  error.SetTitle(QStringLiteral("Сведения о декларанте"));
  error.SetMessage(QStringLiteral("Лицам имеющим доходы от предпринимательской деятельности необходимо ввести ИНН"));
  error.show();
  QApplication::processEvents();
  SaveShot(&error, "check-error");
  error.hide();

  TImportSettings settings{dataFolder, programFolder, &presenter, &dialogs, {}};
  std::vector<InspectionChoice> rows;
  for (int i = 1; i <= 30; ++i) {
    rows.push_back({Utf8ToCp1251(QStringLiteral("01%1").arg(i, 2, 10, QLatin1Char('0')).toStdString()),
                    Utf8ToCp1251("Межрайонная инспекция Федеральной налоговой службы № " + std::to_string(i) +
                                 " по Республике Адыгея")});
  }
  TfmInspections picker(window.get(), rows, settings);
  picker.SelectCode("0105");
  picker.show();
  QApplication::processEvents();
  SaveShot(&picker, "inspection-picker");
  picker.hide();

  TfmLoadSoun soun(window.get(), settings);
  soun.show();
  QApplication::processEvents();
  SaveShot(&soun, "load-soun");
  soun.hide();

  TfmAbout about(window.get(), dialogs, presenter);
  about.show();
  QApplication::processEvents();
  SaveShot(&about, "about");
  about.hide();

  TfmStart splash;
  SaveShot(&splash, "splash");
}

}  // namespace
}  // namespace talver::test
