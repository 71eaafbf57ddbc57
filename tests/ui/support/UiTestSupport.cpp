#include "tests/ui/support/UiTestSupport.h"

#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QStandardPaths>

#include <fstream>

#include "ui/framework/CompositePages.h"

namespace talver::test {

void UiTest::SetUp() {
  ASSERT_TRUE(dir.isValid());
  programFolder = ToPath(dir.path()) / "program";
  dataFolder = ToPath(dir.path()) / "data";
  std::filesystem::create_directories(programFolder / "resources");
  QSettings(QString::fromUtf8(kOrganizationName), QString::fromUtf8(kProductName)).clear();
  // The commands' own behaviour is tested apart from the rules of the check.
  check = [](mTDeclaration&, IPresenter&) { return CheckResult{}; };
}

void UiTest::TearDown() {
  // A step whose dialog never came must not act on a dialog of a later test.
  for (QTimer* timer : qApp->findChildren<QTimer*>(QStringLiteral("WhenModal"), Qt::FindDirectChildrenOnly)) {
    ADD_FAILURE() << "a dialog the test waited for was never shown";
    delete timer;
  }
  // No window of one test survives into the next.
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->isVisible()) w->close();
  }
  QSettings(QString::fromUtf8(kOrganizationName), QString::fromUtf8(kProductName)).clear();
}

std::unique_ptr<TFormMain> UiTest::MakeWindow(const QStringList& arguments) {
  TUiEnvironment env;
  env.Presenter = &presenter;
  env.Dialogs = &dialogs;
  env.ProgramFolder = programFolder;
  env.DataFolder = dataFolder;
  env.Check = check;
  env.Export = exporter;
  env.CreatePrintModule = printModule;
  auto window = std::make_unique<TFormMain>(arguments, std::move(env));
  window->resize(1024, 768);
  return window;
}

QString UiTest::WriteDeclaration(const QString& name, const std::function<void(mTDeclaration&)>& fill) {
  mTDeclaration declaration;
  declaration.SetSections(kSectionRussian);
  if (fill) fill(declaration);
  const QString path = dir.filePath(name);
  declaration.SaveToFile(ToPath(path));
  return path;
}

void UiTest::WriteInspections(const std::string& utf8Xml, bool inDataFolder) {
  const std::filesystem::path folder = inDataFolder ? dataFolder : programFolder / "resources";
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "InspectionNumbers.xml", std::ios::binary) << Utf8ToCp1251(utf8Xml);
}

void UiTest::InstallHelp() {
  const std::filesystem::path target = programFolder / "resources" / "help";
  std::filesystem::create_directories(target);
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(TALVER_SOURCE_DIR) / "resources" /
                                                               "help")) {
    std::filesystem::copy_file(entry.path(), target / entry.path().filename(),
                               std::filesystem::copy_options::overwrite_existing);
  }
}

std::string UiTest::PageName(TFormMain& window) {
  return window.CurrentPage() != nullptr ? window.CurrentPage()->objectName().toStdString() : std::string();
}

std::string UiTest::SubPageName(TFormMain& window) {
  auto* composite = qobject_cast<TCompositeFrame*>(window.CurrentPage());
  if (composite == nullptr || composite->CurrentPage() == nullptr) return {};
  return composite->CurrentPage()->objectName().toStdString();
}

void UiTest::WhenModal(std::function<void(QWidget*)> step) {
  auto* timer = new QTimer(qApp);
  timer->setObjectName(QStringLiteral("WhenModal"));
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, timer, [timer, step = std::move(step)] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) return;
    timer->stop();
    timer->setObjectName(QString());
    timer->deleteLater();
    step(modal);
  });
  timer->start();
}

void SaveShot(QWidget* widget, const char* name) {
  QApplication::processEvents();
  QDir().mkpath(QStringLiteral(TALVER_SCREENSHOT_DIR));
  const QString path = QStringLiteral(TALVER_SCREENSHOT_DIR "/%1.png").arg(QString::fromLatin1(name));
  const QPixmap picture = widget->grab();
  EXPECT_FALSE(picture.isNull()) << name;
  EXPECT_TRUE(picture.save(path)) << path.toStdString();
}

}  // namespace talver::test
