// The observer dialog and the degree-minute-second dialog: their rules, and what a user typing
// into them sees.
#include "almacor/dialogs/dialogs.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "almacor/dialogs/input.h"
#include "almacor/dialogs/location_form.h"
#include "almacor/settings.h"

namespace {

using namespace almacor::dialogs;

// Field 1 longitude, 2 latitude (asymmetric: −89.9999 … below 90), 3 height, 4 zone.
TEST(LocationRules, RangesIncludingTheAsymmetricLatitude) {
  for (const auto& [field, text, accepted] :
       {std::tuple{2, "89.99999", true}, std::tuple{2, "90", false},
        std::tuple{2, "-89.9999", true}, std::tuple{2, "-89.99991", false},
        std::tuple{1, "-180", true}, std::tuple{3, "10000.5", false}, std::tuple{4, "-12", true},
        std::tuple{4, "12.5", false}, std::tuple{1, "-", false}, std::tuple{1, "", false},
        std::tuple{1, "1-2", false}, std::tuple{1, "1.2.3", false}, std::tuple{1, "abc", false}}) {
    EXPECT_EQ(LocationFieldAccepts(field, text), accepted) << field << " " << text;
  }
  EXPECT_EQ(LocationFieldText(135), "135");
  EXPECT_EQ(LocationFieldText(35.5), "35.5");
}

TEST(DmsRules, SplitAndJoinKeepTheSignBelowOneDegree) {
  const DmsTexts south = SplitDms(-35.5);
  EXPECT_EQ((std::array{south.degrees, south.minutes, south.seconds}),
            (std::array<std::string, 3>{"-35", "30", "0.0"}));
  EXPECT_DOUBLE_EQ(JoinDms(south), -35.5);
  const DmsTexts near = SplitDms(-0.25);
  EXPECT_EQ(near.degrees, "-0");
  EXPECT_EQ(near.minutes, "15");
  EXPECT_DOUBLE_EQ(JoinDms(near), -0.25);
  EXPECT_DOUBLE_EQ(JoinDms({"-", "0", "36"}), -0.01);  // a lone sign is −0 degrees
  EXPECT_EQ(DmsResultText(139.7447), "139.7447");
  // Field 1 degrees (up to the given limit), 2 minutes, 3 seconds.
  for (const auto& [field, text, limit, accepted] :
       {std::tuple{2, "60", 90, false}, std::tuple{3, "60", 90, false},
        std::tuple{3, "59.9999999", 90, true}, std::tuple{1, "180", 180, true},
        std::tuple{1, "180", 90, false}}) {
    EXPECT_EQ(DmsFieldAccepts(field, text, limit), accepted) << field << " " << text;
  }
}

class LocationFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved = almacor::LibrarySettings();
    almacor::LibrarySettings().observer = {139.7447, 35.6544, 0};
    almacor::LibrarySettings().time.timeZone = 9;
    SetBeepHandler([this] { ++beeps; });
  }
  void TearDown() override {
    almacor::LibrarySettings() = saved;
    SetBeepHandler({});
  }
  almacor::Settings saved;
  int beeps = 0;
};

TEST_F(LocationFormTest, OkStoresTheFieldsCancelAndTextThatIsNoValueChangeNothing) {
  {
    LocationForm form;
    EXPECT_EQ(form.Field(1)->text(), QStringLiteral("139.7447"));
    form.Field(2)->setText(QStringLiteral("-33.5"));
    QTest::keyClick(form.Field(3), Qt::Key_Minus);  // no sign in the height
    EXPECT_EQ(beeps, 1);
    QTest::keyClick(form.Field(1), Qt::Key_A);
    EXPECT_EQ(beeps, 2);
    form.reject();
    EXPECT_FALSE(form.OkFlag());
    EXPECT_EQ(almacor::LibrarySettings().observer.latitude, 35.6544);
  }
  {
    LocationForm form;  // OK with text that is no value stays open and stores nothing
    form.Field(2)->setText(QStringLiteral("-"));
    form.OkButton()->click();
    EXPECT_FALSE(form.OkFlag());
    EXPECT_EQ(beeps, 3);
    EXPECT_EQ(almacor::LibrarySettings().observer.latitude, 35.6544);
  }
  LocationForm form;
  form.Field(2)->setText(QStringLiteral("-33.5"));
  form.Field(4)->setText(QStringLiteral("-3.5"));
  form.OkButton()->click();
  EXPECT_TRUE(form.OkFlag());
  EXPECT_EQ(almacor::LibrarySettings().observer.latitude, -33.5);
  EXPECT_EQ(almacor::LibrarySettings().time.timeZone, -3.5f);
}

TEST_F(LocationFormTest, DmsDialogRefusesAnOutOfRangeLatitude) {
  DmsInputForm dms(2, -0.25, nullptr);
  EXPECT_EQ(dms.Field(1)->text(), QStringLiteral("-0"));
  dms.Field(1)->setText(QStringLiteral("91"));
  dms.OkButton()->click();
  EXPECT_FALSE(dms.OkFlag());
  EXPECT_EQ(beeps, 1);
  dms.Field(1)->setText(QStringLiteral("-"));
  dms.OkButton()->click();
  EXPECT_TRUE(dms.OkFlag());
  EXPECT_DOUBLE_EQ(dms.Result(), -0.25);
}

}  // namespace
