#include "devices/diario_fiscal.h"

#include <QDir>
#include <QFile>
#include <QStringList>

QString DiarioFiscal::caminho() const { return QDir(pasta_()).filePath(kArquivo); }

int DiarioFiscal::registra(const QString& chamada, const QStringList& argumentos) {
    QStringList campos;
    for (QString a : argumentos) {
        // One call a line: line breaks inside an argument (the item's two lines) are written as \n.
        a.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
        a.replace(QLatin1String("\r\n"), QLatin1String("\\n"));
        a.replace(QLatin1Char('\n'), QLatin1String("\\n"));
        a.replace(QLatin1Char('\r'), QLatin1String("\\r"));
        a.replace(QLatin1Char('"'), QLatin1String("\\\""));
        campos << QLatin1Char('"') + a + QLatin1Char('"');
    }
    const QString linha = agora_().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + QLatin1Char(' ') +
                          chamada + QLatin1Char('(') + campos.join(QLatin1String(", ")) +
                          QLatin1String(")\n");
    QFile f(caminho());
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) return 0;
    const QByteArray b = linha.toUtf8();
    if (f.write(b) != b.size() || !f.flush()) return 0;
    return 1;
}

int DiarioFiscal::vendeItem(const QString& codigo, const QString& descricao, const QString& aliquota,
                            const QString& tipoQuantidade, const QString& quantidade,
                            int casasDecimais, const QString& valor, const QString& tipoDesconto,
                            const QString& desconto) {
    return registra(QStringLiteral("VendeItem"),
                    {codigo, descricao, aliquota, tipoQuantidade, quantidade,
                     QString::number(casasDecimais), valor, tipoDesconto, desconto});
}

int DiarioFiscal::fechaCupomResumido(const QString& formaPagamento, const QString& mensagem) {
    return registra(QStringLiteral("FechaCupomResumido"), {formaPagamento, mensagem});
}

int DiarioFiscal::leituraX() { return registra(QStringLiteral("LeituraX"), {}); }

int DiarioFiscal::reducaoZ(const QString& data, const QString& hora) {
    return registra(QStringLiteral("ReducaoZ"), {data, hora});
}
