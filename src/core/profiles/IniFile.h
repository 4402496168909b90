// CIniFile reads and writes typed settings in one INI file, one key of the current section at a
// time; an exchange call reads or writes a variable depending on one flag, so that a single list
// of calls serves loading and saving.
#pragma once

#include "core/common/Rgb.h"
#include "core/profiles/IniText.h"

#include <array>
#include <cstddef>
#include <memory>
#include <string>

// Reads go through a value buffer of 256 bytes: the value (or default) without surrounding
// blanks, cut to 255 bytes (and back to a whole UTF-8 character) and at a NUL byte. Numbers are
// written as "%d" and "%g" and read back like atoi and atof, always in the C locale (IniNumbers.h),
// so a double comes back with six significant digits. A missing file or key gives the default;
// write failures are not reported. Every write is in the file when the call returns: the file is
// read afresh for each read and rewritten for each write, keeping all its other lines byte for byte.
// Files larger than kMaxFileBytes, and paths that are not regular files, read as empty and are
// never written.
class CIniFile
{
public:
    static constexpr std::size_t kValueBufferSize = 256;
    static constexpr std::size_t kMaxFileBytes = 4u << 20;

    // The program file (full path) whose directory relative paths are resolved against when the
    // module-directory flag is set, and whose base name (without extension) names the default
    // file. Until it is set, /proc/self/exe is used. Set it once at start-up, before other threads run.
    static void SetProgramFile(const std::string& programFile);
    // The directory of the program file, without a trailing '/'.
    static std::string ProgramDirectory();
    // The name used for an empty section; "Resoni" until it is set.
    static void SetApplicationName(const std::string& name);
    static std::string ApplicationName();

    // path: an empty path names "<directory>/<program base name>.ini"; a relative path is put
    // behind the directory; an absolute one is kept. The directory is the program's (bModuleDir)
    // or the current one. An empty section becomes the application name.
    explicit CIniFile(const std::string& path = std::string(), const std::string& section = std::string(),
                      bool bModuleDir = true);
    // Copies the path, the section and the flag (and the value buffer). Copies of an in-memory
    // store share its text, as copies of a store on a file share the file.
    CIniFile(const CIniFile& other) = default;
    CIniFile& operator=(const CIniFile& other) = default;

    // An INI store on text held in memory instead of a file (no path): reads and writes behave as
    // on a file with these bytes; MemoryText() gives the text after the writes.
    static CIniFile InMemory(std::string text, const std::string& section);
    // The text of an in-memory store; nullptr for a store on a file.
    const std::string* MemoryText() const;

    const std::string& GetPath() const { return m_strPath; }
    const std::string& GetSection() const { return m_strSection; }
    bool IsModuleDirectory() const { return m_bModuleDir; }
    // The text of the last value read.
    const char* GetBuffer() const { return m_Buffer.data(); }

    // Every call given a non-null section makes it the current section for the following calls.
    void SetSection(const std::string& section);

    // The value, or def when the key is absent (a null def counts as "").
    std::string ReadString(const char* key, const char* def = nullptr, const char* section = nullptr);
    // The default is formatted ("%d", "%g") and read back like a value, so an absent double key
    // with default 0.1234567 gives 0.123457.
    int ReadInt(const char* key, int def = 0, const char* section = nullptr);
    long ReadLong(const char* key, long def = 0, const char* section = nullptr);
    float ReadFloat(const char* key, float def = 0.0f, const char* section = nullptr);
    double ReadDouble(const char* key, double def = 0.0, const char* section = nullptr);

    // Writes "key=value", creating the file (and its directory) and the section when missing.
    void WriteString(const char* key, const char* value, const char* section = nullptr);
    void WriteInt(const char* key, int value, const char* section = nullptr);
    void WriteLong(const char* key, long value, const char* section = nullptr);
    void WriteFloat(const char* key, float value, const char* section = nullptr);
    void WriteDouble(const char* key, double value, const char* section = nullptr);

    // bRead: the variable is read with its current value as the default; else it is written.
    // Unsigned values are stored as "%d" of their 32-bit pattern (4294967295 as -1); colours as
    // 0x00BBGGRR (IniColourFromRgb). A null variable does nothing.
    void Exchange(bool bRead, std::string* pValue, const char* key, const char* section = nullptr);
    void Exchange(bool bRead, double* pValue, const char* key, const char* section = nullptr);
    void Exchange(bool bRead, float* pValue, const char* key, const char* section = nullptr);
    void Exchange(bool bRead, int* pValue, const char* key, const char* section = nullptr);
    void Exchange(bool bRead, unsigned* pValue, const char* key, const char* section = nullptr);
    void Exchange(bool bRead, long* pValue, const char* key, const char* section = nullptr);
    void Exchange(bool bRead, Rgb* pValue, const char* key, const char* section = nullptr);

    void Exchange(bool bRead, std::string* pValue, const std::string& key, const char* section = nullptr);
    void Exchange(bool bRead, double* pValue, const std::string& key, const char* section = nullptr);
    void Exchange(bool bRead, float* pValue, const std::string& key, const char* section = nullptr);
    void Exchange(bool bRead, int* pValue, const std::string& key, const char* section = nullptr);
    void Exchange(bool bRead, unsigned* pValue, const std::string& key, const char* section = nullptr);
    void Exchange(bool bRead, long* pValue, const std::string& key, const char* section = nullptr);
    void Exchange(bool bRead, Rgb* pValue, const std::string& key, const char* section = nullptr);

private:
    void TakeSection(const char* section);
    // Reads the value or def into the buffer and returns the buffer.
    const char* ReadToBuffer(const char* key, const char* def, const char* section);
    void WriteText(const char* key, const std::string& value, const char* section);

    std::shared_ptr<CIniText> m_pMemory; // set only for an in-memory store
    bool m_bModuleDir = true;
    std::array<char, kValueBufferSize> m_Buffer{};
    std::string m_strPath;
    std::string m_strSection;
};
