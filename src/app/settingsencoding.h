// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace modHelp {

// The scrambling of the one settings entry: every character's Latin-1 code moved up by 85 (Encode)
// or down by 85 (Decode). A character that would leave 0..255, or that has no Latin-1 code at all,
// is dropped, so a result is never longer than its input.
QString EncodeSetting(const QString &text);
QString DecodeSetting(const QString &text);

} // namespace modHelp
