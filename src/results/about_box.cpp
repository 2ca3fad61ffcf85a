#include "results/about_box.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include "platform/game_pictures.h"
#include "platform/jpeg_decoder.h"
#include "platform/links.h"
#include "platform/screen_metrics.h"
#include "results/clickable_label.h"

namespace results {

namespace {

struct Author {
  const char* name;
  const char* street;
  const char* town;
  const char* country;
  const char* email;
};

// The game's own credits. Addresses and links use reserved example domains only. Every line is
// short enough for its author's portrait (100 pixels wide) to cover it.
constexpr Author kFirstAuthor{"Wendel Quarre", "Kaartlaan 12", "4321 Klaverveld", "Netherlands",
                              "wq@example.org"};
constexpr Author kSecondAuthor{"Maud Ostrevaal", "Rue Carte 7", "9999 Tournai", "Belgium",
                               "mo@example.net"};
constexpr char kHomepage[] = "https://klondike.example.org/";
constexpr char kSecondLink[] = "https://cardsets.example.com/";
constexpr char kVersion[] = "Version 1.0";

const QColor kLinkBlue(0, 0, 255);

QPixmap picture(platform::pictures::Id id) {
  return QPixmap::fromImage(platform::decodeJpeg(platform::pictures::jpeg(id)));
}

QLabel* textLabel(QWidget* parent, const QString& text, int x, int y) {
  auto* label = new QLabel(text, parent);
  label->move(x, y);
  return label;
}

ClickableLabel* nameLabel(QWidget* parent, const QString& name, int x) {
  auto* label = new ClickableLabel(name, parent);
  label->move(x, 24);
  label->setCursor(Qt::PointingHandCursor);
  return label;
}

ClickableLabel* portrait(QWidget* parent, int x, int y) {
  auto* image = new ClickableLabel(parent);
  image->setGeometry(x, y, 100, 120);
  image->setScaledContents(true);
  image->setCursor(Qt::PointingHandCursor);
  image->hide();
  return image;
}

}  // namespace

AboutBox::AboutBox(QWidget* parent) : AboutBox(platform::openLink, parent) {}

AboutBox::AboutBox(LinkOpener openLink, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      openLink_(std::move(openLink)) {
  setWindowTitle(QStringLiteral("About Klondike Zelora"));
  setFont(QFont(QStringLiteral("DejaVu Sans"), 8));
  setFixedSize(498, 172);

  panel = new QFrame(this);
  panel->setGeometry(2, 2, 495, 143);
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);

  logo = new QLabel(panel);
  logo->setGeometry(2, 2, 169, 130);
  logo->setScaledContents(true);

  const auto mailto = [](const char* address) {
    return QStringLiteral("mailto:") + QString::fromUtf8(address);
  };
  firstAuthorName = nameLabel(panel, kFirstAuthor.name, 192);
  firstAuthorStreet = textLabel(panel, kFirstAuthor.street, 192, 40);
  firstAuthorTown = textLabel(panel, kFirstAuthor.town, 192, 56);
  firstAuthorCountry = textLabel(panel, kFirstAuthor.country, 192, 72);
  firstAuthorEmail = linkLabel(kFirstAuthor.email, 192, 88, false, mailto(kFirstAuthor.email));
  secondAuthorName = nameLabel(panel, kSecondAuthor.name, 368);
  secondAuthorStreet = textLabel(panel, kSecondAuthor.street, 368, 40);
  secondAuthorTown = textLabel(panel, kSecondAuthor.town, 368, 56);
  secondAuthorCountry = textLabel(panel, kSecondAuthor.country, 368, 72);
  secondAuthorEmail = linkLabel(kSecondAuthor.email, 368, 88, false, mailto(kSecondAuthor.email));

  homepageLink = linkLabel(QStringLiteral("Homepage : ") + kHomepage, 176, 108, true, kHomepage);
  secondLink = linkLabel(kSecondLink, 248, 127, true, kSecondLink);

  // The portraits cover their author's column while shown. They lie a pixel right of the column,
  // so the column's text starts a pixel in.
  for (QLabel* line : std::initializer_list<QLabel*>{
           firstAuthorName, firstAuthorStreet, firstAuthorTown, firstAuthorCountry,
           firstAuthorEmail, secondAuthorName, secondAuthorStreet, secondAuthorTown,
           secondAuthorCountry, secondAuthorEmail}) {
    line->setContentsMargins(1, 0, 0, 0);
  }
  firstPortrait = portrait(panel, 193, 3);
  secondPortrait = portrait(panel, 369, 3);
  connect(firstAuthorName, &ClickableLabel::clicked, firstPortrait, &QWidget::show);
  connect(secondAuthorName, &ClickableLabel::clicked, secondPortrait, &QWidget::show);
  connect(firstPortrait, &ClickableLabel::clicked, firstPortrait, &QWidget::hide);
  connect(secondPortrait, &ClickableLabel::clicked, secondPortrait, &QWidget::hide);
  // The homepage line runs through the portraits' lowest rows: it stays in front of them, on the
  // panel's colour, so that a shown portrait never hides a link.
  for (ClickableLabel* link : {homepageLink, secondLink}) {
    link->setAutoFillBackground(true);
    link->raise();
  }

  versionLabel = textLabel(this, kVersion, 408, 158);
  QFont bold = font();
  bold.setBold(true);
  versionLabel->setFont(bold);

  okButton = new QPushButton(QStringLiteral("Ok"), this);
  okButton->setGeometry(220, 147, 75, 25);
  okButton->setDefault(true);
  connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
}

ClickableLabel* AboutBox::linkLabel(const QString& text, int x, int y, bool bold,
                                    const QString& url) {
  auto* label = new ClickableLabel(text, panel);
  QFont look = font();
  look.setUnderline(true);
  look.setBold(bold);
  label->setFont(look);
  QPalette colours = label->palette();
  colours.setColor(QPalette::WindowText, kLinkBlue);
  label->setPalette(colours);
  label->setCursor(Qt::PointingHandCursor);
  label->move(x, y);
  connect(label, &ClickableLabel::clicked, this, [this, url] { openLink_(url); });
  return label;
}

void AboutBox::showModal() {
  const QScreen* screen =
      parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
  if (screen != nullptr) {
    // The client area is centred: the frame's size is not known before the first showing.
    QRect box(QPoint(), size());
    box.moveCenter(screen->geometry().center());
    setGeometry(box);
  }
  platform::keepInsideWorkArea(this);
  exec();
}

void AboutBox::showEvent(QShowEvent* event) {
  // The pictures and the button's icon are made and the text lines measured when the box is first
  // shown: many runs never open it, and measuring the bold lines would load another font file.
  if (logo->pixmap().isNull()) {
    okButton->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    for (QLabel* label : panel->findChildren<QLabel*>())
      if (!label->text().isEmpty()) label->adjustSize();
    versionLabel->adjustSize();
    logo->setPixmap(picture(platform::pictures::Id::AboutLogo));
    firstPortrait->setPixmap(picture(platform::pictures::Id::FirstPortrait));
    secondPortrait->setPixmap(picture(platform::pictures::Id::SecondPortrait));
  }
  QDialog::showEvent(event);
}

void AboutBox::hideEvent(QHideEvent* event) {
  hidePortraits();
  QDialog::hideEvent(event);
}

void AboutBox::hidePortraits() {
  firstPortrait->hide();
  secondPortrait->hide();
}

}  // namespace results
