// The pictures compiled into the program.
#pragma once

namespace korven {

/// Registers the compiled-in resources; the program and the widget tests call it once.
void InitResources();

}  // namespace korven
