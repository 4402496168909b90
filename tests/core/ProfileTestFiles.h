// File helpers for the INI and profile tests: a temporary directory, whole-file reads and writes.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

// A new empty directory below ::testing::TempDir(); removed with its contents on destruction.
class ScopedTempDir
{
public:
    ScopedTempDir() : m_path(::testing::TempDir() + "resoni_profiles_XXXXXX")
    {
        if (!mkdtemp(m_path.data()))
            throw std::runtime_error("mkdtemp failed for " + m_path);
    }
    ~ScopedTempDir() { std::error_code ec; std::filesystem::remove_all(m_path, ec); }
    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

inline std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}
