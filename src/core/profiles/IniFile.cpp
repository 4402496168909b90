#include "IniFile.h"

#include "IniNumbers.h"
#include "IniText.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <optional>

namespace fs = std::filesystem;

namespace {

struct ProgramIdentity
{
    std::mutex mutex;
    std::string directory; // without trailing '/'
    std::string baseName;
    std::string applicationName = "Resoni";
    bool programKnown = false;
};

ProgramIdentity& identity()
{
    static ProgramIdentity id;
    return id;
}

void splitProgramFile(const std::string& programFile, std::string& directory, std::string& baseName)
{
    const std::size_t slash = programFile.find_last_of('/');
    directory = slash == std::string::npos ? std::string() : programFile.substr(0, slash);
    std::string file = slash == std::string::npos ? programFile : programFile.substr(slash + 1);
    const std::size_t dot = file.find_last_of('.');
    if (dot != std::string::npos && dot > 0)
        file.erase(dot);
    baseName = file;
}

// Caller holds the mutex.
void ensureProgramKnown(ProgramIdentity& id)
{
    if (id.programKnown)
        return;
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec)
        splitProgramFile(exe.string(), id.directory, id.baseName);
    if (id.baseName.empty())
        id.baseName = id.applicationName;
    id.programKnown = true;
}

std::string currentDirectory()
{
    std::error_code ec;
    const fs::path cwd = fs::current_path(ec);
    return ec ? std::string() : cwd.string();
}

// directory + "/" + name, with the directory's trailing slashes removed first ("/" stays the root).
std::string joinPath(std::string directory, const std::string& name)
{
    while (!directory.empty() && directory.back() == '/')
        directory.pop_back();
    return directory + "/" + name;
}

enum class FileState { Missing, Readable, Unusable };

// The file's bytes; Unusable for anything that is not a regular file of at most kMaxFileBytes.
FileState loadFile(const std::string& path, std::string& bytes)
{
    bytes.clear();
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    if (st.type() == fs::file_type::not_found)
        return FileState::Missing;
    if (ec || st.type() != fs::file_type::regular)
        return FileState::Unusable;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return FileState::Unusable;
    constexpr std::size_t kChunk = 64 * 1024;
    char chunk[kChunk];
    while (in) {
        in.read(chunk, kChunk);
        const auto got = static_cast<std::size_t>(in.gcount());
        if (bytes.size() + got > CIniFile::kMaxFileBytes)
            return FileState::Unusable;
        bytes.append(chunk, got);
    }
    return in.bad() ? FileState::Unusable : FileState::Readable;
}

// Copies text into the buffer: cut at a NUL byte, then to size − 1 bytes, never inside a UTF-8
// character.
void fillBuffer(std::array<char, CIniFile::kValueBufferSize>& buffer, std::string_view text)
{
    if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos)
        text = text.substr(0, nul);
    std::size_t n = text.size();
    if (n > buffer.size() - 1) {
        n = buffer.size() - 1;
        // Back up over at most three continuation bytes to the start of the cut character.
        std::size_t back = 0;
        while (back < 3 && n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0u) == 0x80u) {
            --n;
            ++back;
        }
        if ((static_cast<unsigned char>(text[n]) & 0xC0u) == 0x80u)
            n = buffer.size() - 1; // not UTF-8 at all: cut at the byte limit
    }
    if (n > 0) // an empty text may have no storage at all
        std::memcpy(buffer.data(), text.data(), n);
    buffer[n] = '\0';
}

} // namespace

void CIniFile::SetProgramFile(const std::string& programFile)
{
    ProgramIdentity& id = identity();
    const std::lock_guard lock(id.mutex);
    splitProgramFile(programFile, id.directory, id.baseName);
    if (id.baseName.empty())
        id.baseName = id.applicationName;
    id.programKnown = true;
}

std::string CIniFile::ProgramDirectory()
{
    ProgramIdentity& id = identity();
    const std::lock_guard lock(id.mutex);
    ensureProgramKnown(id);
    return id.directory;
}

void CIniFile::SetApplicationName(const std::string& name)
{
    ProgramIdentity& id = identity();
    const std::lock_guard lock(id.mutex);
    id.applicationName = name;
}

std::string CIniFile::ApplicationName()
{
    ProgramIdentity& id = identity();
    const std::lock_guard lock(id.mutex);
    return id.applicationName;
}

CIniFile::CIniFile(const std::string& path, const std::string& section, bool bModuleDir) : m_bModuleDir(bModuleDir)
{
    std::string directory;
    std::string baseName;
    {
        ProgramIdentity& id = identity();
        const std::lock_guard lock(id.mutex);
        ensureProgramKnown(id);
        directory = bModuleDir ? id.directory : currentDirectory();
        baseName = id.baseName;
        m_strSection = section.empty() ? id.applicationName : section;
    }
    if (path.empty())
        m_strPath = joinPath(directory, baseName + ".ini");
    else if (path.front() == '/')
        m_strPath = path;
    else
        m_strPath = joinPath(directory, path);
}

CIniFile CIniFile::InMemory(std::string text, const std::string& section)
{
    CIniFile ini("/", section, false);
    ini.m_strPath.clear();
    ini.m_pMemory = std::make_shared<CIniText>(std::move(text));
    return ini;
}

const std::string* CIniFile::MemoryText() const
{
    return m_pMemory ? &m_pMemory->Text() : nullptr;
}

void CIniFile::SetSection(const std::string& section)
{
    m_strSection = section;
}

void CIniFile::TakeSection(const char* section)
{
    if (section)
        m_strSection = section;
}

const char* CIniFile::ReadToBuffer(const char* key, const char* def, const char* section)
{
    TakeSection(section);
    std::string bytes;
    std::optional<std::string_view> found;
    std::optional<CIniText> text;
    if (key && *key) {
        if (m_pMemory) {
            found = m_pMemory->Find(m_strSection, key);
        } else if (loadFile(m_strPath, bytes) == FileState::Readable) {
            text.emplace(std::move(bytes));
            found = text->Find(m_strSection, key);
        }
    }
    fillBuffer(m_Buffer, found ? *found : IniTrim(def ? std::string_view(def) : std::string_view()));
    return m_Buffer.data();
}

std::string CIniFile::ReadString(const char* key, const char* def, const char* section)
{
    return ReadToBuffer(key, def, section);
}

int CIniFile::ReadInt(const char* key, int def, const char* section)
{
    return IniAtoi(ReadToBuffer(key, IniFormatInt(def).c_str(), section));
}

long CIniFile::ReadLong(const char* key, long def, const char* section)
{
    return IniAtol(ReadToBuffer(key, std::to_string(def).c_str(), section));
}

float CIniFile::ReadFloat(const char* key, float def, const char* section)
{
    return IniNarrowToFloat(IniAtof(ReadToBuffer(key, IniFormatDouble(def).c_str(), section)));
}

double CIniFile::ReadDouble(const char* key, double def, const char* section)
{
    return IniAtof(ReadToBuffer(key, IniFormatDouble(def).c_str(), section));
}

void CIniFile::WriteText(const char* key, const std::string& value, const char* section)
{
    TakeSection(section);
    if (!key)
        return;
    if (m_pMemory) {
        m_pMemory->Set(m_strSection, key, value);
        return;
    }
    std::string bytes;
    if (loadFile(m_strPath, bytes) == FileState::Unusable)
        return;
    CIniText text(std::move(bytes));
    if (!text.Set(m_strSection, key, value))
        return;
    std::error_code ec;
    const fs::path parent = fs::path(m_strPath).parent_path();
    if (!parent.empty())
        fs::create_directories(parent, ec);
    std::ofstream out(m_strPath, std::ios::binary | std::ios::trunc);
    out.write(text.Text().data(), static_cast<std::streamsize>(text.Text().size()));
}

void CIniFile::WriteString(const char* key, const char* value, const char* section)
{
    WriteText(key, value ? std::string(value) : std::string(), section);
}

void CIniFile::WriteInt(const char* key, int value, const char* section)
{
    WriteText(key, IniFormatInt(value), section);
}

void CIniFile::WriteLong(const char* key, long value, const char* section)
{
    WriteText(key, std::to_string(value), section);
}

void CIniFile::WriteFloat(const char* key, float value, const char* section)
{
    WriteText(key, IniFormatDouble(static_cast<double>(value)), section);
}

void CIniFile::WriteDouble(const char* key, double value, const char* section)
{
    WriteText(key, IniFormatDouble(value), section);
}

void CIniFile::Exchange(bool bRead, std::string* pValue, const char* key, const char* section)
{
    if (!pValue)
        return;
    if (bRead)
        *pValue = ReadString(key, pValue->c_str(), section);
    else
        WriteText(key, *pValue, section);
}

void CIniFile::Exchange(bool bRead, double* pValue, const char* key, const char* section)
{
    if (!pValue)
        return;
    if (bRead)
        *pValue = ReadDouble(key, *pValue, section);
    else
        WriteDouble(key, *pValue, section);
}

void CIniFile::Exchange(bool bRead, float* pValue, const char* key, const char* section)
{
    if (!pValue)
        return;
    if (bRead)
        *pValue = ReadFloat(key, *pValue, section);
    else
        WriteFloat(key, *pValue, section);
}

void CIniFile::Exchange(bool bRead, int* pValue, const char* key, const char* section)
{
    if (!pValue)
        return;
    if (bRead)
        *pValue = ReadInt(key, *pValue, section);
    else
        WriteInt(key, *pValue, section);
}

void CIniFile::Exchange(bool bRead, unsigned* pValue, const char* key, const char* section)
{
    if (!pValue)
        return;
    // The 32-bit pattern travels as a signed int; the conversions are modular both ways.
    int v = static_cast<int>(*pValue);
    Exchange(bRead, &v, key, section);
    *pValue = static_cast<unsigned>(v);
}

void CIniFile::Exchange(bool bRead, long* pValue, const char* key, const char* section)
{
    if (!pValue)
        return;
    if (bRead)
        *pValue = ReadLong(key, *pValue, section);
    else
        WriteLong(key, *pValue, section);
}

void CIniFile::Exchange(bool bRead, Rgb* pValue, const char* key, const char* section)
{
    if (!pValue)
        return;
    int v = IniColourFromRgb(*pValue);
    Exchange(bRead, &v, key, section);
    *pValue = IniRgbFromColour(v);
}

void CIniFile::Exchange(bool bRead, std::string* pValue, const std::string& key, const char* section)
{
    Exchange(bRead, pValue, key.c_str(), section);
}

void CIniFile::Exchange(bool bRead, double* pValue, const std::string& key, const char* section)
{
    Exchange(bRead, pValue, key.c_str(), section);
}

void CIniFile::Exchange(bool bRead, float* pValue, const std::string& key, const char* section)
{
    Exchange(bRead, pValue, key.c_str(), section);
}

void CIniFile::Exchange(bool bRead, int* pValue, const std::string& key, const char* section)
{
    Exchange(bRead, pValue, key.c_str(), section);
}

void CIniFile::Exchange(bool bRead, unsigned* pValue, const std::string& key, const char* section)
{
    Exchange(bRead, pValue, key.c_str(), section);
}

void CIniFile::Exchange(bool bRead, long* pValue, const std::string& key, const char* section)
{
    Exchange(bRead, pValue, key.c_str(), section);
}

void CIniFile::Exchange(bool bRead, Rgb* pValue, const std::string& key, const char* section)
{
    Exchange(bRead, pValue, key.c_str(), section);
}
