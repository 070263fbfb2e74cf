// The design model: what step 1 of a generation learns from the project's sources and what
// the emitters, the updater and the project file read. Object names are held without "#".
#pragma once

#include "base/line_lists.h"
#include "model/carried_loop.h"
#include "model/event_file_lines.h"
#include "model/object_kind.h"
#include "model/project_state.h"
#include "model/source_lines.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace quarvel {

struct GadgetRecord {
    QString name; // constant without "#"
    QString type; // creating command, upper-cased (BUTTONGADGET, a user gadget name, ...)
};

// The name of an entry of the lists of objects: most are lists of names, the gadgets a list of
// records. Reading the name of either in place spares the list of names made for one walk.
inline const QString &NameOf(const QString &name)
{
    return name;
}

inline const QString &NameOf(const GadgetRecord &gadget)
{
    return gadget.name;
}

// Text and frame gadgets get no event procedure; the dispatcher routes them nowhere.
bool HasEventProcedure(const GadgetRecord &gadget);
// The same for a creating command as written, in any letter case.
bool CommandHasEventProcedure(QStringView command);

struct ImageRecord {
    QString name; // identifier as used in code: "#Image_0", "0", "#MyImage_3"
    QString file; // file name as written between the first pair of double quotes
    // An image caught from a DataSection label of the sources ("Img_0" of ?Img_0) stays caught
    // from there; file is then the label's IncludeBinary file, when known.
    QString label;
    // The variable a #PB_Any load assigned; it is declared to hold the image's number.
    QString variable;
};

struct FontRecord {
    QString name; // first argument of the LoadFont call as written
    QString line; // the whole LoadFont line
};

// Language key -> translation. Iterates in insertion order so that the Catalog and the
// language data block come out the same on every run.
class LanguageMap {
public:
    bool contains(const QString &key) const { return index_.contains(key); }
    QString value(const QString &key) const;
    void insert(const QString &key, const QString &value); // replaces an existing entry
    qsizetype size() const { return keys_.size(); }
    bool isEmpty() const { return keys_.isEmpty(); }
    const QStringList &keys() const { return keys_; }
    void clear();

private:
    QStringList keys_;
    QHash<QString, qsizetype> index_;
    QStringList values_;
};

// An object created with #PB_Any whose number the program keeps in a variable. It is given a
// constant of its own, and the variable is declared to hold that constant's number, so the
// user's code that uses the variable keeps working.
struct VariableObject {
    QString variable;   // "Button", or a structure field as written: "*ui\btnGo"
    QString constant;   // without "#"; carries its window prefix once the prefix pass has run
    qsizetype line = 0; // index of the creating statement in CommonSourceLines
    // A structure field is assigned the constant's number where its object is created; it is
    // no variable to declare.
    bool field = false;
    // Its constant was numbered apart from that of an object of its window created before it
    // with the same variable or field name ("#Main_Button_2").
    bool numbered = false;
};

// The value each kind's enumeration begins at: above the numbers the sources give objects of
// that kind themselves, so that no two objects share a number. 0 for most projects.
struct FirstNumbers {
    qint64 window = 0;
    qint64 menu = 0;
    qint64 menuItem = 0; // menu items and toolbar buttons
    qint64 statusBar = 0;
    qint64 toolBar = 0;
    qint64 gadget = 0;
    qint64 font = 0;
    qint64 image = 0;
};

// The kind of event a form's event procedure hands on to a procedure of the user's.
enum class AssignedEvent { Gadget, Menu };

// One Case of a form designer's "<window>_Events" procedure: the procedure it calls for an
// object of its "Select EventGadget()" or "Select EventMenu()".
struct EventAssignment {
    QString window;           // as the event procedure's name gives it: "Window_0"
    QString object;           // as the Case names it: "Button_0" (a #PB_Any variable) or "#Button_0"
    QString procedure;        // "BtnAdd"
    bool passesEvent = false; // the call hands on an argument, EventType() or EventMenu()
    AssignedEvent kind = AssignedEvent::Gadget;
    SourceOrigin origin;
};

// The procedure a form calls on its window's size event: "ResizeGadgetsWindow_0".
struct ResizeAssignment {
    QString window;
    QString procedure;
    SourceOrigin origin;
};

// A Declare line of a common file, as the head of the procedure it declares.
struct DeclaredProcedure {
    QString name;
    QString head; // "Procedure BtnAdd(EventType)" for "Declare BtnAdd(EventType)"
    SourceOrigin origin;
};

// What a new event procedure calls: "BtnAdd(EventType)", read at origin.
struct EventCall {
    QString call;
    SourceOrigin origin;
};

// An assigned procedure no file of the project defines: it gets a skeleton of its own.
struct AssignedProcedure {
    QString head;
    AssignedEvent kind = AssignedEvent::Gadget; // the event file it goes to
    SourceOrigin origin;
};

// A wiring this run wrote into an event file: a new event procedure that calls its assigned
// procedure (call set), or the new skeleton of an assigned procedure (call empty).
struct EventWiring {
    QString procedure; // "EventGadget_Window_0_Button_0", or the head "Procedure BtnAdd(EventType)"
    QString call;
    QString eventFile; // "EventGadget.pb"
    int eventLine = 0; // the line of the procedure's head there
    SourceOrigin origin;
};

// The form designer's event-procedure assignments: read from the common files, resolved to
// the generated objects once they are named, and wired into the new event procedures.
struct FormEvents {
    QList<EventAssignment> assignments;
    QList<ResizeAssignment> resizes;
    QList<DeclaredProcedure> declared;
    QHash<QString, EventCall> gadgetCalls; // by gadget name
    QHash<QString, EventCall> menuCalls;   // by menu item name
    QHash<QString, EventCall> resizeCalls; // by window name
    QList<AssignedProcedure> missing;
    QList<EventWiring> wirings;
};

// A statement of the window sources that creates a named object, kept as the prefix pass left
// it (its constant as the generated code has it) and before the switches rewrite it, so that
// its arguments read as the user wrote them. The line is shared with the sources, not copied.
struct ObjectCreation {
    ObjectKind kind = ObjectKind::Gadget;
    QString name;           // the constant without "#"
    QString statement;      // the whole line
    qsizetype bracket = -1; // the index of the "(" of the creating command
    SourceOrigin origin;
    // Its place in WindowList, MenuItemList or GadgetList; -1 where it is not known (a second
    // creation of a name, an object of another kind).
    qsizetype index = -1;
};

// An object's constant as the sources name it and as it is named after its window: gadget
// #btn0 of window wndMain is #wndMain_btn0. Both without "#".
struct PrefixedName {
    QString oldName;
    QString newName;
};

// An AddGadgetItem call on a named gadget: a panel's tab, or an item of a list.
struct GadgetItemCall {
    QString gadget;         // the constant without "#"
    QString statement;      // the whole line, shared with the sources
    qsizetype bracket = -1; // the index of the "(" of AddGadgetItem
};

// An object the sources create with a plain number ("ButtonGadget(1, ..."), given a constant
// named from its kind and number ("Button_1", before its window's prefix) where it is created
// and where its window's code uses the number for it.
struct NumberedObject {
    ObjectKind kind = ObjectKind::Gadget; // Window, Gadget, MenuItem or ToolBarButton
    QString name;                         // the constant given, without "#"
    qint64 number = 0;
    SourceOrigin origin; // the creating line
};

struct DesignModel {
    QStringList CommonFileList;
    QStringList IncludeFileList;
    // The code of the common files, each line with where it was read.
    SourceLines CommonSourceLines;
    // The DeclareModule and Module blocks of the common files, as written: a module sees none of
    // the generated constants and procedures, so no pass may rename or wrap anything in it.
    SourceLineList ModuleLines;
    QStringList WindowList;
    QStringList MenuList;
    QStringList MenuItemList; // menu items and toolbar buttons
    QStringList StatusBarList;
    QStringList ToolBarList;
    QList<GadgetRecord> GadgetList;
    QList<ImageRecord> ImageList;
    QList<FontRecord> FontList;
    LanguageMap Languages;
    QList<VariableObject> VariableObjects;
    // The window Main.pb opens: WindowList's first, unless that one cannot open first.
    QString MainWindow;
    QString FirstWindowOpener;    // the call Main.pb opens the main window with, "()" included
    QStringList TakenOverWindows; // windows opened by top-level code, now in Open_ procedures
    // The name Main.pb's main procedure takes when a common file defines a Main() of its own;
    // empty: Main.
    QString MainProcedure;
    bool FirstWindowInvisible = false; // still hidden once open: Main.pb shows it
    // The first window of the sources that cannot be generated, with its place: "window 2 is
    // opened with a plain number (Extras.pb:10)"; why no window is found, when none is.
    QString FirstUngeneratedWindow;
    QString FirstUngeneratedFile; // the common file of that place, as the project lists it
    int FirstUngeneratedLine = 0;
    FirstNumbers First;
    QList<NumberedObject> NumberedObjects; // in source order
    // The constants of numbered objects that keep their number as their value: no other object
    // of their kind holds it. Name (as the kind's list holds it) -> value.
    QHash<QString, qint64> KeptNumbers;
    // Menu items created with one of PureBasic's own constants: name -> that constant, without
    // "#" ("Main_PB_Menu_Quit" -> "PB_Menu_Quit"). No enumeration declares them.
    QHash<QString, QString> PureBasicConstants;
    FormEvents FormEventAssignments;
    // Every statement that creates a named object, in source order.
    QList<ObjectCreation> ObjectCreations;
    QList<GadgetItemCall> GadgetItemCalls;
    // Every object the prefix pass named after its window, by its first creation in a window.
    QList<PrefixedName> PrefixedObjects;
    // The old names the sources declare themselves, in the order declared: each is declared
    // again after the generated enumerations, as its object's new name.
    QList<PrefixedName> OldObjectConstants;
    CarriedLoops Carried;
};

// "Form.pb:12" for a line read from a common file; empty for a line of no file.
QString SourceLocation(const DesignModel &model, SourceOrigin origin);

// "Form.pb:12-14", "Form.pb:12": the lines of a span.
QString SourceLocation(const DesignModel &model, const SourceSpan &span);

// "Form.pb:12", the file name and line a line of CommonSourceLines was read from; empty when
// the line was not read from a common file.
QString SourceLocation(const DesignModel &model, qsizetype index);

// The window Main.pb opens: the chosen one, or the first window when none was chosen.
QString MainWindowName(const DesignModel &model);

// The names of the gadgets, in GadgetList order.
QStringList GadgetNames(const DesignModel &model);

// The menu items and toolbar buttons with a constant of Quarvel's, in MenuItemList order: all
// but those created with a constant of PureBasic's.
QStringList DeclaredMenuItems(const DesignModel &model);

// The current names of one kind of object: WindowList, MenuList, ... the gadget names.
QStringList NamesOfKind(const DesignModel &model, ObjectKind kind);
// Every kind's names as the run ends with them: what the project file stores for the next run to
// compare with.
StoredConstants CurrentNames(const DesignModel &model);

// The line lists of the generated files and of the sections built in step 1.
struct OutputLines {
    SourceLineList MainLines;
    SourceLineList CommonFileLines;
    SourceLineList EventMainLines;
    SourceLineList EventMenuLines;
    SourceLineList EventGadgetLines;
    SourceLineList EventWindowLines;
    // The trailing comment lines of the event files (the IDE's option lines among them), set
    // aside on loading and written back after the appended procedures.
    SourceLineList EventMenuTrailer;
    SourceLineList EventGadgetTrailer;
    SourceLineList EventWindowTrailer;
    // How many lines each event file held when loaded, its trailer aside: a procedure whose
    // head stands after them was appended by this run.
    qsizetype EventMenuLoaded = 0;
    qsizetype EventGadgetLoaded = 0;
    qsizetype EventWindowLoaded = 0;
    // What the walk over each event file found, read by the emitters and brought up to date
    // with what they append, for the report.
    EventFileLines EventMenuRead;
    EventFileLines EventGadgetRead;
    EventFileLines EventWindowRead;
    SourceLineList LoadLanguageLines;
    SourceLineList ConstantLines;
    SourceLineList FontLines;
    SourceLineList ImageLines;
};

// Empties every per-generation list; the name tables, the user gadget list, the switches and
// the stored constant lists live elsewhere and are not touched.
void ResetDesignModel(DesignModel &model, OutputLines &lines);

} // namespace quarvel
