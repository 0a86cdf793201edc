#pragma once

#include <QChar>
#include <QString>

class QAction;
class QMenu;
class QMenuBar;

namespace quillon {

/// The access key a caption shows: the letter in "(&A)" or "(A)", upper case; a null QChar when
/// it shows none.
QChar ShownAccessKey(const QString& caption);

/// The visible, enabled item of `menu` whose caption shows `key` (as ShownAccessKey reads it);
/// null when none does.
QAction* ItemForAccessKey(const QMenu& menu, QChar key);

/// Makes every letter shown in parentheses in the captions of `menu` and its submenus work as the
/// item's access key, also where the caption does not mark it with "&" ("角度換算(A)"): the key
/// chooses the item as Enter would. The captions stay as they are.
void EnableShownAccessKeys(QMenu& menu);
/// The same for every menu of the menu bar.
void EnableShownAccessKeys(QMenuBar& bar);

}  // namespace quillon
