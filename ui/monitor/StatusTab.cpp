#include "ui/monitor/StatusTab.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDateTime>
#include <QHeaderView>
#include <QLocale>
#include <QMetaMethod>
#include <QSaveFile>
#include <QSet>
#include <QTableWidget>
#include <QXmlStreamWriter>

#include "app/KelvaneApplication.h"
#include "comms/Transport.h"
#include "comms/WholeWrite.h"
#include "decoders/AlarmData.h"
#include "ui/Prompts.h"

#include "ui_StatusTab.h"

#include <array>
#include <memory>

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
    // The first three alarm columns are fitted to their contents as cells are set (FitAlarmColumn): left
    // to the header, every cell set would measure its whole column again.
    for (int column = 0; column < 3; ++column)
    {
        ui->tableWidgetAlarms->horizontalHeader()->setSectionResizeMode(column, QHeaderView::Interactive);
        ui->tableWidgetAlarms->resizeColumnToContents(column);
    }
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

    // The unit's replies are shown as they came, never read as markup (an image tag would have the
    // window open whatever file it names).
    for (QLabel* label : {ui->labelAtoNType, ui->labelVersion, ui->labelBootLoader, ui->labelProductSerialNumber,
                          ui->labelVSWR, ui->labelPowerSupply, ui->reportLabel})
        label->setTextFormat(Qt::PlainText);

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
    messageRows.clear();
    alarmRows.clear();
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

void StatusTab::OnClosed()
{
    // The lines gathered so far stay for a later request to replace, as after a request that timed out.
    for (const bool proximity : {false, true})
    {
        Request(proximity).pending = Request(proximity).taken = false;
        ReportButton(proximity)->setEnabled(true);
    }
}

StatusTab::LogRequest& StatusTab::Request(bool proximity)
{
    return proximity ? proximityRequest : faultRequest;
}

QPushButton* StatusTab::ReportButton(bool proximity) const
{
    return proximity ? ui->pushButtonProximityAlertReport : ui->fileNameButton;
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
    // Display only: the cells take no focus, selection or edit. They are painted in the normal text
    // colour, not the faint one of disabled items, so that they can be read.
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::NoItemFlags);
    item->setForeground(QApplication::palette().brush(QPalette::Active, QPalette::Text));
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
    messageRows.append(table->item(row, 0));
    textMessages.append({time, message});
    // A unit may send texts without end: the oldest go, the table says so once and the report with
    // their number.
    if (textMessages.size() > MaxTextMessages)
    {
        textMessages.removeFirst();
        ++droppedTextMessages;
        if (!messagesDropped)
        {
            messagesDropped = true;
            ui->groupBox_4->setTitle(tr("Reported Messages (TXT): only the latest %1 are kept").arg(MaxTextMessages));
        }
    }
    if (messageRows.size() > MaxTextMessages + TextMessageRowBatch)
        DropOldestRows(int(messageRows.size()) - MaxTextMessages);
    table->viewport()->update();
}

void StatusTab::DropOldestRows(int count)
{
    QTableWidget* table = ui->tableWidgetMessages;
    QSet<const QTableWidgetItem*> oldest;
    oldest.reserve(count);
    for (int i = 0; i < count; ++i)
        oldest.insert(messageRows.at(i));
    messageRows.remove(0, count);
    // One pass from the bottom up, each run of neighbouring rows removed at once: sorted by time (as the
    // table starts) the oldest rows are one run at an end, sorted by text they may be scattered. Removing
    // below the pass leaves the rows still to be looked at where they were.
    int found = 0;
    int row = table->rowCount();
    while (row > 0 && found < count)
    {
        while (row > 0 && !oldest.contains(table->item(row - 1, 0)))
            --row;
        const int end = row;
        while (row > 0 && oldest.contains(table->item(row - 1, 0)))
            --row;
        if (row < end)
        {
            table->model()->removeRows(row, end - row);
            found += end - row;
        }
    }
}

void StatusTab::FitAlarmColumn(const QTableWidgetItem* item, int column)
{
    QTableWidget* table = ui->tableWidgetAlarms;
    if (!item || column > 2)
        return;
    // As the view sizes a column to its contents: the widest cell, and a pixel for the grid line.
    const int width = table->sizeHintForIndex(table->indexFromItem(item)).width() + (table->showGrid() ? 1 : 0);
    if (width > table->horizontalHeader()->sectionSize(column))
        table->horizontalHeader()->resizeSection(column, width);
}

void StatusTab::OnAlarmReceived(AlarmData* alarmData)
{
    QTableWidget* table = ui->tableWidgetAlarms;
    if (!alarmData)
    {
        table->clearContents();
        table->setRowCount(0);
        alarmRows.clear();
        table->viewport()->update();
        return;
    }
    // One sentence changes one alarm: only the rows that differ from the list are touched, so that a
    // sentence costs no more widget work with many alarms held than with a few.
    const QString yes = tr("Yes");
    const QString no = tr("No");
    const auto textsOf = [&](const AlarmEntry& entry)
    {
        return std::array<QString, 4>{QString::number(entry.id),
                                      entry.time.isValid() ? entry.time.toString(TimeFormat) : QString(),
                                      entry.acknowledged ? yes : no, entry.text};
    };
    const auto alignment = [](int column) { return column == 3 ? Qt::AlignLeft : Qt::AlignHCenter; };

    const unsigned pass = ++alarmPass;
    QList<AlarmEntry> added;
    for (int i = 0; i < alarmData->Count(); ++i)
    {
        const AlarmEntry entry = alarmData->At(i);
        if (!entry.active)
            continue;
        const auto found = alarmRows.find(entry.id);
        if (found == alarmRows.end())
        {
            added.append(entry);
            continue;
        }
        AlarmRow& row = found.value();
        row.seen = pass;
        if (row.shown.time == entry.time && row.shown.acknowledged == entry.acknowledged &&
            row.shown.text == entry.text)
            continue;
        // Through the row's items: under the sort a changed cell may move its row.
        const std::array<QString, 4> texts = textsOf(entry);
        for (int c = 0; c < 4; ++c)
        {
            if (row.cells[c]->text() == texts[c])
                continue;
            row.cells[c]->setText(texts[c]);
            FitAlarmColumn(row.cells[c], c);
        }
        row.shown = entry;
    }
    // Alarms no longer active lose their rows.
    for (auto it = alarmRows.begin(); it != alarmRows.end();)
    {
        if (it.value().seen == pass)
        {
            ++it;
            continue;
        }
        const int row = table->row(it.value().cells[0]);
        if (row >= 0)
            table->removeRow(row);
        it = alarmRows.erase(it);
    }
    if (!added.isEmpty())
    {
        // New rows are filled unsorted and sorted once, complete.
        const bool sorting = table->isSortingEnabled();
        table->setSortingEnabled(false);
        int row = table->rowCount();
        table->setRowCount(row + int(added.size()));
        for (const AlarmEntry& entry : std::as_const(added))
        {
            const std::array<QString, 4> texts = textsOf(entry);
            AlarmRow& shown = alarmRows[entry.id];
            shown.shown = entry;
            shown.seen = pass;
            for (int c = 0; c < 4; ++c)
            {
                SetAlarmCell(texts[c], alignment(c), row, c);
                shown.cells[c] = table->item(row, c);
                FitAlarmColumn(shown.cells[c], c);
            }
            ++row;
        }
        table->setSortingEnabled(sorting);
    }
    alarms = alarmData;
    haveAlarms = true;
    table->viewport()->update();
}

void StatusTab::OnSelectFile()
{
    // One request at a time: a second one while the log still comes would report only its tail.
    if (faultRequest.taken)
        return;
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
    StartLogRequest(false);
}

void StatusTab::OnSelectFilePrx()
{
    if (proximityRequest.taken)
        return;
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
    StartLogRequest(true);
}

void StatusTab::StartLogRequest(bool proximity)
{
    // A new request starts a new log: lines of an earlier request that never completed are dropped.
    LogRequest& request = Request(proximity);
    request.lines.clear();
    request.pending = true;
    request.incomplete = false;
    if (proximity)
        Q_EMIT PrxLogRequest();
    else
        Q_EMIT FaultLogRequest();
    // While no link is open nobody takes the request, and there is no log to wait for.
    request.taken = proximity ? isSignalConnected(QMetaMethod::fromSignal(&StatusTab::PrxLogRequest))
                              : isSignalConnected(QMetaMethod::fromSignal(&StatusTab::FaultLogRequest));
    ReportButton(proximity)->setEnabled(!request.taken);
}

void StatusTab::GatherLogLine(bool proximity, const QString& date, const QString& time, const QString& description)
{
    LogRequest& request = Request(proximity);
    if (!request.pending)
        return;
    // The transport ends a log at this length; the tab holds to it whatever reaches it.
    if (request.lines.size() >= Transport::MaxLogLines)
    {
        request.incomplete = true;
        return;
    }
    request.lines.append({date, time, description});
}

void StatusTab::EndLogRequest(bool proximity)
{
    // A completion with no request of ours (a late one, after the report was written) must not replace
    // the report with what followed.
    LogRequest& request = Request(proximity);
    if (!request.pending)
        return;
    request.pending = request.taken = false;
    ReportButton(proximity)->setEnabled(true);
    CreateXMLFile(proximity);
}

void StatusTab::MarkLogIncomplete(bool proximity)
{
    if (Request(proximity).pending)
        Request(proximity).incomplete = true;
}

void StatusTab::OnFaultMessageReceived(QString date, QString time, QString description)
{
    GatherLogLine(false, date, time, description);
}

void StatusTab::OnFaultMessageLogComplete()
{
    EndLogRequest(false);
}

void StatusTab::OnFaultLogIncomplete()
{
    MarkLogIncomplete(false);
}

void StatusTab::OnProximityAlertMessageReceived(QString date, QString time, QString description)
{
    GatherLogLine(true, date, time, description);
}

void StatusTab::OnProximityAlertLogComplete()
{
    EndLogRequest(true);
}

void StatusTab::OnProximityAlertLogIncomplete()
{
    MarkLogIncomplete(true);
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
        logSection(QStringLiteral("ProximityAlertLog"), QStringLiteral("Proximity_Alert_Log"), proximityRequest.lines);
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
        // What was not kept is said before what was, so that a reader never takes the list for all.
        if (droppedTextMessages > 0)
        {
            xml.writeEmptyElement(QStringLiteral("dropped_messages"));
            attribute(QStringLiteral("count"), QString::number(droppedTextMessages));
            attribute(QStringLiteral("description"),
                      tr("%1 older text messages were not kept: only the latest %2 are listed.")
                          .arg(droppedTextMessages)
                          .arg(MaxTextMessages));
        }
        int row = 0;
        for (const TextMessageEntry& entry : textMessages)
        {
            xml.writeEmptyElement(QStringLiteral("textmessage"));
            attribute(QStringLiteral("row"), QString::number(++row));
            attribute(QStringLiteral("time"), entry.time);
            attribute(QStringLiteral("message"), entry.message);
        }
        xml.writeEndElement();

        logSection(QStringLiteral("faultLog"), QStringLiteral("Fault_Log"), faultRequest.lines);
    }
    xml.writeEndElement(); // REPORT
    xml.writeEndDocument();
    return document;
}

bool StatusTab::CreateXMLFile(bool prx_only)
{
    pcVersion = QCoreApplication::applicationVersion();
    const QString fileName = prx_only ? proximityFilename : diagnosticsFilename;
    const QByteArray document = ReportDocument(prx_only);

    // The report is written beside the old file and replaces it only once whole on disk: a failed write
    // keeps the old file and the gathered log, and says so.
    auto file = std::make_unique<QSaveFile>(fileName);
    bool replacedInPlace = false;
    bool opened = !fileName.isEmpty() && file->open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    if (!opened && !fileName.isEmpty())
    {
        // Where no file can be created beside it (a folder the user may not write), the report goes
        // straight into the file: replacing a file the user may write is not refused. The old report is
        // then gone as soon as the file opens, and a failure must not say otherwise.
        file = std::make_unique<QSaveFile>(fileName);
        file->setDirectWriteFallback(true);
        opened = file->open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        replacedInPlace = opened;
    }
    if (!opened)
    {
        ReportFailed(true, false, file->errorString());
        return false;
    }
    QString reason;
    if (!WholeWrite::Save(*file, document, reason))
    {
        ReportFailed(false, replacedInPlace, reason);
        return false;
    }

    LogRequest& request = Request(prx_only);
    QString text =
        tr("Report generated @%2 in:\n%1\n%3").arg(fileName, UtcTimeText(), tr("Open with a suitable XML editor"));
    if (request.incomplete)
    {
        const QString note = tr("The unit's log did not end as it announced: the report holds the %1 lines received.");
        text += QLatin1Char('\n') + note.arg(request.lines.size());
    }
    request.incomplete = false;
    request.lines.clear();
    ui->reportLabel->setText(text);
    return true;
}

void StatusTab::ReportFailed(bool couldNotOpen, bool replacedInPlace, const QString& detail)
{
    Prompts::Message message;
    message.icon = QMessageBox::Warning;
    message.buttons = QMessageBox::Ok;
    if (couldNotOpen)
    {
        message.title = tr("Read only");
        message.text = tr("The file is in read only mode");
    }
    else if (replacedInPlace)
    {
        message.title = tr("Report not written");
        message.text = tr("The report could not be written. No file could be made beside the previous one, so it "
                          "was written over it: the previous file is lost and the file holds an incomplete report.");
    }
    else
    {
        message.title = tr("Report not written");
        message.text = tr("The report could not be written; the previous file is unchanged.");
    }
    // The system's reason, whatever the case.
    message.informativeText = detail;
    Prompts::Current().Ask(nullptr, message);
}
