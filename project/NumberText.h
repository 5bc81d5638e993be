#pragma once

#include <string>
#include <string_view>

// Numbers in the text boxes of the project dialogs.

// Reads a number leniently, as the dialogs do: leading blanks are skipped and
// the longest numeric prefix is taken; text that is not a number counts as 0.
double ReadNumber(std::string_view text);

// Formats one value with a printf format taking one double ("%.1f", "%.0f").
std::string FormatNumber(const char* format, double value);

// The text trimmed of leading and trailing blanks (spaces, tabs, line breaks).
std::string TrimBlanks(std::string_view text);
