#include "cli/command.h"
#include "cli/jsonformat.h"
#include "cli/texttable.h"
#include "image/atomicfile.h"
#include "image/boundedreader.h"
#include "image/chpfile.h"
#include "model/radiomodel.h"

namespace kv::cli {
namespace {

constexpr qint64 kMaxJsonSize = 1 << 20;  // a channel file's JSON is about 3 KB

// Loads a channel file completely, or says why not.
std::optional<RadioData> loadComplete(const QString& path, QString* error) {
  RadioData data;
  const LoadResult r = loadChpFile(path, data);
  if (r.status == LoadStatus::NotFound)
    *error = QStringLiteral("%1: no such file").arg(path);
  else if (r.status == LoadStatus::Failed)
    *error = QStringLiteral("%1: %2 (error %3)").arg(path, r.error.description).arg(r.error.number);
  else if (!r.modelFound)
    *error = QStringLiteral("%1: the model code matches none of the eight models").arg(path);
  else
    return data;
  return std::nullopt;
}

QString showText(const RadioData& data, const QString& bandText) {
  const FunctionSettings& s = data.settings;
  TextTable settings;
  settings.addRow(
      {"机型：", modelNames()[s.model], "频率：", bandText.isEmpty() ? "（未设定）" : bandText});
  settings.addRow(
      {"监听：", monitorOptions()[s.monitor], "省电功能：", powerSaveOptions()[s.powerSave]});
  settings.addRow(
      {"发射限时：", txTimeoutOptions()[s.txTimeout], "静噪等级：", squelchOptions()[s.squelch]});
  settings.addRow({"扫描功能：", scanOptions()[s.scan], "语音报频：", voiceOptions()[s.voice]});
  settings.addRow({"晶体：", data.tune.jtlx == "1" ? "14.4MHz" : "13MHz", "中频：",
                   data.tune.bjlx == "1" ? "负" : "正"});
  settings.addRow({"功率调整：", powerTrimOptions().value(data.tune.sPower, "（无）"), "功能字节：",
                   functionFlags(data)});

  TextTable channels;
  channels.addRow(columnHeadings());
  for (int n = 1; n <= kChannelCount; ++n) {
    QStringList row{QString::number(n)};
    for (int c = kRxFreq; c <= kTxPower; ++c) row << data.cell(n, c);
    channels.addRow(row);
  }
  return settings.render() + QLatin1Char('\n') + channels.render();
}

int show(const QStringList& args) {
  if (args.size() != 1) return fail(QStringLiteral("usage: kvprog-cli show FILE.chp"));
  QString error;
  const auto data = loadComplete(args[0], &error);
  if (!data) return fail(error);
  print(showText(*data, bandOfModel(data->settings.model)));
  return 0;
}

int exportJson(const QStringList& args) {
  if (args.size() != 2) return fail(QStringLiteral("usage: kvprog-cli export FILE.chp OUT.json"));
  QString error;
  const auto data = loadComplete(args[0], &error);
  if (!data) return fail(error);
  if (const auto e = writeFileAtomically(args[1], toJson(*data)))
    return fail(QStringLiteral("%1: %2").arg(args[1], *e));
  return 0;
}

int importJson(const QStringList& args) {
  if (args.size() != 2) return fail(QStringLiteral("usage: kvprog-cli import IN.json OUT.chp"));
  const BoundedRead in = readFileBounded(args[0], kMaxJsonSize);
  if (!in.ok()) return fail(QStringLiteral("%1: %2").arg(args[0], in.reason));
  const JsonResult r = fromJson(in.bytes);
  if (!r.error.isEmpty()) return fail(QStringLiteral("%1: %2").arg(args[0], r.error));
  if (const auto e = saveChpFile(args[1], r.data))
    return fail(QStringLiteral("%1: %2").arg(args[1], e->description));
  return 0;
}

}  // namespace

QList<Command> fileCommands() {
  return {
      {"show", "show FILE.chp",
       "Print a channel file's model, band, settings and 16-channel table.",
       "The band is the model's band from the settings file beside the program.\n", show},
      {"export", "export FILE.chp OUT.json", "Convert a channel file to JSON.",
       "Every value is the text the editor shows; empty cells are \"\". A file that does not load\n"
       "completely, or whose model code matches no model, fails and writes nothing.\n",
       exportJson},
      {"import", "import IN.json OUT.chp", "Convert JSON (as written by export) to a channel file.",
       "Every value is checked against the editor's lists; a bad file is rejected with a message\n"
       "naming the channel and the key, and nothing is written.\n",
       importJson},
  };
}

}  // namespace kv::cli
