<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>SamplePlugin</name>
    <message>
        <source>Printer page guard</source>
        <translation>Wächter der Druckerseite</translation>
    </message>
</context>
</TS>
