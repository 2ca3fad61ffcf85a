// Playing on the table window through its real mouse handlers and menu commands: a game by
// clicks, a game by dragging (with refused drops that restore the table), the win screens, the
// auto finish, the clock and score modes, the colour dialog and the card-set command
// with the refusal of files without card pictures.
#include <sys/stat.h>
#include <QColorDialog>
#include <QInputDialog>
#include <QStatusBar>
#include <cstring>

#include "results/end_game.h"
#include "results/help_viewer.h"
#include "results/highscore_window.h"
#include "shell/secondary_windows.h"
#include "tests/shell/window_test_support.h"

using namespace window_test;
using shell::MainWindow;

namespace {

constexpr int kBottomY = 395;  // top of the stock, waste and foundation row (screen class 3)

QPoint placeCentre(int column, int row) { return {5 + 90 * column + 40, 5 + 15 * row + 60}; }
QPoint bottomCentre(int column) { return {5 + 90 * column + 40, kBottomY + 60}; }

// The last four cards to play: Kings of suits 0..2 alone in columns 0..2, the King of suit 3 on
// the waste, the Queens on the foundations.
void stackNearWin(game::GameTable& t) {
  std::memset(t.tableau, game::kEmpty, sizeof t.tableau);
  for (int s = 0; s < 4; ++s) t.foundation[s] = std::uint8_t(44 + s);
  for (int s = 0; s < 3; ++s) t.tableau[s][0] = std::uint8_t(48 + s);
  t.waste[0] = 51;
  t.wasteTop = 0;
  t.stockCount = 0;
}

// Closers of the colour dialog: pick a colour and press OK, or cancel.
std::function<void(QWidget*)> acceptColour(QColor colour) {
  return [colour](QWidget* w) {
    auto* dialog = qobject_cast<QColorDialog*>(w);
    QVERIFY(dialog);
    dialog->setCurrentColor(colour);
    dialog->accept();
  };
}
void cancelDialog(QWidget* w) { static_cast<QDialog*>(w)->reject(); }

class PaintCounter : public QObject {
 public:
  int paints = 0;
  QRegion painted;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() != QEvent::Paint) return false;
    ++paints;
    painted += static_cast<QPaintEvent*>(e)->region();
    return false;
  }
};

// A started game window in its own start directory, with its secondary windows.
struct Game : StartedWindow {
  shell::SecondaryWindows windows;

  explicit Game(shell::Preferences pref = savedPref()) {
    dir.writeSettings(pref);
    start();
    windows = shell::createSecondaryWindows(*main, sounds);
    showAndWait();
  }
  QWidget* table() { return &main->table(); }
  game::GameTable& t() { return main->engine().tableForSetup(); }
  void refresh() {
    main->invalidateAll();
    main->repaintNow();
  }
  void click(QPoint p) { QTest::mouseClick(table(), Qt::LeftButton, {}, p); }
  void drag(QPoint from, QPoint to) {
    QTest::mousePress(table(), Qt::LeftButton, {}, from);
    QTest::mouseMove(table(), (from + to) / 2);
    QTest::mouseMove(table(), to);
    QTest::mouseRelease(table(), Qt::LeftButton, {}, to);
  }
  bool endGameShown() const {
    for (const ModalSeen& m : closer.seen)
      if (m.className == "results::EndGameScreen") return true;
    return false;
  }
};

}  // namespace

class WindowPlayTest : public QObject {
  Q_OBJECT

 private slots:
  void gameByClicksEndsWithTheEndGameScreen() {
    Game g;
    g.main->menu().dragDropItem->trigger();  // click-select mode
    QVERIFY(!g.main->menu().dragDropItem->isChecked());
    g.main->menu().animationsItem->trigger();  // the pictures of the end of each move
    stackNearWin(g.t());
    g.refresh();

    // A pick-up shows the dotted frame in the selection colour around the card.
    g.click(placeCentre(0, 0));
    QVERIFY(g.t().markVisible);
    QImage img = tablePicture(*g.main);
    int framePixels = 0;
    for (int x = 3; x < 95; ++x)
      framePixels += pixelValue(img, x, 3) == g.main->settings().selectColour;
    QVERIFY(framePixels > 20);
    // The wrong foundation refuses with the sound and leaves the table as it was.
    g.click(bottomCentre(4));
    QCOMPARE(g.sounds.played.size(), std::size_t(1));
    QVERIFY(g.sounds.played[0].ends_with("/mirt_1.wav"));
    QCOMPARE(int(g.t().tableau[0][0]), 48);
    QCOMPARE(int(g.t().foundation[1]), 45);
    img = tablePicture(*g.main);
    QCOMPARE(pixelValue(img, 50, 3), g.main->settings().tableColour);  // the frame is gone

    g.click(placeCentre(0, 0));
    g.click(bottomCentre(3));
    QCOMPARE(int(g.t().foundation[0]), 48);
    img = tablePicture(*g.main);
    QCOMPARE(pixelValue(img, 45, 65),
             g.main->settings().tableColour + 0x101010);  // column 0 is empty
    QCOMPARE(pixelValue(img, 5 + 270 + 40, kBottomY + 60), sheetValue(*g.main, 3 + 48, {40, 60}));

    g.click(placeCentre(1, 0));  // pressing the picked card again sends it up
    g.click(placeCentre(1, 0));
    QCOMPARE(int(g.t().foundation[1]), 49);
    g.click(placeCentre(2, 0));
    g.click(bottomCentre(5));
    QVERIFY(!g.endGameShown());
    g.click(bottomCentre(1));
    g.click(bottomCentre(6));
    QCOMPARE(int(g.t().foundation[3]), 51);
    QVERIFY(g.endGameShown());
    QVERIFY(g.sounds.played.back().ends_with("/mirt_2.wav"));
  }

  void gameByDraggingWithRefusedDrops() {
    Game g;
    stackNearWin(g.t());
    g.refresh();
    const std::uint32_t kingPixel = sheetValue(*g.main, 3 + 48, {40, 60});

    // While dragging, the image follows the pointer and the column below shows its empty place.
    QTest::mousePress(g.table(), Qt::LeftButton, {}, placeCentre(0, 0));
    QTest::mouseMove(g.table(), QPoint(300, 250));
    QImage img = tablePicture(*g.main);
    QCOMPARE(pixelValue(img, 300, 250), kingPixel);
    QCOMPARE(pixelValue(img, 45, 65), g.main->settings().tableColour + 0x101010);
    // Dropped on the wrong foundation: refused, the King is back in its column.
    QTest::mouseMove(g.table(), bottomCentre(4));
    QTest::mouseRelease(g.table(), Qt::LeftButton, {}, bottomCentre(4));
    QCOMPARE(g.sounds.played.size(), std::size_t(1));
    QCOMPARE(int(g.t().tableau[0][0]), 48);
    QCOMPARE(int(g.t().foundation[1]), 45);
    img = tablePicture(*g.main);
    QCOMPARE(pixelValue(img, 45, 65), kingPixel);
    QCOMPARE(pixelValue(img, bottomCentre(4).x(), bottomCentre(4).y()),
             sheetValue(*g.main, 3 + 45, {40, 60}));

    // Dragged out of the window and released there: refused once, the waste card is back.
    QTest::mousePress(g.table(), Qt::LeftButton, {}, bottomCentre(1));
    QTest::mouseMove(g.table(), QPoint(200, 300));
    QTest::mouseMove(g.table(), QPoint(-40, 300));
    QTest::mouseRelease(g.table(), Qt::LeftButton, {}, QPoint(-40, 300));
    QCOMPARE(g.sounds.played.size(), std::size_t(2));
    QCOMPARE(int(g.t().wasteTop), 0);
    img = tablePicture(*g.main);
    QCOMPARE(pixelValue(img, 200, 300), g.main->settings().tableColour);  // no image left behind

    g.drag(placeCentre(0, 0), bottomCentre(3));
    g.drag(placeCentre(1, 0), bottomCentre(4));
    g.drag(placeCentre(2, 0), bottomCentre(5));
    QCOMPARE(int(g.t().foundation[2]), 50);
    QVERIFY(!g.endGameShown());
    g.drag(bottomCentre(1), bottomCentre(6));
    QCOMPARE(int(g.t().foundation[3]), 51);
    QVERIFY(g.endGameShown());
    QCOMPARE(g.sounds.played.size(), std::size_t(3));  // the end-of-game sound only
  }

  void qualifyingWinEntersTheHighscoreList() {
    shell::Preferences p = savedPref();
    p.scoreMode = 1;  // Normal, Timed, Hard
    Game g(p);
    QCOMPARE(g.t().qualifies, 1);
    stackNearWin(g.t());
    g.refresh();
    g.drag(placeCentre(0, 0), bottomCentre(3));
    QVERIFY(g.main->clockActive());  // the first press started the clock
    g.drag(placeCentre(1, 0), bottomCentre(4));
    g.drag(placeCentre(2, 0), bottomCentre(5));
    g.drag(bottomCentre(1), bottomCentre(6));
    QVERIFY(!g.main->clockActive());
    QVERIFY(!g.endGameShown());
    QVERIFY(g.windows.highscore->isVisible());
    QCOMPARE(g.windows.highscore->entryRow(), 7);  // 40 points beat the default 40 in 80 s
    QCOMPARE(g.main->highscoreList().score(7), std::string("40"));
  }

  void autoFinishRepaintsAfterEveryCard() {
    Game g;
    game::GameTable& t = g.t();
    std::memset(t.tableau, game::kEmpty, sizeof t.tableau);
    for (int s = 0; s < 4; ++s) {
      t.foundation[s] = std::uint8_t(40 + s);  // Jacks
      t.tableau[s][0] = std::uint8_t(48 + s);
      t.tableau[s][1] = std::uint8_t(44 + s);
    }
    t.wasteTop = -1;
    t.stockCount = 0;
    g.refresh();
    PaintCounter counter;
    g.table()->installEventFilter(&counter);
    g.main->menu().autoFinishItem->trigger();
    QTRY_COMPARE(int(t.foundation[3]), 51);
    QVERIFY(counter.paints >= 8);
    QTRY_VERIFY(g.endGameShown());
  }

  // A double click sends the King home in the rules at once; on the table it glides there over
  // the Queen, a key ends the glide at once, and the table then shows what it shows without
  // animations. Undo glides back and the glide ends by itself.
  void cardsGlideAndAKeyEndsTheGlide() {
    QImage withoutGlide;
    for (const bool animations : {false, true}) {
      Game g;
      if (!animations) g.main->menu().animationsItem->trigger();
      QCOMPARE(g.main->menu().animationsItem->isChecked(), animations);
      stackNearWin(g.t());
      g.refresh();
      QTest::mouseDClick(g.table(), Qt::LeftButton, {}, placeCentre(2, 0));
      QCOMPARE(int(g.t().foundation[2]), 50);
      QCOMPARE(g.main->table().gliding(), animations);
      if (!animations) {
        withoutGlide = tablePicture(*g.main);
        continue;
      }
      const shell::CardGlide& glide = g.main->table().glide();
      QCOMPARE(int(glide.shownTable().foundation[2]), 46);
      QCOMPARE(glide.cardsNow().size(), std::size_t(1));
      QCOMPARE(glide.cardsNow()[0].code, 3 + 50);
      QTest::keyClick(g.table(), Qt::Key_Shift);
      QVERIFY(!g.main->table().gliding());
      QCOMPARE(tablePicture(*g.main), withoutGlide);
      QCOMPARE(g.sounds.played.size(), std::size_t(0));
      g.main->menu().undoItem->trigger();
      QCOMPARE(int(g.t().tableau[2][0]), 50);
      QVERIFY(g.main->table().gliding());
      QTRY_VERIFY(!g.main->table().gliding());
    }
  }

  // With Options > Autodrop a turn of the stock sends the Ace of a column home, gliding.
  void autodropFromTheMenuSendsSafeCardsHome() {
    Game g;
    g.main->menu().autodropItem->trigger();
    QVERIFY(g.main->menu().autodropItem->isChecked());
    stackNearWin(g.t());
    std::memset(g.t().foundation, game::kEmpty, sizeof g.t().foundation);
    g.t().tableau[3][0] = 1;  // the Ace of suit 1
    g.t().wasteTop = -1;
    g.t().stock[0] = 20;
    g.t().stockCount = 1;
    g.refresh();
    g.click(bottomCentre(0));
    QCOMPARE(int(g.t().foundation[0]), 1);
    QCOMPARE(int(g.t().tableau[3][0]), int(game::kEmpty));
    QVERIFY(g.main->table().gliding());
  }

  void undoRedoDoubleClickAndDealNumberFromTheGameMenu() {
    Game g;
    const shell::MainMenu& m = g.main->menu();
    QCOMPARE(m.redoItem->shortcuts().size(), 2);
    QVERIFY(!m.undoItem->isEnabled() && !m.redoItem->isEnabled());
    stackNearWin(g.t());
    g.t().foundation[3] = 43;  // the Jack: the waste King does not fit
    g.refresh();
    QTest::mouseDClick(g.table(), Qt::LeftButton, {}, bottomCentre(1));
    QCOMPARE(int(g.t().wasteTop), 0);
    QVERIFY(!m.undoItem->isEnabled());
    QTest::mouseDClick(g.table(), Qt::LeftButton, {}, placeCentre(2, 0));  // its King goes home
    QCOMPARE(int(g.t().foundation[2]), 50);
    QCOMPARE(g.sounds.played.size(), std::size_t(0));
    m.undoItem->trigger();
    QCOMPARE(int(g.t().tableau[2][0]), 50);
    QVERIFY(!m.undoItem->isEnabled() && m.redoItem->isEnabled());
    m.redoItem->trigger();
    QCOMPARE(int(g.t().foundation[2]), 50);

    // Deal number: typed in the dialog, the deal comes again; a bad number keeps the dialog open
    // with a message until it is corrected.
    QString typed = "123";
    g.closer.handle = [&typed](QWidget* w) {
      if (auto* dialog = qobject_cast<QInputDialog*>(w)) {
        dialog->setTextValue(typed);
        dialog->accept();
      } else {
        w->close();
      }
    };
    m.dealNumberItem->trigger();
    QCOMPARE(g.main->engine().dealNumber(), 123u);
    QVERIFY(!m.undoItem->isEnabled() && !m.redoItem->isEnabled());
    const game::RuleState deal = game::ruleStateOf(g.t());
    QCOMPARE(m.dealNumberItem->text(), QString("Deal nu&mber...\t123"));
    m.restartItem->trigger();
    QVERIFY(g.main->engine().dealNumber() != 123u);
    typed = "-1";
    const std::size_t before = g.closer.seen.size();
    g.closer.handle = [&typed](QWidget* w) {
      if (auto* dialog = qobject_cast<QInputDialog*>(w)) {
        dialog->setTextValue(typed);
        dialog->accept();
      } else {
        typed = " 123 ";  // the message is read, the number corrected
        w->close();
      }
    };
    m.dealNumberItem->trigger();
    QCOMPARE(g.closer.seen.size(), before + 3);
    QVERIFY(g.closer.seen[before + 1].text.contains("whole number"));
    QCOMPARE(g.closer.seen[before + 2].className, g.closer.seen[before].className);
    QVERIFY(game::ruleStateOf(g.t()) == deal);

    // Replay deal: the same cards again, the attempt left behind.
    g.click(bottomCentre(0));  // the stock turns
    QVERIFY(!(game::ruleStateOf(g.t()) == deal));
    m.replayDealItem->trigger();
    QVERIFY(game::ruleStateOf(g.t()) == deal);
    QCOMPARE(g.main->engine().dealNumber(), 123u);
  }

  void clockAndScoreModes() {
    shell::Preferences p = savedPref();
    p.scoreMode = 1;
    Game g(p);
    const shell::MainMenu& m = g.main->menu();
    QVERIFY(!g.main->clockActive());
    QTest::mouseClick(g.table(), Qt::LeftButton, {}, QPoint(620, 300));  // an empty spot
    QVERIFY(g.main->clockActive());
    QTRY_COMPARE_WITH_TIMEOUT(g.main->statusPanel(3).text(), QString("1"), 3000);
    for (int i = 0; i < 9; ++i) g.main->engine().clockTick();
    QCOMPARE(g.main->statusPanel(3).text(), QString("10"));
    QCOMPARE(g.main->statusPanel(1).text(), QString("-2"));

    m.timedItem->trigger();  // off: the clock stops and the game no longer qualifies
    QVERIFY(!m.timedItem->isChecked() && !g.main->clockActive());
    QCOMPARE(g.t().qualifies, 0);
    QCOMPARE(g.main->settings().menu.timed, false);
    m.timedItem->trigger();  // on again: the clock runs at once
    QVERIFY(m.timedItem->isChecked() && g.main->clockActive());

    m.vegasItem->trigger();
    QVERIFY(m.vegasItem->isChecked() && !m.normalItem->isChecked() && !m.noneItem->isChecked());
    QCOMPARE(int(g.main->settings().menu.scoreMode), 2);
    m.noneItem->trigger();
    QVERIFY(m.noneItem->isChecked() && !m.vegasItem->isChecked());
    QVERIFY(!g.main->clockActive());
    QCOMPARE(g.main->statusPanel(1).text(), QString("0"));
    QCOMPARE(g.main->statusPanel(3).text(), QString("0"));
    m.noneItem->trigger();  // chosen again it stays checked
    QVERIFY(m.noneItem->isChecked());

    m.vegasItem->trigger();
    m.restartItem->trigger();
    QCOMPARE(g.main->statusPanel(1).text(), QString("-52"));
    m.easyItem->trigger();
    QVERIFY(m.easyItem->isChecked() && !m.hardItem->isChecked());
    QCOMPARE(g.main->settings().menu.level, game::Level::Easy);
  }

  void clockTickRepaintsOnlyTheTimePanel() {
    Game g;
    QStatusBar* bar = g.main->statusBar();
    QLabel& time = g.main->statusPanel(3);
    PaintCounter barPaints, timePaints;
    bar->installEventFilter(&barPaints);
    time.installEventFilter(&timePaints);
    g.main->engine().clockTick();
    // The label's repaint, and a layout pass of the status bar if the tick started one (which
    // would repaint all of it), come as posted events: deliver them all.
    for (int pass = 0; pass < 3; ++pass) QCoreApplication::sendPostedEvents();
    QVERIFY(timePaints.paints > 0);
    QCOMPARE(time.text(), QString("1"));
    const QRect panel(time.mapTo(bar, QPoint(0, 0)), time.size());
    QVERIFY((barPaints.painted - panel).isEmpty());
  }

  void quatroAndBackFromTheMenu() {
    Game g;
    const shell::MainMenu& m = g.main->menu();
    m.quatroItem->trigger();
    QVERIFY(m.quatroItem->isChecked() && !m.klondikeItem->isChecked());
    QVERIFY(g.main->statusBar()->isHidden());
    QVERIFY(!m.dragDropItem->isChecked() && !m.dragDropItem->isEnabled());
    QCOMPARE(int(g.main->settings().menu.ruleSet), 2);
    // A number card goes into a free place by a click.
    g.t().current = 4;
    g.click(QPoint(5 + 90 * 3 + 40, 5 + 131 + 60));
    QCOMPARE(int(g.t().grid[1][1]), 4);
    QCOMPARE(int(g.t().gridCount), 1);
    m.klondikeItem->trigger();
    QVERIFY(m.klondikeItem->isChecked() && m.dragDropItem->isChecked() &&
            m.dragDropItem->isEnabled());
    QVERIFY(!g.main->statusBar()->isHidden());
    QCOMPARE(g.t().layout.rowStep, 15);
  }

  void backgroundColourFromTheDialog() {
    Game g;
    const std::uint32_t before = g.main->settings().tableColour;
    g.closer.handle = cancelDialog;
    g.main->menu().backgroundItem->trigger();
    QCOMPARE(g.main->settings().tableColour, before);

    QColor initial;
    g.closer.handle = [&](QWidget* w) {
      auto* dialog = qobject_cast<QColorDialog*>(w);
      QVERIFY(dialog);
      initial = dialog->currentColor();
      dialog->setCurrentColor(QColor(0xF5, 0, 0));
      dialog->accept();
    };
    g.main->menu().backgroundItem->trigger();
    QCOMPARE(cards::fromQColor(initial), before);
    QCOMPARE(QColorDialog::customColor(0), QColor(61, 107, 150));
    QCOMPARE(g.main->settings().tableColour, 0xF5u);
    const QImage img = tablePicture(*g.main);
    QCOMPARE(pixelValue(img, 95 + 40, kBottomY + 60), 0x1010FFu);  // the empty waste
    QCOMPARE(pixelValue(img, 5, 5), 0xF5u);                        // the card corners
    QCOMPARE(pixelValue(img, 630, 300), 0xF5u);

    g.closer.handle = acceptColour(QColor(1, 2, 3));
    g.main->menu().cardSelectItem->trigger();
    QCOMPARE(g.main->settings().selectColour, 0x030201u);

    // A custom colour the player stored in the dialog is offered again the next time.
    g.closer.handle = [](QWidget* w) {
      QColorDialog::setCustomColor(0, QColor(9, 8, 7));
      cancelDialog(w);
    };
    g.main->menu().cardSelectItem->trigger();
    QColor offered;
    g.closer.handle = [&](QWidget* w) {
      offered = QColorDialog::customColor(0);
      cancelDialog(w);
    };
    g.main->menu().backgroundItem->trigger();
    QCOMPARE(offered, QColor(9, 8, 7));
    QCOMPARE(g.main->settings().selectColour, 0x030201u);
  }

  void menuCommandsOpenTheSecondaryWindows() {
    Game g;
    const shell::MainMenu& m = g.main->menu();
    for (QAction* item : {m.aboutItem, m.highscoreListItem, m.playlistItem, m.openCardSetItem})
      item->trigger();
    QStringList shown;
    for (const ModalSeen& seen : g.closer.seen) shown << seen.className;
    QCOMPARE(shown, QStringList({"results::AboutBox", "results::HighscoreWindow",
                                 "music::PlaylistEditor", "cards::CardSetChooser"}));
    QCOMPARE(g.main->cardArt().cardSetState, 2);  // the chooser was cancelled
    m.helpItem->trigger();
    QVERIFY(g.windows.help->isVisible());
  }

  void cardSetFromTheChooserAndTheAmigaScheme() {
    Game g;
    std::optional<QString> chosen = QStringLiteral(KLONDIKE_PLAY_DIR "/Vessant-Amiga.tavi");
    shell::Companions c = g.main->companions();
    c.chooseCardSet = [&] { return chosen; };
    g.main->setCompanions(c);

    g.main->menu().openCardSetItem->trigger();
    QCOMPARE(g.main->cardArt().format, cards::CardSetFormat::Planar);
    QCOMPARE(g.main->cardArt().cardSetState, 1);
    QCOMPARE(QString::fromStdString(g.main->settings().cardSetName), *chosen);
    QCOMPARE(g.main->table().colours().table, g.main->settings().tableColour);  // scheme off
    g.main->menu().amigaColoursItem->trigger();
    QVERIFY(g.main->menu().amigaColoursItem->isChecked());
    const std::uint32_t amiga = g.main->cardArt().amigaTableColour;
    QCOMPARE(g.main->table().colours().table, amiga);
    QCOMPARE(pixelValue(tablePicture(*g.main), 630, 300), amiga);
    QCOMPARE(sheetValue(*g.main, 20, {0, 0}), amiga);  // corners follow the scheme

    // A new table colour while the scheme is in force is kept for later: the table stays as it is.
    g.closer.handle = acceptColour(QColor(0x30, 0x20, 0x10));
    g.main->menu().backgroundItem->trigger();
    QCOMPARE(g.main->settings().tableColour, 0x102030u);
    QCOMPARE(pixelValue(tablePicture(*g.main), 630, 300), amiga);
    QCOMPARE(sheetValue(*g.main, 20, {87, 129}), amiga);
    g.main->menu().amigaColoursItem->trigger();  // off: the new colour shows at once
    QVERIFY(!g.main->menu().amigaColoursItem->isChecked());
    QCOMPARE(pixelValue(tablePicture(*g.main), 630, 300), 0x102030u);
    QCOMPARE(sheetValue(*g.main, 20, {87, 129}), 0x102030u);
    g.main->menu().amigaColoursItem->trigger();

    // A path too long for the settings record: the set is loaded, the stored name is kept.
    QString deep = g.dir.path("");
    while (deep.size() < 300) deep += "/a-rather-long-folder-name";
    QVERIFY(QDir().mkpath(deep));
    QVERIFY(QFile::copy(QStringLiteral(KLONDIKE_PLAY_DIR "/Vessant.tvp"), deep + "/Deep.tvp"));
    chosen = deep + "/Deep.tvp";
    g.main->menu().openCardSetItem->trigger();
    QCOMPARE(g.main->cardArt().format, cards::CardSetFormat::Pc);
    QVERIFY(QString::fromStdString(g.main->settings().cardSetName).endsWith("Vessant-Amiga.tavi"));
    QCOMPARE(g.main->table().colours().table,
             g.main->settings().tableColour);  // a PC set has no scheme

    // Cancelled: nothing changes.
    chosen.reset();
    g.main->menu().openCardSetItem->trigger();
    QCOMPARE(g.main->cardArt().cardSetState, 1);
  }

  // A file without card pictures is refused by name and the set in use stays; a truncated set
  // still loads, its missing pictures black.
  void cardSetWithoutPicturesKeepsTheSetInUse() {
    Game g;
    QFile vessant(QStringLiteral(KLONDIKE_PLAY_DIR "/Vessant.tvp"));
    QVERIFY(vessant.open(QIODevice::ReadOnly));
    g.dir.writeFile("empty.tvp", {});
    g.dir.writeFile("text.tvp", "no card set");
    g.dir.writeFile("cut.tvp", vessant.read(300000));
    QVERIFY(QDir().mkdir(g.dir.path("folder.tvp")));
    QVERIFY(::mkfifo(QFile::encodeName(g.dir.path("pipe.tvp")).constData(), 0600) == 0);
    QString chosen;
    shell::Companions c = g.main->companions();
    c.chooseCardSet = [&] { return std::optional<QString>(chosen); };
    g.main->setCompanions(c);
    const QImage sheet = g.main->cardArt().sheet;
    for (const char* name : {"empty.tvp", "text.tvp", "folder.tvp", "pipe.tvp"}) {
      chosen = g.dir.path(name);
      g.closer.seen.clear();
      g.main->menu().openCardSetItem->trigger();
      QCOMPARE(g.closer.seen.size(), std::size_t(1));
      QVERIFY2(g.closer.seen[0].text.contains(chosen), qPrintable(g.closer.seen[0].text));
      QCOMPARE(g.main->cardArt().cardSetState, 2);
      QCOMPARE(g.main->cardArt().sheet, sheet);
      QCOMPARE(g.main->settings().cardSetName, "Vessant.tvp");
    }
    chosen = g.dir.path("cut.tvp");
    g.main->menu().openCardSetItem->trigger();
    QCOMPARE(g.main->cardArt().cardSetState, 1);
    QCOMPARE(sheetValue(*g.main, 58, {44, 65}), 0u);
  }

  // An SVG deck is parsed and drawn on a worker thread: the table keeps the set in use until it
  // is ready, a newer choice supersedes an older one, and the pictures are those of a load on
  // the table's own thread. A broken deck is refused by name once its load ends.
  void svgDeckLoadsOffTheTableThread() {
    Game g;
    g.dir.writeFile("broken.svg", "<svg xmlns='http://www.w3.org/2000/svg'/>");
    const QString deck = QStringLiteral(KLONDIKE_PLAY_DIR "/Vessant.svg");
    QString chosen;
    shell::Companions c = g.main->companions();
    c.chooseCardSet = [&] { return std::optional<QString>(chosen); };
    g.main->setCompanions(c);
    const QImage sheet = g.main->cardArt().sheet;

    // The result arrives through the event loop, which runs only in QTRY_*.
    for (const QString& file : {g.dir.path("broken.svg"), deck}) {
      chosen = file;
      g.main->menu().openCardSetItem->trigger();
      QCOMPARE(g.main->cardArt().sheet, sheet);
      QCOMPARE(g.main->cardArt().cardSetState, 2);
    }
    QTRY_VERIFY(g.main->cardArt().vectors != nullptr);
    QVERIFY(g.closer.seen.empty());  // the broken deck was superseded
    QCOMPARE(QString::fromStdString(g.main->settings().cardSetName), deck);
    cards::CardArt loadedHere;
    loadedHere.takeSheet(cards::loadCardSet(deck).sheet);
    cards::roundCardCorners(loadedHere, g.main->table().colours().table,
                            g.main->settings().tableColour);
    QCOMPARE(g.main->cardArt().sheet, loadedHere.sheet);
    QCOMPARE(g.main->cardArt().emptyImage, loadedHere.emptyImage);

    chosen = g.dir.path("broken.svg");
    g.main->menu().openCardSetItem->trigger();
    QTRY_COMPARE(g.closer.seen.size(), std::size_t(1));
    QCOMPARE(g.closer.seen[0].text, cards::NoCardPicturesText(chosen));
    QCOMPARE(g.main->cardArt().sheet, loadedHere.sheet);
  }
};

QTEST_MAIN(WindowPlayTest)
#include "window_play_test.moc"
