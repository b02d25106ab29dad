// Status bar (TStatusBar) of panels with widths; the last panel reaches to
// the right edge. Panel texts are CP932.
#pragma once

#include <QFrame>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QLabel;

namespace ui {

class StatusPanel {
public:
    explicit StatusPanel(QLabel* label) : label_(label) {}
    std::string Text() const;
    void SetText(std::string_view cp932);
    int Width() const;

private:
    QLabel* label_;
};

class StatusBar : public QFrame {
    Q_OBJECT
public:
    explicit StatusBar(QWidget* parent = nullptr);
    ~StatusBar() override;

    void AddPanel(int width);
    int PanelCount() const;
    StatusPanel& Panels(int index);

private:
    std::vector<std::unique_ptr<StatusPanel>> panels_;
};

} // namespace ui
