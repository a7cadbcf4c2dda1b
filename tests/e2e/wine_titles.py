#!/usr/bin/env python3
"""Logs the titles of every top-level X window from the moment it is created, one line per
change to a non-empty title: "<window id> <title>". Prints "watching" once it is subscribed, then runs until killed.

Polling from outside can miss a title that lasts only a few milliseconds; subscribing to each
new window's property changes as soon as it is created sees every one of them."""
import ctypes
import sys

SUBSTRUCTURE_NOTIFY_MASK = 1 << 19
PROPERTY_CHANGE_MASK = 1 << 22
CREATE_NOTIFY = 16
PROPERTY_NOTIFY = 28

xlib = ctypes.cdll.LoadLibrary("libX11.so.6")
xlib.XOpenDisplay.restype = ctypes.c_void_p
xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
xlib.XDefaultRootWindow.restype = ctypes.c_ulong
xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
xlib.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
xlib.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
xlib.XFetchName.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_void_p)]
xlib.XFree.argtypes = [ctypes.c_void_p]
xlib.XFlush.argtypes = [ctypes.c_void_p]
xlib.XInternAtom.restype = ctypes.c_ulong
xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]

# A window can vanish between its creation and our request; such errors are expected.
ErrorHandler = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)
ignore_errors = ErrorHandler(lambda display, error: 0)
xlib.XSetErrorHandler(ignore_errors)

display = xlib.XOpenDisplay(None)
if not display:
    sys.exit("wine_titles: cannot open the display")
WM_NAME = xlib.XInternAtom(display, b"WM_NAME", 0)
xlib.XSelectInput(display, xlib.XDefaultRootWindow(display), SUBSTRUCTURE_NOTIFY_MASK)
xlib.XFlush(display)
print("watching", flush=True)

last_titles = {}


def report_title(window):
    name = ctypes.c_void_p()
    if not xlib.XFetchName(display, window, ctypes.byref(name)) or not name.value:
        return
    title = ctypes.string_at(name.value).decode("latin-1")
    xlib.XFree(name)
    if title and last_titles.get(window) != title:
        last_titles[window] = title
        print(window, title, flush=True)


# XEvent is a union padded to 24 longs; on 64-bit the fields used here are longs 0, 4 and 5.
event = (ctypes.c_ulong * 24)()
while True:
    xlib.XNextEvent(display, event)
    kind = event[0] & 0xFFFFFFFF
    if kind == CREATE_NOTIFY:
        created = event[5]
        xlib.XSelectInput(display, created, PROPERTY_CHANGE_MASK)
        report_title(created)
    elif kind == PROPERTY_NOTIFY and event[5] == WM_NAME:
        report_title(event[4])
