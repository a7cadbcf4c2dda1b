#include "platform/browser_keys.h"

#include <cstring>
#include <strings.h>

#include "cli/option_values.h"

namespace {

// The usual keys of each KeyAction, in its order.
const char* const UsualBrowserKeys[KeyActionCount] = {
    "End", "PageUp", "PageDown", "ArrowLeft", "ArrowRight", "ArrowUp", "ArrowDown", "", "F12", "F9",
};

const char* const NamedBrowserKeys[] = {
    "ArrowUp", "ArrowDown", "ArrowLeft", "ArrowRight", "PageUp",   "PageDown",  "Home",
    "End",     "Insert",    "Delete",    "Enter",      "Tab",      "Backspace", "Escape",
    "Shift",   "Control",   "Alt",       "Meta",       "CapsLock", "AltGraph",  "ContextMenu",
};

// The KeyboardEvent.key value a binding's name stands for.
std::string BrowserKeyValue(const std::string& name) {
    return strcasecmp(name.c_str(), "Space") == 0 ? " " : name;
}

bool ListHolds(const std::string& list, const char* name) {
    if (list.empty()) {
        return false;
    }
    for (const std::string& bound : SplitKeyNames(list)) {
        if (strcasecmp(BrowserKeyValue(bound).c_str(), name) == 0) {
            return true;
        }
    }
    return false;
}

bool IsFunctionKey(const std::string& name) {
    if (name.size() < 2 || name.size() > 3 || name[0] != 'F' || name[1] < '1' || name[1] > '9') {
        return false;
    }
    const int number = name.size() == 2 ? name[1] - '0' : (name[1] - '0') * 10 + (name[2] - '0');
    return (name.size() == 2 || (name[2] >= '0' && name[2] <= '9')) && number <= 24;
}

} // namespace

bool KeyFromBrowserName(const char* name, Key* key) {
    KeyAction action;
    if (!ActionFromBrowserName(KeyNames{}, name, &action) || static_cast<int>(action) >= KeyCount) {
        return false;
    }
    *key = static_cast<Key>(action);
    return true;
}

bool ActionFromBrowserName(const KeyNames& names, const char* name, KeyAction* action) {
    for (int index = 0; index < KeyActionCount; ++index) {
        const std::string& bound = names.action[index];
        const bool held = bound.empty()
                              ? std::strcmp(UsualBrowserKeys[index], name) == 0 && *name != '\0'
                              : ListHolds(bound, name);
        if (held) {
            *action = static_cast<KeyAction>(index);
            return true;
        }
    }
    return false;
}

bool BrowserKnowsKeyName(const std::string& name) {
    if (name.size() == 1 || strcasecmp(name.c_str(), "Space") == 0 || IsFunctionKey(name)) {
        return true;
    }
    for (const char* named : NamedBrowserKeys) {
        if (name == named) {
            return true;
        }
    }
    return false;
}
