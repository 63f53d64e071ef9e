<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>PackCheck</name>
    <message numerus="yes">
        <source>Note: %n hidden entries (names that begin with &quot;.&quot;) left out</source>
        <extracomment>vendrel-pack --check: a note, not a problem. %n is a count.</extracomment>
        <translation>
            <numerusform>Note: %n hidden entry (a name that begins with &quot;.&quot;) left out</numerusform>
            <numerusform>Note: %n hidden entries (names that begin with &quot;.&quot;) left out</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Note: %n named pipes, sockets or devices skipped</source>
        <extracomment>vendrel-pack --check: a note, not a problem. %n is a count.</extracomment>
        <translation>
            <numerusform>Note: %n named pipe, socket or device skipped</numerusform>
            <numerusform>Note: %n named pipes, sockets or devices skipped</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Note: %n links back into a folder being walked not followed</source>
        <extracomment>vendrel-pack --check: a note, not a problem. %n is a count of symbolic links that lead back to a folder the walk is in, which would make it endless.</extracomment>
        <translation>
            <numerusform>Note: %n link back into a folder being walked not followed</numerusform>
            <numerusform>Note: %n links back into a folder being walked not followed</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n files found</source>
        <extracomment>vendrel-pack --check&apos;s closing line, part %2 below: %n is a count of files.</extracomment>
        <translation>
            <numerusform>%n file found</numerusform>
            <numerusform>%n files found</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n entries</source>
        <extracomment>vendrel-pack --check&apos;s closing line, part %3 below: %n is a count of entries.</extracomment>
        <translation>
            <numerusform>%n entry</numerusform>
            <numerusform>%n entries</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n problems</source>
        <extracomment>vendrel-pack --check&apos;s closing line, its end: %n is a count of problems.</extracomment>
        <translation>
            <numerusform>%n problem</numerusform>
            <numerusform>%n problems</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Note: %n entries left out by exclusion patterns</source>
        <extracomment>vendrel-pack --check: a note, not a problem. %n is a count of files and folders that match a pattern of .vendrelignore, --exclude or --exclude-from (a folder counts once, with everything in it).</extracomment>
        <translation>
            <numerusform>Note: %n entry left out by exclusion patterns</numerusform>
            <numerusform>Note: %n entries left out by exclusion patterns</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PackReport</name>
    <message numerus="yes">
        <source>Success: %n files (%2) packed into %3 (%4) in %5 s</source>
        <extracomment>vendrel-pack&apos;s last line. %n is the number of files, %2 their size, %3 the package&apos;s path, %4 its size, %5 the seconds taken; &quot;s&quot; is the unit second.</extracomment>
        <translation>
            <numerusform>Success: %n file (%2) packed into %3 (%4) in %5 s</numerusform>
            <numerusform>Success: %n files (%2) packed into %3 (%4) in %5 s</numerusform>
        </translation>
    </message>
</context>
</TS>
