#include <QComboBox>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "testfiles.h"
#include "usersettingsdir.h"

#include "app/fileopening.h"
#include "editor/mainfrm.h"
#include "image/chpfile.h"
#include "ui/prompts.h"

using namespace kv;

namespace {

RadioData fileData(const QString& path) {
  RadioData data;
  return loadChpFile(path, data).status == LoadStatus::Loaded ? data : RadioData();
}

// Drags `path` from a file manager over the window and drops it; true when the window
// took the drag.
bool dropFile(mainFrm& window, const QString& path) {
  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(path)});
  const QPoint at = window.rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
  QCoreApplication::sendEvent(&window, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
  QCoreApplication::sendEvent(&window, &drop);
  return drop.isAccepted();
}

}  // namespace

class TestFileOpening : public QObject {
  Q_OBJECT

 private slots:
  // Opened files become recent files: the test's own, not the user's.
  void initTestCase() { kvtest::useTemporaryUserSettings(); }
  void init() {
    prompts::setTestMode(true);
    prompts::clearShown();
  }

  void fileNamedAtStartOpensAndABadOneLeavesTheWindowEmpty() {
    const QString example = kvtest::fixturePath("example.chp");
    mainFrm w;
    openAtStart(w, example);
    QVERIFY(w.data() != RadioData());
    QCOMPARE(w.data(), fileData(example));
    QVERIFY(prompts::shown().isEmpty());

    // A file cut short stops the load part-way; the start shows none of its values.
    QTemporaryDir dir;
    const QString cut = dir.filePath("cut.chp");
    QVERIFY(kvtest::writeAll(cut, kvtest::readAll(example).left(200)));
    mainFrm bad;
    openAtStart(bad, cut);
    RadioData partial;
    const LoadResult failed = loadChpFile(cut, partial);
    QVERIFY(partial != RadioData());
    QCOMPARE(prompts::shown().size(), 1);  // the Open's message
    QCOMPARE(prompts::shown()[0].text, failed.error.description);
    QCOMPARE(prompts::shown()[0].title, QString::number(failed.error.number));
    QCOMPARE(bad.data(), RadioData());

    mainFrm missing;
    openAtStart(missing, dir.filePath("none.chp"));
    QCOMPARE(prompts::shown()[1].text, "文件未找到：" + dir.filePath("none.chp"));
    QCOMPARE(prompts::shown()[1].title, QStringLiteral("53"));
    QCOMPARE(missing.data(), RadioData());
  }

  void droppedChpFileOpens() {
    mainFrm w;
    acceptChpDrops(w);
    w.show();
    QTemporaryDir dir;
    const QString text = dir.filePath("notes.txt");
    QVERIFY(kvtest::writeAll(text, "not a channel file"));
    QVERIFY(!dropFile(w, text));

    // Any letter case of the extension, as file managers show them.
    const QString upper = dir.filePath("RADIO.CHP");
    QVERIFY(QFile::copy(kvtest::fixturePath("example.chp"), upper));
    QVERIFY(dropFile(w, upper));
    QTRY_COMPARE(w.data(), fileData(upper));
    QVERIFY(prompts::shown().isEmpty());

    // Over unsaved changes the drop asks first; "取消" keeps them.
    QTest::keyClick(w.findChild<QComboBox*>(QStringLiteral("cboFuncSQL")), Qt::Key_Down);
    const RadioData edited = w.data();
    prompts::queueAnswer(prompts::Answer::Cancel);
    QVERIFY(dropFile(w, upper));
    QTRY_COMPARE(prompts::shown().size(), 1);
    QCOMPARE(prompts::shown()[0].text, QStringLiteral("数据已修改，是否保存？"));
    QCOMPARE(w.data(), edited);
  }
};

QTEST_MAIN(TestFileOpening)
#include "test_fileopening.moc"
