// What the report says about the event procedures: the calls and skeletons this run made from
// a form's event assignments, procedures whose object is gone, and heads the user edited; and,
// from the same look at the event files, the head that stands for each object.
#pragma once

#include "base/line_lists.h"
#include "base/no_case_key.h"
#include "model/event_file_lines.h"
#include "model/run_result.h"

#include <QHash>

#include <vector>

namespace quarvel {

struct GenerationContext;

// The heads of one object's event procedure: the standard one, and the last other head of its
// name (another letter case, another parameter); -1 for none. 0-based lines of its event file.
struct EventHeads {
    qsizetype standard = -1;
    qsizetype edited = -1;
};

// The objects of one kind of event procedure: one entry per name in any letter case, found by
// name or by the object's place in the model's list of that kind. The entries live in a vector
// that is not grown once built, so pointers to them hold.
struct EventHeadTable {
    std::vector<EventHeads> entries;
    std::vector<qsizetype> byIndex; // the entry of each place in names
    QStringList names;
    NoCaseIndex firstPlaces; // the first place in names of each name in any letter case

    // The entry of a name; nullptr for a name that has none.
    EventHeads *Named(QStringView name);
    // The entry of the object at index of the model's list, or else of its name; nullptr for
    // a name that has none.
    const EventHeads *Find(qsizetype index, const QString &name) const;
    // The index in entries of a name, -1 for none.
    qsizetype EntryOf(QStringView name) const;
    // The name at a place in names, as firstPlaces reads it.
    auto NameAt() const
    {
        return [this](qint32 place) { return QStringView(names.at(place)); };
    }
};

struct EventProcedureScan {
    // In the order the report gives them: the form's wirings first, then the event files'
    // procedures, menu, gadget and window.
    QList<ReportFinding> findings;
    // The procedures that stand for no object: orphaned ones, and edited heads beside a
    // standard one, in the order of the findings; as objects of kind Procedure.
    QList<ObjectFact> strays;
    EventHeadTable menu, gadget, size, exit;
};

// The walks over the event files, brought up to date with the lines as the run leaves them.
struct EventFileReads {
    EventFileLines menu, gadget, window;
};
EventFileReads ReadEventFiles(const OutputLines &lines);

// Reads the event files as the run leaves them, from their walks; a run that stops before
// step 4 passes withWirings false, as it made none.
EventProcedureScan ScanEventProcedures(const GenerationContext &run, const EventFileReads &reads,
                                       bool withWirings = true);

// The user's lines in the body of the procedure whose head stands at head: not blank, not a
// comment, not a line of the generated gadget skeleton.
int UserCodeLines(const SourceLineList &lines, qsizetype head);

} // namespace quarvel
