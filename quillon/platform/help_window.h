#pragma once

class QWidget;

namespace quillon {

/// Help topics of the windows beyond the main window, the observer dialog and the simulation views.
namespace help {
inline constexpr int kApparentDistance = 21;
inline constexpr int kAngleConversion = 22;
inline constexpr int kVersion = 23;
inline constexpr int kPhenomena = 24;
inline constexpr int kMonthCalendar = 25;
}  // namespace help

/// The program's help, pages shipped with it: 0 the contents, 1 the main window, 2 the observer
/// dialog, 11–20 the simulation views in menu order, then the windows of `help`. Opens the one
/// help window (or brings it to the front) at that topic; an unknown topic shows the contents.
void ShowHelp(int context);
/// Makes F1 in `window` open the help at `context`.
void InstallHelpKey(QWidget& window, int context);
/// Closes the help window if it is open (at exit).
void CloseHelpWindows();
/// The help window, or null while none is open.
QWidget* HelpWindow();

}  // namespace quillon
