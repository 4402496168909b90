#include "WaveletWorker.h"

#include "core/wavelet/Cwt.h"
#include "core/wavelet/CwtError.h"

#include <utility>

CWaveletWorker::CWaveletWorker(std::shared_ptr<const std::vector<double>> samples, CwtRequest request,
                               std::function<void(Outcome)> finished)
    : m_Job([samples = std::move(samples), request = std::move(request),
             finished = std::move(finished)](AbortToken& abort) {
          Outcome outcome;
          try {
              CCwt cwt;
              cwt.request() = request;
              cwt.setAbort(&abort);
              outcome.bComputed = cwt.Transform(samples->data(), samples->size(), outcome.picture.values) &&
                                  !abort.isRaised();
              for (float g : cwt.rowScales())
                  outcome.picture.rowFrequencies.push_back(1.0f / g);
              outcome.picture.duration = static_cast<double>(request.endTime - request.startTime);
          } catch (const CwtError& error) {
              outcome.bComputed = false;
              outcome.error = error.what();
          }
          if (finished)
              finished(std::move(outcome));
      })
{
}
