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
    std::unique_ptr<MontagemRelatorio> montagem;
    try {
        montagem = std::make_unique<MontagemRelatorio>(db_, pedido_);
    } catch (const ErroRelatorio& e) {
        ampulheta.reset();
        plataforma_.mensagem(e.mensagem(), Icone::Critico);
        return false;
    }

    ConstrucaoRelatorio construcao(std::move(montagem));
    const std::shared_ptr<DocumentoRelatorio> documento = construcao.documento();
    construcao_ = &construcao;
    if (aoConstruir) aoConstruir(true);
    // Until the first page is whole, the build runs here; then under the preview.
    {
        QEventLoop espera;
        QObject::connect(&construcao, &ConstrucaoRelatorio::progrediu, &espera, [&] {
            if (aoProgredir) aoProgredir(construcao.linhasLidas(), documento->paginas());
            if (documento->paginasProntas() > 0) espera.quit();
        });
        QObject::connect(&construcao, &ConstrucaoRelatorio::terminou, &espera, &QEventLoop::quit);
        construcao.inicia();
        espera.exec();
    }
    ampulheta.reset();
    bool mostrado = false;
    if (construcao.erro().isEmpty() && !documento->interrompido()) {
        plataforma_.visualiza(documento, pedido_.titulo);
        mostrado = true;
    }
    if (!construcao.erro().isEmpty()) plataforma_.mensagem(construcao.erro(), Icone::Critico);
    // A preview closed before the last page stops the build.
    construcao.cancela();
    construcao_ = nullptr;
    if (aoConstruir) aoConstruir(false);
    return mostrado;
}
