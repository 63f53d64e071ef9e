<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>BlockReader</name>
    <message>
        <source>Cannot open &quot;%1&quot;: %2</source>
        <extracomment>%1 is a file, %2 says why it could not be opened.</extracomment>
        <translation>&quot;%1&quot; kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>Cannot read &quot;%1&quot;: %2</source>
        <extracomment>%1 is a file, %2 says why it could not be read.</extracomment>
        <translation>&quot;%1&quot; kann nicht gelesen werden: %2</translation>
    </message>
</context>
<context>
    <name>FolderChooser</name>
    <message>
        <source>Browse for Folder</source>
        <extracomment>Title of the folder chooser dialog.</extracomment>
        <translation>Ordner auswählen</translation>
    </message>
    <message>
        <source>Folders</source>
        <extracomment>Name of the folder tree for screen readers.</extracomment>
        <translation>Ordner</translation>
    </message>
</context>
<context>
    <name>FolderWalk</name>
    <message>
        <source>Too many folders in %1</source>
        <extracomment>Why packing stopped: more folders than a package may take. %1 is a folder&apos;s path.</extracomment>
        <translation>Zu viele Ordner in %1</translation>
    </message>
    <message>
        <source>Too many entries in %1</source>
        <extracomment>Why packing stopped: a folder holds more entries than are taken. %1 is its path.</extracomment>
        <translation>Zu viele Einträge in %1</translation>
    </message>
    <message>
        <source>AddFile failed on %1</source>
        <extracomment>Why packing stopped: a file or folder could not be taken. AddFile is a function name, never translated; %1 is the name of the file or folder.</extracomment>
        <translation>AddFile bei %1 fehlgeschlagen</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>E&amp;XIT</source>
        <extracomment>Button, 89 px wide; keep it short. &quot;&amp;&quot; marks the access key (Alt+X in English).</extracomment>
        <translation>&amp;BEENDEN</translation>
    </message>
    <message>
        <source>Visit Us</source>
        <extracomment>Tooltip of the top banner, a link to the makers&apos; website with free templates.</extracomment>
        <translation>Besuchen Sie uns</translation>
    </message>
    <message>
        <source>Free templates banner</source>
        <extracomment>Name of the top banner for screen readers.</extracomment>
        <translation>Banner: Kostenlose Vorlagen</translation>
    </message>
    <message>
        <source>&amp;Cancel Process</source>
        <extracomment>Button, 113 px wide; keep it short. Stops the packing that is going on. &quot;&amp;&quot; marks the access key.</extracomment>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>Please Click Here And Surprise Me :)</source>
        <extracomment>Tooltip of the lower banner, a link to the page where users can support the makers.</extracomment>
        <translation>Klicken Sie hier und überraschen Sie mich :)</translation>
    </message>
    <message>
        <source>Support us banner</source>
        <extracomment>Name of the lower banner for screen readers.</extracomment>
        <translation>Banner: Unterstützen Sie uns</translation>
    </message>
    <message>
        <source>Packing progress</source>
        <extracomment>Name of the progress bar for screen readers.</extracomment>
        <translation>Fortschritt beim Packen</translation>
    </message>
    <message>
        <source>RESULTS</source>
        <extracomment>Frame title around the status line, 513 px wide.</extracomment>
        <translation>ERGEBNISSE</translation>
    </message>
    <message>
        <source>Status</source>
        <extracomment>Name of the status line for screen readers.</extracomment>
        <translation>Status</translation>
    </message>
    <message>
        <source>Browse To Project Folder</source>
        <extracomment>Frame title, 521 px wide, over the project folder field and the Browse button.</extracomment>
        <translation>Projektordner auswählen</translation>
    </message>
    <message>
        <source>Project folder</source>
        <extracomment>Name of the project folder field for screen readers.</extracomment>
        <translation>Projektordner</translation>
    </message>
    <message>
        <source>The project folder to pack: choose it with Browse, or drop a folder from your file manager anywhere on this window.</source>
        <extracomment>Tooltip of the project folder field. &quot;Browse&quot; is the button beside it: use its translation.</extracomment>
        <translation>Der zu packende Projektordner: über „Wählen“ festlegen oder einen Ordner aus der Dateiverwaltung an eine beliebige Stelle dieses Fensters ziehen.</translation>
    </message>
    <message>
        <source>Browse</source>
        <extracomment>Button, 65 px wide; keep it very short. Opens the folder chooser.</extracomment>
        <translation>Wählen</translation>
    </message>
    <message>
        <source>Choose the template project folder</source>
        <extracomment>Description of the Browse button for screen readers.</extracomment>
        <translation>Projektordner der Vorlage auswählen</translation>
    </message>
    <message>
        <source>For FREE Templates pay us a visit by clicking on our banner :)</source>
        <extracomment>The status line&apos;s first text, 489 px wide and two lines high. The banner is the picture at the top of the window.</extracomment>
        <translation>Für KOSTENLOSE Vorlagen besuchen Sie uns mit einem Klick auf unser Banner :)</translation>
    </message>
    <message>
        <source>Please select a folder:</source>
        <extracomment>The text over the folder tree in the folder chooser.</extracomment>
        <translation>Bitte einen Ordner auswählen:</translation>
    </message>
    <message>
        <source>Canceled</source>
        <extracomment>Shown in the project folder field when the folder chooser was cancelled.</extracomment>
        <translation>Abgebrochen</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a folder on this computer</source>
        <extracomment>Status line, when the folder given to the vendrel command is on another computer (an sftp:// address...); %1 is what was given.</extracomment>
        <translation>&quot;%1&quot; ist kein Ordner auf diesem Computer</translation>
    </message>
    <message>
        <source>&quot;%1&quot; does not exist</source>
        <extracomment>Status line, when the folder given to the vendrel command does not exist; %1 is what was given.</extracomment>
        <translation>&quot;%1&quot; existiert nicht</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a folder</source>
        <extracomment>Status line, when a file was given to the vendrel command instead of a folder; %1 is what was given.</extracomment>
        <translation>&quot;%1&quot; ist kein Ordner</translation>
    </message>
</context>
<context>
    <name>PackCli</name>
    <message>
        <source>Try &apos;vendrel-pack --help&apos; for more information.</source>
        <extracomment>Second line of every usage error of vendrel-pack; keep the command as it is.</extracomment>
        <translation>&apos;vendrel-pack --help&apos; liefert weitere Informationen.</translation>
    </message>
</context>
<context>
    <name>PackDestination</name>
    <message>
        <source>%1 is a folder</source>
        <extracomment>vendrel-pack error; %1 is the output path in quotes, which names a folder.</extracomment>
        <translation>%1 ist ein Ordner</translation>
    </message>
    <message>
        <source>%1 is not an ordinary file</source>
        <extracomment>vendrel-pack error; %1 is the output path in quotes (a device or a pipe).</extracomment>
        <translation>%1 ist keine reguläre Datei</translation>
    </message>
    <message>
        <source>%1 already exists; use --overwrite to replace it</source>
        <extracomment>vendrel-pack error; %1 is the output path in quotes. --overwrite is an option, never translated.</extracomment>
        <translation>%1 ist bereits vorhanden; zum Ersetzen --overwrite angeben</translation>
    </message>
    <message>
        <source>Project folder not found: &quot;%1&quot;</source>
        <extracomment>vendrel-pack error; %1 is the project folder&apos;s path.</extracomment>
        <translation>Projektordner nicht gefunden: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Destination folder not found: &quot;%1&quot;</source>
        <extracomment>vendrel-pack error; %1 is the folder the package was to be written into.</extracomment>
        <translation>Zielordner nicht gefunden: &quot;%1&quot;</translation>
    </message>
</context>
<context>
    <name>PackOptions</name>
    <message>
        <source>unknown kind &apos;%1&apos; (one of %2)</source>
        <extracomment>vendrel-pack error; %1 is what was given, %2 the list of kind codes (DZEP, DZT...).</extracomment>
        <translation>unbekannter Typ &apos;%1&apos; (erlaubt: %2)</translation>
    </message>
    <message>
        <source>--kind given twice with different kinds</source>
        <extracomment>vendrel-pack error. --kind is an option, never translated.</extracomment>
        <translation>--kind zweimal mit verschiedenen Typen angegeben</translation>
    </message>
    <message>
        <source>--kind needs a kind code (one of %1)</source>
        <extracomment>vendrel-pack error. --kind is an option, never translated; %1 lists the kind codes.</extracomment>
        <translation>--kind erwartet einen Typ (erlaubt: %1)</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <extracomment>vendrel-pack error; %1 is the option given.</extracomment>
        <translation>unbekannte Option &apos;%1&apos;</translation>
    </message>
    <message>
        <source>missing --kind (one of %1)</source>
        <extracomment>vendrel-pack error. --kind is an option, never translated; %1 lists the kind codes.</extracomment>
        <translation>--kind fehlt (erlaubt: %1)</translation>
    </message>
    <message>
        <source>expected PROJECT_FOLDER and OUTPUT</source>
        <extracomment>vendrel-pack error. PROJECT_FOLDER and OUTPUT are the names the help gives the two paths: use the same words as its translation.</extracomment>
        <translation>PROJEKTORDNER und ZIELDATEI erwartet</translation>
    </message>
    <message>
        <source>too many arguments: &apos;%1&apos;</source>
        <extracomment>vendrel-pack error; %1 is the arguments left over.</extracomment>
        <translation>zu viele Argumente: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>an empty path was given</source>
        <extracomment>vendrel-pack error.</extracomment>
        <translation>es wurde ein leerer Pfad angegeben</translation>
    </message>
    <message>
        <source>argument %1 is not valid UTF-8: &apos;%2&apos;</source>
        <extracomment>vendrel-pack error; %1 is the argument&apos;s number, %2 the argument as read.</extracomment>
        <translation>Argument %1 ist kein gültiges UTF-8: &apos;%2&apos;</translation>
    </message>
    <message>
        <source>--level &apos;%1&apos; is not a level from 0 to 9</source>
        <extracomment>vendrel-pack error. --level is an option, never translated; %1 is what was given.</extracomment>
        <translation>--level &apos;%1&apos; ist keine Stufe von 0 bis 9</translation>
    </message>
    <message>
        <source>--date &apos;%1&apos; names no such date or time</source>
        <extracomment>vendrel-pack error. --date is an option, never translated; %1 is what was given, in the right form but a day or time that does not exist (2024-02-30, 25:00).</extracomment>
        <translation>--date &apos;%1&apos; nennt ein Datum oder eine Uhrzeit, die es nicht gibt</translation>
    </message>
    <message>
        <source>--date &apos;%1&apos; is not a date and time such as 2024-05-01T12:00:00Z, or @SECONDS</source>
        <extracomment>vendrel-pack error. --date is an option, never translated; %1 is what was given. Keep the example and @SECONDS as they are (SECONDS may be translated as in the help).</extracomment>
        <translation>--date &apos;%1&apos; ist weder Datum und Uhrzeit wie 2024-05-01T12:00:00Z noch @SEKUNDEN</translation>
    </message>
    <message>
        <source>--level needs a level from 0 to 9</source>
        <extracomment>vendrel-pack error. --level is an option, never translated.</extracomment>
        <translation>--level braucht eine Stufe von 0 bis 9</translation>
    </message>
    <message>
        <source>--date needs a date and time such as 2024-05-01T12:00:00Z, or @SECONDS</source>
        <extracomment>vendrel-pack error. --date is an option, never translated. Keep the example and @SECONDS as they are (SECONDS may be translated as in the help).</extracomment>
        <translation>--date braucht Datum und Uhrzeit wie 2024-05-01T12:00:00Z oder @SEKUNDEN</translation>
    </message>
    <message>
        <source>SOURCE_DATE_EPOCH &apos;%1&apos; is not a whole number of seconds since 1970-01-01 00:00:00 UTC; unset it or give --date</source>
        <extracomment>vendrel-pack error. SOURCE_DATE_EPOCH is an environment variable and --date an option, never translated; %1 is the variable&apos;s value.</extracomment>
        <translation>SOURCE_DATE_EPOCH &apos;%1&apos; ist keine ganze Zahl von Sekunden seit 1970-01-01 00:00:00 UTC; die Variable entfernen oder --date angeben</translation>
    </message>
    <message>
        <source>Usage: vendrel-pack --kind KIND [--overwrite] [--quiet] [--level N]
                    [--date WHEN] PROJECT_FOLDER OUTPUT
       vendrel-pack --list-kinds | --help | --version

Packs PROJECT_FOLDER, with all its sub-folders, into the template package OUTPUT,
exactly as Vendrel&apos;s window does for the same folder and kind.

  --kind KIND    package kind, one of %1 (any case)
  --overwrite    replace OUTPUT if it exists (otherwise it is refused)
  -q, --quiet    print nothing but errors
  --level N, -N  compression level: 0 stores every file, 1 is the fastest and
                 9 the smallest (default: zlib&apos;s default level)
  --date WHEN    stamp every entry with WHEN: an ISO 8601 date and time, UTC
                 unless it names its zone (2024-05-01T12:00:00+02:00), or
                 @SECONDS since 1970; wins over SOURCE_DATE_EPOCH
  --list-kinds   list the kinds with their extensions and entry names
  -h, --help     show this help
  --version      show the version

OUTPUT gets the kind&apos;s extension when its full path holds no &apos;.&apos; at all. It must
not lie directly in PROJECT_FOLDER. The package is written beside OUTPUT under a
temporary name and takes OUTPUT&apos;s place only when complete. On a terminal a
progress bar shows on standard error; when standard output is not a terminal, a
line per packed file goes there.

With SOURCE_DATE_EPOCH set to a number of seconds since 1970 (or with --date),
every entry carries that instant in UTC instead of the time of the run, so the
same folder gives the same package, byte for byte, wherever it is packed.

Exit status: 0 success, 2 usage error, 3 destination refused, 4 project folder
cannot be packed, 5 read or write failure, 130 interrupted.
</source>
        <extracomment>vendrel-pack&apos;s help. Keep the options (--kind, -q...), SOURCE_DATE_EPOCH, the example date and the layout as they are, and lines under 80 columns. KIND, PROJECT_FOLDER, OUTPUT, N, WHEN and SECONDS may be translated, the same way everywhere (the errors use them too). %1 is the list of kind codes.</extracomment>
        <translation>Aufruf: vendrel-pack --kind TYP [--overwrite] [--quiet] [--level N]
                     [--date WANN] PROJEKTORDNER ZIELDATEI
        vendrel-pack --list-kinds | --help | --version

Packt PROJEKTORDNER samt allen Unterordnern in das Vorlagenpaket ZIELDATEI,
genau so, wie es das Fenster von Vendrel für denselben Ordner und Typ tut.

  --kind TYP     Pakettyp, einer von %1
                 (Groß-/Kleinschreibung beliebig)
  --overwrite    ZIELDATEI ersetzen, falls vorhanden (sonst wird sie abgelehnt)
  -q, --quiet    nur Fehler ausgeben
  --level N, -N  Kompressionsstufe: 0 speichert jede Datei unverändert, 1 ist
                 die schnellste, 9 die kleinste (Standard: die Stufe von zlib)
  --date WANN    jeden Eintrag mit WANN versehen: Datum und Uhrzeit nach
                 ISO 8601, in UTC, sofern keine Zone genannt ist
                 (2024-05-01T12:00:00+02:00), oder @SEKUNDEN seit 1970;
                 hat Vorrang vor SOURCE_DATE_EPOCH
  --list-kinds   die Typen mit ihren Endungen und Eintragsnamen auflisten
  -h, --help     diese Hilfe anzeigen
  --version      die Version anzeigen

ZIELDATEI erhält die Endung des Typs, wenn ihr vollständiger Pfad überhaupt
keinen &apos;.&apos; enthält. ZIELDATEI darf nicht direkt in PROJEKTORDNER liegen. Das
Paket wird unter einem temporären Namen neben ZIELDATEI geschrieben und tritt
erst an ihre Stelle, wenn es vollständig ist. Im Terminal zeigt die
Standardfehlerausgabe einen Fortschrittsbalken; ist die Standardausgabe kein
Terminal, erhält sie eine Zeile je gepackter Datei.

Ist SOURCE_DATE_EPOCH auf eine Zahl von Sekunden seit 1970 gesetzt (oder
--date angegeben), trägt jeder Eintrag diesen Zeitpunkt in UTC statt der Zeit
des Laufs; derselbe Ordner ergibt so überall dasselbe Paket, Byte für Byte.

Exit-Status: 0 Erfolg, 2 Aufruffehler, 3 Ziel abgelehnt, 4 Projektordner nicht
packbar, 5 Lese- oder Schreibfehler, 130 unterbrochen.
</translation>
    </message>
</context>
<context>
    <name>PackReport</name>
    <message>
        <source>%1 left</source>
        <extracomment>vendrel-pack&apos;s progress bar: the time still needed, %1 as 1:05 or --:-- while unknown. Keep it short.</extracomment>
        <translation>noch %1</translation>
    </message>
    <message>
        <source>Packed %1 as %2</source>
        <extracomment>vendrel-pack&apos;s line per packed file; %1 is the file&apos;s path, %2 its name in the package.</extracomment>
        <translation>%1 als %2 gepackt</translation>
    </message>
    <message numerus="yes">
        <source>Success: %n files (%2) packed into %3 (%4) in %5 s</source>
        <extracomment>vendrel-pack&apos;s last line. %n is the number of files, %2 their size, %3 the package&apos;s path, %4 its size, %5 the seconds taken; &quot;s&quot; is the unit second.</extracomment>
        <translation>
            <numerusform>Erfolgreich: %n Datei (%2) in %3 (%4) gepackt, Dauer %5 s</numerusform>
            <numerusform>Erfolgreich: %n Dateien (%2) in %3 (%4) gepackt, Dauer %5 s</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PackRun</name>
    <message>
        <source>%1 failed: %2</source>
        <extracomment>vendrel-pack error. %1 is the name of the step that failed (a function name such as OpenZip or Rename: never translated), %2 says why.</extracomment>
        <translation>%1 fehlgeschlagen: %2</translation>
    </message>
    <message>
        <source>Too many files for one package in %1: more than %2</source>
        <extracomment>vendrel-pack error; %1 is the project folder, %2 the most files a package holds.</extracomment>
        <translation>Zu viele Dateien für ein Paket in %1: mehr als %2</translation>
    </message>
    <message>
        <source>Walking the project folder failed in %1: %2</source>
        <extracomment>vendrel-pack error; %1 is a folder, %2 says what failed there.</extracomment>
        <translation>Durchsuchen des Projektordners in %1 fehlgeschlagen: %2</translation>
    </message>
    <message>
        <source>%1 appeared while packing and was not replaced; use --overwrite to replace it</source>
        <extracomment>vendrel-pack error; %1 is the output path. --overwrite is an option, never translated.</extracomment>
        <translation>%1 wurde während des Packens angelegt und nicht ersetzt; zum Ersetzen --overwrite angeben</translation>
    </message>
    <message>
        <source>the file grew while it was being packed</source>
        <extracomment>vendrel-pack error, after &quot;ReadFile failed on FILE: &quot;.</extracomment>
        <translation>die Datei ist beim Packen gewachsen</translation>
    </message>
    <message>
        <source>the file changed while it was being packed (%1 bytes listed, %2 read)</source>
        <extracomment>vendrel-pack error, after &quot;ReadFile failed on FILE: &quot;; %1 and %2 are byte counts.</extracomment>
        <translation>die Datei hat sich beim Packen geändert (%1 Bytes erwartet, %2 gelesen)</translation>
    </message>
    <message>
        <source>%1 failed on %2: %3</source>
        <extracomment>vendrel-pack error. %1 is the name of the step that failed (a function name such as ReadFile: never translated), %2 the file, %3 says why.</extracomment>
        <translation>%1 bei %2 fehlgeschlagen: %3</translation>
    </message>
    <message>
        <source>%1 failed on %2: %3(error %4 writing %5)</source>
        <extracomment>vendrel-pack error. %1 is the name of the step that failed (a function name such as WriteBytes: never translated), %2 the package, %3 the system&apos;s reason followed by a space (or nothing), %4 the error code, %5 the file being written.</extracomment>
        <translation>%1 bei %2 fehlgeschlagen: %3(Fehler %4 beim Schreiben von %5)</translation>
    </message>
    <message>
        <source>Canceled; %1 was left as it was</source>
        <extracomment>vendrel-pack after Ctrl-C; %1 is the old package, kept unchanged.</extracomment>
        <translation>Abgebrochen; %1 bleibt unverändert</translation>
    </message>
    <message>
        <source>Canceled; %1 was not written</source>
        <extracomment>vendrel-pack after Ctrl-C; %1 is the package that was not made.</extracomment>
        <translation>Abgebrochen; %1 wurde nicht geschrieben</translation>
    </message>
</context>
<context>
    <name>PackagePaths</name>
    <message>
        <source>You cannot create the Installation File in the Project Folder!</source>
        <extracomment>First line of a warning (message box, and an error of vendrel-pack) when the package was to be written into the project folder itself. &quot;Installation File&quot; is the package.</extracomment>
        <translation>Die Installationsdatei kann nicht im Projektordner erstellt werden!</translation>
    </message>
    <message>
        <source>Please Choose Another Destination Folder</source>
        <extracomment>Second line of the warning about the package in the project folder.</extracomment>
        <translation>Bitte einen anderen Zielordner auswählen</translation>
    </message>
</context>
<context>
    <name>Packer</name>
    <message>
        <source>Too many files: %1 (a package holds at most %2)</source>
        <extracomment>Status line. %1 is the number of files found so far, %2 the most a package holds.</extracomment>
        <translation>Zu viele Dateien: %1 (ein Paket fasst höchstens %2)</translation>
    </message>
    <message>
        <source>Packing %1</source>
        <extracomment>Status line while a file is being packed; %1 is the file&apos;s path.</extracomment>
        <translation>Wird gepackt: %1</translation>
    </message>
    <message>
        <source>Packed %1</source>
        <extracomment>Status line once a file is packed; %1 is the file&apos;s path.</extracomment>
        <translation>Gepackt: %1</translation>
    </message>
    <message>
        <source>Canceled</source>
        <extracomment>Status line after the user stopped the packing.</extracomment>
        <translation>Abgebrochen</translation>
    </message>
    <message>
        <source>Success</source>
        <extracomment>Status line after a package was written.</extracomment>
        <translation>Erfolgreich</translation>
    </message>
    <message>
        <source>Err %1 in %2</source>
        <extracomment>Status line of a failed run. &quot;Err&quot; is short for error; %1 is the result code, %2 the name of the step that failed (a function name such as WriteBytes: never translated).</extracomment>
        <translation>Fehler %1 in %2</translation>
    </message>
    <message>
        <source>Please Choose a Project Folder First</source>
        <extracomment>Status line when a Generate button is pressed before a folder was chosen.</extracomment>
        <translation>Bitte zuerst einen Projektordner auswählen</translation>
    </message>
    <message>
        <source>Project Folder Not Found: %1</source>
        <extracomment>Status line; %1 is the chosen project folder, which is no longer there.</extracomment>
        <translation>Projektordner nicht gefunden: %1</translation>
    </message>
    <message>
        <source>Overwrite Existing File?</source>
        <extracomment>Question in a message box with OK and Cancel, when the chosen package exists.</extracomment>
        <translation>Vorhandene Datei überschreiben?</translation>
    </message>
    <message>
        <source>Cannot Delete Existing File %1</source>
        <extracomment>Status line; %1 is the path of the old package that cannot be replaced.</extracomment>
        <translation>Vorhandene Datei %1 kann nicht gelöscht werden</translation>
    </message>
    <message>
        <source>Err %1 in %2: %3 changed while it was being packed</source>
        <extracomment>Status line of a run that failed because a file changed size while it was packed. &quot;Err&quot; is short for error; %1 is the result code, %2 the step that failed (a function name such as ReadFile: never translated), %3 the file&apos;s path.</extracomment>
        <translation>Fehler %1 in %2: %3 hat sich beim Packen geändert</translation>
    </message>
    <message>
        <source>%1 appeared while packing and was not replaced</source>
        <extracomment>Status line: a file was made at the package&apos;s path while packing, by another program, and was kept; %1 is its path.</extracomment>
        <translation>%1 wurde während des Packens angelegt und nicht ersetzt</translation>
    </message>
</context>
<context>
    <name>ParallelDeflate</name>
    <message>
        <source>Cannot compress &quot;%1&quot;: zlib error %2 (%3)</source>
        <extracomment>%1 is a file, %2 zlib&apos;s error code, %3 zlib&apos;s own text.</extracomment>
        <translation>Komprimieren von &quot;%1&quot; fehlgeschlagen: zlib-Fehler %2 (%3)</translation>
    </message>
    <message>
        <source>Compression is already running</source>
        <extracomment>An error that shows only when the program itself is at fault.</extracomment>
        <translation>Die Komprimierung läuft bereits</translation>
    </message>
    <message>
        <source>No receiver for the compressed data</source>
        <extracomment>An error that shows only when the program itself is at fault.</extracomment>
        <translation>Kein Empfänger für die komprimierten Daten</translation>
    </message>
    <message>
        <source>Compression failed: %1</source>
        <translation>Komprimierung fehlgeschlagen: %1</translation>
    </message>
</context>
<context>
    <name>SourceReader</name>
    <message>
        <source>it is a folder, not a file</source>
        <extracomment>Why a path cannot be packed; &quot;it&quot; is the path named before.</extracomment>
        <translation>es ist ein Ordner, keine Datei</translation>
    </message>
    <message>
        <source>it is a named pipe (FIFO), not a file</source>
        <extracomment>Why a path cannot be packed; &quot;it&quot; is the path named before.</extracomment>
        <translation>es ist eine benannte Pipe (FIFO), keine Datei</translation>
    </message>
    <message>
        <source>it is a socket, not a file</source>
        <extracomment>Why a path cannot be packed; &quot;it&quot; is the path named before.</extracomment>
        <translation>es ist ein Socket, keine Datei</translation>
    </message>
    <message>
        <source>it is a device, not a file</source>
        <extracomment>Why a path cannot be packed; &quot;it&quot; is the path named before.</extracomment>
        <translation>es ist ein Gerät, keine Datei</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <extracomment>Why a path cannot be packed; &quot;it&quot; is the path named before.</extracomment>
        <translation>es ist keine reguläre Datei</translation>
    </message>
</context>
<context>
    <name>StartArguments</name>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <extracomment>Error of the vendrel command; %1 is the option given.</extracomment>
        <translation>unbekannte Option &apos;%1&apos;</translation>
    </message>
    <message>
        <source>too many arguments: &apos;%1&apos;</source>
        <extracomment>Error of the vendrel command, which takes one folder at most; %1 is the arguments left over.</extracomment>
        <translation>zu viele Argumente: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Usage: vendrel [FOLDER]
       vendrel --help | --version

Opens Vendrel&apos;s window. A template project FOLDER given here is taken as if it
had been dropped on the window: it fills the folder field and enables the
Generate buttons. A file, a missing path or a remote address leaves the window
as it starts, with the reason in its status line.

  -h, --help     show this help
  --version      show the version

The window also takes Qt&apos;s own options, such as -platform NAME or -style NAME.
vendrel-pack makes the same packages from the command line, without a window.
</source>
        <extracomment>The vendrel command&apos;s help. Keep the options (--help, -platform...) and the layout as they are, and lines under 80 columns. FOLDER may be translated; Generate is the window&apos;s buttons, use their translation.</extracomment>
        <translation>Aufruf: vendrel [ORDNER]
        vendrel --help | --version

Öffnet das Fenster von Vendrel. Ein hier angegebener Projektordner ORDNER wird
so übernommen, als wäre er auf das Fenster gezogen worden: Er erscheint im
Ordnerfeld, und die Schaltflächen zum Erstellen werden aktiv. Eine Datei, ein
fehlender Pfad oder eine entfernte Adresse lässt das Fenster, wie es startet;
der Grund steht in seiner Statuszeile.

  -h, --help     diese Hilfe anzeigen
  --version      die Version anzeigen

Das Fenster nimmt auch die Optionen von Qt an, etwa -platform NAME oder
-style NAME. vendrel-pack erstellt dieselben Pakete auf der Befehlszeile, ohne
Fenster.
</translation>
    </message>
    <message>
        <source>Try &apos;vendrel --help&apos; for more information.</source>
        <extracomment>Second line of every usage error of the vendrel command; keep the command as it is.</extracomment>
        <translation>&apos;vendrel --help&apos; liefert weitere Informationen.</translation>
    </message>
</context>
<context>
    <name>TempOutput</name>
    <message>
        <source>Cannot rename the package to &quot;%1&quot;: %2</source>
        <extracomment>%1 is the package&apos;s path, %2 the system&apos;s reason.</extracomment>
        <translation>Das Paket kann nicht in &quot;%1&quot; umbenannt werden: %2</translation>
    </message>
    <message>
        <source>The temporary file is already open</source>
        <extracomment>An error that shows only when the program itself is at fault.</extracomment>
        <translation>Die temporäre Datei ist bereits geöffnet</translation>
    </message>
    <message>
        <source>Cannot create a temporary file beside &quot;%1&quot;: %2</source>
        <extracomment>%1 is the package&apos;s path, %2 the system&apos;s reason.</extracomment>
        <translation>Neben &quot;%1&quot; kann keine temporäre Datei angelegt werden: %2</translation>
    </message>
    <message>
        <source>Cannot set the permissions of &quot;%1&quot;: %2</source>
        <extracomment>%1 is a file&apos;s path, %2 the system&apos;s reason.</extracomment>
        <translation>Die Zugriffsrechte von &quot;%1&quot; können nicht gesetzt werden: %2</translation>
    </message>
    <message>
        <source>Nothing to put in place</source>
        <extracomment>An error that shows only when the program itself is at fault.</extracomment>
        <translation>Keine fertige Datei zum Einsetzen vorhanden</translation>
    </message>
    <message>
        <source>Cannot write to disk &quot;%1&quot;: %2</source>
        <extracomment>%1 is a file&apos;s path, %2 the system&apos;s reason.</extracomment>
        <translation>&quot;%1&quot; kann nicht auf den Datenträger geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>TemplateKind</name>
    <message>
        <source>Generate DZEP File</source>
        <extracomment>Button, 145 px wide; keep it short. DZEP is the file type, never translated.</extracomment>
        <translation>DZEP-Datei erstellen</translation>
    </message>
    <message>
        <source>Express Project Installer Generator</source>
        <extracomment>Frame title, 257 px wide; keep it short.</extracomment>
        <translation>Installer-Generator für Express-Projekte</translation>
    </message>
    <message>
        <source>DZEP Files (*.dzep)</source>
        <extracomment>File type in the save dialog; keep the pattern in parentheses as it is.</extracomment>
        <translation>DZEP-Dateien (*.dzep)</translation>
    </message>
    <message>
        <source>Generate DZT File</source>
        <extracomment>Button, 145 px wide; keep it short. DZT is the file type, never translated.</extracomment>
        <translation>DZT-Datei erstellen</translation>
    </message>
    <message>
        <source>Title Installer Generator</source>
        <extracomment>Frame title, 257 px wide; keep it short.</extracomment>
        <translation>Installer-Generator für Titel</translation>
    </message>
    <message>
        <source>DZT Files (*.dzt)</source>
        <extracomment>File type in the save dialog; keep the pattern in parentheses as it is.</extracomment>
        <translation>DZT-Dateien (*.dzt)</translation>
    </message>
    <message>
        <source>Generate DZTR File</source>
        <extracomment>Button, 145 px wide; keep it short. DZTR is the file type, never translated.</extracomment>
        <translation>DZTR-Datei erstellen</translation>
    </message>
    <message>
        <source>Transition Installer Generator</source>
        <extracomment>Frame title, 257 px wide; keep it short.</extracomment>
        <translation>Installer-Generator für Übergänge</translation>
    </message>
    <message>
        <source>DZTR Files (*.dztr)</source>
        <extracomment>File type in the save dialog; keep the pattern in parentheses as it is.</extracomment>
        <translation>DZTR-Dateien (*.dztr)</translation>
    </message>
    <message>
        <source>Generate DZS File</source>
        <extracomment>Button, 145 px wide; keep it short. DZS is the file type, never translated.</extracomment>
        <translation>DZS-Datei erstellen</translation>
    </message>
    <message>
        <source>Magic Style Installer Generator</source>
        <extracomment>Frame title, 257 px wide; keep it short. Magic Style is the name of a template family in the video editor.</extracomment>
        <translation>Installer-Generator für Magic Styles</translation>
    </message>
    <message>
        <source>DZS Files (*.dzs)</source>
        <extracomment>File type in the save dialog; keep the pattern in parentheses as it is.</extracomment>
        <translation>DZS-Dateien (*.dzs)</translation>
    </message>
    <message>
        <source>Generate DZM File</source>
        <extracomment>Button, 145 px wide; keep it short. DZM is the file type, never translated.</extracomment>
        <translation>DZM-Datei erstellen</translation>
    </message>
    <message>
        <source>DVD Menu Installer Generator</source>
        <extracomment>Frame title, 257 px wide; keep it short.</extracomment>
        <translation>Installer-Generator für DVD-Menüs</translation>
    </message>
    <message>
        <source>DZM Files (*.dzm)</source>
        <extracomment>File type in the save dialog; keep the pattern in parentheses as it is.</extracomment>
        <translation>DZM-Dateien (*.dzm)</translation>
    </message>
    <message>
        <source>Generate DZP File</source>
        <extracomment>Button, 145 px wide; keep it short. DZP is the file type, never translated.</extracomment>
        <translation>DZP-Datei erstellen</translation>
    </message>
    <message>
        <source>PiP Objects Installer Generator</source>
        <extracomment>Frame title, 257 px wide; keep it short. PiP: picture in picture.</extracomment>
        <translation>Installer-Generator für PiP-Objekte</translation>
    </message>
    <message>
        <source>DZP Files (*.dzp)</source>
        <extracomment>File type in the save dialog; keep the pattern in parentheses as it is.</extracomment>
        <translation>DZP-Dateien (*.dzp)</translation>
    </message>
</context>
</TS>
