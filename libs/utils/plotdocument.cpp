#include <utils/plotdocument.h>

#include <QFileInfo>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <qwt_plot.h>
#include <qwt_plot_renderer.h>

namespace Utils {

PlotDocument::PlotDocument(QwtPlot *plot, QObject *parent)
    : QObject(parent), m_plot(plot)
{
}

void PlotDocument::setTitle(const QString &title)
{
    m_title = title;
}

QwtPlot *PlotDocument::plot() const
{
    return static_cast<QwtPlot *>(m_plot.data());
}

void PlotDocument::vPrintDocument()
{
    if (!plot())
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(m_title.isEmpty() ? tr("Chart") : m_title);
    QPrintDialog dialog(&printer, plot());
    dialog.setWindowTitle(tr("Print chart"));
    if (dialog.exec() == QDialog::Accepted)
        render(&printer);
}

void PlotDocument::vPrintDocument(const QString &pdfFileName)
{
    if (pdfFileName.isEmpty())
        vPrintDocument();
    else
        bPrintToPdf(pdfFileName);
}

bool PlotDocument::bPrintToPdf(const QString &pdfFileName)
{
    if (!plot() || pdfFileName.isEmpty())
        return false;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfFileName);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(m_title.isEmpty() ? tr("Chart") : m_title);
    if (!render(&printer))
        return false;
    const QFileInfo written(pdfFileName);
    return written.exists() && written.size() > 0;
}

bool PlotDocument::render(QPrinter *printer)
{
    QPainter painter;
    if (!painter.begin(printer))
        return false;
    QRectF area = printer->pageLayout().paintRectPixels(printer->resolution());
    area.moveTo(0.0, 0.0);
    if (!m_title.isEmpty()) {
        QFont font = painter.font();
        font.setPointSize(14);
        font.setBold(true);
        painter.setFont(font);
        const QRectF heading(area.left(), area.top(), area.width(), area.height() * 0.08);
        painter.drawText(heading, Qt::AlignLeft | Qt::AlignVCenter, m_title);
        area.setTop(heading.bottom());
    }
    QwtPlotRenderer renderer;
    renderer.setDiscardFlag(QwtPlotRenderer::DiscardBackground, true);
    renderer.setDiscardFlag(QwtPlotRenderer::DiscardCanvasBackground, true);
    renderer.render(plot(), &painter, area);
    return painter.end();
}

} // namespace Utils
