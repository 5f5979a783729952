// Resources of a static library are registered by hand.
#include "Resources.h"

#include <QtGlobal>

static void InitKorvenResources() { Q_INIT_RESOURCE(korven); }

namespace korven {

void InitResources() { InitKorvenResources(); }

}  // namespace korven
