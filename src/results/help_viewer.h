#pragma once
// The in-program help viewer: the game's help file "mirt.hlp" (HTML) from the start folder,
// opened at its contents. One window, created once, modeless and reused. Pages, pictures and
// style sheets are read only from regular files of bounded size in the start folder.
#include <QDialog>
#include <QString>

class QTextBrowser;

namespace results {

class HelpViewer : public QDialog {
  Q_OBJECT

 public:
  explicit HelpViewer(const QString& startDir, QWidget* parent = nullptr);

  // Loads the help file afresh, shows its contents section and brings the window up. A help
  // file that is missing, unreadable or too large is explained in the viewer itself.
  void showContents();

  // startDir + "/mirt.hlp".
  QString helpFilePath() const { return helpFile_; }

  QTextBrowser* browser() const { return browser_; }

 private:
  void showProblem(const QString& text);

  QString helpFile_;
  QTextBrowser* browser_;
};

}  // namespace results
