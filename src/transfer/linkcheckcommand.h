#pragma once

#include <QString>

class QWidget;

namespace kv {

// The link check in the window: 编程's "检测连接…" (the port the transfers use), the port
// dialog's "检测(&C)" and the time-out message's "检测连接" (the port given). It runs in the
// progress window, whose Cancel stops it, and then says in a message what it found and what
// to do: the verdict, its advice, the port and the cable. A cancelled check says nothing.
void runCheckCommand(QWidget* parent);
void runCheckCommand(QWidget* parent, const QString& device);

// How long the check sends the wake-up cycle for the radio to answer (tests shorten it).
void setCheckListenMs(int msecs);

}  // namespace kv
