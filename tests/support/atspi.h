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
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();
    for (int tries = 0; tries < 100 && !process_.canReadLine(); ++tries)
      process_.waitForReadyRead(100);  // the rest of a line written in parts
    return QJsonDocument::fromJson(process_.readLine()).object();
  }

 private:
  QProcess process_;
};

// The first node of `role` (and `name`, when given) under `root`, or an empty one.
inline QJsonObject findNode(const QJsonObject& root, const QString& role,
                            const QString& name = QString()) {
  if (root["role"] == role && (name.isNull() || root["name"] == name)) return root;
  for (const QJsonValue& child : root["children"].toArray())
    if (QJsonObject found = findNode(child.toObject(), role, name); !found.isEmpty()) return found;
  return {};
}

// The role of every enabled control a keyboard reaches under `node` that a screen reader can
// name by nothing: a list is named by the labels that label it (its own name is its value),
// anything else by its name or labels. Cells and items are named by their values, maybe empty.
inline QStringList unnamedControls(const QJsonObject& node) {
  const QString role = node["role"].toString();
  const QJsonArray states = node["states"].toArray();
  const bool named = !node["labels"].toArray().isEmpty() ||
                     (role != "combo box" && !node["name"].toString().isEmpty());
  QStringList unnamed;
  if (states.contains("focusable") && states.contains("enabled") && !role.endsWith("cell") &&
      !role.endsWith("item") && !named)
    unnamed << role;
  for (const QJsonValue& child : node["children"].toArray())
    unnamed << unnamedControls(child.toObject());
  return unnamed;
}

}  // namespace kvtest
