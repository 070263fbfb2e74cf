// Any bytes as a project's Catalog, loaded as a run loads it, then written out as the run
// writes it and read back.
#include "fuzz_support.h"
#include "model/catalog.h"
#include "model/name_tables.h"
#include "pipeline/generation_context.h"
#include "pipeline/load_project_sources.h"
#include "pipeline/write_output_files.h"

using namespace quarvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const NameTables tables = BuildNameTables();
    const QString directory = fuzz::ScratchDirectory();
    fuzz::WriteScratchFile(directory + QStringLiteral("Catalog"), fuzz::Bytes(data, size));

    ProjectState project;
    project.ProjectFile = directory + QStringLiteral("Fuzz.pbm");
    project.ProjectNamed = true;
    fuzz::SilentFrontEnd frontEnd;
    GenerationContext g(project, tables, frontEnd);
    LoadProjectSources(g);

    QStringList written = CatalogLines(g.model.Languages);
    if (!written.isEmpty())
        written.removeFirst(); // the header
    LanguageMap again;
    ReadCatalogLines(written, again);
    return 0;
}
