// File-dialog filters written as "Description|pattern|Description|pattern|" split into entries,
// and the same list in the "Description (pattern);;..." form of Qt's file dialogs.
#pragma once

#include <string>
#include <vector>

struct FileFilterEntry
{
    std::string strDescription; // e.g. "WAV - Standardwavefiles"
    std::string strPattern;     // e.g. "*.wav"
    friend bool operator==(const FileFilterEntry&, const FileFilterEntry&) = default;
};

std::vector<FileFilterEntry> SplitFileFilter(const std::string& filter);
std::string QtFilterString(const std::string& filter); // "A (*.a);;B (*.b)"
std::string QtFilterEntry(const FileFilterEntry& entry); // "A (*.a)", to preselect one entry
