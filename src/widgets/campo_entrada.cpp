#include "widgets/campo_entrada.h"

#include "data/dinheiro.h"
#include "yard/campo_dinheiro.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace {

// "##:##" becomes the Qt mask "00:00; ": optional digits, blank as the prompt.
QString mascaraQt(const QString& mascara) {
    QString r;
    for (QChar c : mascara) {
        if (c == u'#') r += u'0';
        else r += QStringLiteral("\\") + c;
    }
    return r + QStringLiteral("; ");
}

}  // namespace

CampoMascara::CampoMascara(const QString& mascara, bool selecionaAoFocar, QWidget* pai)
    : QLineEdit(pai), comprimento_(int(mascara.size())), seleciona_(selecionaAoFocar) {
    setInputMask(mascaraQt(mascara));
}

void CampoMascara::limpa() {
    clear();
    setCursorPosition(0);
}

void CampoMascara::focusInEvent(QFocusEvent* evento) {
    QLineEdit::focusInEvent(evento);
    if (seleciona_) setSelection(0, comprimento_);
}

CampoDinheiro::CampoDinheiro(const QString& reserva, QWidget* pai)
    : QLineEdit(pai), reserva_(reserva) {}

void CampoDinheiro::focusInEvent(QFocusEvent* evento) {
    QLineEdit::focusInEvent(evento);
    setSelection(0, int(text().size()));
}

void CampoDinheiro::focusOutEvent(QFocusEvent* evento) {
    QLineEdit::focusOutEvent(evento);
    setText(textoDinheiroAoSair(text(), reserva_));
}

void CampoDinheiro::keyPressEvent(QKeyEvent* evento) {
    if (filtraTeclaDinheiro(this, evento)) return;
    // Enter goes through without pressing any button.
    if (evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter) {
        evento->accept();
        return;
    }
    QLineEdit::keyPressEvent(evento);
}

QString textoDinheiroAoSair(const QString& texto, const QString& reserva) {
    const auto valor = Dinheiro::ler(texto);
    return valor ? valor->formata() : reserva;
}
