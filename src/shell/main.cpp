// TAVI's Klondike: creates the table window, then the secondary windows, and runs the game.
#include <QApplication>
#include <QDir>

#include <cstdio>
#include <string>

#include "platform/file_io.h"
#include "platform/maximize_guard.h"
#include "platform/message_box.h"
#include "platform/quit_signals.h"
#include "platform/sound_cues.h"
#include "shell/app_identity.h"
#include "shell/command_line.h"
#include "shell/main_window.h"
#include "shell/secondary_windows.h"
#include "shell/single_instance.h"

int main(int argc, char* argv[]) {
  std::string playFolderNotice;
  if (const auto exitCode = shell::enterPlayFolder(argc, argv, &playFolderNotice)) return *exitCode;
  // The game draws nothing with OpenGL, so Qt's X11 platform gets no OpenGL integration to load.
  if (qEnvironmentVariableIsEmpty("QT_XCB_GL_INTEGRATION"))
    qputenv("QT_XCB_GL_INTEGRATION", "none");
  // Through shared memory, Qt's X11 window must ask the X server (a round trip that wakes both of
  // its threads) whether the server has finished reading a region before it paints there again:
  // every second for the clock. The table's repaints are small enough to send through the socket.
  if (qEnvironmentVariableIsEmpty("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", "1");
  QApplication app(argc, argv);
  shell::nameApplication();
  platform::guardMaximizeRequests();

  shell::SingleInstance instance(QDir::currentPath());
  switch (instance.claim()) {
    case shell::SingleInstance::Claim::Own: break;
    case shell::SingleInstance::Claim::Raised:
      std::fprintf(stderr, "%s: already running on this play folder; its window is in front\n",
                   argv[0]);
      return 0;
    case shell::SingleInstance::Claim::NoAnswer:
      platform::showMessage(nullptr, instance.noAnswerMessage(), "TAVI's Klondike");
      return 1;
  }
  if (!playFolderNotice.empty())
    platform::showMessage(nullptr, QString::fromStdString(playFolderNotice), "Play folder");
  platform::quitOnTerminationSignals();
  platform::removeStaleTemporaries(QDir::currentPath().toStdString());  // left by killed saves

  shell::MainWindow main(shell::queryScreen(), platform::soundCues());
  instance.setWindow(&main);
  shell::createSecondaryWindows(main, platform::soundCues());
  main.showAtStart();
  return app.exec();
}
