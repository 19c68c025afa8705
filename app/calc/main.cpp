// lobrin-calc: the calculator on the command line. For each frequency given
// as an argument, or each record of a CSV file (--batch), the calculator's
// graph starts afresh, gets the two beamwidths and the frequency, Calculate
// is clicked once, and the four texts its result boxes then show are
// printed, with the distances in wavelengths and the tolerance band on request.
// With --stack it prints what a stack of the antenna gives instead, from the
// stack model, and draws its chart on request.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "app/calc/arguments.h"
#include "app/calc/batch.h"
#include "app/calc/columns.h"
#include "app/calc/output.h"
#include "app/calc/report.h"
#include "app/calc/row_calculator.h"
#include "app/calc/stack_run.h"
#include "app/version.h"
#include "toolkit/fpu_control.h"

namespace lobrin::calc {
namespace {

constexpr int kExitUsage = 2;

constexpr char kUsageLines[] =
    "Usage: lobrin-calc [OPTION...] [--] H-PLANE E-PLANE FREQUENCY [FREQUENCY...]\n"
    "       lobrin-calc [OPTION...] --batch FILE\n"
    "       lobrin-calc --stack [OPTION...] [--] H-PLANE E-PLANE FREQUENCY...\n";

constexpr char kHelp[] =
    "Optimum stacking distance of two identical long Yagi antennas, in metres\n"
    "and in feet, for each FREQUENCY (MHz), from the -3 dB beamwidths of one\n"
    "antenna in its H-plane and E-plane (degrees): D = W / (2 sin(B/2)), W = 300/F.\n"
    "\n"
    "Each text is read as the Lobrin window reads what is typed into its box:\n"
    "\"1,5\" is 15, \"30deg\" is 30, \"+30\" is 30, \"3e1\" is 30, and a text\n"
    "without digits is 0. A box the window would leave empty prints empty.\n"
    "\n"
    "  --batch FILE     read one antenna per CSV record of FILE (- is standard\n"
    "                   input): H-plane beamwidth, E-plane beamwidth, frequency;\n"
    "                   a first record h_plane,e_plane,frequency is skipped.\n"
    "                   Writes a row per record as it reads: CSV (never a\n"
    "                   table), or JSON Lines with --json\n"
    "  --csv            print RFC 4180 CSV instead of a table\n"
    "  --json           print JSON Lines: an object per row, named as the CSV\n"
    "                   columns; an empty box is null\n"
    "  --wavelengths    add the distance in wavelengths, 1 / (2 sin(B/2)), per plane\n"
    "  --tolerance DEG  add the distance in metres at B + DEG (low) and B - DEG\n"
    "                   (high) per plane; empty where that beamwidth is not\n"
    "                   between 0 and 360\n"
    "  --help           print this text\n"
    "  --version        print the version\n"
    "  --               read every later argument as a text, even one that\n"
    "                   begins with --\n"
    "\n"
    "--stack prints what a stack of NE x NH such antennas gives, from a model\n"
    "(no coupling, no feed loss, free space; see lobrin-calc(1)): per FREQUENCY\n"
    "the spacings, the gain of each plane's line and of the stack over one\n"
    "antenna, and per plane the stack's beamwidth and strongest lobe. Every\n"
    "number is read strictly here: a decimal number, nothing else. With\n"
    "--batch a record may add spacing_e_m,spacing_h_m (metres, empty: DL6WU).\n"
    "  --bays-e N       antennas side by side in the E-plane, 1 to 8 (2)\n"
    "  --bays-h N       antennas in the H-plane, 1 to 8 (2)\n"
    "  --spacing-e M    E-plane spacing in metres (the DL6WU distance)\n"
    "  --spacing-h M    H-plane spacing in metres (the DL6WU distance)\n"
    "  --sidelobes S    one antenna's level outside its main lobe, S dB below\n"
    "                   the peak, 0 to 60 (none)\n"
    "  --sweep F:T:S    print each plane's line gain and strongest lobe for the\n"
    "                   spacings F, F+S, ... T wavelengths; FREQUENCY optional\n"
    "  --svg FILE       write the chart of the one FREQUENCY as SVG\n"
    "\n"
    "Exit status: 0 done, 1 a bad record, an unreadable FILE or a failed write,\n"
    "2 a mistake on the command line (a bad number among them).\n";

void Write(std::FILE* stream, const std::string& text) { std::fwrite(text.data(), 1, text.size(), stream); }

// The rows of the frequencies given as arguments, in the requested format.
void RunArguments(const Request& request, Output& output) {
  const std::vector<Column> columns = ColumnsOf(false, request.wavelengths, request.tolerance);
  RowCalculator calculator({request.wavelengths, request.tolerance, request.toleranceDegrees});
  std::vector<Cells> rows;
  for (const std::string& frequency : request.frequencies) {
    Cells cells(columns.size());
    cells[0] = frequency;
    calculator.Calculate(request.hPlaneBeamwidth, request.ePlaneBeamwidth, frequency, cells, 1);
    rows.push_back(std::move(cells));
  }
  AppendRows(request.format, columns, rows, output.text());
}

void WriteUsageProblem(const std::string& problem) {
  Write(stderr, "lobrin-calc: " + problem + "\n" + kUsageLines + "Try 'lobrin-calc --help'.\n");
}

int Run(const std::vector<std::string>& arguments) {
  Request request;
  std::string problem;
  if (!ReadArguments(arguments, request, problem)) {
    WriteUsageProblem(problem);
    return kExitUsage;
  }
  if (request.help) {
    Write(stdout, std::string(kUsageLines) + "\n" + kHelp);
    return 0;
  }
  if (request.version) {
    Write(stdout, "lobrin-calc " LOBRIN_VERSION "\n");
    return 0;
  }
#ifdef _WIN32
  // CSV records end in CR LF and JSON lines in LF, as they are: no newline translation.
  if (request.batch || request.format != Format::kDefault) {
    _setmode(_fileno(stdout), _O_BINARY);
  }
#endif
  Output output(stdout);
  int status = 0;
  if (request.stack.on && request.batch) {
    status = RunStackBatch(request, output);
  } else if (request.stack.on) {
    status = RunStack(request, output, problem);
    if (status == kExitUsage) {
      WriteUsageProblem(problem);
      return kExitUsage;
    }
  } else if (request.batch) {
    status = RunBatch(request, output);
  } else {
    RunArguments(request, output);
  }
  if (!output.Finish()) {
    Write(stderr, std::string("lobrin-calc: standard output: ") + std::strerror(output.error()) + "\n");
    return 1;
  }
  return status;
}

}  // namespace
}  // namespace lobrin::calc

int main(int argc, char** argv) {
  lobrin::SetExtendedPrecisionNoTraps();
  return lobrin::calc::Run(std::vector<std::string>(argv + 1, argv + argc));
}
