#pragma once

#include "app/ui_seam.h"

// The UI framework and the launcher windows behind the application core's UI hooks.
UiServices MakeLauncherUiServices();
