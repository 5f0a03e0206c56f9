#include "widgets/regras_campos.h"

#include "widgets/colagem.h"
#include "widgets/regra_mascara.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QValidator>

#include <algorithm>

namespace {

// A line break, a tab or another character that has no place in a line of text.
bool quebraLinha(QChar c) {
    const QChar::Category k = c.category();
    return k == QChar::Other_Control || k == QChar::Separator_Line || k == QChar::Separator_Paragraph;
}

// `texto` in one line: each run of breaks becomes a blank, none at either end; `cursor` moves
// with the character it stood before.
QString umaLinha(const QString& texto, int* cursor) {
    QString r;
    r.reserve(texto.size());
    int novoCursor = -1;
    bool quebra = false;   // a run of breaks waits to become one blank
    for (qsizetype i = 0; i < texto.size(); ++i) {
        if (cursor && i == *cursor) novoCursor = int(r.size()) + (quebra && !r.isEmpty() ? 1 : 0);
        if (quebraLinha(texto[i])) {
            quebra = true;
            continue;
        }
        if (quebra && !r.isEmpty()) r += u' ';
        quebra = false;
        r += texto[i];
    }
    if (cursor) *cursor = novoCursor < 0 ? int(r.size()) : qMin(novoCursor, int(r.size()));
    return r;
}

// The mask, when the field has one, is read at each change: a window may switch it (CPF, CNPJ).
class ValidadorCampo : public QValidator {
public:
    explicit ValidadorCampo(QLineEdit* campo) : QValidator(campo), campo_(campo) {}
    State validate(QString& texto, int& cursor) const override {
        // Printable ASCII fits a line as it is, and a mask's places already hold only what fits
        // them in it: the lanes rewrite their fields at every vehicle, and most texts are such.
        // (A text the operator pastes or drops is held to the mask's rule before the field's
        // mask ever sees it, below.)
        if (std::all_of(texto.cbegin(), texto.cend(), [](QChar c) { return c >= u' ' && c <= u'~'; }))
            return Acceptable;
        if (!campo_->inputMask().isEmpty())
            return cabeNaMascara(campo_->inputMask(), texto) ? Acceptable : Invalid;
        texto = umaLinha(texto, &cursor);
        return Acceptable;
    }

private:
    QLineEdit* campo_;
};

// Where text put into `campo` now goes: over its selection, else at the cursor.
int ondeEntra(const QLineEdit* campo) {
    return campo->hasSelectedText() ? campo->selectionStart() : campo->cursorPosition();
}

// True, with the operator told, when the text arriving at `posicao` of the masked `campo`
// would not go in whole: the field then keeps what it had.
bool recusaColado(QLineEdit* campo, const QString& texto, int posicao) {
    if (coladoEntraInteiro(campo->inputMask(), posicao, texto)) return false;
    avisaColagemRecusada(campo, kMsgColadoNaoCabe);
    return true;
}

// The text an event is about to put into a masked field whole, rather than one typed key:
// pasted by keys or by the middle button, an input method's text, a key that carries more than
// one character. Empty when the event brings none.
QString textoInteiro(QEvent* evento) {
    switch (evento->type()) {
    case QEvent::KeyPress: {
        const auto* tecla = static_cast<QKeyEvent*>(evento);
        if (tecla->matches(QKeySequence::Paste)) return QGuiApplication::clipboard()->text();
        return tecla->text().size() > 1 ? tecla->text() : QString();
    }
    case QEvent::InputMethod: {
        const QString t = static_cast<QInputMethodEvent*>(evento)->commitString();
        return t.size() > 1 ? t : QString();
    }
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(evento)->button() == Qt::MiddleButton &&
            QGuiApplication::clipboard()->supportsSelection())
            return QGuiApplication::clipboard()->text(QClipboard::Selection);
        return QString();
    default:
        return QString();
    }
}

class RegrasDosCampos : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* alvo, QEvent* evento) override {
        if (evento->type() == QEvent::Polish) {
            if (auto* campo = qobject_cast<QLineEdit*>(alvo)) aplicaRegraDoCampo(campo);
            return false;
        }
        switch (evento->type()) {
        case QEvent::KeyPress:
        case QEvent::InputMethod:
        case QEvent::MouseButtonRelease:
        case QEvent::ContextMenu:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            break;
        default:
            return false;
        }
        auto* campo = qobject_cast<QLineEdit*>(alvo);
        if (!campo || campo->inputMask().isEmpty() || campo->isReadOnly()) return false;
        // Every road by which text arrives whole meets the same rule: the field's mask would
        // otherwise keep what fits and drop the rest without a word.
        if (evento->type() == QEvent::ContextMenu) {
            mostraMenuColando(campo, static_cast<QContextMenuEvent*>(evento)->globalPos(), [campo] {
                if (!recusaColado(campo, QGuiApplication::clipboard()->text(), ondeEntra(campo)))
                    campo->paste();
            });
            return true;
        }
        if (evento->type() == QEvent::DragEnter || evento->type() == QEvent::DragMove ||
            evento->type() == QEvent::Drop) {
            auto* solta = static_cast<QDropEvent*>(evento);
            if (!solta->mimeData()->hasText()) return false;
            const int posicao = campo->cursorPositionAt(solta->position().toPoint());
            const QString texto = solta->mimeData()->text();
            const bool cabe = evento->type() == QEvent::Drop
                                  ? !recusaColado(campo, texto, posicao)
                                  : coladoEntraInteiro(campo->inputMask(), posicao, texto);
            if (cabe) return false;
            solta->setDropAction(Qt::IgnoreAction);
            solta->ignore();
            return true;
        }
        const QString inteiro = textoInteiro(evento);
        // The middle button drops the selection and puts its text at the cursor.
        const int posicao = evento->type() == QEvent::MouseButtonRelease ? campo->cursorPosition()
                                                                          : ondeEntra(campo);
        if (!inteiro.isEmpty() && recusaColado(campo, inteiro, posicao)) return true;
        if (evento->type() != QEvent::KeyPress || campo->hasSelectedText()) return false;
        const auto* tecla = static_cast<QKeyEvent*>(evento);
        if (tecla->text().isEmpty() || !tecla->text().at(0).isPrint() ||
            (tecla->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
            return false;
        const int digitado = posicaoDeDigitacao(campo->inputMask(), campo->displayText(),
                                                campo->cursorPosition());
        if (digitado != campo->cursorPosition()) campo->setCursorPosition(digitado);
        return false;
    }
};

}  // namespace

void instalaRegrasDosCampos(QCoreApplication& aplicacao) {
    aplicacao.installEventFilter(new RegrasDosCampos(&aplicacao));
}

void aplicaRegraDoCampo(QLineEdit* campo) {
    // A field with a rule of its own (an amount) keeps it.
    if (!campo->validator()) campo->setValidator(new ValidadorCampo(campo));
}
