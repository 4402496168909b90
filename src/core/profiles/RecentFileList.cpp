#include "RecentFileList.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

void RecentFileList::Add(const std::string& path)
{
    Remove(path);
    m_entries.insert(m_entries.begin(), path);
    if (m_entries.size() > kMaxEntries)
        m_entries.resize(kMaxEntries);
}

void RecentFileList::Remove(const std::string& path)
{
    m_entries.erase(std::remove(m_entries.begin(), m_entries.end(), path), m_entries.end());
}

void RecentFileList::Load(const std::string& file)
{
    m_entries.clear();
    std::ifstream in(std::filesystem::path(file), std::ios::binary);
    std::string line;
    while (m_entries.size() < kMaxEntries && std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && std::find(m_entries.begin(), m_entries.end(), line) == m_entries.end())
            m_entries.push_back(line);
    }
}

bool RecentFileList::Save(const std::string& file) const
{
    const std::filesystem::path p(file);
    std::error_code ec;
    if (p.has_parent_path())
        std::filesystem::create_directories(p.parent_path(), ec);
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    for (const std::string& e : m_entries)
        out << e << '\n';
    return static_cast<bool>(out.flush());
}

std::string RecentFileList::MenuText(std::size_t index, const std::string& path)
{
    std::string name = std::filesystem::path(path).filename().string();
    std::string text = "&" + std::to_string(index + 1) + " ";
    for (char c : name) {
        if (c == '&')
            text += '&';
        text += c;
    }
    return text;
}
