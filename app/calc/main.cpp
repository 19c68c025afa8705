// lobrin-calc: the calculator on the command line. For each frequency a fresh
// calculator graph gets the two beamwidths and that frequency, Calculate is
// clicked once, and the four texts its result boxes then show are printed.

#include <cstdio>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "app/calc/arguments.h"
#include "app/calc/report.h"
#include "app/headless_calculator.h"
#include "app/version.h"
#include "toolkit/fpu_control.h"

namespace lobrin::calc {
namespace {

constexpr int kExitUsage = 2;

constexpr char kUsageLine[] = "Usage: lobrin-calc [--csv] [--] H-PLANE E-PLANE FREQUENCY [FREQUENCY...]\n";

constexpr char kHelp[] =
    "Optimum stacking distance of two identical long Yagi antennas, in metres\n"
    "and in feet, for each FREQUENCY (MHz), from the -3 dB beamwidths of one\n"
    "antenna in its H-plane and E-plane (degrees): D = W / (2 sin(B/2)), W = 300/F.\n"
    "\n"
    "Each text is read as the Lobrin window reads what is typed into its box:\n"
    "\"1,5\" is 15, \"30deg\" is 30, \"+30\" is 30, \"3e1\" is 30, and a text\n"
    "without digits is 0. A box the window would leave empty prints empty.\n"
    "\n"
    "  --csv      print RFC 4180 CSV instead of a table\n"
    "  --help     print this text\n"
    "  --version  print the version\n"
    "  --         read every later argument as a text, even one that begins with --\n";

void Write(std::FILE* stream, const std::string& text) { std::fwrite(text.data(), 1, text.size(), stream); }

int Run(const std::vector<std::string>& arguments) {
  Request request;
  std::string problem;
  if (!ReadArguments(arguments, request, problem)) {
    Write(stderr, "lobrin-calc: " + problem + "\n" + kUsageLine + "Try 'lobrin-calc --help'.\n");
    return kExitUsage;
  }
  if (request.help) {
    Write(stdout, std::string(kUsageLine) + "\n" + kHelp);
    return 0;
  }
  if (request.version) {
    Write(stdout, "lobrin-calc " LOBRIN_VERSION "\n");
    return 0;
  }
  std::vector<Row> rows;
  for (const std::string& frequency : request.frequencies) {
    rows.push_back({frequency, CalculateOnce(request.hPlaneBeamwidth, request.ePlaneBeamwidth, frequency)});
  }
  if (request.format == Format::kCsv) {
#ifdef _WIN32
    // CSV records end in CR LF as they are: no newline translation.
    std::fflush(stdout);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    Write(stdout, CsvOf(rows));
  } else {
    Write(stdout, TableOf(rows));
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace
}  // namespace lobrin::calc

int main(int argc, char** argv) {
  lobrin::SetExtendedPrecisionNoTraps();
  return lobrin::calc::Run(std::vector<std::string>(argv + 1, argv + argc));
}
