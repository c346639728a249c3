// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#include "platform/form.h"

#include "platform/controls.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QHideEvent>
#include <QKeyEvent>
#include <QPushButton>

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

void Form::setUpWindow(const char *name, const QString &caption, Qt::WindowType kind)
{
    setObjectName(QLatin1String(name));
    setWindowTitle(caption);
    setWindowFlags(kind | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFont(designFont(8.25));
}

void Form::showActivated()
{
    show();
    raise();
    activateWindow();
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

void Form::setVisible(bool visible)
{
    // Only the buttons a window makes its default may take Enter from the other controls. A
    // dialog would make every other button the default while it has the focus, and, in a window
    // without a default, the first one for good: Enter typed into a text box would press it.
    if (visible) {
        for (QPushButton *button : findChildren<QPushButton *>()) {
            if (!button->isDefault())
                button->setAutoDefault(false);
        }
    }
    // Centred when first shown only: a window shown again comes back where the user left it,
    // which a dialog would not do for a move made through the window manager.
    if (visible && m_keptPosition && isHidden())
        move(*m_keptPosition);
    QDialog::setVisible(visible);
}

void Form::hideEvent(QHideEvent *event)
{
    if (!event->spontaneous()) {
        m_keptPosition = pos();
        setAttribute(Qt::WA_Moved);
    }
    QDialog::hideEvent(event);
}

void Form::keyPressEvent(QKeyEvent *event)
{
    // Enter still clicks the button that has the focus, as Space does.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    auto *button = qobject_cast<QAbstractButton *>(focusWidget());
    if (enter && modifiers == Qt::NoModifier && button && button->isEnabled() &&
        button->isVisible()) {
        button->click();
        return;
    }
    QDialog::keyPressEvent(event);
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
