// A seeded random walk of clicks, keys, wheel turns, resizes, closes and menu commands over every
// window and dialog the program opens, modal ones included. After each step the main table must
// still be shown and, outside every modal loop, no window may be left disabled.
// QUILLON_ROBUSTNESS_SEED and QUILLON_ROBUSTNESS_STEPS choose the run, QUILLON_ROBUSTNESS_TRACE
// prints every action; a failure or a crash prints its step and the actions before it, and the
// first line printed replays it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <csignal>
#include <deque>
#include <random>
#if defined(__SANITIZE_ADDRESS__) && __has_include(<sanitizer/common_interface_defs.h>)
#include <sanitizer/common_interface_defs.h>
#define QUILLON_HAS_DEATH_CALLBACK 1
#endif

#include "almacor/dialogs/input.h"
#include "application.h"
#include "main_table_view.h"
#include "planet_form.h"
#include "simulation_form.h"

namespace {

// The last actions, kept as one ready text so that a crash handler only has to write it out.
std::string gTrail;
void WriteTrail() {
  const std::string text = "robustness: the last actions before the crash:\n" + gTrail;
  (void)!write(STDERR_FILENO, text.data(), text.size());
}
extern "C" void OnFatalSignal(int signal) {
  WriteTrail();
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

int EnvInt(const char* name, int fallback) {
  bool ok = false;
  const int value = qEnvironmentVariableIntValue(name, &ok);
  return ok ? value : fallback;
}

QString Name(const QWidget* widget) {
  if (widget->isWindow() && !widget->windowTitle().isEmpty()) return widget->windowTitle();
  const QString name = widget->objectName();
  return QString::fromLatin1(widget->metaObject()->className()) +
         (name.isEmpty() ? QString() : QStringLiteral("(%1)").arg(name));
}

class RandomWalk : public QObject {
  Q_OBJECT
 public:
  RandomWalk(unsigned seed, int steps) : random_(seed), steps_(steps) {
    almacor::dialogs::SetBeepHandler([] {});
    for (const QString& scheme : kSchemes) QDesktopServices::setUrlHandler(scheme, this, "Swallow");
    Start();
  }
  ~RandomWalk() override {
    for (const QString& scheme : kSchemes) QDesktopServices::unsetUrlHandler(scheme);
    almacor::dialogs::SetBeepHandler({});
  }

  void Run() {
    QTimer::singleShot(0, this, &RandomWalk::Tick);
    loop_.exec();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

 public slots:
  // Links open nothing outside the test.
  void Swallow(const QUrl& url) { Log(QStringLiteral("(%1 not opened)").arg(url.toString())); }

 private:
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  template <typename T>
  T Pick(const QList<T>& list) {
    return list[Pick(static_cast<int>(list.size()))];
  }

  void Log(const QString& action) {
    recent_.push_back(QStringLiteral("#%1 %2").arg(step_).arg(action).toStdString());
    if (trace_) std::fprintf(stderr, "%s\n", recent_.back().c_str());
    if (recent_.size() > 20) recent_.pop_front();
    gTrail.clear();
    for (const std::string& line : recent_) gTrail += "  " + line + "\n";
  }

  // One step, from a timer so that the walk goes on inside the modal loops it opens.
  void Tick() {
    if (finished_) return;
    QTimer::singleShot(0, this, &RandomWalk::Tick);
    QWidget* modal = QApplication::activePopupWidget();
    if (!modal) modal = QApplication::activeModalWidget();
    if (step_ >= steps_ || failed_) {
      if (modal) {
        Log(QStringLiteral("dismiss %1").arg(Name(modal)));
        modal->close();
      } else {
        finished_ = true;
        loop_.quit();
      }
      return;
    }
    ++step_;
    ++depth_;
    if (modal) {
      ActOnModal(modal);
    } else {
      Act(Pick(VisibleWindows()));
    }
    --depth_;
    if (quit_ && depth_ == 0) {
      quit_ = false;
      Log(QStringLiteral("start the program again"));
      Start();
    }
    Check();
  }

  // The program starts anew, reading what the previous run saved, after each quit command.
  void Start() {
    form_.reset();
    form_ = std::make_unique<quillon::PlanetForm>([this] { return nowMs_; });
    // Sweep and real time advance only when the walk says so, from the injected clock.
    form_->Timer()->blockSignals(true);
    connect(form_->MenuItem(QStringLiteral("mnuFileEnd")), &QAction::triggered, this,
            [this] { quit_ = true; });
    form_->show();
  }

  QList<QWidget*> VisibleWindows() const {
    QList<QWidget*> windows;
    for (QWidget* w : QApplication::topLevelWidgets()) {
      const Qt::WindowType type = w->windowType();
      if (w->isVisible() && (type == Qt::Window || type == Qt::Dialog)) windows << w;
    }
    // In an order of their own, not the application's hash order, for the replay.
    std::sort(windows.begin(), windows.end(), [](const QWidget* a, const QWidget* b) {
      return Name(a) + a->objectName() < Name(b) + b->objectName();
    });
    return windows;
  }

  void Check() {
    QStringList faults;
    if (!quit_ && !form_->Table()->isVisible()) faults << "the main table is hidden";
    if (depth_ == 0) {
      for (QWidget* w : VisibleWindows()) {
        if (!w->isEnabled()) faults << Name(w) + " is left disabled";
      }
    }
    if (faults.isEmpty()) return;
    failed_ = true;
    ADD_FAILURE() << "step " << step_ << ": " << faults.join("; ").toStdString()
                  << "\nthe last actions:\n"
                  << gTrail;
  }

  void ActOnModal(QWidget* modal) {
    if (auto* files = qobject_cast<QFileDialog*>(modal)) return ActOnFileDialog(files);
    if (Pick(12) == 0) {
      Log(QStringLiteral("close %1").arg(Name(modal)));
      modal->close();
      return;
    }
    Act(modal);
  }

  // The save dialog is Qt's own: choose a format and a name in the temporary home, or cancel.
  void ActOnFileDialog(QFileDialog* dialog) {
    const int choice = Pick(4);
    if (choice == 0) {
      Log(QStringLiteral("cancel the file dialog"));
      dialog->reject();
      return;
    }
    const QString filter = Pick(dialog->nameFilters());
    dialog->selectNameFilter(filter);
    emit dialog->filterSelected(filter);
    const QString name = choice == 1 ? QStringLiteral("none/koyomi") : QStringLiteral("koyomi");
    dialog->selectFile(QDir::home().filePath(name));
    Log(QStringLiteral("save as %1 (%2)").arg(name, filter));
    static_cast<QDialog*>(dialog)->accept();  // as the save button does
  }

  void Act(QWidget* window) {
    const int kind = Pick(100);
    if (kind < 20 && window == form_.get()) return MenuCommand();
    if (kind < 26) return ClockTick();
    if (kind < 29) return Resize(window);
    if (kind < 31 && window != form_.get()) {
      Log(QStringLiteral("close %1").arg(Name(window)));
      window->close();
      return;
    }
    if (kind < 68) return Click(window);
    if (kind < 74) return Wheel(window);
    if (kind < 82) return TypeValue(window);
    Key(window);
  }

  // A field clicked and a whole value typed over it: the ends of the ranges and just beyond.
  void TypeValue(QWidget* window) {
    static const QStringList kValues = {"100", "9999", "99",  "10000", "0",   "1",      "12",
                                        "13",  "31",   "23",  "59",    "60",  "180",    "-180",
                                        "90",  "-90",  "-12", "14",    "-10", "259200", "1.5"};
    QList<QLineEdit*> fields;
    for (QWidget* w : Children(window)) {
      if (auto* field = qobject_cast<QLineEdit*>(w)) fields << field;
    }
    if (fields.isEmpty()) return Key(window);
    QPointer<QLineEdit> field = Pick(fields);
    const QString value = Pick(kValues);
    Log(QStringLiteral("type %1 and Enter into %2 in %3").arg(value, Name(field), Name(window)));
    QTest::mouseClick(field, Qt::LeftButton);
    if (field) field->selectAll();
    for (QChar c : value) {
      if (field) QTest::keyClick(field, c.toLatin1());
    }
    if (field) QTest::keyClick(field, Qt::Key_Return);
  }

  // The window and its shown, enabled widgets.
  static QList<QWidget*> Children(QWidget* window) {
    QList<QWidget*> widgets{window};
    for (QWidget* w : window->findChildren<QWidget*>()) {
      if (w->window() == window && w->isVisible() && w->isEnabled() && !w->rect().isEmpty())
        widgets << w;
    }
    return widgets;
  }

  QPoint RandomPoint(const QWidget* w) { return QPoint(Pick(w->width()), Pick(w->height())); }

  void Resize(QWidget* window) {
    if (Pick(3) == 0) {
      const bool maximise = !window->isMaximized();
      Log(QStringLiteral("%1 %2").arg(maximise ? "maximise" : "restore", Name(window)));
      return maximise ? window->showMaximized() : window->showNormal();
    }
    const QSize size = window->minimumSize().expandedTo(QSize(100, 100));
    const QSize to(size.width() + Pick(size.width()), size.height() + Pick(size.height()));
    Log(QStringLiteral("resize %1 to %2x%3").arg(Name(window)).arg(to.width()).arg(to.height()));
    window->resize(to);
  }

  // A click, a double click (press, release, double click, release), a drag that may end outside
  // the widget pressed, or the pointer moved over a widget.
  void Click(QWidget* window) {
    QPointer<QWidget> target = Pick(Children(window));
    const QPoint at = RandomPoint(target);
    const int b = Pick(20);
    const Qt::MouseButton button = b < 15   ? Qt::LeftButton
                                   : b < 19 ? Qt::RightButton
                                            : Qt::MiddleButton;
    const int gesture = Pick(7);
    const QPoint to = gesture == 0 ? at + QPoint(Pick(81) - 40, Pick(81) - 40) : at;
    static const char* const kGestures[] = {"drag", "double-click", "hover"};
    Log(QStringLiteral("%1 button %2 at (%3,%4) to (%5,%6) of %7 in %8")
            .arg(gesture < 3 ? kGestures[gesture] : "click")
            .arg(int(button))
            .arg(at.x())
            .arg(at.y())
            .arg(to.x())
            .arg(to.y())
            .arg(Name(target), Name(window)));
    // Enter and leave without a button, delivered by the loop like a pointer's move.
    if (gesture == 2) return QCursor::setPos(target->mapToGlobal(at));
    QTest::mousePress(target, button, {}, at);
    if (target && gesture == 0) QTest::mouseMove(target, to);
    if (target) QTest::mouseRelease(target, button, {}, to);
    if (target && gesture == 1) QTest::mouseDClick(target, button, {}, at);
    if (target && gesture == 1) QTest::mouseRelease(target, button, {}, at);
  }

  void Wheel(QWidget* window) {
    QWidget* target = Pick(Children(window));
    const QPoint at = RandomPoint(target);
    const int delta = Pick(2) ? 120 : -120;
    Log(QStringLiteral("wheel %1 on %2 in %3").arg(delta).arg(Name(target), Name(window)));
    QWheelEvent wheel(at, target->mapToGlobal(at), {}, QPoint(0, delta), Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &wheel);
  }

  void Key(QWidget* window) {
    static const QList<Qt::Key> kKeys = {
        Qt::Key_Left,     Qt::Key_Right, Qt::Key_Up,      Qt::Key_Down,      Qt::Key_PageUp,
        Qt::Key_PageDown, Qt::Key_Home,  Qt::Key_End,     Qt::Key_Return,    Qt::Key_Enter,
        Qt::Key_Escape,   Qt::Key_Tab,   Qt::Key_Backtab, Qt::Key_Backspace, Qt::Key_Delete,
        Qt::Key_Space,    Qt::Key_F1,    Qt::Key_Minus,   Qt::Key_Plus,      Qt::Key_Period};
    Qt::Key key = Qt::Key_0;
    Qt::KeyboardModifiers modifiers;
    const int kind = Pick(3);
    if (kind == 0) {
      key = Qt::Key(Qt::Key_0 + Pick(10));
    } else if (kind == 1) {
      key = Pick(kKeys);
    } else {
      key = Qt::Key(Qt::Key_A + Pick(26));
      const int m = Pick(4);
      modifiers = m == 0 ? Qt::AltModifier : m == 1 ? Qt::ControlModifier : Qt::NoModifier;
    }
    QWidget* target = window->focusWidget() ? window->focusWidget() : window;
    Log(QStringLiteral("key %1 on %2 in %3")
            .arg(QKeySequence(int(modifiers) | key).toString(), Name(target), Name(window)));
    QTest::keyClick(target, key, modifiers);
  }

  // A command as a user reaches it: through menus that are enabled, each told it is opening.
  void MenuCommand() {
    QList<QAction*> commands;
    for (QAction* action : form_->menuBar()->actions()) AddCommands(action->menu(), commands);
    QAction* command = Pick(commands);
    Log(QStringLiteral("menu %1").arg(command->objectName()));
    command->trigger();
  }
  static void AddCommands(QMenu* menu, QList<QAction*>& commands) {
    emit menu->aboutToShow();
    for (QAction* a : menu->actions()) {
      if (!a->isVisible() || !a->isEnabled() || a->isSeparator()) continue;
      if (!a->menu()) {
        commands << a;
      } else if (a->menu()->isEnabled()) {
        AddCommands(a->menu(), commands);
      }
    }
  }

  void ClockTick() {
    nowMs_ += Pick(3000);
    Log(QStringLiteral("clock to %1 ms%2")
            .arg(nowMs_)
            .arg(form_->Timer()->isActive() ? ", tick" : ""));
    if (form_->Timer()->isActive()) form_->OnTimer();
  }

  static inline const QStringList kSchemes = {"file", "http", "https", "mailto"};
  std::mt19937 random_;
  const int steps_;
  int step_ = 0;
  int depth_ = 0;
  bool failed_ = false;
  bool finished_ = false;
  bool quit_ = false;  // the quit command ran
  const bool trace_ = qEnvironmentVariableIsSet("QUILLON_ROBUSTNESS_TRACE");  // every action
  qint64 nowMs_ = qint64{1718938800} * 1000;  // 2024-06-21 03:00:00 UTC
  std::deque<std::string> recent_;
  QEventLoop loop_;
  std::unique_ptr<quillon::PlanetForm> form_;
};

TEST(Robustness, ARandomWalkOverEveryWindowLeavesTheProgramUsable) {
  const int seed = EnvInt("QUILLON_ROBUSTNESS_SEED", 20261207);
  const int steps = EnvInt("QUILLON_ROBUSTNESS_STEPS", 3000);
  std::printf(
      "robustness: seed %d, %d steps; replay with QUILLON_ROBUSTNESS_SEED=%d "
      "QUILLON_ROBUSTNESS_STEPS=%d QT_QPA_PLATFORM=offscreen %s --gtest_filter=*RandomWalk*\n",
      seed, steps, seed, steps, qPrintable(QCoreApplication::applicationFilePath()));
  std::fflush(stdout);
  RandomWalk(static_cast<unsigned>(seed), steps).Run();
}

// Found by the walk: "終了(&Q)" in the simulation window's own context menu deleted the window
// while the menu it had opened was still running.
TEST(Robustness, TheSimulationWindowClosesFromItsOwnContextMenu) {
  quillon::PlanetForm form([] { return qint64{1718938800} * 1000; });
  form.show();
  form.MenuItem(QStringLiteral("mnuViewSimulation8"))->trigger();
  QPointer<quillon::SimulationForm> simulation = form.Simulation();
  ASSERT_TRUE(simulation);
  QTimer::singleShot(0, &form, [&form] {
    QWidget* menu = QApplication::activePopupWidget();
    ASSERT_NE(menu, nullptr);
    form.MenuItem(QStringLiteral("mnuSimEnd"))->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // as the menu's loop may
    menu->close();
  });
  QWidget* picture = simulation->layout()->itemAt(0)->widget();
  QTest::mouseRelease(picture, Qt::RightButton, {}, picture->rect().center());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(simulation);
  EXPECT_FALSE(form.SimulationFlag());
  // The main window's menu is back to the view items only.
  for (const char* name : {"mnuSimCopy", "mnuSimResetSize", "mnuSimNextEclipse", "mnuSimEnd"})
    EXPECT_FALSE(form.MenuItem(QString::fromLatin1(name))->isVisible()) << name;
}

}  // namespace

int main(int argc, char** argv) {
  // Settings and every saved file stay in a temporary home.
  QTemporaryDir home;
  qputenv("HOME", home.path().toLocal8Bit());
  qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral(".config")).toLocal8Bit());
  qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit());
  QStandardPaths::setTestModeEnabled(true);
  QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  QApplication app(argc, argv);
  quillon::SetUpApplication(app);
  qInstallMessageHandler(
      [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
        // Events the walk sends where nothing takes them, and what the offscreen platform lacks,
        // are no fault.
        if (text.contains(QLatin1String("not accepted by receiving widget")) ||
            text.startsWith(QLatin1String("This plugin does not support")))
          return;
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
        // Any other warning is a fault: a bad connection, a painter misused, a widget misplaced.
        if (type != QtDebugMsg && type != QtInfoMsg)
          ADD_FAILURE() << "warning: " << text.toStdString() << "\nthe last actions:\n" << gTrail;
      });
  for (int signal : {SIGSEGV, SIGABRT, SIGFPE, SIGBUS}) std::signal(signal, OnFatalSignal);
#ifdef QUILLON_HAS_DEATH_CALLBACK
  __sanitizer_set_death_callback(WriteTrail);
#endif
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

#include "robustness_test.moc"
