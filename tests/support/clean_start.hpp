#pragma once
// Every test case of a GUI test program starts as a run of the program would: the test main
// calls CleanStart before each case. A test program links one definition of it: the
// framework's tests reset what the framework holds, the system's tests that and what the
// system's own modules hold.
void CleanStart();
