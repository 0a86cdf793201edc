#include "phenomena_list.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "almacor/error.h"
#include "program_strings.h"
#include "year_table.h"

namespace quillon {
namespace {

using almacor::SkyBody;
using Json = nlohmann::ordered_json;

constexpr std::array<std::string_view, kPhenomenonKindCount> kKindKeys = {
    "moon-phase",    "lunar-apsis",   "conjunction", "opposition", "greatest-elongation",
    "solar-eclipse", "lunar-eclipse", "altitude",    "azimuth"};

/// One second, in days: a search from `from` less this finds an event exactly at `from`.
constexpr double kSecond = 1.0 / 86400;

SkyBody BodyOf(almacor::PlanetNameConstant p) { return static_cast<SkyBody>(p + 1); }

// Runs next(t) from just before `from` and keeps each event up to `to`.
template <class Next, class Keep>
void Chain(double from, double to, Next next, Keep keep) {
  for (double t = from - kSecond;;) {
    const auto [time, event] = next(t);
    if (time > to) return;
    keep(time, event);
    t = time;
  }
}

Json TimeJson(const std::optional<double>& t) {
  return t ? Json(IsoDateTime(almacor::Date::FromDays(*t))) : Json(nullptr);
}

std::string_view SolarTypeKey(almacor::SolarEclipseType t) {
  switch (t) {
    case almacor::SolarEclipseType::Total:
      return "total";
    case almacor::SolarEclipseType::Annular:
      return "annular";
    case almacor::SolarEclipseType::Partial:
      break;
  }
  return "partial";
}
std::string_view LunarTypeKey(almacor::LunarEclipseType t) {
  switch (t) {
    case almacor::LunarEclipseType::Total:
      return "total";
    case almacor::LunarEclipseType::Partial:
      return "partial";
    case almacor::LunarEclipseType::Penumbral:
      break;
  }
  return "penumbral";
}
std::string_view SolarTypeName(almacor::SolarEclipseType t) {
  switch (t) {
    case almacor::SolarEclipseType::Total:
      return "皆既日食";
    case almacor::SolarEclipseType::Annular:
      return "金環日食";
    case almacor::SolarEclipseType::Partial:
      break;
  }
  return "部分日食";
}
std::string_view LunarTypeName(almacor::LunarEclipseType t) {
  switch (t) {
    case almacor::LunarEclipseType::Total:
      return "皆既月食";
    case almacor::LunarEclipseType::Partial:
      return "部分月食";
    case almacor::LunarEclipseType::Penumbral:
      break;
  }
  return "半影月食";
}

std::string Fixed(double value, int decimals) {
  char text[32];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

// "12,345" of a whole number.
std::string Grouped(long long n) {
  std::string digits = std::to_string(n);
  for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) {
    digits.insert(static_cast<std::size_t>(i), ",");
  }
  return digits;
}

std::string SpanText(double begin, double end) { return ClockText(begin) + "–" + ClockText(end); }

std::string SolarDetail(const almacor::SolarEclipse& e) {
  if (!e.local) return std::string(SolarTypeName(e.type)) + " (この地点では見えない)";
  const almacor::LocalSolarEclipse& l = *e.local;
  return std::string(SolarTypeName(l.type)) + " (この地点) 食分 " + Fixed(l.magnitude, 2) + " " +
         SpanText(l.begin, l.end);
}

std::string LunarDetail(const almacor::LunarEclipse& e) {
  std::string text(LunarTypeName(e.type));
  text += e.visible ? " (この地点)" : " (この地点では見えない)";
  if (e.type == almacor::LunarEclipseType::Penumbral) {
    return text + " 半影食分 " + Fixed(e.penumbralMagnitude, 2) + " " +
           SpanText(e.penumbralBegin, e.penumbralEnd);
  }
  return text + " 食分 " + Fixed(e.umbralMagnitude, 2) + " " +
         SpanText(*e.partialBegin, *e.partialEnd);
}

}  // namespace

std::string_view PhenomenonKindKey(PhenomenonKind kind) {
  return kKindKeys.at(static_cast<std::size_t>(kind));
}

std::optional<PhenomenonKind> PhenomenonKindFromKey(std::string_view key) {
  for (std::size_t i = 0; i < kKindKeys.size(); ++i) {
    if (kKindKeys[i] == key) return static_cast<PhenomenonKind>(i);
  }
  return std::nullopt;
}

PhenomenonKinds DefaultPhenomenonKinds() {
  PhenomenonKinds kinds;
  kinds.set();
  kinds.reset(static_cast<std::size_t>(PhenomenonKind::Altitude));
  kinds.reset(static_cast<std::size_t>(PhenomenonKind::Azimuth));
  return kinds;
}

std::string_view BodyName(SkyBody body) {
  return ProgramString(ids::kFirstBody + static_cast<int>(body));
}

std::vector<Phenomenon> CollectPhenomena(const PhenomenaRequest& r,
                                         const almacor::Settings& settings) {
  if (!(r.from <= r.to)) throw almacor::Error(almacor::kInvalidArgument, "span out of range");
  const almacor::TimeScale& ts = settings.time;
  std::vector<Phenomenon> events;
  const auto add = [&](PhenomenonKind kind, double time, SkyBody body, auto detail,
                       double requested = 0) {
    events.push_back({kind, time, body, detail, requested});
  };
  using K = PhenomenonKind;
  if (Has(r.kinds, K::MoonPhase)) {
    for (const almacor::MoonPhase& p : almacor::MoonPhasesBetween(r.from, r.to + kSecond, ts)) {
      if (p.time <= r.to) add(K::MoonPhase, p.time, SkyBody::Moon, p.kind);
    }
  }
  if (Has(r.kinds, K::LunarApsis)) {
    Chain(
        r.from, r.to,
        [&](double t) {
          const auto a = almacor::NextLunarApsis(t, ts);
          return std::pair{a.time, a};
        },
        [&](double t, const almacor::LunarApsis& a) { add(K::LunarApsis, t, SkyBody::Moon, a); });
  }
  for (int n = almacor::plMercury; n <= almacor::plPluto; ++n) {
    const auto p = static_cast<almacor::PlanetNameConstant>(n);
    const bool inner = p <= almacor::plVenus;
    if (Has(r.kinds, K::Conjunction)) {
      Chain(
          r.from, r.to,
          [&](double t) {
            const auto c = almacor::NextConjunction(p, t, ts);
            return std::pair{c.time, c.type};
          },
          [&](double t, almacor::ConjunctionType c) { add(K::Conjunction, t, BodyOf(p), c); });
    }
    if (!inner && Has(r.kinds, K::Opposition)) {
      Chain(
          r.from, r.to,
          [&](double t) {
            return std::pair{almacor::NextOpposition(p, t, ts), std::monostate{}};
          },
          [&](double t, std::monostate m) { add(K::Opposition, t, BodyOf(p), m); });
    }
    if (inner && Has(r.kinds, K::GreatestElongation)) {
      Chain(
          r.from, r.to,
          [&](double t) {
            const auto e = almacor::NextGreatestElongation(p, t, ts);
            return std::pair{e.time, e};
          },
          [&](double t, const almacor::GreatestElongation& e) {
            add(K::GreatestElongation, t, BodyOf(p), e);
          });
    }
  }
  if (Has(r.kinds, K::SolarEclipse)) {
    Chain(
        r.from, r.to,
        [&](double t) {
          const auto e = almacor::SearchSolarEclipse(t, almacor::SearchDirection::Next, settings);
          return std::pair{e.time(), e};
        },
        [&](double t, const almacor::SolarEclipse& e) {
          add(K::SolarEclipse, t, SkyBody::Sun, e);
        });
  }
  if (Has(r.kinds, K::LunarEclipse)) {
    Chain(
        r.from, r.to,
        [&](double t) {
          const auto e = almacor::SearchLunarEclipse(t, almacor::SearchDirection::Next, settings);
          return std::pair{e.maximum, e};
        },
        [&](double t, const almacor::LunarEclipse& e) {
          add(K::LunarEclipse, t, SkyBody::Moon, e);
        });
  }
  if (Has(r.kinds, K::Altitude)) {
    for (const auto& c :
         almacor::AltitudeCrossings(r.body, r.altitude, r.from, r.to + kSecond, settings)) {
      if (c.time <= r.to) add(K::Altitude, c.time, r.body, c, r.altitude);
    }
  }
  if (Has(r.kinds, K::Azimuth)) {
    for (const auto& c :
         almacor::AzimuthCrossings(r.body, r.azimuth, r.from, r.to + kSecond, settings)) {
      if (c.time <= r.to) add(K::Azimuth, c.time, r.body, c, r.azimuth);
    }
  }
  std::stable_sort(events.begin(), events.end(),
                   [](const Phenomenon& a, const Phenomenon& b) { return a.time < b.time; });
  return events;
}

std::string IsoDateTime(almacor::Date date) {
  const almacor::CivilDateTime c = date.ToCivil();
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", c.year, c.month, c.day, c.hour,
                c.minute, c.second);
  return text;
}

Json PhenomenonJson(const Phenomenon& p) {
  Json j;
  j["kind"] = PhenomenonKindKey(p.kind);
  j["time"] = TimeJson(p.time);
  const auto bodyKey = almacor::SkyBodyName(p.body);
  switch (p.kind) {
    case PhenomenonKind::MoonPhase: {
      static constexpr std::array<std::string_view, 4> kPhases = {"new", "first-quarter", "full",
                                                                  "last-quarter"};
      j["phase"] = kPhases.at(static_cast<std::size_t>(std::get<almacor::MoonPhaseKind>(p.detail)));
      break;
    }
    case PhenomenonKind::LunarApsis: {
      const auto& a = std::get<almacor::LunarApsis>(p.detail);
      j["apsis"] = a.perigee ? "perigee" : "apogee";
      j["distanceKm"] = std::round(a.distanceKm * 10) / 10;
      break;
    }
    case PhenomenonKind::Conjunction: {
      j["body"] = bodyKey;
      const auto type = std::get<almacor::ConjunctionType>(p.detail);
      if (type != almacor::ConjunctionType::Conjunction) {
        j["type"] = type == almacor::ConjunctionType::Inferior ? "inferior" : "superior";
      }
      break;
    }
    case PhenomenonKind::Opposition:
      j["body"] = bodyKey;
      break;
    case PhenomenonKind::GreatestElongation: {
      const auto& e = std::get<almacor::GreatestElongation>(p.detail);
      j["body"] = bodyKey;
      j["side"] = e.east ? "east" : "west";
      j["elongation"] = e.elongation;
      break;
    }
    case PhenomenonKind::SolarEclipse: {
      const auto& e = std::get<almacor::SolarEclipse>(p.detail);
      j["global"] = {{"type", SolarTypeKey(e.type)}};
      if (!e.local) {
        j["local"] = nullptr;
        break;
      }
      const almacor::LocalSolarEclipse& l = *e.local;
      Json local;
      local["type"] = SolarTypeKey(l.type);
      local["begin"] = TimeJson(l.begin);
      local["maximum"] = TimeJson(l.maximum);
      local["end"] = TimeJson(l.end);
      local["totalBegin"] = TimeJson(l.totalBegin);
      local["totalEnd"] = TimeJson(l.totalEnd);
      local["magnitude"] = l.magnitude;
      local["obscuration"] = l.obscuration;
      local["sunAltitude"] = {{"begin", l.sunAltitude.begin},
                              {"maximum", l.sunAltitude.maximum},
                              {"end", l.sunAltitude.end}};
      j["local"] = local;
      break;
    }
    case PhenomenonKind::LunarEclipse: {
      const auto& e = std::get<almacor::LunarEclipse>(p.detail);
      j["type"] = LunarTypeKey(e.type);
      j["penumbralBegin"] = TimeJson(e.penumbralBegin);
      j["partialBegin"] = TimeJson(e.partialBegin);
      j["totalBegin"] = TimeJson(e.totalBegin);
      j["maximum"] = TimeJson(e.maximum);
      j["totalEnd"] = TimeJson(e.totalEnd);
      j["partialEnd"] = TimeJson(e.partialEnd);
      j["penumbralEnd"] = TimeJson(e.penumbralEnd);
      j["umbralMagnitude"] = e.umbralMagnitude;
      j["penumbralMagnitude"] = e.penumbralMagnitude;
      j["moonAltitude"] = {{"maximum", e.moonAltitude}};
      j["visible"] = e.visible;
      break;
    }
    case PhenomenonKind::Altitude: {
      const auto& c = std::get<almacor::AltitudeCrossing>(p.detail);
      j["body"] = bodyKey;
      j["altitude"] = p.requested;
      j["direction"] = c.rising ? "rising" : "setting";
      j["azimuth"] = c.azimuth;
      break;
    }
    case PhenomenonKind::Azimuth: {
      const auto& c = std::get<almacor::AzimuthCrossing>(p.detail);
      j["body"] = bodyKey;
      j["azimuth"] = p.requested;
      j["altitude"] = c.altitude;
      break;
    }
  }
  return j;
}

PhenomenonTexts PhenomenonText(const Phenomenon& p) {
  PhenomenonTexts t;
  const almacor::CivilDateTime c = almacor::Date::FromDays(p.time).ToCivil();
  char when[32];
  std::snprintf(when, sizeof when, "%04d-%02d-%02d %02d:%02d", c.year, c.month, c.day, c.hour,
                c.minute);
  t.time = when;
  t.body = BodyName(p.body);
  switch (p.kind) {
    case PhenomenonKind::MoonPhase:
      t.name = almacor::MoonPhaseName(std::get<almacor::MoonPhaseKind>(p.detail));
      break;
    case PhenomenonKind::LunarApsis: {
      const auto& a = std::get<almacor::LunarApsis>(p.detail);
      t.name = a.perigee ? "近地点" : "遠地点";
      t.detail = "距離 " + Grouped(std::llround(a.distanceKm)) + " km";
      break;
    }
    case PhenomenonKind::Conjunction: {
      const auto type = std::get<almacor::ConjunctionType>(p.detail);
      t.name = type == almacor::ConjunctionType::Inferior   ? "内合"
               : type == almacor::ConjunctionType::Superior ? "外合"
                                                            : "合";
      break;
    }
    case PhenomenonKind::Opposition:
      t.name = "衝";
      break;
    case PhenomenonKind::GreatestElongation: {
      const auto& e = std::get<almacor::GreatestElongation>(p.detail);
      t.name = e.east ? "東方最大離角" : "西方最大離角";
      t.detail = "離角 " + Fixed(e.elongation, 1) + "ﾟ";
      break;
    }
    case PhenomenonKind::SolarEclipse:
      t.name = "日食";
      t.detail = SolarDetail(std::get<almacor::SolarEclipse>(p.detail));
      break;
    case PhenomenonKind::LunarEclipse:
      t.name = "月食";
      t.detail = LunarDetail(std::get<almacor::LunarEclipse>(p.detail));
      break;
    case PhenomenonKind::Altitude: {
      const auto& a = std::get<almacor::AltitudeCrossing>(p.detail);
      t.name = a.rising ? "高度 (上昇)" : "高度 (下降)";
      t.detail = "高度 " + Fixed(p.requested, 1) + "ﾟ 方位 " + Fixed(a.azimuth, 1) + "ﾟ";
      break;
    }
    case PhenomenonKind::Azimuth: {
      const auto& a = std::get<almacor::AzimuthCrossing>(p.detail);
      t.name = "方位";
      t.detail = "方位 " + Fixed(p.requested, 1) + "ﾟ 高度 " + Fixed(a.altitude, 1) + "ﾟ";
      break;
    }
  }
  return t;
}

bool YearPhenomena::Load(int year, const almacor::Settings& settings) {
  const auto same = [](const almacor::Settings& a, const almacor::Settings& b) {
    return a.observer.longitude == b.observer.longitude &&
           a.observer.latitude == b.observer.latitude && a.observer.height == b.observer.height &&
           a.time.timeZone == b.time.timeZone && a.time.deltaTEstimated == b.time.deltaTEstimated &&
           a.time.deltaT == b.time.deltaT;
  };
  if (settings_ && year == year_ && same(*settings_, settings)) return false;
  if (year < 100 || year > 9999) {
    throw almacor::Error(almacor::kInvalidArgument, "year outside 100 … 9999");
  }
  PhenomenaRequest request;
  request.from = almacor::CivilToDays(year, 1, 1);
  request.to = year < 9999 ? almacor::CivilToDays(year + 1, 1, 1) - kSecond
                           : almacor::CivilToDays(9999, 12, 30);
  events_ = CollectPhenomena(request, settings);
  year_ = year;
  settings_ = settings;
  return true;
}

std::vector<const Phenomenon*> YearPhenomena::Shown(const PhenomenonKinds& shown) const {
  std::vector<const Phenomenon*> rows;
  for (const Phenomenon& p : events_) {
    if (Has(shown, p.kind)) rows.push_back(&p);
  }
  return rows;
}

std::string YearPhenomena::CopyText(const PhenomenonKinds& shown) const {
  std::string text = "日時\t現象\t天体\t詳細\r\n";
  for (const Phenomenon* p : Shown(shown)) {
    const PhenomenonTexts t = PhenomenonText(*p);
    text += t.time + "\t" + t.name + "\t" + t.body + "\t" + t.detail + "\r\n";
  }
  return text;
}

}  // namespace quillon
