#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include "app/application.h"
#include "app/frmabout.h"
#include "app/frmsplash.h"
#include "app/helpwindow.h"
#include "editor/mainfrm.h"
#include "image/programfolders.h"
#include "ui/programs.h"
#include "ui/prompts.h"
#include "ui/usersettings.h"
#include "usersettingsdir.h"

using namespace kv;

// Stands in for the desktop's viewer of local files.
class UrlCatcher : public QObject {
  Q_OBJECT
 public:
  QUrl opened;
 public slots:
  void open(const QUrl& url) { opened = url; }
};

class TestApp : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    prompts::setTestMode(true);
    programs::setTestMode(true);
  }

  void splashShowsAPictureAndClosesAfterASecond() {
    auto* splash = new frmSplash;
    QPointer<frmSplash> alive(splash);
    QSignalSpy finished(splash, &frmSplash::finished);
    splash->show();
    const auto* picture = splash->findChild<QLabel*>();
    QVERIFY(picture && !picture->pixmap().isNull());
    QTest::qWait(900);
    QCOMPARE(finished.count(), 0);
    QVERIFY(finished.wait(1000));
    QTRY_VERIFY(!alive);  // closed and gone
  }

  void aboutBoxTextsAndButtons() {
    useProgramIdentity();
    frmAbout about;
    // The version every program's --version prints.
    QCOMPARE("版本 " + QCoreApplication::applicationVersion(),
             about.findChild<QLabel*>(QStringLiteral("lblVersion"))->text());
    QCOMPARE(versionLine("kvprog"), "kvprog " + QCoreApplication::applicationVersion());
    QCOMPARE(about.windowTitle(), QStringLiteral("关于 Tervan_V3.0编程软件"));
    QCOMPARE(about.findChild<QLabel*>(QStringLiteral("lblTitle"))->text(),
             QStringLiteral("Tervan_V3.0编程软件"));
    auto* ok = about.findChild<QPushButton*>(QStringLiteral("cmdOK"));
    QCOMPARE(ok->text(), QStringLiteral("确定"));
    QCOMPARE(about.findChild<QPushButton*>(QStringLiteral("cmdSysInfo"))->text(),
             QStringLiteral("系统信息"));
    QTimer::singleShot(0, ok, [ok] { QTest::mouseClick(ok, Qt::LeftButton); });
    QCOMPARE(about.exec(), int(QDialog::Accepted));
  }

  // 系统信息 starts the first of the system's information programs that is there, here the
  // second of Linux's three.
  void systemInformationStartsTheFirstProgramFound() {
    QTemporaryDir folder;
    const QString program = folder.filePath(frmAbout::systemInfoPrograms().value(1));
    QFile file(program);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", folder.path().toLocal8Bit());
    frmAbout about;
    QTest::mouseClick(about.findChild<QPushButton*>(QStringLiteral("cmdSysInfo")), Qt::LeftButton);
    qputenv("PATH", path);
    QCOMPARE(programs::started(), QStringList{program});
    QVERIFY(prompts::shown().isEmpty());
  }

  void systemInformationMissingIsReported() {
    QTemporaryDir empty;
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", empty.path().toLocal8Bit());  // none of the programs can be found
    frmAbout about;
    QTest::mouseClick(about.findChild<QPushButton*>(QStringLiteral("cmdSysInfo")), Qt::LeftButton);
    qputenv("PATH", path);
    QCOMPARE(prompts::shown().size(), 1);
    QCOMPARE(prompts::shown()[0].text, QStringLiteral("此时系统信息不可用"));
    QCOMPARE(prompts::shown()[0].icon, prompts::Icon::None);
  }

  void helpShowsTheManualWithoutAHelpFile() {
    QWidget owner;
    HelpWindow::showHelp(&owner);
    auto* help = owner.findChild<HelpWindow*>();
    QVERIFY(help && help->isVisible());
    QVERIFY(help->browser()->toPlainText().contains(QStringLiteral("信道数据设置")));
    HelpWindow::showHelp(&owner);  // a second request reuses the window
    QCOMPARE(owner.findChildren<HelpWindow*>().size(), 1);
  }

  // The menus as the program sets them up: the 端口选择 entry drawn whole (the style elides a
  // text measured with its "&"), a long recent file's name shortened in the middle.
  void menusAreAsWideAsTheirTexts() {
    configureApplication(*qApp);
    kvtest::useTemporaryUserSettings();
    const QString longPath = QDir::temp().filePath(QString(300, u'x') + QStringLiteral("-end.chp"));
    UserSettings().addRecentFile(longPath);
    mainFrm w;
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QMenu reference;  // the room the style leaves around a text without an access key
    reference.addAction(QStringLiteral("选择端口(P)"));
    const int room = reference.sizeHint().width() -
                     reference.fontMetrics().horizontalAdvance(QStringLiteral("选择端口(P)"));
    auto* ports = w.findChild<QMenu*>(QStringLiteral("mnuCom"));
    QTest::keyClick(&w, Qt::Key_C, Qt::AltModifier);
    QTRY_VERIFY(ports->isVisible());
    QVERIFY(ports->width() >=
            ports->fontMetrics().horizontalAdvance(QStringLiteral("选择端口(&P)")) + room);
    ports->close();

    auto* file = w.findChild<QMenu*>(QStringLiteral("mnuFile"));
    QTest::keyClick(&w, Qt::Key_F, Qt::AltModifier);
    QTRY_VERIFY(file->isVisible());
    QVERIFY(file->width() < 60 * file->fontMetrics().averageCharWidth());
    auto* recent = w.findChild<QAction*>(QStringLiteral("mnuFileMRU0"));
    QVERIFY(recent->text().startsWith(QStringLiteral("&1 xxx")) &&
            recent->text().contains(QStringLiteral("x…x")) && recent->text().endsWith("x-end.chp"));
    file->setActiveAction(recent);
    QCOMPARE(w.statusBar()->currentMessage(), QDir::toNativeSeparators(longPath));
  }

  void helpFileBesideTheProgramGoesToTheDesktopViewer() {
    QFile file(QDir(QCoreApplication::applicationDirPath()).filePath(HelpWindow::helpFileName()));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    UrlCatcher viewer;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &viewer, "open");
    QWidget owner;
    HelpWindow::showHelp(&owner);
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    file.remove();
    QCOMPARE(viewer.opened, QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()));
    QVERIFY(!owner.findChild<HelpWindow*>());
  }
};

QTEST_MAIN(TestApp)
#include "test_app.moc"
