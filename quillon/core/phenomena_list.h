#pragma once

#include <bitset>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "almacor/date.h"
#include "almacor/moon.h"
#include "almacor/phenomena.h"
#include "almacor/settings.h"

namespace quillon {

/// The kinds of phenomena, in the order of their keys on the command line.
enum class PhenomenonKind {
  MoonPhase,
  LunarApsis,
  Conjunction,
  Opposition,
  GreatestElongation,
  SolarEclipse,
  LunarEclipse,
  Altitude,
  Azimuth,
};
inline constexpr std::size_t kPhenomenonKindCount = 9;
using PhenomenonKinds = std::bitset<kPhenomenonKindCount>;

/// "moon-phase", "lunar-apsis", "conjunction", "opposition", "greatest-elongation",
/// "solar-eclipse", "lunar-eclipse", "altitude", "azimuth".
std::string_view PhenomenonKindKey(PhenomenonKind kind);
std::optional<PhenomenonKind> PhenomenonKindFromKey(std::string_view key);
/// Every kind but the altitude and azimuth crossings, which need a body and a value.
PhenomenonKinds DefaultPhenomenonKinds();
inline bool Has(const PhenomenonKinds& kinds, PhenomenonKind kind) {
  return kinds.test(static_cast<std::size_t>(kind));
}

/// One event. `body` is the body it concerns (the Moon for phases, apsides and lunar eclipses,
/// the Sun for solar eclipses, the planet for the planetary phenomena); `detail` holds what the
/// library's search returned for it.
struct Phenomenon {
  PhenomenonKind kind;
  double time;  ///< local day count: the local maximum of an eclipse seen here, else its greatest
  almacor::SkyBody body;
  std::variant<almacor::MoonPhaseKind, almacor::LunarApsis, almacor::ConjunctionType,
               almacor::GreatestElongation, almacor::SolarEclipse, almacor::LunarEclipse,
               almacor::AltitudeCrossing, almacor::AzimuthCrossing, std::monostate>
      detail;
  double requested = 0;  ///< the altitude or azimuth asked for, degrees
};

/// What to collect: the kinds, and for the crossings the body and its altitude or azimuth.
struct PhenomenaRequest {
  double from = 0;  ///< local day count, inclusive
  double to = 0;    ///< local day count, inclusive
  PhenomenonKinds kinds = DefaultPhenomenonKinds();
  almacor::SkyBody body = almacor::SkyBody::Sun;  ///< of the crossings
  double altitude = 0;                            ///< of the altitude crossings, degrees
  double azimuth = 0;                             ///< of the azimuth crossings, degrees
};

/// Every phenomenon of the requested kinds with from <= time <= to for the observer and time
/// scale of `settings`, sorted by time. Raises almacor::Error for arguments the library refuses.
std::vector<Phenomenon> CollectPhenomena(const PhenomenaRequest& request,
                                         const almacor::Settings& settings);

/// "YYYY-MM-DDThh:mm:ss" of a Date, local civil time to the second.
std::string IsoDateTime(almacor::Date date);

/// One event as the command line writes it: "kind", "time" and the fields of its kind, with the
/// instants as local civil "YYYY-MM-DDThh:mm:ss" and null for phases an eclipse does not reach.
nlohmann::ordered_json PhenomenonJson(const Phenomenon& p);

/// The Japanese texts of an event, as the phenomena list shows them.
struct PhenomenonTexts {
  std::string time;  ///< 日時: "2024-04-09 03:21"
  std::string name;  ///< 現象: "新月", "内合", "東方最大離角", "日食" …
  std::string body;  ///< 天体: "月", "水星" …
  std::string detail;  ///< 詳細: "部分日食 (この地点) 食分 0.80 10:21–12:45", "離角 18.2ﾟ" …
};
PhenomenonTexts PhenomenonText(const Phenomenon& p);

/// The Japanese name of a body: "太陽", "月", "水星" … "冥王星".
std::string_view BodyName(almacor::SkyBody body);

/// The kinds a phenomena list shows or hides one by one, with the caption of each check box.
struct PhenomenonKindChoice {
  PhenomenonKind kind;
  std::string_view caption;
};
inline constexpr PhenomenonKindChoice kPhenomenonKindChoices[] = {
    {PhenomenonKind::MoonPhase, "月相"},
    {PhenomenonKind::LunarApsis, "近地点・遠地点"},
    {PhenomenonKind::Conjunction, "合"},
    {PhenomenonKind::Opposition, "衝"},
    {PhenomenonKind::GreatestElongation, "最大離角"},
    {PhenomenonKind::SolarEclipse, "日食"},
    {PhenomenonKind::LunarEclipse, "月食"},
};

/// The phenomena of one year for one observer, as the 天象 list shows them: every default kind,
/// kept until the year or the settings change.
class YearPhenomena {
 public:
  /// Collects the phenomena of local civil year `year` (100 … 9999) for `settings`, unless they
  /// are those already held; returns whether the list changed.
  bool Load(int year, const almacor::Settings& settings);
  int Year() const { return year_; }
  /// The events of the kinds in `shown`, in time order.
  std::vector<const Phenomenon*> Shown(const PhenomenonKinds& shown) const;
  /// The copy text of those: a title row 日時, 現象, 天体, 詳細 and one row per event, fields
  /// separated by tabs, lines by CRLF.
  std::string CopyText(const PhenomenonKinds& shown) const;

 private:
  int year_ = 0;
  std::optional<almacor::Settings> settings_;
  std::vector<Phenomenon> events_;
};

}  // namespace quillon
