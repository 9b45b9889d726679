#pragma once

#include "app/launcher_context.h"

// The update engine's states as the launcher context makes them for its requests: the worker's
// first tick, the launcher check and game update requests, and the pre-download start.
StateFactory MakeUpdateStateFactory();
