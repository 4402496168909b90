// One wavelet transform on a thread of its own, from copies of the samples and the request. It
// reports once, from the worker thread, through a callback (the computation forwards it to the UI
// thread). Destroying the worker stops the transform at its next row and waits for the thread, so
// no transform outlives its worker.
#pragma once

#include "core/wavelet/CwtRequest.h"
#include "core/wavelet/WaveletPlot.h"
#include "gui/presentation/CancellableJob.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CWaveletWorker
{
public:
    struct Outcome
    {
        bool bComputed = false; // false: the wavelet string named no wavelet, or the run was stopped
        WaveletPicture picture;
        std::string error;      // the engine's refusal ("Could not allocate space …"), else empty
    };
    CWaveletWorker(std::shared_ptr<const std::vector<double>> samples, CwtRequest request,
                   std::function<void(Outcome)> finished);

    bool running() const { return m_Job.running(); }

private:
    CCancellableJob m_Job;
};
