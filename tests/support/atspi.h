#pragma once

#include <QCoreApplication>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTimer>
#include <functional>

namespace kvtest {

// A screen reader's view of this program: the accessibility bus, read by
// tests/support/atspi_tree.py in another process while this one goes on answering it. Needs a
// session bus and a display with the bridge on (tests/support/a11y-session).
class AtspiReader {
 public:
  AtspiReader() {
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // Debian's Python, which has the accessibility bus's bindings.
    process_.start(QStringLiteral("/usr/bin/python3"),
                   {QStringLiteral(KV_TEST_SUPPORT "/atspi_tree.py"),
                    QString::number(QCoreApplication::applicationPid())});
  }
  ~AtspiReader() {
    process_.closeWriteChannel();
    process_.waitForFinished(5000);
  }

  // The showing window named `title`, once the bus shows it (empty if it never does).
  QJsonObject window(const QString& title) {
    process_.write(title.toUtf8() + '\n');
    QEventLoop loop;  // this program answers the reader's questions meanwhile
    QObject::connect(&process_, &QProcess::readyReadStandardOutput, &loop, &QEventLoop::quit);
    QObject::connect(&process_, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();
    while (process_.state() == QProcess::Running && !process_.canReadLine())
      process_.waitForReadyRead(100);  // the rest of a line written in parts
    return QJsonDocument::fromJson(process_.readLine()).object();
  }

 private:
  QProcess process_;
};

inline void forEachNode(const QJsonObject& node, const std::function<void(const QJsonObject&)>& f) {
  f(node);
  for (const QJsonValue& child : node[QStringLiteral("children")].toArray())
    forEachNode(child.toObject(), f);
}

// The first node of `role` (and `name`, when given) under `root`.
inline QJsonObject findNode(const QJsonObject& root, const QString& role,
                            const QString& name = QString()) {
  QJsonObject found;
  forEachNode(root, [&](const QJsonObject& node) {
    if (found.isEmpty() && node[QStringLiteral("role")] == role &&
        (name.isNull() || node[QStringLiteral("name")] == name))
      found = node;
  });
  return found;
}

// The role of every enabled control a keyboard reaches that a screen reader can name by
// nothing: a list is named by the labels that label it (its own name is its value), anything
// else by its name or its labels. Cells and items are named by their values, maybe empty.
inline QStringList unnamedControls(const QJsonObject& window) {
  QStringList unnamed;
  forEachNode(window, [&](const QJsonObject& node) {
    const QString role = node[QStringLiteral("role")].toString();
    const QJsonArray states = node[QStringLiteral("states")].toArray();
    const bool named =
        !node[QStringLiteral("labels")].toArray().isEmpty() ||
        (role != QLatin1String("combo box") && !node[QStringLiteral("name")].toString().isEmpty());
    if (states.contains(QStringLiteral("focusable")) &&
        states.contains(QStringLiteral("enabled")) && !role.endsWith(QLatin1String("cell")) &&
        !role.endsWith(QLatin1String("item")) && !named)
      unnamed << role;
  });
  return unnamed;
}

}  // namespace kvtest
