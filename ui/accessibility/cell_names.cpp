#include "ui/accessibility_cells.h"

#include <QEvent>
#include <QWidget>

namespace ui {
namespace {

constexpr int gridExtent = 540;
constexpr int smallestGrid = 3;
constexpr int largestGrid = 6;

void applyName(QWidget& cell, int k) {
    const QString name = cellAccessibleName(k, gridSizeForCellWidth(cell.width()));
    if (cell.accessibleName() != name) {
        cell.setAccessibleName(name); // tells the accessibility tree of the change itself
    }
}

class CellNamer : public QObject {
public:
    CellNamer(QWidget& cell, int k) : QObject(&cell), k_(k) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Move || event->type() == QEvent::Resize) {
            applyName(*static_cast<QWidget*>(watched), k_);
        }
        return false;
    }

private:
    int k_;
};

} // namespace

std::optional<int> gridSizeForCellWidth(int width) {
    if (width <= 0 || gridExtent % width != 0) {
        return std::nullopt;
    }
    const int n = gridExtent / width;
    if (n < smallestGrid || n > largestGrid) {
        return std::nullopt;
    }
    return n;
}

QString cellAccessibleName(int k, std::optional<int> gridSize) {
    if (!gridSize || k > *gridSize * *gridSize) {
        return QStringLiteral("第%1格").arg(k);
    }
    const int n = *gridSize;
    return QStringLiteral("第%1行第%2列").arg((k - 1) / n + 1).arg((k - 1) % n + 1);
}

void nameCellByItsPlace(QWidget& cell, int k) {
    applyName(cell, k);
    cell.installEventFilter(new CellNamer(cell, k));
}

} // namespace ui
