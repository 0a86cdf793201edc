#pragma once

class QIcon;
class QPainter;
class QWidget;

namespace quillon {

/// Gives a window the program's Japanese user-interface font at 9 points.
void ApplyWindowFont(QWidget& window);

/// An etched separator across `window` at pixel row y: a line in the button-shadow colour with a
/// line in the highlight colour one pixel below it.
void DrawEtchedLine(QPainter& painter, const QWidget& window, int y);

/// The program's icon (the Sun and a crescent) in every size it is drawn in.
QIcon ProgramIcon();

/// The icon an auxiliary window takes: the main window's when it has one, else the program's.
QIcon HostIcon(const QWidget* host);

}  // namespace quillon
