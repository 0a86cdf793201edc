#pragma once

#include <QPoint>
#include <QRect>
#include <optional>
#include <vector>

class QWidget;

namespace quillon {

// Where windows open. Rectangles are frame rectangles (title bar and borders included) in the
// desktop's pixels; an area is the available geometry of one screen (without panels).

/// `frame` moved, and shrunk where it is larger, so that it lies wholly inside `area`.
QRect FitInside(QRect frame, const QRect& area);

/// A window of frame size `size` that has no place of its own: to the right of the main window's
/// frame `main`, else to its left, else below it, each aligned with the main window's top (left)
/// edge and moved inside `area` along that edge; else cascaded 32 pixels right and down from the
/// main window's corner. Always wholly inside `area`, the screen showing the main window.
QRect BesideMainWindow(const QSize& size, const QRect& main, const QRect& area);

/// A saved frame rectangle: kept where it lies wholly inside one of `areas`; else fitted into the
/// area it overlaps most, or into `fallback` (the main window's screen) when it overlaps none.
QRect BackOnScreen(const QRect& saved, const std::vector<QRect>& areas, const QRect& fallback);

/// Moves the top-level `window` (not shown yet) to its saved top-left corner `saved` (the
/// geometry's, without the frame), brought back on screen, or without one beside `main`. Without
/// `main` the window is fitted into the primary screen. The frame's size is estimated from the
/// main window's when the window has none yet.
void PlaceWindow(QWidget& window, const QWidget* main, std::optional<QPoint> saved = {});

}  // namespace quillon
