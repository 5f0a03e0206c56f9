#include "branches/andamento.h"
#include "branches/arquivos.h"
#include "branches/arquivo_mensalistas.h"
#include "branches/backup.h"
#include "branches/filiais_teste.h"
#include "branches/troca_filial.h"
#include "access/carga_acesso.h"
#include "data/dinheiro.h"
#include "support/banco_teste.h"
#include "support/outro_processo.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {

enum class Operacao { Restauracao, Mescla, Importacao };

struct Resultado {
    bool ok;
    QString mensagem;
};

// A file of each kind that feeds or replaces the database, made by the program itself from a
// database with subscribers of branch 1, and the operation that takes it into `destino`.
class Entrada {
public:
    // `mais` adds rows of its own to the database the file is made from.
    explicit Entrada(Operacao op, const std::function<void(Ambiente&)>& mais = {}) : op_(op) {
        if (mais) mais(origem);
        defineFilial(origem, 1, op == Operacao::Importacao);
        mensalista(origem, 7, "José D'Ávila", 1);
        veiculo(origem, 7, "MEN-0001", 1);
        mensalidade(origem, 7, "2026-12-01", true, 1);
        origem.db().executa("INSERT INTO tipos_mensalistas (codigo, tipo, valor, dia_vencto) "
                            "VALUES (1, 'Mensal', 1500000, 10)");
        saida(origem, 1, "ABC-1234", "08:00:00", 1);
        defineFilial(destino, op == Operacao::Importacao ? 1 : QVariant(), op == Operacao::Mescla);
        switch (op_) {
        case Operacao::Restauracao:
            EXPECT_TRUE(realiza_backup(origem.db(), origem.plataforma.pastaPrograma(), pasta.path(),
                                       1 << 30).ok);
            break;
        case Operacao::Mescla:
            EXPECT_TRUE(exporta_filial(origem.db(), arquivo()).ok);
            break;
        case Operacao::Importacao:
            EXPECT_TRUE(gera_arquivo_mensalistas(origem.db(), 1, pasta.path(), 1 << 30).ok);
            break;
        }
        bom = bytes(arquivo());
    }

    QString arquivo() const {
        switch (op_) {
        case Operacao::Restauracao: return pasta.filePath("backup");
        case Operacao::Mescla: return pasta.filePath("backup_filial.mdb");
        case Operacao::Importacao: return pasta.filePath("mensalistas.mdb");
        }
        return {};
    }
    QString dados() { return destino.plataforma.pastaPrograma() + "/dados.mdb"; }

    Resultado executa(Andamento* andamento = nullptr) {
        switch (op_) {
        case Operacao::Restauracao: {
            const ResultadoBackup r =
                restaura_backup(destino.db(), destino.plataforma.pastaPrograma(), pasta.path());
            return {r.ok, r.mensagem};
        }
        case Operacao::Mescla: {
            const ResultadoBackup r = mescla_filial(destino.db(), arquivo(), andamento);
            return {r.ok, r.mensagem};
        }
        case Operacao::Importacao: {
            const ResultadoArquivo r =
                recebe_arquivo_mensalistas(destino.db(), pasta.path(), false, 1, andamento);
            return {r.ok, r.mensagem};
        }
        }
        return {};
    }

    // Runs the operation on the file as it is now: taken when `causa` is null, otherwise refused
    // for it, naming the file and never the live database, both left byte for byte. True when
    // taken.
    bool executaEsperando(const char* causa) {
        const QByteArray dadosAntes = bytes(dados());
        const QByteArray arquivoAntes = bytes(arquivo());
        const Resultado r = executa();
        EXPECT_EQ(r.ok, causa == nullptr) << r.mensagem.toStdString();
        if (r.ok || !causa) return r.ok;
        EXPECT_TRUE(r.mensagem.contains(QString::fromUtf8(causa))) << r.mensagem.toStdString();
        EXPECT_TRUE(r.mensagem.contains(arquivo())) << r.mensagem.toStdString();
        EXPECT_FALSE(r.mensagem.contains("dados.mdb")) << r.mensagem.toStdString();
        EXPECT_EQ(bytes(arquivo()), arquivoAntes);
        EXPECT_EQ(bytes(dados()), dadosAntes);
        return false;
    }

    // Puts the good file back, changed by `sql` (through the engine, its value checks off, its
    // layout writable as the engine's shell allows).
    void altera(const QStringList& sql) {
        escreve(bom);
        Banco b;
        b.abre(arquivo(), Banco::kSenha);
        b.executa("PRAGMA ignore_check_constraints = ON");
        b.executa("PRAGMA writable_schema = ON");
        for (const QString& s : sql) {
            b.executa(s);
            // A change that found nothing to change would test the good file again.
            EXPECT_GT(b.valor("SELECT changes()").toInt() + !s.startsWith("UPDATE"), 0) << s.toStdString();
        }
    }
    void escreve(const QByteArray& conteudo) {
        removeBanco(arquivo());
        QFile f(arquivo());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(conteudo);
    }

    Ambiente origem, destino;
    QTemporaryDir pasta;
    QByteArray bom;

private:
    Operacao op_;
};

QByteArray deOutroPrograma() {
    QTemporaryDir d;
    {
        QSqlDatabase c = QSqlDatabase::addDatabase("QSQLITE", "outro");
        c.setDatabaseName(d.filePath("x.db"));
        c.open();
        QSqlQuery(c).exec("CREATE TABLE mensalistas (codigo INTEGER)");
        c.close();
    }
    QSqlDatabase::removeDatabase("outro");
    return bytes(d.filePath("x.db"));
}

QByteArray comOutraSenha() {
    QTemporaryDir d;
    {
        Banco b;
        b.cria(d.filePath("x.mdb"), "outra");
        b.executa("CREATE TABLE mensalistas (codigo INTEGER)");
    }
    return bytes(d.filePath("x.mdb"));
}

// One bad file of each kind, refused by each of restore, merge and import with what is wrong;
// the file and the live database stay byte for byte as they were, and nothing is left beside
// the file.
TEST(VerificaArquivo, ArquivoRuimRecusadoSemMudarNada) {
    const struct {
        const char* caso;
        QStringList sql;         // changes to the good file; empty: `conteudo` instead
        QByteArray conteudo;
        const char* causa;
    } casos[] = {
        {"sem tabela", {"DROP TABLE mensalidades"}, {}, "Falta a tabela mensalidades."},
        {"sem campo", {"ALTER TABLE mensalidades DROP COLUMN pago"}, {},
         "Falta o campo pago da tabela mensalidades."},
        {"visão", {"DROP TABLE mensalistas", "CREATE VIEW mensalistas AS SELECT 1 AS codigo"}, {},
         "O arquivo tem uma visão no lugar da tabela mensalistas."},
        {"tipo declarado",
         {"ALTER TABLE mensalidades RENAME COLUMN valor TO velho",
          "ALTER TABLE mensalidades ADD COLUMN valor TEXT"},
         {}, "O campo valor da tabela mensalidades não é do tipo deste sistema."},
        {"sim ou não", {"UPDATE mensalistas SET excluido = 2"}, {},
         "O campo excluido da tabela mensalistas tem um valor que não é sim ou não"},
        {"inteiro", {"UPDATE mensalistas SET tipo = 'um'"}, {},
         "O campo tipo da tabela mensalistas tem um valor que não é um número inteiro"},
        {"longo", {"UPDATE mensalistas SET codigo = 7.5"}, {},
         "O campo codigo da tabela mensalistas tem um valor que não é um número inteiro"},
        {"dinheiro", {"UPDATE mensalidades SET valor = 'doze reais'"}, {},
         "O campo valor da tabela mensalidades tem um valor que não é um valor em dinheiro"},
        {"data", {"UPDATE mensalidades SET mes = '2026-13-01'"}, {},
         "O campo mes da tabela mensalidades tem um valor que não é uma data ou uma hora"},
        {"hora", {"UPDATE mensalidades SET hora_pgto = 1030"}, {},
         "O campo hora_pgto da tabela mensalidades tem um valor que não é uma data ou uma hora"},
        {"texto", {"UPDATE mensalistas SET nome = zeroblob(3)"}, {},
         "O campo nome da tabela mensalistas tem um valor que não é um texto de até 50 letras"},
        {"gatilho",
         {"CREATE TRIGGER t AFTER INSERT ON mensalistas BEGIN DELETE FROM mensalidades; END"}, {},
         "O arquivo tem o gatilho t, que não é deste sistema."},
        {"outro programa", {}, deOutroPrograma(), "não é um banco de dados do Quelmar."},
        {"outra senha", {}, comOutraSenha(), "Senha do banco de dados inválida"},
        {"vazio", {}, QByteArray(), "não é um banco de dados do Quelmar."},
        {"truncado", {}, QByteArray("-"), "danificado"},
    };
    for (Operacao op : {Operacao::Restauracao, Operacao::Mescla, Operacao::Importacao}) {
        Entrada e(op);
        const QByteArray dadosAntes = bytes(e.dados());
        for (const auto& c : casos) {
            SCOPED_TRACE(std::string(c.caso) + " / operação " + std::to_string(int(op)));
            if (!c.sql.isEmpty()) e.altera(c.sql);
            else if (c.conteudo == "-") e.escreve(e.bom.left(e.bom.size() / 2));
            else e.escreve(c.conteudo);
            const QByteArray arquivoAntes = bytes(e.arquivo());
            const Resultado r = e.executa();
            EXPECT_FALSE(r.ok);
            EXPECT_TRUE(r.mensagem.contains(QString::fromUtf8(c.causa))) << r.mensagem.toStdString();
            EXPECT_TRUE(r.mensagem.contains(e.arquivo())) << r.mensagem.toStdString();
            EXPECT_FALSE(r.mensagem.contains("restaurando")) << r.mensagem.toStdString();
            EXPECT_EQ(bytes(e.arquivo()), arquivoAntes);
            EXPECT_EQ(QDir(e.pasta.path()).entryList(QDir::Files),
                      QStringList{QFileInfo(e.arquivo()).fileName()});
            EXPECT_EQ(bytes(e.dados()), dadosAntes);
        }
        // The good file is still taken.
        e.escreve(e.bom);
        const Resultado r = e.executa();
        EXPECT_TRUE(r.ok) << r.mensagem.toStdString();
    }
}

// The backups an operator must never get back as the live database: each refused, the
// database byte for byte as it was and still working.
TEST(VerificaArquivo, RestauracaoRecusaBackupIncompleto) {
    const struct {
        const char* caso;
        QStringList sql;
        const char* causa;
    } casos[] = {
        {"sem usuários", {"DROP TABLE usuarios"}, "Falta a tabela usuarios."},
        {"mensalistas visão", {"ALTER TABLE mensalistas RENAME TO m", "CREATE VIEW mensalistas AS SELECT * FROM m"},
         "O arquivo tem uma visão no lugar da tabela mensalistas."},
        {"texto no valor líquido", {"UPDATE registro_saida SET valor_liquido = '12,50'"},
         "O campo valor_liquido da tabela registro_saida tem um valor que não é um valor em dinheiro"},
        {"sem configurações", {"DELETE FROM geral"}, "Faltam as configurações gerais."},
    };
    Entrada e(Operacao::Restauracao);
    const QByteArray dadosAntes = bytes(e.dados());
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        e.altera(c.sql);
        const QByteArray arquivoAntes = bytes(e.arquivo());
        const Resultado r = e.executa();
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.mensagem.contains(QString::fromUtf8(c.causa))) << r.mensagem.toStdString();
        EXPECT_EQ(bytes(e.arquivo()), arquivoAntes);
        EXPECT_EQ(bytes(e.dados()), dadosAntes);
    }
    EXPECT_EQ(e.destino.conta("usuarios"), 0);
    e.destino.db().executa("INSERT INTO usuarios (usuario, senha) VALUES ('ana', '1')");
}

// The layout of a database as the engine keeps it: every table and index with its text, the
// merge's own lookup indexes aside (the office keeps them after its first merge).
QStringList leiauteDe(Banco& db) {
    QStringList r;
    QSqlQuery q = db.executa("SELECT type, name, sql FROM sqlite_schema WHERE name NOT LIKE "
                             "'mescla_%' ORDER BY type, name");
    while (q.next()) r << q.value(0).toString() + ' ' + q.value(1).toString() + ' ' + q.value(2).toString();
    return r;
}

// A rule's text as the layout writes it into the file, and the same text changed.
QString trocaNoLeiaute(const QString& tabela, QString de, QString para) {
    return QStringLiteral("UPDATE sqlite_schema SET sql = replace(sql, '%2', '%3') WHERE name = '%1'")
        .arg(tabela, de.replace("'", "''"), para.replace("'", "''"));
}

// Files whose layout another program (the engine's shell) or a damaged page changed, and amounts
// no operator could have stored. Each is taken by restore, merge and import with the database
// left as the program's own (its rules and indexes, nothing of the file's), or refused naming
// the file, never the live database, with both left as they were.
TEST(VerificaArquivo, LeiauteDeOutroProgramaNuncaChegaAoBanco) {
    const QString regra = "CHECK(length(placa) <= 8 AND placa <> '')";
    const qint64 limite = Dinheiro::kMaiorDigitadoBruto;
    const struct {
        const char* caso;
        QStringList sql;
        const char* causa;   // null: taken
    } casos[] = {
        {"regra de placa que nunca vale",
         {trocaNoLeiaute("veiculos_mensalistas", regra, "CHECK(length(placa) > 8 AND placa = '')")},
         nullptr},
        {"regra com função que não existe",
         {trocaNoLeiaute("veiculos_mensalistas", regra, "CHECK(comprimento(placa) <= 8)")}, nullptr},
        {"regra ilegível", {trocaNoLeiaute("veiculos_mensalistas", regra, "CHECK(length(placa) <= 8 AND")},
         "O arquivo está danificado."},
        {"índice único a mais", {"CREATE UNIQUE INDEX unico ON veiculos_mensalistas (codigo)"}, nullptr},
        {"outro índice, parcial e descendente",
         {"CREATE INDEX outro ON mensalistas (nome COLLATE NOCASE DESC, filial) WHERE excluido = 0"},
         nullptr},
        {"campo chamado rowid", {"ALTER TABLE mensalidades ADD COLUMN rowid INTEGER"},
         "A tabela mensalidades tem o campo rowid, que não é deste sistema."},
        {"valor no limite", {QString("UPDATE mensalidades SET valor = %1").arg(limite)}, nullptr},
        {"negativo no limite", {QString("UPDATE mensalidades SET valor = %1").arg(-limite)}, nullptr},
        {"um décimo de milésimo acima do limite",
         {QString("UPDATE mensalidades SET valor = %1").arg(limite + 1)},
         "O campo valor da tabela mensalidades tem um valor que não é um valor em dinheiro de até "
         "99.999.999,99"},
        {"abaixo do limite negativo", {QString("UPDATE mensalidades SET valor = %1").arg(-limite - 1)},
         "O campo valor da tabela mensalidades tem um valor que não é um valor em dinheiro"},
        {"perto do fim do inteiro", {"UPDATE mensalidades SET valor = 9223372036854775000"},
         "O campo valor da tabela mensalidades tem um valor que não é um valor em dinheiro"},
    };
    for (Operacao op : {Operacao::Restauracao, Operacao::Mescla, Operacao::Importacao}) {
        Entrada e(op);
        BancoTeste novo;
        const QStringList proprio = leiauteDe(novo.db());
        for (const auto& c : casos) {
            SCOPED_TRACE(std::string(c.caso) + " / operação " + std::to_string(int(op)));
            e.altera(c.sql);
            if (!e.executaEsperando(c.causa)) continue;
            // Taken: the rows are there, under the program's own rules and indexes only, and
            // the database takes what those allow, a second vehicle of one subscriber included.
            EXPECT_EQ(leiauteDe(e.destino.db()), proprio);
            EXPECT_TRUE(e.destino.db().existe("SELECT 1 FROM veiculos_mensalistas WHERE placa = 'MEN-0001'"));
            veiculo(e.destino, 7, "MEN-0002", 1);
            EXPECT_THROW(veiculo(e.destino, 7, "MEN-00003", 1), ErroBanco);
            e.destino.db().executa("DELETE FROM veiculos_mensalistas WHERE placa = 'MEN-0002'");
            if (op == Operacao::Restauracao) continue;
            // The merge and the import consume the file: the next case starts from the bytes.
            e.escreve(e.bom);
        }
    }
}

// The backups of the restore alone: its whole layout came from another program. Each restored
// one is the program's layout with the backup's rows, kept in their order and with the next
// number of each counter; the lanes work on it after the next start.
TEST(VerificaArquivo, BackupRestauradoNoLeiauteDoPrograma) {
    const struct {
        const char* caso;
        QStringList sql;
        const char* causa;   // null: taken
        qint64 proximoTicket = 4;
    } casos[] = {
        {"regra de placa do pátio que nunca vale",
         {trocaNoLeiaute("veiculos_patio", "CHECK(length(placa) <= 8 AND placa <> '')", "CHECK(0)")},
         nullptr},
        {"placa única nas saídas", {"CREATE UNIQUE INDEX uma_saida ON registro_saida (placa)"}, nullptr},
        {"regra do Geral danificada",
         {trocaNoLeiaute("geral", "CHECK(length(linha1) <= 40)", "CHECK(length(linha1) <= 4)")}, nullptr},
        {"contador de tickets adiante das linhas",
         {"UPDATE sqlite_sequence SET seq = 500 WHERE name = 'gera_ticket'"}, nullptr, 501},
        {"contador além do campo",
         {"UPDATE sqlite_sequence SET seq = 2147483647 + 1 WHERE name = 'gera_ticket'"},
         "A numeração automática da tabela gera_ticket não é um número que o campo possa guardar."},
        {"contador que não é número",
         {"UPDATE sqlite_sequence SET seq = 'muitos' WHERE name = 'gera_ticket'"},
         "A numeração automática da tabela gera_ticket não é um número que o campo possa guardar."},
    };
    // Three vehicles entered, the first gone: the rows keep their numbers and order.
    const auto patio = [](Ambiente& a) {
        for (const char* placa : {"AAA-0001", "BBB-0002", "CCC-0003"})
            a.db().executa("INSERT INTO veiculos_patio (placa, ticket) VALUES (?, ?)",
                           {placa, a.db().executaDireto("INSERT INTO gera_ticket DEFAULT VALUES")});
        a.db().executa("DELETE FROM veiculos_patio WHERE placa = 'AAA-0001'");
    };
    const QString ordem = "SELECT group_concat(rowid || placa) FROM veiculos_patio";
    BancoTeste novo;
    const QStringList proprio = leiauteDe(novo.db());
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        Entrada e(Operacao::Restauracao, patio);
        e.altera(c.sql);
        if (!e.executaEsperando(c.causa)) continue;
        // The next start: the file in place opens as any database of the program.
        e.destino.db().fecha();
        Contexto ctx(e.destino.plataforma);
        ASSERT_TRUE(carrega_banco(ctx).ok);
        Banco& db = ctx.estado.db;
        EXPECT_EQ(leiauteDe(db), proprio);
        EXPECT_EQ(db.valor(ordem).toString(), e.origem.db().valor(ordem).toString());
        EXPECT_EQ(db.executaDireto("INSERT INTO gera_ticket DEFAULT VALUES"), c.proximoTicket);
        db.executa("INSERT INTO veiculos_patio (placa, ticket) VALUES ('EEE-0005', ?)", {c.proximoTicket});
        db.executa("INSERT INTO registro_saida (ticket, placa, total) VALUES (10, 'ABC-1234', 50000)");
        db.executa("UPDATE geral SET linha1 = 'Estacionamento Central'");
        EXPECT_EQ(db.valor("SELECT count(*) FROM registro_saida WHERE placa = 'ABC-1234'").toInt(), 2);
    }
}

// Cancelled by the operator at the first look: nothing changes and the file stays.
TEST(VerificaArquivo, CanceladoNaoMudaNada) {
    for (Operacao op : {Operacao::Mescla, Operacao::Importacao}) {
        Entrada e(op);
        const QByteArray dadosAntes = bytes(e.dados());
        int avisos = 0;
        Andamento andamento([&](int) { return ++avisos < 1; });
        const Resultado r = e.executa(&andamento);
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.mensagem.contains("A operação foi cancelada.")) << r.mensagem.toStdString();
        EXPECT_EQ(bytes(e.arquivo()), e.bom);
        EXPECT_EQ(bytes(e.dados()), dadosAntes);
        EXPECT_EQ(avisos, 1);
    }
}

}  // namespace

// What is restored, merged or imported is what was checked. The file the operator chose is
// rewritten in place (another copy onto the medium still running) while it is being copied, or
// once it has been checked: a change during the copy is refused with a request to try again,
// one after the check never reaches the database, and nothing is left beside the database.
// Refused too, though each read of it would find it unchanged: its later part rewritten while it
// is copied and its earlier part only after, and a writer that stopped half-way and holds it open
// or mapped. Refused as well, though no write call, descriptor or time tells it: a rewrite through
// a shared mapping while it is copied. A newer file put at its name once it is copied (written
// aside and renamed over it), or the file rewritten after its check, is never read nor removed:
// it stays, and the operator is told.
TEST(VerificaArquivo, LidoDosMesmosBytesVerificados) {
    // Enough rows for a copy in several parts, and a cancellation: the first table checked.
    const auto volume = [](Ambiente& a) {
        a.db().executa("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 4000) "
                       "INSERT INTO mensalidades (codigo, mes, pago, valor, filial) "
                       "SELECT 7, date('1900-01-01', '+' || i || ' months'), 1, 1000000, 1 FROM n");
        a.db().executa("INSERT INTO cancelamento_ticket (ticket, placa, hora, caixa, filial) "
                       "VALUES (5, 'XYZ-0005', '10:00:00', 1, 1)");
    };
    const QStringList valor = {"UPDATE registro_saida SET valor_liquido = 922337203685477580"};
    const QStringList inicio = {"UPDATE mensalistas SET data_inicio = 'ontem'"};
    // Another sound backup: a blend of its pages and the first one's passes every check.
    const QStringList outroBackup = {"UPDATE registro_saida SET placa = 'XYZ-9999'",
                                     "UPDATE mensalidades SET valor = 1200000"};
    enum class Quando {
        NaCopia,            // rewritten whole while copied
        DepoisDaVerificacao,
        DeTrasParaFrente,   // its later part while copied, its earlier part once copied
        GravadorParado,     // its earlier part written, the writer holding it open
        MapeadoParado,      // the same, the writer holding it mapped, its descriptor closed
        PeloMapa,           // rewritten whole while copied, through a mapping made before
        TrocadoNaMescla,    // another file renamed over it while it is merged
        TrocadoAoExcluir,   // the same, as the file merged is being removed
    };
    const struct {
        Operacao op;
        Quando quando;
        QStringList mudanca;   // the other version of the file
        const char* lido;      // once taken, as in the database the file came from
        const char* recusa = "mudou enquanto era copiado";
    } casos[] = {
        {Operacao::Restauracao, Quando::NaCopia, valor, "SELECT valor_liquido FROM registro_saida"},
        {Operacao::Mescla, Quando::NaCopia, valor, "SELECT valor_liquido FROM registro_saida"},
        {Operacao::Importacao, Quando::NaCopia, inicio, "SELECT data_inicio FROM mensalistas"},
        {Operacao::Mescla, Quando::DepoisDaVerificacao, {"UPDATE cancelamento_ticket SET hora = 'depois'"},
         "SELECT hora FROM cancelamento_ticket"},
        {Operacao::Importacao, Quando::DepoisDaVerificacao, inicio, "SELECT data_inicio FROM mensalistas"},
        {Operacao::Restauracao, Quando::DeTrasParaFrente, outroBackup,
         "SELECT placa || sum(valor) FROM registro_saida, mensalidades"},
        {Operacao::Restauracao, Quando::GravadorParado, outroBackup,
         "SELECT placa || sum(valor) FROM registro_saida, mensalidades", "está aberto para gravação em outro programa"},
        {Operacao::Mescla, Quando::MapeadoParado, outroBackup, "SELECT placa FROM registro_saida", "está aberto para gravação em outro programa"},
        {Operacao::Restauracao, Quando::PeloMapa, outroBackup,
         "SELECT placa || sum(valor) FROM registro_saida, mensalidades"},
        {Operacao::Mescla, Quando::TrocadoNaMescla, outroBackup, "SELECT placa FROM registro_saida"},
        {Operacao::Importacao, Quando::TrocadoNaMescla, inicio, "SELECT data_inicio FROM mensalistas"},
        {Operacao::Mescla, Quando::TrocadoAoExcluir, valor, "SELECT valor_liquido FROM registro_saida"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::to_string(int(c.op)) + " " + std::to_string(int(c.quando)));
        ConexaoEmOutroProcesso gravador;
        Entrada e(c.op, volume);
        e.altera(c.mudanca);
        const QByteArray outra = bytes(e.arquivo());
        // The other version's pages from the one after its first change on: the two parts of a
        // blend, each whole.
        qsizetype corte = 0;
        while (corte < outra.size() && outra[corte] == e.bom[corte]) ++corte;
        corte = (corte / 4096 + 1) * 4096;
        ASSERT_NE(outra.mid(corte), e.bom.mid(corte));
        e.escreve(e.bom);
        const QByteArray dadosAntes = bytes(e.dados());
        bool mudou = false;
        const auto reescreve = [&](qsizetype de, qsizetype ate) {
            QFile f(e.arquivo());
            mudou = f.open(QIODevice::ReadWrite) && f.seek(de) && f.write(outra.mid(de, ate - de)) == ate - de;
        };
        if (c.quando == Quando::GravadorParado || c.quando == Quando::MapeadoParado) {
            ASSERT_EQ(c.quando == Quando::GravadorParado ? gravador.seguraParaGravar(e.arquivo())
                                                         : gravador.mapeiaParaGravar(e.arquivo()),
                      "ok");
            reescreve(0, corte);
        }
        // Mapped by this process (not a writer the look at other processes' mappings finds: only
        // the copy compared again tells it), every page written once before the copy: later
        // writes through the mapping fault no more, and so move no time of the file.
        char* mapa = nullptr;
        if (c.quando == Quando::PeloMapa) {
            ASSERT_EQ(outra.size(), e.bom.size());
            const int fd = ::open(QFile::encodeName(e.arquivo()).constData(), O_RDWR);
            void* m = ::mmap(nullptr, size_t(outra.size()), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
            ::close(fd);
            ASSERT_NE(m, MAP_FAILED);
            mapa = static_cast<char*>(m);
            std::memcpy(mapa, e.bom.constData(), size_t(e.bom.size()));
        }
        // A newer file, written aside and renamed over the one being taken.
        const auto trocaPorOutra = [&] {
            const QString nova = e.arquivo() + ".nova";
            QFile f(nova);
            mudou = f.open(QIODevice::WriteOnly) && f.write(outra) == outra.size() && f.flush() &&
                    std::rename(QFile::encodeName(nova).constData(), QFile::encodeName(e.arquivo()).constData()) == 0;
        };
        int partes = 0;   // the copy's changes: made, created, then one before each later part
        const OuvinteArquivos antes = ouveMudancasArquivos([&](const QString& arquivo) {
            if (c.quando == Quando::TrocadoAoExcluir && arquivo == e.arquivo() && !mudou) trocaPorOutra();
            if (!arquivo.endsWith(kCopiaRestauracao) && !arquivo.endsWith(kCopiaRecebida)) return;
            ++partes;
            if (c.quando == Quando::NaCopia && partes == 3) reescreve(0, outra.size());
            if (c.quando == Quando::DeTrasParaFrente && partes == 2) reescreve(corte, outra.size());
            if (c.quando == Quando::PeloMapa && partes == 3) {
                std::memcpy(mapa, outra.constData(), size_t(outra.size()));
                mudou = true;
            }
        });
        Andamento andamento([&](int) {
            if (c.quando == Quando::DepoisDaVerificacao && !mudou) reescreve(0, outra.size());
            if (c.quando == Quando::TrocadoNaMescla && !mudou) trocaPorOutra();
            return true;
        });
        // The engine keeps few pages in memory, as it does for a file larger than its cache: a
        // page checked is read again when it is merged.
        const sqlite3_int64 limite = sqlite3_soft_heap_limit64(1);
        const Resultado r = e.executa(&andamento);
        sqlite3_soft_heap_limit64(limite);
        ouveMudancasArquivos(antes);
        EXPECT_TRUE(mudou);
        EXPECT_EQ(QDir(e.destino.plataforma.pastaPrograma()).entryList({"dados.mdb.*"}, QDir::Files), QStringList());
        if (c.quando == Quando::DepoisDaVerificacao || c.quando == Quando::TrocadoNaMescla ||
            c.quando == Quando::TrocadoAoExcluir) {
            EXPECT_TRUE(r.ok) << r.mensagem.toStdString();
            EXPECT_EQ(e.destino.linha(c.lido).join(' ').toStdString(), e.origem.linha(c.lido).join(' ').toStdString());
            // The other version, never read, stays alone at its name.
            EXPECT_TRUE(r.mensagem.contains("O arquivo " + e.arquivo() + " foi substituído ou alterado durante o "
                                            "recebimento: esta nova versão não foi recebida e foi mantida."))
                << r.mensagem.toStdString();
            EXPECT_EQ(bytes(e.arquivo()), outra);
            EXPECT_EQ(QDir(e.pasta.path()).entryList(QDir::Files), QStringList{QFileInfo(e.arquivo()).fileName()});
            continue;
        }
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.mensagem.contains("O arquivo " + e.arquivo() + " " + c.recusa)) << r.mensagem.toStdString();
        EXPECT_EQ(bytes(e.dados()), dadosAntes);
        // Once the writer is done, the other version is checked as it stands, and taken when sound.
        if (mapa) ::munmap(mapa, size_t(outra.size()));
        reescreve(0, outra.size());
        gravador.largaArquivo();
        const Resultado depois = e.executa();
        EXPECT_EQ(depois.ok, c.mudanca == outroBackup) << depois.mensagem.toStdString();
        // Read from its bytes: a merge removes the file it took.
        QTemporaryDir copiaOutra;
        QFile arquivoOutra(copiaOutra.filePath("outra"));
        ASSERT_TRUE(arquivoOutra.open(QIODevice::WriteOnly) && arquivoOutra.write(outra) == outra.size());
        arquivoOutra.close();
        Banco versao;
        versao.abreLeitura(arquivoOutra.fileName(), Banco::kSenha);
        if (depois.ok) {
            EXPECT_EQ(e.destino.linha(c.lido).join(' '), versao.valor(c.lido).toString());
        }
    }
}
