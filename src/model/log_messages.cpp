#include "model/log_messages.h"

#include "base/file_error_line.h"
#include "model/log_sink.h"

namespace quarvel {

namespace {

QString Warning(const QString &text)
{
    return QStringLiteral(" -> Warning: ") + text;
}

QString Stop(const QString &text)
{
    return QStringLiteral(" -> Error: ") + text + QStringLiteral(" Stop!");
}

QString Files(int files)
{
    return QString::number(files) + (files == 1 ? QStringLiteral(" file") : QStringLiteral(" files"));
}

} // namespace

QString FormatFoundLine(TextFormat mainFormat)
{
    switch (mainFormat) {
    case TextFormat::None: return QStringLiteral(" -> Main.pb not found.");
    case TextFormat::Utf8: return QStringLiteral(" -> UTF-8 BOM found.");
    case TextFormat::Utf16LE: return QStringLiteral(" -> UTF-16 (Little Endian) BOM found.");
    case TextFormat::Utf16BE: return QStringLiteral(" -> UTF-16 (Big Endian) BOM found.");
    case TextFormat::Utf32LE: return QStringLiteral(" -> UTF-32 (Little Endian) BOM found.");
    case TextFormat::Utf32BE: return QStringLiteral(" -> UTF-32 (Big Endian) BOM found.");
    case TextFormat::Latin1:
    case TextFormat::CodePage: break;
    }
    return QStringLiteral(" -> No BOM found.");
}

QString CountLine(const QString &what, qsizetype count)
{
    return QStringLiteral(" -> Count ") + what + QStringLiteral(": ") + QString::number(count);
}

QString WriteFileLine(const QString &path)
{
    return QStringLiteral(" -> Write File ") + path;
}

QString IncludeUpdatedLine(const QString &path, int changes)
{
    return QStringLiteral(" -> Update Includefile ") + path + QStringLiteral(" / Count Change: ")
           + QString::number(changes);
}

QString FileErrorLine(const QString &what, const QString &path)
{
    return QStringLiteral(" -> Error ") + what + QLatin1Char(' ') + path + QStringLiteral(" / ")
           + FailedFileErrorCode();
}

QString CannotReadStopLine(const QString &path, const QString &reason)
{
    return Stop(QStringLiteral("Cannot read ") + path + QStringLiteral(" (") + reason + QStringLiteral(")."));
}

QString BeyondEightBitWarning(const QString &path)
{
    return Warning(path + QStringLiteral(" holds characters beyond 8 bit, written as UTF-8."));
}

QString CodePageReadLine(const QString &path, const QByteArray &codePage)
{
    return QStringLiteral(" -> ") + path + QStringLiteral(" read as ") + QString::fromLatin1(codePage);
}

QString UnknownEncodingWarning(const QString &path)
{
    return Warning(path + QStringLiteral(" is neither UTF-8 nor in a code page that can be told, read as 8-bit."));
}

QString BeyondCodePageWarning(const QString &path, const QByteArray &codePage)
{
    return Warning(path + QStringLiteral(" holds characters beyond ") + QString::fromLatin1(codePage)
                   + QStringLiteral(", written as UTF-8."));
}

void LogHowRead(LogSink &log, const QString &path, const TextFile &file)
{
    if (file.format == TextFormat::CodePage)
        log.Log({CodePageReadLine(path, file.codePage), LogKind::Plain, path});
    if (file.encodingUnknown)
        log.Warning(UnknownEncodingWarning(path), path);
    if (file.firstInvalidLine)
        log.Warning(InvalidBytesWarning(path, file.firstInvalidLine), path, file.firstInvalidLine);
}

QString InvalidBytesWarning(const QString &path, int line)
{
    return Warning(path + QStringLiteral(" holds invalid bytes in line ") + QString::number(line)
                   + QStringLiteral(", read as U+FFFD."));
}

QString ChangedMeanwhileStopLine(const QString &path)
{
    return Stop(path + QStringLiteral(" changed while the run was working."));
}

QString BackupFailedStopLine(const QString &projectDirectory)
{
    return Stop(QStringLiteral("The backup into ") + projectDirectory
                + QStringLiteral("Backup failed, so no file is changed."));
}

QString ProjectBusyStopLine(const QString &directory)
{
    return Stop(QStringLiteral("Another run is working on ") + directory + QLatin1Char('.'));
}

QString CannotLockStopLine(const QString &directory, const QString &reason)
{
    return Stop(QStringLiteral("Cannot lock ") + directory + QStringLiteral(" against other runs (") + reason
                + QStringLiteral(")."));
}

QString InterruptedRunWarning(InterruptedWrite what, int files, const QStringList &leftAlone)
{
    QString line = QStringLiteral(" -> Warning: The last run was interrupted while its files took their places; ");
    switch (what) {
    case InterruptedWrite::DryRun: line += QStringLiteral("a run that writes will put them right."); break;
    case InterruptedWrite::Finished:
        line += QStringLiteral("finished now, ") + Files(files) + QStringLiteral(" put in place.");
        break;
    case InterruptedWrite::RolledBack:
        line += QStringLiteral("a new text was lost, so ") + Files(files) + QStringLiteral(" got their old text back.");
        break;
    case InterruptedWrite::Unreadable: line += QStringLiteral("its journal could not be read and is removed."); break;
    }
    if (!leftAlone.isEmpty())
        line += QStringLiteral(" Changed since and left as they are: ") + leftAlone.join(QStringLiteral(", "))
                + QLatin1Char('.');
    return line;
}

QString NotWrittenLine(const QString &file, const QString &reason)
{
    return MessageLead + file + QStringLiteral(": could not be written (") + reason + QStringLiteral(").");
}

QString HeldBackLine()
{
    return QStringLiteral(" -> The other files of the run were kept as they were: a run writes all its files or none.");
}

QString FindingLine(const QString &file, int line, const QString &message)
{
    return MessageLead + file + QLatin1Char(':') + QString::number(line) + QStringLiteral(": ") + message;
}

QString CarriedOverLine(const QString &file, int first, int last, const QString &procedure)
{
    const QString lines = last > first ? QString::number(first) + QLatin1Char('-') + QString::number(last)
                                       : QString::number(first);
    return MessageLead + file + QLatin1Char(':') + lines + QStringLiteral(" -> ") + procedure;
}

QString RepeatedWarningLine(int count, const QString &warning)
{
    return MessageLead + QString::number(count) + QStringLiteral(" times: ") + warning;
}

QString BoundByRuleLine(const QStringList &pairs)
{
    return MessageLead + QStringLiteral("Bound without a question, as only Quarvel's naming rules renamed them: ")
           + pairs.join(QStringLiteral(", ")) + QLatin1Char('.');
}

// A line that refuses something of the sources ends with the place, after the text scripts
// look for: " (Form.pb:12)".
static QString At(const QString &location)
{
    return location.isEmpty() ? QString() : QStringLiteral(" (") + location + QLatin1Char(')');
}

QString PbAnyWindowStopLine(const QString &location)
{
    return Stop(QStringLiteral("Find OpenWindow with '#PB_Any', Not supported.")) + At(location);
}

QString DuplicateObjectStopLine(QLatin1StringView kind, const QString &name, const QString &location)
{
    return Stop(QStringLiteral("Find duplicate ") + kind + QStringLiteral("(#") + name + QStringLiteral(")."))
           + At(location);
}

QString DuplicateMenuItemWarning(const QString &name, QLatin1StringView by, const QString &location)
{
    return Warning(QStringLiteral("Find duplicate MenuItemID(#") + name + QStringLiteral(") by ") + by
                   + QLatin1Char('.'))
           + At(location);
}

QString SharedConstantStopLine(const QString &constant, const QString &first, const QString &second)
{
    return Stop(QStringLiteral("Two objects get the constant #") + constant + QStringLiteral(": ") + first
                + QStringLiteral(" and ") + second + QStringLiteral("; rename one of them."));
}

QString ComputedObjectNumberWarning(QLatin1StringView kind, const QString &argument, const QString &location,
                                    const QString &name)
{
    return Warning(kind + QStringLiteral(" number ") + argument + QStringLiteral(" is computed (") + location
                   + QStringLiteral("); #") + name
                   + QStringLiteral(" gets the constant and the event procedure, numbered after the")
                   + QStringLiteral(" others; the numbers after it get none."));
}

QString ComputedNumberWarning(QLatin1StringView kind, QStringView number, const QString &location)
{
    return Warning(QStringLiteral("the ") + kind + QStringLiteral(" number ") + number.toString()
                   + QStringLiteral(" is computed (") + location
                   + QStringLiteral("); it may equal the number of a generated ") + kind + QLatin1Char('.'));
}

QString VariableAndConstantWarning(const QString &variable, const QString &constant, const QString &locations,
                                   const QString &objectConstant)
{
    return Warning(QStringLiteral("variable ") + variable + QStringLiteral(" and #") + constant
                   + QStringLiteral(" name two objects of one window (") + locations
                   + QStringLiteral("); the variable's object is #") + objectConstant + QLatin1Char('.'));
}

QString AmbiguousConstantWarning(const QString &constant, const QStringList &windows, const QString &location,
                                 const QString &takenAs)
{
    return Warning(QLatin1Char('#') + constant + QStringLiteral(" names objects of the windows ")
                   + windows.join(QStringLiteral(", ")) + QStringLiteral(" (") + location
                   + QStringLiteral("); taken as #") + takenAs + QLatin1Char('.'));
}

QString SecondObjectOfVariableWarning(const QString &variable, const QStringList &locations,
                                      const QStringList &constants)
{
    return Warning(QStringLiteral("variable ") + variable
                   + QStringLiteral(" is assigned a second object of its window (")
                   + locations.join(QStringLiteral(", "))
                   + QStringLiteral("); each gets a constant and an event procedure of its own (#")
                   + constants.join(QStringLiteral(", #")) + QStringLiteral("), and ") + variable
                   + QStringLiteral(" holds the last."));
}

QString VariableHoldsTwoWarning(const QString &variable, const QString &constant, const QString &location)
{
    return Warning(QStringLiteral("variable ") + variable + QStringLiteral(" holds #") + constant
                   + QStringLiteral(" too (") + location
                   + QStringLiteral("); it keeps the number of its first object."));
}

QString NotGeneratedWarning(const QString &what, const QString &location, const QString &advice)
{
    return Warning(what + QStringLiteral(" (") + location + QStringLiteral("); ") + advice);
}

QString NotTakenOverWarning(const QString &what, const QString &location, const QString &refusal, const QString &advice)
{
    return Warning(what + QStringLiteral(" (") + location + QStringLiteral(") and not taken over: ") + refusal
                   + QStringLiteral("; ") + advice);
}

QString ModuleWindowWarning(const QString &what, const QString &location)
{
    return NotGeneratedWarning(what, location,
                               QStringLiteral("a module's code is kept as written and its windows are not generated."));
}

QString TopLevelCodeLeftOutWarning(const QString &ranges)
{
    return Warning(QStringLiteral("top-level code left out (") + ranges
                   + QStringLiteral("); move what the program needs into a procedure."));
}

QString NoWindowWarning(const QString &firstOpening)
{
    const QString text = QStringLiteral("No window found, Main.pb not patched.");
    if (firstOpening.isEmpty())
        return Warning(text);
    return Warning(text + QStringLiteral(" The window opened at ") + firstOpening
                   + QStringLiteral(" is not generated."));
}

QString NoOpenWindowWarning(const QString &firstSource)
{
    return Warning(QStringLiteral("No window found, Main.pb not patched. No window source calls OpenWindow (")
                   + firstSource + QStringLiteral(")."));
}

QString NoWindowToOpenWarning(const QString &window)
{
    return Warning(QStringLiteral("no window for Main.pb to open: ") + window + QLatin1Char('.'));
}

QString MainOpensOtherFirstWarning(const QString &mainWindow, const QString &mainLocation, const QString &first,
                                   const QString &firstLocation, const QString &why)
{
    return Warning(QStringLiteral("Main.pb opens window #") + mainWindow + QStringLiteral(" first (") + mainLocation
                   + QStringLiteral("): window #") + first + QStringLiteral(" (") + firstLocation + QStringLiteral(") ")
                   + why + QLatin1Char('.'));
}

QString OpenerNeedsDefaultsWarning(const QString &window, const QString &head, const QString &location)
{
    return Warning(QStringLiteral("window #") + window + QStringLiteral(" is opened in Procedure ") + head
                   + QStringLiteral(" (") + location
                   + QStringLiteral("), which Main.pb cannot call: not every argument has a default."
                                    " Add Procedure Open_")
                   + window + QStringLiteral("() that calls it."));
}

QString GeneratedNameWarning(const QString &what, const QString &location, const QString &resolution)
{
    return Warning(what + QStringLiteral(" (") + location + QStringLiteral(") ") + resolution);
}

QString NoLanguageBlockWarning()
{
    return Warning(QStringLiteral("LoadLanguage.pb has no DefaultLanguage block, language data not updated."));
}

QString NoEveryEventCallWarning(const QString &procedure)
{
    return Warning(QStringLiteral("Main.pb has no loop that ends on ExitApplication; call ") + procedure
                   + QStringLiteral("() after each event yourself."));
}

QString LoopPartNotCarriedWarning(const QString &what, const QString &location)
{
    return Warning(QStringLiteral("the event loop's ") + what + QStringLiteral(" (") + location
                   + QStringLiteral(") is not carried over; it stays as a comment at the end of EventWindow.pb."));
}

QString LeftOutStatementWarning(const QString &procedure, const QString &statement, const QString &location)
{
    return Warning(procedure
                   + QStringLiteral(" is left out, the generated event procedures take its place; its statement ")
                   + statement + QStringLiteral(" (") + location + QStringLiteral(") is not carried over."));
}

QString FormEventWarning(const QString &text)
{
    return Warning(text);
}

QString RenameClashWarning(const QString &oldName, const QString &newName, const QString &file, int line, int otherLine)
{
    const QString place = file + QLatin1Char(':');
    return Warning(oldName + QStringLiteral(" would be renamed ") + newName + QStringLiteral(", which ") + file
                   + QStringLiteral(" defines already (") + place + QString::number(line) + QStringLiteral(", ") + place
                   + QString::number(otherLine) + QStringLiteral("); rename or remove one of them first."));
}

QString UnclosedProcedureStopLine(QStringView procedure, const QString &file, int line)
{
    return Stop(QStringLiteral("Procedure ") + (procedure.isEmpty() ? QStringLiteral("...") : procedure.toString())
                + QStringLiteral(" (") + file + QLatin1Char(':') + QString::number(line)
                + QStringLiteral(") has no EndProcedure: the new procedures would be appended inside it."));
}

} // namespace quarvel
