#pragma once

#include <QColor>
#include <QImage>

namespace quillon {

/// The side of the Moon picture's drawing frame in pixels; the disc is centred on (50, 50).
inline constexpr int kMoonFrame = 101;

/// The lit part of the disc as a grey mask (white lit, black dark) for the Moon–Sun elongation E
/// in degrees: the half towards the Sun (right while waxing, E <= 180), then an ellipse of
/// horizontal semi-axis 49 |cos E| that adds to it when gibbous (90 < E < 270) and takes from it
/// when crescent.
QImage MoonPhaseMask(double elongation);

/// The Moon picture: the texture where the mask is lit, the sky colour everywhere else (the unlit
/// part of the disc is not drawn). Soft mask edges blend the two.
QImage MoonPicture(const QImage& texture, double elongation, QColor sky);

/// The grey-scale Moon face shipped with the program (101 × 101).
const QImage& MoonTexture();

}  // namespace quillon
