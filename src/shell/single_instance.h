#pragma once
// One game per play folder. The first start holds a lock file in the folder and listens on a
// local socket named after it; a later start on the same folder knocks there, which brings the
// running game's window to the front, and ends before it reads or writes any of the player's
// files. Two games on one folder would save over each other's statistics and options.
#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace shell {

class SingleInstance : public QObject {
  Q_OBJECT
 public:
  // The lock file's name in the play folder.
  static constexpr const char* kLockFileName = ".tavis-klondike.lock";

  explicit SingleInstance(const QString& playFolder);

  enum class Claim {
    Own,       // this start plays; no other game holds the folder
    Raised,    // another game holds it and was asked to bring its window to the front
    NoAnswer,  // another game holds it but does not answer: this start must not play
  };
  Claim claim();

  // The window a later start brings to the front.
  void setWindow(QWidget* window) { window_ = window; }

  // The message of a start that must not play.
  QString noAnswerMessage() const;

 private:
  QString folder_;
  QLockFile lock_;
  QLocalServer server_;
  QPointer<QWidget> window_;

  bool knock() const;
  void bringToFront();
};

}  // namespace shell
