#include "phenomena_list.h"

#include <gtest/gtest.h>

#include "almacor/date.h"
#include "test_support.h"

namespace quillon {
namespace {

// What the phenomena list shows for Tokyo in 2024, checked against the published almanac dates.
TEST(PhenomenaList, JapaneseTextsOfAYear) {
  PhenomenaRequest request;
  request.from = almacor::CivilToDays(2024, 1, 1);
  request.to = almacor::CivilToDays(2025, 1, 1) - 1.0 / 86400;
  std::map<std::string, PhenomenonTexts> byTimeAndName;
  for (const Phenomenon& p : CollectPhenomena(request, almacor::Tokyo())) {
    const PhenomenonTexts t = PhenomenonText(p);
    byTimeAndName[t.time.substr(0, 10) + " " + t.name + " " + t.body] = t;
  }
  const auto detail = [&](const std::string& key) {
    const auto found = byTimeAndName.find(key);
    return found == byTimeAndName.end() ? std::string("(none)") : found->second.detail;
  };
  EXPECT_EQ(detail("2024-01-11 新月 月"), "");
  EXPECT_EQ(detail("2024-01-13 近地点 月"), "距離 362,271 km");
  EXPECT_EQ(detail("2024-01-17 東方最大離角 月"), "(none)");
  EXPECT_EQ(detail("2024-01-12 西方最大離角 水星"), "離角 23.5ﾟ");
  EXPECT_EQ(detail("2024-06-05 外合 金星"), "");
  EXPECT_EQ(detail("2024-11-18 合 天王星"), "(none)");
  EXPECT_EQ(detail("2024-11-17 衝 天王星"), "");
  EXPECT_EQ(detail("2024-04-09 日食 太陽"), "皆既日食 (この地点では見えない)");
  EXPECT_EQ(detail("2024-09-18 月食 月"), "部分月食 (この地点では見えない) 食分 0.09 11:12–12:17");
  EXPECT_EQ(detail("2024-03-25 月食 月"), "半影月食 (この地点) 半影食分 0.99 13:51–18:35");
}

TEST(PhenomenaList, TheEclipseTextSaysHowItIsSeenHere) {
  almacor::Settings albuquerque;
  albuquerque.observer = {-106.65, 35.08, 0};
  albuquerque.time.timeZone = -6;
  PhenomenaRequest request;
  request.from = almacor::CivilToDays(2023, 10, 14);
  request.to = request.from + 1;
  request.kinds.reset().set(static_cast<std::size_t>(PhenomenonKind::SolarEclipse));
  const auto events = CollectPhenomena(request, albuquerque);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(PhenomenonText(events[0]).detail, "金環日食 (この地点) 食分 0.97 09:13–12:09");
}

}  // namespace
}  // namespace quillon
