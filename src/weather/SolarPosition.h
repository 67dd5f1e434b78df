// Position of the sun and its angle to a surface, for the radiation items of
// the monthly statistics.
//
// Declination and equation of time follow Spencer's Fourier series (1971) on
// the day of a 365-day year; the clock is Japan standard time (135° E). The
// position is geometric (no refraction); accurate to about 0.1° in altitude,
// which is well inside the one-hour steps of the data it is used with.
#pragma once

namespace kondra {

struct SunPosition {
  double altitude = 0;  // degrees above the horizon (negative below it)
  double azimuth = 0;   // degrees from south, west positive, east negative (-180..180)
};

// Day of year 1..365 of a month and day in a year without 29 February.
int DayOfYear(int month, int day);

// The sun at `clockHours` (0..24 and beyond, JST) of day `dayOfYear`, seen
// from latitude / longitude in decimal degrees (north and east positive).
SunPosition SunAt(double latitude, double longitude, int dayOfYear, double clockHours);

// Cosine of the angle between the sun's rays and the normal of a surface
// tilted `tilt` degrees from horizontal (0 = facing up, 90 = vertical) and
// facing `surfaceAzimuth` degrees from south (west positive). Negative when
// the sun is behind the surface.
double CosIncidence(const SunPosition& sun, double tilt, double surfaceAzimuth);

}  // namespace kondra
