// Any bytes read as UserList.INI through the program's own loading.
#include "fuzz_support.h"
#include "model/name_tables.h"
#include "project/settings.h"
#include "project/user_gadget_list.h"

using namespace quarvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ProgramSettings settings;
    settings.UserListFile = fuzz::ScratchDirectory() + QStringLiteral("UserList.INI");
    fuzz::WriteScratchFile(settings.UserListFile, fuzz::Bytes(data, size));
    LoadUserGadgets(settings);
    BuildNameTables(settings.UserGadgetList);
    return 0;
}
