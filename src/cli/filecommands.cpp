#include <QCoreApplication>

#include "cli/command.h"
#include "cli/texttable.h"
#include "exchange/chirpformat.h"
#include "exchange/csvformat.h"
#include "exchange/fields.h"
#include "exchange/jsonformat.h"
#include "image/atomicfile.h"
#include "image/boundedreader.h"
#include "image/chpfile.h"
#include "image/memoryimage.h"
#include "model/radiomodel.h"
#include "model/valuetexts.h"

namespace kv::cli {
namespace {

// A label of `show` in the current language.
QString label(const char* source) { return QCoreApplication::translate("kv::cli::show", source); }

QString showText(const RadioData& data, const QString& bandText) {
  const FunctionSettings& s = data.settings;
  // A field's caption and its value's text, as the window shows them.
  QStringList pairs{
      fieldCaption(u"model"), modelNames()[s.model],
      label(QT_TRANSLATE_NOOP("kv::cli::show", "频率：")),
      bandText.isEmpty() ? label(QT_TRANSLATE_NOOP("kv::cli::show", "（未设定）")) : bandText};
  for (const SettingField& f : settingFields())
    pairs << fieldCaption(QStringLiteral("settings.%1").arg(QLatin1String(f.key)))
          << valueText(f.options().value(s.*f.field));
  pairs << fieldCaption(u"tune.crystal") << crystalTexts()[data.tune.jtlx == "1"]
        << fieldCaption(u"tune.if_side") << valueText(ifSideTexts()[data.tune.bjlx == "1"])
        << fieldCaption(u"tune.power_trim")
        << powerTrimOptions().value(data.tune.sPower,
                                    label(QT_TRANSLATE_NOOP("kv::cli::show", "（无）")))
        << label(QT_TRANSLATE_NOOP("kv::cli::show", "功能字节：")) << functionFlags(data);
  TextTable settings;
  for (qsizetype i = 0; i < pairs.size(); i += 4) settings.addRow(pairs.mid(i, 4));

  TextTable channels;
  QStringList headings;
  for (int c = 0; c < kColumnCount; ++c) headings << columnCaption(c);
  channels.addRow(headings);
  for (int n = 1; n <= kChannelCount; ++n) {
    QStringList row{QString::number(n)};
    for (int c = kRxFreq; c <= kTxPower; ++c) row << valueText(data.cell(n, c));
    channels.addRow(row);
  }
  return settings.render() + QLatin1Char('\n') + channels.render();
}

int show(const Call& call) {
  const auto data = loadChannelFile(call.argument(0));
  if (!data) return 1;
  print(showText(*data, bandTextOf(settingsBands(), data->settings.model)));
  return 0;
}

// The forms a channel table travels in.
enum class Form { Json, Csv, Chirp };

const Option kFormat{"format", "FORM", "json, csv or chirp (a CHIRP CSV file)"};
const QString kBadFormat = QStringLiteral("--format must be json, csv or chirp");

// The form --format names, or nothing for a name it does not know.
std::optional<Form> formNamed(const QString& name) {
  if (name == QLatin1String("json")) return Form::Json;
  if (name == QLatin1String("csv")) return Form::Csv;
  if (name == QLatin1String("chirp")) return Form::Chirp;
  return std::nullopt;
}

// Without --format: a name ending ".csv", in any letter case, is the CSV form; anything else
// JSON.
Form formByName(const QString& path) {
  return path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive) ? Form::Csv : Form::Json;
}

// What a form could not carry, or left out, is said on stderr; none of it is an error.
void printNotes(const QString& path, const QStringList& notes) {
  for (const QString& note : notes)
    std::fprintf(stderr, "kvprog-cli: %s: %s\n", qUtf8Printable(path), qUtf8Printable(note));
}

int exportTable(const Call& call) {
  const bool chosen = call.isSet(kFormat.name);
  const auto named = formNamed(call.value(kFormat.name));
  if (chosen && !named) return call.misuse(kBadFormat);
  const auto data = loadChannelFile(call.argument(0));
  if (!data) return 1;
  const QString out = call.argument(1);
  const Form form = chosen ? *named : formByName(out);
  const QByteArray bytes = form == Form::Chirp ? toChirpCsv(*data)
                           : form == Form::Csv ? toCsv(*data)
                                               : toJson(*data);
  if (const auto e = writeFileAtomically(out, bytes))
    return fail(QStringLiteral("%1: %2").arg(out, *e));
  if (form == Form::Chirp) printNotes(out, chirpExportNotes(*data));
  return 0;
}

int importTable(const Call& call) {
  const bool chosen = call.isSet(kFormat.name);
  const auto named = formNamed(call.value(kFormat.name));
  if (chosen && !named) return call.misuse(kBadFormat);
  const QString in = call.argument(0);
  const BoundedRead input = readFileBounded(in, kMaxInputSize);
  if (!input.ok()) return fail(QStringLiteral("%1: %2").arg(in, input.reasonText()));
  // Without --format a CHIRP file is known by its header, whatever its name.
  const Form form = chosen ? *named : isChirpCsv(input.bytes) ? Form::Chirp : formByName(in);
  const QString basePath = call.value(QStringLiteral("base"));
  if (!basePath.isEmpty() && form == Form::Json)
    return call.misuse(
        QStringLiteral("--base goes with a CSV table; JSON holds the settings itself"));
  RadioData base;
  if (!basePath.isEmpty()) {
    const auto loaded = loadChannelFile(basePath);
    if (!loaded) return 1;
    base = *loaded;
  }
  CsvResult r;
  switch (form) {
    case Form::Chirp:
      r = fromChirpCsv(input.bytes, base, settingsBands());
      break;
    case Form::Csv:
      r = fromCsv(input.bytes, base, settingsBands());
      break;
    case Form::Json: {
      const JsonResult json = fromJson(input.bytes, settingsBands());
      r = {json.data, json.error, {}, {}};
    }
  }
  if (!r.error.isEmpty()) return fail(QStringLiteral("%1: %2").arg(in, r.error));
  if (const auto e = saveChpFile(call.argument(1), r.data))
    return fail(QStringLiteral("%1: %2").arg(call.argument(1), e->description));
  printNotes(in, r.notes);
  return 0;
}

// A document for diff, with the memory image its file holds.
struct Document {
  RadioData data;
  QByteArray image;
};

// A channel file, or a radio's 1024-byte memory image (what kvsim keeps with --image), taken
// whole; else nothing and the reason on stderr.
std::optional<Document> loadDocument(const QString& path) {
  const BoundedRead input = readFileBounded(path, kMaxInputSize);
  if (!input.ok()) {
    fail(QStringLiteral("%1: %2").arg(path, input.reasonText()));
    return std::nullopt;
  }
  const bool isImage = input.bytes.size() == kImageSize && !input.bytes.startsWith("52 ");
  const QByteArray image = isImage ? input.bytes : chpImage(input.bytes);
  const auto data = takeWhole(path, loadWholeChpText(isImage ? chpText(image) : input.bytes));
  if (!data) return std::nullopt;
  return Document{*data, image};
}

// Like diff(1): 0 when the documents are equal, 1 when they differ, 2 on an error.
constexpr int kTrouble = 2;

int diff(const Call& call) {
  const auto a = loadDocument(call.argument(0));
  const auto b = a ? loadDocument(call.argument(1)) : std::nullopt;
  if (!b) return kTrouble;
  const QStringList lines = documentDifferences(a->data, a->image, b->data, b->image);
  for (const QString& line : lines) print(line + QLatin1Char('\n'));
  return lines.isEmpty() ? 0 : 1;
}

}  // namespace

QList<Command> fileCommands() {
  return {
      {.name = "show",
       .summary = "Print a channel file's model, band, settings and 16-channel table.",
       .about =
           "The band is the model's band from the settings file \"Sfc.ini\" the program uses.\n",
       .arguments = {"FILE.chp"},
       .run = show},
      {.name = "export",
       .summary = "Convert a channel file to JSON, or its channel table to CSV.",
       .about =
           "A name ending \".csv\" (any case) gives CSV: UTF-8 with a byte-order mark, a header "
           "row\n"
           "and channels 1 to 16, for spreadsheets. Anything else gives JSON with the model, the\n"
           "settings and the channels. Every value is the text the editor shows; empty cells are\n"
           "empty. A file that does not load completely, or whose model code matches no model,\n"
           "fails and writes nothing.\n",
       .options = {kFormat},
       .arguments = {"FILE.chp", "OUT.json|OUT.csv"},
       .notes =
           "--format chirp writes the CSV form of CHIRP, the open radio programming tool, one\n"
           "row per channel with a receive frequency; busy lock, which it cannot carry, is\n"
           "named on stderr. Without --format the name decides, as above.\n",
       .run = exportTable},
      {.name = "import",
       .summary = "Convert JSON or a CSV channel table (as written by export) to a channel file.",
       .about =
           "Every value is checked as the editor would take it: frequencies against the model's\n"
           "band in the settings file and the 6.25 kHz / 5 kHz raster, the other columns against\n"
           "the editor's lists. CSV may come from a spreadsheet: UTF-8 or GB18030, commas or\n"
           "semicolons, quoted fields. A bad file is rejected with a message naming the channel\n"
           "(or the row) and the key, and nothing is written.\n\n",
       .options = {{"base", "BASE.chp",
                    "the model and the settings for a CSV table, which has none\n"
                    "(without it, the defaults); JSON holds its own"},
                   kFormat},
       .arguments = {"IN.json|IN.csv", "OUT.chp"},
       .notes =
           "Without --format a CHIRP CSV file is known by its header, in either the current or\n"
           "the older column set; anything else goes by the name as for export. What CHIRP\n"
           "keeps and the radio cannot (names, skips, comments, rows past 16) is left out\n"
           "with a note on stderr.\n",
       .run = importTable},
      {.name = "diff",
       .summary = "List the differences between two channel files.",
       .about =
           "One line per field that differs, named as in the JSON form: \"model: X -> Y\",\n"
           "\"settings.squelch: 4 -> 6\", \"channel 3 rx_freq: 450.12500 -> 451.00000\"; then one\n"
           "line for the bytes that differ where no field shows it (the memory beyond the\n"
           "channels, unused bytes): \"other bytes: 3 differ, first address 0x0001: FF -> 00\".\n"
           "Either file may also be a radio's 1024-byte memory image (a kvsim --image file).\n"
           "Exit status: 0 equal, 1 different, 2 trouble (a file that does not load completely,\n"
           "or a misuse).\n",
       .arguments = {"A.chp", "B.chp"},
       .run = diff,
       .misuseStatus = kTrouble},
  };
}

}  // namespace kv::cli
