#include "config/aba_configuracao.h"

#include "widgets/cria.h"
#include "widgets/trabalho_banco.h"

#include <QPushButton>

AbaConfiguracao::AbaConfiguracao(Contexto& ctx, TelaPrincipal& a, QWidget* pai)
    : QWidget(pai), ctx_(ctx), a_(a) {}

void AbaConfiguracao::executa(const QString& acao, const std::function<void()>& trabalho) {
    gravaNoBanco(ctx_.plataforma, acao, trabalho);
}

void AbaConfiguracao::le(const QString& oQue, const std::function<void()>& trabalho) {
    leDoBanco(ctx_.plataforma, oQue, trabalho);
}

void AbaConfiguracao::focaCampo(const QString& nome) {
    if (nome.isEmpty()) return;
    if (auto* w = findChild<QWidget*>(nome)) w->setFocus();
}

QPushButton* AbaConfiguracao::botaoFechar(const char* nome) {
    QPushButton* b = criaBotao(this, nome, QStringLiteral("Fechar"));
    connect(b, &QPushButton::clicked, this, &AbaConfiguracao::fecha);
    return b;
}
