// Any bytes as the one common file of a project, through whole generations that write nothing
// (the emitters, the event files and the report included): one as the file stands, one with
// its objects renamed and bound. The first byte chooses the file kind (.pb or .pbf), the
// switches and whether the file is the gadget event file as well; the rest is the file.
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
    for (const char *left : {"Form.pb", "Form.pbf", "EventGadget.pb"}) // by the input before
        QFile::remove(directory + QLatin1String(left));
    const QByteArray file = fuzz::Bytes(data + 1, size - 1);
    fuzz::WriteScratchFile(directory + name, file);
    // The last bit gives the same bytes as the user's gadget event file too.
    if (choice >> 7)
        fuzz::WriteScratchFile(directory + QStringLiteral("EventGadget.pb"), file);

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
    GenerationContext first(project, tables, frontEnd);
    first.plan.dryRun = true;
    GenerationWorker(first);

    // A second run over the file with its names changed ("_" becomes "_x"), the first run's
    // names stored as the last run's: the renames are bound old to new, in the order the
    // dialog lists them, and carried through the code, the gadget event file's included.
    fuzz::WriteScratchFile(directory + name, QByteArray(file).replace("_", "_x"));
    project.Stored = CurrentNames(first.model);
    fuzz::BindingFrontEnd binder;
    GenerationContext second(project, tables, binder);
    second.plan.dryRun = true;
    GenerationWorker(second);
    return 0;
}
