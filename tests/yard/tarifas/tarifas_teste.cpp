#include "tarifas_teste.h"

#include <stdexcept>

Dinheiro rs(const char* texto) {
    const auto d = Dinheiro::ler(QString::fromUtf8(texto));
    if (!d) throw std::invalid_argument(texto);
    return *d;
}

void semeiaDegrausRotativo(Banco& db, const QList<DegrauTeste>& degraus) {
    int ordem = 1;
    for (const DegrauTeste& d : degraus)
        db.executa(QStringLiteral("INSERT INTO rotativo_variavel (tempo, valor, ordem) "
                                  "VALUES (?, ?, ?)"),
                   {QString::fromUtf8(d.tempo), rs(d.valor).paraBanco(), ordem++});
}

void semeiaExtensaoRotativo(Banco& db, const char* aposCobrar, const char* aposACada) {
    db.executa(QStringLiteral("INSERT INTO rotativo (apos_cobrar, apos_a_cada) VALUES (?, ?)"),
               {rs(aposCobrar).paraBanco(), QString::fromUtf8(aposACada)});
}

void semeiaRotativoPadrao(Banco& db) {
    semeiaDegrausRotativo(db, {{"01:00:00", "5,00"}, {"01:00:00", "3,00"}, {"02:00:00", "4,00"}});
    semeiaExtensaoRotativo(db, "2,00", "01:00:00");
}

void semeiaDiaria(Banco& db, int horas, const char* valor) {
    db.executa(QStringLiteral("INSERT INTO diaria (tempo, valor) VALUES (?, ?)"),
               {horas, rs(valor).paraBanco()});
}

PedidoTarifa pedido(const QString& modalidade, const QString& datEnt, const QString& horEnt,
                    const QString& datSai, const QString& horSai) {
    PedidoTarifa p;
    p.modalidade = modalidade;
    p.dat_ent = datEnt;
    p.hor_ent = horEnt;
    p.dat_sai = datSai;
    p.hor_sai = horSai;
    p.data_atual = QDate::fromString(datSai, QStringLiteral("dd/MM/yyyy"));
    p.hora_atual = QTime::fromString(horSai, QStringLiteral("HH:mm:ss"));
    return p;
}

std::string textoTot(const ResultadoTarifa& r) {
    return r.total ? r.total->formata().toStdString() : std::string("ERRO");
}
