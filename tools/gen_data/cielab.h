// Colours in CIELAB (D65 white), where equal distances look about equally different, for
// judging how well a colour survives the fog table.
#pragma once

struct Lab {
    double lightness, a, b;
};

// An sRGB colour with channels 0..255 (fractions allowed).
Lab ToLab(double red, double green, double blue);

// Distance from the grey axis; below about 12 a colour reads as grey.
double Chroma(const Lab& colour);

// Hue angle in degrees, 0..360 (0 red, 90 yellow, 180 green, 270 blue).
double Hue(const Lab& colour);

// Smallest angle between two hues, 0..180 degrees.
double HueDifference(double first, double second);

// CIE 1976 colour difference: the straight distance in CIELAB.
double DeltaE(const Lab& first, const Lab& second);
