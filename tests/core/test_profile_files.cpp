#include "core/profiles/ProfileFiles.h"

#include "ProfileTestFiles.h"

#include <dirent.h>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

TEST(ProfileFiles, FileNamesOfTheKinds)
{
    const char* expected[] = {"ResoniStandardProfil.ini",    "ResoniMusikerProfil.ini",
                              "ResoniAnalytikerProfil.ini",  "ResoniKomplettProfil.ini",
                              "ResoniGrundschuleProfil.ini", "ResoniOberschuleProfil.ini",
                              "ResoniZuletztVerwendetProfil.ini"};
    for (int kind = 0; kind <= 6; ++kind)
        EXPECT_EQ(ProfileFileName(kind, "ResoniUserProfil-Chor.ini"), expected[kind]) << kind;
    EXPECT_EQ(ProfileFileName(kProfileUser, "ResoniUserProfil-Chor.ini"), "ResoniUserProfil-Chor.ini");
    EXPECT_EQ(ProfileFileName(-1, "x"), "ResoniStandardProfil.ini");
    EXPECT_EQ(ProfileFileName(8, "x"), "ResoniStandardProfil.ini");
    EXPECT_EQ(UserProfileFileName("Chor"), "ResoniUserProfil-Chor.ini");
    EXPECT_EQ(UserProfileTemplateName(), "ResoniUserVorlage.ini");
}

TEST(ProfileFiles, DisplayNames)
{
    struct Case { const char* file; const char* shown; };
    const Case cases[] = {
        {"ResoniUserProfil-Chor.ini", "Chor"},
        {"ResoniUserProfil-Klasse 4b.ini", "Klasse 4b"},
        {"ResoniUserProfil-a.ini.ini", "a.ini"},
        {"ResoniUserProfil-Übung.ini", "Übung"},
        {"ResoniStandardProfil.ini", ""},
        {"ResoniUserVorlage.ini", ""},
        {"ResoniZuletztVerwendetProfil.ini", ""},
        {"ResoniUserProfil-ResoniUserProfil-x.ini", ""}, // the prefix twice
        {"ResoniUserProfil-Chor.ini~", ""},              // backup copy: "Chor~" would not load
        {"ResoniUserProfil-Chor.INI", ""},
        {"xResoniUserProfil-Chor.ini", ""},
        {"ResoniUserProfil-.ini", ""},
        {"resoniuserprofil-chor.ini", ""},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UserProfileDisplayName(c.file), c.shown) << c.file;
}

TEST(ProfileFiles, ListingShowsOnlyUserProfilesInDirectoryOrder)
{
    ScopedTempDir dir;
    const std::vector<std::string> files = {
        "ResoniUserProfil-Chor.ini",  "ResoniStandardProfil.ini", "ResoniUserVorlage.ini",
        "ResoniUserProfil-Band.ini",  "ResoniUserProfil-ResoniUserProfil-x.ini",
        "ResoniUserProfil-Chor.ini~", "ResoniZuletztVerwendetProfil.ini", "ResoniUserProfil-Orgel.ini",
        "notes.txt",
    };
    for (const std::string& f : files)
        writeBytes(dir.file(f), "[Dokument]\n");
    fs::create_directory(dir.file("ResoniUserProfil-Ordner.ini")); // a directory is no profile

    // The expected order is the order readdir gives, filtered by hand.
    const std::set<std::string> wanted = {"ResoniUserProfil-Chor.ini", "ResoniUserProfil-Band.ini",
                                          "ResoniUserProfil-Orgel.ini"};
    std::vector<std::string> expected;
    DIR* d = opendir(dir.path().c_str());
    ASSERT_NE(d, nullptr);
    while (const dirent* e = readdir(d)) {
        const std::string name = e->d_name;
        if (wanted.count(name))
            expected.push_back(name.substr(17, name.size() - 17 - 4));
    }
    closedir(d);
    ASSERT_EQ(expected.size(), 3u);

    EXPECT_EQ(ListUserProfileNames(dir.path()), expected);
    EXPECT_TRUE(ListUserProfileNames(dir.file("does-not-exist")).empty());
    EXPECT_TRUE(ListUserProfileNames(dir.file("notes.txt")).empty());
}

TEST(ProfileFiles, MissingProfileMessage)
{
    EXPECT_EQ(MissingProfileMessage("/home/anna/.config/resoni/Profile/ResoniUserProfil-Chor.ini"),
              "Dieses Profil exisiert nicht im Unterverzeichnis Profile des Programms. \n"
              "Bitte sorgen Sie daf\xC3\xBCr, dass das folgende Inifile im angegebenen Verzeichnis "
              "/home/anna/.config/resoni/Profile/ResoniUserProfil-Chor.ini liegt.\n"
              "Das Programm kann solange leider nicht gestartet werden.\n\nInstallieren sie es im Zweifel neu.");
}
