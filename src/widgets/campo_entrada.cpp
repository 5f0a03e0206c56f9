#include "widgets/campo_entrada.h"

#include "data/dinheiro.h"
#include "widgets/campo_dinheiro.h"
#include "widgets/regras_campos.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>

namespace {

// "##:##" becomes the Qt mask "00:00; ": optional digits, blank as the prompt; "a" an optional
// letter or digit.
QString mascaraQt(const QString& mascara) {
    QString r;
    for (QChar c : mascara) {
        if (c == u'#') r += u'0';
        else if (c == u'a') r += u'n';
        else if (c == u'>') r += c;
        else r += QStringLiteral("\\") + c;
    }
    return r + QStringLiteral("; ");
}

// Selects the first `comprimento` characters now and, when the focus came with a mouse click, once
// more after the click has placed the cursor, so that a click selects as a Tab does.
void seleciona(QLineEdit* campo, QFocusEvent* evento, int comprimento) {
    campo->setSelection(0, comprimento);
    if (evento->reason() != Qt::MouseFocusReason) return;
    QPointer<QLineEdit> alvo(campo);
    QTimer::singleShot(0, campo, [alvo, comprimento] {
        if (alvo && alvo->hasFocus()) alvo->setSelection(0, comprimento);
    });
}

}  // namespace

CampoMascara::CampoMascara(const QString& mascara, bool selecionaAoFocar, QWidget* pai)
    : QLineEdit(pai),
      comprimento_(int(mascara.size() - mascara.count(u'>'))),
      seleciona_(selecionaAoFocar) {
    setInputMask(mascaraQt(mascara));
    aplicaRegraDoCampo(this);
}

void CampoMascara::limpa() {
    clear();
    setCursorPosition(0);
}

void CampoMascara::focusInEvent(QFocusEvent* evento) {
    QLineEdit::focusInEvent(evento);
    if (seleciona_) seleciona(this, evento, comprimento_);
}

CampoDinheiro::CampoDinheiro(const QString& reserva, QWidget* pai)
    : QLineEdit(pai), reserva_(reserva) {
    aplicaRegraDinheiro(this);
}

void CampoDinheiro::focusInEvent(QFocusEvent* evento) {
    QLineEdit::focusInEvent(evento);
    seleciona(this, evento, int(text().size()));
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
    if (texto.trimmed().isEmpty()) return reserva;
    const auto valor = Dinheiro::ler(texto);
    // What is no amount stays as typed: the button that stores it refuses it with its message,
    // instead of an amount the operator never typed being stored.
    return valor ? valor->formata() : texto;
}
