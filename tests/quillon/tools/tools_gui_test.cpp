// The auxiliary windows driven by keyboard and mouse events on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "about_form.h"
#include "almacor/math_object.h"
#include "apparent_form.h"
#include "apparent_values.h"
#include "almacor/dialogs/input.h"
#include "convert_form.h"
#include "fake_host.h"
#include "help_window.h"
#include "program_settings.h"
#include "program_strings.h"
#include "tool_window.h"

namespace quillon {
namespace {

using testing::FakeHost;

// Widgets of one kind in reading order (top to bottom, then left to right).
template <typename T>
std::vector<T*> InLayoutOrder(QWidget& w) {
  const QList<T*> children = w.findChildren<T*>();
  std::vector<T*> found(children.begin(), children.end());
  std::sort(found.begin(), found.end(), [](T* a, T* b) {
    const QPoint pa = a->mapTo(a->window(), QPoint()), pb = b->mapTo(b->window(), QPoint());
    return std::pair(pa.y(), pa.x()) < std::pair(pb.y(), pb.x());
  });
  return found;
}

QPushButton* ButtonNamed(QWidget& w, const QString& text) {
  for (QPushButton* b : w.findChildren<QPushButton*>()) {
    if (b->text() == text) return b;
  }
  return nullptr;
}

class ToolWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    almacor::dialogs::SetBeepHandler([this] { ++beeps; });
  }
  void TearDown() override { almacor::dialogs::SetBeepHandler({}); }

  void ShowActive(QWidget& w) {
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  }

  FakeHost host{{2024, 3, 20, 18, 30, 0}};
  int beeps = 0;
};

TEST_F(ToolWindows, ApparentFormShowsValuesOnceBothBodiesAreChosen) {
  ProgramSettings().Write(keys::kApparentDMS, 1);
  auto* form = new ApparentForm(host);
  ShowActive(*form);
  const auto combos = InLayoutOrder<QComboBox>(*form);
  const auto boxes = InLayoutOrder<QLineEdit>(*form);
  auto* check = form->findChild<QCheckBox*>();
  QPushButton* copy = ButtonNamed(*form, "コピー(&C)");
  ASSERT_EQ(combos.size(), 2u);
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(form->windowTitle(), "天体間の視距離");
  EXPECT_EQ(combos[0]->currentIndex(), -1);
  EXPECT_EQ(combos[0]->itemText(9), "冥王星");
  EXPECT_TRUE(check->isChecked());

  combos[0]->setCurrentIndex(0);  // the Sun only
  EXPECT_TRUE(boxes[0]->text().isEmpty());
  EXPECT_FALSE(copy->isEnabled());

  combos[1]->setCurrentIndex(1);  // the Moon
  EXPECT_EQ(form->windowTitle(), "天体間の視距離 - 2024/3/20 18:30:00");
  EXPECT_TRUE(copy->isEnabled());
  almacor::Calendar& c = host.calendar;
  const ApparentAngles expected =
      ComputeApparent(c.Math(), BodyHorizontal(c, 0), BodyHorizontal(c, 1), c.ObsLatitude());
  EXPECT_EQ(boxes[0]->text().toStdString(), c.Math().FormatDMS(expected.distance));
  const QString zenith = boxes[1]->text(), north = boxes[2]->text();

  QTest::mouseClick(check, Qt::LeftButton);  // unchecked: the distance alone turns decimal
  EXPECT_TRUE(boxes[0]->text().endsWith("ﾟ"));
  EXPECT_NEAR(boxes[0]->text().chopped(1).toDouble(), expected.distance, 5e-7);
  EXPECT_EQ(boxes[1]->text(), zenith);
  EXPECT_EQ(boxes[2]->text(), north);

  QTest::mouseClick(copy, Qt::LeftButton);
  const QString copied = QApplication::clipboard()->text();
  EXPECT_TRUE(copied.startsWith("2024年3月20日18時30分0秒\r\n基準天体\t太陽\r\n対象天体\t月\r\n"));
  EXPECT_TRUE(copied.endsWith("北極方向角\t" + north + "\r\n"));
  EXPECT_EQ(copied.count("\r\n"), 6);
  EXPECT_EQ(host.suspends, 1);
  EXPECT_EQ(host.resumes, 1);
  EXPECT_TRUE(host.timerRunning);

  // The values follow the main window's instant.
  combos[1]->setCurrentIndex(9);  // Pluto
  const QString before = boxes[1]->text();
  host.calendar.SetDateTime(almacor::Date::FromCivil(2024, 3, 21, 0, 0, 0));
  host.fields = {"2024", "3", "21", "0", "0", "0"};
  form->Calc_Apparent();
  EXPECT_NE(boxes[1]->text(), before);
  EXPECT_EQ(form->windowTitle(), "天体間の視距離 - 2024/3/21 00:00:00");

  QPointer<ApparentForm> guard(form);
  QTest::mouseClick(ButtonNamed(*form, "終了(&Q)"), Qt::LeftButton);
  QTest::qWait(0);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(guard.isNull());
  EXPECT_EQ(host.closed, std::vector{MainWindowHost::AuxWindow::Apparent});
  EXPECT_EQ(ProgramSettings().Read(keys::kApparentDMS), 0);
}

TEST_F(ToolWindows, F1OpensTheWindowsOwnHelpPage) {
  for (QWidget* form : {static_cast<QWidget*>(new ApparentForm(host)),
                        static_cast<QWidget*>(new ConvertForm(host))}) {
    ShowActive(*form);
    QTest::keyClick(form, Qt::Key_F1);
    ASSERT_NE(HelpWindow(), nullptr);
    EXPECT_TRUE(HelpWindow()->windowTitle().endsWith(form->windowTitle()));
    CloseHelpWindows();
    form->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

class ConvertWindow : public ToolWindows {
 protected:
  void SetUp() override {
    ToolWindows::SetUp();
    form = new ConvertForm(host);
    ShowActive(*form);
    fields = InLayoutOrder<QLineEdit>(*form);
    for (QPushButton* b : InLayoutOrder<QPushButton>(*form)) {
      if (b->text() == "換算") buttons.push_back(b);
    }
  }
  void TearDown() override {
    delete form;
    ToolWindows::TearDown();
  }
  void Type(int field, const QString& text) {
    fields[static_cast<std::size_t>(field)]->setFocus(Qt::TabFocusReason);
    QTest::qWait(0);  // the deferred select-all on entry
    QTest::keyClicks(fields[static_cast<std::size_t>(field)], text);
  }

  ConvertForm* form = nullptr;
  std::vector<QLineEdit*> fields;
  std::vector<QPushButton*> buttons;
};

TEST_F(ConvertWindow, EnterPressesTheRowButtonAndMinusZeroKeepsTheSign) {
  ASSERT_EQ(fields.size(), 11u);
  ASSERT_EQ(buttons.size(), 7u);
  EXPECT_EQ(form->windowTitle(), "角度換算");
  for (QPushButton* b : buttons) EXPECT_FALSE(b->isEnabled());
  Type(3, "-0");
  Type(4, "30");
  EXPECT_FALSE(buttons[3]->isEnabled());
  Type(5, "0");
  EXPECT_TRUE(buttons[3]->isEnabled());
  QTest::keyClick(fields[5], Qt::Key_Return);
  EXPECT_EQ(fields[0]->text(), "-0.5");
  EXPECT_EQ(fields[6]->text(), "23.9666666666667");
  for (QPushButton* b : buttons) EXPECT_TRUE(b->isEnabled());
  EXPECT_EQ(beeps, 0);

  QTest::mouseClick(ButtonNamed(*form, "クリア(&L)"), Qt::LeftButton);
  for (QLineEdit* f : fields) EXPECT_TRUE(f->text().isEmpty());
  for (QPushButton* b : buttons) EXPECT_FALSE(b->isEnabled());
}

// Refused keys and pastes beep and leave the text; a value out of range beeps and holds the focus.
TEST_F(ConvertWindow, RefusedInputBeepsAndLeavesTheText) {
  Type(0, "1.2.3-x");  // the second point, the late minus and the letter are refused
  EXPECT_EQ(fields[0]->text(), "1.23");
  EXPECT_EQ(beeps, 3);
  Type(4, "-5.");
  EXPECT_EQ(fields[4]->text(), "5");
  EXPECT_EQ(beeps, 5);
  QApplication::clipboard()->setText("12a");
  fields[4]->setFocus(Qt::TabFocusReason);
  QTest::keyClick(fields[4], Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(fields[4]->text(), "5");
  EXPECT_EQ(beeps, 6);
  QApplication::clipboard()->setText("42");
  fields[4]->selectAll();
  QTest::keyClick(fields[4], Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(fields[4]->text(), "42");
  EXPECT_EQ(beeps, 6);

  fields[0]->clear();
  Type(0, "7200.5");
  QTest::keyClick(fields[0], Qt::Key_Tab);
  QTest::qWait(0);
  EXPECT_EQ(beeps, 7);
  EXPECT_TRUE(fields[0]->hasFocus());
  QTest::keyClick(fields[0], Qt::Key_Return);  // Enter does not convert it either
  EXPECT_EQ(beeps, 8);
  EXPECT_TRUE(fields[1]->text().isEmpty());
  fields[0]->clear();
  QTest::keyClicks(fields[0], "7200");
  QTest::keyClick(fields[0], Qt::Key_Tab);
  QTest::qWait(0);
  EXPECT_EQ(beeps, 8);
  EXPECT_TRUE(buttons[0]->hasFocus());  // the row's button follows its field
}

class UrlCatcher : public QObject {
  Q_OBJECT
 public slots:
  void open(const QUrl& url) { opened.push_back(url); }

 public:
  std::vector<QUrl> opened;
};

TEST_F(ToolWindows, AboutFormShowsTheVersionAndOpensThePage) {
  host.window.show();
  AboutForm about(host);
  UrlCatcher catcher;
  QDesktopServices::setUrlHandler("file", &catcher, "open");
  QTimer::singleShot(0, &about, [&] {
    auto* version = about.findChild<QLabel*>("Label2");
    EXPECT_EQ(version->text(), QString("Version %1.%2")
                                   .arg(EXPECTED_VERSION_MAJOR)
                                   .arg(EXPECTED_VERSION_MINOR, 2, 10, QChar('0')));
    EXPECT_EQ(beeps, 1);
    EXPECT_TRUE(about.isModal());
    const QRect main = host.window.frameGeometry(), own = about.frameGeometry();
    EXPECT_LE(std::abs(main.center().x() - own.center().x()), 1);

    auto* link = about.findChild<LinkLabel*>("Label4");
    QTest::mousePress(link, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(link->IsSunken());
    QMouseEvent away(QEvent::MouseMove, QPointF(-20, 5), link->mapToGlobal(QPointF(-20, 5)),
                     Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(link, &away);
    EXPECT_FALSE(link->IsSunken());
    QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(-20, 5));
    EXPECT_TRUE(catcher.opened.empty());  // released outside: nothing opens
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(catcher.opened.size(), 1u);
    if (!catcher.opened.empty()) {
      EXPECT_EQ(catcher.opened[0].toString().toStdString(), ProgramString(ids::kWebPage));
    }
    EXPECT_FALSE(link->IsSunken());
    QTest::keyClick(&about, Qt::Key_Return);  // OK is the default button
  });
  EXPECT_EQ(about.exec(), QDialog::Accepted);
  QDesktopServices::unsetUrlHandler("file");
}

TEST(ProgramIconTest, EverySizeIsInTheResources) {
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    EXPECT_EQ(ProgramIcon().pixmap(size, size).size(), QSize(size, size)) << size;
  }
  EXPECT_EQ(QImage(":/icons/quillon-256.png").size(), QSize(256, 256));
}

}  // namespace
}  // namespace quillon

#include "tools_gui_test.moc"
