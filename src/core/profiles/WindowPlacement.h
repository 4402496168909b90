// A stored window placement: show command, minimised and maximised positions and the
// normal rectangle, all 32-bit integers, as the profiles keep it per layout slot.
#pragma once

#include <cstdint>

struct WindowPlacement
{
    // Show commands as stored in profiles.
    static constexpr std::int32_t kShowNormal = 1;
    static constexpr std::int32_t kShowMinimized = 2;
    static constexpr std::int32_t kShowMaximized = 3;

    std::int32_t length = 44; // size of the record in bytes; never stored
    std::int32_t flags = 0;
    std::int32_t showCmd = 0;
    std::int32_t minX = 0, minY = 0; // minimised position
    std::int32_t maxX = 0, maxY = 0; // maximised position
    std::int32_t left = 0, top = 0, right = 0, bottom = 0; // normal rectangle

    friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

// Layout slots: 0 the main window, 1 the waveform window, 2..9 the module windows.
constexpr int kLayoutSlotCount = 10;
