#include "reports/controle_relatorio.h"

#include "reports/construcao.h"
#include "reports/relatorio.h"

#include <QCoreApplication>

void ControleRelatorio::defineSelecao(const QString& formula) {
    if (subrelatorio_.isEmpty()) pedido_.selecao = formula;
    else pedido_.selecaoSub[subrelatorio_] = formula;
}

QString ControleRelatorio::selecao() const {
    return subrelatorio_.isEmpty() ? pedido_.selecao : pedido_.selecaoSub.value(subrelatorio_);
}

ControleRelatorio::~ControleRelatorio() {
    // The window goes: its build stops, and tells nobody.
    if (ConstrucaoRelatorio* c = construcao_) {
        QObject::disconnect(c, nullptr, &ligacoes_, nullptr);
        construcao_ = nullptr;
        delete c;   // stops the read first
    }
}

void ControleRelatorio::cancela() {
    if (construcao_) construcao_->cancela();
}

void ControleRelatorio::executa() {
    if (construcao_) return;
    auto* c = new ConstrucaoRelatorio(db_, pedido_);
    // It outlives this window once the preview has it; a program that ends meanwhile stops it.
    c->setParent(QCoreApplication::instance());
    construcao_ = c;
    QObject::connect(c, &ConstrucaoRelatorio::terminou, c, &QObject::deleteLater);
    QObject::connect(c, &ConstrucaoRelatorio::progrediu, &ligacoes_, [this, c] { construcaoAvancou(c); });
    QObject::connect(c, &ConstrucaoRelatorio::terminou, &ligacoes_, [this, c] { construcaoTerminou(c); });
    if (aoConstruir) aoConstruir(true);
    c->inicia();
}

// This window is done with the build: its progress goes, whatever comes next.
void ControleRelatorio::solta() {
    QObject::disconnect(construcao_, nullptr, &ligacoes_, nullptr);
    construcao_ = nullptr;
    if (aoConstruir) aoConstruir(false);
}

void ControleRelatorio::construcaoAvancou(ConstrucaoRelatorio* c) {
    if (c != construcao_) return;
    const auto documento = c->documento();
    if (!documento) return;
    if (aoProgredir) aoProgredir(c->linhasLidas(), documento->paginas());
    // The first page is whole: the preview takes over, and the build goes on for it.
    if (documento->paginasProntas() > 0) {
        solta();
        plataforma_.visualiza(documento, pedido_.titulo);
    }
}

void ControleRelatorio::construcaoTerminou(ConstrucaoRelatorio* c) {
    if (c != construcao_) return;
    // Ended before a page was handed over: a short report read whole, a failure or a cancel.
    const auto documento = c->documento();
    const QString erro = c->erro();
    solta();
    // The build ends on its own, maybe while the operator is back at the lane: its failure is a
    // notice that leaves the keyboard where it is.
    if (!erro.isEmpty()) plataforma_.avisa(QStringLiteral("relatorio"), erro, Icone::Critico, {});
    else if (documento && documento->concluido()) plataforma_.visualiza(documento, pedido_.titulo);
}
