#include "platform/form.h"

#include <QAbstractButton>
#include <QCloseEvent>

namespace {

QList<QPointer<Form>> &registry()
{
    static QList<QPointer<Form>> windows;
    return windows;
}

void registerWindow(Form *window)
{
    registry().append(window);
}

void unregisterWindow(Form *window)
{
    registry().removeIf([window](const QPointer<Form> &w) { return w.isNull() || w == window; });
}

} // namespace

Form::Form(QWidget *parent)
    : QDialog(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    registerWindow(this);
}

Form::~Form()
{
    unregisterWindow(this);
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
    // The window stays loaded while its own handler runs, so that a handler ending the program
    // neither unloads it twice (Qt ignores a close of a window that is closing) nor loads a new
    // one of its kind. Then it is gone for good: Qt deletes it once control is back in the event
    // loop, and until then it no longer counts as loaded.
    Form_Unload();
    unregisterWindow(this);
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

} // namespace LoadedWindows
