// The process-wide "Abbruch" request. Raised by the UI thread (Esc, the "Abbruch" button,
// Ctrl+C in the command-line tool); polled by long computations at their checkpoints,
// possibly on a worker thread, hence atomic.
#pragma once

#include <atomic>

class AbortToken
{
public:
    void raise() noexcept { m_bRaised.store(true, std::memory_order_relaxed); }
    void clear() noexcept { m_bRaised.store(false, std::memory_order_relaxed); }
    bool isRaised() const noexcept { return m_bRaised.load(std::memory_order_relaxed); }
    explicit operator bool() const noexcept { return isRaised(); }

private:
    std::atomic<bool> m_bRaised{false};
};
