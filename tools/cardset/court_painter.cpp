#include "tools/cardset/court_painter.h"

#include <QLineF>
#include <QPainterPath>

#include "tools/cardset/suit_shapes.h"

namespace cardset {
namespace {

enum Court { Jack = 10, Queen = 11, King = 12 };

// The portrait is drawn for this frame and shrunk about the card's centre so that the frame
// stays below the index rows at the top and above those at the bottom.
const QRectF kFrame(17.5, 12.5, 53, 105);
constexpr double kPortraitScale = 0.924;
const QColor kInk(28, 24, 30);
const QColor kSkin(248, 214, 180);
const QColor kGold(226, 170, 50);
const QColor kCream(252, 246, 226);

// What the figure holds.
enum class Emblem { Sceptre, Orb, Sword, Axe, Flower, Fan, Mirror, Arrow, Torch, Halberd };

// One figure: the robe, its second colour, the hair, the held emblem, and whether the figure
// is drawn facing the other way (emblem on the left).
struct Attire {
  QColor robe, accent, hair;
  Emblem emblem;
  bool mirrored;
};

// Emblems held at the figure's left side rather than its right.
bool HeldLeft(Emblem e) { return e == Emblem::Flower || e == Emblem::Fan || e == Emblem::Mirror; }

// Twelve figures, by rank (jack, queen, king) and suit (clubs, diamonds, hearts, spades): each
// differs from the others in colours and emblem, and half of them face the other way.
Attire AttireFor(int rank, int suit) {
  static const Attire kFigures[3][4] = {
      {{QColor(40, 120, 60), QColor(226, 170, 50), QColor(190, 90, 40), Emblem::Arrow, true},
       {QColor(226, 120, 30), QColor(40, 84, 170), QColor(236, 200, 90), Emblem::Torch, false},
       {QColor(196, 40, 48), QColor(36, 120, 70), QColor(150, 70, 30), Emblem::Sword, true},
       {QColor(40, 70, 160), QColor(196, 52, 40), QColor(40, 30, 26), Emblem::Halberd, false}},
      {{QColor(30, 130, 130), QColor(200, 40, 70), QColor(40, 30, 26), Emblem::Flower, false},
       {QColor(236, 196, 50), QColor(120, 40, 140), QColor(190, 80, 40), Emblem::Fan, true},
       {QColor(214, 80, 120), QColor(226, 170, 50), QColor(236, 200, 90), Emblem::Mirror, false},
       {QColor(50, 50, 130), QColor(226, 170, 50), QColor(112, 60, 32), Emblem::Sceptre, true}},
      {{QColor(30, 100, 50), QColor(184, 22, 36), QColor(170, 170, 176), Emblem::Orb, false},
       {QColor(120, 40, 140), QColor(234, 150, 40), QColor(120, 70, 30), Emblem::Axe, true},
       {QColor(184, 22, 36), QColor(34, 70, 160), QColor(236, 232, 222), Emblem::Sword, false},
       {QColor(30, 62, 150), QColor(184, 22, 36), QColor(40, 30, 26), Emblem::Sceptre, true}},
  };
  return kFigures[rank - Jack][suit];
}

void Fill(QPainter& p, const QPainterPath& path, QColor fill, double outline = 0.7) {
  p.setPen(outline > 0 ? QPen(kInk, outline) : QPen(Qt::NoPen));
  p.setBrush(fill);
  p.drawPath(path);
}

void DrawRobe(QPainter& p, int rank, const Attire& attire) {
  QPainterPath robe;
  robe.moveTo(18, 66);
  robe.lineTo(18, 57);
  robe.cubicTo(22, 49, 30, 46, 37, 45);
  robe.lineTo(51, 45);
  robe.cubicTo(58, 46, 66, 49, 70, 57);
  robe.lineTo(70, 66);
  robe.closeSubpath();
  Fill(p, robe, attire.robe);

  // Side panels in the second colour with gold stripes.
  p.save();
  p.setClipPath(robe);
  p.setPen(Qt::NoPen);
  p.setBrush(attire.accent);
  p.drawRect(QRectF(18, 44, 10, 22));
  p.drawRect(QRectF(60, 44, 10, 22));
  p.setPen(QPen(kGold, 1.2));
  for (double x : {21.0, 25.0, 63.0, 67.0}) p.drawLine(QPointF(x, 44), QPointF(x, 66));
  p.restore();

  // Central band with lozenges.
  QPainterPath band;
  band.addRect(QRectF(40, 46, 8, 20));
  Fill(p, band, kGold, 0.6);
  p.setPen(Qt::NoPen);
  p.setBrush(attire.robe.darker(130));
  for (double y : {50.0, 56.0, 62.0}) {
    QPainterPath lozenge;
    lozenge.moveTo(44, y - 2.5);
    lozenge.lineTo(46.5, y);
    lozenge.lineTo(44, y + 2.5);
    lozenge.lineTo(41.5, y);
    lozenge.closeSubpath();
    p.drawPath(lozenge);
  }

  // Collar: ermine for the king, lace for the queen, a plain band for the jack.
  QPainterPath collar;
  collar.moveTo(33, 45.5);
  collar.cubicTo(37, 51, 51, 51, 55, 45.5);
  collar.cubicTo(51, 47.5, 37, 47.5, 33, 45.5);
  Fill(p, collar, rank == Jack ? attire.accent.lighter(140) : Qt::white, 0.6);
  if (rank == King) {
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    for (double x : {37.0, 41.0, 47.0, 51.0}) p.drawEllipse(QPointF(x, 48.3), 0.6, 0.8);
  }
}

void DrawHead(QPainter& p, int rank, const Attire& attire) {
  if (rank == Queen) {  // long hair behind the head
    QPainterPath hair;
    hair.addRoundedRect(QRectF(34, 26, 20, 22), 8, 8);
    Fill(p, hair, attire.hair, 0.6);
  }
  QPainterPath neck;
  neck.addRect(QRectF(41, 41, 6, 4));
  Fill(p, neck, kSkin, 0.5);
  QPainterPath head;
  head.addEllipse(QPointF(44, 35), 7.2, 8.6);
  Fill(p, head, kSkin, 0.7);

  // Hair over the forehead and at the sides.
  QPainterPath fringe;
  fringe.moveTo(36.8, 35);
  fringe.cubicTo(36, 26, 52, 26, 51.2, 35);
  fringe.cubicTo(50, 31, 46, 30, 44, 30.5);
  fringe.cubicTo(42, 30, 38, 31, 36.8, 35);
  Fill(p, fringe, attire.hair, 0.5);

  // Eyes, brows, nose and mouth.
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  p.drawEllipse(QPointF(41.3, 35), 0.9, 0.7);
  p.drawEllipse(QPointF(46.7, 35), 0.9, 0.7);
  p.setPen(QPen(kInk, 0.6));
  p.setBrush(Qt::NoBrush);
  p.drawLine(QPointF(39.8, 33.2), QPointF(42.6, 33.0));
  p.drawLine(QPointF(45.4, 33.0), QPointF(48.2, 33.2));
  p.drawLine(QPointF(44, 35.5), QPointF(43.3, 38.6));
  p.drawLine(QPointF(43.3, 38.6), QPointF(44.6, 38.8));
  p.setPen(QPen(QColor(190, 40, 50), 0.9));
  p.drawLine(QPointF(42.6, 40.8), QPointF(45.4, 40.8));

  if (rank == King) {  // beard and moustache
    QPainterPath beard;
    beard.moveTo(37, 37);
    beard.cubicTo(37.5, 44, 40, 49, 44, 50);
    beard.cubicTo(48, 49, 50.5, 44, 51, 37);
    beard.cubicTo(49, 41.5, 46, 42.5, 44, 42);
    beard.cubicTo(42, 42.5, 39, 41.5, 37, 37);
    Fill(p, beard, attire.hair, 0.6);
    QPainterPath moustache;
    moustache.moveTo(40.5, 40.4);
    moustache.cubicTo(42, 38.8, 46, 38.8, 47.5, 40.4);
    moustache.cubicTo(46, 39.8, 42, 39.8, 40.5, 40.4);
    Fill(p, moustache, attire.hair.darker(120), 0.4);
  }
}

void DrawHeadwear(QPainter& p, int rank, const Attire& attire) {
  if (rank == King) {
    QPainterPath crown;
    crown.moveTo(35.5, 28);
    crown.lineTo(35, 16);
    crown.lineTo(38.8, 21);
    crown.lineTo(41.2, 13.5);
    crown.lineTo(44, 19.5);
    crown.lineTo(46.8, 13.5);
    crown.lineTo(49.2, 21);
    crown.lineTo(53, 16);
    crown.lineTo(52.5, 28);
    crown.closeSubpath();
    Fill(p, crown, kGold);
    QPainterPath rim;
    rim.addRect(QRectF(35, 25, 18, 3.2));
    Fill(p, rim, kGold.darker(115), 0.6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 20, 40));
    for (QPointF tip : {QPointF(35, 16), QPointF(41.2, 13.5), QPointF(46.8, 13.5), QPointF(53, 16)})
      p.drawEllipse(tip, 1.1, 1.1);
    p.setBrush(attire.accent);
    p.drawEllipse(QPointF(44, 26.6), 1.3, 1.1);
  } else if (rank == Queen) {
    QPainterPath tiara;
    tiara.moveTo(36.5, 28);
    tiara.cubicTo(37, 22, 40, 21, 40.5, 19.5);
    tiara.cubicTo(42, 21, 46, 21, 47.5, 19.5);
    tiara.cubicTo(48, 21, 51, 22, 51.5, 28);
    tiara.closeSubpath();
    Fill(p, tiara, kGold);
    p.setPen(QPen(kInk, 0.5));
    p.setBrush(Qt::white);
    for (QPointF pearl : {QPointF(40.5, 18.6), QPointF(44, 16.8), QPointF(47.5, 18.6)})
      p.drawEllipse(pearl, 1.3, 1.3);
    p.setBrush(QColor(200, 20, 40));
    p.drawEllipse(QPointF(44, 24.5), 1.4, 1.6);
  } else {
    QPainterPath cap;
    cap.moveTo(34.5, 29);
    cap.cubicTo(33, 20, 52, 17, 55, 25);
    cap.cubicTo(54, 28, 48, 27, 44, 28);
    cap.cubicTo(40, 28.5, 37, 29.5, 34.5, 29);
    Fill(p, cap, attire.accent);
    QPainterPath feather;
    feather.moveTo(50, 22);
    feather.cubicTo(55, 14, 60, 13, 64, 14.5);
    feather.cubicTo(60, 16, 56, 19, 51.5, 24);
    feather.closeSubpath();
    Fill(p, feather, Qt::white, 0.6);
    p.setPen(QPen(kGold, 1.2));
    p.drawLine(QPointF(35.5, 27.6), QPointF(54, 25.4));
  }
}

// The held emblems, drawn for the right hand at x 61 or the left one at x 27.
void DrawStaff(QPainter& p, double x, double top, QColor wood) {
  p.setPen(QPen(kInk, 2.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(x, 64), QPointF(x, top));
  p.setPen(QPen(wood, 1.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(x, 64), QPointF(x, top));
}

void DrawEmblem(QPainter& p, const Attire& attire) {
  const QColor steel(205, 210, 220), wood(150, 96, 40);
  switch (attire.emblem) {
    case Emblem::Sceptre: {
      DrawStaff(p, 61, 24, kGold);
      QPainterPath orb;
      orb.addEllipse(QPointF(61, 20.5), 3.2, 3.2);
      Fill(p, orb, kGold);
      p.setPen(QPen(kInk, 0.8));
      p.drawLine(QPointF(61, 17.3), QPointF(61, 13.5));
      p.drawLine(QPointF(59.3, 15.2), QPointF(62.7, 15.2));
      break;
    }
    case Emblem::Orb: {
      QPainterPath orb;
      orb.addEllipse(QPointF(61, 50), 5.5, 5.5);
      Fill(p, orb, kGold);
      p.setPen(QPen(kInk, 0.6));
      p.drawLine(QPointF(55.5, 50), QPointF(66.5, 50));
      p.drawLine(QPointF(61, 50), QPointF(61, 55.5));
      p.setPen(QPen(kInk, 1.4));
      p.drawLine(QPointF(61, 44.5), QPointF(61, 38.5));
      p.drawLine(QPointF(58.5, 41), QPointF(63.5, 41));
      break;
    }
    case Emblem::Sword: {
      QPainterPath blade;
      blade.moveTo(59.8, 56);
      blade.lineTo(59.8, 19);
      blade.lineTo(61, 15);
      blade.lineTo(62.2, 19);
      blade.lineTo(62.2, 56);
      blade.closeSubpath();
      Fill(p, blade, steel, 0.6);
      QPainterPath hilt;
      hilt.addRect(QRectF(56, 56, 10, 2));
      hilt.addRect(QRectF(60, 58, 2, 6));
      Fill(p, hilt, kGold, 0.5);
      break;
    }
    case Emblem::Axe: {
      DrawStaff(p, 61, 18, wood);
      QPainterPath head;
      head.moveTo(61, 20);
      head.cubicTo(66, 17, 69, 19, 69, 15);
      head.cubicTo(71, 21, 71, 28, 69, 34);
      head.cubicTo(69, 30, 66, 31, 61, 29);
      head.closeSubpath();
      Fill(p, head, steel, 0.6);
      break;
    }
    case Emblem::Flower: {
      p.setPen(QPen(QColor(40, 120, 50), 1.2));
      p.drawLine(QPointF(27, 60), QPointF(27, 44));
      p.setPen(QPen(kInk, 0.5));
      p.setBrush(attire.accent.lighter(125));
      for (int i = 0; i < 5; ++i) {
        p.save();
        p.translate(27, 41);
        p.rotate(i * 72.0);
        p.drawEllipse(QPointF(0, -2.6), 1.6, 2.2);
        p.restore();
      }
      p.setBrush(kGold);
      p.drawEllipse(QPointF(27, 41), 1.4, 1.4);
      break;
    }
    case Emblem::Fan: {
      const QPointF pivot(27, 50);
      QPainterPath fan;
      fan.moveTo(pivot);
      fan.arcTo(QRectF(pivot - QPointF(11, 11), QSizeF(22, 22)), 45, 90);
      fan.closeSubpath();
      Fill(p, fan, attire.accent.lighter(150), 0.6);
      p.setPen(QPen(attire.accent, 0.6));
      for (int i = 1; i < 6; ++i)
        p.drawLine(pivot, QLineF::fromPolar(10.5, 45 + i * 15.0).translated(pivot).p2());
      break;
    }
    case Emblem::Mirror: {
      p.setPen(QPen(kGold.darker(130), 1.8, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(27, 46), QPointF(27, 58));
      QPainterPath glass;
      glass.addEllipse(QPointF(27, 40), 4.2, 5.4);
      Fill(p, glass, kGold, 0.6);
      QPainterPath inner;
      inner.addEllipse(QPointF(27, 40), 2.8, 4.0);
      Fill(p, inner, QColor(190, 220, 240), 0);
      break;
    }
    case Emblem::Arrow: {
      DrawStaff(p, 61, 20, wood);
      QPainterPath tip;
      tip.moveTo(61, 14);
      tip.lineTo(63.5, 21);
      tip.lineTo(58.5, 21);
      tip.closeSubpath();
      Fill(p, tip, steel, 0.6);
      p.setPen(QPen(QColor(200, 30, 40), 1.4));
      for (double y : {58.0, 61.0}) {
        p.drawLine(QPointF(61, y), QPointF(58, y + 3));
        p.drawLine(QPointF(61, y), QPointF(64, y + 3));
      }
      break;
    }
    case Emblem::Torch: {
      DrawStaff(p, 61, 30, wood);
      QPainterPath flame;
      flame.moveTo(61, 14);
      flame.cubicTo(66, 20, 66, 27, 61, 30);
      flame.cubicTo(56, 27, 56, 20, 61, 14);
      Fill(p, flame, QColor(250, 150, 30), 0.6);
      QPainterPath core;
      core.addEllipse(QPointF(61, 25), 1.8, 3);
      Fill(p, core, QColor(255, 230, 90), 0);
      break;
    }
    case Emblem::Halberd: {
      DrawStaff(p, 62, 22, wood);
      QPainterPath blade;
      blade.moveTo(62, 17);
      blade.lineTo(64, 22);
      blade.cubicTo(68, 23, 69, 28, 68, 32);
      blade.cubicTo(66, 29, 64, 28, 62, 28);
      blade.cubicTo(60, 28, 58.5, 26, 58, 24);
      blade.lineTo(62, 25);
      blade.closeSubpath();
      Fill(p, blade, steel, 0.6);
      break;
    }
  }
}

void DrawHalf(QPainter& p, int rank, int suit, const Attire& attire) {
  p.save();
  if (attire.mirrored) {
    p.translate(kFrame.center().x() * 2, 0);
    p.scale(-1, 1);
  }
  // The robe is drawn for shoulders at y 45 and the head for a neck ending there; both are
  // moved down, and the head enlarged, so that the portrait fills its half of the frame.
  p.save();
  p.translate(0, 4);
  DrawRobe(p, rank, attire);
  p.restore();
  p.save();
  p.translate(44, 49);
  p.scale(1.15, 1.15);
  p.translate(-44, -45);
  DrawHead(p, rank, attire);
  DrawHeadwear(p, rank, attire);
  p.restore();
  DrawEmblem(p, attire);
  DrawSuit(p, suit, QPointF(HeldLeft(attire.emblem) ? 62 : 25.5, 21), 11, SuitColour(suit));
  p.restore();
}

}  // namespace

void PaintCourtPortrait(QPainter& painter, int rank, int suit) {
  const Attire attire = AttireFor(rank, suit);
  painter.save();
  const QPointF centre = kFrame.center();
  painter.translate(centre);
  painter.scale(kPortraitScale, kPortraitScale);
  painter.translate(-centre);
  painter.fillRect(kFrame, kCream);
  for (int turn = 0; turn < 2; ++turn) {
    painter.save();
    if (turn == 1) {
      painter.translate(centre);
      painter.rotate(180);
      painter.translate(-centre);
    }
    painter.setClipRect(
        QRectF(kFrame.left(), kFrame.top(), kFrame.width(), centre.y() - kFrame.top()));
    DrawHalf(painter, rank, suit, attire);
    painter.restore();
  }
  // Divider between the two heads and the frame in the suit's colour.
  painter.setPen(QPen(kInk, 0.8));
  painter.drawLine(QPointF(kFrame.left(), centre.y()), QPointF(kFrame.right(), centre.y()));
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(SuitColour(suit), 1.0));
  painter.drawRect(kFrame);
  painter.setPen(QPen(kInk, 0.6));
  painter.drawRect(kFrame.adjusted(-1.5, -1.5, 1.5, 1.5));
  painter.restore();
}

}  // namespace cardset
