#pragma once

class QApplication;

namespace quillon {

/// What every window of the program expects of the application: its names, a Japanese face
/// where the desktop has one, and Qt's own dialog texts (file dialogs, buttons) in Japanese.
void SetUpApplication(QApplication& app);

}  // namespace quillon
