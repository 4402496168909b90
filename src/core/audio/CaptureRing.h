// CCaptureRing is the capture buffer: a looping ring of 16·B bytes that the device writes at
// its capture position, and the reader's side (RecordCapturedData) that takes every whole
// block that has arrived since the previous read, as samples and as raw bytes for a record
// file. It is used by one thread at a time (the capture thread) and holds no lock.
#pragma once

#include "core/audio/CaptureGeometry.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

class CCaptureRing
{
public:
    // Receives one region of captured bytes for the record file; false when writing failed.
    using RegionWriter = std::function<bool(std::span<const std::uint8_t>)>;

    explicit CCaptureRing(const CaptureGeometry& geometry);

    // Device side: stores data at the capture position and advances it, wrapping at the end;
    // like the hardware it overwrites bytes nobody has read yet. Returns how many notification
    // positions ((i + 1)·B - 1) the write passed, counting every lap.
    std::size_t Write(std::span<const std::uint8_t> data);

    // R: the position up to which data may be read.
    std::uint32_t GetCurrentPosition() const { return m_nCapturePosition; }
    // Where the next read starts; always a multiple of B.
    std::uint32_t GetNextOffset() const { return m_nNextOffset; }
    const CaptureGeometry& GetGeometry() const { return m_geometry; }

    // L = R - nextOffset (plus the ring size when negative), rounded down to a multiple of B.
    // L = 0: returns false and leaves block alone. Otherwise block is emptied and receives the
    // samples of the one or two regions [nextOffset, nextOffset + L) (8-bit: the byte value
    // 0 ... 255; otherwise each 16-bit little-endian word as a signed value); each region is
    // handed to write (when given) before nextOffset moves past it. A failed write returns
    // false at once, leaving nextOffset at the start of that region.
    bool RecordCapturedData(std::vector<double>& block, int nBitsPerSample, const RegionWriter& write);

    // Appends the samples of raw PCM bytes as the capture hands them over (see above).
    static void AppendSamples(std::span<const std::uint8_t> bytes, int nBitsPerSample, std::vector<double>& block);

private:
    CaptureGeometry m_geometry;
    std::vector<std::uint8_t> m_buffer;  // 16·B bytes
    std::uint32_t m_nCapturePosition = 0; // R, in [0, 16·B)
    std::uint32_t m_nNextOffset = 0;      // in [0, 16·B), a multiple of B
};
