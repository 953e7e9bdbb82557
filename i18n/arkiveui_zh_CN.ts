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
        <location filename="../archive/compressdialog.cpp" line="154"/>
        <source> MB</source>
        <translation> MB</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="175"/>
        <location filename="../archive/compressdialog.cpp" line="340"/>
        <location filename="../archive/compressdialog.cpp" line="349"/>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="177"/>
        <location filename="../archive/compressdialog.cpp" line="330"/>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="300"/>
        <source>%1 or %2</source>
        <translation>%1 或 %2</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="328"/>
        <source>A %1 archive cannot be protected by a password; choose %2.</source>
        <translation>%1 归档不能用密码保护；请选择 %2。</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="336"/>
        <source>Split zip volumes get zip&apos;s own encryption, which can be broken in minutes; .7z protects with AES. Pack anyway?</source>
        <translation>分卷 zip 只能使用 zip 自带的加密，几分钟即可被破解；.7z 使用 AES 保护。仍然打包吗？</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="338"/>
        <source>zip&apos;s own encryption can be broken in minutes; with 7-Zip installed (package 7zip), zips are protected with AES. Pack anyway?</source>
        <translation>zip 自带的加密几分钟即可被破解；安装 7-Zip（软件包 7zip）后，zip 会用 AES 保护。仍然打包吗？</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="340"/>
        <source>Pack</source>
        <translation>打包</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="348"/>
        <source>%1 exists already. Replace it?</source>
        <translation>%1 已存在。要替换吗？</translation>
    </message>
    <message>
        <location filename="../archive/compressdialog.cpp" line="349"/>
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
        <location filename="../archive/extractdialog.cpp" line="58"/>
        <source>Extract Dialog</source>
        <translation>解压</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="77"/>
        <source>Dir</source>
        <translation>目录</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="80"/>
        <source>Overwrite existences</source>
        <translation>覆盖已有文件</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="83"/>
        <source>Password</source>
        <translation>密码</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="91"/>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="92"/>
        <source>Ok</source>
        <translation>确定</translation>
    </message>
    <message numerus="yes">
        <location filename="../archive/extractdialog.cpp" line="126"/>
        <source>%n archives</source>
        <translation>
            <numerusform>%n 个归档</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="151"/>
        <source>%1 is not an archive arkive can unpack.</source>
        <translation>%1 不是 arkive 能解压的归档。</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="153"/>
        <source>%1 needs %2 to be unpacked: install the package %3.</source>
        <translation>解压 %1 需要 %2：请安装软件包 %3。</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="156"/>
        <source>%1 is encrypted: only RARLAB&apos;s unrar unpacks it (the non-free package unrar).</source>
        <translation>%1 已加密：只有 RARLAB 的 unrar 能解压它（非自由软件包 unrar）。</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="189"/>
        <location filename="../archive/extractdialog.cpp" line="210"/>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="189"/>
        <source>Choose the folder to unpack into.</source>
        <translation>请选择解压到的文件夹。</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="204"/>
        <source>The password does not open %1; type it again.</source>
        <translation>此密码无法打开 %1，请重新输入。</translation>
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
        <location filename="../archive/format.cpp" line="149"/>
        <source>bytes before the archive (a self-extracting program) were skipped</source>
        <translation>已跳过归档之前的字节（自解压程序）</translation>
    </message>
    <message>
        <location filename="../archive/format.cpp" line="151"/>
        <source>backslashes in names were taken as folder separators</source>
        <translation>名称中的反斜杠被视为文件夹分隔符</translation>
    </message>
    <message>
        <location filename="../archive/format.cpp" line="154"/>
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
        <source>Select a file plz</source>
        <translation>选择文件夹</translation>
    </message>
</context>
<context>
    <name>tally::TallyWindow</name>
    <message>
        <location filename="../tally/window.cpp" line="166"/>
        <location filename="../tally/window.cpp" line="395"/>
        <source>Packing</source>
        <translation>正在压缩</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="166"/>
        <location filename="../tally/window.cpp" line="395"/>
        <source>Unpacking</source>
        <translation>正在解压</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="227"/>
        <source>Stop packing? Nothing will be written.</source>
        <translation>停止压缩？将不会写入任何内容。</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="228"/>
        <source>Stop unpacking? The files unpacked so far stay.</source>
        <translation>停止解压？已解压的文件会保留。</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="231"/>
        <source>Stop now</source>
        <translation>立即停止</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="233"/>
        <source>Go on</source>
        <translation>继续</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="243"/>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="245"/>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="383"/>
        <source>(and %1 more)</source>
        <translation>（另有 %1 个）</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="394"/>
        <source>Packing: stopping</source>
        <translation>压缩：正在停止</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="394"/>
        <source>Unpacking: stopping</source>
        <translation>解压：正在停止</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="396"/>
        <source>Packing done</source>
        <translation>压缩完成</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="396"/>
        <source>Unpacking done</source>
        <translation>解压完成</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="397"/>
        <source>Packing done with warnings</source>
        <translation>压缩完成，但有警告</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="397"/>
        <source>Unpacking done with warnings</source>
        <translation>解压完成，但有警告</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="398"/>
        <source>Packing reported errors</source>
        <translation>压缩出错</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="398"/>
        <source>Unpacking reported errors</source>
        <translation>解压出错</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="399"/>
        <source>Packing ended early</source>
        <translation>压缩提前结束</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="399"/>
        <source>Unpacking ended early</source>
        <translation>解压提前结束</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="400"/>
        <source>Packing stopped</source>
        <translation>压缩已停止</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="400"/>
        <source>Unpacking stopped</source>
        <translation>解压已停止</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="408"/>
        <source>Entries: %1 of %2</source>
        <translation>条目：%1 / %2</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="409"/>
        <source>Entries: %1</source>
        <translation>条目：%1</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="417"/>
        <source>%1 of %2</source>
        <translation>%1 / %2</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="425"/>
        <location filename="../tally/window.cpp" line="427"/>
        <source>Elapsed %1, left %2</source>
        <translation>已用 %1，剩余 %2</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="428"/>
        <source>Elapsed %1</source>
        <translation>已用 %1</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="436"/>
        <source>Stopping the archiver…</source>
        <translation>正在停止归档程序…</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="437"/>
        <source>The archive is complete.</source>
        <translation>归档已完成。</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="438"/>
        <source>All entries were unpacked.</source>
        <translation>所有条目均已解压。</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="440"/>
        <source>1 file was already there and was kept; the rest was unpacked.</source>
        <translation>1 个文件已存在并被保留；其余已解压。</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="441"/>
        <source>%1 files were already there and were kept; the rest was unpacked.</source>
        <translation>%1 个文件已存在并被保留；其余已解压。</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="448"/>
        <source>An error was reported</source>
        <translation>报告了一个错误</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="453"/>
        <source>%1: %2</source>
        <translation>%1：%2</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="458"/>
        <source>%1 (and %2 more)</source>
        <translation>%1（另有 %2 个）</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="464"/>
        <source>%1 was cut short: it was placed as %1.part.</source>
        <translation>%1 不完整：已保存为 %1.part。</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="465"/>
        <source>%1 was cut short and was not placed.</source>
        <translation>%1 不完整，未保存。</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="467"/>
        <source>The password is wrong: nothing was placed.</source>
        <translation>密码错误：未放入任何内容。</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="470"/>
        <source>The archiver ended without saying that it had finished (entries: %1 of %2).</source>
        <translation>归档程序结束了，但没有报告完成（条目：%1 / %2）。</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="472"/>
        <source>The archiver ended without saying that it had finished (entries: %1).</source>
        <translation>归档程序结束了，但没有报告完成（条目：%1）。</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="474"/>
        <source>Stopped by you.</source>
        <translation>已由您停止。</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="475"/>
        <source>The archive was written.</source>
        <translation>归档已写入。</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="476"/>
        <source>Nothing was written.</source>
        <translation>未写入任何内容。</translation>
    </message>
    <message>
        <location filename="../tally/window.cpp" line="478"/>
        <source>What was unpacked was added to the folder; no file that existed was replaced.</source>
        <translation>已解压的内容已加入文件夹；没有替换任何已有文件。</translation>
    </message>
</context>
</TS>
