#pragma once

// Start-up: prepares the toolkit and shows the main window.
namespace modLaunch {

// Shows a new main window and returns at once; the program runs while a window is open.
void Main(bool minimized = false);

// Qt needs no common-control registration; kept so start-up reads as one sequence.
bool InitCommonCtrls();

} // namespace modLaunch
