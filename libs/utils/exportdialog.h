#ifndef UTILS_EXPORTDIALOG_H
#define UTILS_EXPORTDIALOG_H

#include <QDialog>
#include <QList>
#include <QString>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace Utils {

namespace Charts {
class ValueOverTime;
}

// Asks for a file and writes the given chart series into it as CSV
// (csvexport.h). The lists are the caller's and must outlive the dialog.
class ExportDialog : public QDialog
{
    Q_OBJECT
public:
    // Returns the chosen file name, empty when cancelled.
    using FileNameProvider = std::function<QString(QWidget *parent, const QString &suggested)>;

    ExportDialog(QList<const Charts::ValueOverTime *> *series, QList<QString> *titles,
                 QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());

    void setPrecision(int precision);
    int precision() const;
    void setSeparator(QChar separator);
    QChar separator() const;
    void setFileName(const QString &fileName);
    QString fileName() const;
    // Replaces the file dialog (the default asks with QFileDialog).
    void setFileNameProvider(FileNameProvider provider);
    QString errorText() const;

public slots:
    // Lets the user pick the file; true when one was chosen.
    bool chooseFile();
    // Writes the file; the dialog stays open when that fails.
    void accept() override;

private:
    QList<const Charts::ValueOverTime *> *m_series;
    QList<QString> *m_titles;
    FileNameProvider m_provider;
    QLineEdit *m_file;
    QSpinBox *m_precision;
    QComboBox *m_separator;
    QLabel *m_error;
};

} // namespace Utils

#endif
