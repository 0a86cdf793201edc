// The Quillon program. Until the main window exists every run is headless: with --json, --text or
// --find it answers as documented in --help, and without them it prints the --text output for the
// present time. No GUI application object is created, so no display is needed.
#include <iostream>
#include <string>
#include <vector>

#include "cli.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return quillon::QuillonMain(args, std::cout, std::cerr);
}
