#pragma once
// For test programs that run many cases in one process: brings what the framework holds back
// to how a run starts, so that no case sees what an earlier one left behind.
namespace fw {

// Destroys every window the framework holds (open or closed, without raising their events),
// forgets the application object with its menu handlers and the start-up record, ends the
// quitting state, sets the test clock back to 0, forgets the resource lookups and the
// folder they were pointed at, restores the default unhandled-exception handling, drops the
// message-box observer, gives printing the platform's dialog again, and empties the
// clipboard. Call it between cases, never while a handler runs.
void ResetToStartOfRun();

}  // namespace fw
