#include "ProfileFiles.h"

#include <filesystem>
#include <string_view>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kUserPrefix = "ResoniUserProfil-";
constexpr std::string_view kIniSuffix = ".ini";

// Files of the kinds 0..6, in kind order.
constexpr const char* kProfileFiles[] = {
    "ResoniStandardProfil.ini",    "ResoniMusikerProfil.ini",     "ResoniAnalytikerProfil.ini",
    "ResoniKomplettProfil.ini",    "ResoniGrundschuleProfil.ini", "ResoniOberschuleProfil.ini",
    "ResoniZuletztVerwendetProfil.ini",
};

} // namespace

std::string ProfileFileName(int kind, const std::string& userFile)
{
    if (kind == kProfileUser)
        return userFile;
    if (kind < 0 || kind > kProfileLastUsed)
        kind = 0;
    return kProfileFiles[kind];
}

std::string UserProfileFileName(const std::string& name)
{
    return std::string(kUserPrefix) + name + std::string(kIniSuffix);
}

std::string UserProfileTemplateName()
{
    return "ResoniUserVorlage.ini";
}

std::string UserProfileDisplayName(const std::string& fileName)
{
    const std::string_view name = fileName;
    const std::size_t first = name.find(kUserPrefix);
    if (first != 0 || name.find(kUserPrefix, first + 1) != std::string_view::npos)
        return std::string();
    if (name.size() <= kUserPrefix.size() + kIniSuffix.size() || !name.ends_with(kIniSuffix))
        return std::string();
    return std::string(name.substr(kUserPrefix.size(), name.size() - kUserPrefix.size() - kIniSuffix.size()));
}

std::vector<std::string> ListUserProfileNames(const std::string& directory)
{
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(directory, ec);
    if (ec)
        return names;
    // directory_iterator walks the entries as readdir gives them and skips "." and "..".
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec)
            break;
        std::error_code typeEc;
        if (!it->is_regular_file(typeEc) || typeEc)
            continue;
        std::string shown = UserProfileDisplayName(it->path().filename().string());
        if (!shown.empty())
            names.push_back(std::move(shown));
    }
    return names;
}

std::string MissingProfileMessage(const std::string& fullPath)
{
    return "Dieses Profil exisiert nicht im Unterverzeichnis Profile des Programms. \n"
           "Bitte sorgen Sie dafür, dass das folgende Inifile im angegebenen Verzeichnis " +
           fullPath +
           " liegt.\nDas Programm kann solange leider nicht gestartet werden.\n\n"
           "Installieren sie es im Zweifel neu.";
}
