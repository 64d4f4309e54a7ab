#include "ui/accessibility/cell_names.h"

#include "ui/form/number_grid.h"
#include "ui/texts/gbk_text.h"
#include "ui/texts/program_texts.h"

#include <QEvent>
#include <QWidget>

namespace ui {
namespace {

void applyName(QWidget& cell, int k) {
    const QString name = cellAccessibleName(k, gridSizeForCellWidth(cell.width()));
    if (cell.accessibleName() != name) {
        cell.setAccessibleName(name); // tells the accessibility tree of the change itself
    }
}

class CellNamer : public QObject {
    Q_OBJECT

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
    for (int sizeIndex = 0; const auto size = gridSizeFor(sizeIndex); ++sizeIndex) {
        if (size->cellSize == width) {
            return size->n;
        }
    }
    return std::nullopt;
}

QString cellAccessibleName(int k, std::optional<int> gridSize) {
    if (!gridSize || k > *gridSize * *gridSize) {
        return fromGbk(texts::accessible::cellByNumber).arg(k);
    }
    const int n = *gridSize;
    return fromGbk(texts::accessible::cellByPlace).arg((k - 1) / n + 1).arg((k - 1) % n + 1);
}

void nameCellByItsPlace(QWidget& cell, int k) {
    applyName(cell, k);
    cell.installEventFilter(new CellNamer(cell, k));
}

} // namespace ui

#include "cell_names.moc"
