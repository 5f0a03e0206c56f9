#include "config/janela_configuracao.h"

#include "config/carga_configuracao.h"
#include "config/convenios_aba.h"
#include "config/diaria_aba.h"
#include "config/escritorio_aba.h"
#include "config/geral_aba.h"
#include "config/rotativo_aba.h"
#include "config/tipos_mensalistas_aba.h"
#include "config/turnos_aba.h"
#include "widgets/cria.h"
#include "widgets/trabalho_banco.h"
#include "yard/tela_principal.h"

#include <QTabWidget>
#include <QVBoxLayout>

JanelaConfiguracao::JanelaConfiguracao(Contexto& ctx, TelaPrincipal& a,
                                       MemoriaConfiguracao& memoria, QWidget* parent)
    : QWidget(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("con"));
    setWindowTitle(QStringLiteral("Configurações"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    SSTab1 = cria<QTabWidget>(this, "SSTab1");
    mensalistas = new AbaMensalistas(ctx, a);
    convenios = new AbaConvenios(ctx, a);
    turnos = new AbaTurnos(ctx, a);
    rotativo = new AbaRotativo(ctx, a);
    diaria = new AbaDiaria(ctx, a);
    geral = new AbaGeral(ctx, a);
    escritorio = new AbaEscritorio(ctx, a, memoria.filial_carregada);
    const std::pair<AbaConfiguracao*, QString> abas[] = {
        {mensalistas, QStringLiteral("Mensalistas")}, {convenios, QStringLiteral("Convênios")},
        {turnos, QStringLiteral("Turnos")},           {rotativo, QStringLiteral("Rotativo")},
        {diaria, QStringLiteral("Diária")},           {geral, QStringLiteral("Geral")},
        {escritorio, QStringLiteral("Escrit/Pista")}};
    for (const auto& [aba, titulo] : abas) {
        SSTab1->addTab(aba, titulo);
        connect(aba, &AbaConfiguracao::fecha, this, &QWidget::close);
    }
    SSTab1->setCurrentIndex(5);
    auto* tudo = new QVBoxLayout(this);
    tudo->addWidget(SSTab1);
    // 9420 by 5808 twips at 15 twips a pixel; the tabs' contents may ask for more.
    setMinimumSize(628, 387);
    leDoBanco(ctx_.plataforma, QStringLiteral("as configurações"), [this] { Form_Load(); });
}

JanelaConfiguracao::~JanelaConfiguracao() = default;

void JanelaConfiguracao::Form_Load() {
    const CargaConfiguracao c = leCargaConfiguracao(ctx_.estado.db);
    for (int i = 0; i < SSTab1->count(); ++i) static_cast<AbaConfiguracao*>(SSTab1->widget(i))->carrega(c);
}
