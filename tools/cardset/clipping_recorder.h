#pragma once
// A paint device that hands everything drawn on it to another painter, with the clipping
// already applied to the shapes themselves. Qt's SVG generator ignores clipping; drawn
// through this device, a card clipped by its painter looks the same as vectors as in pixels.
#include <QPaintDevice>
#include <QPainter>
#include <memory>

namespace cardset {

class ClippingRecorder : public QPaintDevice {
 public:
  // Draws on `target`, which must stay active while this device is painted on; `size` is the
  // size of the picture in units.
  ClippingRecorder(QPainter& target, QSize size);
  ~ClippingRecorder() override;

  QPaintEngine* paintEngine() const override;

 protected:
  int metric(PaintDeviceMetric metric) const override;

 private:
  QSize size_;
  std::unique_ptr<QPaintEngine> engine_;
};

}  // namespace cardset
