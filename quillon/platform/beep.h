#pragma once

#include <functional>

namespace quillon {

/// The program's one beep: every refused input and every stopped command beeps through here.
/// Without an installed handler it rings the desktop's beep (QApplication::beep).
void Beep();

/// Replaces the beep, for example by a counter in a test; an empty function restores the default.
void SetBeepHandler(std::function<void()> handler);

}  // namespace quillon
