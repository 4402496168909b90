#include "GlobalFlags.h"

bool g_bListening = false;
bool g_bRecording = false;
bool g_bPlaying = false;
bool g_bWaveLoaded = false;
bool g_bLoopPlay = false;
bool g_bPlayCopyResampled = false;
bool g_bSelectionFFT = false;
AbortToken g_bAbort;

void ResetGlobalFlags()
{
    g_bListening = g_bRecording = g_bPlaying = g_bWaveLoaded = false;
    g_bLoopPlay = g_bPlayCopyResampled = g_bSelectionFFT = false;
    g_bAbort.clear();
}
