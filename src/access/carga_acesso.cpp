#include "access/carga_acesso.h"

#include "data/atualiza_banco.h"
#include "data/cria_banco.h"
#include "data/datas.h"
#include "data/gravacao_segura.h"
#include "data/nome_guardado.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QSqlRecord>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

const QString kBranco = QStringLiteral(" ");

// The one `geral` row, or an empty record when the table holds none.
QSqlRecord leGeral(Banco& db, qint64& rowid) {
    QSqlQuery q = db.executa(QStringLiteral("SELECT rowid AS id_linha, * FROM geral LIMIT 1"));
    if (!q.next()) return {};
    rowid = q.value(0).toLongLong();
    return q.record();
}

QString semGeral() {
    return QStringLiteral(
        "O arquivo %1 não contém as configurações gerais do sistema e não pode ser usado. "
        "O programa será encerrado.")
        .arg(kNomeBanco);
}

// False only when the folder exists and this process may not write in it (its mode, a
// read-only medium); a folder that is missing is told by the lock that cannot be taken.
bool pastaGravavel(const QString& pasta) {
    if (::faccessat(AT_FDCWD, QFile::encodeName(pasta).constData(), W_OK, AT_EACCESS) == 0)
        return true;
    return errno != EACCES && errno != EROFS && errno != EPERM;
}

// A load that cannot go on: `mensagem` is told and the program ends.
ResultadoCarga encerrando(const QString& mensagem) {
    ResultadoCarga r;
    r.ok = false;
    r.falha = mensagem + QStringLiteral("\r\nO programa será encerrado.");
    return r;
}

ResultadoCarga abreExistente(Contexto& ctx, const QString& caminho) {
    ResultadoCarga r;
    Estado& e = ctx.estado;
    Banco& db = e.db;
    const QDate hoje = ctx.plataforma.agora().date();

    db.abre(caminho, Banco::kSenha);

    qint64 rowid = 0;
    QSqlRecord geral = leGeral(db, rowid);
    if (geral.isEmpty()) {
        db.fecha();
        r.ok = false;
        r.falha = semGeral();
        return r;
    }

    const int versao = geral.value(QStringLiteral("versao")).toInt();
    if (versao < kVersaoPrograma) {
        atualiza_banco(db, versao);
        geral = leGeral(db, rowid);
    }

    const QDate ultimo = dataDoBanco(geral.value(QStringLiteral("data")));
    if (ultimo.isValid() && hoje > ultimo.addDays(5)) {
        ctx.plataforma.mensagem(
            QStringLiteral("Data do sistema não pode ser mais que 5 dias superior ao último "
                           "acesso!\r\nÚltimo acesso: %1\r\nData atual: %2\r\nCorrija a data do "
                           "sistema e clique em OK!")
                .arg(dataBr(ultimo), dataBr(hoje)),
            Icone::Exclamacao);
    }

    db.executa(QStringLiteral("UPDATE geral SET data = ? WHERE rowid = ?"),
               {dataParaBanco(hoje), rowid});

    e.impressora = geral.value(QStringLiteral("impressora")).toString();
    const QVariant fiscal = geral.value(QStringLiteral("impressora_fiscal"));
    e.impressora_fiscal = fiscal.isNull() ? kBranco : fiscal.toString();
    if (e.impressora_fiscal != kBranco) {
        e.codigo_aliquota = codigo_aliquota_de(
            geral.value(QStringLiteral("imposto")).toString(),
            Dinheiro::doBanco(geral.value(QStringLiteral("aliquota"))), e.codigo_aliquota);
    }
    r.configuracoesLidas = true;
    e.duas_impressoras = e.impressora != kBranco && e.impressora_fiscal != kBranco;
    e.cancela_entrada = geral.value(QStringLiteral("cancela_entrada")).toString();
    e.cancela_saida = geral.value(QStringLiteral("cancela_saida")).toString();

    r.semUsuarios = !db.existe(QStringLiteral("SELECT codigo FROM usuarios"));
    return r;
}

ResultadoCarga criaNovo(Contexto& ctx, const QString& caminho) {
    ResultadoCarga r;
    r.criado = true;
    r.semUsuarios = true;

    // The notice comes first: an operator who finds the clock wrong corrects it before clicking
    // OK, and the first rows are stamped with the corrected clock. Stamped before it, a clock
    // set back from a wrong future would be refused by the login's check until real time
    // caught up with the stamp.
    ctx.plataforma.mensagem(QStringLiteral("Verifique a data e hora do sistema. Se estiverem "
                                           "incorretos, corrija e clique em OK."));
    const QDateTime agora = ctx.plataforma.agora();
    const QDate hoje = agora.date();
    const QTime hora = agora.time();

    // The first rows go in with the layout, so a file that exists is always a complete one.
    cria_banco(ctx.estado.db, caminho, [&](Banco& db) {
        db.executa(QStringLiteral(
                       "INSERT INTO geral (versao, data, hora, linha1, linha2, linha3, linha4, "
                       "impressora, cancela_entrada, cancela_saida) "
                       "VALUES (?, ?, ?, '', '', '', '', 'LPT1', ' ', ' ')"),
                   {kVersaoPrograma, dataParaBanco(hoje), horaParaBanco(hora)});
        db.executa(QStringLiteral("INSERT INTO data_hora (data, hora) VALUES (?, ?)"),
                   {dataParaBanco(hoje), horaParaBanco(hora)});
    });
    ctx.estado.data_atual = hoje;
    return r;
}

}  // namespace

ResultadoCarga carrega_banco(Contexto& ctx) {
    const QString pasta = ctx.plataforma.pastaPrograma();
    const QString caminho = QDir(pasta).filePath(kNomeBanco);
    // Every operation writes beside the database (its log, the lock, the copies of a backup):
    // a folder that takes no writes is told as such, before anything else could fail in it.
    if (!pastaGravavel(pasta))
        return encerrando(QStringLiteral("Não é possível gravar na pasta %1, onde ficam o programa "
                                         "e o banco de dados (%2). Libere a gravação dessa pasta "
                                         "e inicie o programa novamente.")
                              .arg(QDir::toNativeSeparators(pasta), kNomeBanco));
    // What someone put at a name the program keeps (a link, a FIFO, a file of another name) is
    // told before anything is read or written there, and the program goes no further.
    const auto ocupada = [](const QString& ocupado, const QString& oQueFazer) {
        return encerrando(ocupado + QLatin1Char(' ') + oQueFazer);
    };
    const QString remova = QStringLiteral("Remova-o ou mova-o para outro lugar e inicie o programa novamente.");
    const QString soOBanco = QStringLiteral("O banco de dados é usado só como um arquivo comum, de um só nome, "
                                            "na pasta do programa: deixe ali somente o próprio arquivo e "
                                            "inicie o programa novamente.");
    // Before the database is opened: a second copy on this folder must not touch it at all.
    QString travaOcupada;
    switch (ctx.estado.trava.trava(pasta, &travaOcupada)) {
    case TravaPasta::Resultado::Travada:
        break;
    case TravaPasta::Resultado::EmUso:
        return encerrando(kProgramaJaAberto.arg(QDir::toNativeSeparators(pasta)));
    case TravaPasta::Resultado::Falhou:
        if (!travaOcupada.isEmpty()) return ocupada(travaOcupada, remova);
        return encerrando(
            QStringLiteral("Não foi possível reservar a pasta %1 para o programa (arquivo %2). "
                           "Verifique se o programa pode ler e gravar nessa pasta.")
                .arg(pasta, QDir(pasta).filePath(kNomeTrava)));
    }
    if (QString o = nomeOcupado(QDir(pasta).filePath(kGravacoesAnotadas), true); !o.isEmpty())
        return ocupada(o, remova);
    // A link at the database's name would be replaced by the next backup or restore, splitting
    // the data between two files: the database is only ever a plain file here.
    if (QString o = nomeOcupado(caminho, false); !o.isEmpty()) return ocupada(o, soOBanco);
    // Left behind by a backup, restore or file export ended midway: full copies of the data,
    // passwords included, never in use once their operation ended.
    removeCopiasTemporarias(caminho);
    // Only now: a swap cut short leaves the database with a second name until then.
    if (QString o = nomeOcupado(caminho, true); !o.isEmpty()) return ocupada(o, soOBanco);
    // A coupon the fiscal printer was left holding is closed before the next one is sold.
    ctx.estado.cupom_aberto = ctx.plataforma.fiscal().cupomAberto();
    if (const QString motivo = ctx.plataforma.fiscal().motivoFalha(); !motivo.isEmpty())
        ctx.plataforma.mensagem(motivo, Icone::Exclamacao);
    const bool existe = QFileInfo::exists(caminho);
    try {
        return existe ? abreExistente(ctx, caminho) : criaNovo(ctx, caminho);
    } catch (const ErroBanco& erro) {
        ctx.estado.db.fecha();
        ResultadoCarga r = encerrando(erro.mensagemPara(
            existe ? QStringLiteral("abrir o banco de dados") : QStringLiteral("criar o banco de dados")));
        r.semUsuarios = !existe;
        return r;
    }
}

QString texto_versao(const QString& versao) {
    if (versao.isEmpty()) return {};
    if (versao.endsWith(u'0')) return versao.left(1) + u'.' + versao.mid(1, 1);
    return versao.left(1) + u'.' + versao.right(2);
}

QString codigo_aliquota_de(const QString& imposto, std::optional<Dinheiro> aliquota,
                           const QString& atual) {
    if (imposto == QLatin1String("ST")) return QStringLiteral("FF");
    if (imposto == QLatin1String("Isento")) return QStringLiteral("II");
    if (!aliquota) return atual;
    const struct {
        int taxa;
        const char* codigo;
    } taxas[] = {{3, "0300"}, {12, "1200"}, {17, "1700"}, {25, "2500"}};
    for (const auto& t : taxas)
        if (*aliquota == Dinheiro::reais(t.taxa)) return QLatin1String(t.codigo);
    return atual;
}
