#include "menu_table.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace quillon {

void BuildMenuBar(QMenuBar& bar, const std::vector<MenuBarEntry>& table) {
  for (const MenuBarEntry& menu : table) {
    AddMenuEntries(*bar.addMenu(QString::fromUtf8(menu.caption)), menu.entries);
  }
}

void AddMenuEntries(QMenu& menu, const std::vector<MenuEntry>& entries) {
  for (const MenuEntry& entry : entries) {
    const QString caption = QString::fromUtf8(entry.caption);
    const QString name = QString::fromUtf8(entry.name);
    QAction* action = nullptr;
    if (caption == QStringLiteral("-")) {
      action = menu.addSeparator();
      action->setObjectName(name);
    } else if (entry.fill) {
      QMenu* submenu = menu.addMenu(caption);
      submenu->setObjectName(name);
      action = submenu->menuAction();
      action->setObjectName(name);
      entry.fill(*submenu);
    } else {
      action = AddMenuItem(menu, caption, name);
      action->setCheckable(entry.checkable);
      if (entry.shortcut != QKeySequence::UnknownKey) action->setShortcut(entry.shortcut);
      if (entry.run) QObject::connect(action, &QAction::triggered, &menu, entry.run);
    }
    if (entry.keep) *entry.keep = action;
  }
}

QAction* AddMenuItem(QMenu& menu, const QString& caption, const QString& name) {
  QAction* action = menu.addAction(caption);
  action->setObjectName(name);
  return action;
}

}  // namespace quillon
