<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CompressDialog</name>
    <message>
        <location filename="../archive/compressdialog.cpp" line="+129"/>
        <source>Compress into an archive</source>
        <translation>In ein Archiv packen</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Password:</source>
        <translation>Passwort:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Ratio:</source>
        <translation>Stufe:</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Ultra</source>
        <translation>Ultra</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Split</source>
        <translation>Teilen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source> MB</source>
        <translation> MB</translation>
    </message>
    <message>
        <location line="+25"/>
        <location line="+180"/>
        <location line="+10"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location line="-188"/>
        <location line="+168"/>
        <location line="+30"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="-60"/>
        <source>%1 or %2</source>
        <translation>%1 oder %2</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>A %1 archive cannot be protected by a password; choose %2.</source>
        <translation>Ein %1-Archiv kann nicht mit einem Passwort geschützt werden; wählen Sie %2.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Split zip volumes get zip&apos;s own encryption, which can be broken in minutes; .7z protects with AES. Pack anyway?</source>
        <translation>Geteilte zip-Archive erhalten die eigene Verschlüsselung von zip, die sich in Minuten brechen lässt; .7z schützt mit AES. Trotzdem packen?</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>zip&apos;s own encryption can be broken in minutes; with 7-Zip installed (package 7zip), zips are protected with AES. Pack anyway?</source>
        <translation>Die eigene Verschlüsselung von zip lässt sich in Minuten brechen; mit 7-Zip (Paket 7zip) werden zip-Archive mit AES geschützt. Trotzdem packen?</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Pack</source>
        <translation>Packen</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>%1 exists already. Replace it?</source>
        <translation>%1 gibt es schon. Ersetzen?</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>%1 is being packed now; wait until that is done, or choose another name.</source>
        <translation>%1 wird gerade gepackt; warten Sie, bis das fertig ist, oder wählen Sie einen anderen Namen.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../app/mainwindow.cpp" line="+68"/>
        <source>Compress</source>
        <translation>Packen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Extract</source>
        <translation>Entpacken</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Clear selection</source>
        <translation>Auswahl aufheben</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>%1 · %2 %</source>
        <translation>%1 · %2 %</translation>
    </message>
    <message numerus="yes">
        <location line="+3"/>
        <source>%1 · %n selected</source>
        <translation>
            <numerusform>%1 · %n ausgewählt</numerusform>
            <numerusform>%1 · %n ausgewählt</numerusform>
        </translation>
    </message>
    <message>
        <location line="+50"/>
        <source>Compress packs files and folders: go back out of the archive to choose them.</source>
        <translation>Packen packt Dateien und Ordner: Gehen Sie aus dem Archiv zurück, um sie auszuwählen.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Select the files and folders to pack first.</source>
        <translation>Wählen Sie zuerst die Dateien und Ordner aus, die gepackt werden sollen.</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Select the archives to unpack first.</source>
        <translation>Wählen Sie zuerst die Archive aus, die entpackt werden sollen.</translation>
    </message>
    <message>
        <location line="+45"/>
        <source>arkive

Packs the selected files and folders into one archive (%1) and unpacks those and %2 archives into a folder of your choice.

The work is done by the standard archivers in the background; tally shows how far it has got.</source>
        <translation>arkive

Packt die ausgewählten Dateien und Ordner in ein Archiv (%1) und entpackt diese und %2-Archive in einen Ordner Ihrer Wahl.

Die Arbeit erledigen die üblichen Archivprogramme im Hintergrund; tally zeigt, wie weit sie sind.</translation>
    </message>
    <message>
        <location line="-87"/>
        <location line="+18"/>
        <location line="+5"/>
        <location line="+19"/>
        <location line="+51"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>PasswordField</name>
    <message>
        <location filename="../platform/passwordfield.cpp" line="+12"/>
        <source>Show</source>
        <translation>Zeigen</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <location filename="../archive/extractdialog.cpp" line="+67"/>
        <source>Extract into a folder</source>
        <translation>In einen Ordner entpacken</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Dir</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Overwrite existences</source>
        <translation>Vorhandene überschreiben</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>Into a folder of its own: %1</source>
        <translation>In einen eigenen Ordner: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Each into a folder of its own</source>
        <translation>Jedes in einen eigenen Ordner</translation>
    </message>
    <message>
        <location line="+75"/>
        <source>%1: the member %2 cannot be named to its tool exactly; unpack the whole archive instead.</source>
        <translation>%1: Der Eintrag %2 lässt sich seinem Programm nicht genau nennen; entpacken Sie stattdessen das ganze Archiv.</translation>
    </message>
    <message>
        <location line="-7"/>
        <source>%1 is not an archive arkive can unpack.</source>
        <translation>%1 ist kein Archiv, das arkive entpacken kann.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 needs %2 to be unpacked: install the package %3.</source>
        <translation>%1 braucht %2 zum Entpacken: Installieren Sie das Paket %3.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 is encrypted: only RARLAB&apos;s unrar unpacks it (the non-free package unrar).</source>
        <translation>%1 ist verschlüsselt: Nur unrar von RARLAB entpackt es (das unfreie Paket unrar).</translation>
    </message>
    <message>
        <location filename="../app/main.cpp" line="+95"/>
        <location line="+22"/>
        <location filename="../archive/extractdialog.cpp" line="-112"/>
        <location line="+148"/>
        <location line="+22"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="-22"/>
        <source>Choose the folder to unpack into.</source>
        <translation>Wählen Sie den Ordner, in den entpackt wird.</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>The password does not open %1; type it again.</source>
        <translation>Das Passwort öffnet %1 nicht; geben Sie es noch einmal ein.</translation>
    </message>
    <message>
        <location filename="../app/startup.cpp" line="+161"/>
        <source>What interrupted jobs had left was removed:</source>
        <translation>Was unterbrochene Aufträge hinterlassen hatten, wurde entfernt:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>and %1 more</source>
        <translation>und %1 weitere</translation>
    </message>
    <message>
        <location filename="../browser/fileview.cpp" line="+66"/>
        <source>%1 is damaged: the members before the damage are shown (%2).</source>
        <translation>%1 ist beschädigt: Die Einträge vor der beschädigten Stelle werden gezeigt (%2).</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 hides the names of its members behind a password: they cannot be shown. Extract unpacks it with the password.</source>
        <translation>%1 verbirgt die Namen seiner Einträge hinter einem Passwort: Sie können nicht gezeigt werden. Entpacken entpackt es mit dem Passwort.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 hides the names of some of its members behind a password: the others are shown.</source>
        <translation>%1 verbirgt die Namen einiger Einträge hinter einem Passwort: Die übrigen werden gezeigt.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 is not an archive arkive can open (%2).</source>
        <translation>%1 ist kein Archiv, das arkive öffnen kann (%2).</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Some members of %1 are protected by a password: Extract asks for it.</source>
        <translation>Einige Einträge von %1 sind mit einem Passwort geschützt: Entpacken fragt danach.</translation>
    </message>
</context>
<context>
    <name>SelectionDialog</name>
    <message>
        <location filename="../app/selectiondialog.cpp" line="+28"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Selected entries</source>
        <translation>Ausgewählte Einträge</translation>
    </message>
</context>
<context>
    <name>SelectionList</name>
    <message numerus="yes">
        <location filename="../browser/selectionlist.cpp" line="+98"/>
        <source>%n selected</source>
        <translation>
            <numerusform>%n ausgewählt</numerusform>
            <numerusform>%n ausgewählt</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TallyWindow</name>
    <message>
        <location filename="../archive/format.cpp" line="+135"/>
        <source>names were made relative to the folder</source>
        <translation>Namen wurden relativ zum Ordner gemacht</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>bytes after the archive&apos;s end were left alone</source>
        <translation>Bytes nach dem Ende des Archivs wurden nicht angerührt</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>extended attributes or access lists were not restored</source>
        <translation>erweiterte Attribute oder Zugriffslisten wurden nicht wiederhergestellt</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>bytes before the archive (a self-extracting program) were skipped</source>
        <translation>Bytes vor dem Archiv (ein selbstentpackendes Programm) wurden übersprungen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>backslashes in names were taken as folder separators</source>
        <translation>Backslashes in Namen wurden als Ordnertrenner gelesen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>a damaged Unicode name was left for the name beside it</source>
        <translation>ein beschädigter Unicode-Name wurde zugunsten des Namens daneben übergangen</translation>
    </message>
</context>
<context>
    <name>ZFileDialog</name>
    <message>
        <location filename="../browser/zfiledialog.cpp" line="+26"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Choose a folder</source>
        <translation>Ordner wählen</translation>
    </message>
</context>
<context>
    <name>tally::TallyWindow</name>
    <message>
        <location filename="../tally/window.cpp" line="+234"/>
        <location line="+234"/>
        <source>Packing</source>
        <translation>Packen</translation>
    </message>
    <message>
        <location line="-234"/>
        <location line="+234"/>
        <source>Unpacking</source>
        <translation>Entpacken</translation>
    </message>
    <message>
        <location line="-171"/>
        <source>Stop packing? Nothing will be written.</source>
        <translation>Packen abbrechen? Es wird nichts geschrieben.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Stop unpacking? The files unpacked so far stay.</source>
        <translation>Entpacken abbrechen? Die bisher entpackten Dateien bleiben.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Stop now</source>
        <translation>Jetzt abbrechen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Go on</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Stop</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location line="+141"/>
        <source>(and %1 more)</source>
        <translation>(und %1 weitere)</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Packing: stopping</source>
        <translation>Packen: wird abgebrochen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Unpacking: stopping</source>
        <translation>Entpacken: wird abgebrochen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Packing done</source>
        <translation>Packen fertig</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Unpacking done</source>
        <translation>Entpacken fertig</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Packing done with warnings</source>
        <translation>Packen fertig, mit Warnungen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Unpacking done with warnings</source>
        <translation>Entpacken fertig, mit Warnungen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Packing reported errors</source>
        <translation>Packen meldete Fehler</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Unpacking reported errors</source>
        <translation>Entpacken meldete Fehler</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Packing ended early</source>
        <translation>Packen endete vorzeitig</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Unpacking ended early</source>
        <translation>Entpacken endete vorzeitig</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Packing stopped</source>
        <translation>Packen abgebrochen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Unpacking stopped</source>
        <translation>Entpacken abgebrochen</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Entries: %1 of %2</source>
        <translation>Einträge: %1 von %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Entries: %1</source>
        <translation>Einträge: %1</translation>
    </message>
    <message>
        <location line="+6"/>
        <location line="+4"/>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+2"/>
        <source>Elapsed %1, left %2</source>
        <translation>Vergangen %1, verbleibend %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Elapsed %1</source>
        <translation>Vergangen %1</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Stopping the archiver…</source>
        <translation>Das Archivprogramm wird beendet…</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The archive is complete.</source>
        <translation>Das Archiv ist vollständig.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>All entries were unpacked.</source>
        <translation>Alle Einträge wurden entpackt.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>They are in the folder %1.</source>
        <translation>Sie liegen im Ordner %1.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>1 file was already there and was kept; the rest was unpacked.</source>
        <translation>1 Datei war schon da und wurde behalten; der Rest wurde entpackt.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 files were already there and were kept; the rest was unpacked.</source>
        <translation>%1 Dateien waren schon da und wurden behalten; der Rest wurde entpackt.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>An error was reported</source>
        <translation>Ein Fehler wurde gemeldet</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1 (and %2 more)</source>
        <translation>%1 (und %2 weitere)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 was cut short: it was placed as %1.part.</source>
        <translation>%1 ist unvollständig: Es wurde als %1.part abgelegt.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 was cut short and was not placed.</source>
        <translation>%1 ist unvollständig und wurde nicht abgelegt.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The password is wrong: nothing was placed.</source>
        <translation>Das Passwort ist falsch: Es wurde nichts abgelegt.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The archiver ended without saying that it had finished (entries: %1 of %2).</source>
        <translation>Das Archivprogramm endete, ohne zu melden, dass es fertig war (Einträge: %1 von %2).</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The archiver ended without saying that it had finished (entries: %1).</source>
        <translation>Das Archivprogramm endete, ohne zu melden, dass es fertig war (Einträge: %1).</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Stopped by you.</source>
        <translation>Von Ihnen abgebrochen.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Stopping after the entry being placed…</source>
        <translation>Wird nach dem Eintrag abgebrochen, der gerade abgelegt wird…</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Placing %1 of %2 entries…</source>
        <translation>%1 von %2 Einträgen werden abgelegt…</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Stopped while placing: %1 entries were placed, each whole; the rest was removed.</source>
        <translation>Beim Ablegen abgebrochen: %1 Einträge wurden abgelegt, jeder vollständig; der Rest wurde entfernt.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Ended by %1.</source>
        <translation>Beendet durch %1.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Nothing was placed: what was unpacked was removed.</source>
        <translation>Es wurde nichts abgelegt: Das Entpackte wurde entfernt.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The archive was written.</source>
        <translation>Das Archiv wurde geschrieben.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Nothing was written.</source>
        <translation>Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>What was unpacked was added to the folder; no file that existed was replaced.</source>
        <translation>Das Entpackte wurde dem Ordner hinzugefügt; keine vorhandene Datei wurde ersetzt.</translation>
    </message>
    <message numerus="yes">
        <location line="-158"/>
        <source>(%n volumes)</source>
        <translation>
            <numerusform>(%n Teil)</numerusform>
            <numerusform>(%n Teile)</numerusform>
        </translation>
    </message>
</context>
</TS>
