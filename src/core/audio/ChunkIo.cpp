#include "core/audio/ChunkIo.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::uint32_t GetLe32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

void PutLe32(std::uint8_t* p, std::uint32_t v)
{
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
    p[2] = static_cast<std::uint8_t>(v >> 16);
    p[3] = static_cast<std::uint8_t>(v >> 24);
}

// pread/pwrite until done; short only at the end of the file or on an error.
template <class Buffer, class Io>
std::size_t TransferAll(int fd, Buffer* buf, std::size_t n, std::uint64_t pos, Io io)
{
    std::size_t done = 0;
    while (done < n) {
        ssize_t r = io(fd, buf + done, n - done, static_cast<off_t>(pos + done));
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            break;
        done += static_cast<std::size_t>(r);
    }
    return done;
}

std::size_t PreadAll(int fd, std::uint8_t* dst, std::size_t n, std::uint64_t pos)
{
    return TransferAll(fd, dst, n, pos, ::pread);
}

std::size_t PwriteAll(int fd, const std::uint8_t* src, std::size_t n, std::uint64_t pos)
{
    return TransferAll(fd, src, n, pos, ::pwrite);
}

} // namespace

CChunkIo::~CChunkIo()
{
    Close(true);
}

bool CChunkIo::OpenRead(const std::string& path)
{
    Close(true);
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st;
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_buf = std::make_unique_for_overwrite<std::uint8_t[]>(kBufferSize);
    m_bufStart = m_pos = 0;
    m_bufLen = 0;
    m_bDirty = false;
    return true;
}

bool CChunkIo::Create(const std::string& path)
{
    Close(true);
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    m_fd = fd;
    m_buf = std::make_unique_for_overwrite<std::uint8_t[]>(kBufferSize);
    m_bufStart = m_pos = 0;
    m_bufLen = 0;
    m_bDirty = false;
    return true;
}

bool CChunkIo::Close(bool bFlush)
{
    if (m_fd < 0)
        return true;
    bool ok = bFlush ? FlushDirty() : true;
    ::close(m_fd);
    m_fd = -1;
    m_buf.reset();
    m_bufLen = 0;
    m_bDirty = false;
    return ok;
}

bool CChunkIo::FlushDirty()
{
    if (!m_bDirty)
        return true;
    std::size_t n = PwriteAll(m_fd, m_buf.get(), m_bufLen, m_bufStart);
    if (n != m_bufLen)
        return false; // the pending bytes stay in the buffer
    m_bDirty = false;  // the buffer now mirrors the file and may serve reads
    return true;
}

bool CChunkIo::Flush()
{
    return m_fd >= 0 && FlushDirty();
}

std::size_t CChunkIo::Read(void* dst, std::size_t n)
{
    if (m_fd < 0 || n == 0)
        return 0;
    if (m_bDirty && !FlushDirty())
        return 0;
    auto* out = static_cast<std::uint8_t*>(dst);
    std::size_t done = 0;
    while (done < n) {
        if (m_pos >= m_bufStart && m_pos < m_bufStart + m_bufLen) {
            std::size_t at = static_cast<std::size_t>(m_pos - m_bufStart);
            std::size_t take = std::min(n - done, m_bufLen - at);
            std::memcpy(out + done, m_buf.get() + at, take);
            done += take;
            m_pos += take;
            continue;
        }
        std::size_t want = n - done;
        if (want >= kBufferSize) { // large reads go straight to the caller's memory
            std::size_t got = PreadAll(m_fd, out + done, want, m_pos);
            done += got;
            m_pos += got;
            break;
        }
        m_bufStart = m_pos;
        m_bufLen = PreadAll(m_fd, m_buf.get(), kBufferSize, m_pos);
        if (m_bufLen == 0)
            break;
    }
    return done;
}

std::size_t CChunkIo::Write(const void* src, std::size_t n)
{
    if (m_fd < 0 || n == 0)
        return 0;
    const auto* in = static_cast<const std::uint8_t*>(src);
    if (!m_bDirty) {
        m_bufLen = 0; // drop read data: the buffer now collects writes starting at m_pos
        m_bufStart = m_pos;
    } else if (m_pos != m_bufStart + m_bufLen) {
        if (!FlushDirty())
            return 0;
        m_bufLen = 0;
        m_bufStart = m_pos;
    }
    std::size_t done = 0;
    while (done < n) {
        if (m_bufLen == 0 && n - done >= kBufferSize) {
            std::size_t put = PwriteAll(m_fd, in + done, n - done, m_pos);
            done += put;
            m_pos += put;
            m_bufStart = m_pos;
            break;
        }
        std::size_t take = std::min(n - done, kBufferSize - m_bufLen);
        std::memcpy(m_buf.get() + m_bufLen, in + done, take);
        m_bufLen += take;
        m_bDirty = true;
        done += take;
        m_pos += take;
        if (m_bufLen == kBufferSize) {
            if (!FlushDirty())
                return done - take; // these bytes are not stored
            m_bufLen = 0;
            m_bufStart = m_pos;
        }
    }
    return done;
}

bool CChunkIo::Seek(std::uint64_t pos)
{
    if (m_fd < 0)
        return false;
    if (m_bDirty && m_pos != pos && !FlushDirty())
        return false;
    if (!m_bDirty && !(pos >= m_bufStart && pos <= m_bufStart + m_bufLen))
        m_bufLen = 0;
    m_pos = pos;
    return true;
}

std::uint64_t CChunkIo::FileSize() const
{
    if (m_fd < 0)
        return 0;
    struct stat st;
    if (::fstat(m_fd, &st) != 0)
        return 0;
    std::uint64_t size = static_cast<std::uint64_t>(st.st_size);
    if (m_bDirty)
        size = std::max(size, m_bufStart + m_bufLen);
    return size;
}

bool CChunkIo::Descend(ChunkInfo& ck, const ChunkInfo* parent, Find find)
{
    const std::uint32_t wantId = ck.ckid;
    const std::uint32_t wantType = ck.fccType;
    const std::uint64_t end =
        parent ? parent->dwDataOffset + parent->cksize : UINT64_MAX; // search limit
    for (;;) {
        const std::uint64_t at = m_pos;
        if (at + 8 > end)
            return false;
        std::uint8_t head[8];
        if (!ReadExact(head, 8))
            return false;
        ChunkInfo found;
        found.ckid = GetLe32(head);
        found.cksize = GetLe32(head + 4);
        found.dwDataOffset = at + 8;
        if (found.ckid == FOURCC_RIFF || found.ckid == FOURCC_LIST) {
            std::uint8_t type[4];
            if (!ReadExact(type, 4))
                return false;
            found.fccType = GetLe32(type);
        }
        bool match = find == Find::None || (find == Find::Chunk && found.ckid == wantId) ||
                     (find == Find::Riff && found.ckid == FOURCC_RIFF && found.fccType == wantType);
        if (match) {
            ck = found;
            return true;
        }
        // Skip the chunk and its pad byte; positions grow by at least 8 per step.
        if (!Seek(found.dwDataOffset + found.cksize + (found.cksize & 1u)))
            return false;
    }
}

bool CChunkIo::Ascend(ChunkInfo& ck)
{
    if (m_fd < 0)
        return false;
    if (ck.bCreated) {
        if (m_pos < ck.dwDataOffset)
            return false;
        const std::uint64_t size = m_pos - ck.dwDataOffset;
        if (size > UINT32_MAX)
            return false;
        if (size & 1u) {
            const std::uint8_t pad = 0;
            if (Write(&pad, 1) != 1)
                return false;
        }
        const std::uint64_t after = m_pos;
        std::uint8_t field[4];
        PutLe32(field, static_cast<std::uint32_t>(size));
        if (!Seek(ck.dwDataOffset - 4) || Write(field, 4) != 4 || !Seek(after))
            return false;
        ck.cksize = static_cast<std::uint32_t>(size);
        return true;
    }
    return Seek(ck.dwDataOffset + ck.cksize + (ck.cksize & 1u));
}

bool CChunkIo::CreateChunk(ChunkInfo& ck, bool bRiff)
{
    std::uint8_t head[12];
    PutLe32(head, bRiff ? FOURCC_RIFF : ck.ckid);
    PutLe32(head + 4, ck.cksize);
    PutLe32(head + 8, ck.fccType);
    const std::size_t n = bRiff ? 12 : 8;
    const std::uint64_t at = m_pos;
    if (Write(head, n) != n)
        return false;
    if (bRiff)
        ck.ckid = FOURCC_RIFF;
    ck.dwDataOffset = at + 8;
    ck.bCreated = true;
    return true;
}
