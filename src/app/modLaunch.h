#pragma once

#include "desktop/CommandLine.h"

namespace DesktopBus {
class Service;
}

// Start-up: prepares the toolkit and shows the main window.
namespace modLaunch {

// Returned by Main while the program runs on.
constexpr int Running = -1;

// Shows a new main window, answers the bus through `service` (where there is one) and does the
// launch's own command; returns at once, with Running while a window is open, or the exit status
// when the command can't be done.
int Main(const CommandLine::Request &request = {}, DesktopBus::Service *service = nullptr);

// Qt needs no common-control registration; kept so start-up reads as one sequence.
bool InitCommonCtrls();

} // namespace modLaunch
