#include "core/audio/FileFilter.h"

std::vector<FileFilterEntry> SplitFileFilter(const std::string& filter)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start < filter.size()) {
        std::size_t bar = filter.find('|', start);
        if (bar == std::string::npos)
            bar = filter.size();
        parts.push_back(filter.substr(start, bar - start));
        start = bar + 1;
    }
    std::vector<FileFilterEntry> out;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2)
        out.push_back({parts[i], parts[i + 1]});
    return out;
}

std::string QtFilterEntry(const FileFilterEntry& entry)
{
    return entry.strDescription + " (" + entry.strPattern + ")";
}

std::string QtFilterString(const std::string& filter)
{
    std::string out;
    for (const FileFilterEntry& e : SplitFileFilter(filter)) {
        if (!out.empty())
            out += ";;";
        out += QtFilterEntry(e);
    }
    return out;
}
