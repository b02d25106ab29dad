// The splash: one picture, shown while start-up blocks the message loop and
// released as soon as it loses activation (the main window takes it).
#pragma once

#include <QPixmap>
#include <QWidget>

class TSplash : public QWidget {
    Q_OBJECT
public:
    TSplash();
    ~TSplash() override;

    void FormDeactivate();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
};

// Creates the splash, shows it and paints it at once.
void SplashpasInitialization();
