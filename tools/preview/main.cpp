// ferrowind-preview: renders one control to an image, prints or saves its properties, or draws
// a gallery of its looks. `ferrowind-preview --help` describes the arguments.
#include <iostream>
#include <string>
#include <vector>

#include "tools/preview/preview_run.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  return fw::preview::RunPreview(args, std::cout, std::cerr);
}
