#include "cli/drav_option_table.h"

#include "cli/present_options.h"
#include "render/renderer.h"
#include "scene/tick.h"

const OptionEntry ScaleOption = {"--scale",
                                 "K",
                                 "frame of 320K x 240K pixels (default 1: 320x240)",
                                 OptionKind::WholeNumber,
                                 1,
                                 MaxFrameScale};
const OptionEntry ThreadsOption = {"--threads",
                                   "N",
                                   "threads that draw the frame (default: one per usable core)",
                                   OptionKind::WholeNumber,
                                   1,
                                   MaxRenderThreads};

namespace {

const OptionEntry FrameRateCapOption = {
    "--fps-cap",
    "N",
    "at most N frames a second, sleeping in between (default 0: no cap)",
    OptionKind::WholeNumber,
    0,
    MaximumFramesPerSecondCap};
const OptionEntry VsyncOption = {
    "--vsync",        nullptr, "wait for the display's refresh to show each frame",
    OptionKind::Flag, 0,       0};
const OptionEntry FullscreenOption = {
    "--fullscreen",   nullptr, "start in fullscreen (F11 or Alt+Enter switch at any time)",
    OptionKind::Flag, 0,       0};
const OptionEntry RecordOption = {
    "--record",       "DEMO", "play normally and record the session into a demo file",
    OptionKind::Text, 0,      0};
const OptionEntry PlayOption = {
    "--play",
    "DEMO",
    "play the demo's keys in real time instead of the keyboard's, check every check record and "
    "quit at its end: status 0 when all matched, 3 when not",
    OptionKind::Text,
    0,
    0};

const OptionEntry CapturesOption = {"--captures",
                                    "DIR",
                                    "folder of the F12 screenshots and F9 clips, made when missing "
                                    "(default: the pictures folder's drav folder)",
                                    OptionKind::Text,
                                    0,
                                    0};

const OptionEntry ConfigOption = {
    "--config",
    "FILE",
    "settings file to read instead of the usual one; the command line wins over it",
    OptionKind::Text,
    0,
    0,
    true};
const OptionEntry WriteConfigOption = {
    "--write-config",
    nullptr,
    "write the settings as they stand, every key with its default, into the settings file and "
    "exit",
    OptionKind::Flag,
    0,
    0,
    true};
const OptionEntry ResizableOption = {
    "--resizable",
    nullptr,
    "let the window be resized and maximised; the frame keeps a whole factor, centred",
    OptionKind::Flag,
    0,
    0};
const OptionEntry SmoothOption = {
    "--smooth",
    nullptr,
    "draw each frame between the last step and the next, for smooth motion",
    OptionKind::Flag,
    0,
    0};
const OptionEntry MouseOption = {"--mouse",
                                 nullptr,
                                 "turn and tilt the view with the mouse, which the window captures "
                                 "(Escape or leaving the window frees it, a click takes it again)",
                                 OptionKind::Flag,
                                 0,
                                 0};
const OptionEntry MouseSensitivityOption = {
    "--mouse-sensitivity",
    "N",
    "mouse turning speed in percent (default 100: 0.002 radian a pixel)",
    OptionKind::WholeNumber,
    MinMouseSensitivity,
    MaxMouseSensitivity};
const OptionEntry MouseInvertOption = {
    "--mouse-invert", nullptr, "moving the mouse forward tilts the view down",
    OptionKind::Flag, 0,       0};

const OptionEntry WindowSizeOption = {
    "--window-size",
    "WxH",
    "client size of a resizable window, kept in the settings file at exit (default: the "
    "frame's window size)",
    OptionKind::Size,
    1,
    16384};

// A key binding: a list of key names for one action.
constexpr OptionEntry KeyOption(const char* name, const char* help) {
    return OptionEntry{name, "KEYS", help, OptionKind::KeyList, 0, 0};
}

// One per KeyAction, in its order.
const OptionEntry KeyLevelOption =
    KeyOption("--key-level", "keys that level the view (default: End)");
const OptionEntry KeyLookUpOption =
    KeyOption("--key-look-up", "keys that tilt the view up (default: PageUp)");
const OptionEntry KeyLookDownOption =
    KeyOption("--key-look-down", "keys that tilt the view down (default: PageDown)");
const OptionEntry KeyLeftOption = KeyOption("--key-left", "keys that turn left (default: Left)");
const OptionEntry KeyRightOption =
    KeyOption("--key-right", "keys that turn right (default: Right)");
const OptionEntry KeyForwardOption =
    KeyOption("--key-forward", "keys that walk forward (default: Up)");
const OptionEntry KeyBackOption =
    KeyOption("--key-back", "keys that walk backward (default: Down)");
const OptionEntry KeyFullscreenOption =
    KeyOption("--key-fullscreen", "keys that switch fullscreen (default: F11; Alt+Enter stays)");
const OptionEntry KeyScreenshotOption =
    KeyOption("--key-screenshot", "keys that save a screenshot (default: F12)");
const OptionEntry KeyClipOption =
    KeyOption("--key-clip", "keys that start and stop a clip (default: F9)");

} // namespace

const char DravDescription[] = "Walks through the level: arrow keys move and turn, Page Up and "
                               "Page Down look up and down, End levels the view.";

const OptionEntry* const DravOptionEntries[DravOptionCount] = {
    &ScaleOption,         &ThreadsOption,          &FrameRateCapOption, &VsyncOption,
    &FullscreenOption,    &RecordOption,           &PlayOption,         &CapturesOption,
    &ConfigOption,        &WriteConfigOption,      &ResizableOption,    &SmoothOption,
    &MouseOption,         &MouseSensitivityOption, &MouseInvertOption,  &WindowSizeOption,
    &KeyLevelOption,      &KeyLookUpOption,        &KeyLookDownOption,  &KeyLeftOption,
    &KeyRightOption,      &KeyForwardOption,       &KeyBackOption,      &KeyFullscreenOption,
    &KeyScreenshotOption, &KeyClipOption,
};
