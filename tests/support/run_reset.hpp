#pragma once
// For test programs that run many cases in one process: brings what the framework holds back
// to how a run starts, so that no case sees what an earlier one left behind.
namespace fw {

// Begins a new run in place of the one under way, which destroys every window that run held
// (open or closed, without raising their events) and forgets its application object, file
// types and unhandled-exception handling. The new run has a test's seams: a clock at 0 that
// moves only by AdvanceTimersBy, a dialog presenter the test can watch and answer, a
// resource lookup that counts. Then empties the clipboard. Call it between cases, never
// while a handler runs.
void ResetToStartOfRun();

}  // namespace fw
