// Number <-> text conversions used by the list, the panel, the race file and
// the graph labels. They follow the printf/atoi/atof rules of the C locale
// whatever locale the process runs under, so 42.195 is never 42,195.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qv {

std::string FormatInt(int v);       // "%d"
std::string Format02d(int v);       // "%02d"
std::string FormatG(double v);      // "%g"
std::string Format1f(double v);     // "%.1f"

// atoi: leading blanks, optional sign, ASCII digits; the rest is ignored.
// No digits give 0; values beyond the int range saturate.
int ParseInt(std::string_view text);

// atof restricted to decimal numbers: leading blanks, optional sign, digits
// with at most one '.', an optional exponent. No inf, nan or hex. A text
// without such a prefix gives 0; overflow gives +-HUGE_VAL as strtod does.
double ParseDouble(std::string_view text);

// The whole text, blanks around it aside, as a plain decimal ("1", "0.5",
// "42.195"): no sign, no exponent. Nullopt for anything else.
std::optional<double> ParseDecimal(std::string_view text);

}  // namespace qv
