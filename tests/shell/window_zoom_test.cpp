// Options > Zoom: clicks land where they land at 100%, the zoomed picture is the 100% picture
// scaled, and the zoom comes back at the next start.
#include "tests/shell/window_test_support.h"

using namespace window_test;

namespace {

constexpr std::uint32_t kDeal = 7;

// The zoom's menu item: 100%, 150%, 200%, Fit window.
QAction* zoomItem(shell::MainWindow& main, int index) {
  return main.menu().zoomMenu->actions().at(index);
}

// A shown window on a screen that holds the table at 200%, in click-select mode.
struct ZoomWindow : StartedWindow {
  QSize base;       // the table at 100%
  QSize window100;  // the fixed window at 100%

  ZoomWindow() {
    dir.writeSettings(savedPref());
    start(screenOf(2560, 1600));
    showAndWait();
    main->menu().dragDropItem->trigger();
    base = main->table().size();
    window100 = main->size();
  }
  // Chooses a zoom, gives the window `windowSize` when valid, and lets the table take its size.
  void zoom(int index, QSize windowSize = {}) {
    zoomItem(*main, index)->trigger();
    if (windowSize.isValid()) main->resize(windowSize);
    QCoreApplication::processEvents();
  }
  // A widget pixel among those that paint table point `p` where a click reaches `p`; none when
  // painting and the pointer disagree.
  QPoint widgetPoint(QPoint p) const {
    const shell::TableWidget& table = main->table();
    const QRect shown = table.toWidget(QRect(p, QSize(1, 1)));
    for (int y = shown.top(); y <= shown.bottom(); ++y)
      for (int x = shown.left(); x <= shown.right(); ++x)
        if (table.toTable(QPointF(x, y)) == p) return {x, y};
    return {-1, -1};
  }
};

// The table as it shows in the window, below the menu bar: painted with the window's offset.
QImage tableInWindow(shell::MainWindow& main) {
  return main.grab().toImage().copy(main.table().geometry());
}

}  // namespace

class WindowZoomTest : public QObject {
  Q_OBJECT

 private slots:
  void clicksLandOnTheSamePlaceAtEveryZoom() {
    ZoomWindow w;
    // Either side of the table's edge, of a card's edge and of the gap between two columns, the
    // face-up card of column 6 and the stock.
    const QPoint points[] = {{4, 60},  {5, 60},  {92, 60},   {93, 60},   {95, 60},
                             {5, 134}, {5, 135}, {632, 120}, {633, 120}, {40, 460}};
    auto marks = [&](QPoint at) {
      w.main->engine().playDeal(kDeal);
      w.main->engine().cancelSelection();
      const QPoint click = w.widgetPoint(at);
      if (click.x() < 0) return QList<int>{-1};
      QTest::mouseClick(&w.main->table(), Qt::LeftButton, {}, click);
      const game::GameTable& t = w.main->engine().table();
      if (!t.markVisible) return QList<int>{t.stockCount};  // the marked place is left as it was
      return QList<int>{t.markedCol, t.markedRow, t.markedCount, t.stockCount};
    };
    QList<QList<int>> at100;
    for (QPoint p : points) at100 << marks(p);
    const struct {
      int item;
      QSize window;
      qreal scale;
    } zooms[] = {{1, {}, 1.5}, {2, {}, 2}, {3, {1200, 700}, 0}};
    for (const auto& z : zooms) {
      w.zoom(z.item, z.window);
      if (z.scale > 0) QTRY_COMPARE(w.main->table().scale(), z.scale);
      if (z.window.isValid()) QTRY_COMPARE(w.main->size(), z.window);
      for (std::size_t i = 0; i < std::size(points); ++i)
        QVERIFY2(marks(points[i]) == at100[qsizetype(i)], qPrintable(QString::number(i)));
    }
    QVERIFY(w.main->table().scale() < 1.4);  // the fitted table of the last window
  }

  void paintingAt200MatchesTheScaled100Picture() {
    ZoomWindow w;
    w.main->engine().playDeal(kDeal);
    QTest::mouseClick(&w.main->table(), Qt::LeftButton, {}, QPoint(590, 190));  // a frame
    QVERIFY(w.main->engine().table().markVisible);
    const QImage expected =
        tablePicture(*w.main).scaled(w.base * 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    w.zoom(2);
    QTRY_COMPARE(w.main->table().scale(), 2.0);
    const QImage zoomed = tableInWindow(*w.main).convertToFormat(expected.format());
    QCOMPARE(zoomed.size(), expected.size());
    qint64 difference = 0;
    int far = 0;
    for (int y = 0; y < zoomed.height(); ++y)
      for (int x = 0; x < zoomed.width(); ++x) {
        const QRgb a = zoomed.pixel(x, y), b = expected.pixel(x, y);
        const int d = std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                      std::abs(qBlue(a) - qBlue(b));
        difference += d;
        far += d > 96;
      }
    const qint64 pixels = qint64(zoomed.width()) * zoomed.height();
    QVERIFY2(difference < pixels * 3, qPrintable(QString::number(double(difference) / pixels)));
    QVERIFY2(far < pixels / 100, qPrintable(QString::number(far)));
  }

  void theZoomIsKeptInTheOptionsFile() {
    ZoomWindow w;
    w.zoom(3);
    QFile file(w.dir.path(shell::kGameOptionsFile));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("Zoom=Fit"));
    w.zoom(2);
    w.main.reset();
    w.start(screenOf(2560, 1600));
    QVERIFY(zoomItem(*w.main, 2)->isChecked());
    w.showAndWait();
    QTRY_COMPARE(w.main->table().size(), w.base * 2);
    QCOMPARE(w.main->table().scale(), 2.0);
    w.zoom(0);  // back to the fixed window of 100%
    QTRY_COMPARE(w.main->size(), w.window100);
    QCOMPARE(w.main->table().scale(), 1.0);
    QCOMPARE(w.main->maximumSize(), w.window100);
  }
};

QTEST_MAIN(WindowZoomTest)
#include "window_zoom_test.moc"
