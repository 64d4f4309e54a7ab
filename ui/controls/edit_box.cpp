#include "ui/controls/edit_box.h"

#include "ui/controls/colours.h"
#include "ui/controls/fonts.h"
#include "ui/texts/gbk_text.h"

#include <QApplication>
#include <QBasicTimer>
#include <QPainter>
#include <QStyle>
#include <QTimerEvent>
#include <algorithm>

namespace ui {
namespace {

constexpr int inputModeLimit = 11;
constexpr int readOnlyMode = 1;
constexpr int maskedMode = 2;

// Qt's read-only line edit draws no caret. A read-only box here still shows a blinking caret where
// the user put it, at the cursor flash rate of the platform, while it has the focus.
class CellLineEdit : public QLineEdit {
public:
    explicit CellLineEdit(QWidget* parent) : QLineEdit(parent) {
        connect(this, &QLineEdit::cursorPositionChanged, this, [this] { restartBlinking(); });
    }

protected:
    void focusInEvent(QFocusEvent* event) override {
        QLineEdit::focusInEvent(event);
        restartBlinking();
    }

    void focusOutEvent(QFocusEvent* event) override {
        QLineEdit::focusOutEvent(event);
        blinking_.stop();
        caretOn_ = false;
        update();
    }

    void timerEvent(QTimerEvent* event) override {
        if (event->timerId() != blinking_.timerId()) {
            QLineEdit::timerEvent(event);
            return;
        }
        caretOn_ = !caretOn_;
        update(caretArea());
    }

    void paintEvent(QPaintEvent* event) override {
        QLineEdit::paintEvent(event);
        if (isReadOnly() && caretOn_ && hasFocus()) {
            QPainter painter(this);
            painter.fillRect(caretArea(), palette().color(QPalette::Text));
        }
    }

private:
    // Where Qt draws the caret of an editable box: cursorRect() spans 5 px either side of it.
    QRect caretArea() const {
        const QRect around = cursorRect();
        const int width = style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, this);
        return {around.left() + 5, around.top(), width, around.height() - 1};
    }

    void restartBlinking() {
        caretOn_ = true;
        const int flashTime = QApplication::cursorFlashTime();
        if (hasFocus() && flashTime >= 2) {
            blinking_.start(flashTime / 2, this);
        } else {
            blinking_.stop();
        }
        update();
    }

    QBasicTimer blinking_;
    bool caretOn_ = false;
};

QLineEdit* makeLineEdit(QWidget* parent) {
    auto* edit = new CellLineEdit(parent);
    edit->setFrame(true);
    edit->setAlignment(Qt::AlignCenter);
    return edit;
}

} // namespace

EditBoxControl::EditBoxControl(const ControlRecord& record, FormWindow& window, QWidget* parent)
    : WidgetControl(record, window, makeLineEdit(parent)), edit_(static_cast<QLineEdit*>(widget())),
      font_(record.font), textColour_(record.textColour) {
    edit_->setText(fromGbk(record.text));
    applyColours();
    applyFont();
}

Value EditBoxControl::read(Property property) const {
    switch (property) {
    case Property::Text:
        return toGbk(edit_->text());
    case Property::TextColour:
        return static_cast<std::int32_t>(textColour_);
    case Property::FontSize:
        return pixelsToPoints(font_.height, screenDpiY());
    case Property::ReadOnly:
        return inputMode_;
    default:
        return WidgetControl::read(property);
    }
}

void EditBoxControl::write(Property property, const Value& value) {
    switch (property) {
    case Property::Text:
        edit_->setText(fromGbk(value.text()));
        raise(Event::ContentChanged);
        break;
    case Property::TextColour:
        textColour_ = static_cast<Colour>(value.integer());
        applyColours();
        break;
    case Property::FontSize:
        font_.height = pointsToPixels(std::max(0, value.integer()), screenDpiY());
        applyFont();
        break;
    case Property::ReadOnly:
        inputMode_ = std::clamp(value.integer(), 0, inputModeLimit);
        edit_->setReadOnly(inputMode_ == readOnlyMode);
        edit_->setCursor(Qt::IBeamCursor); // Qt gives a read-only box the arrow
        edit_->setEchoMode(inputMode_ == maskedMode ? QLineEdit::Password : QLineEdit::Normal);
        applyColours(); // a read-only box keeps its colours, it is not greyed
        break;
    default:
        WidgetControl::write(property, value);
    }
}

void EditBoxControl::applyColours() {
    QPalette palette = edit_->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Text, toQColor(textColour_));
        palette.setColor(group, QPalette::Base, toQColor(record().background));
    }
    edit_->setPalette(palette);
    edit_->update();
}

void EditBoxControl::applyFont() {
    const QFont font = buildFont(font_);
    edit_->setFont(font);
    // A one-line box too low for its font grows downwards to line height plus both edges.
    const int needed = minimumOneLineHeight(font);
    if (edit_->height() < needed) {
        setHeight(needed);
    }
}

} // namespace ui
