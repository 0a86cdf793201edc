#include "application.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QTranslator>

#include "almacor/dialogs/dialogs.h"

namespace quillon {

void SetUpApplication(QApplication& app) {
  QApplication::setOrganizationName(QStringLiteral("Ferrant Laboratory"));
  QApplication::setApplicationName(QStringLiteral("Quillon"));
  // The installed desktop entry, by which the desktop finds the windows' icon and name.
  QGuiApplication::setDesktopFileName(QStringLiteral("jp.ferrantlab.quillon"));
  for (const QString& family :
       {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP")}) {
    if (QFontDatabase::hasFamily(family)) {
      QApplication::setFont(QFont(family, 9));
      break;
    }
  }
  almacor::dialogs::RegisterDialogs();
  auto* translator = new QTranslator(&app);
  if (translator->load(QStringLiteral("qtbase_ja"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(translator);
  }
}

}  // namespace quillon
