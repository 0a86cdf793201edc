#include "open_address.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include "help_window.h"
#include "program_strings.h"

namespace quillon {

void OpenAddress(const QString& address) { QDesktopServices::openUrl(QUrl(address)); }

void OpenWebPage() {
  const std::string_view page = ProgramString(ids::kWebPage);
  const QUrl installed(QString::fromUtf8(page.data(), static_cast<qsizetype>(page.size())));
  const QString besideBinary =
      QDir(QApplication::applicationDirPath())
          .filePath(QStringLiteral("../share/doc/quillon/help/topic0.html"));
  if (QFile::exists(installed.toLocalFile())) {
    QDesktopServices::openUrl(installed);
  } else if (QFile::exists(besideBinary)) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(besideBinary).canonicalFilePath()));
  } else {
    ShowHelp(0);
  }
}

}  // namespace quillon
