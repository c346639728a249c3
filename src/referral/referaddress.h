// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace modTellAFriend {

struct ReferAFriendTexts
{
    QString name;
    QString email;
    QString message;
    QString friendName;
    QString friendEmail;
};

// The vendor's refer-a-friend page with the five texts as taf1..taf5 and the product folder as
// taf6. Every value is percent-encoded (UTF-8, only RFC 3986 unreserved characters left as they
// are), so no text can add a parameter, cut the address short or make it invalid.
QString referAFriendAddress(const ReferAFriendTexts &texts);

} // namespace modTellAFriend
