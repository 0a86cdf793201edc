#include "phenomena_list.h"

#include <gtest/gtest.h>

#include "almacor/date.h"
#include "test_support.h"

namespace quillon {
namespace {

// What the phenomena list shows for Tokyo in 2024 (tests/data/phenomena_list_2024.tsv).
TEST(PhenomenaList, JapaneseTextsOfAYear) {
  PhenomenaRequest request;
  request.from = almacor::CivilToDays(2024, 1, 1);
  request.to = almacor::CivilToDays(2025, 1, 1) - 1.0 / 86400;
  std::map<std::string, PhenomenonTexts> byTimeAndName;
  for (const Phenomenon& p : CollectPhenomena(request, almacor::Tokyo())) {
    const PhenomenonTexts t = PhenomenonText(p);
    byTimeAndName[t.time.substr(0, 10) + " " + t.name + " " + t.body] = t;
  }
  for (const auto& row : almacor::ReadReferenceTable("phenomena_list_2024.tsv", '\t')) {
    const auto found = byTimeAndName.find(row[0]);
    EXPECT_EQ(found == byTimeAndName.end() ? "(none)" : found->second.detail,
              row.size() > 1 ? row[1] : "")
        << row[0];
  }
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
