<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CompressDialog</name>
    <message>
        <location filename="../archive/compressdialog.cpp" line="100"/>
        <source>Compress into an archive</source>
        <translation>In ein Archiv packen</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="119"/>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="145"/>
        <source>Password:</source>
        <translation>Passwort:</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="147"/>
        <source>Ratio:</source>
        <translation>Stufe:</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="152"/>
        <source>Ultra</source>
        <translation>Ultra</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="153"/>
        <source>Split</source>
        <translation>Teilen</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="156"/>
        <source> MB</source>
        <translation> MB</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="177"/>
        <location filename="../archive/compressdialog.cpp" line="342"/>
        <location filename="../archive/compressdialog.cpp" line="351"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="179"/>
        <location filename="../archive/compressdialog.cpp" line="332"/>
        <location filename="../archive/compressdialog.cpp" line="361"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="302"/>
        <source>%1 or %2</source>
        <translation>%1 oder %2</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="330"/>
        <source>A %1 archive cannot be protected by a password; choose %2.</source>
        <translation>Ein %1-Archiv kann nicht mit einem Passwort geschützt werden; wählen Sie %2.</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="338"/>
        <source>Split zip volumes get zip&apos;s own encryption, which can be broken in minutes; .7z protects with AES. Pack anyway?</source>
        <translation>Geteilte zip-Archive erhalten die eigene Verschlüsselung von zip, die sich in Minuten brechen lässt; .7z schützt mit AES. Trotzdem packen?</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="340"/>
        <source>zip&apos;s own encryption can be broken in minutes; with 7-Zip installed (package 7zip), zips are protected with AES. Pack anyway?</source>
        <translation>Die eigene Verschlüsselung von zip lässt sich in Minuten brechen; mit 7-Zip (Paket 7zip) werden zip-Archive mit AES geschützt. Trotzdem packen?</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="342"/>
        <source>Pack</source>
        <translation>Packen</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="350"/>
        <source>%1 exists already. Replace it?</source>
        <translation>%1 gibt es schon. Ersetzen?</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="351"/>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="359"/>
        <source>%1 is being packed now; wait until that is done, or choose another name.</source>
        <translation>%1 wird gerade gepackt; warten Sie, bis das fertig ist, oder wählen Sie einen anderen Namen.</translation>
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
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>PasswordField</name>
    <message>
        <location filename="../platform/passwordfield.cpp" line="12"/>
        <source>Show</source>
        <translation>Zeigen</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <location filename="../archive/extractdialog.cpp" line="60"/>
        <source>Extract into a folder</source>
        <translation>In einen Ordner entpacken</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="79"/>
        <source>Dir</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="82"/>
        <source>Overwrite existences</source>
        <translation>Vorhandene überschreiben</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="85"/>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="93"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message numerus="yes">
        <location filename="../archive/extractdialog.cpp" line="128"/>
        <source>%n archives</source>
        <translation>
            <numerusform>%n Archiv</numerusform>
            <numerusform>%n Archive</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="153"/>
        <source>%1 is not an archive arkive can unpack.</source>
        <translation>%1 ist kein Archiv, das arkive entpacken kann.</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="155"/>
        <source>%1 needs %2 to be unpacked: install the package %3.</source>
        <translation>%1 braucht %2 zum Entpacken: Installieren Sie das Paket %3.</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="158"/>
        <source>%1 is encrypted: only RARLAB&apos;s unrar unpacks it (the non-free package unrar).</source>
        <translation>%1 ist verschlüsselt: Nur unrar von RARLAB entpackt es (das unfreie Paket unrar).</translation>
    </message>
    <message>
        <location filename="../app/main.cpp" line="94"/>
        <location filename="../app/main.cpp" line="106"/>
        <location filename="../archive/extractdialog.cpp" line="191"/>
        <location filename="../archive/extractdialog.cpp" line="212"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="191"/>
        <source>Choose the folder to unpack into.</source>
        <translation>Wählen Sie den Ordner, in den entpackt wird.</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="206"/>
        <source>The password does not open %1; type it again.</source>
        <translation>Das Passwort öffnet %1 nicht; geben Sie es noch einmal ein.</translation>
    </message>
    <message>
        <location filename="../app/startup.cpp" line="146"/>
        <source>What interrupted jobs had left was removed:</source>
        <translation>Was unterbrochene Aufträge hinterlassen hatten, wurde entfernt:</translation>
    </message>
    <message>
        <location filename="../app/startup.cpp" line="148"/>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <location filename="../app/startup.cpp" line="151"/>
        <source>and %1 more</source>
        <translation>und %1 weitere</translation>
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
        <location filename="../archive/format.cpp" line="151"/>
        <source>bytes before the archive (a self-extracting program) were skipped</source>
        <translation>Bytes vor dem Archiv (ein selbstentpackendes Programm) wurden übersprungen</translation>
    </message>
    <message>
        <location filename="../archive/format.cpp" line="153"/>
        <source>backslashes in names were taken as folder separators</source>
        <translation>Backslashes in Namen wurden als Ordnertrenner gelesen</translation>
    </message>
    <message>
        <location filename="../archive/format.cpp" line="156"/>
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
        <source>Choose a folder</source>
        <translation>Ordner wählen</translation>
    </message>
</context>
<context>
    <name>tally::TallyWindow</name>
    <message>
        <location filename="../tally/window.cpp" line="168"/>
        <location filename="../tally/window.cpp" line="390"/>
        <source>Packing</source>
        <translation>Packen</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="168"/>
        <location filename="../tally/window.cpp" line="390"/>
        <source>Unpacking</source>
        <translation>Entpacken</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="229"/>
        <source>Stop packing? Nothing will be written.</source>
        <translation>Packen abbrechen? Es wird nichts geschrieben.</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="230"/>
        <source>Stop unpacking? The files unpacked so far stay.</source>
        <translation>Entpacken abbrechen? Die bisher entpackten Dateien bleiben.</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="233"/>
        <source>Stop now</source>
        <translation>Jetzt abbrechen</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="235"/>
        <source>Go on</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="245"/>
        <source>Stop</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="247"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="378"/>
        <source>(and %1 more)</source>
        <translation>(und %1 weitere)</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="389"/>
        <source>Packing: stopping</source>
        <translation>Packen: wird abgebrochen</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="389"/>
        <source>Unpacking: stopping</source>
        <translation>Entpacken: wird abgebrochen</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="391"/>
        <source>Packing done</source>
        <translation>Packen fertig</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="391"/>
        <source>Unpacking done</source>
        <translation>Entpacken fertig</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="392"/>
        <source>Packing done with warnings</source>
        <translation>Packen fertig, mit Warnungen</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="392"/>
        <source>Unpacking done with warnings</source>
        <translation>Entpacken fertig, mit Warnungen</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="393"/>
        <source>Packing reported errors</source>
        <translation>Packen meldete Fehler</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="393"/>
        <source>Unpacking reported errors</source>
        <translation>Entpacken meldete Fehler</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="394"/>
        <source>Packing ended early</source>
        <translation>Packen endete vorzeitig</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="394"/>
        <source>Unpacking ended early</source>
        <translation>Entpacken endete vorzeitig</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="395"/>
        <source>Packing stopped</source>
        <translation>Packen abgebrochen</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="395"/>
        <source>Unpacking stopped</source>
        <translation>Entpacken abgebrochen</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="403"/>
        <source>Entries: %1 of %2</source>
        <translation>Einträge: %1 von %2</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="404"/>
        <source>Entries: %1</source>
        <translation>Einträge: %1</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="412"/>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="420"/>
        <location filename="../tally/window.cpp" line="422"/>
        <source>Elapsed %1, left %2</source>
        <translation>Vergangen %1, verbleibend %2</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="423"/>
        <source>Elapsed %1</source>
        <translation>Vergangen %1</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="431"/>
        <source>Stopping the archiver…</source>
        <translation>Das Archivprogramm wird beendet…</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="432"/>
        <source>The archive is complete.</source>
        <translation>Das Archiv ist vollständig.</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="433"/>
        <source>All entries were unpacked.</source>
        <translation>Alle Einträge wurden entpackt.</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="435"/>
        <source>1 file was already there and was kept; the rest was unpacked.</source>
        <translation>1 Datei war schon da und wurde behalten; der Rest wurde entpackt.</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="436"/>
        <source>%1 files were already there and were kept; the rest was unpacked.</source>
        <translation>%1 Dateien waren schon da und wurden behalten; der Rest wurde entpackt.</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="443"/>
        <source>An error was reported</source>
        <translation>Ein Fehler wurde gemeldet</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="448"/>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="453"/>
        <source>%1 (and %2 more)</source>
        <translation>%1 (und %2 weitere)</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="459"/>
        <source>%1 was cut short: it was placed as %1.part.</source>
        <translation>%1 ist unvollständig: Es wurde als %1.part abgelegt.</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="460"/>
        <source>%1 was cut short and was not placed.</source>
        <translation>%1 ist unvollständig und wurde nicht abgelegt.</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="462"/>
        <source>The password is wrong: nothing was placed.</source>
        <translation>Das Passwort ist falsch: Es wurde nichts abgelegt.</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="465"/>
        <source>The archiver ended without saying that it had finished (entries: %1 of %2).</source>
        <translation>Das Archivprogramm endete, ohne zu melden, dass es fertig war (Einträge: %1 von %2).</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="467"/>
        <source>The archiver ended without saying that it had finished (entries: %1).</source>
        <translation>Das Archivprogramm endete, ohne zu melden, dass es fertig war (Einträge: %1).</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="469"/>
        <source>Stopped by you.</source>
        <translation>Von Ihnen abgebrochen.</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="471"/>
        <source>Stopping after the entry being placed…</source>
        <translation>Wird nach dem Eintrag abgebrochen, der gerade abgelegt wird…</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="472"/>
        <source>Placing %1 of %2 entries…</source>
        <translation>%1 von %2 Einträgen werden abgelegt…</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="475"/>
        <source>Stopped while placing: %1 entries were placed, each whole; the rest was removed.</source>
        <translation>Beim Ablegen abgebrochen: %1 Einträge wurden abgelegt, jeder vollständig; der Rest wurde entfernt.</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="479"/>
        <source>Ended by %1.</source>
        <translation>Beendet durch %1.</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="481"/>
        <source>Nothing was placed: what was unpacked was removed.</source>
        <translation>Es wurde nichts abgelegt: Das Entpackte wurde entfernt.</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="482"/>
        <source>The archive was written.</source>
        <translation>Das Archiv wurde geschrieben.</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="483"/>
        <source>Nothing was written.</source>
        <translation>Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="485"/>
        <source>What was unpacked was added to the folder; no file that existed was replaced.</source>
        <translation>Das Entpackte wurde dem Ordner hinzugefügt; keine vorhandene Datei wurde ersetzt.</translation>
    </message>
    <message numerus="yes">
        <location filename="../tally/window.cpp" line="408"/>
        <source>(%n volumes)</source>
        <translation>
            <numerusform>(%n Teil)</numerusform>
            <numerusform>(%n Teile)</numerusform>
        </translation>
    </message>
</context>
</TS>
