// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/form.h"

class CaptionLabel;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// The exit promotion window: the last window of a run, with a plea for the vendor's forum, links,
// and the refer-a-friend form. Leaving it ends the program.
class frmNagScreen2 final : public QWidget, public Form
{
    Q_OBJECT

public:
    explicit frmNagScreen2(QWidget *parent = nullptr);

    // The four pleas for the forum, one of which a load picks at random.
    static QString promotionalText(int k);

    QLabel *picNagscreen2Icon;
    QLabel *lblNagScreen2Caption;
    CaptionLabel *Label2;
    QPushButton *Check1;
    QPushButton *cmdClose;
    QFrame *Frame6;
    CaptionLabel *Label3;
    CaptionLabel *lblGoToHome;
    QFrame *Frame2;
    QLineEdit *txtName;
    QLineEdit *txtEmail;
    QLineEdit *txtFriendName;
    QLineEdit *txtFriendEmail;
    QPushButton *cmdSubmit;
    QLineEdit *txtMessage;

public slots:
    void Check1_Click();
    void cmdClose_Click();
    void cmdSubmit_Click();

protected:
    void Form_Unload() override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void createPleaAndLinks();
    void createForm();
    void layOutControls();
    void Form_Load();
    QString placeholderOf(QObject *box) const;
    void emptyFocusedPlaceholder();

    // The box that got the focus holding its placeholder, until it is emptied.
    QPointer<QLineEdit> m_emptyOnFocus;
};
