#include "reports/controle_relatorio.h"

#include "reports/construcao.h"
#include "reports/relatorio.h"

#include "widgets/cursor_ocupado.h"

#include <QEventLoop>

#include <optional>

void ControleRelatorio::defineSelecao(const QString& formula) {
    if (subrelatorio_.isEmpty()) pedido_.selecao = formula;
    else pedido_.selecaoSub[subrelatorio_] = formula;
}

QString ControleRelatorio::selecao() const {
    return subrelatorio_.isEmpty() ? pedido_.selecao : pedido_.selecaoSub.value(subrelatorio_);
}

void ControleRelatorio::cancela() {
    if (construcao_) construcao_->cancela();
}

bool ControleRelatorio::executa() {
    if (construcao_) return false;
    std::optional<CursorOcupado> ampulheta(std::in_place);
    ConstrucaoRelatorio construcao(db_, pedido_);
    construcao_ = &construcao;
    if (aoConstruir) aoConstruir(true);
    // Until the first page is whole the window shows the progress; then the preview does.
    {
        QEventLoop espera;
        QObject::connect(&construcao, &ConstrucaoRelatorio::progrediu, &espera, [&] {
            const auto documento = construcao.documento();
            if (aoProgredir && documento) aoProgredir(construcao.linhasLidas(), documento->paginas());
            if (documento && documento->paginasProntas() > 0) espera.quit();
        });
        QObject::connect(&construcao, &ConstrucaoRelatorio::terminou, &espera, &QEventLoop::quit);
        construcao.inicia();
        if (construcao.ativa()) espera.exec();
    }
    ampulheta.reset();
    const auto documento = construcao.documento();
    bool mostrado = false;
    if (construcao.erro().isEmpty() && documento && !documento->interrompido()) {
        plataforma_.visualiza(documento, pedido_.titulo);
        mostrado = true;
    }
    // A preview closed before the last page stops the build.
    construcao.cancela();
    construcao_ = nullptr;
    if (aoConstruir) aoConstruir(false);
    if (!construcao.erro().isEmpty()) plataforma_.mensagem(construcao.erro(), Icone::Critico);
    return mostrado;
}
