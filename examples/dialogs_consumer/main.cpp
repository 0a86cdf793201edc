// The observer dialog of the installed library, built offscreen: prints its title and the
// observer it shows.
#include <QApplication>
#include <QLineEdit>
#include <cstdio>

#include "almacor/dialogs/dialogs.h"
#include "almacor/dialogs/location_form.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  almacor::dialogs::RegisterDialogs();
  almacor::dialogs::LocationForm form;
  std::printf("%s:", form.windowTitle().toUtf8().constData());
  for (const QLineEdit* field : form.findChildren<QLineEdit*>()) {
    std::printf(" %s", field->text().toUtf8().constData());
  }
  std::printf("\n");
}
