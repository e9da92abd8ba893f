#pragma once
#include <cstdint>
#include <string>

namespace tarvic {

// Seconds of delay for the text of Combo2: a number and a unit s, m or h;
// no number counts as 5, fewer than 6 seconds as 6, and a missing or unknown
// unit as minutes. "Now" is 6 seconds.
double delaySeconds(const std::string& text);

// The moment, in local seconds, a delay from now points at. From 60000 s on
// the delay counts in whole hours. The result stays inside the date type's
// range, so a huge delay gives 9999-12-31 23:59:59, never a wrapped moment.
std::int64_t targetMoment(std::int64_t nowSeconds, double delay);

// Remaining seconds as H:MM:SS with unbounded hours; a target that has passed
// shows 0:00:00.
std::string remainingText(std::int64_t remaining);

// A target that has already passed starts the countdown too, so a pending
// action is never dropped because a tick came late.
bool countdownStarts(std::int64_t remaining);

} // namespace tarvic
