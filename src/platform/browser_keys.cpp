#include "platform/browser_keys.h"

#include <cstring>

namespace {

struct NamedKey {
    const char* name;
    Key key;
};

const NamedKey BrowserKeyNames[] = {
    {"End", Key::End},        {"PageUp", Key::PageUp},    {"PageDown", Key::PageDown},
    {"ArrowLeft", Key::Left}, {"ArrowRight", Key::Right}, {"ArrowUp", Key::Up},
    {"ArrowDown", Key::Down},
};

} // namespace

bool KeyFromBrowserName(const char* name, Key* key) {
    for (const NamedKey& entry : BrowserKeyNames) {
        if (std::strcmp(entry.name, name) == 0) {
            *key = entry.key;
            return true;
        }
    }
    return false;
}
