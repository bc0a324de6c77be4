#include "app/control_ids.h"

#include <wx/windowid.h>

#include <array>

namespace {

constexpr std::array<const char*, kControlIdCount> kNames = {
#define HELPER_NAME_ENTRY(name) #name,
    HELPER_CONTROL_IDS(HELPER_NAME_ENTRY)
#undef HELPER_NAME_ENTRY
};

// Reserved for the whole run, in list order, before any window exists.
std::array<int, kControlIdCount> AllocateIds()
{
    std::array<int, kControlIdCount> ids{};
    for (auto& id : ids)
        id = wxIdManager::ReserveId();
    return ids;
}

const std::array<int, kControlIdCount> kIds = AllocateIds();

} // namespace

int IdOf(ControlId control) { return kIds[control]; }

const char* NameOf(ControlId control) { return kNames[control]; }
