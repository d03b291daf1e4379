// The progress of a download as a percentage for the bar and the taskbar button.
#pragma once

#include <cstdint>

namespace kestrova {

// Bytes that make one percent: announced / 100 rounded half to even; 0 when the size is
// not announced (announced <= 0).
std::int64_t BytesPerPercent(std::int64_t announcedSize);

// The bar position: received / bytesPerPercent rounded half to even, clamped to 0..100;
// 0 when bytesPerPercent <= 0.
int ProgressPosition(std::int64_t received, std::int64_t bytesPerPercent);

}  // namespace kestrova
