#include "ui/accessibility/accessible_interfaces.h"

#include "ui/controls/trans_label.h"
#include "ui/texts/gbk_text.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QMouseEvent>

namespace ui {
namespace {

QString captionText(const TransLabelWidget& label) {
    QString text = fromGbk(label.caption());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

class LabelAccessible : public QAccessibleWidget {
public:
    explicit LabelAccessible(TransLabelWidget& label)
        : QAccessibleWidget(&label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        const QString caption = captionText(static_cast<const TransLabelWidget&>(*widget()));
        if (t == QAccessible::Value) {
            return caption;
        }
        if (t != QAccessible::Name) {
            return QAccessibleWidget::text(t);
        }
        const QString label = widget()->accessibleName();
        if (label.isEmpty() || caption.isEmpty()) {
            return label.isEmpty() ? caption : label;
        }
        return label + QLatin1Char(' ') + caption;
    }
};

// The label repaints whenever its caption changes, so a paint is where a new caption shows.
class CaptionWatcher : public QObject {
    Q_OBJECT

public:
    explicit CaptionWatcher(TransLabelWidget& label) : QObject(&label), told_(label.caption()) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            auto& label = *static_cast<TransLabelWidget*>(watched);
            if (label.caption() != told_) {
                told_ = label.caption();
                QAccessibleEvent changed(&label, QAccessible::NameChanged);
                QAccessible::updateAccessibility(&changed);
            }
        }
        return false;
    }

private:
    Text told_;
};

class PictureAccessible : public QAccessibleWidget {
public:
    PictureAccessible(QWidget& box, QAccessible::Role role) : QAccessibleWidget(&box, role) {}

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (pressable()) {
            names.prepend(pressAction());
        }
        return names;
    }

    void doAction(const QString& action) override {
        if (!pressable() || action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        // Posted, not sent: the press's handler may block for a while, and the assistive tool
        // that asked must not wait for it.
        QWidget* box = widget();
        const QPointF middle = QRectF(box->rect()).center();
        const QPointF global = box->mapToGlobal(middle);
        for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            const auto held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
            QCoreApplication::postEvent(
                box, new QMouseEvent(type, middle, global, Qt::LeftButton, held, Qt::NoModifier));
        }
    }

private:
    bool pressable() const { return role() == QAccessible::Button; }
};

} // namespace

void describeLabel(TransLabelWidget& label) {
    QAccessible::registerAccessibleInterface(new LabelAccessible(label));
    label.installEventFilter(new CaptionWatcher(label));
}

void describePicture(QWidget& box, QAccessible::Role role) {
    QAccessible::registerAccessibleInterface(new PictureAccessible(box, role));
}

} // namespace ui

#include "accessible_interfaces.moc"
