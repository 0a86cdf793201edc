// The tool windows driven by keyboard and mouse events on the offscreen platform: their controls
// reach the arithmetic (tested without a display), refusals beep, the host is told.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "about_form.h"
#include "almacor/dialogs/input.h"
#include "almacor/math_object.h"
#include "apparent_form.h"
#include "apparent_values.h"
#include "convert_form.h"
#include "fake_host.h"
#include "help_window.h"
#include "phenomena_form.h"
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
  EXPECT_EQ(combos[0]->currentIndex(), -1);
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
  const QString zenith = boxes[1]->text();

  QTest::mouseClick(check, Qt::LeftButton);  // unchecked: the distance alone turns decimal
  EXPECT_NEAR(boxes[0]->text().chopped(1).toDouble(), expected.distance, 5e-7);
  EXPECT_EQ(boxes[1]->text(), zenith);

  QTest::mouseClick(copy, Qt::LeftButton);
  EXPECT_TRUE(QApplication::clipboard()->text().startsWith(
      "2024年3月20日18時30分0秒\r\n基準天体\t太陽\r\n対象天体\t月\r\n"));
  EXPECT_EQ(std::tuple(host.suspends, host.resumes, host.timerRunning), std::tuple(1, 1, true));

  // The values follow the main window's instant.
  combos[1]->setCurrentIndex(9);  // Pluto
  const QString before = boxes[1]->text();
  host.SetInstant(almacor::Date::FromCivil(2024, 3, 21, 0, 0, 0));
  form->Calc_Apparent();
  EXPECT_NE(boxes[1]->text(), before);

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
                        static_cast<QWidget*>(new ConvertForm(host)),
                        static_cast<QWidget*>(new PhenomenaForm(host))}) {
    ShowActive(*form);
    QTest::keyClick(form, Qt::Key_F1);
    ASSERT_NE(HelpWindow(), nullptr);
    // The page is named after the window ("天象 2024年" opens 天象).
    EXPECT_TRUE(HelpWindow()->windowTitle().endsWith(form->windowTitle().section(' ', 0, 0)))
        << HelpWindow()->windowTitle().toStdString();
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

TEST_F(ConvertWindow, EnterPressesTheRowButtonAndClearEmptiesEveryField) {
  ASSERT_EQ(fields.size(), 11u);
  ASSERT_EQ(buttons.size(), 7u);
  Type(3, "-0");
  Type(4, "30");
  EXPECT_FALSE(buttons[3]->isEnabled());
  Type(5, "0");
  EXPECT_TRUE(buttons[3]->isEnabled());
  QTest::keyClick(fields[5], Qt::Key_Return);
  EXPECT_EQ(fields[0]->text(), "-0.5");
  for (QPushButton* b : buttons) EXPECT_TRUE(b->isEnabled());
  EXPECT_EQ(beeps, 0);

  QTest::mouseClick(ButtonNamed(*form, "クリア(&L)"), Qt::LeftButton);
  for (QLineEdit* f : fields) EXPECT_TRUE(f->text().isEmpty());
  for (QPushButton* b : buttons) EXPECT_FALSE(b->isEnabled());
}

// Refused keys and pastes beep and leave the text; a value out of range beeps and holds the focus.
TEST_F(ConvertWindow, RefusedInputBeepsAndLeavesTheText) {
  Type(0, "1.2");
  QTest::keyClick(fields[0], Qt::Key_Period);  // a second point
  EXPECT_EQ(fields[0]->text(), "1.2");
  EXPECT_EQ(beeps, 1);
  QApplication::clipboard()->setText("12a");
  QTest::keyClick(fields[0], Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(fields[0]->text(), "1.2");
  EXPECT_EQ(beeps, 2);

  fields[0]->clear();
  Type(0, "7200.5");
  QTest::keyClick(fields[0], Qt::Key_Tab);
  QTest::qWait(0);
  EXPECT_EQ(beeps, 3);
  EXPECT_TRUE(fields[0]->hasFocus());
  QTest::keyClick(fields[0], Qt::Key_Return);  // Enter does not convert it either
  EXPECT_EQ(beeps, 4);
  EXPECT_TRUE(fields[1]->text().isEmpty());
  fields[0]->clear();
  QTest::keyClicks(fields[0], "7200");
  QTest::keyClick(fields[0], Qt::Key_Tab);
  QTest::qWait(0);
  EXPECT_EQ(beeps, 4);
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

// The 天象 list: the year and observer of the host, check boxes per kind, Enter on a row shows its
// instant, the copy text, and a new year when the host moves to one.
TEST(PhenomenaForm, FollowsTheHostAndShowsARow) {
  FakeHost host{{2024, 6, 1, 12, 0, 0}};
  auto* form = new PhenomenaForm(host);
  form->show();
  EXPECT_EQ(form->windowTitle(), "天象 2024年");
  // 49 phases, 27 apsides, the conjunctions, oppositions and elongations, 4 eclipses.
  EXPECT_GT(form->Rows().size(), 100u);
  for (const Phenomenon* p : form->Rows()) {
    EXPECT_EQ(almacor::Date::FromDays(p->time).ToCivil().year, 2024);
  }

  // Only the eclipses: 2024 has two of each kind.
  for (QCheckBox* box : form->findChildren<QCheckBox*>()) {
    box->setChecked(box->text() == "日食" || box->text() == "月食");
  }
  ASSERT_EQ(form->Rows().size(), 4u);
  auto* table = form->findChild<QTableWidget*>();
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->item(1, 1)->text(), "日食");
  EXPECT_EQ(table->item(1, 3)->text(), "皆既日食 (この地点では見えない)");
  table->setFocus();
  table->setCurrentCell(1, 0);
  QTest::keyClick(table, Qt::Key_Return);
  ASSERT_EQ(host.shown.size(), 1u);
  EXPECT_EQ(host.shown[0].Days(), form->Rows()[1]->time);

  form->Copy();
  const QString copied = QApplication::clipboard()->text();
  EXPECT_TRUE(copied.startsWith("日時\t現象\t天体\t詳細\r\n"));
  EXPECT_EQ(copied.count("\r\n"), 5);

  host.SetInstant(almacor::Date::FromCivil(2025, 1, 1, 0, 0, 0));
  form->HostDisplayed();
  EXPECT_EQ(form->windowTitle(), "天象 2025年");
  EXPECT_EQ(form->Rows().size(), 4u);  // 2025: two lunar and two solar eclipses
  form->close();
}

}  // namespace
}  // namespace quillon

#include "tools_gui_test.moc"
