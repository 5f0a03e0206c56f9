// The "Mensalistas" tab of the configuration window: the subscriber types, each change stored
// at once. `cod` holds the type last clicked in the list until the next change empties it.

#include "config/janela_configuracao.h"
#include "config/tipos_mensalistas_editor.h"
#include "widgets/campo_entrada.h"

#include <QLineEdit>
#include <QListWidget>

void JanelaConfiguracao::limpa_campos_tipo_mensalista() {
    cod->clear();
    tip->clear();
    valor->setText(QStringLiteral("0,00"));
    dia->limpa();
}

void JanelaConfiguracao::List3_Click() {
    const QListWidgetItem* item = List3->currentItem();
    if (!item || !item->isSelected()) return;
    const auto t = buscaTipoMensalista(ctx_.estado.db, item->text());
    if (!t) return;
    cod->setText(t->cod);
    tip->setText(t->tip);
    valor->setText(t->valor);
    dia->setText(t->dia);
}

void JanelaConfiguracao::Command12_Click() {
    Plataforma& p = ctx_.plataforma;
    const ResultadoEditor r =
        insereTipoMensalista(ctx_.estado.db, tip->text(), valor->text(), dia->texto(),
                             [&p](const QString& texto) { return p.pergunta(texto); });
    if (r.gravado) {
        carrega_tipos_mensalistas();
        limpa_campos_tipo_mensalista();
    }
    focaCampo(r.foco);
    if (!r.mensagem.isEmpty()) p.mensagem(r.mensagem, Icone::Informacao);
}

void JanelaConfiguracao::Command15_Click() {
    const ResultadoEditor r =
        alteraTipoMensalista(ctx_.estado.db, cod->text(), tip->text(), valor->text(), dia->texto());
    if (r.gravado) {
        limpa_campos_tipo_mensalista();
        carrega_tipos_mensalistas();
    }
    ctx_.plataforma.mensagem(r.mensagem, Icone::Informacao);
    focaCampo(r.foco);
}

void JanelaConfiguracao::Command13_Click() {
    const ResultadoEditor r = excluiTipoMensalista(ctx_.estado.db, cod->text());
    if (r.gravado) {
        limpa_campos_tipo_mensalista();
        carrega_tipos_mensalistas();
    }
    ctx_.plataforma.mensagem(r.mensagem, Icone::Informacao);
}
