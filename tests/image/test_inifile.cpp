#include <QtTest>

#include "testfiles.h"

#include "image/inifile.h"
#include "image/programfolders.h"

using namespace kv;
using kvtest::readAll;
using kvtest::writeAll;

class TestIniFile : public QObject {
  Q_OBJECT
  QTemporaryDir dir_;

 private slots:
  void readsByCaseInsensitiveNames() {
    const QString p = dir_.filePath("a.ini");
    writeAll(
        p,
        "; comment\r\n[other]\r\nPL1=nope\r\n[frequent]\r\npl1 =  400MHz---470MHz  \r\nPL3=\r\n");
    IniFile ini(p);
    QCOMPARE(ini.read("Frequent", "PL1"), QStringLiteral("400MHz---470MHz"));
    QCOMPARE(ini.read("FREQUENT", "pl3"), QString());
    QCOMPARE(ini.read("Frequent", "PL2"), QString());
    QCOMPARE(IniFile(dir_.filePath("missing.ini")).read("Frequent", "PL1"), QString());
    const Bands bands = readBands(ini);
    QCOMPARE(bands[0], QStringLiteral("400MHz---470MHz"));
    for (int i = 1; i < 8; ++i) QVERIFY(bands[i].isEmpty());
  }

  // Read and written alike: what is written reads back as it was.
  void valuesAreCutTo127Characters() {
    const QString p = dir_.filePath("long.ini");
    writeAll(p, "[Frequent]\nPL1=" + QByteArray(300, 'x') + "\n");
    IniFile ini(p);
    QCOMPARE(ini.read("Frequent", "PL1").size(), 127);
    const QString written = QString(126, 'y') + "zz";
    QVERIFY(!ini.write("Frequent", "PL1", written));
    QCOMPARE(ini.read("Frequent", "PL1"), written.left(127));
    QVERIFY(readAll(p).contains("PL1=" + written.left(127).toUtf8() + "\n"));
  }

  void rewriteKeepsOtherLines() {
    const QString p = dir_.filePath("b.ini");
    const QByteArray original =
        "; dealer notes\r\n[Frequent]\r\nPL1=400MHz---470MHz\r\nPL6=old\r\n\r\n[Other]\r\nx = "
        "1\r\n";
    writeAll(p, original);
    IniFile ini(p);
    QVERIFY(!writeBand(ini, 3, "430MHz---440MHz"));  // entry 3 is stored under PL6
    QByteArray expected = original;
    expected.replace("PL6=old", "PL6=430MHz---440MHz");
    QCOMPARE(readAll(p), expected);
    // A new key goes to the end of its section; a new section to the end of the file.
    QVERIFY(!writeBand(ini, 4, "450MHz---460MHz"));
    QVERIFY(readAll(p).contains("PL6=430MHz---440MHz\r\nPL4=450MHz---460MHz\r\n\r\n[Other]"));
    QVERIFY(!ini.write("New", "k", "v"));
    QVERIFY(readAll(p).endsWith("x = 1\r\n[New]\r\nk=v\r\n"));
    QCOMPARE(ini.read("Frequent", "PL4"), QStringLiteral("450MHz---460MHz"));
  }

  void rewriteKeepsLinesThatAreNotUtf8() {
    // A file written on a Chinese system holds its notes in the local code page (GBK).
    const QString p = dir_.filePath("gbk.ini");
    const QByteArray original =
        "; \xC6\xB5\xB6\xCE\r\n[Frequent]\r\nPL1=old\r\nNote=\xB2\xE2\xCA\xD4\r\n"
        "Cut=\xB2\r\nPL2=kept\r\n";  // a note cut inside a character still ends its line
    writeAll(p, original);
    IniFile ini(p);
    QVERIFY(!writeBand(ini, 0, "400MHz---470MHz"));
    QCOMPARE(readAll(p), QByteArray(original).replace("PL1=old", "PL1=400MHz---470MHz"));
    QCOMPARE(ini.read("Frequent", "PL2"), QStringLiteral("kept"));
  }

  void createsMissingFile() {
    IniFile ini(dir_.filePath("new.ini"));
    QVERIFY(!writeBand(ini, 0, "400MHz---470MHz"));
    QCOMPARE(readAll(ini.path()), QByteArray("[Frequent]\r\nPL1=400MHz---470MHz\r\n"));
  }

  void failureReturnsReason() {
    IniFile ini(dir_.filePath("no-such-dir/Sfc.ini"));
    const auto error = writeBand(ini, 0, "400MHz---470MHz");
    QVERIFY(error);
    QVERIFY(!error->isEmpty());
    // A file too large to be read whole is refused rather than cut short.
    const QString big = dir_.filePath("big.ini");
    const QByteArray text = "[Frequent]\r\nPL1=old\r\n" + QByteArray(2 << 20, ';') + "\r\n";
    writeAll(big, text);
    IniFile bigIni(big);
    QVERIFY(writeBand(bigIni, 0, "400MHz---470MHz"));
    QCOMPARE(readAll(big), text);
  }

  void settingsPathFoundInAnyCase() {
    QTemporaryDir d;
    QCOMPARE(settingsFilePath(d.path()), d.filePath("Sfc.ini"));
    writeAll(d.filePath("SFC.INI"), "[Frequent]\n");
    QCOMPARE(settingsFilePath(d.path()), d.filePath("SFC.INI"));
    QCOMPARE(settingsFilePath(d.path() + "/"), d.filePath("SFC.INI"));
  }

  void settingsFileBesideTheProgramElseTheUsersCopyOfTheDefault() {
    QTemporaryDir d;
    const QString program = d.filePath("usr/bin");
    const QString config = d.filePath("home/.config/kvprog");
    const QString packaged = d.filePath("usr/share/kvprog/Sfc.ini");
    QVERIFY(QDir().mkpath(program) && QDir().mkpath(QFileInfo(packaged).path()));
    // No default installed: the file stays missing, and every band with it.
    QCOMPARE(settingsFile(program, config, packaged), config + "/Sfc.ini");
    QVERIFY(!QFile::exists(config + "/Sfc.ini"));

    // Installed: the first use copies the default into the user's folder, and tune mode's
    // bands go there from then on, never over the default.
    writeAll(packaged, "[Frequent]\r\nPL1=400MHz---470MHz\r\n");
    QCOMPARE(settingsFile(program, config, packaged), config + "/Sfc.ini");
    QCOMPARE(readAll(config + "/Sfc.ini"), readAll(packaged));
    IniFile own(settingsFile(program, config, packaged));
    QVERIFY(!writeBand(own, 0, "410MHz---430MHz"));
    QCOMPARE(readBands(IniFile(settingsFile(program, config, packaged)))[0],
             QStringLiteral("410MHz---430MHz"));
    QVERIFY(readAll(packaged).contains("400MHz---470MHz"));

    // A portable copy: a file beside the program wins, in any letter case.
    writeAll(program + "/SFC.INI", "[Frequent]\r\n");
    QCOMPARE(settingsFile(program, config, packaged), program + "/SFC.INI");
  }
};

QTEST_APPLESS_MAIN(TestIniFile)
#include "test_inifile.moc"
