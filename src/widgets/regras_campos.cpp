#include "widgets/regras_campos.h"

#include "widgets/regra_mascara.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
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

class RegrasDosCampos : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* alvo, QEvent* evento) override {
        if (evento->type() == QEvent::Polish) {
            if (auto* campo = qobject_cast<QLineEdit*>(alvo)) aplicaRegraDoCampo(campo);
            return false;
        }
        if (evento->type() != QEvent::KeyPress) return false;
        auto* campo = qobject_cast<QLineEdit*>(alvo);
        if (!campo || campo->inputMask().isEmpty() || campo->isReadOnly() || campo->hasSelectedText())
            return false;
        const auto* tecla = static_cast<QKeyEvent*>(evento);
        if (tecla->text().isEmpty() || !tecla->text().at(0).isPrint() ||
            (tecla->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
            return false;
        const int posicao = posicaoDeDigitacao(campo->inputMask(), campo->displayText(),
                                               campo->cursorPosition());
        if (posicao != campo->cursorPosition()) campo->setCursorPosition(posicao);
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
