#include "data/Records.h"

#include <QtTest>

class TestRecords : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void leer() { QVERIFY(sizeof(dateien) == 21144); }
};

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
