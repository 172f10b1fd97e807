#include "ui/monitor/cHistogram.h"

#include <QCoreApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <QResizeEvent>

#include <algorithm>
#include <array>

namespace
{

// Clear pixels between neighbouring satellite numbers: the gap between their bars.
constexpr int LabelGap = 2;
// Numbers are not drawn smaller than this, in pixels.
constexpr int SmallestLabelPixels = 6;
constexpr int LabelAlignment = Qt::AlignHCenter | Qt::AlignTop;

} // namespace

cHistogram::cHistogram(QWidget* parent) : QWidget(parent), xLabel(tr("ID")), yLabel(tr("dB-Hz"))
{
    setFixedSize(FixedWidth, FixedHeight);
}

void cHistogram::SetData(const QMap<int, SatelliteBar>& bars)
{
    data = bars;
    update();
}

QColor cHistogram::BarColour(int key, bool used)
{
    if (key < 65)
        return used ? QColor(60, 182, 223) : QColor(202, 240, 252); // GPS and SBAS
    if (key <= 96)
        return used ? QColor(2, 157, 59) : QColor(206, 255, 176); // GLONASS
    if (key >= 200 && key <= 264)
        return used ? QColor(255, 0, 0) : QColor(255, 148, 164); // BeiDou
    if (key >= 300 && key <= 364)
        return used ? QColor(128, 0, 255) : QColor(190, 130, 255); // Galileo
    return QColor(60, 182, 223);
}

int cHistogram::ScaleY(int value) const
{
    // Integer arithmetic truncating toward zero, as C++ division does.
    return bottom + ((top - bottom) * (value - rangeMin)) / (rangeMax - rangeMin);
}

void cHistogram::resizeEvent(QResizeEvent* event)
{
    left = 35;
    right = event->size().width() - 40;
    bottom = event->size().height() - 20;
    top = 60;
    QWidget::resizeEvent(event);
}

void cHistogram::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QFont chartFont = ChartFont();
    painter.setFont(chartFont);
    const QFontMetrics metrics(chartFont);

    // Bars, in ascending key order. A ratio above 100, or below 0, draws nothing but keeps its slot.
    int i = 0;
    for (auto it = data.cbegin(); it != data.cend(); ++it, ++i)
    {
        const int snr = it.value().snr;
        if (snr <= 0 || snr > 100)
            continue;
        const int x = left + 3 + barPitch * i;
        const int y = ScaleY(snr);
        painter.fillRect(QRect(QPoint(x, y), QPoint(left + barPitch * (i + 1), bottom - 1)),
                         BarColour(it.key(), it.value().used));
    }

    // Axes with their arrowheads.
    painter.setPen(Qt::black);
    painter.setBrush(Qt::black);
    painter.drawLine(left, bottom, right + 15, bottom);
    painter.drawPolygon(
        QPolygon({QPoint(right + 20, bottom), QPoint(right + 10, bottom - 5), QPoint(right + 10, bottom + 5)}));
    painter.drawLine(left, bottom, left, top - 35);
    painter.drawPolygon(QPolygon({QPoint(left, top - 40), QPoint(left - 5, top - 30), QPoint(left + 5, top - 30)}));
    painter.setBrush(Qt::NoBrush);

    // Satellite numbers under their bars.
    painter.setFont(LabelFont(chartFont));
    for (const auto& [box, number] : Labels())
        painter.drawText(box, LabelAlignment, number);
    painter.setFont(chartFont);

    // Scale values, without tick marks.
    for (int value = (rangeMin / 20) * 20; value <= rangeMax; value += 20)
        painter.drawText(QRect(QPoint(0, ScaleY(value + 10)), QPoint(left - 5, ScaleY(value - 10))),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(value));

    // Axis captions.
    painter.drawText(QRect(QPoint(right + 25, bottom - metrics.height()), QPoint(width(), bottom + metrics.height())),
                     Qt::AlignLeft | Qt::AlignVCenter, xLabel);
    painter.drawText(QPoint(left - metrics.horizontalAdvance(yLabel) / 2, top - 45), yLabel);

    DrawLegend(painter);
}

QFont cHistogram::ChartFont() const
{
    QFont chartFont = font();
    if (chartFont.pixelSize() > 0)
        chartFont.setPixelSize(int(chartFont.pixelSize() * 0.75));
    return chartFont;
}

QList<std::pair<QRect, QString>> cHistogram::Labels() const
{
    QList<std::pair<QRect, QString>> labels;
    int j = 1;
    for (auto it = data.cbegin(); it != data.cend(); ++it, ++j)
        labels.append({QRect(QPoint(left + 3 + barPitch * (j - 1), bottom + 2), QPoint(left + barPitch * j, height())),
                       QString::number(SatelliteNumber(it.key()))});
    return labels;
}

QList<QRect> cHistogram::LabelRects() const
{
    const QFontMetrics metrics(LabelFont(ChartFont()));
    QList<QRect> rects;
    for (const auto& [box, number] : Labels())
        rects.append(metrics.boundingRect(box, LabelAlignment, number));
    return rects;
}

int cHistogram::SatelliteNumber(int key)
{
    return key >= 300 ? key - 300 : key >= 200 ? key - 200 : key;
}

QFont cHistogram::LabelFont(const QFont& chartFont) const
{
    // Sized for the longest number shown, but for two digits at least, so that the numbers keep their size
    // as satellites come and go; every digit counted as the widest of the font.
    int digits = 2;
    for (auto it = data.cbegin(); it != data.cend(); ++it)
        digits = std::max(digits, int(QString::number(SatelliteNumber(it.key())).size()));
    QFont labelFont = chartFont;
    int pixels = QFontInfo(chartFont).pixelSize();
    const auto widest = [&labelFont, digits]
    {
        const QFontMetrics metrics(labelFont);
        int digit = 0;
        for (char c = '0'; c <= '9'; ++c)
            digit = std::max(digit, metrics.horizontalAdvance(QLatin1Char(c)));
        return digits * digit;
    };
    while (pixels > SmallestLabelPixels && widest() > barPitch - LabelGap)
        labelFont.setPixelSize(--pixels);
    return labelFont;
}

void cHistogram::DrawLegend(QPainter& painter) const
{
    struct Entry
    {
        int key; // a key of the constellation, for its colours
        const char* used;
        const char* unused;
        std::array<bool, 14> modes;
    };
    // Modes 0 (undefined) and 13 (surveyed) show GLONASS and Galileo only on the extended receiver.
    const bool x = m8;
    const std::array<Entry, 4> entries{{
        {1,
         QT_TRANSLATE_NOOP("cHistogram", "Used GPS"),
         QT_TRANSLATE_NOOP("cHistogram", "Unused GPS"),
         {true, true, false, false, false, true, true, true, true, true, false, false, false, true}},
        {65,
         QT_TRANSLATE_NOOP("cHistogram", "Used GLONASS"),
         QT_TRANSLATE_NOOP("cHistogram", "Unused GLONASS"),
         {x, false, true, false, false, false, true, false, true, false, true, false, true, x}},
        {200,
         QT_TRANSLATE_NOOP("cHistogram", "Used BeiDou"),
         QT_TRANSLATE_NOOP("cHistogram", "Unused BeiDou"),
         {false, false, false, false, true, false, false, true, false, true, false, true, true, false}},
        {300,
         QT_TRANSLATE_NOOP("cHistogram", "Used Galileo"),
         QT_TRANSLATE_NOOP("cHistogram", "Unused Galileo"),
         {x, false, false, true, false, true, true, true, false, false, true, true, false, x}},
    }};
    if (gnssMode < 0 || gnssMode > 13)
        return;

    painter.save();
    painter.translate(100, 20);
    int offset = 0;
    for (const Entry& entry : entries)
    {
        if (!entry.modes[std::size_t(gnssMode)])
            continue;
        painter.fillRect(QRect(offset, -13, 15, 15), BarColour(entry.key, true));
        painter.drawText(QPoint(offset + 25, 0), tr(entry.used));
        painter.fillRect(QRect(offset, 7, 15, 15), BarColour(entry.key, false));
        painter.drawText(QPoint(offset + 25, 20), tr(entry.unused));
        offset += 150;
    }
    painter.restore();
}
