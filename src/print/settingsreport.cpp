#include "print/settingsreport.h"

#include "model/radiomodel.h"
#include "print/printscript.h"

namespace kv {
namespace {

struct CentredText {
  float x;
  float y;
  qint16 size;
  QString text;
};

QList<CentredText> centredTexts(const RadioData& data, const QString& bandText) {
  const FunctionSettings& s = data.settings;
  return {
      {9, 1.5f, 16, QStringLiteral("本机设置数据第一页")},
      {7, 2.5f, 12, QStringLiteral("一整机功能设置部份")},
      {5, 3.0f, 12, QStringLiteral("机型：") + modelNames().value(s.model)},
      {13, 3.0f, 12, QStringLiteral("频率：") + bandText},
      {5, 3.5f, 12, QStringLiteral("监听功能：") + monitorOptions().value(s.monitor)},
      {13, 3.5f, 12, QStringLiteral("省电功能：") + powerSaveOptions().value(s.powerSave)},
      {5, 4.0f, 12, QStringLiteral("发射限时：") + txTimeoutOptions().value(s.txTimeout)},
      {13, 4.0f, 12, QStringLiteral("静噪等级：") + squelchOptions().value(s.squelch)},
      {5, 4.5f, 12, QStringLiteral("打描功能：") + scanOptions().value(s.scan)},
      {13, 4.5f, 12, QStringLiteral("语音报频：") + voiceOptions().value(s.voice)},
      {7, 6.5f, 12, QStringLiteral("二信道数据设置部份")},
  };
}

// The text of grid cell (row, column): headings in row 0, channel numbers in column 0.
QString gridText(const RadioData& data, int row, int column) {
  if (row == 0) return columnHeadings().value(column);
  if (column == 0) return QString::number(row);
  return data.cell(row, column);
}

}  // namespace

const std::array<float, kColumnCount>& reportColumnLefts() {
  // Spaced by what each column holds (frequencies are the widest), so the transmit-power
  // column still ends well inside the sheet.
  static const std::array<float, kColumnCount> lefts{2.5f,  3.7f,  6.2f,  8.7f,
                                                     10.9f, 13.1f, 15.3f, 16.9f};
  return lefts;
}

bool writeSettingsReport(const RadioData& data, const QString& bandText) {
  if (!NewScript() || !StartPage(QStringLiteral("打印预览"), QStringLiteral("第一页")))
    return false;
  const QString arial = QStringLiteral("Arial");
  for (const CentredText& t : centredTexts(data, bandText)) {
    if (!PrintInCen(t.x, t.y, t.text, arial, t.size, true)) return false;
  }
  const QString song = QStringLiteral("宋体");
  for (int row = 0; row <= kChannelCount; ++row) {
    for (int column = 0; column < kColumnCount; ++column) {
      if (!PrintInLeft(reportColumnLefts()[column], 7.0f + 0.5f * row, gridText(data, row, column),
                       song, 12, true))
        return false;
    }
  }
  return true;
}

}  // namespace kv
