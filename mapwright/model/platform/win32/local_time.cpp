#include "platform/local_time.h"

namespace mw::platform {

std::tm localTime(std::time_t moment) {
    std::tm local{};
    localtime_s(&local, &moment);
    return local;
}

}  // namespace mw::platform
