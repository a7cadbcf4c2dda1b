// The browser's names for the keys: the seven keys the tick reads, and the keys each action is
// bound to in the page, by KeyboardEvent.key value.
#pragma once

#include <string>

#include "cli/present_options.h"
#include "scene/tick.h"

// Finds the Key for a KeyboardEvent.key value ("ArrowUp", "PageDown", "End", ...). Returns
// false, leaving *key alone, for every other key so that its default action stays intact.
bool KeyFromBrowserName(const char* name, Key* key);

// Finds the action a KeyboardEvent.key value is bound to: one of the names listed for it in
// names, else one of its usual keys ("ArrowUp" walks forward, F12 takes a screenshot, F9 a clip;
// fullscreen has none, the browser's own F11 serves). Letters match in either case, and the
// name "Space" stands for the space bar's " ". False, leaving *action alone, for other keys.
bool ActionFromBrowserName(const KeyNames& names, const char* name, KeyAction* action);

// Whether a key of the browser's keyboards has this name: a single character, "Space", F1 to
// F24, or one of the named keys of the navigation, editing and modifier groups.
bool BrowserKnowsKeyName(const std::string& name);
