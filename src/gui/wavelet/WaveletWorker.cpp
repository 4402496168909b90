#include "WaveletWorker.h"

#include "core/wavelet/Cwt.h"
#include "core/wavelet/CwtError.h"

#include <utility>

CWaveletWorker::CWaveletWorker(std::shared_ptr<const std::vector<double>> samples, CwtRequest request,
                               std::function<void(Outcome)> finished)
    : m_thread([this, samples = std::move(samples), request = std::move(request), finished = std::move(finished)] {
          Outcome outcome;
          try {
              CCwt cwt;
              cwt.request() = request;
              cwt.setAbort(&m_abort);
              outcome.bComputed = cwt.Transform(samples->data(), samples->size(), outcome.picture.values) &&
                                  !m_abort.isRaised();
              for (float g : cwt.rowScales())
                  outcome.picture.rowFrequencies.push_back(1.0f / g);
              outcome.picture.duration = static_cast<double>(request.endTime - request.startTime);
          } catch (const CwtError& error) {
              outcome.bComputed = false;
              outcome.error = error.what();
          }
          m_bDone.store(true);
          if (finished)
              finished(std::move(outcome));
      })
{
}

CWaveletWorker::~CWaveletWorker()
{
    m_abort.raise();
    if (m_thread.joinable())
        m_thread.join();
}
