// The files a generation keeps in the project folder: their names, the run's lines for each,
// and whose text each one is. Reading, writing, the backup and the reports all go by this
// table.
#pragma once

#include "model/design_model.h"

#include <QLatin1StringView>

namespace quarvel {

// In the order the files are staged, written and logged.
enum class GeneratedFileId { Main, CommonFile, EventMain, EventMenu, EventGadget, EventWindow, LoadLanguage, Catalog };

enum class FileOwner {
    Run,  // made anew from the sources on every run; never read
    User, // read, added to, and written back with the user's lines as they were kept
};

struct GeneratedFile {
    const char *name;
    FileOwner owner;
    bool multilangOnly; // written only when the project uses Multi Language
    // The run's lines of the file; nullptr for the Catalog, which is written from the
    // language map.
    SourceLineList OutputLines::*lines;
    // Event files only: the trailing comment lines set aside on loading and written back
    // after the appended procedures, how many lines the file held when loaded, and the
    // comment a new file begins with after ";-TOP".
    SourceLineList OutputLines::*trailer = nullptr;
    qsizetype OutputLines::*loaded = nullptr;
    const char *title = nullptr;
};

inline constexpr GeneratedFile GeneratedFiles[] = {
    {"Main.pb", FileOwner::User, false, &OutputLines::MainLines},
    {"CommonFile.pb", FileOwner::Run, false, &OutputLines::CommonFileLines},
    {"EventMain.pb", FileOwner::Run, false, &OutputLines::EventMainLines},
    {"EventMenu.pb", FileOwner::User, false, &OutputLines::EventMenuLines, &OutputLines::EventMenuTrailer,
     &OutputLines::EventMenuLoaded, "; Quarvel Event Menu"},
    {"EventGadget.pb", FileOwner::User, false, &OutputLines::EventGadgetLines, &OutputLines::EventGadgetTrailer,
     &OutputLines::EventGadgetLoaded, "; Quarvel Event Gadget"},
    {"EventWindow.pb", FileOwner::User, false, &OutputLines::EventWindowLines, &OutputLines::EventWindowTrailer,
     &OutputLines::EventWindowLoaded, "; Quarvel Event Window"},
    {"LoadLanguage.pb", FileOwner::User, true, &OutputLines::LoadLanguageLines},
    {"Catalog", FileOwner::User, true, nullptr},
};

constexpr const GeneratedFile &FileOf(GeneratedFileId id)
{
    return GeneratedFiles[static_cast<int>(id)];
}

// "EventGadget.pb"
inline QLatin1StringView FileName(GeneratedFileId id)
{
    return QLatin1StringView(FileOf(id).name);
}

// The three event files, in the table's order.
inline constexpr GeneratedFileId EventFileIds[] = {GeneratedFileId::EventMenu, GeneratedFileId::EventGadget,
                                                   GeneratedFileId::EventWindow};

} // namespace quarvel
