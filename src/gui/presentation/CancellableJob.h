// A long computation on a thread of its own that its owner can stop: work runs there with the
// job's abort token, which it polls. Destroying the job raises the token and waits for the
// thread, so no computation outlives its owner. What work writes may be read once wait() returned.
#pragma once

#include "core/common/AbortToken.h"

#include <atomic>
#include <functional>
#include <thread>

class CCancellableJob
{
public:
    explicit CCancellableJob(std::function<void(AbortToken&)> work)
        : m_thread([this, work = std::move(work)] {
              work(m_abort);
              m_bDone.store(true);
          })
    {
    }
    ~CCancellableJob()
    {
        m_abort.raise();
        wait();
    }
    CCancellableJob(const CCancellableJob&) = delete;
    CCancellableJob& operator=(const CCancellableJob&) = delete;

    // Still computing: work has not returned yet.
    bool running() const { return !m_bDone.load(); }
    void wait()
    {
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    AbortToken m_abort;
    std::atomic<bool> m_bDone{false};
    std::thread m_thread; // last member: started when everything else exists
};
