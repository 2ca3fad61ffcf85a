#pragma once
// MainWindow, the table window: shows the game session, owns the preferences, the card pictures
// and the highscore list; builds the menu, runs the start-up checks and carries out the menu
// commands.
#include <QFutureWatcher>
#include <QLabel>
#include <QMainWindow>
#include <QRect>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "cards/card_set_loader.h"
#include "cards/table_painter.h"
#include "game/window_geometry.h"
#include "music/mpeg_player.h"
#include "music/music_control.h"
#include "platform/midi_sequencer.h"
#include "results/highscore_list.h"
#include "shell/companions.h"
#include "shell/demo_player.h"
#include "shell/game_options.h"
#include "shell/game_session.h"
#include "shell/main_menu.h"
#include "shell/music_devices.h"
#include "shell/settings.h"

namespace platform {
class SoundCuePlayer;
}

namespace shell {

class TableWidget;
class StatusPanels;

// What start-up asks the display: the work area, the pixel density and whether it has a palette.
struct ScreenInfo {
  QRect workArea;
  int pixelsPerInch = 96;
  bool palette = false;
};
ScreenInfo queryScreen();

class MainWindow : public QMainWindow, public SessionView, private music::MusicHost {
  Q_OBJECT

 public:
  // Runs the start-up (runStartUp) in the current directory, which becomes startDir.
  MainWindow(const ScreenInfo& screen, platform::SoundCuePlayer& sounds, QWidget* parent = nullptr);
  ~MainWindow() override;  // stops the music and unloads the decoder library

  // Connects the secondary windows and the music (created after this window).
  void setCompanions(Companions companions) { companions_ = std::move(companions); }
  const Companions& companions() const { return companions_; }
  // Shows the window as the screen class wants it: maximized, or centred at its fixed size.
  void showAtStart();

  game::GameEngine& engine() { return session_.engine(); }
  Settings& settings() { return settings_; }
  const std::string& startDir() const { return startDir_; }
  results::HighscoreList& highscoreList() { return highscoreList_; }
  results::StatisticsFile& statistics() { return session_.statistics(); }
  const MainMenu& menu() const { return menu_; }
  TableWidget& table() { return *table_; }
  QLabel& statusPanel(int panel) { return *panels_.at(panel); }
  // A passing note in the status bar, over "Now playing"; the note shown now, else empty.
  void showNote(const QString& text) override;
  QString statusNote() const;
  bool demoRunning() const { return demo_ && demo_->running(); }
  const cards::CardArt& cardArt() const { return art_; }
  bool clockActive() const { return session_.clockActive(); }
  const GameOptions& options() const { return session_.options(); }
  bool searchingDeal() const { return session_.searchingDeal(); }

  // Menu handlers.
  void openCardSet();
  void saveSettings();
  void exitGame();
  void undo();
  void redo();
  void autoFinish();
  void restart();
  void replayDeal();  // the deal on the table once more, from its start
  void chooseDealNumber();
  void showHighscoreList();
  void playKlondike();
  void playQuatro();
  void showStatistics();
  void showHint();
  void playDemo();
  void copyPosition();
  void chooseNormal();
  void chooseVegas();
  void chooseNoScore();
  void toggleTimed();
  void chooseEasy();
  void chooseMedium();
  void chooseHard();
  void chooseTableColour();
  void chooseSelectionColour();
  void toggleAmigaColours();
  void toggleDragDrop();
  void toggleWinnableDeals();
  void toggleResumeGame();
  void toggleAnimations();
  void toggleAutodrop();
  void chooseZoom(Zoom zoom);
  void editPlaylist();
  void toggleMusic();
  void toggleSound();
  void nextSong();
  void previousSong();
  void showHelp();
  void showAbout();
  void enterCurrentResult();
  void showEndGame();

  // SessionView
  void invalidate(const game::Rect& r, bool erase) override;
  void invalidateAll() override;
  void repaintNow() override;
  void refused() override;
  void scoreChanged(int score) override;
  void clockChanged(int seconds) override;
  void gameWon(const game::GameResult& result) override;
  void dragStarted(const game::Rect& source) override;
  void movesChanged() override;
  void showHintFrames(std::vector<game::Rect> frames) override;
  void tell(const QString& text, const QString& caption) override;
  void searchingForDeal(bool on) override;
  void searchTakesLong() override;

 protected:
  // Closing the table window ends the program, also while a modeless window is open.
  void closeEvent(QCloseEvent* event) override;
  // A maximized window shows the table fitted to it; back to normal, at the chosen zoom again.
  void changeEvent(QEvent* event) override;

 private:
  // music::MusicHost
  void setMusicOnChecked(bool checked) override;
  void showSongName(const std::string& name) override;
  void showMessage(const std::string& text, const std::string& caption,
                   music::MessageIcon icon) override;
  // The music player speaks the record's letters '0', '1', '2'.
  char musicSetting() const override { return static_cast<char>('0' + int(settings_.music)); }
  void setMusicSetting(char value) override { settings_.music = MusicSetting(value - '0'); }

  void runStartUp(const ScreenInfo& screen);
  // The table's size at 100%, and the window's size that shows it at `zoom` (within the work area).
  QSize tableBaseSize() const;
  QSize windowSizeFor(qreal zoom) const;
  // Widget pixels per table pixel as shown now (0: fitted to the window).
  qreal tableZoom() const;
  // Resizes the window for the zoom in force; at 100% it is the fixed window of the screen class.
  // A maximized window keeps the size it was given.
  void sizeWindowForZoom();
  // The same for a shown window, which then stays inside the screen.
  void resizeForZoom();
  // Changes the game's own options in the session and the table, and saves them.
  void changeOptions(const std::function<void(GameOptions&)>& change);
  void initMpegPlayer();
  void buildStatusBar();
  // Loads a card set as `state` (2 at start-up, 1 from the menu). A file without card pictures
  // changes nothing and gives false: the set in use stays.
  bool loadCardSet(const QString& fileName, int state);
  bool useCardSet(const cards::LoadedCardSet& set, int state);
  // The set chosen from the menu, once loaded; a file without card pictures is refused by name.
  void useChosenCardSet(const QString& fileName, const cards::LoadedCardSet& set);
  // The set named in the settings, else the default set beside the game, with a message.
  void loadStoredCardSet();
  // The table, selection and corner colours from the settings and the loaded set.
  void applyColours(bool repaintTable);
  bool amigaSchemeInForce() const;
  bool planarSet() const { return art_.format == cards::CardSetFormat::Planar; }
  // Menu check marks and enabled items from the rules' state and the settings;
  // the settings from the rules' state.
  void syncMenu();
  bool chooseColour(std::uint32_t& colour);
  // Ranks a qualifying result into the highscore list; below the ten best the end-of-game screen
  // shows instead.
  void enterHighscore(int score, int seconds);

  platform::SoundCuePlayer& sounds_;
  std::string startDir_;
  Settings settings_;
  GameSession session_{*this};
  game::GameEngine& engine_ = session_.engine();
  cards::CardArt art_;
  // An SVG deck chosen from the menu while it loads; its result arrives through the event loop.
  QFutureWatcher<cards::LoadedCardSet> cardSetLoad_;
  QString cardSetLoading_;
  results::HighscoreList highscoreList_;
  int screenClass_ = 3;
  QRect workArea_;
  game::Extent fixedWindow_;  // the window of screen class 3 at 100%
  bool musicChecked_ = false;
  TableWidget* table_ = nullptr;
  std::array<QLabel*, game::kStatusPanelCount> panels_{};
  MainMenu menu_;
  Companions companions_;
  // The background music: the sequencer for MIDI songs, the MP3 player component for MP3 songs.
  platform::MidiSequencer midiSequencer_;
  music::Mp3Player mp3Player_;
  SequencerOutput midiOutput_{midiSequencer_};
  Mp3PlayerOutput mp3Output_{mp3Player_};
  music::MusicControl music_{midiOutput_, mp3Output_, *this};
  std::unique_ptr<DemoPlayer> demo_;
  StatusPanels* statusRow_ = nullptr;
};

}  // namespace shell
