#include "framework/test_support.hpp"
#include "tests/support/clean_start.hpp"

void CleanStart() { fw::ResetToStartOfRun(); }
