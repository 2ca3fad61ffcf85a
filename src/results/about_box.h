#pragma once
// The About box "About Klondike Zelora": the game's logo, the two authors with their addresses,
// e-mail and web links, a portrait of each author that a click on the name shows, and the
// version line. Created once and reused; every close (Ok, Escape, the title bar's close button)
// hides both portraits again.
#include <QDialog>
#include <QString>
#include <functional>

class ClickableLabel;
class QFrame;
class QLabel;
class QPushButton;

class TAbout : public QDialog {
  Q_OBJECT

 public:
  // Hands a mailto: or web address to the desktop; failure must pass silently.
  using LinkOpener = std::function<void(const QString& url)>;

  // Opens links with platform::openLink.
  explicit TAbout(QWidget* parent = nullptr);
  TAbout(LinkOpener openLink, QWidget* parent = nullptr);

  // Centres the box on the screen and shows it modally until it is closed.
  void showModal();

  // Components; the labels and pictures lie on Panel1, the version line and the button on the
  // box. Public for tests and screenshots.
  QFrame* Panel1;
  QLabel* Image1;            // logo
  ClickableLabel* Label1;    // first author's name: shows Image3
  QLabel* Label2;            // first author's street
  QLabel* Label3;            // first author's postcode and town
  QLabel* Label4;            // first author's country
  ClickableLabel* Label5;    // first author's e-mail
  ClickableLabel* Label6;    // second author's name: shows Image2
  QLabel* Label7;
  QLabel* Label8;
  QLabel* Label9;
  ClickableLabel* Label10;   // second author's e-mail
  ClickableLabel* Label11;   // "Homepage : " and the homepage address
  ClickableLabel* Label13;   // second web link
  ClickableLabel* Image3;    // first author's portrait, hidden at start
  ClickableLabel* Image2;    // second author's portrait, hidden at start
  QLabel* Label12;           // version line
  QPushButton* BitBtn1;      // "Ok"

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void FormClose();
  ClickableLabel* linkLabel(const QString& text, int x, int y, bool bold, const QString& url);

  LinkOpener openLink_;
};
