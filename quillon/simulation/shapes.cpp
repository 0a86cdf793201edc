#include "shapes.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace quillon {

namespace {

QColor ToQColor(Rgb c) { return QColor(c.red, c.green, c.blue); }

QPen ToPen(const Stroke& stroke) {
  QPen pen(ToQColor(stroke.colour));
  pen.setWidthF(stroke.widthPixels);
  pen.setStyle(stroke.style == LineStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
  pen.setCapStyle(stroke.widthPixels > 1 ? Qt::RoundCap : Qt::FlatCap);
  return pen;
}

class ScenePainter {
 public:
  ScenePainter(QPainter& painter, const ViewMapping& map) : p_(painter), map_(map) {}

  QPointF Map(ViewPoint v) const { return {map_.PixelX(v.x), map_.PixelY(v.y)}; }

  QRectF Box(ViewPoint centre, double radius) const {
    const double r = map_.PixelLength(radius);
    const QPointF c = Map(centre);
    // The radius is an x-axis length; on a view with unequal axes the circle stays round in
    // pixels, as a circle drawn in user units does.
    return {c.x() - r, c.y() - r, 2 * r, 2 * r};
  }

  void operator()(const LineShape& s) {
    p_.setPen(ToPen(s.stroke));
    p_.drawLine(Map(s.from), Map(s.to));
  }
  void operator()(const CircleShape& s) {
    p_.setPen(ToPen(s.stroke));
    switch (s.fill) {
      case FillStyle::None:
        p_.setBrush(Qt::NoBrush);
        break;
      case FillStyle::Solid:
        p_.setBrush(ToQColor(s.fillColour));
        break;
      case FillStyle::CrossHatch:
        p_.setBrush(QBrush(ToQColor(s.fillColour), Qt::DiagCrossPattern));
    }
    p_.drawEllipse(Box(s.centre, s.radius));
  }
  void operator()(const PieShape& s) {
    p_.setPen(ToPen(s.stroke));
    p_.setBrush(ToQColor(s.fillColour));
    // View angles run anticlockwise when y grows upward; on screen that is Qt's positive sense.
    const int start = static_cast<int>(std::lround(s.startDegrees * 16));
    const int span = static_cast<int>(std::lround((s.endDegrees - s.startDegrees) * 16));
    p_.drawPie(Box(s.centre, s.radius), start, span);
  }
  void operator()(const PolylineShape& s) {
    QPolygonF poly;
    for (const ViewPoint& v : s.points) poly << Map(v);
    p_.setPen(ToPen(s.stroke));
    p_.drawPolyline(poly);
  }
  void operator()(const PolygonShape& s) {
    QPolygonF poly;
    for (const ViewPoint& v : s.points) poly << Map(v);
    p_.setPen(ToPen(s.stroke));
    p_.setBrush(ToQColor(s.fillColour));
    p_.drawPolygon(poly);
  }
  void operator()(const TextShape& s) {
    const QString text = QString::fromStdString(s.text);
    const QFontMetricsF metrics(p_.font());
    const QPointF a = Map(s.anchor);
    const double x = s.alignRight ? a.x() - metrics.horizontalAdvance(text) : a.x();
    const double top = s.alignBottom ? a.y() - metrics.height() : a.y();
    p_.setPen(ToQColor(s.colour));
    p_.drawText(QPointF(x, top + metrics.ascent()), text);
  }

 private:
  QPainter& p_;
  const ViewMapping& map_;
};

}  // namespace

ViewMapping::ViewMapping(const ViewRect& view, double width, double height)
    : view_(view), sx_(width / (view.right - view.left)), sy_(height / (view.bottom - view.top)) {}

double ViewMapping::PixelLength(double length) const { return std::abs(length * sx_); }

double ViewMapping::ViewHeight(double pixels) const { return std::abs(pixels / sy_); }

void PaintScene(const Scene& scene, QImage& image) {
  const double ratio = image.devicePixelRatio();
  const double width = image.width() / ratio;
  const double height = image.height() / ratio;
  image.fill(ToQColor(scene.background));
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  QFont font = painter.font();
  font.setPixelSize(12);  // 9 points at 96 dpi
  painter.setFont(font);
  const ViewMapping map(scene.view, width, height);
  ScenePainter draw(painter, map);
  for (const Shape& shape : scene.shapes) std::visit(draw, shape);
}

}  // namespace quillon
