#include <QTest>

#include "link/hardwareid.h"
#include "link/portlist.h"

using namespace kv;

namespace {

PortInfo port(const QString& device, std::optional<quint16> vid = {},
              std::optional<quint16> pid = {}, const QString& serial = {}) {
  PortInfo p;
  p.device = device;
  p.vendorId = vid;
  p.productId = pid;
  p.serialNumber = serial;
  return p;
}

QStringList devices(const QList<PortInfo>& ports) {
  QStringList list;
  for (const PortInfo& p : ports) list << p.device;
  return list;
}

}  // namespace

class TestPortList : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() {
    setPortSource({});
    qunsetenv("KVPROG_PORTS");
  }

  void namedPortsThenUsbAdaptersThenTheRestByName() {
    PortInfo absent = port("/dev/ttyS2");
    absent.absent = true;
    setPortSource([&] {
      return QList<PortInfo>{port("/dev/ttyS10"),
                             port("/dev/ttyUSB10", 0x0403, 0x6001, "A1"),
                             absent,
                             port("/dev/ttyS1"),
                             port("/dev/ttyACM0", 0x2341, 0x0043),
                             port("/dev/ttyUSB2", 0x1a86, 0x7523),
                             port("/dev/pts/7"),
                             port("/dev/ttyS0")};
    });
    QCOMPARE(devices(listPorts()),
             (QStringList{"/dev/ttyACM0", "/dev/ttyUSB2", "/dev/ttyUSB10", "/dev/pts/7",
                          "/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS10"}));
    // Named devices come first in their own order, and a named device the system lists
    // too is there once.
    qputenv("KVPROG_PORTS", "/dev/pts/7:/dev/pts/3");
    QCOMPARE(devices(listPorts()).mid(0, 4),
             (QStringList{"/dev/pts/7", "/dev/pts/3", "/dev/ttyACM0", "/dev/ttyUSB2"}));
    QCOMPARE(listPorts().size(), 8);
    // The buttons stand for the first four; a cable is never pushed out by legacy ports.
    qunsetenv("KVPROG_PORTS");
    QCOMPARE(resolvePortName("com3"), std::optional<QString>("/dev/ttyUSB10"));
    QCOMPARE(resolvePortName("/dev/ttyS9"), std::optional<QString>("/dev/ttyS9"));
    setPortSource([] { return QList<PortInfo>{port("/dev/ttyS0")}; });
    QCOMPARE(resolvePortName("COM2"), std::nullopt);
  }

  // Device instance ids as Windows lists real adapters: the cable's USB ids and serial number
  // come out of each bus's own form, and a port on another bus sorts after the USB cables.
  void windowsHardwareIdsGiveTheUsbIds() {
    struct Case {
      const char* comName;
      const char* instanceId;
      const char* usbId;
      const char* serial;
    };
    const Case cases[] = {
        {"COM1", R"(ACPI\PNP0501\1)", "-", ""},
        {"COM9", R"(BTHENUM\{00001101-0000-1000-8000-00805F9B34FB}_LOCALMFG&0002\7&1F3B2D1&0&0)",
         "-", ""},
        {"COM3", R"(USB\VID_1A86&PID_7523\5&2C7A1B0&0&2)", "1a86:7523", ""},   // CH340
        {"COM4", R"(USB\VID_1A86&PID_5523\6&1D2E3F4&0&1)", "1a86:5523", ""},   // CH341
        {"COM5", R"(USB\VID_067B&PID_2303\5&3753427A&0&1)", "067b:2303", ""},  // PL2303
        {"COM6", R"(FTDIBUS\VID_0403+PID_6001+A50285BI\0000)", "0403:6001", "A50285BI"},
        {"COM7", R"(USB\VID_0403&PID_6001\A50285BI)", "0403:6001", "A50285BI"},
        {"COM10", R"(USB\VID_10C4&PID_EA60\0001)", "10c4:ea60", "0001"},  // CP210x
        {"COM11", R"(USB\VID_2341&PID_0043\85736323838351F0A1A1)", "2341:0043",
         "85736323838351F0A1A1"},  // CDC-ACM
        // One interface of a composite CDC-ACM device: the last part is Windows' own.
        {"COM12", R"(USB\VID_2E8A&PID_000A&MI_00\7&29A2FEE&0&0000)", "2e8a:000a", ""},
    };
    QList<PortInfo> listed;
    for (const Case& c : cases) {
      const HardwareIds ids = parseHardwareId(QString::fromUtf8(c.instanceId));
      PortInfo found = port(c.comName, ids.vendorId, ids.productId, ids.serialNumber);
      QCOMPARE(found.usbId(), QString::fromUtf8(c.usbId));
      QCOMPARE(found.serialNumber, QString::fromUtf8(c.serial));
      listed << found;
    }
    setPortSource([&] { return listed; });
    QCOMPARE(devices(listPorts()), (QStringList{"COM3", "COM4", "COM5", "COM6", "COM7", "COM10",
                                                "COM11", "COM12", "COM1", "COM9"}));
  }

  void rememberedPortIsFoundAgainAfterAReplug() {
    const QList<PortInfo> before{port("/dev/ttyS0"), port("/dev/ttyUSB0", 0x1a86, 0x7523),
                                 port("/dev/ttyUSB1", 0x0403, 0x6001, "FT42")};
    const PortChoice ftdi = PortChoice::of(before, 2);
    QCOMPARE(ftdi.identity, QStringLiteral("usb:0403:6001:FT42"));
    const PortChoice legacy = PortChoice::of(before, 0);
    QCOMPARE(legacy.identity, QStringLiteral("/dev/ttyS0"));

    // Re-plugged in the other order: the names swapped, the identities did not.
    const QList<PortInfo> after{port("/dev/ttyS0"), port("/dev/ttyUSB0", 0x0403, 0x6001, "FT42"),
                                port("/dev/ttyUSB1", 0x1a86, 0x7523)};
    QCOMPARE(ftdi.placeIn(after), 1);
    QCOMPARE(PortChoice::of(before, 1).placeIn(after), 2);
    QCOMPARE(legacy.placeIn(after), 0);
    QCOMPARE(ftdi.placeIn({port("/dev/ttyS0")}), std::nullopt);
    // Without a chosen identity the choice is a place: COM1 stays the first port.
    QCOMPARE(PortChoice{}.placeIn(after), 0);
    QCOMPARE(PortChoice{}.placeIn({}), std::nullopt);

    // Two alike adapters without serial numbers: the one still at its old name wins.
    const QList<PortInfo> twins{port("/dev/ttyUSB0", 0x1a86, 0x7523),
                                port("/dev/ttyUSB1", 0x1a86, 0x7523)};
    QCOMPARE(PortChoice::of(twins, 1).placeIn(twins), 1);
    QCOMPARE(findPort(twins, "usb:1a86:7523", "/dev/ttyUSB5"), 0);
  }
};

QTEST_APPLESS_MAIN(TestPortList)
#include "test_portlist.moc"
