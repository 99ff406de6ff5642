<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- A deliberately incomplete German module: three keys translated, one left
     empty, all others missing. -->
<TS version="2.1" language="de_DE" sourcelanguage="en_US">
<context>
    <name></name>
    <message id="65534">
        <source>Model</source>
        <translation>Modell</translation>
    </message>
    <message id="65514">
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message id="65528">
        <source>device(s) found!</source>
        <translation>Gerät(e) gefunden!</translation>
    </message>
    <message id="65535">
        <source>Project</source>
        <translation></translation>
    </message>
</context>
</TS>
