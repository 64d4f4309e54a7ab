#include "app/operations/message_box.h"

#include "app/operations/operations.h"
#include "ui/texts/gbk_text.h"
#include "ui/texts/program_texts.h"

#include <QMessageBox>
#include <QPushButton>
#include <vector>

namespace app {
namespace {

struct ButtonSpec {
    MessageBoxResult result;
    const char* label; // GBK
    QMessageBox::ButtonRole role;
};

constexpr ButtonSpec ok{resultOk, texts::buttons::ok, QMessageBox::AcceptRole};
constexpr ButtonSpec cancel{resultCancel, texts::buttons::cancel, QMessageBox::RejectRole};
constexpr ButtonSpec abort{resultAbort, texts::buttons::abort, QMessageBox::RejectRole};
constexpr ButtonSpec retry{resultRetry, texts::buttons::retry, QMessageBox::AcceptRole};
constexpr ButtonSpec ignore{resultIgnore, texts::buttons::ignore, QMessageBox::AcceptRole};
constexpr ButtonSpec yes{resultYes, texts::buttons::yes, QMessageBox::YesRole};
constexpr ButtonSpec no{resultNo, texts::buttons::no, QMessageBox::NoRole};

struct ButtonSet {
    std::vector<ButtonSpec> buttons;
    MessageBoxResult escape;
};

ButtonSet buttonSet(int number) {
    switch (number & 0xF) {
    case 1:
        return {{ok, cancel}, resultCancel};
    case 2:
        return {{abort, retry, ignore}, resultAbort};
    case 3:
        return {{yes, no, cancel}, resultCancel};
    case 4:
        return {{yes, no}, resultNo};
    case 5:
        return {{retry, cancel}, resultCancel};
    default:
        return {{ok}, resultOk};
    }
}

} // namespace

int showMessageBox(const ui::Text& text, int buttonSetNumber,
                   const std::optional<ui::Text>& caption, QWidget* owner) {
    const ButtonSet set = buttonSet(buttonSetNumber);
    QMessageBox box(owner);
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowTitle(caption ? ui::fromGbk(*caption) : QString());
    box.setText(ui::fromGbk(text));
    std::vector<std::pair<QAbstractButton*, MessageBoxResult>> results;
    for (const ButtonSpec& button : set.buttons) {
        QPushButton* added = box.addButton(ui::fromGbk(button.label), button.role);
        results.emplace_back(added, button.result);
        if (button.result == set.escape) {
            box.setEscapeButton(added);
        }
    }
    box.setDefaultButton(static_cast<QPushButton*>(results.front().first));
    box.exec();
    for (const auto& [button, result] : results) {
        if (box.clickedButton() == button) {
            return result;
        }
    }
    return set.escape;
}

} // namespace app
