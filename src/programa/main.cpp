#include "access/janela_acesso.h"
#include "app/aplicacao.h"
#include "app/contexto.h"
#include "programa/liga_filiais.h"
#include "programa/liga_janelas.h"
#include "programa/liga_pista.h"
#include "programa/plataforma_qt.h"
#include "widgets/guia_teclado.h"
#include "widgets/ordem_teclado.h"
#include "widgets/regras_campos.h"
#include "yard/janela_principal.h"

#include <QLibraryInfo>
#include <QScopeGuard>
#include <QTranslator>

int main(int argc, char** argv) {
    Aplicacao app(argc, argv);
    // Qt's own dialogs (print preview, file chooser, standard buttons) speak Portuguese too.
    QTranslator traducaoQt;
    if (traducaoQt.load(QStringLiteral("qtbase_pt_BR"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&traducaoQt);
    instalaRegrasDosCampos(app);
    instalaGuiaDoTeclado(app);
    instalaOrdemDoTeclado(app);
    PlataformaQt plataforma;
    app.definePlataforma(&plataforma);
    const auto semPlataforma = qScopeGuard([&] { app.definePlataforma(nullptr); });
    Contexto contexto(plataforma);
    plataforma.aoEncerrar([&] { contexto.estado.db.fecha(); });

    // The main window exists from the start, hidden: the start-up sets its print buttons and
    // the login shows it.
    JanelaPrincipal a(contexto);
    liga_janela_usuarios(contexto, a);
    ligaPista(contexto, a);
    liga_janela_configuracao(contexto, a);
    liga_janela_relatorios(contexto, a);
    liga_filiais(contexto, a);

    JanelaAcesso acesso(contexto, a);
    if (!acesso.Form_Load()) return 1;
    acesso.show();
    return app.exec();
}
