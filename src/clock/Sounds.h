#pragma once

namespace modStopWatch {

// The sound of a day roll-over.
void PlayDaySound();
// The sound of Reset.
void PlayResetSound();

} // namespace modStopWatch
