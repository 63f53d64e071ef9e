<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
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
