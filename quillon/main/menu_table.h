#pragma once

#include <QKeySequence>
#include <functional>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;

namespace quillon {

/// One line of a menu: an item that runs `run`, a separator (caption "-"), or a submenu that
/// `fill` fills. `name` is the object name of the item or submenu (tests and the help find them
/// by it); `keep`, when given, receives the item's action.
struct MenuEntry {
  const char* caption;
  const char* name = "";
  std::function<void()> run = {};
  std::function<void(QMenu&)> fill = {};
  bool checkable = false;
  QKeySequence::StandardKey shortcut = QKeySequence::UnknownKey;
  QAction** keep = nullptr;
};

/// A top-level menu and its entries, in order.
struct MenuBarEntry {
  const char* caption;
  std::vector<MenuEntry> entries;
};

/// Adds the menus of `table` to `bar`.
void BuildMenuBar(QMenuBar& bar, const std::vector<MenuBarEntry>& table);
/// Adds `entries` to `menu`.
void AddMenuEntries(QMenu& menu, const std::vector<MenuEntry>& entries);
/// An item named `name`.
QAction* AddMenuItem(QMenu& menu, const QString& caption, const QString& name);

}  // namespace quillon
