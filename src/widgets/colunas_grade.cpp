#include "widgets/colunas_grade.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTableView>

void alargaColunas(QTableView& grade, const QList<QStringList>& amostras) {
    if (!grade.model()) return;
    // Measured with the font and margins the style gives it when shown.
    grade.ensurePolished();
    QHeaderView& cabecalho = *grade.horizontalHeader();
    // A cell as the view's delegate measures it, and the grid line beside it.
    QStyleOptionViewItem celula;
    celula.initFrom(&grade);
    celula.font = grade.font();
    celula.fontMetrics = QFontMetrics(celula.font);
    celula.features = QStyleOptionViewItem::HasDisplay;
    celula.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    const int linha = grade.showGrid() ? 1 : 0;
    for (int c = 0; c < grade.model()->columnCount(); ++c) {
        int largura = qMax(grade.columnWidth(c), cabecalho.sectionSizeHint(c));
        // The rows it holds, as far as the view measures them.
        largura = qMax(largura, static_cast<const QAbstractItemView&>(grade).sizeHintForColumn(c));
        for (const QString& texto : amostras.value(c)) {
            celula.text = texto;
            largura = qMax(largura, grade.style()->sizeFromContents(QStyle::CT_ItemViewItem, &celula,
                                                                    QSize(), &grade).width() + linha);
        }
        grade.setColumnWidth(c, largura);
    }
    // The grid as wide as its columns side by side, with room for its vertical scroll bar: a
    // column pushed out of sight is as cut as a cut one.
    int total = 2 * grade.frameWidth() + grade.verticalScrollBar()->sizeHint().width();
    if (!grade.verticalHeader()->isHidden()) total += grade.verticalHeader()->sizeHint().width();
    for (int c = 0; c < grade.model()->columnCount(); ++c) total += grade.columnWidth(c);
    grade.setMinimumWidth(qMax(grade.minimumWidth(), total));
}
