// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#include "referral/referaddress.h"

#include "weblinks/vendor.h"

#include <QUrl>

namespace modTellAFriend {

QString referAFriendAddress(const ReferAFriendTexts &texts)
{
    const auto parameter = [](const char *name, const QString &value) {
        return QLatin1String(name) + QString::fromLatin1(QUrl::toPercentEncoding(value));
    };
    return vendor::pageAddress(u"qvot-refer-a-friend") + parameter("&taf1=", texts.name) +
        parameter("&taf2=", texts.email) + parameter("&taf3=", texts.message) +
        parameter("&taf4=", texts.friendName) + parameter("&taf5=", texts.friendEmail) +
        parameter("&taf6=", vendor::productFolderAddress());
}

} // namespace modTellAFriend
