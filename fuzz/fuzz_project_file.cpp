// Any bytes read as a project file, then written out and read once more.
#include "fuzz_support.h"
#include "model/project_file.h"

using namespace quarvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ProjectState project;
    ReadProjectText(fuzz::Bytes(data, size), project);
    ProjectState again;
    ReadProjectText(ProjectFileText(project), again);
    return 0;
}
