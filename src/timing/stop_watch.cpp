#include "timing/stop_watch.h"

#include "core/text.h"

namespace rh {

std::string formatHms(std::int64_t seconds) {
    if (seconds < 0)
        seconds = 0;
    return fmt00(seconds / 3600) + ":" + fmt00(seconds / 60 % 60) + ":" + fmt00(seconds % 60);
}

std::string StopWatch::elapsed() const {
    return formatHms(m_total);
}

} // namespace rh
