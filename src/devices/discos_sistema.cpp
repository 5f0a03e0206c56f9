#include "devices/discos_sistema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

namespace {

// The mount table escapes blanks, tabs, new lines and backslashes as three octal digits.
QString decodificaCampo(const QString& campo) {
    QString r;
    for (int i = 0; i < campo.size(); ++i) {
        if (campo[i] == u'\\' && i + 3 < campo.size()) {
            bool ok = false;
            const int c = campo.mid(i + 1, 3).toInt(&ok, 8);
            if (ok) {
                r += QChar(c);
                i += 3;
                continue;
            }
        }
        r += campo[i];
    }
    return r;
}

bool contem(const QString& pontoMontagem, const QString& caminho) {
    if (pontoMontagem == QLatin1String("/")) return caminho.startsWith(u'/');
    return caminho == pontoMontagem || caminho.startsWith(pontoMontagem + u'/');
}

bool removivel(const QString& p) {
    return p.startsWith(QLatin1String("/media/")) || p.startsWith(QLatin1String("/run/media/")) ||
           p == QLatin1String("/mnt") || p.startsWith(QLatin1String("/mnt/"));
}

}  // namespace

QStringList DiscosSistema::unidadesDaTabela(const QString& tabela, const QString& pastaPrograma) {
    QString programa = QFileInfo(pastaPrograma).canonicalFilePath();
    if (programa.isEmpty()) programa = QDir::cleanPath(pastaPrograma);
    QString raiz = QStringLiteral("/");
    QStringList midias;
    for (const QString& linha : tabela.split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList campos = linha.split(u' ', Qt::SkipEmptyParts);
        if (campos.size() < 2) continue;
        const QString ponto = decodificaCampo(campos[1]);
        if (contem(ponto, programa) && ponto.size() > raiz.size()) raiz = ponto;
        if (removivel(ponto) && !midias.contains(ponto)) midias << ponto;
    }
    midias.removeAll(raiz);
    midias.sort();
    return QStringList{raiz} + midias;
}

QStringList DiscosSistema::unidades(const QString& pastaPrograma) const {
    QFile f(QStringLiteral("/proc/self/mounts"));
    QString tabela;
    if (f.open(QIODevice::ReadOnly)) tabela = QString::fromUtf8(f.readAll());
    return unidadesDaTabela(tabela, pastaPrograma);
}

quint64 DiscosSistema::espacoLivre(const QString& pasta) const {
    return calcula_espaco_livre(pasta);
}

quint64 calcula_espaco_livre(const QString& unidade) {
    if (unidade.isEmpty()) return 0;
    std::error_code erro;
    const std::filesystem::space_info s =
        std::filesystem::space(std::filesystem::path(QFile::encodeName(unidade).toStdString()), erro);
    if (erro || s.available == static_cast<std::uintmax_t>(-1)) return 0;
    return static_cast<quint64>(s.available);
}
