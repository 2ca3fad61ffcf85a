#include "about_box.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include "clickable_label.h"
#include "game_pictures.h"
#include "jpeg_decoder.h"
#include "links.h"
#include "screen_metrics.h"

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

QPixmap picture(pictures::Id id) {
  return QPixmap::fromImage(platform::decodeJpeg(pictures::jpeg(id)));
}

QLabel* textLabel(QWidget* parent, const QString& text, int x, int y) {
  auto* label = new QLabel(text, parent);
  label->move(x, y);
  label->adjustSize();
  return label;
}

ClickableLabel* nameLabel(QWidget* parent, const QString& name, int x) {
  auto* label = new ClickableLabel(name, parent);
  label->move(x, 24);
  label->adjustSize();
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

TAbout::TAbout(QWidget* parent) : TAbout(platform::openLink, parent) {}

TAbout::TAbout(LinkOpener openLink, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      openLink_(std::move(openLink)) {
  setWindowTitle(QStringLiteral("About Klondike Zelora"));
  setFont(QFont(QStringLiteral("DejaVu Sans"), 8));
  setFixedSize(498, 172);

  Panel1 = new QFrame(this);
  Panel1->setGeometry(2, 2, 495, 143);
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);

  Image1 = new QLabel(Panel1);
  Image1->setGeometry(2, 2, 169, 130);
  Image1->setScaledContents(true);

  const auto mailto = [](const char* address) {
    return QStringLiteral("mailto:") + QString::fromUtf8(address);
  };
  Label1 = nameLabel(Panel1, kFirstAuthor.name, 192);
  Label2 = textLabel(Panel1, kFirstAuthor.street, 192, 40);
  Label3 = textLabel(Panel1, kFirstAuthor.town, 192, 56);
  Label4 = textLabel(Panel1, kFirstAuthor.country, 192, 72);
  Label5 = linkLabel(kFirstAuthor.email, 192, 88, false, mailto(kFirstAuthor.email));
  Label6 = nameLabel(Panel1, kSecondAuthor.name, 368);
  Label7 = textLabel(Panel1, kSecondAuthor.street, 368, 40);
  Label8 = textLabel(Panel1, kSecondAuthor.town, 368, 56);
  Label9 = textLabel(Panel1, kSecondAuthor.country, 368, 72);
  Label10 = linkLabel(kSecondAuthor.email, 368, 88, false, mailto(kSecondAuthor.email));

  Label11 = linkLabel(QStringLiteral("Homepage : ") + kHomepage, 176, 108, true, kHomepage);
  Label13 = linkLabel(kSecondLink, 248, 127, true, kSecondLink);

  // The portraits cover their author's column while shown. They lie a pixel right of the column,
  // so the column's text starts a pixel in.
  for (QLabel* line : std::initializer_list<QLabel*>{Label1, Label2, Label3, Label4, Label5, Label6,
                                                    Label7, Label8, Label9, Label10}) {
    line->setContentsMargins(1, 0, 0, 0);
    line->adjustSize();
  }
  Image3 = portrait(Panel1, 193, 3);
  Image2 = portrait(Panel1, 369, 3);
  connect(Label1, &ClickableLabel::clicked, Image3, &QWidget::show);
  connect(Label6, &ClickableLabel::clicked, Image2, &QWidget::show);
  connect(Image3, &ClickableLabel::clicked, Image3, &QWidget::hide);
  connect(Image2, &ClickableLabel::clicked, Image2, &QWidget::hide);
  // The homepage line runs through the portraits' lowest rows: it stays in front of them, on the
  // panel's colour, so that a shown portrait never hides a link.
  for (ClickableLabel* link : {Label11, Label13}) {
    link->setAutoFillBackground(true);
    link->raise();
  }

  Label12 = textLabel(this, kVersion, 408, 158);
  QFont bold = font();
  bold.setBold(true);
  Label12->setFont(bold);
  Label12->adjustSize();

  BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                            QStringLiteral("Ok"), this);
  BitBtn1->setGeometry(220, 147, 75, 25);
  BitBtn1->setDefault(true);
  connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

ClickableLabel* TAbout::linkLabel(const QString& text, int x, int y, bool bold,
                                  const QString& url) {
  auto* label = new ClickableLabel(text, Panel1);
  QFont look = font();
  look.setUnderline(true);
  look.setBold(bold);
  label->setFont(look);
  QPalette colours = label->palette();
  colours.setColor(QPalette::WindowText, kLinkBlue);
  label->setPalette(colours);
  label->setCursor(Qt::PointingHandCursor);
  label->move(x, y);
  label->adjustSize();
  connect(label, &ClickableLabel::clicked, this, [this, url] { openLink_(url); });
  return label;
}

void TAbout::showModal() {
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

void TAbout::showEvent(QShowEvent* event) {
  // The pictures are decoded when the box is first shown: many runs never open it.
  if (Image1->pixmap().isNull()) {
    Image1->setPixmap(picture(pictures::Id::AboutLogo));
    Image3->setPixmap(picture(pictures::Id::FirstPortrait));
    Image2->setPixmap(picture(pictures::Id::SecondPortrait));
  }
  QDialog::showEvent(event);
}

void TAbout::hideEvent(QHideEvent* event) {
  FormClose();
  QDialog::hideEvent(event);
}

void TAbout::FormClose() {
  Image3->hide();
  Image2->hide();
}
