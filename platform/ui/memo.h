// Plain multi-line text (TMemo). Its text is CP932 with CR LF line breaks.
#pragma once

#include <QPlainTextEdit>

#include <string>
#include <string_view>

namespace ui {

class Memo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit Memo(QWidget* parent = nullptr);

    std::string Text() const;
    void SetText(std::string_view cp932);
};

} // namespace ui
