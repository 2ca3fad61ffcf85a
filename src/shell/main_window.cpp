#include "shell/main_window.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QColorDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenuBar>
#include <QStatusBar>
#include <cmath>

#include "cards/card_set_loader.h"
#include "platform/file_io.h"
#include "platform/maximize_guard.h"
#include "platform/message_box.h"
#include "platform/screen_metrics.h"
#include "platform/sound_cues.h"
#include "shell/status_panels.h"
#include "shell/table_widget.h"
#include "solver/table_position.h"

namespace shell {
namespace {

const char* const kSmallScreenText = "This game can only work in 800 x 600 and higher !!";
const char* const kSmallScreenCaption = "System error";
const char* const kDefaultCardSet = "Vessant.tvp";
const char* const kCardSetCaption = "Card set";
const char* const kResumeCaption = "Resume unfinished game";
constexpr int kScorePanel = 1;
constexpr int kSecondsPanel = 3;
constexpr int kSongPanel = 5;
constexpr std::size_t kNowPlayingPanel = 4;  // passing notes cover it and the song name
const std::array<const char*, game::kStatusPanelCount> kPanelTexts = {
    "Score :", "", "Time :", "", "Now playing :", ""};
const char* const kSearchingText = "Searching for a winnable deal...";

QString qs(const std::string& s) { return QString::fromStdString(s); }
QSize qSize(game::Extent e) { return {e.width, e.height}; }

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

MainWindow::MainWindow(const ScreenInfo& screen, platform::SoundCuePlayer& sounds, QWidget* parent)
    : QMainWindow(parent), sounds_(sounds) {
  setWindowTitle("TAVI's Klondike ");
  platform::allowMaximize(this);
  QFont font = this->font();
  font.setPixelSize(game::kWindowFontPixels);
  setFont(font);
  table_ = new TableWidget(engine_, art_, this);
  setCentralWidget(table_);
  table_->setFocus();
  demo_ = std::make_unique<DemoPlayer>(engine_, [this](const QString& text) { showNote(text); });
  menu_ = buildMainMenu(menuBar());
  buildStatusBar();
  // The colour dialog's preset custom colour; what the player changes there stays for the run.
  QColorDialog::setCustomColor(0, QColor(61, 107, 150));
  session_.autoFinishCardMoved = [this](const game::GameTable& before) {
    table_->glideFrom(before);
    return table_->gliding() ? CardGlide::kDurationMs : 0;
  };
  demo_->pressed = [this](const game::GameTable& before) { table_->glideFrom(before); };
  connect(&midiSequencer_, &platform::MidiSequencer::completed, this,
          [this] { music_.midiSongCompleted(); });
  connect(&cardSetLoad_, &QFutureWatcherBase::finished, this, [this] {
    if (!cardSetLoad_.isCanceled()) useChosenCardSet(cardSetLoading_, cardSetLoad_.result());
  });
  mp3Player_.onPlayEnd = [this](music::Mp3Player&) { music_.mp3SongEnded(); };

  const std::pair<QAction*, void (MainWindow::*)()> handlers[] = {
      {menu_.openCardSetItem, &MainWindow::openCardSet},
      {menu_.saveSettingsItem, &MainWindow::saveSettings},
      {menu_.exitItem, &MainWindow::exitGame},
      {menu_.undoItem, &MainWindow::undo},
      {menu_.redoItem, &MainWindow::redo},
      {menu_.autoFinishItem, &MainWindow::autoFinish},
      {menu_.restartItem, &MainWindow::restart},
      {menu_.replayDealItem, &MainWindow::replayDeal},
      {menu_.dealNumberItem, &MainWindow::chooseDealNumber},
      {menu_.highscoreListItem, &MainWindow::showHighscoreList},
      {menu_.klondikeItem, &MainWindow::playKlondike},
      {menu_.quatroItem, &MainWindow::playQuatro},
      {menu_.statisticsItem, &MainWindow::showStatistics},
      {menu_.hintItem, &MainWindow::showHint},
      {menu_.demoItem, &MainWindow::playDemo},
      {menu_.copyPositionItem, &MainWindow::copyPosition},
      {menu_.normalItem, &MainWindow::chooseNormal},
      {menu_.vegasItem, &MainWindow::chooseVegas},
      {menu_.noneItem, &MainWindow::chooseNoScore},
      {menu_.timedItem, &MainWindow::toggleTimed},
      {menu_.easyItem, &MainWindow::chooseEasy},
      {menu_.mediumItem, &MainWindow::chooseMedium},
      {menu_.hardItem, &MainWindow::chooseHard},
      {menu_.backgroundItem, &MainWindow::chooseTableColour},
      {menu_.cardSelectItem, &MainWindow::chooseSelectionColour},
      {menu_.amigaColoursItem, &MainWindow::toggleAmigaColours},
      {menu_.dragDropItem, &MainWindow::toggleDragDrop},
      {menu_.winnableDealsItem, &MainWindow::toggleWinnableDeals},
      {menu_.resumeGameItem, &MainWindow::toggleResumeGame},
      {menu_.animationsItem, &MainWindow::toggleAnimations},
      {menu_.autodropItem, &MainWindow::toggleAutodrop},
      {menu_.playlistItem, &MainWindow::editPlaylist},
      {menu_.musicOnItem, &MainWindow::toggleMusic},
      {menu_.soundOnItem, &MainWindow::toggleSound},
      {menu_.nextSongItem, &MainWindow::nextSong},
      {menu_.previousSongItem, &MainWindow::previousSong},
      {menu_.helpItem, &MainWindow::showHelp},
      {menu_.aboutItem, &MainWindow::showAbout},
      {menu_.enterResultItem, &MainWindow::enterCurrentResult},
  };
  for (const auto& [action, handler] : handlers)
    connect(action, &QAction::triggered, this, [this, handler = handler] {
      (this->*handler)();
      syncMenu();  // a check item toggles itself when chosen; the rules' state decides
    });
  const std::pair<QAction*, Zoom> zooms[] = {{menu_.zoom100Item, Zoom::Percent100},
                                             {menu_.zoom150Item, Zoom::Percent150},
                                             {menu_.zoom200Item, Zoom::Percent200},
                                             {menu_.zoomFitItem, Zoom::FitWindow}};
  for (const auto& [action, zoom] : zooms)
    connect(action, &QAction::triggered, this, [this, zoom = zoom] { chooseZoom(zoom); });

  // Every way out keeps the game in progress: the menu and the window's close (below), and a quit
  // asked by a signal (main.cpp); the desktop session's end asks for it first.
  connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { session_.leave(); });
  connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { session_.keepGame(); });

  runStartUp(screen);
}

MainWindow::~MainWindow() {
  cardSetLoad_.cancel();
  music_.shutDown();
  mp3Player_.deinit();
}

// Without the decoder library the game goes on; MP3 songs then fail as unplayable.
void MainWindow::initMpegPlayer() {
  try {
    mp3Player_.init();
  } catch (const music::Mp3PlayerError& e) {
    platform::showMessage(nullptr, QString::fromLocal8Bit(e.what()), "System error");
  }
}

void MainWindow::buildStatusBar() {
  auto* panels = new StatusPanels(game::kStatusPanelWidths, kPanelTexts);
  statusRow_ = panels;
  for (std::size_t i = 0; i < panels_.size(); ++i) panels_[i] = panels->panel(i);
  statusBar()->setSizeGripEnabled(false);
  statusBar()->setFixedHeight(game::kStatusBarHeight);
  statusBar()->addWidget(panels, 1);
}

void MainWindow::runStartUp(const ScreenInfo& screen) {
  initMpegPlayer();
  startDir_ = QDir::currentPath().toStdString();

  const SettingsReadResult read = readSettings(startDir_);
  settings_ = settingsOf(read.pref);
  if (read.message)
    platform::showMessage(nullptr, qs(read.message->text), qs(read.message->caption));

  workArea_ = screen.workArea;
  screenClass_ = game::screenClassOf({workArea_.width(), workArea_.height()});
  fixedWindow_ = game::fixedWindowSize(screen.pixelsPerInch);
  engine_.setScreenClass(screenClass_);
  const bool storedGameFits = engine_.applyMenuState(settings_.menu);
  if (!storedGameFits) platform::showMessage(nullptr, kSmallScreenText, kSmallScreenCaption);

  std::string highscoreNotice;
  highscoreList_ = results::loadHighscores(startDir_, &highscoreNotice);
  if (!highscoreNotice.empty()) showMessage(highscoreNotice, {}, music::MessageIcon::Information);
  music_.loadPlaylistAtStartup(startDir_);
  if (auto notice =
          session_.loadStatistics(platform::joinPath(startDir_, results::kStatisticsFileName)))
    showMessage(*notice, {}, music::MessageIcon::Information);
  statistics().onSaveFailure(
      [this](const std::string& text) { showMessage(text, {}, music::MessageIcon::Information); });

  if (screen.palette)
    platform::showMessage(nullptr,
                          "The game requires 32000 colors or higher for optimal performance !!!",
                          "System Message");

  std::string optionsNotice;
  const GameOptions options = readGameOptions(startDir_, &optionsNotice);
  if (!optionsNotice.empty()) showMessage(optionsNotice, {}, music::MessageIcon::Information);
  session_.keepDir = startDir_;
  session_.setOptions(options);
  table_->setZoom(tableZoom(), tableBaseSize());
  table_->animations = options.animations;
  engine_.setCardSetPresent(read.cardSetPresent);
  if (read.loadAtStart) loadStoredCardSet();
  music_.startMusicAtStartup();

  applyColours(true);

  session_.startUp();  // deals the stored game
  bool keptGameFits = true;
  if (const auto message = session_.resumeKeptGame(&keptGameFits))
    platform::showMessage(nullptr, qs(*message), kResumeCaption);
  // A kept Quatro game on the smallest screen gives Klondike, as the settings do (told once).
  if (!keptGameFits && storedGameFits)
    platform::showMessage(nullptr, kSmallScreenText, kSmallScreenCaption);
  statusBar()->setVisible(engine_.rules().klondikeScoring && game::statusBarAtStart(screenClass_));
  syncMenu();
}

void MainWindow::showAtStart() {
  if (game::hasOwnWindowSize(screenClass_) && options().zoom != Zoom::FitWindow) {
    sizeWindowForZoom();
    const QRect area = workArea_;
    move(area.center() - QPoint(width() / 2, height() / 2));
    show();
  } else {
    // A fitted table fills the screen from the start.
    if (game::hasOwnWindowSize(screenClass_)) sizeWindowForZoom();
    setGeometry(workArea_);  // also where no window manager maximizes
    showMaximized();
  }
}

QSize MainWindow::tableBaseSize() const {
  const QSize window =
      game::hasOwnWindowSize(screenClass_) ? qSize(fixedWindow_) : workArea_.size();
  return window - QSize(0, menuBar()->sizeHint().height() + game::kStatusBarHeight);
}

QSize MainWindow::windowSizeFor(qreal zoom) const {
  const QSize base = tableBaseSize();
  const int chrome =
      menuBar()->sizeHint().height() + (statusBar()->isHidden() ? 0 : game::kStatusBarHeight);
  const QSize frame = platform::frameSize(this);
  return QSize(int(std::ceil(base.width() * zoom)), int(std::ceil(base.height() * zoom)) + chrome)
      .boundedTo(workArea_.size() - frame);
}

qreal MainWindow::tableZoom() const {
  // On the small screens the window is always maximized, its table laid out for the screen.
  return game::hasOwnWindowSize(screenClass_) && isMaximized() ? 0 : zoomFactor(options().zoom);
}

void MainWindow::resizeForZoom() {
  const QSize before = size();
  sizeWindowForZoom();
  if (!isVisible() || isMaximized()) return;
  if (!platform::windowsPlacedByCompositor()) {
    platform::keepInsideWorkArea(this);
  } else if (width() > before.width() || height() > before.height()) {
    // The compositor keeps a grown window's corner where it was, edges off the screen or not;
    // shown anew, the window is placed anew, inside the screen.
    hide();
    show();
  }
}

void MainWindow::sizeWindowForZoom() {
  // Below the large screen the window fills the screen at every zoom.
  if (!game::hasOwnWindowSize(screenClass_) || isMaximized()) return;
  if (options().zoom == Zoom::Percent100) {
    setFixedSize(qSize(fixedWindow_));
    return;
  }
  setMinimumSize(qSize(game::smallestZoomedWindow(fixedWindow_)));
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  if (options().zoom != Zoom::FitWindow)
    resize(windowSizeFor(zoomFactor(options().zoom)));
  else  // as the window system gave it (back from maximized, the size it chose), within the screen
    resize(size().boundedTo(workArea_.size() - platform::frameSize(this)));
}

bool MainWindow::loadCardSet(const QString& fileName, int state) {
  return useCardSet(cards::loadCardSet(cardSetPath(fileName, startDir_)), state);
}

bool MainWindow::useCardSet(const cards::LoadedCardSet& set, int state) {
  if (set.sheet.isNull()) return false;
  art_.takeSheet(set.sheet);
  art_.vectors = set.vectors;
  art_.format = set.format;
  if (set.format == cards::CardSetFormat::Planar) {
    art_.amigaTableColour = set.amigaTableColour;
    art_.amigaSelectColour = set.amigaSelectColour;
  }
  art_.cardSetState = state;
  return true;
}

// The stored path may name a set that has gone (its folder was moved, say): the default set
// beside the game stands in for it. Without either the table refuses presses, as without a set.
void MainWindow::loadStoredCardSet() {
  const QString stored = QFile::decodeName(settings_.cardSetName.c_str());
  if (loadCardSet(stored, 2)) return;
  QString text = cards::NoCardPicturesText(stored);
  if (loadCardSet(kDefaultCardSet, 2)) {
    settings_.setCardSetName(kDefaultCardSet);
    text += QStringLiteral("\nThe default card set %1 is used instead.").arg(kDefaultCardSet);
  } else {
    engine_.setCardSetPresent(false);
  }
  platform::showMessage(nullptr, text, kCardSetCaption);
}

bool MainWindow::amigaSchemeInForce() const { return settings_.amigaColours && planarSet(); }

void MainWindow::applyColours(bool repaintTable) {
  const cards::TableColours colours =
      cards::resolveColours(settings_.tableColour, settings_.selectColour, settings_.amigaColours,
                            planarSet(), art_.amigaTableColour, art_.amigaSelectColour);
  cards::roundCardCorners(art_, colours.table, settings_.tableColour);
  table_->setColours(colours, repaintTable);
}

void MainWindow::syncMenu() {
  const game::MenuState& m = engine_.menu();
  menu_.klondikeItem->setChecked(m.ruleSet == game::RuleSet::Klondike);
  menu_.quatroItem->setChecked(m.ruleSet == game::RuleSet::Quatro);
  menu_.normalItem->setChecked(m.scoreMode == game::ScoreMode::Normal);
  menu_.vegasItem->setChecked(m.scoreMode == game::ScoreMode::Vegas);
  menu_.noneItem->setChecked(m.scoreMode == game::ScoreMode::None);
  menu_.timedItem->setChecked(m.timed);
  menu_.easyItem->setChecked(m.level == game::Level::Easy);
  menu_.mediumItem->setChecked(m.level == game::Level::Medium);
  menu_.hardItem->setChecked(m.level == game::Level::Hard);
  menu_.dragDropItem->setChecked(m.dragDrop);
  menu_.soundOnItem->setChecked(m.soundOn);
  menu_.amigaColoursItem->setChecked(settings_.amigaColours);
  menu_.musicOnItem->setChecked(musicChecked_);
  movesChanged();
  menu_.winnableDealsItem->setChecked(options().winnableDealsOnly);
  menu_.resumeGameItem->setChecked(options().resumeGame);
  menu_.animationsItem->setChecked(options().animations);
  menu_.autodropItem->setChecked(options().autodrop);
  const QList<QAction*> zoomItems = menu_.zoomMenu->actions();
  zoomItems.at(qsizetype(options().zoom))->setChecked(true);
  for (QAction* a : {menu_.autoFinishItem, menu_.highscoreListItem, menu_.dragDropItem,
                     menu_.levelMenu->menuAction(), menu_.scoreMenu->menuAction(), menu_.hintItem,
                     menu_.demoItem, menu_.copyPositionItem})
    a->setEnabled(engine_.rules().klondikeScoring);
  settings_.menu = m;
}

void MainWindow::setMusicOnChecked(bool checked) {
  musicChecked_ = checked;
  menu_.musicOnItem->setChecked(checked);
}

void MainWindow::showSongName(const std::string& name) { panels_[kSongPanel]->setText(qs(name)); }

void MainWindow::showMessage(const std::string& text, const std::string& caption,
                             music::MessageIcon icon) {
  platform::showMessage(nullptr, qs(text),
                        caption.empty() ? QApplication::applicationName() : qs(caption),
                        icon == music::MessageIcon::Information ? platform::MessageIcon::Information
                                                                : platform::MessageIcon::None);
}

bool MainWindow::chooseColour(std::uint32_t& colour) {
  QColorDialog dialog(this);
  dialog.setOption(QColorDialog::DontUseNativeDialog);
  dialog.setCurrentColor(cards::toQColor(colour));
  if (dialog.exec() != QDialog::Accepted) return false;
  colour = cards::fromQColor(dialog.selectedColor());
  return true;
}

// --- File ---

void MainWindow::openCardSet() {
  if (!companions_.chooseCardSet) return;
  const std::optional<QString> file = companions_.chooseCardSet();
  if (!file) return;
  cardSetLoad_.cancel();  // a newer choice supersedes a deck still loading
  const QString path = cardSetPath(*file, startDir_);
  if (!cards::isSvgDeckName(path)) {
    useChosenCardSet(*file, cards::loadCardSet(path));
    return;
  }
  // Parsing and drawing a large deck takes a while: the table plays on with the set in use.
  const qreal factor = table_->deviceFactor();
  cardSetLoading_ = *file;
  cardSetLoad_.setFuture(
      cards::loadSvgDeckLater(path, QSize(cards::deviceLength(cards::kCardWidth, factor),
                                          cards::deviceLength(cards::kCardHeight, factor))));
}

void MainWindow::useChosenCardSet(const QString& fileName, const cards::LoadedCardSet& set) {
  if (!useCardSet(set, 1)) {
    platform::showMessage(this, cards::NoCardPicturesText(fileName), kCardSetCaption);
    return;
  }
  engine_.setCardSetPresent(true);
  // A path too long for the settings record is loaded all the same, but not remembered.
  settings_.setCardSetName(QFile::encodeName(fileName).toStdString());
  applyColours(true);
}

void MainWindow::saveSettings() {
  if (auto message = shell::saveSettings(recordOf(settings_), startDir_))
    platform::showMessage(this, qs(message->text), qs(message->caption));
}

void MainWindow::exitGame() {
  session_.leave();
  QApplication::quit();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  session_.leave();
  QMainWindow::closeEvent(event);
  QApplication::quit();
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange) return;
  table_->setZoom(tableZoom(), tableBaseSize());
  // Back from maximized: the window system gives the window its former size right after this
  // event; the zoom, perhaps chosen meanwhile, sizes it after that.
  if (static_cast<QWindowStateChangeEvent*>(event)->oldState() & Qt::WindowMaximized)
    QMetaObject::invokeMethod(this, &MainWindow::resizeForZoom, Qt::QueuedConnection);
}

// --- Game ---

void MainWindow::autoFinish() { session_.autoFinish(); }
void MainWindow::restart() { session_.restart(); }

void MainWindow::undo() {
  const bool qualified = engine_.table().qualifies == 1;
  const game::GameTable before = engine_.table();
  session_.undo();
  table_->glideFrom(before);
  if (qualified && engine_.table().qualifies == 0) showNote(kOutOfTheRaceNote);
}
void MainWindow::redo() {
  const game::GameTable before = engine_.table();
  session_.redo();
  table_->glideFrom(before);
}

namespace {

// The Deal number dialog: OK with a number that is no deal number keeps the dialog open, with a
// message, so that the number can be corrected.
class DealNumberDialog : public QInputDialog {
 public:
  using QInputDialog::QInputDialog;
  std::optional<std::uint32_t> number() const {
    bool ok = false;
    const uint value = textValue().trimmed().toUInt(&ok);
    return ok ? std::optional<std::uint32_t>(value) : std::nullopt;
  }
  void done(int result) override {
    if (result != Accepted || number()) {
      QInputDialog::done(result);
      return;
    }
    // After the button's click has returned, over the dialog that stays up.
    QTimer::singleShot(0, this, [this] {
      platform::showMessage(this, "A deal number is a whole number from 0 to 4294967295.",
                            "Deal number");
    });
  }
};

}  // namespace

void MainWindow::chooseDealNumber() {
  DealNumberDialog dialog(this);
  dialog.setWindowTitle("Deal number");
  dialog.setLabelText("This deal is number " + QString::number(engine_.dealNumber()) +
                      ".\nType a number (0 to 4294967295) to play its deal:");
  dialog.setTextValue(QString::number(engine_.dealNumber()));
  if (dialog.exec() != QDialog::Accepted) return;
  session_.playDeal(*dialog.number());
}

void MainWindow::replayDeal() { session_.playDeal(engine_.dealNumber()); }

void MainWindow::showHighscoreList() {
  if (companions_.showHighscoreList) companions_.showHighscoreList();
}

void MainWindow::playKlondike() {
  session_.play(game::RuleSet::Klondike);
  statusBar()->show();
}

void MainWindow::playQuatro() {
  if (!session_.play(game::RuleSet::Quatro)) {
    platform::showMessage(nullptr, kSmallScreenText, kSmallScreenCaption);
    return;
  }
  statusBar()->hide();
}

void MainWindow::showStatistics() {
  if (companions_.showStatistics) companions_.showStatistics();
}

void MainWindow::showHint() { session_.showHint(); }

void MainWindow::playDemo() { demo_->start(); }

void MainWindow::copyPosition() {
  const game::MenuState& m = engine_.menu();
  QGuiApplication::clipboard()->setText(QString::fromStdString(
      solver::positionTextOf(engine_.table(), m.level, m.scoreMode == game::ScoreMode::Vegas)));
}

void MainWindow::showNote(const QString& text) { statusRow_->showNote(text, kNowPlayingPanel); }

QString MainWindow::statusNote() const { return statusRow_->note(); }

// --- Options ---

void MainWindow::chooseNormal() { engine_.chooseNormal(); }
void MainWindow::chooseVegas() { engine_.chooseVegas(); }
void MainWindow::chooseNoScore() { engine_.chooseNone(); }
void MainWindow::toggleTimed() { engine_.toggleTimed(); }
void MainWindow::chooseEasy() { engine_.chooseLevel(game::Level::Easy); }
void MainWindow::chooseMedium() { engine_.chooseLevel(game::Level::Medium); }
void MainWindow::chooseHard() { engine_.chooseLevel(game::Level::Hard); }

void MainWindow::chooseTableColour() {
  std::uint32_t colour = settings_.tableColour;
  if (!chooseColour(colour)) return;
  settings_.tableColour = colour;
  // In the Amiga scheme the table keeps the set's colour; the new one shows when it is left.
  applyColours(!amigaSchemeInForce());
}

void MainWindow::chooseSelectionColour() {
  std::uint32_t colour = settings_.selectColour;
  if (!chooseColour(colour)) return;
  settings_.selectColour = colour;
  applyColours(false);  // the next frame uses it
}

void MainWindow::toggleAmigaColours() {
  settings_.amigaColours = !settings_.amigaColours;
  if (planarSet()) applyColours(true);
}

void MainWindow::toggleDragDrop() { engine_.toggleDragDrop(); }

// The session takes the changed options (and forgets the kept game when Resume is switched off);
// the game's own options file keeps them at once.
void MainWindow::changeOptions(const std::function<void(GameOptions&)>& change) {
  GameOptions options = session_.options();
  change(options);
  session_.setOptions(options);
  table_->animations = options.animations;  // takes effect from the next glide
  std::string error;
  if (!writeGameOptions(options, startDir_, &error))
    platform::showMessage(this, qs(platform::joinPath(startDir_, kGameOptionsFile) + ": " + error),
                          "Options");
}

void MainWindow::toggleAnimations() {
  changeOptions([](GameOptions& o) { o.animations = !o.animations; });
  if (!options().animations) table_->finishGlide();
}
void MainWindow::toggleAutodrop() {
  changeOptions([](GameOptions& o) { o.autodrop = !o.autodrop; });
}
void MainWindow::toggleWinnableDeals() {
  changeOptions([](GameOptions& o) { o.winnableDealsOnly = !o.winnableDealsOnly; });
}
void MainWindow::toggleResumeGame() {
  changeOptions([](GameOptions& o) { o.resumeGame = !o.resumeGame; });
}

// The window keeps its place; at 100% the table is the fixed window of today again. A maximized
// window keeps its fitted table: the zoom shows when it is back to normal.
void MainWindow::chooseZoom(Zoom zoom) {
  changeOptions([zoom](GameOptions& o) { o.zoom = zoom; });
  table_->setZoom(tableZoom(), tableBaseSize());
  resizeForZoom();
  syncMenu();
}

// --- Music ---

void MainWindow::editPlaylist() {
  if (companions_.runPlaylistEditor) music_.editPlaylist(companions_.runPlaylistEditor);
}
void MainWindow::toggleMusic() { music_.toggleMusic(); }
void MainWindow::toggleSound() { engine_.toggleSound(); }
void MainWindow::nextSong() { music_.nextSong(); }
void MainWindow::previousSong() { music_.previousSong(); }

// --- Help ---

void MainWindow::showHelp() {
  if (companions_.showHelp) companions_.showHelp();
}
void MainWindow::showAbout() {
  if (companions_.showAbout) companions_.showAbout();
}

void MainWindow::enterCurrentResult() {
  enterHighscore(engine_.table().score, engine_.table().seconds);
}

// --- game::TableView ---

void MainWindow::invalidate(const game::Rect& r, bool) {
  // Every repaint paints the table colour first, so erasing is implied.
  table_->invalidateRect(cards::toQRect(r));
}

void MainWindow::invalidateAll() { table_->invalidateAll(); }

void MainWindow::repaintNow() { table_->repaintPending(); }

void MainWindow::refused() { sounds_.play(platform::joinPath(startDir_, "mirt_1.wav")); }

void MainWindow::scoreChanged(int score) { panels_[kScorePanel]->setNum(score); }
void MainWindow::clockChanged(int seconds) { panels_[kSecondsPanel]->setNum(seconds); }

void MainWindow::showEndGame() {
  if (companions_.showEndGame) companions_.showEndGame();
}

void MainWindow::gameWon(const game::GameResult& result) {
  if (result.qualifies)
    enterHighscore(result.score.value_or(0), result.seconds);
  else
    showEndGame();
}

void MainWindow::enterHighscore(int score, int seconds) {
  if (companions_.enterHighscore)
    companions_.enterHighscore(score, seconds, [this] { showEndGame(); });
  else
    showEndGame();
}

void MainWindow::dragStarted(const game::Rect& source) {
  table_->grabDragImage(cards::toQRect(source));
}

// Also called by every deal: the Deal number item shows the number of the deal on the table.
void MainWindow::movesChanged() {
  menu_.undoItem->setEnabled(engine_.canUndo());
  menu_.redoItem->setEnabled(engine_.canRedo());
  const QString dealCaption =
      QStringLiteral("%1\t%2").arg(kDealNumberCaption).arg(engine_.dealNumber());
  if (menu_.dealNumberItem->text() != dealCaption) menu_.dealNumberItem->setText(dealCaption);
}

void MainWindow::showHintFrames(std::vector<game::Rect> frames) {
  table_->setHintFrames(std::move(frames));
}

void MainWindow::tell(const QString& text, const QString& caption) {
  platform::showMessage(this, text, caption);
}

void MainWindow::searchingForDeal(bool on) {
  table_->setEnabled(!on);
  if (on) return;
  unsetCursor();
  statusBar()->clearMessage();
}

void MainWindow::searchTakesLong() {
  setCursor(Qt::BusyCursor);
  statusBar()->showMessage(kSearchingText);
}

}  // namespace shell
