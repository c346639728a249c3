// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <QList>
#include <QPoint>
#include <QPointer>

#include <optional>

class QAbstractButton;
class QKeyEvent;

// A window of the program. Windows are "loaded" from their construction until they are unloaded
// (closed), which runs their Form_Unload and discards them; LoadedWindows lists the loaded ones in
// the order they were loaded. A QDialog underneath gives the default button Enter, as users expect.
class Form : public QDialog
{
    Q_OBJECT

public:
    explicit Form(QWidget *parent = nullptr);
    ~Form() override;

    // Closes and discards the window, running its unload handler.
    void Unload();

    // Shows the window in front, asking for the keyboard: window managers that prevent focus
    // stealing give a newly mapped window the keyboard only when it asks for it.
    void showActivated();

protected:
    // What every window of the design shares: its name, its caption, a fixed border with a title
    // bar and a close box but no minimise or maximise button, and the design's font.
    void setUpWindow(const char *name, const QString &caption, Qt::WindowType kind = Qt::Window);

    // Runs while the window is being unloaded, whatever asked for it; it never cancels.
    virtual void Form_Unload() { }

    // Escape clicks this button instead of just hiding the window.
    void setCancelButton(QAbstractButton *button);

    void closeEvent(QCloseEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void reject() override;

public:
    void setVisible(bool visible) override;

private:
    QPointer<QAbstractButton> m_cancelButton;
    std::optional<QPoint> m_keptPosition;
};

namespace LoadedWindows {

// Loaded windows, oldest first.
QList<QPointer<Form>> inLoadOrder();

template<class W> W *find()
{
    for (const auto &window : inLoadOrder()) {
        if (auto *found = qobject_cast<W *>(window.data()))
            return found;
    }
    return nullptr;
}

// The loaded window of this kind; loads it (and so runs its load steps) when there is none.
template<class W> W &load()
{
    if (W *window = find<W>())
        return *window;
    return *new W;
}

} // namespace LoadedWindows
