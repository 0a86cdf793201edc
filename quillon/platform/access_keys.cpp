#include "access_keys.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>

namespace quillon {
namespace {

// Chooses an item by a letter its caption shows but does not mark; the marked ones are the
// toolkit's own access keys.
class ShownAccessKeyFilter : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* menu = qobject_cast<QMenu*>(watched);
    if (menu == nullptr || event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if ((modifiers & ~(Qt::ShiftModifier | Qt::AltModifier)) != 0 || key->text().size() != 1) {
      return false;
    }
    QAction* item = ItemForAccessKey(*menu, key->text().front().toUpper());
    if (!item || item->text().contains(QLatin1Char('&'))) return false;
    menu->setActiveAction(item);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(menu, &enter);
    return true;
  }
};

}  // namespace

QChar ShownAccessKey(const QString& caption) {
  static const QRegularExpression shown(QStringLiteral("\\(&?([A-Za-z0-9])\\)"));
  const QRegularExpressionMatch match = shown.match(caption);
  return match.hasMatch() ? match.captured(1).front().toUpper() : QChar();
}

QAction* ItemForAccessKey(const QMenu& menu, QChar key) {
  for (QAction* item : menu.actions()) {
    if (item->isVisible() && item->isEnabled() && !item->isSeparator() &&
        ShownAccessKey(item->text()) == key.toUpper()) {
      return item;
    }
  }
  return nullptr;
}

void EnableShownAccessKeys(QMenu& menu) {
  menu.installEventFilter(new ShownAccessKeyFilter(&menu));
  for (QAction* item : menu.actions()) {
    if (QMenu* submenu = item->menu()) EnableShownAccessKeys(*submenu);
  }
}

void EnableShownAccessKeys(QMenuBar& bar) {
  for (QAction* item : bar.actions()) {
    if (QMenu* menu = item->menu()) EnableShownAccessKeys(*menu);
  }
}

}  // namespace quillon
