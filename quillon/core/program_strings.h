#pragma once

#include <array>
#include <string_view>

namespace quillon {

/// The program's string table (UTF-8), looked up by resource id: 1000 the maker's web page,
/// 1050 the empty event cell, 1051–1062 column titles, 1070–1074 compass letters and γ, 1086–1089
/// number patterns, 1090–1092 the ΔT texts, 1100 the Earth and 1101–1110 the Sun, the Moon and
/// Mercury … Pluto. Raises almacor::Error 5 for any other id.
std::string_view ProgramString(int id);

namespace ids {
inline constexpr int kWebPage = 1000;
inline constexpr int kNoEvent = 1050;
inline constexpr int kFirstColumnTitle = 1051;  ///< + column − 1, columns 1–12
inline constexpr int kElongationPattern = 1086;
inline constexpr int kAltAzPattern = 1087;
inline constexpr int kDecimalAnglePattern =
    1088;                                     ///< an angle in decimal degrees, minutes or seconds
inline constexpr int kSecondsPattern = 1089;  ///< the seconds of degrees-minutes-seconds
inline constexpr int kDeltaTLabel = 1090;
inline constexpr int kDeltaTEstimated = 1091;
inline constexpr int kDeltaTEntered = 1092;
inline constexpr int kEarth = 1100;
inline constexpr int kFirstBody =
    1101;  ///< + row − 1: 1101 Sun, 1102 Moon, 1103 Mercury … 1110 Pluto
}  // namespace ids

/// Captions of the information boxes 0–6 of the main window and the tooltips of the captions
/// (empty where a caption has none).
inline constexpr std::array<std::string_view, 7> kBoxCaptions = {
    "地方平時", "真太陽時", "恒星時", "ユリウス日", "月齢", "月輝面比", "旧暦"};
inline constexpr std::array<std::string_view, 7> kBoxCaptionTips = {
    "Local Mean Time", "True Solar Time", "Sidereal Time", "Julian Day", "Moon's Age", "", ""};

/// Menu items of the sidereal-time kinds, indexed by almacor::SiderealTimeConstant.
inline constexpr std::array<std::string_view, 4> kSiderealKindCaptions = {
    "グリニッジ平均恒星時(&G)", "グリニッジ視恒星時(&A)", "地方平均恒星時(&M)", "地方視恒星時(&L)"};

/// Menu items of the table columns 1–9 (index 0 unused).
inline constexpr std::array<std::string_view, 10> kColumnCaptions = {
    "",         "赤経(&A)", "赤緯(&N)",   "黄経(&L)",   "黄緯(&I)",
    "離角(&E)", "距離(&D)", "視半径(&R)", "方位角(&Z)", "高度(&H)"};

/// Unit captions of the six date and time fields, year … second.
inline constexpr std::array<std::string_view, 6> kUnitCaptions = {"年", "月", "日",
                                                                  "時", "分", "秒"};

/// The search menus: items 0, 1, 3, 4 (2 is a separator).
inline constexpr std::array<std::string_view, 5> kSyzygyCaptions = {"前の朔(&P)", "次の朔(&N)", "-",
                                                                    "前の満月(&B)", "次の満月(&F)"};
inline constexpr std::array<std::string_view, 5> kEclipseCaptions = {
    "前の日食(&P)", "次の日食(&N)", "-", "前の月食(&B)", "次の月食(&F)"};

/// A menu caption cut before its access key: "地方視恒星時(&L)" gives "地方視恒星時". A caption
/// without "(&" is returned whole.
std::string_view StripAccelerator(std::string_view caption);

}  // namespace quillon
