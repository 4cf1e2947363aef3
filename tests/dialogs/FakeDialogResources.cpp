#include "FakeDialogResources.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTreeView>

namespace {

template <typename T>
T* Add(QWidget* root, int id, const QRect& geometry, const QString& text = {}) {
    auto* w = new T(root);
    w->setObjectName(QString::number(id));
    w->setGeometry(geometry);
    if constexpr (std::is_same_v<T, QLabel> || std::is_same_v<T, QPushButton> ||
                  std::is_same_v<T, QRadioButton> || std::is_same_v<T, QLineEdit>) {
        w->setText(text);
    }
    return w;
}

} // namespace

FakeDialogResources::FakeDialogResources() {
    strings = {
        {32801, "Select capacitor"},
        {34020, QString::fromUtf8("%g°C")},
        {34055, "Capacitor %i: %s"},
        {57344, "ZeltaIII"},
        {61712, "Please enter an integer."},
        {61713, "Please enter a number."},
        {61714, "Please enter an integer between %1 and %2."},
        {61715, "Please enter a number between %1 and %2."},
    };
}

QColor FakeDialogResources::BitmapColour(int id) {
    return QColor(id % 256, (id * 7) % 256, 90);
}

QPixmap FakeDialogResources::LoadBitmap(int id) {
    if (missingBitmaps.contains(id)) {
        return QPixmap();
    }
    QSize size(100, 60);
    if (bitmapSizes.contains(id)) {
        size = bitmapSizes.value(id);
    } else if (id == 144) {
        size = QSize(640, 428);
    } else if (id == 175) {
        size = QSize(1191, 1669);
    } else if (id == 188) {
        size = QSize(718, 575);
    }
    QPixmap pixmap(size);
    pixmap.fill(BitmapColour(id));
    return pixmap;
}

QWidget* FakeDialogResources::LoadDialog(int id, QWidget* parent) {
    if (missing.contains(id)) {
        return nullptr;
    }
    auto* root = new QDialog(parent);
    root->resize(300, 200);
    root->setWindowTitle("Template " + QString::number(id));
    switch (id) {
    case 100:
        Add<QLabel>(root, 1019, {10, 100, 200, 16}, "enquiries@vorn.example");
        Add<QLabel>(root, 1020, {10, 40, 60, 16}, "x.xx");
        Add<QLabel>(root, 1021, {10, 10, 200, 24}, "ZeltaIII");
        Add<QPushButton>(root, 1, {220, 10, 60, 24}, "OK");
        break;
    case 130:
        Add<QLabel>(root, 1018, {0, 0, 100, 100});
        break;
    case 149:
        Add<QLineEdit>(root, 1017, {10, 10, 60, 20});
        Add<QPushButton>(root, 1, {10, 40, 60, 24}, "OK");
        Add<QPushButton>(root, 2, {80, 40, 60, 24}, "Cancel");
        break;
    case 154: {
        Add<QLineEdit>(root, 1023, {10, 10, 80, 20});
        Add<QRadioButton>(root, 1022, {10, 40, 80, 20}, QString::fromUtf8("25°C"));
        Add<QRadioButton>(root, 1024, {10, 60, 80, 20}, "Name")->hide();
        Add<QPushButton>(root, 1, {150, 10, 60, 24}, "OK");
        Add<QPushButton>(root, 2, {150, 40, 60, 24}, "Cancel");
        break;
    }
    case 181:
    case 182:
    case 183:
        Add<QLabel>(root, 1051, {0, 0, 200, 100});
        Add<QPlainTextEdit>(root, 1050, {200, 0, 100, 100});
        break;
    case 191:
        Add<QLabel>(root, 1056, {10, 10, 200, 16}, "Capacitor 1: SAMPLE");
        Add<QPushButton>(root, 1054, {220, 10, 60, 24}, "Select ...");
        Add<QLabel>(root, 1057, {10, 40, 200, 16}, "Capacitor 2: SAMPLE");
        Add<QPushButton>(root, 1055, {220, 40, 60, 24}, "Select ...");
        Add<QPushButton>(root, 2, {150, 80, 60, 24}, "Cancel");
        Add<QPushButton>(root, 1, {220, 80, 60, 24}, "OK");
        break;
    case 176:
        root->resize(1184, 336);
        Add<QLabel>(root, 1049, {0, 0, 1169, 336});
        Add<QScrollBar>(root, 1058, {1169, 0, 15, 336})->setOrientation(Qt::Vertical);
        break;
    case 189:
        root->resize(719, 575);
        Add<QLabel>(root, 1049, {0, 0, 719, 575});
        break;
    case 131:
    case 150: {
        int y = 10;
        for (int combo : {1042, 1003, 1004, 1005, 1002, 1007, 1008}) {
            Add<QComboBox>(root, combo, {10, y, 100, 20});
            y += 24;
        }
        Add<QTreeView>(root, 1006, {120, 10, 300, 200});
        Add<QLabel>(root, 1009, {430, 10, 176, 247});
        for (int detail = 1010; detail <= 1017; ++detail) {
            Add<QLabel>(root, detail, {10, 220 + (detail - 1010) * 16, 200, 16});
        }
        Add<QLabel>(root, 1046, {220, 220, 120, 16});
        Add<QPushButton>(root, 1048, {220, 260, 80, 24}, "Case sizes");
        Add<QPushButton>(root, 1026, {220, 290, 80, 24}, "Update via Internet");
        Add<QPushButton>(root, 2, {300, 300, 60, 24}, id == 131 ? "Quit" : "Cancel");
        Add<QPushButton>(root, 1, {370, 300, 60, 24}, id == 131 ? "Next >>" : "OK");
        break;
    }
    default:
        delete root;
        return nullptr;
    }
    return root;
}
