#include "ui/app/StartForm.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTimer>
#include <QTranslator>
#include <QVBoxLayout>

#include <memory>

#include "ui/app/Main.h"
#include "ui/framework/Seams.h"

namespace talver {
namespace {

constexpr int kSplashMilliseconds = 3000;

bool EnvironmentFlag(const char* name) { return qEnvironmentVariable(name) == QLatin1String("1"); }

class QuitAfterFirstPaint : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !done_) {
      done_ = true;
      QTimer::singleShot(0, qApp, &QApplication::quit);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool done_ = false;
};

}  // namespace

TfmStart::TfmStart() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("TfmStart"));
  auto* picture = new QLabel(this);
  picture->setObjectName(QStringLiteral("Image"));
  picture->setPixmap(QPixmap(QStringLiteral(":/pictures/talver.jpg")));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(picture);
  setFixedSize(460, 104);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

int RunTalver(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromUtf8(kProductName));
  QApplication::setOrganizationName(QString::fromUtf8(kOrganizationName));
  // The installed menu entry: desktops show its name and icon for the program's windows.
  QGuiApplication::setDesktopFileName(QStringLiteral("example.talver2016.talver"));
  // The standard dialogs in Russian where Qt's translations are installed.
  QTranslator qtTranslator;
  if (qtTranslator.load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&qtTranslator);
  }

  auto splash = std::make_unique<TfmStart>();
  splash->show();
  QApplication::processEvents();
  bool splashDone = false;
  QTimer::singleShot(EnvironmentFlag("TALVER_NO_SPLASH_DELAY") ? 0 : kSplashMilliseconds, [&splashDone] {
    splashDone = true;
  });

  QStringList arguments = QApplication::arguments();
  arguments.removeFirst();
  TFormMain window(arguments);
  if (window.StartupFailed()) return 1;
  while (!splashDone) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  splash.reset();
  window.show();
  // For the start-up benchmark: end as soon as the window has been painted once.
  QuitAfterFirstPaint quitter;
  if (EnvironmentFlag("TALVER_QUIT_WHEN_READY")) window.installEventFilter(&quitter);
  return QApplication::exec();
}

}  // namespace talver
