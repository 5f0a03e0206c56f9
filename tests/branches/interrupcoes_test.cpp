#include "access/carga_acesso.h"
#include "branches/backup.h"
#include "branches/troca_filial.h"
#include "branches/filiais_teste.h"
#include "data/gravacao_segura.h"
#include "support/retrato_morte.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// The program's folder as a kill at one file change leaves it: a copy of every file there,
// taken before the change is made, each copy standing for the file it was taken from.
struct Retrato {
    QString antes;   // the file about to change
    QStringList arquivos;
    std::unique_ptr<RetratoMorte> copia;
};

Retrato retrata(const QString& programa, const QString& antes) {
    const QDir de(programa);
    Retrato r{QFileInfo(antes).fileName(), de.entryList(QDir::Files | QDir::Hidden), nullptr};
    QStringList caminhos;
    for (const QString& nome : r.arquivos) caminhos << de.filePath(nome);
    r.copia = std::make_unique<RetratoMorte>(caminhos, de.filePath(kGravacoesAnotadas));
    return r;
}

// Every file change of `opera` in the program's folder, each one a kill point, and the end.
std::vector<Retrato> retratosDe(const QString& programa, const std::function<void()>& opera) {
    std::vector<Retrato> r;
    const OuvinteArquivos antes = ouveMudancasArquivos(
        [&](const QString& arquivo) { r.push_back(retrata(programa, arquivo)); });
    opera();
    ouveMudancasArquivos(antes);
    r.push_back(retrata(programa, "fim"));
    return r;
}

const QStringList kDoPrograma = {"dados.mdb", "dados.mdb-wal", "dados.mdb-shm", "dados.mdb.trava"};

// A backup into the program's folder (the window's first choice), a restore and the merge of a
// branch file found there, stopped at each of their file changes: the next start opens the data
// as they were before or after, and finds no full copy of them left beside it but the backup
// the operator asked for, whole, or the branch file not yet merged.
TEST(Interrupcoes, ProximoInicioSemCopiasEsquecidas) {
    const QStringList placas = {"AAA-0001", "BBB-0002", "CCC-0003"};
    const auto entra = [](Ambiente& amb, const QString& placa) {
        amb.db().executa("INSERT INTO veiculos_patio (placa, data_entrada, hora_entrada, ticket) "
                         "VALUES (?, '2026-12-07', '10:00:00', 1)",
                         {placa});
    };
    enum class Op { BackupNaPastaDoPrograma, Restauracao, MesclaNaPastaDoPrograma };
    const struct {
        Op op;
        const char* nome;
        QStringList copias;   // the full copies of the data each operation makes on its way
        size_t mudancas;      // at least so many file changes, each a kill point
    } operacoes[] = {
        {Op::BackupNaPastaDoPrograma, "backup na pasta do programa", {"dados.mdb.anterior", "backup.gravando", "compact.mdb"}, 15},
        {Op::Restauracao, "restauração", {"dados.mdb.anterior", "dados.mdb.reconstruido", "dados.mdb.restaurando"}, 15},
        {Op::MesclaNaPastaDoPrograma, "mescla na pasta do programa", {"dados.mdb.recebendo", "backup_filial.mdb.excluindo-"}, 5},
    };
    for (const auto& o : operacoes) {
        SCOPED_TRACE(o.nome);
        Ambiente amb, filial;
        QTemporaryDir outra;
        const QString programa = amb.plataforma.pastaPrograma();
        const QString arquivoFilial = programa + "/backup_filial.mdb";
        entra(amb, placas[0]);
        entra(amb, placas[1]);
        // The restore brings back the two vehicles over the three of now.
        if (o.op == Op::Restauracao) {
            ASSERT_TRUE(realiza_backup(amb.db(), programa, outra.path(), 1 << 30).ok);
            entra(amb, placas[2]);
        }
        // The merge brings the branch's stay into the office.
        QByteArray doArquivo;
        if (o.op == Op::MesclaNaPastaDoPrograma) {
            defineFilial(amb, QVariant(), true);
            defineFilial(filial, 1);
            saida(filial, 1, "AAA-0001", "10:00:00", 1);
            ASSERT_TRUE(exporta_filial(filial.db(), arquivoFilial).ok);
            doArquivo = bytes(arquivoFilial);
        }
        const int agora = amb.conta("veiculos_patio");
        const std::vector<Retrato> retratos = retratosDe(programa, [&] {
            const ResultadoBackup r = o.op == Op::Restauracao ? restaura_backup(amb.db(), programa, outra.path())
                : o.op == Op::MesclaNaPastaDoPrograma   ? mescla_filial(amb.db(), arquivoFilial)
                                                         : realiza_backup(amb.db(), programa, programa, 1 << 30);
            EXPECT_TRUE(r.ok) << r.mensagem.toStdString();
        });

        // The kills fall where the copies stand beside the data.
        QStringList vistos;
        for (const Retrato& r : retratos) vistos += r.arquivos;
        for (const QString& c : o.copias) EXPECT_TRUE(vistos.join(' ').contains(c)) << c.toStdString();
        EXPECT_GE(retratos.size(), o.mudancas);

        for (const Retrato& r : retratos) {
            SCOPED_TRACE(("antes de mudar " + r.antes + " em " + r.arquivos.join(' ')).toStdString());
            PlataformaFalsa p;
            p.definePasta(r.copia->pasta());
            Contexto ctx(p);
            const ResultadoCarga carga = carrega_banco(ctx);
            ASSERT_TRUE(carga.ok) << carga.falha.toStdString();
            EXPECT_FALSE(carga.criado);
            const int vistas = ctx.estado.db.valor("SELECT count(*) FROM veiculos_patio").toInt();
            if (o.op == Op::Restauracao) EXPECT_TRUE(vistas == agora || vistas == 2) << vistas;
            else EXPECT_EQ(vistas, agora);
            if (o.op == Op::MesclaNaPastaDoPrograma) {
                EXPECT_LE(ctx.estado.db.valor("SELECT count(*) FROM registro_saida").toInt(), 1);
            }

            QStringList restam = QDir(r.copia->pasta()).entryList(QDir::Files | QDir::Hidden);
            if (o.op == Op::BackupNaPastaDoPrograma && restam.removeAll("backup")) {
                Banco backup;
                backup.abre(r.copia->pasta() + "/backup", Banco::kSenha);
                EXPECT_EQ(backup.valor("SELECT count(*) FROM veiculos_patio").toInt(), agora);
            }
            if (o.op == Op::MesclaNaPastaDoPrograma && restam.removeAll("backup_filial.mdb")) {
                EXPECT_EQ(bytes(r.copia->pasta() + "/backup_filial.mdb"), doArquivo);
            }
            for (const QString& f : kDoPrograma) restam.removeAll(f);
            EXPECT_EQ(restam.join(' ').toStdString(), "");
        }
    }
}

}  // namespace
