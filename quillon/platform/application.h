#pragma once

class QApplication;

namespace quillon {

/// What every window of the program expects of the application: its names, a Japanese face
/// where the desktop has one, Qt's own dialog texts (file dialogs, buttons) in Japanese, and the
/// observer dialog behind Calendar::LocationInput.
void SetUpApplication(QApplication& app);

}  // namespace quillon
