#pragma once
#include <cstdint>
#include <string>

#include "helpers/civil_time.h"
#include "platform/platform.h"

// Local seconds now.
inline std::int64_t nowSeconds(platform::Platform& p) {
    return helpers::secondsFromMs(p.clock.localNowMs());
}

// The current date and time in the user's form.
inline std::string nowText(platform::Platform& p) {
    return p.locale.formatDateTime(helpers::civilFromSeconds(nowSeconds(p)));
}
