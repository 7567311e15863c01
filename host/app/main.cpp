// tidewater-host: plays a level with bots, or checks a level's files.
#include <iostream>

#include "app/HostApp.h"
#include "app/HostCommandLine.h"

int main(int argc, char** argv) {
  int exitCode = 0;
  const auto options = HostCommandLine::Parse(argc, argv, exitCode, std::cout, std::cerr);
  if (!options) return exitCode;
  HostApp app(std::cout, std::cerr);
  return app.Run(*options);
}
