<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>BlockReader</name>
    <message>
        <source>Cannot open &quot;%1&quot;: %2</source>
        <extracomment>%1 is a file, %2 says why it could not be opened.</extracomment>
        <translation>No se puede abrir «%1»: %2</translation>
    </message>
    <message>
        <source>Cannot read &quot;%1&quot;: %2</source>
        <extracomment>%1 is a file, %2 says why it could not be read.</extracomment>
        <translation>No se puede leer «%1»: %2</translation>
    </message>
</context>
<context>
    <name>EntryNames</name>
    <message>
        <source>the name is empty</source>
        <extracomment>vendrel-pack --check: why a name cannot go into a package.</extracomment>
        <translation>el nombre está vacío</translation>
    </message>
    <message>
        <source>holds &quot;\&quot;, which separates folders inside a package</source>
        <extracomment>vendrel-pack --check: why a name cannot go into a package. Keep &quot;&quot; as it is.</extracomment>
        <translation>contiene «\», que separa carpetas dentro de un paquete</translation>
    </message>
    <message>
        <source>holds &quot;:&quot;, which names a drive or a stream on the installing desktop</source>
        <extracomment>vendrel-pack --check: why a name cannot go into a package. Keep &quot;:&quot; as it is; the installing desktop is the computer the package is installed on.</extracomment>
        <translation>contiene «:», que designa una unidad o un flujo en el escritorio donde se instala</translation>
    </message>
    <message>
        <source>holds &quot;%1&quot;, which the installing desktop does not allow in names</source>
        <extracomment>vendrel-pack --check: why a name cannot go into a package. %1 is one of &lt; &gt; &quot; | ? *.</extracomment>
        <translation>contiene «%1», que el escritorio donde se instala no admite en los nombres</translation>
    </message>
    <message>
        <source>holds the control character %1</source>
        <extracomment>vendrel-pack --check: why a name cannot go into a package. %1 is a character code such as U+0007.</extracomment>
        <translation>contiene el carácter de control %1</translation>
    </message>
    <message>
        <source>ends in a dot, which the installing desktop drops</source>
        <extracomment>vendrel-pack --check: why a name cannot go into a package.</extracomment>
        <translation>termina en un punto, que el escritorio donde se instala elimina</translation>
    </message>
    <message>
        <source>ends in a space, which the installing desktop drops</source>
        <extracomment>vendrel-pack --check: why a name cannot go into a package.</extracomment>
        <translation>termina en un espacio, que el escritorio donde se instala elimina</translation>
    </message>
    <message>
        <source>device name %1 on the installing desktop</source>
        <extracomment>vendrel-pack --check: why a name cannot go into a package. %1 is a device name such as NUL or COM1, never translated.</extracomment>
        <translation>nombre de dispositivo %1 en el escritorio donde se instala</translation>
    </message>
</context>
<context>
    <name>Exclusions</name>
    <message>
        <source>it ends in a lone &quot;\&quot;</source>
        <extracomment>Why a pattern of a .vendrelignore file or --exclude cannot be used.</extracomment>
        <translation>termina en una «\» suelta</translation>
    </message>
    <message>
        <source>a &quot;[&quot; is never closed by &quot;]&quot;</source>
        <extracomment>Why a pattern cannot be used: &quot;[&quot; starts a set of characters, like &quot;[abc]&quot;.</extracomment>
        <translation>un «[» nunca se cierra con «]»</translation>
    </message>
    <message>
        <source>a &quot;.&quot; or &quot;..&quot; step never matches a path</source>
        <extracomment>Why a pattern cannot be used: paths below the project folder hold no &quot;.&quot; or &quot;..&quot;.</extracomment>
        <translation>un paso «.» o «..» nunca coincide con una ruta</translation>
    </message>
    <message>
        <source>taking entries back in with &quot;!&quot; is not supported (write &quot;\!&quot; for a name that starts with &quot;!&quot;)</source>
        <extracomment>Why a pattern cannot be used; keep the characters &quot;!&quot; and &quot;!&quot; as they are.</extracomment>
        <translation>no se admite volver a incluir entradas con «!» (escriba «\!» para un nombre que empieza por «!»)</translation>
    </message>
    <message>
        <source>it names nothing</source>
        <extracomment>Why a pattern cannot be used: it is empty or only &quot;/&quot;.</extracomment>
        <translation>no nombra nada</translation>
    </message>
    <message>
        <source>it is not UTF-8</source>
        <extracomment>Why a line of a .vendrelignore file or --exclude-from file cannot be used.</extracomment>
        <translation>no es UTF-8</translation>
    </message>
</context>
<context>
    <name>FolderChooser</name>
    <message>
        <source>Browse for Folder</source>
        <extracomment>Title of the folder chooser dialog.</extracomment>
        <translation>Buscar carpeta</translation>
    </message>
    <message>
        <source>Folders</source>
        <extracomment>Name of the folder tree for screen readers.</extracomment>
        <translation>Carpetas</translation>
    </message>
</context>
<context>
    <name>FolderWalk</name>
    <message>
        <source>Too many folders in %1</source>
        <extracomment>Why packing stopped: more folders than a package may take. %1 is a folder&apos;s path.</extracomment>
        <translation>Demasiadas carpetas en %1</translation>
    </message>
    <message>
        <source>Too many entries in %1</source>
        <extracomment>Why packing stopped: a folder holds more entries than are taken. %1 is its path.</extracomment>
        <translation>Demasiadas entradas en %1</translation>
    </message>
    <message>
        <source>AddFile failed on %1</source>
        <extracomment>Why packing stopped: a file or folder could not be taken. AddFile is a function name, never translated; %1 is the name of the file or folder.</extracomment>
        <translation>AddFile falló con %1</translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <extracomment>vendrel-pack --check: why a file or folder cannot be packed; %1 is the system&apos;s reason.</extracomment>
        <translation>no se puede leer: %1</translation>
    </message>
    <message>
        <source>is a link to a file or folder that is not there</source>
        <extracomment>vendrel-pack --check: a symbolic link whose target is missing.</extracomment>
        <translation>es un enlace a un archivo o una carpeta que no existe</translation>
    </message>
    <message>
        <source>is not a folder</source>
        <extracomment>vendrel-pack --check: the project folder is missing.</extracomment>
        <translation>no es una carpeta</translation>
    </message>
    <message>
        <source>not UTF-8</source>
        <extracomment>vendrel-pack --check: why a name cannot go into a package.</extracomment>
        <translation>no es UTF-8</translation>
    </message>
    <message>
        <source>is one sub-folder more than the %1 a package takes; the check stopped here</source>
        <extracomment>vendrel-pack --check: the walk stopped at a folder past the limit; %1 is the most sub-folders a package takes.</extracomment>
        <translation>es una subcarpeta más de las %1 que admite un paquete; la comprobación se detuvo aquí</translation>
    </message>
    <message>
        <source>holds more than %1 files and folders, the most a package takes from one folder</source>
        <extracomment>vendrel-pack --check: a folder over the limit; %1 is the most entries taken from one folder (files and folders, not counting &quot;.&quot; and &quot;..&quot;).</extracomment>
        <translation>contiene más de %1 archivos y carpetas, el máximo que un paquete toma de una carpeta</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>E&amp;XIT</source>
        <extracomment>Button, 89 px wide; keep it short. &quot;&amp;&quot; marks the access key (Alt+X in English).</extracomment>
        <translation>&amp;SALIR</translation>
    </message>
    <message>
        <source>Visit Us</source>
        <extracomment>Tooltip of the top banner, a link to the makers&apos; website with free templates.</extracomment>
        <translation>Visítenos</translation>
    </message>
    <message>
        <source>Free templates banner</source>
        <extracomment>Name of the top banner for screen readers.</extracomment>
        <translation>Banner de plantillas gratuitas</translation>
    </message>
    <message>
        <source>&amp;Cancel Process</source>
        <extracomment>Button, 113 px wide; keep it short. Stops the packing that is going on. &quot;&amp;&quot; marks the access key.</extracomment>
        <translation>&amp;Cancelar</translation>
    </message>
    <message>
        <source>Please Click Here And Surprise Me :)</source>
        <extracomment>Tooltip of the lower banner, a link to the page where users can support the makers.</extracomment>
        <translation>Haga clic aquí y sorpréndame :)</translation>
    </message>
    <message>
        <source>Support us banner</source>
        <extracomment>Name of the lower banner for screen readers.</extracomment>
        <translation>Banner para apoyarnos</translation>
    </message>
    <message>
        <source>Packing progress</source>
        <extracomment>Name of the progress bar for screen readers.</extracomment>
        <translation>Progreso del empaquetado</translation>
    </message>
    <message>
        <source>RESULTS</source>
        <extracomment>Frame title around the status line, 513 px wide.</extracomment>
        <translation>RESULTADOS</translation>
    </message>
    <message>
        <source>Status</source>
        <extracomment>Name of the status line for screen readers.</extracomment>
        <translation>Estado</translation>
    </message>
    <message>
        <source>Browse To Project Folder</source>
        <extracomment>Frame title, 521 px wide, over the project folder field and the Browse button.</extracomment>
        <translation>Seleccione la carpeta del proyecto</translation>
    </message>
    <message>
        <source>Project folder</source>
        <extracomment>Name of the project folder field for screen readers.</extracomment>
        <translation>Carpeta del proyecto</translation>
    </message>
    <message>
        <source>The project folder to pack: choose it with Browse, or drop a folder from your file manager anywhere on this window.</source>
        <extracomment>Tooltip of the project folder field. &quot;Browse&quot; is the button beside it: use its translation.</extracomment>
        <translation>La carpeta del proyecto que se va a empaquetar: elíjala con Examinar o suelte una carpeta desde su gestor de archivos en cualquier parte de esta ventana.</translation>
    </message>
    <message>
        <source>Browse</source>
        <extracomment>Button, 65 px wide; keep it very short. Opens the folder chooser.</extracomment>
        <translation>Examinar</translation>
    </message>
    <message>
        <source>Choose the template project folder</source>
        <extracomment>Description of the Browse button for screen readers.</extracomment>
        <translation>Elija la carpeta del proyecto de la plantilla</translation>
    </message>
    <message>
        <source>For FREE Templates pay us a visit by clicking on our banner :)</source>
        <extracomment>The status line&apos;s first text, 489 px wide and two lines high. The banner is the picture at the top of the window.</extracomment>
        <translation>Para obtener plantillas GRATIS, visítenos haciendo clic en nuestro banner :)</translation>
    </message>
    <message>
        <source>Please select a folder:</source>
        <extracomment>The text over the folder tree in the folder chooser.</extracomment>
        <translation>Seleccione una carpeta:</translation>
    </message>
    <message>
        <source>Canceled</source>
        <extracomment>Shown in the project folder field when the folder chooser was cancelled.</extracomment>
        <translation>Cancelado</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a folder on this computer</source>
        <extracomment>Status line, when the folder given to the vendrel command is on another computer (an sftp:// address...); %1 is what was given.</extracomment>
        <translation>«%1» no es una carpeta de este equipo</translation>
    </message>
    <message>
        <source>&quot;%1&quot; does not exist</source>
        <extracomment>Status line, when the folder given to the vendrel command does not exist; %1 is what was given.</extracomment>
        <translation>«%1» no existe</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a folder</source>
        <extracomment>Status line, when a file was given to the vendrel command instead of a folder; %1 is what was given.</extracomment>
        <translation>«%1» no es una carpeta</translation>
    </message>
</context>
<context>
    <name>PackCheck</name>
    <message numerus="yes">
        <source>Note: %n hidden entries (names that begin with &quot;.&quot;) left out</source>
        <extracomment>vendrel-pack --check: a note, not a problem. %n is a count.</extracomment>
        <translation>
            <numerusform>Nota: se omitió %n entrada oculta (nombre que empieza por «.»)</numerusform>
            <numerusform>Nota: se omitieron %n entradas ocultas (nombres que empiezan por «.»)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Note: %n named pipes, sockets or devices skipped</source>
        <extracomment>vendrel-pack --check: a note, not a problem. %n is a count.</extracomment>
        <translation>
            <numerusform>Nota: se omitió %n tubería con nombre, socket o dispositivo</numerusform>
            <numerusform>Nota: se omitieron %n tuberías con nombre, sockets o dispositivos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Note: %n links back into a folder being walked not followed</source>
        <extracomment>vendrel-pack --check: a note, not a problem. %n is a count of symbolic links that lead back to a folder the walk is in, which would make it endless.</extracomment>
        <translation>
            <numerusform>Nota: no se siguió %n enlace que vuelve a una carpeta en recorrido</numerusform>
            <numerusform>Nota: no se siguieron %n enlaces que vuelven a una carpeta en recorrido</numerusform>
        </translation>
    </message>
    <message>
        <source>Check canceled</source>
        <extracomment>vendrel-pack --check after Ctrl-C.</extracomment>
        <translation>Comprobación cancelada</translation>
    </message>
    <message>
        <source> (only for DZEP packages, whose entries begin with the folder&apos;s name)</source>
        <extracomment>vendrel-pack --check, after a problem with the project folder&apos;s own name. DZEP is a kind code, never translated.</extracomment>
        <translation> (solo para paquetes DZEP, cuyas entradas empiezan por el nombre de la carpeta)</translation>
    </message>
    <message numerus="yes">
        <source>%n files found</source>
        <extracomment>vendrel-pack --check&apos;s closing line, part %2 below: %n is a count of files.</extracomment>
        <translation>
            <numerusform>%n archivo encontrado</numerusform>
            <numerusform>%n archivos encontrados</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n entries</source>
        <extracomment>vendrel-pack --check&apos;s closing line, part %3 below: %n is a count of entries.</extracomment>
        <translation>
            <numerusform>%n entrada</numerusform>
            <numerusform>%n entradas</numerusform>
        </translation>
    </message>
    <message>
        <source>ready to pack</source>
        <extracomment>vendrel-pack --check&apos;s closing line, its end: the folder can be packed as it is.</extracomment>
        <translation>lista para empaquetar</translation>
    </message>
    <message numerus="yes">
        <source>%n problems</source>
        <extracomment>vendrel-pack --check&apos;s closing line, its end: %n is a count of problems.</extracomment>
        <translation>
            <numerusform>%n problema</numerusform>
            <numerusform>%n problemas</numerusform>
        </translation>
    </message>
    <message>
        <source>Checked %1: %2; the package would hold %3 (%4); %5</source>
        <extracomment>vendrel-pack --check&apos;s closing line. %1 is the project folder, %2 the files found, %3 the entries the package would hold, %4 their size, %5 &quot;ready to pack&quot; or the problems.</extracomment>
        <translation>Comprobada %1: %2; el paquete contendría %3 (%4); %5</translation>
    </message>
    <message numerus="yes">
        <source>Note: %n entries left out by exclusion patterns</source>
        <extracomment>vendrel-pack --check: a note, not a problem. %n is a count of files and folders that match a pattern of .vendrelignore, --exclude or --exclude-from (a folder counts once, with everything in it).</extracomment>
        <translation>
            <numerusform>Nota: %n entrada omitida por patrones de exclusión</numerusform>
            <numerusform>Nota: %n entradas omitidas por patrones de exclusión</numerusform>
        </translation>
    </message>
    <message>
        <source>Note: %1</source>
        <extracomment>vendrel-pack --check: a note, not a problem; %1 says which line of .vendrelignore cannot be used and why, and that it is ignored.</extracomment>
        <translation>Nota: %1</translation>
    </message>
</context>
<context>
    <name>PackCli</name>
    <message>
        <source>Try &apos;vendrel-pack --help&apos; for more information.</source>
        <extracomment>Second line of every usage error of vendrel-pack; keep the command as it is.</extracomment>
        <translation>Pruebe «vendrel-pack --help» para más información.</translation>
    </message>
</context>
<context>
    <name>PackDestination</name>
    <message>
        <source>%1 is a folder</source>
        <extracomment>vendrel-pack error; %1 is the output path in quotes, which names a folder.</extracomment>
        <translation>%1 es una carpeta</translation>
    </message>
    <message>
        <source>%1 is not an ordinary file</source>
        <extracomment>vendrel-pack error; %1 is the output path in quotes (a device or a pipe).</extracomment>
        <translation>%1 no es un archivo normal</translation>
    </message>
    <message>
        <source>%1 already exists; use --overwrite to replace it</source>
        <extracomment>vendrel-pack error; %1 is the output path in quotes. --overwrite is an option, never translated.</extracomment>
        <translation>%1 ya existe; use --overwrite para reemplazarlo</translation>
    </message>
    <message>
        <source>Project folder not found: &quot;%1&quot;</source>
        <extracomment>vendrel-pack error; %1 is the project folder&apos;s path.</extracomment>
        <translation>No se encontró la carpeta del proyecto: «%1»</translation>
    </message>
    <message>
        <source>Destination folder not found: &quot;%1&quot;</source>
        <extracomment>vendrel-pack error; %1 is the folder the package was to be written into.</extracomment>
        <translation>No se encontró la carpeta de destino: «%1»</translation>
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
        <translation>--exclude-from %1, línea %2: %3</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <extracomment>vendrel-pack error; %1 is the path of the project&apos;s .vendrelignore file, %2 the system&apos;s reason. Packing it without its patterns would pack what it leaves out.</extracomment>
        <translation>no se puede leer %1: %2</translation>
    </message>
    <message>
        <source>%1 line %2: %3; the line is ignored</source>
        <extracomment>vendrel-pack warning; %1 is the file&apos;s name (.vendrelignore), %2 a line number, %3 why the line cannot be used. The pack goes on without the line.</extracomment>
        <translation>%1, línea %2: %3; se omite la línea</translation>
    </message>
</context>
<context>
    <name>PackJob</name>
    <message>
        <source>cannot be read: %1</source>
        <extracomment>vendrel-pack --check: why a file cannot be packed; %1 is the system&apos;s reason.</extracomment>
        <translation>no se puede leer: %1</translation>
    </message>
    <message>
        <source>is one file more than the %1 a package holds; later files are not counted</source>
        <extracomment>vendrel-pack --check: the first file past the limit; %1 is the most files a package holds.</extracomment>
        <translation>es un archivo más de los %1 que admite un paquete; los archivos posteriores no se cuentan</translation>
    </message>
    <message>
        <source>has the same name as %1 once case is ignored; the installing desktop would unpack them as one</source>
        <extracomment>vendrel-pack --check: two names that differ only in case; %1 is the other file&apos;s path. The installing desktop is the computer the package is installed on.</extracomment>
        <translation>tiene el mismo nombre que %1 sin distinguir mayúsculas y minúsculas; el escritorio donde se instala los desempaquetaría como uno solo</translation>
    </message>
</context>
<context>
    <name>PackOptions</name>
    <message>
        <source>unknown kind &apos;%1&apos; (one of %2)</source>
        <extracomment>vendrel-pack error; %1 is what was given, %2 the list of kind codes (DZEP, DZT...).</extracomment>
        <translation>tipo desconocido «%1» (uno de %2)</translation>
    </message>
    <message>
        <source>--kind given twice with different kinds</source>
        <extracomment>vendrel-pack error. --kind is an option, never translated.</extracomment>
        <translation>--kind se indicó dos veces con tipos distintos</translation>
    </message>
    <message>
        <source>--kind needs a kind code (one of %1)</source>
        <extracomment>vendrel-pack error. --kind is an option, never translated; %1 lists the kind codes.</extracomment>
        <translation>--kind necesita un código de tipo (uno de %1)</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <extracomment>vendrel-pack error; %1 is the option given.</extracomment>
        <translation>opción desconocida «%1»</translation>
    </message>
    <message>
        <source>missing --kind (one of %1)</source>
        <extracomment>vendrel-pack error. --kind is an option, never translated; %1 lists the kind codes.</extracomment>
        <translation>falta --kind (uno de %1)</translation>
    </message>
    <message>
        <source>expected PROJECT_FOLDER and OUTPUT</source>
        <extracomment>vendrel-pack error. PROJECT_FOLDER and OUTPUT are the names the help gives the two paths: use the same words as its translation.</extracomment>
        <translation>se esperaban CARPETA_PROYECTO y DESTINO</translation>
    </message>
    <message>
        <source>too many arguments: &apos;%1&apos;</source>
        <extracomment>vendrel-pack error; %1 is the arguments left over.</extracomment>
        <translation>demasiados argumentos: «%1»</translation>
    </message>
    <message>
        <source>an empty path was given</source>
        <extracomment>vendrel-pack error.</extracomment>
        <translation>se indicó una ruta vacía</translation>
    </message>
    <message>
        <source>argument %1 is not valid UTF-8: &apos;%2&apos;</source>
        <extracomment>vendrel-pack error; %1 is the argument&apos;s number, %2 the argument as read.</extracomment>
        <translation>el argumento %1 no es UTF-8 válido: «%2»</translation>
    </message>
    <message>
        <source>--check expects one PROJECT_FOLDER and no OUTPUT</source>
        <extracomment>vendrel-pack error. --check is an option, never translated; PROJECT_FOLDER is the name the help gives the path: use the same word as its translation.</extracomment>
        <translation>--check espera una CARPETA_PROYECTO y ningún DESTINO</translation>
    </message>
    <message>
        <source>--verbose goes only with --check</source>
        <extracomment>vendrel-pack error. --verbose and --check are options, never translated.</extracomment>
        <translation>--verbose solo se usa junto con --check</translation>
    </message>
    <message>
        <source>--test expects PACKAGE [PROJECT_FOLDER]</source>
        <extracomment>vendrel-pack error. --test is an option, never translated; PACKAGE and PROJECT_FOLDER are the names the help gives the paths: use the same words.</extracomment>
        <translation>--test espera PAQUETE [CARPETA_PROYECTO]</translation>
    </message>
    <message>
        <source>--check and --test cannot be given together</source>
        <extracomment>Usage error of vendrel-pack; keep the options as they are.</extracomment>
        <translation>--check y --test no se pueden indicar juntos</translation>
    </message>
    <message>
        <source>--level &apos;%1&apos; is not a level from 0 to 9</source>
        <extracomment>vendrel-pack error. --level is an option, never translated; %1 is what was given.</extracomment>
        <translation>--level «%1» no es un nivel de 0 a 9</translation>
    </message>
    <message>
        <source>--date &apos;%1&apos; names no such date or time</source>
        <extracomment>vendrel-pack error. --date is an option, never translated; %1 is what was given, in the right form but a day or time that does not exist (2024-02-30, 25:00).</extracomment>
        <translation>--date «%1» indica una fecha o una hora que no existe</translation>
    </message>
    <message>
        <source>--date &apos;%1&apos; is not a date and time such as 2024-05-01T12:00:00Z, or @SECONDS</source>
        <extracomment>vendrel-pack error. --date is an option, never translated; %1 is what was given. Keep the example and @SECONDS as they are (SECONDS may be translated as in the help).</extracomment>
        <translation>--date «%1» no es una fecha y hora como 2024-05-01T12:00:00Z, ni @SEGUNDOS</translation>
    </message>
    <message>
        <source>--level needs a level from 0 to 9</source>
        <extracomment>vendrel-pack error. --level is an option, never translated.</extracomment>
        <translation>--level necesita un nivel de 0 a 9</translation>
    </message>
    <message>
        <source>--date needs a date and time such as 2024-05-01T12:00:00Z, or @SECONDS</source>
        <extracomment>vendrel-pack error. --date is an option, never translated. Keep the example and @SECONDS as they are (SECONDS may be translated as in the help).</extracomment>
        <translation>--date necesita una fecha y hora como 2024-05-01T12:00:00Z, o @SEGUNDOS</translation>
    </message>
    <message>
        <source>SOURCE_DATE_EPOCH &apos;%1&apos; is not a whole number of seconds since 1970-01-01 00:00:00 UTC; unset it or give --date</source>
        <extracomment>vendrel-pack error. SOURCE_DATE_EPOCH is an environment variable and --date an option, never translated; %1 is the variable&apos;s value.</extracomment>
        <translation>SOURCE_DATE_EPOCH «%1» no es un número entero de segundos desde 1970-01-01 00:00:00 UTC; elimine la variable o indique --date</translation>
    </message>
    <message>
        <source>--exclude &apos;%1&apos;: %2</source>
        <extracomment>vendrel-pack error. --exclude is an option, never translated; %1 is the pattern given, %2 why it cannot be used.</extracomment>
        <translation>--exclude &apos;%1&apos;: %2</translation>
    </message>
    <message>
        <source>--exclude-from needs a file</source>
        <extracomment>vendrel-pack error. --exclude-from is an option, never translated.</extracomment>
        <translation>--exclude-from necesita un archivo</translation>
    </message>
    <message>
        <source>--exclude needs a pattern</source>
        <extracomment>vendrel-pack error. --exclude is an option, never translated.</extracomment>
        <translation>--exclude necesita un patrón</translation>
    </message>
    <message>
        <source>--exclude and --exclude-from go with --test only with a PROJECT_FOLDER</source>
        <extracomment>vendrel-pack error. --exclude, --exclude-from and --test are options, never translated; PROJECT_FOLDER is the name the help gives the path.</extracomment>
        <translation>--exclude y --exclude-from van con --test solo junto con una CARPETA_PROYECTO</translation>
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
        <translation>Uso: vendrel-pack --kind TIPO [--overwrite] [--quiet] [--level N]
                  [--date CUÁNDO] [--exclude PATRÓN] CARPETA_PROYECTO DESTINO
     vendrel-pack --check [--kind TIPO] [--verbose] CARPETA_PROYECTO
     vendrel-pack --test [--kind TIPO] PAQUETE [CARPETA_PROYECTO]
     vendrel-pack --list-kinds | --help | --version

Empaqueta CARPETA_PROYECTO, con todas sus subcarpetas, en el paquete de
plantilla DESTINO, exactamente como lo hace la ventana de Vendrel con la misma
carpeta y el mismo tipo.

  --kind TIPO    tipo de paquete, uno de %1
                 (en mayúsculas o minúsculas)
  --overwrite    reemplaza DESTINO si existe (de lo contrario, se rechaza)
  -q, --quiet    no muestra nada salvo los errores
  --level N, -N  nivel de compresión: 0 almacena cada archivo tal cual, 1 es el
                 más rápido y 9 el más pequeño (por omisión: el nivel de zlib)
  --date CUÁNDO  pone CUÁNDO como fecha de cada entrada: una fecha y hora
                 ISO 8601, en UTC salvo que indique su zona
                 (2024-05-01T12:00:00+02:00), o @SEGUNDOS desde 1970;
                 prevalece sobre SOURCE_DATE_EPOCH
  --exclude PATRÓN, --exclude-from ARCHIVO
                 omite lo que coincide con PATRÓN o con un patrón de ARCHIVO
  --check        no escribe nada; enumera cada problema que encontraría el
                 empaquetado de CARPETA_PROYECTO, lo que omite y si está lista
  --verbose      con --check, enumera también las rutas que se omiten
  --test         comprueba PAQUETE tal como lo lee un instalador (cada
                 cabecera, entrada, CRC y nombre) y lo compara con
                 CARPETA_PROYECTO si se indica
  --list-kinds   enumera los tipos con sus extensiones y nombres de entrada
  -h, --help     muestra esta ayuda
  --version      muestra la versión

DESTINO recibe la extensión del tipo cuando su ruta completa no contiene
ningún «.». No debe estar directamente en CARPETA_PROYECTO. El paquete se
escribe junto a DESTINO con un nombre temporal y ocupa el lugar de DESTINO
solo cuando está completo. En un terminal se muestra una barra de progreso en
la salida de error estándar; cuando la salida estándar no es un terminal, se
escribe en ella una línea por cada archivo empaquetado. --check sin --kind
comprueba para todos los tipos.

Los patrones son del shell (*, ?, [...], ** para cualquier carpeta) y se
comparan con las rutas bajo CARPETA_PROYECTO, con / entre carpetas; un archivo
.vendrelignore en su raíz contiene más, uno por línea.

Con SOURCE_DATE_EPOCH definida como un número de segundos desde 1970 (o con
--date), cada entrada lleva ese instante en UTC en lugar de la hora de la
ejecución, de modo que la misma carpeta da el mismo paquete, byte a byte,
dondequiera que se empaquete.

Código de salida: 0 éxito, 2 error de uso, 3 destino rechazado, 4 no se puede
empaquetar la carpeta del proyecto, 5 error de lectura o escritura,
130 interrumpido; --test: 0 intacto (y coincidente), 6 dañado, peligroso o
distinto, 5 paquete ilegible.
</translation>
    </message>
</context>
<context>
    <name>PackReport</name>
    <message>
        <source>%1 left</source>
        <extracomment>vendrel-pack&apos;s progress bar: the time still needed, %1 as 1:05 or --:-- while unknown. Keep it short.</extracomment>
        <translation>quedan %1</translation>
    </message>
    <message>
        <source>Packed %1 as %2</source>
        <extracomment>vendrel-pack&apos;s line per packed file; %1 is the file&apos;s path, %2 its name in the package.</extracomment>
        <translation>Empaquetado %1 como %2</translation>
    </message>
    <message numerus="yes">
        <source>Success: %n files (%2) packed into %3 (%4) in %5 s</source>
        <extracomment>vendrel-pack&apos;s last line. %n is the number of files, %2 their size, %3 the package&apos;s path, %4 its size, %5 the seconds taken; &quot;s&quot; is the unit second.</extracomment>
        <translation>
            <numerusform>Completado: %n archivo (%2) empaquetado en %3 (%4) en %5 s</numerusform>
            <numerusform>Completado: %n archivos (%2) empaquetados en %3 (%4) en %5 s</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PackRun</name>
    <message>
        <source>%1 failed: %2</source>
        <extracomment>vendrel-pack error. %1 is the name of the step that failed (a function name such as OpenZip or Rename: never translated), %2 says why.</extracomment>
        <translation>%1 falló: %2</translation>
    </message>
    <message>
        <source>Too many files for one package in %1: more than %2</source>
        <extracomment>vendrel-pack error; %1 is the project folder, %2 the most files a package holds.</extracomment>
        <translation>Demasiados archivos para un solo paquete en %1: más de %2</translation>
    </message>
    <message>
        <source>Walking the project folder failed in %1: %2</source>
        <extracomment>vendrel-pack error; %1 is a folder, %2 says what failed there.</extracomment>
        <translation>Error al recorrer la carpeta del proyecto en %1: %2</translation>
    </message>
    <message>
        <source>%1 appeared while packing and was not replaced; use --overwrite to replace it</source>
        <extracomment>vendrel-pack error; %1 is the output path. --overwrite is an option, never translated.</extracomment>
        <translation>%1 apareció durante el empaquetado y no se reemplazó; use --overwrite para reemplazarlo</translation>
    </message>
    <message>
        <source>the file grew while it was being packed</source>
        <extracomment>vendrel-pack error, after &quot;ReadFile failed on FILE: &quot;.</extracomment>
        <translation>el archivo creció mientras se empaquetaba</translation>
    </message>
    <message>
        <source>the file changed while it was being packed (%1 bytes listed, %2 read)</source>
        <extracomment>vendrel-pack error, after &quot;ReadFile failed on FILE: &quot;; %1 and %2 are byte counts.</extracomment>
        <translation>el archivo cambió mientras se empaquetaba (%1 bytes previstos, %2 leídos)</translation>
    </message>
    <message>
        <source>%1 failed on %2: %3</source>
        <extracomment>vendrel-pack error. %1 is the name of the step that failed (a function name such as ReadFile: never translated), %2 the file, %3 says why.</extracomment>
        <translation>%1 falló con %2: %3</translation>
    </message>
    <message>
        <source>%1 failed on %2: %3(error %4 writing %5)</source>
        <extracomment>vendrel-pack error. %1 is the name of the step that failed (a function name such as WriteBytes: never translated), %2 the package, %3 the system&apos;s reason followed by a space (or nothing), %4 the error code, %5 the file being written.</extracomment>
        <translation>%1 falló con %2: %3(error %4 al escribir %5)</translation>
    </message>
    <message>
        <source>Canceled; %1 was left as it was</source>
        <extracomment>vendrel-pack after Ctrl-C; %1 is the old package, kept unchanged.</extracomment>
        <translation>Cancelado; %1 se dejó como estaba</translation>
    </message>
    <message>
        <source>Canceled; %1 was not written</source>
        <extracomment>vendrel-pack after Ctrl-C; %1 is the package that was not made.</extracomment>
        <translation>Cancelado; %1 no se escribió</translation>
    </message>
</context>
<context>
    <name>PackagePaths</name>
    <message>
        <source>You cannot create the Installation File in the Project Folder!</source>
        <extracomment>First line of a warning (message box, and an error of vendrel-pack) when the package was to be written into the project folder itself. &quot;Installation File&quot; is the package.</extracomment>
        <translation>¡No puede crear el archivo de instalación en la carpeta del proyecto!</translation>
    </message>
    <message>
        <source>Please Choose Another Destination Folder</source>
        <extracomment>Second line of the warning about the package in the project folder.</extracomment>
        <translation>Elija otra carpeta de destino</translation>
    </message>
</context>
<context>
    <name>PackageTest</name>
    <message>
        <source>no end record: the package was cut short or is not a whole zip archive</source>
        <extracomment>vendrel-pack --test: the end of the zip archive is missing.</extracomment>
        <translation>no hay registro final: el paquete está cortado o no es un archivo zip completo</translation>
    </message>
    <message>
        <source>the end record at byte %1 contradicts the rest of the package</source>
        <extracomment>vendrel-pack --test; %1 is a byte offset in the package.</extracomment>
        <translation>el registro final en el byte %1 contradice el resto del paquete</translation>
    </message>
    <message>
        <source>the central directory is damaged at byte %1</source>
        <extracomment>vendrel-pack --test; %1 is a byte offset. The central directory is the zip archive&apos;s list of entries.</extracomment>
        <translation>el directorio central está dañado en el byte %1</translation>
    </message>
    <message>
        <source>%1 bytes before the first entry belong to no entry</source>
        <extracomment>vendrel-pack --test; %1 is a number of bytes.</extracomment>
        <translation>%1 bytes antes de la primera entrada no pertenecen a ninguna entrada</translation>
    </message>
    <message>
        <source>%1 bytes at byte %2 belong to no entry</source>
        <extracomment>vendrel-pack --test; %1 is a number of bytes, %2 a byte offset.</extracomment>
        <translation>%1 bytes en el byte %2 no pertenecen a ninguna entrada</translation>
    </message>
    <message>
        <source>%1 bytes after the end record belong to no entry</source>
        <extracomment>vendrel-pack --test; %1 is a number of bytes.</extracomment>
        <translation>%1 bytes después del registro final no pertenecen a ninguna entrada</translation>
    </message>
    <message>
        <source>two entries overlap at byte %1</source>
        <extracomment>vendrel-pack --test; %1 is a byte offset.</extracomment>
        <translation>dos entradas se solapan en el byte %1</translation>
    </message>
    <message>
        <source>%1: its data runs into the central directory</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name.</extracomment>
        <translation>%1: sus datos invaden el directorio central</translation>
    </message>
    <message>
        <source>%1: no local header at byte %2</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name, %2 a byte offset. The local header is the record in front of an entry&apos;s data.</extracomment>
        <translation>%1: no hay cabecera local en el byte %2</translation>
    </message>
    <message>
        <source>%1: the local header&apos;s %2 differs from the central directory&apos;s</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name, %2 a field of the zip format (name, method, flags, CRC, sizes, data descriptor), never translated.</extracomment>
        <translation>%1: el campo %2 de la cabecera local difiere del directorio central</translation>
    </message>
    <message>
        <source>%1: encrypted, so it cannot be tested</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name.</extracomment>
        <translation>%1: está cifrado, así que no se puede comprobar</translation>
    </message>
    <message>
        <source>%1: compression method %2 cannot be tested (only stored and deflate)</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name, %2 the number of the zip method.</extracomment>
        <translation>%1: el método de compresión %2 no se puede comprobar (solo «stored» y «deflate»)</translation>
    </message>
    <message>
        <source>%1: the compressed data is damaged</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name.</extracomment>
        <translation>%1: los datos comprimidos están dañados</translation>
    </message>
    <message>
        <source>%1: %2 bytes unpacked, %3 recorded</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name, %2 and %3 numbers of bytes.</extracomment>
        <translation>%1: %2 bytes descomprimidos, %3 registrados</translation>
    </message>
    <message>
        <source>%1: the data&apos;s CRC is %2, the package records %3</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name, %2 and %3 CRC-32 checksums in hex.</extracomment>
        <translation>%1: el CRC de los datos es %2, el paquete registra %3</translation>
    </message>
    <message>
        <source>%1: the name is not UTF-8</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name.</extracomment>
        <translation>%1: el nombre no está en UTF-8</translation>
    </message>
    <message>
        <source>%1: unsafe name: it starts at the root of a drive</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name. It would be unpacked at the top of a drive instead of in the install folder.</extracomment>
        <translation>%1: nombre peligroso: empieza en la raíz de una unidad</translation>
    </message>
    <message>
        <source>%1: unsafe name: %2 names a drive</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name, %2 the drive part, such as C:.</extracomment>
        <translation>%1: nombre peligroso: %2 designa una unidad</translation>
    </message>
    <message>
        <source>%1: unsafe name: &quot;..&quot; leads out of the install folder</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name; &quot;..&quot; is a step to the parent folder.</extracomment>
        <translation>%1: nombre peligroso: «..» sale de la carpeta de instalación</translation>
    </message>
    <message>
        <source>%1: unsafe name: %2 cannot be a file or folder name on the installing desktop</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name, %2 the part of it that the desktop the package is installed on cannot create.</extracomment>
        <translation>%1: nombre peligroso: %2 no puede ser nombre de archivo ni de carpeta en el escritorio que lo instala</translation>
    </message>
    <message>
        <source>%1: unpacks as one file with %2 (the names are equal when case is ignored)</source>
        <extracomment>vendrel-pack --test; %1 and %2 are entry names. The installing desktop ignores case, so both would be unpacked as one file.</extracomment>
        <translation>%1: se descomprime como un mismo archivo con %2 (los nombres coinciden sin distinguir mayúsculas)</translation>
    </message>
    <message>
        <source>%1 entries: a package holds at most %2</source>
        <extracomment>vendrel-pack --test; %1 is the number of entries, %2 the most a package holds.</extracomment>
        <translation>%1 entradas: un paquete admite como máximo %2</translation>
    </message>
    <message>
        <source>%1: does not start with &quot;.\&quot; as the names of %2 packages do</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name, %2 a kind code (DZT...).</extracomment>
        <translation>%1: no empieza por «.\» como los nombres de los paquetes %2</translation>
    </message>
    <message>
        <source>%1: does not start with %2 as the names of %3 packages do</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name, %2 the project folder&apos;s name, %3 a kind code (DZEP).</extracomment>
        <translation>%1: no empieza por %2 como los nombres de los paquetes %3</translation>
    </message>
    <message>
        <source>%1: starts with &quot;.\&quot;, which the names of %2 packages never do</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name, %2 a kind code (DZS).</extracomment>
        <translation>%1: empieza por «.\», cosa que los nombres de los paquetes %2 nunca hacen</translation>
    </message>
    <message>
        <source>%1: in the project folder, missing from the package</source>
        <extracomment>vendrel-pack --test with a project folder; %1 is an entry name.</extracomment>
        <translation>%1: está en la carpeta del proyecto y falta en el paquete</translation>
    </message>
    <message>
        <source>%1: in the package, not in the project folder</source>
        <extracomment>vendrel-pack --test with a project folder; %1 is an entry name.</extracomment>
        <translation>%1: está en el paquete y no en la carpeta del proyecto</translation>
    </message>
    <message>
        <source>%1: cannot be read from the project folder</source>
        <extracomment>vendrel-pack --test with a project folder; %1 is a file&apos;s path.</extracomment>
        <translation>%1: no se puede leer en la carpeta del proyecto</translation>
    </message>
    <message>
        <source>%1: changed (%2 in the package, %3 in the project folder)</source>
        <extracomment>vendrel-pack --test with a project folder; %1 is an entry name, %2 and %3 its size (and CRC-32 checksum) in the package and in the folder.</extracomment>
        <translation>%1: ha cambiado (%2 en el paquete, %3 en la carpeta del proyecto)</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <extracomment>vendrel-pack --test error; %1 is the package&apos;s path, %2 the system&apos;s reason.</extracomment>
        <translation>no se puede leer %1: %2</translation>
    </message>
    <message>
        <source>%1 is not a zip archive</source>
        <extracomment>vendrel-pack --test error; %1 is the package&apos;s path.</extracomment>
        <translation>%1 no es un archivo zip</translation>
    </message>
    <message>
        <source>Testing %1 as a %2 package</source>
        <extracomment>vendrel-pack --test, first line; %1 is the package&apos;s path, %2 its kind code (DZT...).</extracomment>
        <translation>Comprobando %1 como paquete %2</translation>
    </message>
    <message>
        <source>Testing %1 as a plain zip archive: its extension names no package kind</source>
        <translation>Comprobando %1 como archivo zip sin más: su extensión no designa ningún tipo de paquete</translation>
    </message>
    <message>
        <source>%1: problems found: %2</source>
        <extracomment>vendrel-pack --test, closing line; %1 is the package&apos;s path, %2 a number.</extracomment>
        <translation>%1: problemas encontrados: %2</translation>
    </message>
    <message>
        <source>%1 is intact</source>
        <extracomment>vendrel-pack --test, closing line; %1 is the path.</extracomment>
        <translation>%1 está intacto</translation>
    </message>
    <message>
        <source>%1 is intact and matches %2</source>
        <translation>%1 está intacto y coincide con %2</translation>
    </message>
    <message>
        <source>more than %1 files</source>
        <translation>más de %1 archivos</translation>
    </message>
    <message>
        <source>%1 cannot be packed, so the package cannot be compared with it: %2</source>
        <extracomment>vendrel-pack --test error; %1 is the project folder&apos;s path, %2 why it cannot be packed, as a pack reports it.</extracomment>
        <translation>%1 no se puede empaquetar, así que el paquete no se puede comparar con ella: %2</translation>
    </message>
</context>
<context>
    <name>Packer</name>
    <message>
        <source>Too many files: %1 (a package holds at most %2)</source>
        <extracomment>Status line. %1 is the number of files found so far, %2 the most a package holds.</extracomment>
        <translation>Demasiados archivos: %1 (un paquete admite como máximo %2)</translation>
    </message>
    <message>
        <source>Packing %1</source>
        <extracomment>Status line while a file is being packed; %1 is the file&apos;s path.</extracomment>
        <translation>Empaquetando %1</translation>
    </message>
    <message>
        <source>Packed %1</source>
        <extracomment>Status line once a file is packed; %1 is the file&apos;s path.</extracomment>
        <translation>Empaquetado %1</translation>
    </message>
    <message>
        <source>Canceled</source>
        <extracomment>Status line after the user stopped the packing.</extracomment>
        <translation>Cancelado</translation>
    </message>
    <message>
        <source>Success</source>
        <extracomment>Status line after a package was written.</extracomment>
        <translation>Completado</translation>
    </message>
    <message>
        <source>Err %1 in %2</source>
        <extracomment>Status line of a failed run. &quot;Err&quot; is short for error; %1 is the result code, %2 the name of the step that failed (a function name such as WriteBytes: never translated).</extracomment>
        <translation>Error %1 en %2</translation>
    </message>
    <message>
        <source>Please Choose a Project Folder First</source>
        <extracomment>Status line when a Generate button is pressed before a folder was chosen.</extracomment>
        <translation>Elija primero una carpeta de proyecto</translation>
    </message>
    <message>
        <source>Project Folder Not Found: %1</source>
        <extracomment>Status line; %1 is the chosen project folder, which is no longer there.</extracomment>
        <translation>No se encontró la carpeta del proyecto: %1</translation>
    </message>
    <message>
        <source>Overwrite Existing File?</source>
        <extracomment>Question in a message box with OK and Cancel, when the chosen package exists.</extracomment>
        <translation>¿Sobrescribir el archivo existente?</translation>
    </message>
    <message>
        <source>Cannot Delete Existing File %1</source>
        <extracomment>Status line; %1 is the path of the old package that cannot be replaced.</extracomment>
        <translation>No se puede eliminar el archivo existente %1</translation>
    </message>
    <message>
        <source>Err %1 in %2: %3 changed while it was being packed</source>
        <extracomment>Status line of a run that failed because a file changed size while it was packed. &quot;Err&quot; is short for error; %1 is the result code, %2 the step that failed (a function name such as ReadFile: never translated), %3 the file&apos;s path.</extracomment>
        <translation>Error %1 en %2: %3 cambió mientras se empaquetaba</translation>
    </message>
    <message>
        <source>%1 appeared while packing and was not replaced</source>
        <extracomment>Status line: a file was made at the package&apos;s path while packing, by another program, and was kept; %1 is its path.</extracomment>
        <translation>%1 apareció durante el empaquetado y no se reemplazó</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <extracomment>Status line; %1 is the path of the project&apos;s .vendrelignore file, %2 the system&apos;s reason.</extracomment>
        <translation>No se puede leer %1: %2</translation>
    </message>
</context>
<context>
    <name>ParallelDeflate</name>
    <message>
        <source>Cannot compress &quot;%1&quot;: zlib error %2 (%3)</source>
        <extracomment>%1 is a file, %2 zlib&apos;s error code, %3 zlib&apos;s own text.</extracomment>
        <translation>No se puede comprimir «%1»: error de zlib %2 (%3)</translation>
    </message>
    <message>
        <source>Compression is already running</source>
        <extracomment>An error that shows only when the program itself is at fault.</extracomment>
        <translation>La compresión ya está en curso</translation>
    </message>
    <message>
        <source>No receiver for the compressed data</source>
        <extracomment>An error that shows only when the program itself is at fault.</extracomment>
        <translation>No hay receptor para los datos comprimidos</translation>
    </message>
    <message>
        <source>Compression failed: %1</source>
        <translation>Falló la compresión: %1</translation>
    </message>
</context>
<context>
    <name>SourceReader</name>
    <message>
        <source>it is a folder, not a file</source>
        <extracomment>Why a path cannot be packed; &quot;it&quot; is the path named before.</extracomment>
        <translation>es una carpeta, no un archivo</translation>
    </message>
    <message>
        <source>it is a named pipe (FIFO), not a file</source>
        <extracomment>Why a path cannot be packed; &quot;it&quot; is the path named before.</extracomment>
        <translation>es una tubería con nombre (FIFO), no un archivo</translation>
    </message>
    <message>
        <source>it is a socket, not a file</source>
        <extracomment>Why a path cannot be packed; &quot;it&quot; is the path named before.</extracomment>
        <translation>es un socket, no un archivo</translation>
    </message>
    <message>
        <source>it is a device, not a file</source>
        <extracomment>Why a path cannot be packed; &quot;it&quot; is the path named before.</extracomment>
        <translation>es un dispositivo, no un archivo</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <extracomment>Why a path cannot be packed; &quot;it&quot; is the path named before.</extracomment>
        <translation>no es un archivo normal</translation>
    </message>
</context>
<context>
    <name>StartArguments</name>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <extracomment>Error of the vendrel command; %1 is the option given.</extracomment>
        <translation>opción desconocida «%1»</translation>
    </message>
    <message>
        <source>too many arguments: &apos;%1&apos;</source>
        <extracomment>Error of the vendrel command, which takes one folder at most; %1 is the arguments left over.</extracomment>
        <translation>demasiados argumentos: «%1»</translation>
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
        <translation>Uso: vendrel [CARPETA]
     vendrel --help | --version

Abre la ventana de Vendrel. Una CARPETA de proyecto de plantilla indicada aquí
se toma como si se hubiera soltado sobre la ventana: aparece en el campo de la
carpeta y activa los botones Generar. Un archivo, una ruta inexistente o una
dirección remota dejan la ventana tal como se abre, con el motivo en su línea
de estado.

  -h, --help     muestra esta ayuda
  --version      muestra la versión

La ventana también admite las opciones propias de Qt, como -platform NOMBRE o
-style NOMBRE. vendrel-pack crea los mismos paquetes desde la línea de
órdenes, sin ventana.
</translation>
    </message>
    <message>
        <source>Try &apos;vendrel --help&apos; for more information.</source>
        <extracomment>Second line of every usage error of the vendrel command; keep the command as it is.</extracomment>
        <translation>Pruebe «vendrel --help» para más información.</translation>
    </message>
</context>
<context>
    <name>TempOutput</name>
    <message>
        <source>Cannot rename the package to &quot;%1&quot;: %2</source>
        <extracomment>%1 is the package&apos;s path, %2 the system&apos;s reason.</extracomment>
        <translation>No se puede cambiar el nombre del paquete a «%1»: %2</translation>
    </message>
    <message>
        <source>The temporary file is already open</source>
        <extracomment>An error that shows only when the program itself is at fault.</extracomment>
        <translation>El archivo temporal ya está abierto</translation>
    </message>
    <message>
        <source>Cannot create a temporary file beside &quot;%1&quot;: %2</source>
        <extracomment>%1 is the package&apos;s path, %2 the system&apos;s reason.</extracomment>
        <translation>No se puede crear un archivo temporal junto a «%1»: %2</translation>
    </message>
    <message>
        <source>Cannot set the permissions of &quot;%1&quot;: %2</source>
        <extracomment>%1 is a file&apos;s path, %2 the system&apos;s reason.</extracomment>
        <translation>No se pueden establecer los permisos de «%1»: %2</translation>
    </message>
    <message>
        <source>Nothing to put in place</source>
        <extracomment>An error that shows only when the program itself is at fault.</extracomment>
        <translation>No hay nada que poner en su lugar</translation>
    </message>
    <message>
        <source>Cannot write to disk &quot;%1&quot;: %2</source>
        <extracomment>%1 is a file&apos;s path, %2 the system&apos;s reason.</extracomment>
        <translation>No se puede escribir «%1» en el disco: %2</translation>
    </message>
</context>
<context>
    <name>TemplateKind</name>
    <message>
        <source>Generate DZEP File</source>
        <extracomment>Button, 145 px wide; keep it short. DZEP is the file type, never translated.</extracomment>
        <translation>Generar archivo DZEP</translation>
    </message>
    <message>
        <source>Express Project Installer Generator</source>
        <extracomment>Frame title, 257 px wide; keep it short.</extracomment>
        <translation>Instalador de proyectos Express</translation>
    </message>
    <message>
        <source>DZEP Files (*.dzep)</source>
        <extracomment>File type in the save dialog; keep the pattern in parentheses as it is.</extracomment>
        <translation>Archivos DZEP (*.dzep)</translation>
    </message>
    <message>
        <source>Generate DZT File</source>
        <extracomment>Button, 145 px wide; keep it short. DZT is the file type, never translated.</extracomment>
        <translation>Generar archivo DZT</translation>
    </message>
    <message>
        <source>Title Installer Generator</source>
        <extracomment>Frame title, 257 px wide; keep it short.</extracomment>
        <translation>Instalador de títulos</translation>
    </message>
    <message>
        <source>DZT Files (*.dzt)</source>
        <extracomment>File type in the save dialog; keep the pattern in parentheses as it is.</extracomment>
        <translation>Archivos DZT (*.dzt)</translation>
    </message>
    <message>
        <source>Generate DZTR File</source>
        <extracomment>Button, 145 px wide; keep it short. DZTR is the file type, never translated.</extracomment>
        <translation>Generar archivo DZTR</translation>
    </message>
    <message>
        <source>Transition Installer Generator</source>
        <extracomment>Frame title, 257 px wide; keep it short.</extracomment>
        <translation>Instalador de transiciones</translation>
    </message>
    <message>
        <source>DZTR Files (*.dztr)</source>
        <extracomment>File type in the save dialog; keep the pattern in parentheses as it is.</extracomment>
        <translation>Archivos DZTR (*.dztr)</translation>
    </message>
    <message>
        <source>Generate DZS File</source>
        <extracomment>Button, 145 px wide; keep it short. DZS is the file type, never translated.</extracomment>
        <translation>Generar archivo DZS</translation>
    </message>
    <message>
        <source>Magic Style Installer Generator</source>
        <extracomment>Frame title, 257 px wide; keep it short. Magic Style is the name of a template family in the video editor.</extracomment>
        <translation>Instalador de Magic Style</translation>
    </message>
    <message>
        <source>DZS Files (*.dzs)</source>
        <extracomment>File type in the save dialog; keep the pattern in parentheses as it is.</extracomment>
        <translation>Archivos DZS (*.dzs)</translation>
    </message>
    <message>
        <source>Generate DZM File</source>
        <extracomment>Button, 145 px wide; keep it short. DZM is the file type, never translated.</extracomment>
        <translation>Generar archivo DZM</translation>
    </message>
    <message>
        <source>DVD Menu Installer Generator</source>
        <extracomment>Frame title, 257 px wide; keep it short.</extracomment>
        <translation>Instalador de menús de DVD</translation>
    </message>
    <message>
        <source>DZM Files (*.dzm)</source>
        <extracomment>File type in the save dialog; keep the pattern in parentheses as it is.</extracomment>
        <translation>Archivos DZM (*.dzm)</translation>
    </message>
    <message>
        <source>Generate DZP File</source>
        <extracomment>Button, 145 px wide; keep it short. DZP is the file type, never translated.</extracomment>
        <translation>Generar archivo DZP</translation>
    </message>
    <message>
        <source>PiP Objects Installer Generator</source>
        <extracomment>Frame title, 257 px wide; keep it short. PiP: picture in picture.</extracomment>
        <translation>Instalador de objetos PiP</translation>
    </message>
    <message>
        <source>DZP Files (*.dzp)</source>
        <extracomment>File type in the save dialog; keep the pattern in parentheses as it is.</extracomment>
        <translation>Archivos DZP (*.dzp)</translation>
    </message>
</context>
</TS>
