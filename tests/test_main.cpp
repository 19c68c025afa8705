// Every test program runs under the program's own floating-point setting.
#include <gtest/gtest.h>

#include "toolkit/fpu_control.h"

int main(int argc, char** argv) {
  lobrin::SetExtendedPrecisionNoTraps();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
