#include "shell/single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>
#include <QThread>

namespace shell {

namespace {

// The local socket of the game on `folder`: named after the folder and the user's home, in
// Linux's abstract namespace, so that a killed game leaves no socket file behind.
QString serverName(const QString& folder) {
  const QByteArray key = (QDir(folder).canonicalPath() + '\n' + QDir::homePath()).toUtf8();
  return "tavis-klondike-" +
         QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex());
}

// A running game answers a knock at once, even behind a message box; the game that holds the
// lock may only be starting its server, so a later start knocks more than once.
constexpr int kAnswerMs = 2000;
constexpr int kKnocks = 3;

}  // namespace

SingleInstance::SingleInstance(const QString& playFolder)
    : folder_(playFolder), lock_(QDir(playFolder).filePath(kLockFileName)) {
  // Held for the whole game: only a lock whose process has ended is stale.
  lock_.setStaleLockTime(0);
  server_.setSocketOptions(QLocalServer::AbstractNamespaceOption);
  connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::bringToFront);
}

SingleInstance::Claim SingleInstance::claim() {
  if (!lock_.tryLock(0) && lock_.error() == QLockFile::LockFailedError) {
    for (int attempt = 0; attempt < kKnocks; ++attempt) {
      if (knock()) return Claim::Raised;
      QThread::msleep(kAnswerMs / 4);
    }
    return Claim::NoAnswer;
  }
  // Locked, or a folder where no lock file can be made: no save can be made there either, so
  // this game plays; a game already running there may still be raised.
  if (!lock_.isLocked() && knock()) return Claim::Raised;
  server_.listen(serverName(folder_));
  return Claim::Own;
}

QString SingleInstance::noAnswerMessage() const {
  return "TAVI's Klondike is already running on the play folder \"" +
         QDir::toNativeSeparators(folder_) +
         "\" but does not answer. This start ends and leaves the player's files alone.";
}

bool SingleInstance::knock() const {
  QLocalSocket socket;
  socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
  socket.connectToServer(serverName(folder_));
  if (!socket.waitForConnected(kAnswerMs)) return false;
  // The running game closes the connection once its window is in front.
  socket.waitForDisconnected(kAnswerMs);
  return true;
}

void SingleInstance::bringToFront() {
  while (QLocalSocket* knocker = server_.nextPendingConnection()) {
    if (window_) {
      window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
      window_->show();
      window_->raise();
      window_->activateWindow();
    }
    knocker->disconnectFromServer();
    knocker->deleteLater();
  }
}

}  // namespace shell
