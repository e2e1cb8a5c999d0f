<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- Qt's own texts that Tirvex can show, in Persian: the bound fields' context menu (with
     the menu of direction marks that Windows adds where a right-to-left keyboard is
     installed), the names of the keys in its shortcuts, and the button of the message
     boxes. Written for Tirvex; compiled by lrelease into the program. No text carries an
     accelerator letter: an underlined letter inside a Persian word breaks its joining. -->
<TS version="2.1" language="fa">
<context>
    <name>QGuiApplication</name>
    <message>
        <comment>The direction Qt gives the whole program. Each window keeps the direction its design gives it.</comment>
        <source>QT_LAYOUT_DIRECTION</source>
        <translation>LTR</translation>
    </message>
</context>
<context>
    <name>QLineEdit</name>
    <message>
        <source>&amp;Undo</source>
        <translation>واگرد</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>ازنو</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>برش</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>کپی</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>چسباندن</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>حذف</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>انتخاب همه</translation>
    </message>
</context>
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation>تأیید</translation>
    </message>
</context>
<context>
    <name>QShortcut</name>
    <message>
        <comment>Keys keep the names printed on them.</comment>
        <source>Ctrl</source>
        <translation>Ctrl</translation>
    </message>
    <message>
        <comment>Between the keys of a shortcut, as in Ctrl+C.</comment>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>Shift</source>
        <translation>Shift</translation>
    </message>
</context>
<context>
    <name>QUnicodeControlCharacterMenu</name>
    <message>
        <source>Insert Unicode control character</source>
        <translation>درج نویسه‌ی کنترلی یونی‌کد</translation>
    </message>
    <message>
        <source>LRM Left-to-right mark</source>
        <translation>LRM نشانه‌ی چپ‌به‌راست</translation>
    </message>
    <message>
        <source>RLM Right-to-left mark</source>
        <translation>RLM نشانه‌ی راست‌به‌چپ</translation>
    </message>
    <message>
        <source>ZWJ Zero width joiner</source>
        <translation>ZWJ اتصال‌دهنده‌ی بی‌پهنا</translation>
    </message>
    <message>
        <source>ZWNJ Zero width non-joiner</source>
        <translation>ZWNJ نیم‌فاصله</translation>
    </message>
    <message>
        <source>ZWSP Zero width space</source>
        <translation>ZWSP فاصله‌ی بی‌پهنا</translation>
    </message>
    <message>
        <source>LRE Start of left-to-right embedding</source>
        <translation>LRE آغاز جاسازی چپ‌به‌راست</translation>
    </message>
    <message>
        <source>RLE Start of right-to-left embedding</source>
        <translation>RLE آغاز جاسازی راست‌به‌چپ</translation>
    </message>
    <message>
        <source>LRO Start of left-to-right override</source>
        <translation>LRO آغاز جهت اجباری چپ‌به‌راست</translation>
    </message>
    <message>
        <source>RLO Start of right-to-left override</source>
        <translation>RLO آغاز جهت اجباری راست‌به‌چپ</translation>
    </message>
    <message>
        <source>PDF Pop directional formatting</source>
        <translation>PDF پایان قالب جهت</translation>
    </message>
    <message>
        <source>LRI Left-to-right isolate</source>
        <translation>LRI جداسازی چپ‌به‌راست</translation>
    </message>
    <message>
        <source>RLI Right-to-left isolate</source>
        <translation>RLI جداسازی راست‌به‌چپ</translation>
    </message>
    <message>
        <source>FSI First strong isolate</source>
        <translation>FSI جداسازی با جهت نخستین نویسه</translation>
    </message>
    <message>
        <source>PDI Pop directional isolate</source>
        <translation>PDI پایان جداسازی جهت</translation>
    </message>
</context>
</TS>
