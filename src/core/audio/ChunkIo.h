// Buffered sequential file I/O with RIFF chunk navigation (descend into a chunk, search a chunk
// by identifier, ascend out of it, create a chunk and patch its size when leaving it).
// One object owns one open file descriptor and one buffer that serves reading and writing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// Four-character code as stored in the file: the first character is the lowest byte.
constexpr std::uint32_t MakeFourCC(char a, char b, char c, char d)
{
    return static_cast<std::uint32_t>(static_cast<unsigned char>(a)) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b)) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(c)) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(d)) << 24;
}

inline constexpr std::uint32_t FOURCC_RIFF = MakeFourCC('R', 'I', 'F', 'F');
inline constexpr std::uint32_t FOURCC_LIST = MakeFourCC('L', 'I', 'S', 'T');

// One chunk as seen by the layer. For "RIFF" and "LIST" chunks the form type is the first
// four bytes of the data; dwDataOffset is the file offset just after the size field.
struct ChunkInfo
{
    std::uint32_t ckid = 0;
    std::uint32_t cksize = 0;
    std::uint32_t fccType = 0;
    std::uint64_t dwDataOffset = 0;
    bool bCreated = false; // made by CreateChunk: Ascend writes its real size
};

class CChunkIo
{
public:
    enum class Find { None, Chunk, Riff };

    CChunkIo() = default;
    ~CChunkIo();
    CChunkIo(const CChunkIo&) = delete;
    CChunkIo& operator=(const CChunkIo&) = delete;

    // Opens an existing file for reading, or creates (truncates) one for reading and writing.
    bool OpenRead(const std::string& path);
    bool Create(const std::string& path);
    // Closes without flushing pending writes when bFlush is false. Returns false if a flush failed.
    bool Close(bool bFlush = true);
    bool IsOpen() const { return m_fd >= 0; }

    // Reads up to n bytes at the current position; returns the count read (short at the end
    // of the file or on an error).
    std::size_t Read(void* dst, std::size_t n);
    // Appends through the buffer, flushing it when full; returns the count stored (short only
    // when a flush failed).
    std::size_t Write(const void* src, std::size_t n);
    bool Flush();
    bool Seek(std::uint64_t pos);
    std::uint64_t Tell() const { return m_pos; }
    std::uint64_t FileSize() const; // current size on disk plus pending writes beyond it

    // Reads the chunk header at the current position into ck and leaves the position at the
    // start of its data (after the form type for "RIFF"/"LIST"). Find::Chunk skips chunks until
    // one with identifier ck.ckid; Find::Riff until a "RIFF" chunk of form type ck.fccType.
    // With a parent, the search ends at the parent's end. Returns false when nothing is found.
    bool Descend(ChunkInfo& ck, const ChunkInfo* parent, Find find);
    // Moves to the end of the chunk (past its pad byte). For a chunk made by CreateChunk the
    // real size is written into its header first and an odd size gets a pad byte.
    bool Ascend(ChunkInfo& ck);
    // Writes a chunk header (and the form type when bRiff) at the current position.
    bool CreateChunk(ChunkInfo& ck, bool bRiff);

    static constexpr std::size_t kBufferSize = 64 * 1024;

private:
    bool ReadExact(void* dst, std::size_t n) { return Read(dst, n) == n; }
    bool FlushDirty();

    int m_fd = -1;
    std::unique_ptr<std::uint8_t[]> m_buf; // kBufferSize bytes
    std::uint64_t m_bufStart = 0;          // file offset of m_buf[0]
    std::size_t m_bufLen = 0;              // valid (read) or pending (written) bytes in m_buf
    bool m_bDirty = false;                 // m_buf holds writes not yet on disk
    std::uint64_t m_pos = 0;               // logical file position
};
