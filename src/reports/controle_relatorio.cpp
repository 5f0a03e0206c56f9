#include "reports/controle_relatorio.h"

#include "reports/documento.h"
#include "reports/relatorio.h"

#include <QCursor>
#include <QGuiApplication>

void ControleRelatorio::defineSelecao(const QString& formula) {
    if (subrelatorio_.isEmpty()) pedido_.selecao = formula;
    else pedido_.selecaoSub[subrelatorio_] = formula;
}

QString ControleRelatorio::selecao() const {
    return subrelatorio_.isEmpty() ? pedido_.selecao : pedido_.selecaoSub.value(subrelatorio_);
}

bool ControleRelatorio::executa() {
    std::unique_ptr<QTextDocument> documento;
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    try {
        documento = documentoRelatorio(montaRelatorio(db_, pedido_));
    } catch (const ErroRelatorio& e) {
        QGuiApplication::restoreOverrideCursor();
        plataforma_.mensagem(e.mensagem(), Icone::Critico);
        return false;
    }
    QGuiApplication::restoreOverrideCursor();
    plataforma_.visualiza(*documento, pedido_.titulo);
    return true;
}
