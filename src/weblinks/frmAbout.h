// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/form.h"

#include <QDialog>

class CaptionLabel;
class QFrame;
class QLabel;
class QPushButton;

// The about window: name, version, what the program does, and two links to the vendor's site.
class frmAbout final : public QDialog, public Form
{
    Q_OBJECT

public:
    explicit frmAbout(QWidget *parent = nullptr);

    // Loads the window and waits until the user has closed it; `owner` takes no input meanwhile.
    static void showModal(QWidget *owner);

    QLabel *picIcon;
    QLabel *Label2;
    CaptionLabel *Label1;
    CaptionLabel *lblHomePage;
    CaptionLabel *Label6;
    CaptionLabel *Label5;
    QFrame *Line2;
    QPushButton *cmdOK;

public slots:
    void cmdOK_Click();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void layOutControls();
};
