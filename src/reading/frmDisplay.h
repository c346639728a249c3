// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/form.h"

class CaptionLabel;
class QAction;
class QFrame;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;

// The result window: the sign and what it means.
class frmDisplay final : public MainForm
{
    Q_OBJECT

public:
    explicit frmDisplay(QWidget *parent = nullptr);

    QMenuBar *menuBar;
    QMenu *mnuFile;
    QAction *mnuFileBack;
    QAction *mnuExit;
    QMenu *mnuHelp;
    QAction *mnuOnline;
    QAction *mnuVisit;
    QAction *mnuFileSep1;
    QAction *mnuUpdate;
    QAction *mnuFileSep2;
    QAction *mnuAbout;
    QAction *mnuDonate;
    QAction *mnuMakeMoneyOnline;

    QPushButton *cmdBack;
    QPushButton *cmdExit;
    QFrame *Frame2;
    CaptionLabel *Label61;
    QFrame *Frame5;
    CaptionLabel *lblFullBrand;
    CaptionLabel *lblCobrand;
    QFrame *fraSexualitySign;
    CaptionLabel *lblSignDesc;
    QLabel *Label12;
    QLabel *lblXenaSign;

public slots:
    void cmdBack_Click();
    void cmdExit_Click();

protected:
    void Form_Unload() override;

private:
    void createControls();
    void layOutControls();
    void buildMenu();
};
