#pragma once

#include <QPixmap>
#include <QWidget>

// The splash picture with the version drawn into its top right corner.
class CVersionPicture : public QWidget {
public:
    explicit CVersionPicture(QWidget* parent = nullptr); // loads bitmap 144

    const QPixmap& Picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
};

// The program's version, 2.0.
constexpr double kProgramVersion = 2.0;
