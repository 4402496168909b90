#include "SonoWorker.h"

#include "core/spectral/SonoWhole.h"

#include <utility>

CSonoWorker::CSonoWorker(SonoPicture& picture, std::mutex& pictureLock, Job job,
                         std::function<void(int)> progress, std::function<void(bool)> finished)
    : m_Job([&picture, &pictureLock, job = std::move(job), progress = std::move(progress),
             finished = std::move(finished)](AbortToken& abort) {
          const SonoRunControl control{&abort, progress, &pictureLock};
          const bool completed = ComputeWholeSonogram(picture, *job.frame, job.format, job.settings, control);
          if (finished)
              finished(completed);
      })
{
}
