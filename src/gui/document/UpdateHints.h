// The hints the document sends to all its views with each change; each view decides how to react.
#pragma once

namespace UpdateHint {
constexpr int kNone = 0;
constexpr int kPlaybackStopped = 11; // playback stopped, or the loaded file is about to be removed
constexpr int kNewBlock = 12;        // a new analysis block and its spectra are ready (live or playback)
constexpr int kSelection = 18;       // a selection is being taken over (sent before and after recomputing)
constexpr int kPlaybackStarted = 23;
constexpr int kRefresh = 50; // general refresh: file, format, FFT size, listening state or module data
} // namespace UpdateHint
