#include "help_viewer.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "file_io.h"

namespace {

// Our help file is a few tens of kilobytes; anything far larger is not a help file.
constexpr qint64 kLargestHelpFile = 4 * 1024 * 1024;

}  // namespace

HelpViewer::HelpViewer(const QString& startDir, QWidget* parent)
    : QDialog(parent, Qt::Window),
      helpFile_(QString::fromStdString(platform::joinPath(startDir.toStdString(), "mirt.hlp"))),
      browser_(new QTextBrowser(this)) {
  setWindowTitle(QStringLiteral("TAVI's Klondike Help"));
  setModal(false);
  // A comfortable reading size, but never larger than the screen's free area.
  QSize wanted(640, 560);
  if (const QScreen* desk = screen())
    wanted = wanted.boundedTo(desk->availableGeometry().size() * 9 / 10);
  resize(wanted);

  auto* contents = new QPushButton(QStringLiteral("C&ontents"), this);
  auto* back = new QPushButton(QStringLiteral("&Back"), this);
  auto* forward = new QPushButton(QStringLiteral("&Forward"), this);
  auto* close = new QPushButton(QStringLiteral("&Close"), this);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(contents);
  buttons->addWidget(back);
  buttons->addWidget(forward);
  buttons->addStretch();
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(browser_);

  browser_->setOpenExternalLinks(true);
  back->setEnabled(false);
  forward->setEnabled(false);
  connect(contents, &QPushButton::clicked, this, &HelpViewer::showContents);
  connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward, &QWidget::setEnabled);
  connect(close, &QPushButton::clicked, this, &QWidget::close);
}

void HelpViewer::showContents() {
  const QFileInfo file(helpFile_);
  if (!file.isFile()) {
    showProblem(QStringLiteral("The help file %1 could not be found."));
  } else if (!file.isReadable()) {
    showProblem(QStringLiteral("The help file %1 could not be read."));
  } else if (file.size() > kLargestHelpFile) {
    showProblem(QStringLiteral("The file %1 is too large to be a help file."));
  } else {
    QUrl contents = QUrl::fromLocalFile(file.absoluteFilePath());
    contents.setFragment(QStringLiteral("contents"));
    browser_->clear();  // forget the old source, so that the file is read again
    browser_->setSource(contents, QTextDocument::HtmlResource);
    browser_->clearHistory();
  }
  show();
  raise();
  activateWindow();
}

void HelpViewer::showProblem(const QString& text) {
  browser_->clear();
  browser_->clearHistory();
  browser_->setHtml(QStringLiteral("<p>") + text.arg(helpFile_.toHtmlEscaped()) +
                    QStringLiteral("</p>"));
}
