// The texts of the run's " -> " log lines, one function a message with what it names. Scripts
// read these lines, so every pass words them through here and each text stays as it is.
// "location" is a place as SourceLocation gives it: "Form.pbf:12".
#pragma once

#include "base/text_encoding.h"

#include <QString>
#include <QStringList>

namespace quarvel {

class LogSink;

// What each log line begins with.
inline constexpr QLatin1StringView MessageLead(" -> ");

// Files read and written.
QString FormatFoundLine(TextFormat mainFormat); // " -> UTF-8 BOM found.", None: Main.pb not found
QString CountLine(const QString &what, qsizetype count);
QString WriteFileLine(const QString &path);
QString IncludeUpdatedLine(const QString &path, int changes);
QString FileErrorLine(const QString &what, const QString &path); // what: "OpenFile", "File", "WriteFile"
QString CannotReadStopLine(const QString &path, const QString &reason);
QString BeyondEightBitWarning(const QString &path);
QString InvalidBytesWarning(const QString &path, int line);
QString CodePageReadLine(const QString &path, const QByteArray &codePage); // " -> Note.pb read as GB18030"
QString UnknownEncodingWarning(const QString &path);
QString BeyondCodePageWarning(const QString &path, const QByteArray &codePage);
// What reading file told of its text: the code page it was read in, that none could be told,
// bytes that are no text. path names the file as the other lines about it do.
void LogHowRead(LogSink &log, const QString &path, const TextFile &file);
QString ChangedMeanwhileStopLine(const QString &path);
QString BackupFailedStopLine(const QString &projectDirectory);

// The project's lock and the journal of an interrupted run.
QString ProjectBusyStopLine(const QString &directory);
QString CannotLockStopLine(const QString &directory, const QString &reason);
enum class InterruptedWrite { DryRun, Finished, RolledBack, Unreadable };
// leftAlone: the files changed since, which the recovery does not touch.
QString InterruptedRunWarning(InterruptedWrite what, int files, const QStringList &leftAlone = {});

// The report's lines after "Report: ".
QString NotWrittenLine(const QString &file, const QString &reason);
QString HeldBackLine();
QString FindingLine(const QString &file, int line, const QString &message);
// A body of the sources' event loop carried into a new procedure: "Form.pb:12-14 -> EventGadget_Main_Ok".
QString CarriedOverLine(const QString &file, int first, int last, const QString &procedure);
QString RepeatedWarningLine(int count, const QString &warning);
// The renames a naming rule bound, each as OLD=NEW, in one line.
QString BoundByRuleLine(const QStringList &pairs);

// Windows and objects of the sources.
// location: "Form.pb:12", the line of the sources refused; empty when not known.
QString PbAnyWindowStopLine(const QString &location);
QString DuplicateObjectStopLine(QLatin1StringView kind, const QString &name, const QString &location);
QString DuplicateMenuItemWarning(const QString &name, QLatin1StringView by, const QString &location);
QString SharedConstantStopLine(const QString &constant, const QString &first, const QString &second);
QString ComputedObjectNumberWarning(QLatin1StringView kind, const QString &argument, const QString &location,
                                    const QString &name);
QString ComputedNumberWarning(QLatin1StringView kind, QStringView number, const QString &location);
QString VariableAndConstantWarning(const QString &variable, const QString &constant, const QString &locations,
                                   const QString &objectConstant);
QString AmbiguousConstantWarning(const QString &constant, const QStringList &windows, const QString &location,
                                 const QString &takenAs);
// locations: of the first object and of the second; constants: theirs.
QString SecondObjectOfVariableWarning(const QString &variable, const QStringList &locations,
                                      const QStringList &constants);
QString VariableHoldsTwoWarning(const QString &variable, const QString &constant, const QString &location);
// A window or object not generated: what, where, and what to do about it.
QString NotGeneratedWarning(const QString &what, const QString &location, const QString &advice);
QString NotTakenOverWarning(const QString &what, const QString &location, const QString &refusal,
                            const QString &advice);
QString ModuleWindowWarning(const QString &what, const QString &location);
QString TopLevelCodeLeftOutWarning(const QString &ranges);

// The main window and the procedures of the generated files.
// firstOpening: where a window that is not generated is opened ("Form.pb:12"), the first one
// that says why; empty when there is none to name.
QString NoWindowWarning(const QString &firstOpening);
// firstSource: the first window source's first line, when none of them calls OpenWindow.
QString NoOpenWindowWarning(const QString &firstSource);
QString NoWindowToOpenWarning(const QString &window);
QString MainOpensOtherFirstWarning(const QString &mainWindow, const QString &mainLocation, const QString &first,
                                   const QString &firstLocation, const QString &why);
QString OpenerNeedsDefaultsWarning(const QString &window, const QString &head, const QString &location);
QString GeneratedNameWarning(const QString &what, const QString &location, const QString &resolution);
QString NoLanguageBlockWarning();
QString LeftOutStatementWarning(const QString &procedure, const QString &statement, const QString &location);
// Main.pb has no loop the call of the procedure run after each event can go into.
QString NoEveryEventCallWarning(const QString &procedure);
// A part of a source's event loop that reaches no event procedure.
QString LoopPartNotCarriedWarning(const QString &what, const QString &location);
QString FormEventWarning(const QString &text); // text: what the form's assignment leaves undone
QString RenameClashWarning(const QString &oldName, const QString &newName, const QString &file, int line,
                           int otherLine);
QString UnclosedProcedureStopLine(QStringView procedure, const QString &file, int line);

} // namespace quarvel
