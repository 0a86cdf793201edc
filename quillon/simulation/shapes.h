#pragma once

#include <string>
#include <variant>
#include <vector>

#include "main_table.h"

class QImage;

namespace quillon {

/// A point in view coordinates (the units of the view's coordinate system).
struct ViewPoint {
  double x = 0;
  double y = 0;
};

/// The user coordinate system of a drawing: the view coordinates of the drawing area's left, top,
/// right and bottom edges. y grows upward when top > bottom.
struct ViewRect {
  double left = 0;
  double top = 0;
  double right = 1;
  double bottom = 1;
  double Width() const { return right - left; }
  double Height() const { return top - bottom; }  ///< positive when y grows upward
};

enum class LineStyle { Solid, Dotted };
enum class FillStyle { None, Solid, CrossHatch };

/// Outline of a shape: colour, style and width in pixels.
struct Stroke {
  Rgb colour{128, 128, 128};
  LineStyle style = LineStyle::Solid;
  double widthPixels = 1;
};

struct LineShape {
  ViewPoint from;
  ViewPoint to;
  Stroke stroke;
};

/// A circle; its radius is measured in units of the x axis. `fill` draws the inside in
/// `fillColour` (solid or diagonally cross-hatched).
struct CircleShape {
  ViewPoint centre;
  double radius = 0;
  Stroke stroke;
  FillStyle fill = FillStyle::None;
  Rgb fillColour{0, 0, 0};
};

/// A filled pie sector from `startDegrees` to `endDegrees`, anticlockwise from the +x axis.
struct PieShape {
  ViewPoint centre;
  double radius = 0;
  double startDegrees = 0;
  double endDegrees = 360;
  Stroke stroke;
  Rgb fillColour{0, 0, 0};
};

struct PolylineShape {
  std::vector<ViewPoint> points;
  Stroke stroke;
};

struct PolygonShape {
  std::vector<ViewPoint> points;
  Stroke stroke;
  Rgb fillColour{0, 0, 0};
};

/// A text placed by one corner: its left or right edge at `anchor.x` and its top or bottom edge at
/// `anchor.y`. The painter measures the text in the drawing font.
struct TextShape {
  std::string text;
  ViewPoint anchor;
  Rgb colour{128, 128, 128};
  bool alignRight = false;
  bool alignBottom = false;
};

using Shape =
    std::variant<LineShape, CircleShape, PieShape, PolylineShape, PolygonShape, TextShape>;

/// Everything one view draws: the coordinate system, the colour the area is cleared to and the
/// shapes in drawing order.
struct Scene {
  ViewRect view;
  Rgb background{0, 0, 0};
  std::vector<Shape> shapes;
};

/// Maps view coordinates to pixel offsets from the top-left corner of a width × height area.
class ViewMapping {
 public:
  ViewMapping(const ViewRect& view, double width, double height);
  double PixelX(double x) const { return (x - view_.left) * sx_; }
  double PixelY(double y) const { return (y - view_.top) * sy_; }
  /// A length along the x axis in pixels.
  double PixelLength(double length) const;
  /// A pixel distance along the y axis in view units (positive).
  double ViewHeight(double pixels) const;

 private:
  ViewRect view_;
  double sx_;
  double sy_;
};

/// Draws the scene into `image` (cleared to the background first) with antialiasing. The image's
/// device pixel ratio is honoured: the scene covers its logical size and lines stay one logical
/// pixel wide.
void PaintScene(const Scene& scene, QImage& image);

}  // namespace quillon
