// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
// Any five texts: the refer-a-friend address holds only characters an address may hold, and read
// back by Qt's own URL parser it carries exactly the page, taf1..taf5 with the five texts and
// taf6 with the product folder, in that order and nothing else.

#include "fuzztext.h"
#include "referral/referaddress.h"
#include "weblinks/vendor.h"

#include <QUrl>
#include <QUrlQuery>

#include <algorithm>
#include <string>

namespace {

bool isAddressCharacter(char16_t c)
{
    if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9'))
        return true;
    // Unreserved, then reserved (general and sub-delimiters) characters.
    return QStringView(u"-._~:/?#[]@!$&'()*+,;=").contains(QChar(c));
}

bool isHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

void checkCharacters(const QString &address)
{
    for (qsizetype i = 0; i < address.size(); ++i) {
        const QChar c = address[i];
        if (c == u'%') {
            if (i + 2 >= address.size() || !isHexDigit(address[i + 1]) ||
                !isHexDigit(address[i + 2]))
                fuzztext::fail("a '%' without two hex digits at " + std::to_string(i));
            i += 2;
        } else if (!isAddressCharacter(c.unicode())) {
            fuzztext::fail("character " + fuzztext::codes(QString(c)) + " in the address at " +
                           std::to_string(i));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const bool utf16 = input.ConsumeBool();
    modTellAFriend::ReferAFriendTexts texts;
    for (QString *text : {&texts.name, &texts.email, &texts.message, &texts.friendName})
        *text = fuzztext::fromBytes(input.ConsumeRandomLengthString(), utf16);
    texts.friendEmail = fuzztext::fromBytes(input.ConsumeRemainingBytesAsString(), utf16);

    const QString address = modTellAFriend::referAFriendAddress(texts);
    checkCharacters(address);

    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid())
        fuzztext::fail("Qt finds the address invalid: " + url.errorString().toStdString());
    const QString expectedFront = vendor::pageAddress(u"");
    if (url.toString(QUrl::RemoveQuery) + u'?' + QStringLiteral("page=") != expectedFront)
        fuzztext::fail("the address leads elsewhere: " + url.toString().toStdString());
    if (url.hasFragment())
        fuzztext::fail("the address has a fragment");

    const QList<QPair<QString, QString>> expected = {
        {QStringLiteral("page"), QStringLiteral("qvot-refer-a-friend")},
        {QStringLiteral("taf1"), texts.name},
        {QStringLiteral("taf2"), texts.email},
        {QStringLiteral("taf3"), texts.message},
        {QStringLiteral("taf4"), texts.friendName},
        {QStringLiteral("taf5"), texts.friendEmail},
        {QStringLiteral("taf6"), vendor::productFolderAddress()},
    };
    const QUrlQuery query(url);
    const auto encoded = query.queryItems(QUrl::FullyEncoded);
    const auto decoded = query.queryItems(QUrl::FullyDecoded);
    if (encoded.size() != expected.size())
        fuzztext::fail("the address carries " + std::to_string(encoded.size()) + " parameters");
    for (qsizetype i = 0; i < expected.size(); ++i) {
        const QString &name = expected[i].first;
        const QString &text = expected[i].second;
        if (encoded[i].first != name || decoded[i].first != name)
            fuzztext::fail("parameter " + std::to_string(i) + " is " +
                           decoded[i].first.toStdString() + ", not " + name.toStdString());
        // The bytes that the page receives are the text's UTF-8, whatever the text holds.
        if (QByteArray::fromPercentEncoding(encoded[i].second.toLatin1()) != text.toUtf8())
            fuzztext::fail(name.toStdString() + " does not carry the bytes of " +
                           fuzztext::codes(text));
        // Qt's own reading gives the text back too; a lone surrogate has no UTF-8 form and
        // arrives as U+FFFD. Qt declines to decode noncharacters (U+FFFE and the like), so
        // for those the bytes above are the whole check.
        const auto points = text.toUcs4();
        const bool hasNonCharacter = std::any_of(
            points.cbegin(), points.cend(), [](char32_t c) { return QChar::isNonCharacter(c); });
        if (!hasNonCharacter && decoded[i].second != fuzztext::fromUtf8(text.toUtf8()))
            fuzztext::fail(name.toStdString() + " reads back as " +
                           fuzztext::codes(decoded[i].second) + ", not " + fuzztext::codes(text));
    }
    return 0;
}
