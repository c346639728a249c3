// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#include "app/cobranddraw.h"

#include <cmath>

int coBrandNumber(double r)
{
    // nearbyint rounds in the default mode, to nearest with ties to even: 2.5 gives 2, 5.5 gives 6.
    return static_cast<int>(std::nearbyint(1.0 + 6.0 * r));
}

CoBrandFront coBrandFront(int number)
{
    switch (number) {
    case 1:
    case 3:
    case 5:
        return CoBrandFront::CoBrand;
    case 2:
    case 4:
    case 6:
        return CoBrandFront::FullBrand;
    default:
        return CoBrandFront::Unchanged;
    }
}
