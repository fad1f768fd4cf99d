#pragma once
// The calendar time of a moment in the user's time zone, safe on any thread
// (localtime_r on POSIX systems, localtime_s on Windows).

#include <ctime>

namespace mw::platform {

std::tm localTime(std::time_t moment);

}  // namespace mw::platform
