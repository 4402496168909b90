// The files opened last, most recent first, at most kMaxEntries. Kept as a UTF-8 text file with
// one path per line in the user's configuration folder, beside the own profiles.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class RecentFileList
{
public:
    static constexpr std::size_t kMaxEntries = 6;
    static constexpr const char* kFileName = "ResoniZuletztGeoeffnet.txt";

    // Puts the path in front; an entry already listed moves there; the oldest beyond the limit go.
    void Add(const std::string& path);
    void Remove(const std::string& path);
    const std::vector<std::string>& entries() const { return m_entries; }

    // Reads the list (a missing file gives an empty list; empty lines are skipped).
    void Load(const std::string& file);
    // Writes the list, creating the folder; false when it cannot be written.
    bool Save(const std::string& file) const;

    // The menu text of entry i (0-based): "&" + (i + 1) + " " + the file name without its
    // folder, with any "&" in the name doubled so that it is shown and not taken as a mnemonic.
    static std::string MenuText(std::size_t index, const std::string& path);

private:
    std::vector<std::string> m_entries;
};
