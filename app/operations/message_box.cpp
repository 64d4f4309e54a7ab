#include "app/message_box.h"

#include "app/operations.h"

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

constexpr ButtonSpec ok{resultOk, "\xc8\xb7\xb6\xa8", QMessageBox::AcceptRole};         // 确定
constexpr ButtonSpec cancel{resultCancel, "\xc8\xa1\xcf\xfb", QMessageBox::RejectRole}; // 取消
constexpr ButtonSpec abort{resultAbort, "\xd6\xd0\xd6\xb9", QMessageBox::RejectRole};   // 中止
constexpr ButtonSpec retry{resultRetry, "\xd6\xd8\xca\xd4", QMessageBox::AcceptRole};   // 重试
constexpr ButtonSpec ignore{resultIgnore, "\xba\xf6\xc2\xd4", QMessageBox::AcceptRole}; // 忽略
constexpr ButtonSpec yes{resultYes, "\xca\xc7", QMessageBox::YesRole};                  // 是
constexpr ButtonSpec no{resultNo, "\xb7\xf1", QMessageBox::NoRole};                     // 否

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
