// The years the plug-in answers for, as its hosts have always been given
// them: a clock outside them is a wrong clock, and the plug-in carries the
// calendar's tables of these years only.  Declared here once; the tests,
// the benchmarks and the table generator take them from here.
#pragma once

namespace moonfold {

inline constexpr int kFirstPluginYear = 1990;
inline constexpr int kLastPluginYear = 2050;

}  // namespace moonfold
