// fan_view: shows long fanned runs of every rank and suit through the table painter, the way a
// player sees covered cards in a column. For looking at a card set by eye (with a screenshot
// tool), not a test.
//
//   fan_view SET [small] [OUT.png]   "small" lays the table out as on a 640 x 480 screen
#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <cstring>

#include "cards/card_set_loader.h"
#include "cards/table_painter.h"

namespace {

// Columns 0..3 hold one suit each from king to ace; columns 4..6 alternate the colours as a
// Klondike run does.
game::GameTable fannedTable(bool small) {
  game::GameTable t{};
  std::memset(t.tableau, game::kEmpty, sizeof t.tableau);
  std::memset(t.foundation, game::kEmpty, sizeof t.foundation);
  std::memset(t.waste, game::kEmpty, sizeof t.waste);
  t.wasteTop = -1;
  t.layout = game::tableLayout(game::RuleSet::Klondike, small ? 1 : 3);
  for (int column = 0; column < game::kColumns; ++column)
    for (int row = 0; row < 13; ++row) {
      const int rank = 12 - row;
      const int suit = column < 4 ? column : (column + row * 3) % 4;
      t.tableau[column][row] = std::uint8_t(rank * 4 + suit);
    }
  return t;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) return 2;
  const bool small = argc > 2 && std::strcmp(argv[2], "small") == 0;
  const cards::LoadedCardSet set = cards::loadCardSet(QString::fromLocal8Bit(argv[1]));
  if (set.sheet.isNull()) return 1;
  cards::CardArt art;
  art.takeSheet(set.sheet);
  art.format = set.format;
  art.cardSetState = 2;
  const std::uint32_t table = 0x00D08622;  // the table colour of a first start
  const cards::TableColours colours = cards::resolveColours(table, 0x00FFFFFF, false, false, 0, 0);
  cards::roundCardCorners(art, colours.table, table);

  const game::GameTable t = fannedTable(small);
  const int width = t.layout.originX + game::kColumns * game::kColumnPitch;
  const int height = t.layout.originY + 12 * t.layout.rowStep + game::kCardHeight + 5;
  QImage picture(width, height, QImage::Format_RGB32);
  QPainter painter(&picture);
  cards::paintTable(painter, QRegion(0, 0, width, height),
                    {t, true, art, colours, {}, nullptr, {}});
  painter.end();
  if (argc > 3) return picture.save(QString::fromLocal8Bit(argv[3])) ? 0 : 1;
  QLabel label;
  label.setPixmap(QPixmap::fromImage(picture));
  label.setFixedSize(picture.size());
  label.move(0, 0);
  label.show();
  return app.exec();
}
