#pragma once

#include <QString>

#include "model/FieldText.h"
#include "model/ModelObject.h"

// The alert settings: what the unit transmits on an integrity-test failure, a vessel in proximity and
// an off-position condition, with their texts. Stored in configuration files.
class AlertMessagesModel : public ModelObject
{
    Q_OBJECT

public:
    // What the lines that carry the texts take beside their MMSI, text and radius, framed:
    // "$UPMCR,<mmsi>,BIT,1,1,12,<text>,C" (OFP alike; message 14 is as wide as 12) and
    // "$UPMCR,<mmsi>,PRX,1,1,12,<text>,<radius>,C". Beside a nine-digit MMSI that leaves a text 47
    // characters, and 45 beside a one-digit radius, escapes counted: the longest texts the unit reports.
    static constexpr int AlertLineTaken = sizeof("$UPMCR,,BIT,1,1,12,,C*hh\r\n") - 1;
    static constexpr int ProximityLineTaken = sizeof("$UPMCR,,PRX,1,1,12,,,C*hh\r\n") - 1;
    // The radius spin box: up to 30 km, in metres.
    static constexpr FieldText::Range ProximityRadiusRange{0, 30000};

    explicit AlertMessagesModel(QObject* parent = nullptr);
    AlertMessagesModel(const AlertMessagesModel& other);
    AlertMessagesModel& operator=(const AlertMessagesModel& other);

    void Clear() override;
    void Save(QDataStream& stream) override;
    // Texts as a sentence carries them, the radius as its spin box shows it. The container then cuts the
    // texts to their lines with FitTexts, once it knows the real AtoN's MMSI.
    void Load(QDataStream& stream) override;
    // Cuts each text to the longest beginning its line holds with this MMSI, the real AtoN's, whatever
    // the action (a user can switch an alert on and send).
    void FitTexts(const QString& mmsi);

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
