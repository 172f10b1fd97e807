#pragma once

#include <QHash>
#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <array>
#include <memory>

#include "decoders/AlarmData.h"

class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace Ui
{
class StatusTab;
}

// The "Diagnostics" tab: the unit's details (versions, serial number, supply voltage, VSWR, AtoN type),
// its active alarms and text messages, and the fault and proximity-alert logs written as XML reports.
// It has no model; it shows what the transport and the message decoder deliver while connected.
class StatusTab : public QWidget
{
    Q_OBJECT

public:
    // One received text message, as the report lists it.
    struct TextMessageEntry
    {
        QString time; // the PC's UTC time of reception, "hh:mm:ss"
        QString message;
    };
    // One line of the unit's fault or proximity-alert log, its three texts as the unit sent them.
    struct LogEntry
    {
        QString date;
        QString time;
        QString description;
    };

    // Text messages kept, in the table and for the report: beyond this the oldest is dropped, and the
    // report says how many went. Far more than a unit sends in a working day; the bound only stops a
    // unit that never stops from taking the memory.
    static constexpr int MaxTextMessages = 10000;
    // The table shows at least the messages kept, and drops its oldest rows this many at a time once it
    // holds this many more: every removal of rows costs a pass of the header over all the rows left, so it
    // is paid once a batch and not once a message.
    static constexpr int TextMessageRowBatch = 1000;

    explicit StatusTab(QWidget* parent = nullptr);
    ~StatusTab() override;

    // Back to "Unknown", tables empty, report label cleared: on a user disconnect and on close.
    void ClearStatus();
    // Empties the report label: on every change of the current AtoN tab.
    void ClearReportLabel();
    // The link has closed: no log request can complete any more, and the report buttons come back.
    void OnClosed();

    const QList<TextMessageEntry>& TextMessages() const { return textMessages; }
    const QList<LogEntry>& FaultLog() const { return faultRequest.lines; }
    const QList<LogEntry>& ProximityLog() const { return proximityRequest.lines; }
    // True from the user's choice of a report file until the unit's log of that kind is complete.
    bool IsFaultLogPending() const { return faultRequest.pending; }
    bool IsProximityLogPending() const { return proximityRequest.pending; }

    // A text of the unit as an XML 1.0 attribute can hold it: every character the standard forbids
    // (control characters but tab, line feed and carriage return) in the unit's own "^HH" form.
    static QString XmlSafe(const QString& text);

Q_SIGNALS:
    // The user chose the report file: ask the unit for its log.
    void FaultLogRequest();
    void PrxLogRequest();

public Q_SLOTS:
    void OnVSWR(double ratio);
    void OnVIN(double voltage);
    void OnVersion(QString version);
    void OnVariant(QString variant);
    void OnBootloaderVersion(QString version);
    void OnPCASerialNumber(QString version);
    void OnProductSerialNumber(QString version);
    void OnTextMessageReceived(QString message);
    void OnAlarmReceived(AlarmData* alarmData);
    void OnAtoNType(int atonType);
    // Writes the proximity-alert report (true) or the diagnostics report (false); false when it failed.
    bool CreateXMLFile(bool prx_only);
    void OnFaultMessageReceived(QString date, QString time, QString description);
    void OnFaultMessageLogComplete();
    void OnSelectFile();
    void OnSelectFilePrx();
    void OnProximityAlertMessageReceived(QString date, QString time, QString description);
    void OnProximityAlertLogComplete();
    // The transport ended the log short of the unit's own end: the report says so.
    void OnFaultLogIncomplete();
    void OnProximityAlertLogIncomplete();

private:
    void ResetValueLabels();
    void EmptyTables();
    // A log request of either kind (the fault log or the proximity alert log).
    struct LogRequest
    {
        QList<LogEntry> lines;
        // Gathered only for a request the user made: lines and completions of a request that timed out or
        // was abandoned must not leak into, or cut short, the next report.
        bool pending = false;
        // Cut short (not ended by the unit, or longer than it may be).
        bool incomplete = false;
        // Went out on an open link and its log is on its way: the button waits for it.
        bool taken = false;
    };
    LogRequest& Request(bool proximity);
    QPushButton* ReportButton(bool proximity) const;
    void StartLogRequest(bool proximity);
    void GatherLogLine(bool proximity, const QString& date, const QString& time, const QString& description);
    void EndLogRequest(bool proximity);
    void MarkLogIncomplete(bool proximity);
    // Takes the given number of oldest messages out of the table, wherever the sort put their rows.
    void DropOldestRows(int count);
    // Fits the alarm table's first three columns to a cell just set, without measuring the others.
    void FitAlarmColumn(const QTableWidgetItem* item, int column);
    void SetAlarmCell(const QString& text, Qt::Alignment alignment, int row, int column);
    void SetMessageCell(const QString& text, Qt::Alignment alignment, int row, int column);
    static QTableWidgetItem* Cell(const QString& text, Qt::Alignment alignment);
    // The row at which a new message belongs under the table's current sort.
    int MessageRow(const QString& time, const QString& message) const;
    QByteArray ReportDocument(bool prx_only) const;
    void ReportFailed(bool couldNotOpen, bool replacedInPlace, const QString& detail);

    std::unique_ptr<Ui::StatusTab> ui;
    QString atonType;
    QString appVersion;
    QString bootloaderVersion;
    QString productSerial;
    QString pcVersion;
    QString diagnosticsFilename;
    QString proximityFilename;
    // Lent by the message decoder, which keeps it for its whole life; guarded all the same, since a report
    // may be written long after the list was lent.
    QPointer<AlarmData> alarms;
    bool haveAlarms = false;
    QList<TextMessageEntry> textMessages;
    // Text messages received since construction and no longer kept.
    qint64 droppedTextMessages = 0;
    LogRequest faultRequest;
    LogRequest proximityRequest;
    // The first cell of each message row, oldest first: the row the bound drops, wherever the sort put it.
    QList<QTableWidgetItem*> messageRows;
    bool messagesDropped = false;
    // The alarm rows by alarm number: the entry as the row shows it, and the row's cells (reached through
    // them, since the sort moves rows). An ALR is compared with this, not with the cells' texts.
    struct AlarmRow
    {
        AlarmEntry shown;
        std::array<QTableWidgetItem*, 4> cells{};
        unsigned seen = 0;
    };
    QHash<int, AlarmRow> alarmRows;
    unsigned alarmPass = 0;
};
