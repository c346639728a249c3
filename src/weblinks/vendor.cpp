// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#include "weblinks/vendor.h"

namespace vendor {

QString host()
{
    return QStringLiteral("www.orrimsoftwares.com");
}

QString baseAddress()
{
    return QStringLiteral("https://") + host();
}

QString pageAddress(QStringView pageKey)
{
    QString address = baseAddress() + QStringLiteral("/skyrand/ssd.php?page=");
    return address.append(pageKey);
}

QString productFolderAddress()
{
    return baseAddress() + QStringLiteral("/skyrand/");
}

QString boardPromotion()
{
    return QStringLiteral("The Most Popular Online Orrim Discussion Board. Best Resource For "
                          "Everything Orrim. Visit ") +
        host() + QStringLiteral(" Now");
}

QString coBrandOffer()
{
    return QStringLiteral(
        "Co-brand this software for your site.  Increase loyalty and traffic to your site. Put "
        "your site's name &&  link here. See \"Help\" for details.    Click Here for more info "
        "on co-branding.");
}

QString fullBrandOffer()
{
    return QStringLiteral("Home Business Opportunity. Start your own Internet business and make "
                          "money online. Get this software fully branded for your website. Click "
                          "here for more details.");
}

} // namespace vendor
