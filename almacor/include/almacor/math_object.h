#pragma once

namespace almacor {

class Calendar;

/// Angle arithmetic and angle texts. Reached only through Calendar::Math().
class MathObject {
 public:
  MathObject(const MathObject&) = delete;
  MathObject& operator=(const MathObject&) = delete;

 private:
  friend class Calendar;
  MathObject() = default;
};

}  // namespace almacor
