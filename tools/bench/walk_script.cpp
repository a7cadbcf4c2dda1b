#include "walk_script.h"

#include <cstring>

// Turns are multiples of 63 ticks (about a quarter turn at 0.025 radian per tick); a walking
// tick moves 0.025 units, so 40 ticks cross half a tile.
const char* const DefaultWalk =
    // From the start, turn east and walk to the east wall, then north along it past a heart.
    "L103 U240 L63 U440 "
    // West along the north corridor between tables, hearts and pillars, looking up and down.
    "L63 U520 P60 N120 E1 U520 "
    // South beside a long colonnade, then west past a heart and broken pillars.
    "L63 U540 R63 U480 "
    // A full turn on the spot, a curve back east and a close look at the last wall.
    "L252 R126 UR40 U600 D200 UL60 U300";

namespace {

// The key a script letter stands for; false for any other character.
bool LetterKey(char letter, Key& key) {
    static const char Letters[] = "EPNLRUD"; // in the order of Key
    const char* found = letter != '\0' ? std::strchr(Letters, letter) : nullptr;
    if (found == nullptr) {
        return false;
    }
    key = static_cast<Key>(found - Letters);
    return true;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Parses one step at text, leaving text after it. False when it is malformed.
bool ParseStep(const char*& text, WalkStep& step) {
    step = WalkStep{0, 0};
    Key key;
    while (LetterKey(*text, key)) {
        if ((step.keys & KeyBit(key)) != 0) {
            return false;
        }
        step.keys = static_cast<uint8_t>(step.keys | KeyBit(key));
        ++text;
    }
    uint64_t ticks = 0;
    const char* digits = text;
    while (IsDigit(*text)) {
        ticks = ticks * 10 + static_cast<uint64_t>(*text - '0');
        if (ticks > MaxWalkTicks) {
            return false;
        }
        ++text;
    }
    step.ticks = static_cast<uint32_t>(ticks);
    const bool separated = *text == '\0' || *text == ' ';
    return step.keys != 0 && text != digits && ticks > 0 && separated;
}

} // namespace

bool ParseWalk(const char* script, Walk& walk) {
    walk = Walk{{}, 0};
    const char* text = script;
    for (;;) {
        while (*text == ' ') {
            ++text;
        }
        if (*text == '\0') {
            return !walk.steps.empty();
        }
        WalkStep step;
        if (!ParseStep(text, step) || walk.totalTicks + step.ticks > MaxWalkTicks) {
            return false;
        }
        walk.steps.push_back(step);
        walk.totalTicks += step.ticks;
    }
}

uint8_t NextTickKeys(const Walk& walk, WalkCursor& cursor) {
    const WalkStep& step = walk.steps[cursor.step];
    if (++cursor.tick == step.ticks) {
        cursor.tick = 0;
        cursor.step = cursor.step + 1 == walk.steps.size() ? 0 : cursor.step + 1;
    }
    return step.keys;
}
