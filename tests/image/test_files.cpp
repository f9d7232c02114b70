#include <sys/stat.h>
#include <QDir>
#include <QtTest>
#include <thread>

#include "fulldisk.h"
#include "testfiles.h"

#include "image/atomicfile.h"
#include "image/backups.h"
#include "image/boundedreader.h"
#include "image/chpfile.h"
#include "image/inifile.h"
#include "image/memoryimage.h"

using namespace kv;

// The one writer and the one reader every file of the programs goes through.
class TestFiles : public QObject {
  Q_OBJECT

 private slots:
  void fullDiskKeepsEveryOldFileByteForByte() {
    kvtest::FullDisk disk;
    if (!disk.mounted()) QSKIP(disk.skipReason());
    const QString chp = disk.filePath(QStringLiteral("old.chp"));
    const QString ini = disk.filePath(QStringLiteral("Sfc.ini"));
    const QString scratch = disk.filePath(QStringLiteral("received.chp"));
    RadioData data;
    data.cell(1, kRxFreq) = QStringLiteral("450.12500");
    QVERIFY(!saveChpFile(chp, data));
    QVERIFY(kvtest::writeAll(ini, "[Frequent]\r\nPL1=400MHz---470MHz\r\n"));
    QVERIFY(!appendToFile(scratch, "52 00 00 08 "));
    const QByteArray oldChp = kvtest::readAll(chp);
    const QByteArray oldIni = kvtest::readAll(ini);
    QVERIFY(disk.fill());

    data.cell(1, kRxFreq) = QStringLiteral("460.00000");
    const auto saved = saveChpFile(chp, data);
    QVERIFY(saved);
    QVERIFY2(saved->description.contains(chp), qPrintable(saved->description));
    IniFile settings(ini);
    QVERIFY(writeBand(settings, 0, QStringLiteral("410MHz---430MHz")));
    QVERIFY(appendToFile(scratch, QByteArray(8192, 'F')));
    QVERIFY(writeFileAtomically(disk.filePath(QStringLiteral("new.json")), QByteArray(8192, ' ')));

    QCOMPARE(kvtest::readAll(chp), oldChp);
    QCOMPARE(kvtest::readAll(ini), oldIni);
    // Nothing half-written is left behind beside them.
    QCOMPARE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden).size(), 4);
  }

  void boundedReaderTakesPipesAndDevicesUpToItsLimit() {
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    QCOMPARE(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    std::thread writer([&] {
      QFile f(fifo);
      if (f.open(QIODevice::WriteOnly))
        for (int i = 0; i < 100; ++i) f.write(QByteArray(1000, char('a' + i % 26)));
    });
    const BoundedRead piped = readFileBounded(fifo, 1 << 20);
    writer.join();
    QVERIFY(piped.ok());
    QCOMPARE(piped.bytes.size(), 100000);

    const BoundedRead endless = readFileBounded(QStringLiteral("/dev/zero"), 1 << 20);
    QCOMPARE(endless.status, BoundedRead::Status::TooLarge);
    QCOMPARE(endless.reason, QStringLiteral("too large"));
    QVERIFY(endless.bytes.isEmpty());
    QCOMPARE(readFileBounded(dir.path(), 10).reason, QStringLiteral("is a directory"));
    QCOMPARE(readFileBounded(dir.filePath(QStringLiteral("none")), 10).status,
             BoundedRead::Status::NotFound);
    QVERIFY(kvtest::writeAll(dir.filePath(QStringLiteral("exact")), QByteArray(10, 'x')));
    QVERIFY(readFileBounded(dir.filePath(QStringLiteral("exact")), 10).ok());
    QCOMPARE(readFileBounded(dir.filePath(QStringLiteral("exact")), 9).status,
             BoundedRead::Status::TooLarge);
  }

  void backupsAreNamedByTimeDirectionAndPortAndPruned() {
    QTemporaryDir dir;
    const QDateTime when(QDate(2026, 12, 8), QTime(9, 30, 0));
    BackupStore store(dir.path());
    const QByteArray blank(kImageSize, char(0xFF));  // names no model
    QStringList names;
    for (const char* device : {"/dev/ttyUSB0", "/dev/ttyUSB0", "/dev/ttyUSB0", "/dev/pts/3"})
      names << QFileInfo(store.keep(blank, "write", device, when).path).fileName();
    QCOMPARE(names, (QStringList{
                        "20261208-093000-write-ttyUSB0.chp", "20261208-093000-write-ttyUSB0-2.chp",
                        "20261208-093000-write-ttyUSB0-3.chp", "20261208-093000-write-pts-3.chp"}));
    QVERIFY(kvtest::writeAll(dir.filePath(QStringLiteral("notes.chp")), "mine"));
    // A busy day's backups all stay, however many.
    for (int i = 1; i <= 500; ++i)
      QVERIFY(!store.keep(blank, "read", "COM3", when.addSecs(i)).error);
    const QStringList day = QDir(dir.path()).entryList(QDir::Files);
    QCOMPARE(day.size(), 505);
    // Past the age, the oldest (by time, whatever the name) go while the folder holds more
    // than kBackupsKept; a young one never does.
    const QDateTime old = QDateTime::currentDateTime().addDays(-kBackupDays - 1);
    QStringList olds;
    for (int i = 0; i < kBackupsKept; ++i) {
      olds << QStringLiteral("20990101-%1-read-COM3.chp").arg(kBackupsKept - i, 6, 10, QChar('0'));
      QFile file(dir.filePath(olds.last()));
      QVERIFY(file.open(QIODevice::WriteOnly) &&
              file.setFileTime(old.addSecs(i), QFileDevice::FileModificationTime));
    }
    const QString newest = QFileInfo(store.keep(blank, "read", "COM3").path).fileName();
    const QStringList kept = QDir(dir.path()).entryList(QDir::Files);
    QCOMPARE(kept.size(), kBackupsKept + 1);  // and the file that is not ours
    for (const QString& name : day + QStringList{newest} + olds.mid(2505 - kBackupsKept))
      QVERIFY2(kept.contains(name), qPrintable(name));

    const Backup refused =
        BackupStore(dir.filePath(QStringLiteral("notes.chp"))).keep(blank, "read", "COM3");
    QVERIFY(refused.error);
    QVERIFY(refused.path.isEmpty());
  }
};

QTEST_GUILESS_MAIN(TestFiles)
#include "test_files.moc"
