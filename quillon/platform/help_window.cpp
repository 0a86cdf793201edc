#include "help_window.h"

#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>

#include "tool_window.h"
#include "window_placement.h"

// The help pages live in a static library's resources, which are registered explicitly.
static void InitHelpResources() { Q_INIT_RESOURCE(help); }

namespace quillon {
namespace {

QPointer<QTextBrowser>& Browser() {
  static QPointer<QTextBrowser> browser;
  return browser;
}

}  // namespace

void ShowHelp(int context) {
  static const bool registered = (InitHelpResources(), true);
  (void)registered;
  QString page = QStringLiteral("qrc:/help/topic%1.html").arg(context);
  if (!QFile::exists(page.mid(3))) page = QStringLiteral("qrc:/help/topic0.html");
  if (!Browser()) {
    Browser() = new QTextBrowser;
    Browser()->setAttribute(Qt::WA_DeleteOnClose);
    Browser()->setWindowTitle(QStringLiteral("Quillonヘルプ"));
    Browser()->setWindowIcon(ProgramIcon());
    // Wide enough for the main window's picture and the tables beside the text.
    Browser()->resize(700, 560);
    // Beside the window help was asked from (the main window as a rule), wholly on its screen.
    PlaceWindow(*Browser(), QApplication::activeWindow());
    QObject::connect(Browser().data(), &QTextBrowser::sourceChanged, Browser().data(),
                     [](const QUrl&) {
                       const QString base = QStringLiteral("Quillonヘルプ");
                       const QString topic = Browser()->documentTitle();
                       Browser()->setWindowTitle(topic == base ? base : base + " - " + topic);
                     });
  }
  Browser()->setSource(QUrl(page));
  Browser()->show();
  Browser()->raise();
  Browser()->activateWindow();
}

void InstallHelpKey(QWidget& window, int context) {
  auto* key = new QShortcut(QKeySequence::HelpContents, &window);
  QObject::connect(key, &QShortcut::activated, &window, [context] { ShowHelp(context); });
}

void CloseHelpWindows() {
  if (Browser()) Browser()->close();
}

QWidget* HelpWindow() { return Browser(); }

}  // namespace quillon
