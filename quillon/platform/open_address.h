#pragma once

class QString;

namespace quillon {

/// Opens `address` (a web or file address) with the desktop's handler.
void OpenAddress(const QString& address);

/// The maker's web pages: the copy installed with the program; run from a build tree, the copy
/// beside the binary; failing both, the help window's contents.
void OpenWebPage();

}  // namespace quillon
