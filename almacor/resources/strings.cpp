#include "almacor/strings.h"

#include <array>
#include <string>

#include "almacor/error.h"

namespace almacor {
namespace {

struct StringBlock {
  int firstId;
  const std::string_view* texts;
  int count;
};

// Japanese month names, month 1..12.
constexpr std::array<std::string_view, 12> kMonthNames = {"睦月", "如月",   "弥生", "卯月",
                                                          "皐月", "水無月", "文月", "葉月",
                                                          "長月", "神無月", "霜月", "師走"};
// Ten stems, 0..9.
constexpr std::array<std::string_view, 10> kStems = {"甲", "乙", "丙", "丁", "戊",
                                                     "己", "庚", "辛", "壬", "癸"};
// Twelve branches, 0..11.
constexpr std::array<std::string_view, 12> kBranches = {"子", "丑", "寅", "卯", "辰", "巳",
                                                        "午", "未", "申", "酉", "戌", "亥"};
// Six-day cycle, 0..5.
constexpr std::array<std::string_view, 6> kRokuyou = {"大安", "赤口", "先勝",
                                                      "友引", "先負", "仏滅"};
// Nine stars, 0..8.
constexpr std::array<std::string_view, 9> kNineStars = {"一白水星", "二黒土星", "三碧木星",
                                                        "四緑木星", "五黄土星", "六白金星",
                                                        "七赤金星", "八白土星", "九紫火星"};
// Islamic months, index 0..11.
constexpr std::array<std::string_view, 12> kIslamicMonths = {
    "Muharram", "Safar",  "Rabi al-Awal", "Rabi al-Thani", "Jumad al-Awal", "Jumad al-Thani",
    "Rajab",    "Shaban", "Ramadan",      "Shawal",        "Dhu al-Qada",   "Dhu al-Hijja"};
// Tzolkin day names, index 0..19.
constexpr std::array<std::string_view, 20> kTzolkinDays = {
    "Ahau", "Imix",  "Ik", "Akbal", "Kan", "Chicchan", "Cimi", "Manik", "Lamat",   "Muluc",
    "Oc",   "Chuen", "Eb", "Ben",   "Ix",  "Men",      "Cib",  "Caban", "Etzunab", "Cauac"};
// Haab months, index 0..18.
constexpr std::array<std::string_view, 19> kHaabMonths = {
    "Pop", "Uo",  "Zip", "Zotz",   "Tzec", "Xul", "Yaxkin", "Mol",   "Ch'en", "Yax",
    "Zac", "Ceh", "Mac", "Kankin", "Muan", "Pax", "Kayab",  "Cumku", "Uayeb"};
// Hebrew months, index 0..12.
constexpr std::array<std::string_view, 13> kHebrewMonths = {
    "Nisan",    "Iyyar",  "Sivan", "Tammuz", "Av",   "Elul",   "Tishrei",
    "Cheshvan", "Kislev", "Tevet", "Shevat", "Adar", "Adar II"};

template <std::size_t N>
constexpr StringBlock Block(int firstId, const std::array<std::string_view, N>& texts) {
  return {firstId, texts.data(), static_cast<int>(N)};
}

constexpr std::array<StringBlock, 9> kBlocks = {
    Block(101, kMonthNames),  Block(120, kStems),      Block(130, kBranches),
    Block(150, kRokuyou),     Block(160, kNineStars),  Block(170, kIslamicMonths),
    Block(200, kTzolkinDays), Block(220, kHaabMonths), Block(250, kHebrewMonths)};

}  // namespace

std::string_view LibraryString(int id) {
  for (const StringBlock& block : kBlocks) {
    if (id >= block.firstId && id < block.firstId + block.count)
      return block.texts[id - block.firstId];
  }
  throw Error(kInvalidArgument, "no library string with id " + std::to_string(id));
}

}  // namespace almacor
