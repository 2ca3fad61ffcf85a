#include "shell/secondary_windows.h"

#include "cards/card_set_chooser.h"
#include "cards/card_set_loader.h"
#include "music/playlist_editor.h"
#include "results/about_box.h"
#include "results/end_game.h"
#include "results/help_viewer.h"
#include "results/highscore_window.h"
#include "results/statistics_window.h"
#include "shell/main_window.h"

namespace shell {

SecondaryWindows createSecondaryWindows(MainWindow& main, platform::SoundCuePlayer& sounds) {
  const QString startDir = QString::fromStdString(main.startDir());
  SecondaryWindows w;
  w.playlistEditor = new music::PlaylistEditor(main.startDir(), &main);
  w.about = new results::AboutBox(&main);
  w.endGame = new results::EndGameScreen(main.startDir(), sounds, &main);
  w.chooser = new cards::CardSetChooser(startDir, cards::loadCardPreview, &main);
  w.highscore = new results::HighscoreWindow(main.highscoreList(), main.startDir(), &main);
  w.help = new results::HelpViewer(startDir, &main);
  w.statistics = new results::StatisticsWindow(main.statistics(), &main);

  Companions c = main.companions();
  c.showEndGame = [end = w.endGame] { end->showModal(); };
  c.showHighscoreList = [list = w.highscore] { list->showModalList(); };
  c.showStatistics = [statistics = w.statistics] { statistics->showModal(); };
  c.enterHighscore = [list = w.highscore](int score, int seconds,
                                          const std::function<void()>& showEndGame) {
    list->enterHighscore(score, seconds, showEndGame);
  };
  c.chooseCardSet = [chooser = w.chooser]() -> std::optional<QString> {
    QString path;
    if (chooser->chooseCardSet(path)) return path;
    return std::nullopt;
  };
  c.showAbout = [about = w.about] { about->showModal(); };
  c.showHelp = [help = w.help] { help->showContents(); };
  c.runPlaylistEditor = [editor = w.playlistEditor](music::Playlist& playlist, int& chosenSong) {
    return editor->runEditor(playlist, chosenSong);
  };
  main.setCompanions(std::move(c));
  return w;
}

}  // namespace shell
