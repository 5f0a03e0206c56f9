#include "reports/controle_relatorio.h"

#include "reports/documento.h"
#include "reports/relatorio.h"

#include "widgets/cursor_ocupado.h"

void ControleRelatorio::defineSelecao(const QString& formula) {
    if (subrelatorio_.isEmpty()) pedido_.selecao = formula;
    else pedido_.selecaoSub[subrelatorio_] = formula;
}

QString ControleRelatorio::selecao() const {
    return subrelatorio_.isEmpty() ? pedido_.selecao : pedido_.selecaoSub.value(subrelatorio_);
}

bool ControleRelatorio::executa() {
    std::unique_ptr<QTextDocument> documento;
    try {
        CursorOcupado ampulheta;
        documento = documentoRelatorio(montaRelatorio(db_, pedido_));
    } catch (const ErroRelatorio& e) {
        plataforma_.mensagem(e.mensagem(), Icone::Critico);
        return false;
    }
    plataforma_.visualiza(*documento, pedido_.titulo);
    return true;
}
