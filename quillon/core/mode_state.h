#pragma once

namespace quillon {

/// Manual entry, real time or sweep, and what each mode enables. `ActiveModeLabel` is −1 in manual
/// mode, the sweep unit 0–5 (year … second) while sweeping and 6 in real time; the unit label with
/// that index stays sunk.
class ModeState {
 public:
  static constexpr int kManual = -1;
  static constexpr int kRealTime = 6;
  static constexpr int kStopItem = 7;  ///< "停止(&Q)" in the sweep menu

  int ActiveModeLabel() const { return active_; }
  bool RealTime() const { return active_ == kRealTime; }
  bool Sweeping() const { return active_ >= 0 && active_ < 6; }
  bool Manual() const { return active_ == kManual; }

  /// "リアルタイム(&R)" or the "RT" label: on from manual, off from real time.
  void ToggleRealTime() { active_ = RealTime() ? kManual : kRealTime; }
  /// A sweep unit (0–5) or "停止(&Q)": the active unit again stops, another unit switches.
  void Sweep(int index) {
    if (index >= 0 && index < 6) lastSweepUnit_ = index;
    active_ = index == kStopItem || index == active_ ? kManual : index;
  }
  /// The sweep unit chosen last (0 year … 5 second), a minute before any: the unit the simulation
  /// window's keys and wheel step by.
  int LastSweepUnit() const { return lastSweepUnit_; }

  /// The spin controls, the fields, the search menus, the presets and "正時" / "0秒".
  bool EntryEnabled() const { return Manual(); }
  bool SweepMenuEnabled() const { return !RealTime(); }
  bool RealTimeMenuEnabled() const { return !Sweeping(); }
  /// Timer period in milliseconds; 0 = the timer stands.
  int TimerPeriod() const { return RealTime() ? 100 : Sweeping() ? 500 : 0; }

 private:
  int active_ = kManual;
  int lastSweepUnit_ = 4;
};

}  // namespace quillon
