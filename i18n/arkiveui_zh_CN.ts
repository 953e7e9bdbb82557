<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CompressDialog</name>
    <message>
        <location filename="../archive/compressdialog.cpp" line="98"/>
        <source>Compress Dialog</source>
        <translation>压缩</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="117"/>
        <source>Name:</source>
        <translation>名称：</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="143"/>
        <source>Password:</source>
        <translation>密码：</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="145"/>
        <source>Ratio:</source>
        <translation>压缩率：</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="150"/>
        <source>Ultra</source>
        <translation>极限</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="151"/>
        <source>Split</source>
        <translation>分卷</translation>
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
        <translation>取消</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="178"/>
        <location filename="../archive/compressdialog.cpp" line="314"/>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="284"/>
        <source>%1 or %2</source>
        <translation>%1 或 %2</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="312"/>
        <source>A %1 archive cannot be protected by a password; choose %2.</source>
        <translation>%1 归档不能用密码保护；请选择 %2。</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="320"/>
        <source>Split zip volumes get zip&apos;s own encryption, which can be broken in minutes; .7z protects with AES. Pack anyway?</source>
        <translation>分卷 zip 只能使用 zip 自带的加密，几分钟即可被破解；.7z 使用 AES 保护。仍然打包吗？</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="322"/>
        <source>zip&apos;s own encryption can be broken in minutes; with 7-Zip installed (package 7zip), zips are protected with AES. Pack anyway?</source>
        <translation>zip 自带的加密几分钟即可被破解；安装 7-Zip（软件包 7zip）后，zip 会用 AES 保护。仍然打包吗？</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="324"/>
        <source>Pack</source>
        <translation>打包</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="332"/>
        <source>%1 exists already. Replace it?</source>
        <translation>%1 已存在。要替换吗？</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="333"/>
        <source>Replace</source>
        <translation>替换</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../app/mainwindow.cpp" line="65"/>
        <source>Compress</source>
        <translation>压缩</translation>
    </message>
    <message>
        <location filename="../app/mainwindow.cpp" line="66"/>
        <source>Extract</source>
        <translation>解压</translation>
    </message>
    <message>
        <location filename="../app/mainwindow.cpp" line="72"/>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <location filename="../app/mainwindow.cpp" line="73"/>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message>
        <location filename="../app/mainwindow.cpp" line="74"/>
        <source>Refresh</source>
        <translation>刷新</translation>
    </message>
    <message>
        <location filename="../app/mainwindow.cpp" line="75"/>
        <source>Clear selection</source>
        <translation>清除选择</translation>
    </message>
    <message numerus="yes">
        <location filename="../app/mainwindow.cpp" line="104"/>
        <source>%1 · %n selected</source>
        <translation>
            <numerusform>%1 · 已选 %n 项</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../app/mainwindow.cpp" line="172"/>
        <source>arkive

Packs the selected files and folders into one archive (%1) and unpacks those and %2 archives into a folder of your choice.

The work is done by the standard archivers in the background; tally shows how far it has got.</source>
        <translation>arkive

把选中的文件和文件夹打包成一个归档（%1），并把这些以及 %2 归档解压到您选择的文件夹。

工作由标准的归档程序在后台完成；tally 显示进度。</translation>
    </message>
    <message>
        <location filename="../app/mainwindow.cpp" line="178"/>
        <source>Ok</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <location filename="../archive/extractdialog.cpp" line="57"/>
        <source>Extract Dialog</source>
        <translation>解压</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="76"/>
        <source>Dir</source>
        <translation>目录</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="79"/>
        <source>Overwrite existences</source>
        <translation>覆盖已有文件</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="82"/>
        <source>Password</source>
        <translation>密码</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="90"/>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="91"/>
        <source>Ok</source>
        <translation>确定</translation>
    </message>
    <message numerus="yes">
        <location filename="../archive/extractdialog.cpp" line="125"/>
        <source>%n archives</source>
        <translation>
            <numerusform>%n 个归档</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="150"/>
        <source>%1 is not an archive arkive can unpack.</source>
        <translation>%1 不是 arkive 能解压的归档。</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="152"/>
        <source>%1 needs %2 to be unpacked: install the package %3.</source>
        <translation>解压 %1 需要 %2：请安装软件包 %3。</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="155"/>
        <source>%1 is encrypted: only RARLAB&apos;s unrar unpacks it (the non-free package unrar).</source>
        <translation>%1 已加密：只有 RARLAB 的 unrar 能解压它（非自由软件包 unrar）。</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="176"/>
        <location filename="../archive/extractdialog.cpp" line="194"/>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="176"/>
        <source>Choose the folder to unpack into.</source>
        <translation>请选择解压到的文件夹。</translation>
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
