// The settings command: the colour theme and the information pages.
#pragma once

#include "console/console.h"

void runSettings(Console& console);
