// The identifier table behind the device dialog's two lists: up to 20 device identifiers,
// shared by the capture and the output list. A device with an identifier is listed only
// while the table has room; the system default devices have no identifier and need no entry.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// A device as enumerated: its identifier (empty for the system default device) and its
// description, the text the lists show.
struct SoundDeviceInfo
{
    std::string id;
    std::string description;
    friend bool operator==(const SoundDeviceInfo&, const SoundDeviceInfo&) = default;
};

class CDeviceIdTable
{
public:
    static constexpr std::size_t kCapacity = 20;

    // The devices to list, in enumeration order: the default devices always, a device with an
    // identifier when the table still has room (its identifier is then stored).
    std::vector<SoundDeviceInfo> List(const std::vector<SoundDeviceInfo>& enumerated);

    std::size_t GetCount() const { return m_ids.size(); }
    // Empties the table (the program does it when the device dialog opens).
    void Reset() { m_ids.clear(); }

private:
    std::vector<std::string> m_ids;
};
