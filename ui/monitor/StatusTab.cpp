#include "ui/monitor/StatusTab.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QHeaderView>
#include <QLocale>
#include <QSaveFile>
#include <QTableWidget>
#include <QXmlStreamWriter>

#include "app/KelvaneApplication.h"
#include "decoders/AlarmData.h"
#include "ui/Prompts.h"

#include "ui_StatusTab.h"

namespace
{

constexpr int RowHeight = 20;
const QString TimeFormat = QStringLiteral("hh:mm:ss");

QString UtcTimeText()
{
    return QDateTime::currentDateTimeUtc().time().toString(TimeFormat);
}

} // namespace

StatusTab::StatusTab(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::StatusTab>())
{
    ui->setupUi(this);

    ui->tableWidgetMessages->setHorizontalHeaderLabels({tr("Time"), tr("Description")});
    ui->tableWidgetAlarms->setHorizontalHeaderLabels({tr("No."), tr("Time"), tr("ACK"), tr("Description")});
    // The time column always holds "hh:mm:ss": it is sized to that content once, rather than measured
    // again over the rows each time messages arrive.
    ui->tableWidgetMessages->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Interactive);
    ui->tableWidgetMessages->horizontalHeader()->setStretchLastSection(true);
    for (int column = 0; column < 3; ++column)
        ui->tableWidgetAlarms->horizontalHeader()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    ui->tableWidgetAlarms->horizontalHeader()->setStretchLastSection(true);
    for (QTableWidget* table : {ui->tableWidgetMessages, ui->tableWidgetAlarms})
    {
        table->horizontalHeader()->setSortIndicator(0, Qt::DescendingOrder);
        // Every row is 20 pixels high from its birth: resizing each new row would make the header
        // recompute every row position after it, and a long session brings many messages.
        table->verticalHeader()->setMinimumSectionSize(1);
        table->verticalHeader()->setDefaultSectionSize(RowHeight);
    }

    // The messages table sorts when the user clicks a header, as the alarm table does, but a new message
    // goes straight to its sorted place: the table's own sorting would sort or scan every row for each
    // message, and a long session brings a great many.
    QTableWidget* messages = ui->tableWidgetMessages;
    messages->setSortingEnabled(false);
    messages->horizontalHeader()->setSortIndicatorShown(true);
    messages->horizontalHeader()->setSectionsClickable(true);
    messages->horizontalHeader()->setSortIndicator(0, Qt::DescendingOrder);
    connect(messages->horizontalHeader(), &QHeaderView::sortIndicatorChanged, messages,
            [messages](int column, Qt::SortOrder order) { messages->sortItems(column, order); });

    productSerial = QStringLiteral("Product_Serial_Not_Set");

    connect(ui->fileNameButton, &QPushButton::clicked, this, &StatusTab::OnSelectFile);
    connect(ui->pushButtonProximityAlertReport, &QPushButton::clicked, this, &StatusTab::OnSelectFilePrx);

    ResetValueLabels();
    EmptyTables();
    ui->reportLabel->setText(QString());
    haveAlarms = false;
}

StatusTab::~StatusTab() = default;

void StatusTab::ResetValueLabels()
{
    for (QLabel* label :
         {ui->labelVSWR, ui->labelPowerSupply, ui->labelVersion, ui->labelBootLoader, ui->labelProductSerialNumber})
        label->setText(tr("Unknown"));
}

void StatusTab::EmptyTables()
{
    for (QTableWidget* table : {ui->tableWidgetMessages, ui->tableWidgetAlarms})
    {
        table->clearContents();
        table->setRowCount(0);
    }
}

void StatusTab::ClearStatus()
{
    ResetValueLabels();
    EmptyTables();
    ui->reportLabel->setText(QString());
}

void StatusTab::ClearReportLabel()
{
    ui->reportLabel->setText(QString());
}

void StatusTab::OnVSWR(double ratio)
{
    ui->labelVSWR->setText(QString::number(ratio, 'f', 1) + QStringLiteral(":1"));
}

void StatusTab::OnVIN(double voltage)
{
    ui->labelPowerSupply->setText(QString::number(voltage / 1000.0, 'f', 2) + QStringLiteral(" V"));
}

void StatusTab::OnVersion(QString version)
{
    ui->labelVersion->setText(version);
    appVersion = version;
}

void StatusTab::OnVariant(QString variant)
{
    // The variant is not shown.
    Q_UNUSED(variant);
}

void StatusTab::OnBootloaderVersion(QString version)
{
    ui->labelBootLoader->setText(version);
    bootloaderVersion = version;
}

void StatusTab::OnPCASerialNumber(QString version)
{
    // The board serial number is not shown here.
    Q_UNUSED(version);
}

void StatusTab::OnProductSerialNumber(QString version)
{
    ui->labelProductSerialNumber->setText(version);
    productSerial = version;
}

void StatusTab::OnAtoNType(int type)
{
    if (type == 1)
        atonType = tr("Type 1");
    else if (type == 3)
        atonType = tr("Type 3");
    else
        atonType = tr("Unknown");
    ui->labelAtoNType->setText(atonType);
}

QTableWidgetItem* StatusTab::Cell(const QString& text, Qt::Alignment alignment)
{
    // Display only: the cells take no focus, selection or edit.
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::NoItemFlags);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    return item;
}

void StatusTab::SetAlarmCell(const QString& text, Qt::Alignment alignment, int row, int column)
{
    ui->tableWidgetAlarms->setItem(row, column, Cell(text, alignment));
}

void StatusTab::SetMessageCell(const QString& text, Qt::Alignment alignment, int row, int column)
{
    ui->tableWidgetMessages->setItem(row, column, Cell(text, alignment));
}

int StatusTab::MessageRow(const QString& time, const QString& message) const
{
    const QTableWidget* table = ui->tableWidgetMessages;
    const QHeaderView* header = table->horizontalHeader();
    const int column = header->sortIndicatorSection();
    const int rows = table->rowCount();
    if (column < 0 || column > 1)
        return rows;
    const QString key = column == 0 ? time : message;
    const bool ascending = header->sortIndicatorOrder() == Qt::AscendingOrder;
    // Binary search: messages arrive in time order, so a new one sorted by time lands at one end, and
    // sorted by text it lands after (ascending) or before (descending) the rows equal to it.
    int low = 0;
    int high = rows;
    while (low < high)
    {
        const int middle = low + (high - low) / 2;
        const QTableWidgetItem* item = table->item(middle, column);
        const QString text = item ? item->text() : QString();
        const bool before = ascending ? text <= key : text > key;
        if (before)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

void StatusTab::OnTextMessageReceived(QString message)
{
    const QString time = UtcTimeText();
    QTableWidget* table = ui->tableWidgetMessages;
    // The row goes straight to its sorted place, complete, without sorting the rows already there.
    const int row = MessageRow(time, message);
    table->insertRow(row);
    SetMessageCell(time, Qt::AlignHCenter, row, 0);
    SetMessageCell(message, Qt::AlignLeft, row, 1);
    if (table->rowCount() == 1)
        table->resizeColumnToContents(0);
    table->viewport()->update();
    textMessages.append({time, message});
}

void StatusTab::OnAlarmReceived(AlarmData* alarmData)
{
    QTableWidget* table = ui->tableWidgetAlarms;
    table->clearContents();
    if (!alarmData)
    {
        table->setRowCount(0);
        table->viewport()->update();
        return;
    }
    // The list is rebuilt whole: rows are filled unsorted and sorted once, complete.
    const bool sorting = table->isSortingEnabled();
    table->setSortingEnabled(false);
    table->setRowCount(alarmData->ActiveCount());
    int row = 0;
    for (int i = 0; i < alarmData->Count() && row < table->rowCount(); ++i)
    {
        const AlarmEntry entry = alarmData->At(i);
        if (!entry.active)
            continue;
        SetAlarmCell(QString::number(entry.id), Qt::AlignHCenter, row, 0);
        SetAlarmCell(entry.time.isValid() ? entry.time.toString(TimeFormat) : QString(), Qt::AlignHCenter, row, 1);
        SetAlarmCell(entry.acknowledged ? tr("Yes") : tr("No"), Qt::AlignHCenter, row, 2);
        SetAlarmCell(entry.text, Qt::AlignLeft, row, 3);
        ++row;
    }
    table->setSortingEnabled(sorting);
    alarms = alarmData;
    haveAlarms = true;
    table->viewport()->update();
}

void StatusTab::OnSelectFile()
{
    ui->reportLabel->setText(QString());
    KelvaneApplication* app = KelvaneApplication::Instance();
    const QString start = app ? app->GetDiagnosticsFilename() : diagnosticsFilename;
    const QString path =
        Prompts::Current().SaveFileName(this, tr("Save Diagnostic File"), start, tr("Report ( *.xml )"));
    if (path.isEmpty())
        return;
    diagnosticsFilename = path;
    if (app)
        app->SetDiagnosticsFilename(path);
    // A new request starts a new log: lines of an earlier request that never completed are dropped.
    faultLog.clear();
    faultLogPending = true;
    Q_EMIT FaultLogRequest();
}

void StatusTab::OnSelectFilePrx()
{
    ui->reportLabel->setText(QString());
    KelvaneApplication* app = KelvaneApplication::Instance();
    const QString start = app ? app->GetProximityAlertFilename() : proximityFilename;
    const QString path = Prompts::Current().SaveFileName(this, tr("Save Proximity Alert File"), start,
                                                         tr("ProximityAlertReport ( *.xml )"));
    if (path.isEmpty())
        return;
    proximityFilename = path;
    if (app)
        app->SetProximityAlertFilename(path);
    proximityLog.clear();
    proximityLogPending = true;
    Q_EMIT PrxLogRequest();
}

void StatusTab::OnFaultMessageReceived(QString date, QString time, QString description)
{
    if (faultLogPending)
        faultLog.append({date, time, description});
}

void StatusTab::OnFaultMessageLogComplete()
{
    // A completion with no request of ours (a late one, after the report was written) must not replace
    // the report with what followed.
    if (!faultLogPending)
        return;
    faultLogPending = false;
    CreateXMLFile(false);
}

void StatusTab::OnProximityAlertMessageReceived(QString date, QString time, QString description)
{
    if (proximityLogPending)
        proximityLog.append({date, time, description});
}

void StatusTab::OnProximityAlertLogComplete()
{
    if (!proximityLogPending)
        return;
    proximityLogPending = false;
    CreateXMLFile(true);
}

QString StatusTab::XmlSafe(const QString& text)
{
    const auto forbidden = [](char16_t c) { return (c < 0x20 && c != 0x9 && c != 0xA && c != 0xD) || c >= 0xFFFE; };
    QString safe;
    safe.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i)
    {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
        {
            safe.append(c);
            safe.append(text.at(++i));
        }
        else if (c.isSurrogate() || forbidden(c.unicode()))
            safe.append(QLatin1Char('^') + QStringLiteral("%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper());
        else
            safe.append(c);
    }
    return safe;
}

QByteArray StatusTab::ReportDocument(bool prx_only) const
{
    QByteArray document;
    QXmlStreamWriter xml(&document);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(4);
    const auto attribute = [&xml](const QString& name, const QString& value)
    { xml.writeAttribute(name, XmlSafe(value)); };

    const QDateTime now = QDateTime::currentDateTimeUtc();
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("REPORT"));
    xml.writeStartElement(QStringLiteral("HEADER"));
    xml.writeEmptyElement(QStringLiteral("summary"));
    attribute(QStringLiteral("dateUTC"), QLocale::c().toString(now.date(), QStringLiteral("ddd MMM d yyyy")));
    attribute(QStringLiteral("timeUTC"), now.time().toString(TimeFormat));
    xml.writeEmptyElement(QStringLiteral("atonIdentification"));
    attribute(QStringLiteral("atonType"), atonType);
    attribute(QStringLiteral("transceiverApplicationSoftwareVersion"), appVersion);
    attribute(QStringLiteral("transceiverBootloaderSoftwareVersion"), bootloaderVersion);
    attribute(QStringLiteral("transceiverProductSerialNumber"), productSerial);
    xml.writeEmptyElement(QStringLiteral("kelvaneInformation"));
    attribute(QStringLiteral("kelvaneApplicationSoftwareVersion"), pcVersion);
    xml.writeEndElement(); // HEADER

    const auto logSection = [&](const QString& section, const QString& word, const QList<LogEntry>& log)
    {
        xml.writeStartElement(section);
        xml.writeEmptyElement(QStringLiteral("SubHeader"));
        attribute(word, QStringLiteral("Start"));
        int row = 0;
        for (const LogEntry& entry : log)
        {
            xml.writeEmptyElement(QStringLiteral("fault_message"));
            attribute(QStringLiteral("row"), QString::number(++row));
            attribute(QStringLiteral("date"), entry.date);
            attribute(QStringLiteral("time"), entry.time);
            attribute(QStringLiteral("description"), entry.description);
        }
        xml.writeEndElement();
    };

    if (prx_only)
    {
        logSection(QStringLiteral("ProximityAlertLog"), QStringLiteral("Proximity_Alert_Log"), proximityLog);
    }
    else
    {
        xml.writeStartElement(QStringLiteral("ALRLog"));
        xml.writeEmptyElement(QStringLiteral("SubHeader"));
        attribute(QStringLiteral("Alarm_Messages"), QStringLiteral("Start"));
        if (haveAlarms && alarms)
        {
            int row = 0;
            for (int i = 0; i < alarms->Count(); ++i)
            {
                const AlarmEntry entry = alarms->At(i);
                if (!entry.active)
                    continue;
                xml.writeEmptyElement(QStringLiteral("alarm"));
                attribute(QStringLiteral("row"), QString::number(++row));
                attribute(QStringLiteral("id"), QString::number(entry.id));
                attribute(QStringLiteral("time"), entry.time.toString(TimeFormat));
                attribute(QStringLiteral("acknowledged"), entry.acknowledged ? tr("Yes") : tr("No"));
                attribute(QStringLiteral("description"), entry.text);
            }
        }
        xml.writeEndElement();

        xml.writeStartElement(QStringLiteral("TXTLog"));
        xml.writeEmptyElement(QStringLiteral("SubHeader"));
        attribute(QStringLiteral("Text_Messages"), QStringLiteral("Start"));
        int row = 0;
        for (const TextMessageEntry& entry : textMessages)
        {
            xml.writeEmptyElement(QStringLiteral("textmessage"));
            attribute(QStringLiteral("row"), QString::number(++row));
            attribute(QStringLiteral("time"), entry.time);
            attribute(QStringLiteral("message"), entry.message);
        }
        xml.writeEndElement();

        logSection(QStringLiteral("faultLog"), QStringLiteral("Fault_Log"), faultLog);
    }
    xml.writeEndElement(); // REPORT
    xml.writeEndDocument();
    return document;
}

bool StatusTab::CreateXMLFile(bool prx_only)
{
    pcVersion = QCoreApplication::applicationVersion();
    const QString fileName = prx_only ? proximityFilename : diagnosticsFilename;

    // The report replaces the old file only once it is whole on disk: a failed write keeps the old file
    // and the gathered log, and says so.
    QSaveFile file(fileName);
    // Where no file can be created beside it (a folder the user may not write), the report goes straight
    // into the file as before: replacing a writable file must not be refused.
    file.setDirectWriteFallback(true);
    if (fileName.isEmpty() || !file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
    {
        ReportFailed(true, file.errorString());
        return false;
    }
    const QByteArray document = ReportDocument(prx_only);
    if (file.write(document) != document.size() || !file.commit())
    {
        const QString error = file.errorString();
        file.cancelWriting();
        ReportFailed(false, error);
        return false;
    }

    if (prx_only)
        proximityLog.clear();
    else
        faultLog.clear();

    ui->reportLabel->setText(
        tr("Report generated @%2 in:\n%1\n%3").arg(fileName, UtcTimeText(), tr("Open with a suitable XML editor")));
    return true;
}

void StatusTab::ReportFailed(bool couldNotOpen, const QString& detail)
{
    Prompts::Message message;
    message.icon = QMessageBox::Warning;
    message.buttons = QMessageBox::Ok;
    if (couldNotOpen)
    {
        message.title = tr("Read only");
        message.text = tr("The file is in read only mode");
    }
    else
    {
        message.title = tr("Report not written");
        message.text = tr("The report could not be written; the previous file is unchanged.");
    }
    if (!couldNotOpen)
        message.informativeText = detail;
    Prompts::Current().Ask(nullptr, message);
}
