#ifndef UTILS_CSVEXPORT_H
#define UTILS_CSVEXPORT_H

#include <QChar>
#include <QList>
#include <QString>

class QIODevice;

namespace Utils {

namespace Charts {
class ValueOverTime;
}

// Chart series as CSV text. One header line with the titles, then one row per
// sample of the first series. When there is one title more than series, the
// first column is that sample's time. The other series contribute their
// latest sample at or before that time (empty before their first sample).
// Numbers use a decimal point and `precision` decimals; a title containing
// the separator, a quote or a line break is quoted.
QString seriesToCsv(const QList<const Charts::ValueOverTime *> &series,
                    const QList<QString> &titles, int precision,
                    QChar separator = QLatin1Char(','));

// Writes seriesToCsv() as UTF-8; false when the device refuses the data.
bool writeSeriesCsv(QIODevice *device, const QList<const Charts::ValueOverTime *> &series,
                    const QList<QString> &titles, int precision,
                    QChar separator = QLatin1Char(','));

} // namespace Utils

#endif
