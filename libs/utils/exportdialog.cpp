#include <utils/exportdialog.h>
#include <utils/csvexport.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QSpinBox>
#include <QVBoxLayout>

namespace Utils {

ExportDialog::ExportDialog(QList<const Charts::ValueOverTime *> *series,
                           QList<QString> *titles, QWidget *parent, Qt::WindowFlags flags)
    : QDialog(parent, flags),
      m_series(series),
      m_titles(titles),
      m_file(new QLineEdit(this)),
      m_precision(new QSpinBox(this)),
      m_separator(new QComboBox(this)),
      m_error(new QLabel(this))
{
    setObjectName(QStringLiteral("ExportDialog"));
    setWindowTitle(tr("Export chart data"));
    m_provider = [this](QWidget *owner, const QString &suggested) {
        return QFileDialog::getSaveFileName(owner, windowTitle(), suggested,
                                            tr("CSV files (*.csv);;All files (*)"));
    };

    auto *browse = new QPushButton(tr("Browse..."), this);
    connect(browse, &QPushButton::clicked, this, &ExportDialog::chooseFile);
    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(m_file, 1);
    fileRow->addWidget(browse);

    m_precision->setRange(0, 12);
    m_precision->setValue(2);
    m_separator->addItem(tr("Comma"), QStringLiteral(","));
    m_separator->addItem(tr("Semicolon"), QStringLiteral(";"));
    m_separator->addItem(tr("Tab"), QStringLiteral("\t"));

    auto *form = new QFormLayout;
    form->addRow(tr("File"), fileRow);
    form->addRow(tr("Decimals"), m_precision);
    form->addRow(tr("Separator"), m_separator);

    m_error->setStyleSheet(QStringLiteral("color: #B00000;"));
    m_error->setWordWrap(true);
    m_error->hide();

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &ExportDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ExportDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_error);
    layout->addWidget(buttons);
}

void ExportDialog::setPrecision(int precision)
{
    m_precision->setValue(precision);
}

int ExportDialog::precision() const
{
    return m_precision->value();
}

void ExportDialog::setSeparator(QChar separator)
{
    const int index = m_separator->findData(QString(separator));
    if (index >= 0)
        m_separator->setCurrentIndex(index);
}

QChar ExportDialog::separator() const
{
    const QString s = m_separator->currentData().toString();
    return s.isEmpty() ? QLatin1Char(',') : s.at(0);
}

void ExportDialog::setFileName(const QString &fileName)
{
    m_file->setText(fileName);
}

QString ExportDialog::fileName() const
{
    return m_file->text().trimmed();
}

void ExportDialog::setFileNameProvider(FileNameProvider provider)
{
    if (provider)
        m_provider = std::move(provider);
}

QString ExportDialog::errorText() const
{
    return m_error->text();
}

bool ExportDialog::chooseFile()
{
    const QString suggested = fileName().isEmpty()
        ? QDir::home().filePath(QStringLiteral("chartdata.csv"))
        : fileName();
    const QString chosen = m_provider(this, suggested);
    if (chosen.isEmpty())
        return false;
    m_file->setText(chosen);
    return true;
}

void ExportDialog::accept()
{
    if (fileName().isEmpty() && !chooseFile())
        return;
    const QList<const Charts::ValueOverTime *> series = m_series ? *m_series
        : QList<const Charts::ValueOverTime *>();
    const QList<QString> titles = m_titles ? *m_titles : QList<QString>();

    QSaveFile file(fileName());
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Text)
        && writeSeriesCsv(&file, series, titles, precision(), separator())
        && file.commit();
    if (!written) {
        m_error->setText(tr("Could not write %1: %2").arg(fileName(), file.errorString()));
        m_error->show();
        return;
    }
    m_error->clear();
    m_error->hide();
    QDialog::accept();
}

} // namespace Utils
