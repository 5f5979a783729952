// Connects the main window's Graphics menu and elevation command to the graph windows.
#pragma once

namespace korven {

class TMainForm;

/// The twelve graph items open their graph's window; "View Shaft Elevation" opens (or brings
/// back) the one elevation view, which reads the project and its soil layer table.
void InstallGraphWindows(TMainForm& form);

}  // namespace korven
