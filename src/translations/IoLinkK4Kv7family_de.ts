<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>SensorWindow</name>
    <message>
        <location filename="../comm/sensorwindow_connection.cpp" line="+41"/>
        <location filename="../window/sensorwindow.cpp" line="+60"/>
        <location filename="../window/sensorwindow_language.cpp" line="+89"/>
        <source>Offline</source>
        <translation>Offline</translation>
    </message>
    <message>
        <location line="+50"/>
        <source>nDorix</source>
        <translation>nDorix</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Sensor settings will be overwritten with the ones from PC</source>
        <translation>Die Sensoreinstellungen werden mit denen des PCs überschrieben</translation>
    </message>
    <message>
        <location line="+128"/>
        <source>Connecting to sensor...</source>
        <translation>Verbindung zum Sensor...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The connected sensor does not match currently selected sensor, please try again with the proper sensor</source>
        <translation>Der angeschlossene Sensor passt nicht zum ausgewählten Sensor. Bitte versuchen Sie es mit dem richtigen Sensor erneut</translation>
    </message>
    <message>
        <location filename="../live/sensorwindow_decoding.cpp" line="+61"/>
        <location filename="../parameters/sensorwindow_processdata.cpp" line="+150"/>
        <location line="+49"/>
        <source>On</source>
        <translation>Ein</translation>
    </message>
    <message>
        <location line="+0"/>
        <location filename="../parameters/sensorwindow_processdata.cpp" line="-59"/>
        <location line="+10"/>
        <location line="+49"/>
        <location filename="../window/sensorwindow_language.cpp" line="-33"/>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <location line="+74"/>
        <location filename="../window/sensorwindow_language.cpp" line="+52"/>
        <source>Distance</source>
        <translation>Abstand</translation>
    </message>
    <message>
        <location filename="../live/sensorwindow_polling.cpp" line="+158"/>
        <source>Connecting to sensor</source>
        <translation>Verbindung zum Sensor</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The sensor did not respond, please make sure it is properly connected.</source>
        <translation>Der Sensor antwortet nicht. Bitte prüfen Sie, ob er richtig angeschlossen ist.</translation>
    </message>
    <message>
        <location filename="../parameters/sensorwindow_notice.cpp" line="+65"/>
        <source>updating...</source>
        <translation>wird aktualisiert...</translation>
    </message>
    <message>
        <location filename="../parameters/sensorwindow_processdata.cpp" line="-120"/>
        <source> Process data</source>
        <translation> Prozessdaten</translation>
    </message>
    <message>
        <location line="+16"/>
        <location filename="../window/sensorwindow_language.cpp" line="-34"/>
        <source>Measurement Value</source>
        <translation>Messwert</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../window/sensorwindow_language.cpp" line="+1"/>
        <source>Device to Master</source>
        <translation>Gerät an Master</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../window/sensorwindow_language.cpp" line="+1"/>
        <source>Master to Device</source>
        <translation>Master an Gerät</translation>
    </message>
    <message>
        <location line="+5"/>
        <location filename="../window/sensorwindow_language.cpp" line="+1"/>
        <source>Object information</source>
        <translation>Objektinformationen</translation>
    </message>
    <message>
        <location line="+2"/>
        <location filename="../window/sensorwindow_language.cpp" line="+1"/>
        <source>Object 1</source>
        <translation>Objekt 1</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../window/sensorwindow_language.cpp" line="+1"/>
        <source>Object 2</source>
        <translation>Objekt 2</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../window/sensorwindow_language.cpp" line="+1"/>
        <source>Object 3</source>
        <translation>Objekt 3</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../window/sensorwindow_language.cpp" line="+1"/>
        <source>Object 4</source>
        <translation>Objekt 4</translation>
    </message>
    <message>
        <location filename="../window/sensorwindow.cpp" line="+13"/>
        <source>Property tree</source>
        <translation>Parameterbaum</translation>
    </message>
    <message>
        <location line="+133"/>
        <source>Observation</source>
        <translation>Beobachtung</translation>
    </message>
    <message>
        <location filename="../window/sensorwindow_charts.cpp" line="+101"/>
        <location filename="../window/sensorwindow_language.cpp" line="+14"/>
        <location line="+1"/>
        <source>Output</source>
        <translation>Ausgang</translation>
    </message>
    <message>
        <location filename="../window/sensorwindow_language.cpp" line="-27"/>
        <source>Process data</source>
        <translation>Prozessdaten</translation>
    </message>
    <message>
        <location line="+2"/>
        <source> Observation</source>
        <translation> Beobachtung</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>Intensity</source>
        <translation>Intensität</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Speed</source>
        <translation> Geschwindigkeit</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Signal</source>
        <translation>Signal</translation>
    </message>
    <message>
        <location filename="../window/sensorwindowui.cpp" line="+196"/>
        <source>SensorWindow</source>
        <translation>Sensorfenster</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Save Settings</source>
        <translation>Einstellungen speichern</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Save sensor settings to file</source>
        <translation>Sensoreinstellungen in Datei speichern</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Open Settings</source>
        <translation>Einstellungen öffnen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Open a saved sensor from file</source>
        <translation>Gespeicherten Sensor aus Datei öffnen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Supported sensors</source>
        <translation>Unterstützte Sensoren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>DefaultSettings</source>
        <translation>Werkseinstellungen</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source>Restore sensor&apos;s default settings</source>
        <translation>Werkseinstellungen des Sensors wiederherstellen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Export Chart Data</source>
        <translation>Diagrammdaten exportieren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Export chart data to file</source>
        <translation>Diagrammdaten in Datei exportieren</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source>Enable live data</source>
        <translation>Live-Daten aktivieren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Clear History</source>
        <translation>Verlauf löschen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Clear chart history</source>
        <translation>Diagrammverlauf löschen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Print chart view</source>
        <translation>Diagrammansicht drucken</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Print current chart view</source>
        <translation>Aktuelle Diagrammansicht drucken</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Export chart view</source>
        <translation>Diagrammansicht exportieren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Export current chart view</source>
        <translation>Aktuelle Diagrammansicht exportieren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Output 1</source>
        <translation>Ausgang 1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>read</source>
        <translation>lesen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>write </source>
        <translation>schreiben </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>print</source>
        <translation>drucken</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Switch to FP</source>
        <translation>Auf FP umschalten</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>writings</source>
        <translation>Schreiben</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Write temporarily</source>
        <translation>Temporär schreiben</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Read Thresholds</source>
        <translation>Schaltschwellen lesen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>File Tool Bar</source>
        <translation>Werkzeugleiste Datei</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Sensor Operations Tool Bar</source>
        <translation>Werkzeugleiste Sensorfunktionen</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <location line="+1"/>
        <source>toolBar</source>
        <translation>Werkzeugleiste</translation>
    </message>
    <message>
        <source>Restore factory defaults</source>
        <translation>Werkseinstellungen wiederherstellen</translation>
    </message>
    <message>
        <source>All settings will be restored to factory defaults, continue ?</source>
        <translation>Alle Einstellungen werden auf die Werkseinstellungen zurückgesetzt. Fortfahren?</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Speichern unter...</translation>
    </message>
    <message>
        <source>Sensor Settings (*.wts)</source>
        <translation>Sensoreinstellungen (*.wts)</translation>
    </message>
    <message>
        <source>Loaded settings will override the current project</source>
        <translation>Die geladenen Einstellungen überschreiben das aktuelle Projekt</translation>
    </message>
    <message>
        <source>Opening settings...</source>
        <translation>Einstellungen öffnen...</translation>
    </message>
    <message>
        <source>The selected settings are corupted</source>
        <translation>Die ausgewählten Einstellungen sind beschädigt</translation>
    </message>
    <message>
        <source>The selected settings are not for the current sensor</source>
        <translation>Die ausgewählten Einstellungen gehören nicht zum aktuellen Sensor</translation>
    </message>
    <message>
        <source>Do you really want to clear chart history ?</source>
        <translation>Möchten Sie den Diagrammverlauf wirklich löschen?</translation>
    </message>
    <message>
        <source>Back To Box defaults</source>
        <translation>Auslieferungszustand (Back-to-Box)</translation>
    </message>
    <message>
        <source>The sensor will be disconnected (offline mode) , and can be accessed again, only after it is removed and reconnected to the GHTN adapter, continue?</source>
        <translation>Der Sensor wird getrennt (Offline-Modus) und ist erst wieder erreichbar, nachdem er vom GHTN-Adapter abgezogen und wieder angeschlossen wurde. Fortfahren?</translation>
    </message>
    <message>
        <source>Saving settings...</source>
        <translation>Einstellungen speichern...</translation>
    </message>
    <message>
        <source>The settings could not be saved to %1.</source>
        <translation>Die Einstellungen konnten nicht in %1 gespeichert werden.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>connectionSwitchingDialog</name>
    <message>
        <location filename="../persistence/connectionswitchdialog.cpp" line="+62"/>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Sensor settings will be overwritten with the ones from PC</source>
        <translation>Die Sensoreinstellungen werden mit denen des PCs überschrieben</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>PC -&gt; Sensor</source>
        <translation>PC -&gt; Sensor</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>PC settings will be overwritten with the ones from the Sensor</source>
        <translation>Die PC-Einstellungen werden mit denen des Sensors überschrieben</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Sensor -&gt; PC</source>
        <translation>Sensor -&gt; PC</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>Utils::ThresholdWindowWidgetGeneric</name>
    <message>
        <source>Lower</source>
        <translation>Untergrenze</translation>
    </message>
    <message>
        <source>Upper</source>
        <translation>Obergrenze</translation>
    </message>
    <message>
        <source>Threshold</source>
        <translation>Schaltpunkt</translation>
    </message>
    <message>
        <source>Threshold 2</source>
        <translation>Schaltpunkt 2</translation>
    </message>
</context>
<context>
    <name>QtTreePropertyBrowser</name>
    <message>
        <source>Property</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
</context>
<context>
    <name>SensorWindow</name>
    <message>
        <source>no answer from the master on %1</source>
        <translation>keine Antwort vom Master an %1</translation>
    </message>
    <message>
        <source>the sensor answers as %1</source>
        <translation>der Sensor meldet sich als %1</translation>
    </message>
    <message>
        <source>the line loses answers</source>
        <translation>die Leitung verliert Antworten</translation>
    </message>
    <message>
        <source>no port is open for the sensor</source>
        <translation>für den Sensor ist kein Anschluss geöffnet</translation>
    </message>
</context>
</TS>
