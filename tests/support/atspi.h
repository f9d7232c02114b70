#pragma once

#include <QCoreApplication>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTimer>

namespace kvtest {

// A screen reader's view of this program: the accessibility bus, read by
// tests/support/atspi_tree.py in another process while this one goes on answering it. Needs a
// session bus and a display with the bridge on (tests/support/a11y-session).
class AtspiReader {
 public:
  AtspiReader() {
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(QStringLiteral("/usr/bin/python3"),  // Debian's, with the bus's bindings
                   {QStringLiteral(KV_TEST_DATA "/../support/atspi_tree.py"),
                    QString::number(QCoreApplication::applicationPid())});
  }
  ~AtspiReader() {
    process_.closeWriteChannel();
    process_.waitForFinished(5000);
  }

  // The showing window named `title` as atspi_tree.py describes it, once the bus shows it
  // (empty if it never does, or the reader has gone).
  QJsonObject window(const QString& title) {
    process_.write(title.toUtf8() + '\n');
    QEventLoop loop;  // this program answers the reader's questions meanwhile
    QObject::connect(&process_, &QProcess::readyReadStandardOutput, &loop, [&] {
      if (process_.canReadLine()) loop.quit();
    });
    QObject::connect(&process_, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    if (!process_.canReadLine() && process_.state() != QProcess::NotRunning) loop.exec();
    return QJsonDocument::fromJson(process_.readLine()).object();
  }

 private:
  QProcess process_;
};

}  // namespace kvtest
