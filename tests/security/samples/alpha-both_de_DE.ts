<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>SamplePlugin</name>
    <message>
        <source>Both pages guard</source>
        <translation>Wächter beider Seiten</translation>
    </message>
</context>
</TS>
