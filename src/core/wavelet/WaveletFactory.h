// Finds the wavelet a wavelet string names: the first short name, in the order "haar",
// "mexicanhat", "sinus", "poisson", "cauchy", "spinning", "morlet", "bspline", that the
// string begins with. What follows the short name are the wavelet's arguments.
#pragma once

#include "core/wavelet/signal_fkt.h"

#include <array>
#include <memory>
#include <string>

inline constexpr std::array<const char*, 8> kWaveletShortNames = {
    "haar", "mexicanhat", "sinus", "poisson", "cauchy", "spinning", "morlet", "bspline"};

// The wavelet (not yet initialised), or null when the string begins with none of the short
// names. nameLength receives the length of the matched short name.
std::unique_ptr<signal_fkt> createWavelet(const std::string& wavelet, size_t* nameLength = nullptr);
