// Static text (TLabel) with a CP932 caption.
#pragma once

#include <QLabel>

#include <string>
#include <string_view>

namespace ui {

class Label : public QLabel {
    Q_OBJECT
public:
    explicit Label(std::string_view cp932Caption, QWidget* parent = nullptr);

    std::string Caption() const;
    void SetCaption(std::string_view cp932);
};

} // namespace ui
