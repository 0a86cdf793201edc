#include "program_strings.h"

#include <gtest/gtest.h>

#include "almacor/error.h"

namespace quillon {
namespace {

// The first and last id of each block reach their texts; the gaps between the blocks raise.
TEST(ProgramStrings, IdsReachTheirTextsAndUnknownIdsRaise) {
  EXPECT_EQ(ProgramString(1000).substr(0, 8), "file:///");
  EXPECT_EQ(ProgramString(1050), "--:--");
  EXPECT_EQ(ProgramString(1062), "没");
  EXPECT_EQ(ProgramString(1074), "γ");
  EXPECT_EQ(ProgramString(1087), "##0.0ﾟ");  // the half-width degree sign U+FF9F, never U+00B0
  EXPECT_EQ(ProgramString(1092), "ΔT入力");
  EXPECT_EQ(ProgramString(1100), "地球");
  EXPECT_EQ(ProgramString(1110), "冥王星");
  for (const int id : {0, 999, 1001, 1049, 1063, 1069, 1075, 1085, 1093, 1099, 1111}) {
    EXPECT_THROW(ProgramString(id), almacor::Error) << id;
  }
}

TEST(ProgramStrings, StripAcceleratorCutsBeforeTheAccessKey) {
  EXPECT_EQ(StripAccelerator("地方視恒星時(&L)"), "地方視恒星時");
  EXPECT_EQ(StripAccelerator("UTC00:00(U)"), "UTC00:00(U)");
  EXPECT_EQ(StripAccelerator("観測地点(&L)..."), "観測地点");
  EXPECT_EQ(StripAccelerator(""), "");
}

}  // namespace
}  // namespace quillon
