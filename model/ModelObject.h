#pragma once

#include <QDataStream>
#include <QObject>

// Common base of every configuration record and every VDL message object: a record version and the
// operations that clear, save, load and report it. Every record of the model is built with version 2;
// a loaded record takes the version it was stored with.
class ModelObject : public QObject
{
    Q_OBJECT

public:
    explicit ModelObject(QObject* parent = nullptr, int version = 2);
    ModelObject(const ModelObject& other);
    ~ModelObject() override = default;

    // Copies the version only: the Qt object identity (parent, name, connections) stays.
    ModelObject& operator=(const ModelObject& other);

    virtual void Clear() = 0;
    virtual void Save(QDataStream& stream);
    virtual void Load(QDataStream& stream);
    virtual int GetVersion() const;

protected:
    qint32 version;
};
