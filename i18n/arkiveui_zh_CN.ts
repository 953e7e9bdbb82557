<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CompressDialog</name>
    <message>
        <location filename="../archive/compressdialog.cpp" line="+129"/>
        <source>Compress into an archive</source>
        <translation>压缩为归档文件</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Name:</source>
        <translation>名称：</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Password:</source>
        <translation>密码：</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Ratio:</source>
        <translation>压缩率：</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Ultra</source>
        <translation>极限</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Split</source>
        <translation>分卷</translation>
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
        <translation>取消</translation>
    </message>
    <message>
        <location line="-188"/>
        <location line="+168"/>
        <location line="+30"/>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <location line="-60"/>
        <source>%1 or %2</source>
        <translation>%1 或 %2</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>A %1 archive cannot be protected by a password; choose %2.</source>
        <translation>%1 归档不能用密码保护；请选择 %2。</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Split zip volumes get zip&apos;s own encryption, which can be broken in minutes; .7z protects with AES. Pack anyway?</source>
        <translation>分卷 zip 只能使用 zip 自带的加密，几分钟即可被破解；.7z 使用 AES 保护。仍然打包吗？</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>zip&apos;s own encryption can be broken in minutes; with 7-Zip installed (package 7zip), zips are protected with AES. Pack anyway?</source>
        <translation>zip 自带的加密几分钟即可被破解；安装 7-Zip（软件包 7zip）后，zip 会用 AES 保护。仍然打包吗？</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Pack</source>
        <translation>打包</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>%1 exists already. Replace it?</source>
        <translation>%1 已存在。要替换吗？</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Replace</source>
        <translation>替换</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>%1 is being packed now; wait until that is done, or choose another name.</source>
        <translation>正在打包 %1；请等它完成，或另选一个名称。</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../app/mainwindow.cpp" line="+68"/>
        <source>Compress</source>
        <translation>压缩</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Extract</source>
        <translation>解压</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Refresh</source>
        <translation>刷新</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Clear selection</source>
        <translation>清除选择</translation>
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
            <numerusform>%1 · 已选 %n 项</numerusform>
        </translation>
    </message>
    <message>
        <location line="+50"/>
        <source>Compress packs files and folders: go back out of the archive to choose them.</source>
        <translation>压缩用于打包文件和文件夹：请先退出压缩包再选择。</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Select the files and folders to pack first.</source>
        <translation>请先选择要打包的文件和文件夹。</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Select the archives to unpack first.</source>
        <translation>请先选择要解压的压缩包。</translation>
    </message>
    <message>
        <location line="+45"/>
        <source>arkive

Packs the selected files and folders into one archive (%1) and unpacks those and %2 archives into a folder of your choice.

The work is done by the standard archivers in the background; tally shows how far it has got.</source>
        <translation>arkive

把选中的文件和文件夹打包成一个归档（%1），并把这些以及 %2 归档解压到您选择的文件夹。

工作由标准的归档程序在后台完成；tally 显示进度。</translation>
    </message>
    <message>
        <location line="-87"/>
        <location line="+18"/>
        <location line="+5"/>
        <location line="+19"/>
        <location line="+51"/>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>PasswordField</name>
    <message>
        <location filename="../platform/passwordfield.cpp" line="+12"/>
        <source>Show</source>
        <translation>显示</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <location filename="../archive/extractdialog.cpp" line="+67"/>
        <source>Extract into a folder</source>
        <translation>解压到文件夹</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Dir</source>
        <translation>目录</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Overwrite existences</source>
        <translation>覆盖已有文件</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Password</source>
        <translation>密码</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>Into a folder of its own: %1</source>
        <translation>解压到单独的文件夹：%1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Each into a folder of its own</source>
        <translation>各自解压到单独的文件夹</translation>
    </message>
    <message>
        <location line="+75"/>
        <source>%1: the member %2 cannot be named to its tool exactly; unpack the whole archive instead.</source>
        <translation>%1：无法把成员 %2 的名称准确地交给其工具；请改为解压整个压缩包。</translation>
    </message>
    <message>
        <location line="-7"/>
        <source>%1 is not an archive arkive can unpack.</source>
        <translation>%1 不是 arkive 能解压的归档。</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 needs %2 to be unpacked: install the package %3.</source>
        <translation>解压 %1 需要 %2：请安装软件包 %3。</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 is encrypted: only RARLAB&apos;s unrar unpacks it (the non-free package unrar).</source>
        <translation>%1 已加密：只有 RARLAB 的 unrar 能解压它（非自由软件包 unrar）。</translation>
    </message>
    <message>
        <location filename="../app/main.cpp" line="+95"/>
        <location line="+22"/>
        <location filename="../archive/extractdialog.cpp" line="-112"/>
        <location line="+148"/>
        <location line="+22"/>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <location filename="../archive/extractdialog.cpp" line="-22"/>
        <source>Choose the folder to unpack into.</source>
        <translation>请选择解压到的文件夹。</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>The password does not open %1; type it again.</source>
        <translation>此密码无法打开 %1，请重新输入。</translation>
    </message>
    <message>
        <location filename="../app/startup.cpp" line="+161"/>
        <source>What interrupted jobs had left was removed:</source>
        <translation>已删除被中断的任务留下的文件：</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 (%2)</source>
        <translation>%1（%2）</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>and %1 more</source>
        <translation>另有 %1 项</translation>
    </message>
    <message>
        <location filename="../browser/fileview.cpp" line="+66"/>
        <source>%1 is damaged: the members before the damage are shown (%2).</source>
        <translation>%1 已损坏：只显示损坏处之前的成员（%2）。</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 hides the names of its members behind a password: they cannot be shown. Extract unpacks it with the password.</source>
        <translation>%1 用密码隐藏了其成员的名称，无法显示。解压时输入密码即可解压。</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 hides the names of some of its members behind a password: the others are shown.</source>
        <translation>%1 用密码隐藏了部分成员的名称；其余成员已显示。</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 is not an archive arkive can open (%2).</source>
        <translation>%1 不是 arkive 能打开的压缩包（%2）。</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Some members of %1 are protected by a password: Extract asks for it.</source>
        <translation>%1 的部分成员受密码保护：解压时会询问密码。</translation>
    </message>
</context>
<context>
    <name>SelectionDialog</name>
    <message>
        <location filename="../app/selectiondialog.cpp" line="+28"/>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Selected entries</source>
        <translation>已选条目</translation>
    </message>
</context>
<context>
    <name>SelectionList</name>
    <message numerus="yes">
        <location filename="../browser/selectionlist.cpp" line="+98"/>
        <source>%n selected</source>
        <translation>
            <numerusform>已选 %n 项</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TallyWindow</name>
    <message>
        <location filename="../archive/format.cpp" line="+135"/>
        <source>names were made relative to the folder</source>
        <translation>名称已改为相对于文件夹的路径</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>bytes after the archive&apos;s end were left alone</source>
        <translation>归档结尾之后的字节未被处理</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>extended attributes or access lists were not restored</source>
        <translation>扩展属性或访问控制列表未恢复</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>bytes before the archive (a self-extracting program) were skipped</source>
        <translation>已跳过归档之前的字节（自解压程序）</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>backslashes in names were taken as folder separators</source>
        <translation>名称中的反斜杠被视为文件夹分隔符</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>a damaged Unicode name was left for the name beside it</source>
        <translation>损坏的 Unicode 名称被舍弃，改用其旁的名称</translation>
    </message>
</context>
<context>
    <name>ZFileDialog</name>
    <message>
        <location filename="../browser/zfiledialog.cpp" line="+26"/>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Back</source>
        <translation>返回</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Choose a folder</source>
        <translation>选择文件夹</translation>
    </message>
</context>
<context>
    <name>tally::TallyWindow</name>
    <message>
        <location filename="../tally/window.cpp" line="+234"/>
        <location line="+234"/>
        <source>Packing</source>
        <translation>正在压缩</translation>
    </message>
    <message>
        <location line="-234"/>
        <location line="+234"/>
        <source>Unpacking</source>
        <translation>正在解压</translation>
    </message>
    <message>
        <location line="-171"/>
        <source>Stop packing? Nothing will be written.</source>
        <translation>停止压缩？将不会写入任何内容。</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Stop unpacking? The files unpacked so far stay.</source>
        <translation>停止解压？已解压的文件会保留。</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Stop now</source>
        <translation>立即停止</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Go on</source>
        <translation>继续</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <location line="+141"/>
        <source>(and %1 more)</source>
        <translation>（另有 %1 个）</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Packing: stopping</source>
        <translation>压缩：正在停止</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Unpacking: stopping</source>
        <translation>解压：正在停止</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Packing done</source>
        <translation>压缩完成</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Unpacking done</source>
        <translation>解压完成</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Packing done with warnings</source>
        <translation>压缩完成，但有警告</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Unpacking done with warnings</source>
        <translation>解压完成，但有警告</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Packing reported errors</source>
        <translation>压缩出错</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Unpacking reported errors</source>
        <translation>解压出错</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Packing ended early</source>
        <translation>压缩提前结束</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Unpacking ended early</source>
        <translation>解压提前结束</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Packing stopped</source>
        <translation>压缩已停止</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Unpacking stopped</source>
        <translation>解压已停止</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Entries: %1 of %2</source>
        <translation>条目：%1 / %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Entries: %1</source>
        <translation>条目：%1</translation>
    </message>
    <message>
        <location line="+6"/>
        <location line="+4"/>
        <source>%1 of %2</source>
        <translation>%1 / %2</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+2"/>
        <source>Elapsed %1, left %2</source>
        <translation>已用 %1，剩余 %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Elapsed %1</source>
        <translation>已用 %1</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Stopping the archiver…</source>
        <translation>正在停止归档程序…</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The archive is complete.</source>
        <translation>归档已完成。</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>All entries were unpacked.</source>
        <translation>所有条目均已解压。</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>They are in the folder %1.</source>
        <translation>它们在文件夹 %1 中。</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>1 file was already there and was kept; the rest was unpacked.</source>
        <translation>1 个文件已存在并被保留；其余已解压。</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 files were already there and were kept; the rest was unpacked.</source>
        <translation>%1 个文件已存在并被保留；其余已解压。</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>An error was reported</source>
        <translation>报告了一个错误</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1: %2</source>
        <translation>%1：%2</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1 (and %2 more)</source>
        <translation>%1（另有 %2 个）</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 was cut short: it was placed as %1.part.</source>
        <translation>%1 不完整：已保存为 %1.part。</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 was cut short and was not placed.</source>
        <translation>%1 不完整，未保存。</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The password is wrong: nothing was placed.</source>
        <translation>密码错误：未放入任何内容。</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The archiver ended without saying that it had finished (entries: %1 of %2).</source>
        <translation>归档程序结束了，但没有报告完成（条目：%1 / %2）。</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The archiver ended without saying that it had finished (entries: %1).</source>
        <translation>归档程序结束了，但没有报告完成（条目：%1）。</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Stopped by you.</source>
        <translation>已由您停止。</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Stopping after the entry being placed…</source>
        <translation>放置完当前条目后停止…</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Placing %1 of %2 entries…</source>
        <translation>正在放置 %2 个条目中的 %1 个…</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Stopped while placing: %1 entries were placed, each whole; the rest was removed.</source>
        <translation>放置时已停止：已完整放置 %1 个条目；其余已删除。</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Ended by %1.</source>
        <translation>被 %1 结束。</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Nothing was placed: what was unpacked was removed.</source>
        <translation>未放置任何内容：已解包的内容已删除。</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The archive was written.</source>
        <translation>归档已写入。</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Nothing was written.</source>
        <translation>未写入任何内容。</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>What was unpacked was added to the folder; no file that existed was replaced.</source>
        <translation>已解压的内容已加入文件夹；没有替换任何已有文件。</translation>
    </message>
    <message numerus="yes">
        <location line="-158"/>
        <source>(%n volumes)</source>
        <translation>
            <numerusform>（%n 个分卷）</numerusform>
        </translation>
    </message>
</context>
</TS>
