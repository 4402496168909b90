#include "core/audio/RiffWaveFile.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr std::uint32_t FOURCC_WAVE = MakeFourCC('W', 'A', 'V', 'E');
constexpr std::uint32_t FOURCC_FMT = MakeFourCC('f', 'm', 't', ' ');
constexpr std::uint32_t FOURCC_FACT = MakeFourCC('f', 'a', 'c', 't');
constexpr std::uint32_t FOURCC_DATA = MakeFourCC('d', 'a', 't', 'a');

// The sub-format GUID of PCM samples (00000001-0000-0010-8000-00aa00389b71) as stored at bytes
// 6 ... 21 of the extra bytes of a WAVE_FORMAT_EXTENSIBLE record, after the valid bits per sample
// (2 bytes) and the channel mask (4 bytes).
constexpr std::uint8_t kPcmSubFormat[16] = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
                                            0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

std::uint16_t Le16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::uint32_t Le32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

void Put16(std::uint8_t* p, std::uint16_t v)
{
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

void Put32(std::uint8_t* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

} // namespace

CRiffWaveFile::~CRiffWaveFile()
{
    if (m_dwFlags == WAVEFILE_WRITE && FAILED(Close()))
        m_hmmio.Close(false);
    m_hmmio.Close(false);
}

HRESULT CRiffWaveFile::Open(const std::string& strFileName, const WaveFormat* pFormat, std::uint32_t dwFlags)
{
    if (m_dwFlags != 0)
        Close();
    m_hmmio.Close(false);
    m_dwFlags = 0;
    m_dwSize = 0;
    m_pwfx.reset();
    if (dwFlags == WAVEFILE_READ) {
        if (strFileName.empty())
            return E_INVALIDARG;
        if (!m_hmmio.OpenRead(strFileName))
            return E_FAIL;
        HRESULT hr = ReadMMIO();
        if (FAILED(hr)) {
            m_hmmio.Close(false);
            return hr;
        }
        m_dwFlags = WAVEFILE_READ;
        hr = ResetFile();
        if (FAILED(hr)) {
            m_hmmio.Close(false);
            m_dwFlags = 0;
            m_pwfx.reset();
            return hr;
        }
        m_dwSize = m_ck.cksize;
        return S_OK;
    }
    if (dwFlags == WAVEFILE_WRITE) {
        if (strFileName.empty() || !pFormat)
            return E_INVALIDARG;
        if (!m_hmmio.Create(strFileName))
            return E_FAIL;
        HRESULT hr = WriteMMIO(*pFormat);
        if (FAILED(hr)) {
            m_hmmio.Close(false);
            return hr;
        }
        m_dwFlags = WAVEFILE_WRITE;
        hr = ResetFile();
        if (FAILED(hr) || !m_hmmio.Flush()) {
            m_hmmio.Close(false);
            m_dwFlags = 0;
            return FAILED(hr) ? hr : E_FAIL;
        }
        return S_OK;
    }
    return E_INVALIDARG;
}

HRESULT CRiffWaveFile::ReadMMIO()
{
    m_ckRiff = ChunkInfo{};
    if (!m_hmmio.Descend(m_ckRiff, nullptr, CChunkIo::Find::None))
        return E_FAIL;
    if (m_ckRiff.ckid != FOURCC_RIFF || m_ckRiff.fccType != FOURCC_WAVE)
        return E_FAIL;
    if (m_ckRiff.cksize == 0) // never completed: the chunk runs to the end of the file
        m_ckRiff.cksize = static_cast<std::uint32_t>(
            std::min<std::uint64_t>(m_hmmio.FileSize() - std::min<std::uint64_t>(m_hmmio.FileSize(), 8), 0xFFFFFFFFu));

    ChunkInfo ckIn;
    ckIn.ckid = FOURCC_FMT;
    if (!m_hmmio.Descend(ckIn, &m_ckRiff, CChunkIo::Find::Chunk))
        return E_FAIL;
    if (ckIn.cksize < 16)
        return E_FAIL;

    std::uint8_t pcm[16];
    if (m_hmmio.Read(pcm, 16) != 16)
        return E_FAIL;
    auto format = std::make_unique<WaveFormat>();
    format->wFormatTag = Le16(pcm);
    format->nChannels = Le16(pcm + 2);
    format->nSamplesPerSec = Le32(pcm + 4);
    format->nAvgBytesPerSec = Le32(pcm + 8);
    format->nBlockAlign = Le16(pcm + 12);
    format->wBitsPerSample = Le16(pcm + 14);
    format->cbSize = 0;
    if (format->wFormatTag != WAVE_FORMAT_PCM && ckIn.cksize >= 18) {
        // The extra size and the extra bytes must lie inside the "fmt " chunk; a 16-byte
        // record of another tag simply has none.
        std::uint8_t n[2];
        if (m_hmmio.Read(n, 2) != 2)
            return E_FAIL;
        format->cbSize = Le16(n);
        if (18u + format->cbSize > ckIn.cksize)
            return E_FAIL;
        format->extra.resize(format->cbSize);
        if (format->cbSize != 0 && m_hmmio.Read(format->extra.data(), format->cbSize) != format->cbSize)
            return E_FAIL;
        // WAVE_FORMAT_EXTENSIBLE with the PCM sub-format holds the same samples as a plain PCM record
        // (wBitsPerSample is the container size either way), so it is reported as one.
        if (format->wFormatTag == WAVE_FORMAT_EXTENSIBLE && format->cbSize >= 22 &&
            std::equal(std::begin(kPcmSubFormat), std::end(kPcmSubFormat), format->extra.begin() + 6)) {
            format->wFormatTag = WAVE_FORMAT_PCM;
            format->cbSize = 0;
            format->extra.clear();
        }
    }
    if (!m_hmmio.Ascend(ckIn))
        return E_FAIL;
    m_pwfx = std::move(format);
    return S_OK;
}

HRESULT CRiffWaveFile::WriteMMIO(const WaveFormat& format)
{
    m_ckRiff = ChunkInfo{};
    m_ckRiff.fccType = FOURCC_WAVE;
    m_ckRiff.cksize = 0;
    if (!m_hmmio.CreateChunk(m_ckRiff, true))
        return E_FAIL;

    std::uint8_t rec[18];
    Put16(rec, format.wFormatTag);
    Put16(rec + 2, format.nChannels);
    Put32(rec + 4, format.nSamplesPerSec);
    Put32(rec + 8, format.nAvgBytesPerSec);
    Put16(rec + 12, format.nBlockAlign);
    Put16(rec + 14, format.wBitsPerSample);
    const bool bPcm = format.wFormatTag == WAVE_FORMAT_PCM;
    // Other tags: 18 + n bytes; n is the extra size, the extra bytes are those of the record
    // (missing ones written as 0).
    Put16(rec + 16, bPcm ? 0 : format.cbSize);
    ChunkInfo ck;
    ck.ckid = FOURCC_FMT;
    ck.cksize = bPcm ? 16u : 18u + format.cbSize;
    if (!m_hmmio.CreateChunk(ck, false))
        return E_FAIL;
    if (m_hmmio.Write(rec, bPcm ? 16 : 18) != (bPcm ? 16u : 18u))
        return E_FAIL;
    if (!bPcm) {
        std::vector<std::uint8_t> extra(format.cbSize, 0);
        std::copy_n(format.extra.begin(), std::min<std::size_t>(format.extra.size(), extra.size()),
                    extra.begin());
        if (!extra.empty() && m_hmmio.Write(extra.data(), extra.size()) != extra.size())
            return E_FAIL;
    }
    if (!m_hmmio.Ascend(ck))
        return E_FAIL;

    ChunkInfo fact;
    fact.ckid = FOURCC_FACT;
    fact.cksize = 4;
    if (!m_hmmio.CreateChunk(fact, false))
        return E_FAIL;
    std::uint8_t count[4];
    Put32(count, 0xFFFFFFFFu); // stays so until Close: marks a file that was never completed
    if (m_hmmio.Write(count, 4) != 4 || !m_hmmio.Ascend(fact))
        return E_FAIL;
    return S_OK;
}

HRESULT CRiffWaveFile::ResetFile()
{
    if (m_dwFlags == 0)
        return CO_E_NOTINITIALIZED;
    if (m_dwFlags == WAVEFILE_READ) {
        if (!m_hmmio.Seek(m_ckRiff.dwDataOffset + 4))
            return E_FAIL;
        m_ck = ChunkInfo{};
        m_ck.ckid = FOURCC_DATA;
        if (!m_hmmio.Descend(m_ck, &m_ckRiff, CChunkIo::Find::Chunk))
            return E_FAIL;
        const std::uint64_t fileSize = m_hmmio.FileSize();
        if (m_ck.cksize == 0 && fileSize > m_ck.dwDataOffset) { // never completed: the rest of the file
            const std::uint64_t block = std::max<std::uint16_t>(m_pwfx ? m_pwfx->nBlockAlign : 1, 1);
            const std::uint64_t rest = std::min<std::uint64_t>(fileSize - m_ck.dwDataOffset, 0xFFFFFFFFu);
            m_ck.cksize = static_cast<std::uint32_t>(rest - rest % block);
        }
        return S_OK;
    }
    m_ck = ChunkInfo{};
    m_ck.ckid = FOURCC_DATA;
    m_ck.cksize = 0;
    if (!m_hmmio.CreateChunk(m_ck, false))
        return E_FAIL;
    return S_OK;
}

HRESULT CRiffWaveFile::Read(std::uint8_t* pBuffer, std::size_t dwSizeToRead, std::size_t* pdwSizeRead)
{
    if (m_dwFlags == 0)
        return CO_E_NOTINITIALIZED;
    if (m_dwFlags != WAVEFILE_READ)
        return E_NOTIMPL;
    if (!pBuffer || !pdwSizeRead)
        return E_INVALIDARG;
    *pdwSizeRead = 0;
    const std::uint64_t end = m_ck.dwDataOffset + m_ck.cksize;
    const std::uint64_t pos = m_hmmio.Tell();
    const std::uint64_t left = pos < end ? end - pos : 0;
    const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(dwSizeToRead, left));
    const std::size_t got = m_hmmio.Read(pBuffer, want);
    *pdwSizeRead = got;
    return got == want ? S_OK : E_FAIL;
}

HRESULT CRiffWaveFile::Write(std::size_t nSizeToWrite, const std::uint8_t* pbSrcData, std::size_t* pnSizeWrote)
{
    if (m_dwFlags == 0)
        return CO_E_NOTINITIALIZED;
    if (m_dwFlags != WAVEFILE_WRITE)
        return E_NOTIMPL;
    if (!pbSrcData || !pnSizeWrote)
        return E_INVALIDARG;
    *pnSizeWrote = m_hmmio.Write(pbSrcData, nSizeToWrite);
    return *pnSizeWrote == nSizeToWrite ? S_OK : E_FAIL;
}

HRESULT CRiffWaveFile::Flush()
{
    if (m_dwFlags != WAVEFILE_WRITE)
        return m_dwFlags == 0 ? CO_E_NOTINITIALIZED : E_NOTIMPL;
    return m_hmmio.Flush() ? S_OK : E_FAIL;
}

HRESULT CRiffWaveFile::Close()
{
    if (m_dwFlags == WAVEFILE_READ) {
        m_hmmio.Close(false);
        m_dwFlags = 0;
        return S_OK;
    }
    if (m_dwFlags != WAVEFILE_WRITE)
        return S_OK;
    if (!m_hmmio.Flush())
        return E_FAIL;
    if (!m_hmmio.Ascend(m_ck) || !m_hmmio.Ascend(m_ckRiff))
        return E_FAIL;
    // Back to the start: find "fact" inside the RIFF chunk and set its value to 0.
    ChunkInfo riff;
    riff.fccType = FOURCC_WAVE;
    ChunkInfo fact;
    fact.ckid = FOURCC_FACT;
    if (!m_hmmio.Seek(0) || !m_hmmio.Descend(riff, nullptr, CChunkIo::Find::Riff) ||
        !m_hmmio.Descend(fact, &riff, CChunkIo::Find::Chunk))
        return E_FAIL;
    const std::uint8_t zero[4] = {0, 0, 0, 0};
    if (m_hmmio.Write(zero, 4) != 4 || !m_hmmio.Ascend(fact) || !m_hmmio.Flush())
        return E_FAIL;
    m_hmmio.Close(false);
    m_dwFlags = 0;
    return S_OK;
}

std::uint64_t CRiffWaveFile::MaxDataBytes(const WaveFormat& format)
{
    const std::uint64_t fmt = format.wFormatTag == WAVE_FORMAT_PCM ? 16u : (18u + format.cbSize + 1u) & ~1u;
    const std::uint64_t header = 4 + (8 + fmt) + (8 + 4) + 8; // "WAVE", "fmt ", "fact", "data" header
    const std::uint64_t even = (0xFFFFFFFFu - header) & ~std::uint64_t{1}; // odd data would add a pad byte
    return even - even % std::max<std::uint16_t>(format.nBlockAlign, 1);
}

std::uint64_t CRiffWaveFile::GetSizeAvailable() const
{
    if (m_dwFlags != WAVEFILE_READ)
        return 0;
    const std::uint64_t fileSize = m_hmmio.FileSize();
    const std::uint64_t start = m_ck.dwDataOffset;
    const std::uint64_t inFile = fileSize > start ? fileSize - start : 0;
    return std::min<std::uint64_t>(inFile, m_ck.cksize);
}
