#ifndef UTILS_PLOTDOCUMENT_H
#define UTILS_PLOTDOCUMENT_H

#include <QObject>
#include <QPointer>
#include <QString>

class QPrinter;
class QwtPlot;

namespace Utils {

// Prints one plot: through the print dialog, or straight into a PDF file.
class PlotDocument : public QObject
{
    Q_OBJECT
public:
    explicit PlotDocument(QwtPlot *plot, QObject *parent = nullptr);

    // Heading printed above the plot; empty prints none.
    void setTitle(const QString &title);

    // Asks for a printer with QPrintDialog and prints there.
    void vPrintDocument();
    // Writes a PDF file instead; an empty name behaves as vPrintDocument().
    void vPrintDocument(const QString &pdfFileName);
    bool bPrintToPdf(const QString &pdfFileName);

private:
    QwtPlot *plot() const;
    bool render(QPrinter *printer);

    QPointer<QObject> m_plot;
    QString m_title;
};

} // namespace Utils

#endif
