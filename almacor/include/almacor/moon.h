#pragma once

namespace almacor {

class Calendar;

/// The Moon for the instant of its Calendar. Reached only through Calendar::Moon().
class MoonObject {
 public:
  MoonObject(const MoonObject&) = delete;
  MoonObject& operator=(const MoonObject&) = delete;

 private:
  friend class Calendar;
  MoonObject() = default;
  void UpdateMoon(double d);

  double instant_ = 0;
};

}  // namespace almacor
