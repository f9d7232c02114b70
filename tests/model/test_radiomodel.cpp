#include <QtTest>

#include "model/radiomodel.h"

using namespace kv;

class TestRadioModel : public QObject {
  Q_OBJECT
 private slots:
  void codes() {
    QCOMPARE(modelByte(4), QStringLiteral("36"));
  }
};

QTEST_APPLESS_MAIN(TestRadioModel)
#include "test_radiomodel.moc"
