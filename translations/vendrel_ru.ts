<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>BlockReader</name>
    <message>
        <source>Cannot open &quot;%1&quot;: %2</source>
        <extracomment>%1 is a file, %2 says why it could not be opened.</extracomment>
        <translation>Не удалось открыть «%1»: %2</translation>
    </message>
    <message>
        <source>Cannot read &quot;%1&quot;: %2</source>
        <extracomment>%1 is a file, %2 says why it could not be read.</extracomment>
        <translation>Не удалось прочитать «%1»: %2</translation>
    </message>
</context>
<context>
    <name>EntryNames</name>
    <message>
        <source>the name is empty</source>
        <extracomment>vendrel-pack --check: why a name cannot go into a package.</extracomment>
        <translation>имя пустое</translation>
    </message>
    <message>
        <source>holds &quot;\&quot;, which separates folders inside a package</source>
        <extracomment>vendrel-pack --check: why a name cannot go into a package. Keep &quot;&quot; as it is.</extracomment>
        <translation>содержит «\», который в пакете разделяет папки</translation>
    </message>
    <message>
        <source>holds &quot;:&quot;, which names a drive or a stream on the installing desktop</source>
        <extracomment>vendrel-pack --check: why a name cannot go into a package. Keep &quot;:&quot; as it is; the installing desktop is the computer the package is installed on.</extracomment>
        <translation>содержит «:», который на компьютере, куда ставится пакет, обозначает диск или поток</translation>
    </message>
    <message>
        <source>holds &quot;%1&quot;, which the installing desktop does not allow in names</source>
        <extracomment>vendrel-pack --check: why a name cannot go into a package. %1 is one of &lt; &gt; &quot; | ? *.</extracomment>
        <translation>содержит «%1», недопустимый в именах на компьютере, куда ставится пакет</translation>
    </message>
    <message>
        <source>holds the control character %1</source>
        <extracomment>vendrel-pack --check: why a name cannot go into a package. %1 is a character code such as U+0007.</extracomment>
        <translation>содержит управляющий символ %1</translation>
    </message>
    <message>
        <source>ends in a dot, which the installing desktop drops</source>
        <extracomment>vendrel-pack --check: why a name cannot go into a package.</extracomment>
        <translation>оканчивается точкой, которую компьютер, куда ставится пакет, отбрасывает</translation>
    </message>
    <message>
        <source>ends in a space, which the installing desktop drops</source>
        <extracomment>vendrel-pack --check: why a name cannot go into a package.</extracomment>
        <translation>оканчивается пробелом, который компьютер, куда ставится пакет, отбрасывает</translation>
    </message>
    <message>
        <source>device name %1 on the installing desktop</source>
        <extracomment>vendrel-pack --check: why a name cannot go into a package. %1 is a device name such as NUL or COM1, never translated.</extracomment>
        <translation>имя устройства %1 на компьютере, куда ставится пакет</translation>
    </message>
</context>
<context>
    <name>Exclusions</name>
    <message>
        <source>it ends in a lone &quot;\&quot;</source>
        <extracomment>Why a pattern of a .vendrelignore file or --exclude cannot be used.</extracomment>
        <translation>он заканчивается одиночным «\»</translation>
    </message>
    <message>
        <source>a &quot;[&quot; is never closed by &quot;]&quot;</source>
        <extracomment>Why a pattern cannot be used: &quot;[&quot; starts a set of characters, like &quot;[abc]&quot;.</extracomment>
        <translation>«[» нигде не закрыта «]»</translation>
    </message>
    <message>
        <source>a &quot;.&quot; or &quot;..&quot; step never matches a path</source>
        <extracomment>Why a pattern cannot be used: paths below the project folder hold no &quot;.&quot; or &quot;..&quot;.</extracomment>
        <translation>шаг «.» или «..» никогда не совпадает с путём</translation>
    </message>
    <message>
        <source>taking entries back in with &quot;!&quot; is not supported (write &quot;\!&quot; for a name that starts with &quot;!&quot;)</source>
        <extracomment>Why a pattern cannot be used; keep the characters &quot;!&quot; and &quot;!&quot; as they are.</extracomment>
        <translation>возврат элементов с помощью «!» не поддерживается (для имени, начинающегося с «!», пишите «\!»)</translation>
    </message>
    <message>
        <source>it names nothing</source>
        <extracomment>Why a pattern cannot be used: it is empty or only &quot;/&quot;.</extracomment>
        <translation>он ничего не называет</translation>
    </message>
    <message>
        <source>it is not UTF-8</source>
        <extracomment>Why a line of a .vendrelignore file or --exclude-from file cannot be used.</extracomment>
        <translation>она не в кодировке UTF-8</translation>
    </message>
</context>
<context>
    <name>FolderChooser</name>
    <message>
        <source>Browse for Folder</source>
        <extracomment>Title of the folder chooser dialog.</extracomment>
        <translation>Обзор папок</translation>
    </message>
    <message>
        <source>Folders</source>
        <extracomment>Name of the folder tree for screen readers.</extracomment>
        <translation>Папки</translation>
    </message>
</context>
<context>
    <name>FolderWalk</name>
    <message>
        <source>Too many folders in %1</source>
        <extracomment>Why packing stopped: more folders than a package may take. %1 is a folder&apos;s path.</extracomment>
        <translation>Слишком много папок в %1</translation>
    </message>
    <message>
        <source>Too many entries in %1</source>
        <extracomment>Why packing stopped: a folder holds more entries than are taken. %1 is its path.</extracomment>
        <translation>Слишком много элементов в %1</translation>
    </message>
    <message>
        <source>AddFile failed on %1</source>
        <extracomment>Why packing stopped: a file or folder could not be taken. AddFile is a function name, never translated; %1 is the name of the file or folder.</extracomment>
        <translation>Сбой AddFile для %1</translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <extracomment>vendrel-pack --check: why a file or folder cannot be packed; %1 is the system&apos;s reason.</extracomment>
        <translation>не удаётся прочитать: %1</translation>
    </message>
    <message>
        <source>is a link to a file or folder that is not there</source>
        <extracomment>vendrel-pack --check: a symbolic link whose target is missing.</extracomment>
        <translation>ссылка на несуществующий файл или папку</translation>
    </message>
    <message>
        <source>is not a folder</source>
        <extracomment>vendrel-pack --check: the project folder is missing.</extracomment>
        <translation>не является папкой</translation>
    </message>
    <message>
        <source>not UTF-8</source>
        <extracomment>vendrel-pack --check: why a name cannot go into a package.</extracomment>
        <translation>не в UTF-8</translation>
    </message>
    <message>
        <source>is one sub-folder more than the %1 a package takes; the check stopped here</source>
        <extracomment>vendrel-pack --check: the walk stopped at a folder past the limit; %1 is the most sub-folders a package takes.</extracomment>
        <translation>на одну вложенную папку больше, чем %1, которые принимает пакет; проверка остановлена здесь</translation>
    </message>
    <message>
        <source>holds more than %1 files and folders, the most a package takes from one folder</source>
        <extracomment>vendrel-pack --check: a folder over the limit; %1 is the most entries taken from one folder (files and folders, not counting &quot;.&quot; and &quot;..&quot;).</extracomment>
        <translation>содержит больше %1 файлов и папок — больше, чем пакет берёт из одной папки</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>E&amp;XIT</source>
        <extracomment>Button, 89 px wide; keep it short. &quot;&amp;&quot; marks the access key (Alt+X in English).</extracomment>
        <translation>&amp;ВЫХОД</translation>
    </message>
    <message>
        <source>Visit Us</source>
        <extracomment>Tooltip of the top banner, a link to the makers&apos; website with free templates.</extracomment>
        <translation>Посетите наш сайт</translation>
    </message>
    <message>
        <source>Free templates banner</source>
        <extracomment>Name of the top banner for screen readers.</extracomment>
        <translation>Баннер бесплатных шаблонов</translation>
    </message>
    <message>
        <source>&amp;Cancel Process</source>
        <extracomment>Button, 113 px wide; keep it short. Stops the packing that is going on. &quot;&amp;&quot; marks the access key.</extracomment>
        <translation>&amp;Отменить</translation>
    </message>
    <message>
        <source>Please Click Here And Surprise Me :)</source>
        <extracomment>Tooltip of the lower banner, a link to the page where users can support the makers.</extracomment>
        <translation>Нажмите здесь и удивите меня :)</translation>
    </message>
    <message>
        <source>Support us banner</source>
        <extracomment>Name of the lower banner for screen readers.</extracomment>
        <translation>Баннер «Поддержите нас»</translation>
    </message>
    <message>
        <source>Packing progress</source>
        <extracomment>Name of the progress bar for screen readers.</extracomment>
        <translation>Ход упаковки</translation>
    </message>
    <message>
        <source>RESULTS</source>
        <extracomment>Frame title around the status line, 513 px wide.</extracomment>
        <translation>РЕЗУЛЬТАТЫ</translation>
    </message>
    <message>
        <source>Status</source>
        <extracomment>Name of the status line for screen readers.</extracomment>
        <translation>Состояние</translation>
    </message>
    <message>
        <source>Browse To Project Folder</source>
        <extracomment>Frame title, 521 px wide, over the project folder field and the Browse button.</extracomment>
        <translation>Выберите папку проекта</translation>
    </message>
    <message>
        <source>Project folder</source>
        <extracomment>Name of the project folder field for screen readers.</extracomment>
        <translation>Папка проекта</translation>
    </message>
    <message>
        <source>The project folder to pack: choose it with Browse, or drop a folder from your file manager anywhere on this window.</source>
        <extracomment>Tooltip of the project folder field. &quot;Browse&quot; is the button beside it: use its translation.</extracomment>
        <translation>Папка проекта для упаковки: выберите её кнопкой «Обзор» или перетащите папку из файлового менеджера в любое место этого окна.</translation>
    </message>
    <message>
        <source>Browse</source>
        <extracomment>Button, 65 px wide; keep it very short. Opens the folder chooser.</extracomment>
        <translation>Обзор</translation>
    </message>
    <message>
        <source>Choose the template project folder</source>
        <extracomment>Description of the Browse button for screen readers.</extracomment>
        <translation>Выбрать папку проекта шаблона</translation>
    </message>
    <message>
        <source>For FREE Templates pay us a visit by clicking on our banner :)</source>
        <extracomment>The status line&apos;s first text, 489 px wide and two lines high. The banner is the picture at the top of the window.</extracomment>
        <translation>БЕСПЛАТНЫЕ шаблоны ждут вас на нашем сайте — просто нажмите на баннер :)</translation>
    </message>
    <message>
        <source>Please select a folder:</source>
        <extracomment>The text over the folder tree in the folder chooser.</extracomment>
        <translation>Выберите папку:</translation>
    </message>
    <message>
        <source>Canceled</source>
        <extracomment>Shown in the project folder field when the folder chooser was cancelled.</extracomment>
        <translation>Отменено</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a folder on this computer</source>
        <extracomment>Status line, when the folder given to the vendrel command is on another computer (an sftp:// address...); %1 is what was given.</extracomment>
        <translation>«%1» — не папка на этом компьютере</translation>
    </message>
    <message>
        <source>&quot;%1&quot; does not exist</source>
        <extracomment>Status line, when the folder given to the vendrel command does not exist; %1 is what was given.</extracomment>
        <translation>«%1» не существует</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a folder</source>
        <extracomment>Status line, when a file was given to the vendrel command instead of a folder; %1 is what was given.</extracomment>
        <translation>«%1» — не папка</translation>
    </message>
</context>
<context>
    <name>PackCheck</name>
    <message numerus="yes">
        <source>Note: %n hidden entries (names that begin with &quot;.&quot;) left out</source>
        <extracomment>vendrel-pack --check: a note, not a problem. %n is a count.</extracomment>
        <translation>
            <numerusform>Примечание: пропущен %n скрытый элемент (имена, начинающиеся с «.»)</numerusform>
            <numerusform>Примечание: пропущено %n скрытых элемента (имена, начинающиеся с «.»)</numerusform>
            <numerusform>Примечание: пропущено %n скрытых элементов (имена, начинающиеся с «.»)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Note: %n named pipes, sockets or devices skipped</source>
        <extracomment>vendrel-pack --check: a note, not a problem. %n is a count.</extracomment>
        <translation>
            <numerusform>Примечание: пропущен %n именованный канал, сокет или устройство</numerusform>
            <numerusform>Примечание: пропущено %n именованных канала, сокета или устройства</numerusform>
            <numerusform>Примечание: пропущено %n именованных каналов, сокетов или устройств</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Note: %n links back into a folder being walked not followed</source>
        <extracomment>vendrel-pack --check: a note, not a problem. %n is a count of symbolic links that lead back to a folder the walk is in, which would make it endless.</extracomment>
        <translation>
            <numerusform>Примечание: не пройдена %n ссылка обратно в обходимую папку</numerusform>
            <numerusform>Примечание: не пройдены %n ссылки обратно в обходимую папку</numerusform>
            <numerusform>Примечание: не пройдено %n ссылок обратно в обходимую папку</numerusform>
        </translation>
    </message>
    <message>
        <source>Check canceled</source>
        <extracomment>vendrel-pack --check after Ctrl-C.</extracomment>
        <translation>Проверка отменена</translation>
    </message>
    <message>
        <source> (only for DZEP packages, whose entries begin with the folder&apos;s name)</source>
        <extracomment>vendrel-pack --check, after a problem with the project folder&apos;s own name. DZEP is a kind code, never translated.</extracomment>
        <translation> (только для пакетов DZEP, элементы которых начинаются с имени папки)</translation>
    </message>
    <message numerus="yes">
        <source>%n files found</source>
        <extracomment>vendrel-pack --check&apos;s closing line, part %2 below: %n is a count of files.</extracomment>
        <translation>
            <numerusform>найден %n файл</numerusform>
            <numerusform>найдено %n файла</numerusform>
            <numerusform>найдено %n файлов</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n entries</source>
        <extracomment>vendrel-pack --check&apos;s closing line, part %3 below: %n is a count of entries.</extracomment>
        <translation>
            <numerusform>%n элемент</numerusform>
            <numerusform>%n элемента</numerusform>
            <numerusform>%n элементов</numerusform>
        </translation>
    </message>
    <message>
        <source>ready to pack</source>
        <extracomment>vendrel-pack --check&apos;s closing line, its end: the folder can be packed as it is.</extracomment>
        <translation>можно упаковывать</translation>
    </message>
    <message numerus="yes">
        <source>%n problems</source>
        <extracomment>vendrel-pack --check&apos;s closing line, its end: %n is a count of problems.</extracomment>
        <translation>
            <numerusform>%n проблема</numerusform>
            <numerusform>%n проблемы</numerusform>
            <numerusform>%n проблем</numerusform>
        </translation>
    </message>
    <message>
        <source>Checked %1: %2; the package would hold %3 (%4); %5</source>
        <extracomment>vendrel-pack --check&apos;s closing line. %1 is the project folder, %2 the files found, %3 the entries the package would hold, %4 their size, %5 &quot;ready to pack&quot; or the problems.</extracomment>
        <translation>Проверено %1: %2; в пакете было бы %3 (%4); %5</translation>
    </message>
    <message numerus="yes">
        <source>Note: %n entries left out by exclusion patterns</source>
        <extracomment>vendrel-pack --check: a note, not a problem. %n is a count of files and folders that match a pattern of .vendrelignore, --exclude or --exclude-from (a folder counts once, with everything in it).</extracomment>
        <translation>
            <numerusform>Примечание: %n элемент пропущен по шаблонам исключения</numerusform>
            <numerusform>Примечание: %n элемента пропущены по шаблонам исключения</numerusform>
            <numerusform>Примечание: %n элементов пропущены по шаблонам исключения</numerusform>
        </translation>
    </message>
    <message>
        <source>Note: %1</source>
        <extracomment>vendrel-pack --check: a note, not a problem; %1 says which line of .vendrelignore cannot be used and why, and that it is ignored.</extracomment>
        <translation>Примечание: %1</translation>
    </message>
</context>
<context>
    <name>PackCli</name>
    <message>
        <source>Try &apos;vendrel-pack --help&apos; for more information.</source>
        <extracomment>Second line of every usage error of vendrel-pack; keep the command as it is.</extracomment>
        <translation>Для дополнительной информации выполните «vendrel-pack --help».</translation>
    </message>
</context>
<context>
    <name>PackDestination</name>
    <message>
        <source>%1 is a folder</source>
        <extracomment>vendrel-pack error; %1 is the output path in quotes, which names a folder.</extracomment>
        <translation>%1 — это папка</translation>
    </message>
    <message>
        <source>%1 is not an ordinary file</source>
        <extracomment>vendrel-pack error; %1 is the output path in quotes (a device or a pipe).</extracomment>
        <translation>%1 — не обычный файл</translation>
    </message>
    <message>
        <source>%1 already exists; use --overwrite to replace it</source>
        <extracomment>vendrel-pack error; %1 is the output path in quotes. --overwrite is an option, never translated.</extracomment>
        <translation>Файл %1 уже существует; чтобы заменить его, укажите --overwrite</translation>
    </message>
    <message>
        <source>Project folder not found: &quot;%1&quot;</source>
        <extracomment>vendrel-pack error; %1 is the project folder&apos;s path.</extracomment>
        <translation>Папка проекта не найдена: «%1»</translation>
    </message>
    <message>
        <source>Destination folder not found: &quot;%1&quot;</source>
        <extracomment>vendrel-pack error; %1 is the folder the package was to be written into.</extracomment>
        <translation>Папка назначения не найдена: «%1»</translation>
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
        <translation>--exclude-from %1, строка %2: %3</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <extracomment>vendrel-pack error; %1 is the path of the project&apos;s .vendrelignore file, %2 the system&apos;s reason. Packing it without its patterns would pack what it leaves out.</extracomment>
        <translation>не удаётся прочитать %1: %2</translation>
    </message>
    <message>
        <source>%1 line %2: %3; the line is ignored</source>
        <extracomment>vendrel-pack warning; %1 is the file&apos;s name (.vendrelignore), %2 a line number, %3 why the line cannot be used. The pack goes on without the line.</extracomment>
        <translation>%1, строка %2: %3; строка пропущена</translation>
    </message>
</context>
<context>
    <name>PackJob</name>
    <message>
        <source>cannot be read: %1</source>
        <extracomment>vendrel-pack --check: why a file cannot be packed; %1 is the system&apos;s reason.</extracomment>
        <translation>не удаётся прочитать: %1</translation>
    </message>
    <message>
        <source>is one file more than the %1 a package holds; later files are not counted</source>
        <extracomment>vendrel-pack --check: the first file past the limit; %1 is the most files a package holds.</extracomment>
        <translation>на один файл больше, чем %1, которые вмещает пакет; следующие файлы не считаются</translation>
    </message>
    <message>
        <source>has the same name as %1 once case is ignored; the installing desktop would unpack them as one</source>
        <extracomment>vendrel-pack --check: two names that differ only in case; %1 is the other file&apos;s path. The installing desktop is the computer the package is installed on.</extracomment>
        <translation>без учёта регистра называется так же, как %1; компьютер, куда ставится пакет, распакует их как один файл</translation>
    </message>
</context>
<context>
    <name>PackOptions</name>
    <message>
        <source>unknown kind &apos;%1&apos; (one of %2)</source>
        <extracomment>vendrel-pack error; %1 is what was given, %2 the list of kind codes (DZEP, DZT...).</extracomment>
        <translation>неизвестный тип «%1» (допустимые: %2)</translation>
    </message>
    <message>
        <source>--kind given twice with different kinds</source>
        <extracomment>vendrel-pack error. --kind is an option, never translated.</extracomment>
        <translation>--kind указан дважды с разными типами</translation>
    </message>
    <message>
        <source>--kind needs a kind code (one of %1)</source>
        <extracomment>vendrel-pack error. --kind is an option, never translated; %1 lists the kind codes.</extracomment>
        <translation>после --kind нужен код типа (допустимые: %1)</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <extracomment>vendrel-pack error; %1 is the option given.</extracomment>
        <translation>неизвестный параметр «%1»</translation>
    </message>
    <message>
        <source>missing --kind (one of %1)</source>
        <extracomment>vendrel-pack error. --kind is an option, never translated; %1 lists the kind codes.</extracomment>
        <translation>не указан --kind (допустимые типы: %1)</translation>
    </message>
    <message>
        <source>expected PROJECT_FOLDER and OUTPUT</source>
        <extracomment>vendrel-pack error. PROJECT_FOLDER and OUTPUT are the names the help gives the two paths: use the same words as its translation.</extracomment>
        <translation>ожидаются ПАПКА_ПРОЕКТА и ПАКЕТ</translation>
    </message>
    <message>
        <source>too many arguments: &apos;%1&apos;</source>
        <extracomment>vendrel-pack error; %1 is the arguments left over.</extracomment>
        <translation>слишком много аргументов: «%1»</translation>
    </message>
    <message>
        <source>an empty path was given</source>
        <extracomment>vendrel-pack error.</extracomment>
        <translation>указан пустой путь</translation>
    </message>
    <message>
        <source>argument %1 is not valid UTF-8: &apos;%2&apos;</source>
        <extracomment>vendrel-pack error; %1 is the argument&apos;s number, %2 the argument as read.</extracomment>
        <translation>аргумент %1 не является корректной строкой UTF-8: «%2»</translation>
    </message>
    <message>
        <source>--check expects one PROJECT_FOLDER and no OUTPUT</source>
        <extracomment>vendrel-pack error. --check is an option, never translated; PROJECT_FOLDER is the name the help gives the path: use the same word as its translation.</extracomment>
        <translation>--check ожидает одну ПАПКУ_ПРОЕКТА и никакого ПАКЕТА</translation>
    </message>
    <message>
        <source>--verbose goes only with --check</source>
        <extracomment>vendrel-pack error. --verbose and --check are options, never translated.</extracomment>
        <translation>--verbose используется только вместе с --check</translation>
    </message>
    <message>
        <source>--test expects PACKAGE [PROJECT_FOLDER]</source>
        <extracomment>vendrel-pack error. --test is an option, never translated; PACKAGE and PROJECT_FOLDER are the names the help gives the paths: use the same words.</extracomment>
        <translation>--test ожидает ПАКЕТ [ПАПКА_ПРОЕКТА]</translation>
    </message>
    <message>
        <source>--check and --test cannot be given together</source>
        <extracomment>Usage error of vendrel-pack; keep the options as they are.</extracomment>
        <translation>--check и --test нельзя указывать вместе</translation>
    </message>
    <message>
        <source>--level &apos;%1&apos; is not a level from 0 to 9</source>
        <extracomment>vendrel-pack error. --level is an option, never translated; %1 is what was given.</extracomment>
        <translation>--level «%1» — не уровень от 0 до 9</translation>
    </message>
    <message>
        <source>--date &apos;%1&apos; names no such date or time</source>
        <extracomment>vendrel-pack error. --date is an option, never translated; %1 is what was given, in the right form but a day or time that does not exist (2024-02-30, 25:00).</extracomment>
        <translation>--date «%1» — такой даты или такого времени не существует</translation>
    </message>
    <message>
        <source>--date &apos;%1&apos; is not a date and time such as 2024-05-01T12:00:00Z, or @SECONDS</source>
        <extracomment>vendrel-pack error. --date is an option, never translated; %1 is what was given. Keep the example and @SECONDS as they are (SECONDS may be translated as in the help).</extracomment>
        <translation>--date «%1» — не дата и время вида 2024-05-01T12:00:00Z и не @СЕКУНДЫ</translation>
    </message>
    <message>
        <source>--level needs a level from 0 to 9</source>
        <extracomment>vendrel-pack error. --level is an option, never translated.</extracomment>
        <translation>после --level нужен уровень от 0 до 9</translation>
    </message>
    <message>
        <source>--date needs a date and time such as 2024-05-01T12:00:00Z, or @SECONDS</source>
        <extracomment>vendrel-pack error. --date is an option, never translated. Keep the example and @SECONDS as they are (SECONDS may be translated as in the help).</extracomment>
        <translation>после --date нужны дата и время вида 2024-05-01T12:00:00Z или @СЕКУНДЫ</translation>
    </message>
    <message>
        <source>SOURCE_DATE_EPOCH &apos;%1&apos; is not a whole number of seconds since 1970-01-01 00:00:00 UTC; unset it or give --date</source>
        <extracomment>vendrel-pack error. SOURCE_DATE_EPOCH is an environment variable and --date an option, never translated; %1 is the variable&apos;s value.</extracomment>
        <translation>SOURCE_DATE_EPOCH «%1» — не целое число секунд с 1970-01-01 00:00:00 UTC; удалите переменную или укажите --date</translation>
    </message>
    <message>
        <source>--exclude &apos;%1&apos;: %2</source>
        <extracomment>vendrel-pack error. --exclude is an option, never translated; %1 is the pattern given, %2 why it cannot be used.</extracomment>
        <translation>--exclude &apos;%1&apos;: %2</translation>
    </message>
    <message>
        <source>--exclude-from needs a file</source>
        <extracomment>vendrel-pack error. --exclude-from is an option, never translated.</extracomment>
        <translation>для --exclude-from нужен файл</translation>
    </message>
    <message>
        <source>--exclude needs a pattern</source>
        <extracomment>vendrel-pack error. --exclude is an option, never translated.</extracomment>
        <translation>для --exclude нужен шаблон</translation>
    </message>
    <message>
        <source>--exclude and --exclude-from go with --test only with a PROJECT_FOLDER</source>
        <extracomment>vendrel-pack error. --exclude, --exclude-from and --test are options, never translated; PROJECT_FOLDER is the name the help gives the path.</extracomment>
        <translation>--exclude и --exclude-from сочетаются с --test только вместе с ПАПКА_ПРОЕКТА</translation>
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
        <translation>Использование:
  vendrel-pack --kind ТИП [--overwrite] [--quiet] [--level N] [--date КОГДА]
               [--exclude ШАБЛОН] ПАПКА_ПРОЕКТА ПАКЕТ
  vendrel-pack --check [--kind ТИП] [--verbose] ПАПКА_ПРОЕКТА
  vendrel-pack --test [--kind ТИП] ПАКЕТ [ПАПКА_ПРОЕКТА]
  vendrel-pack --list-kinds | --help | --version

Упаковывает папку ПАПКА_ПРОЕКТА со всеми вложенными папками в пакет шаблона
ПАКЕТ точно так же, как это делает окно Vendrel для той же папки и типа.

  --kind ТИП     тип пакета: %1 (в любом регистре)
  --overwrite    заменить файл ПАКЕТ, если он существует (иначе — отказ)
  -q, --quiet    выводить только сообщения об ошибках
  --level N, -N  уровень сжатия: 0 — сохранять файлы без сжатия, 1 — быстрее
                 всего, 9 — меньше всего (по умолчанию — уровень zlib)
  --date КОГДА   ставить на каждый элемент время КОГДА: дату и время по
                 ISO 8601, в UTC, если не указан пояс
                 (2024-05-01T12:00:00+02:00), или @СЕКУНДЫ с 1970 года;
                 важнее, чем SOURCE_DATE_EPOCH
  --exclude ШАБЛОН, --exclude-from ФАЙЛ
                 пропустить то, что подходит под ШАБЛОН или шаблон из ФАЙЛА
  --check        ничего не записывать; перечислить все проблемы, на которые
                 натолкнулась бы упаковка ПАПКИ_ПРОЕКТА, что она пропускает
                 и готова ли папка к упаковке
  --verbose      с --check перечислить и пути, которые упаковка пропускает
  --test         проверить ПАКЕТ так, как его читает установщик (каждый
                 заголовок, элемент, CRC и имя), и сравнить с ПАПКА_ПРОЕКТА,
                 если она указана
  --list-kinds   показать типы с их расширениями и именами элементов
  -h, --help     показать эту справку
  --version      показать версию

Если в полном пути файла ПАКЕТ нет ни одной точки («.»), к нему добавляется
расширение типа. Файл ПАКЕТ не должен находиться непосредственно в папке
ПАПКА_ПРОЕКТА. Пакет записывается рядом с файлом ПАКЕТ под временным именем
и занимает его место только после завершения. В терминале индикатор
выполнения выводится в стандартный поток ошибок; если стандартный вывод —
не терминал, туда выводится по строке на каждый упакованный файл.
--check без --kind проверяет для всех типов.

Шаблоны — как в командной оболочке (*, ?, [...], ** — любые папки) и
сравниваются с путями внутри ПАПКИ_ПРОЕКТА с / между папками; файл
.vendrelignore в её корне содержит ещё шаблоны, по одному в строке.

Если SOURCE_DATE_EPOCH задана числом секунд с 1970 года (или указан --date),
каждый элемент получает этот момент в UTC вместо времени запуска, и одна и та
же папка везде даёт один и тот же пакет, байт в байт.

Код завершения: 0 — успех, 2 — ошибка в аргументах, 3 — место назначения
отклонено, 4 — папку проекта нельзя упаковать, 5 — ошибка чтения или записи,
130 — прервано; --test: 0 — пакет цел (и совпадает), 6 — повреждён, опасен
или отличается, 5 — пакет нельзя прочитать.
</translation>
    </message>
</context>
<context>
    <name>PackReport</name>
    <message>
        <source>%1 left</source>
        <extracomment>vendrel-pack&apos;s progress bar: the time still needed, %1 as 1:05 or --:-- while unknown. Keep it short.</extracomment>
        <translation>осталось %1</translation>
    </message>
    <message>
        <source>Packed %1 as %2</source>
        <extracomment>vendrel-pack&apos;s line per packed file; %1 is the file&apos;s path, %2 its name in the package.</extracomment>
        <translation>Упакован %1 под именем %2</translation>
    </message>
    <message numerus="yes">
        <source>Success: %n files (%2) packed into %3 (%4) in %5 s</source>
        <extracomment>vendrel-pack&apos;s last line. %n is the number of files, %2 their size, %3 the package&apos;s path, %4 its size, %5 the seconds taken; &quot;s&quot; is the unit second.</extracomment>
        <translation>
            <numerusform>Готово: %n файл (%2) упакован в %3 (%4) за %5 с</numerusform>
            <numerusform>Готово: %n файла (%2) упакованы в %3 (%4) за %5 с</numerusform>
            <numerusform>Готово: %n файлов (%2) упаковано в %3 (%4) за %5 с</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PackRun</name>
    <message>
        <source>%1 failed: %2</source>
        <extracomment>vendrel-pack error. %1 is the name of the step that failed (a function name such as OpenZip or Rename: never translated), %2 says why.</extracomment>
        <translation>Сбой %1: %2</translation>
    </message>
    <message>
        <source>Too many files for one package in %1: more than %2</source>
        <extracomment>vendrel-pack error; %1 is the project folder, %2 the most files a package holds.</extracomment>
        <translation>Слишком много файлов для одного пакета в %1: больше %2</translation>
    </message>
    <message>
        <source>Walking the project folder failed in %1: %2</source>
        <extracomment>vendrel-pack error; %1 is a folder, %2 says what failed there.</extracomment>
        <translation>Ошибка при обходе папки проекта в %1: %2</translation>
    </message>
    <message>
        <source>%1 appeared while packing and was not replaced; use --overwrite to replace it</source>
        <extracomment>vendrel-pack error; %1 is the output path. --overwrite is an option, never translated.</extracomment>
        <translation>Файл %1 появился во время упаковки и не был заменён; чтобы заменить его, укажите --overwrite</translation>
    </message>
    <message>
        <source>the file grew while it was being packed</source>
        <extracomment>vendrel-pack error, after &quot;ReadFile failed on FILE: &quot;.</extracomment>
        <translation>файл увеличился во время упаковки</translation>
    </message>
    <message>
        <source>the file changed while it was being packed (%1 bytes listed, %2 read)</source>
        <extracomment>vendrel-pack error, after &quot;ReadFile failed on FILE: &quot;; %1 and %2 are byte counts.</extracomment>
        <translation>файл изменился во время упаковки (ожидалось байт: %1, прочитано: %2)</translation>
    </message>
    <message>
        <source>%1 failed on %2: %3</source>
        <extracomment>vendrel-pack error. %1 is the name of the step that failed (a function name such as ReadFile: never translated), %2 the file, %3 says why.</extracomment>
        <translation>Сбой %1 для %2: %3</translation>
    </message>
    <message>
        <source>%1 failed on %2: %3(error %4 writing %5)</source>
        <extracomment>vendrel-pack error. %1 is the name of the step that failed (a function name such as WriteBytes: never translated), %2 the package, %3 the system&apos;s reason followed by a space (or nothing), %4 the error code, %5 the file being written.</extracomment>
        <translation>Сбой %1 для %2: %3(ошибка %4 при записи %5)</translation>
    </message>
    <message>
        <source>Canceled; %1 was left as it was</source>
        <extracomment>vendrel-pack after Ctrl-C; %1 is the old package, kept unchanged.</extracomment>
        <translation>Отменено; пакет %1 оставлен без изменений</translation>
    </message>
    <message>
        <source>Canceled; %1 was not written</source>
        <extracomment>vendrel-pack after Ctrl-C; %1 is the package that was not made.</extracomment>
        <translation>Отменено; пакет %1 не записан</translation>
    </message>
</context>
<context>
    <name>PackagePaths</name>
    <message>
        <source>You cannot create the Installation File in the Project Folder!</source>
        <extracomment>First line of a warning (message box, and an error of vendrel-pack) when the package was to be written into the project folder itself. &quot;Installation File&quot; is the package.</extracomment>
        <translation>Нельзя создавать установочный файл в папке проекта!</translation>
    </message>
    <message>
        <source>Please Choose Another Destination Folder</source>
        <extracomment>Second line of the warning about the package in the project folder.</extracomment>
        <translation>Выберите другую папку назначения</translation>
    </message>
</context>
<context>
    <name>PackageTest</name>
    <message>
        <source>no end record: the package was cut short or is not a whole zip archive</source>
        <extracomment>vendrel-pack --test: the end of the zip archive is missing.</extracomment>
        <translation>нет завершающей записи: пакет обрезан или не является целым zip-архивом</translation>
    </message>
    <message>
        <source>the end record at byte %1 contradicts the rest of the package</source>
        <extracomment>vendrel-pack --test; %1 is a byte offset in the package.</extracomment>
        <translation>завершающая запись в байте %1 противоречит остальной части пакета</translation>
    </message>
    <message>
        <source>the central directory is damaged at byte %1</source>
        <extracomment>vendrel-pack --test; %1 is a byte offset. The central directory is the zip archive&apos;s list of entries.</extracomment>
        <translation>центральный каталог повреждён в байте %1</translation>
    </message>
    <message>
        <source>%1 bytes before the first entry belong to no entry</source>
        <extracomment>vendrel-pack --test; %1 is a number of bytes.</extracomment>
        <translation>байтов перед первым элементом, не принадлежащих ни одному элементу: %1</translation>
    </message>
    <message>
        <source>%1 bytes at byte %2 belong to no entry</source>
        <extracomment>vendrel-pack --test; %1 is a number of bytes, %2 a byte offset.</extracomment>
        <translation>байтов с позиции %2, не принадлежащих ни одному элементу: %1</translation>
    </message>
    <message>
        <source>%1 bytes after the end record belong to no entry</source>
        <extracomment>vendrel-pack --test; %1 is a number of bytes.</extracomment>
        <translation>байтов после завершающей записи, не принадлежащих ни одному элементу: %1</translation>
    </message>
    <message>
        <source>two entries overlap at byte %1</source>
        <extracomment>vendrel-pack --test; %1 is a byte offset.</extracomment>
        <translation>два элемента перекрываются в байте %1</translation>
    </message>
    <message>
        <source>%1: its data runs into the central directory</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name.</extracomment>
        <translation>%1: данные заходят в центральный каталог</translation>
    </message>
    <message>
        <source>%1: no local header at byte %2</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name, %2 a byte offset. The local header is the record in front of an entry&apos;s data.</extracomment>
        <translation>%1: нет локального заголовка в байте %2</translation>
    </message>
    <message>
        <source>%1: the local header&apos;s %2 differs from the central directory&apos;s</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name, %2 a field of the zip format (name, method, flags, CRC, sizes, data descriptor), never translated.</extracomment>
        <translation>%1: поле %2 локального заголовка отличается от центрального каталога</translation>
    </message>
    <message>
        <source>%1: encrypted, so it cannot be tested</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name.</extracomment>
        <translation>%1: зашифрован, поэтому не может быть проверен</translation>
    </message>
    <message>
        <source>%1: compression method %2 cannot be tested (only stored and deflate)</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name, %2 the number of the zip method.</extracomment>
        <translation>%1: метод сжатия %2 не может быть проверен (только «stored» и «deflate»)</translation>
    </message>
    <message>
        <source>%1: the compressed data is damaged</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name.</extracomment>
        <translation>%1: сжатые данные повреждены</translation>
    </message>
    <message>
        <source>%1: %2 bytes unpacked, %3 recorded</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name, %2 and %3 numbers of bytes.</extracomment>
        <translation>%1: распаковано байтов: %2, записано: %3</translation>
    </message>
    <message>
        <source>%1: the data&apos;s CRC is %2, the package records %3</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name, %2 and %3 CRC-32 checksums in hex.</extracomment>
        <translation>%1: CRC данных равна %2, в пакете записано %3</translation>
    </message>
    <message>
        <source>%1: the name is not UTF-8</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name.</extracomment>
        <translation>%1: имя не в кодировке UTF-8</translation>
    </message>
    <message>
        <source>%1: unsafe name: it starts at the root of a drive</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name. It would be unpacked at the top of a drive instead of in the install folder.</extracomment>
        <translation>%1: опасное имя: начинается с корня диска</translation>
    </message>
    <message>
        <source>%1: unsafe name: %2 names a drive</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name, %2 the drive part, such as C:.</extracomment>
        <translation>%1: опасное имя: %2 обозначает диск</translation>
    </message>
    <message>
        <source>%1: unsafe name: &quot;..&quot; leads out of the install folder</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name; &quot;..&quot; is a step to the parent folder.</extracomment>
        <translation>%1: опасное имя: «..» выводит за пределы папки установки</translation>
    </message>
    <message>
        <source>%1: unsafe name: %2 cannot be a file or folder name on the installing desktop</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name, %2 the part of it that the desktop the package is installed on cannot create.</extracomment>
        <translation>%1: опасное имя: %2 не может быть именем файла или папки в системе, где устанавливается пакет</translation>
    </message>
    <message>
        <source>%1: unpacks as one file with %2 (the names are equal when case is ignored)</source>
        <extracomment>vendrel-pack --test; %1 and %2 are entry names. The installing desktop ignores case, so both would be unpacked as one file.</extracomment>
        <translation>%1: распаковывается в один файл с %2 (имена совпадают без учёта регистра)</translation>
    </message>
    <message>
        <source>%1 entries: a package holds at most %2</source>
        <extracomment>vendrel-pack --test; %1 is the number of entries, %2 the most a package holds.</extracomment>
        <translation>элементов: %1, а пакет вмещает не более %2</translation>
    </message>
    <message>
        <source>%1: does not start with &quot;.\&quot; as the names of %2 packages do</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name, %2 a kind code (DZT...).</extracomment>
        <translation>%1: не начинается с «.\», как имена в пакетах %2</translation>
    </message>
    <message>
        <source>%1: does not start with %2 as the names of %3 packages do</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name, %2 the project folder&apos;s name, %3 a kind code (DZEP).</extracomment>
        <translation>%1: не начинается с %2, как имена в пакетах %3</translation>
    </message>
    <message>
        <source>%1: starts with &quot;.\&quot;, which the names of %2 packages never do</source>
        <extracomment>vendrel-pack --test; %1 is the entry&apos;s name, %2 a kind code (DZS).</extracomment>
        <translation>%1: начинается с «.\», чего имена в пакетах %2 никогда не делают</translation>
    </message>
    <message>
        <source>%1: in the project folder, missing from the package</source>
        <extracomment>vendrel-pack --test with a project folder; %1 is an entry name.</extracomment>
        <translation>%1: есть в папке проекта, нет в пакете</translation>
    </message>
    <message>
        <source>%1: in the package, not in the project folder</source>
        <extracomment>vendrel-pack --test with a project folder; %1 is an entry name.</extracomment>
        <translation>%1: есть в пакете, нет в папке проекта</translation>
    </message>
    <message>
        <source>%1: cannot be read from the project folder</source>
        <extracomment>vendrel-pack --test with a project folder; %1 is a file&apos;s path.</extracomment>
        <translation>%1: не удаётся прочитать в папке проекта</translation>
    </message>
    <message>
        <source>%1: changed (%2 in the package, %3 in the project folder)</source>
        <extracomment>vendrel-pack --test with a project folder; %1 is an entry name, %2 and %3 its size (and CRC-32 checksum) in the package and in the folder.</extracomment>
        <translation>%1: изменён (%2 в пакете, %3 в папке проекта)</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <extracomment>vendrel-pack --test error; %1 is the package&apos;s path, %2 the system&apos;s reason.</extracomment>
        <translation>не удаётся прочитать %1: %2</translation>
    </message>
    <message>
        <source>%1 is not a zip archive</source>
        <extracomment>vendrel-pack --test error; %1 is the package&apos;s path.</extracomment>
        <translation>%1 не является zip-архивом</translation>
    </message>
    <message>
        <source>Testing %1 as a %2 package</source>
        <extracomment>vendrel-pack --test, first line; %1 is the package&apos;s path, %2 its kind code (DZT...).</extracomment>
        <translation>Проверка %1 как пакета %2</translation>
    </message>
    <message>
        <source>Testing %1 as a plain zip archive: its extension names no package kind</source>
        <translation>Проверка %1 как обычного zip-архива: его расширение не обозначает тип пакета</translation>
    </message>
    <message>
        <source>%1: problems found: %2</source>
        <extracomment>vendrel-pack --test, closing line; %1 is the package&apos;s path, %2 a number.</extracomment>
        <translation>%1: найдено проблем: %2</translation>
    </message>
    <message>
        <source>%1 is intact</source>
        <extracomment>vendrel-pack --test, closing line; %1 is the path.</extracomment>
        <translation>%1 не повреждён</translation>
    </message>
    <message>
        <source>%1 is intact and matches %2</source>
        <translation>%1 не повреждён и соответствует %2</translation>
    </message>
    <message>
        <source>more than %1 files</source>
        <translation>файлов больше, чем %1</translation>
    </message>
    <message>
        <source>%1 cannot be packed, so the package cannot be compared with it: %2</source>
        <extracomment>vendrel-pack --test error; %1 is the project folder&apos;s path, %2 why it cannot be packed, as a pack reports it.</extracomment>
        <translation>%1 нельзя упаковать, поэтому пакет нельзя с ней сравнить: %2</translation>
    </message>
</context>
<context>
    <name>Packer</name>
    <message>
        <source>Too many files: %1 (a package holds at most %2)</source>
        <extracomment>Status line. %1 is the number of files found so far, %2 the most a package holds.</extracomment>
        <translation>Слишком много файлов: %1 (в пакете может быть не более %2)</translation>
    </message>
    <message>
        <source>Packing %1</source>
        <extracomment>Status line while a file is being packed; %1 is the file&apos;s path.</extracomment>
        <translation>Упаковка %1</translation>
    </message>
    <message>
        <source>Packed %1</source>
        <extracomment>Status line once a file is packed; %1 is the file&apos;s path.</extracomment>
        <translation>Упакован %1</translation>
    </message>
    <message>
        <source>Canceled</source>
        <extracomment>Status line after the user stopped the packing.</extracomment>
        <translation>Отменено</translation>
    </message>
    <message>
        <source>Success</source>
        <extracomment>Status line after a package was written.</extracomment>
        <translation>Готово</translation>
    </message>
    <message>
        <source>Err %1 in %2</source>
        <extracomment>Status line of a failed run. &quot;Err&quot; is short for error; %1 is the result code, %2 the name of the step that failed (a function name such as WriteBytes: never translated).</extracomment>
        <translation>Ошибка %1 в %2</translation>
    </message>
    <message>
        <source>Please Choose a Project Folder First</source>
        <extracomment>Status line when a Generate button is pressed before a folder was chosen.</extracomment>
        <translation>Сначала выберите папку проекта</translation>
    </message>
    <message>
        <source>Project Folder Not Found: %1</source>
        <extracomment>Status line; %1 is the chosen project folder, which is no longer there.</extracomment>
        <translation>Папка проекта не найдена: %1</translation>
    </message>
    <message>
        <source>Overwrite Existing File?</source>
        <extracomment>Question in a message box with OK and Cancel, when the chosen package exists.</extracomment>
        <translation>Перезаписать существующий файл?</translation>
    </message>
    <message>
        <source>Cannot Delete Existing File %1</source>
        <extracomment>Status line; %1 is the path of the old package that cannot be replaced.</extracomment>
        <translation>Не удалось удалить существующий файл %1</translation>
    </message>
    <message>
        <source>Err %1 in %2: %3 changed while it was being packed</source>
        <extracomment>Status line of a run that failed because a file changed size while it was packed. &quot;Err&quot; is short for error; %1 is the result code, %2 the step that failed (a function name such as ReadFile: never translated), %3 the file&apos;s path.</extracomment>
        <translation>Ошибка %1 в %2: %3 изменился во время упаковки</translation>
    </message>
    <message>
        <source>%1 appeared while packing and was not replaced</source>
        <extracomment>Status line: a file was made at the package&apos;s path while packing, by another program, and was kept; %1 is its path.</extracomment>
        <translation>Файл %1 появился во время упаковки и не был заменён</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <extracomment>Status line; %1 is the path of the project&apos;s .vendrelignore file, %2 the system&apos;s reason.</extracomment>
        <translation>Не удаётся прочитать %1: %2</translation>
    </message>
</context>
<context>
    <name>ParallelDeflate</name>
    <message>
        <source>Cannot compress &quot;%1&quot;: zlib error %2 (%3)</source>
        <extracomment>%1 is a file, %2 zlib&apos;s error code, %3 zlib&apos;s own text.</extracomment>
        <translation>Не удалось сжать «%1»: ошибка zlib %2 (%3)</translation>
    </message>
    <message>
        <source>Compression is already running</source>
        <extracomment>An error that shows only when the program itself is at fault.</extracomment>
        <translation>Сжатие уже выполняется</translation>
    </message>
    <message>
        <source>No receiver for the compressed data</source>
        <extracomment>An error that shows only when the program itself is at fault.</extracomment>
        <translation>Нет получателя для сжатых данных</translation>
    </message>
    <message>
        <source>Compression failed: %1</source>
        <translation>Сбой сжатия: %1</translation>
    </message>
</context>
<context>
    <name>SourceReader</name>
    <message>
        <source>it is a folder, not a file</source>
        <extracomment>Why a path cannot be packed; &quot;it&quot; is the path named before.</extracomment>
        <translation>это папка, а не файл</translation>
    </message>
    <message>
        <source>it is a named pipe (FIFO), not a file</source>
        <extracomment>Why a path cannot be packed; &quot;it&quot; is the path named before.</extracomment>
        <translation>это именованный канал (FIFO), а не файл</translation>
    </message>
    <message>
        <source>it is a socket, not a file</source>
        <extracomment>Why a path cannot be packed; &quot;it&quot; is the path named before.</extracomment>
        <translation>это сокет, а не файл</translation>
    </message>
    <message>
        <source>it is a device, not a file</source>
        <extracomment>Why a path cannot be packed; &quot;it&quot; is the path named before.</extracomment>
        <translation>это устройство, а не файл</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <extracomment>Why a path cannot be packed; &quot;it&quot; is the path named before.</extracomment>
        <translation>это не обычный файл</translation>
    </message>
</context>
<context>
    <name>StartArguments</name>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <extracomment>Error of the vendrel command; %1 is the option given.</extracomment>
        <translation>неизвестный параметр «%1»</translation>
    </message>
    <message>
        <source>too many arguments: &apos;%1&apos;</source>
        <extracomment>Error of the vendrel command, which takes one folder at most; %1 is the arguments left over.</extracomment>
        <translation>слишком много аргументов: «%1»</translation>
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
        <translation>Использование:
  vendrel [ПАПКА]
  vendrel --help | --version

Открывает окно Vendrel. Указанная здесь папка проекта шаблона ПАПКА
принимается так, как будто её перетащили на окно: она появляется в поле папки,
а кнопки «Создать файл …» становятся доступными. Файл, несуществующий путь или
удалённый адрес оставляют окно в начальном состоянии, а причина выводится в
его строке состояния.

  -h, --help     показать эту справку
  --version      показать версию

Окно также принимает собственные параметры Qt, например -platform ИМЯ или
-style ИМЯ. vendrel-pack создаёт те же пакеты из командной строки, без окна.
</translation>
    </message>
    <message>
        <source>Try &apos;vendrel --help&apos; for more information.</source>
        <extracomment>Second line of every usage error of the vendrel command; keep the command as it is.</extracomment>
        <translation>Для дополнительной информации выполните «vendrel --help».</translation>
    </message>
</context>
<context>
    <name>TempOutput</name>
    <message>
        <source>Cannot rename the package to &quot;%1&quot;: %2</source>
        <extracomment>%1 is the package&apos;s path, %2 the system&apos;s reason.</extracomment>
        <translation>Не удалось переименовать пакет в «%1»: %2</translation>
    </message>
    <message>
        <source>The temporary file is already open</source>
        <extracomment>An error that shows only when the program itself is at fault.</extracomment>
        <translation>Временный файл уже открыт</translation>
    </message>
    <message>
        <source>Cannot create a temporary file beside &quot;%1&quot;: %2</source>
        <extracomment>%1 is the package&apos;s path, %2 the system&apos;s reason.</extracomment>
        <translation>Не удалось создать временный файл рядом с «%1»: %2</translation>
    </message>
    <message>
        <source>Cannot set the permissions of &quot;%1&quot;: %2</source>
        <extracomment>%1 is a file&apos;s path, %2 the system&apos;s reason.</extracomment>
        <translation>Не удалось установить права доступа для «%1»: %2</translation>
    </message>
    <message>
        <source>Nothing to put in place</source>
        <extracomment>An error that shows only when the program itself is at fault.</extracomment>
        <translation>Нечего переносить на место пакета</translation>
    </message>
    <message>
        <source>Cannot write to disk &quot;%1&quot;: %2</source>
        <extracomment>%1 is a file&apos;s path, %2 the system&apos;s reason.</extracomment>
        <translation>Не удалось записать на диск «%1»: %2</translation>
    </message>
</context>
<context>
    <name>TemplateKind</name>
    <message>
        <source>Generate DZEP File</source>
        <extracomment>Button, 145 px wide; keep it short. DZEP is the file type, never translated.</extracomment>
        <translation>Создать файл DZEP</translation>
    </message>
    <message>
        <source>Express Project Installer Generator</source>
        <extracomment>Frame title, 257 px wide; keep it short.</extracomment>
        <translation>Установщики экспресс-проектов</translation>
    </message>
    <message>
        <source>DZEP Files (*.dzep)</source>
        <extracomment>File type in the save dialog; keep the pattern in parentheses as it is.</extracomment>
        <translation>Файлы DZEP (*.dzep)</translation>
    </message>
    <message>
        <source>Generate DZT File</source>
        <extracomment>Button, 145 px wide; keep it short. DZT is the file type, never translated.</extracomment>
        <translation>Создать файл DZT</translation>
    </message>
    <message>
        <source>Title Installer Generator</source>
        <extracomment>Frame title, 257 px wide; keep it short.</extracomment>
        <translation>Установщики титров</translation>
    </message>
    <message>
        <source>DZT Files (*.dzt)</source>
        <extracomment>File type in the save dialog; keep the pattern in parentheses as it is.</extracomment>
        <translation>Файлы DZT (*.dzt)</translation>
    </message>
    <message>
        <source>Generate DZTR File</source>
        <extracomment>Button, 145 px wide; keep it short. DZTR is the file type, never translated.</extracomment>
        <translation>Создать файл DZTR</translation>
    </message>
    <message>
        <source>Transition Installer Generator</source>
        <extracomment>Frame title, 257 px wide; keep it short.</extracomment>
        <translation>Установщики переходов</translation>
    </message>
    <message>
        <source>DZTR Files (*.dztr)</source>
        <extracomment>File type in the save dialog; keep the pattern in parentheses as it is.</extracomment>
        <translation>Файлы DZTR (*.dztr)</translation>
    </message>
    <message>
        <source>Generate DZS File</source>
        <extracomment>Button, 145 px wide; keep it short. DZS is the file type, never translated.</extracomment>
        <translation>Создать файл DZS</translation>
    </message>
    <message>
        <source>Magic Style Installer Generator</source>
        <extracomment>Frame title, 257 px wide; keep it short. Magic Style is the name of a template family in the video editor.</extracomment>
        <translation>Установщики Magic Style</translation>
    </message>
    <message>
        <source>DZS Files (*.dzs)</source>
        <extracomment>File type in the save dialog; keep the pattern in parentheses as it is.</extracomment>
        <translation>Файлы DZS (*.dzs)</translation>
    </message>
    <message>
        <source>Generate DZM File</source>
        <extracomment>Button, 145 px wide; keep it short. DZM is the file type, never translated.</extracomment>
        <translation>Создать файл DZM</translation>
    </message>
    <message>
        <source>DVD Menu Installer Generator</source>
        <extracomment>Frame title, 257 px wide; keep it short.</extracomment>
        <translation>Установщики меню DVD</translation>
    </message>
    <message>
        <source>DZM Files (*.dzm)</source>
        <extracomment>File type in the save dialog; keep the pattern in parentheses as it is.</extracomment>
        <translation>Файлы DZM (*.dzm)</translation>
    </message>
    <message>
        <source>Generate DZP File</source>
        <extracomment>Button, 145 px wide; keep it short. DZP is the file type, never translated.</extracomment>
        <translation>Создать файл DZP</translation>
    </message>
    <message>
        <source>PiP Objects Installer Generator</source>
        <extracomment>Frame title, 257 px wide; keep it short. PiP: picture in picture.</extracomment>
        <translation>Установщики объектов PiP</translation>
    </message>
    <message>
        <source>DZP Files (*.dzp)</source>
        <extracomment>File type in the save dialog; keep the pattern in parentheses as it is.</extracomment>
        <translation>Файлы DZP (*.dzp)</translation>
    </message>
</context>
</TS>
