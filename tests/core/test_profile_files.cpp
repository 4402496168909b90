#include "core/profiles/ProfileFiles.h"

#include "ProfileTestFiles.h"

#include <dirent.h>
#include <string>
#include <vector>

#include <gtest/gtest.h>

TEST(ProfileFiles, NamesMessageAndTheListingOfUserProfilesInDirectoryOrder)
{
    const char* names[] = {"ResoniStandardProfil.ini", "ResoniMusikerProfil.ini", "ResoniAnalytikerProfil.ini",
                           "ResoniKomplettProfil.ini", "ResoniGrundschuleProfil.ini", "ResoniOberschuleProfil.ini",
                           "ResoniZuletztVerwendetProfil.ini", "ResoniUserProfil-Chor.ini", "ResoniStandardProfil.ini"};
    for (int kind = -1; kind <= 8; ++kind)
        EXPECT_EQ(ProfileFileName(kind, "ResoniUserProfil-Chor.ini"), names[kind < 0 ? 8 : kind]) << kind;
    EXPECT_EQ(UserProfileFileName("Chor"), "ResoniUserProfil-Chor.ini");
    EXPECT_EQ(UserProfileTemplateName(), "ResoniUserVorlage.ini");
    EXPECT_EQ(MissingProfileMessage("/home/anna/.config/resoni/Profile/ResoniUserProfil-Chor.ini"),
              "Dieses Profil exisiert nicht im Unterverzeichnis Profile des Programms. \n"
              "Bitte sorgen Sie daf\xC3\xBCr, dass das folgende Inifile im angegebenen Verzeichnis "
              "/home/anna/.config/resoni/Profile/ResoniUserProfil-Chor.ini liegt.\n"
              "Das Programm kann solange leider nicht gestartet werden.\n\nInstallieren sie es im Zweifel neu.");
    struct Case { const char* file; const char* shown; };
    // Not shown: the prefix twice, a backup copy ("Chor~" would not load), other cases, nothing in between.
    const Case cases[] = {
        {"ResoniUserProfil-Chor.ini", "Chor"}, {"ResoniUserProfil-Klasse 4b.ini", "Klasse 4b"},
        {"ResoniUserProfil-a.ini.ini", "a.ini"}, {"ResoniUserProfil-Übung.ini", "Übung"}, {"ResoniUserVorlage.ini", ""},
        {"ResoniStandardProfil.ini", ""}, {"ResoniZuletztVerwendetProfil.ini", ""}, {"ResoniUserProfil-.ini", ""},
        {"ResoniUserProfil-ResoniUserProfil-x.ini", ""}, {"ResoniUserProfil-Chor.ini~", ""}, {"", ""},
        {"ResoniUserProfil-Chor.INI", ""}, {"xResoniUserProfil-Chor.ini", ""}, {"resoniuserprofil-chor.ini", ""}};
    ScopedTempDir dir;
    for (const Case& c : cases) {
        EXPECT_EQ(UserProfileDisplayName(c.file), c.shown) << c.file;
        if (*c.file)
            writeBytes(dir.file(c.file), "[Dokument]\n");
    }
    std::filesystem::create_directory(dir.file("ResoniUserProfil-Ordner.ini")); // a directory is no profile
    // The expected order is the order readdir gives, filtered by the table above.
    std::vector<std::string> expected;
    DIR* d = opendir(dir.path().c_str());
    ASSERT_NE(d, nullptr);
    while (const dirent* e = readdir(d))
        for (const Case& c : cases)
            if (*c.shown && c.file == std::string(e->d_name))
                expected.push_back(c.shown);
    closedir(d);
    ASSERT_EQ(expected.size(), 4u);
    EXPECT_EQ(ListUserProfileNames(dir.path()), expected);
    EXPECT_TRUE(ListUserProfileNames(dir.file("does-not-exist")).empty());
    EXPECT_TRUE(ListUserProfileNames(dir.file("ResoniUserVorlage.ini")).empty());
}

