// The pitch track of a selection on a thread of its own, for the note image's third mode. The
// worker owns a copy of the samples and the track it computes; destroying it cancels the run and
// waits for the thread, so no computation outlives its worker.
#pragma once

#include "core/common/AbortToken.h"
#include "core/spectral/PitchTracker.h"

#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

class CNotenbildPitchWorker
{
public:
    struct Job
    {
        std::shared_ptr<const std::vector<double>> frame; // a copy of the selection
        double dSampleRate = 44100.0;
        double dFullScale = 32768.0;
    };
    // finished: on the worker thread, last, with true when the run was complete.
    CNotenbildPitchWorker(Job job, std::function<void(bool bCompleted)> finished);
    ~CNotenbildPitchWorker();
    CNotenbildPitchWorker(const CNotenbildPitchWorker&) = delete;
    CNotenbildPitchWorker& operator=(const CNotenbildPitchWorker&) = delete;

    bool running() const { return !m_bDone.load(); }
    // Waits for the thread and hands over the track (complete when the run was).
    PitchTrack takeTrack();

private:
    AbortToken m_abort;
    std::atomic<bool> m_bDone{false};
    PitchTrack m_Track;   // written by the thread only until it has been joined
    std::thread m_thread; // last member: started when everything else exists
};
