#pragma once
// The About box "About Klondike Zelora": the game's logo, the two authors with their addresses,
// e-mail and web links, a portrait of each author that a click on the name shows, and the
// version line. Created once and reused; every close (Ok, Escape, the title bar's close button)
// hides both portraits again.
#include <QDialog>
#include <QString>
#include <functional>

class QFrame;
class QLabel;
class QPushButton;

namespace results {

class ClickableLabel;

class AboutBox : public QDialog {
  Q_OBJECT

 public:
  // Hands a mailto: or web address to the desktop; failure must pass silently.
  using LinkOpener = std::function<void(const QString& url)>;

  // Opens links with platform::openLink.
  explicit AboutBox(QWidget* parent = nullptr);
  AboutBox(LinkOpener openLink, QWidget* parent = nullptr);

  // Centres the box on the screen and shows it modally until it is closed.
  void showModal();

  // Components; the labels and pictures lie on panel, the version line and the button on the
  // box. Public for tests and screenshots.
  QFrame* panel;
  QLabel* logo;                      // logo
  ClickableLabel* firstAuthorName;   // first author's name: shows firstPortrait
  QLabel* firstAuthorStreet;         // first author's street
  QLabel* firstAuthorTown;           // first author's postcode and town
  QLabel* firstAuthorCountry;        // first author's country
  ClickableLabel* firstAuthorEmail;  // first author's e-mail
  ClickableLabel* secondAuthorName;  // second author's name: shows secondPortrait
  QLabel* secondAuthorStreet;
  QLabel* secondAuthorTown;
  QLabel* secondAuthorCountry;
  ClickableLabel* secondAuthorEmail;  // second author's e-mail
  ClickableLabel* homepageLink;       // "Homepage : " and the homepage address
  ClickableLabel* secondLink;         // second web link
  ClickableLabel* firstPortrait;      // first author's portrait, hidden at start
  ClickableLabel* secondPortrait;     // second author's portrait, hidden at start
  QLabel* versionLabel;               // version line
  QPushButton* okButton;              // "Ok"

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void hidePortraits();
  ClickableLabel* linkLabel(const QString& text, int x, int y, bool bold, const QString& url);

  LinkOpener openLink_;
};

}  // namespace results
