#include "NotenbildPitchWorker.h"

#include <utility>

CNotenbildPitchWorker::CNotenbildPitchWorker(Job job, std::function<void(bool)> finished)
    : m_thread([this, job = std::move(job), finished = std::move(finished)] {
          const bool completed =
              TrackPitch(*job.frame, job.dSampleRate, job.dFullScale, m_Track, PitchRunControl{&m_abort, {}});
          m_bDone.store(true);
          if (finished)
              finished(completed);
      })
{
}

CNotenbildPitchWorker::~CNotenbildPitchWorker()
{
    m_abort.raise();
    if (m_thread.joinable())
        m_thread.join();
}

PitchTrack CNotenbildPitchWorker::takeTrack()
{
    if (m_thread.joinable())
        m_thread.join();
    return std::move(m_Track);
}
