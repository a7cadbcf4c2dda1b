// Keys by name for the bindings of the window programs: the usual key of each action, and the
// names of SDL's keys as Windows' virtual keys, so that one settings file serves both.
#pragma once

#include <string>
#include <vector>

#include "cli/present_options.h"

// The key each action has unless bound to others, by SDL's name.
extern const char* const UsualKeyNames[KeyActionCount];

// The names an action is bound to: the list in names, else its usual key.
std::vector<std::string> ActionKeyNames(const KeyNames& names, KeyAction action);

// The virtual-key code of an SDL key name ("W", "Up", "PageDown", "F11", "Left Shift",
// "Keypad 8", ...), in any letter case; 0 when Windows has no such key.
int VirtualKeyFromName(const std::string& name);
