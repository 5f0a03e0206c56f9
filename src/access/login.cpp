#include "access/login.h"

#include "access/usuarios.h"
#include "data/datas.h"
#include "data/dinheiro.h"
#include "yard/janela_principal.h"

#include <QAction>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableWidget>

namespace {

// Puts `w` first in the tab order of its window: the window gives the focus to the first
// control of the chain when it shows, and Tab goes on from there in the old order.
void primeiroNaTabulacao(QWidget* w) {
    QWidget* janela = w->window();
    QList<QWidget*> ordem{w};
    for (QWidget* x = janela->nextInFocusChain(); x != janela; x = x->nextInFocusChain())
        if (x != w && x->window() == janela && (x->focusPolicy() & Qt::TabFocus)) ordem << x;
    for (qsizetype i = 1; i < ordem.size(); ++i) QWidget::setTabOrder(ordem[i - 1], ordem[i]);
}

bool vazio(const QString& s) { return sem_brancos(s).isEmpty(); }

QString texto(const QSqlRecord& r, const char* campo) {
    const QVariant v = r.value(QLatin1String(campo));
    return v.isNull() ? QString() : v.toString();
}

bool verdadeiro(const QSqlRecord& r, const char* campo) {
    return r.value(QLatin1String(campo)).toInt() != 0;
}

qint16 inteiro(const QSqlRecord& r, const char* campo) {
    return qint16(r.value(QLatin1String(campo)).toInt());
}

class Login {
public:
    Login(Contexto& ctx, JanelaPrincipal& a) : ctx_(ctx), e_(ctx.estado), db_(ctx.estado.db), a_(a) {}

    ResultadoLogin executa(const QString& usuario, const QString& senha, int& senhasErradas) {
        if (!relogioAceito()) return ResultadoLogin::Encerrar;

        if (vazio(usuario) && vazio(senha)) {
            if (db_.existe(QStringLiteral("SELECT codigo FROM usuarios"))) {
                aviso(QStringLiteral("Há usuários cadastrados. Digite o usuário e senha."));
                return ResultadoLogin::FocoUsuario;
            }
            entraComoAdmin();
        } else {
            if (vazio(usuario)) {
                aviso(QStringLiteral("Preencha o usuário."));
                return ResultadoLogin::FocoUsuario;
            }
            if (vazio(senha)) {
                aviso(QStringLiteral("Preencha a senha."));
                return ResultadoLogin::FocoSenha;
            }
            QSqlQuery q = db_.executa(
                QStringLiteral("SELECT * FROM usuarios WHERE usuario = ? AND excluido = 0 "
                               "ORDER BY codigo"),
                {usuario});
            if (!q.next()) {
                aviso(QStringLiteral("Usuário não existente."));
                return ResultadoLogin::FocoUsuario;
            }
            const QSqlRecord u = q.record();
            // An exact comparison: letter case counts.
            if (senha != texto(u, "senha")) {
                aviso(QStringLiteral("Senha incorreta."));
                if (++senhasErradas >= 3) {
                    aviso(QStringLiteral("Número máximo de tentativas esgotado."));
                    return ResultadoLogin::Encerrar;
                }
                return ResultadoLogin::FocoSenha;
            }
            entraComoUsuario(usuario, u);
        }

        carregaGeral();
        return ResultadoLogin::Entrou;
    }

private:
    void aviso(const QString& t) { ctx_.plataforma.mensagem(t, Icone::Informacao); }

    // The computer clock must not be earlier than the last moment the program recorded.
    bool relogioAceito() {
        QSqlQuery q = db_.executa(QStringLiteral("SELECT data, hora FROM data_hora LIMIT 1"));
        if (!q.next()) return true;
        const QDate data = dataDoBanco(q.value(0));
        const QTime hora = horaDoBanco(q.value(1));
        const QDateTime agora = ctx_.plataforma.agora();
        const QDate hoje = agora.date();
        const QTime t = agora.time();
        const QTime agoraSegundos(t.hour(), t.minute(), t.second());
        if (data.isValid() && hoje < data) {
            aviso(QStringLiteral("Data do sistema não pode ser inferior à %1. Corrija e entre no "
                                 "sistema novamente.")
                      .arg(dataBr(data)));
            return false;
        }
        if (data.isValid() && hora.isValid() && hoje == data && agoraSegundos < hora) {
            aviso(QStringLiteral("Hora do sistema não pode ser inferior à %1. Corrija e entre no "
                                 "sistema novamente.")
                      .arg(horaHms(hora)));
            return false;
        }
        return true;
    }

    void barraDeStatus() {
        a_.paineis[0]->setText(QStringLiteral("Usuário: ") + e_.usuario_atual);
        a_.paineis[1]->setText(QStringLiteral("Data: ") +
                               dataBr(ctx_.plataforma.agora().date()));
        // The program clock is set only when the start-up window closes.
        a_.paineis[2]->setText(QStringLiteral("Hora: ") + horaHms(e_.hora_atual));
    }

    void entraComoAdmin() {
        admin_ = true;
        e_.usuario_atual = QStringLiteral("admin");
        barraDeStatus();
        a_.botoes[0]->setEnabled(true);
        for (int i = 1; i < 7; ++i) a_.botoes[i]->setEnabled(false);
        a_.Frame1->setEnabled(false);
        e_.permissao_pri = false;
        a_.Command1->setEnabled(false);
        a_.Command2->setEnabled(false);
        a_.Command8->setEnabled(false);
        a_.Frame3->setEnabled(false);
        a_.grid1->setEnabled(false);
    }

    void entraComoUsuario(const QString& usuario, const QSqlRecord& u) {
        const char* direitos[] = {"usu", "men", "con", "lis", "rel", "ger", "bac"};
        for (int i = 0; i < 7; ++i) a_.botoes[i]->setEnabled(verdadeiro(u, direitos[i]));
        const bool pri = verdadeiro(u, "pri");
        a_.Frame1->setEnabled(pri);
        e_.permissao_pri = pri;
        e_.usuario_atual = usuario;
        barraDeStatus();

        if (!pri) {
            // Without the right to the main screen nothing of the lane or the register is
            // offered: no register is opened, no car or payment registered.
            for (QPushButton* b : {a_.Command1, a_.Command2, a_.Command3, a_.Command4, a_.Command5,
                                   a_.Command6, a_.Command7, a_.Command8, a_.Command9})
                b->setEnabled(false);
            return;
        }
        procuraCaixa();
        preencheListas();
    }

    void procuraCaixa() {
        QSqlQuery q = db_.executa(
            QStringLiteral("SELECT numero FROM caixa WHERE aberto = 1 AND usuario = ? "
                           "ORDER BY numero"),
            {e_.usuario_atual});
        if (q.next()) {
            e_.numero_caixa = q.value(0).toInt();
        } else {
            QSqlQuery outro = db_.executa(
                QStringLiteral("SELECT numero FROM caixa WHERE aberto = 1 ORDER BY numero"));
            caixaDeOutro_ = outro.next();
            e_.numero_caixa = caixaDeOutro_ ? outro.value(0).toInt() : 0;
        }
        // With a register open the operator starts at the lane: the ticket field, where F2, F4,
        // F5 and Esc act and a ticket can be typed at once.
        a_.mostraCaixa();
        if (caixaDeOutro_) {
            a_.mensagem->setText(QStringLiteral(
                "Último caixa aberto é de outro usuário. Feche o caixa e abra o seu."));
            a_.Frame2->setEnabled(false);
            a_.Frame3->setVisible(false);
            a_.Frame3->setEnabled(false);
        } else if (!e_.caixaAberto()) {
            primeiroNaTabulacao(a_.Command1);
            a_.Command1->setFocus();
        }
    }

    void preencheListas() {
        a_.tur->clear();
        QSqlQuery t = db_.executa(
            QStringLiteral("SELECT hora_inicial, hora_final FROM turnos ORDER BY hora_inicial"));
        while (t.next())
            a_.tur->addItem(horaHm(horaDoBanco(t.value(0))) + QStringLiteral(" - ") +
                            horaHm(horaDoBanco(t.value(1))));

        a_.conv->clear();
        a_.cod_con->clear();
        QSqlQuery c = db_.executa(
            QStringLiteral("SELECT codigo, convenio FROM convenios ORDER BY convenio"));
        while (c.next()) {
            a_.conv->addItem(c.value(1).toString());
            a_.cod_con->addItem(c.value(0).toString());
        }
        // Nothing is chosen until the operator picks a shift or a partner.
        a_.tur->setCurrentIndex(-1);
        a_.conv->setCurrentIndex(-1);
        a_.cod_con->setCurrentIndex(-1);
    }

    void carregaGeral() {
        QSqlQuery q = db_.executa(QStringLiteral("SELECT rowid AS id_linha, * FROM geral LIMIT 1"));
        if (!q.next()) throw ErroBanco(QStringLiteral("O arquivo de dados não contém as "
                                                        "configurações gerais do sistema."));
        const QSqlRecord g = q.record();
        const qint64 rowid = q.value(0).toLongLong();

        e_.linha1 = texto(g, "linha1");
        e_.linha2 = texto(g, "linha2");
        e_.linha3 = texto(g, "linha3");
        e_.linha4 = texto(g, "linha4");
        e_.penult_linha = texto(g, "penult_linha");
        e_.ult_linha = texto(g, "ult_linha");
        e_.cnpj = texto(g, "cnpj");

        const bool semBobina = g.value(QStringLiteral("bobina")).isNull();
        const bool semAvanco = g.value(QStringLiteral("avanco_bobina")).isNull();
        if (semBobina || semAvanco) {
            Transacao t(db_);
            if (semBobina)
                db_.executa(QStringLiteral("UPDATE geral SET bobina = 40 WHERE rowid = ?"), {rowid});
            if (semAvanco)
                db_.executa(QStringLiteral("UPDATE geral SET avanco_bobina = 10 WHERE rowid = ?"),
                            {rowid});
            t.confirma();
        }
        e_.bobina = semBobina ? 40 : inteiro(g, "bobina");
        e_.avanco_bobina = semAvanco ? 10 : inteiro(g, "avanco_bobina");

        e_.ativar_cancela_ent = verdadeiro(g, "ativar_cancela_ent");
        e_.ativar_cancela_sai = verdadeiro(g, "ativar_cancela_sai");
        e_.tempo_cancela_ent = inteiro(g, "tempo_cancela_ent");
        e_.tempo_cancela_sai = inteiro(g, "tempo_cancela_sai");
        e_.ativar_cancela_ent_manual = verdadeiro(g, "ativar_cancela_ent_manual");
        e_.ativar_cancela_sai_manual = verdadeiro(g, "ativar_cancela_sai_manual");
        e_.tempo_baixa_cancelas = inteiro(g, "tempo_baixa_cancelas");
        e_.men_atraso_tranca = verdadeiro(g, "men_atraso_tranca");
        e_.estacionamento24h = verdadeiro(g, "estacionamento24h");

        const bool prisma = verdadeiro(g, "habilitar_prisma");
        a_.pri->setVisible(prisma);
        a_.Label12->setVisible(prisma);
        const bool veiculo = verdadeiro(g, "habilitar_veiculo");
        a_.vei->setVisible(veiculo);
        a_.LabelVeiculo->setVisible(veiculo);

        // Another user's register keeps the yard list hidden, whatever the setting.
        if (verdadeiro(g, "mostrar_lista") && !caixaDeOutro_) {
            a_.Frame3->setVisible(true);
            // 340, 840, 780 and 750 twips at 15 twips a pixel, measured for a narrower font
            // than this system's: a column is never narrower than its usual text, so plates,
            // dates and times are not cut. Set once here; the list never measures its rows.
            const QFontMetrics medida(a_.grid1->font());
            const char* const amostras[] = {"000", "AAA-0000", "00/00/00", "00:00:00"};
            int larguras[] = {23, 56, 52, 50};
            for (int i = 0; i < 4; ++i)
                larguras[i] = qMax(larguras[i],
                                   medida.horizontalAdvance(QLatin1String(amostras[i])) + 12);
            const QStringList titulos{QStringLiteral("Pr."), QStringLiteral("Placa"),
                                      QStringLiteral("Data Ent."), QStringLiteral("Hora Ent.")};
            if (a_.grid1->columnCount() < 4) a_.grid1->setColumnCount(4);
            a_.grid1->setHorizontalHeaderLabels(titulos);
            for (int i = 0; i < 4; ++i) a_.grid1->setColumnWidth(i, larguras[i]);
            a_.atualiza_lista_patio();
        } else {
            a_.Frame3->setVisible(false);
        }

        if (db_.existe(QStringLiteral("SELECT placa FROM lista_entrada")))
            a_.Command10->setEnabled(true);
        if (db_.existe(QStringLiteral("SELECT placa FROM lista_saida")))
            a_.Command11->setEnabled(true);

        QSqlQuery r = db_.executa(QStringLiteral("SELECT apos_cobrar FROM rotativo LIMIT 1"));
        if (!r.next() || r.value(0).isNull()) a_.Option3->setEnabled(false);
        if (!db_.existe(QStringLiteral("SELECT hora_inicial FROM turnos")))
            a_.Option4->setEnabled(false);
        if (!db_.existe(QStringLiteral("SELECT codigo FROM convenios")))
            a_.Option5->setEnabled(false);
        if (!db_.existe(QStringLiteral("SELECT codigo FROM mensalistas WHERE excluido = 0")))
            a_.Option6->setEnabled(false);
        if (!db_.existe(QStringLiteral("SELECT tempo FROM diaria")))
            a_.Option7->setEnabled(false);

        // The "admin" login, while no user exists, may open a register; a user without the
        // main screen's right may not.
        if (admin_) a_.Command1->setEnabled(true);
    }

    Contexto& ctx_;
    Estado& e_;
    Banco& db_;
    JanelaPrincipal& a_;
    bool caixaDeOutro_ = false;   // the register found open is another user's
    bool admin_ = false;          // the "admin" login: no user exists yet
};

}  // namespace

ResultadoLogin faz_login(const QString& usuario, const QString& senha, Contexto& ctx,
                         JanelaPrincipal& a, int& senhasErradas) {
    try {
        return Login(ctx, a).executa(usuario, senha, senhasErradas);
    } catch (const ErroBanco& erro) {
        ctx.plataforma.mensagem(erro.mensagemPara(QStringLiteral("entrar no sistema")),
                                Icone::Critico);
        return ResultadoLogin::Falhou;
    }
}
