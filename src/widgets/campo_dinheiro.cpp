#include "widgets/campo_dinheiro.h"

#include "widgets/colagem.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QRegularExpression>
#include <QStyle>
#include <QValidator>

namespace {

class ValidadorDinheiro : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& texto, int&) const override {
        for (QChar c : texto)
            if (!((c >= u'0' && c <= u'9') || c == u',' || c == u'.')) return Invalid;
        return Acceptable;
    }
};

// Puts a pasted or dropped text into the field as the paste rule says.
void cola(QLineEdit* campo, const QString& texto) {
    if (const auto t = textoDinheiroColado(texto)) {
        campo->insert(*t);
        return;
    }
    avisaColagemRecusada(campo, kMsgColadoNaoEValor);
}

// The paths by which text arrives without being typed: the context menu's paste and a drop.
class ColagemDinheiro : public QObject {
public:
    explicit ColagemDinheiro(QLineEdit* campo) : QObject(campo), campo_(campo) {}

protected:
    bool eventFilter(QObject*, QEvent* evento) override {
        if (evento->type() == QEvent::ContextMenu) {
            mostraMenuColando(campo_, static_cast<QContextMenuEvent*>(evento)->globalPos(),
                              [c = campo_] { cola(c, QGuiApplication::clipboard()->text()); });
            return true;
        }
        if (evento->type() == QEvent::Drop) {
            auto* d = static_cast<QDropEvent*>(evento);
            // A selection moved within the field itself is already an amount's characters.
            if (d->source() == campo_ || !d->mimeData()->hasText()) return false;
            campo_->setCursorPosition(campo_->cursorPositionAt(d->position().toPoint()));
            cola(campo_, d->mimeData()->text());
            d->acceptProposedAction();
            return true;
        }
        return false;
    }

private:
    QLineEdit* campo_;
};

}  // namespace

void aplicaRegraDinheiro(QLineEdit* campo) {
    campo->setValidator(new ValidadorDinheiro(campo));
    campo->installEventFilter(new ColagemDinheiro(campo));
}

std::optional<QString> textoDinheiroColado(const QString& entrada) {
    QString t = entrada;
    t.remove(QRegularExpression(QStringLiteral("\\s")));
    if (t.startsWith(QLatin1String("R$"))) t = t.mid(2);
    if (t.isEmpty() || t.startsWith(u'-')) return std::nullopt;
    if (Dinheiro::ler(t)) return t;
    // Written with a decimal point, commas (if any) grouping thousands.
    static const QRegularExpression comPonto(
        QStringLiteral("^(\\d{1,3}(,\\d{3})+|\\d+)\\.\\d+$"));
    if (!comPonto.match(t).hasMatch()) return std::nullopt;
    t.remove(u',');
    t.replace(u'.', u',');
    return Dinheiro::ler(t) ? std::optional(t) : std::nullopt;
}

bool filtraTeclaDinheiro(QLineEdit* campo, QKeyEvent* tecla) {
    if (tecla->matches(QKeySequence::Paste)) {
        cola(campo, QGuiApplication::clipboard()->text());
        return true;
    }
    // Shortcuts (select all, copy, cut, undo) do their usual work; they type nothing.
    const Qt::KeyboardModifiers m = tecla->modifiers();
    if ((m & Qt::ControlModifier) && !(m & Qt::AltModifier)) return false;
    const QString texto = tecla->text();
    switch (tecla->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return false;
    default:
        break;
    }
    if (texto.isEmpty()) return false;
    if (texto == QLatin1String(".")) {
        campo->insert(QStringLiteral(","));
        return true;
    }
    const QChar c = texto.at(0);
    return !(texto.size() == 1 && ((c >= u'0' && c <= u'9') || c == u','));
}

std::optional<Dinheiro> formataCampoDinheiro(QLineEdit* campo) {
    const std::optional<Dinheiro> valor = Dinheiro::ler(campo->text());
    campo->setText(valor ? valor->formata() : QString());
    return valor;
}

// The amount, the frame on each side, the field's own margin of 2 pixels on each side, its text
// margins and the cursor, with a pixel to spare on each side.
int larguraDeValor(const QLineEdit* campo) {
    const QStyle* estilo = campo->style();
    const QMargins texto = campo->textMargins();
    return campo->fontMetrics().horizontalAdvance(Dinheiro::maiorDigitado().formata()) +
           2 * estilo->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, campo) + 2 * 2 +
           texto.left() + texto.right() +
           estilo->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, campo) + 2;
}
