// Any bytes as the one common file of a project, through a whole first generation step. The
// first byte chooses the file kind (.pb or .pbf) and the switches; the rest is the file.
#include "fuzz_support.h"
#include "model/name_tables.h"
#include "pipeline/generation_context.h"
#include "pipeline/generation_driver.h"

using namespace quarvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const NameTables tables = BuildNameTables({QStringLiteral("MyGadget")});
    if (size == 0)
        return 0;
    const uint8_t choice = data[0];
    const QString name = (choice & 1) ? QStringLiteral("Form.pbf") : QStringLiteral("Form.pb");
    const QString directory = fuzz::ScratchDirectory();
    QFile::remove(directory + QStringLiteral("Form.pb"));
    QFile::remove(directory + QStringLiteral("Form.pbf"));
    fuzz::WriteScratchFile(directory + name, fuzz::Bytes(data + 1, size - 1));

    ProjectState project;
    project.ProjectFile = directory + QStringLiteral("Fuzz.pbm");
    project.ProjectNamed = true;
    project.CommonFiles = {name};
    project.switches = Switches::AllOff();
    project.switches.Parend = (choice >> 1) & 1;
    project.switches.PB_Ignore = (choice >> 2) & 1;
    project.switches.Multilang = (choice >> 3) & 1;
    project.switches.Image_Null = (choice >> 4) & 1;
    project.switches.Image_Include = (choice >> 5) & 1;
    project.switches.Utf8 = (choice >> 6) & 1;

    fuzz::SilentFrontEnd frontEnd;
    GenerationContext g(project, tables, frontEnd);
    LoadAndInterpret(g);
    return 0;
}
