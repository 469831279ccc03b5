#pragma once

// Where things sit in the chart and the process-data view. The positions
// follow the order the description lists its process-data entries in, and
// several subsystems address them, so they have one home.

namespace DirazSensorPlugin {
namespace Core {

enum ChartPlot : int { SpeedPlot = 0, ObjectPlot = 1, IntensityPlot = 2, DistancePlot = 3, PlotCount = 4 };

enum ProcessDataRow : int {
    DistanceRow = 0,
    SpeedRow = 1,
    IntensityRow = 2,
    FirstStatusRow = 3,  // status bit n at 3 + n
    FirstWarningRow = 7, // status bits 4 to 7, named by "ErrorWarning1" to "ErrorWarning4"
    FirstOutputRow = 11, // the output check boxes, 11 to 15
    OutputRowCount = 5,
    FirstObjectRow = 15, // object rows live in the observation tree
    FirstObjectDistanceRow = 16, // object k at 16 + 2k, its signal at 17 + 2k
    LastObjectRow = 23,
};

enum ProcessDataColumn : int {
    CaptionColumn = 0,
    ValueColumn = 2, // value, status LED or output check box
    TextColumn = 3,  // unit or state text
};

} // namespace Core
} // namespace DirazSensorPlugin
