#pragma once

#include <string>
#include <string_view>

#include "climate/WeatherYear.h"

// The reader of weather years. Two forms are read:
//
// EnergyPlus weather files (.epw; the Chinese CSWD station years come in the
// same form): eight header lines, the first LOCATION,city,state,country,
// source,WMO,latitude,longitude,time zone,elevation, one of them the optional
// DESIGN CONDITIONS line (its ASHRAE heating 99.6 % dry bulb, cooling 0.4 %
// dry bulb and that one's mean coincident wet bulb are kept where the line
// has them); then one row per hour: year, month, day, hour (1–24, the hour
// ending), minute, data flags, dry bulb °C, dew point °C, relative humidity %,
// station pressure Pa, further fields not read.
//
// A CSV of logged hours (a data logger's or a building-management export): a
// header line, then rows of date-time, dry bulb °C, relative humidity % and,
// optionally, the pressure in Pa, separated by commas, semicolons or tabs.
// The date-time is YYYY-MM-DD HH:MM[:SS] (or with "/" in the date, or "T"
// before the time); a reading at HH:MM is the state of the hour that ends
// then, so 14:00 is hour 14 and 00:00 is hour 24 of the day before, and a
// reading between full hours belongs to the hour that ends next. Without a
// pressure the hours are at the standard atmosphere of sea level; the station
// is named after the file.
//
// The state of an hour comes from the property library at the hour's own
// pressure: x = 0.62198·pws(td)/(p − pws(td)) from the dew point (a dew point
// above the dry bulb is taken as saturated), then RH, h and tw from (t, x).
// Missing values, as EnergyPlus writes them: a dew point of 99.9 or more uses
// the relative humidity instead; a pressure of 999999 is the standard
// atmosphere at the station's elevation; a dry bulb of 99.9 or more, or an
// hour with neither humidity value, leaves the hour out and counts it missing
// (an empty dry bulb or humidity field of a CSV too). Rows are kept in file
// order; a whole year (8 760 or 8 784 rows) or any part of one is read as it
// is, up to kMaxWeatherRows.
//
// A damaged file is refused with a message naming the file's line and the
// reason: a word where a number stands, a short row, a month, day or hour out
// of range, a value outside what weather can be, a file that is neither form
// or has no hours. The year passed in is changed only when the whole file was
// read.

// More rows than a year at five-minute steps (or twelve years of hours) are
// not a weather year.
inline constexpr int kMaxWeatherRows = 12 * 8784;
// The largest file read, bytes: an hourly EPW year is about 1.6 MB.
inline constexpr long long kMaxWeatherFileSize = 64LL * 1024 * 1024;

// Reads the file at path; false with error set (naming the line where a row is
// at fault) and year untouched when it cannot be read.
bool ReadWeatherFile(const std::string& path, WeatherYear& year, std::string& error);

// Reads a weather file's bytes; path is recorded in the year (and names the
// station of a CSV). Same rules and results as ReadWeatherFile.
bool ReadWeatherBytes(std::string_view bytes, const std::string& path, WeatherYear& year, std::string& error);
