#include "print/pdftextlayer.h"

#include <QHash>
#include <QRawFont>
#include <QRegularExpression>

#include "print/scriptfonts.h"

namespace kv {
namespace {

constexpr char16_t kFirstRadical = 0x2E80;
constexpr char16_t kLastRadical = 0x2FDF;
constexpr char16_t kFirstIdeograph = 0x3400;
constexpr char16_t kLastIdeograph = 0x9FFF;

QString codeRange(char16_t first, char16_t last) {
  QString text;
  for (char16_t c = first; c <= last; ++c) text += QChar(c);
  return text;
}

const QHash<uint, uint>& ideographOfRadical() {
  static const QHash<uint, uint> map = [] {
    QFont font(installedFamily(QStringLiteral("宋体")));
    font.setPixelSize(32);
    const QRawFont raw = QRawFont::fromFont(font, QFontDatabase::SimplifiedChinese);
    const QList<quint32> ideographs =
        raw.glyphIndexesForString(codeRange(kFirstIdeograph, kLastIdeograph));
    QHash<quint32, uint> byGlyph;
    for (qsizetype i = ideographs.size() - 1; i >= 0; --i) {
      if (ideographs[i]) byGlyph[ideographs[i]] = kFirstIdeograph + uint(i);
    }
    const QList<quint32> radicals =
        raw.glyphIndexesForString(codeRange(kFirstRadical, kLastRadical));
    QHash<uint, uint> result;
    for (qsizetype i = 0; i < radicals.size(); ++i) {
      if (const auto it = byGlyph.constFind(radicals[i]); radicals[i] && it != byGlyph.constEnd())
        result.insert(kFirstRadical + uint(i), *it);
    }
    return result;
  }();
  return map;
}

}  // namespace

QByteArray mendPdfTextLayer(QByteArray pdf) {
  // Destination arrays of the ToUnicode maps' ranges: "<0001> <0047> [<672C> <2EDA> ...]".
  static const QRegularExpression array(QStringLiteral(R"(\[(<[0-9A-F]{4}> ?)+\])"));
  static const QRegularExpression entry(QStringLiteral("<([0-9A-F]{4})>"));
  const QString text = QString::fromLatin1(pdf);
  for (auto arrays = array.globalMatch(text); arrays.hasNext();) {
    const QRegularExpressionMatch a = arrays.next();
    for (auto entries = entry.globalMatch(a.captured()); entries.hasNext();) {
      const QRegularExpressionMatch e = entries.next();
      const uint code = e.captured(1).toUInt(nullptr, 16);
      if (code < kFirstRadical || code > kLastRadical) continue;
      if (const auto it = ideographOfRadical().constFind(code);
          it != ideographOfRadical().constEnd())
        pdf.replace(a.capturedStart() + e.capturedStart(1), 4,
                    QByteArray::number(*it, 16).toUpper().rightJustified(4, '0'));
    }
  }
  return pdf;
}

}  // namespace kv
