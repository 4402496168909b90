// Program-wide transport flags, read by every view. They are written on the UI thread only;
// g_bAbort is the exception: it may be polled by a worker thread, hence an atomic token.
#pragma once

#include "core/common/AbortToken.h"

extern bool g_bListening;
extern bool g_bRecording;
extern bool g_bPlaying;
extern bool g_bWaveLoaded;
extern bool g_bLoopPlay;
extern bool g_bPlayCopyResampled; // playback runs from a converted copy at another rate
extern bool g_bSelectionFFT;      // the analysis block is a selection (the FFT view shows its size)
extern AbortToken g_bAbort;       // "Abbruch": raised by Esc, cleared whenever the program becomes idle

// Sets every flag back to its start value (a new program run, or a test).
void ResetGlobalFlags();
