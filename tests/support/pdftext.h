#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QSysInfo>

// What poppler's tools read from a PDF, for tests that check what a reader of the file gets.
namespace kvtest {

// The tools are Linux programs. A test built for Windows runs under Wine here, which starts a
// Linux program but neither hands it the test's pipes nor lets the test wait for it: there the
// tests see only that the file was written.
inline bool pdfReadable() { return QSysInfo::kernelType() != QLatin1String("winnt"); }

// The text layer as a reader copying from the file gets it.
inline QString pdfText(const QString& path) {
  QProcess tool;
  tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), path, QStringLiteral("-")});
  tool.waitForFinished();
  return QString::fromUtf8(tool.readAllStandardOutput());
}

inline int pdfPageCount(const QString& path) {
  QProcess tool;
  tool.start(QStringLiteral("pdfinfo"), {path});
  tool.waitForFinished();
  const auto match = QRegularExpression(QStringLiteral(R"(Pages:\s+(\d+))"))
                         .match(QString::fromUtf8(tool.readAllStandardOutput()));
  return match.hasMatch() ? match.captured(1).toInt() : -1;
}

}  // namespace kvtest
