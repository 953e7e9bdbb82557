<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CompressDialog</name>
    <message>
        <location filename="../archive/compressdialog.cpp" line="100"/>
        <source>Compress into an archive</source>
        <translation>压缩为归档文件</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="119"/>
        <source>Name:</source>
        <translation>名称：</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="145"/>
        <source>Password:</source>
        <translation>密码：</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="147"/>
        <source>Ratio:</source>
        <translation>压缩率：</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="152"/>
        <source>Ultra</source>
        <translation>极限</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="153"/>
        <source>Split</source>
        <translation>分卷</translation>
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
        <translation>取消</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="179"/>
        <location filename="../archive/compressdialog.cpp" line="332"/>
        <location filename="../archive/compressdialog.cpp" line="361"/>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="302"/>
        <source>%1 or %2</source>
        <translation>%1 或 %2</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="330"/>
        <source>A %1 archive cannot be protected by a password; choose %2.</source>
        <translation>%1 归档不能用密码保护；请选择 %2。</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="338"/>
        <source>Split zip volumes get zip&apos;s own encryption, which can be broken in minutes; .7z protects with AES. Pack anyway?</source>
        <translation>分卷 zip 只能使用 zip 自带的加密，几分钟即可被破解；.7z 使用 AES 保护。仍然打包吗？</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="340"/>
        <source>zip&apos;s own encryption can be broken in minutes; with 7-Zip installed (package 7zip), zips are protected with AES. Pack anyway?</source>
        <translation>zip 自带的加密几分钟即可被破解；安装 7-Zip（软件包 7zip）后，zip 会用 AES 保护。仍然打包吗？</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="342"/>
        <source>Pack</source>
        <translation>打包</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="350"/>
        <source>%1 exists already. Replace it?</source>
        <translation>%1 已存在。要替换吗？</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="351"/>
        <source>Replace</source>
        <translation>替换</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="359"/>
        <source>%1 is being packed now; wait until that is done, or choose another name.</source>
        <translation>正在打包 %1；请等它完成，或另选一个名称。</translation>
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
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>PasswordField</name>
    <message>
        <location filename="../platform/passwordfield.cpp" line="12"/>
        <source>Show</source>
        <translation>显示</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <location filename="../archive/extractdialog.cpp" line="60"/>
        <source>Extract into a folder</source>
        <translation>解压到文件夹</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="79"/>
        <source>Dir</source>
        <translation>目录</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="82"/>
        <source>Overwrite existences</source>
        <translation>覆盖已有文件</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="85"/>
        <source>Password</source>
        <translation>密码</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="93"/>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message numerus="yes">
        <location filename="../archive/extractdialog.cpp" line="128"/>
        <source>%n archives</source>
        <translation>
            <numerusform>%n 个归档</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="153"/>
        <source>%1 is not an archive arkive can unpack.</source>
        <translation>%1 不是 arkive 能解压的归档。</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="155"/>
        <source>%1 needs %2 to be unpacked: install the package %3.</source>
        <translation>解压 %1 需要 %2：请安装软件包 %3。</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="158"/>
        <source>%1 is encrypted: only RARLAB&apos;s unrar unpacks it (the non-free package unrar).</source>
        <translation>%1 已加密：只有 RARLAB 的 unrar 能解压它（非自由软件包 unrar）。</translation>
    </message>
    <message>
        <location filename="../app/main.cpp" line="94"/>
        <location filename="../app/main.cpp" line="106"/>
        <location filename="../archive/extractdialog.cpp" line="191"/>
        <location filename="../archive/extractdialog.cpp" line="212"/>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="191"/>
        <source>Choose the folder to unpack into.</source>
        <translation>请选择解压到的文件夹。</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="206"/>
        <source>The password does not open %1; type it again.</source>
        <translation>此密码无法打开 %1，请重新输入。</translation>
    </message>
    <message>
        <location filename="../app/startup.cpp" line="146"/>
        <source>What interrupted jobs had left was removed:</source>
        <translation>已删除被中断的任务留下的文件：</translation>
    </message>
    <message>
        <location filename="../app/startup.cpp" line="148"/>
        <source>%1 (%2)</source>
        <translation>%1（%2）</translation>
    </message>
    <message>
        <location filename="../app/startup.cpp" line="151"/>
        <source>and %1 more</source>
        <translation>另有 %1 项</translation>
    </message>
</context>
<context>
    <name>TallyWindow</name>
    <message>
        <location filename="../archive/format.cpp" line="129"/>
        <source>names were made relative to the folder</source>
        <translation>名称已改为相对于文件夹的路径</translation>
    </message>
    <message>
        <location filename="../archive/format.cpp" line="130"/>
        <source>bytes after the archive&apos;s end were left alone</source>
        <translation>归档结尾之后的字节未被处理</translation>
    </message>
    <message>
        <location filename="../archive/format.cpp" line="136"/>
        <source>extended attributes or access lists were not restored</source>
        <translation>扩展属性或访问控制列表未恢复</translation>
    </message>
    <message>
        <location filename="../archive/format.cpp" line="151"/>
        <source>bytes before the archive (a self-extracting program) were skipped</source>
        <translation>已跳过归档之前的字节（自解压程序）</translation>
    </message>
    <message>
        <location filename="../archive/format.cpp" line="153"/>
        <source>backslashes in names were taken as folder separators</source>
        <translation>名称中的反斜杠被视为文件夹分隔符</translation>
    </message>
    <message>
        <location filename="../archive/format.cpp" line="156"/>
        <source>a damaged Unicode name was left for the name beside it</source>
        <translation>损坏的 Unicode 名称被舍弃，改用其旁的名称</translation>
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
        <source>Choose a folder</source>
        <translation>选择文件夹</translation>
    </message>
</context>
<context>
    <name>tally::TallyWindow</name>
    <message>
        <location filename="../tally/window.cpp" line="168"/>
        <location filename="../tally/window.cpp" line="390"/>
        <source>Packing</source>
        <translation>正在压缩</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="168"/>
        <location filename="../tally/window.cpp" line="390"/>
        <source>Unpacking</source>
        <translation>正在解压</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="229"/>
        <source>Stop packing? Nothing will be written.</source>
        <translation>停止压缩？将不会写入任何内容。</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="230"/>
        <source>Stop unpacking? The files unpacked so far stay.</source>
        <translation>停止解压？已解压的文件会保留。</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="233"/>
        <source>Stop now</source>
        <translation>立即停止</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="235"/>
        <source>Go on</source>
        <translation>继续</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="245"/>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="247"/>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="378"/>
        <source>(and %1 more)</source>
        <translation>（另有 %1 个）</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="389"/>
        <source>Packing: stopping</source>
        <translation>压缩：正在停止</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="389"/>
        <source>Unpacking: stopping</source>
        <translation>解压：正在停止</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="391"/>
        <source>Packing done</source>
        <translation>压缩完成</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="391"/>
        <source>Unpacking done</source>
        <translation>解压完成</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="392"/>
        <source>Packing done with warnings</source>
        <translation>压缩完成，但有警告</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="392"/>
        <source>Unpacking done with warnings</source>
        <translation>解压完成，但有警告</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="393"/>
        <source>Packing reported errors</source>
        <translation>压缩出错</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="393"/>
        <source>Unpacking reported errors</source>
        <translation>解压出错</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="394"/>
        <source>Packing ended early</source>
        <translation>压缩提前结束</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="394"/>
        <source>Unpacking ended early</source>
        <translation>解压提前结束</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="395"/>
        <source>Packing stopped</source>
        <translation>压缩已停止</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="395"/>
        <source>Unpacking stopped</source>
        <translation>解压已停止</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="403"/>
        <source>Entries: %1 of %2</source>
        <translation>条目：%1 / %2</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="404"/>
        <source>Entries: %1</source>
        <translation>条目：%1</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="412"/>
        <source>%1 of %2</source>
        <translation>%1 / %2</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="420"/>
        <location filename="../tally/window.cpp" line="422"/>
        <source>Elapsed %1, left %2</source>
        <translation>已用 %1，剩余 %2</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="423"/>
        <source>Elapsed %1</source>
        <translation>已用 %1</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="431"/>
        <source>Stopping the archiver…</source>
        <translation>正在停止归档程序…</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="432"/>
        <source>The archive is complete.</source>
        <translation>归档已完成。</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="433"/>
        <source>All entries were unpacked.</source>
        <translation>所有条目均已解压。</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="435"/>
        <source>1 file was already there and was kept; the rest was unpacked.</source>
        <translation>1 个文件已存在并被保留；其余已解压。</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="436"/>
        <source>%1 files were already there and were kept; the rest was unpacked.</source>
        <translation>%1 个文件已存在并被保留；其余已解压。</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="443"/>
        <source>An error was reported</source>
        <translation>报告了一个错误</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="448"/>
        <source>%1: %2</source>
        <translation>%1：%2</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="453"/>
        <source>%1 (and %2 more)</source>
        <translation>%1（另有 %2 个）</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="459"/>
        <source>%1 was cut short: it was placed as %1.part.</source>
        <translation>%1 不完整：已保存为 %1.part。</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="460"/>
        <source>%1 was cut short and was not placed.</source>
        <translation>%1 不完整，未保存。</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="462"/>
        <source>The password is wrong: nothing was placed.</source>
        <translation>密码错误：未放入任何内容。</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="465"/>
        <source>The archiver ended without saying that it had finished (entries: %1 of %2).</source>
        <translation>归档程序结束了，但没有报告完成（条目：%1 / %2）。</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="467"/>
        <source>The archiver ended without saying that it had finished (entries: %1).</source>
        <translation>归档程序结束了，但没有报告完成（条目：%1）。</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="469"/>
        <source>Stopped by you.</source>
        <translation>已由您停止。</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="471"/>
        <source>Stopping after the entry being placed…</source>
        <translation>放置完当前条目后停止…</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="472"/>
        <source>Placing %1 of %2 entries…</source>
        <translation>正在放置 %2 个条目中的 %1 个…</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="475"/>
        <source>Stopped while placing: %1 entries were placed, each whole; the rest was removed.</source>
        <translation>放置时已停止：已完整放置 %1 个条目；其余已删除。</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="479"/>
        <source>Ended by %1.</source>
        <translation>被 %1 结束。</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="481"/>
        <source>Nothing was placed: what was unpacked was removed.</source>
        <translation>未放置任何内容：已解包的内容已删除。</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="482"/>
        <source>The archive was written.</source>
        <translation>归档已写入。</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="483"/>
        <source>Nothing was written.</source>
        <translation>未写入任何内容。</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="485"/>
        <source>What was unpacked was added to the folder; no file that existed was replaced.</source>
        <translation>已解压的内容已加入文件夹；没有替换任何已有文件。</translation>
    </message>
    <message numerus="yes">
        <location filename="../tally/window.cpp" line="408"/>
        <source>(%n volumes)</source>
        <translation>
            <numerusform>（%n 个分卷）</numerusform>
        </translation>
    </message>
</context>
</TS>
