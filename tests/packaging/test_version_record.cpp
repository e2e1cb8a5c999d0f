// Reads the Windows version record that the build generates and checks what Windows
// would show of it: the fixed versions, the platform and file type, the string table,
// the translation and the icon.
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QStringList>
#include <QTest>

namespace {

// The statements of a resource script that matter here, each under the path of BLOCKs
// that holds it ("StringFileInfo/040904B0").
struct VersionRecord {
    QHash<QString, QString> fixed;                  // FILEVERSION -> "1,0,0,12"
    QHash<QString, QHash<QString, QString>> values; // block path -> key -> value text
    QStringList icons;                              // file names of ICON statements
    QStringList manifests;                          // file names of manifests (type 24)
    QString codePage;                               // of #pragma code_page, in which strings are read
    QString error;                                  // why the script could not be read
};

VersionRecord parse(const QString& text) {
    static const QRegularExpression fixedLine(
        QStringLiteral("^(FILEVERSION|PRODUCTVERSION|FILEFLAGSMASK|FILEFLAGS|FILEOS|FILETYPE|FILESUBTYPE)\\s+(.+)$"));
    static const QRegularExpression blockLine(QStringLiteral("^BLOCK\\s+\"([^\"]*)\"$"));
    static const QRegularExpression valueLine(QStringLiteral("^VALUE\\s+\"([^\"]*)\"\\s*,\\s*(.+)$"));
    static const QRegularExpression iconLine(QStringLiteral("^\\w+\\s+(ICON|24)\\s+\"([^\"]*)\"$"));
    static const QRegularExpression codePageLine(QStringLiteral("^#pragma\\s+code_page\\((\\d+)\\)$"));

    VersionRecord record;
    QStringList blocks;        // open BLOCKs, outermost first
    int depth = 0;             // open BEGINs, the VERSIONINFO's own included
    bool pendingBlock = false; // a BLOCK waits for its BEGIN
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1String("//")))
            continue;
        QRegularExpressionMatch m;
        if ((m = fixedLine.match(line)).hasMatch() && depth == 0) {
            record.fixed.insert(m.captured(1), m.captured(2).remove(QLatin1Char(' ')));
        } else if ((m = iconLine.match(line)).hasMatch() && depth == 0) {
            (m.captured(1) == QLatin1String("ICON") ? record.icons : record.manifests) << m.captured(2);
        } else if ((m = codePageLine.match(line)).hasMatch() && depth == 0) {
            record.codePage = m.captured(1);
        } else if ((m = blockLine.match(line)).hasMatch()) {
            blocks << m.captured(1);
            pendingBlock = true;
        } else if (line == QLatin1String("BEGIN")) {
            ++depth;
            pendingBlock = false;
        } else if (line == QLatin1String("END")) {
            if (depth == 0) {
                record.error = QStringLiteral("line %1: END without BEGIN").arg(i + 1);
                return record;
            }
            if (depth > 1)
                blocks.removeLast();
            --depth;
        } else if ((m = valueLine.match(line)).hasMatch() && !pendingBlock && depth > 1) {
            QString value = m.captured(2).trimmed();
            if (value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
                value = value.mid(1, value.size() - 2);
            else
                value.remove(QLatin1Char(' '));
            record.values[blocks.join(QLatin1Char('/'))].insert(m.captured(1), value);
        } else if (!line.startsWith(QLatin1String("1 VERSIONINFO"))) {
            record.error = QStringLiteral("line %1 not understood: %2").arg(i + 1).arg(line);
            return record;
        }
    }
    if (depth != 0)
        record.error = QStringLiteral("BEGIN without END");
    return record;
}

qint64 numberOf(const QString& text) {
    bool ok = false;
    QString digits = text;
    if (digits.endsWith(QLatin1Char('L')))
        digits.chop(1);
    const qint64 n = digits.toLongLong(&ok, 0);
    return ok ? n : -1;
}

} // namespace

class TestVersionRecord : public QObject {
    Q_OBJECT
    VersionRecord record_;

  private Q_SLOTS:
    void initTestCase() {
        QFile file(QStringLiteral(TIRVEX_VERSION_RECORD));
        QVERIFY2(file.open(QIODevice::ReadOnly | QIODevice::Text), qPrintable(file.fileName()));
        record_ = parse(QString::fromUtf8(file.readAll()));
        QVERIFY2(record_.error.isEmpty(), qPrintable(record_.error));
    }

    void fixedPart_data() {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("expected");
        QTest::newRow("file version") << "FILEVERSION" << "1,0,0,12";
        QTest::newRow("product version") << "PRODUCTVERSION" << "1,0,0,12";
    }
    void fixedPart() {
        QFETCH(QString, statement);
        QFETCH(QString, expected);
        QCOMPARE(record_.fixed.value(statement), expected);
    }

    void platformAndFileType_data() {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("32-bit Windows") << "FILEOS" << qint64(0x4);
        QTest::newRow("an application") << "FILETYPE" << qint64(0x1);
        QTest::newRow("a release build") << "FILEFLAGS" << qint64(0);
    }
    void platformAndFileType() {
        QFETCH(QString, statement);
        QFETCH(qint64, expected);
        QVERIFY2(record_.fixed.contains(statement), qPrintable(statement));
        QCOMPARE(numberOf(record_.fixed.value(statement)), expected);
    }

    void stringTable_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        QTest::newRow("file version") << "FileVersion" << "1.00.0012";
        QTest::newRow("product version") << "ProductVersion" << "1.00.0012";
        QTest::newRow("product name") << "ProductName" << "Tirvex";
        QTest::newRow("company") << "CompanyName" << "Tirvex developers";
        QTest::newRow("internal name") << "InternalName" << "tirvex";
        QTest::newRow("original file name") << "OriginalFilename" << "tirvex.exe";
        // What Task Manager, the firewall and the file's Properties call the program.
        QTest::newRow("description") << "FileDescription" << "Tirvex";
        QTest::newRow("copyright") << "LegalCopyright" << "Copyright (C) 2026 Tirvex developers";
    }
    void stringTable() {
        QFETCH(QString, key);
        QFETCH(QString, expected);
        const auto table = record_.values.value(QStringLiteral("StringFileInfo/040904B0"));
        QVERIFY2(table.contains(key), qPrintable(key + QStringLiteral(" is missing")));
        QCOMPARE(table.value(key), expected);
    }

    void oneStringTableWithNothingElse() {
        QStringList tables;
        for (auto it = record_.values.cbegin(); it != record_.values.cend(); ++it)
            if (it.key().startsWith(QLatin1String("StringFileInfo")))
                tables << it.key();
        QCOMPARE(tables, QStringList{QStringLiteral("StringFileInfo/040904B0")});
        QStringList keys = record_.values.value(tables.first()).keys();
        keys.sort();
        QCOMPARE(keys, (QStringList{"CompanyName", "FileDescription", "FileVersion", "InternalName",
                                    "LegalCopyright", "OriginalFilename", "ProductName", "ProductVersion"}));
    }

    void translationMatchesTheStringTable() {
        const QString translation =
            record_.values.value(QStringLiteral("VarFileInfo")).value(QStringLiteral("Translation"));
        const QStringList parts = translation.split(QLatin1Char(','));
        QCOMPARE(parts.size(), 2);
        QCOMPARE(numberOf(parts[0]), qint64(0x0409));
        QCOMPARE(numberOf(parts[1]), qint64(0x04B0));
    }

    // The record names the program icon by path; a wrong path would only show when the
    // Windows build compiles the script.
    void iconIsTheProgramIcon() {
        QCOMPARE(record_.icons.size(), 1);
        const QFileInfo icon(record_.icons.first());
        QCOMPARE(icon.fileName(), QStringLiteral("icon.ico"));
        QVERIFY2(icon.isAbsolute(), qPrintable(icon.filePath()));
        QVERIFY2(icon.isFile(), qPrintable(icon.filePath() + QStringLiteral(" does not exist")));
        QVERIFY2(!icon.filePath().contains(QLatin1Char('\\')), "backslashes would be read as escapes");
    }

    // A vendor's Persian name is UTF-8 in the script: windres reads it so only when told. The
    // manifest sits beside the script's template.
    void readAsUtf8WithItsManifest() {
        QCOMPARE(record_.codePage, QStringLiteral("65001"));
        QCOMPARE(record_.manifests.size(), 1);
        QVERIFY2(QFileInfo::exists(record_.manifests.first()), qPrintable(record_.manifests.first()));
    }
};

QTEST_APPLESS_MAIN(TestVersionRecord)
#include "test_version_record.moc"
