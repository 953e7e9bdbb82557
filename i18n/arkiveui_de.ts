<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CompressDialog</name>
    <message>
        <location filename="../archive/compressdialog.cpp" line="98"/>
        <source>Compress Dialog</source>
        <translation>Packen</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="117"/>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="143"/>
        <source>Password:</source>
        <translation>Passwort:</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="145"/>
        <source>Ratio:</source>
        <translation>Stufe:</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="150"/>
        <source>Ultra</source>
        <translation>Ultra</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="151"/>
        <source>Split</source>
        <translation>Teilen</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="155"/>
        <source> MB</source>
        <translation> MB</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="176"/>
        <location filename="../archive/compressdialog.cpp" line="324"/>
        <location filename="../archive/compressdialog.cpp" line="333"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="178"/>
        <location filename="../archive/compressdialog.cpp" line="314"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="284"/>
        <source>%1 or %2</source>
        <translation>%1 oder %2</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="312"/>
        <source>A %1 archive cannot be protected by a password; choose %2.</source>
        <translation>Ein %1-Archiv kann nicht mit einem Passwort geschützt werden; wählen Sie %2.</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="320"/>
        <source>Split zip volumes get zip&apos;s own encryption, which can be broken in minutes; .7z protects with AES. Pack anyway?</source>
        <translation>Geteilte zip-Archive erhalten die eigene Verschlüsselung von zip, die sich in Minuten brechen lässt; .7z schützt mit AES. Trotzdem packen?</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="322"/>
        <source>zip&apos;s own encryption can be broken in minutes; with 7-Zip installed (package 7zip), zips are protected with AES. Pack anyway?</source>
        <translation>Die eigene Verschlüsselung von zip lässt sich in Minuten brechen; mit 7-Zip (Paket 7zip) werden zip-Archive mit AES geschützt. Trotzdem packen?</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="324"/>
        <source>Pack</source>
        <translation>Packen</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="332"/>
        <source>%1 exists already. Replace it?</source>
        <translation>%1 gibt es schon. Ersetzen?</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="333"/>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../app/mainwindow.cpp" line="65"/>
        <source>Compress</source>
        <translation>Packen</translation>
    </message>
    <message>
        <location filename="../app/mainwindow.cpp" line="66"/>
        <source>Extract</source>
        <translation>Entpacken</translation>
    </message>
    <message>
        <location filename="../app/mainwindow.cpp" line="74"/>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <location filename="../app/mainwindow.cpp" line="72"/>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <location filename="../app/mainwindow.cpp" line="73"/>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <location filename="../app/mainwindow.cpp" line="75"/>
        <source>Clear selection</source>
        <translation>Auswahl aufheben</translation>
    </message>
    <message numerus="yes">
        <location filename="../app/mainwindow.cpp" line="104"/>
        <source>%1 · %n selected</source>
        <translation>
            <numerusform>%1 · %n ausgewählt</numerusform>
            <numerusform>%1 · %n ausgewählt</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../app/mainwindow.cpp" line="172"/>
        <source>arkive

Packs the selected files and folders into one archive (%1) and unpacks those and %2 archives into a folder of your choice.

The work is done by the standard archivers in the background; tally shows how far it has got.</source>
        <translation>arkive

Packt die ausgewählten Dateien und Ordner in ein Archiv (%1) und entpackt diese und %2-Archive in einen Ordner Ihrer Wahl.

Die Arbeit erledigen die üblichen Archivprogramme im Hintergrund; tally zeigt, wie weit sie sind.</translation>
    </message>
    <message>
        <location filename="../app/mainwindow.cpp" line="178"/>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <location filename="../archive/extractdialog.cpp" line="57"/>
        <source>Extract Dialog</source>
        <translation>Entpacken</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="76"/>
        <source>Dir</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="79"/>
        <source>Overwrite existences</source>
        <translation>Vorhandene überschreiben</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="82"/>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="90"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="91"/>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message numerus="yes">
        <location filename="../archive/extractdialog.cpp" line="125"/>
        <source>%n archives</source>
        <translation>
            <numerusform>%n Archiv</numerusform>
            <numerusform>%n Archive</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="150"/>
        <source>%1 is not an archive arkive can unpack.</source>
        <translation>%1 ist kein Archiv, das arkive entpacken kann.</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="152"/>
        <source>%1 needs %2 to be unpacked: install the package %3.</source>
        <translation>%1 braucht %2 zum Entpacken: Installieren Sie das Paket %3.</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="155"/>
        <source>%1 is encrypted: only RARLAB&apos;s unrar unpacks it (the non-free package unrar).</source>
        <translation>%1 ist verschlüsselt: Nur unrar von RARLAB entpackt es (das unfreie Paket unrar).</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="176"/>
        <location filename="../archive/extractdialog.cpp" line="194"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="176"/>
        <source>Choose the folder to unpack into.</source>
        <translation>Wählen Sie den Ordner, in den entpackt wird.</translation>
    </message>
</context>
<context>
    <name>ZFileDialog</name>
    <message>
        <location filename="../browser/zfiledialog.cpp" line="26"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../browser/zfiledialog.cpp" line="27"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location filename="../browser/zfiledialog.cpp" line="28"/>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <location filename="../browser/zfiledialog.cpp" line="41"/>
        <source>Select a file plz</source>
        <translation>Ordner wählen</translation>
    </message>
</context>
<context>
    <name>tally::TallyWindow</name>
    <message>
        <location filename="../tally/window.cpp" line="165"/>
        <location filename="../tally/window.cpp" line="369"/>
        <source>Packing</source>
        <translation>Packen</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="165"/>
        <location filename="../tally/window.cpp" line="369"/>
        <source>Unpacking</source>
        <translation>Entpacken</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="217"/>
        <source>Stop packing? Nothing will be written.</source>
        <translation>Packen abbrechen? Es wird nichts geschrieben.</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="218"/>
        <source>Stop unpacking? The files unpacked so far stay.</source>
        <translation>Entpacken abbrechen? Die bisher entpackten Dateien bleiben.</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="221"/>
        <source>Stop now</source>
        <translation>Jetzt abbrechen</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="223"/>
        <source>Go on</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="233"/>
        <source>Stop</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="235"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="368"/>
        <source>Packing: stopping</source>
        <translation>Packen: wird abgebrochen</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="368"/>
        <source>Unpacking: stopping</source>
        <translation>Entpacken: wird abgebrochen</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="370"/>
        <source>Packing done</source>
        <translation>Packen fertig</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="370"/>
        <source>Unpacking done</source>
        <translation>Entpacken fertig</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="371"/>
        <source>Packing reported errors</source>
        <translation>Packen meldete Fehler</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="371"/>
        <source>Unpacking reported errors</source>
        <translation>Entpacken meldete Fehler</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="372"/>
        <source>Packing ended early</source>
        <translation>Packen endete vorzeitig</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="372"/>
        <source>Unpacking ended early</source>
        <translation>Entpacken endete vorzeitig</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="373"/>
        <source>Packing stopped</source>
        <translation>Packen abgebrochen</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="373"/>
        <source>Unpacking stopped</source>
        <translation>Entpacken abgebrochen</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="381"/>
        <source>Entries: %1 of %2</source>
        <translation>Einträge: %1 von %2</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="382"/>
        <source>Entries: %1</source>
        <translation>Einträge: %1</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="390"/>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="398"/>
        <location filename="../tally/window.cpp" line="400"/>
        <source>Elapsed %1, left %2</source>
        <translation>Vergangen %1, verbleibend %2</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="401"/>
        <source>Elapsed %1</source>
        <translation>Vergangen %1</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="409"/>
        <source>Stopping the archiver…</source>
        <translation>Das Archivprogramm wird beendet…</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="410"/>
        <source>The archive is complete.</source>
        <translation>Das Archiv ist vollständig.</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="411"/>
        <source>All entries were unpacked.</source>
        <translation>Alle Einträge wurden entpackt.</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="412"/>
        <source>Files that existed and were kept: %1.</source>
        <translation>Vorhandene Dateien, die behalten wurden: %1.</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="415"/>
        <source>An error was reported</source>
        <translation>Ein Fehler wurde gemeldet</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="419"/>
        <source>%1 (and %2 more)</source>
        <translation>%1 (und %2 weitere)</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="426"/>
        <source>The archiver ended without saying that it had finished (entries: %1 of %2).</source>
        <translation>Das Archivprogramm endete, ohne zu melden, dass es fertig war (Einträge: %1 von %2).</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="428"/>
        <source>The archiver ended without saying that it had finished (entries: %1).</source>
        <translation>Das Archivprogramm endete, ohne zu melden, dass es fertig war (Einträge: %1).</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="430"/>
        <source>Stopped by you.</source>
        <translation>Von Ihnen abgebrochen.</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="431"/>
        <source>The archive was written.</source>
        <translation>Das Archiv wurde geschrieben.</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="432"/>
        <source>Nothing was written.</source>
        <translation>Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="434"/>
        <source>What was unpacked was added to the folder; no file that existed was replaced.</source>
        <translation>Das Entpackte wurde dem Ordner hinzugefügt; keine vorhandene Datei wurde ersetzt.</translation>
    </message>
</context>
</TS>
