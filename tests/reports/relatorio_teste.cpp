#include "reports/relatorio_teste.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

void esperaRelatorio(PlataformaFalsa& plataforma, const ControleRelatorio& cr) {
    const auto passa = [] {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    while (cr.construindo()) passa();
    passa();
    // The preview's document is the fake's alone once its build has ended and gone.
    if (!plataforma.visualizados.empty())
        while (plataforma.visualizados.back().documento.use_count() > 1) passa();
}

RelatorioTeste::RelatorioTeste() {
    instalaModelos();
    preencheBanco();
}

void RelatorioTeste::instalaModelos() {
    const QDir origem(QStringLiteral(QUELMAR_MODELOS));
    for (const QString& nome : origem.entryList({QStringLiteral("*.rpt")}, QDir::Files))
        QFile::copy(origem.filePath(nome), QDir(amb.plataforma.pastaPrograma()).filePath(nome));
}

void RelatorioTeste::preencheBanco() {
    Banco& db = amb.db();
    const auto x = [&db](const char* sql) { db.executa(QString::fromUtf8(sql)); };
    x("UPDATE geral SET empresa = 'Estacionamento Central'");
    x("INSERT INTO usuarios (usuario, senha, data_cadastro, excluido, usu, rel, pri) VALUES "
      "('bruno', 'x', '2008-01-02', 0, 1, 1, 1), ('ana', 'x', '2008-02-03', 0, 0, 1, 0), "
      "('zeca', 'x', '2008-01-01', 1, 1, 1, 1)");
    x("INSERT INTO rotativo_variavel (tempo, valor, ordem) VALUES ('02:00:00', 80000, 2), ('01:00:00', 50000, 1)");
    x("INSERT INTO rotativo (apos_cobrar, apos_a_cada) VALUES (30000, '01:00:00')");
    x("INSERT INTO turnos (hora_inicial, hora_final, valor) VALUES ('08:00:00', '18:00:00', 200000)");
    x("INSERT INTO diaria (tempo, valor) VALUES (24, 300000)");
    x("INSERT INTO tipos_mensalistas (codigo, tipo, valor, dia_vencto) VALUES "
      "(1, 'Carro', 1500000, 10), (2, 'Moto', 800000, 5)");
    x("INSERT INTO convenios (convenio, isento_fixo_variavel, valor_fixo, seg, ter, hora_inicio, hora_fim) VALUES "
      "('Shopping', 'V', NULL, 1, 1, '08:00:00', '22:00:00'), ('Hotel', 'F', 100000, 1, 0, NULL, NULL)");
    x("INSERT INTO convenios_variaveis (codigo, tempo, valor, ordem) VALUES "
      "(1, '03:00:00', 40000, 2), (1, '01:00:00', 0, 1)");
    x("INSERT INTO mensalistas (codigo, nome, tipo, dia_vencto, valor, filial, excluido, tel_cel, data_inicio) VALUES "
      "(1, 'Zélia Souza', 1, 5, 800000, 1, 0, '9999-0001', '2008-01-10'), "
      "(2, 'Bruno Lima', 1, 10, 1500000, 2, 0, '', '2008-01-11'), "
      "(3, 'Ana Reis', 2, 5, 1500000, 2, 0, '9999-0003', '2008-01-12'), "
      "(4, 'Carlos Excluído', 1, 1, 1500000, 2, 1, '', '2008-01-13')");
    x("INSERT INTO veiculos_mensalistas (codigo, veiculo, ano, placa, filial) VALUES "
      "(3, 'Uno', '2005', 'BBB-2222', 2), (3, 'Gol', '2010', 'AAA-1111', 2), (2, 'Civic', '2012', 'CCC-3333', 2)");
    x("INSERT INTO registro_saida (data_entrada, hora_entrada, data_saida, hora_saida, ticket, placa, "
      "tipo_estacionamento, caixa, total, valor_liquido, filial) VALUES "
      "('2008-03-01', '08:00:00', '2008-03-01', '09:00:00', 11, 'RRR-0001', 'R', 1, 100000, 100000, 1), "
      "('2008-03-01', '10:00:00', '2008-03-01', '10:30:00', 12, 'RRR-0002', 'R', 1, 50000, 50000, 2), "
      "('2008-03-01', '11:00:00', '2008-03-01', '12:00:00', 13, 'CCC-0003', 'C', 1, 75000, 75000, 2), "
      "('2008-03-02', '07:00:00', '2008-03-02', '19:00:00', 0, 'AAA-1111', 'M', 2, 0, 0, 2), "
      "('2008-03-15', '08:00:00', '2008-03-15', '08:40:00', 14, 'RRR-0004', 'R', 3, 120000, 120000, 1), "
      "('2008-02-29', '08:00:00', '2008-02-29', '09:00:00', 9, 'RRR-0009', 'R', 1, 500000, 500000, 2), "
      "('2008-04-01', '08:00:00', '2008-04-01', '09:00:00', 15, 'RRR-0005', 'R', 4, 990000, 990000, 2)");
    x("INSERT INTO pagamento_mensalidade (mensalista, mes, valor, caixa, data, hora, desconto, adicional, filial) VALUES "
      "(1, '2008-03-01', 800000, 1, '2008-03-05', '10:00:00', 0, 0, 1), "
      "(2, '2008-03-01', 1500000, 2, '2008-03-10', '11:00:00', 0, 0, 2), "
      "(3, '2008-04-01', 1500000, 4, '2008-04-01', '09:00:00', 0, 0, 2)");
}

QStringList RelatorioTeste::linhasVistas() const {
    if (amb.plataforma.visualizados.empty()) return {};
    return amb.plataforma.visualizados.back().documento->texto();
}
