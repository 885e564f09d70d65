#include "tests/support/clean_start.hpp"
#include "tests/support/run_reset.hpp"

void CleanStart() { fw::ResetToStartOfRun(); }
