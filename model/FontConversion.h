#pragma once

#include <QFont>

#include "model/LogFont.h"

// Conversion between the stored 60-byte font description and the platform
// font. Heights are logical units at 96 dots per inch, negative for a
// character height, as the description stores them.
LogFont logFontFromQFont(const QFont& font);
QFont qfontFromLogFont(const LogFont& font);
