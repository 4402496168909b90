#include "NotenbildPitchWorker.h"

#include <utility>

CNotenbildPitchWorker::CNotenbildPitchWorker(Job job, std::function<void(bool)> finished)
    : m_Job([this, job = std::move(job), finished = std::move(finished)](AbortToken& abort) {
          const bool completed =
              TrackPitch(*job.frame, job.dSampleRate, job.dFullScale, m_Track, PitchRunControl{&abort, {}});
          if (finished)
              finished(completed);
      })
{
}

PitchTrack CNotenbildPitchWorker::takeTrack()
{
    m_Job.wait();
    return std::move(m_Track);
}
