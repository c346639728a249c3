// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// The vendor's web site and the promotional texts that name it.
namespace vendor {

QString host();

// Scheme and host, no trailing slash.
QString baseAddress();

// The page of the product for one page key, the key appended as it is.
QString pageAddress(QStringView pageKey);

// The product's folder on the site, with its closing slash.
QString productFolderAddress();

// The board promotion shown at the top of the entry and result windows.
QString boardPromotion();

// As stored: "&&" stands for one "&" on screen.
QString coBrandOffer();

QString fullBrandOffer();

} // namespace vendor
