// One wavelet transform on a thread of its own, from copies of the samples and the request. It
// reports once, from the worker thread, through a callback (the computation forwards it to the UI
// thread). Destroying the worker stops the transform at its next row and waits for the thread, so
// no transform outlives its worker.
#pragma once

#include "core/common/AbortToken.h"
#include "core/wavelet/CwtRequest.h"
#include "core/wavelet/WaveletPlot.h"

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
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
    ~CWaveletWorker();
    CWaveletWorker(const CWaveletWorker&) = delete;
    CWaveletWorker& operator=(const CWaveletWorker&) = delete;

    bool running() const { return !m_bDone.load(); }

private:
    AbortToken m_abort;
    std::atomic<bool> m_bDone{false};
    std::thread m_thread; // last member: started when everything else exists
};
