#include <utils/csvexport.h>
#include <utils/valueovertime.h>

#include <QIODevice>
#include <QLocale>
#include <QStringList>

#include <algorithm>
#include <vector>

namespace Utils {

namespace {

QString field(const QString &text, QChar separator)
{
    if (!text.contains(separator) && !text.contains(QLatin1Char('"'))
        && !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

QString seriesToCsv(const QList<const Charts::ValueOverTime *> &series,
                    const QList<QString> &titles, int precision, QChar separator)
{
    const QLocale c = QLocale::c();
    precision = std::max(0, precision);
    auto number = [&](double v) { return c.toString(v, 'f', precision); };

    QString text;
    QStringList header;
    for (const QString &title : titles)
        header << field(title, separator);
    text += header.join(separator) + QLatin1Char('\n');

    QList<const Charts::ValueOverTime *> present;
    for (const Charts::ValueOverTime *s : series)
        if (s)
            present << s;
    if (present.isEmpty())
        return text;
    const bool timeColumn = titles.size() > series.size();

    const Charts::ValueOverTime *reference = present.first();
    // Each other series advances a cursor: rows are in time order.
    std::vector<int> cursor(static_cast<size_t>(present.size()), -1);
    for (int i = 0; i < reference->size(); ++i) {
        const double t = reference->x(i);
        QStringList row;
        if (timeColumn)
            row << number(t);
        row << number(reference->y(i));
        for (int k = 1; k < present.size(); ++k) {
            const Charts::ValueOverTime *s = present[k];
            int &at = cursor[static_cast<size_t>(k)];
            while (at + 1 < s->size() && s->x(at + 1) <= t)
                ++at;
            row << (at >= 0 ? number(s->y(at)) : QString());
        }
        text += row.join(separator) + QLatin1Char('\n');
    }
    return text;
}

bool writeSeriesCsv(QIODevice *device, const QList<const Charts::ValueOverTime *> &series,
                    const QList<QString> &titles, int precision, QChar separator)
{
    if (!device || !device->isWritable())
        return false;
    const QByteArray data = seriesToCsv(series, titles, precision, separator).toUtf8();
    return device->write(data) == data.size();
}

} // namespace Utils
