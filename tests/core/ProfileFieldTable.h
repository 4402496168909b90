// Every key of a profile with its section, type and field, in file order, as the tests expect
// them; kept apart from ExchangeProfile so that the tests check it against an independent list.
#pragma once

#include "core/profiles/ProfileSettings.h"

#include <string>
#include <variant>
#include <vector>

struct ProfileField
{
    const char* section;
    const char* key;
    std::variant<int ProfileSettings::*, float ProfileSettings::*, double ProfileSettings::*,
                 std::string ProfileSettings::*>
        member;
};

// The module keys (without placements), in the order a profile file holds them.
const std::vector<ProfileField>& ProfileFields();

// The placement sections in file order with their slot, and the ten keys of each section.
struct PlacementSectionRef
{
    const char* section;
    int slot;
};
const std::vector<PlacementSectionRef>& PlacementSections();
const std::vector<std::string>& PlacementKeys();
// The field of a placement for key index 0..9 (PlacementKeys order).
std::int32_t& PlacementField(WindowPlacement& wp, int keyIndex);

// Sets field number i (in ProfileFields order) to a value derived from seed, different for every
// field and seed: ints seed·1000 + i, floats and doubles (seed·1000 + i)·0.25, texts "t<seed>-<i>".
void FillDistinct(ProfileSettings& s, int seed);
