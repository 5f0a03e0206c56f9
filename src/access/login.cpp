#include "access/login.h"

#include "access/usuarios.h"
#include "data/datas.h"
#include "data/dinheiro.h"
#include "yard/listas_painel.h"
#include "yard/tela_principal.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace {

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
    Login(Contexto& ctx, TelaPrincipal& a) : ctx_(ctx), e_(ctx.estado), db_(ctx.estado.db), a_(a) {}

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
        acesso_.usuario = e_.usuario_atual;
        acesso_.data = ctx_.plataforma.agora().date();
        acesso_.hora = e_.hora_atual;
        a_.aplicaAcesso(acesso_);
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

    void entraComoAdmin() {
        e_.usuario_atual = QStringLiteral("admin");
        e_.permissao_pri = false;
        acesso_.semUsuarios = true;
        acesso_.janelas[0] = true;
    }

    void entraComoUsuario(const QString& usuario, const QSqlRecord& u) {
        const char* direitos[] = {"usu", "men", "con", "lis", "rel", "ger", "bac"};
        for (int i = 0; i < 7; ++i) acesso_.janelas[i] = verdadeiro(u, direitos[i]);
        const bool pri = verdadeiro(u, "pri");
        acesso_.pista = pri;
        e_.permissao_pri = pri;
        e_.usuario_atual = usuario;
        // Without the right to the main screen no register is looked for: it stays out of reach.
        if (!pri) return;
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
            return;
        }
        QSqlQuery outro = db_.executa(
            QStringLiteral("SELECT numero FROM caixa WHERE aberto = 1 ORDER BY numero"));
        acesso_.caixaDeOutro = outro.next();
        e_.numero_caixa = acesso_.caixaDeOutro ? outro.value(0).toInt() : 0;
    }

    void preencheListas() {
        acesso_.turnos = itensTurnos(db_);
        acesso_.convenios = lista_convenios(db_);
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

        acesso_.prisma = verdadeiro(g, "habilitar_prisma");
        acesso_.veiculo = verdadeiro(g, "habilitar_veiculo");
        acesso_.mostrarLista = verdadeiro(g, "mostrar_lista");
        acesso_.filaEntrada = db_.existe(QStringLiteral("SELECT placa FROM lista_entrada"));
        acesso_.filaSaida = db_.existe(QStringLiteral("SELECT placa FROM lista_saida"));

        QSqlQuery r = db_.executa(QStringLiteral("SELECT apos_cobrar FROM rotativo LIMIT 1"));
        acesso_.modalidades = {
            r.next() && !r.value(0).isNull(),
            db_.existe(QStringLiteral("SELECT hora_inicial FROM turnos")),
            db_.existe(QStringLiteral("SELECT codigo FROM convenios")),
            db_.existe(QStringLiteral("SELECT codigo FROM mensalistas WHERE excluido = 0")),
            db_.existe(QStringLiteral("SELECT tempo FROM diaria")),
        };
    }

    Contexto& ctx_;
    Estado& e_;
    Banco& db_;
    TelaPrincipal& a_;
    AcessoTela acesso_;   // what the main window is to show, read in the pass
};

}  // namespace

ResultadoLogin faz_login(const QString& usuario, const QString& senha, Contexto& ctx,
                         TelaPrincipal& a, int& senhasErradas) {
    try {
        return Login(ctx, a).executa(usuario, senha, senhasErradas);
    } catch (const ErroBanco& erro) {
        ctx.plataforma.mensagem(erro.mensagemPara(QStringLiteral("entrar no sistema")),
                                Icone::Critico);
        return ResultadoLogin::Falhou;
    }
}
