// Names of the profile files and the list of the user's own profiles.
#pragma once

#include <string>
#include <vector>

// Profile kinds: 0 Standard, 1 Musiker, 2 Analytiker, 3 Komplett, 4 Grundschule, 5 Oberschule,
// 6 the last-used settings, 7 an own profile (userFile names it).
constexpr int kProfileLastUsed = 6;
constexpr int kProfileUser = 7;

// The file name of a profile kind, e.g. "ResoniStandardProfil.ini"; kind 7 gives userFile.
// Kinds outside 0..7 give the standard profile's name.
std::string ProfileFileName(int kind, const std::string& userFile);
// "ResoniUserProfil-" + name + ".ini".
std::string UserProfileFileName(const std::string& name);
// The template for own profiles, "ResoniUserVorlage.ini".
std::string UserProfileTemplateName();

// The user profiles in a directory, in directory order: every regular file whose name contains
// "ResoniUserProfil-" exactly once, shown with that prefix and ".ini" removed. A name that would
// not lead back to its file (UserProfileFileName(shown) != file name: the prefix not at the start,
// no ".ini" at the end, as in a backup "ResoniUserProfil-Chor.ini~", or nothing in between) is
// left out, since choosing it could not load. A missing or unreadable directory gives no names.
std::vector<std::string> ListUserProfileNames(const std::string& directory);
// The shown name of one file name, or "" when the file is not a user profile (rule above).
std::string UserProfileDisplayName(const std::string& fileName);

// The message for a profile file that does not exist (shown with a stop icon).
std::string MissingProfileMessage(const std::string& fullPath);
