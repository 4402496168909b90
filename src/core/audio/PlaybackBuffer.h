// CPlaybackBuffer: the whole "data" chunk of the WAV file it was made from, held in memory for
// the output device, that file kept open for refills, and one play state per buffer (position,
// playing, looping, lost). Parts of the buffer the file cannot fill are silence: byte 128 for
// 8-bit data, 0 otherwise. An attached IPlaybackOutput plays the data; without one the play
// state still works, which is what the tests drive.
#pragma once

#include "core/audio/PlaybackOutput.h"
#include "core/audio/RiffWaveFile.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <random>
#include <span>
#include <string>
#include <vector>

inline constexpr std::uint32_t DSBPLAY_LOOPING = 0x00000001;
inline constexpr HRESULT DSERR_BUFFERLOST = static_cast<HRESULT>(0x88780096u); // buffer must be restored
inline constexpr HRESULT DS_NO_VIRTUALIZATION = static_cast<HRESULT>(0x0878000Au); // success, plain stereo

class CPlaybackBuffer
{
public:
    ~CPlaybackBuffer();
    CPlaybackBuffer(const CPlaybackBuffer&) = delete;
    CPlaybackBuffer& operator=(const CPlaybackBuffer&) = delete;

    // E_INVALIDARG for an empty path or dwNumBuffers 0; the status of opening the file; E_FAIL
    // for a data chunk of 0 bytes or one that ends before its declared size; E_OUTOFMEMORY
    // when the buffer cannot be allocated; the status of filling it. Buffers beyond the first
    // are duplicates sharing the same memory. Every play position starts at 0.
    static HRESULT Create(std::unique_ptr<CPlaybackBuffer>& pBuffer, const std::string& strWaveFileName,
                          unsigned dwNumBuffers);

    // Refills every buffer from the start of the file's data (after a lost buffer was restored).
    HRESULT FillBufferWithSound(bool bRepeatWavIfBufferLarger);

    // Fills pDst[0, nSize) from the current data position of pFile: what can be read, then
    // silence, or with bRepeat the data again from its start until the buffer is full.
    // Nothing readable at all gives silence everywhere.
    static HRESULT FillSoundBuffer(std::uint8_t* pDst, std::size_t nSize, CRiffWaveFile& file,
                                   std::uint8_t silence, bool bRepeat);
    static std::uint8_t SilenceFor(int nBitsPerSample) { return nBitsPerSample == 8 ? 128 : 0; }

    std::span<const std::uint8_t> GetBuffer(unsigned i) const;
    std::size_t GetBufferSize() const { return m_dwDSBufferSize; }
    unsigned GetNumBuffers() const { return m_dwNumBuffers; }
    const WaveFormat& GetFormat() const { return m_format; }

    // --- playing ---------------------------------------------------------------------------
    // Takes the device side; it is released before the data.
    void AttachOutput(std::unique_ptr<IPlaybackOutput> pOutput);
    bool HasOutput() const { return m_pOutput != nullptr; }

    // Picks a buffer that is not playing (all playing: one at random); if it was lost, restores
    // it, refills all from the file and sets every position to 0; marks it playing, looping
    // when dwFlags has DSBPLAY_LOOPING, and starts the output on it. dwPriority is unused.
    // *pnBuffer (when given) receives the buffer's index.
    HRESULT Play(std::uint32_t dwPriority, std::uint32_t dwFlags, unsigned* pnBuffer = nullptr);
    // Stops every buffer. The position stays at what was heard, so the next Play resumes there.
    HRESULT Stop();
    // Play position 0 on every buffer.
    HRESULT Reset();
    // Whether any buffer plays: it is marked playing, or its output still sounds the end.
    bool IsSoundPlaying() const;

    // The position (bytes into the data) the listener has reached in buffer i: the render
    // position less what the output holds unplayed, wrapped back over the start when looping.
    // After a non-looping run reached the end: the data size less what is still unplayed.
    HRESULT GetCurrentPosition(unsigned i, std::size_t* pdwPosition) const;
    // Moves buffer i to dwPosition (< the buffer size; E_INVALIDARG otherwise). A playing buffer
    // goes on from there.
    HRESULT SetCurrentPosition(unsigned i, std::size_t dwPosition);

    // Output side: copies up to nBytes of buffer i from its position into pDst and advances.
    // Looping: wraps to the start of the data without a gap, always nBytes. Otherwise it stops
    // at the end of the data: the buffer is no longer playing and its position goes back to 0,
    // so a later Play starts from the beginning. Returns the bytes copied (0 when not playing).
    std::size_t Render(unsigned i, std::uint8_t* pDst, std::size_t nBytes);

    // The output reports buffer i lost (its device failed): it stops playing until restored.
    void MarkLost(unsigned i);
    bool IsLost(unsigned i) const;
    // Restores buffer i if it was lost; *pbRestored says whether a restore took place.
    HRESULT RestoreBuffer(unsigned i, bool* pbRestored);

private:
    struct PlayState
    {
        std::size_t position = 0;  // next byte to render
        bool playing = false;
        bool looping = false;
        bool lost = false;
        bool ranOut = false;       // a non-looping run reached the end (position went to 0)
    };

    CPlaybackBuffer() = default;
    HRESULT FillLocked(bool bRepeatWavIfBufferLarger); // with m_mutex held
    // Where the listener is when the output holds nUnplayed bytes of a run at state's position.
    std::size_t HeardPosition(const PlayState& state, std::size_t nUnplayed) const;

    std::unique_ptr<CRiffWaveFile> m_pWaveFile;            // open for refills, owned
    std::vector<std::shared_ptr<std::uint8_t[]>> m_apDSBuffer; // duplicates share one block
    std::size_t m_dwDSBufferSize = 0;                      // = the data chunk's size in bytes
    unsigned m_dwNumBuffers = 0;                           // always 1 in this program
    WaveFormat m_format;                                   // the file's format

    // The play states are touched by the user-interface thread (commands) and the output's
    // thread (Render, MarkLost); the mutex is never held while calling the output.
    mutable std::mutex m_mutex;
    std::vector<PlayState> m_states;                       // one per buffer
    std::minstd_rand m_random;                             // picks a buffer when all play
    std::unique_ptr<IPlaybackOutput> m_pOutput;            // last member: released first
};
