#pragma once
// An SVG card deck (*.svg, *.svgz) in the free desktop card themes' naming, drawn at any size
// through the game's SVG deck library, which is loaded when the first deck is opened.
#include <QFuture>
#include <QImage>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <utility>

namespace cards {

// A deck may be drawn on a worker thread while the table paints: its calls take turns.
class SvgDeck : public std::enable_shared_from_this<SvgDeck> {
 public:
  // The deck in the file, or null when the file is no usable deck (too large, hostile, broken,
  // a picture missing) or the library cannot be loaded. Reads nothing but the file itself.
  static std::shared_ptr<const SvgDeck> open(const QString& fileName);
  ~SvgDeck();
  SvgDeck(const SvgDeck&) = delete;
  SvgDeck& operator=(const SvgDeck&) = delete;

  // The card sheet with cells of `cell` pixels, premultiplied ARGB over transparency: the back
  // in cell 2, the faces in cells 3..54 and the empty foundations, drawn by the game, in
  // 55..58. The last few sizes are kept, so a zoom back to one of them costs nothing. Drawing
  // ends early with a null sheet once `stopped` (asked between cards) is true.
  QImage sheet(QSize cell, const std::function<bool()>& stopped = {}) const;
  // The sheet of `cell` when it is drawn already and no drawing is under way, else null; never
  // waits.
  QImage drawnSheet(QSize cell) const;
  // Draws the sheet of `cell` on a worker thread; the future finishes once it is drawn.
  QFuture<void> drawSheetLater(QSize cell) const;
  // One picture: sheet cell 2 or 3..54 drawn to fill `size` pixels.
  QImage cell(int code, QSize size) const;

 private:
  explicit SvgDeck(void* handle) : handle_(handle) {}

  void* handle_;
  mutable std::mutex mutex_;
  mutable std::map<std::pair<int, int>, QImage> sheets_;
};

// True for the file names of SVG decks: *.svg and *.svgz, any case.
bool isSvgDeckName(const QString& fileName);

}  // namespace cards
