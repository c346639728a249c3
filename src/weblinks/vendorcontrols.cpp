// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#include "weblinks/vendorcontrols.h"

#include "platform/controls.h"
#include "weblinks/frmAbout.h"
#include "weblinks/modHelp.h"
#include "weblinks/vendor.h"

#include <QMenuBar>
#include <QVBoxLayout>

QAction *addMenuEntry(QMenu *menu, const char *name, const QString &text)
{
    QAction *entry = text.isEmpty() ? menu->addSeparator() : menu->addAction(text);
    entry->setObjectName(QLatin1String(name));
    return entry;
}

QMenu *addMenu(QMenuBar *bar, const char *name, const QString &title)
{
    QMenu *menu = bar->addMenu(title);
    menu->setObjectName(QLatin1String(name));
    // The open menu is a window of its own to assistive technologies, apart from its title in
    // the bar: named by that title, a screen reader says which menu opened before its first
    // entry, as with any toolkit's menus.
    menu->setAccessibleName(menu->menuAction()->iconText());
    return menu;
}

VendorMenus addVendorMenus(QMenuBar *bar, QWidget *window, const char *separator1Name,
                           const char *separator2Name, const QString &updateCaption)
{
    VendorMenus menus;
    menus.mnuHelp = addMenu(bar, "mnuHelp", QStringLiteral("&Help"));
    menus.mnuOnline = addMenuEntry(menus.mnuHelp, "mnuOnline", QStringLiteral("&Online Help"));
    menus.mnuVisit = addMenuEntry(menus.mnuHelp, "mnuVisit", QStringLiteral("&Visit Us Online"));
    menus.separator1 = addMenuEntry(menus.mnuHelp, separator1Name, QString());
    menus.mnuUpdate = addMenuEntry(menus.mnuHelp, "mnuUpdate", updateCaption);
    menus.separator2 = addMenuEntry(menus.mnuHelp, separator2Name, QString());
    menus.mnuAbout = addMenuEntry(menus.mnuHelp, "mnuAbout", QStringLiteral("&About Software"));

    menus.mnuDonate = bar->addAction(QStringLiteral("&Donate"));
    menus.mnuDonate->setObjectName(QStringLiteral("mnuDonate"));
    // Switched off in the design: not offered, though it still has its action.
    menus.mnuMakeMoneyOnline = bar->addAction(QStringLiteral("Make Money &Online"));
    menus.mnuMakeMoneyOnline->setObjectName(QStringLiteral("mnuMakeMoneyOnline"));
    menus.mnuMakeMoneyOnline->setVisible(false);

    QObject::connect(menus.mnuOnline, &QAction::triggered, window, &modHelp::OpenHelpPage);
    QObject::connect(menus.mnuVisit, &QAction::triggered, window, &modHelp::OpenHomePage);
    QObject::connect(menus.mnuUpdate, &QAction::triggered, window, &modHelp::OpenDownloadPage);
    QObject::connect(menus.mnuAbout, &QAction::triggered, window,
                     [window] { frmAbout::showModal(window); });
    QObject::connect(menus.mnuDonate, &QAction::triggered, window, &modHelp::OpenDonatePage);
    QObject::connect(menus.mnuMakeMoneyOnline, &QAction::triggered, window,
                     &modHelp::OpenFullyBrandedPage);
    return menus;
}

CaptionLabel *addBoardPromotion(QFrame *band, int width)
{
    auto *label = makeControl<CaptionLabel>(band, "Label61");
    label->setCaption(vendor::boardPromotion());
    label->setLink();
    label->wrapAtWidth(width);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(designFont(8.25));
    (new QVBoxLayout(band))->addWidget(label);
    QObject::connect(label, &CaptionLabel::Click, band, &modHelp::OpenHomePage);
    return label;
}

void setUpOffer(CaptionLabel *label, const QString &caption, int width)
{
    label->setCaption(caption);
    label->setLink();
    label->wrapAtWidth(width);
    label->setAutoFillBackground(true);
}
