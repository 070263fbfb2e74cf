<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="de_DE">
<context>
    <name>QtRequesters</name>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Nein</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>quarvel::BindDialogWindow</name>
    <message>
        <source>Bind suggested</source>
        <translation>Vorschläge binden</translation>
    </message>
    <message>
        <source>%1 → %2 (suggested)</source>
        <translation>%1 → %2 (vorgeschlagen)</translation>
    </message>
    <message>
        <source>Bind suggested (%1)</source>
        <translation>Vorschläge binden (%1)</translation>
    </message>
</context>
<context>
    <name>quarvel::ChangesView</name>
    <message>
        <source>  (no backup copy)</source>
        <translation>  (keine Sicherungskopie)</translation>
    </message>
    <message>
        <source>%1 → %2   (%3 replaced)</source>
        <translation>%1 → %2   (%3 ersetzt)</translation>
    </message>
    <message>
        <source>Changes</source>
        <translation>Änderungen</translation>
    </message>
    <message>
        <source>Reading the files of the run</source>
        <translation>Die Dateien des Laufs werden gelesen</translation>
    </message>
    <message>
        <source>Files written by the run</source>
        <translation>Vom Lauf geschriebene Dateien</translation>
    </message>
    <message>
        <source>Renamed (bound in Search and Replace)</source>
        <translation>Umbenannt (in Search and Replace gebunden)</translation>
    </message>
    <message>
        <source>Backup copy → new text</source>
        <translation>Sicherungskopie → neuer Text</translation>
    </message>
    <message>
        <source>The last run wrote no file.</source>
        <translation>Der letzte Lauf hat keine Datei geschrieben.</translation>
    </message>
    <message>
        <source>Reading the files of the run…</source>
        <translation>Die Dateien des Laufs werden gelesen …</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>No change.</source>
        <translation>Keine Änderung.</translation>
    </message>
</context>
<context>
    <name>quarvel::DesktopRun</name>
    <message>
        <source>The run was cancelled in %1; it wrote no file.</source>
        <translation>Der Lauf wurde in %1 abgebrochen; er hat keine Datei geschrieben.</translation>
    </message>
</context>
<context>
    <name>quarvel::LogView</name>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>&amp;Open File</source>
        <translation>Datei ö&amp;ffnen</translation>
    </message>
    <message>
        <source>C&amp;lear Log</source>
        <translation>Protokoll &amp;leeren</translation>
    </message>
</context>
<context>
    <name>quarvel::MainView</name>
    <message>
        <source>Show &amp;Changes	Ctrl-D</source>
        <translation>Ände&amp;rungen zeigen	Ctrl-D</translation>
    </message>
    <message>
        <source>Show Changes</source>
        <translation>Änderungen zeigen</translation>
    </message>
    <message>
        <source>Show &amp;Project View	Ctrl-P</source>
        <translation>&amp;Projektansicht zeigen	Ctrl-P</translation>
    </message>
    <message>
        <source>&amp;Regenerate on Save</source>
        <translation>Beim Speichern neu &amp;generieren</translation>
    </message>
    <message>
        <source>Open Project &amp;Folder</source>
        <translation>Projekt&amp;ordner öffnen</translation>
    </message>
    <message>
        <source>&amp;Undo	Ctrl-Z</source>
        <translation>&amp;Rückgängig	Ctrl-Z</translation>
    </message>
    <message>
        <source>&amp;Editor...</source>
        <translation>&amp;Editor …</translation>
    </message>
    <message>
        <source>About Quarvel</source>
        <translation>Über Quarvel</translation>
    </message>
    <message>
        <source>Preferences...</source>
        <translation>Einstellungen …</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>%1 error</source>
        <translation>%1 Fehler</translation>
    </message>
    <message>
        <source>%1 errors</source>
        <translation>%1 Fehler</translation>
    </message>
    <message>
        <source>%1 warning</source>
        <translation>%1 Warnung</translation>
    </message>
    <message>
        <source>%1 warnings</source>
        <translation>%1 Warnungen</translation>
    </message>
    <message>
        <source>%1 finding</source>
        <translation>%1 Befund</translation>
    </message>
    <message>
        <source>%1 findings</source>
        <translation>%1 Befunde</translation>
    </message>
    <message>
        <source>More menus</source>
        <translation>Weitere Menüs</translation>
    </message>
    <message>
        <source>More toolbar buttons</source>
        <translation>Weitere Werkzeugknöpfe</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Recent Projects</source>
        <translation>&amp;Zuletzt geöffnete Projekte</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Werkzeugleiste</translation>
    </message>
    <message>
        <source>Common files (drop window sources or a project file here)</source>
        <translation>Common-Dateien (Fensterquellen oder eine Projektdatei hier ablegen)</translation>
    </message>
    <message>
        <source>Common files</source>
        <translation>Common-Dateien</translation>
    </message>
    <message>
        <source>Log (double-click a line that names a file to open it)</source>
        <translation>Protokoll (Doppelklick auf eine Zeile mit Dateiname öffnet die Datei)</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Protokoll</translation>
    </message>
    <message>
        <source>A generation is running. Quit when it has ended.</source>
        <translation>Eine Generierung läuft. Beenden Sie das Programm, wenn sie fertig ist.</translation>
    </message>
    <message>
        <source>Cannot open %1.

The desktop has no application for folders.</source>
        <translation>%1 lässt sich nicht öffnen.

Der Desktop hat kein Programm für Ordner.</translation>
    </message>
    <message>
        <source>No editor is set and none of the known editors is installed, and the desktop has no application for this file.</source>
        <translation>Es ist kein Editor eingestellt, keiner der bekannten Editoren ist installiert, und der Desktop hat kein Programm für diese Datei.</translation>
    </message>
    <message>
        <source>The editor command "%1" could not be started, and the desktop has no application for this file.</source>
        <translation>Der Editor-Befehl „%1“ ließ sich nicht starten, und der Desktop hat kein Programm für diese Datei.</translation>
    </message>
    <message>
        <source>Cannot open %1.

%2
Set your editor's command in File &gt; Preferences &gt; Editor.</source>
        <translation>%1 lässt sich nicht öffnen.

%2
Den Befehl Ihres Editors stellen Sie unter File &gt; Preferences &gt; Editor ein.</translation>
    </message>
    <message>
        <source>Editor</source>
        <translation>Editor</translation>
    </message>
    <message>
        <source>The command that opens a file in your editor; %f stands for the file, %l for the line:</source>
        <translation>Der Befehl, der eine Datei in Ihrem Editor öffnet; %f steht für die Datei, %l für die Zeile:</translation>
    </message>
    <message>
        <source>File not found: %1</source>
        <translation>Datei nicht gefunden: %1</translation>
    </message>
    <message>
        <source>Running…</source>
        <translation>Läuft …</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Angehalten</translation>
    </message>
</context>
<context>
    <name>quarvel::ProjectTreeModel</name>
    <message>
        <source>present, 1 line of code</source>
        <translation>vorhanden, 1 Zeile Code</translation>
    </message>
    <message>
        <source>present, %1 lines of code</source>
        <translation>vorhanden, %1 Zeilen Code</translation>
    </message>
    <message>
        <source>appended by the last run</source>
        <translation>vom letzten Lauf angefügt</translation>
    </message>
    <message>
        <source>edited head</source>
        <translation>Kopf bearbeitet</translation>
    </message>
    <message>
        <source>not generated yet</source>
        <translation>noch nicht generiert</translation>
    </message>
    <message>
        <source>orphaned: no object any more</source>
        <translation>verwaist: kein Objekt mehr</translation>
    </message>
    <message>
        <source>Other procedures</source>
        <translation>Andere Prozeduren</translation>
    </message>
    <message>
        <source>Close: %1 (%2)
Size: %3 (%4)</source>
        <translation>Schließen: %1 (%2)
Größe: %3 (%4)</translation>
    </message>
    <message>
        <source> in </source>
        <translation> in </translation>
    </message>
    <message>
        <source>Object</source>
        <translation>Objekt</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Art</translation>
    </message>
    <message>
        <source>Created at</source>
        <translation>Erzeugt in</translation>
    </message>
    <message>
        <source>Event procedure</source>
        <translation>Ereignisprozedur</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Zustand</translation>
    </message>
</context>
<context>
    <name>quarvel::ProjectView</name>
    <message>
        <source>Find an object by name</source>
        <translation>Objekt nach Namen suchen</translation>
    </message>
    <message>
        <source>Clear the filter</source>
        <translation>Filter leeren</translation>
    </message>
    <message>
        <source>Windows, objects and event procedures</source>
        <translation>Fenster, Objekte und Ereignisprozeduren</translation>
    </message>
    <message>
        <source>Columns</source>
        <translation>Spalten</translation>
    </message>
    <message>
        <source>Project</source>
        <translation>Projekt</translation>
    </message>
    <message>
        <source>Close the Project view</source>
        <translation>Projektansicht schließen</translation>
    </message>
    <message>
        <source>Float the Project view</source>
        <translation>Projektansicht lösen</translation>
    </message>
</context>
<context>
    <name>quarvel::Shell</name>
    <message>
        <source>there is no such file</source>
        <translation>die Datei gibt es nicht</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>die Datei ist leer</translation>
    </message>
    <message>
        <source>it is no project file: it has neither a [FILES] nor a [SWITCH] section</source>
        <translation>sie ist keine Projektdatei: sie hat weder einen Abschnitt [FILES] noch [SWITCH]</translation>
    </message>
    <message>
        <source>Cannot open the project %1:
%2.</source>
        <translation>Das Projekt %1 lässt sich nicht öffnen:
%2.</translation>
    </message>
    <message>
        <source>The project file changed on disk; save or load the project to regenerate.</source>
        <translation>Die Projektdatei wurde auf der Platte geändert; speichern oder laden Sie das Projekt, um neu zu generieren.</translation>
    </message>
    <message>
        <source>Regenerating: %1 saved</source>
        <translation>Neu generieren: %1 gespeichert</translation>
    </message>
</context>
<context>
    <name>quarvel::UserGadgetDialog</name>
    <message>
        <source>User gadget procedures</source>
        <translation>Prozeduren eigener Gadgets</translation>
    </message>
    <message>
        <source>Name of a procedure that creates a gadget:</source>
        <translation>Name einer Prozedur, die ein Gadget erzeugt:</translation>
    </message>
</context>
<context>
    <name>quarvel::WindowPreview</name>
    <message>
        <source>Window preview</source>
        <translation>Fenstervorschau</translation>
    </message>
    <message>
        <source>Select a window to see it here.</source>
        <translation>Wählen Sie ein Fenster, um es hier zu sehen.</translation>
    </message>
    <message>
        <source>   (size not a number)</source>
        <translation>   (Größe keine Zahl)</translation>
    </message>
</context>
</TS>