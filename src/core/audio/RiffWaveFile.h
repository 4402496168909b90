// CRiffWaveFile reads or writes one RIFF WAVE file sequentially through the buffered chunk
// layer: reading finds "fmt " and "data" among any chunks, writing produces the fixed layout
// RIFF / "fmt " / "fact" / "data" and completes the sizes at Close. All results are status codes.
#pragma once

#include "core/audio/ChunkIo.h"
#include "core/audio/WaveFormat.h"
#include "core/audio/WaveStatus.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

inline constexpr std::uint32_t WAVEFILE_READ = 1;
inline constexpr std::uint32_t WAVEFILE_WRITE = 2;

class CRiffWaveFile
{
public:
    CRiffWaveFile() = default;
    ~CRiffWaveFile();
    CRiffWaveFile(const CRiffWaveFile&) = delete;
    CRiffWaveFile& operator=(const CRiffWaveFile&) = delete;

    // dwFlags WAVEFILE_READ: pFormat is ignored; E_INVALIDARG for an empty path, E_FAIL when
    // the file cannot be opened or is not a RIFF WAVE file with "fmt " (>= 16 bytes) and "data".
    // A WAVE_FORMAT_EXTENSIBLE record with the PCM sub-format is reported as plain PCM (tag 1,
    // no extra bytes); other sub-formats keep their record as it is.
    // WAVEFILE_WRITE: creates or truncates the file and writes the header with *pFormat
    // (E_INVALIDARG without one); the header reaches the disk before Open returns, so a
    // program that never calls Close leaves a file whose "fact" value is 0xFFFFFFFF.
    // Reading a file whose writer never closed it (a recording whose program was killed): a RIFF
    // size of 0 is taken as the file's length, and a data size of 0 as the bytes after the data
    // header up to the end of the file, rounded down to whole blocks.
    HRESULT Open(const std::string& strFileName, const WaveFormat* pFormat, std::uint32_t dwFlags);
    // Reading: closes. Writing: flushes, sets the "data" and RIFF sizes (odd sizes padded) and
    // writes 0 into the "fact" chunk; on failure returns E_FAIL and leaves the file open.
    HRESULT Close();

    // Reading: seek to just after the form type and search "data" again. Writing: begin a new
    // "data" chunk of size 0 at the current position.
    HRESULT ResetFile();
    // Copies min(dwSizeToRead, bytes left in the data chunk) bytes; *pdwSizeRead = bytes copied.
    // At the end of the data: S_OK with 0 bytes. Data ending early in the file: E_FAIL.
    HRESULT Read(std::uint8_t* pBuffer, std::size_t dwSizeToRead, std::size_t* pdwSizeRead);
    // Appends the bytes to the data chunk; *pnSizeWrote = bytes stored.
    HRESULT Write(std::size_t nSizeToWrite, const std::uint8_t* pbSrcData, std::size_t* pnSizeWrote);
    // Hands what was written so far to the system, so that it survives the program being killed
    // (the header's sizes are completed only by Close; a reader repairs them, see Open).
    HRESULT Flush();

    // The most data bytes a file written in this format can hold: its 32-bit RIFF size counts
    // "WAVE", the "fmt " chunk (16 bytes for PCM, 18 + n otherwise, padded), "fact", the "data"
    // header and the pad byte of odd data; rounded down to whole blocks of the block alignment.
    static std::uint64_t MaxDataBytes(const WaveFormat& format);

    const WaveFormat* GetFormat() const { return m_dwFlags == WAVEFILE_READ ? m_pwfx.get() : nullptr; }
    std::uint32_t GetSize() const { return m_dwSize; } // bytes in the "data" chunk (reading)
    bool IsOpen() const { return m_dwFlags != 0; }
    // Reading: bytes of the data chunk that really lie in the file from the start of the data
    // (less than GetSize() when the file ends early). Lets a caller refuse a truncated file
    // before it allocates a buffer for the declared size.
    std::uint64_t GetSizeAvailable() const;

private:
    HRESULT ReadMMIO();
    HRESULT WriteMMIO(const WaveFormat& format);

    std::unique_ptr<WaveFormat> m_pwfx; // format record read from the file (reading only)
    CChunkIo m_hmmio;                   // the open file and its read/write buffer
    ChunkInfo m_ck;                     // the "data" chunk once positioned
    ChunkInfo m_ckRiff;                 // the RIFF chunk
    std::uint32_t m_dwSize = 0;         // size of the "data" chunk after opening for reading
    std::uint32_t m_dwFlags = 0;        // WAVEFILE_READ, WAVEFILE_WRITE or 0 when closed
};
