#include "qtboolpropertymanager.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOptionButton>

namespace {

// The check box as the current style draws it, so that a truth value reads
// as a check box even while no editor is open.
QIcon drawCheckBox(bool checked)
{
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return QIcon();
    const QStyle *style = QApplication::style();
    QStyleOptionButton option;
    option.state = checked ? QStyle::State_On : QStyle::State_Off;
    const int width = style->pixelMetric(QStyle::PM_IndicatorWidth, &option);
    const int height = style->pixelMetric(QStyle::PM_IndicatorHeight, &option);
    option.rect = QRect(0, 0, width, height);

    QIcon icon;
    for (const bool enabled : {true, false}) {
        QPixmap pixmap(width, height);
        pixmap.fill(Qt::transparent);
        QStyleOptionButton state = option;
        if (enabled)
            state.state |= QStyle::State_Enabled;
        QPainter painter(&pixmap);
        style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &state, &painter);
        painter.end();
        icon.addPixmap(pixmap, enabled ? QIcon::Normal : QIcon::Disabled);
    }
    return icon;
}

} // namespace

QtBoolPropertyManager::QtBoolPropertyManager(QObject *parent)
    : QtAbstractPropertyManager(parent)
{
}

QtBoolPropertyManager::~QtBoolPropertyManager()
{
    clear();
}

bool QtBoolPropertyManager::value(const QtProperty *property) const
{
    return m_values.value(property).value;
}

void QtBoolPropertyManager::setValue(QtProperty *property, bool val)
{
    auto it = m_values.find(property);
    if (it == m_values.end() || it->value == val)
        return;
    it->value = val;
    emit propertyChanged(property);
    emit valueChanged(property, val);
}

void QtBoolPropertyManager::setValue(QtProperty *property, bool val, const QString &trueText,
                                     const QString &falseText)
{
    auto it = m_values.find(property);
    if (it == m_values.end())
        return;
    const bool textsChanged = !it->ownTexts || it->trueText != trueText
                              || it->falseText != falseText;
    const bool changed = it->value != val;
    it->ownTexts = true;
    it->trueText = trueText;
    it->falseText = falseText;
    it->value = val;
    if (changed || textsChanged)
        emit propertyChanged(property);
    if (changed)
        emit valueChanged(property, val);
}

QString QtBoolPropertyManager::valueText(const QtProperty *property) const
{
    auto it = m_values.constFind(property);
    if (it == m_values.cend())
        return QString();
    if (it->ownTexts)
        return it->value ? it->trueText : it->falseText;
    return it->value ? tr("True") : tr("False");
}

QIcon QtBoolPropertyManager::valueIcon(const QtProperty *property) const
{
    auto it = m_values.constFind(property);
    if (it == m_values.cend())
        return QIcon();
    QIcon &icon = it->value ? m_checkedIcon : m_uncheckedIcon;
    if (icon.isNull())
        icon = drawCheckBox(it->value);
    return icon;
}

void QtBoolPropertyManager::initializeProperty(QtProperty *property)
{
    m_values.insert(property, Data());
}

void QtBoolPropertyManager::uninitializeProperty(QtProperty *property)
{
    m_values.remove(property);
}
