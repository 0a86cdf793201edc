#include "moon_picture.h"

#include <QPainter>
#include <cmath>

// The Moon texture lives in a static library's resources, which are registered explicitly.
static void InitMoonResources() { Q_INIT_RESOURCE(moon); }

namespace quillon {
namespace {

constexpr double kCentre = 50.5;  // the centre of pixel (50, 50)
constexpr double kDiscRadius = 49;

}  // namespace

QImage MoonPhaseMask(double elongation) {
  QImage mask(kMoonFrame, kMoonFrame, QImage::Format_RGB32);
  mask.fill(Qt::black);
  QPainter painter(&mask);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::white);
  const QRectF disc(kCentre - kDiscRadius, kCentre - kDiscRadius, 2 * kDiscRadius, 2 * kDiscRadius);
  // Qt's angles are sixteenths of a degree counter-clockwise from three o'clock.
  painter.drawPie(disc, elongation <= 180 ? -90 * 16 : 90 * 16, 180 * 16);
  const double c = std::cos(elongation * 0.017453292519943278);
  if (c != 0) {
    const bool gibbous = elongation > 90 && elongation < 270;
    painter.setBrush(gibbous ? Qt::white : Qt::black);
    painter.setPen(QPen(gibbous ? Qt::white : Qt::black, 1));
    const double rx = kDiscRadius * std::fabs(c);
    painter.drawEllipse(QRectF(kCentre - rx, kCentre - kDiscRadius, 2 * rx, 2 * kDiscRadius));
  }
  return mask;
}

QImage MoonPicture(const QImage& texture, double elongation, QColor sky) {
  QImage face = texture.convertToFormat(QImage::Format_RGB32);
  {
    QPainter rim(&face);
    rim.setRenderHint(QPainter::Antialiasing);
    rim.setPen(QPen(sky, 1.5));
    rim.setBrush(Qt::NoBrush);
    rim.drawEllipse(QPointF(kCentre, kCentre), 50, 50);
  }
  const QImage mask = MoonPhaseMask(elongation);
  QImage picture(kMoonFrame, kMoonFrame, QImage::Format_RGB32);
  const int sr = sky.red(), sg = sky.green(), sb = sky.blue();
  for (int y = 0; y < kMoonFrame; ++y) {
    const auto* m = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
    const auto* t = reinterpret_cast<const QRgb*>(face.constScanLine(y));
    auto* out = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = 0; x < kMoonFrame; ++x) {
      const int lit = qRed(m[x]);
      const auto blend = [lit](int a, int b) { return (a * lit + b * (255 - lit) + 127) / 255; };
      out[x] = qRgb(blend(qRed(t[x]), sr), blend(qGreen(t[x]), sg), blend(qBlue(t[x]), sb));
    }
  }
  return picture;
}

const QImage& MoonTexture() {
  static const QImage texture = [] {
    InitMoonResources();
    return QImage(QStringLiteral(":/moon/moon_texture.png"));
  }();
  return texture;
}

}  // namespace quillon
