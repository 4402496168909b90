// What the wavelet window edits: its list of wavelets with their "Parameter" defaults and help
// texts, the frequency fields' reading, and the exchange of the transform request with the
// application's wavelet settings (profile section "Wavelet").
#pragma once

#include "core/wavelet/CwtRequest.h"

#include <array>
#include <string>

struct ProfileSettings;

struct WaveletListEntry
{
    const char* label;        // the drop-down list's text
    const char* shortName;    // the engine's name
    bool bParameter;          // "Parameter" shown (the four complex wavelets)
    const char* defaultParameter;
    const char* help;         // the help text under the list
};

extern const std::array<WaveletListEntry, 8> kWaveletList;

// The entry whose short name begins the wavelet string; 0 when none does.
int waveletListIndex(const std::string& wavelet);
// The wavelet string of entry index with the "Parameter" text: short name + "," + text for the
// complex wavelets, the short name alone for the real ones.
std::string waveletString(int index, const std::string& parameter);
// What follows "short name," in the wavelet string ("" when nothing does).
std::string waveletParameterText(const std::string& wavelet);

// A frequency field's value: every "." removed (a thousands point does not count), then the
// longest decimal number at the start read in the C locale; 0 when there is none.
double waveletFrequencyFromText(const std::string& text);

// The application's settings into a request (scales in seconds = 1 / frequency); settings that
// were never stored (0 or empty) keep the request's defaults: "haar", 20 … 20000 Hz, 100 rows,
// 20 columns, "exponentiell".
void cwtRequestFromProfile(const ProfileSettings& settings, CwtRequest& request);
void storeCwtRequest(const CwtRequest& request, ProfileSettings& settings);
