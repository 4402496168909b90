#include "core/audio/DeviceIdTable.h"

std::vector<SoundDeviceInfo> CDeviceIdTable::List(const std::vector<SoundDeviceInfo>& enumerated)
{
    std::vector<SoundDeviceInfo> listed;
    for (const SoundDeviceInfo& device : enumerated) {
        if (!device.id.empty()) {
            if (m_ids.size() >= kCapacity)
                continue;
            m_ids.push_back(device.id);
        }
        listed.push_back(device);
    }
    return listed;
}
