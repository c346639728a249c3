// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#include "app/settingsencoding.h"
#include "platform/seams.h"
#include "weblinks/modHelp.h"

namespace modHelp {

namespace {

constexpr int kReminderDays = 14;

// The last reminder's date is kept as yyyy-MM-dd: no locale or century can misread it.
QDate storedDate(const QString &text)
{
    if (text.size() != 10)
        return {};
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool dash = i == 4 || i == 7;
        if (dash ? text[i] != u'-' : (text[i] < u'0' || text[i] > u'9'))
            return {};
    }
    return QDate::fromString(text, Qt::ISODate);
}

} // namespace

void CheckUpdateReminder()
{
    const QString application = platform::programName();
    const QString section = QStringLiteral("Settings");
    const QString key = EncodeSetting(QStringLiteral("Duration"));
    auto &store = platform::settings();

    // A store that cannot be read costs this start its reminder, nothing more.
    const auto entry = store.read(application, section, key);
    if (!entry)
        return;

    const QDate today = platform::clock().today();
    const QString todayEntry = EncodeSetting(today.toString(Qt::ISODate));
    const QDate last = storedDate(DecodeSetting(*entry));
    // No entry yet, or one that names no date: start counting from today.
    if (!last.isValid()) {
        store.save(application, section, key, todayEntry);
        return;
    }

    const qint64 days = today.daysTo(last);
    if (days >= -kReminderDays && days <= kReminderDays)
        return;

    const platform::Answer answer =
        platform::askYesNo(nullptr,
                           QStringLiteral("There maybe an update to this software available\rDo "
                                          "you want to check for an update?"));
    store.save(application, section, key, todayEntry);
    if (answer == platform::Answer::Yes)
        OpenDownloadPage();
}

} // namespace modHelp
