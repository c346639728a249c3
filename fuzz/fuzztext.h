// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringDecoder>

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzztext {

// UTF-8 to text, keeping a leading U+FEFF as a character (QString::fromUtf8 drops it).
inline QString fromUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return decoder(bytes);
}

// Texts come as UTF-8 (invalid sequences become U+FFFD, as in any QString from outside) or as raw
// UTF-16 code units, which also reach lone surrogates and every code below 256.
inline QString fromBytes(const std::string &bytes, bool utf16)
{
    if (!utf16)
        return fromUtf8(QByteArray::fromStdString(bytes));
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size() / 2));
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto low = static_cast<unsigned char>(bytes[i]);
        const auto high = static_cast<unsigned char>(bytes[i + 1]);
        text.append(QChar(static_cast<char16_t>(low | (high << 8))));
    }
    return text;
}

// Shows the UTF-16 code units of a text, so that a finding is readable whatever it holds.
inline std::string codes(const QString &text)
{
    constexpr qsizetype kShown = 48;
    std::string shown;
    for (const QChar c : text.left(kShown)) {
        char unit[8];
        std::snprintf(unit, sizeof unit, "%s%04x", shown.empty() ? "" : " ", c.unicode());
        shown += unit;
    }
    if (text.size() > kShown)
        shown += " ... (" + std::to_string(text.size()) + " units)";
    return shown.empty() ? std::string("(empty)") : shown;
}

// A property that does not hold: report it and let libFuzzer keep the input.
[[noreturn]] inline void fail(const std::string &what)
{
    std::fprintf(stderr, "\n*** property violated: %s\n", what.c_str());
    std::abort();
}

} // namespace fuzztext
