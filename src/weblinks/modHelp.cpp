// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#include "weblinks/modHelp.h"

#include "platform/seams.h"
#include "weblinks/vendor.h"

namespace modHelp {

namespace {

void openPage(QStringView pageKey)
{
    platform::browser().open(vendor::pageAddress(pageKey));
}

} // namespace

void OpenSoftwaresPage()
{
    openPage(u"orrimsoftwares");
}

void OpenDonatePage()
{
    openPage(u"donate");
}

void OpenHelpPage()
{
    openPage(u"help-web-page");
}

void OpenFullyBrandedPage()
{
    openPage(u"fully-branded");
}

void OpenCoBrandPage()
{
    openPage(u"co-brand");
}

void OpenHomePage()
{
    openPage(u"home-page");
}

void OpenDownloadPage()
{
    openPage(u"download-web-page");
}

} // namespace modHelp
