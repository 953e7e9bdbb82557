<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CompressDialog</name>
    <message>
        <location filename="../archive/compressdialog.cpp" line="96"/>
        <source>Compress Dialog</source>
        <translation>压缩</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="115"/>
        <source>Name:</source>
        <translation>名称：</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="141"/>
        <source>Password:</source>
        <translation>密码：</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="143"/>
        <source>Ratio:</source>
        <translation>压缩率：</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="148"/>
        <source>Ultra</source>
        <translation>极限</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="149"/>
        <source>Split</source>
        <translation>分卷</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="153"/>
        <source> MB</source>
        <translation> MB</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="174"/>
        <location filename="../archive/compressdialog.cpp" line="286"/>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="176"/>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="285"/>
        <source>%1 exists already. Replace it?</source>
        <translation>%1 已存在。要替换吗？</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="286"/>
        <source>Replace</source>
        <translation>替换</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../app/mainwindow.cpp" line="63"/>
        <source>Compress</source>
        <translation>压缩</translation>
    </message>
    <message>
        <location filename="../app/mainwindow.cpp" line="64"/>
        <source>Extract</source>
        <translation>解压</translation>
    </message>
    <message>
        <location filename="../app/mainwindow.cpp" line="70"/>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <location filename="../app/mainwindow.cpp" line="71"/>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message>
        <location filename="../app/mainwindow.cpp" line="72"/>
        <source>Refresh</source>
        <translation>刷新</translation>
    </message>
    <message>
        <location filename="../app/mainwindow.cpp" line="73"/>
        <source>Clear selection</source>
        <translation>清除选择</translation>
    </message>
    <message numerus="yes">
        <location filename="../app/mainwindow.cpp" line="102"/>
        <source>%1 · %n selected</source>
        <translation>
            <numerusform>%1 · 已选 %n 项</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../app/mainwindow.cpp" line="165"/>
        <source>arkive

Packs the selected files and folders into one archive (tar, tar.gz, tar.bz2, tar.xz, tar.lz, tar.lzo, tar.lzma or zip) and unpacks tar, zip and rar archives into a folder of your choice.

The work is done by the standard archivers in the background; tally shows how far it has got.</source>
        <translation>arkive

把选中的文件和文件夹打包成一个归档（tar、tar.gz、tar.bz2、tar.xz、tar.lz、tar.lzo、tar.lzma 或 zip），并把 tar、zip 和 rar 归档解压到您选择的文件夹。

工作由标准的归档程序在后台完成；tally 显示进度。</translation>
    </message>
    <message>
        <location filename="../app/mainwindow.cpp" line="171"/>
        <source>Ok</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <location filename="../archive/extractdialog.cpp" line="56"/>
        <source>Extract Dialog</source>
        <translation>解压</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="75"/>
        <source>Dir</source>
        <translation>目录</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="78"/>
        <source>Overwrite existences</source>
        <translation>覆盖已有文件</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="81"/>
        <source>Password</source>
        <translation>密码</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="89"/>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="90"/>
        <source>Ok</source>
        <translation>确定</translation>
    </message>
    <message numerus="yes">
        <location filename="../archive/extractdialog.cpp" line="124"/>
        <source>%n archives</source>
        <translation>
            <numerusform>%n 个归档</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="161"/>
        <source>%1 is not an archive arkive can unpack.</source>
        <translation>%1 不是 arkive 能解压的归档。</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="163"/>
        <source>%1 was not unpacked: its archiver would take * or ? in its name, or * in the output folder, as a pattern.</source>
        <translation>%1 未解压：归档程序会把名称中的 * 或 ?，或输出文件夹中的 *，当作通配符。</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="170"/>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>ZFileDialog</name>
    <message>
        <location filename="../browser/zfiledialog.cpp" line="26"/>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <location filename="../browser/zfiledialog.cpp" line="27"/>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <location filename="../browser/zfiledialog.cpp" line="28"/>
        <source>Back</source>
        <translation>返回</translation>
    </message>
    <message>
        <location filename="../browser/zfiledialog.cpp" line="41"/>
        <source>Select a file plz</source>
        <translation>选择文件夹</translation>
    </message>
</context>
<context>
    <name>tally::TallyWindow</name>
    <message>
        <location filename="../tally/window.cpp" line="165"/>
        <location filename="../tally/window.cpp" line="369"/>
        <source>Packing</source>
        <translation>正在压缩</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="165"/>
        <location filename="../tally/window.cpp" line="369"/>
        <source>Unpacking</source>
        <translation>正在解压</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="217"/>
        <source>Stop packing? Nothing will be written.</source>
        <translation>停止压缩？将不会写入任何内容。</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="218"/>
        <source>Stop unpacking? The files unpacked so far stay.</source>
        <translation>停止解压？已解压的文件会保留。</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="221"/>
        <source>Stop now</source>
        <translation>立即停止</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="223"/>
        <source>Go on</source>
        <translation>继续</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="233"/>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="235"/>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="368"/>
        <source>Packing: stopping</source>
        <translation>压缩：正在停止</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="368"/>
        <source>Unpacking: stopping</source>
        <translation>解压：正在停止</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="370"/>
        <source>Packing done</source>
        <translation>压缩完成</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="370"/>
        <source>Unpacking done</source>
        <translation>解压完成</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="371"/>
        <source>Packing reported errors</source>
        <translation>压缩出错</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="371"/>
        <source>Unpacking reported errors</source>
        <translation>解压出错</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="372"/>
        <source>Packing ended early</source>
        <translation>压缩提前结束</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="372"/>
        <source>Unpacking ended early</source>
        <translation>解压提前结束</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="373"/>
        <source>Packing stopped</source>
        <translation>压缩已停止</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="373"/>
        <source>Unpacking stopped</source>
        <translation>解压已停止</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="381"/>
        <source>Entries: %1 of %2</source>
        <translation>条目：%1 / %2</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="382"/>
        <source>Entries: %1</source>
        <translation>条目：%1</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="390"/>
        <source>%1 of %2</source>
        <translation>%1 / %2</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="398"/>
        <location filename="../tally/window.cpp" line="400"/>
        <source>Elapsed %1, left %2</source>
        <translation>已用 %1，剩余 %2</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="401"/>
        <source>Elapsed %1</source>
        <translation>已用 %1</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="409"/>
        <source>Stopping the archiver…</source>
        <translation>正在停止归档程序…</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="410"/>
        <source>The archive is complete.</source>
        <translation>归档已完成。</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="411"/>
        <source>All entries were unpacked.</source>
        <translation>所有条目均已解压。</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="412"/>
        <source>Files that existed and were kept: %1.</source>
        <translation>保留的已有文件：%1。</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="415"/>
        <source>An error was reported</source>
        <translation>报告了一个错误</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="419"/>
        <source>%1 (and %2 more)</source>
        <translation>%1（另有 %2 个）</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="426"/>
        <source>The archiver ended without saying that it had finished (entries: %1 of %2).</source>
        <translation>归档程序结束了，但没有报告完成（条目：%1 / %2）。</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="428"/>
        <source>The archiver ended without saying that it had finished (entries: %1).</source>
        <translation>归档程序结束了，但没有报告完成（条目：%1）。</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="430"/>
        <source>Stopped by you.</source>
        <translation>已由您停止。</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="431"/>
        <source>The archive was written.</source>
        <translation>归档已写入。</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="432"/>
        <source>Nothing was written.</source>
        <translation>未写入任何内容。</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="434"/>
        <source>What was unpacked was added to the folder; no file that existed was replaced.</source>
        <translation>已解压的内容已加入文件夹；没有替换任何已有文件。</translation>
    </message>
</context>
</TS>
