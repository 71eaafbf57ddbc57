// The window tests need one application object and settings of their own.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "ui/framework/Seams.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QStandardPaths::setTestModeEnabled(true);
  QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromUtf8(talver::kProductName));
  QApplication::setOrganizationName(QString::fromUtf8(talver::kOrganizationName));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
