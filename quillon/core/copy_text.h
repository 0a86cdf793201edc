#pragma once

#include <string>

#include "almacor/date.h"
#include "almacor/timescales.h"
#include "main_table.h"

namespace quillon {

/// The main window's copy text (コピー(&C)): the displayed date and time, the boxes and ΔT, then
/// the table row by row with the shown columns only. Fields are separated by TAB and every line
/// ends with CR LF.
/// - `displayed`: the six date and time fields as the window shows them;
/// - `columnMask`: bit k − 1 set when column k (1–9) is shown; columns 0 and 10–12 always are;
/// - `siderealKind`: the sidereal time of box 2, whose name labels that line.
std::string BuildCopyText(const almacor::CivilDateTime& displayed, const MainTableTexts& texts,
                          int columnMask, almacor::SiderealTimeConstant siderealKind);

}  // namespace quillon
