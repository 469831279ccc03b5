#ifndef QTEDITORREGISTRY_H
#define QTEDITORREGISTRY_H

#include <QHash>
#include <QList>
#include <QObject>

class QtProperty;

// The open editors of one factory, in both directions, forgotten as soon as
// an editor is destroyed.
template <class Editor>
class QtEditorRegistry
{
public:
    // context: the factory; the clean-up connection dies with it.
    void add(QtProperty *property, Editor *editor, QObject *context)
    {
        m_editors[property].append(editor);
        m_properties.insert(editor, property);
        QObject::connect(editor, &QObject::destroyed, context,
                         [this, editor]() { remove(editor); });
    }

    QList<Editor *> editors(const QtProperty *property) const
    {
        return m_editors.value(const_cast<QtProperty *>(property));
    }

    QtProperty *property(Editor *editor) const { return m_properties.value(editor); }

private:
    void remove(Editor *editor)
    {
        QtProperty *property = m_properties.take(editor);
        auto it = m_editors.find(property);
        if (it == m_editors.end())
            return;
        it->removeOne(editor);
        if (it->isEmpty())
            m_editors.erase(it);
    }

    QHash<QtProperty *, QList<Editor *>> m_editors;
    QHash<Editor *, QtProperty *> m_properties;
};

#endif // QTEDITORREGISTRY_H
