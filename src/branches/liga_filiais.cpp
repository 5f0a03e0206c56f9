#include "branches/liga_filiais.h"

#include "branches/janela_backup.h"
#include "branches/janela_filiais.h"
#include "yard/janela_principal.h"

#include <QPointer>

#include <memory>

namespace {

template <typename Janela>
std::function<void()> abreUmaVez(Contexto& ctx, JanelaPrincipal& a,
                                 std::function<void(Janela&)> prepara = {}) {
    auto aberta = std::make_shared<QPointer<Janela>>();
    return [&ctx, &a, aberta, prepara] {
        if (!*aberta) {
            auto* j = new Janela(ctx, &a);
            j->setWindowFlag(Qt::Window);
            j->setAttribute(Qt::WA_DeleteOnClose);
            if (prepara) prepara(*j);
            *aberta = j;
        }
        (*aberta)->show();
        (*aberta)->raise();
        (*aberta)->activateWindow();
    };
}

}  // namespace

void liga_filiais(Contexto& ctx, JanelaPrincipal& a) {
    a.abreJanelaBarra[5] = abreUmaVez<JanelaFiliais>(ctx, a);
    a.abreJanelaBarra[6] = abreUmaVez<JanelaBackup>(ctx, a, [&a](JanelaBackup& j) {
        // After a restore the yard list shows the restored database.
        j.aoTrocarBanco = [&a] { a.atualiza_lista_patio(); };
    });
}
