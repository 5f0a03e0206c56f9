#include "cenario.h"

#include "cash/abe_cai.h"
#include "data/banco.h"
#include "data/cria_banco.h"
#include "programa/liga_pista.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QRadioButton>

#include <cstdio>

namespace {

std::string letras(int n, int quantas) {
    std::string s(size_t(quantas), 'A');
    for (int i = quantas - 1; i >= 0; --i, n /= 26) s[size_t(i)] = char('A' + n % 26);
    return s;
}

std::string comZeros(int n) {
    char b[8];
    std::snprintf(b, sizeof b, "%04d", n % 10000);
    return b;
}

// The i-th plate of the yard, spread over the alphabet.
std::string placaDoPatio(int i) {
    const int j = int((long long)(i) * 7919 % 1000003);
    return letras(j / 10000, 3) + "-" + comZeros(j);
}

std::string placaDeMensalista(int k) { return "MEN-" + comZeros(k); }

std::string dataDoPatio(int i) { return "2026-12-0" + std::to_string(1 + i % 7); }

std::string horaDoPatio(int i) {
    char b[16];
    std::snprintf(b, sizeof b, "%02d:%02d:%02d", i % 24, (i / 24) % 60, (i / 7) % 60);
    return b;
}

}  // namespace

void criaModelo(const QString& caminho) {
    {
        Banco db;
        cria_banco(db, caminho, [](Banco& b) {
            b.executa("INSERT INTO geral (versao, data, hora, linha1, linha2, linha3, linha4, "
                      "impressora, cancela_entrada, cancela_saida, mostrar_lista) "
                      "VALUES (123, '2026-12-07', '10:00:00', '', '', '', '', ' ', ' ', ' ', 1)");
            b.executa("INSERT INTO data_hora (data, hora) VALUES ('2026-12-07', '10:00:00')");
            // A time table, so the exit panel computes its fee as at the lane.
            b.executa("INSERT INTO rotativo_variavel (tempo, valor, ordem) VALUES "
                      "('01:00:00', 50000, 1), ('01:00:00', 30000, 2), ('02:00:00', 40000, 3)");
            b.executa("INSERT INTO rotativo (apos_cobrar, apos_a_cada) VALUES (20000, '01:00:00')");
        });
    }
    sqlite3* db = abreNu(caminho.toStdString(), "WAL", "OFF");
    execNu(db, "BEGIN");
    {
        Comando c(db, "INSERT INTO registro_saida (data_entrada, hora_entrada, data_saida, "
                      "hora_saida, ticket, placa, mensalista, convenio, tipo_estacionamento, "
                      "caixa, total, valor_liquido) VALUES (?, ?, ?, ?, ?, ?, NULL, NULL, 'R', "
                      "?, ?, ?)");
        for (int i = 0; i < 1000000; ++i) {
            const std::string d =
                "2025-" + comZeros(1 + (i / 3000) % 12).substr(2) + "-" + comZeros(1 + i % 28).substr(2);
            c.texto(1, d).texto(2, horaDoPatio(i)).texto(3, d).texto(4, horaDoPatio(i + 3)).inteiro(5, i + 1)
                .texto(6, placaDoPatio(i % 50000)).inteiro(7, 1 + i / 5000)
                .inteiro(8, 100000 + i % 7 * 10000).inteiro(9, 100000 + i % 7 * 10000).roda();
        }
        Comando m(db, "INSERT INTO mensalistas (codigo, nome, num_max_veic, excluido) "
                      "VALUES (?, ?, 2, 0)");
        Comando v(db, "INSERT INTO veiculos_mensalistas (codigo, veiculo, placa, filial) "
                      "VALUES (?, 'Carro', ?, 1)");
        for (int k = 0; k < 300; ++k) {
            m.inteiro(1, k + 1).texto(2, "Mensalista " + std::to_string(k + 1)).roda();
            v.inteiro(1, k + 1).texto(2, placaDeMensalista(k)).roda();
        }
    }
    execNu(db, "COMMIT");
    sqlite3_close(db);
}

Cenario::Cenario(const QString& pasta, const QString& modelo, int patio_, std::string diario_,
                 std::string sincronia_)
    : patio(patio_), diario(std::move(diario_)), sincronia(std::move(sincronia_)),
      plataforma(pasta) {
    QDir().mkpath(pasta);
    const QString caminho = pasta + "/dados.mdb";
    QFile::remove(caminho);
    if (!QFile::copy(modelo, caminho)) std::abort();

    // The yard: every third vehicle without a tag, one in twenty a subscriber's.
    sqlite3* db = abreNu(caminho.toStdString(), "WAL", "OFF");
    execNu(db, "BEGIN");
    {
        Comando t(db, "INSERT INTO gera_ticket (ticket) VALUES (?)");
        Comando v(db, "INSERT INTO veiculos_patio (mensalista, placa, data_entrada, hora_entrada, "
                      "ticket, prisma, veiculo) VALUES (?, ?, ?, ?, ?, ?, '')");
        for (int i = 0; i < patio; ++i) {
            const bool mensalista = i % 20 == 0 && i / 20 < 300;
            placas_.push_back(mensalista ? placaDeMensalista(i / 20) : placaDoPatio(i));
            t.inteiro(1, i + 1).roda();
            if (mensalista) v.inteiro(1, i / 20 + 1).nulo(5);
            else v.nulo(1).inteiro(5, i + 1);
            v.texto(2, placas_.back()).texto(3, dataDoPatio(i)).texto(4, horaDoPatio(i));
            if (prismaBase(i)) v.inteiro(6, prismaBase(i));
            else v.nulo(6);
            v.roda();
        }
    }
    execNu(db, "COMMIT");
    sqlite3_close(db);

    // The program, as the login leaves it with a register open and the yard list shown.
    Estado& e = ctx.estado;
    e.db.abre(caminho, Banco::kSenha);
    e.db.executa(QString::fromStdString("PRAGMA journal_mode = " + diario));
    e.db.executa(QString::fromStdString("PRAGMA synchronous = " + sincronia));
    e.data_atual = QDate(2026, 12, 7);
    e.hora_atual = QTime(10, 0);
    e.numero_caixa = 1;
    e.impressora = e.impressora_fiscal = e.cancela_entrada = e.cancela_saida = QStringLiteral(" ");
    janela = std::make_unique<JanelaPrincipalTeste>(ctx);
    ligaPista(ctx, *janela);
    janela->mostraCaixa();
    janela->show();
    janela->Frame3->show();
    janela->atualiza_lista_patio();
    janela->Option1->setChecked(true);

    nu = abreNu(caminho.toStdString(), diario, sincronia);
    auto prepara = [this](const char* sql) { return std::make_unique<Comando>(nu, sql); };
    inicia = prepara("BEGIN");
    confirma = prepara("COMMIT");
    placaNoPatio = prepara("SELECT placa FROM veiculos_patio WHERE placa = ?");
    placaMensalista = prepara(
        "SELECT veiculos_mensalistas.codigo FROM veiculos_mensalistas, mensalistas "
        "WHERE veiculos_mensalistas.placa = ? AND veiculos_mensalistas.codigo = mensalistas.codigo "
        "AND mensalistas.excluido = 0 ORDER BY veiculos_mensalistas.rowid LIMIT 1");
    novoTicket = prepara("INSERT INTO gera_ticket DEFAULT VALUES");
    novoVeiculo = prepara("INSERT INTO veiculos_patio (mensalista, mensalista_pago, placa, "
                          "data_entrada, hora_entrada, ticket, prisma, veiculo) "
                          "VALUES (NULL, NULL, ?, ?, ?, ?, NULL, '')");
    achaSaida = prepara("SELECT rowid, mensalista FROM veiculos_patio "
                        "WHERE ticket = ? OR placa = ? ORDER BY rowid LIMIT 1");
    apagaVeiculo = prepara("DELETE FROM veiculos_patio WHERE rowid = ?");
    novaEstadia = prepara("INSERT INTO registro_saida (data_entrada, hora_entrada, data_saida, "
                          "hora_saida, ticket, placa, mensalista, convenio, tipo_estacionamento, "
                          "caixa, total, valor_liquido) VALUES (?, ?, ?, ?, ?, ?, NULL, NULL, "
                          "'R', ?, ?, ?)");
    porPlaca = prepara("SELECT ticket, placa, data_entrada, hora_entrada, veiculo FROM veiculos_patio "
                       "WHERE placa = ? ORDER BY rowid LIMIT 1");
    porTicket = prepara("SELECT ticket, placa, data_entrada, hora_entrada, veiculo FROM veiculos_patio "
                       "WHERE ticket = ? ORDER BY rowid LIMIT 1");
    porPrisma = prepara("SELECT ticket, placa, data_entrada, hora_entrada, veiculo FROM veiculos_patio "
                       "WHERE prisma = ? ORDER BY rowid LIMIT 1");
    lista = prepara("SELECT prisma, placa, data_entrada, hora_entrada, mensalista "
                    "FROM veiculos_patio ORDER BY prisma, placa");
}

Cenario::~Cenario() {
    inicia.reset(); confirma.reset(); placaNoPatio.reset(); placaMensalista.reset();
    novoTicket.reset(); novoVeiculo.reset(); achaSaida.reset(); apagaVeiculo.reset();
    novaEstadia.reset(); porPlaca.reset(); porTicket.reset(); porPrisma.reset(); lista.reset();
    sqlite3_close(nu);
    janela.reset();
    ctx.estado.db.fecha();
}

std::string Cenario::novaPlaca() {
    const int n = novas_++;
    char b[16];
    std::snprintf(b, sizeof b, "Z%c%c-%04d", 'A' + n / 10000 / 26 % 26, 'A' + n / 10000 % 26,
                  n % 10000);
    return b;
}
