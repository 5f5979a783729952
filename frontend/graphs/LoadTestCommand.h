// Graphics > "Load Test...": a measured load test over the load-settlement graphs of the main
// window, kept beside the project as PROJECT.tests.csv and drawn again when it is reopened.
#pragma once

#include <QStringList>
#include <functional>

namespace korven {

class TMainForm;

/// Asks for a load-test record and the run's diameter to compare it with, draws it and keeps it
/// beside the project. A record that cannot be read is refused with its message; the graphs
/// stay as they were.
void LoadTestClick(TMainForm& form);

/// After results were loaded: the load test kept beside the project, if there is one, drawn
/// again; a damaged one is reported and left out.
void RestoreLoadTest(TMainForm& form);

/// Chooses the diameter among the run's curve names, starting at `current`; -1 for cancel.
/// Tests put their own answer here; null puts the dialog back.
using TDiameterChooser = std::function<int(const QStringList& names, int current)>;
void SetDiameterChooser(TDiameterChooser chooser);

}  // namespace korven
