#include "program_settings.h"

#include <cmath>

namespace quillon {

ProgramSettings::ProgramSettings() : store_("Ferrant Laboratory", "Quillon") {}

template <typename T>
T ProgramSettings::Read(const SettingKey<T>& key, std::optional<T> fallback) const {
  const T otherwise = fallback.value_or(key.fallback);
  const QVariant stored = store_.value(key.name);
  if (!stored.isValid()) return otherwise;
  if constexpr (std::is_same_v<T, bool>) {
    // Written as true/false; a number from another writer counts as its truth value.
    const QString text = stored.toString().trimmed().toLower();
    if (text == "true") return true;
    if (text == "false") return false;
    bool ok = false;
    const double number = text.toDouble(&ok);
    return ok ? number != 0 : otherwise;
  } else {
    bool ok = false;
    const double number = stored.toString().trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(number)) return otherwise;
    if (number < static_cast<double>(key.minimum) || number > static_cast<double>(key.maximum)) {
      return otherwise;
    }
    if constexpr (std::is_integral_v<T>) return static_cast<T>(std::lround(number));
    return static_cast<T>(number);
  }
}

template <typename T>
void ProgramSettings::Write(const SettingKey<T>& key, T value) {
  store_.setValue(key.name, QVariant::fromValue(value));
}

template int ProgramSettings::Read(const SettingKey<int>&, std::optional<int>) const;
template double ProgramSettings::Read(const SettingKey<double>&, std::optional<double>) const;
template float ProgramSettings::Read(const SettingKey<float>&, std::optional<float>) const;
template bool ProgramSettings::Read(const SettingKey<bool>&, std::optional<bool>) const;
template void ProgramSettings::Write(const SettingKey<int>&, int);
template void ProgramSettings::Write(const SettingKey<double>&, double);
template void ProgramSettings::Write(const SettingKey<float>&, float);
template void ProgramSettings::Write(const SettingKey<bool>&, bool);

}  // namespace quillon
