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
    <name>EntryNames</name>
    <message>
        <source>the name is empty</source>
        <extracomment>vendrel-pack --check: why a name cannot go into a package.</extracomment>
        <translation>der Name ist leer</translation>
    </message>
    <message>
        <source>holds &quot;\&quot;, which separates folders inside a package</source>
        <extracomment>vendrel-pack --check: why a name cannot go into a package. Keep &quot;&quot; as it is.</extracomment>
        <translation>enthält „\“, das in einem Paket Ordner trennt</translation>
    </message>
    <message>
        <source>holds &quot;:&quot;, which names a drive or a stream on the installing desktop</source>
        <extracomment>vendrel-pack --check: why a name cannot go into a package. Keep &quot;:&quot; as it is; the installing desktop is the computer the package is installed on.</extracomment>
        <translation>enthält „:“, das auf dem installierenden Desktop ein Laufwerk oder einen Datenstrom bezeichnet</translation>
    </message>
    <message>
        <source>holds &quot;%1&quot;, which the installing desktop does not allow in names</source>
        <extracomment>vendrel-pack --check: why a name cannot go into a package. %1 is one of &lt; &gt; &quot; | ? *.</extracomment>
        <translation>enthält „%1“, das der installierende Desktop in Namen nicht erlaubt</translation>
    </message>
    <message>
        <source>holds the control character %1</source>
        <extracomment>vendrel-pack --check: why a name cannot go into a package. %1 is a character code such as U+0007.</extracomment>
        <translation>enthält das Steuerzeichen %1</translation>
    </message>
    <message>
        <source>ends in a dot, which the installing desktop drops</source>
        <extracomment>vendrel-pack --check: why a name cannot go into a package.</extracomment>
        <translation>endet auf einen Punkt, den der installierende Desktop weglässt</translation>
    </message>
    <message>
        <source>ends in a space, which the installing desktop drops</source>
        <extracomment>vendrel-pack --check: why a name cannot go into a package.</extracomment>
        <translation>endet auf ein Leerzeichen, das der installierende Desktop weglässt</translation>
    </message>
    <message>
        <source>device name %1 on the installing desktop</source>
        <extracomment>vendrel-pack --check: why a name cannot go into a package. %1 is a device name such as NUL or COM1, never translated.</extracomment>
        <translation>Gerätename %1 auf dem installierenden Desktop</translation>
    </message>
</context>
<context>
    <name>Exclusions</name>
    <message>
        <source>it ends in a lone &quot;\&quot;</source>
        <extracomment>Why a pattern of a .vendrelignore file or --exclude cannot be used.</extracomment>
        <translation>sie endet auf einem einzelnen „\“</translation>
    </message>
    <message>
        <source>a &quot;[&quot; is never closed by &quot;]&quot;</source>
        <extracomment>Why a pattern cannot be used: &quot;[&quot; starts a set of characters, like &quot;[abc]&quot;.</extracomment>
        <translation>ein „[“ wird nie durch „]“ geschlossen</translation>
    </message>
    <message>
        <source>a &quot;.&quot; or &quot;..&quot; step never matches a path</source>
        <extracomment>Why a pattern cannot be used: paths below the project folder hold no &quot;.&quot; or &quot;..&quot;.</extracomment>
        <translation>ein Schritt „.“ oder „..“ passt nie zu einem Pfad</translation>
    </message>
    <message>
        <source>taking entries back in with &quot;!&quot; is not supported (write &quot;\!&quot; for a name that starts with &quot;!&quot;)</source>
        <extracomment>Why a pattern cannot be used; keep the characters &quot;!&quot; and &quot;!&quot; as they are.</extracomment>
        <translation>Einträge mit „!“ wieder aufzunehmen wird nicht unterstützt (für einen Namen, der mit „!“ beginnt, „\!“ schreiben)</translation>
    </message>
    <message>
        <source>it names nothing</source>
        <extracomment>Why a pattern cannot be used: it is empty or only &quot;/&quot;.</extracomment>
        <translation>sie nennt nichts</translation>
    </message>
    <message>
        <source>it is not UTF-8</source>
        <extracomment>Why a line of a .vendrelignore file or --exclude-from file cannot be used.</extracomment>
        <translation>sie ist kein UTF-8</translation>
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
    <message>
        <source>cannot be read: %1</source>
        <extracomment>vendrel-pack --check: why a file or folder cannot be packed; %1 is the system&apos;s reason.</extracomment>
        <translation>kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>is a link to a file or folder that is not there</source>
        <extracomment>vendrel-pack --check: a symbolic link whose target is missing.</extracomment>
        <translation>ist ein Link auf eine Datei oder einen Ordner, die es nicht gibt</translation>
    </message>
    <message>
        <source>is not a folder</source>
        <extracomment>vendrel-pack --check: the project folder is missing.</extracomment>
        <translation>ist kein Ordner</translation>
    </message>
    <message>
        <source>not UTF-8</source>
        <extracomment>vendrel-pack --check: why a name cannot go into a package.</extracomment>
        <translation>nicht UTF-8</translation>
    </message>
    <message>
        <source>is one sub-folder more than the %1 a package takes; the check stopped here</source>
        <extracomment>vendrel-pack --check: the walk stopped at a folder past the limit; %1 is the most sub-folders a package takes.</extracomment>
        <translation>ist ein Unterordner mehr als die %1, die ein Paket aufnimmt; die Prüfung endete hier</translation>
    </message>
    <message>
        <source>holds more than %1 files and folders, the most a package takes from one folder</source>
        <extracomment>vendrel-pack --check: a folder over the limit; %1 is the most entries taken from one folder (files and folders, not counting &quot;.&quot; and &quot;..&quot;).</extracomment>
        <translation>enthält mehr als %1 Dateien und Ordner, die meisten, die ein Paket aus einem Ordner aufnimmt</translation>
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
    <name>PackCheck</name>
    <message numerus="yes">
        <source>Note: %n hidden entries (names that begin with &quot;.&quot;) left out</source>
        <extracomment>vendrel-pack --check: a note, not a problem. %n is a count.</extracomment>
        <translation>
            <numerusform>Hinweis: %n versteckter Eintrag (Name beginnt mit „.“) ausgelassen</numerusform>
            <numerusform>Hinweis: %n versteckte Einträge (Namen beginnen mit „.“) ausgelassen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Note: %n named pipes, sockets or devices skipped</source>
        <extracomment>vendrel-pack --check: a note, not a problem. %n is a count.</extracomment>
        <translation>
            <numerusform>Hinweis: %n benannte Pipe, Socket oder Gerät übersprungen</numerusform>
            <numerusform>Hinweis: %n benannte Pipes, Sockets oder Geräte übersprungen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Note: %n links back into a folder being walked not followed</source>
        <extracomment>vendrel-pack --check: a note, not a problem. %n is a count of symbolic links that lead back to a folder the walk is in, which would make it endless.</extracomment>
        <translation>
            <numerusform>Hinweis: %n Link zurück in einen durchlaufenen Ordner nicht verfolgt</numerusform>
            <numerusform>Hinweis: %n Links zurück in einen durchlaufenen Ordner nicht verfolgt</numerusform>
        </translation>
    </message>
    <message>
        <source>Check canceled</source>
        <extracomment>vendrel-pack --check after Ctrl-C.</extracomment>
        <translation>Prüfung abgebrochen</translation>
    </message>
    <message>
        <source> (only for DZEP packages, whose entries begin with the folder&apos;s name)</source>
        <extracomment>vendrel-pack --check, after a problem with the project folder&apos;s own name. DZEP is a kind code, never translated.</extracomment>
        <translation> (nur für DZEP-Pakete, deren Einträge mit dem Namen des Ordners beginnen)</translation>
    </message>
    <message numerus="yes">
        <source>%n files found</source>
        <extracomment>vendrel-pack --check&apos;s closing line, part %2 below: %n is a count of files.</extracomment>
        <translation>
            <numerusform>%n Datei gefunden</numerusform>
            <numerusform>%n Dateien gefunden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n entries</source>
        <extracomment>vendrel-pack --check&apos;s closing line, part %3 below: %n is a count of entries.</extracomment>
        <translation>
            <numerusform>%n Eintrag</numerusform>
            <numerusform>%n Einträge</numerusform>
        </translation>
    </message>
    <message>
        <source>ready to pack</source>
        <extracomment>vendrel-pack --check&apos;s closing line, its end: the folder can be packed as it is.</extracomment>
        <translation>bereit zum Packen</translation>
    </message>
    <message numerus="yes">
        <source>%n problems</source>
        <extracomment>vendrel-pack --check&apos;s closing line, its end: %n is a count of problems.</extracomment>
        <translation>
            <numerusform>%n Problem</numerusform>
            <numerusform>%n Probleme</numerusform>
        </translation>
    </message>
    <message>
        <source>Checked %1: %2; the package would hold %3 (%4); %5</source>
        <extracomment>vendrel-pack --check&apos;s closing line. %1 is the project folder, %2 the files found, %3 the entries the package would hold, %4 their size, %5 &quot;ready to pack&quot; or the problems.</extracomment>
        <translation>Geprüft: %1: %2; das Paket enthielte %3 (%4); %5</translation>
    </message>
    <message numerus="yes">
        <source>Note: %n entries left out by exclusion patterns</source>
        <extracomment>vendrel-pack --check: a note, not a problem. %n is a count of files and folders that match a pattern of .vendrelignore, --exclude or --exclude-from (a folder counts once, with everything in it).</extracomment>
        <translation>
            <numerusform>Hinweis: %n Eintrag durch Ausschlussmuster ausgelassen</numerusform>
            <numerusform>Hinweis: %n Einträge durch Ausschlussmuster ausgelassen</numerusform>
        </translation>
    </message>
    <message>
        <source>Note: %1</source>
        <extracomment>vendrel-pack --check: a note, not a problem; %1 says which line of .vendrelignore cannot be used and why, and that it is ignored.</extracomment>
        <translation>Hinweis: %1</translation>
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
    <name>PackExclusions</name>
    <message>
        <source>--exclude-from %1: %2</source>
        <extracomment>vendrel-pack error. --exclude-from is an option, never translated; %1 is the file given, %2 the system&apos;s reason.</extracomment>
        <translation>--exclude-from %1: %2</translation>
    </message>
    <message>
        <source>--exclude-from %1 line %2: %3</source>
        <extracomment>vendrel-pack error. --exclude-from is an option, never translated; %1 is the file given, %2 a line number, %3 why the line cannot be used.</extracomment>
        <translation>--exclude-from %1, Zeile %2: %3</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <extracomment>vendrel-pack error; %1 is the path of the project&apos;s .vendrelignore file, %2 the system&apos;s reason. Packing it without its patterns would pack what it leaves out.</extracomment>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>%1 line %2: %3; the line is ignored</source>
        <extracomment>vendrel-pack warning; %1 is the file&apos;s name (.vendrelignore), %2 a line number, %3 why the line cannot be used. The pack goes on without the line.</extracomment>
        <translation>%1, Zeile %2: %3; die Zeile wird übergangen</translation>
    </message>
</context>
<context>
    <name>PackJob</name>
    <message>
        <source>cannot be read: %1</source>
        <extracomment>vendrel-pack --check: why a file cannot be packed; %1 is the system&apos;s reason.</extracomment>
        <translation>kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>is one file more than the %1 a package holds; later files are not counted</source>
        <extracomment>vendrel-pack --check: the first file past the limit; %1 is the most files a package holds.</extracomment>
        <translation>ist eine Datei mehr als die %1, die ein Paket fasst; spätere Dateien werden nicht gezählt</translation>
    </message>
    <message>
        <source>has the same name as %1 once case is ignored; the installing desktop would unpack them as one</source>
        <extracomment>vendrel-pack --check: two names that differ only in case; %1 is the other file&apos;s path. The installing desktop is the computer the package is installed on.</extracomment>
        <translation>heißt ohne Beachtung der Groß-/Kleinschreibung wie %1; der installierende Desktop würde beide als eine Datei auspacken</translation>
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
        <source>--check expects one PROJECT_FOLDER and no OUTPUT</source>
        <extracomment>vendrel-pack error. --check is an option, never translated; PROJECT_FOLDER is the name the help gives the path: use the same word as its translation.</extracomment>
        <translation>--check erwartet einen PROJEKTORDNER und keine ZIELDATEI</translation>
    </message>
    <message>
        <source>--verbose goes only with --check</source>
        <extracomment>vendrel-pack error. --verbose and --check are options, never translated.</extracomment>
        <translation>--verbose gibt es nur zusammen mit --check</translation>
    </message>
    <message>
        <source>--test expects PACKAGE [PROJECT_FOLDER]</source>
        <extracomment>vendrel-pack error. --test is an option, never translated; PACKAGE and PROJECT_FOLDER are the names the help gives the paths: use the same words.</extracomment>
        <translation>--test erwartet PAKET [PROJEKTORDNER]</translation>
    </message>
    <message>
        <source>--check and --test cannot be given together</source>
        <extracomment>Usage error of vendrel-pack; keep the options as they are.</extracomment>
        <translation>--check und --test können nicht zusammen angegeben werden</translation>
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
        <source>--exclude &apos;%1&apos;: %2</source>
        <extracomment>vendrel-pack error. --exclude is an option, never translated; %1 is the pattern given, %2 why it cannot be used.</extracomment>
        <translation>--exclude &apos;%1&apos;: %2</translation>
    </message>
    <message>
        <source>--exclude-from needs a file</source>
        <extracomment>vendrel-pack error. --exclude-from is an option, never translated.</extracomment>
        <translation>--exclude-from braucht eine Datei</translation>
    </message>
    <message>
        <source>--exclude needs a pattern</source>
        <extracomment>vendrel-pack error. --exclude is an option, never translated.</extracomment>
        <translation>--exclude braucht ein Muster</translation>
    </message>
    <message>
        <source>--exclude and --exclude-from go with --test only with a PROJECT_FOLDER</source>
        <extracomment>vendrel-pack error. --exclude, --exclude-from and --test are options, never translated; PROJECT_FOLDER is the name the help gives the path.</extracomment>
        <translation>--exclude und --exclude-from gehen mit --test nur zusammen mit einem PROJEKTORDNER</translation>
    </message>
    <message>
        <source>Usage: vendrel-pack --kind KIND [--overwrite] [--quiet] [--level N]
                    [--date WHEN] [--exclude PATTERN] PROJECT_FOLDER OUTPUT
       vendrel-pack --check [--kind KIND] [--verbose] PROJECT_FOLDER
       vendrel-pack --test [--kind KIND] PACKAGE [PROJECT_FOLDER]
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
  --exclude PATTERN, --exclude-from FILE
                 leave out what PATTERN, or a pattern of FILE, matches
  --check        write nothing; list every problem a pack of PROJECT_FOLDER
                 would meet, what it leaves out, and whether it is ready
  --verbose      with --check, also list the paths a pack leaves out
  --test         verify PACKAGE as an installer reads it (every header, entry,
                 CRC and name), and compare it with PROJECT_FOLDER when given
  --list-kinds   list the kinds with their extensions and entry names
  -h, --help     show this help
  --version      show the version

OUTPUT gets the kind&apos;s extension when its full path holds no &apos;.&apos; at all. It must
not lie directly in PROJECT_FOLDER. The package is written beside OUTPUT under a
temporary name and takes OUTPUT&apos;s place only when complete. On a terminal a
progress bar shows on standard error; when standard output is not a terminal, a
line per packed file goes there. --check without --kind checks for every kind.

Patterns are shell-style (*, ?, [...], ** for any folders), matched below
PROJECT_FOLDER with / between folders; a .vendrelignore file at its top holds
more, one a line.

With SOURCE_DATE_EPOCH set to a number of seconds since 1970 (or with --date),
every entry carries that instant in UTC instead of the time of the run, so the
same folder gives the same package, byte for byte, wherever it is packed.

Exit status: 0 success, 2 usage error, 3 destination refused, 4 project folder
cannot be packed, 5 read or write failure, 130 interrupted; --test: 0 intact
(and matching), 6 damaged, unsafe or different, 5 package unreadable.
</source>
        <extracomment>vendrel-pack&apos;s help. Keep the options (--kind, -q...), SOURCE_DATE_EPOCH, the example date and the layout as they are, and lines under 80 columns. KIND, PROJECT_FOLDER, OUTPUT, PACKAGE, N, WHEN and SECONDS may be translated, the same way everywhere (the errors use them too). %1 is the list of kind codes.</extracomment>
        <translation>Aufruf: vendrel-pack --kind TYP [--overwrite] [--quiet] [--level N]
                     [--date WANN] [--exclude MUSTER] PROJEKTORDNER ZIELDATEI
        vendrel-pack --check [--kind TYP] [--verbose] PROJEKTORDNER
        vendrel-pack --test [--kind TYP] PAKET [PROJEKTORDNER]
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
  --exclude MUSTER, --exclude-from DATEI
                 auslassen, worauf MUSTER oder ein Muster aus DATEI passt
  --check        nichts schreiben; jedes Problem auflisten, auf das ein Packen
                 von PROJEKTORDNER stieße, was es auslässt und ob er bereit ist
  --verbose      mit --check auch die Pfade auflisten, die ein Packen auslässt
  --test         PAKET so prüfen, wie ein Installationsprogramm es liest (jeden
                 Kopf, Eintrag, jede CRC und jeden Namen), und mit
                 PROJEKTORDNER vergleichen, falls angegeben
  --list-kinds   die Typen mit ihren Endungen und Eintragsnamen auflisten
  -h, --help     diese Hilfe anzeigen
  --version      die Version anzeigen

ZIELDATEI erhält die Endung des Typs, wenn ihr vollständiger Pfad überhaupt
keinen &apos;.&apos; enthält. ZIELDATEI darf nicht direkt in PROJEKTORDNER liegen. Das
Paket wird unter einem temporären Namen neben ZIELDATEI geschrieben und tritt
erst an ihre Stelle, wenn es vollständig ist. Im Terminal zeigt die
Standardfehlerausgabe einen Fortschrittsbalken; ist die Standardausgabe kein
Terminal, erhält sie eine Zeile je gepackter Datei. --check ohne --kind prüft
für jeden Typ.

Muster sind Shell-Muster (*, ?, [...], ** für beliebige Ordner), bezogen auf
Pfade unter PROJEKTORDNER mit / zwischen Ordnern; eine Datei .vendrelignore
oben darin enthält weitere, eines je Zeile.

Ist SOURCE_DATE_EPOCH auf eine Zahl von Sekunden seit 1970 gesetzt (oder
--date angegeben), trägt jeder Eintrag diesen Zeitpunkt in UTC statt der Zeit
des Laufs; derselbe Ordner ergibt so überall dasselbe Paket, Byte für Byte.

Exit-Status: 0 Erfolg, 2 Aufruffehler, 3 Ziel abgelehnt, 4 Projektordner nicht
packbar, 5 Lese- oder Schreibfehler, 130 unterbrochen; --test: 0 unversehrt
(und übereinstimmend), 6 beschädigt, unsicher oder abweichend, 5 Paket nicht
lesbar.
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
    <name>PackageTest</name>
    <message>
        <source>no end record: the package was cut short or is not a whole zip archive</source>
        <extracomment>vendrel-pack --test: the end of the zip archive is missing.</extracomment>
        <translation>kein Endeintrag: das Paket wurde abgeschnitten oder ist kein vollständiges ZIP-Archiv</translation>
    </message>
    <message>
        <source>the end record at byte %1 contradicts the rest of the package</source>
        <extracomment>vendrel-pack --test; %1 is a byte offset in the package.</extracomment>
        <translation>der Endeintrag bei Byte %1 widerspricht dem Rest des Pakets</translation>
    </message>
    <message>
        <source>the central directory is damaged at byte %1</source>
        <extracomment>vendrel-pack --test; %1 is a byte offset. The central directory is the zip archive&apos;s list of entries.</extracomment>
        <translation>das zentrale Verzeichnis ist bei Byte %1 beschädigt</translation>
    </message>
    <message>
        <source>%1 bytes before the first entry belong to no entry</source>
        <extracomment>vendrel-pack --test; %1 is a number of bytes.</extracomment>
        <translation>%1 Bytes vor dem ersten Eintrag gehören zu keinem Eintrag</translation>
    </message>
    <message>
        <source>%1 bytes at byte %2 belong to no entry</source>
        <extracomment>vendrel-pack --test; %1 is a number of bytes, %2 a byte offset.</extracomment>
        <translation>%1 Bytes bei Byte %2 gehören zu keinem Eintrag</translation>
    </message>
    <message>
        <source>%1 bytes after the end record belong to no entry</source>
        <extracomment>vendrel-pack --test; %1 is a number of bytes.</extracomment>
        <translation>%1 Bytes nach dem Endeintrag gehören zu keinem Eintrag</translation>
    </message>
    <message>
        <source>two entries overlap at byte %1</source>
        <extracomment>vendrel-pack --test; %1 is a byte offset.</extracomment>
        <translation>zwei Einträge überlappen sich bei Byte %1</translation>
    </message>
    <message>
        <source>%1: its data runs into the central directory</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name.</extracomment>
        <translation>%1: seine Daten reichen in das zentrale Verzeichnis hinein</translation>
    </message>
    <message>
        <source>%1: no local header at byte %2</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name, %2 a byte offset. The local header is the record in front of an entry&apos;s data.</extracomment>
        <translation>%1: kein lokaler Kopf bei Byte %2</translation>
    </message>
    <message>
        <source>%1: the local header&apos;s %2 differs from the central directory&apos;s</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name, %2 a field of the zip format (name, method, flags, CRC, sizes, data descriptor), never translated.</extracomment>
        <translation>%1: %2 im lokalen Kopf weicht vom zentralen Verzeichnis ab</translation>
    </message>
    <message>
        <source>%1: encrypted, so it cannot be tested</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name.</extracomment>
        <translation>%1: verschlüsselt, daher nicht prüfbar</translation>
    </message>
    <message>
        <source>%1: compression method %2 cannot be tested (only stored and deflate)</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name, %2 the number of the zip method.</extracomment>
        <translation>%1: Kompressionsmethode %2 ist nicht prüfbar (nur „stored“ und „deflate“)</translation>
    </message>
    <message>
        <source>%1: the compressed data is damaged</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name.</extracomment>
        <translation>%1: die komprimierten Daten sind beschädigt</translation>
    </message>
    <message>
        <source>%1: %2 bytes unpacked, %3 recorded</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name, %2 and %3 numbers of bytes.</extracomment>
        <translation>%1: %2 Bytes entpackt, %3 verzeichnet</translation>
    </message>
    <message>
        <source>%1: the data&apos;s CRC is %2, the package records %3</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name, %2 and %3 CRC-32 checksums in hex.</extracomment>
        <translation>%1: die CRC der Daten ist %2, das Paket verzeichnet %3</translation>
    </message>
    <message>
        <source>%1: the name is not UTF-8</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name.</extracomment>
        <translation>%1: der Name ist kein UTF-8</translation>
    </message>
    <message>
        <source>%1: unsafe name: it starts at the root of a drive</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name. It would be unpacked at the top of a drive instead of in the install folder.</extracomment>
        <translation>%1: unsicherer Name: er beginnt im Stammordner eines Laufwerks</translation>
    </message>
    <message>
        <source>%1: unsafe name: %2 names a drive</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name, %2 the drive part, such as C:.</extracomment>
        <translation>%1: unsicherer Name: %2 bezeichnet ein Laufwerk</translation>
    </message>
    <message>
        <source>%1: unsafe name: &quot;..&quot; leads out of the install folder</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name; &quot;..&quot; is a step to the parent folder.</extracomment>
        <translation>%1: unsicherer Name: „..“ führt aus dem Installationsordner hinaus</translation>
    </message>
    <message>
        <source>%1: unsafe name: %2 cannot be a file or folder name on the installing desktop</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name, %2 the part of it that the desktop the package is installed on cannot create.</extracomment>
        <translation>%1: unsicherer Name: %2 kann auf dem installierenden Desktop kein Datei- oder Ordnername sein</translation>
    </message>
    <message>
        <source>%1: unpacks as one file with %2 (the names are equal when case is ignored)</source>
        <extracomment>vendrel-pack --test; %1 and %2 are entry names. The installing desktop ignores case, so both would be unpacked as one file.</extracomment>
        <translation>%1: wird mit %2 als eine Datei entpackt (die Namen sind ohne Groß-/Kleinschreibung gleich)</translation>
    </message>
    <message>
        <source>%1 entries: a package holds at most %2</source>
        <extracomment>vendrel-pack --test; %1 is the number of entries, %2 the most a package holds.</extracomment>
        <translation>%1 Einträge: ein Paket fasst höchstens %2</translation>
    </message>
    <message>
        <source>%1: does not start with &quot;.\&quot; as the names of %2 packages do</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name, %2 a kind code (DZT...).</extracomment>
        <translation>%1: beginnt nicht mit „.\“, wie es die Namen in %2-Paketen tun</translation>
    </message>
    <message>
        <source>%1: does not start with %2 as the names of %3 packages do</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name, %2 the project folder&apos;s name, %3 a kind code (DZEP).</extracomment>
        <translation>%1: beginnt nicht mit %2, wie es die Namen in %3-Paketen tun</translation>
    </message>
    <message>
        <source>%1: starts with &quot;.\&quot;, which the names of %2 packages never do</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name, %2 a kind code (DZS).</extracomment>
        <translation>%1: beginnt mit „.\“, was Namen in %2-Paketen nie tun</translation>
    </message>
    <message>
        <source>%1: in the project folder, missing from the package</source>
        <extracomment>vendrel-pack --test with a project folder; %1 is an entry name.</extracomment>
        <translation>%1: im Projektordner, fehlt im Paket</translation>
    </message>
    <message>
        <source>%1: in the package, not in the project folder</source>
        <extracomment>vendrel-pack --test with a project folder; %1 is an entry name.</extracomment>
        <translation>%1: im Paket, nicht im Projektordner</translation>
    </message>
    <message>
        <source>%1: cannot be read from the project folder</source>
        <extracomment>vendrel-pack --test with a project folder; %1 is a file&apos;s path.</extracomment>
        <translation>%1: kann im Projektordner nicht gelesen werden</translation>
    </message>
    <message>
        <source>%1: changed (%2 in the package, %3 in the project folder)</source>
        <extracomment>vendrel-pack --test with a project folder; %1 is an entry name, %2 and %3 its size (and CRC-32 checksum) in the package and in the folder.</extracomment>
        <translation>%1: geändert (%2 im Paket, %3 im Projektordner)</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <extracomment>vendrel-pack --test error; %1 is the package&apos;s path, %2 the system&apos;s reason.</extracomment>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>%1 is not a zip archive</source>
        <extracomment>vendrel-pack --test error; %1 is the package&apos;s path.</extracomment>
        <translation>%1 ist kein ZIP-Archiv</translation>
    </message>
    <message>
        <source>Testing %1 as a %2 package</source>
        <extracomment>vendrel-pack --test, first line; %1 is the package&apos;s path, %2 its kind code (DZT...).</extracomment>
        <translation>Prüfe %1 als %2-Paket</translation>
    </message>
    <message>
        <source>Testing %1 as a plain zip archive: its extension names no package kind</source>
        <translation>Prüfe %1 als einfaches ZIP-Archiv: seine Endung nennt keinen Pakettyp</translation>
    </message>
    <message>
        <source>%1: problems found: %2</source>
        <extracomment>vendrel-pack --test, closing line; %1 is the package&apos;s path, %2 a number.</extracomment>
        <translation>%1: gefundene Probleme: %2</translation>
    </message>
    <message>
        <source>%1 is intact</source>
        <extracomment>vendrel-pack --test, closing line; %1 is the path.</extracomment>
        <translation>%1 ist unversehrt</translation>
    </message>
    <message>
        <source>%1 is intact and matches %2</source>
        <translation>%1 ist unversehrt und stimmt mit %2 überein</translation>
    </message>
    <message>
        <source>more than %1 files</source>
        <translation>mehr als %1 Dateien</translation>
    </message>
    <message>
        <source>%1 cannot be packed, so the package cannot be compared with it: %2</source>
        <extracomment>vendrel-pack --test error; %1 is the project folder&apos;s path, %2 why it cannot be packed, as a pack reports it.</extracomment>
        <translation>%1 kann nicht gepackt werden, daher kann das Paket nicht damit verglichen werden: %2</translation>
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
    <message>
        <source>Cannot read %1: %2</source>
        <extracomment>Status line; %1 is the path of the project&apos;s .vendrelignore file, %2 the system&apos;s reason.</extracomment>
        <translation>%1 kann nicht gelesen werden: %2</translation>
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
