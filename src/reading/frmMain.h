// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/form.h"
#include "reading/namekey.h"

class CaptionLabel;
class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;

// The entry window: the user's name and birth date in, the reading out.
class frmMain final : public MainForm
{
    Q_OBJECT

public:
    explicit frmMain(QWidget *parent = nullptr);

    QMenuBar *menuBar;
    QMenu *mnuFile;
    QAction *mnuFindSexualitySign;
    QAction *mnuExit;
    QMenu *mnuHelp;
    QAction *mnuOnline;
    QAction *mnuVisit;
    QAction *mnuHelp1;
    QAction *mnuUpdate;
    QAction *mnuHelp2;
    QAction *mnuAbout;
    QAction *mnuDonate;
    QAction *mnuMakeMoneyOnline;

    QFrame *Frame2;
    CaptionLabel *Label61;
    QFrame *Frame1;
    QFrame *Picture1;
    QComboBox *cboMonth;
    QLineEdit *txtName;
    QComboBox *cboDate;
    QComboBox *cboYear;
    QLabel *Label7;
    QLabel *Label2;
    QLabel *Label1;
    QLabel *Label5;
    QLabel *Label6;
    QPushButton *cmdNext;
    CaptionLabel *Label3;
    QFrame *Frame5;
    QPushButton *cmdExit;
    CaptionLabel *lblCobrand;
    CaptionLabel *lblFullBrand;

public slots:
    void cmdNext_Click();
    void cmdExit_Click();

protected:
    void Form_Unload() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    // Decides on the text a key press in the name box would insert, and tells the user when it
    // is refused.
    namekey::Decision txtName_KeyPress(const QString &typed);
    // Checks the name and the birth date, the first failing check with its message.
    bool ValidateBirthData();
    void buildMenu();
    void createControls();
    void layOutControls();
    void setUpKeyboard();
};
