// The headless command line driven by the input: the input is split at NUL bytes into arguments,
// parsed, and a parsed command whose work is small (no output file, a few instants or events) is
// run into memory. A bad command line must end as a UsageError, an almacor::Error or an exit
// status, never as a crash, a hang, a sanitizer report or another exception.
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "almacor/error.h"
#include "cli.h"

namespace {

using quillon::CommandLine;

bool SmallEnoughToRun(const CommandLine& c) {
  if (c.output || c.count > 3) return false;
  if (c.from && c.to) {
    const double span = almacor::Date::FromCivil(*c.to).Days() -
                        almacor::Date::FromCivil(*c.from).Days();
    return span * 86400.0 / static_cast<double>(c.stepSeconds) <= 40;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> args(1);
  for (std::size_t i = 0; i < size && args.size() <= 16; ++i) {
    if (data[i] == 0) {
      args.emplace_back();
    } else {
      args.back() += static_cast<char>(data[i]);
    }
  }
  for (const std::string& arg : args) quillon::ParseDateTime(arg);
  CommandLine command;
  try {
    command = quillon::ParseCommandLine(args);
  } catch (const quillon::UsageError&) {
    return 0;
  }
  if (!SmallEnoughToRun(command)) return 0;
  std::ostringstream out, err;
  try {
    const int status = quillon::RunCommandLine(command, out, err, 1718938800);  // 2024-06-21 03:00Z
    if (status != 0 && status != 3) __builtin_trap();
  } catch (const quillon::UsageError&) {
    // A value the library rejects: exit status 2.
  } catch (const almacor::Error&) {
    // A computation that cannot be done at this instant: exit status 1.
  }
  return 0;
}
