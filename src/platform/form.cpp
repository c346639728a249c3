// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#include "platform/form.h"

#include "platform/controls.h"
#include "platform/windowing.h"

#include <QCloseEvent>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>

namespace {

QList<QPointer<QWidget>> &registry()
{
    static QList<QPointer<QWidget>> windows;
    return windows;
}

void unregisterWindow(QWidget *window)
{
    registry().removeIf([window](const QPointer<QWidget> &w) { return w.isNull() || w == window; });
}

} // namespace

Form::Form(QWidget *window)
    : m_window(window)
{
    m_window->setAttribute(Qt::WA_DeleteOnClose);
    registry().append(m_window);
}

Form::~Form()
{
    unregisterWindow(m_window);
}

void Form::setUpWindow(const char *name, const QString &caption, Qt::WindowType kind)
{
    m_window->setObjectName(QLatin1String(name));
    m_window->setWindowTitle(caption);
    m_window->setWindowFlags(kind | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                             Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    m_window->setFont(designFont(8.25));
}

QWidget *Form::holdContents(QLayout *layout)
{
    auto *contents = makeControl<WindowContents>(m_window, "contents");
    // Spaced from the window's edges as a window's own layout is, not as a layout inside one.
    QStyle *style = m_window->style();
    layout->setContentsMargins(style->pixelMetric(QStyle::PM_LayoutLeftMargin, nullptr, m_window),
                               style->pixelMetric(QStyle::PM_LayoutTopMargin, nullptr, m_window),
                               style->pixelMetric(QStyle::PM_LayoutRightMargin, nullptr, m_window),
                               style->pixelMetric(QStyle::PM_LayoutBottomMargin, nullptr, m_window));
    contents->setLayout(layout);
    return contents;
}

void Form::Unload()
{
    m_window->close();
}

void Form::discard()
{
    m_window->hide();
    unregisterWindow(m_window);
    m_window->deleteLater();
}

void Form::unloadOnClose(QCloseEvent *event)
{
    // The window stays loaded while its own handler runs, so that a handler ending the program
    // neither unloads it twice (Qt ignores a close of a window that is closing) nor loads a new
    // one of its kind. Then it is gone for good: Qt deletes it once control is back in the event
    // loop, and until then it no longer counts as loaded.
    Form_Unload();
    unregisterWindow(m_window);
    event->accept();
}

void Form::showing(QShowEvent *event)
{
    if (event->spontaneous())
        return;
    if (m_keptPosition)
        platform::placeAt(*m_window, *m_keptPosition);
    else
        platform::placeInCentre(*m_window);
}

void Form::hiding(QHideEvent *event)
{
    if (!event->spontaneous())
        m_keptPosition = m_window->pos();
}

MainForm::MainForm(QWidget *parent)
    : QMainWindow(parent)
    , Form(this)
{
}

void MainForm::setMenuAndContents(QMenuBar *menu, QLayout *contents)
{
    setMenuBar(menu);
    setCentralWidget(holdContents(contents));
    // Neither the window nor anything in it can be resized.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void MainForm::setExitButton(QPushButton *button)
{
    m_exitButton = button;
    button->setDefault(true);
}

void MainForm::closeEvent(QCloseEvent *event)
{
    unloadOnClose(event);
}

void MainForm::keyPressEvent(QKeyEvent *event)
{
    // Here come the keys that the control with the focus left alone: a push button that presses
    // itself on Enter has taken it already.
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (m_exitButton && modifiers == Qt::NoModifier && (enter || event->key() == Qt::Key_Escape)) {
        m_exitButton->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void MainForm::showEvent(QShowEvent *event)
{
    showing(event);
    QMainWindow::showEvent(event);
}

void MainForm::hideEvent(QHideEvent *event)
{
    hiding(event);
    QMainWindow::hideEvent(event);
}

namespace LoadedWindows {

QList<QPointer<QWidget>> inLoadOrder()
{
    QList<QPointer<QWidget>> loaded;
    for (const auto &window : registry()) {
        if (window)
            loaded.append(window);
    }
    return loaded;
}

} // namespace LoadedWindows
