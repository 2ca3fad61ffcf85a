#include "shell/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QStatusBar>

#include "cards/card_set_loader.h"
#include "platform/file_io.h"
#include "platform/message_box.h"
#include "platform/screen_metrics.h"
#include "platform/sound_cues.h"
#include "shell/menu_preferences.h"
#include "shell/table_widget.h"

namespace shell {
namespace {

const char* const kSmallScreenText = "This game can only work in 800 x 600 and higher !!";
const char* const kSmallScreenCaption = "System error";
constexpr int kWindowWidth = 646;
constexpr int kAutoFinishPauseMs = 15;  // between two cards, so that the player sees them go up
constexpr int kStatusBarHeight = 19;
constexpr std::array<int, 6> kPanelWidths = {50, 60, 50, 60, 90, 50};
const std::array<const char*, 6> kPanelTexts = {"Score :", "", "Time :", "", "Now playing :", ""};

QString qs(const std::string& s) { return QString::fromStdString(s); }

// The card-set file to open: the name as stored, or the directory entry of that name in another
// case (the settings store "Vessant.tvp" whatever the case of the file beside the game).
QString cardSetPath(const QString& name, const std::string& dir) {
  if (QFileInfo::exists(name) || QDir::isAbsolutePath(name)) return name;
  if (auto found = platform::findFileNoCase(dir, QFile::encodeName(name).toStdString()))
    return QFile::decodeName(found->c_str());
  return name;
}

}  // namespace

ScreenInfo queryScreen() {
  return {platform::workArea(), platform::pixelsPerInch(), platform::displayHasPalette()};
}

int screenClassOf(const QRect& workArea) {
  const int w = workArea.width(), h = workArea.height();
  if (w <= 640 || h <= 480) return 1;
  if (w <= 800 || h <= 600) return 2;
  return 3;
}

TMain::TMain(const ScreenInfo& screen, platform::SoundCuePlayer& sounds, QWidget* parent)
    : QMainWindow(parent), sounds_(sounds) {
  setWindowTitle("TAVI's Klondike ");
  QFont font = this->font();
  font.setPixelSize(11);
  setFont(font);
  table_ = new TableWidget(engine_, art_, this);
  setCentralWidget(table_);
  menu_ = buildMainMenu(menuBar());
  buildStatusBar();
  timer2_.setInterval(1000);
  autoFinishTimer_.setSingleShot(true);
  autoFinishTimer_.setInterval(kAutoFinishPauseMs);
  // The colour dialog's preset custom colour; what the player changes there stays for the run.
  QColorDialog::setCustomColor(0, QColor(61, 107, 150));
  connect(&timer2_, &QTimer::timeout, this, [this] { engine_.clockTick(); });
  // Single shot, restarted after a card, so that a modal end-of-game screen stops the steps.
  connect(&autoFinishTimer_, &QTimer::timeout, this, [this] {
    if (engine_.autoFinishStep()) autoFinishTimer_.start();
  });
  connect(&MediaPlayer1, &platform::MidiSequencer::completed, this,
          [this] { music_.MediaPlayer1Notify(); });
  MPEGPlayer1.OnPlayEnd = [this](TMPEGPlayer&) { music_.MPEGPlayer1PlayEnd(); };

  const std::pair<QAction*, void (TMain::*)()> handlers[] = {
      {menu_.OpenCardset1, &TMain::OpenCardset1Click},
      {menu_.SaveSettings1, &TMain::SaveSettings1Click},
      {menu_.Exit1, &TMain::Exit1Click},
      {menu_.AutoFinish1, &TMain::AutoFinish1Click},
      {menu_.Restart1, &TMain::Restart1Click},
      {menu_.Highscorelist1, &TMain::Highscorelist1Click},
      {menu_.Klondike1, &TMain::Klondike1Click},
      {menu_.Quatro1, &TMain::Quatro1Click},
      {menu_.Normal1, &TMain::Normal1Click},
      {menu_.Vegas1, &TMain::Vegas1Click},
      {menu_.None1, &TMain::None1Click},
      {menu_.Timed1, &TMain::Timed1Click},
      {menu_.Easy1, &TMain::Easy1Click},
      {menu_.Medium1, &TMain::Medium1Click},
      {menu_.Hard1, &TMain::Hard1Click},
      {menu_.Background1, &TMain::Background1Click},
      {menu_.Cardselect1, &TMain::Cardselect1Click},
      {menu_.Amigacolors1, &TMain::Amigacolors1Click},
      {menu_.Dragndrop1, &TMain::Dragndrop1Click},
      {menu_.Midiplaylist1, &TMain::Midiplaylist1Click},
      {menu_.Musicon1, &TMain::Musicon1Click},
      {menu_.Soundon1, &TMain::Soundon1Click},
      {menu_.Nextsong1, &TMain::Nextsong1Click},
      {menu_.Previoussong1, &TMain::Previoussong1Click},
      {menu_.Help2, &TMain::Help2Click},
      {menu_.AboutKlondike1, &TMain::AboutKlondike1Click},
      {menu_.test1, &TMain::Test},
  };
  for (const auto& [action, handler] : handlers)
    connect(action, &QAction::triggered, this, [this, handler = handler] {
      (this->*handler)();
      syncMenu();  // a check item toggles itself when chosen; the rules' state decides
    });

  FormCreate(screen);
}

TMain::~TMain() {
  music_.shutDown();
  MPEGPlayer1.Deinit();
}

// Without the decoder library the game goes on; MP3 songs then fail as unplayable.
void TMain::initMpegPlayer() {
  try {
    MPEGPlayer1.Init();
  } catch (const TMPEGError& e) {
    platform::showMessage(nullptr, QString::fromLocal8Bit(e.what()), "System error");
  }
}

void TMain::buildStatusBar() {
  auto* panels = new QWidget;
  auto* layout = new QHBoxLayout(panels);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  for (std::size_t i = 0; i < panels_.size(); ++i) {
    auto* label = new QLabel(kPanelTexts[i]);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setMinimumWidth(kPanelWidths[i]);
    if (i + 1 < panels_.size()) label->setFixedWidth(kPanelWidths[i]);
    layout->addWidget(label, i + 1 < panels_.size() ? 0 : 1);
    panels_[i] = label;
  }
  statusBar()->setSizeGripEnabled(false);
  statusBar()->setFixedHeight(kStatusBarHeight);
  statusBar()->addWidget(panels, 1);
}

void TMain::FormCreate(const ScreenInfo& screen) {
  initMpegPlayer();
  startDir_ = QDir::currentPath().toStdString();

  SettingsReadResult settings = readSettings(startDir_);
  pref_ = settings.pref;
  if (settings.message)
    platform::showMessage(nullptr, qs(settings.message->text), qs(settings.message->caption));

  workArea_ = screen.workArea;
  screenClass_ = screenClassOf(screen.workArea);
  windowHeight_ = 560 + 3 * ((11 * screen.pixelsPerInch + 48) / 96);  // 11 px at 96 ppi, rounded
  engine_.setScreenClass(screenClass_);
  if (!engine_.applyMenuState(menuStateOf(pref_)))
    platform::showMessage(nullptr, kSmallScreenText, kSmallScreenCaption);
  const bool klondike = engine_.menu().ruleSet == game::RuleSet::Klondike;

  highscoreList_ = results::LoadHighscores(startDir_);
  music_.loadPlaylistAtStartup(startDir_);

  if (screen.palette)
    platform::showMessage(nullptr,
                          "The game requires 32000 colors or higher for optimal performance !!!",
                          "System Message");

  engine_.setCardSetPresent(settings.cardSetPresent);
  if (settings.loadAtStart) loadCardSet(QFile::decodeName(pref_.cardSetName().c_str()), 2);
  music_.startMusicAtStartup();

  applyColours(true);

  engine_.startUp();  // deals the stored rule set; Quatro is played by clicks only
  statusBar()->setVisible(klondike && screenClass_ != 1);
  syncMenu();
}

void TMain::showAtStart() {
  if (screenClass_ == 3) {
    setFixedSize(kWindowWidth, windowHeight_);
    const QRect area = workArea_;
    move(area.center() - QPoint(kWindowWidth / 2, windowHeight_ / 2));
    show();
  } else {
    setGeometry(workArea_);  // also where no window manager maximizes
    showMaximized();
  }
}

void TMain::loadCardSet(const QString& fileName, int state) {
  const cards::LoadedCardSet set = cards::LoadCardSet(cardSetPath(fileName, startDir_));
  art_.takeSheet(set.sheet);
  art_.format = set.format;
  if (set.format == '1') {
    art_.amigaTableColour = set.amigaTableColour;
    art_.amigaSelectColour = set.amigaSelectColour;
  }
  art_.cardSetState = state;
}

bool TMain::amigaSchemeInForce() const { return pref_.amiga == '1' && art_.format == '1'; }

void TMain::applyColours(bool repaintTable) {
  const cards::TableColours colours =
      cards::resolveColours(pref_.colB, pref_.colL, pref_.amiga == '1', art_.format == '1',
                            art_.amigaTableColour, art_.amigaSelectColour);
  cards::roundCardCorners(art_, colours.table, pref_.colB);
  table_->setColours(colours, repaintTable);
}

void TMain::syncMenu() {
  const game::MenuState& m = engine_.menu();
  const bool klondike = m.ruleSet == game::RuleSet::Klondike;
  menu_.Klondike1->setChecked(klondike);
  menu_.Quatro1->setChecked(!klondike);
  menu_.Normal1->setChecked(m.scoreMode == game::ScoreMode::Normal);
  menu_.Vegas1->setChecked(m.scoreMode == game::ScoreMode::Vegas);
  menu_.None1->setChecked(m.scoreMode == game::ScoreMode::None);
  menu_.Timed1->setChecked(m.timed);
  menu_.Easy1->setChecked(m.level == game::Level::Easy);
  menu_.Medium1->setChecked(m.level == game::Level::Medium);
  menu_.Hard1->setChecked(m.level == game::Level::Hard);
  menu_.Dragndrop1->setChecked(m.dragDrop);
  menu_.Soundon1->setChecked(m.soundOn);
  menu_.Amigacolors1->setChecked(pref_.amiga == '1');
  menu_.Musicon1->setChecked(musicChecked_);
  for (QAction* a : {menu_.AutoFinish1, menu_.Highscorelist1, menu_.Dragndrop1,
                     menu_.Level1->menuAction(), menu_.Score1->menuAction()})
    a->setEnabled(klondike);
  storeMenuState(m, pref_);
}

void TMain::setMusicOnChecked(bool checked) {
  musicChecked_ = checked;
  menu_.Musicon1->setChecked(checked);
}

void TMain::showSongName(const std::string& name) { panels_[5]->setText(qs(name)); }

void TMain::showMessage(const std::string& text, const std::string& caption,
                        music::MessageIcon icon) {
  platform::showMessage(nullptr, qs(text),
                        caption.empty() ? QApplication::applicationName() : qs(caption),
                        icon == music::MessageIcon::Information ? platform::MessageIcon::Information
                                                                : platform::MessageIcon::None);
}

bool TMain::chooseColour(std::uint32_t& colour) {
  QColorDialog dialog(this);
  dialog.setOption(QColorDialog::DontUseNativeDialog);
  dialog.setCurrentColor(cards::toQColor(colour));
  if (dialog.exec() != QDialog::Accepted) return false;
  colour = cards::fromQColor(dialog.selectedColor());
  return true;
}

// --- File ---

void TMain::OpenCardset1Click() {
  if (!companions_.chooseCardSet) return;
  const std::optional<QString> file = companions_.chooseCardSet();
  if (!file) return;
  engine_.setCardSetPresent(true);
  // A path too long for the settings record is loaded all the same, but not remembered.
  pref_.setCardSetName(QFile::encodeName(*file).toStdString());
  loadCardSet(*file, 1);
  applyColours(true);
}

void TMain::SaveSettings1Click() {
  if (auto message = saveSettings(pref_, startDir_))
    platform::showMessage(this, qs(message->text), qs(message->caption));
}

void TMain::Exit1Click() { QApplication::quit(); }

void TMain::closeEvent(QCloseEvent* event) {
  QMainWindow::closeEvent(event);
  QApplication::quit();
}

// --- Game ---

void TMain::AutoFinish1Click() {
  // One card now, the others on the timer: the window stays responsive. A new deal ends it.
  if (engine_.startAutoFinish() && engine_.autoFinishStep()) autoFinishTimer_.start();
}

void TMain::Restart1Click() { engine_.restart(); }

void TMain::Highscorelist1Click() {
  if (companions_.showHighscoreList) companions_.showHighscoreList();
}

void TMain::Klondike1Click() {
  engine_.switchToKlondike();
  statusBar()->show();
}

void TMain::Quatro1Click() {
  if (!engine_.switchToQuatro()) {
    platform::showMessage(nullptr, kSmallScreenText, kSmallScreenCaption);
    return;
  }
  statusBar()->hide();
}

// --- Options ---

void TMain::Normal1Click() { engine_.chooseNormal(); }
void TMain::Vegas1Click() { engine_.chooseVegas(); }
void TMain::None1Click() { engine_.chooseNone(); }
void TMain::Timed1Click() { engine_.toggleTimed(); }
void TMain::Easy1Click() { engine_.chooseLevel(game::Level::Easy); }
void TMain::Medium1Click() { engine_.chooseLevel(game::Level::Medium); }
void TMain::Hard1Click() { engine_.chooseLevel(game::Level::Hard); }

void TMain::Background1Click() {
  std::uint32_t colour = pref_.colB;
  if (!chooseColour(colour)) return;
  pref_.colB = colour;
  // In the Amiga scheme the table keeps the set's colour; the new one shows when it is left.
  applyColours(!amigaSchemeInForce());
}

void TMain::Cardselect1Click() {
  std::uint32_t colour = pref_.colL;
  if (!chooseColour(colour)) return;
  pref_.colL = colour;
  applyColours(false);  // the next frame uses it
}

void TMain::Amigacolors1Click() {
  pref_.amiga = pref_.amiga == '1' ? '0' : '1';
  if (art_.format == '1') applyColours(true);
}

void TMain::Dragndrop1Click() { engine_.toggleDragDrop(); }

// --- Music ---

void TMain::Midiplaylist1Click() {
  if (companions_.runPlaylistEditor) music_.Midiplaylist1Click(companions_.runPlaylistEditor);
}
void TMain::Musicon1Click() { music_.Musicon1Click(); }
void TMain::Soundon1Click() { engine_.toggleSound(); }
void TMain::Nextsong1Click() { music_.Nextsong1Click(); }
void TMain::Previoussong1Click() { music_.Previoussong1Click(); }

// --- Help ---

void TMain::Help2Click() {
  if (companions_.showHelp) companions_.showHelp();
}
void TMain::AboutKlondike1Click() {
  if (companions_.showAbout) companions_.showAbout();
}

void TMain::Test() {
  enterHighscore(panels_[1]->text().toStdString(), panels_[3]->text().toStdString());
}

// --- game::TableView ---

void TMain::invalidate(const game::Rect& r, bool) {
  // Every repaint paints the table colour first, so erasing is implied.
  table_->invalidateRect(cards::toQRect(r));
}

void TMain::invalidateAll() { table_->invalidateRect(table_->rect()); }

void TMain::repaintNow() {
  table_->repaintPending();
}

void TMain::playRefusalSound() { sounds_.play(platform::joinPath(startDir_, "mirt_1.wav")); }

void TMain::setStatusPanel(int panel, const std::string& text) {
  if (panel >= 0 && panel < int(panels_.size())) panels_[panel]->setText(qs(text));
}

void TMain::setClockRunning(bool running) {
  if (!running)
    timer2_.stop();
  else if (!timer2_.isActive())
    timer2_.start();
}

void TMain::showEndGame() {
  if (companions_.showEndGame) companions_.showEndGame();
}

void TMain::enterHighscore(const std::string& score, const std::string& seconds) {
  if (companions_.enterHighscore)
    companions_.enterHighscore(score, seconds, [this] { showEndGame(); });
  else
    showEndGame();
}

void TMain::grabDragImage(const game::Rect& source) {
  table_->grabDragImage(cards::toQRect(source));
}

}  // namespace shell
