#include "devices/impressos.h"

#include <QStringList>

namespace {

struct Nome {
    const char* um;
    const char* varios;
};

constexpr Nome kNomes[] = {
    {"comprovante de entrada", "comprovantes de entrada"},
    {"comprovante de saída", "comprovantes de saída"},
    {"autenticação de saída", "autenticações de saída"},
    {"lista de pátio", "listas de pátio"},
    {"comprovante de mensalidade", "comprovantes de mensalidade"},
    {"relatório de fechamento de caixa", "relatórios de fechamento de caixa"},
};

}  // namespace

int ContagemImpressos::total() const {
    int t = 0;
    for (int n : n_) t += n;
    return t;
}

QString ContagemImpressos::descreve() const {
    QStringList partes;
    for (std::size_t i = 0; i < n_.size(); ++i)
        if (n_[i] > 0)
            partes << QString::number(n_[i]) + u' ' +
                          QString::fromUtf8(n_[i] == 1 ? kNomes[i].um : kNomes[i].varios);
    if (partes.size() < 2) return partes.join(QString());
    const QString ultima = partes.takeLast();
    return partes.join(QStringLiteral(", ")) + QStringLiteral(" e ") + ultima;
}
