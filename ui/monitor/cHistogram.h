#pragma once

#include <QList>
#include <QMap>
#include <QRect>
#include <QString>
#include <QWidget>

#include <utility>

// One satellite of the chart: its carrier-to-noise ratio and whether the receiver uses it in the fix.
struct SatelliteBar
{
    int snr = 0; // dB-Hz
    bool used = false;
};

// The bar chart of satellite signal strengths on the GNSS tab: one bar per satellite, its height the
// carrier-to-noise ratio, its colour the constellation and use in the fix, with a legend of the
// constellations the unit's GNSS mode admits. It only paints: the tab decides what it gets.
//
// Satellites are keyed by PRN (GPS, SBAS, GLONASS), PRN + 200 (BeiDou) or PRN + 300 (Galileo).
class cHistogram : public QWidget
{
    Q_OBJECT

public:
    static constexpr int FixedWidth = 700;
    static constexpr int FixedHeight = 200;

    explicit cHistogram(QWidget* parent = nullptr);

    // Replaces the satellites shown and repaints.
    void SetData(const QMap<int, SatelliteBar>& data);
    const QMap<int, SatelliteBar>& GetData() const { return data; }

    // Written by the GNSS tab whenever its own mode or receiver type changes; read at each paint.
    int gnssMode = 1;
    bool m8 = true;

    // The colour of a satellite's bar (and legend swatch).
    static QColor BarColour(int key, bool used);
    // The y coordinate of a signal value on the current scale.
    int ScaleY(int value) const;
    // Where each satellite number's text is drawn, in key order; a number is clipped to its bar's width.
    QList<QRect> LabelRects() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void DrawLegend(class QPainter& painter) const;
    // The font of the chart's texts.
    QFont ChartFont() const;
    // Each satellite number with the box under its bar that it is drawn in.
    QList<std::pair<QRect, QString>> Labels() const;
    // The satellite number shown under a bar.
    static int SatelliteNumber(int key);
    // The font of the satellite numbers: the chart's font, smaller where the widest number would not
    // fit the pitch of the bars, so that neighbouring numbers never run together.
    QFont LabelFont(const QFont& chartFont) const;

    int left = 0;
    int right = 0;
    int bottom = 0;
    int top = 0;
    const int barPitch = 15;
    const int rangeMin = 0;
    const int rangeMax = 60;
    QMap<int, SatelliteBar> data;
    QString xLabel;
    QString yLabel;
};
