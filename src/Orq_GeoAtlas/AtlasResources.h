// The atlas's resources in the platform's resource table.
#pragma once

namespace orq {

// Registers "POINTR", "ZOOMIN", "CURGEOZOOM" and "CURGEOHAND"; any number
// of calls register them once.
void RegisterAtlasResources();

}  // namespace orq
