#include "SonoWorker.h"

#include "core/spectral/SonoWhole.h"

#include <utility>

CSonoWorker::CSonoWorker(SonoPicture& picture, std::mutex& pictureLock, Job job,
                         std::function<void(int)> progress, std::function<void(bool)> finished)
    : m_thread([this, &picture, &pictureLock, job = std::move(job), progress = std::move(progress),
                finished = std::move(finished)] {
          const SonoRunControl control{&m_abort, progress, &pictureLock};
          const bool completed = ComputeWholeSonogram(picture, *job.frame, job.format, job.settings, control);
          m_bDone.store(true);
          if (finished)
              finished(completed);
      })
{
}

CSonoWorker::~CSonoWorker()
{
    m_abort.raise();
    if (m_thread.joinable())
        m_thread.join();
}
