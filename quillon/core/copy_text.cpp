#include "copy_text.h"

#include "program_strings.h"

namespace quillon {
namespace {

constexpr const char* kLineEnd = "\r\n";

void AddLine(std::string& text, std::string_view caption, const std::string& value) {
  ((text += caption) += '\t') += value;
  text += kLineEnd;
}

}  // namespace

std::string BuildCopyText(const almacor::CivilDateTime& displayed, const MainTableTexts& texts,
                          int columnMask, almacor::SiderealTimeConstant siderealKind) {
  std::string text;
  const int fields[6] = {displayed.year, displayed.month,  displayed.day,
                         displayed.hour, displayed.minute, displayed.second};
  for (int i = 0; i < 6; ++i) (text += std::to_string(fields[i])) += kUnitCaptions[i];
  text += kLineEnd;

  AddLine(text, kBoxCaptions[0], texts.boxes[0]);
  AddLine(text, kBoxCaptions[1], texts.boxes[1]);
  AddLine(text, StripAccelerator(kSiderealKindCaptions.at(siderealKind)), texts.boxes[2]);
  AddLine(text, kBoxCaptions[3], texts.boxes[3]);
  AddLine(text, ProgramString(ids::kDeltaTLabel), texts.deltaT);
  AddLine(text, kBoxCaptions[4], texts.boxes[4]);
  AddLine(text, kBoxCaptions[5], texts.boxes[5]);
  AddLine(text, kBoxCaptions[6], texts.boxes[6]);

  for (const auto& row : texts.cells) {
    text += row[0];
    for (int column = 1; column < kTableColumns; ++column) {
      const bool shown = column > 9 || (columnMask >> (column - 1) & 1) != 0;
      if (shown) (text += '\t') += row[column];
    }
    text += kLineEnd;
  }
  return text;
}

}  // namespace quillon
