#include "program_strings.h"

#include <string>

#include "almacor/error.h"

namespace quillon {
namespace {

struct StringBlock {
  int firstId;
  const std::string_view* texts;
  int count;
};

// The maker's pages that come with the program: the help installed beside it.
constexpr std::array<std::string_view, 1> kWebPage = {
    "file:///usr/share/doc/quillon/help/topic0.html"};
// 1050 and the column titles 1051–1062.
constexpr std::array<std::string_view, 13> kTableTexts = {
    "--:--",  "赤経",   "赤緯", "黄経", "黄緯", "離角", "距離",
    "視半径", "方位角", "高度", "出",   "正中", "没"};
constexpr std::array<std::string_view, 5> kCompass = {"N", "E", "S", "W", "γ"};
// Number patterns 1086–1089, ΔT texts 1090–1092.
constexpr std::array<std::string_view, 7> kPatterns = {
    "##0.000000ﾟ", "##0.0ﾟ", "#0.0#############", "#0.0#####", "ΔT", "ΔT推算", "ΔT入力"};
// 1100 the Earth, 1101–1110 the rows of the table.
constexpr std::array<std::string_view, 11> kBodies = {
    "地球", "太陽", "月", "水星", "金星", "火星", "木星", "土星", "天王星", "海王星", "冥王星"};

constexpr std::array<StringBlock, 5> kBlocks = {{
    {1000, kWebPage.data(), static_cast<int>(kWebPage.size())},
    {1050, kTableTexts.data(), static_cast<int>(kTableTexts.size())},
    {1070, kCompass.data(), static_cast<int>(kCompass.size())},
    {1086, kPatterns.data(), static_cast<int>(kPatterns.size())},
    {1100, kBodies.data(), static_cast<int>(kBodies.size())},
}};

}  // namespace

std::string_view ProgramString(int id) {
  for (const StringBlock& block : kBlocks) {
    if (id >= block.firstId && id < block.firstId + block.count)
      return block.texts[id - block.firstId];
  }
  throw almacor::Error(almacor::kInvalidArgument, "no program string " + std::to_string(id));
}

std::string_view StripAccelerator(std::string_view caption) {
  const std::size_t cut = caption.find("(&");
  return cut == std::string_view::npos ? caption : caption.substr(0, cut);
}

}  // namespace quillon
