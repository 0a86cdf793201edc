#pragma once

#include <functional>
#include <ostream>
#include <stdexcept>
#include <string>

namespace quillon {

/// A file that could not be written; the message names the path and the reason.
class FileWriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// Writes `write`'s output to `path` as a whole: into a new temporary file in the same directory,
/// renamed over `path` only once everything was written, with the permissions a new file would
/// get. Raises FileWriteError when the file cannot be written; nothing is left behind then.
/// Errors of `write` propagate, also leaving nothing behind.
void WriteFileAtomically(const std::string& path, const std::function<void(std::ostream&)>& write);

}  // namespace quillon
