// A program that faults with nothing to handle it but the fatal error report.
#include "app/fatal_error_report.h"

int main() {
  lobrin::InstallFatalErrorReport();
  volatile int* nowhere = nullptr;
  *nowhere = 1;
  return 0;
}
