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
        <location filename="../archive/compressdialog.cpp" line="154"/>
        <source> MB</source>
        <translation> MB</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="175"/>
        <location filename="../archive/compressdialog.cpp" line="340"/>
        <location filename="../archive/compressdialog.cpp" line="349"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="177"/>
        <location filename="../archive/compressdialog.cpp" line="330"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="300"/>
        <source>%1 or %2</source>
        <translation>%1 oder %2</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="328"/>
        <source>A %1 archive cannot be protected by a password; choose %2.</source>
        <translation>Ein %1-Archiv kann nicht mit einem Passwort geschützt werden; wählen Sie %2.</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="336"/>
        <source>Split zip volumes get zip&apos;s own encryption, which can be broken in minutes; .7z protects with AES. Pack anyway?</source>
        <translation>Geteilte zip-Archive erhalten die eigene Verschlüsselung von zip, die sich in Minuten brechen lässt; .7z schützt mit AES. Trotzdem packen?</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="338"/>
        <source>zip&apos;s own encryption can be broken in minutes; with 7-Zip installed (package 7zip), zips are protected with AES. Pack anyway?</source>
        <translation>Die eigene Verschlüsselung von zip lässt sich in Minuten brechen; mit 7-Zip (Paket 7zip) werden zip-Archive mit AES geschützt. Trotzdem packen?</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="340"/>
        <source>Pack</source>
        <translation>Packen</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="348"/>
        <source>%1 exists already. Replace it?</source>
        <translation>%1 gibt es schon. Ersetzen?</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="349"/>
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
        <location filename="../archive/extractdialog.cpp" line="58"/>
        <source>Extract Dialog</source>
        <translation>Entpacken</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="77"/>
        <source>Dir</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="80"/>
        <source>Overwrite existences</source>
        <translation>Vorhandene überschreiben</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="83"/>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="91"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="92"/>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message numerus="yes">
        <location filename="../archive/extractdialog.cpp" line="126"/>
        <source>%n archives</source>
        <translation>
            <numerusform>%n Archiv</numerusform>
            <numerusform>%n Archive</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="151"/>
        <source>%1 is not an archive arkive can unpack.</source>
        <translation>%1 ist kein Archiv, das arkive entpacken kann.</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="153"/>
        <source>%1 needs %2 to be unpacked: install the package %3.</source>
        <translation>%1 braucht %2 zum Entpacken: Installieren Sie das Paket %3.</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="156"/>
        <source>%1 is encrypted: only RARLAB&apos;s unrar unpacks it (the non-free package unrar).</source>
        <translation>%1 ist verschlüsselt: Nur unrar von RARLAB entpackt es (das unfreie Paket unrar).</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="189"/>
        <location filename="../archive/extractdialog.cpp" line="210"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="189"/>
        <source>Choose the folder to unpack into.</source>
        <translation>Wählen Sie den Ordner, in den entpackt wird.</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="204"/>
        <source>The password does not open %1; type it again.</source>
        <translation>Das Passwort öffnet %1 nicht; geben Sie es noch einmal ein.</translation>
    </message>
</context>
<context>
    <name>TallyWindow</name>
    <message>
        <location filename="../archive/format.cpp" line="129"/>
        <source>names were made relative to the folder</source>
        <translation>Namen wurden relativ zum Ordner gemacht</translation>
    </message>
    <message>
        <location filename="../archive/format.cpp" line="130"/>
        <source>bytes after the archive&apos;s end were left alone</source>
        <translation>Bytes nach dem Ende des Archivs wurden nicht angerührt</translation>
    </message>
    <message>
        <location filename="../archive/format.cpp" line="136"/>
        <source>extended attributes or access lists were not restored</source>
        <translation>erweiterte Attribute oder Zugriffslisten wurden nicht wiederhergestellt</translation>
    </message>
    <message>
        <location filename="../archive/format.cpp" line="149"/>
        <source>bytes before the archive (a self-extracting program) were skipped</source>
        <translation>Bytes vor dem Archiv (ein selbstentpackendes Programm) wurden übersprungen</translation>
    </message>
    <message>
        <location filename="../archive/format.cpp" line="151"/>
        <source>backslashes in names were taken as folder separators</source>
        <translation>Backslashes in Namen wurden als Ordnertrenner gelesen</translation>
    </message>
    <message>
        <location filename="../archive/format.cpp" line="154"/>
        <source>a damaged Unicode name was left for the name beside it</source>
        <translation>ein beschädigter Unicode-Name wurde zugunsten des Namens daneben übergangen</translation>
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
        <location filename="../tally/window.cpp" line="166"/>
        <location filename="../tally/window.cpp" line="395"/>
        <source>Packing</source>
        <translation>Packen</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="166"/>
        <location filename="../tally/window.cpp" line="395"/>
        <source>Unpacking</source>
        <translation>Entpacken</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="227"/>
        <source>Stop packing? Nothing will be written.</source>
        <translation>Packen abbrechen? Es wird nichts geschrieben.</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="228"/>
        <source>Stop unpacking? The files unpacked so far stay.</source>
        <translation>Entpacken abbrechen? Die bisher entpackten Dateien bleiben.</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="231"/>
        <source>Stop now</source>
        <translation>Jetzt abbrechen</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="233"/>
        <source>Go on</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="243"/>
        <source>Stop</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="245"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="383"/>
        <source>(and %1 more)</source>
        <translation>(und %1 weitere)</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="394"/>
        <source>Packing: stopping</source>
        <translation>Packen: wird abgebrochen</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="394"/>
        <source>Unpacking: stopping</source>
        <translation>Entpacken: wird abgebrochen</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="396"/>
        <source>Packing done</source>
        <translation>Packen fertig</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="396"/>
        <source>Unpacking done</source>
        <translation>Entpacken fertig</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="397"/>
        <source>Packing done with warnings</source>
        <translation>Packen fertig, mit Warnungen</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="397"/>
        <source>Unpacking done with warnings</source>
        <translation>Entpacken fertig, mit Warnungen</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="398"/>
        <source>Packing reported errors</source>
        <translation>Packen meldete Fehler</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="398"/>
        <source>Unpacking reported errors</source>
        <translation>Entpacken meldete Fehler</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="399"/>
        <source>Packing ended early</source>
        <translation>Packen endete vorzeitig</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="399"/>
        <source>Unpacking ended early</source>
        <translation>Entpacken endete vorzeitig</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="400"/>
        <source>Packing stopped</source>
        <translation>Packen abgebrochen</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="400"/>
        <source>Unpacking stopped</source>
        <translation>Entpacken abgebrochen</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="408"/>
        <source>Entries: %1 of %2</source>
        <translation>Einträge: %1 von %2</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="409"/>
        <source>Entries: %1</source>
        <translation>Einträge: %1</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="417"/>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="425"/>
        <location filename="../tally/window.cpp" line="427"/>
        <source>Elapsed %1, left %2</source>
        <translation>Vergangen %1, verbleibend %2</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="428"/>
        <source>Elapsed %1</source>
        <translation>Vergangen %1</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="436"/>
        <source>Stopping the archiver…</source>
        <translation>Das Archivprogramm wird beendet…</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="437"/>
        <source>The archive is complete.</source>
        <translation>Das Archiv ist vollständig.</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="438"/>
        <source>All entries were unpacked.</source>
        <translation>Alle Einträge wurden entpackt.</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="440"/>
        <source>1 file was already there and was kept; the rest was unpacked.</source>
        <translation>1 Datei war schon da und wurde behalten; der Rest wurde entpackt.</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="441"/>
        <source>%1 files were already there and were kept; the rest was unpacked.</source>
        <translation>%1 Dateien waren schon da und wurden behalten; der Rest wurde entpackt.</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="448"/>
        <source>An error was reported</source>
        <translation>Ein Fehler wurde gemeldet</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="453"/>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="458"/>
        <source>%1 (and %2 more)</source>
        <translation>%1 (und %2 weitere)</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="464"/>
        <source>%1 was cut short: it was placed as %1.part.</source>
        <translation>%1 ist unvollständig: Es wurde als %1.part abgelegt.</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="465"/>
        <source>%1 was cut short and was not placed.</source>
        <translation>%1 ist unvollständig und wurde nicht abgelegt.</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="467"/>
        <source>The password is wrong: nothing was placed.</source>
        <translation>Das Passwort ist falsch: Es wurde nichts abgelegt.</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="470"/>
        <source>The archiver ended without saying that it had finished (entries: %1 of %2).</source>
        <translation>Das Archivprogramm endete, ohne zu melden, dass es fertig war (Einträge: %1 von %2).</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="472"/>
        <source>The archiver ended without saying that it had finished (entries: %1).</source>
        <translation>Das Archivprogramm endete, ohne zu melden, dass es fertig war (Einträge: %1).</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="474"/>
        <source>Stopped by you.</source>
        <translation>Von Ihnen abgebrochen.</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="475"/>
        <source>The archive was written.</source>
        <translation>Das Archiv wurde geschrieben.</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="476"/>
        <source>Nothing was written.</source>
        <translation>Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="478"/>
        <source>What was unpacked was added to the folder; no file that existed was replaced.</source>
        <translation>Das Entpackte wurde dem Ordner hinzugefügt; keine vorhandene Datei wurde ersetzt.</translation>
    </message>
</context>
</TS>
