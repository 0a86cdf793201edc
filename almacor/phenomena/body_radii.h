#pragma once

// The radii and the shadow enlargement the eclipse computations share with the eclipse views.

namespace almacor::detail {

/// The Moon's radius, km.
inline constexpr double kMoonRadiusKm = 1738.092;
/// The Sun's radius, km.
inline constexpr double kSunRadiusKm = 695989.24;
/// The Earth's shadow is enlarged by its atmosphere: its radii are multiplied by this factor.
inline constexpr double kShadowEnlargement = 1.02;

}  // namespace almacor::detail
