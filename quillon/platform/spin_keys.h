#pragma once

class QAbstractButton;
class QWidget;

namespace quillon {

/// The arrows a key or the wheel presses over a date or time field: the field's own and those of
/// the next larger unit (none for the year).
struct SpinArrows {
  QAbstractButton* up = nullptr;
  QAbstractButton* down = nullptr;
  QAbstractButton* largerUp = nullptr;
  QAbstractButton* largerDown = nullptr;
};

/// Makes Up and Down and the mouse wheel over `field` (its arrows included) click the field's own
/// spin arrows, and PageUp and PageDown the next larger unit's, one click per key press or wheel
/// notch. A disabled arrow does nothing, exactly as when it is clicked.
void AttachSpinKeys(QWidget& field, const SpinArrows& arrows);

}  // namespace quillon
