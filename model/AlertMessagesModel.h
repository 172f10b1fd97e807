#pragma once

#include <QString>

#include "model/ModelObject.h"

// The alert settings: what the unit transmits on an integrity-test failure, a vessel in proximity and
// an off-position condition, with their texts. Stored in configuration files.
class AlertMessagesModel : public ModelObject
{
    Q_OBJECT

public:
    // What the alert text editors hold: message 14 texts (the integrity-failure and off-position
    // alerts may be sent as either) up to 45 characters, the proximity text, only ever message 12, up
    // to 41; and no text more than 45 characters once escaped in its sentence.
    static constexpr int MaxTextLength = 45;
    static constexpr int MaxProximityTextLength = 41;
    static constexpr int MaxTextEncodedLength = 45;

    explicit AlertMessagesModel(QObject* parent = nullptr);
    AlertMessagesModel(const AlertMessagesModel& other);
    AlertMessagesModel& operator=(const AlertMessagesModel& other);

    void Clear() override;
    void Save(QDataStream& stream) override;
    void Load(QDataStream& stream) override;

    int GetBiitAction() const { return biitAction; }
    void SetBiitAction(int value) { biitAction = value; }
    int GetProximityAction() const { return proximityAction; }
    void SetProximityAction(int value) { proximityAction = value; }
    int GetOffPositionAction() const { return offPositionAction; }
    void SetOffPositionAction(int value) { offPositionAction = value; }
    QString GetBiitText() const { return biitText; }
    void SetBiitText(const QString& value) { biitText = value; }
    QString GetProximityText() const { return proximityText; }
    void SetProximityText(const QString& value) { proximityText = value; }
    QString GetOffPositionText() const { return offPositionText; }
    void SetOffPositionText(const QString& value) { offPositionText = value; }
    int GetProximityRadius() const { return proximityRadius; }
    void SetProximityRadius(int value) { proximityRadius = value; }

private:
    void CopyFields(const AlertMessagesModel& other);

    qint32 biitAction = 0;
    qint32 proximityAction = 0;
    qint32 offPositionAction = 0;
    QString biitText = QString();
    QString proximityText = QString();
    QString offPositionText = QString();
    qint32 proximityRadius = 0;
};
