// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class CaptionLabel;
class QAction;
class QFrame;
class QMenu;
class QMenuBar;
class QWidget;

// The vendor's menus and promotional labels that the entry and result windows both carry.
struct VendorMenus
{
    QMenu *mnuHelp;
    QAction *mnuOnline;
    QAction *mnuVisit;
    QAction *separator1;
    QAction *mnuUpdate;
    QAction *separator2;
    QAction *mnuAbout;
    QAction *mnuDonate;
    QAction *mnuMakeMoneyOnline;
};

// Adds Help (with its entries), Donate and the switched-off Make Money Online to `bar`, each
// connected to its page; About opens the about window over `window`.
VendorMenus addVendorMenus(QMenuBar *bar, QWidget *window, const char *separator1Name,
                           const char *separator2Name, const QString &updateCaption);

QAction *addMenuEntry(QMenu *menu, const char *name, const QString &text);

// A menu of `bar`, titled `title` (with its mnemonic), named for assistive technologies.
QMenu *addMenu(QMenuBar *bar, const char *name, const QString &title);

// The board promotion inside `band`, a link to the home page.
CaptionLabel *addBoardPromotion(QFrame *band, int width);

// Makes `label` one of the two overlapping offers: opaque, so the one in front hides the other.
void setUpOffer(CaptionLabel *label, const QString &caption, int width);
