#include "widgets/regra_mascara.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include <vector>

namespace {

// For each character of the field's text: whether the operator types it (true) or the mask
// writes it (a literal). The blank shown in empty places comes after ";".
struct Mascara {
    std::vector<bool> entrada;
    QChar branco = u' ';
};

Mascara leMascara(const QString& mascara) {
    Mascara m;
    QString corpo = mascara;
    const qsizetype ponto = corpo.lastIndexOf(u';');
    if (ponto >= 0 && (ponto == 0 || corpo[ponto - 1] != u'\\')) {
        if (ponto + 1 < corpo.size()) m.branco = corpo[ponto + 1];
        corpo.truncate(ponto);
    }
    bool escapado = false;
    for (QChar c : corpo) {
        if (escapado) {
            m.entrada.push_back(false);
            escapado = false;
        } else if (c == u'\\') {
            escapado = true;
        } else if (QStringLiteral("<>![]{}").contains(c)) {
            // Case switches and reserved characters take no place in the text.
        } else {
            m.entrada.push_back(QStringLiteral("AaNnXx90Dd#HhBb").contains(c));
        }
    }
    return m;
}

class RegraMascara : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* alvo, QEvent* evento) override {
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

void instalaRegraMascara(QCoreApplication& aplicacao) {
    aplicacao.installEventFilter(new RegraMascara(&aplicacao));
}

int posicaoDeDigitacao(const QString& mascara, const QString& texto, int cursor) {
    const Mascara m = leMascara(mascara);
    const int tamanho = int(qMin(texto.size(), qsizetype(m.entrada.size())));
    int fim = 0;
    for (int i = 0; i < tamanho; ++i)
        if (m.entrada[size_t(i)] && texto[i] != m.branco) fim = i + 1;
    // The literals after it belong to what was typed: "12:" goes on with the minutes.
    while (fim < tamanho && !m.entrada[size_t(fim)]) ++fim;
    return cursor > fim ? fim : cursor;
}
