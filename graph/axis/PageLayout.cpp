#include "PageLayout.h"

bool PageSize(int horizontalResolution, int verticalResolution, int& pageWidth, int& pageHeight) {
    if (horizontalResolution <= 0 || verticalResolution <= 0)
        return false;
    pageWidth = horizontalResolution >= verticalResolution ? 1130 : 800;
    pageHeight = static_cast<int>(static_cast<long long>(pageWidth) * verticalResolution /
                                  horizontalResolution);
    return true;
}

bool PageCellSize(int n, int pageWidth, int pageHeight, int& cellWidth, int& cellHeight) {
    const int rowsHeight = pageHeight - 140;
    switch (n) {
    case 1:
        cellWidth = pageWidth - 20;
        cellHeight = rowsHeight;
        return true;
    case 2:
        cellWidth = pageWidth - 20;
        cellHeight = rowsHeight / 2;
        return true;
    case 3:
    case 4:
        cellWidth = (pageWidth - 30) / 2;
        cellHeight = rowsHeight / 2;
        return true;
    case 5:
    case 6:
        cellWidth = (pageWidth - 30) / 2;
        cellHeight = rowsHeight / 3;
        return true;
    case 7:
        cellWidth = (pageWidth - 30) / 2;
        cellHeight = rowsHeight / 4;
        return true;
    default:
        return false;
    }
}

void PageCellOrigin(int n, int k, int cellWidth, int cellHeight, const PageOpenWindows& open,
                    int& x, int& y) {
    const int e = cellWidth;
    const int d = cellHeight;
    const int columns[2] = {10, e + 20};
    const int rows[4] = {70, d + 80, 2 * d + 90, 3 * d + 100};
    if (n <= 2) {
        x = columns[0];
        y = rows[k < 0 ? 0 : (k > 1 ? 1 : k)];
        return;
    }
    int cell = k < 0 ? 0 : (k > 6 ? 6 : k);
    if (n == 3 && k == 2 && !open.impedance && open.capacitance)
        cell = 3;
    if (n == 5 && k == 4 && open.rippleCurrent && !open.rippleVoltage)
        cell = 5;
    x = columns[cell % 2];
    y = rows[cell / 2];
}
