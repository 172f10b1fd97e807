#include "model/ModelObject.h"
#include "support/TestMain.h"

#include <QBuffer>

namespace
{
class Record : public ModelObject
{
public:
    explicit Record(int v) : ModelObject(nullptr, v) {}
    void Clear() override {}
};
} // namespace

class TestModelObject : public QObject
{
    Q_OBJECT

private slots:
    void storedVersionReplacesConstructed()
    {
        Record written(7);
        QByteArray bytes;
        {
            QDataStream out(&bytes, QIODevice::WriteOnly);
            written.Save(out);
        }
        QCOMPARE(bytes, QByteArray::fromHex("00000007"));
        Record read(2);
        QDataStream in(bytes);
        read.Load(in);
        QCOMPARE(read.GetVersion(), 7);
    }

    void assignmentKeepsObjectIdentity()
    {
        QObject parent;
        Record target(2);
        target.setParent(&parent);
        target.setObjectName(QStringLiteral("target"));
        Record source(5);
        target = source;
        QCOMPARE(target.GetVersion(), 5);
        QCOMPARE(target.parent(), &parent);
        QCOMPARE(target.objectName(), QStringLiteral("target"));
        target.setParent(nullptr);
    }

    void truncatedLoadKeepsVersion()
    {
        Record read(2);
        QByteArray bytes = QByteArray::fromHex("0000");
        QDataStream in(bytes);
        read.Load(in);
        QCOMPARE(read.GetVersion(), 2);
        QVERIFY(in.status() != QDataStream::Ok);
    }
};

KELVANE_TEST_MAIN(TestModelObject)
#include "tst_ModelObject.moc"
