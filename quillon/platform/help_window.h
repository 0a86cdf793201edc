#pragma once

class QWidget;

namespace quillon {

/// The program's help, pages shipped with it: 0 the contents, 1 the main window, 2 the observer
/// dialog, 11–20 the simulation views in menu order. Opens the one help window (or brings it to
/// the front) at that topic; an unknown topic shows the contents.
void ShowHelp(int context);
/// Closes the help window if it is open (at exit).
void CloseHelpWindows();
/// The help window, or null while none is open.
QWidget* HelpWindow();

}  // namespace quillon
