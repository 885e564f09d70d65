#pragma once
// For test programs that run many cases in one process: brings what the framework holds back
// to how a run starts, so that no case sees what an earlier one left behind.
namespace fw {

// Destroys every window the framework holds (open or closed, without raising their events),
// forgets the application object with its menu handlers, restores the default
// unhandled-exception handling, begins a new run with a test's seams (a clock at 0 that
// moves only by AdvanceTimersBy, a dialog presenter the test can watch and answer, a
// resource lookup that counts) and empties the clipboard. Call it between cases, never
// while a handler runs.
void ResetToStartOfRun();

}  // namespace fw
