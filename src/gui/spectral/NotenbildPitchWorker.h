// The pitch track of a selection on a thread of its own, for the note image's third mode. The
// worker owns a copy of the samples and the track it computes; destroying it cancels the run and
// waits for the thread, so no computation outlives its worker.
#pragma once

#include "core/spectral/PitchTracker.h"
#include "gui/presentation/CancellableJob.h"

#include <functional>
#include <memory>
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

    bool running() const { return m_Job.running(); }
    // Waits for the thread and hands over the track (complete when the run was).
    PitchTrack takeTrack();

private:
    PitchTrack m_Track;     // written by the job only until it has been waited for
    CCancellableJob m_Job;  // last member: started when everything else exists
};
