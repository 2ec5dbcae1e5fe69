#include "timing/stop_watch.h"

#include "core/text.h"

namespace rh {

std::string formatHms(std::int64_t seconds) {
    if (seconds < 0)
        seconds = 0;
    return zeroPad(seconds / 3600, 2) + ":" + zeroPad(seconds / 60 % 60, 2) + ":" +
           zeroPad(seconds % 60, 2);
}

std::string StopWatch::GetElapsed() const {
    return formatHms(m_total);
}

} // namespace rh
