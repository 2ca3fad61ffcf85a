#include "results/help_viewer.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/file_io.h"
#include "platform/maximize_guard.h"

namespace results {

namespace {

// Our help file is a few tens of kilobytes; anything far larger is not a help file, nor a picture
// it shows.
constexpr qint64 kLargestHelpFile = 4 * 1024 * 1024;

// Reads the documents, pictures and style sheets a help page refers to from the start folder
// only, and only regular files of bounded size: a page naming a device, a pipe, a file elsewhere
// or a web address must not fill the memory, block the window or reach out of the folder.
class FolderBrowser : public QTextBrowser {
 public:
  FolderBrowser(const QString& folder, QWidget* parent)
      : QTextBrowser(parent), folder_(QDir(folder).canonicalPath()) {
    if (!folder_.isEmpty() && !folder_.endsWith('/')) folder_ += '/';
  }

  QVariant loadResource(int type, const QUrl& name) override {
    const QByteArray bytes = readFromFolder(name);
    if (type != QTextDocument::ImageResource) return bytes;  // never null: see readFromFolder
    // Pictures are decoded here: the document reads a picture it is not handed by its name
    // itself, past every check. One that is refused or does not decode shows as nothing.
    QImage picture = QImage::fromData(bytes);
    if (picture.isNull()) {
      picture = QImage(1, 1, QImage::Format_ARGB32);
      picture.fill(Qt::transparent);
    }
    return picture;
  }

 private:
  // The bytes of a regular file of bounded size inside the folder, else an empty array (not a
  // null one, which would let the document read the file itself).
  QByteArray readFromFolder(const QUrl& name) const {
    const QUrl url = (source().isEmpty() ? QUrl::fromLocalFile(folder_) : source()).resolved(name);
    if (folder_.isEmpty() || !url.isLocalFile()) return QByteArray("");
    const QString path = QFileInfo(url.toLocalFile()).canonicalFilePath();
    if (!path.startsWith(folder_)) return QByteArray("");
    const auto bytes =
        platform::readFile(QFile::encodeName(path).toStdString(), kLargestHelpFile + 1);
    if (!bytes || static_cast<qint64>(bytes->size()) > kLargestHelpFile) return QByteArray("");
    return QByteArray(reinterpret_cast<const char*>(bytes->data()),
                      static_cast<qsizetype>(bytes->size()));
  }

  QString folder_;  // canonical, ending in '/'; empty when the folder does not exist
};

}  // namespace

HelpViewer::HelpViewer(const QString& startDir, QWidget* parent)
    : QDialog(parent, Qt::Window),
      helpFile_(QString::fromStdString(platform::joinPath(startDir.toStdString(), "mirt.hlp"))),
      browser_(new FolderBrowser(startDir, this)) {
  setWindowTitle(QStringLiteral("TAVI's Klondike Help"));
  setModal(false);
  platform::allowMaximize(this);  // a window of its own, laid out at any size
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

}  // namespace results
