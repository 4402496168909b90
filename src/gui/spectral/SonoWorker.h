// One whole-sonogram computation on a thread of its own. It paints into the view's picture store
// under the view's lock and reports through callbacks that run on the worker thread (the view
// forwards them to its own thread). Destroying the worker cancels the computation and waits for
// the thread, so no computation outlives its worker.
#pragma once

#include "core/spectral/SonoColumn.h"
#include "core/spectral/SonoPicture.h"
#include "core/spectral/SonoSettings.h"
#include "gui/presentation/CancellableJob.h"

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class CSonoWorker
{
public:
    struct Job
    {
        std::shared_ptr<const std::vector<double>> frame; // a copy of the signal frame
        SonoSpectrum format;                              // rate, bits and N of the frame
        SonoSettings settings;
    };
    // progress: after every 20 columns; finished: last, with true when the run was complete.
    CSonoWorker(SonoPicture& picture, std::mutex& pictureLock, Job job, std::function<void(int)> progress,
                std::function<void(bool bCompleted)> finished);

    // Still computing: the run has neither ended nor been stopped.
    bool running() const { return m_Job.running(); }

private:
    CCancellableJob m_Job;
};
