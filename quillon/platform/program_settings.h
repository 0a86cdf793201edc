#pragma once

#include <QSettings>
#include <optional>

#include "default_observer.h"
#include "main_table.h"

namespace quillon {

/// One key of the settings store with its type, default and valid range. A stored value that is
/// missing, cannot be converted to the type or lies outside the range reads as the default.
template <typename T>
struct SettingKey {
  const char* name;
  T fallback;
  T minimum;
  T maximum;
};

/// Every key the program keeps, in the root section of the store. Positions and sizes are twips
/// (15 to a pixel at 96 dpi); a position key without a stored value falls back to where the
/// window already is, which the caller passes to Read.
namespace keys {
inline constexpr int kIntMin = -2147483647 - 1;
inline constexpr int kIntMax = 2147483647;
// The main window.
inline constexpr SettingKey<int> kViewColumn{"ViewColumn", kDefaultColumnMask, kIntMin,
                                             kIntMax};  // read & kAllColumnsMask
inline constexpr SettingKey<int> kLeft{"Left", 0, kIntMin, kIntMax};
inline constexpr SettingKey<int> kTop{"Top", 0, kIntMin, kIntMax};
inline constexpr SettingKey<double> kObsLongitude{"ObsLongitude", kDefaultLongitude, -180, 180};
inline constexpr SettingKey<double> kObsLatitude{"ObsLatitude", kDefaultLatitude, -89.9999,
                                                 89.99999};
inline constexpr SettingKey<double> kObsHeight{"ObsHeight", 0, 0, 1e7};
inline constexpr SettingKey<float> kTimeZone{"TimeZone", kDefaultTimeZone, -12, 12};
inline constexpr SettingKey<bool> kRealTime{"RealTime", true, false, true};
inline constexpr SettingKey<int> kSiderealTime{"SiderealTime", 3, 0, 3};
// The simulation window.
inline constexpr SettingKey<int> kSimulationLeft{"SimulationLeft", 0, kIntMin, kIntMax};
inline constexpr SettingKey<int> kSimulationTop{"SimulationTop", 0, kIntMin, kIntMax};
inline constexpr SettingKey<int> kSimulationWidth{"SimulationWidth", 0, 0, kIntMax};
inline constexpr SettingKey<int> kSimulationHeight{"SimulationHeight", 0, 0, kIntMax};
inline constexpr SettingKey<int> kSimulationWindowState{"SimulationWindowState", 0, 0, 2};
inline constexpr SettingKey<int> kSkyViewAzimuth{"SkyViewAzimuth", 2, 0, 3};
// The apparent-distance window.
inline constexpr SettingKey<int> kApparentDMS{"ApparentDMS", 1, 0, 1};
}  // namespace keys

/// The program's settings store: per user, organization "Ferrant Laboratory", application
/// "Quillon", every key in the root section. Nothing else in the program touches QSettings.
class ProgramSettings {
 public:
  ProgramSettings();

  /// The stored value, or `fallback` (the key's default when not given) when it is missing,
  /// unreadable or out of range.
  template <typename T>
  T Read(const SettingKey<T>& key, std::optional<T> fallback = {}) const;
  template <typename T>
  void Write(const SettingKey<T>& key, T value);

  /// Writes everything to the store now.
  void Sync() { store_.sync(); }

 private:
  QSettings store_;
};

extern template int ProgramSettings::Read(const SettingKey<int>&, std::optional<int>) const;
extern template double ProgramSettings::Read(const SettingKey<double>&,
                                             std::optional<double>) const;
extern template float ProgramSettings::Read(const SettingKey<float>&, std::optional<float>) const;
extern template bool ProgramSettings::Read(const SettingKey<bool>&, std::optional<bool>) const;
extern template void ProgramSettings::Write(const SettingKey<int>&, int);
extern template void ProgramSettings::Write(const SettingKey<double>&, double);
extern template void ProgramSettings::Write(const SettingKey<float>&, float);
extern template void ProgramSettings::Write(const SettingKey<bool>&, bool);

}  // namespace quillon
