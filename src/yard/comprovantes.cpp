#include "yard/comprovantes.h"

#include "devices/bobina.h"

#include <QDate>
#include <QTime>

namespace {

// "dd/mm/yyyy" as "dd/mm/yy"; a text that is no date is printed as it stands.
QString dataCurta(const QString& texto) {
    const QDate d = QDate::fromString(texto.trimmed(), QStringLiteral("dd/MM/yyyy"));
    return d.isValid() ? d.toString(QStringLiteral("dd/MM/yy")) : texto;
}

QTime hora(const QString& texto) {
    const QString t = texto.trimmed();
    const QTime h = QTime::fromString(t, QStringLiteral("HH:mm:ss"));
    return h.isValid() ? h : QTime::fromString(t, QStringLiteral("HH:mm"));
}

// "HH:MM" of a "HH:MM:SS" text; a text that is no time is printed as it stands.
QString horaCurta(const QString& texto) {
    const QTime h = hora(texto);
    return h.isValid() ? h.toString(QStringLiteral("HH:mm")) : texto;
}

// The exit time less the entry time, as times of day.
QString permanencia(const QString& entrada, const QString& saida) {
    const QTime e = hora(entrada), s = hora(saida);
    if (!e.isValid() || !s.isValid()) return QString();
    const int segundos = ((e.secsTo(s) % 86400) + 86400) % 86400;
    return QTime(0, 0).addSecs(segundos).toString(QStringLiteral("HH:mm:ss"));
}

// Closes the open coupon, paid in cash, with the receipt's last line; `retorno` keeps the status.
bool fechaCupom(ImpressoraFiscal& fiscal, const QString& mensagem, qint16& retorno) {
    retorno = qint16(fiscal.fechaCupomResumido(QStringLiteral("DINHEIRO"), mensagem));
    return retorno == 1;
}

}  // namespace

void cabecalho_comprovante(Bobina& b, const ConfigBobina& c) {
    for (const QString* l : {&c.linha1, &c.linha2, &c.linha3, &c.linha4}) b.linha(*l);
}

void rodape_comprovante(Bobina& b, const ConfigBobina& c) {
    b.linha(c.penult_linha);
    b.linha(c.ult_linha);
    b.avanco(c.avanco);
}

ConfigBobina ConfigBobina::de(const Estado& e) {
    return {e.bobina, e.avanco_bobina, e.linha1, e.linha2, e.linha3, e.linha4, e.penult_linha, e.ult_linha};
}

QString campo_fixo(const QString& texto, int largura) { return texto.leftJustified(largura, u' ', true); }

QByteArray comprovante_entrada(const ConfigBobina& cfg, const DadosComprovante& d) {
    const int largura = Bobina::largura(cfg.bobina);
    QString ticket = campo_fixo(d.tic, 10);
    const QString placa = campo_fixo(d.pla, 10);
    const bool mensalista = ticket == QLatin1String("0000000000");

    Bobina b(largura);
    cabecalho_comprovante(b, cfg);
    if (largura == 36) {
        b.linha(mensalista ? QStringLiteral(" COMPROVANTE DE ENTRADA(MENSALISTA)")
                           : QStringLiteral("  COMPROVANTE DE ENTRADA (AVULSO)"));
        if (mensalista) ticket = QString(10, u' ');   // a subscriber has no ticket number
    } else if (largura == 40) {
        b.linha(mensalista ? QStringLiteral("  COMPROVANTE DE ENTRADA (MENSALISTA)")
                           : QStringLiteral("    COMPROVANTE DE ENTRADA (AVULSO)"));
    } else {
        b.linha(mensalista ? QStringLiteral("      COMPROVANTE DE ENTRADA (MENSALISTA)")
                           : QStringLiteral("        COMPROVANTE DE ENTRADA (AVULSO)"));
    }
    if (d.priVisivel) b.linha(QStringLiteral("Prisma: ") + d.pri.trimmed());
    if (largura == 36) {
        b.linha(QStringLiteral("Ticket: ") + ticket + QStringLiteral("Data Ent.:") + dataCurta(d.dat_ent));
        b.linha(QStringLiteral("Placa : ") + placa + QStringLiteral("Hora Ent.:") + d.hor_ent);
    } else if (largura == 40) {
        b.linha(QStringLiteral("Ticket: ") + ticket + QStringLiteral("  Data Ent.:") + d.dat_ent);
        b.linha(QStringLiteral("Placa : ") + placa + QStringLiteral("  Hora Ent.:") + d.hor_ent);
    } else {
        b.linha(QStringLiteral("Ticket: ") + ticket + QStringLiteral("    Data Entrada:") + d.dat_ent);
        b.linha(QStringLiteral("Placa : ") + placa + QStringLiteral("    Hora Entrada:") + d.hor_ent);
    }
    if (d.veiVisivel) b.linha(QStringLiteral("Veiculo: ") + d.vei);
    rodape_comprovante(b, cfg);
    return b.bytes();
}

QByteArray comprovante_saida(const ConfigBobina& cfg, const DadosComprovante& d) {
    const int largura = Bobina::largura(cfg.bobina);
    const QString ticket = campo_fixo(d.tic, 10);
    const bool mesmoDia = d.dat_ent == d.dat_sai;
    const QString estadia = mesmoDia ? permanencia(d.hor_ent, d.hor_sai) : QStringLiteral("Pernoite");

    Bobina b(largura);
    cabecalho_comprovante(b, cfg);
    b.linha(largura == 36   ? QStringLiteral("        COMPROVANTE DE SAIDA")
            : largura == 40 ? QStringLiteral("          COMPROVANTE DE SAIDA")
                            : QStringLiteral("             COMPROVANTE DE SAIDA"));
    if (d.priVisivel) b.linha(QStringLiteral("Prisma: ") + d.pri.trimmed());
    if (largura == 36) {
        b.linha(QStringLiteral("Ticket: ") + ticket + QStringLiteral("  Placa:") + d.pla);
        if (d.veiVisivel) b.linha(QStringLiteral("Veiculo: ") + d.vei);
        b.linha(QStringLiteral("Data Entrada: ") + dataCurta(d.dat_ent));
        b.linha(QStringLiteral("Hora Entrada: ") + d.hor_ent);
        b.linha(QStringLiteral("Data Saida  : ") + dataCurta(d.dat_sai));
        b.linha(QStringLiteral("Hora Saida  : ") + d.hor_sai);
        b.linha(QStringLiteral("Permanencia : ") + estadia);
        b.linha(QStringLiteral("Valor   : ") + d.tot);
    } else {
        b.linha(QStringLiteral("Ticket: ") + ticket + QStringLiteral("        Placa:") + d.pla);
        if (d.veiVisivel) b.linha(QStringLiteral("Veiculo: ") + d.vei);
        // Where a pair does not fit the roll it goes on a line of its own, as on 36 columns.
        b.par(QStringLiteral("Data Entrada: ") + d.dat_ent, QStringLiteral("  Hora Entrada:") + d.hor_ent,
              QStringLiteral("Hora Entrada: ") + d.hor_ent);
        b.par(QStringLiteral("Data Saida  : ") + d.dat_sai, QStringLiteral("  Hora Saida  :") + d.hor_sai,
              QStringLiteral("Hora Saida  : ") + d.hor_sai);
        b.par(QStringLiteral("Permanencia : ") + estadia, QStringLiteral("    Valor :") + d.tot,
              QStringLiteral("Valor   : ") + d.tot);
    }
    rodape_comprovante(b, cfg);
    return b.bytes();
}

QByteArray linha_autenticacao(const DadosComprovante& d, int bobina) {
    Bobina b(Bobina::largura(bobina));
    b.linha(d.dat_sai + u' ' + d.hor_sai + u' ' + d.pla + u' ' + d.tot);
    return b.bytes();
}

ItemFiscal item_fiscal_saida(const DadosComprovante& d) {
    const QString descricao = d.pla + QStringLiteral("  E: ") + dataCurta(d.dat_ent) + u' ' +
                              horaCurta(d.hor_ent) + QStringLiteral("\r\n          S: ") +
                              dataCurta(d.dat_sai) + u' ' + horaCurta(d.hor_sai);
    return {campo_fixo(d.tic, 10).trimmed(), descricao.trimmed(), d.tot.trimmed()};
}

ResultadoCupom fecha_cupom_aberto(ImpressoraFiscal& fiscal, const QString& mensagem, qint16& retorno,
                                  QString& aberto) {
    ResultadoCupom r;
    if (!fechaCupom(fiscal, mensagem, retorno)) {
        r.falhou = true;
        r.texto = comMotivo(fiscal, QStringLiteral("O cupom fiscal da saída anterior (ticket %1) continua "
                                                   "aberto: a impressora fiscal não o fechou (retorno %2).")
                                        .arg(aberto)
                                        .arg(retorno));
        return r;
    }
    r.texto = QStringLiteral("O cupom fiscal da saída anterior (ticket %1), que tinha ficado "
                             "aberto, foi fechado agora.").arg(aberto);
    aberto.clear();
    return r;
}

ResultadoCupom cupom_fiscal_saida(ImpressoraFiscal& fiscal, const QString& aliquota,
                                  const QString& mensagem, const DadosComprovante& d,
                                  qint16& retorno, QString& aberto) {
    ResultadoCupom r;
    if (!aberto.isEmpty()) {
        r = fecha_cupom_aberto(fiscal, mensagem, retorno, aberto);
        if (r.falhou) {
            r.texto += QStringLiteral("\nO cupom desta saída não foi emitido, para que um cupom não "
                                      "junte duas saídas.");
            return r;
        }
    }
    const auto falha = [&r](const QString& texto) {
        r.falhou = true;
        r.texto += (r.texto.isEmpty() ? QString() : QStringLiteral("\n")) + texto;
        return r;
    };
    const ItemFiscal item = item_fiscal_saida(d);
    retorno = qint16(fiscal.vendeItem(item.codigo, item.descricao, aliquota, QStringLiteral("I"),
                                      campo_fixo(QStringLiteral("1"), 2).trimmed(), 2, item.valor,
                                      QStringLiteral("%"), QStringLiteral("0000")));
    if (retorno != 1)
        return falha(comMotivo(fiscal, QStringLiteral("A impressora fiscal recusou o item do cupom (retorno "
                                                      "%1): o cupom fiscal não foi emitido.").arg(retorno)));
    if (!fechaCupom(fiscal, mensagem, retorno)) {
        aberto = item.codigo.isEmpty() ? QStringLiteral("sem número") : item.codigo;
        return falha(comMotivo(fiscal, QStringLiteral("A impressora fiscal não fechou o cupom (retorno %1). "
                                                      "Ele será fechado antes do próximo cupom.").arg(retorno)));
    }
    return r;
}
