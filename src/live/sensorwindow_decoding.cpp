// Showing decoded answers: the process-data rows, the status LEDs, the
// object rows and the live charts.

#include "window/sensorwindow.h"

#include "live/processdecoding.h"
#include "window/sensorwindowprivate.h"
#include "window/viewpositions.h"

#include <utils/genericchart.h>

#include <QBrush>
#include <QColor>
#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QIcon>
#include <QPixmap>
#include <QPixmapCache>
#include <QTreeWidget>
#include <QTreeWidgetItem>
#include <QVector>

namespace DirazSensorPlugin {
namespace Core {

namespace {


const QColor EvaluatedObjectColour(0, 97, 158, 255);

// LED pictures are drawn from SVG at every poll; the cache keeps that cheap.
QPixmap ledPicture(const QString &path)
{
    const QString key = path + QStringLiteral("@40");
    QPixmap picture;
    if (!QPixmapCache::find(key, &picture)) {
        picture = QPixmap(path).scaled(40, 40, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        QPixmapCache::insert(key, picture);
    }
    return picture;
}

// Rows whose LED already shows the wanted state are left alone: a status
// octet rarely changes, and every change repaints the row.
void setLed(QTreeWidgetItem *row, bool on, const QString &onPicture, const QIcon &offIcon)
{
    if (!row)
        return;
    const QString text = on ? QCoreApplication::translate("SensorWindow", "On") : QCoreApplication::translate("SensorWindow", "Off");
    const bool showsPicture = row->data(2, Qt::DecorationRole).userType() == QMetaType::QPixmap;
    if (row->text(TextColumn) == text && showsPicture == on)
        return;
    if (on)
        row->setData(2, Qt::DecorationRole, ledPicture(onPicture));
    else
        row->setIcon(ValueColumn, offIcon);
    row->setText(TextColumn, text);
}

void setRowLook(QTreeWidgetItem *row, std::initializer_list<int> columns, const QColor &colour, bool bold)
{
    if (!row)
        return;
    for (int column : columns) {
        row->setForeground(column, QBrush(colour));
        QFont font = row->font(column);
        font.setBold(bold);
        row->setFont(column, font);
    }
}

} // namespace

void SensorWindow::decodeProcessData(QString hex)
{
    if (!d->liveData || !connected)
        return;

    ProcessDecoderState state;
    state.lastDistance = d->lastDistance;
    state.lastSpeed = d->lastSpeed;
    state.lastIntensity = d->lastIntensity;
    state.zeroAnswerCount = d->zeroAnswerCount;
    state.specialShown = d->specialShown;
    const ProcessDisplay shown = decodeProcessAnswer(state, hex, d->measurementUnit);
    d->lastDistance = state.lastDistance;
    d->lastSpeed = state.lastSpeed;
    d->lastIntensity = state.lastIntensity;
    d->zeroAnswerCount = state.zeroAnswerCount;
    d->specialShown = state.specialShown;

    Utils::Charts::GenericChart *chart = d->chart;
    QTreeWidgetItem *distanceRow = d->stateRows.value(DistanceRow);
    QTreeWidgetItem *speedRow = d->stateRows.value(SpeedRow);
    QTreeWidgetItem *intensityRow = d->stateRows.value(IntensityRow);

    // Special codes first: their chart point is added once per answer.
    auto showSpecial = [chart](QTreeWidgetItem *row, int graph, const FieldDisplay &field) {
        if (field.valid)
            return;
        if (field.addSpecialPoint && chart)
            chart->vAppendData(graph, SpecialCodePoint, true, -65000.0, false, -1.0, -1.0);
        if (row) {
            row->setText(TextColumn, field.rowText);
            row->setText(ValueColumn, QString());
        }
        if (chart)
            chart->vSetValueMarkerCustomTextGraph(graph, field.markerText);
    };
    showSpecial(distanceRow, DistancePlot, shown.distance);
    showSpecial(speedRow, SpeedPlot, shown.speed);
    showSpecial(intensityRow, IntensityPlot, shown.intensity);

    auto appendValue = [chart](int graph, double value) {
        if (!chart)
            return;
        chart->vSetValueMarkerCustomTextGraph(graph, QString());
        chart->vAppendMultiFake(graph, value, true, -65000.0, false, -1.0, -1.0);
    };
    if (shown.distance.valid) {
        appendValue(DistancePlot, shown.distance.chartValue);
        if (distanceRow) {
            distanceRow->setText(CaptionColumn, QCoreApplication::translate("SensorWindow", "Distance"));
            distanceRow->setText(ValueColumn, shown.distance.valueText);
            distanceRow->setText(TextColumn, d->distanceUnitText);
        }
    }
    if (shown.speed.valid) {
        appendValue(SpeedPlot, shown.speed.chartValue);
        if (speedRow) {
            speedRow->setText(ValueColumn, shown.speed.valueText);
            if (d->lastSpeed != AbsentValue)
                speedRow->setText(TextColumn, d->speedUnitText);
        }
    }
    if (shown.intensity.valid) {
        if (intensityRow)
            intensityRow->setText(TextColumn, QString());
        appendValue(IntensityPlot, shown.intensity.chartValue);
        if (intensityRow)
            intensityRow->setText(ValueColumn, shown.intensity.valueText);
    }

    auto icon = [this](const QString &path) -> const QIcon & {
        auto it = d->ledIcons.find(path);
        if (it == d->ledIcons.end())
            it = d->ledIcons.insert(path, QIcon(path));
        return *it;
    };
    const QString warningPicture = QStringLiteral(":/newPrefix/icons/!_galben_cerc_negru.svg");
    const QIcon &offIcon = icon(QStringLiteral(":/newPrefix/icons/led_state_F_2.svg"));
    for (int bit = 7; bit >= 2; --bit)
        setLed(d->stateRows.value(FirstStatusRow + bit), shown.statusBits[std::size_t(bit)], warningPicture, offIcon);
    setLed(d->stateRows.value(FirstStatusRow + 1), shown.statusBits[1],
           QStringLiteral(":/newPrefix/icons/led_state_2_2.svg"), icon(QStringLiteral(":/newPrefix/icons/led_state_1_2.svg")));
    setLed(d->stateRows.value(FirstStatusRow), shown.statusBits[0],
           QStringLiteral(":/newPrefix/icons/led_state_2_1.svg"), icon(QStringLiteral(":/newPrefix/icons/led_state_1_1.svg")));

    // The value rows keep a fixed size hint for their icon column; let it grow
    // with a value too wide for it, or the number would be cut off.
    bool grown = false;
    for (QTreeWidgetItem *row : {distanceRow, speedRow, intensityRow}) {
        if (!row)
            continue;
        const QFontMetrics metrics(row->font(2));
        const int needed = metrics.horizontalAdvance(row->text(ValueColumn)) + 12;
        const QSize hint = row->sizeHint(2);
        if (needed > hint.width()) {
            row->setSizeHint(2, QSize(needed, hint.height()));
            grown = true;
        }
    }
    if (grown && d->processDataTree)
        d->processDataTree->doItemsLayout();
}

void SensorWindow::decodeObjectInfo(QString hex)
{
    const ObjectInfo info = decodeObjectInfoBlock(hex, d->measurementUnit);
    if (!info.valid)
        return;

    if (d->chart) {
        QVector<double> distances;
        QVector<double> signalValues;
        for (std::size_t k = 0; k < 4; ++k) {
            distances.append(info.distances[k]);
            signalValues.append(info.signalValues[k]);
        }
        d->chart->vUpdateXLines(ObjectPlot, distances, signalValues);
        d->chart->vSetXLinesPen(info.evaluatedIndex, EvaluatedObjectColour);
    }

    // Only rows of the object tree: position 15 may hold an output row.
    for (int position = FirstObjectRow; position < LastObjectRow; ++position) {
        QTreeWidgetItem *row = d->stateRows.value(position);
        if (row && row->treeWidget() == d->observationTree)
            setRowLook(row, {TextColumn, CaptionColumn}, Qt::darkGray, false);
    }
    for (int k = 0; k < 4; ++k) {
        const std::size_t n = std::size_t(k);
        if (QTreeWidgetItem *row = d->stateRows.value(FirstObjectDistanceRow + 2 * k))
            row->setText(TextColumn, objectDistanceText(info.distanceFields[n], info.distances[n], d->distanceUnitText));
        if (QTreeWidgetItem *row = d->stateRows.value(FirstObjectDistanceRow + 2 * k + 1)) {
            row->setText(TextColumn, QString::number(info.signalValues[n]));
            setRowLook(row, {CaptionColumn}, Qt::darkGray, false);
        }
    }
    if (info.evaluatedIndex >= 0 && info.evaluatedIndex <= 3) {
        const int first = FirstObjectDistanceRow + 2 * info.evaluatedIndex;
        setRowLook(d->stateRows.value(first), {TextColumn, CaptionColumn}, EvaluatedObjectColour, true);
        setRowLook(d->stateRows.value(first + 1), {TextColumn, CaptionColumn}, EvaluatedObjectColour, true);
    }
}

} // namespace Core
} // namespace DirazSensorPlugin
