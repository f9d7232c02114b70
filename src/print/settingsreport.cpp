#include "print/settingsreport.h"

#include <QCoreApplication>

#include "model/radiomodel.h"
#include "model/valuetexts.h"
#include "print/printscript.h"

namespace kv {
namespace {

struct CentredText {
  float x;
  float y;
  qint16 size;
  QString text;
};

QString text(const char* source) {
  return QCoreApplication::translate("kv::SettingsReport", source);
}

QList<CentredText> centredTexts(const RadioData& data, const QString& bandText) {
  const FunctionSettings& s = data.settings;
  return {
      {9, 1.5f, 16, text(QT_TRANSLATE_NOOP("kv::SettingsReport", "本机设置数据第一页"))},
      {7, 2.5f, 12, text(QT_TRANSLATE_NOOP("kv::SettingsReport", "一整机功能设置部份"))},
      {5, 3.0f, 12,
       text(QT_TRANSLATE_NOOP("kv::SettingsReport", "机型：")) + modelNames().value(s.model)},
      {13, 3.0f, 12, text(QT_TRANSLATE_NOOP("kv::SettingsReport", "频率：")) + bandText},
      {5, 3.5f, 12,
       text(QT_TRANSLATE_NOOP("kv::SettingsReport", "监听功能：")) +
           valueText(monitorOptions().value(s.monitor))},
      {13, 3.5f, 12,
       text(QT_TRANSLATE_NOOP("kv::SettingsReport", "省电功能：")) +
           valueText(powerSaveOptions().value(s.powerSave))},
      {5, 4.0f, 12,
       text(QT_TRANSLATE_NOOP("kv::SettingsReport", "发射限时：")) +
           valueText(txTimeoutOptions().value(s.txTimeout))},
      {13, 4.0f, 12,
       text(QT_TRANSLATE_NOOP("kv::SettingsReport", "静噪等级：")) +
           valueText(squelchOptions().value(s.squelch))},
      {5, 4.5f, 12,
       text(QT_TRANSLATE_NOOP("kv::SettingsReport", "打描功能：")) +
           valueText(scanOptions().value(s.scan))},
      {13, 4.5f, 12,
       text(QT_TRANSLATE_NOOP("kv::SettingsReport", "语音报频：")) +
           valueText(voiceOptions().value(s.voice))},
      {7, 6.5f, 12, text(QT_TRANSLATE_NOOP("kv::SettingsReport", "二信道数据设置部份"))},
  };
}

// The text of grid cell (row, column): headings in row 0, channel numbers in column 0.
QString gridText(const RadioData& data, int row, int column) {
  // The sheet's columns are set apart for the Chinese headings: English ones are short.
  static const char* const kHeadings[kColumnCount] = {
      QT_TRANSLATE_NOOP("kv::SettingsReport", "信道"),
      QT_TRANSLATE_NOOP("kv::SettingsReport", "接收频率"),
      QT_TRANSLATE_NOOP("kv::SettingsReport", "发射频率"),
      QT_TRANSLATE_NOOP("kv::SettingsReport", "接收信令"),
      QT_TRANSLATE_NOOP("kv::SettingsReport", "发射信令"),
      QT_TRANSLATE_NOOP("kv::SettingsReport", "繁忙锁定"),
      QT_TRANSLATE_NOOP("kv::SettingsReport", "宽/窄"),
      QT_TRANSLATE_NOOP("kv::SettingsReport", "发射功率")};
  if (row == 0) return text(kHeadings[column]);
  if (column == 0) return QString::number(row);
  // The sheet's values in their short forms, which fit the columns in every language.
  static const char* const kShortValues[] = {
      QT_TRANSLATE_NOOP("kv::SettingsReport", "是"), QT_TRANSLATE_NOOP("kv::SettingsReport", "否"),
      QT_TRANSLATE_NOOP("kv::SettingsReport", "宽"), QT_TRANSLATE_NOOP("kv::SettingsReport", "窄"),
      QT_TRANSLATE_NOOP("kv::SettingsReport", "高"), QT_TRANSLATE_NOOP("kv::SettingsReport", "中"),
      QT_TRANSLATE_NOOP("kv::SettingsReport", "低")};
  const QString& value = data.cell(row, column);
  for (const char* shortValue : kShortValues)
    if (value == QString::fromUtf8(shortValue)) return text(shortValue);
  return value;
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
  if (!NewScript() || !StartPage(text(QT_TRANSLATE_NOOP("kv::SettingsReport", "打印预览")),
                                 text(QT_TRANSLATE_NOOP("kv::SettingsReport", "第一页"))))
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
