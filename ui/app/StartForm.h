#pragma once
// The splash window and the program's start.
#include <QWidget>

namespace talver {

// Borderless, centred on the screen, the 460 x 104 picture.
class TfmStart : public QWidget {
  Q_OBJECT
 public:
  TfmStart();
};

// The whole program: the splash for at least three seconds (none with TALVER_NO_SPLASH_DELAY=1),
// the main window, the message loop. Returns the exit code.
int RunTalver(int argc, char** argv);

}  // namespace talver
