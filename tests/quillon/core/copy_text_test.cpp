#include "copy_text.h"

#include <gtest/gtest.h>

#include <vector>

namespace quillon {
namespace {

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t at; (at = text.find(separator, start)) != std::string::npos;) {
    parts.push_back(text.substr(start, at - start));
    start = at + separator.size();
  }
  parts.push_back(text.substr(start));
  return parts;
}

// Texts whose every cell names its place, so that the copied order can be checked.
MainTableTexts LabelledTexts() {
  MainTableTexts t;
  for (int i = 0; i < 7; ++i) t.boxes[i] = "box" + std::to_string(i);
  t.deltaT = "69.2";
  for (int r = 0; r < kTableRows; ++r) {
    for (int c = 0; c < kTableColumns; ++c) {
      t.cells[r][c] = r == 0 && c == 0 ? "" : std::to_string(r) + "," + std::to_string(c);
    }
  }
  return t;
}

TEST(CopyText, LinesEndWithCrLfAndFollowTheWindow) {
  const std::string text = BuildCopyText({2024, 1, 5, 7, 8, 9}, LabelledTexts(), kAllColumnsMask,
                                         almacor::LocalApparent);
  ASSERT_GE(text.size(), 2u);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  std::vector<std::string> lines = Split(text, "\r\n");
  lines.pop_back();  // after the final CR LF
  ASSERT_EQ(lines.size(), 9u + kTableRows);
  for (const std::string& line : lines) EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
  const std::vector<std::string> head(lines.begin(), lines.begin() + 9);
  EXPECT_EQ(head,
            (std::vector<std::string>{"2024年1月5日7時8分9秒", "地方平時\tbox0", "真太陽時\tbox1",
                                      "地方視恒星時\tbox2", "ユリウス日\tbox3", "ΔT\t69.2",
                                      "月齢\tbox4", "月輝面比\tbox5", "旧暦\tbox6"}));
  EXPECT_EQ(lines[9].substr(0, 1), "\t") << "the title row starts with its empty corner cell";
  for (int r = 0; r < kTableRows; ++r) {
    const std::vector<std::string> fields = Split(lines[9 + r], "\t");
    ASSERT_EQ(fields.size(), 13u) << "row " << r;
    for (int c = 1; c < kTableColumns; ++c) {
      EXPECT_EQ(fields[c], std::to_string(r) + "," + std::to_string(c));
    }
  }
}

TEST(CopyText, HiddenColumnsAreLeftOutAndTheDateIsNotPadded) {
  const std::string text = BuildCopyText({100, 12, 31, 0, 0, 0}, LabelledTexts(),
                                         kDefaultColumnMask, almacor::GreenwichMean);
  std::vector<std::string> lines = Split(text, "\r\n");
  EXPECT_EQ(lines[0], "100年12月31日0時0分0秒");
  EXPECT_EQ(lines[3], "グリニッジ平均恒星時\tbox2");
  // Column 0, the six shown quantity columns 1, 2, 6, 7, 8, 9 and the three event columns.
  const std::vector<std::string> expected = {"4,0", "4,1", "4,2",  "4,6",  "4,7",
                                             "4,8", "4,9", "4,10", "4,11", "4,12"};
  EXPECT_EQ(Split(lines[9 + 4], "\t"), expected);
  const std::string noDistance = BuildCopyText({100, 12, 31, 0, 0, 0}, LabelledTexts(),
                                               kAllColumnsMask & ~(1 << 5), almacor::LocalMean);
  lines = Split(noDistance, "\r\n");
  EXPECT_EQ(lines[3], "地方平均恒星時\tbox2");
  EXPECT_EQ(Split(lines[9], "\t").size(), 12u);
  EXPECT_EQ(lines[9].find("距離"), std::string::npos);
}

}  // namespace
}  // namespace quillon
