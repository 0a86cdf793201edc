#include "tool_window.h"

#include <QFont>
#include <QIcon>
#include <QPainter>
#include <QWidget>

// Outside any namespace, as the resource initializer requires.
static void InitIconResources() { Q_INIT_RESOURCE(icons); }

namespace quillon {

void ApplyWindowFont(QWidget& window) {
  QFont font = window.font();
  font.setFamilies({"Noto Sans CJK JP", "Yu Gothic UI", "Meiryo UI", "MS UI Gothic"});
  font.setPointSize(9);
  window.setFont(font);
}

void DrawEtchedLine(QPainter& painter, const QWidget& window, int y) {
  const QPalette& palette = window.palette();
  painter.setPen(palette.color(QPalette::Dark));
  painter.drawLine(0, y, window.width() - 1, y);
  painter.setPen(palette.color(QPalette::Light));
  painter.drawLine(0, y + 1, window.width() - 1, y + 1);
}

QIcon ProgramIcon() {
  static const bool initialized = (InitIconResources(), true);
  (void)initialized;
  QIcon icon;
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    icon.addFile(QStringLiteral(":/icons/quillon-%1.png").arg(size), QSize(size, size));
  }
  return icon;
}

QIcon HostIcon(const QWidget* host) {
  if (host != nullptr && !host->windowIcon().isNull()) return host->windowIcon();
  return ProgramIcon();
}

}  // namespace quillon
