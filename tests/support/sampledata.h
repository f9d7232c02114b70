#pragma once

#include "model/radiodata.h"

namespace kvtest {

// A document that exercises every kind of cell: tone and both DCS kinds, busy lock, both
// bandwidths, the three powers, channel 16 (address 0x0100) and non-default settings.
inline kv::RadioData sampleRadioData() {
  using namespace kv;
  RadioData data;
  data.settings.model = 2;
  data.settings.squelch = 7;
  data.settings.txTimeout = 10;
  data.settings.voice = 1;
  data.tune.sPower = 8;
  const auto setChannel = [&](int n, const QStringList& cells) {
    for (int column = kRxFreq; column <= kTxPower; ++column)
      data.cell(n, column) = cells[column - 1];
  };
  setChannel(1, {"435.12500", "435.12500", "67", "D023I", "是", "窄", "中"});
  setChannel(2, {"450.00625", "460.10000", "D023N", "OFF", "否", "宽", "低"});
  setChannel(3, {"460.10000", "OFF", "OFF", "123", "否", "宽", "高"});
  data.cell(16, kRxFreq) = QStringLiteral("450.00625");
  return data;
}

}  // namespace kvtest
