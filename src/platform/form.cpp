#include "platform/form.h"

#include <QAbstractButton>
#include <QCloseEvent>

namespace {

QList<QPointer<Form>> &registry()
{
    static QList<QPointer<Form>> windows;
    return windows;
}

} // namespace

Form::Form(QWidget *parent)
    : QDialog(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    LoadedWindows::add(this);
}

Form::~Form()
{
    LoadedWindows::remove(this);
}

void Form::Unload()
{
    close();
}

void Form::setCancelButton(QAbstractButton *button)
{
    m_cancelButton = button;
}

void Form::closeEvent(QCloseEvent *event)
{
    // Unloading never fails or waits: the handler runs, then the window is gone for good (Qt
    // deletes it once control is back in the event loop; until then it is no longer loaded).
    LoadedWindows::remove(this);
    Form_Unload();
    event->accept();
}

void Form::reject()
{
    if (m_cancelButton)
        m_cancelButton->click();
    else
        close();
}

namespace LoadedWindows {

QList<QPointer<Form>> inLoadOrder()
{
    QList<QPointer<Form>> loaded;
    for (const auto &window : registry()) {
        if (window)
            loaded.append(window);
    }
    return loaded;
}

void add(Form *window)
{
    registry().append(window);
}

void remove(Form *window)
{
    registry().removeIf([window](const QPointer<Form> &w) { return w.isNull() || w == window; });
}

} // namespace LoadedWindows
