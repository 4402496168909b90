// Small file helpers for the INI and profile tests: a fresh temporary directory per test and
// whole-file reads and writes of raw bytes.
#pragma once

#include <string>

// A new empty directory below ::testing::TempDir(); removed with its contents on destruction.
class ScopedTempDir
{
public:
    ScopedTempDir();
    ~ScopedTempDir();
    ScopedTempDir(const ScopedTempDir&) = delete;
    ScopedTempDir& operator=(const ScopedTempDir&) = delete;

    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

std::string readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::string& bytes);
