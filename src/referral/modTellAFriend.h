// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#pragma once

#include "referral/referaddress.h"

#include <QString>

class QWidget;

// The refer-a-friend request: five texts checked and sent as parameters of a vendor page address.
namespace modTellAFriend {

// The trimmed texts of the exit promotion window's form, as its button last found them.
extern QString strTafName;
extern QString strTafEmail;
extern QString strTafMessage;
extern QString strTafFriendName;
extern QString strTafFriendEmail;
// The address of the last request that passed every check.
extern QString strTafURL;

// The boxes' hint texts; a box still showing its hint counts as empty.
inline constexpr QLatin1String kNamePlaceholder("Your Name");
inline constexpr QLatin1String kEmailPlaceholder("Your Email Address");
inline constexpr QLatin1String kMessagePlaceholder("Your Message");
inline constexpr QLatin1String kFriendNamePlaceholder("Friend's Name");
inline constexpr QLatin1String kFriendEmailPlaceholder("Friend's Email Address");

// Checks the five texts for presence, each failing check with its message for `form`, the window
// they come from; when all pass, sets strTafURL to the request for them and sends it.
void SubmitReferAFriend(const ReferAFriendTexts &texts, QWidget &form);

// Hands strTafURL to the default browser.
void OpenReferAFriendAddress();

} // namespace modTellAFriend
