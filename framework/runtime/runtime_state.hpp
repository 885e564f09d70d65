#pragma once
// Framework-internal: the run time's own state shared by start-up, quitting, dispatch and
// the widgets.
namespace fw::detail {

// Makes the toolkit's application object if none exists yet.
void EnsureApplication();
// ThreadAccessingUIException off the GUI thread; RuntimeException before the toolkit runs.
void RequireGuiThread();
// Ends the event loop with this exit code. Without `force`, a request while quitting
// already does nothing; with it (an unhandled exception) the code is replaced.
void EndApplication(int exitCode, bool force);
bool IsQuitting();
int ExitCode();

}  // namespace fw::detail
