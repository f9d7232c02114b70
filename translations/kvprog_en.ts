<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>kv::Backups</name>
    <message>
        <source>无法创建文件夹“%1”</source>
        <translation>Cannot create the folder “%1”</translation>
    </message>
    <message>
        <source>备份“%1”写入后已不存在</source>
        <translation>The backup “%1” was gone after it was written</translation>
    </message>
</context>
<context>
    <name>kv::BoundedRead</name>
    <message>
        <source>文件不存在</source>
        <translation>no such file</translation>
    </message>
    <message>
        <source>这是一个文件夹</source>
        <translation>is a directory</translation>
    </message>
    <message>
        <source>文件过大</source>
        <translation>too large</translation>
    </message>
</context>
<context>
    <name>kv::CellEntry</name>
    <message>
        <source>“%1”不是频率</source>
        <translation>“%1” is not a frequency</translation>
    </message>
    <message>
        <source>请在正确的频率范围输入</source>
        <translation>Please enter a frequency within %1</translation>
    </message>
    <message>
        <source>输入的频率需为6.25K或5K的整数</source>
        <translation>The frequency must be a multiple of 6.25 kHz or 5 kHz</translation>
    </message>
    <message>
        <source>当前机型没有频段，无法检查频率</source>
        <translation>The model has no band, the frequency cannot be checked</translation>
    </message>
    <message>
        <source>“%1”不在可选列表中</source>
        <translation>“%1” is not among the choices</translation>
    </message>
</context>
<context>
    <name>kv::CellValues</name>
    <message>
        <source>信道%1 %2：%3</source>
        <translation>Channel %1 %2: %3</translation>
    </message>
</context>
<context>
    <name>kv::ChannelGrid</name>
    <message>
        <source>信道数据设置</source>
        <translation>Channel Data</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>信道数据</source>
        <translation>Channel data</translation>
    </message>
    <message>
        <source>信道 %1</source>
        <translation>Channel %1</translation>
    </message>
</context>
<context>
    <name>kv::ChirpFormat</name>
    <message numerus="yes">
        <source>繁忙锁定不能写入CHIRP CSV：信道%1</source>
        <translation>
            <numerusform>Busy lock cannot be written to CHIRP CSV: channel %1</numerusform>
            <numerusform>Busy lock cannot be written to CHIRP CSV: channels %1</numerusform>
        </translation>
    </message>
    <message>
        <source>信道名称、跳过和备注不会写入对讲机，已忽略</source>
        <translation>Channel names, skips and comments are not written to the radio and were ignored</translation>
    </message>
    <message>
        <source>第1行：表头必须含有这些列：%1</source>
        <translation>Row 1: the header must name the columns %1</translation>
    </message>
    <message>
        <source>第%1行 %2列：%3</source>
        <translation>Row %1, column %2: %3</translation>
    </message>
    <message>
        <source>“%1”不是“”、“+”、“-”、“split”或“off”</source>
        <translation>“%1” is not “”, “+”, “-”, “split” or “off”</translation>
    </message>
    <message>
        <source>“%1”不是交叉模式</source>
        <translation>“%1” is not a cross mode</translation>
    </message>
    <message>
        <source>“%1”不是“”、“Tone”、“TSQL”、“DTCS”或“Cross”</source>
        <translation>“%1” is not “”, “Tone”, “TSQL”, “DTCS” or “Cross”</translation>
    </message>
    <message>
        <source>“%1”不是信令列表中的亚音</source>
        <translation>“%1” is not a tone of the signalling list</translation>
    </message>
    <message>
        <source>“%1”不是两个字母N或R</source>
        <translation>“%1” is not two letters N or R</translation>
    </message>
    <message>
        <source>“%1”不是信令列表中的数字亚音</source>
        <translation>“%1” is not a DCS code of the signalling list</translation>
    </message>
    <message>
        <source>“%1”不是FM或NFM</source>
        <translation>“%1” is not FM or NFM</translation>
    </message>
    <message>
        <source>“%1”不是High、Mid、Med、Low或以瓦为单位的功率</source>
        <translation>“%1” is not High, Mid, Med, Low or a power in watts</translation>
    </message>
    <message>
        <source>、</source>
        <comment>between the numbers of a list</comment>
        <translation>, </translation>
    </message>
    <message numerus="yes">
        <source>超出16个信道的%n行已忽略</source>
        <translation>
            <numerusform>%n row beyond the 16 channels was ignored</numerusform>
            <numerusform>%n rows beyond the 16 channels were ignored</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kv::ChpFile</name>
    <message>
        <source>输入超出文件尾</source>
        <translation>Input past end of file</translation>
    </message>
    <message>
        <source>下标越界</source>
        <translation>Subscript out of range</translation>
    </message>
    <message>
        <source>类型不匹配</source>
        <translation>Type mismatch</translation>
    </message>
    <message>
        <source>无效的属性值</source>
        <translation>Invalid property value</translation>
    </message>
    <message>
        <source>%1（第%2行%3）</source>
        <translation>%1 (line %2%3)</translation>
    </message>
    <message>
        <source>，缺少第%1项</source>
        <translation>, item %1 is missing</translation>
    </message>
    <message>
        <source>，“%1”不是数字</source>
        <translation>, “%1” is not a number</translation>
    </message>
    <message>
        <source>文件过大，不是信道文件</source>
        <translation>The file is too large to be a channel file</translation>
    </message>
    <message>
        <source>无法打开文件：这是一个文件夹</source>
        <translation>Cannot open the file: it is a folder</translation>
    </message>
    <message>
        <source>无法打开文件：%1</source>
        <translation>Cannot open the file: %1</translation>
    </message>
    <message>
        <source>以下信令字节无法识别：</source>
        <translation>These signalling bytes are not recognised:</translation>
    </message>
    <message>
        <source>
信道%1 %2 %3 → %4</source>
        <translation>
Channel %1 %2 %3 → %4</translation>
    </message>
    <message>
        <source>（空）</source>
        <translation>(empty)</translation>
    </message>
    <message>
        <source>无法保存文件“%1”：%2</source>
        <translation>Cannot save the file “%1”: %2</translation>
    </message>
    <message>
        <source>文件不存在</source>
        <translation>no such file</translation>
    </message>
    <message>
        <source>%1（错误%2）</source>
        <translation>%1 (error %2)</translation>
    </message>
    <message>
        <source>机型代码不是八种机型中的任何一种</source>
        <translation>the model code matches none of the eight models</translation>
    </message>
    <message>
        <source>对讲机中没有本程序能读入的数据，它可能还没有写过频，或不是本程序支持的机型。详情：%1</source>
        <translation>The radio holds no data this program can load: it may never have been written, or it is not a model this program supports. Details: %1</translation>
    </message>
</context>
<context>
    <name>kv::Columns</name>
    <message>
        <source>信道</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>接收频率</source>
        <translation>RX frequency</translation>
    </message>
    <message>
        <source>发射频率</source>
        <translation>TX frequency</translation>
    </message>
    <message>
        <source>接收信令</source>
        <translation>RX signalling</translation>
    </message>
    <message>
        <source>发射信令</source>
        <translation>TX signalling</translation>
    </message>
    <message>
        <source>繁忙锁定</source>
        <translation>Busy lock</translation>
    </message>
    <message>
        <source>宽/窄</source>
        <translation>Wide/Narrow</translation>
    </message>
    <message>
        <source>发射功率</source>
        <translation>TX power</translation>
    </message>
</context>
<context>
    <name>kv::CsvFormat</name>
    <message>
        <source>第1行：表头必须是%1</source>
        <translation>Row 1: the header must be %1</translation>
    </message>
    <message>
        <source>第%1行 %2：“%3”不是1到16的信道号，或与另一行重复</source>
        <translation>Row %1, %2: “%3” is not a channel from 1 to 16 that no other row has</translation>
    </message>
    <message>
        <source>第%1行 %2：%3</source>
        <translation>Row %1, %2: %3</translation>
    </message>
    <message>
        <source>信道%1没有对应的行，信道表需要信道1到16</source>
        <translation>Channel %1 has no row; the table needs channels 1 to 16</translation>
    </message>
    <message numerus="yes">
        <source>第%1行：有%n个字段，应为%2个</source>
        <translation>
            <numerusform>Row %1: %n field, not %2</numerusform>
            <numerusform>Row %1: %n fields, not %2</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kv::EditCommands</name>
    <message>
        <source>撤销(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>重做(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>剪切(&amp;T)</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>复制(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>粘贴(&amp;P)</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>清除信道</source>
        <translation>Clear Channels</translation>
    </message>
    <message>
        <source>向下填充</source>
        <translation>Fill Down</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>粘贴的内容超出信道表的范围</source>
        <translation>The pasted cells reach beyond the channel table</translation>
    </message>
</context>
<context>
    <name>kv::Fields</name>
    <message>
        <source>机型：</source>
        <translation>Model:</translation>
    </message>
    <message>
        <source>监听：</source>
        <translation>Monitor:</translation>
    </message>
    <message>
        <source>省电功能：</source>
        <translation>Power save:</translation>
    </message>
    <message>
        <source>发射限时：</source>
        <translation>TX time limit:</translation>
    </message>
    <message>
        <source>静噪等级：</source>
        <translation>Squelch level:</translation>
    </message>
    <message>
        <source>扫描功能：</source>
        <translation>Scan:</translation>
    </message>
    <message>
        <source>语音报频：</source>
        <translation>Voice:</translation>
    </message>
    <message>
        <source>晶体：</source>
        <translation>Crystal:</translation>
    </message>
    <message>
        <source>中频：</source>
        <translation>IF side:</translation>
    </message>
    <message>
        <source>功率调整：</source>
        <translation>Power trim:</translation>
    </message>
</context>
<context>
    <name>kv::FileOpening</name>
    <message>
        <source>文件未找到：%1</source>
        <translation>File not found: %1</translation>
    </message>
</context>
<context>
    <name>kv::FunctionPanel</name>
    <message>
        <source>机型选择</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>频率：</source>
        <translation>Band:</translation>
    </message>
    <message>
        <source>功能设置</source>
        <translation>Functions</translation>
    </message>
</context>
<context>
    <name>kv::HelpWindow</name>
    <message>
        <source>Tervan软件帮助</source>
        <translation>Tervan Software Help</translation>
    </message>
</context>
<context>
    <name>kv::IniFile</name>
    <message>
        <source>文件过大，不是设置文件</source>
        <translation>The file is too large to be a settings file</translation>
    </message>
</context>
<context>
    <name>kv::JobLog</name>
    <message>
        <source>无法创建文件夹“%1”</source>
        <translation>Cannot create the folder “%1”</translation>
    </message>
    <message>
        <source>另一个程序正在写入</source>
        <translation>another program is writing it</translation>
    </message>
    <message>
        <source>无法写入写频记录“%1”：%2</source>
        <translation>Cannot write the job log “%1”: %2</translation>
    </message>
</context>
<context>
    <name>kv::LinkCheck</name>
    <message>
        <source>正在检测连接。。。</source>
        <translation>Checking the connection...</translation>
    </message>
    <message>
        <source>不是USB串口（主板上的串口或虚拟串口）</source>
        <translation>Not a USB adapter (a built-in or virtual serial port)</translation>
    </message>
    <message>
        <source>%1，USB %2</source>
        <translation>%1, USB %2</translation>
    </message>
    <message>
        <source>未知的USB串口</source>
        <translation>unknown USB serial adapter</translation>
    </message>
    <message>
        <source>%1，序列号 %2</source>
        <translation>%1, serial number %2</translation>
    </message>
    <message>
        <source>%1（Windows 驱动：%2）</source>
        <translation>%1 (Windows driver: %2)</translation>
    </message>
    <message>
        <source>%1（进程 %2）</source>
        <translation>%1 (process %2)</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>brltty 是盲文显示器的服务，盲人用户需要它，请不要卸载。要让它放开这根编程线：把 /usr/lib/udev/rules.d/85-brltty.rules 复制到 /etc/udev/rules.d/，在副本中含有“%1”的那一行行首加“#”，运行 sudo udevadm control --reload，再重新插上编程线。</source>
        <translation>brltty is the service of braille displays, which blind users need: do not remove it. To make it let go of this cable, copy /usr/lib/udev/rules.d/85-brltty.rules to /etc/udev/rules.d/, put “#” at the start of the copy&apos;s line that holds “%1”, run sudo udevadm control --reload, then plug the cable in again.</translation>
    </message>
    <message>
        <source>brltty 是盲文显示器的服务，盲人用户需要它，请不要卸载。它按 /etc/brltty.conf 中的 braille-device 设置打开串口：请把这一项改为盲文显示器所在的端口，再运行 sudo systemctl restart brltty。</source>
        <translation>brltty is the service of braille displays, which blind users need: do not remove it. It opens the serial port that the setting braille-device in /etc/brltty.conf names: set it to the port of the braille display, then run sudo systemctl restart brltty.</translation>
    </message>
    <message>
        <source>ModemManager 把这个端口当作调制解调器来探测。要让它不再打开这个端口：新建文件 /etc/udev/rules.d/99-kvprog.rules，写入一行 %1，再运行 sudo udevadm control --reload 和 sudo udevadm trigger。不用调制解调器的电脑也可以运行 sudo systemctl disable --now ModemManager。</source>
        <translation>ModemManager probes the port as a modem. To make it leave the port alone, create the file /etc/udev/rules.d/99-kvprog.rules with the line %1, then run sudo udevadm control --reload and sudo udevadm trigger. A computer that uses no modem may instead run sudo systemctl disable --now ModemManager.</translation>
    </message>
    <message>
        <source>请关闭正在使用这个端口的程序（其他编程软件、串口调试工具等），再检测一次。</source>
        <translation>Close the program that uses the port (other programming software, a serial terminal), then check again.</translation>
    </message>
    <message>
        <source>%1。</source>
        <translation>%1.</translation>
    </message>
    <message>
        <source>端口被其他程序占用。</source>
        <translation>The port is in use by another program.</translation>
    </message>
    <message>
        <source>端口被其他程序占用，可能是：%1。</source>
        <translation>The port is in use by another program, perhaps: %1.</translation>
    </message>
    <message>
        <source>端口被其他程序占用：%1。</source>
        <translation>The port is in use by another program: %1.</translation>
    </message>
    <message>
        <source>没有权限打开%1。</source>
        <translation>You may not open %1.</translation>
    </message>
    <message>
        <source>对讲机没有回应。</source>
        <translation>The radio did not answer.</translation>
    </message>
    <message>
        <source>收到的正是发出的数据：编程线有回声，但对讲机没有回应。</source>
        <translation>What came back is exactly what was sent: the cable echoes, but the radio did not answer.</translation>
    </message>
    <message>
        <source>收到的数据不是对讲机的回答：可能是速率不对、接的是别的设备，或线路有干扰。</source>
        <translation>What came back is no answer of a radio: a wrong speed, another device, or noise on the line.</translation>
    </message>
    <message>
        <source>对讲机拒绝了编程请求。</source>
        <translation>The radio refused to be programmed.</translation>
    </message>
    <message>
        <source>对讲机有回应，但读取在%1/%2处中断。</source>
        <translation>The radio answered, but the read broke off at %1/%2.</translation>
    </message>
    <message>
        <source>对讲机工作正常：%1。可以读频和写频。</source>
        <translation>The radio works: %1. It can be read and written.</translation>
    </message>
    <message>
        <source>对讲机工作正常，但型号代码%1不是已知的型号。可以读频；写频前请先选择对讲机的型号。</source>
        <translation>The radio works, but its model code %1 is none of the known models. It can be read; choose the radio&apos;s model before writing it.</translation>
    </message>
    <message>
        <source>请插好编程线，再选择它所在的端口。</source>
        <translation>Plug the programming cable in, then choose its port.</translation>
    </message>
    <message>
        <source>请把当前用户加入 dialout 组（sudo usermod -aG dialout $USER），然后重新登录。</source>
        <translation>Add your user to the group dialout (sudo usermod -aG dialout $USER), then log in again.</translation>
    </message>
    <message>
        <source>请确认对讲机已开机、编程线插头已插到底、选择的端口是编程线的端口。</source>
        <translation>Make sure the radio is on, the cable&apos;s plug is pushed fully into the radio and the port chosen is the cable&apos;s.</translation>
    </message>
    <message>
        <source>请把插头插紧，或换一根编程线。</source>
        <translation>Push the plug in firmly, or try another cable.</translation>
    </message>
    <message>
        <source>请确认选择的是编程线的端口、插头插在对讲机上；仍然这样时，请换一根编程线。</source>
        <translation>Make sure the port chosen is the cable&apos;s and its plug is in the radio; if nothing changes, try another cable.</translation>
    </message>
    <message>
        <source>请把对讲机关机再开机，在待机状态下再检测一次。</source>
        <translation>Switch the radio off and on again, then check again while it is idle.</translation>
    </message>
    <message>
        <source>请把插头插紧，检测时不要碰动编程线，再检测一次；总是中断时，请换一根编程线。</source>
        <translation>Push the plug in firmly, keep the cable still and check again; if the read keeps breaking off, try another cable.</translation>
    </message>
    <message>
        <source>%1%2</source>
        <translation>%1 %2</translation>
    </message>
</context>
<context>
    <name>kv::LinkCheckCommand</name>
    <message>
        <source>端口：%1
编程线：%2</source>
        <translation>Port: %1
Cable: %2</translation>
    </message>
    <message>
        <source>检测连接</source>
        <translation>Check Connection</translation>
    </message>
</context>
<context>
    <name>kv::LinkEngine</name>
    <message>
        <source>错误号：%1%2</source>
        <translation>Error %1: %2</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>无法写入文件“%1”：%2</source>
        <translation>Cannot write the file “%1”: %2</translation>
    </message>
</context>
<context>
    <name>kv::MemoryImage</name>
    <message>
        <source>信道%1的%2“%3”无法写入</source>
        <translation>Channel %1: %2 “%3” cannot be written</translation>
    </message>
</context>
<context>
    <name>kv::PortChoice</name>
    <message>
        <source>%1：没有此端口</source>
        <translation>%1: no such port</translation>
    </message>
    <message>
        <source>没有端口COM%1</source>
        <translation>There is no port COM%1</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>kv::PortList</name>
    <message>
        <source>端口“%1”不存在</source>
        <translation>The port “%1” does not exist</translation>
    </message>
    <message>
        <source>没有权限打开%1。请把当前用户加入 dialout 组（sudo usermod -aG dialout $USER），然后重新登录。</source>
        <translation>You may not open %1. Add your user to the group dialout (sudo usermod -aG dialout $USER), then log in again.</translation>
    </message>
</context>
<context>
    <name>kv::PrintPreview</name>
    <message>
        <source>无法写入打印文件：%1</source>
        <translation>Cannot write the print file: %1</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Notice</translation>
    </message>
</context>
<context>
    <name>kv::PrnPrv</name>
    <message>
        <source>恢复</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>放大</source>
        <translation>Zoom In</translation>
    </message>
    <message>
        <source>缩小</source>
        <translation>Zoom Out</translation>
    </message>
    <message>
        <source>打印</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>无法写入文件：%1</source>
        <translation>Cannot write the file: %1</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>显示比例</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>页</source>
        <translation>Page</translation>
    </message>
    <message>
        <source>没有可用的打印机</source>
        <translation>No printer is available</translation>
    </message>
    <message>
        <source>保存为PDF…</source>
        <translation>Save as PDF…</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>kv::RadioJob</name>
    <message>
        <source>步骤 %1/%2：%3</source>
        <translation>Step %1 of %2: %3</translation>
    </message>
</context>
<context>
    <name>kv::RecentFiles</name>
    <message>
        <source>找不到文件“%1”。
是否将它从最近使用的文件中删除？</source>
        <translation>The file “%1” cannot be found.
Remove it from the recent files?</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Notice</translation>
    </message>
</context>
<context>
    <name>kv::RecoveryCopy</name>
    <message>
        <source>发现未保存的数据，是否恢复？</source>
        <translation>Unsaved data was found. Restore it?</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>无法保存恢复副本：%1</source>
        <translation>Cannot save the recovery copy: %1</translation>
    </message>
</context>
<context>
    <name>kv::SerialPort</name>
    <message>
        <source>只有当端口打开时操作才有效</source>
        <translation>The operation needs an open port</translation>
    </message>
</context>
<context>
    <name>kv::SettingsReport</name>
    <message>
        <source>本机设置数据第一页</source>
        <translation>Radio Settings, Page 1</translation>
    </message>
    <message>
        <source>一整机功能设置部份</source>
        <translation>1. Function Settings</translation>
    </message>
    <message>
        <source>机型：</source>
        <translation>Model: </translation>
    </message>
    <message>
        <source>频率：</source>
        <translation>Band: </translation>
    </message>
    <message>
        <source>监听功能：</source>
        <translation>Monitor: </translation>
    </message>
    <message>
        <source>省电功能：</source>
        <translation>Power save: </translation>
    </message>
    <message>
        <source>发射限时：</source>
        <translation>TX time limit: </translation>
    </message>
    <message>
        <source>静噪等级：</source>
        <translation>Squelch level: </translation>
    </message>
    <message>
        <source>打描功能：</source>
        <translation>Scan: </translation>
    </message>
    <message>
        <source>语音报频：</source>
        <translation>Voice: </translation>
    </message>
    <message>
        <source>二信道数据设置部份</source>
        <translation>2. Channel Data</translation>
    </message>
    <message>
        <source>信道</source>
        <translation>CH</translation>
    </message>
    <message>
        <source>接收频率</source>
        <translation>RX freq</translation>
    </message>
    <message>
        <source>发射频率</source>
        <translation>TX freq</translation>
    </message>
    <message>
        <source>接收信令</source>
        <translation>RX sig</translation>
    </message>
    <message>
        <source>发射信令</source>
        <translation>TX sig</translation>
    </message>
    <message>
        <source>繁忙锁定</source>
        <translation>Busy</translation>
    </message>
    <message>
        <source>宽/窄</source>
        <translation>BW</translation>
    </message>
    <message>
        <source>发射功率</source>
        <translation>Power</translation>
    </message>
    <message>
        <source>打印预览</source>
        <translation>Print Preview</translation>
    </message>
    <message>
        <source>第一页</source>
        <translation>Page 1</translation>
    </message>
    <message>
        <source>是</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>否</source>
        <translation>No</translation>
    </message>
    <message>
        <source>宽</source>
        <translation>Wide</translation>
    </message>
    <message>
        <source>窄</source>
        <translation>Nar.</translation>
    </message>
    <message>
        <source>高</source>
        <translation>High</translation>
    </message>
    <message>
        <source>中</source>
        <translation>Mid</translation>
    </message>
    <message>
        <source>低</source>
        <translation>Low</translation>
    </message>
</context>
<context>
    <name>kv::StopQuestion</name>
    <message>
        <source>确定要取消吗</source>
        <translation>Stop the transfer?</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Continue</translation>
    </message>
</context>
<context>
    <name>kv::SystemSerialPort</name>
    <message>
        <source>端口“%1”已被占用或无权使用（%2）</source>
        <translation>The port “%1” is in use or not permitted (%2)</translation>
    </message>
    <message>
        <source>无法打开端口“%1”：%2</source>
        <translation>Cannot open the port “%1”: %2</translation>
    </message>
    <message>
        <source>端口写入失败：%1</source>
        <translation>Writing to the port failed: %1</translation>
    </message>
    <message>
        <source>端口写入失败：写入超时</source>
        <translation>Writing to the port failed: the write timed out</translation>
    </message>
</context>
<context>
    <name>kv::TransferCommands</name>
    <message>
        <source>提示</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>无法删除文件“%1”</source>
        <translation>Cannot delete the file “%1”</translation>
    </message>
    <message>
        <source>写频成功：</source>
        <translation>Written: </translation>
    </message>
    <message>
        <source>读频成功：</source>
        <translation>Read: </translation>
    </message>
    <message>
        <source>确定要开始写频吗?</source>
        <translation>Start writing the radio?</translation>
    </message>
    <message>
        <source>写频进度显示</source>
        <translation>Write Progress</translation>
    </message>
    <message>
        <source>确定要开始读频吗?</source>
        <translation>Start reading the radio?</translation>
    </message>
    <message>
        <source>读频进度显示</source>
        <translation>Read Progress</translation>
    </message>
    <message>
        <source>对讲机中的数据与当前数据相同</source>
        <translation>The radio holds the same data as the window</translation>
    </message>
    <message>
        <source>对讲机中的数据与当前数据不同</source>
        <translation>The radio&apos;s data differs from the window&apos;s</translation>
    </message>
    <message>
        <source>%1：

%2</source>
        <translation>%1:

%2</translation>
    </message>
    <message numerus="yes">
        <source>
……另有 %n 处不同</source>
        <translation>
            <numerusform>
…and %n more difference</numerusform>
            <numerusform>
…and %n more differences</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>确定要开始向%n台对讲机写频吗?</source>
        <translation>
            <numerusform>Start writing %n radio?</numerusform>
            <numerusform>Start writing %n radios?</numerusform>
        </translation>
    </message>
    <message>
        <source>信道%1 %2：%3 → %4</source>
        <comment>window, radio</comment>
        <translation>Channel %1 %2: window %3, radio %4</translation>
    </message>
    <message>
        <source>地址%1：%2 → %3</source>
        <comment>window, radio</comment>
        <translation>Address %1: window %2, radio %3</translation>
    </message>
    <message>
        <source>%1%2 → %3</source>
        <comment>window, radio</comment>
        <translation>%1 window %2, radio %3</translation>
    </message>
    <message>
        <source>信道%1 %2：%3 → %4</source>
        <comment>written, radio</comment>
        <translation>Channel %1 %2: written %3, radio %4</translation>
    </message>
    <message>
        <source>地址%1：%2 → %3</source>
        <comment>written, radio</comment>
        <translation>Address %1: written %2, radio %3</translation>
    </message>
    <message>
        <source>%1%2 → %3</source>
        <comment>written, radio</comment>
        <translation>%1 written %2, radio %3</translation>
    </message>
    <message>
        <source>读频失败：</source>
        <translation>Read failed: </translation>
    </message>
</context>
<context>
    <name>kv::TransferJob</name>
    <message>
        <source>数据已读入，但无法保存临时文件“%1”：%2</source>
        <translation>The data was read, but the temporary file “%1” cannot be saved: %2</translation>
    </message>
    <message>
        <source>检测连接</source>
        <translation>Check Connection</translation>
    </message>
    <message>
        <source>对讲机的型号是%1，当前数据的型号是%2。仍然写入吗？</source>
        <translation>The radio&apos;s model is %1; the data&apos;s model is %2. Write it all the same?</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Notice</translation>
    </message>
</context>
<context>
    <name>kv::Values</name>
    <message>
        <source>是</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>否</source>
        <translation>No</translation>
    </message>
    <message>
        <source>宽</source>
        <translation>Wide</translation>
    </message>
    <message>
        <source>窄</source>
        <translation>Narrow</translation>
    </message>
    <message>
        <source>高</source>
        <translation>High</translation>
    </message>
    <message>
        <source>中</source>
        <translation>Mid</translation>
    </message>
    <message>
        <source>低</source>
        <translation>Low</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>On</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>有效</source>
        <translation>Enabled</translation>
    </message>
    <message>
        <source>无效</source>
        <translation>Disabled</translation>
    </message>
    <message>
        <source>关</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>中文</source>
        <translation>Chinese</translation>
    </message>
    <message>
        <source>英文</source>
        <translation>English</translation>
    </message>
    <message>
        <source>正</source>
        <translation>Positive</translation>
    </message>
    <message>
        <source>负</source>
        <translation>Negative</translation>
    </message>
</context>
<context>
    <name>kv::cli::Cli</name>
    <message>
        <source>%1: %2 的值“%3”不是可用的频段，本次改用%4</source>
        <translation>%1: %2 holds &quot;%3&quot;, not a usable band; using %4</translation>
    </message>
    <message>
        <source>无法创建临时文件夹</source>
        <translation>cannot create a temporary folder</translation>
    </message>
    <message>
        <source>没有写入%1</source>
        <translation>%1 not written</translation>
    </message>
    <message>
        <source>没有“%1”这个命令，请看 kvprog-cli --help</source>
        <translation>unknown command &quot;%1&quot;; see kvprog-cli --help</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>无法写入打印脚本%1</source>
        <translation>cannot write the print script %1</translation>
    </message>
    <message>
        <source>%1: 无法写入PDF文件</source>
        <translation>%1: cannot write the PDF</translation>
    </message>
    <message>
        <source>%1: 设置报表已写入</source>
        <translation>%1: settings report written</translation>
    </message>
    <message>
        <source>没有找到串口</source>
        <translation>no serial port found</translation>
    </message>
    <message>
        <source>端口：%1</source>
        <translation>Port: %1</translation>
    </message>
    <message>
        <source>编程线：%1</source>
        <translation>Cable: %1</translation>
    </message>
    <message>
        <source>结论：%1</source>
        <translation>Verdict: %1</translation>
    </message>
    <message>
        <source>建议：%1</source>
        <translation>Advice: %1</translation>
    </message>
</context>
<context>
    <name>kv::cli::show</name>
    <message>
        <source>频率：</source>
        <translation>Band:</translation>
    </message>
    <message>
        <source>（未设定）</source>
        <translation>(not set)</translation>
    </message>
    <message>
        <source>（无）</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>功能字节：</source>
        <translation>Function flags:</translation>
    </message>
</context>
<context>
    <name>kv::frmAbout</name>
    <message>
        <source>Tervan_V3.0编程软件</source>
        <translation>Tervan_V3.0 Programming Software</translation>
    </message>
    <message>
        <source>关于 </source>
        <translation>About </translation>
    </message>
    <message>
        <source>版本 %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>16 信道手持对讲机编程软件：编辑信道和功能设置，读频、写频，保存和打开信道文件（.chp），打印设置报表。适用于八种机型。</source>
        <translation>Programming software for 16-channel handheld radios: edits the channels and the function settings, reads and writes radios, saves and opens channel files (.chp) and prints the settings report. For eight models.</translation>
    </message>
    <message>
        <source>警告：写频会改写对讲机中的全部信道和功能设置。写频前请先读频并另存，以便需要时恢复原来的数据。</source>
        <translation>Warning: a write replaces every channel and function setting in the radio. Read the radio and save its data before writing, so that it can be restored when needed.</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>系统信息</source>
        <translation>System Info</translation>
    </message>
    <message>
        <source>此时系统信息不可用</source>
        <translation>System information is not available now</translation>
    </message>
</context>
<context>
    <name>kv::frmDK</name>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>端口选择</source>
        <translation>Port Selection</translation>
    </message>
    <message>
        <source>其他端口</source>
        <translation>Other ports</translation>
    </message>
    <message>
        <source>设备</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>描述</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>制造商</source>
        <translation>Manufacturer</translation>
    </message>
    <message>
        <source>端口转换成%1</source>
        <translation>The port is now %1</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>检测(&amp;C)</source>
        <translation>&amp;Check</translation>
    </message>
    <message>
        <source>检测所选端口的连接</source>
        <translation>Check the connection on the selected port</translation>
    </message>
</context>
<context>
    <name>kv::frmFleet</name>
    <message>
        <source>写频前先备份</source>
        <translation>Back Up Radio Before Writing</translation>
    </message>
    <message>
        <source>写频后校验</source>
        <translation>Verify After Writing</translation>
    </message>
    <message>
        <source>开始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>批量写频</source>
        <translation>Write Several Radios</translation>
    </message>
    <message>
        <source>设备</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>描述</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>进度</source>
        <translation>Progress</translation>
    </message>
    <message>
        <source>结果</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>保留每台对讲机原有的调整值</source>
        <translation>Keep each radio&apos;s own alignment</translation>
    </message>
    <message>
        <source>允许写入不同型号的对讲机</source>
        <translation>Allow radios of another model</translation>
    </message>
    <message>
        <source>重写失败的</source>
        <translation>Retry failed</translation>
    </message>
    <message>
        <source>端口</source>
        <translation>Ports</translation>
    </message>
    <message>
        <source>%1 的写频进度</source>
        <translation>Write progress of %1</translation>
    </message>
    <message>
        <source>；</source>
        <comment>between the sentences of a list</comment>
        <translation>; </translation>
    </message>
</context>
<context>
    <name>kv::frmJobLog</name>
    <message>
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>操作</source>
        <translation>Action</translation>
    </message>
    <message>
        <source>结果</source>
        <translation>Outcome</translation>
    </message>
    <message>
        <source>端口</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>设备</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>序列号</source>
        <translation>Serial number</translation>
    </message>
    <message>
        <source>型号</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>备份</source>
        <translation>Backup</translation>
    </message>
    <message>
        <source>校验</source>
        <translation>Verify</translation>
    </message>
    <message>
        <source>不同</source>
        <translation>Differences</translation>
    </message>
    <message>
        <source>原因</source>
        <translation>Reason</translation>
    </message>
    <message>
        <source>写频</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>读频</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>比较</source>
        <translation>Compare</translation>
    </message>
    <message>
        <source>成功</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>失败</source>
        <translation>Failed</translation>
    </message>
    <message>
        <source>已取消</source>
        <translation>Cancelled</translation>
    </message>
    <message>
        <source>没有写入</source>
        <translation>Refused</translation>
    </message>
    <message>
        <source>相同</source>
        <translation>Same</translation>
    </message>
    <message>
        <source>导出…</source>
        <translation>Export…</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>写频记录</source>
        <translation>Job Log</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>筛选(&amp;F)：</source>
        <translation>&amp;Filter:</translation>
    </message>
    <message>
        <source>筛选写频记录</source>
        <translation>Filter the job log</translation>
    </message>
    <message>
        <source>导出写频记录</source>
        <translation>Export the job log</translation>
    </message>
    <message>
        <source>这一行没有备份</source>
        <translation>This line has no backup</translation>
    </message>
    <message>
        <source>备份“%1”已不存在</source>
        <translation>The backup “%1” no longer exists</translation>
    </message>
    <message>
        <source>CSV(*.csv);;所有文件(*.*)</source>
        <translation>CSV (*.csv);;All files (*.*)</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>导出成功</source>
        <translation>Exported</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message numerus="yes">
        <source>%n 处不同</source>
        <translation>
            <numerusform>%n difference</numerusform>
            <numerusform>%n differences</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kv::frmLogin</name>
    <message>
        <source>请输入进入调整模式的密码</source>
        <translation>Enter the Tune Mode Password</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>密码不正确，请重新输入</source>
        <translation>Wrong password, please try again</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>密码</source>
        <translation>Password</translation>
    </message>
</context>
<context>
    <name>kv::frmMODE</name>
    <message>
        <source>调整模式</source>
        <translation>Tune Mode</translation>
    </message>
    <message>
        <source>调整项</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>频率调整</source>
        <translation>Frequency</translation>
    </message>
    <message>
        <source>功率调整</source>
        <translation>Power</translation>
    </message>
    <message>
        <source>退出调整</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>高端频率(MHz)：</source>
        <translation>Upper (MHz):</translation>
    </message>
    <message>
        <source>低端频率(MHz)：</source>
        <translation>Lower (MHz):</translation>
    </message>
    <message>
        <source>频率：</source>
        <translation>Band:</translation>
    </message>
    <message>
        <source>请输入数字</source>
        <translation>Please enter a number</translation>
    </message>
    <message>
        <source>请输入正确的频段</source>
        <translation>Please enter a valid band</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>频段未能保存到文件“%1”：%2</source>
        <translation>The band could not be saved to the file “%1”: %2</translation>
    </message>
</context>
<context>
    <name>kv::frmWAIT</name>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>正在向对讲机读取数据。。。</source>
        <translation>Reading data from the radio...</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>kv::jobtext</name>
    <message>
        <source>写入成功</source>
        <translation>written</translation>
    </message>
    <message>
        <source>写频并校验成功</source>
        <translation>written and verified</translation>
    </message>
    <message>
        <source>校验失败，对讲机中的数据与写入的不同</source>
        <translation>verify failed: the radio holds other data than was written</translation>
    </message>
    <message>
        <source>写频前备份没有完成，没有写入</source>
        <translation>the backup before the write did not finish; nothing was written</translation>
    </message>
    <message>
        <source>（对讲机中可能是新旧混杂的数据，请重新写频）</source>
        <translation> (the radio may hold a mix of old and new data; write it again)</translation>
    </message>
    <message>
        <source>写频没有完成，对讲机中可能是新旧混杂的数据，请重新写频。</source>
        <translation>The write did not finish; the radio may hold a mix of old and new data. Write it again.</translation>
    </message>
    <message>
        <source>写入完成，但读回校验没有完成</source>
        <translation>written, but the read-back verify did not finish</translation>
    </message>
    <message>
        <source>已取消</source>
        <translation>cancelled</translation>
    </message>
    <message>
        <source>传输失败</source>
        <translation>transfer failed</translation>
    </message>
    <message>
        <source>无法保存备份：%1</source>
        <translation>cannot save the backup: %1</translation>
    </message>
    <message>
        <source>写频前备份</source>
        <translation>backing up</translation>
    </message>
    <message>
        <source>写频</source>
        <translation>writing</translation>
    </message>
    <message>
        <source>读回校验</source>
        <translation>verifying</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>写入成功（保留了对讲机的调整值）</source>
        <translation>written (the radio&apos;s own alignment kept)</translation>
    </message>
    <message>
        <source>写入并校验成功（保留了对讲机的调整值）</source>
        <translation>written and verified (the radio&apos;s own alignment kept)</translation>
    </message>
    <message>
        <source>读取对讲机失败，没有写入</source>
        <translation>the radio could not be read; nothing was written</translation>
    </message>
    <message>
        <source>型号不同（对讲机：%1），没有写入</source>
        <translation>another model (radio: %1); nothing was written</translation>
    </message>
    <message>
        <source>没有写入。</source>
        <translation>Nothing was written.</translation>
    </message>
    <message>
        <source>%1，正在连接对讲机。。。</source>
        <translation>%1 — connecting to the radio…</translation>
    </message>
    <message>
        <source>%1。。。</source>
        <translation>%1…</translation>
    </message>
</context>
<context>
    <name>kv::linktext</name>
    <message>
        <source>正在连接对讲机。。。</source>
        <translation>Connecting to the radio...</translation>
    </message>
    <message>
        <source>正在向对讲机写入数据。。。</source>
        <translation>Writing data to the radio...</translation>
    </message>
    <message>
        <source>正在从对讲机读取数据。。。</source>
        <translation>Reading data from the radio...</translation>
    </message>
    <message>
        <source>通信端口没有响应，请确保连接正确和电源打开</source>
        <translation>The port does not answer; check the cable and that the radio is on</translation>
    </message>
    <message>
        <source>信息提示</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>通信错误</source>
        <translation>Communication error</translation>
    </message>
    <message>
        <source>写频错误，请重新写频</source>
        <translation>Write error, please write again</translation>
    </message>
    <message>
        <source>读频错误，请重新读频</source>
        <translation>Read error, please read again</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Notice</translation>
    </message>
</context>
<context>
    <name>kv::mainFrm</name>
    <message>
        <source>Tervan_V3.0编程软件 </source>
        <translation>Tervan_V3.0 Programming Software </translation>
    </message>
    <message>
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>打开(&amp;O)</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>打开备份…</source>
        <translation>Open Backup…</translation>
    </message>
    <message>
        <source>另存(&amp;S)</source>
        <translation>&amp;Save As</translation>
    </message>
    <message>
        <source>导出信道表(CSV)…</source>
        <translation>Export Channels (CSV)…</translation>
    </message>
    <message>
        <source>导入信道表(CSV)…</source>
        <translation>Import Channels (CSV)…</translation>
    </message>
    <message>
        <source>打印(&amp;P)</source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>退出(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>编程(&amp;P)</source>
        <translation>&amp;Program</translation>
    </message>
    <message>
        <source>读频(&amp;R)</source>
        <translation>&amp;Read Radio</translation>
    </message>
    <message>
        <source>写频(&amp;W)</source>
        <translation>&amp;Write Radio</translation>
    </message>
    <message>
        <source>批量写频…</source>
        <translation>Write Several Radios…</translation>
    </message>
    <message>
        <source>与对讲机比较</source>
        <translation>Compare with Radio</translation>
    </message>
    <message>
        <source>写频前先备份</source>
        <translation>Back Up Radio Before Writing</translation>
    </message>
    <message>
        <source>写频后校验</source>
        <translation>Verify After Writing</translation>
    </message>
    <message>
        <source>编辑(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>调整模式(&amp;T)</source>
        <translation>&amp;Tune Mode</translation>
    </message>
    <message>
        <source>端口选择(&amp;C)</source>
        <translation>&amp;COM Port</translation>
    </message>
    <message>
        <source>选择端口(&amp;P)</source>
        <translation>Select &amp;Port</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>帮助(&amp;I)...</source>
        <translation>Help &amp;Index...</translation>
    </message>
    <message>
        <source>关于(&amp;A)</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>另存</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>打印</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>读频</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>写频</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>chp(*.chp);;所有文件(*.*)</source>
        <translation>chp(*.chp);;All Files(*.*)</translation>
    </message>
    <message>
        <source>CSV(*.csv);;所有文件(*.*)</source>
        <translation>CSV(*.csv);;All Files(*.*)</translation>
    </message>
    <message>
        <source>CSV(*.csv);;%1;;所有文件(*.*)</source>
        <translation>CSV(*.csv);;%1;;All Files(*.*)</translation>
    </message>
    <message>
        <source>导出信道表(CSV)</source>
        <translation>Export Channels (CSV)</translation>
    </message>
    <message>
        <source>导入信道表(CSV)</source>
        <translation>Import Channels (CSV)</translation>
    </message>
    <message>
        <source>打开备份</source>
        <translation>Open Backup</translation>
    </message>
    <message>
        <source>此功能暂未提供</source>
        <translation>This function is not available yet</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>保存成功</source>
        <translation>Saved</translation>
    </message>
    <message>
        <source>导出成功</source>
        <translation>Exported</translation>
    </message>
    <message>
        <source>无法导入“%1”，信道表没有改变：
%2</source>
        <translation>Cannot import “%1”; the channel table is unchanged:
%2</translation>
    </message>
    <message>
        <source>数据已修改，是否保存？</source>
        <translation>The data was changed. Save it?</translation>
    </message>
    <message>
        <source>设置文件“%1”中以下频段无效，本次运行改用 %2：</source>
        <translation>These bands in the settings file “%1” are not valid; this run uses %2 instead:</translation>
    </message>
    <message>
        <source>检测连接…</source>
        <translation>Check Connection…</translation>
    </message>
    <message>
        <source>打开备份文件夹</source>
        <translation>Open Backup Folder</translation>
    </message>
    <message>
        <source>写频记录…</source>
        <translation>Job Log…</translation>
    </message>
    <message>
        <source>无法打开文件夹“%1”</source>
        <translation>Cannot open the folder “%1”</translation>
    </message>
</context>
<context>
    <name>kv::prompts</name>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>是</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>否</source>
        <translation>No</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>另存</source>
        <translation>Save As</translation>
    </message>
</context>
</TS>
