#include "tools/cardset/clipping_recorder.h"

#include <QPaintEngine>
#include <QPainterPath>
#include <QPainterPathStroker>

namespace cardset {
namespace {

class ClippingEngine : public QPaintEngine {
 public:
  explicit ClippingEngine(QPainter& target) : QPaintEngine(AllFeatures), target_(target) {}

  bool begin(QPaintDevice*) override { return true; }
  bool end() override { return true; }
  Type type() const override { return User; }

  void updateState(const QPaintEngineState& changed) override {
    const DirtyFlags dirty = changed.state();
    if (dirty & DirtyTransform) transform_ = changed.transform();
    if (dirty & DirtyPen) pen_ = changed.pen();
    if (dirty & DirtyBrush) brush_ = changed.brush();
    if (dirty & DirtyClipEnabled) clipEnabled_ = changed.isClipEnabled();
    if (dirty & (DirtyClipPath | DirtyClipRegion)) {
      QPainterPath clip = changed.clipPath();
      if (dirty & DirtyClipRegion) {
        clip = QPainterPath();
        clip.addRegion(changed.clipRegion());
      }
      clip = transform_.map(clip);
      switch (changed.clipOperation()) {
        case Qt::NoClip: clipEnabled_ = false; break;
        case Qt::ReplaceClip: clip_ = clip, clipEnabled_ = true; break;
        case Qt::IntersectClip:
          clip_ = clipEnabled_ ? clip_.intersected(clip) : clip;
          clipEnabled_ = true;
          break;
      }
    }
  }

  void drawPath(const QPainterPath& path) override {
    if (!clipEnabled_) {
      target_.save();
      target_.setTransform(transform_, true);
      target_.setPen(pen_);
      target_.setBrush(brush_);
      target_.drawPath(path);
      target_.restore();
      return;
    }
    if (brush_.style() != Qt::NoBrush)
      target_.fillPath(transform_.map(path).intersected(clip_), brush_);
    if (pen_.style() != Qt::NoPen) {
      QPainterPathStroker stroker(pen_);
      target_.fillPath(transform_.map(stroker.createStroke(path)).intersected(clip_), pen_.brush());
    }
  }

  void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points, points + count)));
    if (mode != PolylineMode) path.closeSubpath();
    path.setFillRule(mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
    if (mode != PolylineMode) return drawPath(path);
    const QBrush brush = std::exchange(brush_, Qt::NoBrush);
    drawPath(path);
    brush_ = brush;
  }

  // The cards hold no pictures.
  void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}

 private:
  QPainter& target_;
  QTransform transform_;
  QPen pen_;
  QBrush brush_;
  QPainterPath clip_;
  bool clipEnabled_ = false;
};

}  // namespace

ClippingRecorder::ClippingRecorder(QPainter& target, QSize size)
    : size_(size), engine_(std::make_unique<ClippingEngine>(target)) {}

ClippingRecorder::~ClippingRecorder() = default;

QPaintEngine* ClippingRecorder::paintEngine() const { return engine_.get(); }

int ClippingRecorder::metric(PaintDeviceMetric metric) const {
  switch (metric) {
    case PdmWidth: return size_.width();
    case PdmHeight: return size_.height();
    case PdmDepth: return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return 72;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
    default: return QPaintDevice::metric(metric);
  }
}

}  // namespace cardset
