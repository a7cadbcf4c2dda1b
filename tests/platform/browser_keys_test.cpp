#include <gtest/gtest.h>

#include <set>

#include "platform/browser_keys.h"

namespace {

TEST(BrowserKeysTest, NamesTheSevenKeysTheDemoReads) {
    const struct {
        const char* name;
        Key key;
    } cases[] = {
        {"End", Key::End},        {"PageUp", Key::PageUp},    {"PageDown", Key::PageDown},
        {"ArrowLeft", Key::Left}, {"ArrowRight", Key::Right}, {"ArrowUp", Key::Up},
        {"ArrowDown", Key::Down},
    };
    std::set<Key> found;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Key key = Key::End;
        ASSERT_TRUE(KeyFromBrowserName(c.name, &key));
        EXPECT_EQ(key, c.key);
        found.insert(key);
    }
    EXPECT_EQ(found.size(), 7u);
}

TEST(BrowserKeysTest, LeavesOtherKeysToTheBrowser) {
    // Old browsers' short names, other cases, padding, prefixes and unrelated keys.
    const char* const others[] = {"Up",       "Left",   "arrowup", "ARROWDOWN", "ArrowUp ",
                                  "ArrowUpX", "Arrow",  "PageUp2", "Pageup",    "Home",
                                  "Numpad8",  "Escape", "w",       " End",      ""};
    for (const char* name : others) {
        SCOPED_TRACE(name);
        Key key = Key::Down;
        EXPECT_FALSE(KeyFromBrowserName(name, &key));
        EXPECT_EQ(key, Key::Down);
    }
}

} // namespace
