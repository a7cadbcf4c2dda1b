// The browser's names for the seven keys the tick reads.
#pragma once

#include "scene/tick.h"

// Finds the Key for a KeyboardEvent.key value ("ArrowUp", "PageDown", "End", ...). Returns
// false, leaving *key alone, for every other key so that its default action stays intact.
bool KeyFromBrowserName(const char* name, Key* key);
