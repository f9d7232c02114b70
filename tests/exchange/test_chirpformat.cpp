#include <QtTest>

#include "exchange/chirpformat.h"

using namespace kv;

namespace {

const QString kHeader = QStringLiteral(
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
    "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE");

// One row of the current form from the fields that vary.
QString row(const QString& location, const QString& frequency, const QString& duplexOffset,
            const QString& tones, const QString& modePower = "FM,5.00,,High") {
  return QStringLiteral("%1,,%2,%3,%4,%5,,,,,")
      .arg(location, frequency, duplexOffset, tones, modePower);
}

CsvResult import(const QByteArray& csv, const RadioData& base = RadioData()) {
  Bands bands;
  bands.fill(QStringLiteral("400MHz---470MHz"));
  return fromChirpCsv(csv, base, bands);
}

QString cells(const RadioData& data, int n) {
  QStringList texts;
  for (int c = kRxFreq; c <= kTxPower; ++c) texts << data.cell(n, c);
  return texts.join(QLatin1Char(','));
}

// Every Duplex and Tone case, channel by channel, as the grid shows it (receive signalling
// before transmit) and as the export writes it.
const QList<std::pair<QString, QString>> kChannels{
    {"446.00625,446.00625,OFF,OFF,否,宽,高",
     "1,,446.006250,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High,,,,,"},
    {"440.00000,445.00000,OFF,67,否,窄,低",
     "2,,440.000000,split,445.000000,Tone,67.0,88.5,023,NN,023,Tone->Tone,NFM,5.00,,Low,,,,,"},
    {"445.00000,440.00000,100,100,是,宽,中",
     "3,,445.000000,split,440.000000,TSQL,88.5,100.0,023,NN,023,Tone->Tone,FM,5.00,,Mid,,,,,"},
    {"450.00000,460.00000,D023I,D023N,否,宽,中",
     "4,,450.000000,split,460.000000,DTCS,88.5,88.5,023,NR,023,Tone->Tone,FM,5.00,,Mid,,,,,"},
    {"450.00000,OFF,88.5,67,是,宽,高",
     "5,,450.000000,off,0.000000,Cross,67.0,88.5,023,NN,023,Tone->Tone,FM,5.00,,High,,,,,"},
    {"450.00000,450.00000,D754I,88.5,否,宽,高",
     "6,,450.000000,,0.000000,Cross,88.5,88.5,023,NR,754,Tone->DTCS,FM,5.00,,High,,,,,"},
    {"450.00000,450.00000,254.1,D025I,否,宽,高",
     "7,,450.000000,,0.000000,Cross,88.5,254.1,025,RN,023,DTCS->Tone,FM,5.00,,High,,,,,"},
    {"450.00000,450.00000,69.3,OFF,否,宽,高",
     "8,,450.000000,,0.000000,Cross,88.5,69.3,023,NN,023,->Tone,FM,5.00,,High,,,,,"},
    {"450.00000,450.00000,D047N,OFF,否,宽,高",
     "9,,450.000000,,0.000000,Cross,88.5,88.5,023,NN,047,->DTCS,FM,5.00,,High,,,,,"},
    {"450.00000,450.00000,OFF,D645I,否,宽,高",
     "10,,450.000000,,0.000000,Cross,88.5,88.5,645,RN,023,DTCS->,FM,5.00,,High,,,,,"},
    {"450.00000,450.00000,D031I,D023I,否,宽,高",
     "11,,450.000000,,0.000000,Cross,88.5,88.5,023,RR,031,DTCS->DTCS,FM,5.00,,High,,,,,"},
};

}  // namespace

class TestChirpFormat : public QObject {
  Q_OBJECT
 private slots:
  void importsEveryDuplexAndToneCaseByLocation() {
    // The export's rows after channel 4's, then 1, then rows as a person might write them:
    // +/- offsets, letter case, "23" for a code, out of order; a name.
    QStringList file{kHeader};
    for (int i = 4; i < kChannels.size(); ++i) file << kChannels[i].second;
    file << kChannels[0].second
         << row("3", "445.000000", "-,5.000000", "tsql,88.5,100.0,023,NN,023,", "FM,5.00,,Med")
         << row("2", "440.000000", "+,5", "Tone,67,88.5,023,NN,023,Tone->Tone", "nfm,5.00,,low")
         << row("4", "450", "split,460", "DTCS,88.5,88.5,23,nr,023,Tone->Tone", "FM,5.00,,mid");
    file[6].replace(",,450.000000", ",Repeater,450.000000");
    const CsvResult r = import(file.join(QLatin1Char('\n')).toUtf8());
    QCOMPARE(r.error, QString());
    QCOMPARE(r.notes, QStringList{"信道名称、跳过和备注不会写入对讲机，已忽略"});
    for (int n = 1; n <= kChannels.size(); ++n)
      QCOMPARE(cells(r.data, n), QString(kChannels[n - 1].first).replace("是", "否"));
    QCOMPARE(cells(r.data, 12), QString(",,,,,,"));
  }

  void importsOldHeaderByOrderAndWattsPastSixteenRows() {
    // The older form: no CrossMode ("Cross" is Tone->Tone), no power, Locations from 0; CRLF
    // and a byte-order mark; a skip.
    const QByteArray old =
        "\xEF\xBB\xBFLocation,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
        "DtcsPolarity,Mode,TStep,Skip,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n"
        "0,,446.006250,,0.000000,Cross,67.0,71.9,023,NN,FM,12.50,S,,,,,\r\n"
        "1,,446.018750,,0.000000,,88.5,88.5,023,NN,NFM,12.50,,,,,,\r\n";
    CsvResult r = import(old);
    QCOMPARE(r.error, QString());
    QCOMPARE(cells(r.data, 1), QString("446.00625,446.00625,71.9,67,否,宽,高"));
    QCOMPARE(cells(r.data, 2), QString("446.01875,446.01875,OFF,OFF,否,窄,高"));
    QCOMPARE(r.notes, QStringList{"信道名称、跳过和备注不会写入对讲机，已忽略"});
    QVERIFY(isChirpCsv(old));

    // Columns by name in any order, an unknown one, no RxDtcsCode: the receive code is
    // DtcsCode. Powers in watts rank; 18 rows fill the channels in order.
    QStringList file{
        "Frequency,Extra,Location,Tone,CrossMode,DtcsCode,DtcsPolarity,rToneFreq,"
        "cToneFreq,Duplex,Offset,Mode,Power",
        "446.1,x,5,Cross,Tone->DTCS,65,NR,77.0,88.5,,,FM,5.0W", "446.1,x,5,,,,,,,,,FM,1.0W",
        "446.1,x,5,,,,,,,,,FM,2.5 w"};
    while (file.size() < 19) file << file[1];
    r = import(file.join(QLatin1Char('\n')).toUtf8());
    QCOMPARE(r.error, QString());
    QCOMPARE(cells(r.data, 1), QString("446.10000,446.10000,D065I,77,否,宽,高"));
    QCOMPARE(r.data.cell(2, kTxPower) + r.data.cell(3, kTxPower) + r.data.cell(16, kTxPower),
             QString("低中高"));
    QCOMPARE(r.notes, QStringList{"超出16个信道的2行已忽略"});
    QVERIFY(!isChirpCsv("channel,rx_freq,tx_freq,rx_signal,tx_signal,busy_lock,bandwidth"));
  }

  void refusedValueNamesRowAndColumn_data() {
    QTest::addColumn<QString>("bad");
    QTest::addColumn<QString>("error");
    const auto add = [](const char* name, const QString& bad, const char* error) {
      QTest::newRow(name) << bad << QString::fromUtf8(error);
    };
    add("tone", row("2", "446", ",", "Tone,67.5,88.5,023,NN,023,"),
        "row 3, column rToneFreq: \"67.5\" is not a tone of the signalling list");
    add("band", row("2", "480.000000", ",", ",88.5,88.5,023,NN,023,"),
        "row 3, column Frequency: \"480.000000\" lies outside the model's band 400MHz---470MHz");
    add("offset", row("2", "466", "+,5", ",,,,,,"),
        "row 3, column Offset: \"471.000000\" lies outside the model's band 400MHz---470MHz");
  }
  void refusedValueNamesRowAndColumn() {
    QFETCH(QString, bad);
    QFETCH(QString, error);
    const CsvResult r =
        import(QStringList{kHeader, kChannels[0].second, bad}.join("\r\n").toUtf8());
    QCOMPARE(r.error, error);
    QVERIFY(r.notes.isEmpty() && r.data == RadioData());
  }

  void exportsEverySignallingAndImportsBackAllButBusyLock() {
    RadioData data;
    data.settings.squelch = 7;
    for (int n = 1; n <= kChannels.size(); ++n) {
      const QStringList texts = kChannels[n - 1].first.split(QLatin1Char(','));
      for (int c = kRxFreq; c <= kTxPower; ++c) data.cell(n, c) = texts[c - 1];
    }
    data.cell(12, kRxFreq) = "OFF";  // an unprogrammed channel has no row
    data.cell(12, kTxFreq) = "450.00000";
    QStringList expected{kHeader};
    for (const auto& channel : kChannels) expected << channel.second;
    QCOMPARE(QString::fromUtf8(toChirpCsv(data)), expected.join("\r\n") + "\r\n");
    QCOMPARE(chirpExportNotes(data), QStringList{"繁忙锁定不能写入CHIRP CSV：信道3、5"});

    const CsvResult back = import(toChirpCsv(data), data);
    QCOMPARE(back.error, QString());
    data.cell(3, kBusyLock) = data.cell(5, kBusyLock) = "否";
    data.channels[11] = Channel();
    QVERIFY(back.data == data);
  }
};

QTEST_APPLESS_MAIN(TestChirpFormat)
#include "test_chirpformat.moc"
