#pragma once

#include <QString>
#include <functional>

#include "image/joblog.h"
#include "link/radiojob.h"
#include "model/radiodata.h"

class QByteArray;
class QWidget;

namespace kv {

// The main window's Write command ("写频"): confirmation, the port opened, the progress
// window running the write and its checks, then what they found ("写频并校验成功" or the
// differences, or after a cancel part way that the radio may hold mixed data). Every image read or
// written is kept as a backup. True when every block went through and the checks passed.
bool runWriteCommand(QWidget* parent, const RadioData& data, WriteChecks checks = {});

// The Write command's question, "确定要开始写频吗?", or for a batch of several radios one that
// says how many; true when the user chose OK.
bool confirmWrite(QWidget* parent, int radios = 1);

// The main window's Read command ("读频"): confirmation, the port opened, the scratch file
// deleted, the progress window running the read; `load` (the main window's loader) gets
// the scratch file on the GUI thread before the window closes, or where the data folder
// cannot hold that file, `loadLines` gets the lines the radio sent and a warning follows.
// Each says whether they loaded. A complete read is kept as a backup. True when all 128 blocks
// were read and loaded.
bool runReadCommand(QWidget* parent, const std::function<bool(const QString& scratchPath)>& load,
                    const std::function<bool(const QByteArray& lines)>& loadLines = {});

// 编程's "与对讲机比较": without a question, the radio on the chosen port is read in the
// progress window, with no scratch file and nothing loaded, and one message says whether it
// holds `data` or lists the fields that differ, `data`'s value first. The read is kept as a
// backup. True when the radio holds `data`.
bool runCompareCommand(QWidget* parent, const RadioData& data);

// Which values a difference puts side by side: the window's and the radio's (a comparison),
// or what was written and what the radio holds after it (a verify).
enum class DifferenceSides { WindowAndRadio, WrittenAndRadio };

// A difference as kvprog-cli prints it ("channel 4 rx_freq: 455.00625 -> 455.00624",
// "settings.squelch: 4 -> 6", "address 0x0013: 43 -> 42") in the window's words and language,
// with the grid's column caption or the field's label and the values' texts:
// "信道4 接收频率：455.00625 → 455.00624", "静噪等级：4 → 6", "地址0x0013：43 → 42". In English
// each value is named by its side: "Squelch level: window 4, radio 6".
QString differenceText(const QString& line, DifferenceSides sides);

// The read's scratch file, in the user's data folder: this program's own while it runs.
QString scratchFilePath();

// After a finished read or write, the status bar of a main window `parent` shows "读频成功："
// or "写频成功：" before the port until the next transfer or port choice; after a read whose
// data did not load, "读频失败：" and the port.

// Appends the jobs' lines to the job log. A line that cannot be written is said in the status
// bar of the main window `window`, beside what it says of the transfer; it never fails a job.
void recordJobs(QWidget* window, const QList<JobEntry>& entries);

// Time-outs and wait slices of the transfers the window runs (tests shorten them).
void setLinkOptions(const LinkOptions& options);
const LinkOptions& linkOptions();

}  // namespace kv
