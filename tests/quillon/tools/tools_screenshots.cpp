// Renders each auxiliary window, filled with typical values, to a PNG in the folder given as the
// first argument (default: the current folder). Run it under a display, e.g. through
// scripts/screenshots.sh.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QThread>

#include "about_form.h"
#include "apparent_form.h"
#include "convert_form.h"
#include "fake_host.h"
#include "tool_window.h"

namespace {

void Save(QWidget& w, const QDir& dir, const QString& name) {
  w.show();
  for (int i = 0; i < 20; ++i) {
    QApplication::processEvents();
    QThread::msleep(10);
  }
  const QString path = dir.filePath(name);
  w.grab().save(path);
  qInfo("%s", qPrintable(path));
}

}  // namespace

int main(int argc, char** argv) {
  QStandardPaths::setTestModeEnabled(true);
  QApplication app(argc, argv);
  const QDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
  quillon::testing::FakeHost host({2024, 3, 20, 18, 30, 0});
  host.window.setWindowIcon(quillon::ProgramIcon());
  host.window.show();

  auto* apparent = new quillon::ApparentForm(host);
  const auto combos = apparent->findChildren<QComboBox*>();
  combos[0]->setCurrentIndex(1);
  combos[1]->setCurrentIndex(4);
  Save(*apparent, dir, "apparent.png");
  apparent->close();

  auto* convert = new quillon::ConvertForm(host);
  const auto fields = convert->findChildren<QLineEdit*>();
  fields[0]->setText("-123.456789");
  for (QPushButton* b : convert->findChildren<QPushButton*>()) {
    if (b->text() == "換算") {
      b->click();
      break;
    }
  }
  Save(*convert, dir, "convert.png");
  convert->close();

  quillon::AboutForm about(host);
  Save(about, dir, "about.png");
  quillon::ProgramIcon().pixmap(64, 64).save(dir.filePath("icon64.png"));
  return 0;
}
