<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>HostWindow</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Open &amp;sensor</source>
        <translation>&amp;Sensor öffnen</translation>
    </message>
    <message>
        <source>Open se&amp;ttings...</source>
        <translation>&amp;Einstellungen öffnen...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Presentation mode</source>
        <translation>&amp;Präsentationsmodus</translation>
    </message>
    <message>
        <source>&amp;Tile windows</source>
        <translation>&amp;Nebeneinander anordnen</translation>
    </message>
    <message>
        <source>&amp;Cascade windows</source>
        <translation>&amp;Überlappend anordnen</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Sprache</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;About plug-in</source>
        <translation>&amp;Über das Plug-in</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>%1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>Open settings</source>
        <translation>Einstellungen öffnen</translation>
    </message>
    <message>
        <source>Open a sensor first.</source>
        <translation>Bitte zuerst einen Sensor öffnen.</translation>
    </message>
    <message>
        <source>Settings (*.wts)</source>
        <translation>Einstellungen (*.wts)</translation>
    </message>
</context>
<context>
    <name>Utils::ConnectionStatus</name>
    <message>
        <source>Connected</source>
        <translation>Verbunden</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Getrennt</translation>
    </message>
</context>
</TS>
